#include "KernelFixture.h"

#include "ui/Dialog.h"

#include <algorithm>

using namespace Sexy;
using kt::KernelTest;
using kt::RecordingHandler;
using Lines = std::vector<std::string>;

class GameClock : public KernelTest
{
protected:
    static cocos2d::CCNode* ExitQuestion()
    {
        return WindyTopLayer::sharedTopLayer()->getChildByTag(CBaseKernelLayer::kExitDialogTag);
    }
    // The start button gone, the ready clock killed once, and nobody stood
    // up in the 50 s after.
    void ExpectReadyPromptDropped(CGameBoard* board, const char* route)
    {
        EXPECT_FALSE(board->IsStartButtonShown()) << route << ": the start button stayed";
        const Lines calls = handler->Take();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "kill 2 1224"), 1) << route << ": the ready clock ran on";
        Seconds(50);
        EXPECT_EQ(room.exits, 0) << route << ": the ready clock stood me up";
    }
};

TEST_F(GameClock, ReportsItsSecondsAtOnceThenEverySecondDownToZeroTwice)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(kernel->SetGameClock(0, 30, 3));
    EXPECT_EQ(kernel->GetClockChairID(), 0);
    EXPECT_EQ(h->Take(), (Lines{"clock 0 30 3"}));
    Seconds(1);
    EXPECT_EQ(h->Take(), (Lines{"clock 0 30 2"}));
    Seconds(5);
    EXPECT_EQ(h->Take(), (Lines{"clock 0 30 1", "clock 0 30 0", "clock 0 30 0"}));
    EXPECT_EQ(kernel->GetClockTimerID(), 30u);  // silent, still shown, until killed
}

TEST_F(GameClock, ReadyCountdownLeavesTheTableOnceAtZero)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 1));
    h->Take();
    EXPECT_TRUE(kernel->SetGameClock(1, ReadyClockID, 2));
    Seconds(4);
    EXPECT_EQ(h->Take(), (Lines{"clock 1 1224 2", "clock 1 1224 1", "clock 1 1224 0"}));
    EXPECT_EQ(room.exits, 1);
    EXPECT_LT(kernel->getPosition().x, 0);  // the game moved off the screen
}

TEST_F(GameClock, OneClockAtATime)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(kernel->SetGameClock(2, 30, 9));
    EXPECT_TRUE(kernel->SetGameClock(1, 40, 5));
    EXPECT_EQ(h->Take(), (Lines{"clock 2 30 9", "kill 2 30", "clock 1 40 5"}));
    EXPECT_FALSE(kernel->KillGameClock(5));  // a foreign id: the clock keeps running
    Seconds(1);
    EXPECT_EQ(h->Take(), (Lines{"clock 1 40 4"}));
    EXPECT_TRUE(kernel->KillGameClock(0));  // 0 stops whichever runs
    EXPECT_EQ(h->Take(), (Lines{"kill 1 40"}));
    EXPECT_EQ(kernel->GetClockChairID(), INVALID_CHAIR);
    EXPECT_FALSE(kernel->KillGameClock(0));
    Seconds(2);
    EXPECT_TRUE(h->Take().empty());
}

TEST_F(GameClock, RefusedClocksStillEndTheRunningOne)
{
    Configure(3);
    EXPECT_FALSE(kernel->SetGameClock(0, 30, 5));  // no handler: nothing at all
    RecordingHandler* h = Attach();
    EXPECT_TRUE(kernel->SetGameClock(0, 30, 5));
    EXPECT_FALSE(kernel->SetGameClock(3, 40, 5));  // chair not below the chair count
    EXPECT_FALSE(kernel->SetGameClock(0, 40, 0));
    EXPECT_FALSE(kernel->SetGameClock(0, 0, 5));  // 0 names no clock
    EXPECT_EQ(h->Take(), (Lines{"clock 0 30 5", "kill 0 30"}));
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
}

TEST_F(GameClock, AHandlerMayKillTheClockFromItsOwnTick)
{
    struct Killer : RecordingHandler
    {
        bool OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID) override
        {
            RecordingHandler::OnClockInfo(chair, seconds, timerID);
            if (seconds == 1)
                KillGameClock(timerID);
            return true;
        }
    };
    Configure(3);
    handler.reset(new Killer());
    handler->InitGameHandler();
    Enter(1000, 0);
    handler->Take();
    EXPECT_TRUE(kernel->SetGameClock(0, ReadyClockID, 2));
    Seconds(4);
    EXPECT_EQ(handler->Take(), (Lines{"clock 0 1224 2", "clock 0 1224 1", "kill 0 1224"}));
    EXPECT_EQ(room.exits, 0);
}

