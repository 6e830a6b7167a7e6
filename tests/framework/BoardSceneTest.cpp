// The board as a player sees it: built through the kernel from the room's
// messages, then inspected node by node and in screenshots.
#include "KernelFixture.h"

#include <array>

#include "bank/BankDialogServer.h"
#include "bank/BankEntry.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/GameChatLayer.h"
#include "games/framework/PlainGameBoard.h"
#include "games/framework/PlayerTableViewLayer.h"
#include "games/framework/TimerBox.h"
#include "games/framework/UserInfoView.h"

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace Sexy;
using kt::KernelTest;

namespace {

constexpr uint16_t kCountingKind = 77;

CCEGLView* View() { return CCEGLView::sharedOpenGLView(); }
std::string SourceOf(const CCCursor* cursor) { return cursor != nullptr ? cursor->getSource() : ""; }

// A plain board that counts its resets.
class CountingBoard : public CPlainGameBoard
{
public:
    static CountingBoard* create()
    {
        auto* board = new CountingBoard();
        board->init();
        board->autorelease();
        return board;
    }
    void ResetGameView() override { ++resets; }
    void LayoutMyInfo(CBoardDrawUserData* panel) override
    {
        if (myLayout != nullptr)
            myLayout(panel);
        else
            CPlainGameBoard::LayoutMyInfo(panel);
    }
    int resets = 0;
    // One of the own-panel layouts the tables share, or the plain board's.
    void (*myLayout)(CBoardDrawUserData*) = nullptr;
};

// A plain board on a table picture that is no tile: the window's skin, a
// picture shaded to its edges.
class PictureTableBoard : public CPlainGameBoard
{
public:
    static PictureTableBoard* create()
    {
        auto* board = new PictureTableBoard();
        board->init();
        board->autorelease();
        return board;
    }
    bool init() override
    {
        InitGameTable("Skin/Bg/bg1", "ClientGame/Table", nullptr, CCPointZero);
        return CPlainGameBoard::init();
    }
};

class BoardScene : public KernelTest
{
protected:
    void SetUp() override
    {
        KernelTest::SetUp();
        s_self = this;
        View()->setCursor(View()->getArrowCursor());
    }

    // A board of the kind at a table of `chairs`, me on chair 1 and others
    // on the chairs given, shown as the room shows it.
    CGameBoard* Seat(uint16_t chairs, std::vector<uint16_t> others, uint16_t kind = 200)
    {
        CGameBoard* board = EnterWithBoard(chairs, kind);
        EXPECT_NE(board, nullptr);
        EXPECT_TRUE(Enter(1000, 1, US_SIT, 12345678));
        uint32_t id = 2001;
        for (uint16_t chair : others)
        {
            EXPECT_TRUE(Enter(id, chair, US_SIT, 8800 * id));
            ++id;
        }
        EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));
        Step();
        return board;
    }

    // A board of a kind of the test's own, entered at a table of `chairs`.
    template <class Board>
    Board* EnterOwnKind(uint16_t kind, uint16_t chairs)
    {
        RegisterGameKind(kind, &kt::TestModule::Make, &MakeGame<Board>);
        Configure(chairs, kind);
        const std::vector<uint8_t> record = KindRecord(kind);
        kernel->LoadGameResources(record.data());
        room.ready = true;
        kernel->EnterGame(record.data());
        return dynamic_cast<Board*>(kernel->GetGameBoard());
    }
    CountingBoard* SeatCounting(uint16_t chairs) { return EnterOwnKind<CountingBoard>(kCountingKind, chairs); }

    template <class Board>
    static CGameBoard* MakeGame()
    {
        auto* fresh = new kt::RecordingHandler();
        fresh->InitGameHandler();
        s_self->handler.reset(fresh);
        return Board::create();
    }

    static CBoardDrawUserData* Panel(CGameBoard* board, uint16_t view) { return board->GetSeatPanel(view); }

    static BoardScene* s_self;
};

BoardScene* BoardScene::s_self = nullptr;

std::string Text(CCNode* label)
{
    auto* ttf = dynamic_cast<CCLabelTTF*>(label);
    return ttf != nullptr ? ttf->getString() : std::string("<none>");
}

