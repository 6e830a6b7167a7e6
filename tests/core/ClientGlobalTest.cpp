#include "core/ClientGlobal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const std::string kZhongWenGbk = "\xD6\xD0\xCE\xC4";  // 中文
const std::string kZhongWenUtf8 = "中文";
const std::u16string kGrin = u"\U0001F600";  // outside the BMP: a surrogate pair

using G = CClientGlobal;

}  // namespace

TEST(TextConversion, GbkAndUtf8RoundTrip)
{
    EXPECT_EQ(G::GBKToUTF8(kZhongWenGbk), kZhongWenUtf8);
    EXPECT_EQ(G::UTF8ToGBK(kZhongWenUtf8), kZhongWenGbk);
    EXPECT_EQ(G::UTF8ToGBK("友情提示"), "\xD3\xD1\xC7\xE9\xCC\xE1\xCA\xBE");
    // GB18030 keeps characters GBK has no code for.
    const std::string grinUtf8 = G::WideToUTF8(kGrin);
    EXPECT_EQ(G::UTF8ToGBK(grinUtf8).size(), 4u);
    EXPECT_EQ(G::GBKToUTF8(G::UTF8ToGBK(grinUtf8)), grinUtf8);
}

TEST(TextConversion, BadBytesBecomeQuestionMarksAndTheRestSurvives)
{
    // A lone lead byte in the middle, and one cut off at the end.
    EXPECT_EQ(G::GBKToUTF8("a\xD6!b"), "a?!b");
    EXPECT_EQ(G::GBKToUTF8("ab\xD6"), "ab?");
    EXPECT_EQ(G::UTF8ToGBK("a\xFF"
                           "b"),
              "a?b");
    EXPECT_EQ(G::UTF8ToWide("a\xE4\xB8"), u"a??");     // truncated 3-byte sequence
    EXPECT_EQ(G::UTF8ToWide("\xC0\xAF"), u"??");       // overlong '/'
    EXPECT_EQ(G::UTF8ToWide("\xED\xA0\x80"), u"???");  // encoded surrogate
}

TEST(TextConversion, SurrogatePairsSurviveAndHalvesDoNot)
{
    EXPECT_EQ(G::UTF8ToWide(G::WideToUTF8(u"a" + kGrin + u"中")), u"a" + kGrin + u"中");
    EXPECT_EQ(G::WideToUTF8(kGrin), "\xF0\x9F\x98\x80");
    EXPECT_EQ(G::WideToUTF8(std::u16string(1, char16_t(0xD83D)) + u"x"), "?x");
    EXPECT_EQ(G::WideToUTF8(std::u16string(1, char16_t(0xDE00))), "?");
    const char16_t nickname[] = {u'中', u'文', 0, u'x'};
    EXPECT_EQ(G::WideToAnsi(nickname), kZhongWenGbk);
    EXPECT_EQ(G::WideToAnsi(static_cast<const char16_t*>(nullptr)), "");
    EXPECT_EQ(G::AnsiToWide(kZhongWenGbk), u"中文");
}

TEST(TextConversion, WideBufferNeverOverrunsItsField)
{
    // A field of 4 units with a guard unit behind it.
    char16_t field[5];
    std::fill(std::begin(field), std::end(field), char16_t(0x7777));
    EXPECT_EQ(G::UTF8ToWideBuffer(field, 4, "abcdef"), 3u);
    EXPECT_EQ(field[2], u'c');
    EXPECT_EQ(field[3], 0);
    EXPECT_EQ(field[4], 0x7777);

    // The pair would need units 2 and 3, leaving no room for the terminator.
    EXPECT_EQ(G::UTF8ToWideBuffer(field, 4, "ab" + G::WideToUTF8(kGrin)), 2u);
    EXPECT_EQ(field[2], 0);

    // The loudspeaker field: 256 bytes, a 100-character text outside the BMP.
    uint8_t speaker[256 + 2] = {};
    speaker[256] = 0xAB;
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += G::WideToUTF8(kGrin);
    EXPECT_EQ(G::UTF8ToWideBuffer(speaker, 128, hundred), 126u);
    EXPECT_EQ(speaker[252], 0);
    EXPECT_EQ(speaker[254], 0);
    EXPECT_EQ(speaker[256], 0xAB);
}

