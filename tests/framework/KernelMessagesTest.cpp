#include "games/framework/KernelMessages.h"

#include "core/ClientGlobal.h"
#include "net/PacketHelper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Sexy;

namespace {

template <typename T>
T At(const uint8_t* bytes, size_t offset)
{
    T v;
    std::memcpy(&v, bytes + offset, sizeof(v));
    return v;
}

tagUserData SampleUser()
{
    tagUserData u;
    std::memset(&u, 0, sizeof(u));
    u.dwUserID = 0x01020304;
    u.dwGameID = 200001;
    u.dwCarried1 = 0xA1A2A3A4;
    SetFieldText(u.szNickName, u"张三");
    SetFieldText(u.szThirdText, u"签名");
    SetFieldText(u.szFourthText, u"never sent");
    u.wCarried2 = 0xB1B2;
    u.dwCarried3 = 0xC1C2C3C4;
    u.cbGender = 1;
    u.cbMemberOrder = 2;
    u.cbCarried4 = 0xD1;
    u.wTableID = 7;
    u.wChairID = 2;
    u.cbUserStatus = US_READY;
    u.lScore = -123456789012LL;
    u.lCarriedScore1 = 11;
    u.lInsureScore = 5000;
    u.lCarriedScore2 = 22;
    u.lCarriedScore3 = 33;
    u.lCarriedScore4 = 44;
    u.dwScoreEnd = 0xE1E2E3E4;
    u.dwClientKind = 2;
    u.cbKept1 = 0x55;
    u.cbKept2 = 0x66;
    return u;
}

std::vector<uint8_t> EnterHead()
{
    std::vector<uint8_t> msg(kUserEnterHead, 0);
    msg[22] = 3;  // table 3
    msg[24] = 1;  // chair 1
    msg[26] = US_SIT;
    return msg;
}

void AddItem(std::vector<uint8_t>& msg, uint16_t type, size_t bytes, uint8_t fill = 'a')
{
    const uint16_t size = static_cast<uint16_t>(bytes);
    msg.push_back(static_cast<uint8_t>(size & 0xFF));
    msg.push_back(static_cast<uint8_t>(size >> 8));
    msg.push_back(static_cast<uint8_t>(type & 0xFF));
    msg.push_back(static_cast<uint8_t>(type >> 8));
    for (size_t i = 0; i < bytes; ++i)
        msg.push_back(i % 2 == 0 ? fill : 0);
}

}  // namespace

TEST(UserEnterMessage, HeadFieldsSitOneByteAfterTheRoomsLayout)
{
    const tagUserData user = SampleUser();
    std::vector<uint8_t> msg(kUserEnterMaxSize);
    const size_t size = WriteUserEnterMessage(user, msg.data(), msg.size());
    const uint8_t* b = msg.data();

    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(At<uint32_t>(b, 1), 200001u);
    EXPECT_EQ(At<uint32_t>(b, 5), 0x01020304u);
    EXPECT_EQ(At<uint32_t>(b, 9), 0xA1A2A3A4u);
    EXPECT_EQ(At<uint16_t>(b, 13), 0xB1B2);
    EXPECT_EQ(At<uint32_t>(b, 15), 0xC1C2C3C4u);
    EXPECT_EQ(b[19], 1);
    EXPECT_EQ(b[20], 2);
    EXPECT_EQ(b[21], 0xD1);
    EXPECT_EQ(At<uint16_t>(b, 22), 7);
    EXPECT_EQ(At<uint16_t>(b, 24), 2);
    EXPECT_EQ(b[26], US_READY);
    EXPECT_EQ(At<int64_t>(b, 27), -123456789012LL);
    EXPECT_EQ(At<int64_t>(b, 43), 5000);
    EXPECT_EQ(At<int64_t>(b, 67), 44);
    EXPECT_EQ(At<uint32_t>(b, 75), 0xE1E2E3E4u);
    EXPECT_EQ(b[79], 0);  // the room's kept bytes are not relayed
    EXPECT_EQ(b[80], 0);
    EXPECT_EQ(At<uint16_t>(b, 81), 2);

    // Nickname always, second text only when set (it is not), third text; never the fourth.
    CRecvPacketHelper items(b + kUserEnterHead, size - kUserEnterHead);
    tagDataDescribe d;
    std::vector<uint16_t> types;
    while (const void* item = items.GetData(d))
    {
        types.push_back(d.wDataDescribe);
        if (d.wDataDescribe == kItemNickName)
        {
            EXPECT_EQ(wire::ReadText(item, d.wDataSize / 2), u"张三");
        }
    }
    EXPECT_EQ(types, (std::vector<uint16_t>{kItemNickName, kItemThirdText}));
    EXPECT_EQ(size, kUserEnterHead + 4 + 4 + 4 + 4);

    // Read back by the game: what it was given, without the room's kept bytes.
    tagUserData back;
    ASSERT_TRUE(ReadUserEnterMessage(msg.data(), size, back));
    EXPECT_EQ(back.dwUserID, user.dwUserID);
    EXPECT_EQ(back.dwGameID, user.dwGameID);
    EXPECT_EQ(back.wTableID, 7);
    EXPECT_EQ(back.wChairID, 2);
    EXPECT_EQ(back.cbUserStatus, US_READY);
    EXPECT_EQ(back.lScore, user.lScore);
    EXPECT_EQ(back.lInsureScore, 5000);
    EXPECT_EQ(back.dwScoreEnd, user.dwScoreEnd);
    EXPECT_EQ(back.dwClientKind, 2u);
    EXPECT_EQ(FieldText(back.szNickName), u"张三");
    EXPECT_EQ(FieldText(back.szSecondText), u"");
    EXPECT_EQ(FieldText(back.szThirdText), u"签名");
    EXPECT_EQ(FieldText(back.szFourthText), u"");
    EXPECT_EQ(back.cbKept1, 0);
}

