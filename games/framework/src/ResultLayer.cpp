#include "games/framework/ResultLayer.h"

using namespace cocos2d;
using namespace cocos2d::extension;

namespace Sexy {

void CResultLayer::OnClose(CCObject*, CCControlEvent) { setVisible(false); }

CCControlButton* CResultLayer::AddCloseButton(const char* picture, const CCPoint& point, const CCSize& size)
{
    CCScale9Sprite* normal = CCScale9Sprite::create(picture);
    CCControlButton* close = CCControlButton::create(normal);
    close->setBackgroundSpriteForState(CCScale9Sprite::create(picture), CCControlStateHighlighted);
    close->setPreferredSize(size.width > 0 && size.height > 0 ? size : normal->getOriginalSize());
    close->setPosition(point);
    close->addTargetWithActionForControlEvents(this, cccontrol_selector(CResultLayer::OnClose),
                                               CCControlEventTouchDown);
    addChild(close);
    return close;
}

}  // namespace Sexy
