#include "KernelFixture.h"

using namespace Sexy;
using kt::KernelTest;
using kt::RecordingHandler;
using Lines = std::vector<std::string>;

using KernelSeats = KernelTest;

TEST_F(KernelSeats, UsersAreSeatedOnlyAtAChairBelowTheChairCount)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(2001, 3));                            // chair == chair count
    EXPECT_TRUE(Enter(2002, 0, US_SIT, 0, INVALID_TABLE));  // no table
    EXPECT_TRUE(Enter(2003, 2));
    EXPECT_EQ(h->Take(), (Lines{"enter 2003@2"}));
    EXPECT_EQ(kernel->GetTableUserData(3), nullptr);
    ASSERT_NE(kernel->GetTableUserData(2), nullptr);
    EXPECT_EQ(kernel->GetTableUserData(2)->dwUserID, 2003u);
    EXPECT_EQ(kernel->SearchUserByGameID(502003), kernel->GetTableUserData(2));
    EXPECT_EQ(kernel->GetTableUserData(65535), nullptr);
}

TEST_F(KernelSeats, MyRecordTurnsTheTableAroundMe)
{
    Configure(3);
    Attach();
    EXPECT_EQ(kernel->SwitchViewChairID(2), 0);  // no record of me yet
    EXPECT_TRUE(Enter(2001, 0));
    EXPECT_EQ(kernel->GetMeUserData(), nullptr);
    EXPECT_TRUE(Enter(1000, 1));
    ASSERT_NE(kernel->GetMeUserData(), nullptr);
    EXPECT_EQ(kernel->GetMeChairID(), 1);
    EXPECT_EQ(kernel->GetMeTableID(), 5);
    EXPECT_EQ(kernel->SwitchViewChairID(1), 0);
    EXPECT_EQ(kernel->SwitchViewChairID(2), 1);
    EXPECT_EQ(kernel->SwitchViewChairID(0), 2);
}

TEST_F(KernelSeats, RoomsOfMoreThanAHundredChairsUseOnlyTheHundredSeats)
{
    Configure(200, 300);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(kernel->IsSeatGame());
    EXPECT_TRUE(Enter(2001, 150));
    EXPECT_TRUE(Enter(2002, 100));
    EXPECT_TRUE(Enter(2003, 99));
    EXPECT_EQ(h->Take(), (Lines{"enter 2003@99"}));
    EXPECT_EQ(kernel->GetTableUserData(150), nullptr);
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_TABLE_STARTED));
    EXPECT_EQ(h->Take(), (Lines{"status 2003@99=5"}));
    EXPECT_TRUE(Status(2001, US_FREE));  // never seated: nothing to empty
    kernel->ResetGameKernel();
    EXPECT_EQ(h->Take(), (Lines{"leave 2003@99", "reset"}));
}

TEST_F(KernelSeats, AUserChangingChairsIsNeverSeatedTwice)
{
    Configure(4);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(2001, 0));
    EXPECT_TRUE(Enter(2001, 2));  // the new chair is announced before the status
    EXPECT_EQ(h->Take(), (Lines{"enter 2001@0", "leave 2001@0", "enter 2001@2"}));
    EXPECT_EQ(kernel->GetTableUserData(0), nullptr);
    tagUserData* moved = kernel->GetTableUserData(2);
    ASSERT_NE(moved, nullptr);

    EXPECT_TRUE(Status(2001, US_READY, 2));
    EXPECT_EQ(moved->cbUserStatus, US_READY);
    EXPECT_TRUE(Status(2001, US_FREE, 2));
    EXPECT_EQ(kernel->GetTableUserData(2), nullptr);
    EXPECT_TRUE(Enter(2002, 1));  // the freed record is reused, and nobody else still shows it
    EXPECT_EQ(kernel->GetTableUserData(0), nullptr);
    EXPECT_EQ(kernel->GetTableUserData(1)->dwUserID, 2002u);

    EXPECT_TRUE(Enter(1000, 0));
    EXPECT_TRUE(Enter(1000, 3));  // my own seat changes the same way
    EXPECT_EQ(kernel->GetMeChairID(), 3);
    EXPECT_EQ(kernel->GetTableUserData(0), nullptr);
    EXPECT_EQ(kernel->GetMeUserData(), kernel->GetTableUserData(3));
}

