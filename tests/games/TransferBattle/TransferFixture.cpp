#include "TransferFixture.h"

#include "games/framework/KernelMessages.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace TransferBattle;
using namespace Sexy;

namespace tbtest {

Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds, int64_t minimum)
{
    RoundStartMessage m = {};
    m.wBankerUser = banker;
    m.lBankerScore = bankerScore;
    m.lUserMaxScore = myLimit;
    m.cbTimeLeave = seconds;
    m.lApplyBankerCondition = minimum;
    return BytesOf(m);
}

RoundEndMessage EndRecord(uint8_t seconds, uint8_t slot)
{
    RoundEndMessage m = {};
    banktest::FillRoundEnd(m, seconds, 900000);
    m.cbWinSlot = slot;
    return m;
}

Bytes End(uint8_t seconds, uint8_t slot) { return BytesOf(EndRecord(seconds, slot)); }

FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t minimum)
{
    FreeScene s = {};
    banktest::FillFreeScene(s, seconds, banker, minimum);
    s.lBankerScore = 99;
    return s;
}

PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker)
{
    PlayScene s = {};
    const int64_t all[] = {77, 1611150, 20000, 0, 5000000, 0, 0, 100, -5};
    const int64_t mine[] = {77, 10000, 0, 0, 100, 0, 0, 0, -5};
    for (int i = 0; i <= AREA_COUNT; ++i)
    {
        s.lAllBets[i] = all[i];
        s.lMyBets[i] = mine[i];
    }
    banktest::FillPlayScene(s, seconds, banker);
    return s;
}

void TransferTest::SetUp()
{
    BankerTableTest::SetUp();
    RegisterGameKind(TransferBattle::kGameKind);
    OpenTable(TransferBattleMobile::kKindID);
    board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    tb = TransferBattleMobile::GetHandler();
    ASSERT_NE(tb, nullptr);
    SitDown();
}

void TransferTest::StartBetting(uint16_t banker)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, 50000000, 2000000, 20)));
    Step();
}

std::vector<int> TransferTest::QueueRows() const
{
    std::vector<int> out;
    ListView* queue = board->GetBankerList();
    for (unsigned int i = 0; queue != nullptr && queue->getItem(i) != nullptr; ++i)
        out.push_back(queue->getItem(i)->getTag());
    return out;
}

}  // namespace tbtest