TEST_F(BoardScene, ShowsTheWholeTableOfAThreeSeatGame)
{
    CGameBoard* board = Seat(3, {0, 2});
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {0, 0}));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {1, 2, 3}));
    EXPECT_TRUE(Status(2001, US_READY, 0));
    Step(30);

    // Me on chair 1 at view 0; chair 2 at view 1, chair 0 at view 2.
    for (uint16_t view : {0, 1, 2})
    {
        CBoardDrawUserData* panel = Panel(board, view);
        ASSERT_NE(panel, nullptr) << view;
        EXPECT_EQ(panel->getParent(), board->GetContentRoot());
        EXPECT_EQ(panel->getZOrder(), CGameBoard::kSeatPanelZOrder);
        EXPECT_EQ(panel->getPosition(), board->m_ptSeatPanel[view]);
    }
    EXPECT_EQ(Panel(board, 3), nullptr);
    EXPECT_NE(Panel(board, 2)->getChildByTag(CBoardDrawUserData::kReadySignTagBase + 2), nullptr);
    EXPECT_EQ(Panel(board, 1)->getChildByTag(CBoardDrawUserData::kReadySignTagBase + 1), nullptr);

    // The scene in the free status: the start button and my ready clock.
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_EQ(board->GetStartButton()->getParent(), board->GetContentRoot());
    CTimerBox* box = board->GetTimerBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->getTag(), CGameBoard::kTimerBoxTag);
    EXPECT_EQ(box->getZOrder(), CGameBoard::kTimerBoxZOrder);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->GetSeconds(), 45);
    EXPECT_EQ(box->getPosition(), board->m_ptClock[0]);

    // The right bar: my card, the list of the three, the chat.
    ASSERT_NE(board->GetUserInfoView(), nullptr);
    EXPECT_EQ(Text(board->GetUserInfoView()->GetScoreLabel()), "1234,5678");
    EXPECT_EQ(board->GetPlayerList()->GetItems().size(), 3u);
    EXPECT_NE(board->GetChatLayer(), nullptr);
    ASSERT_NE(board->GetTotalScorePanel(), nullptr);
    EXPECT_EQ(board->GetTotalScorePanel()->getTag(), CGameBoard::kTotalScoreTag);
    SaveScreen("board_three_seats");
}

TEST_F(BoardScene, NothingIsDrawnWhileNothingChanges)
{
    CGameBoard* board = Seat(4, {0, 2, 3});
    ASSERT_NE(board, nullptr);
    CCDirector* director = CCDirector::sharedDirector();
    Step(30);
    const unsigned drawn = director->getDrawnFrames();
    Step(180);
    EXPECT_EQ(director->getDrawnFrames(), drawn);
    // A clock ticks and its light runs: frames are drawn again, but only
    // when a digit or the light's picture changes (five times a second).
    EXPECT_TRUE(handler->SetGameClock(2, 30, 10));
    Step(60);
    EXPECT_GT(director->getDrawnFrames(), drawn);
    EXPECT_LE(director->getDrawnFrames(), drawn + 8);
    EXPECT_TRUE(handler->KillGameClock(30));
    Step(30);
    const unsigned afterClock = director->getDrawnFrames();
    Step(180);
    EXPECT_EQ(director->getDrawnFrames(), afterClock);
    // Two ready signs turn their pictures four times a second, in step.
    EXPECT_TRUE(Status(2001, US_READY, 0));
    EXPECT_TRUE(Status(2002, US_READY, 2));
    Step(60);
    EXPECT_GT(director->getDrawnFrames(), afterClock);
    EXPECT_LE(director->getDrawnFrames(), afterClock + 10);
}

TEST_F(BoardScene, RightBarAndCaptionFollowTheVisibleArea)
{
    CGameBoard* board = Seat(3, {0});
    ASSERT_NE(board, nullptr);
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    struct Case
    {
        CCSize frame;
        float top;
        int barTop, advert, list;
    };
    // c = ceil(1 / vertical scale): 1 at the design size and larger, 2 below.
    const Case cases[] = {
        {{1288, 762}, 762, 197, 108, 199},
        {{1600, 1200}, 966, 197, 108, 319},
        {{966, 572}, 763, 198, 110, 199},
    };
    for (const Case& c : cases)
    {
        view->setFrameSize(c.frame.width, c.frame.height);
        board->LayoutBoard(static_cast<int>(c.frame.width), static_cast<int>(c.frame.height));
        const float top = CCDirector::sharedDirector()->getVisibleSize().height;
        EXPECT_FLOAT_EQ(top, c.top);
        EXPECT_EQ(board->GetBarTopHeight(), c.barTop);
        EXPECT_EQ(board->GetAdvertHeight(), c.advert);
        EXPECT_EQ(board->GetListHeight(), c.list);
        EXPECT_EQ((board->GetListHeight() - 49) % 30, 0);
        const int rest = static_cast<int>(top) - c.barTop - c.advert;
        EXPECT_EQ(board->GetBarRestHeight(), rest);
        EXPECT_EQ(board->GetPlayerList()->getPosition(), CCPoint(1028, top - c.list - c.barTop));
        EXPECT_EQ(board->GetPlayerList()->getContentSize(), CCSize(258, static_cast<float>(c.list)));
        EXPECT_EQ(board->GetChatLayer()->getPosition(), CCPoint(1028, 0));
        EXPECT_EQ(board->GetChatLayer()->getContentSize(), CCSize(258, static_cast<float>(rest - c.list)));
        EXPECT_EQ(board->GetUserInfoBackground()->getPosition(), CCPoint(1030, top - 196 + 7));
        EXPECT_EQ(board->GetUserInfoView()->getPosition(), CCPoint(1091, top - 131));
        // The list and the chat share the bar's rest between them.
        EXPECT_EQ(board->GetPlayerList()->GetListHeight() + 49, c.list);
        EXPECT_EQ(board->GetChatLayer()->GetListHeight(), rest - c.list - 60);
        // Caption buttons hang from the top right.
        EXPECT_EQ(board->GetCloseButton()->getPosition(), CCPoint(1242, top));
        EXPECT_EQ(board->GetMaximizeButton()->getPosition(), CCPoint(1212, top));
        EXPECT_EQ(board->GetMinimizeButton()->getPosition(), CCPoint(1182, top));
        EXPECT_EQ(board->GetSettingButton()->getPosition(), CCPoint(1152, top));
        EXPECT_FALSE(board->GetSettingButton()->isVisible());
        // The table fills the play area left of the bar, under the caption.
        EXPECT_EQ(board->GetTable()->getContentSize(), CCSize(1018, top - 40));
        EXPECT_EQ(board->GetPlayWidth(), 1018);
        EXPECT_EQ(board->GetPlayHeight(), static_cast<int>(top - 40));
        EXPECT_EQ(board->GetContentRoot()->getPosition(), CCPoint(513, (top - 40) * 0.5f + 4));
        EXPECT_EQ(board->GetRoomButton()->getPosition(), CCPoint(50, top - 4));
        EXPECT_EQ(board->GetTitle()->getPosition(), CCPoint(20, top - 17));
        EXPECT_EQ(board->GetBorder()->getContentSize(), CCDirector::sharedDirector()->getVisibleSize());
    }
    view->setFrameSize(1288, 762);
}

