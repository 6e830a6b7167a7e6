// The table of San Gong (kind 9): six seats of three cards round a banker.
//
// A round: the robbing sign and my rob buttons (sub 106), the banker mark
// and the betting sign with my three bet buttons (sub 100), a chip per bet
// (sub 101), the deal and the show-cards sign with my show and hand-sign
// buttons (sub 103), the shows (sub 105), then the result: every hand face
// up with its sign, the result view and the start button (sub 104). The
// handler calls one operation per message; the scenes restore the table.
#pragma once

#include "games/ThreeKing/GameLogic.h"
#include "games/ThreeKing/ThreeKingMessages.h"
#include "games/framework/GameBoard.h"
#include "games/framework/UserData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Sexy {
class CardSprite;
}

namespace ThreeKing {

class CScoreView;
class NNHandler;

// "ThreeKing/" + name.
std::string ThreeKingResPath(const char* name);

class NNBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kSeats = GAME_PLAYER;
    static constexpr int kCards = MAX_COUNT;
    static constexpr float kCardSpacing = 17;
    static constexpr int kRobButtonTag = 230;
    static constexpr int kNoRobButtonTag = 231;
    static constexpr int kWaitAnimationTag = 2121;
    static constexpr int kBankerMarkZOrder = 5000;
    static constexpr int kRestoredBankerMarkZOrder = 10000;
    static constexpr int kHandSignZOrder = 500;
    static constexpr int kDealtMyCardZOrder = 100;
    static constexpr int kDealtCardZOrder = 90;
    static constexpr int kScoreViewZOrder = 1000000;
    static constexpr int kWaitZOrder = 1000;
    static constexpr int kChipAmountFontSize = 25;
    // What a chip's amount leaves of the chip's width, over its rounded ends.
    static constexpr float kChipAmountMargin = 12;

    // The three state signs.
    enum Sign
    {
        kSignCall = 0,   // robbing the banker
        kSignOpen = 1,   // showing the cards
        kSignScore = 2,  // betting
        kSignCount = 3
    };

    NNBoard();
    ~NNBoard() override;
    static NNBoard* create();
    bool init() override;
    void ResetGameView() override;
    void LayoutMyInfo(Sexy::CBoardDrawUserData* panel) override;

    // --- the messages (their sizes checked by the handler) ---------------
    void OnSubBankerSet(const CMD_S_BankerSet& message);
    void OnSubAddScore(const CMD_S_AddScore& message);
    void OnSubHideActions(const CMD_S_HideActions& message);
    void OnSubSendCard(const CMD_S_SendCard& message);
    void OnSubGameEnd(const CMD_S_GameEnd& message);
    void OnSubOpenCard(const CMD_S_OpenCard& message);
    void OnSubCallBanker(const CMD_S_CallBanker& message);

    // --- what the scenes and the clocks use ------------------------------
    // The table of no round: what the start button clears, with every
    // button of mine gone and no banker.
    void ClearTable();
    void ShowRobButtons(bool show);
    // The show and hand-sign buttons.
    void ShowOpenButtons(bool show);
    void ShowBetButtons(bool show);
    // Three bet buttons of the maximum bet / 1, / 2 and / 3 (tags 1 to 3),
    // in place of any made before.
    void CreateBetButtons();
    // The chair's chip with the amount, at once on its target.
    void PlaceBetChip(uint16_t chair, int64_t amount);
    // Every chair in play in the scene copy face down at its place, mine
    // face up while I play.
    void RestoreCards();
    void ShowWaitAnimation();
    // The six table users again from the kernel (copies: a user who leaves
    // keeps his row of the round's result).
    void RefreshTableUsers();
    void SetMaxScore(int64_t score) { m_lMaxScore = score; }
    void SetBankerChair(uint16_t chair) { m_wBankerChair = chair; }
    void TakeCards(const uint8_t (&cards)[GAME_PLAYER][MAX_COUNT]);
    // The mark at the banker's seat at once, over the table.
    void PlaceBankerMark(uint16_t chair);
    void ShowStateSign(Sign sign);

