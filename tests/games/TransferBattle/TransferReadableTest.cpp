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
        r.Rows("the queue", board->GetBankerList());
        for (int i = 0; i < 6; ++i)
            r.Node("chip " + std::to_string(i), board->GetChipButton(i));
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
    void Records()
    {
        Bytes records;
        for (int i = 0; i < 20; ++i)
            records.push_back(static_cast<uint8_t>(1 + (i * 5) % 16));
        ASSERT_TRUE(Game(SUB_S_SEND_RECORD, records));
    }
    void Queue()
    {
        for (uint16_t chair : {2, 0})
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(games::ApplyBankerMessage{chair})));
    }
};

TEST_F(TransferReadable, EveryPhaseOfARound)
{
    Records();
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    Queue();
    Seconds(1);
    phasecheck::ExpectNothingCovers(Table(true, true), "transfer_readable_idle", {}, Lights());

    // Totals of seven to nine digits, and bets of mine.
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 5000000000LL, 200000000, 20)));
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        const int64_t amount = area % 3 == 0 ? 123456789 : area % 3 == 1 ? 5000000 : 12345678;
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, static_cast<uint8_t>(area), amount)));
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, static_cast<uint8_t>(area), 10000000)));
    }
    Seconds(1);
    phasecheck::ExpectNothingCovers(Table(true, true), "transfer_readable_betting", {}, Lights());

    // The wheel runs, then stops on a beast: its banner on the end
    // background, the end dial under the wheel's middle.
    // The wheel starts under the phase's sign, the totals still shown.
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(40, 9)));
    Step(6);
    phasecheck::List running = Table(false, true);
    for (int area = 1; area <= AREA_COUNT; ++area)
        running.Node("area " + std::to_string(area - 1) + "'s total", board->GetTotalLabel(area));
    phasecheck::ExpectNothingCovers(running, "transfer_readable_running", {}, Lights());
    for (int i = 0; i < 60 * 12 && board->IsWheelRunning(); ++i)
        Step();
    ASSERT_FALSE(board->IsWheelRunning());
    Step(20);
    phasecheck::List stop = Table(false, false);
    stop.Node("the winner's banner", board->GetBanner(2));
    phasecheck::ExpectNothingCovers(stop, "transfer_readable_stop", {}, Clock());

    // The result panel, under the banner.
    Seconds(9);
    phasecheck::List result = Table(false, false);
    result.Node("the winner's banner", board->GetBanner(2));
    result.Node("the result panel", board->GetScoreView());
    phasecheck::ExpectNothingCovers(result, "transfer_readable_result", {}, Clock());
    std::vector<cocos2d::CCNode*> wheel;
    for (int point = 0; point < 16; ++point)
        wheel.push_back(board->GetWidget(("Image_slot_" + std::to_string(point)).c_str()));
    wheel.push_back(board->GetWidget("Image_wheel"));
    wheel.push_back(board->GetWidget("Image_wheel_hub"));
    phasecheck::ExpectOpaque(board->GetScoreView(), wheel, "the result panel");
}

// Entered mid-round in the betting, then the result comes as a scene.
TEST_F(TransferReadable, ATableEnteredMidRound)
{
    Records();
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1))));
    Seconds(1);
    phasecheck::ExpectNothingCovers(Table(true, true), "transfer_readable_restored_betting", {}, Lights());
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    Seconds(1);
    phasecheck::List restored = Table(false, false);
    restored.Node("the result panel", board->GetScoreView());
    phasecheck::ExpectNothingCovers(restored, "transfer_readable_restored_result", {}, Clock());
}

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
