// The round as the server runs it: free time, betting and the result, each
// begun by one message (or restored from a scene when I enter mid-round),
// the phase clock with its banners, the change of banker, and the car's run
// round the track to the winning badge.
#include "core/ClientGlobal.h"
#include "games/BumperCarBattle/NNBoard.h"
#include "games/BumperCarBattle/NNHandler.h"
#include "games/common/BankerBetting.h"
#include "games/framework/GameAudio.h"

#include <algorithm>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace BumperCarBattle {

// --- the phase clock ----------------------------------------------------------------------------

void NNBoard::RestartClock(int phase, int seconds)
{
    m_nPhase = phase;
    m_Clock.Start(this, schedule_selector(NNBoard::OnClockTick), seconds);
}

// Once a second, the seconds left first and 0 last: the banners and the
// clock's sound go by them.
void NNBoard::OnClockTick(float)
{
    OnPhaseSecond(m_Clock.Seconds());
    m_Clock.Tick();
}

void NNBoard::OnPhaseSecond(int seconds)
{
    if (seconds < 0)
        return;
    int soundBelow = 5;
    switch (m_nPhase)
    {
        case kPhaseBetting:
            if (seconds == 4)
                ShowGameEndBanner();
            break;
        case kPhaseResult:
            if (seconds == 4)
                ShowChangeBankerBanner();
            break;
        case kPhaseFree:
            if (seconds == 4)
                ShowPlaceJettonBanner();
            break;
        case kPhaseFreeScene:
            if (seconds == 4)
                ShowPlaceJettonBanner();
            soundBelow = 4;
            break;
        default: soundBelow = 0; break;
    }
    if (seconds < soundBelow)
        PlayEffect("sound/clock.mp3");
}

// --- free time ----------------------------------------------------------------------------------

void NNBoard::OnGameFree(const FreeMessage& message)
{
    unschedule(schedule_selector(NNBoard::FlashResultLight));
    // A result phase cut short by the server left its result showing.
    if (m_pEndBackground->isVisible())
    {
        m_pEndBackground->setVisible(false);
        m_pEndBackground->removeAllChildren();
    }
    // The round is over: a car run has cleared its bets already; a round
    // that ended with no run of ours (entered mid-round) clears them here.
    ResetAreaBets();
    PlayMusicOnce("sound/opencar1.mp3");
    RestartClock(kPhaseFree, message.cbTimeLeave);
    m_pCar->runAction(CCFadeOut::create(0.5f));
    UpdateChipButtons(true);
    RefreshWinRecord();
    if (IsMeBanker() && m_pCancelButton != nullptr)
        m_pCancelButton->setBright(true);
}

// --- betting ------------------------------------------------------------------------------------

void NNBoard::OnGameStart(const RoundStartMessage& message)
{
    PlayEffect("sound/qingxiazhu.mp3");
    m_lBankerCondition = message.lBankerCondition;
    m_wBankerChair = message.wBankerUser;
    RestartClock(kPhaseBetting, message.cbTimeLeave);
    // A new round's bets start from nothing before the chips are weighed
    // against my score; chips a restored round laid (with no run of its own
    // to clear them) go too.
    ResetAreaBets();
    m_lMyRoundBet = 0;
    if (m_wBankerChair == NO_BANKER)
    {
        // Nobody bets against the system.
        UpdateChipButtons(true);
        SetBankerTimes(0);
    }
    else
    {
        UpdateChipButtons(false);
    }
    SetBankerName(m_wBankerChair);
    if (const tagUserData* me = UserAt(MyChair()))
    {
        SetMyNickName(CClientGlobal::WideToAnsi(FieldText(me->szNickName)));
        SetMyScore(me->lScore);
        SetMyBetTotal(m_lMyRoundBet);
    }
    if (IsMeBanker() && m_pCancelButton != nullptr)
        m_pCancelButton->setBright(false);
}

void NNBoard::OnPlaceBet(const BetPlacedMessage& message)
{
    if (!ValidArea(message.cbArea))
        return;
    const int index = message.cbArea - 1;
    PlayEffect("sound/bet.mp3");
    if (IsMyChair(message.wChairID))
    {
        m_lMyAreaBets[index] = games::SaturatingAdd(m_lMyAreaBets[index], message.lAmount);
        m_lMyRoundBet = games::SaturatingAdd(m_lMyRoundBet, message.lAmount);
        SetMyBetTotal(m_lMyRoundBet);
        UpdateChipButtons(false);
    }
    AddAreaChip(message);
    m_lAreaTotals[index] = games::SaturatingAdd(m_lAreaTotals[index], message.lAmount);
    RefreshAreaBetLabels();
}

// --- the result ---------------------------------------------------------------------------------

