#include "hall/HallConfig.h"

#include "core/ClientGlobal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace hall {

namespace {

std::string Trim(const std::string& s)
{
    const char* space = " \t\r\n";
    const size_t first = s.find_first_not_of(space);
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(space) - first + 1);
}

// Texts go into fixed fields of 32 UTF-16 units, the last one the 0.
constexpr size_t kFieldUnits = 32;
// A host name is at most 253 bytes; anything longer names no host.
constexpr size_t kMaxHostBytes = 253;

// The text as the field of `units` units will hold it: cut whole characters,
// never half a surrogate pair. A megabyte name costs no more than a short one.
std::string FitField(const std::string& utf8, size_t units)
{
    // A character takes at most 4 bytes, so the first units * 4 bytes hold
    // every character the field can keep.
    const std::string head = utf8.size() > units * 4 ? utf8.substr(0, units * 4) : utf8;
    std::vector<char16_t> field(units);
    CClientGlobal::UTF8ToWideBuffer(field.data(), units, head);
    return CClientGlobal::WideToUTF8(wire::ReadText(field.data(), units));
}

bool ParseNumber(const std::string& text, unsigned long long max, unsigned long long& out)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno != 0 || value > max)
        return false;
    out = value;
    return true;
}

template <typename T>
bool ParseInto(const std::string& text, T& out, unsigned long long max)
{
    unsigned long long value = 0;
    if (!ParseNumber(text, max, value))
        return false;
    out = static_cast<T>(value);
    return true;
}

bool IsMd5Text(const std::string& text)
{
    return text.size() == 32 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ','))
        parts.push_back(Trim(part));
    if (!text.empty() && text.back() == ',')
        parts.emplace_back();
    return parts;
}

bool SetHall(const std::string& key, const std::string& value, HallConfig& config)
{
    if (key == "host")
    {
        config.hallHost = value.substr(0, kMaxHostBytes);
        return true;
    }
    if (key == "port")
        return ParseInto(value, config.hallPort, 65535) && config.hallPort != 0;
    return false;
}

bool SetUser(const std::string& key, const std::string& value, HallUser& user)
{
    if (key == "id")
        return ParseInto(value, user.userId, 0xFFFFFFFFull);
    if (key == "game")
        return ParseInto(value, user.gameId, 0xFFFFFFFFull);
    if (key == "gender")
        return ParseInto(value, user.gender, 255);
    if (key == "account")
    {
        user.account = FitField(value, kFieldUnits);
        return true;
    }
    if (key == "nickname")
    {
        user.nickname = FitField(value, kFieldUnits);
        return true;
    }
    if (key == "password")
    {
        user.passwordMd5 = value;
        return IsMd5Text(value);
    }
    return false;
}

bool SetRoom(const std::string& key, const std::string& value, HallRoom& room)
{
    if (key == "kind")
        return ParseInto(value, room.kindId, 65535);
    if (key == "server")
        return ParseInto(value, room.serverId, 65535);
    if (key == "port")
        return ParseInto(value, room.port, 65535) && room.port != 0;
    if (key == "name")
        room.name = FitField(value, kFieldUnits);
    else if (key == "kindname")
        room.kindName = FitField(value, kFieldUnits);
    else if (key == "host")
        room.host = FitField(value, kFieldUnits);
    else if (key == "program")
        room.program = FitField(value, kFieldUnits);
    else
        return false;
    return true;
}

bool ReadFile(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

bool ParseRoomOption(const std::string& value, HallRoom& room)
{
    const std::vector<std::string> parts = SplitCommas(value);
    if (parts.size() != 4)
        return false;
    room = HallRoom{};
    return SetRoom("kind", parts[0], room) && SetRoom("name", parts[1], room) && SetRoom("host", parts[2], room) &&
           SetRoom("port", parts[3], room);
}

bool ParseUserOption(const std::string& value, HallUser& user)
{
    const std::vector<std::string> parts = SplitCommas(value);
    if (parts.size() < 3 || parts.size() > 4)
        return false;
    if (!SetUser("id", parts[0], user) || !SetUser("account", parts[1], user) || !SetUser("nickname", parts[2], user))
        return false;
    return parts.size() == 3 || SetUser("password", parts[3], user);
}

bool ReadOptionPairs(const std::vector<std::pair<std::string, std::string>>& pairs, HallConfig& config,
                     std::string& error);

}  // namespace

