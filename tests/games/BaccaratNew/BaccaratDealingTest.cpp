// The result side of the baccarat table: the deal card by card, the points
// and tips, the result panel, the close of a round, the record store and its
// views, and the charts.
#include "BaccaratFixture.h"

#include <cstdio>
#include <cstring>

using namespace bactest;
using cocos2d::CCPoint;
using Sexy::CardSprite;

namespace {

class BaccaratDealing : public BaccaratTest
{
protected:
    // Records of the given points, in one history message.
    bool SendRecords(const std::vector<std::pair<uint8_t, uint8_t>>& points)
    {
        Bytes body;
        for (const auto& [player, banker] : points)
        {
            const Bytes r = Record(player, banker);
            body.insert(body.end(), r.begin(), r.end());
        }
        return Game(SUB_S_SEND_RECORD, body);
    }
    // A table entered in its result: the player's 10 and 3 against the
    // banker's 5 and 2, and his third card when one is given; chair 1 banks.
    static CMD_S_StatusPlay ResultScene(uint8_t seconds, uint8_t bankerThird = 0)
    {
        CMD_S_StatusPlay scene{};
        scene.cbTimeLeave = seconds;
        scene.cbGameStatus = GS_GAME_END;
        scene.wBankerUser = 1;
        scene.cbCardCount[SIDE_XIAN] = 2;
        scene.cbCardCount[SIDE_ZHUANG] = bankerThird != 0 ? 3 : 2;
        const uint8_t cards[2][3] = {{0x1A, 0x33, 0}, {0x05, 0x02, bankerThird}};
        std::memcpy(scene.cbTableCardArray, cards, sizeof(cards));
        return scene;
    }
    bool CellShown(const char* list, int item, int tag)
    {
        auto* view = dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget(list));
        cocos2d::ui::Widget* cell =
            view != nullptr && view->getItem(item) != nullptr
                ? dynamic_cast<cocos2d::ui::Widget*>(view->getItem(item)->getChildByTag(tag))
                : nullptr;
        return cell != nullptr && cell->isVisible();
    }
};

TEST_F(BaccaratDealing, ThreePlayerCardsAndTwoBankerCardsAreDealtInTurn)
{
    StartBetting();
    // Player 2, 3 then 9 (4); banker K, 6 (6).
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x02, 0x13, 0x29}, {0x0D, 0x36}, 500)));
    EXPECT_TRUE(board->IsRoundDealt());
    EXPECT_EQ(board->GetDealStep(), 0);
    EXPECT_TRUE(board->GetWidget("GAME_END_FRAME")->isVisible());
    std::vector<std::pair<size_t, size_t>> seen;
    std::vector<std::string> tips;
    for (int frame = 0; frame < 60 * 12; ++frame)
    {
        Seconds(1.0f / 60);
        const std::pair<size_t, size_t> now(board->GetDealt(SIDE_XIAN).size(), board->GetDealt(SIDE_ZHUANG).size());
        if (seen.empty() || seen.back() != now)
        {
            seen.push_back(now);
            tips.push_back(board->LabelText("GAME_END_TIPS"));
        }
    }
    // Player, banker, player, banker, player's third.
    const std::vector<std::pair<size_t, size_t>> order = {{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {3, 2}};
    EXPECT_EQ(seen, order);
    // No tip before the fourth card; the player draws on 5 against 6.
    EXPECT_EQ(tips[3], "");
    EXPECT_EQ(tips[4], "闲5点，庄6点，闲继续拿牌\n");
    // Cards at their places, each face as dealt.
    for (int i = 0; i < 3; ++i)
    {
        CardSprite* card = board->GetTableCard(i);
        EXPECT_TRUE(card->isVisible());
        EXPECT_EQ(card->getPosition(), BaccaratNewBoard::PlayerCardPlace(3, i));
    }
    EXPECT_EQ(board->GetTableCard(0)->GetCardData(), 0x02);
    EXPECT_EQ(board->GetTableCard(4)->GetCardData(), 0x36);
    EXPECT_EQ(board->GetTableCard(4)->getPosition(), BaccaratNewBoard::BankerCardPlace(2, 1));
    EXPECT_FALSE(board->GetTableCard(5)->isVisible());
    EXPECT_FALSE(board->GetFlyingCard()->isVisible());
    // The banker wins 6 to 4: his word plays, the result is filled in.
    EXPECT_TRUE(board->GetArmature(SIDE_ZHUANG)->isVisible());
    EXPECT_EQ(board->GetArmature(SIDE_ZHUANG)->getAnimation()->getCurrentMovementID(), "Animation2");
    EXPECT_FALSE(board->GetArmature(SIDE_XIAN)->getAnimation()->isPlaying());
    EXPECT_EQ(board->LabelText("Label_result_0"), "4");
    EXPECT_EQ(board->LabelText("Label_result_1"), "6");
    EXPECT_EQ(board->LabelText("Label_result_10"), "500");
    EXPECT_EQ(board->LabelText("GAME_END_TIPS"), "");
}

