#include "room/PersonalCentreMessages.h"

#include "core/ClientGlobal.h"
#include "net/PacketHelper.h"

#include <cstring>

namespace centre {

std::u16string PasswordMd5(const std::string& typed)
{
    const std::string md5 = CClientGlobal::MD5Text(typed);
    return std::u16string(md5.begin(), md5.end());
}

QueryUserInfoRequest BuildQueryUserInfo(uint32_t userId, const std::u16string& passwordMd5)
{
    QueryUserInfoRequest request;
    std::memset(&request, 0, sizeof(request));
    request.dwUserID = userId;
    wire::WriteText(request.szPassword, 33, passwordMd5);
    return request;
}

ModifyPasswordRequest BuildModifyPassword(uint32_t userId, uint32_t serverAddr, const std::u16string& newMd5,
                                          const std::u16string& oldMd5)
{
    ModifyPasswordRequest request;
    std::memset(&request, 0, sizeof(request));
    request.dwUserID = userId;
    request.dwServerAddr = serverAddr;
    wire::WriteText(request.szNewPassword, 33, newMd5);
    wire::WriteText(request.szOldPassword, 33, oldMd5);
    return request;
}

std::vector<uint8_t> BuildModifyUserInfo(uint8_t gender, uint32_t userId, const std::u16string& passwordMd5,
                                         const std::vector<Item>& items)
{
    std::vector<uint8_t> message(kModifyUserInfoBuffer, 0);
    ModifyUserInfoHead head;
    std::memset(&head, 0, sizeof(head));
    head.cbGender = gender;
    head.dwUserID = userId;
    wire::WriteText(head.szPassword, 33, passwordMd5);
    std::memcpy(message.data(), &head, sizeof(head));
    CSendPacketHelper helper(message.data() + sizeof(head), kModifyUserInfoItemCapacity);
    for (const Item& item : items)
        helper.AddPacket(item.second, item.first);
    message.resize(sizeof(head) + helper.GetDataSize());
    return message;
}

bool ReadUserInfoReply(const void* data, size_t size, uint8_t& gender, std::vector<Item>& items)
{
    UserInfoReplyHead head;
    if (!wire::ReadRecord(data, size, head))
        return false;
    gender = head.cbGender;
    items.clear();
    CRecvPacketHelper helper(static_cast<const uint8_t*>(data) + sizeof(head), size - sizeof(head));
    tagDataDescribe describe{};
    while (const void* item = helper.GetData(describe))
    {
        const uint16_t type = describe.wDataDescribe;
        const uint16_t bytes = describe.wDataSize;
        items.emplace_back(type, wire::ReadText(item, bytes / 2));
    }
    return true;
}

bool ReadOperateResult(const void* data, size_t size, uint32_t& result, std::u16string& text)
{
    if (!wire::ReadRecord(data, size, result))
        return false;
    text = wire::ReadTextAt(data, size, sizeof(result), (size - sizeof(result)) / 2);
    return true;
}

}  // namespace centre
