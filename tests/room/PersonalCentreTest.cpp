// The personal centre over the hall's connection, which the test drives:
// opened from the hall frame's user panel, it queries on the link, fills the
// profile from the reply, and sends profile and password changes; the
// operate reply applies the password of the request that was sent.
#include "FakeSocket.h"

#include "cocos-ext.h"
#include "core/AccountList.h"
#include "core/ClientGlobal.h"
#include "hall/GameHallScene.h"
#include "room/PersonalCentreMessages.h"
#include "room/UserInfoDialog.h"
#include "ui/CCCursorTextField.h"
#include "ui/PublicLayer.h"
#include "ui/UiFixture.h"

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace roomtest;

namespace {

std::vector<std::string> g_boxes;
void CaptureBox(const std::string& gbk) { g_boxes.push_back(CClientGlobal::GBKToUTF8(gbk)); }

std::string Md5(const std::string& text) { return CClientGlobal::MD5Text(text); }

class PersonalCentre : public UiFixture
{
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        char dir[] = "/tmp/kest-centre-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        CClientGlobal::SetAppDirectory(m_dir + "/");
        CClientGlobal::SetMessageBoxHandler(&CaptureBox);
        g_boxes.clear();
        GameHallScene::SetUserInfoDialogFactory(&UserInfoDialog::CreateForHall);
        HallUser user;
        user.userId = 1001;
        user.account = "player";
        user.nickname = "玩家";
        user.passwordMd5 = Md5("oldpass");
        hall::ApplyUser(user, CClientGlobal::GetInstance()->GetUserRecord());
        CClientGlobal::GetInstance()->SetServerAddr(0x0100007F);

        HallConfig config;
        config.hallHost = "127.0.0.1";
        config.hallPort = 16050;
        hall = GameHallScene::create(config);
        socket = new FakeSocket();
        hall->SetHallSocket(std::unique_ptr<IClientSocket>(socket));
        CCDirector::sharedDirector()->replaceScene(hall);
        Step(2);
    }
    void TearDown() override
    {
        GameHallScene::SetUserInfoDialogFactory(nullptr);
        CClientGlobal::SetMessageBoxHandler(nullptr);
        UiFixture::TearDown();
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
    static void Step(int n) { CCDirector::sharedDirector()->stepFrames(n); }

    UserInfoDialog* Dialog() const
    {
        return dynamic_cast<UserInfoDialog*>(hall->getChildByTag(GameHallScene::kTagUserInfoDialog));
    }
    // Opened and linked: the query is on the wire.
    UserInfoDialog* Open(bool passwordPage = false)
    {
        EXPECT_TRUE(hall->ShowUserInfoDialog(passwordPage));
        Step(1);
        EXPECT_TRUE(hall->OnSocketLink(0, "", socket));
        return Dialog();
    }
    static void TapNode(CCNode* node)
    {
        const CCSize size = node->getContentSize();
        const CCPoint at = node->convertToWorldSpace(CCPoint(size.width / 2, size.height / 2));
        Tap(at.x, at.y);
    }
    void Type(UserInfoDialog* dialog, int tag, const std::string& utf8)
    {
        CCCursorTextField* field = dialog->GetField(tag);
        ASSERT_NE(field, nullptr) << tag;
        field->setText("");
        TapNode(field);
        ASSERT_TRUE(field->isEditing()) << tag;
        if (!utf8.empty())
        {
            ASSERT_TRUE(field->InsertText(utf8)) << tag;
        }
    }
    void Press(UserInfoDialog* dialog, int page, int tag)
    {
        CCNode* button = dialog->GetPageLayer(page)->getChildByTag(tag);
        ASSERT_NE(button, nullptr) << tag;
        TapNode(button);
    }
    bool Reply(uint16_t sub, const Bytes& body)
    {
        return hall->OnSocketRead(MakeCommand(3, sub), body.data(), body.size(), socket);
    }
    static Bytes Operate(uint32_t result, const std::u16string& text)
    {
        Bytes b;
        PutU32(b, result);
        PutText(b, text);
        PutU16(b, 0);
        return b;
    }
    static std::string RecordPassword()
    {
        return CClientGlobal::WideToUTF8(FieldText(CClientGlobal::GetInstance()->GetUserRecord().szPassword));
    }
    static std::string RecordBankPassword()
    {
        return CClientGlobal::WideToUTF8(FieldText(CClientGlobal::GetInstance()->GetUserRecord().szBankPassword));
    }

    GameHallScene* hall = nullptr;
    FakeSocket* socket = nullptr;
    std::string m_dir;
};

TEST_F(PersonalCentre, UserPanelOpensItAndTheLinkSendsTheQuery)
{
    PublicLayer* frame = nullptr;
    for (unsigned int i = 0; i < hall->getChildren()->count() && frame == nullptr; ++i)
        frame = dynamic_cast<PublicLayer*>(hall->getChildren()->objectAtIndex(i));
    ASSERT_NE(frame, nullptr);
    CCNode* face = frame->getUserPanel()->getChildByTag(PublicLayer::kTagFace);
    TapNode(face);
    Step(1);
    UserInfoDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->getZOrder(), 444);
    EXPECT_EQ(hall->GetConnectType(), GameHallScene::kConnectPersonalCentre);
    EXPECT_EQ(socket->connects, 1);
    EXPECT_EQ(socket->port, 16050);
    TapNode(face);  // a second click finds it open
    EXPECT_EQ(socket->connects, 1);