void NNBoard::OnGameEnd(const RoundEndMessage& message)
{
    if (!ValidSlot(message.cbStopSlot))
        return;
    PlayEffect("sound/maidinglishou.mp3");
    ClearAreaHighlights();
    DropChip();
    // A result still showing from the last round (its phase cut short) goes.
    m_pEndBackground->stopAllActions();
    m_pEndBackground->removeAllChildren();
    m_pEndBackground->setVisible(false);
    ShowResultPanel(message);
    PlayMusicOnce("sound/opencar2.mp3");
    RestartClock(kPhaseResult, message.cbTimeLeave);
    m_Result = message;
    UpdateChipButtons(true);
    ++m_dwWinCounts[(message.cbStopSlot - 1) % AREA_COUNT];
    StartCarRun(message.cbStopSlot);
    m_nCarSlot = message.cbStopSlot;
}

std::vector<float> NNBoard::RunDurations(int startSlot, int stopSlot)
{
    int distance = stopSlot - startSlot;
    if (distance < 0)
        distance += TRACK_SLOTS;
    // Three laps more than the way there.
    const int total = distance + 3 * TRACK_SLOTS;
    const float step = 5.0f / static_cast<float>(total - TRACK_SLOTS);
    const float delta = (0.3f - step) * 0.0625f;
    float speedingUp = 0.3f;
    float slowingDown = step;
    std::vector<float> durations;
    durations.reserve(static_cast<size_t>(total) + 1);
    for (int i = 0; i <= total; ++i)
    {
        if (i < 16)
        {
            durations.push_back(speedingUp);
            speedingUp -= delta;
        }
        else if (i == total)
        {
            durations.push_back(0.4f);
        }
        else if (i > total - 16)
        {
            durations.push_back(slowingDown);
            slowingDown += delta;
        }
        else
        {
            durations.push_back(step);
        }
    }
    return durations;
}

void NNBoard::PlaceCar(int slot)
{
    m_pCar->setPosition(TrackPoint(slot));
    m_pCar->setRotation(SlotAngle(slot));
}

void NNBoard::StartCarRun(int stopSlot)
{
    const int start = m_nCarSlot;
    // A run still going (its result phase cut short) gives way to this one.
    m_pCar->stopAllActions();
    m_nLampSlot = start;
    PlaceCar(start);
    // The standing car's badge hands over to the running light, which keeps
    // the badge under the car lit and lets it go out behind it.
    PutOutParkedBadge(TrackIndexUnderCar());
    m_pCar->setOpacity(0);
    m_pCar->runAction(
        CCSequence::create(CCCallFuncN::create(this, callfuncN_selector(NNBoard::ShowNode)), CCFadeIn::create(0.5f), nullptr));

    const std::vector<float> durations = RunDurations(start, stopSlot);
    CCArray* moves = CCArray::createWithCapacity(static_cast<unsigned int>(durations.size() * 2 + 2));
    CCArray* turns = CCArray::createWithCapacity(static_cast<unsigned int>(durations.size() + 1));
    moves->addObject(CCDelayTime::create(0.5f));
    turns->addObject(CCDelayTime::create(0.5f));
    for (size_t i = 0; i < durations.size(); ++i)
    {
        // The first move goes to the start slot itself.
        const int slot = static_cast<int>((i + static_cast<size_t>(start) - 1) % TRACK_SLOTS) + 1;
        moves->addObject(CCMoveTo::create(durations[i], TrackPoint(slot)));
        moves->addObject(CCCallFuncN::create(this, callfuncN_selector(NNBoard::StepTrackLight)));
        turns->addObject(CCRotateTo::create(durations[i], SlotAngle(slot)));
    }
    moves->addObject(CCCallFuncN::create(this, callfuncN_selector(NNBoard::OnCarRunFinished)));
    m_pCar->runAction(CCSequence::create(moves));
    m_pCar->runAction(CCSequence::create(turns));
    unschedule(schedule_selector(NNBoard::LightTrackUnderCar));
    schedule(schedule_selector(NNBoard::LightTrackUnderCar), 1.0f / 60, kCCRepeatForever, 0);
}

void NNBoard::OnCarRunFinished(CCNode*)
{
    ResetAreaBets();
    m_pEndBackground->setVisible(true);
    if (m_nCarSlot % 2 == 0)
        ShowSmallCarWin();
    else
        ShowBigCarWin();
    SetBankerTimes(static_cast<int32_t>(m_Result.dwBankerTimes));
    m_BankerPanel.ShowResult(m_Result.lBankerTotalResult);
    m_lMyMark = games::SaturatingAdd(m_lMyMark, m_Result.lMyScore);
    SetMyMark(m_lMyMark);
    if (const tagUserData* me = UserAt(MyChair()))
        SetMyScore(me->lScore);
    AddHistoryColumn(static_cast<uint8_t>(m_nCarSlot - 1));
    RefreshWinRecord();
    unschedule(schedule_selector(NNBoard::LightTrackUnderCar));
    unschedule(schedule_selector(NNBoard::FlashResultLight));
    schedule(schedule_selector(NNBoard::FlashResultLight), 0.5f);
}

