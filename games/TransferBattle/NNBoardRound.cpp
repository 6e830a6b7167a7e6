// The round as the server runs it: free time, betting and the result, each
// begun by one message or restored from a scene when I enter mid-round;
// beside it the chips a player may use, the banker's panel and queue and
// the phase clock.
#include "core/ClientGlobal.h"
#include "games/TransferBattle/NNBoard.h"
#include "games/TransferBattle/NNHandler.h"
#include "games/TransferBattle/ScoreView.h"
#include "games/common/BankerBetting.h"
#include "games/common/BoardWidgets.h"

#include <algorithm>
#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace TransferBattle {

namespace {

std::string Decimal(int64_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(value));
    return text;
}

}  // namespace

// --- free time ------------------------------------------------------------------------------

void NNBoard::OnGameFree(const FreeMessage& message)
{
    m_bFreeTime = true;
    m_bNoticeShown = false;
    RefreshMyChair();
    UpdateMyInfo();
    m_Clock.Start(this, schedule_selector(NNBoard::OnClockTick), message.cbTimeLeave);
    ShowPhaseSign("TransferBattle/free");
    ClearRound();
}

void NNBoard::ClearRound()
{
    RemoveScoreView();
    m_Chips.DisableAll();
    m_nSelectedChip = 0;
    m_pSelectedChipButton = nullptr;
    m_Bets.Clear();
    HideAreaLabels();
}

// --- betting ------------------------------------------------------------------------------------

void NNBoard::OnGameStart(const RoundStartMessage& message)
{
    ResetGameView();
    PlaySound("TransferBattle/Sound/qingxiazhu");
    m_bFreeTime = false;
    // The last round's panel may still be due: it must not show over this one.
    RemoveScoreView();

    m_lBankerScore = message.lBankerScore;
    m_lBankerMinimum = message.lApplyBankerCondition;
    RefreshMyChair();
    // Without my record (I left meanwhile) there is nothing to bet with.
    const tagUserData* me = UserAt(m_nMyChair);
    m_lMyScore = me != nullptr ? me->lScore : 0;
    UpdateMyInfo();

    m_Clock.Start(this, schedule_selector(NNBoard::OnClockTick), message.cbTimeLeave);
    ShowPhaseSign("TransferBattle/call");
    // A round starts from nothing, whatever a scene before it restored.
    m_Bets.Clear();
    HideAreaLabels();
    // The areas were hidden at the last round's end.
    ShowAreaImages(true);

    const int banker = message.wBankerUser;
    if (banker == m_nBankerChair)
    {
        SetBankerInfo(message.wBankerUser, 0xFFFF, -1);
    }
    else
    {
        const bool wasMe = IsMeBanker();
        SetBankerInfo(message.wBankerUser, 0, 0);
        games::SetQueueButtonsForNewBanker(m_pApplyButton, m_pCancelButton, IsMeBanker(), wasMe);
    }
    if (!IsMeBanker())
    {
        const int64_t myLimit = message.lUserMaxScore;
        const int64_t bankerScore = message.lBankerScore;
        UpdateChipButtons(std::min(myLimit, bankerScore));
    }
}

void NNBoard::OnPlaceBet(const BetPlacedMessage& message)
{
    RefreshMyChair();
    const bool mine = m_nMyChair >= 0 && message.wChairID == m_nMyChair;
    // The handler let only areas 1 to 8 through; AreaBets refuses others too.
    if (!m_Bets.Add(message.cbArea, message.lAmount, mine))
        return;
    const int index = message.cbArea - 1;
    ShowAmount(m_pTotalLabels[index], m_Bets.Total(message.cbArea));
    m_bFreeTime = false;
    if (mine)
        m_lMyScore = games::SaturatingSub(m_lMyScore, message.lAmount);
    if (!IsMeBanker())
        UpdateChipButtons(std::min(m_lMyScore, games::SaturatingSub(m_lBankerScore, m_Bets.Sum())));
    if (mine)
    {
        ShowAmount(m_pOwnLabels[index], m_Bets.Mine(message.cbArea));
        SetLabel("Label_21_0_3", CClientGlobal::FormatScore(m_lMyScore));
    }
    PlaySound(message.lAmount == 5000000 ? "TransferBattle/Sound/ADD_GOLD_EX" : "TransferBattle/Sound/ADD_GOLD");
}

void NNBoard::UpdateChipButtons(int64_t limit)
{
    const size_t usable = m_Chips.Limit(limit);
    if (usable == 0)
    {
        // Nothing can be bet: a chip the player still holds is dropped.
        if (m_pSelectedChipButton != nullptr)
            ShowNoChipNotice();
        return;
    }
    const int64_t chip = games::LimitSelectedChip(m_nSelectedChip, m_Chips.Values().data(), usable, m_nSelectedChip);
    if (chip != m_nSelectedChip)
    {
        m_nSelectedChip = static_cast<int32_t>(chip);
        m_pSelectedChipButton = m_Chips.ButtonOf(chip);
        SetSelectedChip(true, chip);
    }
}

