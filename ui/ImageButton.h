// A picture button of the shared UI: normal, pressed and hover pictures,
// a tag, and an action on release inside. Hover follows "Cursor".
#pragma once

#include "cocos2d.h"

#include <string>

class CImageButton : public cocos2d::CCLayer
{
public:
    // Pictures by name; pressed and hover may be empty (normal is kept).
    static CImageButton* create(const std::string& normal, const std::string& pressed, const std::string& hover,
                                cocos2d::CCObject* target, cocos2d::SEL_MenuHandler action, int tag);
    ~CImageButton() override;

    bool initButton(const std::string& normal, const std::string& pressed, const std::string& hover,
                    cocos2d::CCObject* target, cocos2d::SEL_MenuHandler action, int tag);

    void onEnter() override;
    void onExit() override;
    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchCancelled(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_bEnabled; }
    // 0 normal, 1 pressed, 2 hover.
    int getShownState() const { return m_nShown; }
    // Whether a point in world space is on the button (and every ancestor shows).
    bool hitTest(const cocos2d::CCPoint& world);

private:
    void show(int state);
    void onCursor(cocos2d::CCObject* point);

    cocos2d::CCSprite* m_pictures[3] = {nullptr, nullptr, nullptr};
    cocos2d::CCObject* m_pTarget = nullptr;
    cocos2d::SEL_MenuHandler m_pAction = nullptr;
    bool m_bEnabled = true;
    bool m_bPressed = false;
    int m_nShown = 0;
};
