// The baccarat table (kind 122): a CocoStudio layout with eight bet areas,
// six chip buttons, the banker panel and queue, my own panel, the chips on
// the areas, the card-by-card deal with its points and tips, the result
// panel, the result strip, the bead grid and a window of five charts.
//
// The layout "BaccaratNew/UI/BaccaratNew-PC/BaccaratNew-PC.ExportJson" gives
// the widgets, found by name in init; the deal's cards and the result
// armatures lie in an overlay above it. The handler checked every message's
// size; the round methods keep the state and draw it.
//
// Files: BaccaratNewBoard.cpp (construction, betting, the banker, the info
// panels), BaccaratNewRound.cpp (the messages and scenes),
// BaccaratNewDealing.cpp (the deal, the result, the records and charts).
#pragma once

#include "CocoStudio.h"
#include "games/BaccaratNew/BaccaratNewMessages.h"
#include "games/BaccaratNew/GameLogic.h"
#include "games/BaccaratNew/Record.h"
#include "games/common/BankerBetting.h"
#include "games/common/Chips.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Sexy {
class CardSprite;
}
namespace cocos2d {
namespace extension {
class CCArmature;
}
}  // namespace cocos2d

namespace BaccaratNew {

class BaccaratNewHandler;

// One finished round of the record store.
struct tagGameRecord
{
    uint8_t cbPlayerPoint;
    uint8_t cbBankerPoint;
    uint8_t cbSpecial;  // 0, 3, 4 or 5
    uint8_t cbPlayerPair;
    uint8_t cbBankerPair;
};

class BaccaratNewBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kChipCount = 6;
    static const int64_t kChipValues[kChipCount];
    // Widget tags; every button calls OnWidgetTouch.
    static constexpr int kChipTagBase = 130001;  // + chip index
    static constexpr int kAreaTagBase = 12001;   // + area
    static constexpr int kApplyTag = 130011;
    static constexpr int kCancelTag = 130012;
    static constexpr int kLeftTag = 130013;
    static constexpr int kRightTag = 130014;
    static constexpr int kTopTag = 130015;
    static constexpr int kBottomTag = 130016;
    static constexpr int kChartCloseTag = 130017;
    static constexpr int kChartTag = 130018;
    static constexpr int kBankTag = 130019;
    // Items of the built lists and their cells.
    static constexpr int kListItems = 69;
    static constexpr int kStripLabelTag = 15000;  // + 10 item (banker point), + 1 (player point)
    static constexpr int kBeadCellTag = 16000;    // + row
    static constexpr int kQueueRows = 10;
    static constexpr int kQueueLabelTag = 17001;  // + 10 row (name), + 1 (score)
    static constexpr int kChart1CellTag = 18000;
    static constexpr int kChart2CellTag = 19000;
    static constexpr int kRoadCellTag[3] = {20000, 21000, 22000};
    static constexpr int kBeadRows = 6;
    static constexpr int kBeadColumns = 29;
    static constexpr size_t kRecordCycle = 68;
    // Chips drawn on one area at most; its label keeps the exact amount.
    static constexpr size_t kMostChipsPerArea = 60;
    // Widths the texts are fitted to (points): an area's total to its bar
    // and my stake to its mark, less this margin; the most that may still
    // be bet beside its caption; a queued player's name and score in their
    // columns; my result on an area and my round's total on the result
    // panel, beside their captions.
    static constexpr float kLabelMargin = 8;
    static constexpr float kMaxBetWidth = 66;
    static constexpr float kQueueNameWidth = 72;
    static constexpr float kQueueScoreWidth = 112;
    static constexpr float kResultFigureWidth = 86;
    static constexpr float kRoundTotalWidth = 132;
    // Z orders.
    static constexpr int kLayoutZ = 100;
    static constexpr int kOverlayZ = 1000;
    static constexpr int kCardZ = 1000;
    static constexpr int kChipCursorZ = 10000;
    static constexpr int kChartZ = 10000;

