#pragma once

#include "cocos2d.h"

// A plain page layer for dialog pages.
class MyLayer : public cocos2d::CCLayer
{
public:
    CREATE_FUNC(MyLayer)
};