// The window at any size shows the whole table: the content root with my
// total score, the right bar's chat and the caption buttons lie inside what
// shows, whichever side of the window has room to spare.
TEST_F(BoardScene, AnyWindowSizeShowsTheWholeTable)
{
    CGameBoard* board = Seat(3, {0});
    ASSERT_NE(board, nullptr);
    ASSERT_NE(board->GetTotalScorePanel(), nullptr);
    auto world = [](CCNode* node) {
        const CCSize size = node->getContentSize();
        const CCPoint a = node->convertToWorldSpace(CCPointZero);
        const CCPoint b = node->convertToWorldSpace(CCPoint(size.width, size.height));
        return CCRect(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
    };
    const CCSize frames[] = {{1000, 600}, {1288, 762}, {1600, 900}, {1920, 1040}, {2560, 1080}, {1280, 1024}};
    for (const CCSize& frame : frames)
    {
        SCOPED_TRACE(testing::Message() << frame.width << " x " << frame.height);
        View()->setFrameSize(frame.width, frame.height);
        board->LayoutBoard(static_cast<int>(frame.width), static_cast<int>(frame.height));
        const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
        for (CCNode* node : std::initializer_list<CCNode*>{board->GetContentRoot(), board->GetTotalScorePanel(),
                                                           board->GetChatLayer(), board->GetCloseButton()})
        {
            const CCRect box = world(node);
            EXPECT_GE(box.getMinX(), 0);
            EXPECT_GE(box.getMinY(), 0);
            EXPECT_LE(box.getMaxX(), visible.width);
            EXPECT_LE(box.getMaxY(), visible.height);
        }
    }
    View()->setFrameSize(1288, 762);
}

// A window of another shape than the table's has room to spare beside the
// table picture (wider) or below it (taller): the picture's edge goes on
// there plainly, with no seam and no second picture.
TEST_F(BoardScene, TheSpareRoomContinuesTheTablePicturePlainly)
{
    CGameBoard* board = EnterOwnKind<PictureTableBoard>(78, 3);
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));
    Step();
    board->GetContentRoot()->setVisible(false);  // the table picture alone
    for (const bool wider : {true, false})
    {
        const CCSize frame = wider ? CCSize(1600, 900) : CCSize(1280, 1024);
        SCOPED_TRACE(testing::Message() << frame.width << " x " << frame.height);
        View()->setFrameSize(frame.width, frame.height);
        board->LayoutBoard(static_cast<int>(frame.width), static_cast<int>(frame.height));
        std::vector<unsigned char> rgba;
        int width = 0, height = 0;
        ASSERT_TRUE(CCDirector::sharedDirector()->captureFrame(rgba, width, height));
        // The colour at a point (design points, GL orientation).
        auto at = [&](float x, float y) {
            const float scale = View()->getScaleX();
            const int px = static_cast<int>(x * scale), py = height - 1 - static_cast<int>(y * scale);
            const unsigned char* p = &rgba[(static_cast<size_t>(py) * width + px) * 4];
            return std::array<int, 3>{p[0], p[1], p[2]};
        };
        // The picture (1024 x 728) hangs from the table's top left corner.
        const CCRect table = board->GetTable()->boundingBox();
        const float edge = wider ? table.getMinX() + 1024 : table.getMaxY() - 728;
        int differing = 0, compared = 0;
        for (int i = 0; i < 10; ++i)
        {
            // Along the spare room from the picture's edge on (clear of the
            // window frame's shade along the bottom).
            const float across = wider ? table.getMinY() + 60 + i * 60 : table.getMinX() + 40 + i * 90;
            const std::array<int, 3> last = wider ? at(edge - 1, across) : at(across, edge + 1);
            const float from = wider ? edge + 1 : table.getMinY() + 50, to = wider ? table.getMaxX() - 2 : edge - 1;
            for (float along = from; along < to; along += 3, ++compared)
            {
                const std::array<int, 3> now = wider ? at(along, across) : at(across, along);
                for (int c = 0; c < 3; ++c)
                    if (std::abs(now[c] - last[c]) > 1)
                    {
                        ++differing;
                        break;
                    }
            }
        }
        EXPECT_GT(compared, 100);
        EXPECT_EQ(differing, 0);
    }
    View()->setFrameSize(1288, 762);
}

