// Nothing of the baccarat table lies over what a player reads, phase by
// phase: the idle table with its records, betting with chips piled on every
// area, the deal, the result panel, the charts and a restored table; and
// the places that keep the small areas' names and totals beyond the chips'
// reach, the newest record in view and the roads' dots inside their cells.
#include "BaccaratFixture.h"
#include "games/PhaseCheck.h"
#include "games/common/BoardWidgets.h"

#include <cstdio>
#include <cstring>

using namespace bactest;
using cocos2d::CCPoint;
using cocos2d::CCRect;

namespace {

// A busy table: others' bets to totals of ten digits on every area, mine of
// eight, results of ten, six players queued and a full record strip.
constexpr int64_t kTheirs = 2394567890, kMine = 20000000, kResult = 1234567890;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

// What the baccarat table gives to read, and its whereabouts.
class BaccaratTable : public BaccaratTest
{
protected:
    static std::string Name(const char* format, int n)
    {
        char name[40];
        std::snprintf(name, sizeof(name), format, n);
        return name;
    }
    // The panels, the clock, the banker buttons, the chips and the records.
    phasecheck::List Table(bool withRecords)
    {
        phasecheck::List r(board->GetUILayer());
        r.Widgets({"BANKER_USERNAME", "BANKER_MONEY", "BANKER_SCORE", "BANKER_NUMS", "self_username", "self_money",
                   "self_score", "self_mingzhonglv", "TIME_1", "TIME_0", "TIME_TYPE_01", "Button_Bank",
                   "Button_CHART", "Button_Left", "Button_Right", "bottom_zhuang_num", "bottom_xian_num",
                   "bottom_ping_num", "Image_totals_caption", "Image_strip_caption"});
        r.Widget("BT_APPLY_BANKER_01", true).Widget("BT_CANCEL_APPLY_01", true);
        for (int i = 0; i < BaccaratNewBoard::kChipCount; ++i)
            r.Node("chip " + std::to_string(i), board->GetChipButton(i));
        if (withRecords)
        {
            r.Widget("ListView_ZHUANG-XIAN").Widget("ListView_bottom_record");
            r.Rows("queue", dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget("ListView_Wait")), 3);
        }
        return r;
    }
    // Each area's name, and its total and my stake when they show (`bets`:
    // they must); the most that may still be bet on the three main areas,
    // with its caption.
    void AddAreas(phasecheck::List& r, bool bets = false)
    {
        for (int area = 0; area < 8; ++area)
        {
            r.Widget(Name("Image_area_name_%d", area).c_str());
            r.Widget(Name("Label_%04d", area).c_str(), !bets);
            r.Widget(Name("Label_%03d", area).c_str(), !bets);
        }
        r.Widgets({"SCORE_INFO_XIAN", "SCORE_INFO_PING", "SCORE_INFO_ZHUANG"});
        for (int area = 0; area <= AREA_ZHUANG; ++area)
            AddMaxCaption(r, area);
    }
    // The caption of the most that may still be bet, at the left of the bar
    // whose right part holds the figure.
    void AddMaxCaption(phasecheck::List& r, int area)
    {
        const std::string name = Name("Image_max_caption_%d", area);
        cocos2d::ui::Widget* bar = board->GetWidget(name.c_str());
        EXPECT_NE(bar, nullptr) << name;
        if (bar == nullptr)
            return;
        const CCRect box = nodeboxes::WorldBox(bar);
        r.Part(name, bar, CCRect(box.getMinX(), box.getMinY(), box.size.width * 50 / 124, box.size.height));
    }
    // What of the player's and the banker's areas stands beside the deal's
    // frame and the result panel: their totals, my stakes and the most that
    // may still be bet, with its caption.
    void AddOuterAmounts(phasecheck::List& r)
    {
        for (int area : {AREA_XIAN, AREA_ZHUANG})
        {
            r.Widget(Name("Label_%04d", area).c_str());
            r.Widget(Name("Label_%03d", area).c_str());
            AddMaxCaption(r, area);
        }
        r.Widgets({"SCORE_INFO_XIAN", "SCORE_INFO_ZHUANG"});
    }
    // Every amount on the areas either stands clear of a panel over the
    // table or lies wholly under it: none shows in part, as a wrong figure.
    void ExpectAmountsClearOrUnder(cocos2d::ui::Widget* panel, const std::string& phase)
    {
        ASSERT_TRUE(nodeboxes::Shown(panel)) << phase;
        const CCRect over = nodeboxes::WorldBox(panel);
        std::vector<std::string> names = {"SCORE_INFO_XIAN", "SCORE_INFO_PING", "SCORE_INFO_ZHUANG"};
        for (int area = 0; area < 8; ++area)
            for (const char* format : {"Label_%04d", "Label_%03d", "Image_%02d", "Image_max_caption_%d"})
                names.push_back(Name(format, area));
        for (const std::string& name : names)
        {
            cocos2d::ui::Widget* w = board->GetWidget(name.c_str());
            if (w == nullptr || !nodeboxes::Shown(w))
                continue;
            const CCRect box = nodeboxes::WorldBox(w);
            const bool under = box.getMinX() >= over.getMinX() && box.getMaxX() <= over.getMaxX() &&
                               box.getMinY() >= over.getMinY() && box.getMaxY() <= over.getMaxY();
            EXPECT_TRUE(under || !nodeboxes::Overlap(box, over))
                << phase << ": " << name << " " << nodeboxes::Describe(box) << " in part under "
                << nodeboxes::Describe(over);
        }
    }
    // The rows of the window that a node's own picture draws in (its clear
    // rows left out), as a box of the node's width.
    CCRect DrawnBox(cocos2d::CCNode* node)
    {
        covering::detail::Frame with, without;
        EXPECT_TRUE(covering::detail::Capture(with));
        {
            covering::detail::HideOwn hide(node);
            covering::detail::Capture(without);
        }
        cocos2d::CCDirector::sharedDirector()->setNeedsRedraw();
        const CCRect box = nodeboxes::WorldBox(node);
        const covering::detail::Pixels area = covering::detail::ToPixels(box, with);
        int top = -1, bottom = -1;
        for (int y = area.y0; y < area.y1; ++y)
            for (int x = area.x0; x < area.x1; ++x)
                if (covering::detail::Differs(with, without, x, y))
                {
                    top = top < 0 ? y : top;
                    bottom = y;
                    break;
                }
        if (top < 0)
            return CCRect();
        const float scale = with.height / cocos2d::CCDirector::sharedDirector()->getWinSize().height;
        const float high = (with.height - top) / scale, low = (with.height - bottom - 1) / scale;
        return CCRect(box.getMinX(), low, box.size.width, high - low);
    }
    cocos2d::ui::Widget* Item(const char* list, int item)
    {
        auto* view = dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget(list));
        return view != nullptr ? view->getItem(static_cast<unsigned int>(item)) : nullptr;
    }
    // The free table of a busy room: a banker of eleven digits who lost
    // nine, and areas that take ten-digit totals.
    static CMD_S_StatusFree BusyFreeScene()
    {
        CMD_S_StatusFree scene = FreeScene(20, 1);
        scene.lBankerScore = 100000000000LL;
        scene.lBankerWinScore = -123456789;
        scene.lAreaLimitScore = 10000000000LL;
        return scene;
    }
    bool SendRecords(int count)
    {
        Bytes body;
        for (int i = 0; i < count; ++i)
        {
            const Bytes r = Record(static_cast<uint8_t>(i % 10), static_cast<uint8_t>((i * 7 + 3) % 10),
                                   static_cast<uint8_t>(i % 5 == 0 ? 3 : 0), static_cast<uint8_t>(i % 4 == 0));
            body.insert(body.end(), r.begin(), r.end());
        }
        return Game(SUB_S_SEND_RECORD, body);
    }
    // Others' chips on every area, then mine by clicks of the largest chip.
    void BetOnEveryArea()
    {
        ASSERT_TRUE(Scene(GS_FREE, BytesOf(BusyFreeScene())));
        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 100000000000LL, 8 * kMine)));
        for (int area = 0; area < 8; ++area)
            ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, static_cast<uint8_t>(area), kTheirs)));
        Touch("Button_100W");
        for (int area = 0; area < 8; ++area)
            for (int64_t placed = 0; placed < kMine; placed += 1000000)
                Touch(board->GetAreaButton(area));
        board->OnRButtonUp();
        Seconds(1);
    }
    // The areas with their chips, names and amounts: what a window over the
    // table must hide.
    std::vector<cocos2d::CCNode*> Areas()
    {
        std::vector<cocos2d::CCNode*> under;
        for (int area = 0; area < 8; ++area)
        {
            under.push_back(board->GetAreaButton(area));
            for (const char* format : {"Image_area_name_%d", "Image_total_bar_%d", "Label_%04d", "Image_%02d", "Label_%03d"})
                under.push_back(board->GetWidget(Name(format, area).c_str()));
        }
        return under;
    }
    void Queue()
    {
        for (uint16_t chair : kQueue)
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{chair}));
    }
    // Three queued players' rows show; each keeps its name and score inside
    // the list, in the middle of its frame.
    void ExpectQueueRowsInTheirFrames()
    {
        auto* queue = dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget("ListView_Wait"));
        ASSERT_NE(queue, nullptr);
        const CCRect list = nodeboxes::WorldBox(queue);
        for (int row = 0; row < 3; ++row)
        {
            cocos2d::ui::Widget* item = Item("ListView_Wait", row);
            ASSERT_NE(item, nullptr);
            const CCRect frame = DrawnBox(item);
            for (int label = 0; label < 2; ++label)
            {
                cocos2d::CCNode* text = item->getChildByTag(BaccaratNewBoard::kQueueLabelTag + 10 * row + label);
                ASSERT_NE(text, nullptr);
                const CCRect box = nodeboxes::WorldBox(text);
                SCOPED_TRACE("row " + std::to_string(row) + " label " + std::to_string(label) + " " +
                             nodeboxes::Describe(box) + " in " + nodeboxes::Describe(frame));
                EXPECT_GE(box.getMinX(), list.getMinX());
                EXPECT_LE(box.getMaxX(), list.getMaxX());
                EXPECT_GE(box.getMinY(), frame.getMinY() + 2);
                EXPECT_LE(box.getMaxY(), frame.getMaxY() - 2);
            }
        }
    }
    // The box of a widget on the content root.
    CCRect Box(cocos2d::ui::Widget* w) const
    {
        const cocos2d::CCSize size = w->getSize();
        return CCRect(w->getPositionX() - size.width / 2, w->getPositionY() - size.height / 2, size.width,
                      size.height);
    }
};

