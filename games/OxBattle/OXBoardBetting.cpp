// Bets and what shows them: the chips a player may use, the chips and
// totals on the areas, the hover under the mouse, my panel, the banker's
// panel and queue, and the strip of past results.
#include "core/ClientGlobal.h"
#include "games/OxBattle/CardRules.h"
#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/OXHandler.h"
#include "games/common/BoardWidgets.h"
#include "games/common/RecordStrip.h"

#include <algorithm>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace OxBattle {

namespace {

// Largest first, for laying an amount out as chips.
const int64_t kDenominations[] = {5000000, 1000000, 500000, 100000, 50000, 10000, 1000, 100};

}  // namespace

// --- chips --------------------------------------------------------------------------------------

void OXBoard::UpdateChipButtons(int64_t limit)
{
    m_lChipLimit = limit;
    const size_t usable = m_ChipRow.Limit(limit, kBetCommitment);
    if (usable > 0)
    {
        const int largest = static_cast<int>(m_ChipRow.Largest(usable));
        if (m_nBetChip > largest)
        {
            m_nBetChip = largest;
            SetSelectedChip(true, largest);
        }
        return;
    }
    SetSelectedChip(false, 0);
    m_nBetChip = 0;
    if (m_cbNoMoneyNoticeShown != 0)
        return;
    m_cbNoMoneyNoticeShown = 1;
    games::ShowFadingNotice(this, "OxBattle/notify_03", CCPoint(552, 300), 3.0f, kNoticeZ);
}

void OXBoard::ShowBetPlaced(const BetPlacedMessage& message)
{
    if (!ValidArea(message.cbArea))
        return;
    const int area = message.cbArea;
    const bool mine = m_nMyChair >= 0 && message.wChairID == m_nMyChair;
    PlaySound("OxBattle/Sound/ADD_GOLD");
    m_Bets.Add(area, message.lAmount, mine);
    ShowAreaLabel(m_pTotalLabels[area - 1], m_Bets.Total(area), false);
    LayChip(area, message.lAmount);

    if (mine && !IsMeBanker())
    {
        m_lMyBetCapacity =
            games::SaturatingSub(m_lMyBetCapacity, games::SaturatingMul(message.lAmount, kBetCommitment));
        UpdateChipButtons(std::min(m_lMyBetCapacity, games::SaturatingSub(m_lBankerBetCapacity, m_Bets.Sum())));
    }
    if (mine)
        ShowAreaLabel(m_pMyLabels[area - 1], m_Bets.Mine(area), false);
}

void OXBoard::LayChip(int area, int64_t value) { m_ChipPile.Lay(area, m_ChipRow.MakeTableChip(value)); }

void OXBoard::PlaceAreaChips(uint8_t area, int64_t amount)
{
    m_ChipPile.LayAmount(
        area, amount, kDenominations, sizeof(kDenominations) / sizeof(kDenominations[0]),
        [this](int64_t value) { return m_ChipRow.MakeTableChip(value); }, kMostChipsPerArea);
}

// --- the mouse ----------------------------------------------------------------------------------

void OXBoard::OnMouseMove(const CCPoint& point)
{
    if (m_nPhase != kPhaseBetting)
        return;
    m_ptMouse = point;
    CGameBoard::OnMouseMove(point);
    // The point is in the visible area's GL space, where the layout's
    // widgets lie wherever the table put the content root.
    for (Widget* hover : m_pHoverImages)
    {
        if (hover != nullptr && hover->getParent() != nullptr)
            hover->setVisible(games::WidgetContains(hover, point));
    }
}

void OXBoard::OnRButtonUp()
{
    CGameBoard::OnRButtonUp();
    m_nBetChip = 0;
}

// --- my panel and the banker's ------------------------------------------------------------------

void OXBoard::ShowMyInfo()
{
    const tagUserData* me = UserAt(m_nMyChair);
    if (me == nullptr)
        return;
    SetLabel("Label_51_0", games::NickName(me));
    SetLabel("Label_51", CClientGlobal::FormatScore(me->lScore));
}

void OXBoard::SetBankerInfo(uint16_t chair, uint16_t bankerTimes, int64_t bankerScore)
{
    m_nBankerChair = chair;
    m_BankerPanel.ShowBanker(chair, UserAt(chair));
    if (bankerTimes != 0xFFFF)
        m_BankerPanel.ShowRounds(bankerTimes);
    if (bankerScore != -1)
        m_BankerPanel.ShowResult(bankerScore);
}

// --- the banker queue -------------------------------------------------------------------------

void OXBoard::AddBankerListItem(uint16_t chair)
{
    if (m_nMyChair >= 0 && chair == m_nMyChair)
        games::SetQueueButtons(m_pApplyButton, m_pCancelButton, true);
    m_BankerQueue.AddRow(chair, UserAt(chair));
}

void OXBoard::OnApplyBankerButton(CCObject*, TouchEventType event)
{
    OXHandler* handler = Handler();
    if (event != TOUCH_EVENT_ENDED || handler == nullptr || !handler->IsDataReceived())
        return;
    const tagUserData* me = UserAt(m_nMyChair);
    if (me == nullptr)
        return;
    if (m_nMyChair != -1 && m_lBankerMinimum <= me->lScore)
    {
        handler->SendGameData(SUB_C_APPLY_BANKER);
        games::SetButtonEnabled(m_pApplyButton, false);
        return;
    }
    games::AddRoomMessage(this, games::ApplyBankerRefusal(m_lBankerMinimum));
}

void OXBoard::OnCancelBankerButton(CCObject*, TouchEventType event)
{
    OXHandler* handler = Handler();
    if (event != TOUCH_EVENT_ENDED || handler == nullptr || !handler->IsDataReceived())
        return;
    if (m_nPhase != kPhaseFree && IsMeBanker())
    {
        games::AddRoomMessage(this, games::CancelBankerRefusal());
        return;
    }
    handler->SendGameData(SUB_C_CANCEL_BANKER);
    games::SetButtonEnabled(m_pCancelButton, false);
}

void OXBoard::OnQueueScrollUp(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_BankerQueue.List(), -1, 0.3f);
}

void OXBoard::OnQueueScrollDown(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_BankerQueue.List(), 1, 0.3f);
}

void OXBoard::OnBankButton(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        OpenBank();
}

// --- records ------------------------------------------------------------------------------------

void OXBoard::AddRecordColumn()
{
    // A scene showing this round's result again adds no second column.
    const bool recorded = m_bRoundRecorded;
    m_bRoundRecorded = true;
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        uint8_t multiplier = 0;
        const bool won =
            CompareCard(m_cbCardData[0], CARDS_PER_HAND, m_cbCardData[area], CARDS_PER_HAND, &multiplier) == 1;
        if (won)
        {
            if (Widget* highlight = m_pAreaHighlights[area - 1])
            {
                highlight->stopAllActions();
                highlight->setVisible(true);
                highlight->setOpacity(255);
                highlight->runAction(CCRepeatForever::create(CCBlink::create(1.0f, 1)));
            }
        }
        if (recorded)
            continue;
        CCSprite* mark = CCSprite::create(won ? "OxBattle/g" : "OxBattle/x");
        mark->setVisible(false);
        m_RecordMarks[area - 1].push_back(mark);
        AddContentChild(mark);
    }
    if (!recorded)
        LayoutRecords();
}

}  // namespace OxBattle
