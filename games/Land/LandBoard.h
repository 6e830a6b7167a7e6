// The landlord table: three seats, my hand of card sprites that I select by
// tapping or dragging, the other two hands as small stacks of backs, the
// bottom cards, the played cards, the call and play buttons, the captions,
// voices and effects of each call and play, and the score view at the end.
//
// The handler (LandHandler) checks every message and calls one reaction
// here; the reactions, the player's actions and the two scene restores run
// on the board, which sends the player's calls, plays and passes through
// the handler. Positions are in the content root, from "Land/Point.xml".
// Card lists are by chair (not by view) for hands, by view for the table.
#pragma once

#include "games/Land/GameLogic.h"
#include "games/Land/LandMessages.h"
#include "games/Land/LandPoints.h"
#include "games/framework/CardHand.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Land {

class CScoreView;
class LandHandler;

using Sexy::CardList;

class LandBoard : public Sexy::CGameBoard
{
public:
    enum GameState : int
    {
        kStateNone = 0,
        kStateCalling = 1,
        kStatePlaying = 2,
        kStateEnded = 3,
    };
    static constexpr float kRaise = 25.0f;     // a selected card stands this much higher
    static constexpr int kDragThreshold = Sexy::HandSelection::kDragThreshold;  // less is a tap
    static constexpr float kCardWidth = 97.0f;
    static constexpr int kRows = 3;
    static constexpr int kPlaces = 20;
    static constexpr int kScoreViewZOrder = 100000000;
    static constexpr int kPlayedZOrder = 100000;
    static constexpr int kEffectZOrder = 5000;
    // Over my cards fanned by the deal (54 down to 38).
    static constexpr int kCallButtonZOrder = 100;
    // Over the cards a seat played beside it: they cover its lower half.
    static constexpr int kIdentityZOrder = kPlayedZOrder + 1;
    static constexpr uint8_t kBottomBacks[BACK_COUNT] = {Sexy::CardSprite::kCardBack, Sexy::CardSprite::kCardBack,
                                                         Sexy::CardSprite::kCardBack};

    static LandBoard* create();
    LandBoard();
    ~LandBoard() override;

    bool init() override;
    void ResetGameView() override;
    void LayoutMyInfo(Sexy::CBoardDrawUserData* panel) override;
    // Plays the selected cards, but only on my turn while the play buttons show.
    void OnRButtonUp() override;
    void OnLButtonDblClk() override;
    bool OnCardTouchBegan(Sexy::CardSprite* card) override;
    void OnCardTouchMoved(Sexy::CardSprite* card) override;
    void OnCardTouchEnded(Sexy::CardSprite* card) override;

    // --- the handler's steps and the board's reactions --------------------
    void SetGameState(int state) { m_nGameState = state; }
    int GetGameState() const { return m_nGameState; }
    // My 17 cards as dealt.
    void SetDealtCards(const uint8_t (&cards)[HAND_COUNT]);
    void OnSubSendCard(const CMD_S_SendCard& deal);
    void OnSubCallScore(const CMD_S_LandScore& call);
    void OnSubBankerInfo(const CMD_S_BankerInfo& banker);
    void OnSubOutCard(const CMD_S_OutCard& play);
    void OnSubPassCard(const CMD_S_PassCard& pass);
    void OnSubGameEnd(const CMD_S_GameEnd& end);
    // No hand runs: the table as a new hand finds it.
    void OnSceneFree();
    void OnSceneCalling(const CMD_S_StatusScore& scene);
    void OnScenePlaying(const CMD_S_StatusPlay& scene);

    // --- my hand ------------------------------------------------------------
    // Sorts my cards in the sort mode and places my chair's sprites; every
    // card comes down. Animated, each slides to its place.
    void LayoutHandCards(bool animated);
    void OnSortButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void HideCallButtons();
    // All four shown, then the calls up to the score disabled.
    void ShowCallButtons(uint8_t score);
    void ShowPlayButtons();
    void HidePlayButtons();
    void ShowCardCounts();
    // My cards answer touches; the call buttons show while it is my call.
    void ArmHand(float);
    void ShowIdentityImages(uint16_t landlordChair);
    void PlayDealAnimation(const uint8_t (&cards)[HAND_COUNT]);

