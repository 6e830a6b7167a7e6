// The Shuang Kou table: my 27-card hand face up and the other player's as
// backs, selection by tap, drag and line, my play checked with the card
// rules (jokers standing in) before it is sent, the pass, my turn's time-out
// with its automatic play (at once under the trustee), the sort, the last
// trick, each play's voice, sound and animation, and the result layer.
//
// The handler (HPHandler) checks every message and calls one step here.
// Hands, tricks and their counts are kept by view: 0 is me at the bottom,
// 1 the other player at the top.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"
#include "games/ShuangKouHP/GameLogic.h"
#include "games/ShuangKouHP/ShuangKouMessages.h"
#include "games/framework/CardHand.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <string>

namespace ShuangKouHP {

class CScoreView;
class HPHandler;

class HPBoard : public Sexy::CGameBoard
{
public:
    static constexpr int kViews = GAME_PLAYER;
    static constexpr int kSlots = HAND_COUNT;
    static constexpr float kSpacing = 17.0f;
    static constexpr float kCardWidth = 97.0f;
    static constexpr float kRaise = 20.0f;
    static constexpr float kOtherScale = 0.8f;
    static constexpr int kResultZOrder = 10000;
    static constexpr int kEffectZOrder = 100000;
    // Where a deal's cards start.
    static const cocos2d::CCPoint kDealPoint;
    // Where each view's hand row starts (slot 0).
    static const cocos2d::CCPoint kHandRow[kViews];

    static HPBoard* create();
    HPBoard();
    ~HPBoard() override;

    bool init() override;
    // Clears the table for a new hand; the sort mode stays.
    void ResetGameView() override;
    void LayoutMyInfo(Sexy::CBoardDrawUserData* panel) override;
    // On my turn plays the selected cards.
    void OnRButtonUp() override;
    // Lays my hand out again: every card comes down.
    void OnLButtonDblClk() override;
    bool OnCardTouchBegan(Sexy::CardSprite* card) override;
    void OnCardTouchMoved(Sexy::CardSprite* card) override;
    void OnCardTouchEnded(Sexy::CardSprite* card) override;

    // --- the handler's steps ------------------------------------------------
    void SetMyChair(uint16_t chair);
    // My 27 dealt cards.
    void SetHandCards(const uint8_t (&cards)[HAND_COUNT]);
    void SetPassAllowed(bool allowed) { m_cbPassAllowed = allowed ? 1 : 0; }
    void OnGameStart(const CMD_S_GameStart& start);
    void OnSendCard(const CMD_S_SendCard& deal);
    void OnOutCard(const CMD_S_OutCard& play);
    void OnPassCard(const CMD_S_PassCard& pass);
    void OnGameEnd(const CMD_S_GameEnd& end);
    void OnScenePlay(const CMD_S_StatusPlay& scene);

    // --- the player's actions -------------------------------------------------
    void OnPlayButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnPassButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnLastTrickButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnTrusteeButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnSortButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    // My turn ran out (30 s, or 1 s under the trustee): a lead plays my
    // lowest card, a follow passes.
    void OnTurnTimeout(float);
    void OnTrusteeTimeout(float);

    // Sorts my hand in the sort mode and lays it out centred; animated, each
    // card slides to its place one after the other.
    void LayoutMyCards(bool animated);

