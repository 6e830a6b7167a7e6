// The table of the horse race (kind 114): the clipped, scrolling track with
// six horse armatures, the starting fence and the start clock; over it the
// bet panel with fifteen areas (one per pair of horses), my panel and the
// chip cycle, the phase captions with their countdown, and the help,
// history and result panels.
//
// The layout "HorseBattle/UI/PaoMaUI/PaoMaUI.ExportJson" gives the panels,
// found by name and by tag in init. The handler (PaoMaHandler) keeps the
// round's bets and calls the board's operations; the board turns touches
// into bets through the handler's SendBets and runs the phases
// (SetGameState) with their music. Areas are 0 to 14, horses 0 to 5 (shown
// 1 to 6).
//
// Files: PaoMaBoard.cpp (construction, the phases, touches, my panel),
// PaoMaBoardRace.cpp (the track, the race, the finish, the ranking, the
// result and the history).
#pragma once

#include "CocoStudio.h"
#include "games/HorseBattle/HorseBattleMessages.h"
#include "games/HorseBattle/RaceCourse.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cocos2d {
class CCClippingNode;
namespace extension {
class CCArmature;
class CCScale9Sprite;
}  // namespace extension
}  // namespace cocos2d

namespace HorseBattle {

class PaoMaHandler;

class PaoMaBoard : public Sexy::CGameBoard
{
public:
    // The phases SetGameState knows.
    enum State
    {
        kStateFreeScene = 0,
        kStateFree = 100,
        kStateBetting = 101,
        kStateLineUp = 102,
        kStateRace = 103,
    };
    // Tags of the layout.
    static constexpr int kAreaButtonTag = 10001;  // + area
    static constexpr int kOddsLabelTag = 11001;
    static constexpr int kMyBetLabelTag = 12001;
    static constexpr int kWanSignTag = 18001;
    static constexpr int kHelpCloseTag = 111;
    static constexpr int kHistoryCloseTag = 13002;
    static constexpr int kHelpTag = 13004;
    static constexpr int kHistoryTag = 13005;
    static constexpr int kChipTag = 13006;
    static constexpr int kBankTag = 13007;
    static constexpr int kHistoryItemTag = 20001;  // + 0..5
    static constexpr int kHistoryItems = 7;
    // The chip cycle, in units of 10000.
    static constexpr int kChipCycle = 5;
    static constexpr int64_t kChipValues[kChipCycle] = {1, 5, 10, 99, 999};
    static constexpr int64_t kChipUnit = 10000;
    // The track.
    static constexpr float kTrackWidth = 1022;
    static constexpr float kTrackHeight = 742;
    static constexpr float kTableHeight = 728;
    static constexpr float kStartX = 40;
    static constexpr float kFinishLineX = 3665;
    // How far the ground scrolls in the race's 10 s: the finish line comes
    // to rest where a horse's nose is when it finishes.
    static constexpr float kGroundRun = kFinishLineX - 680;
    static constexpr float kFinishX = 625;
    static constexpr float kFinishReach = 1040;
    static constexpr float kRaceStep = 0.02f;
    static constexpr int kUILayerZ = 10000;
    static constexpr int kClockZ = 10000;

    PaoMaBoard();
    ~PaoMaBoard() override;
    static PaoMaBoard* create();
    bool init() override;
    // The once-a-second tick: countdown, captions, my panel, the chip, the ranking.
    void update(float dt) override;
    void ResetGameView() override;
    // Maximised, the table scales to fit the play area.
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;

    // --- what the handler calls -----------------------------------------------------
    void SetGameState(int state, float seconds);
    void SetRoundStatus(uint8_t status) { m_cbRoundStatus = status; }
    void SetMyViewChair(uint16_t view) { m_wMyViewChair = view; }
    // A bet (negative: a refund) of a player at a view position on an area.
    void AddAreaBet(uint16_t viewChair, uint8_t area, int64_t amount);
    void SetAreaTotal(uint8_t area, int64_t amount);
    // My bets and the areas' totals back to 0 (a scene brings them whole).
    void ClearRoundBets();
    // Nothing of a round that is over stays: my bets, the totals, what I
    // placed last, my result and the lit areas.
    void ClearRound();
    void SetAreaOdds(const uint32_t odds[AREA_COUNT]);
    void SetRaceResult(uint8_t first, uint8_t second);
    void SetRaceTables(const CourseTables& course) { m_Course = course; }
    void BuildRacePaths(const int32_t checkpoints[HORSE_COUNT][CHECKPOINTS]);
    void SetRoundResult(int64_t result) { m_lRoundResult = result; }
    void ResetRace();
    void ResetAreaButtons();
    // The chip bets are made with (units of 10000); 0 drops it.
    void SetChip(int64_t chip) { m_lSelectedChip = chip; }
    // The round just run, when it is newer than the last one kept; the
    // oldest goes past 20. A record of no area is not kept.
    void AddRoundToHistory(const RaceRecord& record);
    void AppendHistory(const RaceRecord& record);
    void ClearHistory() { m_History.clear(); }

