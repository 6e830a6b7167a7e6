// The table of the four-beast wheel (kind 404): a wheel of sixteen points
// carrying four beasts and twelve small ones, eight betting areas with their
// totals, six chips, the banker's panel and queue, my panel, the strip of
// past results and the phase clock.
//
// The layout "TransferBattle/NewUi_1/NewUi_1.ExportJson" gives the widgets,
// found by name in init. The handler calls the message and scene methods;
// they keep the round (phase, clock, banker, bets, records) and draw it.
// Areas are 1 to 8 in every message and call, so arrays by area use
// area - 1; wheel points are 0 to 15 and records point + 1.
//
// Files: NNBoard.cpp (construction, layout and the player's input),
// NNBoardRound.cpp (the messages and scenes, chips, banker panel and queue,
// clock), NNBoardWheel.cpp (the wheel run, the stop, the beasts, the
// records and the result panel).
#pragma once

#include "CocoStudio.h"
#include "games/TransferBattle/TransferBattleMessages.h"
#include "games/common/BankerBetting.h"
#include "games/common/BankerPanel.h"
#include "games/common/Chips.h"
#include "games/common/CreateNode.h"
#include "games/common/PhaseClock.h"
#include "games/common/RecordStrip.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TransferBattle {

class CScoreView;
class NNHandler;

class NNBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kChipButtons = 6;
    static constexpr int kChipValues[kChipButtons] = {100, 1000, 10000, 100000, 1000000, 5000000};
    static constexpr int kAreaTagStep = 10000;  // area widget tag = area x 10000
    // Items the layout's record strip holds before it grows.
    static constexpr int kRecordItems = 17;
    // Z orders on the content root.
    static constexpr int kAreaLabelZ = 50;
    static constexpr int kEndBackgroundZ = 60;
    static constexpr int kDialZ = 61;  // the end dial turns between the end background and the banners
    static constexpr int kBannerZ = 62;
    static constexpr int kBeastZ = 63;
    static constexpr int kScoreViewZ = 10000;
    // The phase's sign on the content root.
    static constexpr int kPhaseSignTag = 7301;
    // Seconds of the wheel's light tick and of the wait for the result panel.
    static constexpr float kWheelTick = 0.009f;
    static constexpr float kScoreViewDelay = 8.0f;
    // The clock hides the banners when it reaches this.
    static constexpr int kBannerClock = 5;

    NNBoard();
    ~NNBoard() override;
    static NNBoard* create() { return games::CreateNode<NNBoard>(); }
    bool init() override;

    // --- messages (the handler checked their sizes and values) -----------
    void OnGameFree(const FreeMessage& message);
    void OnGameStart(const RoundStartMessage& message);
    void OnPlaceBet(const BetPlacedMessage& message);
    void OnGameEnd(const RoundEndMessage& message);
    void OnApplyBanker(uint16_t chair);
    void OnChangeBanker(const ChangeBankerMessage& message);
    void OnRecord(uint8_t record);
    void OnBetFailed(const BetFailedMessage& message);
    void OnCancelBanker(uint16_t chair);
    void ShowNoBanker();
    // --- scenes ------------------------------------------------------------
    void OnSceneFree(const FreeScene& scene);
    void OnSceneBetting(const PlayScene& scene);
    void OnSceneResult(const PlayScene& scene);

    // --- touches -------------------------------------------------------------
    void OnChipButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnBetArea(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnApplyBankerButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnCancelBankerButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnRecordScrollBack(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnRecordScrollForward(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    // The banker queue's arrows: one row up or down.
    void OnQueueScrollUp(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnQueueScrollDown(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnBankButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);

    // --- framework slots -------------------------------------------------------
    // Stops the wheel's light tick.
    void ResetGameView() override;
    // Drops the chip selection.
    void OnRButtonUp() override;
    // Maximised, the table scales to fit the play area.
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;

    // --- round parts -------------------------------------------------------------
    // 0xFFFF round count and -1 result keep what the panel shows.
    void SetBankerInfo(uint16_t chair, uint32_t bankerTimes, int64_t bankerResult);
    // My name and score from my record, then the queue without those below the minimum.
    void UpdateMyInfo();
    void UpdateChipButtons(int64_t limit);
    void AddBankerListItem(uint16_t chair);
    void RemoveBankerListItem(uint16_t chair);

    // --- the wheel and the result --------------------------------------------------
    // Runs the light to the point the slot names (the handler checked 0 to 16).
    void StartWheel(uint8_t winSlot);
    void AppendRecord();
    void ShowScoreView(float dt);

    // --- scheduled selectors and action callbacks --------------------------------
    void OnClockTick(float dt);
    void OnWheelTick(float dt);
    void OnWheelStopped();
    void ScrollRecordsToEnd(float dt);

    // --- pure parts, for the tests ---------------------------------------------------
    // The wheel point a winning slot stops at (0 to 15 for slots 0 to 16).
    static int StopPointOf(int winSlot);
    // The seconds of each of the run's moves to a stop point: N + 1 of them
    // for N = point + 48 (three turns and the point), none below 0.
    static std::vector<float> WheelMoveDurations(int stopPoint);
    // The beast of a point (0 xuanwu, 1 qinglong, 2 baihu, 3 zhuque) or -1.
    static int BeastOfPoint(int point);
    // Which banner a point shows: its index in the banners field (0 to 7).
    static int BannerOfPoint(int point);
    // The record picture of a record (point + 1, 1 to 16).
    static const char* RecordPicture(int record);
    static const cocos2d::CCPoint& WheelPoint(int point);

    // --- state, for the tests ------------------------------------------------------
    int GetCountdown() const { return m_Clock.Seconds(); }
    bool IsFreeTime() const { return m_bFreeTime; }
    int32_t GetBankerChair() const { return m_nBankerChair; }
    int32_t GetMyChair() const { return m_nMyChair; }
    int32_t GetSelectedChip() const { return m_nSelectedChip; }
    int32_t GetStopPoint() const { return m_nStopPoint; }
    int32_t GetRecordCount() const { return m_Records.Count(); }
    int64_t GetBankerScore() const { return m_lBankerScore; }
    int64_t GetBankerMinimum() const { return m_lBankerMinimum; }
    int64_t GetMyScore() const { return m_lMyScore; }
    int64_t GetAreaTotal(int area) const { return m_Bets.Total(area); }
    int64_t GetMyBet(int area) const { return m_Bets.Mine(area); }
    const RoundEndMessage& GetLastResult() const { return m_LastResult; }
    cocos2d::ui::TouchGroup* GetUILayer() const { return m_pUILayer; }
    cocos2d::ui::Widget* GetWidget(const char* name) const;
    // The text of a label widget of the layout ("" when there is none).
    std::string LabelText(const char* name) const;
    cocos2d::ui::Widget* GetChipButton(int index) const;
    cocos2d::ui::Widget* GetArea(int area) const;
    cocos2d::ui::Widget* GetApplyButton() const { return m_pApplyButton; }
    cocos2d::ui::Widget* GetCancelButton() const { return m_pCancelButton; }
    cocos2d::ui::ListView* GetBankerList() const { return m_Queue.List(); }
    cocos2d::ui::ListView* GetRecordList() const { return m_Records.List(); }
    cocos2d::ui::Widget* GetSlotLight(int point) const;
    cocos2d::CCLabelAtlas* GetTotalLabel(int area) const;
    cocos2d::CCLabelAtlas* GetOwnLabel(int area) const;
    cocos2d::CCSprite* GetMarker() const { return m_pMarker; }
    cocos2d::CCSprite* GetEndBackground() const { return m_pEndBackground; }
    cocos2d::CCSprite* GetBanner(int index) const;
    CScoreView* GetScoreView() const { return m_pScoreView; }
    bool IsWheelRunning() const;
    // Where a widget of the layout lies on the content root.
    cocos2d::CCPoint ContentPoint(cocos2d::ui::Widget* widget) const;

private:
    static bool ValidArea(int area) { return area >= 1 && area <= AREA_COUNT; }
    NNHandler* Handler() const;
    void SetupChipsAndAreas();
    void Listen(cocos2d::ui::Widget* widget, cocos2d::ui::SEL_TouchEvent action);
    void SetLabel(const char* name, const std::string& text);
    tagUserData* UserAt(int chair) const;
    bool IsMeBanker() const { return m_nMyChair >= 0 && m_nBankerChair == m_nMyChair; }
    void RefreshMyChair();
    void ShowPhaseSign(const char* picture);
    void SetQueueButtons();
    void HideAreaLabels();
    // Nothing of a round that is over: no result panel, no chip chosen or
    // usable, no bets or amounts.
    void ClearRound();
    void ShowAreaImages(bool show);
    void ShowAmount(cocos2d::CCLabelAtlas* label, int64_t amount);
    // The refused-bet notice, once a round, and the chip selection dropped.
    void ShowNoChipNotice();
    void DropChipSelection();
    void RemoveScoreView();
    void HideBanners();
    // The stop: flash, banners and the beast's animation at a point.
    void PlayStopFlash(int point);
    void ShowSlotBanners(int point);
    void PlayBeastAnimation(int point);
    void PlayEndDial();
    // The sprite runs the frames `format` first..last `loops` times at 0.1 s
    // a frame (its own picture back at the end), then `after`.
    static void RunFrames(cocos2d::CCSprite* sprite, const char* format, int first, int last, int loops,
                          cocos2d::CCFiniteTimeAction* after);

    int32_t m_nStopPoint = 0;
    int32_t m_nMyChair = -1;
    int32_t m_nSelectedChip = 0;
    int32_t m_nBankerChair = -1;
    int32_t m_nRunStart = 1;
    uint8_t m_cbRecordValue = 0;
    bool m_bFreeTime = false;
    int64_t m_lBankerScore = 0;
    int64_t m_lBankerMinimum = -1;
    int64_t m_lMyScore = 0;
    games::AreaBets m_Bets{AREA_COUNT};
    cocos2d::CCSprite* m_pMarker = nullptr;
    cocos2d::CCSprite* m_pEndBackground = nullptr;
    cocos2d::CCSprite* m_pBanners[8] = {};
    cocos2d::ui::TouchGroup* m_pUILayer = nullptr;
    cocos2d::ui::Widget* m_pApplyButton = nullptr;
    cocos2d::ui::Widget* m_pCancelButton = nullptr;
    cocos2d::ui::Widget* m_pAreaImages[AREA_COUNT] = {};
    cocos2d::CCLabelAtlas* m_pTotalLabels[AREA_COUNT] = {};
    cocos2d::CCLabelAtlas* m_pOwnLabels[AREA_COUNT] = {};
    std::vector<cocos2d::CCPoint> m_WheelPoints;
    games::ChipRow m_Chips;
    games::BankerPanel m_BankerPanel;
    games::BankerQueueList m_Queue;
    games::RecordListStrip m_Records;
    games::PhaseClock m_Clock;
    RoundEndMessage m_LastResult = {};
    CScoreView* m_pScoreView = nullptr;
    // The chip button the player chose (null when none): a refused bet and
    // a limit that allows no chip drop it, with the notice once a round.
    cocos2d::ui::Widget* m_pSelectedChipButton = nullptr;
    bool m_bNoticeShown = false;
};

}  // namespace TransferBattle
