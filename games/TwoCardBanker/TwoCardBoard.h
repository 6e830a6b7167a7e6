// The table both two-card banker games are built on: red nine (kind 106,
// six areas) and little nine (kind 110, three areas). Four hands of two
// cards, the banker's and three doors', are dealt from the hand the round's
// end names, then opened one after another by the board or uncovered by the
// player dragging each hand's upper card aside until the clock forces them
// open; players bet chips on the areas against a banker taken from a queue.
//
// What the two games share lives here: the CocoStudio layout's common
// widgets (found by name in init), the eight card sprites, the chip buttons
// and the chips on the areas, the banker check box and queue, the banker,
// result and own panels, the record strip, the dealing and opening, and the
// phase clock. Each game's board derives from it, fixes what differs in a
// TableShape and the hooks below, and turns its own messages into the steps
// here. Areas are numbered from 1 in every call; arrays by area use area - 1.
//
// Files: TwoCardBoard.cpp (construction, layout, lookups), TwoCardBets.cpp
// (chips and bets), TwoCardCards.cpp (dealing, opening, the forced opening,
// card dragging), TwoCardPanels.cpp (panels, banker queue and check box,
// records, the clock, the room notice).
#pragma once

#include "CocoStudio.h"
#include "games/TwoCardBanker/TwoCardMessages.h"
#include "games/TwoCardBanker/TwoCardScoreView.h"
#include "games/common/BankerBetting.h"
#include "games/common/BankerPanel.h"
#include "games/common/Chips.h"
#include "games/common/PhaseClock.h"
#include "games/common/RecordStrip.h"
#include "games/common/ScoreView.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Sexy {
class CardSprite;
}

namespace TwoCardBanker {

class CTwoCardHandler;

constexpr int kMaxAreas = 6;
constexpr int kChipButtons = 7;

// What one game's table is made of.
struct TableShape
{
    const char* folder;      // resource folder, "RedNineBattle"
    const char* layoutFile;  // its CocoStudio layout
    int areaCount;           // 6 or 3
    // The area widgets' names, area 1 first.
    const char* areaWidgets[kMaxAreas];
    // The second highlight of each area: all-lose or sweep marks.
    const char* areaMarks[kMaxAreas];
    int64_t chipValues[kChipButtons];  // ascending, Button_18_0 first
    // Where a chip laid on an area lands, round the area widget's place.
    games::ChipScatter chipScatter[kMaxAreas];
    // From this record column on the strip gets a new item first.
    int recordAppendFrom;
    int manualHintZ;       // the pointing hands of the manual opening
    int autoHintZ;         // the pointing hand of the automatic opening
    int scoreViewZ;        // the score view after the openings
    int forcedScoreViewZ;  // the score view after a forced opening
    // Banker queue rows.
    games::BankerRowStyle rows;
    // My panel's score after a reset (0 keeps the label's own size).
    int myScoreResetFontSize;
    // Where the notice of a refused bet shows.
    float betFailedNoticeX;
    // The score view's sounds when my round score is above 0 and when not,
    // in the folder.
    const char* endWinSound;
    const char* endLostSound;
};

// The kept round end's figures, as each game's record holds them.
struct RoundFigures
{
    int32_t bankerTimes = 0;   // the banker's count of rounds
    int64_t bankerTotal = 0;   // the banker's total score
    int64_t secondAmount = 0;  // the result panel's and view's second figure
    int64_t myScore = 0;       // my score of the round
    int64_t thirdAmount = 0;   // the score view's third figure
};

class CTwoCardBoard : public Sexy::CGameBoard
{
public:
    // Tags.
    static constexpr int kChipTagOffset = 50;  // chip button tag = value + 50
    static constexpr int kAreaTagBase = 100;   // area tag = area x 10000 + 100
    static constexpr int kBankerListScrollDown = 4002;
    static constexpr int kBankerListScrollUp = 4003;
    static constexpr int kBankerListTagBase = 4100;  // queue row tag = chair + 4100
    static constexpr int kAutoHintTagBase = 4200;    // + opening counter
    static constexpr int kPeekCardTagBase = 4400;    // + hand
    static constexpr int kManualHintTagBase = 4500;  // + hand
    static constexpr int kNoticeTag = 4600;          // the notice of no usable chip or a refused bet
    // Layout.
    static constexpr int kCardStep = 17;  // card 1 of a hand lies 17 right of card 0
    static constexpr float kPeekRight = 50;
    static constexpr float kPeekDown = 80;
    static constexpr int kAreaLabelZ = 50;
    // Over the chips and the amounts, under the hands.
    static constexpr int kNoticeZ = 100;
    static constexpr int kDealtCardZ = 50;
    static constexpr int kOpenedCardZ = 11;
    static constexpr int kForcedOpenClock = 10;
    // The result panel's columns, the banker's and mine, in points.
    static constexpr float kResultColumnWidth = 78;
    // Chips laid for one area's amount when a table is restored.
    static constexpr size_t kMostChipsPerArea = 60;
    // Bet states.
    enum BetState
    {
        kStateFree = 0,
        kStateBetting = 1,
        kStateResult = 2,
        kStateFreeScene = 3,
        kStateResultScene = 4,
    };

