#include "core/ListFile.h"

#include "core/ClientGlobal.h"
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace listfile {

namespace {
constexpr uint16_t kOffset = 0x2B1F;

uint16_t Unit(const std::vector<uint8_t>& b, size_t i) { return static_cast<uint16_t>(b[i] | (b[i + 1] << 8)); }

void SetUnit(std::vector<uint8_t>& b, size_t i, uint16_t v)
{
    b[i] = static_cast<uint8_t>(v & 0xFF);
    b[i + 1] = static_cast<uint8_t>(v >> 8);
}
}  // namespace

bool ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes)
{
    out.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    uint8_t buffer[4096];
    bool ok = true;
    while (out.size() < maxBytes)
    {
        ssize_t n = read(fd, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        size_t take = std::min(static_cast<size_t>(n), maxBytes - out.size());
        out.insert(out.end(), buffer, buffer + take);
    }
    close(fd);
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::string error;
    if (platform::WriteFileAtomically(path, bytes.data(), bytes.size(), error))
        return true;
    // The old list stays; say why the new one did not replace it.
    const std::string line = "cannot save " + path + " (" + error + "); the old file is kept";
    std::fprintf(stderr, "kestrelium: %s\n", line.c_str());
    CClientGlobal::GetInstance()->WriteLog(CClientGlobal::UTF8ToGBK(line));
    return false;
}

void Scramble(std::vector<uint8_t>& bytes)
{
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        SetUnit(bytes, i, static_cast<uint16_t>(Unit(bytes, i) + kOffset));
}

void Unscramble(std::vector<uint8_t>& bytes)
{
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        SetUnit(bytes, i, static_cast<uint16_t>(Unit(bytes, i) - kOffset));
}

}  // namespace listfile