// The window's skin is the setting "index" (0 to 3); anything else, as a
// damaged settings file may hold, is the first skin.
TEST_F(BoardScene, SkinFollowsTheSettingAndFallsBackToTheFirst)
{
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    const struct
    {
        int index;
        const char* picture;
    } cases[] = {{0, "Skin/Bg/bg1"}, {2, "Skin/Bg/bg3"},  {3, "Skin/Bg/bg4"},
                 {4, "Skin/Bg/bg1"}, {-1, "Skin/Bg/bg1"}, {1 << 30, "Skin/Bg/bg1"}};
    for (const auto& c : cases)
    {
        settings->setIntegerForKey("index", c.index);
        CGameBoard* board = CPlainGameBoard::create();
        ASSERT_NE(board, nullptr);
        CCTexture2D* skin = board->GetSkinBackground()->getTexture();
        ASSERT_NE(skin, nullptr) << c.index;
        EXPECT_NE(std::string(skin->getSourceName()).find(c.picture), std::string::npos)
            << c.index << " " << skin->getSourceName();
    }
    settings->setIntegerForKey("index", 0);
}

TEST_F(BoardScene, MaximisedWindowStretchesTheTableUnderTheScaledContent)
{
    CGameBoard* board = Seat(3, {0});
    ASSERT_NE(board, nullptr);
    CCEGLView::sharedOpenGLView()->setFrameSize(1600, 1200);  // visible 1288 x 966
    app.maximized = true;
    board->LayoutBoard(1600, 1200);
    board->LayoutBoard(1600, 1200);
    EXPECT_TRUE(board->GetRestoreButton()->isVisible());
    EXPECT_FALSE(board->GetMaximizeButton()->isVisible());
    int copies = 0;
    for (unsigned i = 0; i < board->getChildrenCount(); ++i)
        copies +=
            static_cast<CCNode*>(board->getChildren()->objectAtIndex(i))->getTag() == CGameBoard::kStretchedTableTag;
    EXPECT_EQ(copies, 1);
    CCSprite* copy = static_cast<CCSprite*>(board->getChildByTag(CGameBoard::kStretchedTableTag));
    EXPECT_EQ(copy->getZOrder(), 1);
    EXPECT_FLOAT_EQ(copy->getScaleX(), 1018.0f / 1000);
    EXPECT_FLOAT_EQ(copy->getScaleY(), 926.0f / 700);
    CCSprite* root = board->GetContentRoot();
    EXPECT_FLOAT_EQ(board->GetContentScale(), 1.018f);
    EXPECT_FLOAT_EQ(root->getScaleX(), 1.018f);
    EXPECT_EQ(root->getOpacity(), 0);
    // The scaled content stands on the play area's lower edge.
    EXPECT_FLOAT_EQ(root->getPositionY() - 700 * 0.5f * 1.018f, 4);
    SaveScreen("board_maximised");

    CCEGLView::sharedOpenGLView()->setFrameSize(1288, 762);
    app.maximized = false;
    board->LayoutBoard(1288, 762);
    EXPECT_EQ(board->getChildByTag(CGameBoard::kStretchedTableTag), nullptr);
    EXPECT_FLOAT_EQ(root->getScale(), 1.0f);
    EXPECT_EQ(root->getOpacity(), 255);
    EXPECT_FLOAT_EQ(board->GetContentScale(), 1.0f);
    EXPECT_EQ(root->getPosition(), CCPoint(513, 365));
    EXPECT_FALSE(board->GetRestoreButton()->isVisible());
    EXPECT_TRUE(board->GetMaximizeButton()->isVisible());
}

