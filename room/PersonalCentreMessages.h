// Messages of the personal centre on the hall connection (main 3): the
// requests it builds and the two replies it reads. Little-endian and packed;
// passwords travel as MD5 texts of 32 hex digits in fields of 33 units.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum : uint16_t
{
    MDM_GP_USER_SERVICE = 3,
    SUB_GP_MODIFY_LOGON_PASS = 101,   // client: ModifyPasswordRequest
    SUB_GP_MODIFY_INSURE_PASS = 102,  // client: ModifyPasswordRequest
    SUB_GP_USER_INFO_RESULT = 301,
    SUB_GP_QUERY_USER_INFO = 302,   // client: QueryUserInfoRequest
    SUB_GP_MODIFY_USER_INFO = 303,  // client: ModifyUserInfoHead and items
    SUB_GP_OPERATE_RESULT = 900,
};

KEST_WIRE_BEGIN

// Client: the profile of the logged-on user (3/302).
struct QueryUserInfoRequest
{
    uint32_t dwReserved;  // 0
    uint32_t dwUserID;
    char16_t szPassword[33];  // log-on password MD5 text
};

// Client: a new log-on (3/101) or safe-box (3/102) password.
struct ModifyPasswordRequest
{
    uint32_t dwUserID;
    uint32_t dwServerAddr;  // IPv4 of the connected server
    char16_t szNewPassword[33];
    char16_t szOldPassword[33];
};

// Client: head of the profile (3/303); text items follow.
struct ModifyUserInfoHead
{
    uint8_t cbGender;  // 0 or 1 as chosen, 2 when neither is
    uint32_t dwUserID;
    char16_t szPassword[33];  // log-on password MD5 text
};

// Head of the profile reply (3/301); text items follow.
struct UserInfoReplyHead
{
    uint32_t dwReserved;
    uint8_t cbGender;
};

KEST_WIRE_END

static_assert(sizeof(QueryUserInfoRequest) == 74, "profile query layout");
static_assert(sizeof(ModifyPasswordRequest) == 140 && offsetof(ModifyPasswordRequest, szOldPassword) == 74,
              "password change layout");
static_assert(sizeof(ModifyUserInfoHead) == 71, "profile head layout");
static_assert(sizeof(UserInfoReplyHead) == 5, "profile reply head layout");

namespace centre {

// The whole profile message, head and items, at most this many bytes.
constexpr size_t kModifyUserInfoBuffer = 16384;
constexpr size_t kModifyUserInfoItemCapacity = kModifyUserInfoBuffer - sizeof(ModifyUserInfoHead);
// Results of the operate reply (3/900).
constexpr uint32_t kLogonPasswordChanged = 100;
constexpr uint32_t kBankPasswordChanged = 200;
// The item type of the nickname, always the last item of a profile.
constexpr uint16_t kNicknameItem = 1;
constexpr uint8_t kGenderUnset = 2;

using Item = std::pair<uint16_t, std::u16string>;  // type, text

// The MD5 text of a typed password (GBK bytes) as UTF-16.
std::u16string PasswordMd5(const std::string& typed);

QueryUserInfoRequest BuildQueryUserInfo(uint32_t userId, const std::u16string& passwordMd5);
ModifyPasswordRequest BuildModifyPassword(uint32_t userId, uint32_t serverAddr, const std::u16string& newMd5,
                                          const std::u16string& oldMd5);
// Head and items in order; an item that does not fit is dropped.
std::vector<uint8_t> BuildModifyUserInfo(uint8_t gender, uint32_t userId, const std::u16string& passwordMd5,
                                         const std::vector<Item>& items);

// The profile reply: false when shorter than its head. Items are read until
// one would pass the message's end; each text stops at its first 0.
bool ReadUserInfoReply(const void* data, size_t size, uint8_t& gender, std::vector<Item>& items);
// The operate reply: false when shorter than its result; the text is read no
// further than the message (none at all: empty).
bool ReadOperateResult(const void* data, size_t size, uint32_t& result, std::u16string& text);

}  // namespace centre
