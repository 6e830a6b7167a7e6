// The room's life: connect, log on, show, leave; refusals and lost links.
#include "RoomFixture.h"

#include "app/AppDelegate.h"
#include "hall/GameHallScene.h"
#include "room/GameChatLayerG.h"
#include "ui/Dialog.h"
#include "ui/ImageButton.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;

namespace roomtest {
namespace {

class RoomLife : public RoomFixture
{};

TEST_F(RoomLife, EnterConnectsToTheRoomWithTheLoggedOnAccount)
{
    MakeRoom(200, 16123);
    EXPECT_EQ(socket->connects, 1);
    EXPECT_EQ(socket->port, 16123);
    EXPECT_EQ(socket->addresses, (std::vector<std::string>{"127.0.0.1"}));
    EXPECT_EQ(socket->identity, "player");
    EXPECT_TRUE(socket->serialCheck);  // kinds below 2060
    EXPECT_EQ(room->GetRoomState(), RoomScene::kRoomIdle);
    EXPECT_EQ(g_pRoomScene, room);
}

// The hall enters one room at a time; the room clears the flag when it is
// refused, when its connection is lost, and after 20 seconds even when it
// never got to show.
TEST_F(RoomLife, EnteringFlagLastsTwentySecondsAtMost)
{
    MakeRoom();
    ASSERT_NE(g_pGameHallScene, nullptr);
    EXPECT_TRUE(g_pGameHallScene->IsEntering());
    room->OnSocketLink(0, "", socket);
    Step(60 * 19);
    EXPECT_TRUE(g_pGameHallScene->IsEntering());
    Step(60 + 2);
    EXPECT_FALSE(g_pGameHallScene->IsEntering());
}

TEST_F(RoomLife, RefusalAndLostLinkClearTheEnteringFlag)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    ASSERT_TRUE(Read(1, 101, Bytes(6, 0)));
    EXPECT_FALSE(g_pGameHallScene->IsEntering());
    g_pGameHallScene->SetEnterFlag(true);
    room->OnSocketShut(socket, SocketShutReason::Remote);
    EXPECT_FALSE(g_pGameHallScene->IsEntering());
}

TEST_F(RoomLife, ShownRoomTakesTheHallsLoudspeakerPanel)
{
    auto* gameHall = static_cast<GameHallScene*>(hall);
    ASSERT_NE(gameHall->GetHallMessage(), nullptr);
    LogOn(4, 3, MeAnd({}));
    EXPECT_EQ(gameHall->GetHallMessage(), nullptr);
}

TEST_F(RoomLife, MaximiseTwiceGivesBackTheSavedRectangle)
{
    AppDelegate app(launch::Options{});
    LogOn(4, 3, MeAnd({}));
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const CCRect before = view->getWindowRect();
    room->ToggleMaximize();
    EXPECT_TRUE(app.IsMaximized());
    room->ToggleMaximize();
    EXPECT_FALSE(app.IsMaximized());
    const CCRect after = view->getWindowRect();
    EXPECT_FLOAT_EQ(after.origin.x, before.origin.x);
    EXPECT_FLOAT_EQ(after.origin.y, before.origin.y);
    EXPECT_FLOAT_EQ(after.size.width, before.size.width);
    EXPECT_FLOAT_EQ(after.size.height, before.size.height);
    view->setWindowRect(before);
}

TEST_F(RoomLife, StatesFollowTheLogonUntilTheRoomShows)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    EXPECT_EQ(room->GetRoomState(), RoomScene::kRoomLinked);
    const std::vector<Bytes> logons = socket->SentWith(1, 1);
    ASSERT_EQ(logons.size(), 1u);
    EXPECT_EQ(logons[0].size(), 162u);
    EXPECT_EQ(U32At(logons[0], 12), 1001u);
    EXPECT_EQ(U16At(logons[0], 148), 200);

