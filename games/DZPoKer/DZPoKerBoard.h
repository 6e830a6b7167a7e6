// Texas hold'em's table: the framework's board with the game's interface
// file (DZShowHand/DZPokerUI/DZPokerUI.json) on top, the centre and hole
// cards, my action buttons and the add panel, the seats' action signs,
// dealer marks and score plates, the chips that fly (MoveChipAnimation), the
// pot (DZPokerColorChip) and the turn timer (DZPokerProTimer).
//
// The handler drives it and it reads the handler's state (the module's
// handler). Chairs are 0..5; "view" is a chair turned to my view (0 = me).
// Positions are in the content root's space (the 1000 x 700 table).
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"
#include "games/DZPoKer/DZPoKerMessages.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace DZPoKer {

class DZPokerCardSprite;
class DZPokerColorChip;
class DZPokerProTimer;
class DZPoKerHandler;
class MoveChipAnimation;

class DZPoKerBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kUILayerZOrder = 3000000;
    static constexpr int kChipZOrder = 10000;
    static constexpr int kDealerZOrder = 1000000;
    static constexpr int kWaitingZOrder = 100000;
    static constexpr int kWaitingTag = 2121;
    // How far the framework's seat panel of another player stands above the
    // seat point. The banner, its words and the winner's frame draw 50 below
    // the seat point (as mine do below my face), so the panel over them
    // rises half its height, half the banner strip and a gap, less those 50.
    static constexpr float kSeatPanelRise = 20;
    static constexpr float kFrameDelay = 0.15f;  // each frame of the table's animations
    static constexpr int kAddTypeTagBase = 9999;  // add buttons 9999..10001: kinds 1..3
    static constexpr int kActionButtons = 5;      // give up, pass, follow, add, all in
    static constexpr int kGiveUpButton = 0;
    static constexpr int kPassButton = 1;
    static constexpr int kFollowButton = 2;
    static constexpr int kAddButton = 3;
    static constexpr int kAllInButton = 4;

    static DZPoKerBoard* create();
    DZPoKerBoard();
    ~DZPoKerBoard() override;
    bool init() override;

    // --- the framework's slots -----------------------------------------------
    void ResetGameView() override;
    // Effects off the table; chips are placed without labels again.
    void ResetGameViewEx() override;
    void LayoutMyInfo(Sexy::CBoardDrawUserData* panel) override;
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;

    // --- my actions and the seats' signs ----------------------------------------
    // Shows my buttons for the mask half a second later.
    void ShowMyActions(int32_t mask);
    void ShowAddScorePanel(bool show);
    void ShowSeatAction(uint16_t view, int32_t actionCode);
    // The panel of buttons shows; the button answers touches (its own
    // visibility stays).
    void ShowActionButton(int index, bool show);
    void OnActionButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnAddTypeButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    // The add panel's callback: pops the three add buttons in one by one.
    void PopAddButtons();
    void OnCardStyleButton(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    void OnCardStylePanel(cocos2d::CCObject* sender, cocos2d::ui::TouchEventType event);
    // 999, 4.5k, 4.56w, 45.6w, 1000w: digits are dropped, never rounded.
    static std::string FormatShortAmount(int64_t amount);

    // --- dealing, cards and bets --------------------------------------------------
    void StartDeal();
    void DealHoleCards();
    void RestoreHoleCards();
    // Every playing chair's two hole cards face up (the handler's bytes).
    void ShowHoleCards(uint16_t chair);
    void ShowBoardCards(int count);
    // index != 0 turns that one card; else the cards [first, end).
    void DealBoardCards(int index, int first, int end);
    void FlipBoardCard(cocos2d::CCNode* sender, void* index);
    void ShowDealerMark(uint16_t chair);
    void HideSeatAction(uint16_t chair);
    void ShowWaitingAnimation();
    void HideWaitingAndShowStart(int unused);
    void SetTotalBet(uint16_t chair, int64_t amount);
    void ShowPot(int64_t amount);
    // Chair INVALID_CHAIR zeroes the table bets and moves nothing.
    void SetTableBet(uint16_t chair, int64_t amount);
    void ShowGiveUp(uint16_t chair, int64_t amount, bool flyChips);
    void GatherBetsToPot(int64_t pot);
    void OnGatherBets(float);
    void ShowTableChips(uint16_t view, int64_t amount);
    void FlySeatChips(uint16_t view, int64_t amount);
    void SetChipPlacement(bool placed) { m_bChipPlaced = placed; }
    bool IsChipPlacement() const { return m_bChipPlaced; }

    // --- results --------------------------------------------------------------------
    void SetPotList(const int64_t pots[MAX_POT_COUNT], uint32_t count);
    // What the game end tells of each chair.
    void SetGameResult(const uint8_t bestFive[GAME_PLAYER][HAND_CARD_COUNT], const uint8_t handClass[GAME_PLAYER],
                       const uint8_t potCount[GAME_PLAYER], const uint8_t potIndex[GAME_PLAYER][MAX_POT_COUNT]);
    void ShowHandClass(uint16_t chair);
    void HighlightBestFive(uint16_t chair);
    void ShowGameScores();
    void ShowWinScore(uint16_t chair, int64_t amount);
    void ShowWinner(uint16_t chair);
    void ShowWinAnimation(uint16_t view);
    void ShowHandType(uint8_t handClass);

    // --- seats, timer, effects -------------------------------------------------------
    void StartTurnTimer(uint16_t chair);
    void StopTurnTimer();
    void ClearSeat(uint16_t chair);
    void ClearTableEffects();
    // The table before a scene draws it: nothing of an earlier hand or
    // scene, no buttons of mine, no timer.
    void ClearForScene();

    // --- parts, for the tests and the benchmark ------------------------------------
    cocos2d::ui::TouchGroup* GetUILayer() const { return m_pUILayer; }
    cocos2d::ui::Widget* GetWidget(const char* name) const;
    cocos2d::ui::Button* GetActionButton(int index) const { return m_pActionButton[index]; }
    cocos2d::ui::Button* GetAddTypeButton(int index) const { return m_pAddTypeButton[index]; }
    cocos2d::ui::Label* GetFollowLabel() const { return m_pFollowLabel; }
    cocos2d::ui::Widget* GetButtonPanel() const { return m_pButtonPanel; }
    cocos2d::ui::Widget* GetAddScorePanel() const { return m_pAddScorePanel; }
    bool IsAddPanelOpen() const { return m_bAddPanelOpen; }
    DZPokerCardSprite* GetHoleCard(uint16_t chair, int index) const { return m_pHoleCard[chair][index]; }
    DZPokerCardSprite* GetCenterCard(int index) const { return m_pCenterFace[index]; }
    DZPokerCardSprite* GetCenterBack(int index) const { return m_pCenterBack[index]; }
    cocos2d::ui::ImageView* GetSeatActionSign(uint16_t view) const { return m_pStateImage[view]; }
    cocos2d::CCSprite* GetDealerMark(uint16_t view) const { return m_pDealerMark[view]; }
    cocos2d::CCSprite* GetScorePlate(uint16_t view) const { return m_pScorePlate[view]; }
    cocos2d::CCLabelTTF* GetScoreLabel(uint16_t view) const { return m_pScoreLabel[view]; }
    MoveChipAnimation* GetChipLayer() const { return m_pChipLayer; }
    cocos2d::CCSprite* GetMyCoinPlate() const { return m_pMyCoinPlate; }
    DZPokerColorChip* GetPotChips() const { return m_pPotChips; }
    DZPokerProTimer* GetTurnTimer() const { return m_pTurnTimer; }
    const cocos2d::CCPoint& GetSeatPoint(uint16_t view) const { return m_ptSeat[view]; }
    const cocos2d::CCPoint& GetHoleCardPoint(uint16_t view, int index) const { return m_ptHoleCard[view * 2 + index]; }
    const cocos2d::CCPoint& GetTableChipPoint(uint16_t view) const { return m_ptTableChip[view]; }
    cocos2d::CCSprite* GetWaitingAnimation() const { return m_pWaiting; }
    cocos2d::CCSprite* GetWinnerMark() const { return m_pWinnerMark; }
    cocos2d::CCSprite* GetHandTypePicture() const { return m_pHandTypePicture; }
    cocos2d::CCSprite* GetHandTypeText() const { return m_pHandTypeText; }
    const std::vector<cocos2d::CCNode*>& GetResultNodes() const { return m_ResultNodes; }
    const std::vector<uint16_t>& GetWinnerViews() const { return m_WinnerViews; }
    int32_t GetShownMask() const { return m_nShownMask; }
    int64_t GetTableBet(uint16_t view) const { return m_lTableBet[view]; }
    int64_t GetTotalBet(uint16_t chair) const { return m_lTotalBet[chair]; }
    int64_t GetStoredPot() const { return m_lPot; }
    uint32_t GetPotCount() const { return m_dwPotCount; }
    bool IsDealAllFive() const { return m_bDealAllFive; }

private:
    DZPoKerHandler* Handler() const;
    // A chair turned to my view; 0 without a kernel.
    uint16_t ViewOf(uint16_t chair) const;
    // Where a view's seat is: "Image_Me_0" for me, the stored seat points else.
    cocos2d::CCPoint SeatPointOf(uint16_t view) const;
    template <typename T>
    T* Take(const char* name) const
    {
        return dynamic_cast<T*>(GetWidget(name));
    }
    void BuildSeats();
    void BuildCards();
    void BuildMarks();
    void TakeAddScorePanel();
    void OnShowMyActions(float);
    void OnHighlightBestFive(float);
    void OnShowGameScores(float);
    void OnDistributePots(float);
    void OnShowWinner(float);
    void OnStartTurnTimer(float);
    void OnStopTurnTimer(float);
    void OnDealHoleCards(float);
    void OnMyCardArrived(cocos2d::CCNode* card, void* index);
    void OnOtherCardArrived(cocos2d::CCNode* card, void* index);
    void SetChipSeatPoints();
    // Sends the card sprites back to the deck: hidden, small, turned.
    void ResetHoleCards();
    void EnableAddType(int index, bool enable);

    cocos2d::ui::TouchGroup* m_pUILayer = nullptr;
    cocos2d::ui::Widget* m_pRootWidget = nullptr;
    cocos2d::ui::Widget* m_pButtonPanel = nullptr;
    cocos2d::CCPoint m_ptButtonPanel;
    cocos2d::ui::Button* m_pActionButton[kActionButtons] = {};
    cocos2d::ui::Widget* m_pAddScorePanel = nullptr;
    cocos2d::ui::Button* m_pAddTypeButton[3] = {};
    cocos2d::ui::Label* m_pAddTypeLabel[3] = {};
    bool m_bAddPanelOpen = false;
    int m_nPopStep = 0;
    cocos2d::ui::Label* m_pFollowLabel = nullptr;
    cocos2d::ui::Widget* m_pCardStyleButton = nullptr;
    cocos2d::CCPoint m_ptCardStyleButton;
    cocos2d::ui::Widget* m_pCardStylePanel = nullptr;
    cocos2d::ui::Widget* m_pCardStyleImage = nullptr;
    cocos2d::CCPoint m_ptCardStyleImage;
    cocos2d::CCSprite* m_pMyCoinPlate = nullptr;  // my seat's plates, made with my first panel

    // Per view: the seat's widgets.
    cocos2d::ui::Widget* m_pSeatImage[GAME_PLAYER] = {};
    cocos2d::ui::Label* m_pAllCoinLabel[GAME_PLAYER] = {};  // views 1..5
    cocos2d::ui::Label* m_pNameLabel[GAME_PLAYER] = {};
    cocos2d::ui::Widget* m_pCoinImage[GAME_PLAYER] = {};
    cocos2d::ui::Label* m_pCoinLabel[GAME_PLAYER] = {};
    cocos2d::ui::ImageView* m_pStateImage[GAME_PLAYER] = {};
    cocos2d::CCSprite* m_pScorePlate[GAME_PLAYER] = {};
    cocos2d::CCLabelTTF* m_pScoreLabel[GAME_PLAYER] = {};
    cocos2d::CCSprite* m_pDealerMark[GAME_PLAYER] = {};
    cocos2d::CCPoint m_ptSeat[GAME_PLAYER];
    cocos2d::CCPoint m_ptHoleCard[GAME_PLAYER * 2];
    cocos2d::CCPoint m_ptTableChip[GAME_PLAYER];

    // Centre cards: each slot a face and a back sprite.
    cocos2d::ui::Widget* m_pCardSlot[MAX_CENTER_COUNT] = {};
    DZPokerCardSprite* m_pCenterFace[MAX_CENTER_COUNT] = {};
    DZPokerCardSprite* m_pCenterBack[MAX_CENTER_COUNT] = {};
    // Hole cards per chair.
    DZPokerCardSprite* m_pHoleCard[GAME_PLAYER][HOLE_CARD_COUNT] = {};

    MoveChipAnimation* m_pChipLayer = nullptr;
    DZPokerColorChip* m_pPotChips = nullptr;
    DZPokerProTimer* m_pTurnTimer = nullptr;
    cocos2d::CCSprite* m_pWaiting = nullptr;
    cocos2d::CCSprite* m_pWinnerMark = nullptr;
    cocos2d::CCSprite* m_pHandTypeContainer = nullptr;
    cocos2d::CCSprite* m_pHandTypeText = nullptr;
    cocos2d::CCSprite* m_pHandTypePicture = nullptr;

    // The hand in progress and its result.
    int32_t m_nShownMask = 0;
    int64_t m_lTableBet[GAME_PLAYER] = {};  // per view
    int64_t m_lTotalBet[GAME_PLAYER] = {};  // per chair
    int64_t m_lPot = 0;
    int64_t m_lPotList[MAX_POT_COUNT] = {};
    uint32_t m_dwPotCount = 0;
    bool m_bDealAllFive = false;
    bool m_bChipPlaced = false;
    uint8_t m_cbBestFive[GAME_PLAYER][HAND_CARD_COUNT] = {};
    uint8_t m_cbHandClass[GAME_PLAYER] = {};
    uint8_t m_cbPotWon[GAME_PLAYER] = {};
    uint8_t m_cbPotIndex[GAME_PLAYER][MAX_POT_COUNT] = {};
    std::vector<uint16_t> m_WinnerViews;
    std::vector<uint16_t> m_PotWinners[MAX_POT_COUNT];  // chairs
    uint16_t m_wHighlightChair = INVALID_CHAIR;
    std::vector<DZPokerCardSprite*> m_HighlightCards;
    std::vector<cocos2d::CCNode*> m_ResultNodes;
    uint16_t m_wWinnerChair = INVALID_CHAIR;
    int m_nTimerChair = -1;
};

}  // namespace DZPoKer
