#include "games/HorseBattle/PaoMaHandler.h"

#include "core/ClientGlobal.h"
#include "games/HorseBattle/PaoMaBoard.h"
#include "games/HorseBattle/RaceCourse.h"
#include "games/common/BankerBetting.h"
#include "games/framework/GameBoard.h"

#include <cstring>
#include <memory>

namespace HorseBattle {

namespace {

const char* const kTooMuch = "下注金额超过玩家现有金额，请重新下注！";
const char* const kNotOpen = "请在下注时间进行下注！";

CourseTables CourseOf(const RaceMessage& m)
{
    CourseTables course;
    std::memcpy(course.hold, m.cbHoldCounts, sizeof(course.hold));
    std::memcpy(course.back, m.cbBackSteps, sizeof(course.back));
    std::memcpy(course.forward, m.cbForwardSteps, sizeof(course.forward));
    std::memcpy(course.steps, m.cbStepTable, sizeof(course.steps));
    return course;
}

}  // namespace

PaoMaHandler::PaoMaHandler()
{
    for (uint32_t& odds : m_dwAreaOdds)
        odds = 1;
}

PaoMaBoard* PaoMaHandler::GetPaoMaBoard() const { return dynamic_cast<PaoMaBoard*>(GetBoard()); }

bool PaoMaHandler::OnClockInfo(uint16_t, int32_t, uint32_t) { return true; }

uint16_t PaoMaHandler::MyViewChair()
{
    const uint16_t me = GetMeChairID();
    return me == INVALID_CHAIR ? INVALID_CHAIR : SwitchViewChairID(me);
}

// --- messages -----------------------------------------------------------------------------------

bool PaoMaHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    switch (sub)
    {
        case SUB_S_ROUND_START: return DeliverExact<RoundStartMessage>(data, size, this, &PaoMaHandler::OnRoundStart);
        case SUB_S_BET_END: return DeliverExact<BetEndMessage>(data, size, this, &PaoMaHandler::OnBetEnd);
        case SUB_S_RACE:
        {
            auto m = std::make_unique<RaceMessage>();
            if (!ReadExact(data, size, *m))
                return false;
            OnRace(*m);
            return true;
        }
        case SUB_S_BET_PLACED: return DeliverExact<BetPlacedMessage>(data, size, this, &PaoMaHandler::OnBetPlaced);
        case SUB_S_BET_FAILED: return DeliverExact<BetFailedMessage>(data, size, this, &PaoMaHandler::OnBetFailed);
        case SUB_S_FREE: return DeliverExact<FreeMessage>(data, size, this, &PaoMaHandler::OnFree);
        case SUB_S_EMPTY: return size == 0;
        case SUB_S_UNNAMED: return size == 64;
        default: return true;  // 105, 106 and subs outside 100..109
    }
}

void PaoMaHandler::OnRoundStart(const RoundStartMessage& m)
{
    PaoMaBoard* board = GetPaoMaBoard();
    if (board != nullptr)
    {
        // A round whose result named no pair, or one entered under way,
        // never reached the result that clears the board.
        board->ClearRound();
        board->SetGameState(PaoMaBoard::kStateBetting, static_cast<float>(m.nTimeLeave));
    }
    SetGameStatus(GS_BETTING);
    if (board != nullptr)
    {
        board->SetRoundStatus(GS_BETTING);
        board->SetMyViewChair(MyViewChair());
    }
}

void PaoMaHandler::OnBetEnd(const BetEndMessage& m)
{
    PaoMaBoard* board = GetPaoMaBoard();
    if (board != nullptr)
        board->SetGameState(PaoMaBoard::kStateLineUp, static_cast<float>(m.nTimeLeave));
    SetGameStatus(GS_LINE_UP);
    if (board != nullptr)
        board->SetRoundStatus(GS_LINE_UP);
}

void PaoMaHandler::OnRace(const RaceMessage& m)
{
    PaoMaBoard* board = GetPaoMaBoard();
    if (board != nullptr)
    {
        board->SetGameState(PaoMaBoard::kStateRace, static_cast<float>(m.nTimeLeave));
        board->SetRaceTables(CourseOf(m));
    }
    SetGameStatus(GS_RACE);
    if (board == nullptr)
        return;
    board->SetRoundStatus(GS_RACE);
    // A horse outside 0 to 5 is none: it indexes six horses and the pairs.
    board->SetRaceResult(CheckedHorse(m.cbFirstHorse), CheckedHorse(m.cbSecondHorse));
    board->SetRoundResult(games::SaturatingAdd(m.lResultPart1, m.lResultPart2));
    board->BuildRacePaths(m.nCheckpoints);
}