    EXPECT_EQ(dialog->GetPage(), 1);
    EXPECT_TRUE(dialog->GetPageLayer(1)->isVisible());
    for (int page = 2; page <= 4; ++page)
        EXPECT_FALSE(dialog->GetPageLayer(page)->isVisible()) << page;
    CCNode* marker = dialog->GetFrame()->getChildByTag(UserInfoDialog::kTagMarker);
    EXPECT_EQ(marker->getPosition(), CCPoint(1, 390));
    EXPECT_EQ(CClientGlobal::GBKToUTF8(dialog->GetField(UserInfoDialog::kTagAccount)->getInputText()), "player");
    EXPECT_EQ(CClientGlobal::GBKToUTF8(dialog->GetField(UserInfoDialog::kTagNickname)->getInputText()), "玩家");

    ASSERT_TRUE(hall->OnSocketLink(0, "", socket));
    const std::vector<Bytes> queries = socket->SentWith(3, 302);
    ASSERT_EQ(queries.size(), 1u);
    ASSERT_EQ(queries[0].size(), 74u);
    EXPECT_EQ(U32At(queries[0], 4), 1001u);
    EXPECT_EQ(CClientGlobal::WideToUTF8(TextAt(queries[0], 8, 33)), Md5("oldpass"));

    // The tabs switch the pages and the marker follows.
    TapNode(dialog->GetFrame()->getChildByTag(UserInfoDialog::kTagPasswordTab));
    EXPECT_EQ(dialog->GetPage(), 2);
    EXPECT_TRUE(dialog->GetPageLayer(2)->isVisible());
    EXPECT_FALSE(dialog->GetPageLayer(1)->isVisible());
    EXPECT_EQ(marker->getPosition(), CCPoint(1, 360));
    TapNode(dialog->GetFrame()->getChildByTag(UserInfoDialog::kTagProfileTab));
    EXPECT_EQ(dialog->GetPage(), 1);
    EXPECT_EQ(marker->getPosition(), CCPoint(1, 392));

    // Closing closes the hall connection.
    TapNode(dialog->GetFrame()->getChildByTag(UserInfoDialog::kTagClose));
    Step(1);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(socket->closed);
    EXPECT_EQ(hall->GetConnectType(), 0);
}

TEST_F(PersonalCentre, HallOpensThePasswordPageWithoutASender)
{
    UserInfoDialog* dialog = Open(true);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetPage(), 2);
    EXPECT_TRUE(dialog->GetPageLayer(2)->isVisible());
    EXPECT_EQ(dialog->GetFrame()->getChildByTag(UserInfoDialog::kTagMarker)->getPosition(), CCPoint(1, 360));
}