TEST_F(BaccaratDealing, TheBankersTipFollowsThePlayersThirdCard)
{
    StartBetting();
    // Player 2, 3, then 3; banker K, 3, then 4: the banker draws on 3
    // against a third card of 3.
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x02, 0x13, 0x23}, {0x0D, 0x33, 0x14})));
    std::vector<std::string> tips;
    size_t shown = 0;
    for (int frame = 0; frame < 60 * 12; ++frame)
    {
        Seconds(1.0f / 60);
        const size_t now = board->GetDealt(SIDE_XIAN).size() + board->GetDealt(SIDE_ZHUANG).size();
        if (now != shown)
        {
            shown = now;
            tips.push_back(board->LabelText("GAME_END_TIPS"));
        }
    }
    ASSERT_EQ(tips.size(), 6u);
    EXPECT_EQ(tips[3], "闲5点，庄3点，闲继续拿牌\n");
    EXPECT_EQ(tips[4], "闲第三张牌3点，庄3点，庄继续拿牌\n");
    EXPECT_EQ(board->LabelText("Label_result_0"), "8");
    EXPECT_EQ(board->LabelText("Label_result_1"), "7");
}

TEST_F(BaccaratDealing, ATieShowsItsMarkAndNoWordPlays)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x04, 0x22}, {0x13, 0x33})));
    Seconds(8);
    EXPECT_TRUE(board->GetWidget("WIN_TYPE_01")->isVisible());
    EXPECT_FALSE(board->GetArmature(SIDE_XIAN)->isVisible());
    EXPECT_FALSE(board->GetArmature(SIDE_ZHUANG)->isVisible());
}

TEST_F(BaccaratDealing, ARoundIsRecordedOnceAndOnlyWhenDealt)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x08, 0x11}, {0x05, 0x05}, 900)));
    Seconds(8);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    ASSERT_EQ(board->GetRecords().size(), 1u);
    EXPECT_EQ(board->GetRecords()[0].cbPlayerPoint, 9);
    EXPECT_EQ(board->GetRecords()[0].cbBankerPoint, 0);
    EXPECT_EQ(board->GetRecords()[0].cbSpecial, AREA_XIAN_TIAN_WANG);
    EXPECT_EQ(board->GetRecords()[0].cbBankerPair, 1);
    EXPECT_EQ(board->GetRunningTotal(), 900);
    EXPECT_EQ(Played("BaccaratNew/music/END_WIN"), 1);
    EXPECT_EQ(board->GetBankerWin(), 4000);
    // No cards on a side: no deal, no record.
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start()));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x01, 0x02}, {})));
    EXPECT_FALSE(board->IsRoundDealt());
    EXPECT_FALSE(board->GetFlyingCard()->isVisible());
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    EXPECT_EQ(board->GetRecords().size(), 1u);
}

TEST_F(BaccaratDealing, TheResultPanelRisesForAPlayerWhoTookPart)
{
    StartBetting();
    CMD_S_GameEnd end = End({0x01, 0x02}, {0x03, 0x04}, 0, 20);
    end.lUserAreaScore[AREA_ZHUANG] = 1000;
    ASSERT_TRUE(Game(SUB_S_GAME_END, end));
    Seconds(6);
    EXPECT_FALSE(board->GetWidget("GAME_END")->isVisible());
    // Below 12 seconds of the result, at the next once-a-second check.
    Seconds(4);
    EXPECT_LT(board->GetClockSeconds(), 12);
    EXPECT_TRUE(board->GetWidget("GAME_END")->isVisible());
    EXPECT_FALSE(board->GetWidget("GAME_END_FRAME")->isVisible());
    EXPECT_FALSE(board->GetTableCard(0)->isVisible());
    EXPECT_EQ(board->LabelText("Label_result_6"), "1000");
}

