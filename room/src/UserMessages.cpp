#include "room/UserMessages.h"

#include "core/ClientGlobal.h"
#include "net/PacketHelper.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace room {

bool ReadUserEnter(const void* data, size_t size, tagUserData& out)
{
    return Sexy::ReadUserHeadAndItems(data, size, out);
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

SpeakerRequest BuildSpeakerRequest(int kind, const std::string& utf8Text)
{
    SpeakerRequest request;
    std::memset(&request, 0, sizeof(request));
    request.cbFlag = kSpeakerRequestFlag;
    request.wType = kind == 0 ? kSpeakerSmallType : kSpeakerBigType;
    request.dwColour = kSpeakerColour;
    // The field sits at an odd offset: written through its bytes.
    CClientGlobal::UTF8ToWideBuffer(reinterpret_cast<uint8_t*>(&request) + offsetof(SpeakerRequest, szText),
                                    sizeof(request.szText) / sizeof(char16_t), utf8Text);
    return request;
}

const char* ClientKindText(uint32_t clientKind)
{
    switch (clientKind)
    {
        case CLIENT_KIND_APPLE: return "来自苹果客户端";
        case CLIENT_KIND_ANDROID: return "来自安卓客户端";
        case CLIENT_KIND_PC: return "来自电脑客户端";
        default: return " ";
    }
}

}  // namespace room
