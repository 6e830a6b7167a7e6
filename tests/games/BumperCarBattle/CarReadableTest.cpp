// Nothing of the car-brand table lies over what a player reads, phase by
// phase: the idle table with its history and waiting list, betting with
// chips on every area, the car's run, the result on the end background,
// and a table entered mid-round with its chips laid again. The areas' name
// bars lie above the chips' reach; the result line's caption stands clear
// of both figures.
#include "CarFixture.h"

#include "games/PhaseCheck.h"

using namespace BumperCarBattle;
using namespace cartest;

namespace {

// The caption at the left end of an area's name bar.
constexpr float kBarCaption = 64;

const char* const kBrands[AREA_COUNT] = {"bsj_d", "bm_d", "bc_d", "dz_d", "bsj_x", "bm_x", "bc_x", "dz_x"};

// A busy table: others' bets to totals of ten digits on every area, mine of
// eight, results of ten, six players queued and a full record strip.
constexpr int64_t kTheirs = 2394234590, kMine = 20000000, kResult = 1234567890;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

class CarReadable : public banktest::BusyAt<CarTest>
{
protected:
    CarReadable() { Open(kOpenFaults); }
    phasecheck::List Table(bool areas)
    {
        phasecheck::List r(board->GetUILayer());
        AddTable(r, areas);
        return r;
    }
    void AddTable(phasecheck::List& r, bool areas)
    {
        r.Widgets({"atlasLabel_game_timer", "label_banker_score", "label_banker_times", "label_banker_mark",
                   "label_score", "label_mark", "label_jetton", "btn_bank", "listView_banker_list", "ListView_30",
                   "btn_left", "btn_right"});
        r.Rows("the waiting list", board->GetBankerList(), 3);
        r.Rows("the record strip", dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget("ListView_30")));
        // The names come with the round's start.
        r.Widget("label_banker_nick_name", true).Widget("label_nick_name", true);
        r.Widget("btn_applay_banker", true).Widget("btn_cancel_banker", true);
        for (int i = 0; i < 6; ++i)
            r.Node("chip " + std::to_string(i), board->GetChipButton(i));
        for (const char* brand : kBrands)
        {
            r.Widget(("label_win_record_" + std::string(brand)).c_str());
            if (!areas)
                continue;
            // The bar's caption at its left; its total at its right.
            cocos2d::ui::Widget* bar = board->GetWidget(("img_area_bar_" + std::string(brand)).c_str());
            ASSERT_NE(bar, nullptr);
            const cocos2d::CCRect box = nodeboxes::WorldBox(bar);
            r.Part("img_area_bar_" + std::string(brand), bar,
                   cocos2d::CCRect(box.getMinX(), box.getMinY(), kBarCaption, box.size.height));
            r.Widget(("atlasLabel_" + std::string(brand)).c_str(), true);
            r.Widget(("atlasLabel_" + std::string(brand) + "_self").c_str(), true);
        }
    }
    // Six players queued for the bank, and a full strip of past results.
    void QueueAndRecords()
    {
        for (uint16_t chair : kQueue)
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
        Bytes records(9 * 40, 0);
        for (int i = 0; i < 40; ++i)
            records[9 * i + i % AREA_COUNT] = 1;
        ASSERT_TRUE(Game(SUB_S_SEND_RECORD, records));
    }
    // The result's panel and the winning car's name on the end background.
    void AddTheResult(phasecheck::List& r)
    {
        cocos2d::CCNode* panel = board->GetEndBackground()->getChildByTag(NNBoard::kResultPanelTag);
        r.Node("the result panel", panel);
        r.TextsOf("the result panel", panel);
        AddWinningCarsName(r);
    }
    // The winning car's name: the middle of the big car (its body 75 left of
    // the armature's point) or of the small car's picture.
    void AddWinningCarsName(phasecheck::List& r)
    {
        cocos2d::CCSprite* end = board->GetEndBackground();
        cocos2d::CCArray* children = end->getChildren();
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        {
            auto* child = static_cast<cocos2d::CCNode*>(children->objectAtIndex(i));
            cocos2d::CCPoint middle;
            if (dynamic_cast<cocos2d::extension::CCArmature*>(child) != nullptr)
                middle = end->convertToWorldSpace(ccpAdd(child->getPosition(), cocos2d::CCPoint(-75, 0)));
            else if (child->getTag() != NNBoard::kResultPanelTag)
                middle = child->convertToWorldSpace(
                    cocos2d::CCPoint(child->getContentSize().width / 2, child->getContentSize().height / 2));
            else
                continue;
            r.Part("the winning car's name", child, cocos2d::CCRect(middle.x - 80, middle.y - 20, 160, 40));
        }
    }
    // A list shows its items whole: each lies inside it or out of sight.
    void ExpectWholeItems(cocos2d::ui::ListView* list, const char* what)
    {
        ASSERT_NE(list, nullptr);
        const cocos2d::CCRect view = nodeboxes::WorldBox(list);
        int shown = 0;
        for (unsigned int i = 0; cocos2d::ui::Widget* item = list->getItem(i); ++i)
        {
            const cocos2d::CCRect box = nodeboxes::WorldBox(item);
            if (!nodeboxes::Overlap(box, view))
                continue;
            ++shown;
            EXPECT_TRUE(box.getMinX() >= view.getMinX() - 0.5f && box.getMaxX() <= view.getMaxX() + 0.5f &&
                        box.getMinY() >= view.getMinY() - 0.5f && box.getMaxY() <= view.getMaxY() + 0.5f)
                << what << " item " << i << " " << nodeboxes::Describe(box) << " in " << nodeboxes::Describe(view);
        }
        EXPECT_GT(shown, 0) << what;
    }
};