void NNBoard::OnBetFailed(const BetFailedMessage&)
{
    if (m_pSelectedChipButton != nullptr)
        ShowNoChipNotice();
}

void NNBoard::ShowNoChipNotice()
{
    DropChipSelection();
    if (m_bNoticeShown)
        return;
    m_bNoticeShown = true;
    games::ShowFadingNotice(this, "TransferBattle/notify_03", CCPoint(560, 415), 3.0f);
}

void NNBoard::DropChipSelection()
{
    SetSelectedChip(false, 0);
    m_nSelectedChip = 0;
    m_pSelectedChipButton = nullptr;
}

// --- the result ---------------------------------------------------------------------------------

void NNBoard::OnGameEnd(const RoundEndMessage& message)
{
    m_LastResult = message;
    RefreshMyChair();
    m_bFreeTime = false;
    m_Clock.Start(this, schedule_selector(NNBoard::OnClockTick), message.cbTimeLeave);
    PlaySound("TransferBattle/Sound/maidinglishou");
    ShowPhaseSign("TransferBattle/outCard");
    PlaySound("TransferBattle/Sound/BetEnd");
    StartWheel(message.cbWinSlot);
    SetBankerInfo(static_cast<uint16_t>(m_nBankerChair), static_cast<uint16_t>(message.nBankerTimes & 0xFFFF),
                  message.lBankerTotalResult);
    UpdateMyInfo();
    char times[16];
    std::snprintf(times, sizeof(times), "%d", static_cast<int>(message.nBankerTimes));
    SetLabel("Label_21_0_5", times);
    SetLabel("Label_21_0_6", CClientGlobal::FormatScore(message.lBankerTotalResult));
    SetLabel("Label_21_0_2", CClientGlobal::FormatScore(message.lMyScore));
    DropChipSelection();
    ShowAreaImages(false);
    m_Chips.DisableAll();
}

// --- the banker ---------------------------------------------------------------------------------

void NNBoard::SetBankerInfo(uint16_t chair, uint32_t bankerTimes, int64_t bankerResult)
{
    m_nBankerChair = chair;
    if (chair == NO_BANKER)
        ShowNoBanker();
    else
        m_BankerPanel.ShowBanker(chair, UserAt(chair));
    if (bankerTimes != 0xFFFF)
        m_BankerPanel.ShowRounds(bankerTimes);
    if (bankerResult != -1)
        m_BankerPanel.ShowResult(bankerResult);
}

void NNBoard::ShowNoBanker()
{
    RefreshMyChair();
    UpdateMyInfo();
    m_Chips.DisableAll();
    m_BankerPanel.ShowBanker(NO_BANKER, nullptr);
    m_BankerPanel.ShowRounds(0);
}

void NNBoard::UpdateMyInfo()
{
    const tagUserData* me = UserAt(m_nMyChair);
    SetLabel("Label_21_0_4", games::NickName(me));
    SetLabel("Label_21_0_3", CClientGlobal::FormatScore(me != nullptr ? me->lScore : 0));
    // Rows of players who now have too little, or who left (no record), go.
    m_Queue.RemoveRowsIf([this](uint16_t chair) {
        const tagUserData* user = UserAt(chair);
        return user == nullptr || user->lScore < m_lBankerMinimum;
    });
}

void NNBoard::OnApplyBanker(uint16_t chair) { AddBankerListItem(chair); }

void NNBoard::AddBankerListItem(uint16_t chair)
{
    RefreshMyChair();
    if (m_nMyChair >= 0 && chair == m_nMyChair)
        games::SetQueueButtons(m_pApplyButton, m_pCancelButton, true);
    m_Queue.AddRow(chair, UserAt(chair));
}

void NNBoard::OnCancelBanker(uint16_t chair) { RemoveBankerListItem(chair); }

void NNBoard::RemoveBankerListItem(uint16_t chair)
{
    RefreshMyChair();
    if (m_nMyChair >= 0 && chair == m_nMyChair)
        games::SetQueueButtons(m_pApplyButton, m_pCancelButton, false);
    m_Queue.RemoveRows(chair);
}

void NNBoard::OnChangeBanker(const ChangeBankerMessage& message)
{
    const uint16_t chair = message.wBankerUser;
    RemoveBankerListItem(chair);
    games::SetQueueButtonsForNewBanker(m_pApplyButton, m_pCancelButton, m_nMyChair >= 0 && chair == m_nMyChair,
                                       IsMeBanker());
    SetBankerInfo(chair, 0, 0);
}

void NNBoard::SetQueueButtons()
{
    // The banker is in no queue: restored as banker I get the buttons the
    // change of banker gives, cancel and no apply.
    const bool queued = m_nMyChair >= 0 && m_Queue.Contains(static_cast<uint16_t>(m_nMyChair));
    games::SetQueueButtons(m_pApplyButton, m_pCancelButton, queued || IsMeBanker());
}

