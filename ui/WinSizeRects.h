// The window frame's rectangles for the current visible size.
#pragma once

#include "cocos2d.h"

class CWinSizeRects
{
public:
    static CWinSizeRects* GetInstance();

    // Recomputes the rectangles from the visible area.
    void Refresh();

    static constexpr float kTitleHeight = 88;
    static constexpr float kBorder = 2;

    cocos2d::CCRect m_rcWindow;  // the whole visible area
    cocos2d::CCRect m_rcTitle;   // title band along the top
    cocos2d::CCRect m_rcLeft;    // borders below the title band
    cocos2d::CCRect m_rcRight;
    cocos2d::CCRect m_rcBottom;
    cocos2d::CCRect m_rcClient;  // inside title band and borders

private:
    CWinSizeRects() = default;
};
