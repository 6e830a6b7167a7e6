// The result on the board: the wheel's run and its timing, the stop with
// its flash, banners and beasts, the record strip and the result panel.
#include "TransferFixture.h"

#include "games/TransferBattle/ScoreView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numeric>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace TransferBattle;
using namespace tbtest;

namespace {

class TransferWheel : public TransferTest
{
protected:
    // The images a record item holds that show a picture.
    static std::vector<ImageView*> RecordImages(Widget* item)
    {
        std::vector<ImageView*> out;
        CCArray* children = item != nullptr ? item->getChildren() : nullptr;
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        {
            if (auto* image = dynamic_cast<ImageView*>(children->objectAtIndex(i)))
                out.push_back(image);
        }
        return out;
    }
    // Sprites on the table showing the picture or a frame of its animation.
    int Animating(const char* picture, const char* format, int frames) const
    {
        int n = 0;
        CCArray* children = board->GetContentRoot()->getChildren();
        for (unsigned int i = 0; i < children->count(); ++i)
        {
            auto* sprite = dynamic_cast<CCSprite*>(children->objectAtIndex(i));
            bool shows = Shows(sprite, picture);
            for (int f = 1; f <= frames && !shows; ++f)
            {
                char name[96];
                std::snprintf(name, sizeof(name), format, f);
                shows = Shows(sprite, name);
            }
            n += shows ? 1 : 0;
        }
        return n;
    }
    int Beast() const { return Animating("TransferBattle/xuanwu/XuanWu", "TransferBattle/xuanwu/XuanWu_%02d.png", 14); }
    int Dials() const { return Animating("TransferBattle/gross/End_Dial", "TransferBattle/gross/End_Dial_%02d.png", 11); }
    int Flashes() const
    {
        return Animating("TransferBattle/gross/grossini", "TransferBattle/gross/grossini_dance_%02d.png", 10);
    }
    // Runs the result of the slot to the wheel's stop.
    void RunTo(uint8_t slot)
    {
        StartBetting();
        ASSERT_TRUE(Game(SUB_S_GAME_END, End(40, slot)));
        for (int i = 0; i < 60 * 12 && board->IsWheelRunning(); ++i)
            Step();
        ASSERT_FALSE(board->IsWheelRunning());
    }
};

TEST_F(TransferWheel, TheRunsMovesSlowDownTowardsBothEnds)
{
    EXPECT_EQ(NNBoard::StopPointOf(1), 0);
    EXPECT_EQ(NNBoard::StopPointOf(0), 15);
    EXPECT_EQ(NNBoard::StopPointOf(16), 15);
    EXPECT_EQ(NNBoard::StopPointOf(9), 8);

    // Slot 1: d = 0, N = 48, a = 0.1875, delta = 0.05625: 49 moves.
    const std::vector<float> run = NNBoard::WheelMoveDurations(0);
    ASSERT_EQ(run.size(), 49u);
    EXPECT_FLOAT_EQ(run[0], 0.5f);
    EXPECT_NEAR(run[1], 0.5f - 0.05625f, 1e-6);
    EXPECT_NEAR(run[7], 0.5f - 7 * 0.05625f, 1e-6);
    for (int i = 8; i <= 40; ++i)
        EXPECT_FLOAT_EQ(run[i], 3.0f / 48) << i;
    EXPECT_FLOAT_EQ(run[41], 0.1875f);
    EXPECT_NEAR(run[47], 0.1875f + 6 * 0.05625f, 1e-6);
    EXPECT_FLOAT_EQ(run[48], 0.4f);

    // Slot 0: d = 15, N = 63; the first moves come out below 0 and are immediate.
    const std::vector<float> longest = NNBoard::WheelMoveDurations(15);
    ASSERT_EQ(longest.size(), 64u);
    for (float d : longest)
        EXPECT_GE(d, 0.0f);
    EXPECT_EQ(longest[7], 0.0f);
    EXPECT_FLOAT_EQ(longest[63], 0.4f);
    // Every run lasts well under the 8 s the result panel waits after it.
    for (int point = 0; point < WHEEL_POINTS; ++point)
    {
        const std::vector<float> d = NNBoard::WheelMoveDurations(point);
        EXPECT_LT(std::accumulate(d.begin(), d.end(), 0.0f), 9.0f) << point;
    }
}

TEST_F(TransferWheel, PointsHaveTheirBeastsBannersAndRecordPictures)
{
    EXPECT_EQ(NNBoard::BeastOfPoint(0), 0);
    EXPECT_EQ(NNBoard::BeastOfPoint(4), 1);
    EXPECT_EQ(NNBoard::BeastOfPoint(8), 2);
    EXPECT_EQ(NNBoard::BeastOfPoint(12), 3);
    const int groups[][3] = {{5, 10, 15}, {1, 6, 11}, {2, 7, 13}, {3, 9, 14}};
    for (int g = 0; g < 4; ++g)
    {
        for (int point : groups[g])
        {
            EXPECT_EQ(NNBoard::BeastOfPoint(point), -1) << point;
            EXPECT_EQ(NNBoard::BannerOfPoint(point), 4 + g) << point;
        }
    }
    EXPECT_STREQ(NNBoard::RecordPicture(1), "TransferBattle/btn_chqcxbg_0.png");
    EXPECT_STREQ(NNBoard::RecordPicture(5), "TransferBattle/btn_chqcxbg_2.png");
    EXPECT_STREQ(NNBoard::RecordPicture(13), "TransferBattle/btn_chqcxbg_6.png");
    EXPECT_STREQ(NNBoard::RecordPicture(16), "TransferBattle/btn_chqcxbg_1.png");
    EXPECT_STREQ(NNBoard::RecordPicture(2), "TransferBattle/btn_chqcxbg_3.png");
    EXPECT_STREQ(NNBoard::RecordPicture(3), "TransferBattle/btn_chqcxbg_5.png");
    EXPECT_STREQ(NNBoard::RecordPicture(4), "TransferBattle/btn_chqcxbg_7.png");
    EXPECT_EQ(NNBoard::RecordPicture(0), nullptr);
    EXPECT_EQ(NNBoard::RecordPicture(17), nullptr);
}

TEST_F(TransferWheel, TheLightRunsRoundAndTheChipsGo)
{
    StartBetting();
    ASSERT_FALSE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(40, 1)));
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_TRUE(board->IsWheelRunning());
    EXPECT_FALSE(board->GetMarker()->isVisible());
    for (int point = 0; point < WHEEL_POINTS; ++point)
        EXPECT_FALSE(board->GetArea(point % AREA_COUNT + 1)->isVisible());
    // The run starts on point 0 after half a second: its light comes on.
    Step(40);
    EXPECT_TRUE(board->GetSlotLight(0)->isVisible());
    // Two seconds on, the light is on its way round: more points were lit.
    Step(120);
    int lit = 0;
    for (int point = 0; point < WHEEL_POINTS; ++point)
        lit += board->GetSlotLight(point)->isVisible() ? 1 : 0;
    EXPECT_GE(lit, 1);
    EXPECT_FALSE(board->GetSlotLight(0)->isVisible() && lit == 1);
}

