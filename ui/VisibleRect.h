// Points of the visible area of the engine's view.
#pragma once

#include "cocos2d.h"

class VisibleRect
{
public:
    static cocos2d::CCRect getVisibleRect();
    static cocos2d::CCPoint left();
    static cocos2d::CCPoint right();
    static cocos2d::CCPoint top();
    static cocos2d::CCPoint bottom();
    static cocos2d::CCPoint center();
    static cocos2d::CCPoint leftTop();
    static cocos2d::CCPoint rightTop();
    static cocos2d::CCPoint leftBottom();
    static cocos2d::CCPoint rightBottom();
    // A window pixel (origin bottom-left, as the input notifications carry
    // it) in the GL points that nodes and touches use.
    static cocos2d::CCPoint windowToGL(const cocos2d::CCPoint& windowPixel);
};
