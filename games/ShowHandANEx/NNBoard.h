// Five-card stud's table: the two players' cards (dealt in flights from the
// deck, my face-down card peeked at by pressing on it), the pool, each
// player's bet total and last action, the chips thrown into the pool, the
// six action buttons priced by the handler, the show-hand effect, and at the
// end the face-down cards revealed with the result views.
//
// The handler (NNHandler) checks every message and calls the steps below;
// cards are kept by chair and deal order, sprites and labels by view.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"
#include "games/ShowHandANEx/LayoutPoints.h"
#include "games/ShowHandANEx/ShowHandANExMessages.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameBoard.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ShowHandANEx {

class CScoreView;
class NNHandler;
class Settlement;

class NNBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kViews = LayoutPoints::kViews;
    static constexpr int kCards = LayoutPoints::kCards;
    static constexpr int kNoteSignZOrder = 5000;
    static constexpr int kSettlementZOrder = 10000;
    static constexpr int kMyArrivedZOrder = 100;
    static constexpr int kOtherArrivedZOrder = 90;
    static constexpr int kRaiseButtons = 3;
    // The raise buttons' multipliers of the base bet (their tags).
    static const int kRaiseMultipliers[kRaiseButtons];

    static NNBoard* create();
    NNBoard();
    ~NNBoard() override;

    bool init() override;
    // A new set of the six action buttons (the old set goes), then the table is cleared.
    void ResetGameView() override;
    void ResetGameViewEx() override;
    void LayoutMyInfo(Sexy::CBoardDrawUserData* panel) override;
    // Pressing my face-down card shows it; letting go turns it down again.
    bool OnCardTouchBegan(Sexy::CardSprite* card) override;
    void OnCardTouchEnded(Sexy::CardSprite* card) override;
    void OnCardDataChanged(Sexy::CardSprite* card) override;

    // --- the handler's steps ------------------------------------------------
    void SetCard(uint16_t chair, int index, uint8_t card);
    uint8_t GetCard(uint16_t chair, int index) const;
    void SetEndMode(uint32_t mode) { m_dwEndMode = mode; }
    uint32_t GetEndMode() const { return m_dwEndMode; }
    void AddPool(int64_t amount);
    // n rounds of one card to each player, flying from the deck.
    void DealCards(int rounds);
    // My view's sprites that show (0 to 5).
    int CountMyVisibleCards() const;
    void ShowActionButtons();
    void HideActionButtons();
    void ShowActionLabel(uint16_t chair);
    void ShowRoundStartLabel(uint16_t chair);
    bool IsActionLabelMade(uint16_t chair) const;
    bool IsRoundStartLabelMade(uint16_t chair) const;
    // Takes the chair's action label off the table (it stays made).
    void HideActionLabel(uint16_t chair);
    void HideRoundStartLabel(uint16_t chair);
    // The handler's last amount added to the chair's bet total.
    void AddChairBet(uint16_t chair);
    // A restored hand's bet totals, as the scene gives them by chair.
    void RestoreChairBets(const int64_t (&totals)[GAME_PLAYER]);
    void ThrowChip(uint16_t chair);
    void RestoreChip();
    // The scene's cards laid out at once.
    void RestoreCards();
    // The table before a scene draws it: no pool, bets, cards, chips,
    // labels, signs or buttons of an earlier hand.
    void ClearForScene();
    void ShowNoteSign(bool visible);
    void SetShowHandMode(bool on) { m_bShowHandMode = on; }
    bool IsShowHandMode() const { return m_bShowHandMode; }
    void PlayShowHandEffect(bool visible);
    void ShowGiveUp(uint16_t chair);
    void OnGameEnd(const tagGameEnd& end);
    // The label rules: after an action (R1 then R2), at a send-card message
    // (R3) and at the end of a scene restore (R4).
    void ApplyActionLabelRules(uint16_t actingChair);
    void ApplySendCardLabelRule(uint16_t currentChair);
    void ApplyRestoreLabelRule(uint16_t actingChair);

    // --- button actions -------------------------------------------------------
    void OnFollow(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    // The multiplier is the button's tag.
    void OnRaise(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnShowHand(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnGiveUp(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);

    // --- parts, for the tests and the benchmark --------------------------------
    NNHandler* Handler() const;
    const LayoutPoints& Layout() const { return m_Layout; }
    Sexy::CardSprite* GetCardSprite(uint16_t view, int index) const;
    int64_t GetPool() const { return m_lPool; }
    int64_t GetChairBet(uint16_t chair) const { return chair < kViews ? m_lChairBet[chair] : 0; }
    cocos2d::CCLabelTTF* PoolLabel() const { return m_pPoolLabel; }
    cocos2d::CCLabelTTF* BetLabel(uint16_t chair) const { return chair < kViews ? m_pBetLabels[chair] : nullptr; }
    cocos2d::CCLabelTTF* ActionLabel(uint16_t chair) const { return chair < kViews ? m_pActionLabels[chair] : nullptr; }
    cocos2d::CCLabelTTF* RoundStartLabel(uint16_t chair) const
    {
        return chair < kViews ? m_pRoundStartLabels[chair] : nullptr;
    }
    cocos2d::CCSprite* NoteSign() const { return m_pNoteSign; }
    // The panel under my buttons, and the frames round the bet totals.
    cocos2d::CCSprite* FunctionPanel() const { return m_pFunctionPanel; }
    cocos2d::CCSprite* BetFrame(uint16_t view) const { return view < kViews ? m_pBetFrames[view] : nullptr; }
    const std::vector<cocos2d::CCSprite*>& Chips() const { return m_Chips; }
    cocos2d::extension::CCControlButton* RaiseButton(int i) const
    {
        return i >= 0 && i < kRaiseButtons ? m_pRaiseButtons[i] : nullptr;
    }
    cocos2d::extension::CCControlButton* FollowButton() const { return m_pFollowButton; }
    cocos2d::extension::CCControlButton* ShowHandButton() const { return m_pShowHandButton; }
    cocos2d::extension::CCControlButton* GiveUpButton() const { return m_pGiveUpButton; }
    CScoreView* GetScoreView() const { return m_pScoreView; }
    Settlement* GetSettlement() const { return m_pSettlement; }

private:
    void ClearTable();
    void MakeActionButtons();
    void RemoveActionButtons();
    // The six action buttons' places: the three raises, follow, show hand, give up.
    static constexpr size_t kActionButtons = 6;
    std::array<cocos2d::extension::CCControlButton**, kActionButtons> ActionButtonSlots();
    // The label replaced by a new "+amount" one at the chair's view.
    cocos2d::CCLabelTTF* ReplaceActionLabel(cocos2d::CCLabelTTF*& label, uint16_t chair);
    void RemoveLabel(cocos2d::CCLabelTTF*& label);
    void RefreshBetLabels();
    // The frames show round bet totals only, the panel under buttons only:
    // empty, they would lie on an idle table as boxes with nothing in them.
    void ShowBetFrames();
    void ShowFunctionPanel(bool show);
    void PlayDealSound(float);
    void OnMyCardArrived(cocos2d::CCNode* node);
    void OnOtherCardArrived(cocos2d::CCNode* node);
    void OnShowHandEffectScaled(cocos2d::CCNode* node);
    // A chip from the point flying into the pool.
    void ThrowChipFrom(const cocos2d::CCPoint& from);
    static int InitialZOrder(uint16_t view, int index);
    uint16_t ViewOfChair(uint16_t chair) const;

    LayoutPoints m_Layout;
    uint8_t m_cbCards[GAME_PLAYER][MAX_COUNT] = {};
    Sexy::CardSprite* m_pCardSprites[kViews][kCards] = {};
    int64_t m_lPool = 0;
    int64_t m_lChairBet[GAME_PLAYER] = {};
    uint32_t m_dwEndMode = END_MODE_REVEAL;
    bool m_bShowHandMode = false;
    int m_nDealSounds = 0;
    cocos2d::CCLabelTTF* m_pPoolLabel = nullptr;
    cocos2d::CCLabelTTF* m_pBetLabels[GAME_PLAYER] = {};
    cocos2d::CCLabelTTF* m_pActionLabels[GAME_PLAYER] = {};
    cocos2d::CCLabelTTF* m_pRoundStartLabels[GAME_PLAYER] = {};
    bool m_bActionLabelMade[GAME_PLAYER] = {};
    bool m_bRoundStartLabelMade[GAME_PLAYER] = {};
    cocos2d::CCSprite* m_pNoteSign = nullptr;
    cocos2d::CCSprite* m_pFunctionPanel = nullptr;
    cocos2d::CCSprite* m_pBetFrames[kViews] = {};
    std::vector<cocos2d::CCSprite*> m_Chips;
    cocos2d::extension::CCControlButton* m_pRaiseButtons[kRaiseButtons] = {};
    cocos2d::extension::CCControlButton* m_pFollowButton = nullptr;
    cocos2d::extension::CCControlButton* m_pShowHandButton = nullptr;
    cocos2d::extension::CCControlButton* m_pGiveUpButton = nullptr;
    CScoreView* m_pScoreView = nullptr;
    Settlement* m_pSettlement = nullptr;
};

}  // namespace ShowHandANEx