// Slot 1 stops on point 0 after 49 moves: xuanwu, the end dial twice, record 1.
TEST_F(TransferWheel, AStopOnABeastPlaysItWithTheEndDial)
{
    RunTo(1);
    EXPECT_EQ(board->GetStopPoint(), 0);
    EXPECT_TRUE(board->GetMarker()->getPosition().equals(NNBoard::WheelPoint(0)));
    EXPECT_EQ(Flashes(), 1);
    EXPECT_EQ(Beast(), 1);
    EXPECT_EQ(Dials(), 2);
    EXPECT_TRUE(board->GetEndBackground()->isVisible());
    EXPECT_TRUE(board->GetBanner(0)->isVisible());
    EXPECT_EQ(Played("TransferBattle/Sound/xuanwu"), 1);
    EXPECT_EQ(board->GetRecordCount(), 1);
    // The animations run their frames and go: the beast fades out after its
    // 1.4 s, the dials after three turns of 1.1 s.
    Seconds(4);
    EXPECT_EQ(Beast(), 0);
    EXPECT_EQ(Dials(), 0);
    EXPECT_EQ(Flashes(), 0);
}

TEST_F(TransferWheel, AStopOnASmallAnimalShowsItsGroupBanner)
{
    RunTo(0);
    EXPECT_EQ(board->GetStopPoint(), 15);
    EXPECT_TRUE(board->GetBanner(4)->isVisible());
    EXPECT_TRUE(board->GetEndBackground()->isVisible());
    for (int beast = 0; beast < 4; ++beast)
        EXPECT_FALSE(board->GetBanner(beast)->isVisible());
    EXPECT_EQ(Dials(), 0);
    EXPECT_EQ(Flashes(), 1);
    // Record 16: a small animal, its picture at (0, 15).
    const std::vector<ImageView*> images = RecordImages(board->GetRecordList()->getItem(0));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_TRUE(images[0]->getPosition().equals(CCPoint(0, 15)));
}