TEST_F(PersonalCentre, ProfileReplyFillsTheFieldsOfItsItems)
{
    UserInfoDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Reply(301, Bytes{0, 0, 0, 0}));  // too short: ignored
    EXPECT_FALSE(dialog->IsGenderSelected(0));

    Bytes reply;
    PutU32(reply, 0);
    reply.push_back(1);
    const struct
    {
        uint16_t type;
        const char16_t* text;
        int field;
    } items[] = {
        {2, u"北京路1号", 1110}, {3, u"天天开心", 1103}, {4, u"021-5555", 1107}, {5, u"a@b.cn", 1108},
        {6, u"12345", 1105},     {7, u"138000", 1106},   {8, u"张三", 1104},     {9, u"1101011990", 1109},
    };
    for (const auto& item : items)
        PutItem(reply, item.type, item.text);
    PutItem(reply, 12, u"无处可去");
    ASSERT_TRUE(Reply(301, reply));
    for (const auto& item : items)
        EXPECT_EQ(CClientGlobal::AnsiToWide(dialog->GetField(item.field)->getInputText()), item.text) << item.field;
    EXPECT_TRUE(dialog->IsGenderSelected(1));
    EXPECT_FALSE(dialog->IsGenderSelected(0));
    EXPECT_EQ(CClientGlobal::GetInstance()->GetUserRecord().cbGender, 1);
    Step(1);
    SaveScreen("personal_centre_profile");

    // Gender 2 is kept in the record and changes no item.
    reply[4] = 2;
    ASSERT_TRUE(Reply(301, reply));
    EXPECT_EQ(CClientGlobal::GetInstance()->GetUserRecord().cbGender, 2);
    EXPECT_TRUE(dialog->IsGenderSelected(1));
}

TEST_F(PersonalCentre, GenderChoiceKeepsTheOnlyChosenItem)
{
    UserInfoDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetGenderByte(), 2);
    TapNode(dialog->GetGenderItem(0));
    EXPECT_EQ(dialog->GetGenderByte(), 0);
    TapNode(dialog->GetGenderItem(0));
    EXPECT_TRUE(dialog->IsGenderSelected(0));
    TapNode(dialog->GetGenderItem(1));
    EXPECT_FALSE(dialog->IsGenderSelected(0));
    EXPECT_EQ(dialog->GetGenderByte(), 1);
}

TEST_F(PersonalCentre, ConfirmSendsTheFilledItemsInOrderAndTheNickname)
{
    UserInfoDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Press(dialog, 1, UserInfoDialog::kTagConfirm);
    std::vector<Bytes> sent = socket->SentWith(3, 303);
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 71u + 4 + 4);  // the nickname alone
    EXPECT_EQ(sent[0][0], 2);
    EXPECT_EQ(U32At(sent[0], 1), 1001u);
    EXPECT_EQ(CClientGlobal::WideToUTF8(TextAt(sent[0], 5, 33)), Md5("oldpass"));
    EXPECT_EQ(U16At(sent[0], 73), 1);
    EXPECT_EQ(TextAt(sent[0], 75, 2), u"玩家");

    // Fields in tag order carry the types 3, 8, 6, 7, 4, 5, 9, 2.
    const int fields[] = {1110, 1109, 1108, 1107, 1106, 1105, 1104, 1103};
    for (int tag : fields)
        Type(dialog, tag, std::to_string(tag));
    TapNode(dialog->GetGenderItem(1));
    Press(dialog, 1, UserInfoDialog::kTagConfirm);
    sent = socket->SentWith(3, 303);
    ASSERT_EQ(sent.size(), 2u);
    const Bytes& b = sent[1];
    EXPECT_EQ(b[0], 1);
    size_t at = 71;
    const uint16_t types[] = {3, 8, 6, 7, 4, 5, 9, 2};
    for (int i = 0; i < 8; ++i)
    {
        ASSERT_LT(at + 4, b.size());
        EXPECT_EQ(U16At(b, at), 8) << i;
        EXPECT_EQ(U16At(b, at + 2), types[i]) << i;
        EXPECT_EQ(TextAt(b, at + 4, 4), CClientGlobal::UTF8ToWide(std::to_string(1103 + i))) << i;
        at += 4 + 8;
    }
    EXPECT_EQ(U16At(b, at + 2), 1);
    EXPECT_EQ(b.size(), at + 4 + 4);
}

