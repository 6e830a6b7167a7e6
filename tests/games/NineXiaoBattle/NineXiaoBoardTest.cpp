// The little-nine round on the board.
#include "NineXiaoFixture.h"

#include <gtest/gtest.h>

using namespace cocos2d;
using namespace NineXiaoBattle;
using namespace nxtest;

namespace {

class NineXiaoRound : public NineXiaoTest
{};

TEST_F(NineXiaoRound, AWholeRoundLooksRight)
{
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records({{1, -1, 0}, {-1, -1, -1}, {1, 1, 2}})));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 10000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 2, 1000000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, 3, 10000000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 3, 500000)));
    Step(10);
    SaveScreen("ninexiao_betting");
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    Seconds(14);
    SaveScreen("ninexiao_result");
}

}  // namespace
