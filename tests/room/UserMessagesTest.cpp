#include "room/UserMessages.h"

#include "core/ClientGlobal.h"

#include "RoomTestUtil.h"

#include <gtest/gtest.h>

using namespace roomtest;

namespace {

TEST(RoomLogon, RequestBytesSitAtTheirOffsets)
{
    room::LogonIdentity id;
    id.userId = 0x01020304;
    id.passwordMd5 = u"e10adc3949ba59abbe56e057f20f883e";
    id.machineId = "0123456789ABCDEF0123456789ABCDEF";
    id.kindId = 200;
    id.clientAddr = 0x0100007F;
    const Bytes b = AsBytes(room::BuildRoomLogon(id));
    ASSERT_EQ(b.size(), 162u);
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(U32At(b, 12), 0x01020304u);
    EXPECT_EQ(TextAt(b, 16, 33), u"e10adc3949ba59abbe56e057f20f883e");
    EXPECT_EQ(U16At(b, 16 + 64), 0);  // terminator inside the field
    EXPECT_EQ(TextAt(b, 82, 33), u"0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(U16At(b, 148), 200);
    EXPECT_EQ(U32At(b, 150), 0x0100007Fu);
    EXPECT_EQ(U32At(b, 154), 5002u);
    EXPECT_EQ(U32At(b, 158), 3u);
}

TEST(UserEnter, ShortHeadIsRefused)
{
    Bytes b = UserEnter({});
    tagUserData user;
    EXPECT_FALSE(room::ReadUserEnter(b.data(), 81, user));
    EXPECT_TRUE(room::ReadUserEnter(b.data(), 82, user));
}

TEST(UserEnter, HeadFieldsLandInTheRecord)
{
    UserEntry user;
    user.userId = 77;
    user.gameId = 100077;
    user.nick = u"张三";
    user.table = 4;
    user.chair = 2;
    user.status = US_READY;
    user.score = -1234567890123;
    user.bank = 42;
    user.member = 3;
    user.gender = 1;
    user.client = 2;
    const Bytes b = UserEnter(user);
    tagUserData u;
    ASSERT_TRUE(room::ReadUserEnter(b.data(), b.size(), u));
    EXPECT_EQ(u.dwUserID, 77u);
    EXPECT_EQ(u.dwGameID, 100077u);
    EXPECT_EQ(u.dwCarried1, 0x11111111u);
    EXPECT_EQ(u.wCarried2, 0x2222);
    EXPECT_EQ(u.dwCarried3, 0x33333333u);
    EXPECT_EQ(u.cbGender, 1);
    EXPECT_EQ(u.cbMemberOrder, 3);
    EXPECT_EQ(u.cbCarried4, 0x44);
    EXPECT_EQ(u.wTableID, 4);
    EXPECT_EQ(u.wChairID, 2);
    EXPECT_EQ(u.cbUserStatus, US_READY);
    EXPECT_EQ(u.lScore, -1234567890123);
    EXPECT_EQ(u.lCarriedScore1, 5);
    EXPECT_EQ(u.lInsureScore, 42);
    EXPECT_EQ(u.lCarriedScore4, 8);
    EXPECT_EQ(u.dwScoreEnd, 0x55555555u);
    EXPECT_EQ(u.cbKept1, 0x66);
    EXPECT_EQ(u.cbKept2, 0x77);
    EXPECT_EQ(u.dwClientKind, 2u);
    EXPECT_EQ(FieldText(u.szNickName), u"张三");
}

// Items longer than their field are dropped whole; the rest of the record
// stays as the head said.
TEST(UserEnter, TextItemsAreBoundedByTheirFields)
{
    UserEntry user;
    user.table = 1;
    user.chair = 0;
    user.status = US_SIT;
    user.score = 99;
    user.nick = std::u16string(32, u'a');  // 64 bytes: 31 kept
    Bytes b = UserEnter(user);
    PutItem(b, 11, std::u16string(33, u'b'));  // 66 bytes: ignored
    PutItem(b, 12, u"签名");
    PutItem(b, 13, std::u16string(20, u'd'));  // 40 bytes over a 16-unit field
    PutItem(b, 99, u"unknown");
    tagUserData u;
    ASSERT_TRUE(room::ReadUserEnter(b.data(), b.size(), u));
    EXPECT_EQ(FieldText(u.szNickName), std::u16string(31, u'a'));
    EXPECT_EQ(FieldText(u.szSecondText), u"");
    EXPECT_EQ(FieldText(u.szThirdText), u"签名");
    EXPECT_EQ(FieldText(u.szFourthText), u"");
    EXPECT_EQ(u.wTableID, 1);
    EXPECT_EQ(u.cbUserStatus, US_SIT);
    EXPECT_EQ(u.lScore, 99);
}

// The room reads the server's enter; the framework writes the game's from the
// record: together the head moves by one byte and the kept bytes drop out.
TEST(GameUserEnter, HeadMovesByOneAndKeptBytesAreZero)
{
    UserEntry user;
    user.userId = 9;
    user.gameId = 900;
    user.nick = u"李四";
    user.table = 3;
    user.chair = 1;
    user.status = US_PLAY;
    user.score = 500;
    user.client = 3;
    const Bytes in = UserEnter(user);
    tagUserData u;
    ASSERT_TRUE(room::ReadUserEnter(in.data(), in.size(), u));
    Bytes out(Sexy::kUserEnterMaxSize);
    out.resize(Sexy::WriteUserEnterMessage(u, out.data(), out.size()));
    ASSERT_EQ(out.size(), 83u + 4 + 4);
    EXPECT_EQ(out[0], 0);
    for (size_t i = 0; i < 78; ++i)
        EXPECT_EQ(out[i + 1], in[i]) << "head byte " << i;
    EXPECT_EQ(out[79], 0);
    EXPECT_EQ(out[80], 0);
    EXPECT_EQ(U16At(out, 81), 3);
    EXPECT_EQ(U16At(out, 83), 4);
    EXPECT_EQ(U16At(out, 85), 10);
    EXPECT_EQ(TextAt(out, 87, 2), u"李四");
}

TEST(SeatRequests, SitDownIs71BytesAndCutsLongPasswords)
{
    Bytes b = AsBytes(room::BuildSitDown(5, 2, u"abc"));
    ASSERT_EQ(b.size(), 71u);
    EXPECT_EQ(U16At(b, 0), 5);
    EXPECT_EQ(U16At(b, 2), 2);
    EXPECT_EQ(b[4], 0);
    EXPECT_EQ(TextAt(b, 5, 33), u"abc");

    b = AsBytes(room::BuildSitDown(INVALID_TABLE, INVALID_CHAIR, std::u16string(40, u'p')));
    EXPECT_EQ(U16At(b, 0), 0xFFFF);
    EXPECT_EQ(TextAt(b, 5, 33), std::u16string(32, u'p'));
    EXPECT_EQ(U16At(b, 5 + 64), 0);

    b = AsBytes(room::BuildSitDown(0, 0, u""));
    for (size_t i = 5; i < 71; ++i)
        EXPECT_EQ(b[i], 0);
}

TEST(SeatRequests, TableRuleCarriesTheWholePasswordAsItemOne)
{
    Bytes b = room::BuildTableRule(u"");
    ASSERT_EQ(b.size(), 13u + 4);
    for (size_t i = 0; i < 13; ++i)
        EXPECT_EQ(b[i], 0);
    EXPECT_EQ(U16At(b, 13), 0);
    EXPECT_EQ(U16At(b, 15), 1);

    const std::u16string longPassword(40, u'x');
    b = room::BuildTableRule(longPassword);
    ASSERT_EQ(b.size(), 13u + 4 + 80);
    EXPECT_EQ(U16At(b, 13), 80);
    EXPECT_EQ(TextAt(b, 17, 40), longPassword);
}

// The 263-byte loudspeaker request: flag 4, type 19 or 20, the colour word,
// then the text in a field of 128 units that it never passes.
TEST(SpeakerRequest, KindTextAndCut)
{
    const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600: two units
    std::string hundredEmoji;
    for (int i = 0; i < 100; ++i)
        hundredEmoji += emoji;
    struct Case
    {
        int kind;
        std::string utf8;
        uint16_t type;
        size_t units;  // before the terminator
    } cases[] = {
        {0, "大家好", 19, 3},
        {1, "大家好", 20, 3},
        {7, "x", 20, 1},
        {1, "", 20, 0},
        {0, std::string(200, 'a'), 19, 127},  // cut to the field
        {1, hundredEmoji, 20, 126},           // 200 units: cut between pairs
    };
    for (const Case& c : cases)
    {
        const Bytes b = AsBytes(room::BuildSpeakerRequest(c.kind, c.utf8));
        ASSERT_EQ(b.size(), 263u);
        EXPECT_EQ(b[0], 4);
        EXPECT_EQ(U16At(b, 1), c.type) << c.kind;
        EXPECT_EQ(U32At(b, 3), 0x00FF0000u);
        const std::u16string text = TextAt(b, 7, 128);
        EXPECT_EQ(text.size(), c.units) << c.utf8.size();
        EXPECT_EQ(text, CClientGlobal::UTF8ToWide(c.utf8).substr(0, c.units));
        for (size_t at = 7 + 2 * c.units; at < b.size(); ++at)
            ASSERT_EQ(b[at], 0) << at;
    }
}

}  // namespace
