// The table of the bull games: what OxEx, OxNew and OxTB show alike.
//
// The two-seat OxEx table is the shape of the family; OxNew (four seats) and
// OxTB (six seats, no banker) follow its round: rob choice, banker mark, bet
// buttons or betting animation, flying chips, the deal, hint and open with
// the arrangement of the own hand, the hand-type pictures, the show-down and
// a result view. This base holds what is the same: the card groups (five
// sprites each), the chip piles, the action buttons and the three waiting
// animations, the three 30-second countdowns (one at a time: starting one
// stops the other), the rob choice and the bet buttons, the hint and open of
// the own hand, the hand-type pictures, the waiting animation and the
// restore of a table entered mid-round from each scene. Each game says where
// things stand, which group is mine and where my cards come from.
//
// Every picture lives under "OxEx/" (OxResPath) or in the module's sheets.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"
#include "games/BullTable/BullHandler.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameBoard.h"
#include "games/framework/UserData.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Bull {

// "OxEx/" followed by a resource name: the three bull games keep every
// picture, sheet and sound there.
std::string OxResPath(const char* name);

class CBullHandler;

// What the restore of a scene lays out differently on each bull table.
struct SceneShape
{
    int chipLeft = 400;  // the chips: x from here over 200
    int chipRows = 51;   // y from 250 over this many rows
    int bettingMarkZOrder = 100;
};

class CBullBoard : public Sexy::CGameBoard
{
public:
    // The table of no round, as the start button leaves it, and no waiting:
    // what a scene draws on.
    void ClearForScene();
    static constexpr int kCountdownStart = 30;
    static constexpr int kCards = 5;
    static constexpr float kOtherCardScale = 0.7f;  // another seat's cards
    static constexpr int kChipSlots = 10;
    static constexpr int kBetButtons = 4;
    static constexpr int kWaitAnimationTag = 2121;
    // The round's signs stand over the chips; the amounts on the table over
    // the signs.
    static constexpr int kSignZOrder = 100;
    static constexpr int kAmountZOrder = 150;
    // The widest an amount's text is drawn; a longer one is drawn smaller.
    static constexpr float kAmountTextWidth = 76;
    // The type pictures are niu0 to niu15.
    static constexpr int kLastHandTypePicture = 15;

    enum Countdown
    {
        kNoCountdown,
        kBankerCallCountdown,
        kBetCountdown,
        kOpenCountdown,
    };

    ~CBullBoard() override;

    // The bodies the bull boards share: the own seat panel's layout, and a
    // card's logic value (its face value capped at 10).
    void LayoutMyInfo(Sexy::CBoardDrawUserData* panel) override;
    void OnCardDataChanged(Sexy::CardSprite* card) override;

    // The type picture "OxEx/OxNumber/niu%d" of a hand type: 13 stands for
    // bull-bull (10) and the face hands 102 to 105.
    static int HandTypePicture(uint8_t type);

    // A seat's user as the last refresh saw it: the result names the round's
    // players even when one has left since.
    struct SeatUser
    {
        bool present = false;
        tagUserData user{};
    };

    // --- what the handlers call -------------------------------------------
    // The seat users again from the kernel.
    void RefreshSeatUsers();
    // Whether I play this round: a seated player may wait for the next.
    bool IPlayThisRound() const;
    const SeatUser& GetSeatUserCopy(uint16_t chair) const;
    // The banker mark grows onto the banker's seat, then the bet buttons
    // (or, for the banker, the betting animation) show.
    void ShowBanker(uint16_t bankerChair);
    // My own turn (view 0) shows the rob buttons, another's the banker-call
    // animation.
    void ShowRobChoice(uint16_t view);
    // The rob buttons and the banker-call animation go.
    void HideRobChoice();
    void StartBankerCallCountdown() { StartCountdown(kBankerCallCountdown); }
    void StartBetCountdown() { StartCountdown(kBetCountdown); }
    void StartOpenCountdown() { StartCountdown(kOpenCountdown); }
    // Hides the open and hint buttons and enables the hint for the next time.
    void HideOpenButtons();
    void ShowOpenAnimation();
    void ShowOpenAnimation(int zOrder);

