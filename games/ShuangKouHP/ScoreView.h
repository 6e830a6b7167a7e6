// Shuang Kou's end-of-hand result layer: won or lost, a value of the record,
// and a row per chair (nickname, score change, the sum of its counters); its
// close button hides it. Its pictures and digits are in "shuangkouHP/theEnd/".
// The board puts it at the table's centre; the rows are placed round that.
#pragma once

#include "cocos2d.h"
#include "games/ShuangKouHP/ShuangKouMessages.h"
#include "games/framework/ResultLayer.h"

#include <cstdint>
#include <string>

namespace ShuangKouHP {

class CScoreView : public Sexy::CResultLayer
{
public:
    static CScoreView* create();
    bool init() override;

    // Fills the layer from the end record and shows it.
    void SetGameEnd(const CMD_S_GameEnd& end);

    // An amount as the atlas digits show it: the magnitude of the whole
    // 64-bit value (the sign is a picture of its own).
    static std::string Digits(int64_t amount);

    cocos2d::CCSprite* GetTitle() const { return m_pTitle; }
    cocos2d::CCLabelAtlas* GetShownValue() const { return m_pShownValue; }
    cocos2d::CCLabelAtlas* GetScoreLabel(uint16_t chair) const
    {
        return chair < GAME_PLAYER ? m_pScores[chair] : nullptr;
    }
    cocos2d::CCSprite* GetSign(uint16_t chair) const { return chair < GAME_PLAYER ? m_pSigns[chair] : nullptr; }
    cocos2d::CCLabelAtlas* GetCounterLabel(uint16_t chair) const
    {
        return chair < GAME_PLAYER ? m_pCounters[chair] : nullptr;
    }
    cocos2d::CCLabelTTF* GetNameLabel(uint16_t chair) const { return chair < GAME_PLAYER ? m_pNames[chair] : nullptr; }
    cocos2d::extension::CCControlButton* GetCloseButton() const { return m_pClose; }

private:
    cocos2d::CCSprite* m_pTitle = nullptr;
    cocos2d::CCSprite* m_pShownSign = nullptr;
    cocos2d::CCLabelAtlas* m_pShownValue = nullptr;
    cocos2d::CCLabelTTF* m_pNames[GAME_PLAYER] = {};
    cocos2d::CCSprite* m_pSigns[GAME_PLAYER] = {};
    cocos2d::CCLabelAtlas* m_pScores[GAME_PLAYER] = {};
    cocos2d::CCLabelAtlas* m_pCounters[GAME_PLAYER] = {};
    cocos2d::extension::CCControlButton* m_pClose = nullptr;
};

}  // namespace ShuangKouHP
