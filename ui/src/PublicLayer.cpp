#include "ui/PublicLayer.h"

#include "core/ClientGlobal.h"
#include "ui/Dialog.h"
#include "ui/ImageButton.h"
#include "ui/VisibleRect.h"
#include "ui/WinSizeRects.h"

#include <cstdio>

using namespace cocos2d;

namespace {

struct ButtonSpec
{
    int tag;
    const char* family;
    float offset;
};

const ButtonSpec kButtons[] = {
    {PublicLayer::kButtonClose, "Public/close", PublicLayer::kCloseOffset},
    {PublicLayer::kButtonMaximize, "Public/max", PublicLayer::kMaximizeOffset},
    {PublicLayer::kButtonRestore, "Public/restore", PublicLayer::kRestoreOffset},
    {PublicLayer::kButtonMinimize, "Public/min", PublicLayer::kMinimizeOffset},
    {PublicLayer::kButtonSetting, "Public/setting", PublicLayer::kSettingOffset},
};

// The title sits low in the band, below the ticker's strip.
constexpr float kTitleRaise = 36;

}  // namespace

PublicLayer* PublicLayer::create(int room)
{
    PublicLayer* layer = new PublicLayer();
    if (!layer->initFrame(room))
    {
        delete layer;
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

bool PublicLayer::initFrame(int room)
{
    if (!CCLayer::init())
        return false;
    m_nRoom = room;
    m_pBand = CCSprite::create("Public/title_bg");
    m_pBand->setAnchorPoint(CCPoint(0, 0));
    addChild(m_pBand, 0, kTagBand);
    m_pTitle = CCSprite::create("Public/title");
    addChild(m_pTitle, 1, kTagTitle);
    for (int i = 0; i < 3; ++i)
    {
        CCSprite*& edge = m_pEdges[i];
        edge = CCSprite::create(i < 2 ? "Public/frame_side" : "Public/frame_bottom");
        if (edge != nullptr)
        {
            edge->setAnchorPoint(CCPoint(0, 0));
            addChild(edge, 1);
        }
    }
    for (const ButtonSpec& entry : kButtons)
    {
        const std::string family = entry.family;
        // Families of three: _01 normal, _03 pressed, _02 hover.
        CImageButton* button = CImageButton::create(family + "_01", family + "_03", family + "_02", this,
                                                    menu_selector(PublicLayer::onButton), entry.tag);
        if (button != nullptr)
        {
            button->setAnchorPoint(CCPoint(0, 1));
            Dialog::AddDialogChild(this, button, 10, entry.tag);
        }
    }
    m_pUserPanel = CCNode::create();
    addChild(m_pUserPanel, 5, kTagUserPanel);
    CCSprite* face = CCSprite::create(CClientGlobal::FacePicture(1).c_str());
    if (face != nullptr)
    {
        face->setScale(0.56f);
        face->setPosition(CCPoint(40, 0));
        m_pUserPanel->addChild(face, 0, kTagFace);
    }
    CCLabelTTF* nickname = CCLabelTTF::create("", "Arial", 15);
    nickname->setAnchorPoint(CCPoint(0, 0.5f));
    nickname->setPosition(CCPoint(80, 12));
    m_pUserPanel->addChild(nickname, 1, kTagNickname);
    CCLabelTTF* score = CCLabelTTF::create("", "Arial", 14);
    score->setAnchorPoint(CCPoint(0, 0.5f));
    score->setColor(ccc3(255, 220, 90));
    score->setPosition(CCPoint(80, -12));
    m_pUserPanel->addChild(score, 1, kTagScore);

    const CCRect visible = VisibleRect::getVisibleRect();
    Relayout(visible.size.width, visible.size.height, false);
    UpdateUserInfo();
    // The hall's user panel opens the personal centre.
    if (m_nRoom == 0)
        setTouchEnabled(true);
    return true;
}

void PublicLayer::registerWithTouchDispatcher()
{
    // Below every dialog (-128), which keeps the panel while one is open.
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, 0, true);
}

bool PublicLayer::userPanelContains(const CCPoint& world)
{
    if (m_pUserPanel == nullptr)
        return false;
    for (CCNode* node = m_pUserPanel; node != nullptr; node = node->getParent())
        if (!node->isVisible())
            return false;
    const CCPoint local = m_pUserPanel->convertToNodeSpace(world);
    CCArray* children = m_pUserPanel->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
    {
        auto* child = static_cast<CCNode*>(children->objectAtIndex(i));
        if (child->isVisible() && child->boundingBox().containsPoint(local))
            return true;
    }
    return false;
}

bool PublicLayer::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    return m_nRoom == 0 && m_pTarget != nullptr && userPanelContains(touch->getLocation());
}