    ASSERT_TRUE(Read(1, 100));
    EXPECT_EQ(room->GetRoomState(), RoomScene::kRoomLoggedOn);
    ASSERT_TRUE(Read(2, 101, Config(6, 3)));
    ASSERT_TRUE(Read(3, 100, UserEnter(MeAnd({})[0])));
    EXPECT_FALSE(room->IsRoomShown());
    ASSERT_TRUE(Read(1, 102));
    EXPECT_EQ(room->GetRoomState(), RoomScene::kRoomReady);
    EXPECT_TRUE(room->IsRoomShown());
    Step(kTransitionFrames);
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), room);
    // The connection is ticked every 2 seconds from then on.
    const int before = socket->updates;
    Step(121);
    EXPECT_GE(socket->updates - before, 1);
    EXPECT_LE(socket->updates - before, 2);
}

// Counts what a scene passes on to its children.
class SceneVisits : public CCNode
{
public:
    static SceneVisits* AddTo(CCNode* scene)
    {
        auto* node = new SceneVisits();
        node->init();
        node->autorelease();
        scene->addChild(node);
        return node;
    }
    void onEnter() override
    {
        CCNode::onEnter();
        ++enters;
    }
    void onExit() override
    {
        CCNode::onExit();
        ++exits;
    }
    int enters = 0;
    int exits = 0;
};

// The room arrives by one of five transitions, 0.7 s each but the last
// (0.5 s): it runs once the transition is over, and hall and room each get
// one exit and one enter, as a plain push gives them.
class RoomTransition : public RoomFixture, public ::testing::WithParamInterface<int>
{
protected:
    void TearDown() override
    {
        RoomScene::ForceTransition(-1);
        RoomFixture::TearDown();
    }
    // Logged on up to the point the room is pushed.
    void Prepare()
    {
        RoomScene::ForceTransition(GetParam());
        MakeRoom();
        hallVisits = SceneVisits::AddTo(hall);
        Step(1);
        hallVisits->enters = 0;
        roomVisits = SceneVisits::AddTo(room);
        room->OnSocketLink(0, "", socket);
        ASSERT_TRUE(Read(1, 100));
        ASSERT_TRUE(Read(2, 101, Config(4, 3)));
        ASSERT_TRUE(Read(3, 100, UserEnter(MeAnd({})[0])));
    }
    SceneVisits* hallVisits = nullptr;
    SceneVisits* roomVisits = nullptr;
};

TEST_P(RoomTransition, RoomRunsAfterItsDurationWithOneEnterAndExitEach)
{
    Prepare();
    const int frames = GetParam() == 4 ? 30 : 42;  // 0.5 s, 0.7 s
    ASSERT_TRUE(Read(1, 102));
    CCDirector* director = CCDirector::sharedDirector();
    Step(frames - 2);
    ASSERT_NE(director->getRunningScene(), nullptr);
    EXPECT_TRUE(director->getRunningScene()->isTransitionScene());
    EXPECT_EQ(roomVisits->enters, 1);
    // Entered a frame after the push, the first step counts no time, and the
    // hand-over timer's first frame only starts its clock.
    Step(5);
    EXPECT_EQ(director->getRunningScene(), room);
    Step(5);
    EXPECT_EQ(roomVisits->enters, 1);
    EXPECT_EQ(roomVisits->exits, 0);
    EXPECT_EQ(hallVisits->exits, 1);
    EXPECT_EQ(hallVisits->enters, 0);
    EXPECT_TRUE(hall->isVisible());

    room->ExitRoom();
    Step(2);
    EXPECT_EQ(director->getRunningScene(), hall);
    EXPECT_EQ(hallVisits->enters, 1);
    room = nullptr;
}

// Popping the transition itself would leave the hall exited and the room
// entered for good: leaving waits for the hand-over.
TEST_P(RoomTransition, LeavingWhileTheTransitionRunsReturnsToARunningHall)
{
    Prepare();
    ASSERT_TRUE(Read(1, 102));
    Step(10);
    roomVisits->retain();  // outlives the room's clean-up
    room->ExitRoom();
    room = nullptr;
    Step(kTransitionFrames);
    CCDirector* director = CCDirector::sharedDirector();
    EXPECT_EQ(director->getRunningScene(), hall);
    EXPECT_TRUE(hall->isRunning());
    EXPECT_EQ(hallVisits->exits, 1);
    EXPECT_EQ(hallVisits->enters, 1);
    EXPECT_EQ(roomVisits->enters, 1);
    EXPECT_EQ(roomVisits->exits, 1);
    EXPECT_EQ(g_pRoomScene, nullptr);
    roomVisits->release();
}

