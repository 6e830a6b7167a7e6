#include "HorseFixture.h"

#include "core/ClientGlobal.h"
#include "games/framework/KernelMessages.h"

#include <cstring>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace HorseBattle;
using namespace Sexy;

namespace hbtest {

namespace {

std::vector<std::string> s_notices;

void CaptureNotice(const std::string& gbk) { s_notices.push_back(CClientGlobal::GBKToUTF8(gbk)); }

}  // namespace

Bytes RoundStart(int32_t seconds)
{
    HorseBattle::RoundStartMessage m = {};
    m.nTimeLeave = seconds;
    return BytesOf(m);
}

Bytes BetEnd(int32_t seconds) { return BytesOf(BetEndMessage{seconds}); }

std::unique_ptr<RaceMessage> RaceRecord(int32_t seconds, uint8_t first, uint8_t second)
{
    auto m = std::make_unique<RaceMessage>();
    std::memset(m.get(), 0, sizeof(RaceMessage));
    m->nTimeLeave = seconds;
    // The first and second lead at the end of the course, as a server's do.
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        const int32_t last = h == first ? 330 : h == second ? 310 : 150 + 20 * h;
        for (int s = 0; s < CHECKPOINTS; ++s)
            m->nCheckpoints[h][s] = last;
    }
    m->cbFirstHorse = first;
    m->cbSecondHorse = second;
    m->lResultPart1 = 900000;
    m->lResultPart2 = 50000;
    return m;
}

Bytes Race(int32_t seconds, uint8_t first, uint8_t second) { return BytesOf(*RaceRecord(seconds, first, second)); }

Bytes BetPlaced(uint16_t chair, int area, int64_t amount)
{
    BetPlacedMessage m = {};
    m.wChairID = chair;
    m.lAmounts[area] = amount;
    return BytesOf(m);
}

Bytes BetFailed(uint16_t chair, uint8_t reason, int area, int64_t amount)
{
    BetFailedMessage m = {};
    m.wChairID = chair;
    m.cbReason = reason;
    m.lAmounts[area] = amount;
    return BytesOf(m);
}

Bytes Free(int32_t seconds, uint32_t round, uint32_t winArea, uint32_t odds)
{
    FreeMessage m = {};
    m.nTimeLeave = seconds;
    m.record.dwRound = round;
    m.record.dwWinArea = winArea;
    m.record.dwOdds = odds;
    for (int area = 0; area < AREA_COUNT; ++area)
        m.dwOdds[area] = 2 + area;
    return BytesOf(m);
}

SceneHead SceneHeadOf(int32_t seconds, int records)
{
    SceneHead head = {};
    head.nTimeLeave = seconds;
    for (int area = 0; area < AREA_COUNT; ++area)
        head.dwOdds[area] = 10 + area;
    for (int i = 0; i < records && i < HISTORY_KEPT; ++i)
    {
        head.history[i].dwRound = static_cast<uint32_t>(100 + i);
        head.history[i].dwWinArea = static_cast<uint32_t>(i % AREA_COUNT);
        head.history[i].dwOdds = static_cast<uint32_t>(3 + i);
    }
    return head;
}

std::unique_ptr<FreeScene> FreeSceneRecord(int32_t seconds, int records)
{
    auto s = std::make_unique<FreeScene>();
    std::memset(s.get(), 0, sizeof(FreeScene));
    s->head = SceneHeadOf(seconds, records);
    s->lAreaLimit = 100000000;
    s->lUserAreaLimit = 5000000;
    return s;
}

template <typename Scene>
void FillBets(Scene& s)
{
    s.lMyBets[4] = 50000;
    s.lAllBets[4] = 1250000;
    s.lAllBets[0] = 990000;
    s.lAreaLimit = 100000000;
    s.lUserAreaLimit = 5000000;
}

std::unique_ptr<BettingScene> BettingSceneRecord(int32_t seconds)
{
    auto s = std::make_unique<BettingScene>();
    std::memset(s.get(), 0, sizeof(BettingScene));
    s->head = SceneHeadOf(seconds, 4);
    FillBets(*s);
    return s;
}

std::unique_ptr<LineUpScene> LineUpSceneRecord(int32_t seconds)
{
    auto s = std::make_unique<LineUpScene>();
    std::memset(s.get(), 0, sizeof(LineUpScene));
    s->head = SceneHeadOf(seconds, 5);
    FillBets(*s);
    return s;
}

std::unique_ptr<RaceScene> RaceSceneRecord(int32_t seconds, uint8_t first, uint8_t second)
{
    auto s = std::make_unique<RaceScene>();
    std::memset(s.get(), 0, sizeof(RaceScene));
    s->head = SceneHeadOf(seconds, 6);
    FillBets(*s);
    s->lResultPart1 = -40000;
    s->lResultPart2 = -10000;
    s->cbFirstHorse = first;
    s->cbSecondHorse = second;
    return s;
}

void HorseTest::SetUp()
{
    BankerTableTest::SetUp();
    s_notices.clear();
    CClientGlobal::SetMessageBoxHandler(&CaptureNotice);
    RegisterGameKind(HorseBattle::kGameKind);
    OpenTable(HorseBattleMobile::kKindID);
    board = dynamic_cast<PaoMaBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    hb = HorseBattleMobile::GetHandler();
    ASSERT_NE(hb, nullptr);
    SitDown();
}

void HorseTest::TearDown()
{
    CClientGlobal::SetMessageBoxHandler(nullptr);
    BankerTableTest::TearDown();
}

void HorseTest::OpenBetting(int64_t areaLimit, int64_t userAreaLimit)
{
    auto scene = FreeSceneRecord(5);
    scene->lAreaLimit = areaLimit;
    scene->lUserAreaLimit = userAreaLimit;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*scene)));
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    Step();
}

std::vector<int64_t> HorseTest::LastRequest() const
{
    const auto sent = SentGame();
    if (sent.empty() || sent.back().second.size() != sizeof(BetRequest))
        return {};
    BetRequest request;
    std::memcpy(&request, sent.back().second.data(), sizeof(request));
    return std::vector<int64_t>(request.lAmounts, request.lAmounts + AREA_COUNT);
}

std::vector<std::string> HorseTest::Notices() const { return s_notices; }

}  // namespace hbtest
