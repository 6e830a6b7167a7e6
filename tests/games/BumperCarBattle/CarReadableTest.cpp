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

// A busy table: others' bets of nine digits on every area, mine of eight,
// results of ten, six players queued and a full record strip.
constexpr int64_t kTheirs = 123456789, kMine = 20000000, kResult = 1234567890;

// Faults the check finds that are being mended.
const char* const kEveryPhase = "idle|betting|running|result|the result's last seconds|restored";
const std::vector<phasecheck::Open> kOpenFaults = {
    {"car: in the result's last seconds the 轮换庄家 banner is drawn over the winning car's name",
     "the result's last seconds", phasecheck::kEverySize, "the winning car", "CCSprite"},
    {"car: the record strip's first cell lies half under its < button", kEveryPhase, phasecheck::kEverySize,
     "the record strip row *", "cut by"},
    {"car: the waiting list's fifth row is cut in half", kEveryPhase, phasecheck::kEverySize,
     "the waiting list row 4", "cut by"},
    {"car: the areas' totals and my bets stand on their bars' and areas' borders", "betting|running|restored",
     phasecheck::kEverySize, "atlasLabel_*", "a line under it"},
};

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
    // The result's panel and the winning car on the end background.
    void AddTheResult(phasecheck::List& r)
    {
        cocos2d::CCNode* panel = board->GetEndBackground()->getChildByTag(NNBoard::kResultPanelTag);
        r.Node("the result panel", panel);
        r.TextsOf("the result panel", panel);
        cocos2d::CCArray* parts = board->GetEndBackground()->getChildren();
        for (unsigned int i = 0; parts != nullptr && i < parts->count(); ++i)
            if (auto* part = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(i)); part != panel)
                r.Optional("the winning car", part);
    }
};

TEST_P(CarReadable, EveryPhaseOfARound)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    QueueAndRecords();
    Seconds(1);
    Check(Table(true), "idle");

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
    phasecheck::List last = Table(false);
    AddTheResult(last);
    Check(last, "the result's last seconds");
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

// The result line's caption between its two figures, with figures of ten
// characters: neither figure lies on it.
TEST_P(CarReadable, TheResultLinesCaptionStandsClearOfItsFigures)
{
    RoundEndMessage end = EndRecord(25, 9);
    end.lMyScore = -12345678;
    end.lPanelUpperRight = -87654321;
    ASSERT_TRUE(Game(SUB_S_GAME_END, BytesOf(end)));
    RunToTheEnd();
    Seconds(3);
    auto* panel = dynamic_cast<cocos2d::CCSprite*>(board->GetEndBackground()->getChildByTag(NNBoard::kResultPanelTag));
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(nodeboxes::Shown(panel));
    // The caption "返还" ends 207 across the picture, on the row 22 from its top.
    const cocos2d::CCRect box = nodeboxes::WorldBox(panel);
    phasecheck::List r;
    r.Part("the caption", panel, cocos2d::CCRect(box.getMinX() + 178, box.getMaxY() - 31, 30, 18));
    Check(r, "the result line");
}

INSTANTIATE_TEST_SUITE_P(Window, CarReadable, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
