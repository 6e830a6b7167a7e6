// The board's seats: seat panels, the total-score panel, the timer box, the
// ready signs and the player list's side of users entering and leaving.
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/GameBoard.h"
#include "games/framework/GameHandler.h"
#include "games/framework/PlayerTableViewLayer.h"
#include "games/framework/TimerBox.h"
#include "games/framework/UserInfoView.h"

using namespace cocos2d;

namespace Sexy {

bool CGameBoard::SetSeatUser(uint16_t chair, tagUserData* user)
{
    if (chair >= kMaxChairs)
        return false;
    m_pSeatUsers[chair] = user;
    CBaseKernelLayer* kernel = Kernel();
    const uint16_t view = kernel != nullptr ? kernel->SwitchViewChairID(chair) : chair;
    if (!OnSeatUserChanged(chair, user))
        DrawSeatPanel(view, user);
    return true;
}

tagUserData* CGameBoard::GetSeatUser(uint16_t chair) const
{
    return chair < kMaxChairs ? m_pSeatUsers[chair] : nullptr;
}

CBoardDrawUserData* CGameBoard::GetSeatPanel(uint16_t view) const
{
    if (m_pContentRoot == nullptr || view >= kMaxChairs)
        return nullptr;
    return dynamic_cast<CBoardDrawUserData*>(m_pContentRoot->getChildByTag(kSeatPanelTagBase + view));
}

void CGameBoard::DrawSeatPanel(uint16_t view, tagUserData* user)
{
    if (!IsSeatGame() || m_pContentRoot == nullptr || view >= kMaxChairs)
        return;
    CBoardDrawUserData* panel = GetSeatPanel(view);
    if (panel == nullptr && user != nullptr)
    {
        panel = CBoardDrawUserData::create();
        if (panel == nullptr)
            return;
        panel->Build(this, view, user);
        panel->setPosition(m_ptSeatPanel[view]);
        AddContentChild(panel, kSeatPanelZOrder, kSeatPanelTagBase + view);
        panel->ShowReadySign(m_ptStatus[view], view, user->cbUserStatus);
    }
    else if (panel != nullptr && user != nullptr)
    {
        panel->Update(user);
    }
    else if (panel != nullptr)
    {
        RemoveContentChild(panel);
    }
    else
    {
        return;
    }
    if (view != 0)
        return;
    CBaseKernelLayer* kernel = Kernel();
    CGameHandler* handler = kernel != nullptr ? kernel->GetGameHandler() : nullptr;
    if (handler == nullptr || !handler->IsCloseFlag())
        ResetGameView();
    if (m_pTotalScorePanel == nullptr)
    {
        m_pTotalScorePanel = CCSprite::create("ClientGame/TOTAL_SCORE");
        m_pTotalScorePanel->setAnchorPoint(CCPoint(0, 0.5f));
        m_pTotalScorePanel->setPosition(m_ptTotalScore);
        m_pTotalScoreLabel = CCLabelTTF::create("0", "Arial", 14);
        m_pTotalScoreLabel->setAnchorPoint(CCPoint(0, 0.5f));
        m_pTotalScoreLabel->setPosition(CCPoint(55, 13));
        m_pTotalScorePanel->addChild(m_pTotalScoreLabel);
        AddContentChild(m_pTotalScorePanel, kTotalScoreZOrder, kTotalScoreTag);
    }
}

void CGameBoard::RefreshSeatPanel(uint16_t chair, tagUserData* user)
{
    if (!IsSeatGame() || user == nullptr)
        return;
    CBaseKernelLayer* kernel = Kernel();
    const uint16_t view = kernel != nullptr ? kernel->SwitchViewChairID(chair) : chair;
    if (CBoardDrawUserData* panel = GetSeatPanel(view))
        panel->Update(user);
}

bool CGameBoard::SetUserClock(uint16_t view, uint16_t seconds)
{
    if (view >= kMaxChairs)
        return false;
    m_wClockSeconds[view] = seconds;
    if (m_pTimerBox == nullptr)
        return true;
    if (seconds == 0)
        m_pTimerBox->setVisible(false);
    else
        m_pTimerBox->SetTime(static_cast<float>(static_cast<int>(m_ptClock[view].x)),
                             static_cast<float>(static_cast<int>(m_ptClock[view].y)), seconds);
    return true;
}

void CGameBoard::ShowUserStatus(uint16_t chair, tagUserData* user)
{
    CBaseKernelLayer* kernel = Kernel();
    const uint16_t view = kernel != nullptr ? kernel->SwitchViewChairID(chair) : chair;
    if (view >= kMaxChairs)
        return;
    CBoardDrawUserData* panel = GetSeatPanel(view);
    if (panel != nullptr && user != nullptr)
        panel->ShowReadySign(m_ptStatus[view], view, user->cbUserStatus);
}

void CGameBoard::OnPlayerEnter(tagUserData* user)
{
    if (m_pPlayerList != nullptr)
        m_pPlayerList->AddUser(user);
}

void CGameBoard::OnPlayerLeave(tagUserData* user)
{
    if (m_pPlayerList != nullptr && user != nullptr)
        m_pPlayerList->RemoveUser(user->dwGameID);
}

void CGameBoard::OnUserScoreUpdated(tagUserData* user)
{
    if (user == nullptr)
        return;
    if (m_pPlayerList != nullptr)
        m_pPlayerList->UpdateUser(user);
    CBaseKernelLayer* kernel = Kernel();
    const tagUserData* me = kernel != nullptr ? kernel->GetMeUserData() : nullptr;
    if (me != nullptr && me->dwUserID == user->dwUserID && m_pUserInfoView != nullptr)
        m_pUserInfoView->UpdateUserInfo(user->lScore);
}

void CGameBoard::OnUserStatusUpdated(tagUserData* user)
{
    if (m_pPlayerList != nullptr)
        m_pPlayerList->UpdateUser(user);
}

}  // namespace Sexy