TEST_F(GameClock, SceneInTheFreeStatusStartsTheReadyCountdown)
{
    ASSERT_NE(EnterWithBoard(3), nullptr);
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 2));
    h->Take();
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {1, 2}));
    EXPECT_EQ(h->Take(), (Lines{"frame 101", "clock 2 1224 45", "scene 0 2"}));
    EXPECT_TRUE(kernel->GetGameBoard()->IsStartButtonShown());

    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {GAME_STATUS_PLAY, 0}));
    EXPECT_TRUE(kernel->KillGameClock(0));
    h->Take();
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    EXPECT_EQ(h->Take(), (Lines{"frame 101", "scene 100 0"}));
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
}

// Ready, I stay at the table through free scenes: no button that could send
// nothing and no clock that would stand me up, also when my ready came from
// the server while a free scene's clock ran. Seated again, a free scene acts
// as before.
TEST_F(GameClock, AFreeSceneWhileIAmReadyKeepsMeAtTheTable)
{
    ASSERT_NE(EnterWithBoard(3), nullptr);
    CGameBoard* board = kernel->GetGameBoard();
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 2));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    EXPECT_TRUE(kernel->SendUserReady(nullptr, 0));
    EXPECT_TRUE(Status(1000, US_READY, 2));
    h->Take();
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    EXPECT_EQ(h->Take(), (Lines{"frame 101", "scene 0 0"}));
    EXPECT_FALSE(board->IsStartButtonShown());
    Seconds(50);
    EXPECT_EQ(room.exits, 0) << "ready, the free scene stood me up";

    EXPECT_TRUE(Status(1000, US_SIT, 2));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_TRUE(Status(1000, US_READY, 2));  // readied by the server, not by the button
    h->Take();
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    EXPECT_EQ(h->Take(), (Lines{"frame 101", "scene 0 0"}));
    EXPECT_FALSE(board->IsStartButtonShown());
    Seconds(50);
    EXPECT_EQ(room.exits, 0);
}

// The start button and the ready clock are a seated player's who has not
// pressed: my status leaving seated ends them, whichever message carries it.
TEST_F(GameClock, LeavingSeatedEndsTheReadyPromptHoweverItComes)
{
    ASSERT_NE(EnterWithBoard(3), nullptr);
    CGameBoard* board = kernel->GetGameBoard();
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 2));
    auto prompted = [&] {
        EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
        EXPECT_TRUE(board->IsStartButtonShown());
        EXPECT_EQ(kernel->GetClockTimerID(), ReadyClockID);
        h->Take();
    };
    auto dropped = [&](const char* route) { ExpectReadyPromptDropped(board, route); };

    prompted();
    EXPECT_TRUE(Status(1000, US_READY, 2));  // the room made me ready, no press
    dropped("made ready by the room");
    EXPECT_TRUE(Status(1000, US_SIT, 2));  // seated again, no scene: nothing comes back
    EXPECT_FALSE(board->IsStartButtonShown());
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    h->Take();

    prompted();
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_TABLE_STARTED));
    dropped("the table started");
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_TABLE_ENDED));
    h->Take();

    prompted();
    EXPECT_TRUE(Enter(1000, 2, US_READY));  // my record sent again, ready
    dropped("my record sent again");
}

// Each status on a table of its own: a question or a leave that one status
// caused must not be taken for the next one's.
class ReadyClockRunningOut : public GameClock, public ::testing::WithParamInterface<uint8_t>
{
};

TEST_P(ReadyClockRunningOut, WhileIAmNotSeatedDoesNothing)
{
    const uint8_t status = GetParam();
    Configure(3);
    Attach();
    ASSERT_EQ(ExitQuestion(), nullptr);
    EXPECT_TRUE(Enter(1000, 1, status));
    EXPECT_TRUE(kernel->SetGameClock(1, ReadyClockID, 2));
    Seconds(4);
    EXPECT_EQ(room.exits, 0) << "status " << int(status) << ": the ready clock stood me up";
    EXPECT_EQ(ExitQuestion(), nullptr) << "status " << int(status) << ": the ready clock asked to leave";
}

