#include "room/UserMessages.h"

#include "net/PacketHelper.h"

#include <algorithm>
#include <cstring>

namespace room {

namespace {

// Copies a text item into a fixed field when it fits; the last unit always 0.
template <size_t N>
void CopyItem(char16_t (&field)[N], const void* item, size_t bytes)
{
    if (bytes > sizeof(field))
        return;
    std::memset(field, 0, sizeof(field));
    std::memcpy(field, item, bytes);
    field[N - 1] = 0;
}

}  // namespace

bool ReadUserEnter(const void* data, size_t size, tagUserData& out)
{
    UserEnterHead head;
    if (!wire::ReadRecord(data, size, head))
        return false;
    out = tagUserData{};
    out.dwUserID = head.dwUserID;
    out.dwGameID = head.dwGameID;
    out.dwCarried1 = head.dwCarried1;
    out.wCarried2 = head.wCarried2;
    out.dwCarried3 = head.dwCarried3;
    out.cbGender = head.cbGender;
    out.cbMemberOrder = head.cbMemberOrder;
    out.cbCarried4 = head.cbCarried4;
    out.wTableID = head.wTableID;
    out.wChairID = head.wChairID;
    out.cbUserStatus = head.cbUserStatus;
    int64_t values[6];
    std::memcpy(values, reinterpret_cast<const uint8_t*>(data) + offsetof(UserEnterHead, lValues), sizeof(values));
    out.lScore = values[0];
    out.lCarriedScore1 = values[1];
    out.lInsureScore = values[2];
    out.lCarriedScore2 = values[3];
    out.lCarriedScore3 = values[4];
    out.lCarriedScore4 = values[5];
    out.dwScoreEnd = head.dwScoreEnd;
    out.cbKept1 = head.cbKept1;
    out.cbKept2 = head.cbKept2;
    out.dwClientKind = head.wClientKind;

    CRecvPacketHelper items(static_cast<const uint8_t*>(data) + sizeof(head), size - sizeof(head));
    tagDataDescribe describe;
    while (const void* item = items.GetData(describe)) {
        switch (describe.wDataDescribe) {
        case 10: CopyItem(out.szNickName, item, describe.wDataSize); break;
        case 11: CopyItem(out.szSecondText, item, describe.wDataSize); break;
        case 12: CopyItem(out.szThirdText, item, describe.wDataSize); break;
        case 13: CopyItem(out.szFourthText, item, describe.wDataSize); break;
        default: break;
        }
    }
    return true;
}

RoomLogonRequest BuildRoomLogon(const LogonIdentity& identity)
{
    RoomLogonRequest request;
    std::memset(&request, 0, sizeof(request));
    request.dwUserID = identity.userId;
    wire::WriteText(request.szPassword, 33, identity.passwordMd5);
    std::u16string machine(identity.machineId.begin(), identity.machineId.end());
    wire::WriteText(request.szMachineID, 33, machine);
    request.wKindID = identity.kindId;
    request.dwClientAddr = identity.clientAddr;
    request.dwRoomVersion = identity.roomVersion;
    request.dwLogonKind = kRoomLogonKind;
    return request;
}

SitDownRequest BuildSitDown(uint16_t table, uint16_t chair, const std::u16string& password)
{
    SitDownRequest request;
    std::memset(&request, 0, sizeof(request));
    request.wTableID = table;
    request.wChairID = chair;
    wire::WriteText(request.szPassword, 33, password);
    return request;
}

std::vector<uint8_t> BuildTableRule(const std::u16string& password)
{
    std::vector<uint8_t> message(sizeof(TableRuleHead) + kTableRuleItemCapacity, 0);
    CSendPacketHelper items(message.data() + sizeof(TableRuleHead), kTableRuleItemCapacity);
    const size_t maxUnits = (kTableRuleItemCapacity - sizeof(tagDataDescribe)) / 2;
    items.AddPacket(password.substr(0, std::min(password.size(), maxUnits)), 1);
    message.resize(sizeof(TableRuleHead) + items.GetDataSize());
    return message;
}

const char* ClientKindText(uint32_t clientKind)
{
    switch (clientKind) {
    case CLIENT_KIND_APPLE: return "来自苹果客户端";
    case CLIENT_KIND_ANDROID: return "来自安卓客户端";
    case CLIENT_KIND_PC: return "来自电脑客户端";
    default: return " ";
    }
}

}  // namespace room