TEST(TextConversion, TruncateCutsWholeCharactersAndMarksTheCut)
{
    const std::string text = "ab" + kZhongWenGbk;  // 6 bytes
    EXPECT_EQ(G::TruncateText(text, 6, false), text);
    EXPECT_EQ(G::TruncateText(text, 5, false), "ab\xD6\xD0..");
    EXPECT_EQ(G::TruncateText(text, 3, false), "ab..");  // never half of 中
    EXPECT_EQ(G::TruncateText(text, 0, false), "..");
    EXPECT_EQ(G::TruncateText("", 0, false), "");
    // UTF-8 in and out, counted in GBK bytes.
    EXPECT_EQ(G::TruncateText("ab中文", 4, true), "ab中..");
    EXPECT_EQ(G::TruncateText("ab中文", 6, true), "ab中文");
    // A four-byte GB18030 character is kept whole too.
    const std::string wide = G::UTF8ToGBK("a" + G::WideToUTF8(kGrin) + "b");
    ASSERT_EQ(wide.size(), 6u);
    EXPECT_EQ(G::TruncateText(wide, 4, false), "a..");
    EXPECT_EQ(G::TruncateText(wide, 5, false), wide.substr(0, 5) + "..");
    // A lead byte cut off at the end is one byte, not a read past the end.
    EXPECT_EQ(G::TruncateText("a\xD6", 1, false), "a..");
}

TEST(FormatScore, CommaEveryFourDigitsNeverAfterTheSign)
{
    EXPECT_EQ(G::FormatScore(0), "0");
    EXPECT_EQ(G::FormatScore(1234), "1234");
    EXPECT_EQ(G::FormatScore(12345), "1,2345");
    EXPECT_EQ(G::FormatScore(987654321), "9,8765,4321");
    EXPECT_EQ(G::FormatScore(-1234), "-1234");
    EXPECT_EQ(G::FormatScore(-12345678), "-1234,5678");
    EXPECT_EQ(G::FormatScore(-123456789), "-1,2345,6789");
    EXPECT_EQ(G::FormatScore(INT64_MIN), "-922,3372,0368,5477,5808");
}

// Every face of the hall, the room and the tables is named here.
TEST(UserLevel, EachLevelHasItsFacePicture)
{
    EXPECT_EQ(G::FacePicture(1), "ChangePhoto/people1-1");
    EXPECT_EQ(G::FacePicture(24), "ChangePhoto/people1-24");
}

TEST(UserLevel, CountsThresholdsStrictlyBelowTheScore)
{
    EXPECT_EQ(G::GetUserLevel(-5, 0), 1);
    EXPECT_EQ(G::GetUserLevel(0, 0), 1);
    EXPECT_EQ(G::GetUserLevel(1, 0), 1);
    EXPECT_EQ(G::GetUserLevel(99999, 0), 1);
    EXPECT_EQ(G::GetUserLevel(100000, 0), 2);
    EXPECT_EQ(G::GetUserLevel(1000000, 0), 4);
    EXPECT_EQ(G::GetUserLevel(99999999, 0), 11);
    EXPECT_EQ(G::GetUserLevel(100000000, 0), 12);
    EXPECT_EQ(G::GetUserLevel(INT64_MAX, 0), 12);
    EXPECT_EQ(G::GetUserLevel(0, 1), 13);
    EXPECT_EQ(G::GetUserLevel(100000000, 2), 24);

    struct Record
    {
        int64_t lScore;
        uint8_t cbGender;
    } record{500000, 1};
    EXPECT_EQ(G::GetUserLevel(&record), 15);
    EXPECT_EQ(G::GetUserLevel(static_cast<const Record*>(nullptr)), 1);

    UserRecord& me = G::GetInstance()->GetUserRecord();
    const UserRecord saved = me;
    me.lScore = 2000000;
    me.cbGender = 0;
    EXPECT_EQ(G::GetInstance()->GetMyLevel(), 6);
    me = saved;
}

