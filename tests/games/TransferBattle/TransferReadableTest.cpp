// Nothing of the four-beast table lies over what a player reads, phase by
// phase: the idle table with its records and queue, betting with totals of
// up to nine digits on every area, the wheel running, its stop with the
// winner's banner and the end dial, the result panel, and a table entered
// mid-round.
#include "TransferFixture.h"

#include "games/PhaseCheck.h"
#include "games/TransferBattle/ScoreView.h"

using namespace TransferBattle;
using namespace tbtest;

namespace {

class TransferReadable : public TransferTest
{
protected:
    phasecheck::List Table(bool areas, bool wheel)
    {
        phasecheck::List r(board->GetUILayer());
        r.Widgets({"Label_21_0_0", "Label_21_0_7", "Label_21_0_5", "Label_21_0_6", "Label_21_0_4", "Label_21_0_3",
                   "Label_21_0_2", "Image_clock", "AtlasLabel_43", "ListView_20", "Button_60", "ListView_30",
                   "Button_26", "Button_27"});
        r.Widget("Button_58", true).Widget("Button_59", true);
        r.Widget("Button_queue_up").Widget("Button_queue_down");
        r.Rows("the queue", board->GetBankerList());
        for (int i = 0; i < 6; ++i)
            r.Node("chip " + std::to_string(i), board->GetChipButton(i));
        // With the areas hidden (the wheel running, the result), their
        // frames' names stay on the table.
        for (int area = 0; !board->GetArea(1)->isVisible() && area < AREA_COUNT; ++area)
            r.Widget(("Image_frame_name_" + std::to_string(area)).c_str());
        if (areas)
        {
            for (int area = 1; area <= AREA_COUNT; ++area)
            {
                const std::string n = std::to_string(area - 1);
                r.Widget(("Image_area_name_" + n).c_str());
                r.Node("area " + n + "'s total", board->GetTotalLabel(area), true);
                r.Node("area " + n + "'s bet of mine", board->GetOwnLabel(area), true);
            }
        }
        if (wheel)
        {
            for (int point = 0; point < 16; ++point)
                r.Widget(("Image_slot_" + std::to_string(point)).c_str());
        }
        return r;
    }
    // The light that runs over the wheel's points is meant to, and the
    // clock's digits lie on its plate.
    covering::Allowed Lights() const
    {
        covering::Allowed allowed = Clock();
        for (int point = 0; point < 16; ++point)
            allowed.push_back({"Image_slot_" + std::to_string(point), "'Image_11_" + std::to_string(point) + "'"});
        return allowed;
    }
    static covering::Allowed Clock() { return {{"Image_clock", "AtlasLabel_43"}}; }
    // The phase's sign stands on the felt between the areas, over no
    // area's frame: the box of its ink (the pixels that change without it)
    // meets no area's box.
    void ExpectSignBetweenTheAreas(const char* picture)
    {
        const std::vector<cocos2d::CCSprite*> signs = Showing(picture);
        ASSERT_EQ(signs.size(), 1u) << picture;
        covering::detail::Frame with, without;
        ASSERT_TRUE(covering::detail::Capture(with));
        signs[0]->setVisible(false);
        covering::detail::Capture(without);
        signs[0]->setVisible(true);
        cocos2d::CCDirector::sharedDirector()->setNeedsRedraw();
        int x0 = with.width, y0 = with.height, x1 = -1, y1 = -1;
        for (int y = 0; y < with.height; ++y)
            for (int x = 0; x < with.width; ++x)
                if (covering::detail::Differs(with, without, x, y))
                {
                    x0 = std::min(x0, x), x1 = std::max(x1, x);
                    y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
        ASSERT_GE(x1, x0) << picture << " draws nothing";
        // Frame pixels (top-left origin) to window points.
        const cocos2d::CCSize win = cocos2d::CCDirector::sharedDirector()->getWinSize();
        const float sx = win.width / with.width, sy = win.height / with.height;
        const cocos2d::CCRect ink(x0 * sx, (with.height - 1 - y1) * sy, (x1 - x0 + 1) * sx, (y1 - y0 + 1) * sy);
        for (int area = 1; area <= AREA_COUNT; ++area)
        {
            const cocos2d::CCRect box = nodeboxes::WorldBox(board->GetArea(area));
            EXPECT_FALSE(nodeboxes::Overlap(ink, box)) << picture << " " << nodeboxes::Describe(ink) << " over area "
                                                       << area << " " << nodeboxes::Describe(box);
        }
    }
    // The result panel's figures (its own children) keep clear of its
    // captions: 本局成绩 and 庄家成绩 end 95 from its left, 返还 runs from
    // 222 to 250 on the top row.
    void ExpectFiguresBetweenTheirCaptions()
    {
        cocos2d::CCNode* view = board->GetScoreView();
        ASSERT_NE(view, nullptr);
        const cocos2d::CCRect box = nodeboxes::WorldBox(view);
        const float scale = box.size.width / view->getContentSize().width;
        std::vector<nodeboxes::Box> boxes = {
            {"the captions", cocos2d::CCRect(box.getMinX(), box.getMinY(), 95 * scale, box.size.height)},
            {"返还", cocos2d::CCRect(box.getMinX() + 222 * scale, box.getMidY(), 28 * scale, box.size.height / 2)}};
        for (int i = 0; i < 3; ++i)
            nodeboxes::AddShown(boxes, "figure " + std::to_string(i),
                                static_cast<cocos2d::CCNode*>(view->getChildren()->objectAtIndex(i)));
        for (const std::string& found : nodeboxes::Overlaps(boxes, {{"the captions", "返还"}}))
            ADD_FAILURE() << found;
    }
    // Entered in the betting, then in the result; in a busy room with the
    // amounts and figures of ten digits.
    void EnteredMidRound(const std::string& shot)
    {
        Records();
        Queue();
        PlayScene scene = PlaySceneRecord(12, 1);
        if (busyRoom)
        {
            for (int area = 1; area <= AREA_COUNT; ++area)
            {
                scene.lAllBets[area] = 1234567890;
                scene.lMyBets[area] = 98765432;
            }
            scene.lSecondAmount = -9876543210;
            scene.lMyScore = -1234567890;
            scene.lThirdAmount = 1234567890;
        }
        ASSERT_TRUE(Scene(GS_BETTING, BytesOf(scene)));
        Seconds(1);
        phasecheck::ExpectNothingCovers(Table(true, true), shot + "_restored_betting", {}, Lights());
        scene.cbTimeLeave = 9;
        ASSERT_TRUE(Scene(GS_RESULT, BytesOf(scene)));
        Seconds(1);
        phasecheck::List restored = Table(false, false);
        restored.Node("the result panel", board->GetScoreView());
        phasecheck::ExpectNothingCovers(restored, shot + "_restored_result", {}, Clock());
        ExpectFiguresBetweenTheirCaptions();
    }
    void Records()
    {
        Bytes records;
        for (int i = 0; i < (busyRoom ? 40 : 20); ++i)
            records.push_back(static_cast<uint8_t>(1 + (i * 5) % 16));
        ASSERT_TRUE(Game(SUB_S_SEND_RECORD, records));
    }
    void Queue()
    {
        const std::vector<uint16_t> queue =
            busyRoom ? std::vector<uint16_t>{2, 0, 3, 4, 6, 7} : std::vector<uint16_t>{2, 0};
        for (uint16_t chair : queue)
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(games::ApplyBankerMessage{chair})));
    }
    // Free time, betting, the wheel running and stopped, and the result;
    // in a busy room totals of ten digits, bets of mine of eight and
    // negative figures.
    void EveryPhase(const std::string& shot)
    {
        Records();
        ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
        Queue();
        Seconds(1);
        phasecheck::ExpectNothingCovers(Table(true, true), shot + "_idle", {}, Lights());
        ExpectSignBetweenTheAreas("TransferBattle/free");

        // Totals of seven to nine digits (ten in a busy room), and bets of mine.
        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000000LL, 20000000000LL, 20)));
        for (int area = 1; area <= AREA_COUNT; ++area)
        {
            const int64_t amount = area % 3 == 0 ? 123456789 : area % 3 == 1 ? 5000000 : 12345678;
            ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, static_cast<uint8_t>(area), busyRoom ? amount * 10 : amount)));
            ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, static_cast<uint8_t>(area), busyRoom ? 98765432 : 10000000)));
        }
        Seconds(1);
        phasecheck::ExpectNothingCovers(Table(true, true), shot + "_betting", {}, Lights());
        ExpectSignBetweenTheAreas("TransferBattle/call");

        // The wheel starts under the phase's sign, the totals still shown.
        TransferBattle::RoundEndMessage end = EndRecord(40, 9);
        if (busyRoom)
        {
            end.lSecondAmount = -9876543210;
            end.lBankerTotalResult = -8765432109;
            end.lMyScore = -1234567890;
            end.lThirdAmount = 1234567890;
        }
        ASSERT_TRUE(Game(SUB_S_GAME_END, BytesOf(end)));
        Step(6);
        phasecheck::List running = Table(false, true);
        for (int area = 1; area <= AREA_COUNT; ++area)
            running.Node("area " + std::to_string(area - 1) + "'s total", board->GetTotalLabel(area));
        phasecheck::ExpectNothingCovers(running, shot + "_running", {}, Lights());
        ExpectSignBetweenTheAreas("TransferBattle/outCard");
        // Then it stops on a beast: its banner on the end background, the
        // end dial under the wheel's middle.
        for (int i = 0; i < 60 * 12 && board->IsWheelRunning(); ++i)
            Step();
        ASSERT_FALSE(board->IsWheelRunning());
        Step(20);
        // The beast plays round its point's badge and leaves it readable.
        phasecheck::List stop = Table(false, false);
        stop.Node("the winner's banner", board->GetBanner(2));
        stop.Widget("Image_slot_8");
        phasecheck::ExpectNothingCovers(stop, shot + "_stop", {}, Clock());

        // The result panel, under the banner.
        Seconds(9);
        phasecheck::List result = Table(false, false);
        result.Node("the winner's banner", board->GetBanner(2));
        result.Node("the result panel", board->GetScoreView());
        phasecheck::ExpectNothingCovers(result, shot + "_result", {}, Clock());
        ExpectFiguresBetweenTheirCaptions();
        std::vector<cocos2d::CCNode*> wheel;
        for (int point = 0; point < 16; ++point)
            wheel.push_back(board->GetWidget(("Image_slot_" + std::to_string(point)).c_str()));
        wheel.push_back(board->GetWidget("Image_wheel"));
        wheel.push_back(board->GetWidget("Image_wheel_hub"));
        phasecheck::ExpectOpaque(board->GetScoreView(), wheel, "the result panel");
    }
};

