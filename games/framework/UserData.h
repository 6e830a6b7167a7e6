// The user record of a room and of the game kernel, and the user status byte.
//
// Never sent whole on the wire: the room fills it from the user-enter message
// and the kernel from the relayed copy, field by field. Natural alignment, so
// games may bind its fields; texts are 0-terminated fixed UTF-16 arrays (read
// them with FieldText from core/ClientGlobal.h, never unbounded).
#pragma once

#include <cstdint>

// UserStatus: below US_SIT the user is not at a table.
enum : uint8_t {
    US_NULL = 0,
    US_FREE = 1,
    US_SIT = 2,
    US_READY = 3,
    US_LOOKON = 4,
    US_PLAY = 5,
};

constexpr uint16_t INVALID_TABLE = 0xFFFF;
constexpr uint16_t INVALID_CHAIR = 0xFFFF;

struct tagUserData {
    uint32_t dwUserID;
    uint32_t dwGameID;          // the number players see and search by
    uint32_t dwCarried1;        // relayed without meaning to us
    char16_t szNickName[32];
    char16_t szSecondText[32];
    char16_t szThirdText[32];   // shown on the player info card
    char16_t szFourthText[16];  // never relayed to the game
    uint16_t wCarried2;
    uint32_t dwCarried3;
    uint8_t cbGender;           // 0 male, 1 female, other undisclosed
    uint8_t cbMemberOrder;      // non-zero: a member
    uint8_t cbCarried4;
    uint16_t wTableID;          // INVALID_TABLE: none
    uint16_t wChairID;          // INVALID_CHAIR: none
    uint8_t cbUserStatus;
    // The score block, relayed as 52 bytes: six values and a trailing u32.
    int64_t lScore;
    int64_t lCarriedScore1;
    int64_t lInsureScore;       // safe-box balance
    int64_t lCarriedScore2;
    int64_t lCarriedScore3;
    int64_t lCarriedScore4;
    uint32_t dwScoreEnd;
    uint32_t dwClientKind;      // 1 Apple, 2 Android, 3 PC
    uint8_t cbKept1;            // kept by the room, not relayed
    uint8_t cbKept2;
};