    // --- re-entry: a table entered mid-round, from each scene ----------------
    // The banker call: the rob choice of the seat asked (only the waiting
    // animation while I sit the round out).
    void OnSceneCallBanker(uint16_t chair);
    // The betting: the bet buttons from the scene's ceiling (none for the
    // banker), the banker mark and the banker-call animation.
    void OnSceneBetting(int64_t ceiling, uint16_t banker);
    // The show-down with my hand still to open: the seats' cards, the open
    // and hint buttons, the chips and amounts and the open countdown; only
    // the waiting animation and the cards while I sit the round out.
    void OnScenePlaying();
    // The show-down with my hand opened: my hand arranged, and the opening
    // sent again.
    void OnScenePlayingOpened();
    // The waiting animation of a seated player who does not play the round.
    void ShowWaitAnimation();
    // The cards of the seats in play from the playing scene: mine face up
    // when I play, the others' backs.
    void RestoreCards();

    // --- button actions ----------------------------------------------------
    void OnRobButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnNoRobButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    // Bets the ceiling divided by the button's tag + 1.
    void OnBetButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnHintButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnOpenButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);

    // --- parts, for the handlers and the tests -------------------------------
    int GetCountdown() const { return m_nCountdown; }
    Countdown GetRunningCountdown() const { return m_eCountdown; }
    uint16_t GetCardGroupCount() const { return static_cast<uint16_t>(m_Cards.size()); }
    Sexy::CardSprite* GetCardSprite(uint16_t group, int j) const;
    cocos2d::CCSprite* GetChip(uint16_t pile, int slot) const;
    const std::vector<cocos2d::CCSprite*>& GetHandTypePictures() const { return m_HandTypes; }
    // The picture number of each type picture shown, in order.
    const std::vector<int>& GetHandTypeNumbers() const { return m_HandTypeNumbers; }
    cocos2d::extension::CCControlButton* GetRobButton() const { return m_pRobButton; }
    cocos2d::extension::CCControlButton* GetNoRobButton() const { return m_pNoRobButton; }
    cocos2d::extension::CCControlButton* GetOpenButton() const { return m_pOpenButton; }
    cocos2d::extension::CCControlButton* GetHintButton() const { return m_pHintButton; }
    cocos2d::extension::CCControlButton* GetBetButton(int index) const
    {
        return index >= 0 && index < kBetButtons ? m_pBetButtons[index] : nullptr;
    }
    cocos2d::CCSprite* GetBankerCallAnimation() const { return m_pBankerCallAnimation; }
    cocos2d::CCSprite* GetBettingAnimation() const { return m_pBettingAnimation; }
    cocos2d::CCSprite* GetOpenAnimation() const { return m_pOpenAnimation; }
    cocos2d::CCSprite* GetBankerMark() const { return m_pBankerMark; }
    cocos2d::CCSprite* GetScoreView() const { return m_pScoreView; }
    cocos2d::CCSprite* GetWaitAnimation() const;
    uint8_t GetHasBull() const { return m_cbHasBull; }
    uint8_t GetOwnType() const { return m_cbOwnType; }
    bool IsArranged() const { return m_cbArranged != 0; }

