#include "games/ShowHandANEx/Settlement.h"

#include "core/ClientGlobal.h"
#include "games/ShowHandANEx/NNHandler.h"
#include "games/ShowHandANEx/ShowHandANExMobile.h"
#include "games/framework/BoardArt.h"
#include "games/framework/UserData.h"
#include "ui/GBKLabel.h"

#include <new>

using namespace cocos2d;

namespace ShowHandANEx {

namespace {

constexpr float kResultOffset = 230;
// Each label is centred on its point: a name keeps clear of the result, a
// result of the panel's right edge (360).
constexpr float kNameWidth = 140;
constexpr float kResultWidth = 92;

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
        Sexy::FitTextToWidth(m_pNames[chair], kNameWidth);
        addChild(m_pNames[chair]);

        if (m_pResults[chair] != nullptr)
            m_pResults[chair]->removeFromParentAndCleanup(true);
        m_pResults[chair] = CreateGBKLabel(CClientGlobal::FormatScore(end.lGameScore[chair]), "Arial", 14);
        m_pResults[chair]->setPosition(CCPoint(at.x + kResultOffset, at.y));
        Sexy::FitToWidth(m_pResults[chair], kResultWidth);
        addChild(m_pResults[chair]);
    }
    setVisible(true);
}

}  // namespace ShowHandANEx