TEST_F(BaccaratDealing, NoResultPanelForAWatcherWithoutAStake)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x01, 0x02}, {0x03, 0x04}, 0, 20)));
    Seconds(15);
    EXPECT_FALSE(board->GetWidget("GAME_END")->isVisible());
    EXPECT_TRUE(board->GetWidget("GAME_END_FRAME")->isVisible());
}

TEST_F(BaccaratDealing, TheClockShowsItsSecondsAndThePhase)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{27}));
    Seconds(1.1f);
    EXPECT_EQ(board->GetClockSeconds(), 26);
    board->UpdateClockDisplay();
    auto* tens = dynamic_cast<cocos2d::ui::ImageView*>(board->GetWidget("TIME_1"));
    auto* units = dynamic_cast<cocos2d::ui::ImageView*>(board->GetWidget("TIME_0"));
    ASSERT_NE(tens, nullptr);
    EXPECT_EQ(tens->getFileName(), "BaccaratNew/TIME_NUMBER_03");
    EXPECT_EQ(units->getFileName(), "BaccaratNew/TIME_NUMBER_07");
    EXPECT_TRUE(board->GetWidget("TIME_BACK")->isVisible());
    auto* type = dynamic_cast<cocos2d::ui::ImageView*>(board->GetWidget("TIME_TYPE_01"));
    EXPECT_EQ(type->getFileName(), "BaccaratNew/TIME_TYPE_01");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 500000000, 5000000, 6)));
    Seconds(1.1f);
    EXPECT_EQ(type->getFileName(), "BaccaratNew/TIME_TYPE_02");
    EXPECT_EQ(Played("BaccaratNew/music/TIME_WARING"), 0);
    Seconds(2);
    EXPECT_GE(Played("BaccaratNew/music/TIME_WARING"), 1);
}

TEST_F(BaccaratDealing, The69thRecordStartsANewCycle)
{
    std::vector<std::pair<uint8_t, uint8_t>> shoe;
    for (int i = 0; i < 68; ++i)
        shoe.emplace_back(static_cast<uint8_t>(i % 3 == 0 ? 7 : 2), static_cast<uint8_t>(i % 3 == 1 ? 8 : 3));
    ASSERT_TRUE(SendRecords(shoe));
    EXPECT_EQ(board->GetRecords().size(), 68u);
    EXPECT_EQ(board->GetRoads().GetHistoryCount(), 68u);
    auto* strip = dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget("ListView_ZHUANG-XIAN"));
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->getItem(67)->isVisible());
    EXPECT_FALSE(strip->getItem(68)->isVisible());
    ASSERT_TRUE(SendRecords({{4, 4}}));
    ASSERT_EQ(board->GetRecords().size(), 1u);
    EXPECT_EQ(board->GetRoads().GetHistoryCount(), 1u);
    EXPECT_FALSE(strip->getItem(1)->isVisible());
    EXPECT_TRUE(board->BeadCellTaken(0, 0));
    EXPECT_FALSE(board->BeadCellTaken(1, 0));
    EXPECT_EQ(board->LabelText("bottom_ping_num"), "1");
}

TEST_F(BaccaratDealing, TiesFromTheStartStayInTheFirstColumnAndTurnAtItsFoot)
{
    ASSERT_TRUE(SendRecords({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 2}}));
    for (int row = 0; row < 6; ++row)
        EXPECT_TRUE(board->BeadCellTaken(0, row)) << row;
    EXPECT_TRUE(board->BeadCellTaken(1, 5));
    // The player's win starts the first column whose top is free.
    EXPECT_TRUE(board->BeadCellTaken(1, 0));
    EXPECT_FALSE(board->BeadCellTaken(2, 0));
}

TEST_F(BaccaratDealing, TheBeadGridStopsAtItsTwentyNinthColumn)
{
    std::vector<std::pair<uint8_t, uint8_t>> shoe;
    for (int i = 0; i < 40; ++i)
        shoe.emplace_back(static_cast<uint8_t>(i % 2 == 0 ? 9 : 1), static_cast<uint8_t>(i % 2 == 0 ? 1 : 9));
    ASSERT_TRUE(SendRecords(shoe));
    for (int column = 0; column < 29; ++column)
        EXPECT_TRUE(board->BeadCellTaken(column, 0)) << column;
    for (int column = 29; column < BaccaratNewBoard::kListItems; ++column)
        for (int row = 0; row < 6; ++row)
            EXPECT_FALSE(board->BeadCellTaken(column, row)) << column;
}

