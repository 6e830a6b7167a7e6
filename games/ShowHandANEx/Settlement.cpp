#include "games/ShowHandANEx/Settlement.h"

#include "core/ClientGlobal.h"
#include "games/ShowHandANEx/NNHandler.h"
#include "games/ShowHandANEx/ShowHandANExMobile.h"
#include "games/framework/UserData.h"
#include "ui/GBKLabel.h"

#include <new>

using namespace cocos2d;

namespace ShowHandANEx {

namespace {

// Ahead of the board, which swallows every touch while it shows (-128), and
// of the cards under the panel (-129): at 0 the panel would never see one.
constexpr int kTouchPriority = -130;
constexpr float kResultOffset = 230;

}  // namespace

Settlement* Settlement::create()
{
    auto* panel = new (std::nothrow) Settlement();
    if (panel != nullptr && panel->init())
    {
        panel->autorelease();
        return panel;
    }
    delete panel;
    return nullptr;
}

Settlement::~Settlement() { delete m_pLayout; }

bool Settlement::init()
{
    if (!CCSprite::init())
        return false;
    m_pLayout = new (std::nothrow) LayoutPoints();
    if (m_pLayout == nullptr)
        return false;
    return initWithFile("ShowHandANEx/SCOREVIEW");
}

void Settlement::onEnter()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, kTouchPriority, true);
    CCSprite::onEnter();
}

void Settlement::onExit()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
    CCSprite::onExit();
}

std::string Settlement::NickName(uint16_t chair)
{
    NNHandler* handler = ShowHandANExMobile::GetHandler();
    const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
    if (user == nullptr)
        return std::string();
    return CClientGlobal::WideToAnsi(FieldText(user->szNickName));
}

void Settlement::ShowResult(const tagGameEnd& end)
{
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const CCPoint& at = m_pLayout->settlementName[chair];
        if (m_pNames[chair] != nullptr)
            m_pNames[chair]->removeFromParentAndCleanup(true);
        m_pNames[chair] = CreateGBKLabel(NickName(chair), "Arial", 14);
        m_pNames[chair]->setPosition(at);
        addChild(m_pNames[chair]);

        if (m_pResults[chair] != nullptr)
            m_pResults[chair]->removeFromParentAndCleanup(true);
        m_pResults[chair] = CreateGBKLabel(CClientGlobal::FormatScore(end.lGameScore[chair]), "Arial", 14);
        m_pResults[chair]->setPosition(CCPoint(at.x + kResultOffset, at.y));
        addChild(m_pResults[chair]);
    }
    setVisible(true);
}

// --- dragging --------------------------------------------------------------------------------

bool Settlement::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!isVisible() || getParent() == nullptr)
        return false;
    return boundingBox().containsPoint(getParent()->convertTouchToNodeSpace(touch));
}

void Settlement::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    if (getParent() == nullptr)
        return;
    // The bounds are the window's; the panel lives in the table's space.
    const CCPoint at =
        ClampDrag(touch->getLocation(), getContentSize(), CCDirector::sharedDirector()->getVisibleSize());
    setPosition(getParent()->convertToNodeSpace(at));
}

CCPoint Settlement::ClampDrag(const CCPoint& at, const CCSize& panel, const CCSize& visible)
{
    CCPoint p = at;
    if (at.x > visible.width - panel.width / 2)
        p.x = visible.width - panel.width / 2;
    if (at.x < panel.width / 2)
        p.x = panel.width / 2;
    if (at.y > visible.height - panel.height / 2 - 40)
        p.y = visible.height - panel.height / 2 - 40;
    if (at.y < panel.height / 2 + 75)
        p.y = panel.height / 2 + 75;
    return p;
}

}  // namespace ShowHandANEx
