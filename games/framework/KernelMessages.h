// Messages between the room and a game: the kernel channel (room to kernel,
// or over the copy-data channel to an external game program) and the game
// frame messages (main 100) that travel inside it.
//
// Every payload is packed little-endian bytes; readers check sizes first.
#pragma once

#include "core/Wire.h"
#include "games/framework/UserData.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Sexy {

// --- the kernel channel ----------------------------------------------------
// Main 0: an external game program controls the room.
constexpr uint16_t IPC_MAIN_CONTROL = 0;
constexpr uint16_t IPC_SUB_GAME_READY = 1;  // its game window is ready (sender = that window)
constexpr uint16_t IPC_SUB_GAME_CLOSED = 3;
constexpr uint16_t IPC_SUB_CLOSE_BANK = 4;
constexpr uint16_t IPC_SUB_CONTROL_NOP = 5;
// Main 1: game-server packets {u16 main, u16 sub, payload}.
constexpr uint16_t IPC_MAIN_SOCKET = 1;
constexpr uint16_t IPC_SUB_SOCKET_SEND = 1;  // game -> room
constexpr uint16_t IPC_SUB_SOCKET_RECV = 2;  // room -> game
// Main 3: room control.
constexpr uint16_t IPC_MAIN_CONFIG = 3;
constexpr uint16_t IPC_SUB_SERVER_INFO = 102;  // GameServerConfig
constexpr uint16_t IPC_SUB_SHOW_GAME = 104;
constexpr uint16_t IPC_SUB_CLOSE_GAME = 105;
constexpr uint16_t IPC_SUB_NETWORK_BUSY = 106;
constexpr uint16_t IPC_SUB_SPEAKER = 108;  // external programs only
// Main 4: users at my table.
constexpr uint16_t IPC_MAIN_USER = 4;
constexpr uint16_t IPC_SUB_USER_ENTER = 100;
constexpr uint16_t IPC_SUB_USER_SCORE = 101;
constexpr uint16_t IPC_SUB_USER_STATUS = 102;
constexpr uint16_t IPC_SUB_USER_IGNORED_103 = 103;  // accepted and ignored
constexpr uint16_t IPC_SUB_USER_IGNORED_104 = 104;  // accepted and ignored
constexpr uint16_t IPC_SUB_TABLE_STARTED = 107;
constexpr uint16_t IPC_SUB_TABLE_ENDED = 108;

// --- game-server commands ----------------------------------------------------
constexpr uint16_t MDM_GF_FRAME = 100;
constexpr uint16_t SUB_GF_OPTION = 1;         // to the server: GameOptionMessage
constexpr uint16_t SUB_GF_USER_READY = 2;     // to the server
constexpr uint16_t SUB_GF_GAME_STATUS = 100;  // exactly 2 bytes
constexpr uint16_t SUB_GF_SCENE = 101;
constexpr uint16_t SUB_GF_SYSTEM_MESSAGE = 200;
// The server sends these too; the kernel accepts them and does nothing.
constexpr uint16_t SUB_GF_IGNORED_10 = 10;
constexpr uint16_t SUB_GF_IGNORED_11 = 11;
constexpr uint16_t SUB_GF_IGNORED_102 = 102;
constexpr uint16_t SUB_GF_IGNORED_201 = 201;
constexpr uint16_t MDM_GF_GAME = 200;

constexpr uint8_t GAME_STATUS_FREE = 0;
constexpr uint8_t GAME_STATUS_PLAY = 100;
constexpr uint8_t GAME_STATUS_WAIT = 200;

// Largest payload of one game-server packet through the relay.
constexpr size_t kMaxGamePayload = 16209;
// {u16 main, u16 sub} in front of every relayed packet.
constexpr size_t kGamePacketHead = 4;

constexpr uint32_t kGameFrameVersion = 0x06060003;
constexpr uint32_t ReadyClockID = 1224;
// Kind ids of this value and above are external programs.
constexpr uint16_t kFirstExternalKind = 2060;

