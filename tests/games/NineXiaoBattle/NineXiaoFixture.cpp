#include "NineXiaoFixture.h"

using namespace NineXiaoBattle;

namespace nxtest {

void SetResults(int32_t* results, int32_t area1, int32_t area2, int32_t area3)
{
    const int32_t values[AREA_COUNT] = {area1, area2, area3};
    std::memcpy(results, values, sizeof(values));
}

Bytes Free(uint8_t seconds) { return BytesOf(FreeMessage{seconds}); }

Bytes Start(uint16_t banker, int64_t betLimit, int64_t myLimit, uint8_t seconds)
{
    return tcbtest::StartOf<RoundStartMessage>(banker, betLimit, myLimit, seconds);
}

RoundEndMessage EndRecord(uint8_t seconds, int64_t myScore)
{
    RoundEndMessage m = {};
    banktest::FillRoundEnd(m, seconds, myScore);
    std::memcpy(m.cbTableCards, kRoundCards, sizeof(kRoundCards));
    m.cbDealStart = 6;  // hand 2
    SetResults(m.nAreaResults, AREA_WON, AREA_LOST, AREA_TIED);
    return m;
}

Bytes End(uint8_t seconds, int64_t myScore) { return BytesOf(EndRecord(seconds, myScore)); }

Bytes Records(const std::vector<std::vector<int32_t>>& results)
{
    Bytes out;
    for (const std::vector<int32_t>& record : results)
    {
        RoundRecord r = {};
        SetResults(r.nAreaResults, record.at(0), record.at(1), record.at(2));
        const Bytes bytes = BytesOf(r);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker)
{
    PlayScene s = {};
    const int64_t all[AREA_COUNT] = {11500000, 20000, 1000};
    const int64_t mine[AREA_COUNT] = {10000, 0, 1000};
    std::memcpy(s.lAllBets, all, sizeof(all));
    std::memcpy(s.lMyBets, mine, sizeof(mine));
    std::memcpy(s.cbTableCards, kRoundCards, sizeof(kRoundCards));
    banktest::FillPlayScene(s, seconds, banker);
    SetResults(s.nAreaResults, AREA_LOST, AREA_WON, AREA_LOST);
    return s;
}

void NineXiaoTest::SetUp()
{
    TwoCardTest::SetUp();
    EnterGame(NineXiaoBattle::kGameKind);
    board = dynamic_cast<RedBoard*>(base);
    ASSERT_NE(board, nullptr);
}

void NineXiaoTest::StartBetting(uint16_t banker, int64_t betLimit, int64_t myLimit)
{
    ChangeBankerMessage change = {};
    change.wBankerUser = banker;
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, BytesOf(change)));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, betLimit, myLimit, 20)));
    Step();
}

}  // namespace nxtest
