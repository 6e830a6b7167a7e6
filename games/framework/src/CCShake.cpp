#include "games/framework/CCShake.h"

#include <cstdlib>
#include <new>

using namespace cocos2d;

namespace Sexy {

CCShake* CCShake::create(float duration, float strengthX, float strengthY)
{
    auto* shake = new (std::nothrow) CCShake();
    if (shake == nullptr || !shake->initWithDuration(duration))
    {
        delete shake;
        return nullptr;
    }
    shake->m_fStrengthX = strengthX;
    shake->m_fStrengthY = strengthY;
    shake->autorelease();
    return shake;
}

CCShake* CCShake::create(float duration, float strength) { return create(duration, strength, strength); }

double CCShake::UnitRandom()
{
    // Scaled by the generator's own range: RAND_MAX is far above 32767 here.
    return std::rand() / static_cast<double>(RAND_MAX);
}

void CCShake::startWithTarget(CCNode* target)
{
    CCActionInterval::startWithTarget(target);
    m_StartPosition = target->getPosition();
}

void CCShake::update(float t)
{
    const double x = (-m_fStrengthX + 2.0 * m_fStrengthX * UnitRandom()) * t;
    const double y = (-m_fStrengthY + 2.0 * m_fStrengthY * UnitRandom()) * t;
    if (m_pTarget != nullptr)
        m_pTarget->setPosition(
            CCPoint(m_StartPosition.x + static_cast<float>(x), m_StartPosition.y + static_cast<float>(y)));
}

void CCShake::stop()
{
    if (m_pTarget != nullptr)
        m_pTarget->setPosition(m_StartPosition);
    CCActionInterval::stop();
}

}  // namespace Sexy