    // --- the table ------------------------------------------------------------
    // The view's cards on the table go to its previous-play list, hidden.
    void ClearOutCards(uint16_t view);
    void ShowCallCaption(uint16_t view, uint8_t call);
    // Takes every call caption and pass sign off the table: none belongs to
    // a new deal, nor to a hand that is over.
    void ClearSigns();
    void AddBottomCards(const uint8_t (&cards)[BACK_COUNT], uint16_t landlordChair);
    // The three bottom cards shown at their place (73 apart, scale 0.7, z 0,
    // 10 and 20) showing these cards.
    void PlaceBottomCards(const uint8_t (&cards)[BACK_COUNT]);
    void ShowPlayedCards(const uint8_t* cards, uint16_t view, uint8_t count);
    // Makes the four call buttons once; later calls keep them.
    void CreateCallButtons();
    const cocos2d::CCPoint& ReadLayoutPoint(size_t index) const;

    // --- voices, captions and effects ------------------------------------------
    std::string VoiceFolder(uint16_t chair);
    void PlaySingleVoice(uint8_t card, uint16_t chair);
    void PlayCardTypeEffects(uint16_t chair, uint8_t cardType, uint8_t count);

    // --- the player's actions ---------------------------------------------------
    void OnCallScoreButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnCallTimeout(float);
    void OnPlayButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnPassButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnHintButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnOutCardTimeout(float);
    void OnTrusteeButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnPreviousPlaysButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void StartCountWarning(float);
    void PlayCountWarning(float);
    // Test and send a selection (count, then the cards).
    bool PlayLeadCards(const uint8_t* cards, uint8_t count);
    bool PlayFollowCards(const uint8_t* cards, uint8_t count);
    // Runs the hint search against the table and selects the next row;
    // false (after passing) when nothing beats the table.
    bool SearchHint(const uint8_t* tableCards, uint8_t tableCount);

    // --- state, for the handler, the score view and the tests -----------------
    LandHandler* Handler() const;
    const CGameLogic& Logic() const { return m_GameLogic; }
    const CardList& HandSprites(uint16_t chair) const { return m_HandCards[chair % GAME_PLAYER]; }
    const CardList& BottomSprites() const { return m_BottomCards; }
    const CardList& SelectedCards() const { return m_SelectedCards; }
    const CardList& OutCards(uint16_t view) const { return m_OutCards[view % GAME_PLAYER]; }
    const CardList& PreviousPlays(uint16_t view) const { return m_PreviousPlays[view % GAME_PLAYER]; }
    uint8_t PreviousPlayCount(uint16_t view) const { return m_cbPreviousCount[view % GAME_PLAYER]; }
    int MyCardCount() const { return m_nMyCardCount; }
    const uint8_t* MyCards() const { return m_cbMyCards; }
    int ViewCardCount(uint16_t view) const { return m_nViewCardCount[view % GAME_PLAYER]; }
    int HintIndex() const { return m_nHintIndex; }
    uint8_t SortMode() const { return m_cbSortMode; }
    uint8_t BankerView() const { return m_cbBankerView; }
    bool IsTrustee() const { return m_cbTrustee != 0; }
    // Shown while the board plays my turns for me.
    cocos2d::CCSprite* TrusteeSign() const { return m_pTrusteeSign; }
    bool IsMyTurn() const { return m_cbMyTurn != 0; }
    int Spacing() const { return m_nSpacing; }
    int FanRadius() const { return m_nFanRadius; }
    const cocos2d::CCPoint& Place(int row, int place) const { return m_ptPlace[row % kRows][place % kPlaces]; }
    const cocos2d::CCPoint& CaptionPoint(uint16_t view) const { return m_ptCaption[view % GAME_PLAYER]; }
    cocos2d::extension::CCControlButton* CallButton(int index) const { return m_pCallButtons[index & 3]; }
    cocos2d::extension::CCControlButton* PlayButton() const { return m_pPlayButton; }
    cocos2d::extension::CCControlButton* PassButton() const { return m_pPassButton; }
    cocos2d::extension::CCControlButton* HintButton() const { return m_pHintButton; }
    cocos2d::extension::CCControlButton* PreviousButton() const { return m_pPreviousButton; }
    cocos2d::extension::CCControlButton* TrusteeButton() const { return m_pTrusteeButton; }
    cocos2d::extension::CCControlButton* SortButton() const { return m_pSortButton; }
    cocos2d::CCSprite* PassSign(uint16_t view) const { return m_pPassSigns[view % GAME_PLAYER]; }
    cocos2d::CCSprite* IdentityImage(uint16_t view) const { return m_pIdentity[view % GAME_PLAYER]; }
    cocos2d::CCSprite* CallCaption(uint16_t view) const { return m_pCallCaptions[view % GAME_PLAYER]; }
    cocos2d::CCLabelAtlas* CardCountLabel(uint16_t view) const
    {
        return view == 1 || view == 2 ? m_pCountLabels[view - 1] : nullptr;
    }
    const std::vector<cocos2d::CCNode*>& Captions() const { return m_Captions; }
    CScoreView* GetScoreView() const { return m_pScoreView; }

private:
    // Every card, sign, button, count and pending step of a hand off the
    // table, as the board was made (the handler's values aside).
    void ClearTable();
    // A scene tells the whole table: nothing shown before it stays, and no
    // turn of mine is acted on until a message names one.
    void BeginScene();
    // The trustee flag, and its sign with it.
    void SetTrustee(bool on);
    void StopTurnSelectors();
    // The time-out (and, without the trustee and when asked, the count
    // warning 5 s before it) of one of my turns.
    void StartTurnSelectors(bool calling, uint32_t seconds, bool warn);
    // Hand sprites of my chair whose cards are selected, in hand order.
    uint8_t CollectSelection(uint8_t (&cards)[MAX_COUNT]);
    void PlaySelection();
    // The cards the next play must beat: none when I lead.
    uint8_t TableCards(const uint8_t*& cards) const;
    void ShowInvalidSign(bool lead);
    // Where a view's i-th played card lies.
    cocos2d::CCPoint OutCardPoint(uint16_t view, size_t i) const;
    Sexy::CardSprite* MakeCard(uint8_t card, bool visible);
    // Off the content root (a node elsewhere is left alone).
    void RemoveFromTable(cocos2d::CCNode* node);
    void MakeHandSprites();
    void OnPreviousPlaysDone(float);
    void OnCardSettled(cocos2d::CCNode* card);
    void OnDealFlip(cocos2d::CCNode* card, void* cardByte);
    void OnDealSettled(cocos2d::CCNode* card);
    void OnLandlordShown();
    static void SetPicture(cocos2d::CCSprite* sprite, const char* picture);
    void RunFrameAnimation(int index, int frames, bool holdLast);
    void SendCall(uint8_t score);