    // --- buttons -------------------------------------------------------------
    void OnRobButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnBetButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnShowButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnMyTypeButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);

    // --- state and parts, for the tests ----------------------------------
    int64_t GetMaxScore() const { return m_lMaxScore; }
    int64_t GetMyBet() const { return m_lMyBet; }
    int64_t GetLastBet() const { return m_lLastBet; }
    uint16_t GetBankerChair() const { return m_wBankerChair; }
    bool IsOwnSignOnly() const { return m_cbOwnSign != 0; }
    bool IsInPlay(uint16_t chair) const { return chair < kSeats && m_cbInPlay[chair] != 0; }
    uint8_t GetCard(uint16_t chair, int i) const;
    Sexy::CardSprite* GetCardSprite(uint16_t chair, int i) const;
    cocos2d::CCSprite* GetChip(uint16_t chair) const { return chair < kSeats ? m_pChips[chair] : nullptr; }
    cocos2d::CCSprite* GetBankerMark() const { return m_pBankerMark; }
    cocos2d::CCSprite* GetStateSign(Sign sign) const { return sign < kSignCount ? m_pStateSigns[sign] : nullptr; }
    cocos2d::CCSprite* GetWaitAnimation() const { return m_pWaitAnimation; }
    cocos2d::CCSprite* GetDealerHand() const { return m_pDealerHand; }
    const std::vector<cocos2d::CCSprite*>& GetHandSigns() const { return m_HandSigns; }
    CScoreView* GetScoreView() const { return m_pScoreView; }
    const tagUserData* GetTableUser(uint16_t chair) const;
    cocos2d::extension::CCControlButton* GetRobButton() const { return m_pRobButton; }
    cocos2d::extension::CCControlButton* GetNoRobButton() const { return m_pNoRobButton; }
    cocos2d::extension::CCControlButton* GetShowButton() const { return m_pShowButton; }
    cocos2d::extension::CCControlButton* GetMyTypeButton() const { return m_pMyTypeButton; }
    cocos2d::extension::CCControlButton* GetBetButton(int i) const
    {
        return i >= 0 && i < 3 ? m_pBetButtons[i] : nullptr;
    }
    // Where card i of a view position lies.
    cocos2d::CCPoint CardPoint(uint16_t view, int i) const;
    const cocos2d::CCPoint& BankerMarkPoint(uint16_t view) const { return m_ptBankerMark[view % kSeats]; }
    const cocos2d::CCPoint& ChipTarget(uint16_t view) const { return m_ptChipTarget[view % kSeats]; }

    // Scheduled and action callbacks.
    void PlayDealSound(float dt);
    void OnMyCardArrived(cocos2d::CCNode* node);
    void OnOtherCardArrived(cocos2d::CCNode* node);
    void OnBankerMarkLanded(cocos2d::CCNode* node);

private:
    NNHandler* Handler() const;
    // A chair's view position 0..5.
    uint16_t ViewOfChair(uint16_t chair) const { return ViewOf(chair, kSeats); }
    bool IsMePlaying() const;
    bool IsMeBanker() const { return IsMyChair(m_wBankerChair); }
    void FlyBetChip(uint16_t chair);
    cocos2d::CCSprite* MakeChip(uint16_t chair, int64_t amount);
    void RemoveChip(uint16_t chair);
    void DealCards();
    // Hand signs of every hand in play, or mine only with the own-sign flag
    // (which then clears).
    void DrawHandSigns();
    void DrawHandSign(uint16_t chair);
    void ClearHandSigns();
    void RemoveScoreView();
    void RemoveBetButtons();
    void ResetCardSprites();
    cocos2d::CCSprite* MakeStateSign(const char* format, int zOrder);
    void HideStateSigns();
    void AnimateBankerMark(uint16_t chair);

    ThreeKingCGameLogic m_Logic;
    CScoreView* m_pScoreView = nullptr;
    tagUserData m_TableUsers[kSeats] = {};
    bool m_bTableUser[kSeats] = {};

    cocos2d::CCPoint m_ptStart;
    cocos2d::CCPoint m_ptRob;
    cocos2d::CCPoint m_ptNoRob;
    cocos2d::CCPoint m_ptShow;
    cocos2d::CCPoint m_ptMyType;
    cocos2d::CCPoint m_ptBet[3];
    cocos2d::CCPoint m_ptBankerMark[kSeats];
    cocos2d::CCPoint m_ptChipTarget[kSeats];
    cocos2d::CCPoint m_ptCardAnchor[kSeats];
    cocos2d::CCPoint m_ptCards[kSeats][kCards];
    cocos2d::CCPoint m_ptScoreView;
    cocos2d::CCPoint m_ptStateSign;

    uint8_t m_cbOwnSign = 0;
    // My third card is hidden from its deal until the result.
    bool m_bMyLastCardHidden = false;
    uint8_t m_cbInPlay[kSeats] = {};
    uint8_t m_cbCards[kSeats][kCards] = {};
    uint16_t m_wBankerChair = INVALID_CHAIR;
    cocos2d::CCSprite* m_pChips[kSeats] = {};
    cocos2d::CCSprite* m_pWaitAnimation = nullptr;
    cocos2d::CCSprite* m_pBankerMark = nullptr;
    cocos2d::CCSprite* m_pStateSigns[kSignCount] = {};
    cocos2d::CCSprite* m_pDealerHand = nullptr;
    int64_t m_lMyBet = 0;
    int64_t m_lMaxScore = 0;
    int64_t m_lLastBet = 0;
    cocos2d::extension::CCControlButton* m_pRobButton = nullptr;
    cocos2d::extension::CCControlButton* m_pNoRobButton = nullptr;
    cocos2d::extension::CCControlButton* m_pShowButton = nullptr;
    cocos2d::extension::CCControlButton* m_pMyTypeButton = nullptr;
    cocos2d::extension::CCControlButton* m_pBetButtons[3] = {};
    std::vector<Sexy::CardSprite*> m_CardSprites[kSeats];
    std::vector<cocos2d::CCSprite*> m_HandSigns;
    cocos2d::CCSprite* m_pHandSignOf[kSeats] = {};
};

}  // namespace ThreeKing