INSTANTIATE_TEST_SUITE_P(GameClock, ReadyClockRunningOut, ::testing::Values(US_READY, US_PLAY, US_LOOKON),
                         [](const ::testing::TestParamInfo<uint8_t>& info) {
                             switch (info.param)
                             {
                                 case US_READY: return std::string("Ready");
                                 case US_PLAY: return std::string("Playing");
                                 default: return std::string("LookingOn");
                             }
                         });

// The close notice keeps the board when the room stands me up: the start
// button and the ready clock of the free scene before it go all the same,
// or the clock would ask me to leave a table I am no longer at.
TEST_F(GameClock, AStandUpUnderACloseNoticeEndsTheReadyPrompt)
{
    ASSERT_NE(EnterWithBoard(3), nullptr);
    CGameBoard* board = kernel->GetGameBoard();
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 2));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    ASSERT_TRUE(board->IsStartButtonShown());
    ASSERT_EQ(kernel->GetClockTimerID(), ReadyClockID);
    std::vector<uint8_t> notice = {0x01, 0x02, 2, 0, 'O', 0, 'K', 0};  // type 0x201
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, notice));
    ASSERT_TRUE(h->IsCloseFlag());
    h->Take();

    EXPECT_TRUE(Status(1000, US_FREE));
    EXPECT_EQ(kernel->GetGameBoard(), board) << "the close notice's board went";
    ExpectReadyPromptDropped(board, "stood up under a close notice");
    EXPECT_EQ(ExitQuestion(), nullptr) << "stood up under a close notice: the ready clock asked to leave";
}

TEST_F(GameClock, ManySeatGamesGetNoReadyCountdown)
{
    ASSERT_NE(EnterWithBoard(20, 122), nullptr);
    EXPECT_TRUE(Enter(1000, 7));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
}

using LeavingTheGame = KernelTest;

TEST_F(LeavingTheGame, WhilePlayingAskFirstAndOnlyOnce)
{
    Configure(3);
    Attach();
    EXPECT_TRUE(Enter(1000, 0, US_PLAY));
    kernel->RequestExit();
    kernel->RequestExit();
    cocos2d::CCNode* question = WindyTopLayer::sharedTopLayer()->getChildByTag(CBaseKernelLayer::kExitDialogTag);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(room.exits, 0);
    int dialogs = 0;
    cocos2d::CCArray* children = WindyTopLayer::sharedTopLayer()->getChildren();
    for (unsigned i = 0; children != nullptr && i < children->count(); ++i)
        if (static_cast<cocos2d::CCNode*>(children->objectAtIndex(i))->getTag() == CBaseKernelLayer::kExitDialogTag)
            ++dialogs;
    EXPECT_EQ(dialogs, 1);

    static_cast<Dialog*>(question)->getDelegate()->OnDialogResult(Dialog::kButtonClose);
    EXPECT_EQ(room.exits, 0);
    static_cast<Dialog*>(question)->getDelegate()->OnDialogResult(Dialog::kButtonOK);
    EXPECT_EQ(room.exits, 1);
}

TEST_F(LeavingTheGame, NotPlayingLeavesAtOnceAndSilencesTheGame)
{
    CGameBoard* board = EnterWithBoard(3);
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Enter(1000, 0, US_READY));
    audio.playing = true;
    kernel->RequestExit();
    EXPECT_EQ(room.exits, 1);
    EXPECT_FALSE(board->isModal());
    EXPECT_EQ(kernel->getPosition().x, -1288);
    EXPECT_EQ(audio.log, (std::vector<std::string>{"pause music", "stop effects"}));
    EXPECT_NE(kernel->GetGameBoard(), nullptr);  // the board goes when the room says I left
}

TEST_F(LeavingTheGame, ACloseNoticeIsRemovedAndTheTableReset)
{
    ASSERT_NE(EnterWithBoard(3), nullptr);
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 0));
    std::vector<uint8_t> notice = {0x00, 0x02, 1, 0, 'X', 0};
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, notice));
    ASSERT_NE(h->GetNoticeDialog(), nullptr);
    h->Take();
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_CLOSE_GAME);
    EXPECT_EQ(h->GetNoticeDialog(), nullptr);
    EXPECT_EQ(room.exits, 1);
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(h->Take(), (Lines{"leave 1000@0", "reset"}));
}