    explicit CTwoCardBoard(const TableShape& shape);
    ~CTwoCardBoard() override;

    // --- what both games' messages do (the handler checked their sizes) ---
    void OnBetPlacedMessage(const BetPlacedMessage& message) { ShowPlacedBet(message); }
    void OnApplyBankerMessage(uint16_t chair) { AddBankerApplicant(chair); }
    void OnCancelBankerMessage(uint16_t chair) { RemoveBankerListItem(chair); }
    void OnChangeBankerMessage(const ChangeBankerMessage& message);
    void OnBetFailedMessage(const BetFailedMessage& message);
    void OnRoomNoticeMessage(const RoomNoticeMessage& message);
    virtual void OnFreeScene(const FreeScene& scene);
    // After the last record of a record list.
    void OnRecordsDone() {}

    // --- touches ---------------------------------------------------------------
    void OnChipButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnAreaTouched(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnBankerListScroll(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnRecordMoveRight(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnRecordMoveLeft(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnBankTouched(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    // "Button_47": the player opens the cards by hand; "Button_46": the board does.
    void OnManualOpenButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnAutoOpenButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnBankerCheckBox(cocos2d::CCObject* sender, cocos2d::ui::CheckBoxEventType event);

    // --- framework slots ---------------------------------------------------------
    // During betting the area under the mouse lights up.
    void OnMouseMove(const cocos2d::CCPoint& point) override;
    void OnRButtonUp() override;
    // Maximised, the table scales to fit the play area as a seated game's does.
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;
    bool OnCardTouchBegan(Sexy::CardSprite* card) override;
    void OnCardTouchMoved(Sexy::CardSprite* card) override;
    void OnCardTouchEnded(Sexy::CardSprite* card) override;

    // --- bets and chips --------------------------------------------------------------
    // Enables the chips worth at most maxBet.
    void UpdateChipButtons(int64_t maxBet);
    void DisableChipButtons();
    void ShowPlacedBet(const BetPlacedMessage& message);
    // Lays an amount restored from a scene out as chips.
    void PlaceChipsOnArea(uint8_t area, int64_t amount);

    // --- panels, queue, records ---------------------------------------------------------
    void UpdateMyPanel(int64_t myResult);
    // The server settled my score: outside betting my panel shows it, as
    // the side bar's card does.
    void OnMyScoreUpdated();
    void UpdateResultPanel(uint16_t bankerChair, int64_t amount);
    void UpdateBankerPanel(uint16_t bankerChair, int32_t rounds, int64_t win);
    void AddBankerApplicant(uint16_t chair);
    void RemoveBankerListItem(uint16_t chair);
    // One column of the record strip: three marks (a picture each, none
    // for an empty name) at the heights given.
    void AddRecordColumn(const std::string pictures[3], const float heights[3]);

    // --- dealing and opening -------------------------------------------------------
    // The round's eight cards (hand h: bytes 2h, 2h + 1) from the hand dealStart names.
    void StartDeal(const uint8_t cards[CARD_COUNT], uint8_t dealStart);
    // Every card open at its place and each hand's result picture (a result scene).
    void LayOpenCards(const uint8_t cards[CARD_COUNT]);
    void ForceOpenAll();

    // --- scheduled selectors and action callbacks -------------------------------------
    void DealCards(float dt);
    void OpenNextHand(float dt);
    void OnClockTick(float dt);
    void RefreshOpenModeButtons(float dt);
    void ScrollRecordsToEnd(float dt);
    void DisableChipButtonsLater(float dt);
    void OnCardDealt(cocos2d::CCNode* card, void* index);
    void OnHandOpened(cocos2d::CCNode* card, void* hand);
    void EnableCardDragging();
    void OnDelayedBetShown(cocos2d::CCNode* chip, void* record);

    // --- state, for the handler and the tests -------------------------------------------
    const TableShape& Shape() const { return m_shape; }
    bool ValidArea(int area) const { return area >= 1 && area <= m_shape.areaCount; }
    int GetBetState() const { return m_betState; }
    int GetClockSeconds() const { return m_clock.Seconds(); }
    int64_t GetSelectedChip() const { return m_selectedChip; }
    int32_t GetMyChair() const { return m_myChair; }
    int32_t GetBankerChair() const { return m_bankerChair; }
    int GetDealStartHand() const { return m_dealStartHand; }
    int GetOpenIndex() const { return m_openIndex; }
    bool IsManualOpen() const { return m_openMode != 0; }
    bool AreCardsLocked() const { return m_cardsLocked != 0; }
    bool IsJoinedMidRound() const { return m_joinedMidRound != 0; }
    int64_t GetMyGold() const { return m_myGold; }
    int64_t GetBetLimit() const { return m_betLimit; }
    int64_t GetApplyMinScore() const { return m_applyMinScore; }
    int64_t GetLastResult() const { return m_lastResult; }
    int GetRecordCount() const { return m_records.Count(); }
    int64_t GetAreaTotal(int area) const { return m_bets.Total(area); }
    int64_t GetMyBet(int area) const { return m_bets.Mine(area); }
    bool HasMyBetOn(int area) const { return ValidArea(area) && m_myBetFlags[area - 1] != 0; }
    const uint8_t* GetCardData() const { return m_cardData; }
    Sexy::CardSprite* GetCard(int hand, int card) const;
    cocos2d::CCPoint GetHandPoint(int hand) const;
    cocos2d::CCSprite* GetHandIcon(int hand) const;
    cocos2d::CCSprite* GetResultSprite(int hand) const;
    cocos2d::ui::TouchGroup* GetUILayer() const { return m_uiLayer; }
    cocos2d::ui::Widget* GetWidget(const char* name) const;
    // The text of a label widget of the layout ("" when there is none).
    std::string LabelText(const char* name) const;
    // Where a widget of the layout lies on the content root.
    cocos2d::CCPoint ContentPoint(cocos2d::ui::Widget* widget) const;
    cocos2d::ui::Widget* GetChipButton(int index) const { return m_chipRow.Button(static_cast<size_t>(index)); }
    const games::ChipRow& GetChipRow() const { return m_chipRow; }
    cocos2d::ui::Widget* GetArea(int area) const;
    cocos2d::ui::Widget* GetAreaMark(int area) const;
    cocos2d::ui::CheckBox* GetBankerCheckBox() const { return m_bankerCheckBox; }
    cocos2d::ui::ListView* GetBankerList() const { return m_queue.List(); }
    const games::BankerQueueList& GetBankerQueue() const { return m_queue; }
    cocos2d::ui::ListView* GetRecordList() const { return m_records.List(); }
    cocos2d::CCLabelAtlas* GetTotalLabel(int area) const;
    cocos2d::CCLabelAtlas* GetMyBetLabel(int area) const;
    const std::vector<cocos2d::ui::Widget*>& GetTableChips() const { return m_chipPile.Chips(); }
    games::BankerScoreView* GetScoreView() const { return m_scoreView; }
    const std::string& GetStatusTexture() const { return m_statusTexture; }
    // The folder's picture or sound of that name ("RedNineBattle/" + name).
    std::string Res(const char* name) const;

protected:
    // --- what each game fills in ---------------------------------------------------
    // The game's handler (the module's latest); null outside a game.
    virtual CTwoCardHandler* Handler() const = 0;
    // The picture beside an opened hand.
    virtual std::string ResultPictureOf(const uint8_t hand[CARDS_PER_HAND]) const = 0;
    // The hand the automatic opening opens at a count of opened hands.
    virtual int HandOpenedAt(int count) const = 0;
    // The kept round end's figures.
    virtual RoundFigures KeptFigures() const = 0;
    // The record column of the kept round end, with its highlights.
    virtual void AddRoundRecord() = 0;
    // Clears the kept round end (a change of banker).
    virtual void ClearKeptRoundEnd() = 0;
    // Free scenes: whatever the game does first.
    virtual void BeforeFreeScene() {}
    // Whether my delayed bet counts in my bet at once or when its chip shows.
    virtual bool CountsMyDelayedBetAtOnce() const = 0;
    // Whether no usable chip also drops the selected chip.
    virtual bool DropsChipWhenNoneUsable() const = 0;

    // --- steps the games' round logic is made of --------------------------------------
    // The layout and every shared widget; the game adds its own, then calls
    // CGameBoard::init last.
    bool InitTable();
    // The free phase: what the last round left goes from the table.
    void EnterFreeTime(int seconds);
    // The result phase of a round end: betting stops (the chip buttons go
    // off now and once more a second later), the cards are dealt, and the
    // opening mode stays as it is until the next free time. The game keeps
    // its record (and banker) first.
    void EnterResultTime(int seconds, const uint8_t cards[CARD_COUNT], uint8_t dealStart);
    // What a round left on the table goes: the score view, the chips and
    // amounts shown, the cards and their pictures, the highlights; the chip
    // buttons are off. A scene starts from it, since the board may already
    // show another state of the table.
    void ClearTable();
    void SetStatusImage(const char* name);
    void StartClock(int seconds);
    void RefreshMyChair();
    tagUserData* UserAt(int chair) const;
    bool IsMeBanker() const { return m_myChair >= 0 && m_bankerChair == m_myChair; }
    bool IsMine(int chair) const { return m_myChair >= 0 && chair == m_myChair; }
    int64_t MyRecordScore() const;
    // The game folder's sound of that name, not looping.
    void PlayTableSound(const char* name);
    void SetLabel(const char* name, const std::string& text);
    void SetOpenModeButtons(bool manualEnabled, bool autoEnabled);
    void ShowAreaWidgets(bool show);
    void ClearAreaBets();
    // The area labels and chips of a scene's amounts.
    void RestoreAreas(const int64_t* allBets, const int64_t* myBets, bool writeSum);
    // The check box from the scene: ticked while I am banker or my chair has a row.
    void SetCheckBoxFromQueue();
    void SetCheckBoxSelected(bool selected);
    // Shows the check box again (after a request) in a state.
    void RestoreCheckBox(bool selected);
    bool IsQueued(int chair) const { return chair >= 0 && m_queue.Contains(static_cast<uint16_t>(chair)); }
    void ShowNotice(const cocos2d::CCPoint& at);
    // The result display after the last opening: panels, record, score view.
    void ShowRoundResult(int scoreViewZ);
    // A new score view showing the kept round end, with its sound.
    games::BankerScoreView* MakeEndScoreView();
    // What both games' scenes restore alike, from the game's own record: a
    // betting scene whole; a result scene up to the areas that won (the
    // score view at the forced opening's z, the opening buttons off, no
    // highlight). writeSum: the areas' running sum is shown too.
    template <class Scene>
    void RestoreBettingScene(const Scene& scene, bool writeSum);
    template <class Scene>
    void RestoreResultScene(const Scene& scene, bool writeSum);
    template <class Scene>
    void RestoreSceneAreas(const Scene& scene, bool writeSum);
    // A widget shown and blinking once a second until the highlights stop.
    void Blink(cocos2d::ui::Widget* widget);
    void AddResultSprites();
    void RemoveScoreView();
    void PlaceScoreView(games::BankerScoreView* view, int z);
    void StopHighlights();
    // The deal and opening under way, stopped (a free phase or a second end).
    void StopDealing();
    void ResetCards();
    void ShowTotal(int area);
    void ShowMyBet(int area);
    void ShowSum();
    // A chip of the value for the table, at its picture's size; null when
    // no button has the value.
    cocos2d::ui::Widget* MakeTableChip(int64_t value) const;
    cocos2d::ui::Widget* LayChip(int area, int64_t value, bool visible);
    void ShowDelayedBet(cocos2d::CCNode* chip, const BetPlacedMessage& bet);
    void RemoveTableChips();

    // A bet whose chip shows after a delay.
    struct DelayedBet
    {
        cocos2d::ui::Widget* chip;
        BetPlacedMessage bet;
    };

    const TableShape& m_shape;
    Sexy::CardSprite* m_handCards[HAND_COUNT][CARDS_PER_HAND] = {};
    games::ChipRow m_chipRow;
    std::vector<cocos2d::ui::Widget*> m_areaWidgets;
    std::vector<cocos2d::ui::Widget*> m_areaMarks;
    games::ChipPile m_chipPile{kMostChipsPerArea};
    cocos2d::CCPoint m_handPoints[HAND_COUNT];
    int32_t m_myChair = -1;
    cocos2d::ui::TouchGroup* m_uiLayer = nullptr;
    cocos2d::ui::Widget* m_layout = nullptr;
    games::PhaseClock m_clock;
    int64_t m_selectedChip = 0;
    cocos2d::ui::ImageView* m_statusImage = nullptr;
    std::string m_statusTexture;
    uint8_t m_cardData[CARD_COUNT] = {};
    int32_t m_dealStartHand = -1;
    int32_t m_bankerChair = -1;
    uint8_t m_openMode = 0;
    // Hands the automatic opening opened this round.
    int32_t m_openIndex = 0;
    // The hand being dragged (kept apart from the opening's count).
    int32_t m_dragHand = -1;
    int64_t m_myGold = 0;
    games::AreaBets m_bets;
    cocos2d::CCLabelAtlas* m_areaTotalLabels[kMaxAreas] = {};
    cocos2d::CCLabelAtlas* m_myBetLabels[kMaxAreas] = {};
    uint8_t m_myBetFlags[kMaxAreas] = {};
    games::BankerScoreView* m_scoreView = nullptr;  // retained while shown
    uint8_t m_cardsLocked = 0;
    // The round was forced open (once a round).
    bool m_forcedOpen = false;
    cocos2d::CCSprite* m_handIcons[HAND_COUNT] = {};
    cocos2d::CCSprite* m_resultSprites[HAND_COUNT] = {};
    int32_t m_betState = kStateFree;
    cocos2d::ui::CheckBox* m_bankerCheckBox = nullptr;
    games::BankerPanel m_bankerPanel;
    games::BankerQueueList m_queue;
    uint8_t m_noChipNoticeShown = 0;
    uint8_t m_betFailedNoticeShown = 0;
    int64_t m_betLimit = 0;
    cocos2d::ui::Widget* m_manualOpenButton = nullptr;
    cocos2d::ui::Widget* m_autoOpenButton = nullptr;
    games::RecordListStrip m_records;
    std::string m_recordItemPicture;  // the strip keeps a pointer to it
    int64_t m_applyMinScore = -1;
    // My round scores summed since the board was made (cleared when the
    // banker changes).
    int64_t m_lastResult = 0;
    uint8_t m_joinedMidRound = 0;
    std::vector<DelayedBet> m_delayedBets;
};

template <class Scene>
void CTwoCardBoard::RestoreSceneAreas(const Scene& scene, bool writeSum)
{
    // Copied out of the packed record: per area, area 1 first.
    int64_t all[kMaxAreas] = {};
    int64_t mine[kMaxAreas] = {};
    static_assert(sizeof(scene.lAllBets) <= sizeof(all) && sizeof(scene.lMyBets) <= sizeof(mine), "areas");
    std::memcpy(all, scene.lAllBets, sizeof(scene.lAllBets));
    std::memcpy(mine, scene.lMyBets, sizeof(scene.lMyBets));
    RestoreAreas(all, mine, writeSum);
}

template <class Scene>
void CTwoCardBoard::RestoreBettingScene(const Scene& scene, bool writeSum)
{
    // The board may show another state of the table (a result) still.
    ClearTable();
    m_applyMinScore = scene.lApplyBankerCondition;
    m_betState = kStateBetting;
    m_joinedMidRound = 1;
    m_bankerChair = scene.wBankerUser;
    RefreshMyChair();
    SetStatusImage("status/freetime1.png");
    StartClock(scene.cbTimeLeave);
    UpdateBankerPanel(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    UpdateResultPanel(scene.wBankerUser, scene.lBankerTotalResult);
    UpdateMyPanel(0);
    RefreshOpenModeButtons(0);
    SetCheckBoxFromQueue();
    RestoreSceneAreas(scene, writeSum);
}

template <class Scene>
void CTwoCardBoard::RestoreResultScene(const Scene& scene, bool writeSum)
{
    ClearTable();
    m_bankerChair = scene.wBankerUser;
    m_applyMinScore = scene.lApplyBankerCondition;
    RefreshMyChair();
    UpdateBankerPanel(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    UpdateResultPanel(scene.wBankerUser, scene.lBankerTotalResult);
    UpdateMyPanel(0);
    LayOpenCards(&scene.cbTableCards[0][0]);

    m_betState = kStateResultScene;
    SetStatusImage("status/showtime.png");
    StartClock(scene.cbTimeLeave);
    RefreshOpenModeButtons(0);
    SetCheckBoxFromQueue();

    CTwoCardScoreView* view = CTwoCardScoreView::create(Res("GAME_END").c_str());
    if (view != nullptr)
        view->SetResult(scene);
    PlaceScoreView(view, m_shape.forcedScoreViewZ);

    RestoreSceneAreas(scene, writeSum);
    SetOpenModeButtons(false, false);
    StopHighlights();
}

}  // namespace TwoCardBanker
