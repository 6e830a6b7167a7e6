#include "KernelFixture.h"

#include "SimpleAudioEngine.h"

using namespace cocos2d;
using namespace Sexy;

namespace kt {

void KernelTest::SetUp()
{
    UiFixture::SetUp();
    CCUserDefault::sharedUserDefault()->setBoolForKey("Music", true);
    CCMessageBoxClearHistory();
    TestModule::fixture = this;
    TestModule::made = TestModule::destroyed = TestModule::loads = TestModule::unloads = TestModule::games = 0;
    SetGameAudio(&audio);
    app_services::Install(&app);
    binding.reset(new CGameRoomBinding(&room));
    kernel = CBaseKernelLayer::create();
    ASSERT_NE(kernel, nullptr);
    room.kernel = kernel;
    scene->addChild(kernel, 999);
    Step();
}

std::vector<std::pair<uint16_t, std::vector<uint8_t>>> KernelTest::SentGame() const
{
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> out;
    for (const Sent& s : room.sent)
    {
        if (s.main == MDM_GF_GAME)
            out.emplace_back(s.sub, s.payload);
    }
    return out;
}

std::vector<std::string> RecordingAudio::Unplayable() const
{
    std::vector<std::string> missing;
    for (const std::string& path : asked)
    {
        const std::string file = CocosDenshion::SimpleAudioEngine::fullPathForSound(path.c_str());
        if (!CCFileUtils::sharedFileUtils()->isFileExist(file))
            missing.push_back(path);
    }
    return missing;
}

void KernelTest::TearDown()
{
    if (soundsMustExist)
    {
        EXPECT_EQ(audio.Unplayable(), std::vector<std::string>{});
    }
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    while (CCNode* dialog = top->getChildByTag(CBaseKernelLayer::kExitDialogTag))
        dialog->removeFromParentAndCleanup(true);
    if (top->isLoadingShown())
        top->hideLoading();
    handler.reset();
    kernel->removeFromParentAndCleanup(true);
    room.kernel = nullptr;
    Step();
    CCTextureCache::sharedTextureCache()->waitForAsync();
    ClearGameKinds();
    SetGameAudio(nullptr);
    app_services::Install(nullptr);
    binding.reset();
    CCMessageBoxClearHistory();
    UiFixture::TearDown();
}

KernelTest* TestModule::fixture = nullptr;
int TestModule::made = 0;
int TestModule::destroyed = 0;
int TestModule::loads = 0;
int TestModule::unloads = 0;
int TestModule::games = 0;

CGameBoard* TestModule::CreateGame() { return MakeBorrowedGame(); }

CGameBoard* TestModule::MakeBorrowedGame()
{
    ++games;
    auto* fresh = new RecordingHandler();
    fresh->InitGameHandler();
    fixture->handler.reset(fresh);
    return CGameBoard::create();
}

std::vector<uint8_t> KernelTest::KindRecord(uint16_t kind)
{
    std::vector<uint8_t> record(kGameKindRecordSize, 0);
    std::memcpy(record.data() + 6, &kind, 2);
    return record;
}

CGameBoard* KernelTest::EnterWithBoard(uint16_t chairs, uint16_t kind)
{
    RegisterGameKind(kind, &TestModule::Make);
    Configure(chairs, kind);
    const std::vector<uint8_t> record = KindRecord(kind);
    kernel->LoadGameResources(record.data());
    room.ready = true;
    kernel->EnterGame(record.data());
    return kernel->GetGameBoard();
}

RecordingHandler* KernelTest::Attach()
{
    handler.reset(new RecordingHandler());
    handler->InitGameHandler();
    return handler.get();
}

void KernelTest::Configure(uint16_t chairs, uint16_t kind)
{
    GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    config.wTableID = 5;
    config.dwUserID = 1000;
    config.wKindID = kind;
    config.wChairCount = chairs;
    wire::WriteText(config.szServerName, 32, u"测试房间");
    ASSERT_TRUE(Control(IPC_SUB_SERVER_INFO, &config, sizeof(config)));
}

bool KernelTest::Enter(uint32_t userID, uint16_t chair, uint8_t status, int64_t score, uint16_t table, uint8_t gender,
                       const std::u16string& nickname)
{
    tagUserData user;
    std::memset(&user, 0, sizeof(user));
    user.dwUserID = userID;
    user.dwGameID = userID + 500000;
    user.wTableID = table;
    user.wChairID = chair;
    user.cbUserStatus = status;
    user.cbGender = gender;
    user.lScore = score;
    SetFieldText(user.szNickName,
                 nickname.empty() ? u"玩家" + CClientGlobal::UTF8ToWide(std::to_string(userID)) : nickname);
    const std::vector<uint8_t> msg = UserEnterMessage(user);
    return kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_ENTER, msg.data(), static_cast<uint16_t>(msg.size()));
}

bool KernelTest::Status(uint32_t userID, uint8_t status, uint16_t chair, uint16_t table)
{
    UserStatusMessage m{userID, table, chair, status};
    return kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_STATUS, &m, sizeof(m));
}

bool KernelTest::Score(uint32_t userID, int64_t score, uint8_t noChange)
{
    UserScoreMessage m;
    std::memset(&m, 0, sizeof(m));
    m.dwUserID = userID;
    m.cbNoChange = noChange;
    m.lScore = score;
    return kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_SCORE, &m, sizeof(m));
}

bool KernelTest::Packet(uint16_t main, uint16_t sub, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> raw(4);
    std::memcpy(raw.data(), &main, 2);
    std::memcpy(raw.data() + 2, &sub, 2);
    raw.insert(raw.end(), payload.begin(), payload.end());
    return Packet(raw);
}

bool KernelTest::Packet(const std::vector<uint8_t>& raw)
{
    return kernel->OnChannelMessage(IPC_MAIN_SOCKET, IPC_SUB_SOCKET_RECV, raw.empty() ? nullptr : raw.data(),
                                    static_cast<uint16_t>(raw.size()));
}

}  // namespace kt
