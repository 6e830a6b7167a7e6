// Sitting down, table passwords, standing up and the tables' state.
#include "RoomFixture.h"

#include "room/CCTableListLayer.h"
#include "room/TablePassWord.h"
#include "ui/CCCursorTextField.h"
#include "update/WinUpdateGame.h"

using namespace cocos2d;

namespace roomtest {
namespace {

class RoomSeats : public RoomFixture
{
protected:
    std::vector<Bytes> SitDowns() const { return socket->SentWith(3, 3); }
    // Taps a button of the password dialog where it shows.
    static void Press(TablePassWord* dialog, int tag)
    {
        CCNode* panel = dialog->getChildByTag(TablePassWord::kTagPanel);
        ASSERT_NE(panel, nullptr);
        CCNode* button = panel->getChildByTag(tag);
        ASSERT_NE(button, nullptr);
        Tap(button->convertToWorldSpaceAR(CCPoint(0, 0)));
    }
};

TEST_F(RoomSeats, ClickOnAFreeChairSendsTheSitDown)
{
    LogOn(6, 3, MeAnd({}));
    CCPoint chair;
    ASSERT_TRUE(room->GetTableList()->GetChairWorldPosition(4, 2, chair));
    Tap(chair);
    const std::vector<Bytes> sent = SitDowns();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 71u);
    EXPECT_EQ(U16At(sent[0], 0), 4);
    EXPECT_EQ(U16At(sent[0], 2), 2);
    EXPECT_EQ(TextAt(sent[0], 5, 33), u"");
}

TEST_F(RoomSeats, NothingIsSentBeforeTheLogonFinishes)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    ASSERT_TRUE(Read(1, 100));
    ASSERT_TRUE(Read(2, 101, Config(4, 3)));
    EXPECT_FALSE(room->RequestSitDown(0, 0));
    EXPECT_TRUE(SitDowns().empty());
}

// While a request is out, a click on the same table or the same chair
// number does nothing.
TEST_F(RoomSeats, OutstandingRequestRefusesItsTableAndItsChairNumber)
{
    LogOn(6, 3, MeAnd({}));
    ASSERT_TRUE(room->RequestSitDown(3, 1));
    EXPECT_FALSE(room->RequestSitDown(3, 2));
    EXPECT_FALSE(room->RequestSitDown(4, 1));
    EXPECT_TRUE(room->RequestSitDown(4, 2));
    const std::vector<Bytes> sent = SitDowns();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(U16At(sent[1], 0), 4);
    EXPECT_EQ(U16At(sent[1], 2), 2);
}

TEST_F(RoomSeats, LocalRefusalsTellWhy)
{
    LogOn(6, 3, MeAnd({User(2, u"张三", 1, 1, US_SIT)}, 0, 0, US_SIT));
    EXPECT_FALSE(room->RequestSitDown(0, 0));  // my own chair: nothing shown
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(room->RequestSitDown(1, 1));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "座位已被占用");
    ASSERT_TRUE(Read(3, 102, UserStatus(1001, 0, 0, US_PLAY)));
    EXPECT_FALSE(room->RequestSitDown(2, 2));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1], "您正在游戏中，暂时不能离开，请先结束当前游戏");
}

TEST_F(RoomSeats, LockedTableAsksForItsPasswordWhichLaterSeatsCarry)
{
    LogOn(6, 3, MeAnd({}));
    ASSERT_TRUE(Read(4, 101, TableState(2, 1, 0)));
    ASSERT_TRUE(room->RequestSitDown(2, 0));
    EXPECT_TRUE(SitDowns().empty());
    auto* dialog = dynamic_cast<TablePassWord*>(room->getChildByTag(RoomScene::kTagTablePassword));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetField()->getMaxLength(), 30);
    EXPECT_TRUE(dialog->GetField()->isPasswordMode());
    dialog->GetField()->setText("abc123");
    Press(dialog, TablePassWord::kTagOK);
    Step(1);
    EXPECT_EQ(room->getChildByTag(RoomScene::kTagTablePassword), nullptr);
    std::vector<Bytes> sent = SitDowns();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(U16At(sent[0], 0), 2);
    EXPECT_EQ(U16At(sent[0], 2), 0);
    EXPECT_EQ(TextAt(sent[0], 5, 33), u"abc123");
    EXPECT_EQ(room->GetRequestTable(), 2);

    ASSERT_TRUE(Read(3, 103, Bytes(5, 0)));  // refused, no text
    EXPECT_TRUE(Boxes().empty());
    ASSERT_TRUE(room->RequestSitDown(4, 1));  // an unlocked table
    sent = SitDowns();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(TextAt(sent[1], 5, 33), u"abc123");
}

