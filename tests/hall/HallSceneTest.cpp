// The least hall: entering rooms, the hall connection's personal-centre
// messages, the settings dialog, the safe box and the played-in input.
#include "room/FakeSocket.h"

#include "app/AppDelegate.h"
#include "bank/BankDialogServer.h"
#include "bank/BankEntry.h"
#include "core/ClientGlobal.h"
#include "hall/CDlgSetting.h"
#include "hall/GameHallScene.h"
#include "ui/CCCursorTextField.h"
#include "ui/UiFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace cocos2d;
using roomtest::Bytes;
using roomtest::FakeSocket;

namespace {

std::vector<std::string> g_boxes;
void CaptureBox(const std::string& gbk) { g_boxes.push_back(CClientGlobal::GBKToUTF8(gbk)); }

std::vector<std::pair<uint16_t, uint16_t>> g_entered;  // kind, port
bool g_enterResult = true;
bool RecordEnter(const GameKindRecord& kind, const GameServerRecord& server)
{
    g_entered.emplace_back(kind.wKindID, server.wServerPort);
    return g_enterResult;
}

// A personal-centre dialog as the hall finds it by tag.
class CentreDialog : public CCNode, public IPersonalCentreDialog
{
public:
    CREATE_FUNC(CentreDialog)
    bool QueryUserInfo() override { return ++queries, true; }
    bool OnUserInfoResult(const void*, size_t size) override { return infoSizes.push_back(size), true; }
    bool OnModifyResult(const void*, size_t size) override { return modifySizes.push_back(size), true; }
    int queries = 0;
    std::vector<size_t> infoSizes;
    std::vector<size_t> modifySizes;
};

class HallScene : public UiFixture
{
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        CClientGlobal::SetMessageBoxHandler(&CaptureBox);
        g_boxes.clear();
        g_entered.clear();
        g_enterResult = true;
        GameHallScene::SetRoomEnterer(&RecordEnter);
        config.hallHost = "10.1.2.3";
        config.hallPort = 16055;
        for (uint16_t port : {16100, 16200})
        {
            HallRoom room;
            room.kindId = 200;
            room.port = port;
            room.name = "房间";
            config.rooms.push_back(room);
        }
    }
    void TearDown() override
    {
        GameHallScene::SetRoomEnterer(nullptr);
        UiFixture::TearDown();
    }

    GameHallScene* Run()
    {
        GameHallScene* hall = GameHallScene::create(config);
        socket = new FakeSocket();
        hall->SetHallSocket(std::unique_ptr<IClientSocket>(socket));
        CCDirector::sharedDirector()->replaceScene(hall);
        Step(2);
        return hall;
    }
    static void Step(int n) { CCDirector::sharedDirector()->stepFrames(n); }
    bool Read(GameHallScene* hall, uint16_t sub, size_t size)
    {
        const Bytes body(size, 0);
        return hall->OnSocketRead(MakeCommand(3, sub), body.data(), body.size(), socket);
    }

    HallConfig config;
    FakeSocket* socket = nullptr;
};

TEST_F(HallScene, RoomButtonsEnterOnceWhileEntering)
{
    GameHallScene* hall = Run();
    EXPECT_EQ(g_pGameHallScene, hall);
    EXPECT_TRUE(hall->EnterConfiguredRoom(1));
    ASSERT_EQ(g_entered.size(), 1u);
    EXPECT_EQ(g_entered[0].second, 16200);
    hall->SetEnterFlag(true);  // the room sets it while it connects
    EXPECT_FALSE(hall->EnterConfiguredRoom(0));
    EXPECT_FALSE(hall->EnterConfiguredRoom(5));
    hall->SetEnterFlag(false);
    g_enterResult = false;
    EXPECT_FALSE(hall->EnterConfiguredRoom(0));
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_entered.size(), 2u);
}

// The window maximised in a room (the visible height follows it) or resized
// while the hall runs: the hall is laid out for the new area.
TEST_F(HallScene, WindowSizeChangesLayTheHallOutAgain)
{
    GameHallScene* hall = Run();
    CCNode* button = hall->getChildByTag(GameHallScene::kTagRoomBase);
    ASSERT_NE(button, nullptr);
    EXPECT_FLOAT_EQ(button->getPositionY(), 762 - 200);
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    CCDirector::sharedDirector()->pushScene(CCScene::create());  // a room over it
    Step(2);
    view->handleResize(1600, 1200);  // 966 points high
    CCDirector::sharedDirector()->popScene();
    Step(2);
    EXPECT_FLOAT_EQ(button->getPositionY(), 966 - 200);
    view->setWindowMessageHook(&AppDelegate::WindowMessageHook);
    view->handleResize(1288, 762);
    view->setWindowMessageHook(nullptr);
    EXPECT_FLOAT_EQ(button->getPositionY(), 762 - 200);
}

