// The room's users: who is listed, who sits where in the grid, and what
// happens to records that leave.
#include "RoomFixture.h"

#include "room/CCTableListLayer.h"
#include "room/CDlgGameUserInfo.h"
#include "room/PlayerTableViewLayerG.h"
#include "ui/PublicLayer.h"

namespace roomtest {
namespace {

class RoomUsers : public RoomFixture
{};

TEST_F(RoomUsers, FirstRecordIsMineAndSeatedUsersSitInTheGrid)
{
    LogOn(4, 3, MeAnd({User(2, u"张三", 1, 0, US_READY), User(3, u"李四", 1, 2, US_LOOKON), User(4, u"王五")}));
    tagUserData* me = room->GetMeUserData();
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(me->dwUserID, 1001u);
    EXPECT_EQ(room->GetUserManager().GetUserCount(), 4u);
    CCTableListLayer* grid = room->GetTableList();
    const tagUserData* seated = grid->GetChairUser(1, 0);
    ASSERT_NE(seated, nullptr);
    EXPECT_EQ(seated->dwUserID, 2u);
    EXPECT_EQ(grid->GetTableInfo(1)->chairStatus[0], US_READY);
    // Looking on is listed, not seated.
    EXPECT_EQ(grid->GetChairUser(1, 2), nullptr);
    EXPECT_NE(room->GetUserManager().SearchUserByUserID(3), nullptr);
    EXPECT_EQ(room->GetUserList()->GetRowCount(), 4);
}

// A second enter for a held user id refreshes that record: no second record
// that nobody owns, and the grid shows the held one at its new seat.
TEST_F(RoomUsers, RepeatedEnterRefreshesTheHeldRecord)
{
    LogOn(4, 3, MeAnd({User(2, u"张三", 1, 0, US_SIT)}));
    tagUserData* held = room->GetUserManager().SearchUserByUserID(2);
    ASSERT_TRUE(Read(3, 100, UserEnter(User(2, u"张三丰", 2, 1, US_SIT))));
    EXPECT_EQ(room->GetUserManager().GetUserCount(), 2u);
    EXPECT_EQ(room->GetUserManager().SearchUserByUserID(2), held);
    EXPECT_EQ(FieldText(held->szNickName), u"张三丰");
    CCTableListLayer* grid = room->GetTableList();
    EXPECT_EQ(grid->GetChairUser(1, 0), nullptr);
    EXPECT_EQ(grid->GetChairUser(2, 1), held);
    // Leaving then clears the seat it really has.
    ASSERT_TRUE(Read(3, 102, UserStatus(2, 2, 1, US_NULL)));
    EXPECT_EQ(grid->GetChairUser(2, 1), nullptr);
}

// Status 0 that repeats the old seat still clears the chair: the grid must
// not keep a freed record.
TEST_F(RoomUsers, LeavingTheRoomClearsTheGridAndTheList)
{
    LogOn(4, 3, MeAnd({User(2, u"张三", 3, 1, US_PLAY), User(5, u"赵六")}));
    ASSERT_TRUE(Read(3, 102, UserStatus(2, 3, 1, US_NULL)));
    EXPECT_EQ(room->GetUserManager().SearchUserByUserID(2), nullptr);
    EXPECT_EQ(room->GetTableList()->GetChairUser(3, 1), nullptr);
    EXPECT_EQ(room->GetUserList()->GetRowCount(), 2);
    room->GetTableList()->FlushCells();
    room->GetUserList()->FlushRows();
    Step(1);  // draws: ASan reports any freed record still shown
}

TEST_F(RoomUsers, MyRecordStaysValidWhenILeave)
{
    LogOn(4, 3, MeAnd({}, 0, 0, US_SIT));
    tagUserData* me = room->GetMeUserData();
    ASSERT_TRUE(Read(3, 102, UserStatus(1001, 0, 0, US_NULL)));
    EXPECT_EQ(room->GetMeUserData(), me);
    EXPECT_EQ(me->dwUserID, 1001u);  // ASan: still ours
    EXPECT_EQ(room->GetUserManager().SearchUserByUserID(1001), nullptr);
    EXPECT_EQ(room->GetTableList()->GetChairUser(0, 0), nullptr);
}

// Tables and chairs beyond the configuration come from the server too.
TEST_F(RoomUsers, SeatsOutsideTheRoomAreListedButNotDrawn)
{
    LogOn(4, 3, MeAnd({User(2, u"越界", 4, 0, US_SIT), User(3, u"越界二", 1, 3, US_SIT)}));
    EXPECT_EQ(room->GetUserManager().GetUserCount(), 3u);
    ASSERT_TRUE(Read(3, 102, UserStatus(2, 0xFFFE, 0xFFFE, US_SIT)));
    ASSERT_TRUE(Read(3, 102, UserStatus(3, 0, 2, US_SIT)));
    EXPECT_EQ(room->GetTableList()->GetChairUser(0, 2)->dwUserID, 3u);
}

// The score the frame's user panel shows, as drawn.
std::string PanelScore(cocos2d::CCNode* scene)
{
    cocos2d::CCArray* children = scene->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        if (auto* frame = dynamic_cast<PublicLayer*>(static_cast<cocos2d::CCNode*>(children->objectAtIndex(i))))
        {
            auto* label =
                dynamic_cast<cocos2d::CCLabelTTF*>(frame->getUserPanel()->getChildByTag(PublicLayer::kTagScore));
            return label != nullptr ? label->getString() : "";
        }
    return "no panel";
}

// My record brings my score and safe-box balance (the hall has no log-on
// server to have given them); score messages keep them, and the panels of
// the room's frame and of the hall, up to date.
TEST_F(RoomUsers, MyScoreReachesTheLoggedOnRecordAndTheFramePanels)
{
    UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    logon.lScore = logon.lInsureScore = 0;
    std::vector<UserEntry> users = MeAnd({User(2, u"张三", 0, 0, US_SIT)}, 0, 1, US_SIT);
    users[0].score = 128000;
    users[0].bank = 50000;
    LogOn(4, 3, users);
    EXPECT_EQ(logon.lScore, 128000);
    EXPECT_EQ(logon.lInsureScore, 50000);
    EXPECT_EQ(PanelScore(room), "12,8000");

    ASSERT_TRUE(Read(3, 101, UserScore(1001, 5555, 777)));
    EXPECT_EQ(logon.lScore, 5555);
    EXPECT_EQ(logon.lInsureScore, 777);
    EXPECT_EQ(PanelScore(room), "5555");
    ASSERT_TRUE(Read(3, 101, UserScore(2, -40, 0)));
    ASSERT_TRUE(Read(3, 100, UserEnter(User(3, u"李四"))));
    EXPECT_EQ(room->GetUserManager().SearchUserByUserID(2)->lScore, -40);
    EXPECT_EQ(logon.lScore, 5555);
    EXPECT_EQ(PanelScore(room), "5555");

    room->ExitRoom();
    room = nullptr;
    Step(2);
    EXPECT_EQ(PanelScore(hall), "5555");
}

TEST_F(RoomUsers, MySeatClearsTheOutstandingRequest)
{
    LogOn(4, 3, MeAnd({}));
    ASSERT_TRUE(room->RequestSitDown(2, 1));
    EXPECT_EQ(room->GetRequestTable(), 2);
    ASSERT_TRUE(Read(3, 102, UserStatus(1001, 2, 1, US_SIT)));
    EXPECT_EQ(room->GetRequestTable(), INVALID_TABLE);
    EXPECT_EQ(room->GetRequestChair(), INVALID_CHAIR);
    EXPECT_EQ(room->GetTableList()->GetChairUser(2, 1), room->GetMeUserData());
}

// A user's change builds that user's row again, showing the new status, and
// leaves the other rows as they are.
TEST_F(RoomUsers, AChangedUserRebuildsOnlyTheirOwnRow)
{
    LogOn(4, 3, MeAnd({User(2, u"张三", 1, 0, US_SIT), User(3, u"李四", 2, 0, US_SIT)}));
    PlayerTableViewLayerG* list = room->GetUserList();
    cocos2d::CCNode* rows[3] = {list->GetRowNode(0), list->GetRowNode(1), list->GetRowNode(2)};
    for (cocos2d::CCNode* row : rows)
    {
        ASSERT_NE(row, nullptr);
        row->retain();  // compared after the change: kept from reuse
    }
    ASSERT_TRUE(Read(3, 102, UserStatus(2, 1, 0, US_PLAY)));
    Step(1);
    EXPECT_EQ(list->GetRowNode(0), rows[0]);
    EXPECT_EQ(list->GetRowNode(2), rows[2]);
    cocos2d::CCNode* changed = list->GetRowNode(1);
    ASSERT_NE(changed, nullptr);
    EXPECT_NE(changed, rows[1]);
    EXPECT_EQ(changed->getPosition().y, rows[1]->getPosition().y);
    auto* icon = dynamic_cast<cocos2d::CCSprite*>(changed->getChildByTag(PlayerTableViewLayerG::kTagRowStatus));
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->isFrameDisplayed(cocos2d::CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(
        ("status_" + std::to_string(US_PLAY)).c_str())));
    // A user who comes reloads the whole list: every row is new.
    ASSERT_TRUE(Read(3, 100, UserEnter(User(4, u"王五"))));
    Step(1);
    EXPECT_NE(list->GetRowNode(0), rows[0]);
    EXPECT_EQ(list->GetRowCount(), 4);
    for (cocos2d::CCNode* row : rows)
        row->release();
}

// The card keeps its own copy: the user may leave while it is open.
TEST_F(RoomUsers, ClickOnARowOpensThatUsersCard)
{
    UserEntry member = User(2, u"张三", 1, 0, US_SIT);
    member.member = 1;
    member.gender = 1;
    LogOn(4, 3, MeAnd({member}));
    PlayerTableViewLayerG* list = room->GetUserList();
    cocos2d::CCNode* row = list->GetRowNode(1);
    ASSERT_NE(row, nullptr);
    Tap(row->convertToWorldSpace(cocos2d::CCPoint(60, 15)));
    auto* card = dynamic_cast<CDlgGameUserInfo*>(room->getChildByTag(CDlgGameUserInfo::kDialogTag));
    ASSERT_NE(card, nullptr);
    cocos2d::CCNode* panel = card->getChildByTag(CDlgGameUserInfo::kTagPanel);
    auto text = [&](int tag) {
        auto* label = dynamic_cast<cocos2d::CCLabelTTF*>(panel->getChildByTag(tag));
        return label != nullptr ? std::string(label->getString()) : std::string();
    };
    EXPECT_EQ(text(CDlgGameUserInfo::kTagNickname), "昵称：张三");
    EXPECT_EQ(text(CDlgGameUserInfo::kTagGameID), "ID：200002");
    EXPECT_EQ(text(CDlgGameUserInfo::kTagGender), "性别：女");
    EXPECT_EQ(text(CDlgGameUserInfo::kTagClient), "来自电脑客户端");
    EXPECT_NE(panel->getChildByTag(CDlgGameUserInfo::kTagMember), nullptr);
    ASSERT_TRUE(Read(3, 102, UserStatus(2, 1, 0, US_NULL)));
    Step(2);
    EXPECT_EQ(text(CDlgGameUserInfo::kTagNickname), "昵称：张三");
}

}  // namespace
}  // namespace roomtest
