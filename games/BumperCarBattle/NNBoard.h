// The table of the car-brand betting game (kind 108): eight areas, four car
// brands each as a big and a small car, inside a track of 32 badges; a car
// runs round the track and the badge it stops on wins.
//
// The layout "BumperCarBattle/NewUi_1/NewUi_1.ExportJson" gives the widgets,
// found by name in init. A badge's class is its index mod 8 (0 big bsj,
// 1 small bsj, 2 big bm, ...): the win counts, the win labels and the
// history images go by class; areas are numbered 1 to 8 in every message
// (big bsj, bm, bc, dz, then the small ones), so per-area arrays use
// area - 1 and AreaOfClass/ClassOfArea turn one into the other.
//
// Files: NNBoard.cpp (construction, layout, labels), NNBoardBetting.cpp
// (chips, bets by click and by drag, area highlights, banker list),
// NNBoardRound.cpp (the messages and scenes, the phase clock, the car run),
// NNBoardResult.cpp (track lights, history strip, win record, result panel
// and banners).
#pragma once

#include "CocoStudio.h"
#include "games/BumperCarBattle/BumperCarMessages.h"
#include "games/common/BankerPanel.h"
#include "games/common/Chips.h"
#include "games/common/PhaseClock.h"
#include "games/common/RecordStrip.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace BumperCarBattle {

class NNHandler;

class NNBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kChipButtons = 6;
    static constexpr int kChipValues[kChipButtons] = {100, 1000, 10000, 100000, 1000000, 5000000};
    // Round phases.
    enum Phase
    {
        kPhaseNone = 0,
        kPhaseBetting = 1,
        kPhaseResult = 2,
        kPhaseFree = 3,
        kPhaseFreeScene = 4,
        kPhasePlayScene = 5,
    };
    // Chips drawn on one area: its label keeps the exact amount.
    static constexpr size_t kMostChipsPerArea = 60;
    // An area's chips are this wide (the "jetton_" pictures; restored chips,
    // clones of the buttons, are scaled to it): within the chip boxes they
    // stay between my bet at the area's foot and the name bar on top.
    static constexpr float kTableChipSize = 32;
    // The widths an area's total (on the name bar, right of the longest
    // name) and my bet (across its foot) may take.
    static constexpr float kAreaTotalRoom = 70;
    static constexpr float kAreaMyBetRoom = 136;
    // The history strip's own columns in the layout.
    static constexpr int kLayoutColumns = 9;
    static constexpr int kCarZ = 2000;
    static constexpr int kMarkerZ = 1999;
    static constexpr int kBannerZ = 20;
    static constexpr int kResultPanelZ = 10;
    static constexpr int kResultPanelTag = 1988;
    // Tags of the actions that light a badge under the car.
    static constexpr int kUnderCarActionTag = 7301;

    NNBoard();
    ~NNBoard() override;
    static NNBoard* create();
    bool init() override;

    // --- messages (the handler checked their sizes, areas and slots) --------
    void OnGameFree(const FreeMessage& message);
    void OnGameStart(const RoundStartMessage& message);
    void OnPlaceBet(const BetPlacedMessage& message);
    void OnGameEnd(const RoundEndMessage& message);
    void OnApplyBanker(const ApplyBankerMessage& message);
    void OnChangeBanker(const ChangeBankerMessage& message);
    void AddRecordColumns(const RoundRecord& record);
    void CountRecord(const RoundRecord& record);
    void OnBetFailed(const BetFailedMessage& message);
    void OnCancelBanker(const CancelBankerMessage& message);
    // --- scenes ------------------------------------------------------------
    void OnSceneFree(const FreeScene& scene);
    void OnSceneBetting(const PlayScene& scene);
    void OnSceneResult(const PlayScene& scene);

    // --- bets and the banker --------------------------------------------------
    void UpdateChipButtons(bool disableAll);
    void OnChipButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnAreaButtonTouch(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchCancelled(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    // The point is on the content root.
    void HighlightAreaUnderPointer(const cocos2d::CCPoint& point);
    void FlashAreaTrackLights(int firstTrackIndex);
    void ClearAreaHighlights();
    void ResetAreaBets();
    void RefreshAreaBetLabels();
    void PlaceChipsForAmount(uint32_t area, int64_t amount);
    void AddAreaChip(const BetPlacedMessage& bet);
    void RemoveBankerCandidate(uint16_t chair);
    void OnApplyBankerButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnCancelBankerButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnBankButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnMouseMove(const cocos2d::CCPoint& point) override;
    void OnRButtonUp() override;
    // Maximised, the table scales to fit the play area as a seated game's does.
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;

    // --- labels ----------------------------------------------------------------
    void SetBankerScore(int64_t score);
    void SetMyScore(int64_t score);
    void SetMyMark(int64_t mark);
    void SetBankerTimes(int32_t times);
    void SetMyNickName(const std::string& gbk);
    void SetMyBetTotal(int64_t total);
    void SetBankerName(uint16_t chair);

    // --- the round -------------------------------------------------------------
    void RestartClock(int phase, int seconds);
    void OnClockTick(float dt);
    void StartCarRun(int stopSlot);
    void OnCarRunFinished(cocos2d::CCNode* node);

    // --- track lights, history, win record, result, banners ----------------------
    void StepTrackLight(cocos2d::CCNode* node);
    void LightTrackUnderCar(float dt);
    // Lights the badge under a car that stands (a table entered mid-round):
    // it stays lit until the car runs, with no clock of its own.
    void LightBadgeUnderParkedCar();
    // The track index of the badge under the car, or -1.
    int TrackIndexUnderCar() const;
    // The badge lit under a standing car goes out, unless it is the one at
    // `keep`; either way no badge counts as parked after.
    void PutOutParkedBadge(int keep);
    void FlashResultLight(float dt);
    void AddHistoryColumn(uint8_t trackIndex);
    void JumpHistoryToEnd(float dt);
    void OnHistoryLeft(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnHistoryRight(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void RefreshWinRecord();
    void ShowResultPanel(const RoundEndMessage& message);
    cocos2d::CCLabelTTF* CreateResultLabel(const char* text, float x, float y, cocos2d::CCTextAlignment alignment,
                                           const cocos2d::ccColor3B& colour);
    void ShowBigCarWin();
    void ShowSmallCarWin();
    void ShowGameEndBanner();
    void ShowChangeBankerBanner();
    void ShowPlaceJettonBanner();
    void ShowNode(cocos2d::CCNode* node);
    void HideNode(cocos2d::CCNode* node);
    void RemoveNode(cocos2d::CCNode* node);
    void OnChangeBankerBannerEnd(cocos2d::CCNode* node);
    void OnPlaceJettonBannerEnd(cocos2d::CCNode* node);

    // "BumperCarBattle/" + name.
    static std::string MakeResourcePath(const char* name);
    // A badge's class (index mod 8) and the area it wins, and back.
    static int AreaOfClass(int cls);
    static int ClassOfArea(int area);
    // The track point and the car's angle at a slot (1..32).
    static cocos2d::CCPoint TrackPoint(int slot);
    static float SlotAngle(int slot);
    // Seconds of each move of a run from `startSlot` to `stopSlot`, the first
    // (to the start slot itself) included.
    static std::vector<float> RunDurations(int startSlot, int stopSlot);

    // --- state, for the tests ----------------------------------------------------
    int GetPhase() const { return m_nPhase; }
    int GetTimeLeft() const { return m_Clock.Seconds(); }
    int GetCarSlot() const { return m_nCarSlot; }
    int GetLampSlot() const { return m_nLampSlot; }
    uint16_t GetBankerChair() const { return m_wBankerChair; }
    bool IsMeBanker() const { return m_cbMeBanker != 0; }
    int GetSelectedArea() const { return m_nSelectedArea; }
    int64_t GetAreaTotal(int area) const { return ValidArea(area) ? m_lAreaTotals[area - 1] : 0; }
    int64_t GetMyAreaBet(int area) const { return ValidArea(area) ? m_lMyAreaBets[area - 1] : 0; }
    int64_t GetMyRoundBet() const { return m_lMyRoundBet; }
    int64_t GetMyMark() const { return m_lMyMark; }
    int64_t GetApplyBankerMinimum() const { return m_lApplyMinimum; }
    int64_t GetBankerCondition() const { return m_lBankerCondition; }
    uint32_t GetWinCount(int cls) const { return cls >= 0 && cls < AREA_COUNT ? m_dwWinCounts[cls] : 0; }
    int GetHistoryColumn() const { return m_History.Count(); }
    const RoundEndMessage& GetStoredResult() const { return m_Result; }
    cocos2d::CCSprite* GetChipMarker() const { return m_pChipMarker; }
    cocos2d::CCSprite* GetCar() const { return m_pCar; }
    cocos2d::CCSprite* GetEndBackground() const { return m_pEndBackground; }
    cocos2d::ui::TouchGroup* GetUILayer() const { return m_pUILayer; }
    cocos2d::ui::Widget* GetWidget(const char* name) const;
    cocos2d::ui::Widget* GetChipButton(int index) const;
    cocos2d::ui::Widget* GetAreaButton(int area) const;
    cocos2d::ui::Widget* GetTrackBadge(int index) const;
    // Where the chips of an area (1..8) land in its button.
    static const games::ChipScatter& ChipBox(int area);
    cocos2d::ui::Widget* GetApplyButton() const { return m_pApplyButton; }
    cocos2d::ui::Widget* GetCancelButton() const { return m_pCancelButton; }
    cocos2d::ui::ListView* GetBankerList() const { return m_BankerQueue.List(); }
    const games::BankerQueueList& GetBankerQueue() const { return m_BankerQueue; }
    cocos2d::ui::ListView* GetHistoryList() const { return m_History.List(); }
    const games::ChipPile& GetChipPile() const { return m_Pile; }
    // The text of a label widget of the layout ("" when there is none).
    std::string LabelText(const char* name) const;

private:
    NNHandler* Handler() const;
    tagUserData* UserAt(uint16_t chair) const;
    void PreloadSounds();
    void Listen(cocos2d::ui::Widget* widget, cocos2d::ui::SEL_TouchEvent action);
    void SetLabel(const char* name, const std::string& text);
    void ShowBankerButtons(bool applyShown, bool cancelBright);
    // The I-am-banker flag and the banker buttons for a banker at the chair
    // (my cancel button bright or dim when he is me).
    void TakeBankerButtons(uint16_t banker, bool cancelBright);
    // A sound of the game's folder.
    void PlayEffect(const char* name);
    void PlayMusicOnce(const char* name);
    void SendBet(int area, int64_t amount);
    // Hides the chip marker and drops the selection (the arrow comes back).
    void DropChip();
    // The first area (in tag order) whose button holds the content-root point; 0 for none.
    int AreaAt(const cocos2d::CCPoint& point) const;
    void PlaceCar(int slot);
    // The scene's banker, with the banker buttons as the change of banker
    // gives them (my cancel button bright in free time, dim in a round).
    void RestoreBankerAndMe(uint16_t banker, uint16_t bankerTimes, int64_t bankerResult, bool cancelBright);
    // What the phase clock does at a second left of the phase.
    void OnPhaseSecond(int seconds);
    void ShowBanner(const char* picture, cocos2d::SEL_CallFuncN end);
    void ShowResultPanelAfter(float delay);

    // Widgets of the layout (owned by the scene graph).
    cocos2d::ui::TouchGroup* m_pUILayer = nullptr;
    cocos2d::ui::Widget* m_pLayout = nullptr;
    cocos2d::ui::Widget* m_pHistoryLeft = nullptr;
    cocos2d::ui::Widget* m_pHistoryRight = nullptr;
    cocos2d::ui::Widget* m_pApplyButton = nullptr;
    cocos2d::ui::Widget* m_pCancelButton = nullptr;
    std::vector<cocos2d::ui::Widget*> m_AreaButtons;  // area order
    cocos2d::ui::Widget* m_pTrackBadges[TRACK_SLOTS] = {};
    cocos2d::ui::Widget* m_pWinCorners[4] = {};
    // Nodes of the board (owned by the content root).
    cocos2d::CCSprite* m_pCar = nullptr;
    cocos2d::CCSprite* m_pEndBackground = nullptr;
    cocos2d::CCSprite* m_pChipMarker = nullptr;
    games::ChipRow m_Chips;
    // The chips on the areas, restored or live.
    games::ChipPile m_Pile{kMostChipsPerArea};
    games::BankerPanel m_BankerPanel;
    games::BankerQueueList m_BankerQueue;
    games::RecordListStrip m_History;
    games::PhaseClock m_Clock;

    int32_t m_nLampSlot = -1;
    int32_t m_nParkedBadge = -1;  // the badge lit under a standing car, or -1
    int32_t m_nSelectedArea = 0;
    int32_t m_nPhase = kPhaseNone;
    int32_t m_nCarSlot = 1;
    uint32_t m_dwWinCounts[AREA_COUNT] = {};
    uint16_t m_wBankerChair = NO_BANKER;
    uint8_t m_cbMeBanker = 0;
    int64_t m_lMyMark = 0;
    int64_t m_lMyRoundBet = 0;
    int64_t m_lAreaTotals[AREA_COUNT] = {};
    int64_t m_lMyAreaBets[AREA_COUNT] = {};
    int64_t m_lApplyMinimum = 0;
    int64_t m_lBankerCondition = 0;
    cocos2d::CCPoint m_ptPointer;  // content root
    RoundEndMessage m_Result = {};
};

}  // namespace BumperCarBattle
