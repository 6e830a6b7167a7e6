// Where the room's panes go, and what the room looks like with a full grid.
#include "RoomFixture.h"

#include "app/AppDelegate.h"
#include "room/CCTableListLayer.h"
#include "room/PlayerTableViewLayerG.h"
#include "room/GameChatLayerG.h"
#include "room/RoomLayout.h"

#include <cmath>

using namespace cocos2d;

namespace roomtest {
namespace {

TEST(RoomLayoutNumbers, ListTakesWholeRowsOfAboutSixtyPercent)
{
    room::RoomLayout l = room::ComputeRoomLayout(1288, 762, 0, true);
    EXPECT_EQ(l.availableHeight, 641);
    EXPECT_EQ(l.userListHeight, 363);
    EXPECT_FLOAT_EQ(l.chatPane.height, 278);
    EXPECT_FLOAT_EQ(l.userList.x, 1045);
    EXPECT_FLOAT_EQ(l.userList.y, 278);
    EXPECT_FLOAT_EQ(l.topBar.y, 641);
    EXPECT_FLOAT_EQ(l.topBar.width, 1042);
    EXPECT_FLOAT_EQ(l.tableGrid.width, 1044);
    EXPECT_FLOAT_EQ(l.tableGrid.height, 606);
    // The table area reaches up to the top bar's lower edge.
    EXPECT_FLOAT_EQ(l.tableArea.y + l.tableArea.height, l.topBar.y - l.topBar.height);

    l = room::ComputeRoomLayout(1288, 300, 0, true);
    EXPECT_EQ(l.availableHeight, 179);
    EXPECT_EQ(l.userListHeight, 93);
}

TEST(RoomLayoutNumbers, WithoutTheListTheTablesTakeTheWholeWidth)
{
    const room::RoomLayout l = room::ComputeRoomLayout(1288, 762, 0, false);
    EXPECT_FLOAT_EQ(l.topBar.width, 1284);
    EXPECT_FLOAT_EQ(l.tableArea.width, 1286);
    EXPECT_FLOAT_EQ(l.tableGrid.width, 1288);
}

TEST(TableGridGeometry, CellsFillTheWidthAndChairsRingTheTable)
{
    const CCTableListLayer::Geometry g = CCTableListLayer::ComputeGeometry(1044, 100, 3);
    EXPECT_EQ(g.columns, 5);
    EXPECT_EQ(g.rows, 20);
    EXPECT_GE(g.marginX, 0);
    // Chair 0 at the bottom, the others spread round.
    const CCPoint c0 = CCTableListLayer::ChairOffset(3, 0, g);
    const CCPoint c1 = CCTableListLayer::ChairOffset(3, 1, g);
    const CCPoint c2 = CCTableListLayer::ChairOffset(3, 2, g);
    EXPECT_LT(c0.y, c1.y);
    EXPECT_GT(c1.x, 0);
    EXPECT_LT(c2.x, 0);
    // Chairs keep clear of each other and of the cell's edges.
    for (uint16_t chairs = 2; chairs <= 8; ++chairs)
    {
        const CCTableListLayer::Geometry geo = CCTableListLayer::ComputeGeometry(1044, 10, chairs);
        for (uint16_t a = 0; a < chairs; ++a)
        {
            const CCPoint p = CCTableListLayer::ChairOffset(chairs, a, geo);
            EXPECT_LE(std::fabs(p.x) + 20, geo.cellWidth / 2) << chairs;
            EXPECT_LE(std::fabs(p.y) + 20 + 14, geo.cellHeight / 2 + 10) << chairs;
            for (uint16_t b = a + 1; b < chairs; ++b)
            {
                const CCPoint q = CCTableListLayer::ChairOffset(chairs, b, geo);
                EXPECT_GE(std::hypot(p.x - q.x, p.y - q.y), 40) << chairs << ": " << a << " " << b;
            }
        }
    }
}

class RoomPanes : public RoomFixture
{};

TEST_F(RoomPanes, PanesSitWhereTheLayoutSays)
{
    LogOn(12, 3, MeAnd({}));
    PlayerTableViewLayerG* list = room->GetUserList();
    EXPECT_EQ(room->GetAvailableHeight(), 641);
    EXPECT_EQ(room->GetUserListHeight(), 363);
    EXPECT_FLOAT_EQ(list->getPositionX(), 1045);
    EXPECT_FLOAT_EQ(list->getContentSize().height, 363);
    EXPECT_FLOAT_EQ(room->GetTableList()->getContentSize().width, 1044);
    EXPECT_TRUE(list->isVisible());

    CCUserDefault::sharedUserDefault()->setBoolForKey("UserList", false);
    room->HideUserList();
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(room->GetChatLayer()->isVisible());
    EXPECT_FLOAT_EQ(room->GetTableList()->getContentSize().width, 1288);
    EXPECT_GT(room->GetTableList()->GetGeometry().columns, 5);
    room->ShowUserList();
    EXPECT_TRUE(list->isVisible());
    EXPECT_FLOAT_EQ(room->GetTableList()->getContentSize().width, 1044);
}

TEST_F(RoomPanes, HeaderButtonsSortTheList)
{
    std::vector<UserEntry> others = {User(2, u"b"), User(3, u"c"), User(4, u"a")};
    others[0].gameId = 30;
    others[1].gameId = 10;
    others[2].gameId = 20;
    LogOn(4, 3, MeAnd(others));
    PlayerTableViewLayerG* list = room->GetUserList();
    CCNode* header = list->getChildByTag(PlayerTableViewLayerG::kTagHeader);
    ASSERT_NE(header, nullptr);
    CCNode* byGameId = header->getChildByTag(PlayerTableViewLayerG::kTagSortGameID);
    ASSERT_NE(byGameId, nullptr);
    Tap(byGameId->convertToWorldSpaceAR(CCPoint(0, 0)));
    RoomUserManager& users = room->GetUserManager();
    EXPECT_EQ(users.GetUserByIndex(0)->dwUserID, 1001u);  // me first
    EXPECT_EQ(users.GetUserByIndex(1)->dwGameID, 10u);
    EXPECT_EQ(users.GetUserByIndex(3)->dwGameID, 30u);
    Tap(byGameId->convertToWorldSpaceAR(CCPoint(0, 0)));
    EXPECT_EQ(users.GetUserByIndex(1)->dwGameID, 30u);
    EXPECT_EQ(users.GetUserByIndex(3)->dwGameID, 10u);
}

TEST_F(RoomPanes, FullGridShowsNoStandInPicture)
{
    std::vector<UserEntry> others;
    const std::u16string names[] = {u"张三", u"李四", u"王五", u"赵六", u"孙七", u"周八", u"吴九", u"郑十"};
    for (uint16_t table = 0; table < 15; ++table)
        for (uint16_t chair = 0; chair < 3; ++chair)
        {
            UserEntry u = User(10 + table * 3 + chair, names[(table + chair) % 8], table, chair,
                              static_cast<uint8_t>(US_SIT + (table + chair) % 4));
            u.member = (table + chair) % 5 == 0 ? 1 : 0;
            u.gender = chair % 2;
            others.push_back(u);
        }
    LogOn(30, 3, MeAnd(others));
    std::vector<std::pair<uint8_t, uint8_t>> states;
    for (int t = 0; t < 30; ++t)
        states.push_back({static_cast<uint8_t>(t % 4 == 1), static_cast<uint8_t>(t % 3 == 0)});
    ASSERT_TRUE(Read(4, 100, TableList(states)));
    Step(3);
    EXPECT_EQ(CCTextureCache::sharedTextureCache()->getMissingPictures(), std::vector<std::string>());
    EXPECT_FALSE(HasStandIn(room));
    const std::string shot = ::testing::TempDir() + "room-full-grid.png";
    ASSERT_TRUE(CCDirector::sharedDirector()->saveScreenshot(shot));
    EXPECT_EQ(MagentaPixels(shot), 0);
    // Scrolling brings later rows in and drops the others.
    CCTableListLayer* grid = room->GetTableList();
    const size_t built = grid->GetBuiltCellCount();
    grid->ScrollTo(grid->GetMaxScroll());
    EXPECT_EQ(grid->GetCell(0), nullptr);
    EXPECT_NE(grid->GetCell(29), nullptr);
    EXPECT_LE(grid->GetBuiltCellCount(), built + 5);
}

// Maximised on a 4:3 desktop the view keeps 1288 points of width, so the
// visible height grows to 966 and the panes follow it.
class MaximisedRoom : public RoomFixture
{
protected:
    CCSize FrameSize() const override { return CCSize(1600, 1200); }
};

TEST_F(MaximisedRoom, PanesFollowTheTallerVisibleAreaAndComeBackOnRestore)
{
    LogOn(12, 3, MeAnd({}));
    EXPECT_EQ(CCDirector::sharedDirector()->getVisibleSize(), CCSize(1288, 966));
    EXPECT_EQ(room->GetAvailableHeight(), 845);
    EXPECT_EQ(room->GetUserListHeight(), 483);  // 15 rows and the header
    EXPECT_FLOAT_EQ(room->GetUserList()->getPositionY(), 966 - 483 - 121);
    EXPECT_FLOAT_EQ(room->GetChatLayer()->getContentSize().height, 362);
    EXPECT_FLOAT_EQ(room->GetTopBar()->getPositionY(), 845);
    // The table area is taller than its picture: the picture stretches to
    // it instead of asking for rows it does not have.
    CCSprite* area = room->GetTableArea();
    ASSERT_NE(area, nullptr);
    const CCRect box = area->boundingBox();
    EXPECT_FLOAT_EQ(box.size.width, 1042);
    EXPECT_FLOAT_EQ(box.size.height, 810);
    EXPECT_LE(area->getTextureRect().size.height, area->getTexture()->getContentSize().height);
    SaveScreen("room_maximised");

    // Restored: the window's resize reaches the room through the program's hook.
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setWindowMessageHook(&AppDelegate::WindowMessageHook);
    view->handleResize(1288, 762);
    view->setWindowMessageHook(nullptr);
    EXPECT_EQ(room->GetAvailableHeight(), 641);
    EXPECT_EQ(room->GetUserListHeight(), 363);
    EXPECT_FLOAT_EQ(room->GetChatLayer()->getContentSize().height, 278);
    EXPECT_FLOAT_EQ(area->boundingBox().size.height, 606);
}

}  // namespace
}  // namespace roomtest