TEST_F(PersonalCentre, LogonPasswordIsCheckedInOrderBeforeItIsSent)
{
    UserInfoDialog* dialog = Open(true);
    ASSERT_NE(dialog, nullptr);
    const struct
    {
        const char* old;
        const char* fresh;
        const char* confirm;
        const char* box;  // nullptr: sent
    } cases[] = {
        {"wrong", "a1", "a1", "密码不对"},
        {"oldpass", "oldpass", "oldpass", "新密码不能与原密码一致"},
        {"oldpass", "a1", "a2", "新密码两次输入不一致"},
        {"oldpass", "a1", "a1", nullptr},
    };
    for (const auto& c : cases)
    {
        g_boxes.clear();
        Type(dialog, UserInfoDialog::kTagOldLogon, c.old);
        Type(dialog, UserInfoDialog::kTagNewLogon, c.fresh);
        Type(dialog, UserInfoDialog::kTagConfirmLogon, c.confirm);
        Press(dialog, 2, UserInfoDialog::kTagModifyLogon);
        if (c.box != nullptr)
        {
            EXPECT_EQ(g_boxes, std::vector<std::string>{c.box});
            EXPECT_TRUE(socket->SentWith(3, 101).empty());
        }
    }
    const std::vector<Bytes> sent = socket->SentWith(3, 101);
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 140u);
    EXPECT_EQ(U32At(sent[0], 0), 1001u);
    EXPECT_EQ(U32At(sent[0], 4), 0x0100007Fu);
    EXPECT_EQ(CClientGlobal::WideToUTF8(TextAt(sent[0], 8, 33)), Md5("a1"));
    EXPECT_EQ(CClientGlobal::WideToUTF8(TextAt(sent[0], 74, 33)), Md5("oldpass"));
    // The fields keep their texts.
    EXPECT_EQ(dialog->GetField(UserInfoDialog::kTagConfirmLogon)->getInputText(), "a1");
    Step(1);
    SaveScreen("personal_centre_password");
}

TEST_F(PersonalCentre, SafeBoxPasswordNeedsNoStoredOldOne)
{
    UserInfoDialog* dialog = Open(true);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, UserInfoDialog::kTagOldBank, "anything");
    Type(dialog, UserInfoDialog::kTagNewBank, "anything");
    Type(dialog, UserInfoDialog::kTagConfirmBank, "anything");
    Press(dialog, 2, UserInfoDialog::kTagModifyBank);
    EXPECT_EQ(g_boxes, std::vector<std::string>{"新密码不能与原密码一致"});
    Type(dialog, UserInfoDialog::kTagNewBank, "b2");
    Type(dialog, UserInfoDialog::kTagConfirmBank, "b2");
    Press(dialog, 2, UserInfoDialog::kTagModifyBank);
    const std::vector<Bytes> sent = socket->SentWith(3, 102);
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 140u);
    EXPECT_EQ(CClientGlobal::WideToUTF8(TextAt(sent[0], 8, 33)), Md5("b2"));
    EXPECT_EQ(CClientGlobal::WideToUTF8(TextAt(sent[0], 74, 33)), Md5("anything"));
}