TEST_F(BoardScene, SeatPanelsFollowUsersComingGoingAndChanging)
{
    CountingBoard* board = SeatCounting(3);
    ASSERT_NE(board, nullptr);
    // My own panel: the game's layout, and the table is reset for me.
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 500));
    CBoardDrawUserData* mine = Panel(board, 0);
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(board->resets, 1);
    EXPECT_EQ(mine->GetFace()->getPosition(), CCPoint(44, 40));
    EXPECT_FLOAT_EQ(mine->GetFace()->getScale(), 0.7f);
    EXPECT_EQ(mine->GetFaceName(), "ChangePhoto/people1-1");
    ASSERT_NE(board->GetTotalScorePanel(), nullptr);
    EXPECT_EQ(board->GetTotalScorePanel()->getPosition(), board->m_ptTotalScore);
    EXPECT_EQ(Text(board->GetTotalScoreLabel()), "0");

    // Others: the shared layout, a device icon for the three known kinds.
    struct Device
    {
        uint32_t kind;
        bool icon;
    };
    for (const Device d : {Device{1, true}, Device{2, true}, Device{3, true}, Device{4, false}, Device{0, false}})
    {
        tagUserData user{};
        user.dwUserID = 3000;
        user.dwGameID = 503000;
        user.dwClientKind = d.kind;
        SetFieldText(user.szNickName, u"一二三四五六七");
        board->DrawSeatPanel(2, nullptr);
        board->DrawSeatPanel(2, &user);
        CBoardDrawUserData* panel = Panel(board, 2);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->GetDeviceIcon() != nullptr, d.icon) << d.kind;
        EXPECT_EQ(panel->GetFace()->getPosition(), CCPoint(37, 50));
        // Cut at 11 bytes without splitting a character, marked.
        EXPECT_EQ(Text(panel->GetNameLabel()), "一二三四五..");
    }
    EXPECT_EQ(board->resets, 1);  // only my own seat resets the table

    // Another user on that panel: the name follows (cut at 18 bytes), but the
    // panel keeps the game ID it was built for, so every update sets it again.
    CBoardDrawUserData* other = Panel(board, 2);
    tagUserData next{};
    next.dwGameID = 504000;
    SetFieldText(next.szNickName, u"甲乙丙丁戊己庚辛壬癸");
    other->Update(&next);
    EXPECT_EQ(Text(other->GetNameLabel()), "甲乙丙丁戊己庚辛壬..");
    EXPECT_EQ(other->GetGameID(), 503000u);

    // My name is cut at 12 bytes; an existing panel only updates.
    tagUserData me = *kernel->GetMeUserData();
    SetFieldText(me.szNickName, u"一二三四五六七八");
    board->DrawSeatPanel(0, nullptr);
    EXPECT_EQ(Panel(board, 0), nullptr);
    board->DrawSeatPanel(0, &me);
    EXPECT_EQ(Text(Panel(board, 0)->GetNameLabel()), "一二三四五六..");
    CBoardDrawUserData* before = Panel(board, 0);
    me.lScore = 1234567;
    board->DrawSeatPanel(0, &me);
    EXPECT_EQ(Panel(board, 0), before);
    EXPECT_EQ(Text(before->GetScoreLabel()), "123,4567");
    EXPECT_EQ(before->GetFaceName(), "ChangePhoto/people1-4");

    // A chair of 100 or more is refused.
    EXPECT_FALSE(board->SetSeatUser(100, &me));
    EXPECT_EQ(board->GetSeatUser(100), nullptr);
}

// A long name and a loss of ten digits are drawn smaller inside the panel's
// picture, in each own-panel layout the tables share (the bull tables'
// score ran past its picture's edge), and so is a long name another
// player's panel is given later.
TEST_F(BoardScene, SeatPanelsKeepLongNamesAndScoresInsideTheirPictures)
{
    CountingBoard* board = SeatCounting(3);
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 500));
    tagUserData me = *kernel->GetMeUserData();
    SetFieldText(me.szNickName, u"WWWWWWWWWWWW");
    // The layout and, from the seat point, the edges of its panel's picture
    // less a margin: the card tables' "userBg", the bull tables' panel.
    const struct
    {
        void (*layout)(CBoardDrawUserData*);
        float left, right;
    } layouts[] = {{LayoutCardTableMyInfo, -65, 47}, {LayoutBullTableMyInfo, -40, 156}};
    for (const auto& l : layouts)
    {
        board->myLayout = l.layout;
        me.lScore = -9876543210LL;
        board->DrawSeatPanel(0, nullptr);
        board->DrawSeatPanel(0, &me);
        CBoardDrawUserData* mine = Panel(board, 0);
        ASSERT_NE(mine, nullptr);
        EXPECT_EQ(Text(mine->GetScoreLabel()), "-98,7654,3210");
        for (CCLabelTTF* label : {mine->GetNameLabel(), mine->GetScoreLabel()})
        {
            const CCRect box = label->boundingBox();
            EXPECT_GE(box.getMinX(), l.left) << Text(label);
            EXPECT_LE(box.getMaxX(), l.right) << Text(label);
        }
        // A short score is drawn at its full size again.
        me.lScore = 5;
        mine->Update(&me);
        EXPECT_FLOAT_EQ(mine->GetScoreLabel()->getScale(), 1.0f);
    }
    tagUserData other{};
    other.dwUserID = 3000;
    other.dwGameID = 503000;
    other.lScore = 9876543210LL;
    board->DrawSeatPanel(2, &other);
    tagUserData next = other;
    next.dwGameID = 504000;
    SetFieldText(next.szNickName, u"甲乙丙丁戊己庚辛壬癸");
    Panel(board, 2)->Update(&next);
    // Another's panel picture is 80 wide.
    for (CCLabelTTF* label : {Panel(board, 2)->GetNameLabel(), Panel(board, 2)->GetScoreLabel()})
    {
        const CCRect box = label->boundingBox();
        EXPECT_GE(box.getMinX(), 2) << Text(label);
        EXPECT_LE(box.getMaxX(), 78) << Text(label);
    }
}

