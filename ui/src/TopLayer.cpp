#include "core/ClientGlobal.h"
#include "ui/MBProgressHUD.h"
#include "ui/VisibleRect.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;

namespace {

CCSprite* MakeSpinner()
{
    CCSprite* spinner = CCSprite::create("Public/loading");
    if (spinner != nullptr)
        spinner->runAction(CCRepeatForever::create(CCRotateBy::create(1.0f, 360)));
    return spinner;
}

}  // namespace

WindyTopLayer* WindyTopLayer::sharedTopLayer()
{
    static WindyTopLayer* layer = [] {
        WindyTopLayer* l = new WindyTopLayer();
        l->init();
        return l;  // kept for the whole run
    }();
    CCDirector* director = CCDirector::sharedDirector();
    if (director->getTopLayer() != layer)
    {
        // First use, or the director was reset (between tests): what the
        // layer held belonged to the torn-down scenes.
        layer->clearContents();
        director->setTopLayer(layer);
    }
    return layer;
}

void WindyTopLayer::clearContents()
{
    removeAllChildrenWithCleanup(true);
    unschedule(schedule_selector(WindyTopLayer::tickTicker));
    m_messages.clear();
    m_pTicker = nullptr;
    m_pTickerLabel = nullptr;
    m_bTickerRunning = false;
}

void WindyTopLayer::showLoading()
{
    if (getChildByTag(kTagLoading) != nullptr)
        return;
    if (CCSprite* spinner = MakeSpinner())
    {
        spinner->setPosition(VisibleRect::center());
        addChild(spinner, 1000, kTagLoading);
    }
}

void WindyTopLayer::hideLoading() { removeChildByTag(kTagLoading, true); }

bool WindyTopLayer::isLoadingShown() { return getChildByTag(kTagLoading) != nullptr; }

void WindyTopLayer::relayout()
{
    if (CCNode* spinner = getChildByTag(kTagLoading))
        spinner->setPosition(VisibleRect::center());
    if (m_pTicker != nullptr)
    {
        // Centred along the top, clear of the user panel on the left and the
        // window buttons on the right.
        const CCRect visible = VisibleRect::getVisibleRect();
        const float width = visible.size.width * kTickerShare;
        m_pTicker->changeWidth(width);
        m_pTicker->setClipRect(CCRect(0, 0, width, kTickerHeight));
        m_pTicker->setPosition(CCPoint(visible.origin.x + (visible.size.width - width) / 2,
                                       visible.origin.y + visible.size.height - kTickerHeight - kTickerTopGap));
    }
}

void WindyTopLayer::pushMessage(const std::string& gbkText)
{
    if (gbkText.empty())
        return;
    m_messages.push_back(gbkText);
    if (!m_bTickerRunning)
        startNextMessage();
}

void WindyTopLayer::startNextMessage()
{
    if (m_messages.empty())
    {
        m_bTickerRunning = false;
        if (m_pTicker != nullptr)
            m_pTicker->setVisible(false);
        unschedule(schedule_selector(WindyTopLayer::tickTicker));
        return;
    }
    if (m_pTicker == nullptr)
    {
        m_pTicker = CCLayerColor::create(ccc4(0, 0, 0, 150), 1, kTickerHeight);
        addChild(m_pTicker, 900, kTagTicker);
        m_pTickerLabel = CCLabelTTF::create("", "Arial", 16);
        m_pTickerLabel->setAnchorPoint(CCPoint(0, 0.5f));
        m_pTickerLabel->setColor(ccc3(255, 230, 120));
        m_pTicker->addChild(m_pTickerLabel);
    }
    relayout();
    m_pTicker->setVisible(true);
    m_pTickerLabel->setString(CClientGlobal::GBKToUTF8(m_messages.front()).c_str());
    m_messages.pop_front();
    m_pTickerLabel->setPosition(CCPoint(m_pTicker->getContentSize().width, kTickerHeight / 2));
    if (!m_bTickerRunning)
        schedule(schedule_selector(WindyTopLayer::tickTicker));
    m_bTickerRunning = true;
}

void WindyTopLayer::tickTicker(float dt)
{
    if (m_pTickerLabel == nullptr)
        return;
    CCPoint p = m_pTickerLabel->getPosition();
    p.x -= kTickerSpeed * dt;
    m_pTickerLabel->setPosition(p);
    if (p.x + m_pTickerLabel->getContentSize().width < 0)
        startNextMessage();
}

MBProgressHUD* MBProgressHUD::sharedHUD()
{
    static MBProgressHUD* hud = [] {
        MBProgressHUD* h = new MBProgressHUD();
        h->init();
        return h;  // kept for the whole run
    }();
    return hud;
}

void MBProgressHUD::showHUD()
{
    MBProgressHUD* hud = sharedHUD();
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    if (hud->getParent() == nullptr)
        top->addChild(hud, 1001, kTagHUD);
    hud->stopAllActions();
    hud->removeAllChildrenWithCleanup(true);
    if (CCSprite* spinner = MakeSpinner())
    {
        spinner->setPosition(VisibleRect::center());
        hud->addChild(spinner);
    }
}

void MBProgressHUD::hideHUD(bool animated)
{
    MBProgressHUD* hud = sharedHUD();
    if (hud->getParent() == nullptr)
        return;
    if (!animated || hud->getChildrenCount() == 0)
    {
        hud->removeAllChildrenWithCleanup(true);
        hud->removeFromParentAndCleanup(false);
        return;
    }
    CCNode* spinner = dynamic_cast<CCNode*>(hud->getChildren()->objectAtIndex(0));
    spinner->runAction(CCSequence::create(CCFadeOut::create(0.3f), CCRemoveSelf::create(true), nullptr));
    hud->runAction(CCSequence::create(CCDelayTime::create(0.3f), CCRemoveSelf::create(false), nullptr));
}

bool MBProgressHUD::isShown() { return sharedHUD()->getParent() != nullptr && sharedHUD()->getChildrenCount() > 0; }
