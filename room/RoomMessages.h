// Messages of the room connection: command numbers and the fixed records,
// little-endian and packed.
#pragma once

#include "core/Wire.h"
#include "games/framework/KernelMessages.h"

#include <cstddef>
#include <cstdint>

// Main commands of the room server.
enum : uint16_t
{
    MDM_GR_LOGON = 1,
    MDM_GR_INFO = 2,
    MDM_GR_USER = 3,
    MDM_GR_STATUS = 4,
    MDM_GR_BANK = 5,
    MDM_GF_FRAME = 100,
    MDM_GF_GAME = 200,
    MDM_GR_SYSTEM = 1000,
};

// MDM_GR_LOGON
enum : uint16_t
{
    SUB_GR_LOGON_USERID = 1,  // client: RoomLogonRequest
    SUB_GR_LOGON_SUCCESS = 100,
    SUB_GR_LOGON_ERROR = 101,  // u8[6], then the reason as UTF-16
    SUB_GR_LOGON_FINISH = 102,
};

// MDM_GR_INFO
enum : uint16_t
{
    SUB_GR_SERVER_INFO = 101
};

// MDM_GR_USER
enum : uint16_t
{
    SUB_GR_USER_RULE = 1,         // client: table password (TableRuleHead + item)
    SUB_GR_USER_SIT_REQ = 3,      // client: SitDownRequest
    SUB_GR_USER_STANDUP_REQ = 4,  // client: StandUpRequest
    SUB_GR_USER_SPEAKER_INFO = 70,
    SUB_GR_USER_COME = 100,
    SUB_GR_USER_SCORE = 101,
    SUB_GR_USER_STATUS = 102,
    SUB_GR_SIT_FAILED = 103,
    SUB_GR_USER_CHAT = 211,
    SUB_GR_ROOM_MESSAGE = 302,
    SUB_GR_USER_SPEAKER = 305,  // client: loudspeaker request
    SUB_GR_SPEAKER_MESSAGE = 308,
};

// MDM_GR_STATUS
enum : uint16_t
{
    SUB_GR_TABLE_INFO = 100,    // u16 count, count x tagTableStatus
    SUB_GR_TABLE_STATUS = 101,  // TableStatusMessage
};

// MDM_GR_SYSTEM
enum : uint16_t
{
    SUB_GR_SYSTEM_MESSAGE = 1,
    SUB_GR_SYSTEM_MESSAGE_2 = 2,
};

KEST_WIRE_BEGIN

// Client: room log-on (1/1).
struct RoomLogonRequest
{
    uint32_t dwReserved[3];  // 0
    uint32_t dwUserID;
    char16_t szPassword[33];  // log-on password MD5 text
    char16_t szMachineID[33];
    uint16_t wKindID;        // from the server record
    uint32_t dwClientAddr;   // the transport's address notice; 0 when none
    uint32_t dwRoomVersion;  // setting "RoomVesion"
    uint32_t dwLogonKind;    // always kRoomLogonKind
};

// Room configuration (2/101), kept whole.
struct tagRoomConfig
{
    uint16_t wTableCount;
    uint16_t wChairCount;     // chairs per table
    uint16_t wGameValue4;     // to the game's configuration and an external program's command line
    uint32_t dwGameValue6;    // to the game's configuration
    uint8_t cbGridBlock[14];  // for the table grid only
    uint16_t wGridValue24;
};

// Client: sit down (3/3).
struct SitDownRequest
{
    uint16_t wTableID;  // INVALID_TABLE: any
    uint16_t wChairID;  // INVALID_CHAIR: any
    uint8_t cbReserved;
    char16_t szPassword[33];  // table password, zero when none
};

// Client: stand up (3/4).
struct StandUpRequest
{
    uint16_t wTableID;
    uint16_t wChairID;
    uint8_t cbForce;  // 1 leaves even while the game runs
};

// Client: head of the table rule (3/1), always zero; a type-1 item follows.
struct TableRuleHead
{
    uint8_t cbReserved[13];
};

struct tagTableStatus
{
    uint8_t cbTableLock;
    uint8_t cbPlayStatus;
};

// One table's state (4/101).
struct TableStatusMessage
{
    uint16_t wTableID;
    uint8_t cbTableLock;
    uint8_t cbPlayStatus;
};

