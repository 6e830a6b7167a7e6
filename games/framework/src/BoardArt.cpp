#include "games/framework/BoardArt.h"

#include "CocoStudio.h"
#include "ui/VisibleRect.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <string>

using namespace cocos2d;

namespace Sexy {

void LoadBoardSheets()
{
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const char* sheet : {"ClientGame/TimerNum.plist", "ClientGame/Light.plist", "ClientGame/Ready.plist",
                              "ClientGame/UserStatus.plist"})
        cache->addSpriteFramesWithFile(sheet);
}

CCAnimation* FrameAnimation(const char* format, int first, int last, float delay, bool standIn)
{
    CCAnimation* animation = CCAnimation::create();
    for (int n = first; n <= last; ++n)
    {
        char name[64];
        std::snprintf(name, sizeof(name), format, n);
        if (CCSpriteFrame* frame = CCResolvePicture(name, standIn))
            animation->addSpriteFrame(frame);
    }
    animation->setDelayPerUnit(delay);
    return animation;
}

CCAction* RunFramesForever(const char* format, int first, int last, float delay)
{
    return CCRepeatForever::create(CCAnimate::create(FrameAnimation(format, first, last, delay)));
}

CCSprite* FirstFrameSprite(CCAnimation* animation)
{
    CCArray* frames = animation != nullptr ? animation->getFrames() : nullptr;
    if (frames == nullptr || frames->count() == 0)
        return CCSprite::create();
    return CCSprite::createWithSpriteFrame(static_cast<CCAnimationFrame*>(frames->objectAtIndex(0))->getSpriteFrame());
}

RightBarHeights MeasureRightBar()
{
    // A pixel of the window in points, so the tiles' seams stay covered.
    const int c = static_cast<int>(std::ceil(1.0f / CCEGLView::sharedOpenGLView()->getScaleY()));
    RightBarHeights bar{};
    bar.top = 196 + c;
    bar.advert = 2 * c + 106;
    bar.rest = static_cast<int>(VisibleRect::rightTop().y) - bar.top - bar.advert;
    bar.list = static_cast<int>(std::floor((bar.rest * 0.5 - 33 - 16) / 30)) * 30 + 33 + 16;
    return bar;
}

CCSprite* LoopingFrameSprite(const char* format, int first, int last, float delay)
{
    CCAnimation* animation = FrameAnimation(format, first, last, delay);
    CCSprite* sprite = FirstFrameSprite(animation);
    if (animation->getFrames()->count() > 0)
        sprite->runAction(CCRepeatForever::create(CCAnimate::create(animation)));
    return sprite;
}

void FitToWidth(CCNode* node, float width)
{
    if (node == nullptr || width <= 0)
        return;
    const float natural = node->getContentSize().width;
    node->setScale(natural > width ? width / natural : 1.0f);
}

namespace {

// Whole characters off the text's end, "..." after them, until `drawn`
// says it fits; `show` puts each try on the label.
template <class Show, class Drawn>
void CutToWidth(const std::string& text, float width, Show show, Drawn drawn)
{
    size_t end = text.size();
    while (end > 0)
    {
        // Back to the start of the last whole character.
        do
            --end;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
        show(text.substr(0, end) + "...");
        if (drawn() <= width)
            return;
    }
}

}  // namespace

void FitTextToWidth(CCLabelTTF* label, float width)
{
    if (label == nullptr || width <= 0 || label->getContentSize().width <= width)
        return;
    CutToWidth(
        label->getString(), width, [label](const std::string& text) { label->setString(text.c_str()); },
        [label] { return label->getContentSize().width; });
}

void FitTextToWidth(ui::Label* label, float width)
{
    if (label == nullptr || width <= 0 || label->getContentSize().width <= width)
        return;
    CutToWidth(
        label->getStringValue(), width, [label](const std::string& text) { label->setText(text); },
        [label] { return label->getContentSize().width; });
}

std::string AtlasFigure(int64_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%" PRId64, value);
    if (text[0] == '-')
        text[0] = ':';
    return text;
}

}  // namespace Sexy