// --- records ------------------------------------------------------------------------------------

void NNBoard::OnRecord(uint8_t record)
{
    RefreshMyChair();
    m_cbRecordValue = record;
    AppendRecord();
}

// --- scenes -------------------------------------------------------------------------------------

void NNBoard::OnSceneFree(const FreeScene& scene)
{
    // A free table shows nothing of a round restored before it: no result
    // panel, no amounts.
    ClearRound();
    RefreshMyChair();
    m_lBankerMinimum = scene.lApplyBankerCondition;
    UpdateMyInfo();
    m_Clock.Start(this, schedule_selector(NNBoard::OnClockTick), scene.cbTimeLeave);
    SetBankerInfo(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    SetQueueButtons();
}

void NNBoard::OnSceneBetting(const PlayScene& scene)
{
    // Nor does a betting table show a result restored before it.
    RemoveScoreView();
    RefreshMyChair();
    UpdateMyInfo();
    m_Clock.Start(this, schedule_selector(NNBoard::OnClockTick), scene.cbTimeLeave);
    SetBankerInfo(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    SetQueueButtons();
    // The areas may have been hidden by a result before.
    ShowAreaImages(true);
    m_Bets.Clear();
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        m_Bets.Set(area, scene.lAllBets[area], scene.lMyBets[area]);
        ShowAmount(m_pTotalLabels[area - 1], m_Bets.Total(area));
        m_pTotalLabels[area - 1]->setVisible(m_Bets.Total(area) != 0);
        ShowAmount(m_pOwnLabels[area - 1], m_Bets.Mine(area));
        m_pOwnLabels[area - 1]->setVisible(m_Bets.Mine(area) > 0);
    }
    const tagUserData* me = UserAt(m_nMyChair);
    m_lMyScore = me != nullptr ? me->lScore : 0;
    SetLabel("Label_21_0_3", CClientGlobal::FormatScore(m_lMyScore));
}

void NNBoard::OnSceneResult(const PlayScene& scene)
{
    unschedule(schedule_selector(NNBoard::OnWheelTick));
    RefreshMyChair();
    m_lBankerMinimum = scene.lApplyBankerCondition;
    UpdateMyInfo();
    m_Clock.Start(this, schedule_selector(NNBoard::OnClockTick), scene.cbTimeLeave);
    m_nBankerChair = scene.wBankerUser;
    SetBankerInfo(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    SetQueueButtons();
    schedule(schedule_selector(NNBoard::OnWheelTick), kWheelTick);
    RemoveScoreView();
    m_pScoreView = CScoreView::create();
    if (m_pScoreView != nullptr)
    {
        m_pScoreView->setPosition(CCPoint(520, 347));
        m_pScoreView->SetSceneResult(scene);
        AddContentChild(m_pScoreView, kScoreViewZ);
        m_pScoreView->setVisible(true);
    }
    // The scene gives no amounts: none of a betting scene before it stays.
    m_Bets.Clear();
    HideAreaLabels();
}

// --- the table ------------------------------------------------------------------------------------

void NNBoard::HideAreaLabels()
{
    for (int i = 0; i < AREA_COUNT; ++i)
    {
        if (m_pTotalLabels[i] != nullptr)
            m_pTotalLabels[i]->setVisible(false);
        if (m_pOwnLabels[i] != nullptr)
            m_pOwnLabels[i]->setVisible(false);
    }
}

void NNBoard::ShowAreaImages(bool show)
{
    for (Widget* area : m_pAreaImages)
    {
        if (area != nullptr)
            area->setVisible(show);
    }
}

void NNBoard::ShowAmount(CCLabelAtlas* label, int64_t amount)
{
    if (label == nullptr)
        return;
    label->setString(Decimal(amount).c_str());
    label->setVisible(true);
}

void NNBoard::ShowPhaseSign(const char* picture)
{
    // A new phase takes the last one's sign, which may still be fading:
    // two would read as neither.
    if (CCNode* last = GetContentRoot()->getChildByTag(kPhaseSignTag))
        last->removeFromParent();
    CCSprite* sign = CCSprite::create(picture);
    sign->setPosition(CCPoint(180, 250));
    sign->setOpacity(255);
    AddContentChild(sign, 0, kPhaseSignTag);
    sign->runAction(CCSequence::create(CCFadeOut::create(2.0f), CCRemoveSelf::create(), nullptr));
}

// --- the phase clock ------------------------------------------------------------------------------

void NNBoard::OnClockTick(float)
{
    // The banners of the last stop stay until the clock reaches 5.
    if (m_Clock.Seconds() == kBannerClock)
        HideBanners();
    m_Clock.Tick();
}

}  // namespace TransferBattle