KEST_WIRE_BEGIN
// Room -> game (3, 102): what the game needs of the room and my seat.
struct GameServerConfig
{
    uint16_t wTableID;
    uint16_t wChairID;
    uint32_t dwUserID;
    uint32_t dwConfigLong1;
    uint32_t dwConfigLong2;
    uint16_t wKindID;
    uint16_t wServerWord1;   // the server record's u16 at its offset 6
    uint16_t wServerWord2;   // the room configuration's u16 at its offset 4
    uint32_t dwServerLong1;  // the room configuration's u32 at its offset 6
    uint16_t szServerName[32];
    uint16_t wServerWord3;
    uint32_t dwServerLong2;
    uint16_t wChairCount;
    uint32_t dwOptionValue;
    uint16_t szKindName[32];
};

// Game -> server (100, 1), sent when the board is shown.
struct GameOptionMessage
{
    uint8_t cbAllowLookon;
    uint32_t dwFrameVersion;
    uint32_t dwOptionValue;
};

// Room -> game (4, 101): the room's user-score message unchanged.
struct UserScoreMessage
{
    uint32_t dwUserID;
    uint8_t cbNoChange;  // 1: do not report a change
    int64_t lScore;
    int64_t lCarriedScore1;
    int64_t lInsureScore;
    int64_t lCarriedScore2;
    int64_t lCarriedScore3;
    int64_t lCarriedScore4;
    uint32_t dwScoreEnd;
};

// Room -> game (4, 102).
struct UserStatusMessage
{
    uint32_t dwUserID;
    uint16_t wTableID;
    uint16_t wChairID;
    uint8_t cbUserStatus;
};
KEST_WIRE_END
static_assert(sizeof(GameServerConfig) == 166, "game server configuration layout");
static_assert(offsetof(GameServerConfig, szServerName) == 26 && offsetof(GameServerConfig, wChairCount) == 96 &&
                  offsetof(GameServerConfig, szKindName) == 102,
              "game server configuration offsets");
static_assert(sizeof(GameOptionMessage) == 9, "game option layout");
static_assert(sizeof(UserScoreMessage) == 57, "user score layout");
static_assert(sizeof(UserStatusMessage) == 9, "user status layout");

// The user-enter message (4, 100): an 83-byte head, then tail items
// {u16 size, u16 type, UTF-16}: 10 nickname, 11 second text, 12 third text.
constexpr size_t kUserEnterHead = 83;
constexpr size_t kUserEnterItemCapacity = 16301;
constexpr size_t kUserEnterMaxSize = kUserEnterHead + kUserEnterItemCapacity;
constexpr uint16_t kItemNickName = 10;
constexpr uint16_t kItemSecondText = 11;
constexpr uint16_t kItemThirdText = 12;
constexpr uint16_t kItemFourthText = 13;  // the room's only
// The user head of the room's user-enter message (3, 100); the game's
// carries the same head one byte later.
constexpr size_t kUserHead = 82;

// Writes the message for one user into buffer (kUserEnterMaxSize bytes are
// always enough); the nickname item always, the second and third texts only
// when not empty, the fourth never. Returns the size written.
size_t WriteUserEnterMessage(const tagUserData& user, uint8_t* buffer, size_t capacity);
// The same message, at its size.
std::vector<uint8_t> UserEnterMessage(const tagUserData& user);

// Fills out (zeroed first) from a user head and the text items after it:
// 10 to 12 of at most 64 bytes, 13 of at most 32; over-long items are
// skipped. False, with out zeroed, when shorter than the head.
bool ReadUserHeadAndItems(const void* data, size_t size, tagUserData& out);

// Fills out (zeroed first) from a user-enter message; false, with out
// zeroed, when it is shorter than its head. Text items of more than 64 bytes
// are skipped; other item types are ignored.
bool ReadUserEnterMessage(const void* data, size_t size, tagUserData& out);

// Copies the score block of a user-score message into a record.
void ApplyUserScore(const UserScoreMessage& message, tagUserData& user);

// Size of the room's game kind record (its kind ID at offset 6), which the
// kernel's resource and enter calls take.
constexpr size_t kGameKindRecordSize = 1496;

}  // namespace Sexy