// A many-seat table's join spot asks for any chair of the table; a locked
// one wants its password as a chair does.
struct LockedSeat
{
    uint16_t chairs;
    uint16_t chair;  // what the grid's spot for the seat sends
};

class RoomLockedSeats : public RoomSeats, public ::testing::WithParamInterface<LockedSeat>
{};

TEST_P(RoomLockedSeats, AsksForThePasswordWhateverTheChair)
{
    const LockedSeat c = GetParam();
    LogOn(6, c.chairs, MeAnd({}));
    ASSERT_TRUE(Read(4, 101, TableState(2, 1, 0)));
    CCPoint at;
    ASSERT_TRUE(room->GetTableList()->GetChairWorldPosition(2, c.chair, at));
    Tap(at);
    EXPECT_TRUE(SitDowns().empty());
    auto* dialog = dynamic_cast<TablePassWord*>(room->getChildByTag(RoomScene::kTagTablePassword));
    ASSERT_NE(dialog, nullptr);
    dialog->GetField()->setText("abc123");
    Press(dialog, TablePassWord::kTagOK);
    Step(1);
    const std::vector<Bytes> sent = SitDowns();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(U16At(sent[0], 0), 2);
    EXPECT_EQ(U16At(sent[0], 2), c.chair);
    EXPECT_EQ(TextAt(sent[0], 5, 33), u"abc123");
}

INSTANTIATE_TEST_SUITE_P(Chairs, RoomLockedSeats,
                         ::testing::Values(LockedSeat{3, 1}, LockedSeat{8, 5}, LockedSeat{20, INVALID_CHAIR},
                                           LockedSeat{100, INVALID_CHAIR}),
                         [](const ::testing::TestParamInfo<LockedSeat>& info) {
                             return std::to_string(info.param.chairs) + "Chairs";
                         });

TEST_F(RoomSeats, CancelSendsNothing)
{
    LogOn(6, 3, MeAnd({}));
    ASSERT_TRUE(Read(4, 101, TableState(1, 1, 0)));
    ASSERT_TRUE(room->RequestSitDown(1, 1));
    auto* dialog = dynamic_cast<TablePassWord*>(room->getChildByTag(RoomScene::kTagTablePassword));
    ASSERT_NE(dialog, nullptr);
    Press(dialog, TablePassWord::kTagCancel);
    Step(1);
    EXPECT_TRUE(SitDowns().empty());
    EXPECT_EQ(room->getChildByTag(RoomScene::kTagTablePassword), nullptr);
}

// A table password from the settings dialog has no length limit; the
// sit-down field holds 32 units and its terminator.
TEST_F(RoomSeats, LongTablePasswordIsCutToTheSitDownField)
{
    LogOn(6, 3, MeAnd({}));
    const std::string longPassword(40, 'k');
    ASSERT_TRUE(room->SendTableRule(longPassword));
    const std::vector<Bytes> rules = socket->SentWith(3, 1);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].size(), 13u + 4 + 80);
    ASSERT_TRUE(room->RequestSitDown(1, 1));
    const std::vector<Bytes> sent = SitDowns();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 71u);
    EXPECT_EQ(TextAt(sent[0], 5, 33), std::u16string(32, u'k'));
    EXPECT_EQ(U16At(sent[0], 69), 0);
}

TEST_F(RoomSeats, UnlockSendsAnEmptyPasswordItem)
{
    LogOn(6, 3, MeAnd({}, 0, 0, US_SIT));
    ASSERT_TRUE(room->SendTableRule(""));
    const std::vector<Bytes> rules = socket->SentWith(3, 1);
    ASSERT_EQ(rules.size(), 1u);
    ASSERT_EQ(rules[0].size(), 17u);
    EXPECT_EQ(U16At(rules[0], 13), 0);
    EXPECT_EQ(U16At(rules[0], 15), 1);
}

