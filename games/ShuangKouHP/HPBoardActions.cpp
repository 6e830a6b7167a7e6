// The player's actions: play (checked with the rules, jokers standing in),
// pass, the time-out and the trustee, the sort and the last trick.
#include "games/ShuangKouHP/HPBoard.h"

#include "games/ShuangKouHP/HPHandler.h"

#include <cstring>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace ShuangKouHP {

uint8_t HPBoard::CollectSelection(uint8_t (&cards)[MAX_COUNT]) const
{
    uint8_t count = 0;
    const Sexy::CardList& hand = m_Hand[0];
    for (size_t i = 0; i < hand.size() && i < static_cast<size_t>(m_nHandCount) && count < MAX_COUNT; ++i)
    {
        if (hand[i]->isVisible() && hand[i]->IsSelected() != 0)
            cards[count++] = hand[i]->GetCardData();
    }
    return count;
}

void HPBoard::Judge(const uint8_t* cards, uint8_t count, uint8_t (&judged)[MAX_COUNT]) const
{
    std::memset(judged, 0, sizeof(judged));
    if (count > MAX_COUNT)
        return;
    // A false result leaves the plain copy, which the type then judges.
    m_GameLogic.SubstituteJokers(cards, count, judged);
    m_GameLogic.SortCardList(judged, count, ST_VALUE);
}

bool HPBoard::IsValidLead(const uint8_t* cards, uint8_t count) const
{
    uint8_t judged[MAX_COUNT];
    Judge(cards, count, judged);
    return m_GameLogic.GetCardType(judged, count) != CT_ERROR;
}

bool HPBoard::BeatsTable(const uint8_t* cards, uint8_t count) const
{
    HPHandler* handler = Handler();
    const CMD_S_OutCard* table = handler != nullptr ? &handler->GetOutCardRecord() : nullptr;
    const uint8_t tableCount = table != nullptr && table->cbCardCount <= MAX_COUNT ? table->cbCardCount : 0;
    // Nothing on the table to beat: any pattern goes.
    if (tableCount == 0)
        return IsValidLead(cards, count);
    uint8_t mine[MAX_COUNT];
    uint8_t theirs[MAX_COUNT];
    Judge(cards, count, mine);
    Judge(table->cbCardData, tableCount, theirs);
    return m_GameLogic.CompareCard(theirs, mine, tableCount, count);
}

bool HPBoard::SendOutCard(const uint8_t* cards, uint8_t count)
{
    HPHandler* handler = Handler();
    if (handler == nullptr || count > MAX_COUNT)
        return false;
    CMD_C_OutCard request = {};
    request.cbCardCount = count;
    std::memcpy(request.cbCardData, cards, count);
    handler->m_cbLeadFlag = 0;
    m_cbMyTurn = 0;
    return handler->SendGameData(SUB_C_OUT_CARD, &request, sizeof(request));
}

bool HPBoard::SendPass()
{
    HPHandler* handler = Handler();
    if (handler == nullptr || m_cbPassAllowed == 0)
        return false;
    m_cbPassAllowed = 0;
    return handler->SendGameData(SUB_C_PASS_CARD);
}

void HPBoard::ShowInvalidSign()
{
    CCSprite* sign = CCSprite::create("shuangkouHP/bufuhe");
    const CCSize table = GetContentPictureSize();
    sign->setPosition(CCPoint(table.width / 2, table.height / 2 + 200));
    sign->setOpacity(0);
    AddContentChild(sign, kEffectZOrder);
    sign->runAction(
        CCSequence::create(CCFadeIn::create(0.2f), CCFadeOut::create(1.0f), CCRemoveSelf::create(), nullptr));
}

void HPBoard::OnPlayButton(CCObject*, CCControlEvent)
{
    HPHandler* handler = Handler();
    if (handler == nullptr)
        return;
    m_pPlayButton->setEnabled(false);
    handler->m_cbSceneFlag = 0;
    uint8_t cards[MAX_COUNT] = {};
    const uint8_t count = CollectSelection(cards);
    bool sent = false;
    if (handler->m_cbLeadFlag != 0)
    {
        if (IsValidLead(cards, count))
            sent = SendOutCard(cards, count);
    }
    else
    {
        if (BeatsTable(cards, count))
            sent = SendOutCard(cards, count);
        m_pPassSigns[0]->setVisible(false);
    }
    if (sent)
        return;
    ShowInvalidSign();
    m_pPlayButton->setEnabled(true);
    LayoutMyCards(false);
}

void HPBoard::OnRButtonUp()
{
    CGameBoard::OnRButtonUp();
    if (m_cbMyTurn != 0 && m_pPlayButton->isVisible())
        OnPlayButton(nullptr, 0);
}

void HPBoard::OnPassButton(CCObject*, CCControlEvent)
{
    m_pPlayButton->setEnabled(true);
    SendPass();
}

void HPBoard::OnTurnTimeout(float)
{
    HPHandler* handler = Handler();
    // Only a turn still mine: a play or pass already sent waits for its answer.
    if (handler == nullptr || m_cbMyTurn == 0)
        return;
    if (handler->m_cbLeadFlag != 0 && m_nHandCount > 0)
    {
        // The lowest card of my hand as laid out.
        const uint8_t card = m_cbHand[m_nHandCount - 1];
        if (SendOutCard(&card, 1))
            HidePlayButtons();
        return;
    }
    if (SendPass())
        HidePlayButtons();
}

void HPBoard::OnTrusteeTimeout(float dt) { OnTurnTimeout(dt); }

void HPBoard::OnTrusteeButton(CCObject*, CCControlEvent)
{
    ShowTrustee(m_cbTrustee == 0);
    if (m_cbMyTurn == 0)
        return;
    unschedule(schedule_selector(HPBoard::OnTrusteeTimeout));
    if (m_cbTrustee != 0)
    {
        scheduleOnce(schedule_selector(HPBoard::OnTrusteeTimeout), 1.0f);
        return;
    }
    // Taken back before its second ran out: nothing is played for me, and
    // a turn begun under the trustee gets its own time-out.
    if (!isScheduled(schedule_selector(HPBoard::OnTurnTimeout)))
        scheduleOnce(schedule_selector(HPBoard::OnTurnTimeout), 30.0f);
}

void HPBoard::OnSortButton(CCObject*, CCControlEvent)
{
    m_cbSortMode = m_cbSortMode == ST_GROUP ? 2 : ST_GROUP;
    LayoutMyCards(false);
}

void HPBoard::OnLastTrickButton(CCObject*, CCControlEvent)
{
    for (uint16_t view = 0; view < kViews; ++view)
    {
        for (CardSprite* card : m_Trick[view])
            card->setVisible(false);
        const Sexy::CardList& last = m_LastTrick[view];
        const size_t shown = m_cbLastCount[view] < last.size() ? m_cbLastCount[view] : last.size();
        for (size_t i = last.size() - shown; i < last.size(); ++i)
            last[i]->setVisible(true);
    }
    m_pLastTrickButton->setEnabled(false);
    scheduleOnce(schedule_selector(HPBoard::OnLastTrickDone), 2.0f);
}

void HPBoard::OnLastTrickDone(float)
{
    for (uint16_t view = 0; view < kViews; ++view)
    {
        for (CardSprite* card : m_Trick[view])
            card->setVisible(true);
        for (CardSprite* card : m_LastTrick[view])
            card->setVisible(false);
    }
    m_pLastTrickButton->setEnabled(true);
}

}  // namespace ShuangKouHP