TEST(ClientGlobal, UserRecordFieldsAreBoundedTexts)
{
    UserRecord record{};
    EXPECT_EQ(SetFieldText(record.szAccounts, std::u16string(40, u'x')), 31u);
    EXPECT_EQ(FieldText(record.szAccounts).size(), 31u);
    // A field without terminator reads as the whole field, not beyond it.
    std::fill(std::begin(record.szPassword), std::end(record.szPassword), u'f');
    std::fill(std::begin(record.szBankPassword), std::end(record.szBankPassword), u'g');
    EXPECT_EQ(FieldText(record.szPassword), std::u16string(33, u'f'));
}

TEST(ClientGlobal, Md5TextAndMachineId)
{
    EXPECT_EQ(G::MD5Text("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(G::MD5Text(std::string("abc\0def", 7)), "900150983cd24fb0d6963f7d28e17f72");
    const std::string id = G::GetMachineID();
    ASSERT_EQ(id.size(), 32u);
    EXPECT_EQ(id.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(G::GetMachineID(), id);
}

TEST(ClientGlobal, LogWritesOnlyWhenTheFileExists)
{
    char dir[] = "/tmp/kest-log-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    G::SetAppDirectory(dir);
    const std::string path = std::string(dir) + "/GameLog.txt";

    G::GetInstance()->WriteLog("first");
    EXPECT_NE(access(path.c_str(), F_OK), 0);

    std::ofstream(path).close();
    G::GetInstance()->WriteLog(G::UTF8ToGBK("房间网络关闭"));
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    const std::string utf8 = G::GBKToUTF8(content.str());
    // "HH点MM分SS秒  text\n"
    ASSERT_EQ(utf8.size(), std::string("00点00分00秒  房间网络关闭\n").size());
    EXPECT_EQ(utf8.substr(2, 3), "点");
    EXPECT_EQ(utf8.substr(utf8.size() - std::string("  房间网络关闭\n").size()), "  房间网络关闭\n");

    G::SetAppDirectory("");
    std::remove(path.c_str());
    rmdir(dir);
}

TEST(ClientGlobal, UdpLogNeedsAUsableAddress)
{
    CClientGlobal* g = G::GetInstance();
    EXPECT_FALSE(g->SetUdpLogTarget("log.example:8000"));
    EXPECT_FALSE(g->SetUdpLogTarget("127.0.0.1"));
    EXPECT_FALSE(g->SetUdpLogTarget("127.0.0.1:70000"));
    g->SendUdpLog("dropped: no target");  // must not crash

    int sink = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(sink, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    socklen_t len = sizeof(addr);
    getsockname(sink, reinterpret_cast<sockaddr*>(&addr), &len);
    ASSERT_TRUE(g->SetUdpLogTarget("127.0.0.1:" + std::to_string(ntohs(addr.sin_port))));
    g->SendUdpLog("line one");
    char buffer[64] = {};
    EXPECT_EQ(recv(sink, buffer, sizeof(buffer), 0), 8);
    EXPECT_STREQ(buffer, "line one");
    close(sink);
    g->SetUdpLogTarget("");
}

namespace {
std::string g_lastBox;
void RecordBox(const std::string& text) { g_lastBox = text; }

struct FakeField
{
    bool editing = false;
    int opened = 0;
    bool isEditing() const { return editing; }
    void closeInput() { editing = false; }
    void openInput()
    {
        editing = true;
        ++opened;
    }
};
}  // namespace

TEST(ClientGlobal, MessageBoxGoesToTheInstalledHandler)
{
    G::SetMessageBoxHandler(&RecordBox);
    G::ShowMessageBox("\xC3\xDC\xC2\xEB\xB2\xBB\xB6\xD4");
    EXPECT_EQ(g_lastBox, "\xC3\xDC\xC2\xEB\xB2\xBB\xB6\xD4");
    G::SetMessageBoxHandler(nullptr);
}

TEST(ClientGlobal, FocusMovesToTheNextFieldAndWraps)
{
    FakeField a, b, c;
    std::vector<FakeField*> fields{&a, &b, &c};
    G::FocusNextTextField(fields);  // nothing editing: nothing opens
    EXPECT_EQ(a.opened + b.opened + c.opened, 0);
    b.editing = true;
    G::FocusNextTextField(fields);
    EXPECT_FALSE(b.editing);
    EXPECT_TRUE(c.editing);
    G::FocusNextTextField(fields);
    EXPECT_TRUE(a.editing);
    EXPECT_FALSE(c.editing);
}