TEST_P(CarReadable, EveryPhaseOfARound)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    QueueAndRecords();
    Seconds(1);
    Check(Table(true), "idle");
    ExpectWholeItems(board->GetBankerList(), "the waiting list");

    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20)));
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(2, static_cast<uint8_t>(area), kTheirs)));
        ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, static_cast<uint8_t>(area), kMine)));
    }
    Seconds(1);
    Check(Table(true), "betting");

    RoundEndMessage end = EndRecord(25, 9);
    end.lMyScore = -kResult;
    end.lPanelUpperRight = kResult;
    end.lPanelLower = -kResult;
    end.lBankerTotalResult = -kResult;
    ASSERT_TRUE(Game(SUB_S_GAME_END, BytesOf(end)));
    Seconds(3);
    Check(Table(true), "running");
    RunToTheEnd();
    Seconds(3);
    phasecheck::List result = Table(false);
    AddTheResult(result);
    Check(result, "result");
    std::vector<cocos2d::CCNode*> areas;
    for (int area = 1; area <= AREA_COUNT; ++area)
        areas.push_back(board->GetAreaButton(area));
    CheckOpaque(board->GetEndBackground(), areas, "the end background", "result");
    // The bank changes hands in the result's last seconds, its banner
    // fading in over the result.
    for (int i = 0; i < 60 * 30 && board->GetTimeLeft() > 3; ++i)
        Step();
    Seconds(1);
    ASSERT_TRUE(board->GetEndBackground()->isVisible());
    ASSERT_EQ(Showing("BumperCarBattle/change_banker_status").size(), 1u);
    phasecheck::List last = Table(false);
    AddTheResult(last);
    Check(last, "the result's last seconds");
}

// The change of banker's banner over the small car's picture (the round
// above ends on the big car's armature) leaves its name in sight.
TEST_P(CarReadable, TheChangeOfBankerLeavesTheSmallCarsNameInSight)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 5)));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 10)));
    RunToTheEnd();
    // The banner comes at four seconds left and fades in over three.
    for (int i = 0; i < 30 * 60 && board->GetTimeLeft() > 2; ++i)
        Step();
    Seconds(1);
    ASSERT_EQ(Showing("BumperCarBattle/change_banker_status").size(), 1u);
    phasecheck::List r;
    AddWinningCarsName(r);
    ASSERT_EQ(r.Items().size(), 1u);
    Check(r, "the small car's last seconds");
}

