// Reading the room's user-enter message into a record, and building what the
// room sends the server: the log-on, seats and the table rule. What goes to
// the game about users is built by the framework (KernelMessages.h).
#pragma once

#include "room/RoomMessages.h"
#include "room/UserData.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace room {

// A zero-filled record from a user enter (head and tail items). False when the
// message is shorter than its head. Text items longer than their field are
// ignored (the field stays empty); unknown items are skipped.
bool ReadUserEnter(const void* data, size_t size, tagUserData& out);

struct LogonIdentity
{
    uint32_t userId = 0;
    std::u16string passwordMd5;  // 32 hex digits
    std::string machineId;       // 32 characters
    uint16_t kindId = 0;
    uint32_t clientAddr = 0;
    uint32_t roomVersion = kDefaultRoomVersion;
};
RoomLogonRequest BuildRoomLogon(const LogonIdentity& identity);

// The password is cut to 32 units: the field holds 33 with its terminator.
SitDownRequest BuildSitDown(uint16_t table, uint16_t chair, const std::u16string& password);

// Zero head and one type-1 item with the whole password (empty: no password).
std::vector<uint8_t> BuildTableRule(const std::u16string& password);

// The loudspeaker request: kind 0 small (type 19), else big (type 20). The
// text (UTF-8) is cut to the field's 127 units and 0-terminated, never
// splitting a surrogate pair.
SpeakerRequest BuildSpeakerRequest(int kind, const std::string& utf8Text);

// The card's words for a client kind; a space for an unknown kind.
const char* ClientKindText(uint32_t clientKind);  // UTF-8

}  // namespace room
