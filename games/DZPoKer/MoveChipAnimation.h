// The hold'em board's chip layer: single chip pictures fly from a seat to
// the seat's spot on the table and stack there, 5 points apart, with the
// seat's bet in a small label; later the seat's pile flies away and goes.
// One flight flies one chip whatever the amount: chips carry no value.
#pragma once

#include "cocos2d.h"
#include "games/DZPoKer/DZPoKerGameLogic.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace DZPoKer {

class MoveChipAnimation : public cocos2d::CCSprite
{
public:
    static constexpr int kChipZOrder = 10;

    static MoveChipAnimation* create();
    bool init() override;

    // Flies one chip from `from` to the top of the view's pile at `to`; with
    // the label, the amount shows beside the pile when it lands.
    void FlyChip(uint16_t view, const cocos2d::CCPoint& from, const cocos2d::CCPoint& to, bool showLabel,
                 int64_t amount);
    // The view's pile flies to the point and goes; an empty pile does nothing.
    void GatherSeatChips(uint16_t view, const cocos2d::CCPoint& to);
    // At once: the pile goes and its label hides. The view is the data.
    void ClearSeatChips(cocos2d::CCNode* sender, void* view);
    void HideAmountLabel(cocos2d::CCNode* sender, void* view);
    void ShowAmountLabel(cocos2d::CCNode* sender, void* view);
    void ShowAmountText(cocos2d::CCNode* sender, void* view);
    void SetAmountText(uint16_t view, int64_t amount);
    // At once: every pile goes, flying or not, and no label shows.
    void ClearAll();
    // "%lld", and past six characters the last four become "w".
    static std::string FormatChipAmount(int64_t amount);
    // The point the next chip of the view's pile lands on.
    cocos2d::CCPoint StackTopPoint(uint16_t view, const cocos2d::CCPoint& to);

    // For the tests.
    const std::vector<cocos2d::CCSprite*>& GetPile(uint16_t view) { return m_Piles[view][0]; }
    cocos2d::CCSprite* GetAmountBackground(uint16_t view) const { return m_AmountBackgrounds[view]; }
    cocos2d::CCLabelTTF* GetAmountLabel(uint16_t view) const { return m_AmountLabels[view]; }

private:
    static uint16_t ViewOf(void* data);
    void FitAmountText(uint16_t view);

    // One pile per seat under key 0; the chips are this layer's children.
    std::map<int, std::vector<cocos2d::CCSprite*>> m_Piles[GAME_PLAYER];
    cocos2d::CCPoint m_ptTarget[GAME_PLAYER];
    std::vector<cocos2d::CCSprite*> m_AmountBackgrounds;
    std::vector<cocos2d::CCLabelTTF*> m_AmountLabels;
    int64_t m_lLastAmount = 0;
    // Each seat's own: flights of several seats may overlap.
    int64_t m_lSeatAmount[GAME_PLAYER] = {};
};

}  // namespace DZPoKer