TEST_F(BaccaratDealing, TheChartsShowTheRoadsAndNothingPastTheirHundredColumns)
{
    // A full cycle that alternates in runs of one and two: every road
    // grows long.
    std::vector<std::pair<uint8_t, uint8_t>> shoe;
    const char* pattern = "BPPBPBBPPBPPPB";
    for (int i = 0; i < 68; ++i)
        shoe.emplace_back(pattern[i % 14] == 'P' ? 8 : 2, pattern[i % 14] == 'P' ? 2 : 8);
    ASSERT_TRUE(SendRecords(shoe));
    Touch("Button_CHART");
    ASSERT_TRUE(board->ChartsBuilt());
    EXPECT_TRUE(board->GetWidget("Image_CHART")->isVisible());
    EXPECT_FALSE(board->GetOverlay()->isVisible());
    // The bead plate: record 13 in item 2, row 1.
    EXPECT_TRUE(CellShown("ListView_Chart1", 2, BaccaratNewBoard::kChart1CellTag + 1));
    EXPECT_FALSE(CellShown("ListView_Chart1", 12, BaccaratNewBoard::kChart1CellTag));
    for (int road = 0; road < 3; ++road)
    {
        const char* list = road == 0 ? "ListView_Chart3" : road == 1 ? "ListView_Chart4" : "ListView_Chart5";
        const int tag = BaccaratNewBoard::kRoadCellTag[road];
        // What the record holds shows, item i being columns 2i and 2i + 1.
        for (int item = 0; item < 50; ++item)
            for (int k = 0; k < 12; ++k)
                EXPECT_EQ(CellShown(list, item, tag + k),
                          board->GetRoads().GetRoadCell(road, 2 * item + k / 6, k % 6) != 0)
                    << road << " " << item << " " << k;
        for (int item = 50; item < BaccaratNewBoard::kListItems; ++item)
            for (int k = 0; k < 12; ++k)
                EXPECT_FALSE(CellShown(list, item, tag + k)) << road << " " << item;
    }
    int players = 0;
    for (const auto& round : shoe)
        players += round.first > round.second;
    EXPECT_EQ(board->LabelText("Label_CHART_xianNum"), std::to_string(players));
    EXPECT_EQ(board->LabelText("Label_CHART_zhuangNum"), std::to_string(68 - players));
    char share[16];
    std::snprintf(share, sizeof(share), "%.2f%%", 100.0 * players / 68);
    EXPECT_EQ(board->LabelText("Label_CHART_xianBili"), share);
    EXPECT_EQ(board->LabelText("Label_CHART_pingBili"), "0.00%");
    Touch("Button_CHART_CLOSE");
    EXPECT_FALSE(board->GetWidget("Image_CHART")->isVisible());
    EXPECT_TRUE(board->GetOverlay()->isVisible());
}

TEST_F(BaccaratDealing, ALongRunOfOneSideKeepsTheRoadsInsideTheirGrids)
{
    std::vector<std::pair<uint8_t, uint8_t>> shoe(45, {1, 9});
    ASSERT_TRUE(SendRecords(shoe));
    Touch("Button_CHART");
    // The big road holds thirty of the run; the rest leaves no mark.
    EXPECT_NE(board->GetRoads().GetBigRoadCell(0, 29), 0u);
    EXPECT_EQ(board->GetRoads().GetBigRoadCell(1, 0), 0u);
    EXPECT_EQ(board->LabelText("Label_CHART_zhuangNum"), "45");
}

TEST_F(BaccaratDealing, TheFreeMessageClearsTheTable)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_XIAN, 5000)));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x01, 0x02}, {0x03, 0x04})));
    Seconds(8);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    EXPECT_EQ(board->GetChipCount(AREA_XIAN), 0u);
    EXPECT_EQ(board->GetAllBet(AREA_XIAN), 0);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(board->GetTableCard(i)->isVisible());
    EXPECT_TRUE(board->GetDealt(SIDE_XIAN).empty());
    EXPECT_FALSE(board->GetArmature(SIDE_XIAN)->isVisible());
    EXPECT_FALSE(board->GetWidget("GAME_POINT_XIAN")->isVisible());
    EXPECT_FALSE(board->GetWidget("GAME_END_FRAME")->isVisible());
    EXPECT_EQ(board->GetStatus(), GS_FREE);
}

}  // namespace