    // --- state, for the handler and the tests ---------------------------------
    HPHandler* Handler() const;
    const CGameLogic& Logic() const { return m_GameLogic; }
    uint16_t MyChair() const { return m_cbMyChair; }
    uint16_t OtherChair() const { return m_cbMyChair == 0 ? 1 : 0; }
    const uint8_t* HandCards() const { return m_cbHand; }
    int HandCount() const { return m_nHandCount; }
    int OtherCount() const { return m_nOtherCount; }
    const Sexy::CardList& Hand(uint16_t view) const { return m_Hand[view % kViews]; }
    const Sexy::CardList& Trick(uint16_t view) const { return m_Trick[view % kViews]; }
    const Sexy::CardList& LastTrick(uint16_t view) const { return m_LastTrick[view % kViews]; }
    uint8_t LastPlayedCount(uint16_t view) const { return m_cbLastCount[view % kViews]; }
    uint8_t SortMode() const { return m_cbSortMode; }
    bool IsTrustee() const { return m_cbTrustee != 0; }
    bool IsMyTurn() const { return m_cbMyTurn != 0; }
    bool IsPassAllowed() const { return m_cbPassAllowed != 0; }
    // The slot point of a hand of `count` cards: centred on the row.
    cocos2d::CCPoint SlotPoint(uint16_t view, int count, int i) const;
    cocos2d::extension::CCControlButton* PlayButton() const { return m_pPlayButton; }
    cocos2d::extension::CCControlButton* PassButton() const { return m_pPassButton; }
    cocos2d::extension::CCControlButton* LastTrickButton() const { return m_pLastTrickButton; }
    cocos2d::extension::CCControlButton* TrusteeButton() const { return m_pTrusteeButton; }
    cocos2d::extension::CCControlButton* SortButton() const { return m_pSortButton; }
    cocos2d::CCSprite* PassSign(uint16_t view) const { return m_pPassSigns[view % kViews]; }
    cocos2d::CCSprite* TrusteeSign() const { return m_pTrusteeSign; }
    cocos2d::CCLabelAtlas* OtherCountLabel() const { return m_pOtherCountLabel; }
    cocos2d::CCLabelAtlas* BaseScoreLabel() const { return m_pBaseScoreLabel; }
    // The bar across the top that captions the base score and the per-chair labels.
    cocos2d::CCSprite* ScoreBar() const { return m_pScoreBar; }
    // 0 my score, 1 the other's, 2 my counter, 3 the other's.
    cocos2d::CCLabelAtlas* ChairLabel(int i) const { return i >= 0 && i < 4 ? m_pChairLabels[i] : nullptr; }
    CScoreView* GetScoreView() const { return m_pScoreView; }

private:
    // The selected cards of my hand, in hand order.
    uint8_t CollectSelection(uint8_t (&cards)[MAX_COUNT]) const;
    // A selection as the rules judge it: jokers substituted, sorted by value.
    void Judge(const uint8_t* cards, uint8_t count, uint8_t (&judged)[MAX_COUNT]) const;
    bool IsValidLead(const uint8_t* cards, uint8_t count) const;
    bool BeatsTable(const uint8_t* cards, uint8_t count) const;
    bool SendOutCard(const uint8_t* cards, uint8_t count);
    bool SendPass();
    void ShowInvalidSign();
    void ShowPlayButtons(bool passEnabled);
    void HidePlayButtons();
    // My turn starts: the time-out (1 s under the trustee, else 30 s).
    void StartMyTurn();
    void StopTurnTimeouts();
    // The view's trick joins its last trick, hidden.
    void RetireTrick(uint16_t view);
    void ClearTrick(Sexy::CardList& list);
    // The other's count label and its backs, re-centred.
    void RefreshOtherCount();
    void RefreshChairLabels(const int32_t (&counters)[GAME_PLAYER], const int64_t (&scores)[GAME_PLAYER]);
    void SetBaseScore(int64_t score);
    // The figure, below zero too, drawn no wider than width.
    static void SetFigure(cocos2d::CCLabelAtlas* label, int64_t value, float width);
    // The view's trick moves into its hand row at the slots of as many cards.
    void LayTrickInRow(uint16_t view, float scale);
    void MakeHandSprites();
    Sexy::CardSprite* MakeCard(uint8_t card, bool visible);
    void RemoveFromTable(cocos2d::CCNode* node);
    void OnDealFlip(cocos2d::CCNode* node, void* card);
    void OnLastTrickDone(float);
    void ShowTrustee(bool on);
    void SetClock(uint16_t chair);
    // --- voices and animations ---------------------------------------------
    std::string VoiceFolder(uint16_t chair) const;
    void PlayVoice(uint16_t chair, const char* name);
    // One card's voice, or the pattern's voice, sound, shake and animation.
    void PlayPatternEffects(uint16_t chair, const uint8_t* cards, uint8_t count);
    void RunPatternAnimation(int index, int frames);

    CGameLogic m_GameLogic;
    Sexy::HandSelection m_Selection;
    uint8_t m_cbMyChair = 0;
    uint8_t m_cbHand[HAND_COUNT] = {};
    int m_nHandCount = 0;
    int m_nOtherCount = 0;
    Sexy::CardList m_Hand[kViews];
    Sexy::CardList m_Trick[kViews];
    Sexy::CardList m_LastTrick[kViews];
    uint8_t m_cbLastCount[kViews] = {};
    uint8_t m_cbSortMode = 0;
    uint8_t m_cbTrustee = 0;
    uint8_t m_cbMyTurn = 0;
    uint8_t m_cbPassAllowed = 0;
    uint8_t m_cbSceneTableCount = 0;
    cocos2d::extension::CCControlButton* m_pPlayButton = nullptr;
    cocos2d::extension::CCControlButton* m_pPassButton = nullptr;
    cocos2d::extension::CCControlButton* m_pLastTrickButton = nullptr;
    cocos2d::extension::CCControlButton* m_pTrusteeButton = nullptr;
    cocos2d::extension::CCControlButton* m_pSortButton = nullptr;
    cocos2d::CCSprite* m_pPassSigns[kViews] = {};
    cocos2d::CCSprite* m_pTrusteeSign = nullptr;
    cocos2d::CCLabelAtlas* m_pOtherCountLabel = nullptr;
    cocos2d::CCLabelAtlas* m_pBaseScoreLabel = nullptr;
    cocos2d::CCSprite* m_pScoreBar = nullptr;
    cocos2d::CCLabelAtlas* m_pChairLabels[4] = {};
    CScoreView* m_pScoreView = nullptr;
};

}  // namespace ShuangKouHP