class BaccaratReadable : public banktest::BusyAt<BaccaratTable>
{
protected:
    BaccaratReadable() { Open(kOpenFaults); }
};

TEST_P(BaccaratReadable, TheIdleTableWithItsRecordsAndQueue)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(BusyFreeScene())));
    ASSERT_TRUE(SendRecords(100));
    Queue();
    Seconds(1.1f);
    phasecheck::List r = Table(true);
    AddAreas(r);
    Check(r, "idle");
    ExpectQueueRowsInTheirFrames();
    // My name stands below the player's area, not under it.
    EXPECT_LE(nodeboxes::WorldBox(board->GetWidget("self_username")).getMaxY(),
              nodeboxes::WorldBox(board->GetAreaButton(AREA_XIAN)).getMinY());
}

TEST_P(BaccaratReadable, BettingWithChipsOnEveryArea)
{
    ASSERT_TRUE(SendRecords(100));
    Queue();
    BetOnEveryArea();
    phasecheck::List r = Table(true);
    AddAreas(r, true);
    Check(r, "betting");
}

// The totals and my bets stay readable through the deal and the result.
TEST_P(BaccaratReadable, TheDealAndTheResultPanel)
{
    BetOnEveryArea();
    CMD_S_GameEnd end = End({0x02, 0x13, 0x29}, {0x0D, 0x36}, -kResult, 20);
    end.lUserAreaScore[AREA_ZHUANG] = kResult;
    end.lUserAreaScore[AREA_XIAN] = -kResult;
    end.lBankerTotallScore = -kResult;
    ASSERT_TRUE(Game(SUB_S_GAME_END, end));
    // Four cards dealt, their points and the tip; the flying card rests.
    Seconds(4.5f);
    phasecheck::List deal = Table(false);
    AddOuterAmounts(deal);
    for (int i = 0; i < 6; ++i)
        deal.Node("card " + std::to_string(i), board->GetTableCard(i), true);
    deal.Widgets({"GAME_POINT_XIAN", "GAME_POINT_ZHUANG"});
    deal.Widget("GAME_END_TIPS");
    // A hand's cards fan out from their corners, each over the one before.
    const covering::Allowed fanned = {{"card 0", "card 1"}, {"card 0", "card 2"}, {"card 1", "card 2"},
                                      {"card 3", "card 4"}, {"card 3", "card 5"}, {"card 4", "card 5"}};
    Check(deal, "deal", {}, fanned);
    ExpectAmountsClearOrUnder(board->GetWidget("GAME_END_FRAME"), "deal");

    // Below 12 seconds of the result, the panel of my results rises to its place.
    Seconds(6.5f);
    ASSERT_TRUE(board->GetWidget("GAME_END")->isVisible());
    phasecheck::List result = Table(false);
    AddOuterAmounts(result);
    for (int i = 0; i <= 10; ++i)
        result.Widget(Name("Label_result_%d", i).c_str());
    Check(result, "result");
    ExpectAmountsClearOrUnder(board->GetWidget("GAME_END"), "result");
    CheckOpaque(board->GetWidget("GAME_END"), Areas(), "the result panel", "result");
}