TEST_F(TransferWheel, TheResultPanelComesEightSecondsAfterTheStop)
{
    RunTo(9);
    EXPECT_EQ(board->GetStopPoint(), 8);
    EXPECT_EQ(Dials(), 2);
    EXPECT_EQ(Animating("TransferBattle/baihu/BaiHu", "TransferBattle/baihu/BaiHu_%02d.png", 14), 1);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    Seconds(7);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    Seconds(2);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetScoreView()->getPosition().equals(CCPoint(520, 347)));
}

// The panel comes up under the winner's banner: every banner's caption (its
// picture's top third) stays above the panel, and the end background they
// lie on leaves the phase clock clear.
TEST_F(TransferWheel, TheResultPanelLeavesTheBannersAndTheClockReadable)
{
    RunTo(9);
    Seconds(9);
    ASSERT_NE(board->GetScoreView(), nullptr);
    const CCRect panel = board->GetScoreView()->boundingBox();
    for (int i = 0; i < 8; ++i)
    {
        const CCRect banner = board->GetBanner(i)->boundingBox();
        const CCRect caption(banner.getMinX(), banner.getMaxY() - banner.size.height / 3, banner.size.width,
                             banner.size.height / 3);
        EXPECT_GT(caption.getMinY(), panel.getMaxY()) << i;
        EXPECT_TRUE(board->GetEndBackground()->boundingBox().containsPoint(
            CCPoint(caption.getMidX(), caption.getMidY())))
            << i;
    }
    Widget* clock = board->GetWidget("Image_clock");
    ASSERT_NE(clock, nullptr);
    const float clockBottom = clock->getPositionY() - clock->getSize().height / 2;
    EXPECT_GT(clockBottom, board->GetEndBackground()->boundingBox().getMaxY());
}

// F17: the panel claims no touch, so it is never left registered with the
// touch dispatcher, which would keep every round's panel alive behind it.
TEST_F(TransferWheel, TheResultPanelIsNotKeptByTheTouchDispatcher)
{
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    EXPECT_FALSE(dispatcher->hasDelegate(view));
    // A touch on it goes on to the table beneath; the panel stays where it is.
    const CCPoint at = view->getPosition();
    const CCPoint world = board->GetContentRoot()->convertToWorldSpace(at);
    Tap(world.x, world.y);
    EXPECT_TRUE(view->getPosition().equals(at));
    view->retain();
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    Step();
    EXPECT_FALSE(dispatcher->hasDelegate(view));
    EXPECT_EQ(view->retainCount(), 1u);
    view->release();
}

