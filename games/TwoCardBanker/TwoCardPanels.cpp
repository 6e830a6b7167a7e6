// What the table tells besides the cards: the banker, result and own
// panels, the banker check box and queue, the record strip, the phase clock,
// the free scene and the room's notices.
#include "core/ClientGlobal.h"
#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/TwoCardBanker/TwoCardHandler.h"
#include "games/common/BoardWidgets.h"
#include "games/framework/CardSprite.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace TwoCardBanker {

using games::NickName;

namespace {

const char* const kNoBanker = "无人坐庄";

}  // namespace

// --- panels -------------------------------------------------------------------------------------

void CTwoCardBoard::UpdateMyPanel(int64_t myResult)
{
    SetLabel("Label_2_9", NickName(UserAt(m_myChair), 0));
    // Only betting shows what my stakes leave me: at a round's result my
    // stakes are settled, and the coins are my score as the server holds it
    // (the side bar's card shows the same).
    const bool reset = myResult == 0 || myResult == -1 || m_betState != kStateBetting;
    SetLabel("Label_2_8", CClientGlobal::FormatScore(reset ? MyRecordScore() : m_myGold));
    if (myResult == 0 && m_shape.myScoreResetFontSize > 0)
    {
        if (auto* label = dynamic_cast<Label*>(GetWidget("Label_2_8")))
            label->setFontSize(m_shape.myScoreResetFontSize);
    }
    // -1 keeps what the round result shows.
    if (myResult != -1)
        SetLabel("Label_2_7", CClientGlobal::FormatScore(myResult));
}

void CTwoCardBoard::OnMyScoreUpdated()
{
    if (m_betState == kStateBetting || UserAt(m_myChair) == nullptr)
        return;
    m_myGold = MyRecordScore();
    SetLabel("Label_2_8", CClientGlobal::FormatScore(m_myGold));
}

void CTwoCardBoard::UpdateResultPanel(uint16_t bankerChair, int64_t amount)
{
    // Two narrow columns, the banker's and mine: a long name is cut, a long
    // amount drawn smaller.
    auto name = [this](const char* label, const std::string& text) {
        games::SetWidgetTextCut(m_uiLayer, label, text, kResultColumnWidth);
    };
    auto figure = [this](const char* label, int64_t value) {
        games::SetWidgetTextScaled(m_uiLayer, label, CClientGlobal::FormatScore(value), kResultColumnWidth);
    };
    name("Label_2_6", bankerChair == NO_BANKER ? kNoBanker : NickName(UserAt(bankerChair), 0));
    name("Label_2_5", NickName(UserAt(m_myChair), 0));
    figure("Label_2_2", amount);
    figure("Label_2_1", m_lastResult);
    const RoundFigures figures = KeptFigures();
    figure("Label_2_4", figures.secondAmount);
    figure("Label_2_3", figures.myScore);
}

void CTwoCardBoard::UpdateBankerPanel(uint16_t bankerChair, int32_t rounds, int64_t win)
{
    // A banker who has left the table shows no name and a score of 0.
    m_bankerPanel.ShowBanker(bankerChair, UserAt(bankerChair));
    if (rounds == -1)
        return;
    m_bankerPanel.ShowRounds(rounds);
    m_bankerPanel.ShowResult(win);
}

// --- the banker check box and queue ---------------------------------------------------------------

void CTwoCardBoard::SetCheckBoxSelected(bool selected)
{
    if (m_bankerCheckBox != nullptr)
        m_bankerCheckBox->setSelectedState(selected);
}

void CTwoCardBoard::RestoreCheckBox(bool selected)
{
    if (m_bankerCheckBox == nullptr)
        return;
    m_bankerCheckBox->setTouchEnabled(true);
    m_bankerCheckBox->setVisible(true);
    m_bankerCheckBox->setSelectedState(selected);
}

void CTwoCardBoard::SetCheckBoxFromQueue()
{
    // The banker has no row, yet his box is ticked as a change of banker
    // ticks it: unticking gives the bank up, ticking would ask for it.
    SetCheckBoxSelected(IsMeBanker() || IsQueued(m_myChair));
}

void CTwoCardBoard::AddBankerApplicant(uint16_t chair)
{
    if (IsMine(chair))
        RestoreCheckBox(true);
    // A chair whose user has left gets no row.
    m_queue.AddRow(chair, UserAt(chair));
}

void CTwoCardBoard::RemoveBankerListItem(uint16_t chair)
{
    if (IsMine(chair))
        RestoreCheckBox(false);
    m_queue.RemoveRows(chair);
}

void CTwoCardBoard::OnBankerCheckBox(CCObject*, CheckBoxEventType event)
{
    CTwoCardHandler* handler = Handler();
    if (handler == nullptr || !handler->IsMessageReceived() || m_bankerCheckBox == nullptr)
        return;
    if (event == CHECKBOX_STATE_EVENT_SELECTED)
    {
        // Apply for the bank: the box hides until the server's answer.
        const tagUserData* me = UserAt(m_myChair);
        if (me != nullptr && m_applyMinScore <= me->lScore)
        {
            m_bankerCheckBox->setTouchEnabled(false);
            m_bankerCheckBox->setVisible(false);
            handler->SendGameData(SUB_C_APPLY_BANKER);
        }
        else if (me != nullptr)
        {
            games::AddRoomMessage(this, games::ApplyBankerRefusal(m_applyMinScore));
        }
        m_bankerCheckBox->setSelectedState(false);
        return;
    }
    // Give up the bank, or the place in the queue.
    if (m_betState != kStateFree && IsMeBanker())
    {
        games::AddRoomMessage(this, games::CancelBankerRefusal());
    }
    else
    {
        m_bankerCheckBox->setTouchEnabled(false);
        m_bankerCheckBox->setVisible(false);
        handler->SendGameData(SUB_C_CANCEL_BANKER);
    }
    m_bankerCheckBox->setSelectedState(true);
}

