// The node behind the kernel's game clock: invisible, a child of the kernel
// while it runs, tagged with its timer id; it reports each second to the
// kernel, which tells the current handler.
#pragma once

#include "cocos2d.h"

#include <cstdint>

namespace Sexy {

class CBaseKernelLayer;

class CMobileUserTimer : public cocos2d::CCSprite
{
public:
    static CMobileUserTimer* create();

    // Ticks every second, seconds + 1 times in all (the first a second
    // from now); the node's tag becomes `tag`.
    void Start(CBaseKernelLayer* kernel, uint16_t chair, uint32_t timerID, int32_t seconds, int32_t tag);
    void OnTick(float delta);
    void Stop();

    uint16_t GetChairID() const { return m_wChairID; }
    uint32_t GetTimerID() const { return m_dwTimerID; }
    int32_t GetSecondsLeft() const { return m_nSecondsLeft; }

private:
    CBaseKernelLayer* m_pKernel = nullptr;
    uint16_t m_wChairID = 0xFFFF;
    uint32_t m_dwTimerID = 0;
    int32_t m_nSecondsLeft = 0;
};

}  // namespace Sexy