TEST_P(BaccaratReadable, TheChartsOverTheTable)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene(20, 1))));
    ASSERT_TRUE(SendRecords(100));
    Touch("Button_CHART");
    Seconds(0.6f);
    phasecheck::List r(board->GetUILayer());
    r.Widgets({"Button_CHART_CLOSE", "Label_CHART_xianNum", "Label_CHART_pingNum", "Label_CHART_zhuangNum",
               "Label_CHART_xianBili", "Label_CHART_pingBili", "Label_CHART_zhuangBili", "Label_CHART_xdzNum",
               "Label_CHART_zdzNum", "Label_CHART_xtwNum", "Label_CHART_ztwNum"});
    for (int chart = 1; chart <= 5; ++chart)
        r.Widget(Name("ListView_Chart%d", chart).c_str());
    Check(r, "charts");
    CheckOpaque(board->GetWidget("Image_CHART"), Areas(), "the charts", "charts");
}

TEST_P(BaccaratReadable, ATableRestoredInItsBetting)
{
    CMD_S_StatusPlay scene{};
    scene.cbTimeLeave = 15;
    scene.cbGameStatus = GS_PLACE_BET;
    scene.wBankerUser = 1;
    scene.lUserMaxScore = 100000000;
    scene.lAreaLimitScore = 10000000000LL;
    scene.lBankerScore = 100000000000LL;
    for (int area = 0; area < 8; ++area)
    {
        scene.lAllBet[area] = kTheirs + kMine;
        scene.lUserBet[area] = kMine;
    }
    ASSERT_TRUE(Scene(GS_PLACE_BET, BytesOf(scene)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_XIAN, kTheirs)));
    Seconds(1);
    phasecheck::List r = Table(false);
    AddAreas(r, true);
    Check(r, "restored");
}

