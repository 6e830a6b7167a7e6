// The round as the server's messages and scenes drive it: free time,
// betting, the result, the banker queue and the records.
#include "games/BaccaratNew/BaccaratNewBoard.h"

#include "games/BaccaratNew/BaccaratNewHandler.h"
#include "games/BaccaratNew/BaccaratNewMobile.h"
#include "ui/VisibleRect.h"

#include <cstring>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace BaccaratNew {

namespace {

const CCPoint kPlayerTarget(410, 310);

// The chair's first entry leaves the queue (a chair that applied twice
// stands in it twice); whether one went.
bool RemoveFirst(games::BankerQueue& queue, uint16_t chair)
{
    bool gone = false;
    return queue.RemoveIf([&gone, chair](uint16_t queued) {
               if (gone || queued != chair)
                   return false;
               gone = true;
               return true;
           }) > 0;
}

}  // namespace

void BaccaratNewBoard::OnGameFree(const CMD_S_GameFree& message)
{
    BaccaratNewHandler* handler = Handler();
    if (handler != nullptr)
    {
        handler->SetGameClock(MyChair(), IDI_FREE, message.cbTimeLeave);
        handler->SetGameStatus(GS_FREE);
    }
    m_cbStatus = GS_FREE;
    m_Bets.Clear();
    std::memset(m_lMyAreaResults, 0, sizeof(m_lMyAreaResults));
    ForgetRoundCounts();

    FinishRound();
    ClearTable();
    UpdateControls();
    OnRButtonUp();
    PutRoundAway(false);

    ShowScoreInfo();
    ShowBankerInfo();
    ShowSelfInfo();
    ShowRecordTotals();
    Widget* chart = GetWidget("Image_CHART");
    if (chart != nullptr && chart->isVisible())
    {
        RefreshCharts();
        ShowChartStats();
    }
    ShowBigRoad();
    ShowRecordStrip();
}

void BaccaratNewBoard::PutRoundAway(bool onlyShown)
{
    HideAreaFrames();
    SetAreasEnabled(false);
    const struct
    {
        const char* name;
        float x, above;
    } panels[] = {{"GAME_END_FRAME", 513, 1300}, {"GAME_END", 511, 1300}, {"BET_TIP", 511, 900}};
    for (const auto& panel : panels)
    {
        // A panel put away waits above the top of the view; one on its way
        // in is shown already.
        Widget* widget = GetWidget(panel.name);
        const bool shown = widget != nullptr && widget->isVisible() &&
                           (widget->getPositionY() < VisibleRect::top().y || widget->numberOfRunningActions() > 0);
        if (!onlyShown || shown)
            MoveAway(panel.name, panel.x, panel.above);
    }
}

void BaccaratNewBoard::OnGameStart(const CMD_S_GameStart& message)
{
    m_lMyAllowance = message.lUserMaxScore;
    m_lMyBankerScore = message.lUserBankerScore;
    m_wBankerChair = message.wBankerUser;
    m_lBankerScore = message.lBankerScore;
    BaccaratNewHandler* handler = Handler();
    if (handler != nullptr)
    {
        handler->SetGameClock(MyChair(), IDI_PLACE_BET, message.cbTimeLeave);
        handler->SetGameStatus(GS_PLACE_BET);
    }
    m_cbStatus = GS_PLACE_BET;
    ForgetRoundCounts();
    UpdateControls();
    PlaySound("BaccaratNew/music/GAME_START");

    CloseCharts();
    HideAreaFrames();
    SetAreasEnabled(true);
    MoveAway("GAME_END_FRAME", 513, 1300);
    MoveAway("GAME_END", 511, 1300);
    ShowWidget("BET_TIP", CCPoint(511, VisibleRect::top().y - 20));
}

void BaccaratNewBoard::OnPlaceBet(const CMD_S_PlaceBet& message)
{
    if (IsMyChair(message.wChairID))
    {
        // My own bet was counted when it was sent.
        UpdateControls();
    }
    else
    {
        m_Bets.Add(message.cbBetArea + 1, message.lBetScore, false);
        AddChips(message.cbBetArea, message.lBetScore);
        PlaySound(message.lBetScore == 10000000 ? "BaccaratNew/music/ADD_GOLD_EX" : "BaccaratNew/music/ADD_GOLD");
    }
    ShowChips();
    ShowScoreInfo();
}

