// Scenario files of the room server (scenarios/*.json): what to send, what
// the client must send, waits and bots. tools/roomsim/README.md has the format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace roomsim {

// One piece of a message body, written in order (or at an absolute offset).
struct FieldSpec
{
    enum class Kind
    {
        U8,
        U16,
        U32,
        I32,
        I64,
        U64,
        Text,
        WideText,
        Zeros,
        Hex,
        Item
    };
    Kind kind = Kind::U8;
    long long offset = -1;       // -1: right after the previous field
    uint64_t number = 0;         // integer kinds (two's complement for signed ones)
    std::u16string text;         // Text, WideText, Item
    size_t units = 0;            // Text: the field's units (cut and 0-terminated)
    size_t count = 0;            // Zeros
    std::vector<uint8_t> bytes;  // Hex
    uint16_t itemType = 0;       // Item
};

// A user the server puts in the room: a user-enter message (3/100).
struct BotSpec
{
    bool logonUser = false;  // the user id of the log-on request
    uint32_t userId = 0;
    uint32_t gameId = 0;
    std::u16string nickname;
    uint8_t gender = 0;
    uint8_t memberLevel = 0;
    uint16_t table = 65535;
    uint16_t chair = 65535;
    uint8_t status = 1;
    int64_t score = 0;
    int64_t bank = 0;
    uint16_t clientKind = 3;
};

// A landlord table the server runs for the player (tools/roomsim/README.md):
// it seats him and two bots, deals, runs the calls and the play with the
// rules library, and ends each hand with its scores.
struct LandlordSpec
{
    uint64_t seed = 0;        // of the shuffles; 0 takes the clock's
    uint32_t hands = 1;       // then the step ends; 0 plays until the client leaves
    uint16_t table = 65535;   // the player's seat when he sits already;
    uint16_t chair = 65535;   // 65535: wait for his sit-down
    uint8_t outSeconds = 20;  // the free scene's clock lengths
    uint8_t callSeconds = 15;
    uint8_t firstSeconds = 30;
    uint64_t botDelayMs = 800;  // how long a bot thinks
    std::vector<BotSpec> bots;  // who sits down beside him (two at most are used)
};

struct Step
{
    enum class Kind
    {
        Send,
        Expect,
        Wait,
        Bots,
        Close,
        Repeat,
        Landlord
    };
    Kind kind = Kind::Send;
    uint16_t main = 0;
    uint16_t sub = 0;
    std::vector<FieldSpec> fields;  // Send: the body; Expect: checks at offsets
    long long size = -1;            // Expect: exact body size, -1 for any
    uint64_t waitMs = 0;            // Wait; Expect: how long to wait
    std::vector<BotSpec> bots;
    uint64_t times = 0;       // Repeat: how many rounds
    std::vector<Step> steps;  // Repeat: one round
    LandlordSpec landlord;
};

struct Scenario
{
    std::string name;
    // A hall connection (the personal centre's) sends no room log-on: the
    // steps start once the client is connected.
    bool hallConnection = false;
    std::vector<FieldSpec> logonChecks;  // on the 162-byte room log-on
    std::vector<Step> steps;
    bool holdAtEnd = true;  // keep serving after the last step until the client leaves
};

// Parses a scenario; false with a message naming the step on any error.
bool ParseScenario(const std::string& json, Scenario& out, std::string& error);
bool LoadScenario(const std::string& path, Scenario& out, std::string& error);

// Builds a send body. False when the fields overlap or exceed 65535 bytes.
bool BuildBody(const std::vector<FieldSpec>& fields, std::vector<uint8_t>& out, std::string& error);

// Checks an expect step's fields against a body; the first mismatch is described.
bool CheckFields(const std::vector<FieldSpec>& fields, const uint8_t* data, size_t size, std::string& mismatch);

// The user-enter body (82-byte head and tail items) of one bot.
std::vector<uint8_t> BuildUserEnter(const BotSpec& bot, uint32_t logonUserId);

}  // namespace roomsim