// A small area's chips land round its middle: its name lies below their
// reach and its total above it, both inside the area; my stake lies between
// and clear of the name.
TEST_F(BaccaratTable, TheSmallAreasKeepNameAndTotalBeyondTheChips)
{
    const float chip = 64 * 0.7f;  // a table chip: the chip picture at 0.7
    for (int area = AREA_XIAN_TIAN_WANG; area < static_cast<int>(AREA_COUNT); ++area)
    {
        SCOPED_TRACE(area);
        const CCRect button = Box(board->GetAreaButton(area));
        const CCRect name = Box(board->GetWidget(Name("Image_area_name_%d", area).c_str()));
        const CCRect bar = Box(board->GetWidget(Name("Image_total_bar_%d", area).c_str()));
        const CCRect stake = Box(board->GetWidget(Name("Image_%02d", area).c_str()));
        const float middle = button.getMidY();
        // The chips' bottom-left corners fall 40 below to 10 above the middle.
        const float lowest = middle - 40, highest = middle + 10 + chip;
        EXPECT_LE(name.getMaxY(), lowest);
        EXPECT_GE(name.getMinY(), button.getMinY());
        EXPECT_GE(bar.getMinY(), highest);
        EXPECT_LE(bar.getMaxY(), button.getMaxY());
        EXPECT_FALSE(stake.intersectsRect(name));
        EXPECT_FALSE(stake.intersectsRect(bar));
    }
    // The banker buttons keep clear of every area.
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
        EXPECT_FALSE(Box(board->GetWidget("BT_APPLY_BANKER_01")).intersectsRect(Box(board->GetAreaButton(area))));
}

