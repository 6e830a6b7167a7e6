// The window over the room and its table, as the program's hooks see it:
// where a press moves the window, and what closing it does mid-hand.
#include "RoomFixture.h"

#include "app/AppDelegate.h"
#include "games/framework/GameBoard.h"
#include "ui/WindyTopLayer.h"

using namespace roomtest;
using namespace cocos2d;

namespace {

// Window pixels from the top left; the frame is the design size here.
CCWindowArea At(float x, float y) { return AppDelegate::WindowAreaHook(CCPoint(x, y)); }

bool Close()
{
    CCWindowMessage close{};
    close.kind = CCWindowMessage::kClose;
    return AppDelegate::WindowMessageHook(close);  // true: the window stays
}

int ExitQuestions()
{
    int count = 0;
    CCArray* children = WindyTopLayer::sharedTopLayer()->getChildren();
    for (unsigned i = 0; children != nullptr && i < children->count(); ++i)
        count += static_cast<CCNode*>(children->objectAtIndex(i))->getTag() == Sexy::CBaseKernelLayer::kExitDialogTag;
    return count;
}

}  // namespace

class RoomWindow : public RoomFixture
{
protected:
    // Me at table 0, chair 1, with the board on show.
    Sexy::CGameBoard* SitAtTheTable()
    {
        LogOn(12, 3, MeAnd({User(2001, u"张三", 0, 0, US_SIT)}, 0, 1, US_SIT));
        CCTextureCache::sharedTextureCache()->waitForAsync();
        Step(1);
        return room->GetKernelLayer()->GetGameBoard();
    }
};

TEST_F(RoomWindow, TheCaptionIsTheBoardsStripAtTheTableAndTheRoomsHeaderElsewhere)
{
    Sexy::CGameBoard* board = SitAtTheTable();
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(At(600, 10), CCWindowArea::kCaption);
    EXPECT_EQ(At(600, 33), CCWindowArea::kCaption);
    EXPECT_EQ(At(600, 60), CCWindowArea::kClient);  // the room's header lies under the table
    EXPECT_EQ(At(1288 - 46 + 20, 10), CCWindowArea::kClient);  // close
    EXPECT_EQ(At(1288 - 76 + 15, 10), CCWindowArea::kClient);  // maximise
    EXPECT_EQ(At(1288 - 106 + 15, 10), CCWindowArea::kClient);  // minimise
    const CCPoint name = board->GetRoomButton()->getPosition();
    EXPECT_EQ(At(name.x + 10, 762 - name.y + 10), CCWindowArea::kClient);

    // Back to the room with the table kept: its header, down to its top bar,
    // is the caption again, but not the frame's buttons on it.
    board->OnRoomButton(nullptr, 0);
    EXPECT_EQ(At(600, 60), CCWindowArea::kCaption);
    EXPECT_EQ(At(600, 115), CCWindowArea::kCaption);
    EXPECT_EQ(At(600, 125), CCWindowArea::kClient);
    EXPECT_EQ(At(1288 - 77 + 15, 12), CCWindowArea::kClient);
}

TEST_F(RoomWindow, ClosingTheWindowMidHandAsksAsTheTablesCloseDoesAndOutsideAHandCloses)
{
    Sexy::CGameBoard* board = SitAtTheTable();
    ASSERT_NE(board, nullptr);
    Sexy::CBaseKernelLayer* kernel = room->GetKernelLayer();
    EXPECT_FALSE(Close());  // seated, no hand: the window closes
    EXPECT_EQ(ExitQuestions(), 0);

    ASSERT_TRUE(Read(4, 101, TableState(0, 0, 1)));
    ASSERT_EQ(kernel->GetMeUserData()->cbUserStatus, US_PLAY);
    EXPECT_TRUE(Close());
    EXPECT_TRUE(Close());  // again (Alt+F4 after the manager's close): one question
    EXPECT_EQ(ExitQuestions(), 1);
    EXPECT_TRUE(socket->SentWith(3, 4).empty());
    auto* question =
        static_cast<Dialog*>(WindyTopLayer::sharedTopLayer()->getChildByTag(Sexy::CBaseKernelLayer::kExitDialogTag));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(LastDialogText(), "您正在游戏中,强行退出将被扣分，确定要强退吗?");

    // Cancelled, the hand goes on; confirmed, I stand up as from the table's close.
    question->getDelegate()->OnDialogResult(Dialog::kButtonClose);
    question->Close();
    EXPECT_TRUE(socket->SentWith(3, 4).empty());
    EXPECT_TRUE(Close());
    question =
        static_cast<Dialog*>(WindyTopLayer::sharedTopLayer()->getChildByTag(Sexy::CBaseKernelLayer::kExitDialogTag));
    ASSERT_NE(question, nullptr);
    question->getDelegate()->OnDialogResult(Dialog::kButtonOK);
    question->Close();
    EXPECT_EQ(socket->SentWith(3, 4), (std::vector<Bytes>{{0, 0, 1, 0, 1}}));
    EXPECT_TRUE(room->GetTableList()->isVisible());

    // Up from the table, the next close closes.
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, INVALID_TABLE, INVALID_CHAIR, US_FREE)));
    EXPECT_FALSE(Close());
}
