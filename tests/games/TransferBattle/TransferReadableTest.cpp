// What a player reads on the four-beast table, phase by phase, in each
// window and with a busy room's data: the idle table with a full record
// strip and six players queued, betting with totals of ten digits on every
// area and mine of eight, the wheel running, its stop with the winner's
// banner and the end dial, the result panel with figures of ten digits
// below zero, and a table entered mid-round.
#include "TransferFixture.h"

#include "games/PhaseCheck.h"
#include "games/TransferBattle/ScoreView.h"

using namespace TransferBattle;
using namespace tbtest;

namespace {

// A busy table: others' bets of up to ten digits on every area, mine of
// eight, results of ten.
constexpr int64_t kTheirs = 1234567890, kMine = 98765432, kResult = 1234567890;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

class TransferReadable : public banktest::BusyAt<TransferTest>
{
protected:
    TransferReadable() { Open(kOpenFaults); }

    phasecheck::List Table(bool areas, bool wheel)
    {
        phasecheck::List r(board->GetUILayer());
        r.Widgets({"Label_21_0_0", "Label_21_0_7", "Label_21_0_5", "Label_21_0_6", "Label_21_0_4", "Label_21_0_3",
                   "Label_21_0_2", "Image_clock", "AtlasLabel_43", "ListView_20", "Button_60", "ListView_30",
                   "Button_26", "Button_27"});
        r.Widget("Button_58", true).Widget("Button_59", true);
        // The queue's arrows say it holds more than its three rows.
        r.Widget("Button_queue_up").Widget("Button_queue_down");
        r.Rows("the queue", board->GetBankerList(), 3);
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
        // The phase's sign while it shows.
        for (const char* sign : {"TransferBattle/free", "TransferBattle/call", "TransferBattle/outCard"})
            for (cocos2d::CCSprite* sprite : Showing(sign))
                r.Words("the phase sign", sprite, true);
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
    void Records()
    {
        Bytes records;
        for (int i = 0; i < 40; ++i)
            records.push_back(static_cast<uint8_t>(1 + (i * 5) % 16));
        ASSERT_TRUE(Game(SUB_S_SEND_RECORD, records));
    }
    void Queue()
    {
        for (uint16_t chair : kQueue)
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(games::ApplyBankerMessage{chair})));
    }
};

TEST_P(TransferReadable, EveryPhaseOfARound)
{
    Records();
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    Queue();
    Step(30);
    Check(Table(true, true), "idle", {}, Lights());
    ExpectSignBetweenTheAreas("TransferBattle/free");

    // Totals of eight to ten digits, and bets of mine of eight.
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000000LL, 20000000000LL, 20)));
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        const int64_t amount = area % 3 == 0 ? kTheirs : area % 3 == 1 ? 50000000 : 123456780;
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, static_cast<uint8_t>(area), amount)));
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, static_cast<uint8_t>(area), kMine)));
    }
    Step(30);
    Check(Table(true, true), "betting", {}, Lights());
    ExpectSignBetweenTheAreas("TransferBattle/call");

    // The wheel starts under the phase's sign, the totals still shown.
    RoundEndMessage end = EndRecord(40, 9);
    end.lMyScore = -kResult;
    end.lSecondAmount = -9876543210;
    end.lThirdAmount = kResult;
    end.lBankerTotalResult = -8765432109;
    ASSERT_TRUE(Game(SUB_S_GAME_END, BytesOf(end)));
    Step(6);
    phasecheck::List running = Table(false, true);
    for (int area = 1; area <= AREA_COUNT; ++area)
        running.Node("area " + std::to_string(area - 1) + "'s total", board->GetTotalLabel(area));
    Check(running, "running", {}, Lights());
    ExpectSignBetweenTheAreas("TransferBattle/outCard");
    for (int i = 0; i < 60 * 12 && board->IsWheelRunning(); ++i)
        Step();
    ASSERT_FALSE(board->IsWheelRunning());
    Step(20);
    // The wheel stops on a beast: its banner on the end background, the
    // end dial under the wheel's middle; the beast plays round its point's
    // badge and leaves it readable.
    phasecheck::List stop = Table(false, true);
    stop.Node("the winner's banner", board->GetBanner(2));
    Check(stop, "stop", {}, Lights());

    // The result panel, under the banner.
    Seconds(9);
    phasecheck::List result = Table(false, false);
    result.Node("the winner's banner", board->GetBanner(2));
    result.Node("the result panel", board->GetScoreView());
    result.TextsOf("the result panel", board->GetScoreView());
    Check(result, "result", {}, Clock());
    ExpectFiguresBetweenTheirCaptions();
    std::vector<cocos2d::CCNode*> wheel;
    for (int point = 0; point < 16; ++point)
        wheel.push_back(board->GetWidget(("Image_slot_" + std::to_string(point)).c_str()));
    wheel.push_back(board->GetWidget("Image_wheel"));
    wheel.push_back(board->GetWidget("Image_wheel_hub"));
    CheckOpaque(board->GetScoreView(), wheel, "the result panel", "result");
}

// Entered mid-round in the betting, then the result comes as a scene.
TEST_P(TransferReadable, ATableEnteredMidRound)
{
    Records();
    Queue();
    PlayScene scene = PlaySceneRecord(12, 1);
    for (int i = 1; i <= AREA_COUNT; ++i)
    {
        scene.lAllBets[i] = kTheirs + kMine;
        scene.lMyBets[i] = kMine;
    }
    scene.lSecondAmount = -9876543210;
    scene.lMyScore = -kResult;
    scene.lThirdAmount = kResult;
    scene.lBankerTotalResult = -kResult;
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(scene)));
    Step(30);
    Check(Table(true, true), "restored betting", {}, Lights());
    scene.cbTimeLeave = 9;
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(scene)));
    Seconds(1);
    phasecheck::List restored = Table(false, false);
    restored.Node("the result panel", board->GetScoreView());
    restored.TextsOf("the result panel", board->GetScoreView());
    Check(restored, "restored result", {}, Clock());
    ExpectFiguresBetweenTheirCaptions();
}

}  // namespace

namespace {

cocos2d::CCRect Around(const cocos2d::CCPoint& at, const cocos2d::CCSize& size)
{
    return cocos2d::CCRect(at.x - size.width / 2, at.y - size.height / 2, size.width, size.height);
}

// The end dial turns round the wheel's middle and the beasts play at their
// points: every frame's box keeps off the phase clock and the chip buttons.
TEST_F(TransferTest, TheEndDialAndTheBeastsKeepOffTheClockAndTheChips)
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

INSTANTIATE_TEST_SUITE_P(Window, TransferReadable, ::testing::ValuesIn(phasecheck::Windows()),
                         phasecheck::WindowName);