// With more rounds than the strip shows, the newest is at its right end.
TEST_F(BaccaratTable, TheRecordStripShowsTheNewestRound)
{
    auto* strip = dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget("ListView_ZHUANG-XIAN"));
    ASSERT_NE(strip, nullptr);
    auto rightOf = [&](int item) {
        cocos2d::ui::Widget* w = Item("ListView_ZHUANG-XIAN", item);
        return strip->getInnerContainer()->getPositionX() + w->getPositionX() +
               w->getSize().width * (1 - w->getAnchorPoint().x);
    };
    ASSERT_TRUE(SendRecords(5));
    EXPECT_EQ(strip->getInnerContainer()->getPositionX(), 0);
    ASSERT_TRUE(SendRecords(30));
    EXPECT_NEAR(rightOf(34), strip->getSize().width, 1);
    // A round ended at the table goes in view too.
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x01, 0x02}, {0x03, 0x04})));
    Seconds(12);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    ASSERT_EQ(board->GetRecords().size(), 36u);
    EXPECT_NEAR(rightOf(35), strip->getSize().width, 1);
}

// Each dot of a derived road lies inside one cell of its item's grid, away
// from the lines: the cells are the picture's 10-pixel squares from its top
// left, the dots 6 pixels round on clear rows.
TEST_F(BaccaratTable, TheRoadsDotsLieInsideTheirCells)
{
    ASSERT_TRUE(SendRecords(60));
    Touch("Button_CHART");
    for (int chart = 3; chart <= 5; ++chart)
    {
        cocos2d::ui::Widget* item = Item(Name("ListView_Chart%d", chart).c_str(), 0);
        ASSERT_NE(item, nullptr);
        const cocos2d::CCSize size = item->getSize();
        for (int k = 0; k < 12; ++k)
        {
            SCOPED_TRACE("chart " + std::to_string(chart) + " cell " + std::to_string(k));
            auto* cell = dynamic_cast<cocos2d::ui::ImageView*>(item->getChildByTag(
                BaccaratNewBoard::kRoadCellTag[chart - 3] + k));
            ASSERT_NE(cell, nullptr);
            const char* mark = chart == 4 ? "BaccaratNew/chart_list4_XIAN" : "BaccaratNew/chart_list3_XIAN";
            cell->loadTexture(mark);
            const cocos2d::CCSize dot = cell->getSize();
            // The drawn dot: 6 x 6 at the top of the picture, from the item's top left.
            const float left = cell->getPositionX() + size.width / 2 - dot.width / 2;
            const float top = size.height / 2 - (cell->getPositionY() + dot.height);
            EXPECT_EQ(dot.width, 6);
            const int column = static_cast<int>(left) / 10, row = static_cast<int>(top) / 10;
            EXPECT_EQ(column, k / 6);
            EXPECT_EQ(row, k % 6);
            EXPECT_GT(left, column * 10.0f);
            EXPECT_LT(left + 6, column * 10.0f + 10);
            EXPECT_GT(top, row * 10.0f);
            EXPECT_LT(top + 6, row * 10.0f + 10);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Window, BaccaratReadable, ::testing::ValuesIn(phasecheck::Windows()),
                         phasecheck::WindowName);

}  // namespace