// --- the banker -----------------------------------------------------------------------------------

void NNBoard::TakeBankerButtons(uint16_t banker, bool cancelBright)
{
    const bool mine = IsMyChair(banker);
    m_cbMeBanker = mine ? 1 : 0;
    // The banker keeps the cancel button, for stepping down later; a player
    // still waiting in the list keeps his too.
    if (mine)
        ShowBankerButtons(false, cancelBright);
    else
        ShowBankerButtons(!m_BankerQueue.Contains(MyChair()), true);
}

void NNBoard::OnChangeBanker(const ChangeBankerMessage& message)
{
    const uint16_t chair = message.wBankerUser;
    TakeBankerButtons(chair, false);
    SetBankerName(chair);
    m_BankerPanel.ShowResult(0);
    SetBankerTimes(0);
    // The new banker leaves the waiting list.
    m_BankerQueue.RemoveRows(chair);
}

// --- scenes ---------------------------------------------------------------------------------------

void NNBoard::RestoreBankerAndMe(uint16_t banker, uint16_t bankerTimes, int64_t bankerResult, bool cancelBright)
{
    // A banker the scene names has what the change of banker and the round
    // start give him: the cancel button (which refuses him) and no chips.
    m_wBankerChair = banker;
    TakeBankerButtons(banker, cancelBright);
    SetBankerName(banker);
    m_BankerPanel.ShowResult(bankerResult);
    SetBankerTimes(bankerTimes);
    const tagUserData* me = UserAt(MyChair());
    SetMyNickName(me != nullptr ? CClientGlobal::WideToAnsi(FieldText(me->szNickName)) : std::string());
    SetMyScore(me != nullptr ? me->lScore : 0);
}

void NNBoard::OnSceneFree(const FreeScene& scene)
{
    RestartClock(kPhaseFreeScene, scene.cbTimeLeave);
    m_lApplyMinimum = scene.lApplyBankerCondition;
    UpdateChipButtons(true);
    RestoreBankerAndMe(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult, true);
    // Between rounds no bet lies on the table, and no car stands on a lit
    // badge (a scene before this one may have lit one).
    ResetAreaBets();
    PutOutParkedBadge(-1);
    m_lMyMark = 0;
    SetMyMark(0);
    m_lMyRoundBet = 0;
    SetMyBetTotal(0);
    RefreshWinRecord();
}

void NNBoard::OnSceneBetting(const PlayScene& scene)
{
    if (!ValidSlot(scene.cbCarSlot))
        return;
    RestartClock(kPhasePlayScene, scene.cbTimeLeave);
    m_lApplyMinimum = scene.lApplyBankerCondition;
    UpdateChipButtons(true);
    m_nCarSlot = scene.cbCarSlot;
    PlaceCar(m_nCarSlot);
    RestoreBankerAndMe(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult, false);
    const bool withMe = UserAt(MyChair()) != nullptr;
    // The mark goes on from what the server counted.
    m_lMyMark = withMe ? scene.lMyTotalResult : 0;
    SetMyMark(m_lMyMark);
    RefreshWinRecord();
    // A scene that comes again replaces the chips the last one laid.
    ResetAreaBets();
    m_lMyRoundBet = 0;
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        m_lAreaTotals[area - 1] = scene.lAllBets[area];
        m_lMyAreaBets[area - 1] = scene.lMyBets[area];
        m_lMyRoundBet = games::SaturatingAdd(m_lMyRoundBet, std::max<int64_t>(0, scene.lMyBets[area]));
    }
    // My bets of the round are on the table: the total says so.
    SetMyBetTotal(m_lMyRoundBet);
    for (int area = 1; area <= AREA_COUNT; ++area)
        PlaceChipsForAmount(static_cast<uint32_t>(area), m_lAreaTotals[area - 1]);
    RefreshAreaBetLabels();
    unschedule(schedule_selector(NNBoard::LightTrackUnderCar));
    LightBadgeUnderParkedCar();
}

void NNBoard::OnSceneResult(const PlayScene& scene)
{
    unschedule(schedule_selector(NNBoard::LightTrackUnderCar));
    RestartClock(kPhasePlayScene, scene.cbTimeLeave);
    m_lApplyMinimum = scene.lApplyBankerCondition;
    UpdateChipButtons(true);
    RestoreBankerAndMe(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult, false);
    const bool withMe = UserAt(MyChair()) != nullptr;
    m_lMyMark = withMe ? scene.lMyTotalResult : 0;
    SetMyMark(m_lMyMark);
    // The scene carries no bets: a betting scene's chips and amounts go.
    ResetAreaBets();
    m_lMyRoundBet = 0;
    SetMyBetTotal(0);
    LightBadgeUnderParkedCar();
}

}  // namespace BumperCarBattle
