#include "tools/roomsim/Scenario.h"

#include "core/ClientGlobal.h"
#include "core/Wire.h"
#include "net/Packet.h"
#include "net/PacketHelper.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <cstring>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

namespace roomsim {

namespace {

using Value = rapidjson::Value;

struct IntKind
{
    const char* key;
    FieldSpec::Kind kind;
    size_t width;
    bool isSigned;
};
const IntKind kIntKinds[] = {
    {"u8", FieldSpec::Kind::U8, 1, false},   {"u16", FieldSpec::Kind::U16, 2, false},
    {"u32", FieldSpec::Kind::U32, 4, false}, {"i32", FieldSpec::Kind::I32, 4, true},
    {"i64", FieldSpec::Kind::I64, 8, true},  {"u64", FieldSpec::Kind::U64, 8, false},
};

const IntKind* FindIntKind(FieldSpec::Kind kind)
{
    for (const auto& k : kIntKinds)
        if (k.kind == kind)
            return &k;
    return nullptr;
}

bool ReadInt(const Value& v, const IntKind& k, uint64_t& out)
{
    if (k.isSigned)
    {
        if (!v.IsInt64())
            return false;
        int64_t n = v.GetInt64();
        if (k.width == 4 && (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max()))
            return false;
        out = static_cast<uint64_t>(n);
        return true;
    }
    if (!v.IsUint64())
        return false;
    uint64_t n = v.GetUint64();
    if (k.width < 8 && n >= (uint64_t{1} << (8 * k.width)))
        return false;
    out = n;
    return true;
}

bool ReadHex(const std::string& text, std::vector<uint8_t>& out)
{
    out.clear();
    int high = -1;
    for (char c : text)
    {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c == ' ' || c == '\n' || c == '\t')
            continue;
        else
            return false;
        if (high < 0)
        {
            high = digit;
        }
        else
        {
            out.push_back(static_cast<uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    return high < 0;
}

template <typename T>
bool ReadUint(const Value& object, const char* key, T& out, bool required, std::string& error)
{
    if (!object.HasMember(key))
    {
        if (required)
            error = std::string("\"") + key + "\" is missing";
        return !required;
    }
    const Value& v = object[key];
    if (!v.IsUint64() || v.GetUint64() > std::numeric_limits<T>::max())
    {
        error = std::string("\"") + key + "\" is not a number in range";
        return false;
    }
    out = static_cast<T>(v.GetUint64());
    return true;
}

bool OnlyKeys(const Value& object, std::initializer_list<const char*> keys, std::string& error)
{
    for (auto it = object.MemberBegin(); it != object.MemberEnd(); ++it)
    {
        bool known = false;
        for (const char* k : keys)
            known = known || std::strcmp(k, it->name.GetString()) == 0;
        if (!known)
        {
            error = std::string("unknown key \"") + it->name.GetString() + "\"";
            return false;
        }
    }
    return true;
}

bool ParseField(const Value& v, bool forExpect, FieldSpec& f, std::string& error)
{
    if (!v.IsObject())
    {
        error = "a field is not an object";
        return false;
    }
    if (v.HasMember("offset"))
    {
        if (!v["offset"].IsUint() || v["offset"].GetUint() > net::kMaxPacketBody)
        {
            error = "\"offset\" is not a body offset";
            return false;
        }
        f.offset = v["offset"].GetUint();
    }
    for (const auto& k : kIntKinds)
    {
        if (v.HasMember(k.key))
        {
            f.kind = k.kind;
            if (!ReadInt(v[k.key], k, f.number))
            {
                error = std::string("\"") + k.key + "\" value out of range";
                return false;
            }
            return OnlyKeys(v, {"offset", k.key}, error);
        }
    }
    if (v.HasMember("text"))
    {
        if (!v["text"].IsString())
        {
            error = "\"text\" is not a string";
            return false;
        }
        f.text = CClientGlobal::UTF8ToWide(v["text"].GetString());
        if (v.HasMember("item"))
        {
            f.kind = FieldSpec::Kind::Item;
            if (!ReadUint(v, "item", f.itemType, true, error) || f.itemType == 0)
            {
                error = "\"item\" must be a type from 1 to 65535";
                return false;
            }
            return OnlyKeys(v, {"offset", "text", "item"}, error);
        }
        if (v.HasMember("units"))
        {
            f.kind = FieldSpec::Kind::Text;
            if (!ReadUint(v, "units", f.units, true, error) || f.units == 0 || f.units > net::kMaxPacketBody / 2)
            {
                error = "\"units\" must be a field size in UTF-16 units";
                return false;
            }
        }
        else if (forExpect)
        {
            error = "a checked text needs \"units\"";
            return false;
        }
        else
        {
            f.kind = FieldSpec::Kind::WideText;
        }
        return OnlyKeys(v, {"offset", "text", "units"}, error);
    }
    if (v.HasMember("zeros"))
    {
        f.kind = FieldSpec::Kind::Zeros;
        if (!ReadUint(v, "zeros", f.count, true, error) || f.count > net::kMaxPacketBody)
            return false;
        return OnlyKeys(v, {"offset", "zeros"}, error);
    }
    if (v.HasMember("hex"))
    {
        f.kind = FieldSpec::Kind::Hex;
        if (!v["hex"].IsString() || !ReadHex(v["hex"].GetString(), f.bytes))
        {
            error = "\"hex\" is not an even run of hex digits";
            return false;
        }
        return OnlyKeys(v, {"offset", "hex"}, error);
    }
    error = "a field needs one of u8, u16, u32, i32, i64, u64, text, zeros, hex";
    return false;
}

bool ParseFields(const Value& object, bool forExpect, std::vector<FieldSpec>& out, std::string& error)
{
    if (!object.HasMember("fields"))
        return true;
    const Value& list = object["fields"];
    if (!list.IsArray())
    {
        error = "\"fields\" is not a list";
        return false;
    }
    for (rapidjson::SizeType i = 0; i < list.Size(); ++i)
    {
        FieldSpec f;
        if (!ParseField(list[i], forExpect, f, error))
        {
            error = "field " + std::to_string(i + 1) + ": " + error;
            return false;
        }
        out.push_back(std::move(f));
    }
    return true;
}

bool ParseCommand(const Value& v, Step& step, std::string& error)
{
    return ReadUint(v, "main", step.main, true, error) && ReadUint(v, "sub", step.sub, true, error);
}

bool ParseBot(const Value& v, BotSpec& bot, std::string& error)
{
    if (!v.IsObject())
    {
        error = "a bot is not an object";
        return false;
    }
    if (!OnlyKeys(v,
                  {"user", "game", "nick", "gender", "member", "table", "chair", "status", "score", "bank", "client"},
                  error))
        return false;
    if (v.HasMember("user") && v["user"].IsString() && std::string(v["user"].GetString()) == "logon")
        bot.logonUser = true;
    else if (!ReadUint(v, "user", bot.userId, true, error))
        return false;
    if (v.HasMember("nick"))
    {
        if (!v["nick"].IsString())
        {
            error = "\"nick\" is not a string";
            return false;
        }
        bot.nickname = CClientGlobal::UTF8ToWide(v["nick"].GetString());
    }
    for (const char* key : {"score", "bank"})
    {
        if (v.HasMember(key))
        {
            if (!v[key].IsInt64())
            {
                error = std::string("\"") + key + "\" is not a whole number";
                return false;
            }
            (std::strcmp(key, "score") == 0 ? bot.score : bot.bank) = v[key].GetInt64();
        }
    }
    return ReadUint(v, "game", bot.gameId, false, error) && ReadUint(v, "gender", bot.gender, false, error) &&
           ReadUint(v, "member", bot.memberLevel, false, error) && ReadUint(v, "table", bot.table, false, error) &&
           ReadUint(v, "chair", bot.chair, false, error) && ReadUint(v, "status", bot.status, false, error) &&
           ReadUint(v, "client", bot.clientKind, false, error);
}

bool ParseStep(const Value& v, Step& step, std::string& error);

// {"times": N, "steps": [...]}: the steps N times over. A round may not close
// the connection (only the last step of a scenario does).
bool ParseRepeat(const Value& body, Step& step, std::string& error)
{
    step.kind = Step::Kind::Repeat;
    if (!body.IsObject() || !OnlyKeys(body, {"times", "steps"}, error) ||
        !ReadUint(body, "times", step.times, true, error))
    {
        if (error.empty())
            error = "\"repeat\" takes an object";
        return false;
    }
    if (!body.HasMember("steps") || !body["steps"].IsArray() || body["steps"].Empty())
    {
        error = "\"repeat\" needs a list of steps";
        return false;
    }
    const Value& steps = body["steps"];
    for (rapidjson::SizeType i = 0; i < steps.Size(); ++i)
    {
        Step inner;
        if (!ParseStep(steps[i], inner, error))
        {
            error = "repeated step " + std::to_string(i + 1) + ": " + error;
            return false;
        }
        if (inner.kind == Step::Kind::Close)
        {
            error = "repeated step " + std::to_string(i + 1) + ": a round cannot close the connection";
            return false;
        }
        step.steps.push_back(std::move(inner));
    }
    return true;
}

bool ParseLandlord(const Value& v, LandlordSpec& setup, std::string& error)
{
    if (!OnlyKeys(v, {"seed", "hands", "table", "chair", "out", "call", "first", "botdelay", "bots"}, error))
        return false;
    if (!ReadUint(v, "seed", setup.seed, false, error) || !ReadUint(v, "hands", setup.hands, false, error) ||
        !ReadUint(v, "table", setup.table, false, error) || !ReadUint(v, "chair", setup.chair, false, error) ||
        !ReadUint(v, "out", setup.outSeconds, false, error) || !ReadUint(v, "call", setup.callSeconds, false, error) ||
        !ReadUint(v, "first", setup.firstSeconds, false, error) ||
        !ReadUint(v, "botdelay", setup.botDelayMs, false, error))
        return false;
    if ((setup.table == 65535) != (setup.chair == 65535) || (setup.chair != 65535 && setup.chair > 2))
    {
        error = "\"table\" and \"chair\" name a seat of a three-chair table together, or neither is given";
        return false;
    }
    if (v.HasMember("bots"))
    {
        const Value& list = v["bots"];
        if (!list.IsArray())
        {
            error = "\"bots\" is a list";
            return false;
        }
        for (rapidjson::SizeType i = 0; i < list.Size(); ++i)
        {
            BotSpec bot;
            if (!ParseBot(list[i], bot, error) || bot.logonUser)
            {
                error = "landlord bot " + std::to_string(i + 1) + ": " + (error.empty() ? "not the player" : error);
                return false;
            }
            setup.bots.push_back(bot);
        }
    }
    return true;
}

bool ParseStep(const Value& v, Step& step, std::string& error)
{
    if (!v.IsObject() || v.MemberCount() != 1)
    {
        error = "a step is an object with one key: send, expect, wait, bots, repeat, landlord or close";
        return false;
    }
    const std::string kind = v.MemberBegin()->name.GetString();
    const Value& body = v.MemberBegin()->value;
    if (kind == "wait")
    {
        step.kind = Step::Kind::Wait;
        if (!body.IsUint64())
        {
            error = "\"wait\" takes milliseconds";
            return false;
        }
        step.waitMs = body.GetUint64();
        return true;
    }
    if (kind == "close")
    {
        step.kind = Step::Kind::Close;
        return true;
    }
    if (kind == "repeat")
        return ParseRepeat(body, step, error);
    if (kind == "bots")
    {
        step.kind = Step::Kind::Bots;
        if (!body.IsArray())
        {
            error = "\"bots\" is a list";
            return false;
        }
        for (rapidjson::SizeType i = 0; i < body.Size(); ++i)
        {
            BotSpec bot;
            if (!ParseBot(body[i], bot, error))
            {
                error = "bot " + std::to_string(i + 1) + ": " + error;
                return false;
            }
            step.bots.push_back(bot);
        }
        return true;
    }
    if (!body.IsObject())
    {
        error = "\"" + kind + "\" takes an object";
        return false;
    }
    if (kind == "landlord")
    {
        step.kind = Step::Kind::Landlord;
        return ParseLandlord(body, step.landlord, error);
    }
    if (kind == "send")
    {
        step.kind = Step::Kind::Send;
        if (!OnlyKeys(body, {"main", "sub", "fields", "hex"}, error) || !ParseCommand(body, step, error))
            return false;
        if (body.HasMember("hex"))
        {
            if (body.HasMember("fields"))
            {
                error = "a body is given as fields or as hex, not both";
                return false;
            }
            FieldSpec f;
            f.kind = FieldSpec::Kind::Hex;
            if (!body["hex"].IsString() || !ReadHex(body["hex"].GetString(), f.bytes))
            {
                error = "\"hex\" is not an even run of hex digits";
                return false;
            }
            step.fields.push_back(f);
        }
        if (!ParseFields(body, false, step.fields, error))
            return false;
        std::vector<uint8_t> built;
        return BuildBody(step.fields, built, error);
    }
    if (kind == "expect")
    {
        step.kind = Step::Kind::Expect;
        step.waitMs = 10000;
        if (!OnlyKeys(body, {"main", "sub", "size", "fields", "timeout"}, error) || !ParseCommand(body, step, error) ||
            !ReadUint(body, "timeout", step.waitMs, false, error))
            return false;
        if (body.HasMember("size"))
        {
            size_t size = 0;
            if (!ReadUint(body, "size", size, true, error) || size > net::kMaxPacketBody)
            {
                error = "\"size\" is not a body size";
                return false;
            }
            step.size = static_cast<long long>(size);
        }
        return ParseFields(body, true, step.fields, error);
    }
    error = "unknown step \"" + kind + "\"";
    return false;
}

size_t FieldLength(const FieldSpec& f)
{
    if (const IntKind* k = FindIntKind(f.kind))
        return k->width;
    switch (f.kind)
    {
        case FieldSpec::Kind::Text: return f.units * 2;
        case FieldSpec::Kind::WideText: return f.text.size() * 2;
        case FieldSpec::Kind::Zeros: return f.count;
        case FieldSpec::Kind::Hex: return f.bytes.size();
        case FieldSpec::Kind::Item: return 4 + f.text.size() * 2;
        default: return 0;
    }
}

std::string Describe(size_t at) { return "field at offset " + std::to_string(at); }

}  // namespace

bool ParseScenario(const std::string& json, Scenario& out, std::string& error)
{
    out = Scenario{};
    rapidjson::Document doc;
    doc.Parse(json.c_str(), json.size());
    if (doc.HasParseError())
    {
        error = std::string("not JSON at byte ") + std::to_string(doc.GetErrorOffset()) + ": " +
                rapidjson::GetParseError_En(doc.GetParseError());
        return false;
    }
    if (!doc.IsObject() || !OnlyKeys(doc, {"name", "connection", "logon", "steps", "end"}, error))
    {
        if (error.empty())
            error = "a scenario is a JSON object";
        return false;
    }
    if (doc.HasMember("name") && doc["name"].IsString())
        out.name = doc["name"].GetString();
    if (doc.HasMember("connection"))
    {
        const std::string connection = doc["connection"].IsString() ? doc["connection"].GetString() : "";
        if (connection != "room" && connection != "hall")
        {
            error = "\"connection\" is \"room\" or \"hall\"";
            return false;
        }
        out.hallConnection = connection == "hall";
    }
    if (doc.HasMember("logon"))
    {
        if (out.hallConnection)
        {
            error = "a hall connection has no room log-on to check";
            return false;
        }
        const Value& logon = doc["logon"];
        if (!logon.IsObject() || !OnlyKeys(logon, {"fields"}, error) ||
            !ParseFields(logon, true, out.logonChecks, error))
        {
            error = "logon: " + (error.empty() ? std::string("not an object") : error);
            return false;
        }
    }
    if (doc.HasMember("end"))
    {
        const std::string end = doc["end"].IsString() ? doc["end"].GetString() : "";
        if (end != "hold" && end != "close")
        {
            error = "\"end\" is \"hold\" or \"close\"";
            return false;
        }
        out.holdAtEnd = end == "hold";
    }
    if (!doc.HasMember("steps") || !doc["steps"].IsArray())
    {
        error = "\"steps\" is missing or not a list";
        return false;
    }
    const Value& steps = doc["steps"];
    for (rapidjson::SizeType i = 0; i < steps.Size(); ++i)
    {
        Step step;
        if (!ParseStep(steps[i], step, error))
        {
            error = "step " + std::to_string(i + 1) + ": " + error;
            return false;
        }
        out.steps.push_back(std::move(step));
    }
    return true;
}

bool LoadScenario(const std::string& path, Scenario& out, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        error = "cannot read " + path;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    if (!ParseScenario(text.str(), out, error))
    {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool BuildBody(const std::vector<FieldSpec>& fields, std::vector<uint8_t>& out, std::string& error)
{
    out.clear();
    for (size_t i = 0; i < fields.size(); ++i)
    {
        const FieldSpec& f = fields[i];
        size_t at = out.size();
        if (f.offset >= 0)
        {
            if (static_cast<size_t>(f.offset) < at)
            {
                error = "field " + std::to_string(i + 1) + " at offset " + std::to_string(f.offset) +
                        " overlaps the one before (which ends at " + std::to_string(at) + ")";
                return false;
            }
            at = static_cast<size_t>(f.offset);
        }
        const size_t length = FieldLength(f);
        if (at + length > net::kMaxPacketBody)
        {
            error = "the body grows past 65535 bytes at field " + std::to_string(i + 1);
            return false;
        }
        out.resize(at + length, 0);
        uint8_t* dest = out.data() + at;
        if (FindIntKind(f.kind))
        {
            std::memcpy(dest, &f.number, length);  // little-endian host: the low bytes
        }
        else if (f.kind == FieldSpec::Kind::Text)
        {
            wire::WriteText(dest, f.units, f.text);
        }
        else if (f.kind == FieldSpec::Kind::WideText)
        {
            for (size_t u = 0; u < f.text.size(); ++u)
            {
                dest[2 * u] = static_cast<uint8_t>(f.text[u] & 0xFF);
                dest[2 * u + 1] = static_cast<uint8_t>(f.text[u] >> 8);
            }
        }
        else if (f.kind == FieldSpec::Kind::Hex && length != 0)
        {
            std::memcpy(dest, f.bytes.data(), length);
        }
        else if (f.kind == FieldSpec::Kind::Item)
        {
            CSendPacketHelper items(dest, length);
            if (!items.AddPacket(f.text, f.itemType))
            {
                error = "item " + std::to_string(i + 1) + " is too long";
                return false;
            }
        }
    }
    return true;
}

bool CheckFields(const std::vector<FieldSpec>& fields, const uint8_t* data, size_t size, std::string& mismatch)
{
    size_t at = 0;
    for (const FieldSpec& f : fields)
    {
        if (f.offset >= 0)
            at = static_cast<size_t>(f.offset);
        const size_t length = FieldLength(f);
        if (at + length > size)
        {
            mismatch = Describe(at) + " lies past the end of the " + std::to_string(size) + "-byte body";
            return false;
        }
        const uint8_t* field = data + at;
        if (FindIntKind(f.kind))
        {
            uint64_t got = 0;
            std::memcpy(&got, field, length);
            uint64_t want = f.number;
            if (length < 8)
            {
                const uint64_t mask = (uint64_t{1} << (8 * length)) - 1;
                want &= mask;
            }
            if (got != want)
            {
                mismatch = Describe(at) + " is " + std::to_string(got) + ", expected " + std::to_string(want);
                return false;
            }
        }
        else if (f.kind == FieldSpec::Kind::Text)
        {
            std::u16string got = wire::ReadText(field, f.units);
            if (got != f.text)
            {
                mismatch = Describe(at) + " is the text \"" + CClientGlobal::WideToUTF8(got) + "\", expected \"" +
                           CClientGlobal::WideToUTF8(f.text) + "\"";
                return false;
            }
            // Byte for byte: the rest of the field is zero.
            for (size_t i = got.size() * 2; i < length; ++i)
            {
                if (field[i] != 0)
                {
                    mismatch = Describe(at) + " holds byte " + std::to_string(at + i) + " = " +
                               std::to_string(field[i]) + " after its text";
                    return false;
                }
            }
        }
        else if (f.kind == FieldSpec::Kind::Item)
        {
            std::vector<uint8_t> want(length, 0);
            CSendPacketHelper item(want.data(), want.size());
            if (!item.AddPacket(f.text, f.itemType) || std::memcmp(field, want.data(), length) != 0)
            {
                tagDataDescribe got{};
                std::memcpy(&got, field, sizeof(got));
                mismatch = Describe(at) + " is an item of type " + std::to_string(got.wDataDescribe) + " and " +
                           std::to_string(got.wDataSize) + " bytes \"" +
                           CClientGlobal::WideToUTF8(wire::ReadTextAt(field, length, 4, got.wDataSize / 2)) +
                           "\", expected type " + std::to_string(f.itemType) + " \"" +
                           CClientGlobal::WideToUTF8(f.text) + "\"";
                return false;
            }
        }
        else if (f.kind == FieldSpec::Kind::Zeros)
        {
            for (size_t i = 0; i < length; ++i)
            {
                if (field[i] != 0)
                {
                    mismatch = "byte " + std::to_string(at + i) + " is not 0";
                    return false;
                }
            }
        }
        else if (f.kind == FieldSpec::Kind::Hex)
        {
            if (length != 0 && std::memcmp(field, f.bytes.data(), length) != 0)
            {
                mismatch = Describe(at) + " differs from the expected bytes";
                return false;
            }
        }
        at += length;
    }
    return true;
}

std::vector<uint8_t> BuildUserEnter(const BotSpec& bot, uint32_t logonUserId)
{
    std::vector<uint8_t> body(82 + 4 + 64, 0);
    wire::ByteWriter head(body.data(), 82);
    head.u32(bot.gameId);
    head.u32(bot.logonUser ? logonUserId : bot.userId);
    head.zeros(4 + 2 + 4);  // carried values
    head.u8(bot.gender);
    head.u8(bot.memberLevel);
    head.u8(0);
    head.u16(bot.table);
    head.u16(bot.chair);
    head.u8(bot.status);
    head.i64(bot.score);
    head.i64(0);
    head.i64(bot.bank);
    head.zeros(3 * 8 + 4 + 2);
    head.u16(bot.clientKind);
    // The nickname item: at most 31 units, as the room keeps it.
    CSendPacketHelper items(body.data() + 82, body.size() - 82);
    items.AddPacket(bot.nickname.substr(0, 31), 10);
    body.resize(82 + items.GetDataSize());
    return body;
}

}  // namespace roomsim
