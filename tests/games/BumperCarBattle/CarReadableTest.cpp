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

class CarReadable : public CarTest
{
protected:
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
        r.Rows("the waiting list", board->GetBankerList());
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
    void Queue()
    {
        for (uint16_t chair : {2, 0, 3})
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    }
};

TEST_F(CarReadable, EveryPhaseOfARound)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    Queue();
    Seconds(1);
    phasecheck::ExpectNothingCovers(Table(true), "car_readable_idle");

    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20)));
    for (int area = 1; area <= AREA_COUNT; ++area)
        for (int64_t amount : {5000000, 1000000, 100000, 10000, 1000, 100})
            for (int i = 0; i < 3; ++i)
                ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(2, static_cast<uint8_t>(area), amount)));
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 3, 100000)));
    Seconds(1);
    phasecheck::ExpectNothingCovers(Table(true), "car_readable_betting");

    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 9)));
    Seconds(3);
    phasecheck::ExpectNothingCovers(Table(true), "car_readable_running");
    RunToTheEnd();
    Seconds(3);
    cocos2d::CCNode* panel = board->GetEndBackground()->getChildByTag(NNBoard::kResultPanelTag);
    ASSERT_NE(panel, nullptr);
    phasecheck::List result = Table(false);
    result.Node("the result panel", panel);
    phasecheck::ExpectNothingCovers(result, "car_readable_result");
    std::vector<cocos2d::CCNode*> areas;
    for (int area = 1; area <= AREA_COUNT; ++area)
        areas.push_back(board->GetAreaButton(area));
    phasecheck::ExpectOpaque(board->GetEndBackground(), areas, "the end background");
}

TEST_F(CarReadable, ATableEnteredInItsBetting)
{
    Queue();
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1, 7))));
    Seconds(1);
    phasecheck::ExpectNothingCovers(Table(true), "car_readable_restored");
}

// Every chip an area may take, live or laid again from a scene, stays below
// the area's name bar and inside the area.
TEST_F(CarReadable, TheChipsOfAnAreaStayBelowItsNameBar)
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
TEST_F(CarReadable, TheResultLinesCaptionStandsClearOfItsFigures)
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
    phasecheck::ExpectNothingCovers(r, "car_readable_result_line");
}

}  // namespace