// F19: a result phase shorter than the panel's wait must not leave the
// last round's panel over the next round.
TEST_F(TransferWheel, APanelStillDueIsDroppedByTheNextFreeTime)
{
    RunTo(5);
    Seconds(2);
    ASSERT_EQ(board->GetScoreView(), nullptr);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    Seconds(10);
    EXPECT_EQ(board->GetScoreView(), nullptr);
}

// F18: the end of a round hides the areas; the next round shows them again
// so that they take touches.
TEST_F(TransferWheel, TheAreasComeBackForTheNextRound)
{
    RunTo(5);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_FALSE(board->GetArea(area)->isVisible()) << area;
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(board->GetArea(area)->isVisible()) << area;
    ClearSent();
    TapWidget(board->GetChipButton(1));
    TapWidget(board->GetArea(2));
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].second[0], 2);
}

// The 17 ready items take the first records; the 18th record gets an item
// of its own and the strip moves to its end.
TEST_F(TransferWheel, RecordsPastTheReadyItemsGetItemsOfTheirOwn)
{
    ListView* strip = board->GetRecordList();
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(strip->getItems()->count(), 17u);
    Bytes records;
    for (int i = 1; i <= 18; ++i)
        records.push_back(static_cast<uint8_t>(i % 16 + 1));
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, records));
    EXPECT_EQ(board->GetRecordCount(), 18);
    EXPECT_EQ(strip->getItems()->count(), 18u);
    // A beast (record 5): its picture at (0, -15).
    const std::vector<ImageView*> beast = RecordImages(strip->getItem(3));
    ASSERT_EQ(beast.size(), 1u);
    EXPECT_TRUE(beast[0]->getPosition().equals(CCPoint(0, -15)));
    Step(2);
    const float lowest = strip->getSize().width - strip->getInnerContainer()->getSize().width;
    EXPECT_FLOAT_EQ(strip->getInnerContainer()->getPositionX(), lowest);
    // The buttons step back and forth by one item.
    TapWidget("Button_26");
    Seconds(1);
    EXPECT_GT(strip->getInnerContainer()->getPositionX(), lowest);
}

// F34: a strip whose layout brings fewer items than records still shows
// every record.
TEST_F(TransferWheel, AShortStripGrowsForEveryRecord)
{
    ListView* strip = board->GetRecordList();
    strip->removeAllItems();
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Bytes{1, 2, 3}));
    EXPECT_EQ(strip->getItems()->count(), 3u);
    EXPECT_EQ(board->GetRecordCount(), 3);
}

TEST_F(TransferWheel, TheWheelIsShotAtItsStop)
{
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Bytes{1, 6, 9, 13, 3, 16, 5, 2}));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, 10000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 3, 5000000)));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(40, 5)));
    Step(180);
    SaveScreen("transferbattle_wheel_running");
    for (int i = 0; i < 60 * 12 && board->IsWheelRunning(); ++i)
        Step();
    Step(30);
    SaveScreen("transferbattle_wheel_stop");
    Seconds(9);
    SaveScreen("transferbattle_result");
}

}  // namespace

namespace {

// Waiting after a round, only the clock changes once a second: only those
// frames are drawn; a result scene's light tick does not keep drawing.
TEST_F(TransferWheel, WaitingDrawsOnlyWhenTheClockTicks)
{
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(40, 1))));
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    Seconds(3);
    unsigned int before = director->getDrawnFrames();
    Seconds(5);
    EXPECT_LE(director->getDrawnFrames() - before, 5u);

    RunTo(5);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(30)));
    // The stop's animations and the phase sign end first.
    Seconds(4);
    before = director->getDrawnFrames();
    Seconds(5);
    EXPECT_LE(director->getDrawnFrames() - before, 5u);
    EXPECT_GE(director->getDrawnFrames() - before, 4u);
    director->stopAnimation();
}

}  // namespace