void BaccaratNewBoard::CountAreaResults(const int64_t (&results)[AREA_COUNT])
{
    // A round counts once: its result shown again replaces what it counted.
    m_nWonAreas -= m_nRoundWon;
    m_nLostAreas -= m_nRoundLost;
    m_nRoundWon = 0;
    m_nRoundLost = 0;
    for (int64_t result : results)
    {
        if (result > 0)
            ++m_nRoundWon;
        else if (result < 0)
            ++m_nRoundLost;
    }
    m_nWonAreas += m_nRoundWon;
    m_nLostAreas += m_nRoundLost;
}

void BaccaratNewBoard::ForgetRoundCounts()
{
    m_nRoundWon = 0;
    m_nRoundLost = 0;
}

void BaccaratNewBoard::SetBankerFromScene(uint16_t chair)
{
    const bool wasMe = IsMeBanker();
    m_wBankerChair = chair;
    // The banker is in no queue: restored as banker I hold what a change of
    // banker gives me, the cancel; no longer banker, my place in the queue
    // says.
    if (IsMeBanker())
        m_bApplied = true;
    else if (wasMe)
        m_bApplied = m_Queue.Contains(MyChair());
}

void BaccaratNewBoard::SetRoundResults(const int64_t (&results)[AREA_COUNT], int64_t total)
{
    std::memcpy(m_lMyAreaResults, results, sizeof(m_lMyAreaResults));
    m_lMyRoundTotal = total;
    CountAreaResults(results);
}

void BaccaratNewBoard::OnGameEnd(const CMD_S_GameEnd& message)
{
    BaccaratNewHandler* handler = Handler();
    if (handler != nullptr)
        handler->SetGameClock(MyChair(), IDI_GAME_END, message.cbTimeLeave);
    SetCards(message.cbCardCount, message.cbTableCardArray);
    // The banker's winnings wait for the round's close.
    m_lBankerWinKept = message.lBankerTotallScore;
    m_wBankerRounds = message.wBankerTime;
    int64_t results[AREA_COUNT];
    std::memcpy(results, message.lUserAreaScore, sizeof(results));
    SetRoundResults(results, message.lUserScore);
    if (handler != nullptr)
        handler->SetGameStatus(GS_GAME_END);
    m_cbStatus = GS_GAME_END;
    UpdateControls();

    Widget* chart = GetWidget("Image_CHART");
    if (chart != nullptr && chart->isVisible())
    {
        RefreshCharts();
        ShowChartStats();
    }
    ShowBigRoad();
    ShowRecordStrip();
    CloseCharts();
    OnRButtonUp();

    HideAreaFrames();
    SetAreasEnabled(false);
    ShowWidget("GAME_END_FRAME", CCPoint(513, 346));
    MoveAway("GAME_END", 511, 1300);
    MoveAway("BET_TIP", 511, 1300);

    if (m_cbCardCount[SIDE_XIAN] != 0 && m_cbCardCount[SIDE_ZHUANG] != 0)
    {
        m_bRoundDealt = true;
        DealCard(m_nDealStep, kPlayerTarget);
    }
}

void BaccaratNewBoard::OnApplyBanker(const CMD_S_ApplyBanker& message)
{
    const uint16_t chair = message.wApplyUser;
    if (UserAt(chair) == nullptr)
        return;
    if (chair != m_wBankerChair)
    {
        m_Queue.Add(chair);
        RefreshBankerList();
    }
    if (IsMyChair(chair))
        m_bApplied = true;
    UpdateControls();
}

void BaccaratNewBoard::OnChangeBanker(const CMD_S_ChangeBanker& message)
{
    const uint16_t me = MyChair();
    m_bApplied = m_wBankerChair != me && message.wBankerUser == me && me != INVALID_CHAIR;
    m_wBankerChair = message.wBankerUser;
    m_lBankerScore = message.lBankerScore;
    m_lBankerWin = 0;
    m_wBankerRounds = 0;
    if (m_wBankerChair != INVALID_CHAIR && RemoveFirst(m_Queue, m_wBankerChair))
        RefreshBankerList();
    UpdateControls();
    ShowBankerInfo();
}

void BaccaratNewBoard::OnPlaceBetFail(const CMD_S_PlaceBetFail& message)
{
    if (IsMyChair(message.wPlaceUser))
        m_Bets.Add(message.lBetArea + 1, games::SaturatingSub(0, message.lPlaceScore), true);
    ShowChips();
}