TEST_F(RoomSeats, QuickJoinAsksForAnySeatAndStandUpIsFiveBytes)
{
    LogOn(6, 3, MeAnd({}));
    room->OnQuickJoin(nullptr);
    const std::vector<Bytes> sent = SitDowns();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(U16At(sent[0], 0), 0xFFFF);
    EXPECT_EQ(U16At(sent[0], 2), 0xFFFF);
    EXPECT_EQ(room->GetRequestTable(), INVALID_TABLE);  // quick join keeps no seat
    ASSERT_TRUE(room->SendStandUp(3, 2, 1));
    const std::vector<Bytes> up = socket->SentWith(3, 4);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0], (Bytes{3, 0, 2, 0, 1}));
}

TEST_F(RoomSeats, ServerRefusalShowsItsTextAndClearsTheRequest)
{
    LogOn(6, 3, MeAnd({}));
    ASSERT_TRUE(room->RequestSitDown(1, 1));
    Bytes refusal(4, 0);
    PutText(refusal, u"桌子已满");  // unterminated
    ASSERT_TRUE(Read(3, 103, refusal));
    EXPECT_EQ(room->GetRequestTable(), INVALID_TABLE);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "桌子已满");
}

class RoomTables : public RoomFixture
{};

TEST_F(RoomTables, StateListMustMatchItsCountAndStopsAtTheLastTable)
{
    LogOn(2, 3, MeAnd({}));
    Bytes three = TableList({{1, 0}, {0, 1}, {1, 1}});  // one more than the room has
    ASSERT_EQ(three.size(), 8u);
    EXPECT_FALSE(Read(4, 100, Bytes(three.begin(), three.end() - 1)));
    Bytes longer = three;
    longer.push_back(0);
    EXPECT_FALSE(Read(4, 100, longer));
    EXPECT_FALSE(room->GetTableList()->GetTableInfo(0)->bLocked);
    EXPECT_TRUE(Read(4, 100, three));
    EXPECT_TRUE(room->GetTableList()->GetTableInfo(0)->bLocked);
    EXPECT_TRUE(room->GetTableList()->GetTableInfo(1)->bPlaying);
    EXPECT_EQ(room->GetTableList()->GetTableInfo(2), nullptr);
    EXPECT_TRUE(Read(4, 101, TableState(2, 1, 1)));
    EXPECT_TRUE(Read(4, 101, TableState(0xFFFF, 1, 1)));
}

TEST_F(RoomTables, MyTablesStateIsFollowed)
{
    LogOn(4, 3, MeAnd({}, 1, 0, US_SIT));
    ASSERT_TRUE(Read(4, 101, TableState(1, 0, 1)));
    EXPECT_TRUE(room->IsMyTablePlaying());
    ASSERT_TRUE(Read(4, 101, TableState(2, 0, 0)));  // not mine
    EXPECT_TRUE(room->IsMyTablePlaying());
    ASSERT_TRUE(Read(4, 101, TableState(1, 0, 0)));
    EXPECT_FALSE(room->IsMyTablePlaying());
}

// A finished update asks for a restart when my table of a small room stops,
// and only once.
TEST_F(RoomTables, RestartPromptWaitsForMyTableToStop)
{
    CWinUpdateGame* update = CWinUpdateGame::GetInstance();
    update->SetRestartPending(true);
    LogOn(4, 3, MeAnd({}, 1, 0, US_SIT));
    ASSERT_TRUE(Read(4, 101, TableState(1, 0, 1)));
    EXPECT_TRUE(Boxes().empty());
    ASSERT_TRUE(Read(4, 101, TableState(1, 0, 0)));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "程序已经升级完成，请重启大厅");
    ASSERT_TRUE(Read(4, 101, TableState(1, 0, 0)));
    EXPECT_EQ(Boxes().size(), 1u);
    update->SetRestartPending(false);
}

}  // namespace
}  // namespace roomtest