TEST_F(TransferReadable, EveryPhaseOfARound) { EveryPhase("transfer_readable"); }

using TransferReadableBusy = banktest::BusyAt<TransferReadable>;

TEST_P(TransferReadableBusy, EveryPhaseOfARound) { EveryPhase(AtSize("transfer_busy")); }

INSTANTIATE_TEST_SUITE_P(Sizes, TransferReadableBusy, ::testing::ValuesIn(readables::kWindows),
                         readables::ByWindow);

// Entered mid-round in the betting, then the result comes as a scene.
TEST_F(TransferReadable, ATableEnteredMidRound) { EnteredMidRound("transfer_readable"); }

TEST_P(TransferReadableBusy, ATableEnteredMidRound) { EnteredMidRound(AtSize("transfer_busy")); }

}  // namespace

namespace {

cocos2d::CCRect Around(const cocos2d::CCPoint& at, const cocos2d::CCSize& size)
{
    return cocos2d::CCRect(at.x - size.width / 2, at.y - size.height / 2, size.width, size.height);
}

// The end dial turns round the wheel's middle and the beasts play at their
// points: every frame's box keeps off the phase clock and the chip buttons.
TEST_F(TransferReadable, TheEndDialAndTheBeastsKeepOffTheClockAndTheChips)
{
    cocos2d::ui::Widget* clock = board->GetWidget("Image_clock");
    ASSERT_NE(clock, nullptr);
    const cocos2d::CCRect clockBox = Around(clock->getPosition(), clock->getSize());
    cocos2d::CCSprite* dial = cocos2d::CCSprite::create("TransferBattle/gross/End_Dial");
    ASSERT_NE(dial, nullptr);
    EXPECT_FALSE(Around(cocos2d::CCPoint(520, 410), dial->getContentSize()).intersectsRect(clockBox));
    const char* beasts[4] = {"TransferBattle/xuanwu/XuanWu", "TransferBattle/qinglong/QingLong",
                             "TransferBattle/baihu/BaiHu", "TransferBattle/zhuque/ZhuQue"};
    for (int beast = 0; beast < 4; ++beast)
    {
        cocos2d::CCSprite* sprite = cocos2d::CCSprite::create(beasts[beast]);
        ASSERT_NE(sprite, nullptr);
        const cocos2d::CCRect box = Around(NNBoard::WheelPoint(4 * beast), sprite->getContentSize());
        for (int chip = 0; chip < 6; ++chip)
        {
            cocos2d::ui::Widget* button = board->GetChipButton(chip);
            EXPECT_FALSE(box.intersectsRect(Around(button->getPosition(), button->getSize()))) << beast << " " << chip;
        }
        EXPECT_FALSE(box.intersectsRect(clockBox)) << beast;
    }
}

}  // namespace
