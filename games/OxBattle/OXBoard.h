// The table of bull with dice (kind 104): four betting areas, each with a
// five-card bull hand, play against the banker's hand.
//
// The layout "OxBattle/IngameUI_1/IngameUI_1.ExportJson" gives the widgets,
// found by name in init; the card sprites (5 hands of 5) are made once there
// and only change face, place and visibility. The handler calls the message
// and scene methods; they keep the round (phase, clock, banker, bets, cards,
// records) and draw it. Hands are 0 (the banker's) to 4; areas 1 to 4 in
// every message and call, so arrays by area use area - 1.
//
// Files: OXBoard.cpp (construction and layout), OXBoardRound.cpp (the
// messages and scenes), OXBoardBetting.cpp (chips, bets, banker panel and
// queue, records), OXBoardDealing.cpp (dice, deal, opening, result, clock).
#pragma once

#include "CocoStudio.h"
#include "games/OxBattle/OxBattleMessages.h"
#include "games/common/BankerBetting.h"
#include "games/common/BankerPanel.h"
#include "games/common/BoardWidgets.h"
#include "games/common/Chips.h"
#include "games/common/CreateNode.h"
#include "games/common/PhaseClock.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Sexy {
class CardSprite;
}

namespace OxBattle {

class CScoreView;
class Dice;
class OXHandler;

class OXBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kChipButtons = 8;
    static constexpr int kChipValues[kChipButtons] = {100, 1000, 10000, 50000, 100000, 500000, 1000000, 5000000};
    static constexpr int kChipTagOffset = 50;        // chip button tag = value + 50
    static constexpr int kAreaTagBase = 100;         // area tag = area x 10000 + 100
    static constexpr int kBankerListTagBase = 4100;  // queue row tag = chair + 4100
    static constexpr int kAutoHintTagBase = 4200;    // + opening step
    static constexpr int kPeekCardTagBase = 4400;    // + hand
    static constexpr int kManualHintTagBase = 4500;  // + hand
    static constexpr int kDiceTag = 4600;
    static constexpr int kCardStep = 17;  // between the cards of a hand
    // The cards of this table are drawn smaller than the sheet's.
    static constexpr float kCardScale = 0.8f;
    static constexpr int kRecordsShown = 24;
    static constexpr int kRecordsKept = 100;
    // A bet commits ten times its amount of my score.
    static constexpr int64_t kBetCommitment = 10;
    // Chips laid for an area's amount when the table is restored (a bet
    // lays its chip whatever lies there already).
    static constexpr size_t kMostChipsPerArea = 60;
    // Round phases.
    enum Phase
    {
        kPhaseFree = 0,
        kPhaseBetting = 1,
        kPhaseResult = 2,
        kPhaseFreeScene = 3,
        kPhaseResultScene = 4,
    };
    // Z orders on the content root.
    static constexpr int kAreaLabelZ = 50;
    // Over the chips laid on the areas, which come after it.
    static constexpr int kNoticeZ = 60;
    static constexpr int kDiceZ = 100;
    static constexpr int kDealtCardZ = 10000;
    static constexpr int kHintZ = 10050;
    static constexpr int kTypeImageZ = 231212;
    static constexpr int kScoreViewZ = 300000;

    OXBoard();
    ~OXBoard() override;
    static OXBoard* create() { return games::CreateNode<OXBoard>(); }
    bool init() override;

    // --- messages (the handler checked their sizes) -----------------------
    void OnGameFree(const FreeMessage& message);
    void OnRoundStart(const RoundStartMessage& message);
    void OnBetPlaced(const BetPlacedMessage& message);
    void OnRoundEnd(const RoundEndMessage& message);
    void OnApplyBanker(uint16_t chair);
    void OnChangeBanker(const ChangeBankerMessage& message);
    void AddRecord(const RoundRecord& record);
    void LayoutRecords();
    void OnBetFailed(const BetFailedMessage& message);
    void OnCancelBanker(uint16_t chair);
    // --- scenes ------------------------------------------------------------
    void OnFreeScene(const FreeScene& scene);
    void OnBetScene(const PlayScene& scene);
    void OnResultScene(const PlayScene& scene);
    void SetBankerMinimum(int64_t minimum) { m_lBankerMinimum = minimum; }