TEST_F(KernelSeats, AUserTakingAnOccupiedChairDisplacesTheOldOne)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(2001, 1));
    EXPECT_TRUE(Enter(2002, 1));
    EXPECT_EQ(h->Take(), (Lines{"enter 2001@1", "leave 2001@1", "enter 2002@1"}));
    EXPECT_TRUE(Score(2001, 5));  // no longer held: ignored
    EXPECT_TRUE(h->Take().empty());
}

TEST_F(KernelSeats, ScoreChangesAddUpOnlyForMyChair)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 100));
    EXPECT_TRUE(Enter(2001, 0, US_SIT, 50));
    h->Take();
    EXPECT_TRUE(Score(2001, 80));
    EXPECT_EQ(kernel->GetScoreChangeSum(), 0);
    EXPECT_TRUE(Score(1000, 150));
    EXPECT_TRUE(Score(1000, 120, 1));  // no change reported, but the total still follows
    EXPECT_EQ(kernel->GetScoreChangeSum(), 20);
    EXPECT_EQ(kernel->GetMeUserData()->lScore, 120);
    EXPECT_EQ(h->Take(), (Lines{"score 2001@0", "change 2001 30", "score 1000@1", "change 1000 50", "score 1000@1"}));
    EXPECT_TRUE(Score(4242, 1));
    EXPECT_TRUE(Status(4242, US_READY));
    EXPECT_TRUE(h->Take().empty());
}

TEST_F(KernelSeats, TableStartIsForSeatedGamesTableEndForAll)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(2001, 0));
    EXPECT_TRUE(Enter(2002, 2, US_READY));
    h->Take();
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_TABLE_STARTED));
    EXPECT_EQ(h->Take(), (Lines{"status 2001@0=5", "status 2002@2=5"}));
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_TABLE_ENDED));
    EXPECT_EQ(h->Take(), (Lines{"status 2001@0=2", "status 2002@2=2"}));

    Configure(100, 122);  // a many-seat room
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_TABLE_STARTED));
    EXPECT_TRUE(h->Take().empty());
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_TABLE_ENDED));
    EXPECT_EQ(h->Take().size(), 2u);
}

TEST_F(KernelSeats, StatusChangesAndLookingOn)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 0));
    EXPECT_TRUE(Enter(2001, 1));
    h->Take();
    EXPECT_TRUE(Status(2001, US_LOOKON, 1));
    EXPECT_TRUE(Status(1000, US_LOOKON));
    EXPECT_EQ(h->Take(), (Lines{"status 2001@1=4 lookon", "status 1000@0=4 lookon"}));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {1}));
    EXPECT_EQ(h->Take(), (Lines{"frame 101", "scene 0 lookon 1"}));
}

TEST_F(KernelSeats, AnotherUserLeavingFreesTheGameStatusButNotMySeat)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 0));
    EXPECT_TRUE(Enter(2001, 1));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {GAME_STATUS_PLAY, 1}));
    h->Take();
    EXPECT_TRUE(Status(2001, US_FREE, 1));
    EXPECT_EQ(h->Take(), (Lines{"leave 2001@1"}));
    EXPECT_EQ(kernel->GetGameStatus(), GAME_STATUS_FREE);
    EXPECT_FALSE(kernel->IsAllowLookon());
    EXPECT_NE(kernel->GetMeUserData(), nullptr);
}

