#include "OxFixture.h"

#include "games/framework/KernelMessages.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace OxBattle;
using namespace Sexy;

namespace oxtest {

const uint8_t kRoundCards[HAND_COUNT][CARDS_PER_HAND] = {
    {0x37, 0x28, 0x15, 0x02, 0x39}, {0x2D, 0x1C, 0x0B, 0x3A, 0x2A}, {0x09, 0x18, 0x26, 0x34, 0x21},
    {0x13, 0x27, 0x3D, 0x06, 0x12}, {0x41, 0x1A, 0x2B, 0x03, 0x14},
};

Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds)
{
    RoundStartMessage m = {};
    m.wBankerUser = banker;
    m.lBankerScore = bankerScore;
    m.lUserMaxScore = myLimit;
    m.cbTimeLeave = seconds;
    return BytesOf(m);
}

RoundEndMessage EndRecord(uint8_t seconds, uint8_t die1, uint8_t die2, int64_t myScore)
{
    RoundEndMessage m = {};
    banktest::FillRoundEnd(m, seconds, myScore);
    std::memcpy(m.cbTableCards, kRoundCards, sizeof(kRoundCards));
    m.cbDice[0] = die1;
    m.cbDice[1] = die2;
    return m;
}

Bytes End(uint8_t seconds, uint8_t die1, uint8_t die2, int64_t myScore)
{
    return BytesOf(EndRecord(seconds, die1, die2, myScore));
}

Bytes Records(const std::vector<std::vector<uint8_t>>& won)
{
    Bytes out;
    for (const std::vector<uint8_t>& record : won)
    {
        for (int area = 0; area < AREA_COUNT; ++area)
            out.push_back(area < static_cast<int>(record.size()) ? record[area] : 0);
    }
    return out;
}

FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t condition)
{
    FreeScene s = {};
    banktest::FillFreeScene(s, seconds, banker, condition);
    s.lKeptAmount = 77;
    return s;
}

PlayScene PlaySceneRecord(uint8_t status, uint8_t seconds, uint16_t banker)
{
    PlayScene s = {};
    const int64_t all[] = {0, 1611150, 20000, 0, 5000000};
    const int64_t mine[] = {0, 10000, 0, 0, 100};
    for (int i = 0; i <= AREA_COUNT; ++i)
    {
        s.lAllBets[i] = all[i];
        s.lMyBets[i] = mine[i];
    }
    banktest::FillPlayScene(s, seconds, banker);
    s.lKeptAmount = 88;
    std::memcpy(s.cbTableCards, kRoundCards, sizeof(kRoundCards));
    s.cbDice[0] = 3;
    s.cbDice[1] = 5;
    s.cbGameStatus = status;
    return s;
}

void OxTest::SetUp()
{
    BankerTableTest::SetUp();
    RegisterGameKind(OxBattle::kGameKind);
    OpenTable(OxBattleMobile::kKindID);
    board = dynamic_cast<OXBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    ox = OxBattleMobile::GetHandler();
    ASSERT_NE(ox, nullptr);
    SitDown();
}

void OxTest::StartBetting(uint16_t banker)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, 50000000, 2000000, 20)));
    Step();
}

}  // namespace oxtest