void PublicLayer::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    if (m_pTarget != nullptr && m_pAction != nullptr && userPanelContains(touch->getLocation()))
        (m_pTarget->*m_pAction)(m_pUserPanel);
}

bool PublicLayer::FrameContains(const CCPoint& world) { return window_caption::FrameAt(this, world); }

bool PublicLayer::CaptionContains(const CCPoint& world)
{
    const float depth = m_nRoom != 0 ? kRoomHeaderHeight : CWinSizeRects::kTitleHeight;
    return window_caption::TopStripAt(this, world, depth) && (m_nRoom != 0 || !userPanelContains(world));
}

void PublicLayer::HideTitleAndClose()
{
    m_pTitle->setVisible(false);
    if (CImageButton* close = getButton(kButtonClose))
        close->setVisible(false);
}

CImageButton* PublicLayer::getButton(int tag) { return dynamic_cast<CImageButton*>(getChildByTag(tag)); }

void PublicLayer::Relayout(float width, float height, bool maximized)
{
    (void)width;
    (void)height;
    CWinSizeRects* rects = CWinSizeRects::GetInstance();
    rects->Refresh();
    auto place = [](CCSprite* sprite, const CCRect& r) {
        if (sprite == nullptr)
            return;
        sprite->setTextureRect(CCRect(0, 0, r.size.width, r.size.height));
        sprite->setPosition(r.origin);
    };
    // The room's header reaches down to its top bar; the band's gradient
    // stretches to it rather than end in a flat strip of its last row.
    CCRect band = rects->m_rcTitle;
    float stretch = 1;
    if (m_nRoom != 0 && band.size.height > 0 && band.size.height < kRoomHeaderHeight)
    {
        stretch = kRoomHeaderHeight / band.size.height;
        band.origin.y -= kRoomHeaderHeight - band.size.height;
    }
    m_pBand->setScaleY(stretch);
    place(m_pBand, band);
    m_pTitle->setPosition(CCPoint(rects->m_rcTitle.getMidX(), rects->m_rcTitle.getMinY() + kTitleRaise));
    place(m_pEdges[0], rects->m_rcLeft);
    place(m_pEdges[1], rects->m_rcRight);
    place(m_pEdges[2], rects->m_rcBottom);

    const CCPoint rightTop = VisibleRect::rightTop();
    for (const ButtonSpec& entry : kButtons)
        if (CImageButton* button = getButton(entry.tag))
            button->setPosition(CCPoint(rightTop.x - entry.offset, rightTop.y - 1));
    if (CImageButton* maximize = getButton(kButtonMaximize))
        maximize->setVisible(!maximized);
    if (CImageButton* restore = getButton(kButtonRestore))
        restore->setVisible(maximized);
    if (m_pUserPanel != nullptr)
        m_pUserPanel->setPosition(CCPoint(rects->m_rcTitle.origin.x + 20, rects->m_rcTitle.origin.y + 44));
}

void PublicLayer::UpdateUserInfo()
{
    if (m_pUserPanel == nullptr)
        return;
    CClientGlobal* global = CClientGlobal::GetInstance();
    const UserRecord& me = global->GetUserRecord();
    if (auto* nickname = dynamic_cast<CCLabelTTF*>(m_pUserPanel->getChildByTag(kTagNickname)))
        nickname->setString(CClientGlobal::WideToUTF8(FieldText(me.szNickName)).c_str());
    if (auto* score = dynamic_cast<CCLabelTTF*>(m_pUserPanel->getChildByTag(kTagScore)))
        score->setString(CClientGlobal::FormatScore(me.lScore).c_str());
    if (auto* face = dynamic_cast<CCSprite*>(m_pUserPanel->getChildByTag(kTagFace)))
    {
        if (CCSprite* picture = CCSprite::create(CClientGlobal::FacePicture(global->GetMyLevel()).c_str()))
            face->setDisplayFrame(picture->displayFrame());
    }
}

void PublicLayer::setButtonTarget(CCObject* target, SEL_MenuHandler action)
{
    m_pTarget = target;
    m_pAction = action;
}

void PublicLayer::onButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node != nullptr && node->getTag() == kButtonMinimize && m_pTarget == nullptr)
    {
        CCDirector::sharedDirector()->getOpenGLView()->minimizeWindow();
        return;
    }
    if (m_pTarget != nullptr && m_pAction != nullptr)
        (m_pTarget->*m_pAction)(sender);
}
