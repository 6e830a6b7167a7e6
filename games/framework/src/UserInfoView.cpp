#include "games/framework/UserInfoView.h"

#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/BoardArt.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/GameRoom.h"
#include "ui/GBKLabel.h"

#include <cstdio>
#include <new>

using namespace cocos2d;

namespace {

const ccColor3B kTextColour{4, 64, 114};
// The card's right column, from the figures' left edge to the card's inner
// edge: a ten-digit score is made smaller to keep to it, never drawn past
// the card and the window.
constexpr float kColumnWidth = 83;

tagUserData* MyRecord()
{
    Sexy::CBaseKernelLayer* kernel = Sexy::RoomKernel();
    return kernel != nullptr ? kernel->GetMeUserData() : nullptr;
}

}  // namespace

CUserInfoView* CUserInfoView::create()
{
    auto* view = new (std::nothrow) CUserInfoView();
    if (view != nullptr && view->init())
    {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

CUserInfoView::~CUserInfoView() = default;

CCLabelTTF* CUserInfoView::MakeLabel(const std::string& gbk, float size, const CCPoint& anchor, const CCPoint& position)
{
    CCLabelTTF* label = CreateGBKLabel(gbk, "Arial", size);
    label->setColor(kTextColour);
    label->setAnchorPoint(anchor);
    label->setPosition(position);
    addChild(label);
    return label;
}

bool CUserInfoView::init()
{
    if (!CCLayer::init())
        return false;
    const tagUserData* me = MyRecord();
    if (me == nullptr)
        return true;
    m_pNickLabel =
        MakeLabel(CClientGlobal::WideToAnsi(FieldText(me->szNickName)), 18, CCPoint(0.5f, 0.5f), CCPoint(50, 75));
    char id[16];
    std::snprintf(id, sizeof(id), "%d", static_cast<int>(me->dwGameID));
    m_pIDLabel = MakeLabel(id, 14, CCPoint(0, 0.5f), CCPoint(106, 28));
    m_pGenderLabel =
        MakeLabel(CClientGlobal::UTF8ToGBK(me->cbGender != 0 ? "女" : "男"), 14, CCPoint(0, 0.5f), CCPoint(106, 0));
    m_pScoreLabel = MakeLabel(CClientGlobal::FormatScore(me->lScore), 14, CCPoint(0, 0.5f), CCPoint(106, -27));
    m_pScoreLabel->setTag(kTagScore);
    Sexy::FitToWidth(m_pIDLabel, kColumnWidth);
    Sexy::FitToWidth(m_pScoreLabel, kColumnWidth);
    m_pFace = CCSprite::create(Sexy::CBoardDrawUserData::FaceOf(me).c_str());
    m_pFace->setPosition(CCPoint(0, 0));
    addChild(m_pFace);
    return true;
}

void CUserInfoView::UpdateUserInfo(int64_t score)
{
    // A card made before my record came has neither label nor face.
    if (m_pScoreLabel != nullptr)
        m_pScoreLabel->removeFromParentAndCleanup(true);
    m_pScoreLabel = MakeLabel(CClientGlobal::FormatScore(score), 14, CCPoint(0, 0.5f), CCPoint(106, -25));
    m_pScoreLabel->setTag(kTagScore);
    Sexy::FitToWidth(m_pScoreLabel, kColumnWidth);
    const tagUserData* me = MyRecord();
    if (me == nullptr || m_pFace == nullptr)
        return;
    if (CCSpriteFrame* frame = CCResolvePicture(Sexy::CBoardDrawUserData::FaceOf(me).c_str()))
        m_pFace->setDisplayFrame(frame);
}
