#include "games/framework/BoardArt.h"

#include <cstdio>

using namespace cocos2d;

namespace Sexy {

void LoadBoardSheets()
{
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const char* sheet : {"ClientGame/TimerNum.plist", "ClientGame/Light.plist", "ClientGame/Ready.plist",
                              "ClientGame/UserStatus.plist"})
        cache->addSpriteFramesWithFile(sheet);
}

CCAnimation* FrameAnimation(const char* format, int first, int last, float delay)
{
    CCAnimation* animation = CCAnimation::create();
    for (int n = first; n <= last; ++n)
    {
        char name[64];
        std::snprintf(name, sizeof(name), format, n);
        if (CCSpriteFrame* frame = CCResolvePicture(name))
            animation->addSpriteFrame(frame);
    }
    animation->setDelayPerUnit(delay);
    return animation;
}

CCAction* RunFramesForever(const char* format, int first, int last, float delay)
{
    return CCRepeatForever::create(CCAnimate::create(FrameAnimation(format, first, last, delay)));
}

}  // namespace Sexy