    // --- touches -------------------------------------------------------------
    void OnChipButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnAreaTouched(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void EnableManualOpen(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void DisableManualOpen(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnApplyBankerButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnCancelBankerButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnRecordLeftButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnRecordRightButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnBankButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnQueueScrollUp(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnQueueScrollDown(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void RemoveBankerQueueItem(uint16_t chair);

    // --- framework slots -------------------------------------------------------
    void OnMouseMove(const cocos2d::CCPoint& point) override;
    void OnRButtonUp() override;
    // Maximised, the table scales to fit the play area as a seated game's does.
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;
    bool OnCardTouchBegan(Sexy::CardSprite* card) override;
    void OnCardTouchMoved(Sexy::CardSprite* card) override;
    void OnCardTouchEnded(Sexy::CardSprite* card) override;

    // --- presentation --------------------------------------------------------
    void ShowMyInfo();
    // 0xFFFF round count and -1 result keep what the panel shows.
    void SetBankerInfo(uint16_t chair, uint16_t bankerTimes, int64_t bankerScore);
    void UpdateChipButtons(int64_t limit);
    void ShowBetPlaced(const BetPlacedMessage& message);
    void PlaceAreaChips(uint8_t area, int64_t amount);
    void AddBankerListItem(uint16_t chair);
    void AddRecordColumn();
    void StartDealing(const RoundEndMessage& message);
    void ShowCardType(uint16_t hand, int32_t type);

    // --- scheduled selectors and action callbacks --------------------------------
    void DealCards(float dt);
    void OpenNextHand(float dt);
    void RelayoutOpenedHands(float dt);
    void OnClockTick(float dt);
    void OnCardDealt(cocos2d::CCNode* node, void* data);
    void OnHandOpened(cocos2d::CCNode* node, void* data);
    void RestoreCardListener(cocos2d::CCNode* node);

    // --- state, for the tests ------------------------------------------------------
    int GetPhase() const { return m_nPhase; }
    int GetCountdown() const { return m_Clock.Seconds(); }
    int GetBetChip() const { return m_nBetChip; }
    int GetFirstHand() const { return m_nFirstHand; }
    int GetOpeningStep() const { return m_nOpeningStep; }
    bool IsManualOpen() const { return m_cbManualOpen != 0; }
    int32_t GetBankerChair() const { return m_nBankerChair; }
    int32_t GetMyChair() const { return m_nMyChair; }
    int64_t GetMyBetCapacity() const { return m_lMyBetCapacity; }
    int64_t GetBankerBetCapacity() const { return m_lBankerBetCapacity; }
    int64_t GetBankerMinimum() const { return m_lBankerMinimum; }
    int64_t GetKeptAmount() const { return m_lKeptAmount; }
    int64_t GetAreaTotal(int area) const { return m_Bets.Total(area); }
    int64_t GetMyBet(int area) const { return m_Bets.Mine(area); }
    int32_t GetHandType(int hand) const { return hand >= 0 && hand < HAND_COUNT ? m_nHandTypes[hand] : 0; }
    const uint8_t* GetCardData() const { return &m_cbCardData[0][0]; }
    Sexy::CardSprite* GetCard(int hand, int card) const;
    cocos2d::CCPoint GetHandPoint(int hand) const;
    cocos2d::ui::TouchGroup* GetUILayer() const { return m_pUILayer; }
    cocos2d::ui::Widget* GetWidget(const char* name) const;
    // The text of a label widget of the layout ("" when there is none).
    std::string LabelText(const char* name) const;
    // Where a widget of the layout lies on the content root.
    cocos2d::CCPoint ContentPoint(cocos2d::ui::Widget* widget) const;
    cocos2d::ui::Widget* GetChipButton(int index) const;
    cocos2d::ui::Widget* GetArea(int area) const;
    cocos2d::ui::ImageView* GetStateImage() const { return m_pStateImage; }
    cocos2d::ui::Widget* GetApplyButton() const { return m_pApplyButton; }
    cocos2d::ui::Widget* GetCancelButton() const { return m_pCancelButton; }
    cocos2d::ui::ListView* GetBankerList() const { return m_BankerQueue.List(); }
    cocos2d::CCLabelAtlas* GetTotalLabel(int area) const;
    cocos2d::CCLabelAtlas* GetMyLabel(int area) const;
    const std::vector<cocos2d::ui::Widget*>& GetTableChips() const { return m_ChipPile.Chips(); }
    const std::vector<cocos2d::CCSprite*>& GetTypeImages() const { return m_TypeImages; }
    const std::vector<cocos2d::CCSprite*>& GetRecordMarks(int area) const { return m_RecordMarks[area - 1]; }
    const games::RecordWindow& GetRecordWindow() const { return m_RecordWindow; }
    CScoreView* GetScoreView() const { return m_pScoreView; }
    // The round's dice while they show (they remove themselves after).
    Dice* GetDice() const;
    const char* GetStateTexture() const { return m_szStateTexture; }
    static bool ValidArea(int area) { return area >= 1 && area <= AREA_COUNT; }
    // The deal's first hand for two dice: a hand 0..4 whatever the bytes.
    static int FirstHandOf(uint8_t die1, uint8_t die2);
    // The picture number of ShowCardType's type index.
    static int TypeImageNumber(int32_t typeIndex);

private:
    void InitChipButtons();
    OXHandler* Handler() const;
    void Listen(cocos2d::ui::Widget* widget, cocos2d::ui::SEL_TouchEvent action);
    void SetLabel(const char* name, const std::string& text) { games::SetWidgetText(m_pUILayer, name, text); }
    tagUserData* UserAt(int chair) const;
    bool IsMeBanker() const { return m_nMyChair >= 0 && m_nBankerChair == m_nMyChair; }
    void RefreshMyChair();
    // A phase of the seconds on the clock.
    void StartClock(int seconds) { m_Clock.Start(this, schedule_selector(OXBoard::OnClockTick), seconds); }
    void SetStateTexture(const char* picture);
    void SetManualOpenButtons();
    void SetBankerButtonsByQueue();
    void SetAreaLabels(const PlayScene& scene);
    void ShowAreaLabel(cocos2d::CCLabelAtlas* label, int64_t amount, bool onlyPositive);
    void LayChip(int area, int64_t value);
    void ShowChipButtons(bool show);
    void HideHoverImages();
    // The win highlights and the amount labels of the areas.
    void HideAreaMarks();
    // The chips on the areas, and what ClearResult takes.
    void ClearTable();
    // The hints, hand types and score view of a result.
    void ClearResult();
    void ResetCards();
    // Cards of every hand at their opened places in bull order (the scene
    // restore, the forced opening and its relayout).
    void LayOutOpenedHands(int cardZ);
    void RaiseBullCards(int hand);
    // Hand types and each hand's cards in bull order.
    void ComputeHandTypes();
    // Takes the last round's dealing off: its schedules, the card actions and hints.
    void StopDealing();
    // A new score view on the table in place of any other.
    CScoreView* NewScoreView();
    void RemoveScoreView();
    void ForceOpenHands();
    // Every hand face up in bull order, the peeking over.
    void OpenAllHands();
    void EnableCardPeeking();
    void ShowResult();
    void ShowResultLabels();
    void RemoveDice();
    static int TypeIndexOf(int32_t type) { return type == 1 ? 0 : type - 2; }

    // Hand h's five card sprites.
    std::vector<Sexy::CardSprite*> m_HandCards[HAND_COUNT];
    int32_t m_nMyChair = -1;
    cocos2d::ui::TouchGroup* m_pUILayer = nullptr;
    cocos2d::ui::Widget* m_pLayout = nullptr;
    games::PhaseClock m_Clock;
    // The chip bets are made with (the framework keeps the cursor's apart).
    int32_t m_nBetChip = 0;
    cocos2d::ui::ImageView* m_pStateImage = nullptr;
    const char* m_szStateTexture = "";
    games::ChipRow m_ChipRow;
    std::vector<cocos2d::CCSprite*> m_RecordMarks[AREA_COUNT];
    std::vector<cocos2d::ui::Widget*> m_AreaWidgets;
    // Every bet lays its chip; a restored amount at most kMostChipsPerArea.
    games::ChipPile m_ChipPile{games::ChipPile::kNoCap};
    uint8_t m_cbCardData[HAND_COUNT][CARDS_PER_HAND] = {};
    cocos2d::CCPoint m_ptHands[HAND_COUNT];
    int32_t m_nFirstHand = 6;
    int32_t m_nBankerChair = -1;
    games::RecordWindow m_RecordWindow{kRecordsShown, kRecordsKept};
    std::vector<cocos2d::CCSprite*> m_TypeImages;
    uint8_t m_cbManualOpen = 0;
    int32_t m_nOpeningStep = 0;
    int32_t m_nHandTypes[HAND_COUNT] = {};
    uint8_t m_cbArranged[HAND_COUNT][CARDS_PER_HAND] = {};
    int64_t m_lMyBetCapacity = 0;
    games::AreaBets m_Bets{AREA_COUNT};
    cocos2d::CCLabelAtlas* m_pTotalLabels[AREA_COUNT] = {};
    cocos2d::CCLabelAtlas* m_pMyLabels[AREA_COUNT] = {};
    cocos2d::ui::Widget* m_pAreaHighlights[AREA_COUNT] = {};
    cocos2d::ui::Widget* m_pHoverImages[AREA_COUNT] = {};
    CScoreView* m_pScoreView = nullptr;
    cocos2d::CCPoint m_ptMouse;
    cocos2d::CCSprite* m_pHandIcons[HAND_COUNT] = {};
    int32_t m_nPhase = kPhaseFree;
    cocos2d::ui::Widget* m_pApplyButton = nullptr;
    cocos2d::ui::Widget* m_pCancelButton = nullptr;
    games::BankerPanel m_BankerPanel;
    games::BankerQueueList m_BankerQueue;
    uint8_t m_cbNoMoneyNoticeShown = 0;
    int64_t m_lBankerBetCapacity = 0;
    int64_t m_lMyRoundScore = 0;
    int64_t m_lBankerRoundScore = 0;
    RoundEndMessage m_LastResult = {};
    int64_t m_lBankerMinimum = 0;
    int64_t m_lKeptAmount = 0;
    // The limit UpdateChipButtons last had: a refused bet only lowers it.
    int64_t m_lChipLimit = 0;
    // The hands were forced open this round.
    bool m_bForcedOpen = false;
    // This round's result has its column on the record strip.
    bool m_bRoundRecorded = false;
};

}  // namespace OxBattle
