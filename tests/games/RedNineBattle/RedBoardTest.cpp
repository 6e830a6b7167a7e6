// The red-nine round on the board: betting by clicks, the chips a player may
// use, the chips and totals on the areas, the deal, the opening of the hands
// and the result, the records, the banker box and queue.
#include "RedNineFixture.h"

#include "games/framework/CardSprite.h"

#include <gtest/gtest.h>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace RedNineBattle;
using namespace rntest;

namespace {

class RedRound : public RedNineTest
{};

TEST_F(RedRound, AWholeRoundLooksRight)
{
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records({{1, 0, 1}, {0, 0, 0}, {1, 1, 1}})));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 10000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 4, 1000000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, 2, 100)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 5, 500000)));
    Step(10);
    SaveScreen("rednine_betting");
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    Seconds(4);
    SaveScreen("rednine_dealing");
    Seconds(10);
    SaveScreen("rednine_result");
}

}  // namespace