// The fields may change while the request is out: the reply applies the
// password that was sent, to the record and to the saved accounts.
TEST_F(PersonalCentre, OperateReplyAppliesThePasswordOfTheRequestSent)
{
    UserInfoDialog* dialog = Open(true);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, UserInfoDialog::kTagOldLogon, "oldpass");
    Type(dialog, UserInfoDialog::kTagNewLogon, "newpass1");
    Type(dialog, UserInfoDialog::kTagConfirmLogon, "newpass1");
    Press(dialog, 2, UserInfoDialog::kTagModifyLogon);
    Type(dialog, UserInfoDialog::kTagConfirmLogon, "typed-after");
    Type(dialog, UserInfoDialog::kTagNewBank, "bank1");
    Type(dialog, UserInfoDialog::kTagConfirmBank, "bank1");
    Press(dialog, 2, UserInfoDialog::kTagModifyBank);
    Type(dialog, UserInfoDialog::kTagConfirmBank, "bank-after");
    g_boxes.clear();

    EXPECT_FALSE(Reply(900, Bytes{100, 0, 0}));  // too short
    EXPECT_EQ(RecordPassword(), Md5("oldpass"));
    ASSERT_TRUE(Reply(900, Operate(300, u"未修改")));
    EXPECT_EQ(RecordPassword(), Md5("oldpass"));
    ASSERT_TRUE(Reply(900, Operate(100, u"登录密码修改成功")));
    EXPECT_EQ(RecordPassword(), Md5("newpass1"));
    const AccountRecord* saved = CAccountList::GetInstance()->FindAccount(u"player");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(FieldText(saved->szPassword), u"newpass1");
    ASSERT_TRUE(Reply(900, Operate(200, u"保险柜密码修改成功")));
    EXPECT_EQ(RecordBankPassword(), Md5("bank1"));
    EXPECT_EQ(g_boxes, (std::vector<std::string>{"未修改", "登录密码修改成功", "保险柜密码修改成功"}));

    // A result with no request out changes nothing.
    ASSERT_TRUE(Reply(900, Operate(100, u"again")));
    EXPECT_EQ(RecordPassword(), Md5("newpass1"));
    ASSERT_TRUE(Reply(900, Bytes{100, 0, 0, 0}));  // no text at all
    EXPECT_EQ(g_boxes.back(), "");
}

// The operate reply needs its result; the profile reply is ignored (but not
// refused) below its head.
TEST_F(PersonalCentre, RepliesAtEverySizeAroundTheirHeads)
{
    UserInfoDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    for (size_t size = 0; size <= 6; ++size)
    {
        const Bytes operate(size, 0);  // result 0: nothing changes
        EXPECT_EQ(Reply(900, operate), size >= 4) << size;
    }
    for (size_t size = 0; size <= 7; ++size)
    {
        Bytes profile(size, 0);
        if (size >= 5)
            profile[4] = 1;
        EXPECT_TRUE(Reply(301, profile)) << size;
        EXPECT_EQ(dialog->IsGenderSelected(1), size >= 5) << size;
    }
}

TEST_F(PersonalCentre, TabMovesThroughTheFieldsOfTheShownPage)
{
    UserInfoDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    TapNode(dialog->GetField(1103));
    dialog->OnKeyReturn(9);
    EXPECT_TRUE(dialog->GetField(1104)->isEditing());
    TapNode(dialog->GetField(1110));
    dialog->OnKeyReturn(9);
    EXPECT_TRUE(dialog->GetField(1103)->isEditing());
    dialog->OnKeyReturn(13);
    EXPECT_TRUE(dialog->GetField(1103)->isEditing());
    dialog->OnTabSelected(nullptr);
    EXPECT_FALSE(dialog->GetField(1103)->isEditing());
    TapNode(dialog->GetField(2106));
    dialog->OnKeyReturn(9);
    EXPECT_TRUE(dialog->GetField(2101)->isEditing());
}

TEST_F(PersonalCentre, FacePhotoFollowsTheLevel)
{
    UserInfoDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    auto* face = dynamic_cast<CCControlButton*>(dialog->GetPageLayer(1)->getChildByTag(UserInfoDialog::kTagFace));
    ASSERT_NE(face, nullptr);
    CCScale9Sprite* before = face->getBackgroundSpriteForState(CCControlStateNormal);
    CClientGlobal::GetInstance()->GetUserRecord().lScore = 5000000;
    CCNotificationCenter::sharedNotificationCenter()->postNotification("ChangeFacePhoto");
    EXPECT_NE(face->getBackgroundSpriteForState(CCControlStateNormal), before);
    CClientGlobal::GetInstance()->GetUserRecord().lScore = 0;
}

}  // namespace