TEST_F(HallScene, StoredRoomPortEntersThatRoomAgainOnce)
{
    CCUserDefault::sharedUserDefault()->setIntegerForKey("RoomSocketPort", 16200);
    Run();
    ASSERT_EQ(g_entered.size(), 1u);
    EXPECT_EQ(g_entered[0].second, 16200);
    EXPECT_EQ(CCUserDefault::sharedUserDefault()->getIntegerForKey("RoomSocketPort", -1), 0);
}

// Every label's text on a room button, in UTF-16 units.
std::vector<size_t> LabelLengths(CCNode* button)
{
    std::vector<size_t> lengths;
    CCArray* children = button != nullptr ? button->getChildren() : nullptr;
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        if (auto* label = dynamic_cast<CCLabelTTF*>(static_cast<CCNode*>(children->objectAtIndex(i))))
            lengths.push_back(CClientGlobal::UTF8ToWide(label->getString()).size());
    return lengths;
}

// A room name of megabytes once overflowed the font library's stack when the
// hall drew it: from hall.conf it is cut to its record's field, and a label
// given one anyway draws only its first characters.
TEST_F(HallScene, AHugeRoomNameDrawsWithoutOverflowing)
{
    const std::string huge(9u << 20, 'x');
    const std::string path = testing::TempDir() + "hall_huge.conf";
    {
        // With a byte-order mark too, as other systems' editors write it.
        std::ofstream file(path, std::ios::binary);
        file << "\xEF\xBB\xBF[room]\nkind = 200\nport = 16100\nname = " << huge << "\n";
    }
    HallConfig fromConf;
    std::string error;
    EXPECT_TRUE(hall::ReadOptions({"--hall-config", path}, fromConf, error)) << error;
    std::remove(path.c_str());
    CCScene* first = GameHallScene::CreateFirstScene(fromConf);
    auto* fromFile = dynamic_cast<GameHallScene*>(first);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_TRUE(g_boxes.empty());
    ASSERT_EQ(fromFile->GetConfig().rooms.size(), 1u);
    CCDirector::sharedDirector()->replaceScene(fromFile);
    Step(2);
    const std::vector<size_t> lengths = LabelLengths(fromFile->getChildByTag(GameHallScene::kTagRoomBase));
    ASSERT_EQ(lengths.size(), 2u);
    EXPECT_EQ(*std::max_element(lengths.begin(), lengths.end()), 31u);

    config.rooms[0].name = huge;
    GameHallScene* direct = Run();
    auto* label = CCLabelTTF::create(huge.c_str(), "Arial", 14);
    auto* drawn = CCLabelTTF::create(std::string(CCLabelTTF::kMaxDrawnCharacters, 'x').c_str(), "Arial", 14);
    EXPECT_FLOAT_EQ(label->getContentSize().width, drawn->getContentSize().width);
    EXPECT_NE(direct->getChildByTag(GameHallScene::kTagRoomBase), nullptr);
}

TEST_F(HallScene, UserInfoRepliesGoToTheDialogAtTag444)
{
    GameHallScene* hall = Run();
    EXPECT_TRUE(Read(hall, 301, 20));
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], "个人中心请求异常");

    CentreDialog* info = CentreDialog::create();
    CentreDialog* lock = CentreDialog::create();
    hall->addChild(info, 444, GameHallScene::kTagUserInfoDialog);
    hall->addChild(lock, 433, GameHallScene::kTagLockMachineDialog);
    EXPECT_TRUE(Read(hall, 301, 20));
    EXPECT_EQ(info->infoSizes, (std::vector<size_t>{20}));
    EXPECT_TRUE(Read(hall, 900, 8));
    EXPECT_EQ(info->modifySizes, (std::vector<size_t>{8}));
    EXPECT_EQ(lock->modifySizes, (std::vector<size_t>{8}));
    EXPECT_TRUE(Read(hall, 302, 3));  // others are taken
    EXPECT_EQ(g_boxes.size(), 1u);
}