protected:
    CBullBoard(uint16_t cardGroups, uint16_t chipPiles, const SceneShape& scene = SceneShape());

    // The game's handler (its module's pointer); null before the game exists.
    virtual CBullHandler* Handler() const = 0;
    // The group of card sprites that shows my hand.
    virtual uint16_t MyCardGroup() const = 0;
    // Card j of a group where it lies on the table.
    virtual cocos2d::CCPoint CardPoint(uint16_t group, int j) const = 0;
    // My five cards as the hint and open use them, in a record that the
    // arrangement may rewrite; null when the record is not there yet.
    virtual uint8_t* MyCardRecord() = 0;
    // Where my hand's type picture goes, and its z-order.
    virtual cocos2d::CCPoint MyHandTypePoint() const = 0;
    virtual int HandTypeZOrder() const = 0;
    // The hand rules: lay my hand out as bull then pair; true with a bull.
    virtual bool ArrangeMyHand(uint8_t* cards) = 0;
    // The type of my hand as arranged.
    virtual uint8_t MyHandType(uint8_t* cards) = 0;
    // Sends my hand opened (sub 3).
    virtual void SendOpen() = 0;
    // The ceiling the bet buttons divide: a betting scene's while the round
    // is restored, else the handler's.
    int64_t BetCeiling() const;
    // False skips a tick altogether (a seated player who does not play).
    virtual bool CountdownTicks(Countdown which) const
    {
        (void)which;
        return true;
    }

    // Where the banker mark stands on a view; false when the view has none.
    virtual bool BankerMarkPoint(uint16_t view, cocos2d::CCPoint& point) const
    {
        (void)view;
        (void)point;
        return false;
    }
    // What a playing scene shows of the round's amounts (bets, base score).
    virtual void ShowSceneAmounts() {}
    // A restored card's z-order: j is its place in the group, zOrder the one
    // it has.
    virtual int RestoredCardZOrder(bool mine, int j, int zOrder) const
    {
        (void)mine;
        (void)zOrder;
        return 12 + j;
    }
    // My opened hand of a playing scene laid out again and its opening sent.
    virtual void OpenRestoredHand(uint8_t* cards);
    // My five dealt cards, or null before they arrived.
    virtual const uint8_t* MyDealtCards() const { return nullptr; }
    // A dealt card of mine landed: its face (or its back until the cards
    // arrive), its z-order, and after the fifth the open and hint buttons.
    virtual void OnMyCardDealt(cocos2d::CCNode* node);
    virtual void OnOtherCardDealt(cocos2d::CCNode* node);

    // --- building (init) ------------------------------------------------------
    // What every bull table starts with: the layer, keys, the total score,
    // the music, the seats' clock, panel and ready-sign points (one per card
    // group), the table and its content, the title and the start button.
    bool InitBullTable(const char* table, const char* content, const cocos2d::CCPoint* clocks,
                       const cocos2d::CCPoint* seats, const cocos2d::CCPoint* signs);
    // The four action buttons at the two action points: rob and open on the
    // left, no-rob and hint on the right. hintDisabled: the hint's disabled
    // picture or null.
    void MakeActionButtons(const cocos2d::CCPoint& left, const cocos2d::CCPoint& right, const char* hintDisabled,
                           int openZOrder, bool robButtons);
    // A hidden sprite running the frames format % 1..count forever, delay apart.
    cocos2d::CCSprite* MakeLoopAnimation(const char* format, int count, float delay, const cocos2d::CCPoint& point,
                                         int zOrder);
    // A child of the table moved to another z-order.
    static void Reorder(cocos2d::CCNode* node, int zOrder);
    // The card shown on a sprite, which keeps its scale.
    static void ShowCard(Sexy::CardSprite* card, uint8_t data);
    // Shows a loop animation running, or hides it stopped.
    static void ShowLoop(cocos2d::CCSprite* sprite, bool show);
    // The three animations of a banker round at their points.
    void MakeRoundAnimations(const cocos2d::CCPoint& bankerCall, const cocos2d::CCPoint& betting,
                             const cocos2d::CCPoint& open, int bettingZOrder);
    void MakeBankerMark();
    // The decorations of the bottom edge: my panel, "OxExback" and "welcome".
    void MakeBottomSprites(bool tagBack);
    // Five hidden sprites at scale 0.3; z from the table given.
    void MakeCardGroup(uint16_t group, const int (&zOrders)[kCards], bool listen);
    void ResetCardGroup(uint16_t group, const int (&zOrders)[kCards]);

    // --- the round ------------------------------------------------------------
    // The game clock of every phase, on my chair.
    void SetMyClock();
    // The mark on the banker's seat, z-order unchanged when 0.
    void PlaceBankerMark(uint16_t bankerChair, int zOrder);
    void OnBankerShown(cocos2d::CCNode* node);
    // The deal's sound every 0.2 s, six times.
    void StartDealSound();
    void StopDealSound();
    void PlayDealSound(float dt);
    // Card j of a group, face down, flies from a point to its place after
    // the delay, scaling to `scale`; then OnMyCardDealt or OnOtherCardDealt.
    void DealCard(uint16_t group, int j, const cocos2d::CCPoint& from, float delay, float scale, bool mine);
    // My cards arrived: those that landed face down turn.
    void OnMyCardsArrived();
    // An opened hand of mine restored: the type sent again, the hand laid
    // out with the pair tucked when it is a bull, and its picture.
    void ShowMyArrangedHand(uint8_t* cards);
    // Starting one countdown stops whichever runs: they share one counter.
    void StartCountdown(Countdown which);
    // Stops the countdown when it is the one that runs.
    void StopCountdown(Countdown which);
    void StopAnyCountdown();
    void OnCountdownTick(float dt);
    virtual void OnCountdownEnd(Countdown which);

    // Four label buttons offering the ceiling divided by 1 to 4.
    void CreateBetButtons(int64_t ceiling);
    // Removes the bet buttons and hides the rob choice.
    void ClearActions();
    // A chip sprite of a random picture 1 to 4, placed and added under
    // everything else on the table.
    cocos2d::CCSprite* MakeChip(uint16_t pile, int slot, const cocos2d::CCPoint& at);
    void RemoveChips();
    // The yellow amount label of the bull tables, on a plate of its own:
    // it may stand on the chips. Fitted to kAmountTextWidth.
    cocos2d::CCLabelTTF* MakeAmountLabel(int64_t amount);
    void ShowHandType(const cocos2d::CCPoint& point, uint8_t type);
    void RemoveHandTypes();
    // My sprites move into the arranged order, then the pair is tucked.
    void MoveArrangedCards(const uint8_t arranged[kCards]);
    void OnArrangedCardsMoved(cocos2d::CCNode* node);
    // The first of the group's sprites that shows the card.
    Sexy::CardSprite* FindCardSprite(uint16_t group, uint8_t card) const;
    // Lays a group out in the order given, shown; with a bull the pair (3
    // and 4) stands up and to the left, behind the bull.
    void ShowArrangedGroup(uint16_t group, const uint8_t cards[kCards], bool bull, int pairZOrder);
    void RemoveWaitAnimation();
    void RemoveScoreView();
    // The round's result view replaces the last one, hidden until it shows
    // its rows; a null view only removes the last.
    void PlaceScoreView(cocos2d::CCSprite* view, const cocos2d::CCPoint& at, int zOrder);
    // The hand's voice in the chair user's gender: "OxEx/Eff/<boys|girl>/cow_<type>.<extension>".
    void PlayHandVoice(uint16_t chair, int type, const char* extension);
    // A restored round's chips on pile 0: x from `left` over 200, y from 250
    // over yRange - 1.
    void ScatterChips(int left, int yRange);
    // A chair's seat counted round from mine, on a table of one card group
    // per chair; the group count when either chair is not at the table.
    uint16_t SeatOf(uint16_t chair) const;
    // My row of a deal's copy (one group per chair), or null before it came.
    template <class SendCard>
    const uint8_t* DealtCardsOf(const SendCard* copy) const
    {
        const uint16_t me = MyChair();
        if (copy == nullptr || me >= GetCardGroupCount())
            return nullptr;
        return copy->cbCardData[me];
    }
    // My cards for the hint and open: the playing scene's while the round is
    // restored, else the deal's copy; null without a handler or a seat.
    template <class SendCard>
    uint8_t* CardRecordOf(SendCard* copy) const
    {
        CBullHandler* handler = Handler();
        const uint16_t me = MyChair();
        if (handler == nullptr || me >= GetCardGroupCount())
            return nullptr;
        if (handler->IsRestored() && handler->GetRoundPhase() == kPhasePlaying)
            return handler->SceneCards(me);
        return copy != nullptr ? copy->cbCardData[me] : nullptr;
    }
    // The reset the bull boards share.
    void ResetBullView();
    // A betting scene's ceiling is no longer kept.
    void ForgetSceneCeiling() { m_bSceneCeiling = false; }

    std::vector<SeatUser> m_SeatUsers;
    std::vector<std::array<Sexy::CardSprite*, kCards>> m_Cards;
    std::vector<std::array<cocos2d::CCSprite*, kChipSlots>> m_Chips;
    std::vector<cocos2d::CCSprite*> m_HandTypes;
    std::vector<int> m_HandTypeNumbers;
    cocos2d::extension::CCControlButton* m_pRobButton = nullptr;
    cocos2d::extension::CCControlButton* m_pNoRobButton = nullptr;
    cocos2d::extension::CCControlButton* m_pOpenButton = nullptr;
    cocos2d::extension::CCControlButton* m_pHintButton = nullptr;
    cocos2d::extension::CCControlButton* m_pBetButtons[kBetButtons] = {};
    cocos2d::CCSprite* m_pBankerCallAnimation = nullptr;
    cocos2d::CCSprite* m_pOpenAnimation = nullptr;
    cocos2d::CCSprite* m_pBettingAnimation = nullptr;
    cocos2d::CCSprite* m_pBankerMark = nullptr;
    cocos2d::CCSprite* m_pScoreView = nullptr;
    cocos2d::CCSprite* m_pPersonalInfo = nullptr;
    // The chips lie on a layer of their own, made before anything else on
    // the table, so that a card laid before a chip is thrown still lies
    // over it.
    cocos2d::CCNode* m_pChipLayer = nullptr;
    uint8_t m_cbHasBull = 0;
    uint8_t m_cbOwnType = 0;
    uint8_t m_cbArranged = 0;
    // My cards that landed before they arrived, one bit each.
    uint8_t m_cbLandedEarly = 0;
    int m_nCountdown = kCountdownStart;
    Countdown m_eCountdown = kNoCountdown;

private:
    SceneShape m_Scene;
    // The last betting scene's ceiling, while one is kept.
    int64_t m_lSceneCeiling = 0;
    bool m_bSceneCeiling = false;
};

}  // namespace Bull