    // --- touches ---------------------------------------------------------------------
    void OnTouchEvent(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType type);
    void OnResultClose(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType type);

    // --- the race (PaoMaBoardRace.cpp) ---------------------------------------------------
    void LineUpHorses();
    void ShowClock(float dt);
    void PlayReadyGo(float dt);
    void StartRace();
    void RunRaceEnd();
    void RaceStep(float dt);
    void ScheduleRaceSteps(float dt);
    void StopRaceSteps();
    void FinishRun();
    void FinishCheck(float dt);
    void RefreshRanking();
    void ShowResult();
    void RefreshHistory();

    // --- state, for the tests --------------------------------------------------------
    int GetCountdown() const { return m_nCountdown; }
    uint8_t GetRoundStatus() const { return m_cbRoundStatus; }
    uint16_t GetMyViewChair() const { return m_wMyViewChair; }
    int64_t GetChip() const { return m_lSelectedChip; }
    int64_t GetCycleValue() const { return m_lCycleValue; }
    int64_t GetMyBet(int area) const { return ValidArea(area) ? m_lMyBets[area] : 0; }
    int64_t GetAreaTotal(int area) const { return ValidArea(area) ? m_lAreaTotals[area] : 0; }
    int64_t GetLastPlaced(int area) const { return ValidArea(area) ? m_lLastPlaced[area] : 0; }
    uint32_t GetAreaOdds(int area) const { return ValidArea(area) ? m_dwAreaOdds[area] : 0; }
    int64_t GetRoundResult() const { return m_lRoundResult; }
    uint8_t GetFirstHorse() const { return m_cbFirstHorse; }
    uint8_t GetSecondHorse() const { return m_cbSecondHorse; }
    bool IsRacing() const { return m_cbRacing != 0; }
    const std::vector<RaceRecord>& GetHistory() const { return m_History; }
    const int32_t* GetPath(int horse) const { return horse >= 0 && horse < HORSE_COUNT ? m_nPaths[horse] : nullptr; }
    int GetStepIndex(int horse) const { return horse >= 0 && horse < HORSE_COUNT ? m_nStepIndex[horse] : 0; }
    cocos2d::CCPoint GetHorsePoint(int horse) const;
    float GetScroll() const { return m_fScroll; }
    Ranking GetRanking() const { return m_Ranking; }
    cocos2d::extension::CCArmature* GetHorse(int horse) const;
    cocos2d::extension::CCArmature* GetFence() const { return m_pFence; }
    cocos2d::extension::CCArmature* GetClock() const { return m_pClock; }
    cocos2d::CCNode* GetRankPanel() const { return m_pRankPanel; }
    cocos2d::CCLabelTTF* GetMyAreasLabel() const { return m_pMyAreasLabel; }
    cocos2d::CCClippingNode* GetTrack() const { return m_pTrack; }
    cocos2d::CCSprite* GetGround() const { return m_pGround; }
    cocos2d::ui::TouchGroup* GetUILayer() const { return m_pUILayer; }
    cocos2d::ui::Widget* GetWidget(const char* name) const;
    cocos2d::ui::Widget* GetWidgetByTag(int tag) const;
    cocos2d::ui::Widget* GetAreaButton(int area) const { return GetWidgetByTag(kAreaButtonTag + area); }
    cocos2d::ui::Label* GetFloatingLabel(int area) const { return ValidArea(area) ? m_pFloating[area] : nullptr; }
    cocos2d::ui::Widget* GetBetPanel() const { return m_pBetPanel; }
    cocos2d::ui::Widget* GetResultPanel() const { return m_pResultPanel; }
    cocos2d::ui::Widget* GetHistoryPanel() const { return m_pHistoryPanel; }
    cocos2d::ui::Widget* GetHelpPanel() const { return m_pHelpPanel; }
    cocos2d::ui::ListView* GetHistoryList() const { return m_pHistoryList; }
    // The text of a label widget of the layout ("" when there is none).
    std::string LabelText(const char* name) const;
    std::string LabelText(int tag) const;
    static bool ValidArea(int area) { return area >= 0 && area < AREA_COUNT; }

private:
    // What a press on an area did, for its release.
    enum PressOutcome
    {
        kPressNone,
        kPressSent,
        kPressRefused,
    };

