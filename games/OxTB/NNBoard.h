// The table of the six-seat bull game (kind 28): no banker and no bets. The
// round starts with chips thrown for every seat in play and the base score;
// the cards come with their own message; I hint and open within a
// 30-second countdown; the show-down lays every hand out, then the result.
#pragma once

#include "games/BullTable/BullBoard.h"
#include "games/OxTB/GameLogic.h"
#include "games/OxTB/OxTBMessages.h"

#include <memory>

namespace OxTB {

class NNHandler;

class NNBoard : public Bull::CBullBoard
{
public:
    static constexpr int kSeats = GAME_PLAYER;
    static constexpr int kBaseScoreTag = 10021;
    static constexpr int kResultZOrder = 1000000;
    static constexpr int kHandTypeZOrder = 232;

    NNBoard();
    ~NNBoard() override;
    static NNBoard* create();
    bool init() override;
    void ResetGameView() override;

    // --- what the handler calls -------------------------------------------
    // Chips from every seat in play into the seat's own pile.
    void ThrowChips(const uint8_t (&inPlay)[GAME_PLAYER]);
    // The handler's base score flies to its place.
    void ShowBaseScore();
    void OnSubSendCard(const CMD_S_SendCard& record);
    void DealCards();
    void OnSubGameEnd(const CMD_S_GameEnd& record, bool restored);

    static const cocos2d::CCPoint kFirstCardPoints[kSeats];
    static const cocos2d::CCPoint kHandTypePoints[kSeats];

    const CMD_S_SendCard* GetCardCopy() const { return m_pCardCopy.get(); }

protected:
    Bull::CBullHandler* Handler() const override;
    uint16_t MyCardGroup() const override;
    cocos2d::CCPoint CardPoint(uint16_t group, int j) const override;
    uint8_t* MyCardRecord() override;
    const uint8_t* MyDealtCards() const override;
    cocos2d::CCPoint MyHandTypePoint() const override { return kHandTypePoints[0]; }
    int HandTypeZOrder() const override { return kHandTypeZOrder; }
    // The rules sort and lay the hand out in place: a bull when the type
    // is not 0.
    bool ArrangeMyHand(uint8_t* cards) override { return m_GameLogic.GetCardType(cards, kCards) != OXTB_NONE; }
    uint8_t MyHandType(uint8_t* cards) override { return m_GameLogic.GetCardType(cards, kCards); }
    // My hand with its count, typed and laid out, and the flag: sub 3.
    void SendOpen() override;
    void OnMyCardDealt(cocos2d::CCNode* node) override;
    void OnOtherCardDealt(cocos2d::CCNode* node) override;
    // The scene's base score.
    void ShowSceneAmounts() override;
    // Every bull is declared again as a bull, with my hand as the rules
    // laid it out.
    void OpenRestoredHand(uint8_t* cards) override;

private:
    NNHandler* OwnHandler() const;
    // My card count as the record of my cards has it.
    uint8_t MyCardCount() const;
    void PlayDealtSound(float dt);
    void ShowDown(bool restored);

    std::unique_ptr<CMD_S_SendCard> m_pCardCopy;
    std::unique_ptr<CMD_S_GameEnd> m_pEndCopy;
    CGameLogic m_GameLogic;
};

}  // namespace OxTB