// The player's loudspeaker allowance (3/70).
struct tagSpeakerInfo
{
    uint32_t dwSmallPrice;
    uint32_t dwBigPrice;
    uint32_t dwSmallCount;  // small loudspeakers left
    uint32_t dwBigCount;
};

// A loudspeaker line to everyone (3/308).
struct SpeakerMessage
{
    uint16_t wType;  // kSpeakerSmallType, kSpeakerBigType, or one that only scrolls
    uint8_t cbReserved1[8];
    char16_t szSender[32];
    uint8_t cbReserved2[64];
    char16_t szText[128];
};

// Client: a loudspeaker text (3/305).
struct SpeakerRequest
{
    uint8_t cbFlag;     // always kSpeakerRequestFlag
    uint16_t wType;     // kSpeakerSmallType or kSpeakerBigType
    uint32_t dwColour;  // always kSpeakerColour
    char16_t szText[128];
};

KEST_WIRE_END

// The user enter (3/100) is an 82-byte head and text items, read by
// Sexy::ReadUserHeadAndItems. The score (3/101, 57 bytes) and status (3/102,
// the first 9 of at least 25) messages have the layout the room relays to
// the game.
using Sexy::UserScoreMessage;
using Sexy::UserStatusMessage;

static_assert(sizeof(RoomLogonRequest) == 162, "room log-on layout");
static_assert(offsetof(RoomLogonRequest, szPassword) == 16 && offsetof(RoomLogonRequest, szMachineID) == 82 &&
                  offsetof(RoomLogonRequest, wKindID) == 148 && offsetof(RoomLogonRequest, dwRoomVersion) == 154,
              "room log-on offsets");
static_assert(sizeof(tagRoomConfig) == 26 && offsetof(tagRoomConfig, wGridValue24) == 24, "room configuration layout");
static_assert(sizeof(SitDownRequest) == 71, "sit-down layout");
static_assert(sizeof(StandUpRequest) == 5, "stand-up layout");
static_assert(sizeof(TableRuleHead) == 13, "table rule head layout");
static_assert(sizeof(tagTableStatus) == 2 && sizeof(TableStatusMessage) == 4, "table state layout");
static_assert(sizeof(tagSpeakerInfo) == 16, "loudspeaker allowance layout");
static_assert(sizeof(SpeakerMessage) == 394 && offsetof(SpeakerMessage, szSender) == 10 &&
                  offsetof(SpeakerMessage, szText) == 138,
              "loudspeaker line layout");
static_assert(sizeof(SpeakerRequest) == 263 && offsetof(SpeakerRequest, szText) == 7, "loudspeaker request layout");

constexpr uint32_t kRoomLogonKind = 3;
constexpr uint32_t kDefaultRoomVersion = 5002;
constexpr size_t kUserStatusMinSize = 25;
constexpr size_t kLogonErrorMinSize = 6;
constexpr size_t kSitFailedMinSize = 5;
// Capacity of the tail items of the table rule.
constexpr size_t kTableRuleItemCapacity = 16196;
// Chat (3/211): u16 count of the text's units, the sender at 14, the text
// at 270 (count units, exactly).
constexpr size_t kChatSenderAt = 14;
constexpr size_t kChatTextAt = 270;
// Notice (1000/1): u16 flags, u16 length of the text in units, the text.
constexpr size_t kNoticeTextAt = 4;
enum : uint16_t
{
    kNoticeToChat = 0x0001,
    kNoticeToBox = 0x0002,
    kNoticeLeave = 0x0100,
};
// Room message (3/302): the text from byte 6.
constexpr size_t kRoomMessageTextAt = 6;
// Loudspeaker types: the small and the big loudspeaker's lines; others only
// scroll on the top layer.
constexpr uint16_t kSpeakerSmallType = 19;
constexpr uint16_t kSpeakerBigType = 20;
constexpr uint8_t kSpeakerRequestFlag = 4;
constexpr uint32_t kSpeakerColour = 0x00FF0000;

// Command word of a sink's OnSocketRead.
constexpr uint32_t MakeCommand(uint16_t main, uint16_t sub)
{
    return static_cast<uint32_t>(main) | (static_cast<uint32_t>(sub) << 16);
}
