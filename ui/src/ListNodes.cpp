#include "ui/ListNodes.h"

#include "ui/GBKLabel.h"

#include <cstdio>

using namespace cocos2d;

CCLabelTTF* CreateChatLineNode(const std::string& gbkText, int tag, int x, int y, const ccColor3B& colour, int fontSize,
                               int lineHeight)
{
    (void)lineHeight;
    CCLabelTTF* label = CreateGBKLabel(gbkText, "Arial", static_cast<float>(fontSize));
    label->setAnchorPoint(CCPoint(0, 1));
    label->setHorizontalAlignment(kCCTextAlignmentLeft);
    label->setVerticalAlignment(kCCVerticalTextAlignmentCenter);
    label->setColor(colour);
    label->setPosition(CCPoint(static_cast<float>(x), static_cast<float>(y)));
    label->setTag(tag);
    return label;
}

CCSprite* CreateUserStatusIcon(int status, const CCPoint& position, int tag)
{
    char frame[32];
    if (status == 9999)
        std::snprintf(frame, sizeof(frame), "people0-9999");
    else
        std::snprintf(frame, sizeof(frame), "status_%d", status);
    CCSprite* icon = CCSprite::createWithSpriteFrameName(frame);
    if (icon == nullptr)
        return nullptr;
    icon->setAnchorPoint(CCPoint(1, 0));
    if (icon->getTexture() != nullptr)
        icon->getTexture()->setAliasTexParameters();
    icon->setTag(tag);
    if (status == 9999)
        icon->setScale(0.12f, 0.13f);
    icon->setPosition(position);
    return icon;
}