    PaoMaHandler* Handler() const;
    const tagUserData* MyRecord() const;
    void InitStartPanel();
    void InitHistoryPanel();
    void InitResultPanel();
    void BindButtons();
    void BuildTrack();
    // My areas' plate as wide as its pairs need, within its room.
    void FitMyAreas();
    void StopMusic();
    void ShowBetPanel(bool show);
    void ShowResultPanel(bool show);
    void ShowHelp(bool show);
    void ShowHistory(bool show);
    void RefreshPhaseTexts();
    void RefreshMyPanel();
    void RefreshChipLabel();
    void StepChipCycle();
    void OnAreaPressed(int area);
    void OnAreaReleased(int area);
    void HideFloatingLabel(cocos2d::CCNode* label);
    void ClearRaceState();
    void PlaceHorses();
    // The history item k (made when the layout lacks it).
    cocos2d::ui::Widget* HistoryItem(int k);
    void SetLabel(cocos2d::ui::Widget* widget, const std::string& text);
    void StopClock();

    // Round.
    uint8_t m_cbRoundStatus = 0;
    uint16_t m_wMyViewChair = 0xFFFF;
    int32_t m_nCountdown = 0;
    float m_fTableWidth = 1024;
    float m_fTableHeight = kTableHeight;
    // Bets.
    int64_t m_lMyBets[AREA_COUNT] = {};
    int64_t m_lAreaTotals[AREA_COUNT] = {};
    int64_t m_lLastPlaced[AREA_COUNT] = {};
    int64_t m_lRoundResult = 0;
    uint32_t m_dwAreaOdds[AREA_COUNT] = {};
    PressOutcome m_ePress[AREA_COUNT] = {};
    // Chip.
    int64_t m_lSelectedChip = 1;
    int64_t m_lCycleValue = 1;
    uint32_t m_dwCycleIndex = 0;
    std::vector<RaceRecord> m_History;
    // Race.
    uint8_t m_cbRacing = 0;
    uint8_t m_cbFirstHorse = NO_HORSE;
    uint8_t m_cbSecondHorse = NO_HORSE;
    bool m_bFinishSounded = false;  // the finish's sounds played since the last phase began
    CourseTables m_Course;
    int32_t m_nPaths[HORSE_COUNT][kPathSteps] = {};
    int32_t m_nStepIndex[HORSE_COUNT] = {};
    // The six horses' points, then two rows of lane points.
    cocos2d::CCPoint m_ptHorses[18];
    float m_fScroll = 0;
    float m_fStepTime = 0;  // counted towards the next race step
    Ranking m_Ranking;
    // Widgets and nodes.
    cocos2d::ui::TouchGroup* m_pUILayer = nullptr;
    cocos2d::ui::Widget* m_pBetPanel = nullptr;
    cocos2d::ui::Widget* m_pHelpPanel = nullptr;
    cocos2d::ui::Widget* m_pHistoryPanel = nullptr;
    cocos2d::ui::ListView* m_pHistoryList = nullptr;
    cocos2d::ui::Widget* m_pResultPanel = nullptr;
    cocos2d::ui::Widget* m_pWinBox = nullptr;
    cocos2d::ui::Label* m_pFloating[AREA_COUNT] = {};
    cocos2d::ui::ImageView* m_pWhite = nullptr;
    cocos2d::CCClippingNode* m_pTrack = nullptr;
    cocos2d::CCSprite* m_pGround = nullptr;
    cocos2d::CCNode* m_pRankPanel = nullptr;
    cocos2d::CCSprite* m_pRankImages[2] = {};
    cocos2d::extension::CCScale9Sprite* m_pMyAreasBox = nullptr;
    cocos2d::CCLabelTTF* m_pMyAreasLabel = nullptr;
    cocos2d::extension::CCArmature* m_pFence = nullptr;
    cocos2d::extension::CCArmature* m_pHorses[HORSE_COUNT] = {};
    cocos2d::extension::CCArmature* m_pClock = nullptr;
};

}  // namespace HorseBattle