TEST_F(KernelSeats, AUserMovingToAnotherTableInOneStatusLeavesMine)
{
    for (uint8_t status : {US_SIT, US_READY, US_LOOKON, US_PLAY})
    {
        SCOPED_TRACE(int{status});
        Configure(3);
        RecordingHandler* h = Attach();
        EXPECT_TRUE(Enter(1000, 0));
        EXPECT_TRUE(Enter(2001, 1));
        EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {GAME_STATUS_PLAY, 1}));
        h->Take();
        EXPECT_TRUE(Status(2001, status, 1, 7));
        EXPECT_EQ(h->Take(), (Lines{"leave 2001@1"}));
        EXPECT_EQ(kernel->GetTableUserData(1), nullptr);
        EXPECT_EQ(kernel->GetGameStatus(), GAME_STATUS_FREE);
        EXPECT_NE(kernel->GetMeUserData(), nullptr);
        kernel->ResetGameKernel();
    }
}

TEST_F(KernelSeats, MyTableChangingEmptiesTheOldTableBeforeTheNewUsers)
{
    CGameBoard* board = EnterWithBoard(3);
    ASSERT_NE(board, nullptr);
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 0));
    EXPECT_TRUE(Enter(2001, 1));
    EXPECT_TRUE(Enter(2002, 2));
    h->Take();

    EXPECT_TRUE(Status(1000, US_SIT, 1, 7));
    EXPECT_EQ(h->Take(), (Lines{"leave 1000@0", "leave 2001@1", "leave 2002@2", "reset"}));
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);  // the next game gets a new board

    // The room then seats the new table's users.
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 0, 7));
    EXPECT_TRUE(Enter(2003, 0, US_SIT, 0, 7));
    EXPECT_EQ(kernel->GetMeTableID(), 7);
    EXPECT_EQ(kernel->GetTableUserData(0)->dwUserID, 2003u);
    EXPECT_EQ(kernel->GetTableUserData(1)->dwUserID, 1000u);
    EXPECT_EQ(kernel->GetTableUserData(2), nullptr);
    EXPECT_EQ(kernel->SearchUserByGameID(502002), nullptr);
}

TEST_F(KernelSeats, MyTableChangingUnderACloseNoticeStillEmptiesTheSeats)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 0));
    EXPECT_TRUE(Enter(2001, 1));
    std::vector<uint8_t> notice = {0x01, 0x02, 2, 0, 'O', 0, 'K', 0};  // type 0x201
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, notice));
    h->Take();
    EXPECT_TRUE(Status(1000, US_SIT, 2, 7));
    EXPECT_EQ(h->Take(), (Lines{"leave 1000@0", "leave 2001@1"}));
    EXPECT_EQ(kernel->GetTableUserData(1), nullptr);
    EXPECT_NE(h->GetNoticeDialog(), nullptr);
}

TEST_F(KernelSeats, LeavingMySeatResetsTheTable)
{
    CGameBoard* board = EnterWithBoard(3);
    ASSERT_NE(board, nullptr);
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 0));
    EXPECT_TRUE(Enter(2001, 1));
    EXPECT_TRUE(kernel->SetGameClock(1, 30, 10));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {GAME_STATUS_PLAY, 0}));
    h->Take();

    EXPECT_TRUE(Status(1000, US_FREE));
    EXPECT_EQ(h->Take(), (Lines{"kill 1 30", "leave 1000@0", "leave 2001@1", "reset"}));
    EXPECT_EQ(kernel->GetMeUserData(), nullptr);
    EXPECT_EQ(kernel->GetMeChairID(), INVALID_CHAIR);
    EXPECT_EQ(kernel->GetGameStatus(), GAME_STATUS_FREE);
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(board->getParent(), nullptr);
    EXPECT_EQ(kernel->GetClockChairID(), INVALID_CHAIR);
    EXPECT_EQ(kernel->GetGameHandler(), h);  // stays attached until the next game
}

TEST_F(KernelSeats, ACloseNoticeKeepsTheTableWhenILeave)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 0));
    std::vector<uint8_t> notice = {0x01, 0x02, 2, 0, 'O', 0, 'K', 0};  // type 0x201
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, notice));
    EXPECT_TRUE(h->IsCloseFlag());
    ASSERT_NE(h->GetNoticeDialog(), nullptr);
    h->Take();
    EXPECT_TRUE(Status(1000, US_FREE));
    EXPECT_TRUE(h->Take().empty());
    EXPECT_NE(kernel->GetMeUserData(), nullptr);
}
