// The busy spinner on the top layer.
#pragma once

#include "cocos2d.h"

class MBProgressHUD : public cocos2d::CCNode
{
public:
    enum
    {
        kTagHUD = 9903
    };
    static MBProgressHUD* sharedHUD();
    static void showHUD();
    // animated: fades out instead of vanishing at once.
    static void hideHUD(bool animated);
    static bool isShown();

private:
    MBProgressHUD() = default;
};
