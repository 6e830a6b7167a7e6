// The modal layer under every dialog and game table.
#pragma once

#include "cocos2d.h"

#include <string>

// Told which button closed a dialog: 1 OK, 0 close (or cancel). Called
// before the dialog closes.
class CDialogDelegate
{
public:
    virtual ~CDialogDelegate() = default;
    virtual void OnDialogResult(int button) { (void)button; }
};

// Told of Tab (9) and Enter (13) while the dialog lives.
class CDialogButtonDeleagate
{
public:
    virtual ~CDialogButtonDeleagate() = default;
    virtual void OnKeyReturn(int key) { (void)key; }
};

class Dialog : public cocos2d::CCLayer, public CDialogButtonDeleagate
{
public:
    enum
    {
        kButtonClose = 0,
        kButtonOK = 1
    };
    enum
    {
        kModeOK = 1,
        kModeOKCancel = 2
    };
    static constexpr int kTouchPriority = -128;
    // Tags of the message frame's parts.
    enum
    {
        kTagFrame = 7001,
        kTagTitle = 7002,
        kTagText = 7003
    };

    // Modal, priority -128; counts as an open dialog until destroyed.
    Dialog();
    ~Dialog() override;
    static Dialog* create();
    // Takes touches and observes "VKRETURN". A game board never runs it.
    bool init() override;

    void registerWithTouchDispatcher() override;
    // While modal every touch is swallowed, on the dialog or not.
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    // GBK title and text in the message frame with the buttons of the button
    // mode and a close button; shown on the top layer.
    void ShowMessage(const char* title, const char* text);
    void Close();

    using cocos2d::CCLayer::addChild;
    // Adds, then gives a layer child (and its layer children) priority -128.
    void addChild(cocos2d::CCNode* child, int zOrder) override;
    static void AddDialogChild(cocos2d::CCNode* parent, cocos2d::CCNode* child);
    static void AddDialogChild(cocos2d::CCNode* parent, cocos2d::CCNode* child, int zOrder);
    static void AddDialogChild(cocos2d::CCNode* parent, cocos2d::CCNode* child, int zOrder, int tag);
    static void FixTouchPriority(cocos2d::CCNode* node);

    // A dimmed backdrop over the whole visible area, behind the dialog's parts.
    void AddSkinBackground();
    // A white box behind a text field (added to parent already), so the
    // player sees where to type.
    static void AddInputBox(cocos2d::CCNode* parent, cocos2d::CCNode* field);

    void setDelegate(CDialogDelegate* delegate) { m_pDelegate = delegate; }
    CDialogDelegate* getDelegate() const { return m_pDelegate; }
    void setButtonMode(int mode) { m_nButtonMode = mode; }
    int getButtonMode() const { return m_nButtonMode; }
    void setModal(bool modal) { m_bModal = modal; }
    bool isModal() const { return m_bModal; }
    void setKeyDelegate(CDialogButtonDeleagate* delegate) { m_pKeyDelegate = delegate; }

protected:
    void OnVKReturn(cocos2d::CCObject* point);
    void OnMessageButton(cocos2d::CCObject* sender);

    CDialogDelegate* m_pDelegate = nullptr;
    CDialogButtonDeleagate* m_pKeyDelegate = nullptr;
    int m_nButtonMode = kModeOK;
    bool m_bModal = true;
};