    CardList m_HandCards[GAME_PLAYER];  // by chair
    Sexy::HandSelection m_Selection{kRaise};  // its strip is the spacing
    CardList m_BottomCards;
    cocos2d::CCPoint m_ptLayout[kLandPointCount];
    cocos2d::CCPoint m_ptPlace[kRows][kPlaces];
    cocos2d::CCPoint m_ptCaption[GAME_PLAYER];
    int m_nSpacing = 0;
    int m_nFanRadius = 0;
    cocos2d::extension::CCControlButton* m_pCallButtons[4] = {};
    cocos2d::extension::CCControlButton* m_pPlayButton = nullptr;
    cocos2d::extension::CCControlButton* m_pPassButton = nullptr;
    cocos2d::extension::CCControlButton* m_pHintButton = nullptr;
    cocos2d::extension::CCControlButton* m_pPreviousButton = nullptr;
    cocos2d::extension::CCControlButton* m_pTrusteeButton = nullptr;
    cocos2d::extension::CCControlButton* m_pSortButton = nullptr;
    CGameLogic m_GameLogic;
    CardList m_SelectedCards;  // my selection, then my cards on the table
    int m_nMyCardCount = 0;
    int m_nViewCardCount[GAME_PLAYER] = {};  // views 1 and 2
    uint8_t m_cbMyCards[MAX_COUNT] = {};
    CardList m_OutCards[GAME_PLAYER];  // views 1 and 2
    int m_nHintIndex = 0;
    cocos2d::CCSprite* m_pPassSigns[GAME_PLAYER] = {};
    CardList m_PreviousPlays[GAME_PLAYER];
    uint8_t m_cbPreviousCount[GAME_PLAYER] = {};
    cocos2d::CCSprite* m_pIdentity[GAME_PLAYER] = {};
    uint8_t m_cbSortMode = 1;
    uint8_t m_cbBankerView = 0;
    int m_nGameState = kStateNone;
    uint8_t m_cbTrustee = 0;
    cocos2d::CCSprite* m_pTrusteeSign = nullptr;
    uint8_t m_cbMyTurn = 0;
    std::vector<cocos2d::CCNode*> m_Captions;  // play captions on the table (retained)
    cocos2d::CCLabelAtlas* m_pCountLabels[2] = {};
    cocos2d::CCSprite* m_pCallCaptions[GAME_PLAYER] = {};
    CScoreView* m_pScoreView = nullptr;
    uint8_t m_cbBackCards[BACK_COUNT] = {};
};

}  // namespace Land
