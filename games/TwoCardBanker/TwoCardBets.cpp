// Bets and what shows them: the free phase that clears the table, the chips
// a player may use, the chips and totals on the areas (some shown after a
// short delay), a scene's amounts laid out again, and the area under the
// mouse.
#include "core/ClientGlobal.h"
#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/TwoCardBanker/TwoCardHandler.h"
#include "games/common/BoardWidgets.h"
#include "games/framework/CardSprite.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace TwoCardBanker {

namespace {

// Largest first, for laying a restored amount out as chips.
const int64_t kDenominations[] = {5000000, 1000000, 500000, 100000, 10000, 1000, 100};

std::string Decimal(int64_t amount)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(amount));
    return text;
}

}  // namespace

// --- the free phase ---------------------------------------------------------------------------

void CTwoCardBoard::EnterFreeTime(int seconds)
{
    SetLabel("Label_60", "0");
    m_betFailedNoticeShown = 0;
    m_noChipNoticeShown = 0;
    m_betState = kStateFree;
    m_joinedMidRound = 0;
    std::fill(std::begin(m_myBetFlags), std::end(m_myBetFlags), 0);

    RefreshMyChair();
    SetStatusImage("status/freetime.png");
    StartClock(seconds);
    UpdateBankerPanel(static_cast<uint16_t>(m_bankerChair), -1, -1);
    UpdateMyPanel(-1);

    ClearTable();
    m_selectedChip = 0;
    unschedule(schedule_selector(CTwoCardBoard::RefreshOpenModeButtons));
    scheduleOnce(schedule_selector(CTwoCardBoard::RefreshOpenModeButtons), 1.0f);
}

void CTwoCardBoard::EnterResultTime(int seconds, const uint8_t cards[CARD_COUNT], uint8_t dealStart)
{
    unschedule(schedule_selector(CTwoCardBoard::DisableChipButtonsLater));
    scheduleOnce(schedule_selector(CTwoCardBoard::DisableChipButtonsLater), 1.0f);
    RefreshMyChair();
    m_betState = kStateResult;
    StartClock(seconds);
    SetStatusImage("status/showtime.png");

    StartDeal(cards, dealStart);

    // The opening mode stays as it is until the next free time, even when
    // that time's refresh of the buttons is still to come.
    unschedule(schedule_selector(CTwoCardBoard::RefreshOpenModeButtons));

    DisableChipButtons();
    SetSelectedChip(false, 0);
    m_selectedChip = 0;
    SetOpenModeButtons(false, false);
    ShowAreaWidgets(false);
}

void CTwoCardBoard::ClearTable()
{
    RemoveScoreView();
    DisableChipButtons();
    RemoveTableChips();
    // The last round's deal may still be under way.
    StopDealing();
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        RemoveContentChildByTag(kManualHintTagBase + hand);
        RemoveContentChildByTag(kAutoHintTagBase + hand);
        m_handIcons[hand] = nullptr;
        if (m_resultSprites[hand] != nullptr)
            m_resultSprites[hand]->removeFromParentAndCleanup(true);
        m_resultSprites[hand] = nullptr;
    }
    ResetCards();
    m_openIndex = 0;
    m_cardsLocked = 0;
    m_forcedOpen = false;
    for (int area = 0; area < m_shape.areaCount; ++area)
    {
        m_areaTotalLabels[area]->setVisible(false);
        m_myBetLabels[area]->setVisible(false);
    }
    StopHighlights();
}

void CTwoCardBoard::StopHighlights()
{
    for (std::vector<Widget*>* list : {&m_areaWidgets, &m_areaMarks})
    {
        for (Widget* widget : *list)
        {
            if (widget == nullptr)
                continue;
            widget->stopAllActions();
            widget->setVisible(false);
        }
    }
}

void CTwoCardBoard::Blink(Widget* widget)
{
    if (widget == nullptr)
        return;
    widget->stopAllActions();
    widget->setVisible(true);
    widget->runAction(CCRepeatForever::create(CCBlink::create(1.0f, 1)));
}

void CTwoCardBoard::RemoveTableChips()
{
    m_chipPile.Clear();
    m_delayedBets.clear();
}

void CTwoCardBoard::ShowAreaWidgets(bool show)
{
    for (Widget* widget : m_areaWidgets)
    {
        if (widget != nullptr)
            widget->setVisible(show);
    }
}

void CTwoCardBoard::ClearAreaBets() { m_bets.Clear(); }

// --- touches ------------------------------------------------------------------------------------

