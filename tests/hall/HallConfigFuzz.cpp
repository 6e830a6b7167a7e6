// hall.conf and the hall's options over any bytes: the text read as the
// file, then its lines taken as options (a line "--hall-config" reads the
// text again from a file). Nothing may crash; every text that comes out fits
// the record field it goes into, a room to enter is one of the rooms, and
// the records and the user record are made from whatever was read.
#include "hall/HallConfig.h"

#include "core/ClientGlobal.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Check(const HallConfig& config)
{
    auto fits = [](const std::string& text) { return CClientGlobal::UTF8ToWide(text).size() <= 31; };
    if (!fits(config.user.account) || !fits(config.user.nickname) || config.hallHost.size() > 253)
        std::abort();
    for (const HallRoom& room : config.rooms)
    {
        if (!fits(room.name) || !fits(room.kindName) || !fits(room.host) || !fits(room.program))
            std::abort();
        hall::MakeKindRecord(room);
        hall::MakeServerRecord(room);
    }
    UserRecord record{};
    hall::ApplyUser(config.user, record);
}

const std::string& FilePath()
{
    static const std::string path = "/tmp/kest-hall-fuzz-" + std::to_string(getpid()) + ".conf";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    HallConfig fromText;
    std::string error;
    if (hall::ParseConfigText(text, fromText, error))
        Check(fromText);

    std::vector<std::string> options;
    size_t at = 0;
    while (at < text.size() && options.size() < 64)
    {
        const size_t end = std::min(text.find('\n', at), text.size());
        options.push_back(text.substr(at, end - at));
        if (options.back() == "--hall-config")
            options.push_back(FilePath());
        at = end + 1;
    }
    std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << text;
    HallConfig config;
    const bool ok = hall::ReadOptions(options, config, error);
    if (ok && !error.empty())
        std::abort();
    if (!ok && error.empty())
        std::abort();
    if (config.enterRoom >= static_cast<int>(config.rooms.size()))
        std::abort();
    Check(config);
    unlink(FilePath().c_str());
    return 0;
}