INSTANTIATE_TEST_SUITE_P(EachKind, RoomTransition, ::testing::Range(0, int{RoomScene::kRoomTransitions}));

TEST_F(RoomLife, FinishWhileSeatedWithTheGameReadyEntersTheGame)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    ASSERT_TRUE(Read(1, 100));
    ASSERT_TRUE(Read(2, 101, Config(6, 3)));
    ASSERT_TRUE(Read(3, 100, UserEnter(MeAnd({}, 2, 0, US_SIT)[0])));
    room->OnGameResourcesLoaded(true);  // before the room shows: only noted
    EXPECT_FALSE(room->GetBackButton()->isVisible());
    ASSERT_TRUE(Read(1, 102));
    EXPECT_TRUE(room->GetBackButton()->isVisible());
}

TEST_F(RoomLife, RefusedLogonShowsTheServerTextAndClosesTheRoom)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    Bytes refusal(6, 0xEE);
    PutText(refusal, u"房间已满");  // no terminator: the message ends the text
    ASSERT_TRUE(Read(1, 101, refusal));
    EXPECT_EQ(room->GetRoomState(), RoomScene::kRoomRefused);
    EXPECT_EQ(LastDialogText(), "房间已满");
    // Closing the dialog closes the room and lets the scene go.
    Dialog* dialog = TopDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->getDelegate()->OnDialogResult(Dialog::kButtonClose);
    Step(2);
    EXPECT_EQ(g_pRoomScene, nullptr);
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), hall);
    room = nullptr;
}

// The refusal's dialog outlives a room the server then drops: closing it
// later must not call into the freed room.
TEST_F(RoomLife, RefusalDialogOutlivesTheRoom)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    ASSERT_TRUE(Read(1, 101, Bytes(8, 0)));
    room->OnSocketShut(socket, SocketShutReason::Remote);
    Step(2);
    ASSERT_EQ(g_pRoomScene, nullptr);
    room = nullptr;
    ASSERT_EQ(CountDialogs(), 1);
    Dialog* dialog = TopDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->getDelegate(), nullptr);
    dialog->Close();
}

// A room that never showed would otherwise stay made forever, holding the
// program-wide pointer, while the hall entered the next one.
TEST_F(RoomLife, FailedLinkShowsItsTextAndLetsTheRoomGo)
{
    MakeRoom();
    room->OnSocketLink(3, "connection refused", socket);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "connection refused");
    Step(2);
    EXPECT_EQ(g_pRoomScene, nullptr);
}

TEST_F(RoomLife, LostConnectionTellsThePlayerAndKeepsAShownRoom)
{
    LogOn(4, 3, MeAnd({}));
    room->OnSocketShut(socket, SocketShutReason::Remote);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "房间爆满拥挤 请稍后再试!");
    EXPECT_TRUE(socket->closed);
    Step(2);
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), room);
    const int before = socket->updates;
    Step(200);
    EXPECT_EQ(socket->updates, before);  // the tick stopped
}

TEST_F(RoomLife, LostConnectionBeforeTheRoomShowsLetsItGo)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    room->OnSocketShut(socket, SocketShutReason::Remote);
    EXPECT_EQ(Boxes().size(), 1u);
    Step(2);
    EXPECT_EQ(g_pRoomScene, nullptr);
}

TEST_F(RoomLife, ExitRoomTwiceLeavesOnce)
{
    // A scene under the hall shows whether a second pop went through.
    CCScene* under = hall;
    hall = CCScene::create();
    CCDirector::sharedDirector()->pushScene(hall);
    Step(2);
    LogOn(4, 3, MeAnd({}));
    room->ExitRoom();
    room->ExitRoom();
    Step(2);
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), hall);
    EXPECT_NE(hall, under);
    EXPECT_EQ(g_pRoomScene, nullptr);
    EXPECT_FALSE(CCUserDefault::sharedUserDefault()->getBoolForKey("Lock", true));
}

