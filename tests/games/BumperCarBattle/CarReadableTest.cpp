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
    void Queue(std::initializer_list<uint16_t> chairs = {2, 0, 3})
    {
        for (uint16_t chair : chairs)
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    }
    // A history of that many rounds, one class after the other.
    void SendRecords(int count)
    {
        Bytes body;
        for (int i = 0; i < count; ++i)
        {
            RoundRecord record = {};
            record.cbWon[i % AREA_COUNT] = 1;
            const Bytes one = BytesOf(record);
            body.insert(body.end(), one.begin(), one.end());
        }
        ASSERT_TRUE(Game(SUB_S_SEND_RECORD, body));
    }
    // A round from free time to its result, each phase checked; a busy room
    // brings seven to the queue, a long history, ten-digit totals and my
    // eight-digit bets on every area.
    void EveryPhase(bool busy, const std::string& suffix)
    {
        ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
        if (busy)
        {
            SendRecords(40);
            Queue({2, 0, 3, 4, 6, 7, 8});
        }
        else
        {
            Queue();
        }
        Seconds(1);
        phasecheck::ExpectNothingCovers(Table(true), "car_readable_idle" + suffix);
        if (busy)
            ExpectWholeItems(board->GetBankerList(), "the waiting list");

        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20)));
        for (int area = 1; area <= AREA_COUNT; ++area)
            for (int64_t amount : {5000000, 1000000, 100000, 10000, 1000, 100})
                for (int i = 0; i < 3; ++i)
                    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(2, static_cast<uint8_t>(area), amount)));
        for (int area = 1; area <= AREA_COUNT && busy; ++area)
        {
            ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(3, static_cast<uint8_t>(area), 2394234590LL)));
            ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, static_cast<uint8_t>(area), 20000000)));
        }
        ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 3, 100000)));
        Seconds(1);
        phasecheck::ExpectNothingCovers(Table(true), "car_readable_betting" + suffix);

        RoundEndMessage end = EndRecord(25, 9);
        if (busy)
        {
            end.lMyScore = -1234567890;
            end.lPanelUpperRight = 9876543210LL;
            end.lPanelLower = -2345678901LL;
        }
        ASSERT_TRUE(Game(SUB_S_GAME_END, BytesOf(end)));
        Seconds(3);
        phasecheck::ExpectNothingCovers(Table(true), "car_readable_running" + suffix);
        RunToTheEnd();
        Seconds(3);
        cocos2d::CCNode* panel = board->GetEndBackground()->getChildByTag(NNBoard::kResultPanelTag);
        ASSERT_NE(panel, nullptr);
        phasecheck::List result = Table(false);
        result.Node("the result panel", panel);
        phasecheck::ExpectNothingCovers(result, "car_readable_result" + suffix);
        std::vector<cocos2d::CCNode*> areas;
        for (int area = 1; area <= AREA_COUNT; ++area)
            areas.push_back(board->GetAreaButton(area));
        phasecheck::ExpectOpaque(board->GetEndBackground(), areas, "the end background");
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
};

TEST_F(CarReadable, EveryPhaseOfARound) { EveryPhase(false, ""); }

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

// The result line's caption between its two figures, with ten-digit
// figures (thirteen characters): neither figure lies on it, nor runs into
// it or out of the panel.
TEST_F(CarReadable, TheResultLinesCaptionStandsClearOfItsFigures)
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
    phasecheck::ExpectNothingCovers(r, "car_readable_result_line");
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

class BusyCarReadable : public banktest::BusyAt<CarReadable>
{
};

TEST_P(BusyCarReadable, EveryPhaseOfARound) { EveryPhase(true, AtSize("")); }

// The change of banker's banner comes in the last seconds of every result,
// over the big car's armature or the small car's picture: the car's name
// stays in sight.
TEST_P(BusyCarReadable, TheChangeOfBankerLeavesTheWinningCarsNameInSight)
{
    for (uint8_t slot : {9, 10})
    {
        SCOPED_TRACE(slot);
        ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 5)));
        ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, slot)));
        RunToTheEnd();
        // The banner comes at four seconds left and fades in over three.
        for (int i = 0; i < 30 * 60 && board->GetTimeLeft() > 2; ++i)
            Step();
        Seconds(1);
        ASSERT_EQ(Showing("BumperCarBattle/change_banker_status").size(), 1u);
        phasecheck::List r;
        AddWinningCarsName(r);
        ASSERT_EQ(r.Items().size(), 1u);
        phasecheck::ExpectNothingCovers(r, AtSize("car_readable_banner_" + std::to_string(slot)));
        Seconds(5);
    }
}

// However long the history, the strip shows whole columns, none of them
// under its arrows: at its newest end and paged back to its oldest.
TEST_P(BusyCarReadable, TheHistoryStripShowsWholeColumns)
{
    cocos2d::ui::ListView* strip = board->GetHistoryList();
    ASSERT_NE(strip, nullptr);
    const cocos2d::CCRect list = nodeboxes::WorldBox(strip);
    for (const char* arrow : {"btn_left", "btn_right"})
        EXPECT_FALSE(list.intersectsRect(nodeboxes::WorldBox(board->GetWidget(arrow)))) << arrow;
    SendRecords(40);
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

INSTANTIATE_TEST_SUITE_P(Sizes, BusyCarReadable, ::testing::ValuesIn(readables::kWindows),
                         readables::ByWindow);

}  // namespace
