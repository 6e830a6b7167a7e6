// The table of the four-seat bull game (kind 27): the two-seat table's round
// over four seats. Card groups belong to server chairs; view seat 0 is mine
// at the bottom. A seated player who does not play the round gets no bet
// buttons, a bet countdown that never sends and, on re-entry, the waiting
// animation. Each bettor's chips stay in a pile of their own with a label.
#pragma once

#include "games/BullTable/BullBoard.h"
#include "games/BullTable/BullRules.h"
#include "games/OxNew/OxNewMessages.h"

#include <memory>

namespace OxNew {

class NNHandler;

// The game's hand rules: the bull rules it shares with OxEx.
using CGameLogic = Bull::CGameLogic;

class NNBoard : public Bull::CBullBoard
{
public:
    static constexpr int kSeats = GAME_PLAYER;
    static constexpr int kBetLabelTag = 20501;
    // The result view lies over the round's chips (their layer came first)
    // and under every card: its point puts its top edge under the top
    // seat's hand, which stays whole over it.
    static constexpr int kResultZOrder = 0;
    static constexpr int kHandTypeZOrder = 232;

    NNBoard();
    ~NNBoard() override;
    static NNBoard* create();
    bool init() override;
    void ResetGameView() override;

    // --- what the handler calls -------------------------------------------
    void ThrowChips(uint16_t chair);
    void OnSubSendCard(const CMD_S_SendCard& record);
    void DealCards();
    void OnSubGameEnd(const CMD_S_GameEnd& record, bool restored);

    int GetBetLabelCount() const { return m_nBetLabels; }

    // Where things stand per view seat.
    static const cocos2d::CCPoint kBankerMarkPoints[kSeats];
    static const cocos2d::CCPoint kHandTypePoints[kSeats];
    static const cocos2d::CCPoint kBetLabelPoints[kSeats];
    static const cocos2d::CCPoint kCardOrigins[kSeats];

protected:
    Bull::CBullHandler* Handler() const override;
    uint16_t MyCardGroup() const override;
    cocos2d::CCPoint CardPoint(uint16_t group, int j) const override;
    uint8_t* MyCardRecord() override;
    cocos2d::CCPoint MyHandTypePoint() const override { return kHandTypePoints[0]; }
    int HandTypeZOrder() const override { return kHandTypeZOrder; }
    bool ArrangeMyHand(uint8_t* cards) override { return m_GameLogic.ArrangeBullCards(cards, kCards); }
    uint8_t MyHandType(uint8_t* cards) override { return m_GameLogic.GetCardType(cards, kCards); }
    void SendOpen() override;
    bool CountdownTicks(Countdown which) const override;
    bool BankerMarkPoint(uint16_t view, cocos2d::CCPoint& point) const override;
    const uint8_t* MyDealtCards() const override;
    void OnMyCardDealt(cocos2d::CCNode* node) override;
    void OnOtherCardDealt(cocos2d::CCNode* node) override;
    // Each bettor's amount by the bettor's seat.
    void ShowSceneAmounts() override;
    // My cards above the others'; another seat's the other way round.
    int RestoredCardZOrder(bool mine, int j, int zOrder) const override { return mine ? 23 + j : 9 - zOrder; }

private:
    NNHandler* OwnHandler() const;
    void ShowBetAmount(uint16_t chair, int64_t amount);
    void ShowOtherBull(uint16_t chair, const uint8_t cards[kCards]);
    void ResetCardGroups();

    int m_nPile = 0;
    int m_nLabel = 0;
    int m_nBetLabels = 0;
    std::unique_ptr<CMD_S_SendCard> m_pCardCopy;
    std::unique_ptr<CMD_S_GameEnd> m_pEndCopy;
    CGameLogic m_GameLogic;
};

}  // namespace OxNew
