// The frame of the hall and the room: title band, borders, the window
// buttons along the top right and the logged-on user's panel. Its band is
// the window's caption.
#pragma once

#include "cocos2d.h"
#include "ui/WindowCaption.h"

class CImageButton;

class PublicLayer : public cocos2d::CCLayer, public IWindowCaption
{
public:
    // Window buttons; their tags, and the action the target receives.
    enum
    {
        kButtonClose = 1,
        kButtonMaximize = 2,
        kButtonRestore = 3,
        kButtonMinimize = 4,
        kButtonSetting = 5
    };
    // Distance of each button's left edge from the right edge, 1 below the top.
    static constexpr float kCloseOffset = 47, kMaximizeOffset = 77, kRestoreOffset = 77, kMinimizeOffset = 107,
                           kSettingOffset = 143;
    // The room's header: its top bar starts this far below the top.
    static constexpr float kRoomHeaderHeight = 121;
    enum
    {
        kTagTitle = 8001,
        kTagUserPanel = 8002,
        kTagNickname = 8003,
        kTagScore = 8004,
        kTagFace = 8005,
        kTagBand = 8006
    };

    // room = 1 for the room's frame.
    static PublicLayer* create(int room);
    bool initFrame(int room);

    // The room shows neither the title nor the close button; the band
    // behind them stays.
    void HideTitleAndClose();
    // Frame pieces follow the window-size rectangles; the buttons follow the
    // right edge; maximise or restore shows by the maximised state.
    void Relayout(float width, float height, bool maximized);
    // Nickname, score and level picture of the logged-on user.
    void UpdateUserInfo();

    // In the hall's frame a click on the user panel reaches the button target
    // with the panel (tag kTagUserPanel) as sender.
    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    bool userPanelContains(const cocos2d::CCPoint& world);

    // The whole visible area; the caption is the band (in the room down to
    // its top bar), not the hall's user panel.
    bool FrameContains(const cocos2d::CCPoint& world) override;
    bool CaptionContains(const cocos2d::CCPoint& world) override;

    // Receives the window buttons (sender's tag says which).
    void setButtonTarget(cocos2d::CCObject* target, cocos2d::SEL_MenuHandler action);
    CImageButton* getButton(int tag);
    cocos2d::CCNode* getUserPanel() const { return m_pUserPanel; }
    bool isRoomFrame() const { return m_nRoom != 0; }

private:
    void onButton(cocos2d::CCObject* sender);

    int m_nRoom = 0;
    cocos2d::CCSprite* m_pBand = nullptr;
    cocos2d::CCSprite* m_pTitle = nullptr;
    cocos2d::CCSprite* m_pEdges[3] = {nullptr, nullptr, nullptr};  // left, right, bottom
    cocos2d::CCNode* m_pUserPanel = nullptr;
    cocos2d::CCObject* m_pTarget = nullptr;
    cocos2d::SEL_MenuHandler m_pAction = nullptr;
};