    BaccaratNewBoard();
    ~BaccaratNewBoard() override;
    static BaccaratNewBoard* create();
    bool init() override;
    void ResetGameView() override;
    void OnMouseMove(const cocos2d::CCPoint& point) override;
    void OnRButtonUp() override;
    // Maximised, the table scales to fit the play area as a seated game's does.
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;

    // --- the messages (the handler checked them) ---------------------------
    void OnGameFree(const CMD_S_GameFree& message);
    void OnGameStart(const CMD_S_GameStart& message);
    void OnPlaceBet(const CMD_S_PlaceBet& message);
    void OnGameEnd(const CMD_S_GameEnd& message);
    void OnApplyBanker(const CMD_S_ApplyBanker& message);
    void OnChangeBanker(const CMD_S_ChangeBanker& message);
    void OnPlaceBetFail(const CMD_S_PlaceBetFail& message);
    void OnCancelBanker(const CMD_S_CancelBanker& message);
    void OnSceneFree(const CMD_S_StatusFree& scene);
    void OnScenePlay(uint8_t gameStatus, const CMD_S_StatusPlay& scene);
    void SetClockSeconds(int32_t seconds) { m_nClockSeconds = seconds; }

    // --- betting and the banker ----------------------------------------------
    void OnWidgetTouch(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void UpdateControls();
    // The largest further stake on the area that the limits allow (0 at
    // least).
    int64_t GetMaxBet(int area) const;
    void PlaceBet(int area);
    void ApplyBanker(bool apply);
    // The amount as chips queued on the area (largest first; a rest below
    // 100 is not drawn).
    void AddChips(int area, int64_t amount);
    void ShowChips();
    void ShowScoreInfo();
    void ShowBankerInfo();
    void ShowSelfInfo();
    void RefreshBankerList();
    void SetLabelText(const char* name, const std::string& utf8);
    void ShowWidget(const char* name, const cocos2d::CCPoint& place);

    // --- the deal, the result and the records --------------------------------
    // The counts and cards of the round (null clears them).
    void SetCards(const uint8_t* counts, const uint8_t (*cards)[MAX_HAND_COUNT]);
    void SetRoundResults(const int64_t (&results)[AREA_COUNT], int64_t total);
    void DealCard(int step, const cocos2d::CCPoint& target);
    void DealNextCard(cocos2d::CCNode* node);
    void ShowDealtCard(int step);
    bool IsDealComplete() const;
    void ShowPointTips();
    // A table entered in its result: the cards at their places with their
    // points and the result, without a deal (and no round recorded).
    void ShowCardsAsTheyStand();
    void ShowResultPanel();
    void CheckResultPanel(float dt);
    void UpdateClockDisplay();
    void FinishRound();
    tagRoundResult GetResultFlags() const;
    void AddGameRecord(const tagServerGameRecord& record);
    void AddGameRecord(const tagGameRecord& record);
    void ClearTable();
    // The area frames, the result panels and the bet tip off the table, the
    // areas closed: what free time shows of a round that is over. Only the
    // panels that show move when asked (a waiting table stays still).
    void PutRoundAway(bool onlyShown);
    void ShowRecordStrip();
    void ShowBigRoad();
    void ShowRecordTotals();
    void BuildChartLists();
    void RefreshCharts();
    void ShowChartStats();

    // --- state and parts, for the tests ------------------------------------------
    uint8_t GetStatus() const { return m_cbStatus; }
    int64_t GetSelectedChip() const { return m_lSelectedChip; }
    int64_t GetAllBet(int area) const { return m_Bets.Total(area + 1); }
    int64_t GetMyBet(int area) const { return m_Bets.Mine(area + 1); }
    int64_t GetMyAllowance() const { return m_lMyAllowance; }
    uint16_t GetBankerChair() const { return m_wBankerChair; }
    int64_t GetBankerScore() const { return m_lBankerScore; }
    int64_t GetBankerWin() const { return m_lBankerWin; }
    uint16_t GetBankerRounds() const { return m_wBankerRounds; }
    int64_t GetBankerCondition() const { return m_lBankerCondition; }
    int64_t GetAreaLimit() const { return m_lAreaLimit; }
    bool IsSystemBankerAllowed() const { return m_bSystemBanker; }
    bool IsApplied() const { return m_bApplied; }
    const games::BankerQueue& GetQueue() const { return m_Queue; }
    int32_t GetWonAreas() const { return m_nWonAreas; }
    int32_t GetLostAreas() const { return m_nLostAreas; }
    int64_t GetRunningTotal() const { return m_lRunningTotal; }
    const std::vector<int>& GetPendingChips(int area) const { return m_PendingChips[area % AREA_COUNT]; }
    size_t GetChipCount(int area) const { return m_ChipPile.CountOn(area + 1); }
    const games::ChipPile& GetChipPile() const { return m_ChipPile; }
    cocos2d::ui::Widget* GetChipCursor() const { return m_pChipCursor; }
    int GetDealStep() const { return m_nDealStep; }
    const std::vector<uint8_t>& GetDealt(uint8_t side) const { return m_Dealt[side % SIDE_COUNT]; }
    uint8_t GetCardCount(uint8_t side) const { return m_cbCardCount[side % SIDE_COUNT]; }
    bool IsRoundDealt() const { return m_bRoundDealt; }
    bool HasTakenPart() const { return m_bTookPart; }
    int64_t GetMyRoundTotal() const { return m_lMyRoundTotal; }
    int32_t GetClockSeconds() const { return m_nClockSeconds; }
    const std::vector<tagGameRecord>& GetRecords() const { return m_Records; }
    const CRecord& GetRoads() const { return *m_pRoads; }
    Sexy::CardSprite* GetFlyingCard() const { return m_pFlyingCard; }
    Sexy::CardSprite* GetTableCard(int i) const { return i >= 0 && i < 6 ? m_pTableCards[i] : nullptr; }
    cocos2d::extension::CCArmature* GetArmature(uint8_t side) const { return m_pArmatures[side % SIDE_COUNT]; }
    cocos2d::CCLayer* GetOverlay() const { return m_pOverlay; }
    cocos2d::ui::TouchGroup* GetUILayer() const { return m_pUILayer; }
    cocos2d::ui::Widget* GetWidget(const char* name) const;
    cocos2d::ui::Widget* GetChipButton(int index) const { return m_ChipRow.Button(static_cast<size_t>(index)); }
    cocos2d::ui::Widget* GetAreaButton(int area) const { return area >= 0 && area < 8 ? m_pAreaButtons[area] : nullptr; }
    cocos2d::ui::Widget* GetAreaFrame(int area) const { return area >= 0 && area < 8 ? m_pAreaFrames[area] : nullptr; }
    // The text of a label widget ("" when there is none).
    std::string LabelText(const char* name) const;
    bool ChartsBuilt() const { return m_bChartsBuilt; }
    // Whether the bead grid cell (column, row) was drawn by the last ShowBigRoad.
    bool BeadCellTaken(int column, int row) const;
    static cocos2d::CCPoint PlayerCardPlace(size_t shown, size_t index);
    static cocos2d::CCPoint BankerCardPlace(size_t shown, size_t index);

private:
    BaccaratNewHandler* Handler() const;
    tagUserData* UserAt(uint16_t chair) const;
    tagUserData* MyUser() const;
    bool IsMeBanker() const;
    void Listen(cocos2d::ui::Widget* widget, int tag);
    void InitButtons();
    void InitAreaLabels();
    void InitAreaFrames();
    void InitGameEndAnimation();
    void InitRecordLists();
    void SetAreasEnabled(bool enabled);
    void HideAreaFrames();
    // Moves a widget off the table (up by the distance) in 0.2 s and hides it.
    void MoveAway(const char* name, float x, float above);
    void RemoveChipCursor();
    void SelectChip(int index);
    void ScrollRecords(int items);
    void OpenCharts();
    void CloseCharts();
    void CountAreaResults(const int64_t (&results)[AREA_COUNT]);
    // The next round's results count afresh.
    void ForgetRoundCounts();
    // The banker a scene names, and my banker buttons with him.
    void SetBankerFromScene(uint16_t chair);
    void DrawBeadGrid(const char* listName, int cellTag);
    void DrawRoadChart(const char* listName, int road, int cellTag, const char* markPicture1, const char* markPicture2);
    void ShowPointImage(uint8_t side);
    cocos2d::ui::Widget* ListItem(const char* listName, int item) const;
    cocos2d::ui::Widget* ItemChild(cocos2d::ui::Widget* item, int tag) const;

    // Round state.
    uint8_t m_cbStatus = GS_FREE;
    int64_t m_lSelectedChip = 0;
    games::AreaBets m_Bets{static_cast<int>(AREA_COUNT)};
    int64_t m_lMyAllowance = 0;
    int64_t m_lMyBankerScore = 0;
    uint16_t m_wBankerChair = INVALID_CHAIR;
    int64_t m_lBankerScore = 0;
    int64_t m_lBankerWin = 0;
    int64_t m_lBankerWinKept = 0;
    uint16_t m_wBankerRounds = 0;
    bool m_bSystemBanker = false;
    int64_t m_lBankerCondition = 0;
    int64_t m_lAreaLimit = 0;
    bool m_bApplied = false;
    games::BankerQueue m_Queue;
    int32_t m_nWonAreas = 0;
    int32_t m_nLostAreas = 0;
    // What this round's result added to them.
    int32_t m_nRoundWon = 0;
    int32_t m_nRoundLost = 0;
    int64_t m_lRunningTotal = 0;
    std::vector<int> m_PendingChips[AREA_COUNT];
    games::ChipPile m_ChipPile{kMostChipsPerArea};
    games::ChipRow m_ChipRow;
    cocos2d::ui::Widget* m_pChipCursor = nullptr;

    CGameLogic m_Logic;
    std::unique_ptr<CRecord> m_pRoads;

    // The deal.
    uint8_t m_cbCardCount[SIDE_COUNT] = {};
    uint8_t m_cbCards[SIDE_COUNT][MAX_HAND_COUNT] = {};
    std::vector<uint8_t> m_Dealt[SIDE_COUNT];
    int m_nDealStep = 0;
    int64_t m_lMyAreaResults[AREA_COUNT] = {};
    int64_t m_lMyRoundTotal = 0;
    bool m_bRoundDealt = false;
    bool m_bTookPart = false;
    int32_t m_nClockSeconds = -1;

    // The records of the cycle and the bead grid's scratch.
    std::vector<tagGameRecord> m_Records;
    bool m_bBeadGrid[kBeadColumns][kBeadRows] = {};
    bool m_bChartsBuilt = false;

    // Parts.
    cocos2d::ui::TouchGroup* m_pUILayer = nullptr;
    cocos2d::ui::Widget* m_pLayout = nullptr;
    cocos2d::CCLayer* m_pOverlay = nullptr;
    Sexy::CardSprite* m_pFlyingCard = nullptr;
    Sexy::CardSprite* m_pTableCards[6] = {};
    cocos2d::extension::CCArmature* m_pArmatures[SIDE_COUNT] = {};
    cocos2d::ui::Widget* m_pAreaButtons[AREA_COUNT] = {};
    cocos2d::ui::Widget* m_pAreaFrames[AREA_COUNT] = {};
    cocos2d::ui::Widget* m_pApplyButton = nullptr;
    cocos2d::ui::Widget* m_pCancelButton = nullptr;
};

}  // namespace BaccaratNew