TEST(UserEnterMessage, RefusesAShortHead)
{
    std::vector<uint8_t> msg = EnterHead();
    tagUserData out;
    EXPECT_FALSE(ReadUserEnterMessage(msg.data(), kUserEnterHead - 1, out));
    EXPECT_EQ(out.wTableID, 0);
    EXPECT_TRUE(ReadUserEnterMessage(msg.data(), kUserEnterHead, out));
    EXPECT_EQ(out.wTableID, 3);
    EXPECT_EQ(FieldText(out.szNickName), u"");
}

TEST(UserEnterMessage, TextItemsOfAtMost64BytesAreKeptAndTerminated)
{
    std::vector<uint8_t> msg = EnterHead();
    AddItem(msg, kItemNickName, 64, 'n');    // 32 units: the last becomes the terminator
    AddItem(msg, kItemSecondText, 66, 's');  // too long: skipped, reading goes on
    AddItem(msg, 13, 8, 'f');                // fourth text: not for the game
    AddItem(msg, kItemThirdText, 6, 't');
    tagUserData out;
    ASSERT_TRUE(ReadUserEnterMessage(msg.data(), msg.size(), out));
    EXPECT_EQ(FieldText(out.szNickName), std::u16string(31, u'n'));
    EXPECT_EQ(FieldText(out.szSecondText), u"");
    EXPECT_EQ(FieldText(out.szThirdText), u"ttt");
    EXPECT_EQ(FieldText(out.szFourthText), u"");
    EXPECT_EQ(out.wChairID, 1);
}

TEST(UserEnterMessage, ItemsStopAtTypeZeroOrAnOverrun)
{
    std::vector<uint8_t> msg = EnterHead();
    AddItem(msg, 0, 4);
    AddItem(msg, kItemNickName, 4, 'x');
    tagUserData out;
    ASSERT_TRUE(ReadUserEnterMessage(msg.data(), msg.size(), out));
    EXPECT_EQ(FieldText(out.szNickName), u"");

    std::vector<uint8_t> cut = EnterHead();
    AddItem(cut, kItemNickName, 20, 'y');
    ASSERT_TRUE(ReadUserEnterMessage(cut.data(), cut.size() - 1, out));
    EXPECT_EQ(FieldText(out.szNickName), u"");
    EXPECT_EQ(out.wTableID, 3);
}

TEST(UserEnterMessage, ItemsThatDoNotFitAreLeftOut)
{
    const tagUserData user = SampleUser();
    std::vector<uint8_t> msg(kUserEnterHead + 10);
    EXPECT_EQ(WriteUserEnterMessage(user, msg.data(), msg.size()), kUserEnterHead + 8);  // the nickname only
    EXPECT_EQ(WriteUserEnterMessage(user, msg.data(), kUserEnterHead - 1), 0u);
}
