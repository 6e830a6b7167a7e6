// Base of a card table's end-of-hand result layer (the landlord's and Shuang
// Kou's): a layer whose close button hides it, so it stays on the table
// until the next hand takes it off.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"

namespace Sexy {

class CResultLayer : public cocos2d::CCLayerRGBA
{
public:
    // The close button's action: hides the layer.
    void OnClose(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);

protected:
    // A close button of the nine-slice picture (the same for the highlighted
    // state) at the point, acting on touch down; its preferred size is the
    // size given, or the picture's own when that is zero.
    cocos2d::extension::CCControlButton* AddCloseButton(const char* picture, const cocos2d::CCPoint& point,
                                                        const cocos2d::CCSize& size = cocos2d::CCSizeZero);
};

}  // namespace Sexy