void PaoMaHandler::OnBetPlaced(const BetPlacedMessage& m)
{
    // My own bets were counted when I sent them.
    if (m.wChairID == GetMeChairID())
        return;
    PaoMaBoard* board = GetPaoMaBoard();
    const uint16_t view = SwitchViewChairID(m.wChairID);
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        const int64_t amount = m.lAmounts[area];
        if (board != nullptr)
            board->AddAreaBet(view, static_cast<uint8_t>(area), amount);
        m_lAllBets[area] = games::SaturatingAdd(m_lAllBets[area], amount);
    }
}

void PaoMaHandler::OnBetFailed(const BetFailedMessage& m)
{
    const bool mine = m.wChairID == GetMeChairID();
    PaoMaBoard* board = GetPaoMaBoard();
    const uint16_t view = SwitchViewChairID(m.wChairID);
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        const int64_t amount = m.lAmounts[area];
        if (mine)
        {
            m_lMyBets[area] = games::SaturatingSub(m_lMyBets[area], amount);
            m_lAllBets[area] = games::SaturatingSub(m_lAllBets[area], amount);
        }
        if (board != nullptr)
            board->AddAreaBet(view, static_cast<uint8_t>(area), games::SaturatingSub(0, amount));
    }
    if (!mine)
        return;
    CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK(m.cbReason == 0 ? kNotOpen : kTooMuch));
    if (board != nullptr)
        board->ResetAreaButtons();
}

void PaoMaHandler::OnFree(const FreeMessage& m)
{
    PaoMaBoard* board = GetPaoMaBoard();
    if (board != nullptr)
    {
        // The board's bets go with the handler's, before the free table
        // shows: only a result would clear them otherwise. The result forgot
        // my seat; without it my panel would keep the last round's sums.
        board->ClearRound();
        board->SetMyViewChair(MyViewChair());
        board->SetGameState(PaoMaBoard::kStateFree, static_cast<float>(m.nTimeLeave));
        board->AddRoundToHistory(m.record);
    }
    std::memcpy(m_dwAreaOdds, m.dwOdds, sizeof(m_dwAreaOdds));
    if (board != nullptr)
        board->SetAreaOdds(m_dwAreaOdds);
    SetGameStatus(GS_FREE);
    if (board != nullptr)
        board->SetRoundStatus(GS_FREE);
    ClearBets();
}

void PaoMaHandler::ClearBets()
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        m_lMyBets[area] = 0;
        m_lAllBets[area] = 0;
    }
}

// --- scenes -------------------------------------------------------------------------------------

bool PaoMaHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    PaoMaBoard* board = GetPaoMaBoard();
    switch (gameStatus)
    {
        case GS_FREE:
        {
            FreeScene s;
            if (!ReadExact(data, size, s))
                return false;
            SetGameStatus(GS_FREE);
            if (board != nullptr)
            {
                board->ClearRound();
                board->SetRoundStatus(GS_FREE);
                board->SetMyViewChair(MyViewChair());
                board->SetGameState(PaoMaBoard::kStateFreeScene, static_cast<float>(s.head.nTimeLeave));
                // The odds go to the board only.
                uint32_t odds[AREA_COUNT];
                std::memcpy(odds, s.head.dwOdds, sizeof(odds));
                board->SetAreaOdds(odds);
            }
            RestoreHistory(board, s.head);
            m_lAreaLimit = s.lAreaLimit;
            m_lUserAreaLimit = s.lUserAreaLimit;
            if (board != nullptr)
                board->ResetRace();
            ClearBets();
            return true;
        }
        case GS_BETTING:
        {
            auto s = std::make_unique<BettingScene>();
            if (!ReadExact(data, size, *s))
                return false;
            SetScene(board, GS_BETTING, PaoMaBoard::kStateBetting, s->head);
            RestoreHistory(board, s->head);
            RestoreBets(board, s->lMyBets, s->lAllBets);
            m_lAreaLimit = s->lAreaLimit;
            m_lUserAreaLimit = s->lUserAreaLimit;
            return true;
        }
        case GS_LINE_UP:
        {
            auto s = std::make_unique<LineUpScene>();
            if (!ReadExact(data, size, *s))
                return false;
            SetScene(board, GS_LINE_UP, PaoMaBoard::kStateLineUp, s->head);
            RestoreHistory(board, s->head);
            RestoreBets(board, s->lMyBets, s->lAllBets);
            m_lAreaLimit = s->lAreaLimit;
            m_lUserAreaLimit = s->lUserAreaLimit;
            return true;
        }
        case GS_RACE:
        {
            auto s = std::make_unique<RaceScene>();
            if (!ReadExact(data, size, *s))
                return false;
            // A race under way is not played again: the table shows free time.
            SetScene(board, GS_RACE, PaoMaBoard::kStateFreeScene, s->head);
            if (board != nullptr)
            {
                board->SetRaceResult(CheckedHorse(s->cbFirstHorse), CheckedHorse(s->cbSecondHorse));
                board->SetRoundResult(games::SaturatingAdd(s->lResultPart1, s->lResultPart2));
            }
            RestoreHistory(board, s->head);
            RestoreBets(board, s->lMyBets, s->lAllBets);
            m_lAreaLimit = s->lAreaLimit;
            m_lUserAreaLimit = s->lUserAreaLimit;
            return true;
        }
        default: return false;
    }
}

