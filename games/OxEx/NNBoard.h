// The table of the two-seat bull game (kind 102): view 0 is my seat at the
// bottom, view 1 the opponent's at the top. A round: rob choice, the banker
// mark, bet buttons (or the betting animation for the banker), chips thrown
// from the bettor's seat and the amount, the deal, hint and open, the round
// end with the result view and the start button.
#pragma once

#include "games/BullTable/BullBoard.h"
#include "games/BullTable/BullRules.h"
#include "games/OxEx/OxExMessages.h"

#include <memory>

namespace OxEx {

class NNHandler;

// The game's hand rules: the bull rules it shares with OxNew.
using CGameLogic = Bull::CGameLogic;

class NNBoard : public Bull::CBullBoard
{
public:
    static constexpr int kViews = GAME_PLAYER;
    static constexpr int kAmountTag = 20;
    static constexpr int kResultViewZOrder = 8000;
    static constexpr int kHandTypeZOrder = 23232;

    NNBoard();
    ~NNBoard() override;
    static NNBoard* create();
    bool init() override;
    void ResetGameView() override;

    // --- what the handler calls -------------------------------------------
    // Chips fly from the bettor's seat; the amount and the deal follow.
    void ThrowChips(uint16_t chair);
    void OnSubSendCard(const CMD_S_SendCard& record);
    void OnSubGameEnd(const CMD_S_GameEnd& record, bool restored);

    // Where things stand, per view.
    static const cocos2d::CCPoint kHandTypePoints[kViews];
    static const cocos2d::CCPoint kBankerMarkPoints[kViews];
    static const cocos2d::CCPoint kCardOrigins[kViews];
    static constexpr int kCardSpacing = 17;

    const CMD_S_SendCard* GetCardCopy() const { return m_pCardCopy.get(); }

protected:
    Bull::CBullHandler* Handler() const override;
    uint16_t MyCardGroup() const override { return 0; }
    cocos2d::CCPoint CardPoint(uint16_t group, int j) const override;
    uint8_t* MyCardRecord() override;
    cocos2d::CCPoint MyHandTypePoint() const override { return kHandTypePoints[0]; }
    int HandTypeZOrder() const override { return kHandTypeZOrder; }
    bool ArrangeMyHand(uint8_t* cards) override { return m_GameLogic.ArrangeBullCards(cards, kCards); }
    uint8_t MyHandType(uint8_t* cards) override { return m_GameLogic.GetCardType(cards, kCards); }
    void SendOpen() override;
    bool BankerMarkPoint(uint16_t view, cocos2d::CCPoint& point) const override;
    const uint8_t* MyDealtCards() const override;
    // The bet of the player who is not the banker.
    void ShowSceneAmounts() override;

private:
    NNHandler* OwnHandler() const;
    void ShowBetAmount(cocos2d::CCNode* node);
    void DealCards(cocos2d::CCNode* node);
    // The opponent's hand arranged, with the pair tucked when it is a bull.
    void ShowOtherBull(const uint8_t cards[kCards]);

    static const int kMyZOrders[kCards];
    static const int kOtherZOrders[kCards];

    std::unique_ptr<CMD_S_SendCard> m_pCardCopy;
    std::unique_ptr<CMD_S_GameEnd> m_pEndCopy;
    CGameLogic m_GameLogic;
};

}  // namespace OxEx