TEST_F(HallScene, PersonalCentreConnectionRetriesThenTellsThePlayer)
{
    GameHallScene* hall = Run();
    CentreDialog* info = CentreDialog::create();
    hall->addChild(info, 444, GameHallScene::kTagUserInfoDialog);
    ASSERT_TRUE(hall->ConnectHallServer(GameHallScene::kConnectPersonalCentre));
    EXPECT_EQ(socket->addresses, (std::vector<std::string>{"10.1.2.3"}));
    EXPECT_EQ(socket->port, 16055);
    hall->OnSocketLink(0, "", socket);
    EXPECT_EQ(info->queries, 1);

    hall->ConnectHallServer(GameHallScene::kConnectPersonalCentre);
    for (int i = 0; i < GameHallScene::kPersonalCentreTries; ++i)
        hall->OnSocketLink(kLinkRefused, "refused", socket);
    EXPECT_EQ(socket->connects, 1 + GameHallScene::kPersonalCentreTries);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], "个人中心异常");
    hall->CloseHallSocket();
    EXPECT_TRUE(socket->closed);
}

class SettingTarget : public ISettingTarget
{
public:
    bool SendTableRule(const std::string& gbk) override { return rules.push_back(gbk), true; }
    void HideUserList() override { ++hides; }
    void ShowUserList() override { ++shows; }
    std::vector<std::string> rules;
    int hides = 0;
    int shows = 0;
};

TEST_F(HallScene, SettingsFromTheRoomLockTheTableAndSwitchTheList)
{
    CDlgSetting* dialog = CDlgSetting::create();
    SettingTarget room;
    dialog->SetOpenedFromRoom(&room);
    scene->addChild(dialog);
    auto press = [&](int tag) {
        CCNode* node = CCNode::create();
        node->setTag(tag);
        dialog->OnButton(node);
    };
    dialog->GetPasswordField()->setText("secret");
    press(CDlgSetting::kTagLock);
    press(CDlgSetting::kTagUnlock);
    EXPECT_EQ(room.rules, (std::vector<std::string>{"secret", ""}));
    EXPECT_EQ(dialog->GetPasswordField()->getInputText(), "");
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    settings->setBoolForKey("UserList", true);
    press(CDlgSetting::kTagUserList);
    EXPECT_FALSE(settings->getBoolForKey("UserList", true));
    EXPECT_EQ(room.hides, 1);
    press(CDlgSetting::kTagUserList);
    EXPECT_EQ(room.shows, 1);
    settings->setBoolForKey("Music", true);
    press(CDlgSetting::kTagMusic);
    EXPECT_FALSE(settings->getBoolForKey("Music", true));
    press(CDlgSetting::kTagClose);
}

TEST_F(HallScene, SafeBoxOverARoomTakesTheBankReplies)
{
    scene->setTag(kRoomSceneTag);
    ShowBankDialog();
    Step(1);
    BankDialogServer* bank = BankDialogServer::GetRoomDialog();
    ASSERT_NE(bank, nullptr);
    EXPECT_TRUE(bank->OnBankMessage(3, nullptr, 0));
    ShowBankDialog();  // one at a time
    EXPECT_EQ(BankDialogServer::GetRoomDialog(), bank);
    BankDialogServer::CloseRoomDialog();
    Step(1);
    EXPECT_EQ(BankDialogServer::GetRoomDialog(), nullptr);
}

TEST_F(HallScene, SafeBoxPasswordPromptKeepsTheDigestAndOpensTheBox)
{
    ShowVerifyPassWord();
    auto* prompt = dynamic_cast<CverifyPassWord*>(scene->getChildByTag(CverifyPassWord::kDialogTag));
    ASSERT_NE(prompt, nullptr);
    prompt->GetField()->setText("123456");
    CCNode* ok = CCNode::create();
    ok->setTag(CverifyPassWord::kTagOK);
    prompt->OnButton(ok);
    Step(1);
    EXPECT_EQ(scene->getChildByTag(CverifyPassWord::kDialogTag), nullptr);
    EXPECT_NE(scene->getChildByTag(BankDialogServer::kDialogTag), nullptr);
    EXPECT_EQ(FieldText(CClientGlobal::GetInstance()->GetUserRecord().szBankPassword),
              u"e10adc3949ba59abbe56e057f20f883e");
}

}  // namespace