void CTwoCardBoard::OnChipButton(CCObject* sender, TouchEventType event)
{
    const int64_t value = m_chipRow.ValueOf(sender);
    if (event != TOUCH_EVENT_ENDED || value == 0)
        return;
    m_selectedChip = value;
    SetSelectedChip(false, m_selectedChip);
}

void CTwoCardBoard::OnAreaTouched(CCObject* sender, TouchEventType event)
{
    auto* widget = dynamic_cast<Widget*>(sender);
    if (event != TOUCH_EVENT_ENDED || widget == nullptr || m_betState != kStateBetting || m_selectedChip == 0)
        return;
    const int area = (widget->getTag() - kAreaTagBase) / 10000;
    CTwoCardHandler* handler = Handler();
    if (m_selectedChip <= 0 || !ValidArea(area) || handler == nullptr)
        return;
    // The bet shows when the server says it was placed.
    BetRequest request;
    request.cbArea = static_cast<uint8_t>(area);
    request.lAmount = m_selectedChip;
    handler->SendGameData(SUB_C_PLACE_BET, &request, sizeof(request));
}

void CTwoCardBoard::OnMouseMove(const CCPoint& point)
{
    if (m_betState != kStateBetting)
        return;
    CGameBoard::OnMouseMove(point);
    for (Widget* widget : m_areaWidgets)
    {
        if (widget != nullptr)
            widget->setVisible(games::WidgetContains(widget, point));
    }
}

void CTwoCardBoard::OnRButtonUp()
{
    CGameBoard::OnRButtonUp();
    m_selectedChip = 0;
}

// --- chips --------------------------------------------------------------------------------------

void CTwoCardBoard::DisableChipButtons() { m_chipRow.DisableAll(); }

void CTwoCardBoard::DisableChipButtonsLater(float) { DisableChipButtons(); }

void CTwoCardBoard::UpdateChipButtons(int64_t maxBet)
{
    const size_t usable = m_chipRow.Limit(maxBet);
    const int64_t selected = games::LimitSelectedChip(m_selectedChip, m_chipRow.Values().data(), usable,
                                                      DropsChipWhenNoneUsable() ? 0 : m_selectedChip);
    if (selected != m_selectedChip)
    {
        m_selectedChip = selected;
        SetSelectedChip(true, selected);
    }
    if (usable > 0 || m_noChipNoticeShown != 0)
        return;
    // Once a round.
    m_noChipNoticeShown = 1;
    ShowNotice(CCPoint(512, 250));
}

void CTwoCardBoard::ShowNotice(const CCPoint& at)
{
    // Both notices say the same; a second one replaces the first rather than
    // lying half over it.
    if (CCNode* shown = GetContentRoot() != nullptr ? GetContentRoot()->getChildByTag(kNoticeTag) : nullptr)
        shown->removeFromParentAndCleanup(true);
    if (CCSprite* notice = games::ShowFadingNotice(this, Res("notify_03").c_str(), at, 3.0f, kNoticeZ))
        notice->setTag(kNoticeTag);
}

Widget* CTwoCardBoard::MakeTableChip(int64_t value) const
{
    // The buttons may be drawn larger in their bar; a table chip is its picture's size.
    Widget* chip = m_chipRow.MakeTableChip(value);
    if (chip != nullptr)
        chip->setScale(1.0f);
    return chip;
}

Widget* CTwoCardBoard::LayChip(int area, int64_t value, bool visible)
{
    // An amount that is no chip's draws none; the totals follow it anyway.
    Widget* chip = MakeTableChip(value);
    if (chip == nullptr)
        return nullptr;
    chip->setVisible(visible);
    return m_chipPile.Lay(area, chip);
}

void CTwoCardBoard::PlaceChipsOnArea(uint8_t area, int64_t amount)
{
    m_chipPile.LayAmount(area, amount, kDenominations, sizeof(kDenominations) / sizeof(kDenominations[0]),
                         [this](int64_t value) { return MakeTableChip(value); });
}

// --- bets placed ----------------------------------------------------------------------------------

void CTwoCardBoard::ShowTotal(int area)
{
    m_areaTotalLabels[area - 1]->setString(Decimal(m_bets.Total(area)).c_str());
    m_areaTotalLabels[area - 1]->setVisible(true);
}

void CTwoCardBoard::ShowMyBet(int area)
{
    m_myBetLabels[area - 1]->setString(Decimal(m_bets.Mine(area)).c_str());
    m_myBetLabels[area - 1]->setVisible(true);
}

void CTwoCardBoard::ShowSum() { SetLabel("Label_60", Decimal(m_bets.Sum())); }