TEST_F(BoardScene, ClosingHandlerKeepsTheTableWhenMySeatIsDrawn)
{
    CountingBoard* board = SeatCounting(3);
    ASSERT_NE(board, nullptr);
    // A close-type system message sets the handler's close flag.
    std::vector<uint8_t> notice = {0x01, 0x02, 1, 0, 'x', 0};
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, notice));
    ASSERT_TRUE(handler->IsCloseFlag());
    EXPECT_TRUE(Enter(1000, 1, US_SIT));
    EXPECT_NE(Panel(board, 0), nullptr);
    EXPECT_EQ(board->resets, 0);
}

TEST_F(BoardScene, ManySeatGamesHaveNoSeatPanelsClockOrReadySigns)
{
    CGameBoard* board = Seat(20, {0, 2, 3});
    ASSERT_NE(board, nullptr);
    for (uint16_t view = 0; view < 20; ++view)
        EXPECT_EQ(Panel(board, view), nullptr);
    EXPECT_EQ(board->GetTimerBox(), nullptr);
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {1}));
    EXPECT_FALSE(board->IsStartButtonShown());
    EXPECT_EQ(board->GetPlayerList()->GetItems().size(), 4u);  // the list still has everyone
}

TEST_F(BoardScene, ReadySignFollowsTheStatus)
{
    CGameBoard* board = Seat(3, {2});
    ASSERT_NE(board, nullptr);
    CBoardDrawUserData* panel = Panel(board, 1);
    ASSERT_NE(panel, nullptr);
    const int tag = CBoardDrawUserData::kReadySignTagBase + 1;
    auto signs = [&] {
        int n = 0;
        for (unsigned i = 0; i < panel->getChildrenCount(); ++i)
            n += static_cast<CCNode*>(panel->getChildren()->objectAtIndex(i))->getTag() == tag;
        return n;
    };
    EXPECT_TRUE(Status(2001, US_READY, 2));
    EXPECT_EQ(signs(), 1);
    CCNode* sign = panel->getChildByTag(tag);
    EXPECT_EQ(sign->getPosition(), board->m_ptStatus[1]);
    EXPECT_TRUE(CCDirector::sharedDirector()->getActionManager()->QueryTarget(sign));  // it runs
    EXPECT_TRUE(Status(2001, US_READY, 2));
    EXPECT_EQ(signs(), 1);  // a repeated ready replaces the sign
    EXPECT_TRUE(Status(2001, US_PLAY, 2));
    EXPECT_EQ(signs(), 0);
}

TEST_F(BoardScene, ShowingAgainKeepsOneOfEachAndFollowsMyTable)
{
    CGameBoard* board = EnterWithBoard(3);
    ASSERT_NE(board, nullptr);
    // Shown before my record came: no table button, no card contents.
    EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));
    EXPECT_NE(board->GetRoomButton(), nullptr);
    EXPECT_EQ(board->GetTableButton(), nullptr);
    ASSERT_NE(board->GetUserInfoView(), nullptr);
    EXPECT_EQ(board->GetUserInfoView()->GetFace(), nullptr);

    EXPECT_TRUE(Enter(1000, 1, US_SIT, 0, 5));
    EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));
    CCControlButton* roomButton = board->GetRoomButton();
    CUserInfoView* card = board->GetUserInfoView();
    ASSERT_NE(board->GetTableButton(), nullptr);
    EXPECT_EQ(board->GetTableButton()->getTitleForState(CCControlStateNormal)->m_sString, "6桌");
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 0, 11));
    EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));
    EXPECT_EQ(board->GetRoomButton(), roomButton);
    EXPECT_EQ(board->GetUserInfoView(), card);
    EXPECT_EQ(board->GetTableButton()->getTitleForState(CCControlStateNormal)->m_sString, "12桌");
    EXPECT_EQ(board->GetRoomButton()->getTitleForState(CCControlStateNormal)->m_sString, "测试房间");
    // The table button stands 5 to the right of the room-name button.
    EXPECT_FLOAT_EQ(board->GetTableButton()->getPositionX(),
                    board->GetRoomButton()->getPositionX() + board->GetRoomButton()->getContentSize().width + 5);
    EXPECT_EQ(room.sent.back().sub, SUB_GF_OPTION);  // each show sends the option again
}

