// The own-user card in the right bar of every board: level face, nickname,
// game ID, gender and score of the player at this computer, read from the
// kernel's record of me. The board makes it on its first show and refreshes
// its score when mine changes.
#pragma once

#include "cocos2d.h"

#include <cstdint>

class CUserInfoView : public cocos2d::CCLayer
{
public:
    enum
    {
        kTagScore = 3
    };

    static CUserInfoView* create();
    ~CUserInfoView() override;
    // Builds the card only when the kernel has my record; else it stays empty.
    bool init() override;
    // A new score label (and my current level's face, once the card has one).
    void UpdateUserInfo(int64_t score);

    cocos2d::CCSprite* GetFace() const { return m_pFace; }
    cocos2d::CCLabelTTF* GetNickLabel() const { return m_pNickLabel; }
    cocos2d::CCLabelTTF* GetScoreLabel() const { return m_pScoreLabel; }
    cocos2d::CCLabelTTF* GetGenderLabel() const { return m_pGenderLabel; }
    cocos2d::CCLabelTTF* GetIDLabel() const { return m_pIDLabel; }

private:
    cocos2d::CCLabelTTF* MakeLabel(const std::string& gbk, float size, const cocos2d::CCPoint& anchor,
                                   const cocos2d::CCPoint& position);

    cocos2d::CCSprite* m_pFace = nullptr;
    cocos2d::CCLabelTTF* m_pNickLabel = nullptr;
    cocos2d::CCLabelTTF* m_pScoreLabel = nullptr;
    cocos2d::CCLabelTTF* m_pGenderLabel = nullptr;
    cocos2d::CCLabelTTF* m_pIDLabel = nullptr;
};
