#include "ui/Dialog.h"

#include "core/ClientGlobal.h"
#include "ui/GBKLabel.h"
#include "ui/ImageButton.h"
#include "ui/MyPoint.h"
#include "ui/VisibleRect.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;

Dialog::Dialog()
{
    m_nTouchPriority = kTouchPriority;
    m_pKeyDelegate = this;
    CClientGlobal::GetInstance()->AddDialogCount(1);
}

Dialog::~Dialog()
{
    CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, notify::kKeyReturn);
    CClientGlobal::GetInstance()->AddDialogCount(-1);
}

Dialog* Dialog::create()
{
    Dialog* dialog = new Dialog();
    if (!dialog->init())
    {
        delete dialog;
        return nullptr;
    }
    dialog->autorelease();
    return dialog;
}

bool Dialog::init()
{
    if (!CCLayer::init())
        return false;
    setTouchPriority(kTouchPriority);
    setTouchEnabled(true);
    CCNotificationCenter::sharedNotificationCenter()->addObserver(this, callfuncO_selector(Dialog::OnVKReturn),
                                                                  notify::kKeyReturn, nullptr);
    return true;
}

void Dialog::registerWithTouchDispatcher()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
}

bool Dialog::ccTouchBegan(CCTouch*, CCEvent*) { return m_bModal; }

void Dialog::OnVKReturn(CCObject* object)
{
    auto* point = dynamic_cast<CMyPoint*>(object);
    if (point != nullptr && m_pKeyDelegate != nullptr)
        m_pKeyDelegate->OnKeyReturn(static_cast<int>(point->m_point.x));
}

void Dialog::ShowMessage(const char* title, const char* text)
{
    if (getChildByTag(kTagFrame) != nullptr)
        removeChildByTag(kTagFrame, true);  // shown again: the new frame replaces the old
    CCSprite* frame = CCSprite::create("Dialog/frame");
    if (frame == nullptr)
        return;
    frame->setPosition(VisibleRect::center());
    CCLayer::addChild(frame, 1, kTagFrame);
    const CCSize size = frame->getContentSize();

    CCLabelTTF* titleLabel = CreateGBKLabel(title != nullptr ? title : "", "Arial", 18);
    titleLabel->setColor(ccc3(110, 60, 20));
    titleLabel->setPosition(CCPoint(size.width / 2, size.height - 22));
    frame->addChild(titleLabel, 1, kTagTitle);

    CCLabelTTF* textLabel = CCLabelTTF::create(CClientGlobal::GBKToUTF8(text != nullptr ? text : "").c_str(), "Arial",
                                               16, CCSize(size.width - 40, size.height - 110), kCCTextAlignmentCenter,
                                               kCCVerticalTextAlignmentCenter);
    textLabel->setColor(ccc3(50, 40, 30));
    textLabel->setPosition(CCPoint(size.width / 2, size.height / 2 + 5));
    frame->addChild(textLabel, 1, kTagText);

    CImageButton* ok = CImageButton::create("Dialog/determine_1", "Dialog/determine_3", "Dialog/determine_2", this,
                                            menu_selector(Dialog::OnMessageButton), kButtonOK);
    CImageButton* close = CImageButton::create("Dialog/close_1", "Dialog/close_3", "Dialog/close_2", this,
                                               menu_selector(Dialog::OnMessageButton), kButtonClose);
    if (m_nButtonMode == kModeOKCancel)
    {
        CImageButton* cancel = CImageButton::create("Dialog/cancel_1", "Dialog/cancel_3", "Dialog/cancel_2", this,
                                                    menu_selector(Dialog::OnMessageButton), kButtonClose);
        if (ok != nullptr)
            ok->setPosition(CCPoint(size.width * 0.3f, 36));
        if (cancel != nullptr)
        {
            cancel->setPosition(CCPoint(size.width * 0.7f, 36));
            AddDialogChild(frame, cancel, 2);
        }
    }
    else if (ok != nullptr)
    {
        ok->setPosition(CCPoint(size.width / 2, 36));
    }
    if (ok != nullptr)
        AddDialogChild(frame, ok, 2);
    if (close != nullptr)
    {
        close->setPosition(CCPoint(size.width - 22, size.height - 22));
        AddDialogChild(frame, close, 2);
    }
    if (getParent() == nullptr)
        WindyTopLayer::sharedTopLayer()->addChild(this, 100);
}

void Dialog::OnMessageButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    const int button = node != nullptr ? node->getTag() : kButtonClose;
    retain();  // the delegate may drop its last reference to us
    if (m_pDelegate != nullptr)
        m_pDelegate->OnDialogResult(button);
    Close();
    release();
}

void Dialog::Close()
{
    if (getParent() != nullptr)
        removeFromParentAndCleanup(true);
}

void Dialog::AddInputBox(CCNode* parent, CCNode* field)
{
    CCSprite* box = CCSprite::create("Dialog/input_bg");
    if (parent == nullptr || field == nullptr || box == nullptr)
        return;
    const CCSize size = field->getContentSize();
    box->setScale((size.width + 8) / box->getContentSize().width, (size.height + 4) / box->getContentSize().height);
    box->setPosition(
        CCPoint(field->getPositionX() - 4 + (size.width + 8) / 2, field->getPositionY() - 2 + (size.height + 4) / 2));
    parent->addChild(box, field->getZOrder() - 1);
}

void Dialog::FixTouchPriority(CCNode* node)
{
    if (node == nullptr)
        return;
    if (auto* layer = dynamic_cast<CCLayer*>(node))
        layer->setTouchPriority(kTouchPriority);
    if (CCArray* children = node->getChildren())
    {
        for (unsigned int i = 0; i < children->count(); ++i)
            FixTouchPriority(dynamic_cast<CCNode*>(children->objectAtIndex(i)));
    }
}

void Dialog::addChild(CCNode* child, int zOrder)
{
    CCLayer::addChild(child, zOrder);
    FixTouchPriority(child);
}

void Dialog::AddDialogChild(CCNode* parent, CCNode* child)
{
    AddDialogChild(parent, child, child ? child->getZOrder() : 0);
}

void Dialog::AddDialogChild(CCNode* parent, CCNode* child, int zOrder)
{
    if (parent == nullptr || child == nullptr)
        return;
    parent->addChild(child, zOrder);
    FixTouchPriority(child);
}

void Dialog::AddDialogChild(CCNode* parent, CCNode* child, int zOrder, int tag)
{
    if (parent == nullptr || child == nullptr)
        return;
    parent->addChild(child, zOrder, tag);
    FixTouchPriority(child);
}

void Dialog::AddSkinBackground()
{
    const CCRect visible = VisibleRect::getVisibleRect();
    CCLayerColor* backdrop = CCLayerColor::create(ccc4(0, 0, 0, 110), visible.size.width, visible.size.height);
    backdrop->setPosition(visible.origin);
    CCLayer::addChild(backdrop, -1);
}
