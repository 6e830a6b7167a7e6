// Red nine and little nine at their busiest: the eight cards show one every
// half second and the hands open while late bets keep coming in, some of
// them delayed, and their chips fly from the chip row to the areas (the
// flight is the benchmark's; the board lays the chips). One iteration is
// one frame from the deal's start: "update" times the scheduler step,
// "draw" drawing and presenting the frame until the renderer has finished.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/NineXiaoBattle/RedBoard.h"
#include "games/RedNineBattle/RedBoard.h"

using namespace cocos2d;

namespace {

const uint8_t kCards[TwoCardBanker::CARD_COUNT] = {0x0C, 0x1C, 0x02, 0x08, 0x11, 0x14, 0x29, 0x36};

// Bets of other players, chips of every value, one in four delayed.
template <class Board>
class Bettor
{
public:
    explicit Bettor(Board* board) : m_pBoard(board) {}
    void Bet()
    {
        const TwoCardBanker::TableShape& shape = m_pBoard->Shape();
        TwoCardBanker::BetPlacedMessage bet = {};
        bet.wChairID = static_cast<uint16_t>(10 + m_nCount % 40);
        bet.cbArea = static_cast<uint8_t>(1 + m_nCount % shape.areaCount);
        bet.lAmount = shape.chipValues[(m_nCount * 3) % TwoCardBanker::kChipButtons];
        bet.cbDelayed = m_nCount % 4 == 3 ? 1 : 0;
        ++m_nCount;
        const size_t before = m_pBoard->GetTableChips().size();
        m_pBoard->ShowPlacedBet(bet);
        if (m_pBoard->GetTableChips().size() == before)
            return;
        cocos2d::ui::Widget* chip = m_pBoard->GetTableChips().back();
        const CCPoint to = chip->getPosition();
        chip->setPosition(CCPoint(319 + 62.0f * (m_nCount % TwoCardBanker::kChipButtons), 164));
        chip->runAction(CCEaseOut::create(CCMoveTo::create(0.5f, to), 2.0f));
    }

private:
    Board* m_pBoard;
    int m_nCount = 0;
};

template <class Game>
typename Game::Board* BuildScene(const char* sheet)
{
    using Board = typename Game::Board;
    Board* board = boardbench::StageBoard<Board>({sheet, "ClientGame/Light.plist", "ClientGame/Cards.plist"});
    CCDirector* director = CCDirector::sharedDirector();

    typename Game::FreeMessage free = {};
    free.cbTimeLeave = 5;
    board->OnFreeMessage(free);
    typename Game::RoundStartMessage start = {};
    start.wBankerUser = 1;
    start.lBetLimit = 500000000;
    start.lUserMaxScore = 20000000;
    start.cbTimeLeave = 20;
    board->OnRoundStartMessage(start);
    Bettor<Board> bettor(board);
    for (int i = 0; i < 60; ++i)
        bettor.Bet();
    typename Game::RoundEndMessage end = {};
    end.cbTimeLeave = 25;
    std::memcpy(end.cbTableCards, kCards, sizeof(kCards));
    end.cbDealStart = 2;
    board->OnRoundEndMessage(end);
    // Up to the first card.
    director->stepFrames(60);
    return board;
}

template <class Game>
void RunDeal(benchmark::State& state, const char* sheet, bool measureDraw, int betEvery)
{
    using Board = typename Game::Board;
    Board* board = BuildScene<Game>(sheet);
    Bettor<Board> bettor(board);
    int frame = 0;
    boardbench::TimeFrames(state, measureDraw, boardbench::kNoCounters, [&] {
        if (frame++ % betEvery == 0)
            bettor.Bet();
    });
    CCDirector::sharedDirector()->reset();
}

// Each game's board and records.
struct RedNine
{
    using Board = RedNineBattle::RedBoard;
    using FreeMessage = RedNineBattle::FreeMessage;
    using RoundStartMessage = RedNineBattle::RoundStartMessage;
    using RoundEndMessage = RedNineBattle::RoundEndMessage;
};

struct NineXiao
{
    using Board = NineXiaoBattle::RedBoard;
    using FreeMessage = NineXiaoBattle::FreeMessage;
    using RoundStartMessage = NineXiaoBattle::RoundStartMessage;
    using RoundEndMessage = NineXiaoBattle::RoundEndMessage;
};

const char* const kRedNineSheet = "RedNineBattle/LiangZhangUI_1/LiangZhangUI0.plist";
const char* const kNineXiaoSheet = "NineXiaoBattle/XiaoJiu_UI_1/XiaoJiu_UI0.plist";

void BM_RedNineDealUpdate(benchmark::State& state) { RunDeal<RedNine>(state, kRedNineSheet, false, 3); }
void BM_RedNineDealDraw(benchmark::State& state) { RunDeal<RedNine>(state, kRedNineSheet, true, 3); }
// Three areas take a pile each of at most 60 chips: a bet every 6 frames
// keeps the chips flying to the end.
void BM_NineXiaoDealUpdate(benchmark::State& state) { RunDeal<NineXiao>(state, kNineXiaoSheet, false, 6); }
void BM_NineXiaoDealDraw(benchmark::State& state) { RunDeal<NineXiao>(state, kNineXiaoSheet, true, 6); }

}  // namespace

// 720 frames: the whole deal and the four openings, from the first card on.
#define TWO_CARD_BENCH(name)                                                                                           \
    BENCHMARK(name)                                                                                                    \
        ->UseManualTime()                                                                                              \
        ->Unit(benchmark::kMillisecond)                                                                                \
        ->Iterations(720)                                                                                              \
        ->Repetitions(3)                                                                                               \
        ->ReportAggregatesOnly(true)
TWO_CARD_BENCH(BM_RedNineDealUpdate);
TWO_CARD_BENCH(BM_RedNineDealDraw);
TWO_CARD_BENCH(BM_NineXiaoDealUpdate);
TWO_CARD_BENCH(BM_NineXiaoDealDraw);