// However long the history, the strip shows whole columns, none of them
// under its arrows: at its newest end and paged back to its oldest.
TEST_P(CarReadable, TheHistoryStripShowsWholeColumns)
{
    cocos2d::ui::ListView* strip = board->GetHistoryList();
    ASSERT_NE(strip, nullptr);
    const cocos2d::CCRect list = nodeboxes::WorldBox(strip);
    for (const char* arrow : {"btn_left", "btn_right"})
        EXPECT_FALSE(list.intersectsRect(nodeboxes::WorldBox(board->GetWidget(arrow)))) << arrow;
    QueueAndRecords();
    Seconds(1);
    ASSERT_LT(strip->getInnerContainer()->getPositionX(), -1000);
    ExpectWholeItems(strip, "the newest end");
    for (int i = 0; i < 40; ++i)
    {
        TapWidget("btn_left");
        Seconds(1);
    }
    ExpectWholeItems(strip, "the oldest end");
}

TEST_P(CarReadable, ATableEnteredInItsBetting)
{
    QueueAndRecords();
    PlayScene scene = PlaySceneRecord(12, 1, 7);
    for (int i = 1; i <= AREA_COUNT; ++i)
    {
        scene.lAllBets[i] = kTheirs + kMine;
        scene.lMyBets[i] = kMine;
    }
    scene.lMyTotalResult = -kResult;
    scene.lBankerTotalResult = -kResult;
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(scene)));
    Seconds(1);
    Check(Table(true), "restored");
}

// Every chip an area may take, live or laid again from a scene, stays below
// the area's name bar and inside the area.
TEST_P(CarReadable, TheChipsOfAnAreaStayBelowItsNameBar)
{
    const float half = NNBoard::kTableChipSize / 2;
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        SCOPED_TRACE(kBrands[area - 1]);
        cocos2d::ui::Widget* button = board->GetAreaButton(area);
        cocos2d::ui::Widget* bar = board->GetWidget(("img_area_bar_" + std::string(kBrands[area - 1])).c_str());
        ASSERT_TRUE(button != nullptr && bar != nullptr);
        const games::ChipScatter box = NNBoard::ChipBox(area);
        const float top = button->getPositionY() + box.y + box.height - 1 + half;
        EXPECT_LE(top, bar->getPositionY() - bar->getSize().height / 2);
        EXPECT_LE(bar->getPositionY() + bar->getSize().height / 2, button->getPositionY() + button->getSize().height);
    }
}

// The result line's caption between its two figures, with ten-digit
// figures (thirteen characters): neither figure lies on it, nor runs into
// it or out of the panel.
TEST_P(CarReadable, TheResultLinesCaptionStandsClearOfItsFigures)
{
    RoundEndMessage end = EndRecord(25, 9);
    end.lMyScore = -1234567890;
    end.lPanelUpperRight = -8765432100LL;
    ASSERT_TRUE(Game(SUB_S_GAME_END, BytesOf(end)));
    RunToTheEnd();
    Seconds(3);
    auto* panel = dynamic_cast<cocos2d::CCSprite*>(board->GetEndBackground()->getChildByTag(NNBoard::kResultPanelTag));
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(nodeboxes::Shown(panel));
    // The caption "返还" ends 207 across the picture, on the row 22 from its top.
    const cocos2d::CCRect box = nodeboxes::WorldBox(panel);
    phasecheck::List r;
    const cocos2d::CCRect caption(box.getMinX() + 178, box.getMaxY() - 31, 30, 18);
    r.Part("the caption", panel, caption);
    Check(r, "the result line");
    std::vector<nodeboxes::Box> figures;
    for (unsigned int i = 0; i < panel->getChildrenCount(); ++i)
        nodeboxes::AddShown(figures, "figure " + std::to_string(i),
                            static_cast<cocos2d::CCNode*>(panel->getChildren()->objectAtIndex(i)));
    ASSERT_EQ(figures.size(), 3u);
    for (const nodeboxes::Box& figure : figures)
        EXPECT_FALSE(nodeboxes::Overlap(figure.rect, caption)) << figure.name << " " << nodeboxes::Describe(figure.rect);
    for (const std::string& out : nodeboxes::Outside(figures, box))
        ADD_FAILURE() << out;
}

INSTANTIATE_TEST_SUITE_P(Window, CarReadable, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