void CTwoCardBoard::OnChangeBankerMessage(const ChangeBankerMessage& message)
{
    const uint16_t banker = message.wBankerUser;
    if (!IsMine(banker) && IsMeBanker())
        SetCheckBoxSelected(false);
    RemoveBankerListItem(banker);
    if (banker == NO_BANKER)
        RestoreCheckBox(false);
    m_bankerChair = banker;
    ClearKeptRoundEnd();
    if (IsMine(banker))
        SetCheckBoxSelected(true);
    UpdateBankerPanel(banker, 0, 0);
    m_lastResult = 0;
    UpdateResultPanel(banker, 0);
}

void CTwoCardBoard::OnBankerListScroll(CCObject* sender, TouchEventType event)
{
    auto* button = dynamic_cast<Widget*>(sender);
    if (event != TOUCH_EVENT_ENDED || button == nullptr)
        return;
    games::ScrollListBy(m_queue.List(), button->getTag() == kBankerListScrollDown ? -1 : 1, 0.5f);
}

// --- records --------------------------------------------------------------------------------------

void CTwoCardBoard::AddRecordColumn(const std::string pictures[3], const float heights[3])
{
    // The layout gives the first columns; later ones (and any it lacks) get
    // a new item.
    Widget* column = m_records.NextColumn();
    if (column == nullptr)
        return;
    for (int mark = 0; mark < 3; ++mark)
    {
        if (pictures[mark].empty())
        {
            // A result the game has no picture for keeps its place empty.
            CCSprite* blank = CCSprite::create();
            blank->setPosition(CCPoint(0, heights[mark]));
            column->addChild(blank);
        }
        else
            games::RecordListStrip::AddMark(column, pictures[mark].c_str(), CCPoint(0, heights[mark]));
    }
    scheduleOnce(schedule_selector(CTwoCardBoard::ScrollRecordsToEnd), 0);
}

void CTwoCardBoard::ScrollRecordsToEnd(float) { m_records.ScrollToEnd(); }

void CTwoCardBoard::OnRecordMoveRight(CCObject*, TouchEventType event)
{
    // The content moves right: the older columns come into view.
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_records.List(), -1, 0.3f);
}

void CTwoCardBoard::OnRecordMoveLeft(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_records.List(), 1, 0.3f);
}

// --- the opening mode -------------------------------------------------------------------------------

void CTwoCardBoard::SetOpenModeButtons(bool manualEnabled, bool autoEnabled)
{
    games::SetButtonEnabled(m_manualOpenButton, manualEnabled);
    games::SetButtonEnabled(m_autoOpenButton, autoEnabled);
}

void CTwoCardBoard::RefreshOpenModeButtons(float) { SetOpenModeButtons(m_openMode == 0, m_openMode != 0); }

void CTwoCardBoard::OnManualOpenButton(CCObject*, TouchEventType event)
{
    if (event != TOUCH_EVENT_ENDED)
        return;
    m_openMode = 1;
    SetOpenModeButtons(false, true);
}

void CTwoCardBoard::OnAutoOpenButton(CCObject*, TouchEventType event)
{
    if (event != TOUCH_EVENT_ENDED)
        return;
    m_openMode = 0;
    SetOpenModeButtons(true, false);
}

void CTwoCardBoard::OnBankTouched(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        OpenBank();
}

// --- the clock ----------------------------------------------------------------------------------------

void CTwoCardBoard::StartClock(int seconds)
{
    m_clock.Start(this, schedule_selector(CTwoCardBoard::OnClockTick), seconds);
}

void CTwoCardBoard::OnClockTick(float)
{
    // At 10 or below (a short result time never shows 10 itself), once.
    if (m_clock.Seconds() <= kForcedOpenClock && m_betState == kStateResult && m_openMode != 0 && !m_forcedOpen)
        ForceOpenAll();
    m_clock.Tick();
}

// --- scenes and notices --------------------------------------------------------------------------

void CTwoCardBoard::OnFreeScene(const FreeScene& scene)
{
    BeforeFreeScene();
    // Nothing lies on a table in free time.
    ClearTable();
    ClearAreaBets();
    SetLabel("Label_60", "0");
    m_selectedChip = 0;
    m_joinedMidRound = 0;
    std::fill(std::begin(m_myBetFlags), std::end(m_myBetFlags), 0);
    RefreshOpenModeButtons(0);
    m_bankerChair = scene.wBankerUser;
    m_applyMinScore = scene.lApplyBankerCondition;
    m_betState = kStateFreeScene;
    RefreshMyChair();
    StartClock(scene.cbTimeLeave);
    SetStatusImage("status/freetime.png");
    UpdateBankerPanel(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    UpdateResultPanel(scene.wBankerUser, scene.lBankerTotalResult);
    UpdateMyPanel(0);
    SetCheckBoxFromQueue();
}

void CTwoCardBoard::OnRoomNoticeMessage(const RoomNoticeMessage& message)
{
    // At most the record's 256 units, whether or not a 0 ends them.
    games::AddRoomMessage(this, CClientGlobal::WideToAnsi(wire::ReadText(message.szText, NOTICE_UNITS)));
}

void CTwoCardBoard::OnBetFailedMessage(const BetFailedMessage& message)
{
    if (!IsMine(message.wChairID))
        return;
    SetSelectedChip(false, 0);
    m_selectedChip = 0;
    if (m_betFailedNoticeShown != 0)
        return;
    m_betFailedNoticeShown = 1;
    ShowNotice(CCPoint(m_shape.betFailedNoticeX, 250));
}

}  // namespace TwoCardBanker