// Leaving a room that is not on show must not take the hall away.
TEST_F(RoomLife, LeavingBeforeTheRoomShowsKeepsTheHall)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    room->ExitRoom();
    Step(2);
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), hall);
    EXPECT_EQ(g_pRoomScene, nullptr);
}

TEST_F(RoomLife, NoticeFlagsPickChatBoxAndLeave)
{
    LogOn(4, 3, MeAnd({}));
    auto notice = [](uint16_t flags, const std::u16string& text) {
        Bytes b;
        PutU16(b, flags);
        PutU16(b, static_cast<uint16_t>(text.size()));
        PutText(b, text);
        return b;
    };
    ASSERT_TRUE(Read(1000, 1, notice(3, u"维护通知")));
    ASSERT_EQ(room->GetChatLayer()->GetLines().size(), 1u);
    EXPECT_EQ(CClientGlobal::GBKToUTF8(room->GetChatLayer()->GetLines()[0].sender), "系统公告");
    EXPECT_EQ(room->GetChatLayer()->GetLines()[0].kind, GameChatLayerG::kNotice);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "维护通知");

    ASSERT_TRUE(Read(1000, 1, notice(2, u"对方被迫离开了")));
    EXPECT_EQ(Boxes().size(), 1u);

    ASSERT_TRUE(Read(1000, 1, notice(259, u"再见")));
    EXPECT_EQ(Boxes().size(), 2u);
    Step(2);
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), hall);
}

// The port is read before leaving frees the scene.
TEST_F(RoomLife, ReenterDialogStoresTheRoomPortAfterLeaving)
{
    MakeRoom(200, 16222);
    LogOn(4, 3, MeAnd({}));
    CCNode* marker = CCNode::create();
    WindyTopLayer::sharedTopLayer()->addChild(marker, 0, RoomScene::kReenterDialogTag);
    room->OnDialogResult(Dialog::kButtonOK);
    EXPECT_EQ(CCUserDefault::sharedUserDefault()->getIntegerForKey("RoomSocketPort", 0), 16222);
    marker->removeFromParent();
    Step(2);
    EXPECT_EQ(g_pRoomScene, nullptr);
}

TEST_F(RoomLife, ChatAndLoudspeakerLinesGoToTheChatPane)
{
    LogOn(4, 3, MeAnd({}));
    Bytes chat(270, 0);
    chat[0] = 2;
    Bytes sender;
    PutText(sender, u"张三");
    std::copy(sender.begin(), sender.end(), chat.begin() + 14);
    PutText(chat, u"你好");
    ASSERT_TRUE(Read(3, 211, chat));
    Bytes speaker(394, 0);
    speaker[0] = 19;
    Bytes who;
    PutText(who, u"李四");
    std::copy(who.begin(), who.end(), speaker.begin() + 10);
    Bytes what;
    PutText(what, u"大家好");
    std::copy(what.begin(), what.end(), speaker.begin() + 138);
    ASSERT_TRUE(Read(3, 308, speaker));
    speaker[0] = 7;  // only the ticker
    ASSERT_TRUE(Read(3, 308, speaker));
    const auto& lines = room->GetChatLayer()->GetLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(CClientGlobal::GBKToUTF8(lines[0].text), "你好");
    EXPECT_EQ(lines[0].kind, GameChatLayerG::kChat);
    EXPECT_EQ(CClientGlobal::GBKToUTF8(lines[1].sender), "李四");
    EXPECT_EQ(lines[1].kind, GameChatLayerG::kSpeakerSmall);
    EXPECT_EQ(WindyTopLayer::sharedTopLayer()->getQueuedMessageCount() +
                  (WindyTopLayer::sharedTopLayer()->isTickerRunning() ? 1u : 0u),
              2u);
}

TEST_F(RoomLife, ChatPaneKeepsTheLatestTwentyLines)
{
    GameChatLayerG* chat = GameChatLayerG::create();
    for (int i = 0; i < 25; ++i)
        chat->AddChatLine("a", std::to_string(i), GameChatLayerG::kChat);
    ASSERT_EQ(chat->GetLines().size(), GameChatLayerG::kMaxLines);
    EXPECT_EQ(chat->GetLines().front().text, "5");
    EXPECT_EQ(chat->GetLines().back().text, "24");
}

}  // namespace
}  // namespace roomtest
