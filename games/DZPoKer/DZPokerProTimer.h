// The turn timer: a ring round the hole cards of the seat whose turn it is,
// shrinking over 20 seconds. Near the end it warns me by sound on my turn,
// and at the end it gives up for me.
#pragma once

#include "cocos2d.h"
#include "games/DZPoKer/DZPoKerGameLogic.h"

#include <cstdint>

namespace DZPoKer {

class DZPokerProTimer : public cocos2d::CCSprite
{
public:
    static constexpr float kPercentPerSecond = 5.0f;  // a full ring lasts 20 s

    static DZPokerProTimer* create();
    ~DZPokerProTimer() override;

    // The ring stands 8 points right of the point.
    void SetSeatPoint(uint16_t view, const cocos2d::CCPoint& point);
    // Shows the ring at the chair's seat; while one shows, only the chair changes.
    void Start(int chair);
    void Stop();
    void Update(float seconds);

    cocos2d::CCProgressTimer* GetRing() const { return m_pRing; }
    cocos2d::CCSprite* GetBackground() const { return m_pBackground; }
    int GetChair() const { return m_nChair; }
    const cocos2d::CCPoint& GetSeatPoint(uint16_t view) const { return m_ptSeat[view]; }

private:
    cocos2d::CCPoint m_ptSeat[GAME_PLAYER];
    cocos2d::CCSprite* m_pBackground = nullptr;
    cocos2d::CCProgressTimer* m_pRing = nullptr;
    int m_nChair = -1;
};

}  // namespace DZPoKer
