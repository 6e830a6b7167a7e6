#include "RedNineFixture.h"

using namespace RedNineBattle;

namespace rntest {

void SetResult(int32_t* results, int index, int32_t value)
{
    std::memcpy(reinterpret_cast<uint8_t*>(results) + 4 * index, &value, sizeof(value));
}

Bytes Free(uint8_t seconds, uint16_t banker)
{
    FreeMessage m = {};
    m.cbTimeLeave = seconds;
    m.wBankerUser = banker;
    return BytesOf(m);
}

Bytes Start(uint16_t banker, int64_t betLimit, int64_t myLimit, uint8_t seconds)
{
    return tcbtest::StartOf<RoundStartMessage>(banker, betLimit, myLimit, seconds);
}

RoundEndMessage EndRecord(uint8_t seconds, uint16_t banker, int64_t myScore)
{
    RoundEndMessage m = {};
    m.cbTimeLeave = seconds;
    std::memcpy(m.cbTableCards, kRoundCards, sizeof(kRoundCards));
    m.cbDealStart = 6;  // hand 2
    m.wBankerUser = banker;
    m.lSecondAmount = -1210000;
    m.lBankerTotalResult = -3400000;
    m.wBankerTimes = 3;
    m.lMyScore = myScore;
    m.lThirdAmount = 110000;
    SetResult(m.nResults, kDoorResultIndex[2], -1);
    return m;
}

Bytes End(uint8_t seconds, uint16_t banker, int64_t myScore) { return BytesOf(EndRecord(seconds, banker, myScore)); }

Bytes Records(const std::vector<std::vector<uint8_t>>& doors)
{
    Bytes out;
    for (const std::vector<uint8_t>& record : doors)
    {
        for (size_t door = 0; door < 3; ++door)
            out.push_back(door < record.size() ? record[door] : 0);
    }
    return out;
}

PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker)
{
    PlayScene s = {};
    const int64_t all[AREA_COUNT] = {1601100, 20000, 0, 5000000, 100, 500000};
    const int64_t mine[AREA_COUNT] = {10000, 0, 0, 0, 100, 0};
    for (int i = 0; i < AREA_COUNT; ++i)
    {
        s.lAllBets[i] = all[i];
        s.lMyBets[i] = mine[i];
    }
    std::memcpy(s.cbTableCards, kRoundCards, sizeof(kRoundCards));
    banktest::FillPlayScene(s, seconds, banker);
    SetResult(s.nResults, kDoorResultIndex[1], -1);
    return s;
}

void RedNineTest::SetUp()
{
    TwoCardTest::SetUp();
    EnterGame(RedNineBattle::kGameKind);
    board = dynamic_cast<RedBoard*>(base);
    ASSERT_NE(board, nullptr);
}

void RedNineTest::StartBetting(uint16_t banker, int64_t betLimit, int64_t myLimit)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5, banker)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, betLimit, myLimit, 20)));
    Step();
}

}  // namespace rntest