void BaccaratNewBoard::OnCancelBanker(const CMD_S_CancelBanker& message)
{
    if (RemoveFirst(m_Queue, message.wCancelUser))
        RefreshBankerList();
    if (IsMyChair(message.wCancelUser))
        m_bApplied = false;
    UpdateControls();
}

void BaccaratNewBoard::OnSceneFree(const CMD_S_StatusFree& scene)
{
    // A free table shows nothing of a round a scene restored before it.
    ClearTable();
    PutRoundAway(true);
    m_cbStatus = GS_FREE;
    ForgetRoundCounts();
    if (BaccaratNewHandler* handler = Handler())
        handler->SetGameClock(MyChair(), IDI_FREE, scene.cbTimeLeave);
    m_lMyBankerScore = scene.lUserBankerScore;
    SetBankerFromScene(scene.wBankerUser);
    m_lBankerScore = scene.lBankerScore;
    m_lBankerWin = scene.lBankerWinScore;
    m_wBankerRounds = scene.wBankerTime;
    m_bSystemBanker = scene.bEnableSysBanker == 1;
    m_lBankerCondition = scene.lApplyBankerCondition;
    m_lAreaLimit = scene.lAreaLimitScore;
    m_lMyAllowance = 0;
    if (Widget* chart = GetWidget("Image_CHART"))
    {
        chart->setVisible(false);
        chart->setPosition(CCPoint(VisibleRect::center().x, VisibleRect::top().y + 500));
    }
    UpdateControls();
    ShowScoreInfo();
    ShowBankerInfo();
    ShowSelfInfo();
    ShowRecordTotals();
    ShowBigRoad();
    ShowRecordStrip();
}

void BaccaratNewBoard::OnScenePlay(uint8_t gameStatus, const CMD_S_StatusPlay& scene)
{
    (void)gameStatus;
    // The scene's stakes and cards are the whole table: a scene before it
    // must not add its own, nor leave its result panels or closed areas.
    ClearTable();
    PutRoundAway(true);
    SetAreasEnabled(scene.cbGameStatus == GS_PLACE_BET);
    m_cbStatus = scene.cbGameStatus;
    if (scene.cbGameStatus != GS_GAME_END)
        ForgetRoundCounts();
    if (BaccaratNewHandler* handler = Handler())
        handler->SetGameClock(MyChair(), scene.cbGameStatus == GS_GAME_END ? IDI_GAME_END : IDI_PLACE_BET,
                              scene.cbTimeLeave);
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
        m_Bets.Set(area + 1, scene.lAllBet[area], scene.lUserBet[area]);
    std::memcpy(m_lMyAreaResults, scene.lUserAreaScore, sizeof(m_lMyAreaResults));
    m_lMyAllowance = scene.lUserMaxScore;
    m_lMyBankerScore = scene.lUserBankerScore;
    SetBankerFromScene(scene.wBankerUser);
    m_lBankerScore = scene.lBankerScore;
    m_lBankerWin = scene.lBankerWinScore;
    m_wBankerRounds = scene.wBankerTime;
    m_bSystemBanker = scene.bEnableSysBanker == 1;
    m_lBankerCondition = scene.lApplyBankerCondition;
    m_lAreaLimit = scene.lAreaLimitScore;

    SetCards(scene.cbCardCount, scene.cbTableCardArray);
    if (Widget* chart = GetWidget("Image_CHART"))
    {
        chart->setVisible(false);
        chart->setPosition(CCPoint(VisibleRect::center().x, VisibleRect::top().y + 500));
    }
    // The stakes wait as chips for the next ShowChips.
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
        AddChips(area, scene.lAllBet[area]);
    if (scene.cbGameStatus == GS_GAME_END)
    {
        m_lMyRoundTotal = scene.lUserScore;
        CountAreaResults(m_lMyAreaResults);
        ShowCardsAsTheyStand();
    }
    UpdateControls();
    m_lSelectedChip = 0;
    m_ChipRow.DisableAll();
    RemoveChipCursor();
    ShowScoreInfo();
    ShowBankerInfo();
    ShowSelfInfo();
    ShowRecordTotals();
    ShowBigRoad();
    ShowRecordStrip();
}

}  // namespace BaccaratNew