void PaoMaHandler::SetScene(PaoMaBoard* board, uint8_t status, int boardState, const SceneHead& head)
{
    SetGameStatus(status);
    std::memcpy(m_dwAreaOdds, head.dwOdds, sizeof(m_dwAreaOdds));
    if (board == nullptr)
        return;
    // The scene is the whole round: an area I bet on in the last one keeps
    // no amount, lit button or result of it.
    board->ClearRound();
    board->SetRoundStatus(status);
    board->SetMyViewChair(MyViewChair());
    board->SetGameState(boardState, static_cast<float>(head.nTimeLeave));
    board->SetAreaOdds(m_dwAreaOdds);
}

void PaoMaHandler::RestoreHistory(PaoMaBoard* board, const SceneHead& head)
{
    if (board == nullptr)
        return;
    board->ClearHistory();
    for (const RaceRecord& record : head.history)
    {
        if (record.dwRound != 0)
            board->AppendHistory(record);
    }
}

void PaoMaHandler::RestoreBets(PaoMaBoard* board, const int64_t myBets[AREA_COUNT], const int64_t allBets[AREA_COUNT])
{
    std::memcpy(m_lMyBets, myBets, sizeof(m_lMyBets));
    const uint16_t me = MyViewChair();
    if (board != nullptr)
    {
        // Onto a round cleared by SetScene: a table restored twice does not
        // add the amounts up.
        for (int area = 0; area < AREA_COUNT; ++area)
            board->AddAreaBet(me, static_cast<uint8_t>(area), m_lMyBets[area]);
    }
    std::memcpy(m_lAllBets, allBets, sizeof(m_lAllBets));
    if (board != nullptr)
    {
        for (int area = 0; area < AREA_COUNT; ++area)
            board->SetAreaTotal(static_cast<uint8_t>(area), m_lAllBets[area]);
    }
}

// --- my bets ------------------------------------------------------------------------------------

int64_t PaoMaHandler::GetMaxBet(uint8_t area)
{
    const uint16_t me = GetMeChairID();
    const tagUserData* user = me == INVALID_CHAIR ? nullptr : GetTableUserData(me);
    return MaxBet(user != nullptr, user != nullptr ? user->lScore : 0, m_lMyBets, m_lAllBets, m_lAreaLimit,
                  m_lUserAreaLimit, area);
}

bool PaoMaHandler::SendBets(const int64_t bets[AREA_COUNT])
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (bets[area] > GetMaxBet(static_cast<uint8_t>(area)))
        {
            CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK(kTooMuch));
            return false;
        }
    }
    BetRequest request;
    std::memcpy(request.lAmounts, bets, sizeof(request.lAmounts));
    SendGameData(SUB_C_BET, &request, sizeof(request));
    PaoMaBoard* board = GetPaoMaBoard();
    const uint16_t me = MyViewChair();
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (board != nullptr)
            board->AddAreaBet(me, static_cast<uint8_t>(area), bets[area]);
        m_lMyBets[area] = games::SaturatingAdd(m_lMyBets[area], bets[area]);
        m_lAllBets[area] = games::SaturatingAdd(m_lAllBets[area], bets[area]);
    }
    return true;
}

bool PaoMaHandler::OnChairNotice(uint16_t chair, const void* data, uint16_t sub)
{
    if (sub < SUB_S_ROUND_START || sub > SUB_S_BET_PLACED || data != nullptr || chair != GetMeChairID())
        return true;
    if (sub == SUB_S_RACE)
    {
        if (PaoMaBoard* board = GetPaoMaBoard())
            board->SetChip(0);
    }
    return false;
}

}  // namespace HorseBattle