TEST_F(BoardScene, WithoutMyRecordTheBoardStillTakesEverything)
{
    CGameBoard* board = EnterWithBoard(3);
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Enter(2001, 2, US_SIT, 100));
    EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));
    EXPECT_EQ(board->GetTableButton(), nullptr);
    // The free scene: the button shows, the ready clock has no chair of mine.
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {1}));
    EXPECT_EQ(handler->Take().back(), "scene 0 1");  // not looking on
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    // Another's score: the list row changes, my card is left alone.
    EXPECT_TRUE(Score(2001, 900));
    EXPECT_EQ(board->GetUserInfoView()->GetScoreLabel(), nullptr);
    EXPECT_EQ(board->GetPlayerList()->GetItems().size(), 1u);
    board->OnStartButton(nullptr, CCControlEventTouchDown);  // not seated: nothing
    EXPECT_EQ(room.sent.back().sub, SUB_GF_OPTION);
}

TEST_F(BoardScene, MyScoreReachesTheCardListAndTotal)
{
    CGameBoard* board = Seat(3, {2});
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Score(1000, 12345678 + 500));
    EXPECT_TRUE(Score(1000, 12345678 + 200));
    EXPECT_EQ(Text(board->GetTotalScoreLabel()), "200");
    EXPECT_EQ(Text(board->GetUserInfoView()->GetScoreLabel()), "1234,5878");
    EXPECT_EQ(board->GetUserInfoView()->GetScoreLabel()->getPosition(), CCPoint(106, -25));
    EXPECT_EQ(Text(Panel(board, 0)->GetScoreLabel()), "1234,5878");
    // Another's score never touches my total or my card.
    EXPECT_TRUE(Score(2001, 5));
    EXPECT_EQ(Text(board->GetTotalScoreLabel()), "200");
    EXPECT_EQ(Text(board->GetUserInfoView()->GetScoreLabel()), "1234,5878");
    EXPECT_EQ(Text(Panel(board, 1)->GetScoreLabel()), "5");
    // A loss of ten digits is drawn inside the total's panel.
    EXPECT_TRUE(Score(1000, 12345678 - 9876543210LL));
    EXPECT_EQ(Text(board->GetTotalScoreLabel()), "-9876543210");
    EXPECT_LE(board->GetTotalScoreLabel()->boundingBox().getMaxX(),
              board->GetTotalScorePanel()->getContentSize().width);
}

TEST_F(BoardScene, StartButtonHiddenOnlyStopsTheReadyClock)
{
    CGameBoard* board = Seat(3, {});
    ASSERT_NE(board, nullptr);
    board->ShowStartButton(true, 20);
    EXPECT_EQ(kernel->GetClockTimerID(), ReadyClockID);
    board->ShowStartButton(false, 0);
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    EXPECT_TRUE(board->IsStartButtonShown());  // the button stays
    EXPECT_TRUE(handler->SetGameClock(1, 30, 9));
    board->ShowStartButton(false, 0);
    EXPECT_EQ(kernel->GetClockTimerID(), 30u);  // another clock is left alone
    // A touch on the button says I am ready and takes it away.
    CCControlButton* start = board->GetStartButton();
    board->ShowStartButton(true, 20);
    const CCPoint at = start->convertToWorldSpace(CCPoint(60, 24));
    Tap(at.x, at.y);
    EXPECT_FALSE(board->IsStartButtonShown());
    EXPECT_EQ(room.sent.back().sub, SUB_GF_USER_READY);
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
}

TEST_F(BoardScene, CaptionAndRoomButtonsActOnTouchDown)
{
    CGameBoard* board = Seat(3, {});
    ASSERT_NE(board, nullptr);
    Touch(0, 1212 + 15, 762 - 12);  // maximise
    EXPECT_EQ(room.maximizeToggles, 1);
    Touch(2, 1212 + 15, 762 - 12);
    Touch(0, 60, 762 - 16);  // the room-name button
    Touch(2, 60, 762 - 16);
    EXPECT_EQ(room.roomViews, std::vector<bool>{true});
    EXPECT_FALSE(board->isModal());
    EXPECT_FALSE(kernel->isVisible());
    EXPECT_LT(kernel->getPositionX(), 0);
    // Back on the table, the close button leaves it (I am not playing).
    kernel->setVisible(true);
    kernel->setPosition(CCPointZero);
    board->setModal(true);
    Touch(0, 1242 + 20, 762 - 12);
    EXPECT_EQ(room.exits, 1);
}

