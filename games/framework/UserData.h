// The user record of a room, one per user, shared with the game kernel (which
// keeps copies of the records at its table). Not a wire record: the room
// builds it field by field from the user-enter message and the kernel from
// the relayed copy, so it keeps natural alignment and its fields may be read
// and bound like any struct member. Texts are 0-terminated fixed UTF-16
// arrays (read them with FieldText from core/ClientGlobal.h, never unbounded).
#pragma once

#include <cstdint>

// Table and chair numbers; 65535 is none (or any chair in a sit-down).
constexpr uint16_t INVALID_TABLE = 0xFFFF;
constexpr uint16_t INVALID_CHAIR = 0xFFFF;

// UserStatus, the status byte of a record: below US_SIT the user is not at a
// table.
enum : uint8_t
{
    US_NULL = 0,  // left the room
    US_FREE = 1,
    US_SIT = 2,
    US_READY = 3,
    US_LOOKON = 4,
    US_PLAY = 5,
};

// Client kinds of dwClientKind.
enum : uint32_t
{
    CLIENT_KIND_APPLE = 1,
    CLIENT_KIND_ANDROID = 2,
    CLIENT_KIND_PC = 3,
};

struct tagUserData
{
    uint32_t dwUserID;          // identity on the servers
    uint32_t dwGameID;          // the number players see and search by
    uint32_t dwCarried1;        // user-enter head offset 8, relayed as is
    char16_t szNickName[32];    // 0-terminated, at most 31 units
    char16_t szSecondText[32];  // tail item 11
    char16_t szThirdText[32];   // tail item 12, shown on the info card
    char16_t szFourthText[16];  // tail item 13, never relayed
    uint16_t wCarried2;         // head offset 12
    uint32_t dwCarried3;        // head offset 14
    uint8_t cbGender;           // 0 male, 1 female, other undisclosed
    uint8_t cbMemberOrder;      // non-zero marks a member
    uint8_t cbCarried4;         // head offset 20
    uint16_t wTableID;
    uint16_t wChairID;
    uint8_t cbUserStatus;  // UserStatus
    // The score block, relayed as 52 bytes: six values and a trailing u32.
    int64_t lScore;
    int64_t lCarriedScore1;
    int64_t lInsureScore;  // safe-box balance
    int64_t lCarriedScore2;
    int64_t lCarriedScore3;
    int64_t lCarriedScore4;
    uint32_t dwScoreEnd;    // carried with the six values
    uint32_t dwClientKind;  // CLIENT_KIND_*; from a u16
    uint8_t cbKept1;        // kept, not relayed to the game
    uint8_t cbKept2;
};