void CTwoCardBoard::ShowPlacedBet(const BetPlacedMessage& message)
{
    const int area = message.cbArea;
    if (!ValidArea(area))
        return;
    // A bet may be the first word of the round the board hears.
    RefreshMyChair();
    const bool mine = IsMine(message.wChairID);
    if (mine)
        m_myBetFlags[area - 1] = 1;
    if (message.cbDelayed == 0)
    {
        m_bets.Add(area, message.lAmount, false);
        ShowTotal(area);
        PlayTableSound("Sound/ADD_GOLD");
        ShowSum();
        LayChip(area, message.lAmount, true);
        // The banker's own chair never bets against himself.
        if (mine && !IsMeBanker())
            m_myGold = games::SaturatingSub(m_myGold, message.lAmount);
        // Entered during the betting, I know no limit of this round and bet
        // from the next (as with a delayed bet): no chips, no notice.
        if (m_joinedMidRound == 0 && !IsMeBanker())
            UpdateChipButtons(std::min(m_myGold, games::SaturatingSub(m_betLimit, m_bets.Sum())));
        if (mine)
        {
            m_bets.Set(area, m_bets.Total(area), games::SaturatingAdd(m_bets.Mine(area), message.lAmount));
            ShowMyBet(area);
        }
        return;
    }

    // Shown after 0.3 to 1.5 s (whatever the library's RAND_MAX); the
    // totals count it at once.
    Widget* chip = LayChip(area, message.lAmount, false);
    if (chip != nullptr)
    {
        m_delayedBets.push_back(DelayedBet{chip, message});
        chip->runAction(CCSequence::create(
            CCDelayTime::create(games::DelayedChipSeconds(std::rand())),
            CCCallFuncND::create(this, callfuncND_selector(CTwoCardBoard::OnDelayedBetShown), nullptr), nullptr));
    }
    m_bets.Add(area, message.lAmount, false);
    if (m_joinedMidRound == 0 && !IsMeBanker())
        UpdateChipButtons(std::min(m_myGold, games::SaturatingSub(m_betLimit, m_bets.Sum())));
    if (mine && CountsMyDelayedBetAtOnce())
    {
        m_bets.Set(area, m_bets.Total(area), games::SaturatingAdd(m_bets.Mine(area), message.lAmount));
        ShowMyBet(area);
        SetLabel("Label_2_8", CClientGlobal::FormatScore(m_myGold));
    }
    // Without a chip to wait for, the bet shows now.
    if (chip == nullptr)
        ShowDelayedBet(nullptr, message);
}

void CTwoCardBoard::OnDelayedBetShown(CCNode* node, void*)
{
    auto found = std::find_if(m_delayedBets.begin(), m_delayedBets.end(),
                              [node](const DelayedBet& delayed) { return delayed.chip == node; });
    if (found == m_delayedBets.end())
        return;
    const BetPlacedMessage bet = found->bet;
    m_delayedBets.erase(found);
    ShowDelayedBet(node, bet);
}

void CTwoCardBoard::ShowDelayedBet(CCNode* chip, const BetPlacedMessage& bet)
{
    const int area = bet.cbArea;
    PlayTableSound("Sound/ADD_GOLD");
    if (chip != nullptr)
        chip->setVisible(true);
    ShowTotal(area);
    ShowSum();
    if (IsMine(bet.wChairID) && !CountsMyDelayedBetAtOnce())
    {
        m_bets.Set(area, m_bets.Total(area), games::SaturatingAdd(m_bets.Mine(area), bet.lAmount));
        ShowMyBet(area);
        SetLabel("Label_2_8", CClientGlobal::FormatScore(m_myGold));
    }
}

// --- a scene's amounts ------------------------------------------------------------------------------

void CTwoCardBoard::RestoreAreas(const int64_t* allBets, const int64_t* myBets, bool writeSum)
{
    // The scene's amounts are the whole table: what an earlier state laid goes.
    RemoveTableChips();
    ClearAreaBets();
    for (int area = 1; area <= m_shape.areaCount; ++area)
    {
        const int index = area - 1;
        m_bets.Set(area, allBets[index], myBets[index]);
        ShowTotal(area);
        ShowMyBet(area);
        m_myBetFlags[index] = myBets[index] > 0 ? 1 : 0;
        if (writeSum)
            ShowSum();
        m_myBetLabels[index]->setVisible(m_bets.Mine(area) > 0);
        m_areaTotalLabels[index]->setVisible(m_bets.Total(area) > 0);
    }
    m_myGold = MyRecordScore();
    SetLabel("Label_2_8", CClientGlobal::FormatScore(m_myGold));
    for (int area = 1; area <= m_shape.areaCount; ++area)
        PlaceChipsOnArea(static_cast<uint8_t>(area), m_bets.Total(area));
}

}  // namespace TwoCardBanker
