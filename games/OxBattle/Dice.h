// The two dice thrown when a round's result comes: a roll of 27 frames that
// slides 100 to the left with an elastic ease, then the two faces side by
// side for two seconds. The node then takes itself off its parent; a new one
// is made for each round.
#pragma once

#include "cocos2d.h"
#include "games/common/CreateNode.h"

#include <cstdint>

namespace OxBattle {

class Dice : public cocos2d::CCSprite
{
public:
    // Where the roll starts, and its scale.
    static constexpr float kRollX = 512;
    static constexpr float kRollY = 450;
    static constexpr float kScale = 0.4f;
    static constexpr float kFacesShown = 2.0f;
    static constexpr float kFaceFade = 0.2f;

    static Dice* create() { return games::CreateNode<Dice>(); }
    bool init() override;
    // The frames "dices1" to "dices27", 0.07 s each (a missing frame is left
    // out).
    static cocos2d::CCAnimation* CreateRollAnimation();
    // The two dice values show; the board passes 0 for the last two.
    void Roll(uint8_t first, uint8_t second, uint8_t third, uint8_t fourth);
    // The roll's callback: the faces where the roller stopped.
    void ShowFaces(cocos2d::CCNode* roller);

    uint8_t GetFirst() const { return m_cbFirst; }
    uint8_t GetSecond() const { return m_cbSecond; }

private:
    // A face frame "dice%d", or none when the value has no face.
    void AddFace(uint8_t value, const cocos2d::CCPoint& at);

    uint8_t m_cbFirst = 0;
    uint8_t m_cbThird = 0;
    uint8_t m_cbSecond = 0;
    uint8_t m_cbFourth = 0;
};

}  // namespace OxBattle