bool ParseConfigText(const std::string& text, HallConfig& config, std::string& error)
{
    enum class Section
    {
        None,
        Hall,
        User,
        Room
    } section = Section::None;
    // Editors on other systems start a UTF-8 file with a byte-order mark.
    static const char kByteOrderMark[] = "\xEF\xBB\xBF";
    const bool marked = text.compare(0, 3, kByteOrderMark) == 0;
    std::istringstream stream(marked ? text.substr(3) : text);
    std::string line;
    int number = 0;
    while (std::getline(stream, line))
    {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        line = Trim(line);
        if (line.empty())
            continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line.front() == '[')
        {
            if (line == "[hall]")
            {
                section = Section::Hall;
            }
            else if (line == "[user]")
            {
                section = Section::User;
            }
            else if (line == "[room]")
            {
                section = Section::Room;
                config.rooms.emplace_back();
            }
            else
            {
                error = where + "unknown section " + line;
                return false;
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
        {
            error = where + "expected key = value";
            return false;
        }
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        bool ok = false;
        switch (section)
        {
            case Section::Hall: ok = SetHall(key, value, config); break;
            case Section::User: ok = SetUser(key, value, config.user); break;
            case Section::Room: ok = SetRoom(key, value, config.rooms.back()); break;
            case Section::None: break;
        }
        if (!ok)
        {
            error = where + "bad " + key + " = " + value;
            return false;
        }
    }
    for (size_t i = 0; i < config.rooms.size(); ++i)
    {
        if (config.rooms[i].port == 0)
        {
            error = "room " + std::to_string(i + 1) + " has no port";
            return false;
        }
    }
    return true;
}

bool ReadOptions(const std::vector<std::string>& options, HallConfig& config, std::string& error)
{
    // name, value pairs in order
    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t i = 0; i < options.size(); ++i)
    {
        const std::string& option = options[i];
        if (option.compare(0, 2, "--") != 0)
            continue;
        const size_t equals = option.find('=');
        if (equals != std::string::npos)
        {
            pairs.emplace_back(option.substr(0, equals), option.substr(equals + 1));
        }
        else if (i + 1 < options.size() && options[i + 1].compare(0, 2, "--") != 0)
        {
            pairs.emplace_back(option, options[i + 1]);
            ++i;
        }
        else
        {
            pairs.emplace_back(option, std::string());
        }
    }
    // A file that cannot be read or parsed adds nothing; it is reported, and
    // the other options still count.
    std::string fileError;
    for (const auto& [name, value] : pairs)
    {
        if (name != "--hall-config")
            continue;
        std::string text;
        if (!ReadFile(value, text))
        {
            fileError = "cannot read " + value;
            continue;
        }
        HallConfig parsed = config;
        std::string parseError;
        if (!ParseConfigText(text, parsed, parseError))
        {
            fileError = value + ": " + parseError;
            continue;
        }
        config = std::move(parsed);
    }
    bool ok = ReadOptionPairs(pairs, config, error);
    if (ok && config.enterRoom >= static_cast<int>(config.rooms.size()))
    {
        error =
            "--enter names room " + std::to_string(config.enterRoom + 1) + " of " + std::to_string(config.rooms.size());
        ok = false;
    }
    if (config.enterRoom >= static_cast<int>(config.rooms.size()))
        config.enterRoom = -1;
    if (ok)
        error.clear();
    if (!fileError.empty())
        error = ok ? fileError : fileError + "; " + error;
    return ok && fileError.empty();
}

namespace {

bool ReadOptionPairs(const std::vector<std::pair<std::string, std::string>>& pairs, HallConfig& config,
                     std::string& error)
{
    for (const auto& [name, value] : pairs)
    {
        if (name == "--hall")
        {
            const size_t colon = value.rfind(':');
            if (colon == std::string::npos || !SetHall("port", value.substr(colon + 1), config))
            {
                error = "--hall needs HOST:PORT";
                return false;
            }
            SetHall("host", value.substr(0, colon), config);
        }
        else if (name == "--user")
        {
            if (!ParseUserOption(value, config.user))
            {
                error = "--user needs ID,ACCOUNT,NICKNAME[,PASSWORD-MD5]";
                return false;
            }
        }
        else if (name == "--room")
        {
            HallRoom room;
            if (!ParseRoomOption(value, room))
            {
                error = "--room needs KIND,NAME,HOST,PORT";
                return false;
            }
            config.rooms.push_back(room);
        }
        else if (name == "--enter")
        {
            int index = 0;
            if (!ParseInto(value, index, 65535) || index < 1)
            {
                error = "--enter needs a room number from 1";
                return false;
            }
            config.enterRoom = index - 1;
        }
    }
    return true;
}

}  // namespace

GameKindRecord MakeKindRecord(const HallRoom& room)
{
    GameKindRecord kind;
    std::memset(&kind, 0, sizeof(kind));
    kind.wKindID = room.kindId;
    SetFieldText(kind.szKindName, CClientGlobal::UTF8ToWide(room.kindName));
    SetFieldText(kind.szProcessName, CClientGlobal::UTF8ToWide(room.program));
    return kind;
}

GameServerRecord MakeServerRecord(const HallRoom& room)
{
    GameServerRecord server;
    std::memset(&server, 0, sizeof(server));
    server.wKindID = room.kindId;
    server.wServerID = room.serverId;
    server.wServerPort = room.port;
    SetFieldText(server.szServerAddr, CClientGlobal::UTF8ToWide(room.host));
    SetFieldText(server.szServerName, CClientGlobal::UTF8ToWide(room.name));
    return server;
}

void ApplyUser(const HallUser& user, UserRecord& record)
{
    record.dwUserID = user.userId;
    record.dwGameID = user.gameId;
    record.cbGender = user.gender;
    if (record.cbConnectCount == 0)
        record.cbConnectCount = 1;
    SetFieldText(record.szAccounts, CClientGlobal::UTF8ToWide(user.account));
    SetFieldText(record.szNickName, CClientGlobal::UTF8ToWide(user.nickname));
    const std::string md5 = user.passwordMd5.empty() ? CClientGlobal::MD5Text("") : user.passwordMd5;
    SetFieldText(record.szPassword, CClientGlobal::UTF8ToWide(md5));
}

}  // namespace hall