TEST_F(BoardScene, ChipCursorsFollowTheSelectedChipInManySeatGames)
{
    struct Case
    {
        uint16_t kind;
        int64_t chip;
        const char* cursor;  // source of the cursor shown after; null: no cursor
    };
    const Case cases[] = {
        {122, 10000, "Cursor/219.png"},    {122, 50000, nullptr},        {122, 0, "arrow"},
        {104, 10000, "Cursor/210.png"},    {104, 10000000, nullptr},     {404, 50000, "Cursor/125.png"},
        {106, 10000000, "Cursor/207.png"}, {110, 100, "Cursor/200.png"}, {108, 100, nullptr},
    };
    for (const Case& c : cases)
    {
        CGameBoard* board = Seat(100, {}, c.kind);
        ASSERT_NE(board, nullptr);
        board->SetSelectedChip(true, c.chip);
        EXPECT_EQ(board->GetSelectedChip(), static_cast<int>(c.chip));
        CCCursor* shown = View()->getCursor();
        if (c.cursor == nullptr)
            EXPECT_EQ(shown, nullptr) << c.kind << " " << c.chip;
        else
            EXPECT_NE(SourceOf(shown).find(c.cursor), std::string::npos)
                << c.kind << " " << c.chip << " " << SourceOf(shown);
        // Other values change nothing; the right button drops the chip.
        board->SetSelectedChip(true, 10000);
        CCCursor* chip = View()->getCursor();
        board->SetSelectedChip(true, 250);
        EXPECT_EQ(View()->getCursor(), chip);
        board->OnRButtonUp();
        EXPECT_EQ(board->GetSelectedChip(), 0);
        EXPECT_EQ(View()->getCursor(), View()->getArrowCursor());
        // Off the play area the pointer is the arrow again.
        board->SetSelectedChip(true, 100);
        board->OnMouseMove(CCPoint(1100, 300));
        EXPECT_EQ(View()->getCursor(), View()->getArrowCursor());
        kernel->ResetGameKernel();
        Step();
    }
}

TEST_F(BoardScene, SeatedGamesKeepTheirPointer)
{
    CGameBoard* board = Seat(3, {});
    ASSERT_NE(board, nullptr);
    View()->setCursor(nullptr);
    board->SetSelectedChip(true, 0);
    board->OnRButtonUp();
    board->OnMouseMove(CCPoint(1100, 300));
    EXPECT_EQ(View()->getCursor(), nullptr);
    // The low 32 bits of the value are kept.
    board->SetSelectedChip(true, (int64_t{1} << 32) + 100);
    EXPECT_EQ(board->GetSelectedChip(), 100);
}

TEST_F(BoardScene, BankButtonAsksForThePasswordFirst)
{
    CGameBoard* board = Seat(100, {}, 104);
    ASSERT_NE(board, nullptr);
    UserRecord& user = CClientGlobal::GetInstance()->GetUserRecord();
    SetFieldText(user.szBankPassword, u"");
    board->OpenBank();
    EXPECT_NE(scene->getChildByTag(CverifyPassWord::kDialogTag), nullptr);
    EXPECT_EQ(scene->getChildByTag(BankDialogServer::kDialogTag), nullptr);
    SetFieldText(user.szBankPassword, u"0123456789abcdef0123456789abcdef");
    board->OpenBank();
    EXPECT_NE(scene->getChildByTag(BankDialogServer::kDialogTag), nullptr);
    SetFieldText(user.szBankPassword, u"");
    EXPECT_EQ(CGameBoard::WideToUTF8String(u""), "");
    EXPECT_EQ(CGameBoard::WideToUTF8String(u"玩家"), "玩家");
}

TEST_F(BoardScene, ButtonsTheGamesMake)
{
    CGameBoard* board = Seat(3, {});
    ASSERT_NE(board, nullptr);
    CCControlButton* image =
        board->CreateImageButton("Land/chupai4", "Land/chupai", nullptr, CCPoint(100, 100), nullptr, false);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->getParent(), board->GetContentRoot());
    EXPECT_FALSE(image->isVisible());
    EXPECT_EQ(image->getBackgroundSpriteForState(CCControlStateDisabled),
              image->getBackgroundSpriteForState(CCControlStateNormal));
    EXPECT_EQ(image->getTouchPriority(), -128);
    CCControlButton* label = board->CreateLabelButton("Land/chupai4", "Land/chupai", "Land/chupai3", CCPoint(100, 200),
                                                      nullptr, true, "抢庄", 18);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    // Its size is its picture's.
    EXPECT_EQ(label->getPreferredSize(), CCSprite::create("Land/chupai4")->getContentSize());
    EXPECT_NE(label->getBackgroundSpriteForState(CCControlStateDisabled),
              label->getBackgroundSpriteForState(CCControlStateNormal));
    board->ShakeBoard();
    Step(40);
    EXPECT_EQ(board->getPosition(), CCPointZero);
}

}  // namespace
