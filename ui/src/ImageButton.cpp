#include "ui/ImageButton.h"

#include "ui/MyPoint.h"
#include "ui/VisibleRect.h"

using namespace cocos2d;

CImageButton* CImageButton::create(const std::string& normal, const std::string& pressed, const std::string& hover,
                                   CCObject* target, SEL_MenuHandler action, int tag)
{
    CImageButton* button = new CImageButton();
    if (!button->initButton(normal, pressed, hover, target, action, tag))
    {
        delete button;
        return nullptr;
    }
    button->autorelease();
    return button;
}

CImageButton::~CImageButton()
{
    CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, notify::kCursor);
}

bool CImageButton::initButton(const std::string& normal, const std::string& pressed, const std::string& hover,
                              CCObject* target, SEL_MenuHandler action, int tag)
{
    if (!CCLayer::init())
        return false;
    const std::string names[3] = {normal, pressed.empty() ? normal : pressed, hover.empty() ? normal : hover};
    for (int i = 0; i < 3; ++i)
    {
        m_pictures[i] = CCSprite::create(names[i].c_str());
        if (m_pictures[i] == nullptr)
            return false;
        m_pictures[i]->setAnchorPoint(CCPoint(0, 0));
        m_pictures[i]->setVisible(i == 0);
        addChild(m_pictures[i]);
    }
    setContentSize(m_pictures[0]->getContentSize());
    ignoreAnchorPointForPosition(false);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pTarget = target;
    m_pAction = action;
    setTag(tag);
    setTouchPriority(-128);
    setTouchEnabled(true);
    return true;
}

void CImageButton::onEnter()
{
    CCLayer::onEnter();
    CCNotificationCenter::sharedNotificationCenter()->addObserver(this, callfuncO_selector(CImageButton::onCursor),
                                                                  notify::kCursor, nullptr);
}

void CImageButton::onExit()
{
    CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, notify::kCursor);
    CCLayer::onExit();
}

void CImageButton::registerWithTouchDispatcher()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
}

bool CImageButton::hitTest(const CCPoint& world)
{
    for (CCNode* node = this; node != nullptr; node = node->getParent())
        if (!node->isVisible())
            return false;
    CCPoint local = convertToNodeSpace(world);
    CCSize size = getContentSize();
    return local.x >= 0 && local.y >= 0 && local.x <= size.width && local.y <= size.height;
}

bool CImageButton::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!m_bEnabled || !hitTest(touch->getLocation()))
        return false;
    m_bPressed = true;
    show(1);
    return true;
}

void CImageButton::ccTouchMoved(CCTouch* touch, CCEvent*) { show(hitTest(touch->getLocation()) ? 1 : 0); }

void CImageButton::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    m_bPressed = false;
    const bool inside = hitTest(touch->getLocation());
    show(inside ? 2 : 0);
    if (inside && m_bEnabled && m_pTarget != nullptr && m_pAction != nullptr)
    {
        // The action may close the dialog that holds us.
        retain();
        (m_pTarget->*m_pAction)(this);
        release();
    }
}

void CImageButton::ccTouchCancelled(CCTouch*, CCEvent*)
{
    m_bPressed = false;
    show(0);
}

void CImageButton::setEnabled(bool enabled)
{
    m_bEnabled = enabled;
    show(0);
}

void CImageButton::show(int state)
{
    m_nShown = state;
    for (int i = 0; i < 3; ++i)
        m_pictures[i]->setVisible(i == state);
}

void CImageButton::onCursor(CCObject* object)
{
    auto* point = dynamic_cast<CMyPoint*>(object);
    if (point == nullptr || m_bPressed || !m_bEnabled)
        return;
    const CCPoint gl = VisibleRect::windowToGL(point->m_point);
    const bool inside = hitTest(gl);
    if ((m_nShown == 2) != inside)
        show(inside ? 2 : 0);
}
