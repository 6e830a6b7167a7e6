#include "games/framework/KernelMessages.h"

#include "net/PacketHelper.h"

#include <cstring>

namespace Sexy {

namespace {

std::u16string FieldText(const char16_t* field, size_t units) { return wire::ReadText(field, units); }

// An item that does not fit its field is dropped whole; the last unit is
// always 0.
template <size_t N>
void CopyTextItem(char16_t (&field)[N], const void* bytes, size_t size)
{
    if (size > sizeof(field))
        return;
    std::memset(field, 0, sizeof(field));
    std::memcpy(field, bytes, size);
    field[N - 1] = 0;
}

}  // namespace

size_t WriteUserEnterMessage(const tagUserData& user, uint8_t* buffer, size_t capacity)
{
    if (buffer == nullptr || capacity < kUserEnterHead)
        return 0;
    wire::ByteWriter head(buffer, kUserEnterHead);
    head.u8(0);
    head.u32(user.dwGameID);
    head.u32(user.dwUserID);
    head.u32(user.dwCarried1);
    head.u16(user.wCarried2);
    head.u32(user.dwCarried3);
    head.u8(user.cbGender);
    head.u8(user.cbMemberOrder);
    head.u8(user.cbCarried4);
    head.u16(user.wTableID);
    head.u16(user.wChairID);
    head.u8(user.cbUserStatus);
    head.i64(user.lScore);
    head.i64(user.lCarriedScore1);
    head.i64(user.lInsureScore);
    head.i64(user.lCarriedScore2);
    head.i64(user.lCarriedScore3);
    head.i64(user.lCarriedScore4);
    head.u32(user.dwScoreEnd);
    head.zeros(2);  // the room's two kept bytes stay with the room
    head.u16(static_cast<uint16_t>(user.dwClientKind));

    size_t room = capacity - kUserEnterHead;
    CSendPacketHelper items(buffer + kUserEnterHead, room < kUserEnterItemCapacity ? room : kUserEnterItemCapacity);
    items.AddPacket(FieldText(user.szNickName, 32), kItemNickName);
    const std::u16string second = FieldText(user.szSecondText, 32);
    if (!second.empty())
        items.AddPacket(second, kItemSecondText);
    const std::u16string third = FieldText(user.szThirdText, 32);
    if (!third.empty())
        items.AddPacket(third, kItemThirdText);
    return kUserEnterHead + items.GetDataSize();
}

std::vector<uint8_t> UserEnterMessage(const tagUserData& user)
{
    std::vector<uint8_t> message(kUserEnterMaxSize);
    message.resize(WriteUserEnterMessage(user, message.data(), message.size()));
    return message;
}

bool ReadUserHeadAndItems(const void* data, size_t size, tagUserData& out)
{
    std::memset(&out, 0, sizeof(out));
    if (data == nullptr || size < kUserHead)
        return false;
    wire::ByteReader in(data, size);
    uint16_t clientKind = 0;
    in.u32(out.dwGameID);
    in.u32(out.dwUserID);
    in.u32(out.dwCarried1);
    in.u16(out.wCarried2);
    in.u32(out.dwCarried3);
    in.u8(out.cbGender);
    in.u8(out.cbMemberOrder);
    in.u8(out.cbCarried4);
    in.u16(out.wTableID);
    in.u16(out.wChairID);
    in.u8(out.cbUserStatus);
    in.i64(out.lScore);
    in.i64(out.lCarriedScore1);
    in.i64(out.lInsureScore);
    in.i64(out.lCarriedScore2);
    in.i64(out.lCarriedScore3);
    in.i64(out.lCarriedScore4);
    in.u32(out.dwScoreEnd);
    in.u8(out.cbKept1);
    in.u8(out.cbKept2);
    in.u16(clientKind);
    out.dwClientKind = clientKind;

    CRecvPacketHelper items(static_cast<const uint8_t*>(data) + kUserHead, size - kUserHead);
    tagDataDescribe describe;
    while (const void* item = items.GetData(describe))
    {
        const size_t bytes = describe.wDataSize;
        switch (describe.wDataDescribe)
        {
            case kItemNickName: CopyTextItem(out.szNickName, item, bytes); break;
            case kItemSecondText: CopyTextItem(out.szSecondText, item, bytes); break;
            case kItemThirdText: CopyTextItem(out.szThirdText, item, bytes); break;
            case kItemFourthText: CopyTextItem(out.szFourthText, item, bytes); break;
            default: break;
        }
    }
    return true;
}

bool ReadUserEnterMessage(const void* data, size_t size, tagUserData& out)
{
    if (data == nullptr || size < kUserEnterHead)
    {
        std::memset(&out, 0, sizeof(out));
        return false;
    }
    ReadUserHeadAndItems(static_cast<const uint8_t*>(data) + 1, size - 1, out);
    // The room keeps these to itself: the game's message carries none.
    out.cbKept1 = 0;
    out.cbKept2 = 0;
    std::memset(out.szFourthText, 0, sizeof(out.szFourthText));
    return true;
}

void ApplyUserScore(const UserScoreMessage& message, tagUserData& user)
{
    user.lScore = message.lScore;
    user.lCarriedScore1 = message.lCarriedScore1;
    user.lInsureScore = message.lInsureScore;
    user.lCarriedScore2 = message.lCarriedScore2;
    user.lCarriedScore3 = message.lCarriedScore3;
    user.lCarriedScore4 = message.lCarriedScore4;
    user.dwScoreEnd = message.dwScoreEnd;
}

}  // namespace Sexy