namespace {

TEST_F(BaccaratDealing, AResultSceneShowsTheCardsAsTheyStandAndRecordsNothing)
{
    CMD_S_StatusPlay scene = ResultScene(15, 0x21);
    scene.lUserAreaScore[AREA_ZHUANG] = 2000;
    scene.lUserScore = 2000;
    ASSERT_TRUE(Scene(GS_GAME_END, BytesOf(scene)));
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_GAME_END);
    EXPECT_TRUE(board->GetWidget("GAME_END_FRAME")->isVisible());
    EXPECT_TRUE(board->GetTableCard(1)->isVisible());
    EXPECT_EQ(board->GetTableCard(1)->getPosition(), BaccaratNewBoard::PlayerCardPlace(2, 1));
    EXPECT_EQ(board->GetTableCard(5)->GetCardData(), 0x21);
    EXPECT_FALSE(board->GetTableCard(2)->isVisible());
    EXPECT_FALSE(board->GetFlyingCard()->isVisible());
    EXPECT_EQ(board->LabelText("Label_result_1"), "8");
    EXPECT_TRUE(board->HasTakenPart());
    EXPECT_FALSE(board->IsRoundDealt());
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    EXPECT_TRUE(board->GetRecords().empty());
    EXPECT_FALSE(board->GetTableCard(1)->isVisible());
}

// A free scene after a result scene shows no card, result or stake of the
// round before; a betting scene that comes again does not lay its stakes
// twice.
TEST_F(BaccaratDealing, AFreeOrBettingSceneShowsNothingOfTheSceneBefore)
{
    CMD_S_StatusPlay scene = ResultScene(15);
    scene.lAllBet[AREA_XIAN] = 30000;
    scene.lUserScore = 2000;
    ASSERT_TRUE(Scene(GS_GAME_END, BytesOf(scene)));
    ASSERT_TRUE(board->GetTableCard(1)->isVisible());
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene(20))));
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(board->GetTableCard(i)->isVisible()) << i;
    EXPECT_FALSE(board->GetWidget("GAME_END_FRAME")->isVisible());
    EXPECT_EQ(board->GetAllBet(AREA_XIAN), 0);
    EXPECT_TRUE(board->GetPendingChips(AREA_XIAN).empty());
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_FREE);

    scene.cbGameStatus = GS_PLACE_BET;
    ASSERT_TRUE(Scene(GS_PLACE_BET, BytesOf(scene)));
    ASSERT_TRUE(Scene(GS_PLACE_BET, BytesOf(scene)));
    EXPECT_EQ(board->GetAllBet(AREA_XIAN), 30000);
    EXPECT_EQ(board->GetPendingChips(AREA_XIAN).size(), 3u);
}

// The same result scene again counts my won and lost areas once; a betting
// scene after it keeps none of its panels; and after a free scene a betting
// scene takes bets on its areas again.
TEST_F(BaccaratDealing, AResultOrBettingSceneAgainShowsItselfAlone)
{
    CMD_S_StatusPlay scene = ResultScene(12);
    scene.lUserAreaScore[AREA_ZHUANG] = 2000;
    scene.lUserAreaScore[AREA_XIAN] = -1000;
    scene.lUserScore = 1000;
    ASSERT_TRUE(Scene(GS_GAME_END, BytesOf(scene)));
    ASSERT_TRUE(Scene(GS_GAME_END, BytesOf(scene)));
    EXPECT_EQ(board->GetWonAreas(), 1);
    EXPECT_EQ(board->GetLostAreas(), 1);
    Seconds(2);
    ASSERT_TRUE(board->GetWidget("GAME_END")->isVisible());

    scene.cbGameStatus = GS_PLACE_BET;
    ASSERT_TRUE(Scene(GS_PLACE_BET, BytesOf(scene)));
    EXPECT_FALSE(board->GetWidget("GAME_END")->isVisible());
    EXPECT_FALSE(board->GetWidget("GAME_END_FRAME")->isVisible());
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene(20))));
    ASSERT_TRUE(Scene(GS_PLACE_BET, BytesOf(scene)));
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
        EXPECT_TRUE(board->GetAreaButton(area)->isTouchEnabled()) << area;
}

}  // namespace

namespace {

// Waiting in free time only the clock changes, once a second: only those
// frames are drawn.
TEST_F(BaccaratDealing, WaitingDrawsOnlyWhenTheClockTicks)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene(20))));
    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    director->startAnimation();
    Step(5);
    const unsigned int before = director->getDrawnFrames();
    Step(5 * 60);
    EXPECT_LE(director->getDrawnFrames() - before, 6u);
    EXPECT_GE(director->getDrawnFrames() - before, 4u);
    director->stopAnimation();
}

}  // namespace
