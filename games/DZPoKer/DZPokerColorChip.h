// The pot in the middle of the hold'em table: a pile of chips with the pot's
// amount, one chip stack per side pot, and the chips' way to the winners'
// seats at the end of a hand. A chip's picture is one of five chosen at
// random; amounts show only as text.
#pragma once

#include "cocos2d.h"
#include "games/DZPoKer/DZPoKerMessages.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace DZPoKer {

class DZPokerColorChip : public cocos2d::CCSprite
{
public:
    static constexpr int kChipZOrder = 10;
    static constexpr int kPlateZOrder = 5;
    static constexpr int kFewChips = 9;  // a main pile this small gets a few more before it is paid

    static DZPokerColorChip* create();
    bool init() override;

    void SetSeatPoint(uint16_t view, const cocos2d::CCPoint& point);
    // Adds a chip to the main pile and shows the amount (d,dddd) on its plate.
    void ShowPot(int64_t amount);
    // The main pile goes; the pot's stack is built once, with its plate.
    void SetPotAmount(int index, int64_t amount);
    // The main pile to the winners (view positions).
    void DistributeMainPot(const std::vector<uint16_t>& winnerViews);
    // Each pot's stack to its winners (chairs).
    void DistributePots(uint32_t potCount, const std::vector<uint16_t> winnerChairs[MAX_POT_COUNT]);
    // At once: no pile, stack, plate or payment of an earlier hand.
    void Clear();
    // Called with 0 three seconds after the main pot is paid.
    void SetEndCallback(std::function<void(int)> callback) { m_EndCallback = std::move(callback); }

    // For the tests.
    const std::vector<cocos2d::CCSprite*>& GetMainPile() const { return m_MainPile; }
    const std::vector<cocos2d::CCSprite*>& GetPotStack(int index) const { return m_PotStacks[index]; }
    cocos2d::CCSprite* GetMainPlate() const { return m_pMainPlate; }
    cocos2d::CCLabelTTF* GetMainLabel() const { return m_pMainLabel; }
    cocos2d::CCSprite* GetPotPlate(int index) const { return m_pPotPlate[index]; }
    cocos2d::CCLabelTTF* GetPotLabel(int index) const { return m_pPotLabel[index]; }
    int64_t GetPotAmount(int index) const { return m_lPotAmount[index]; }
    const cocos2d::CCPoint& GetSeatPoint(uint16_t view) const { return m_ptSeat[view]; }
    uint16_t GetRestTaker(int pot) const { return m_wRestView[pot]; }
    static cocos2d::CCPoint MainPilePoint() { return cocos2d::CCPoint(470, 415); }
    cocos2d::CCPoint StackPoint(int index) const { return m_ptStack[index]; }

private:
    // A new chip of a random picture on the list, 5 above the one before.
    cocos2d::CCSprite* NewChip(std::vector<cocos2d::CCSprite*>& list, const cocos2d::CCPoint& base);
    void RemoveMainPlate();
    void ShowPotPlate(cocos2d::CCNode* sender, void* index);
    void OnPaid(float);
    void OnPayRest(float);
    void OnPayPotRests(float);
    // The chair's view (the chip object keeps its seats by view).
    static uint16_t ViewOfChair(uint16_t chair);
    static void FlyAway(cocos2d::CCSprite* chip, const cocos2d::CCPoint& to, float seconds, bool fade);

    std::vector<cocos2d::CCSprite*> m_MainPile;
    cocos2d::CCPoint m_ptStack[MAX_POT_COUNT];
    cocos2d::CCPoint m_ptSeat[GAME_PLAYER];
    std::vector<cocos2d::CCSprite*> m_PotStacks[MAX_POT_COUNT];
    cocos2d::CCSprite* m_pPotPlate[MAX_POT_COUNT] = {};
    cocos2d::CCLabelTTF* m_pPotLabel[MAX_POT_COUNT] = {};
    int64_t m_lPotAmount[MAX_POT_COUNT] = {};
    cocos2d::CCSprite* m_pMainPlate = nullptr;
    cocos2d::CCLabelTTF* m_pMainLabel = nullptr;
    uint32_t m_dwPotCount = 0;
    uint16_t m_wRestView[MAX_POT_COUNT] = {};  // who takes what is left of each pot
    // Paid out: a stack still landing shows no plate any more.
    bool m_bPotPaid[MAX_POT_COUNT] = {};
    std::vector<uint16_t> m_MainWinners;
    uint16_t m_wPayView = 0;
    std::function<void(int)> m_EndCallback;
};

}  // namespace DZPoKer
