// What the player does, or the board does for him: calling, playing the
// selected cards, passing, the hint, the automatic play at a time-out and
// under the trustee, the count warning and the previous plays.
#include "games/Land/LandBoard.h"

#include "games/Land/LandHandler.h"

#include <algorithm>
#include <cstring>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace Land {

void LandBoard::SendCall(uint8_t score)
{
    if (LandHandler* handler = Handler())
        handler->SendGameData(SUB_C_LAND_SCORE, &score, 1);
}

void LandBoard::OnCallScoreButton(CCObject* sender, CCControlEvent)
{
    auto* button = dynamic_cast<CCNode*>(sender);
    const int tag = button != nullptr ? button->getTag() : 0;
    SendCall(tag >= 1 && tag <= 3 ? static_cast<uint8_t>(tag) : NO_CALL);
    StopTurnSelectors();
}

void LandBoard::OnCallTimeout(float) { SendCall(NO_CALL); }

uint8_t LandBoard::CollectSelection(uint8_t (&cards)[MAX_COUNT])
{
    // Cards of mine still on the table go where a new turn puts them.
    if (!m_SelectedCards.empty())
        ClearOutCards(0);
    const CardList& hand = m_HandCards[MyChair() % GAME_PLAYER];
    const size_t count = std::min(hand.size(), static_cast<size_t>(m_nMyCardCount));
    uint8_t n = 0;
    for (size_t i = 0; i < count && n < MAX_COUNT; ++i)
    {
        if (hand[i]->IsSelected() == 0)
            continue;
        m_SelectedCards.push_back(hand[i]);
        cards[n++] = hand[i]->GetCardData();
    }
    return n;
}

uint8_t LandBoard::TableCards(const uint8_t*& cards) const
{
    cards = nullptr;
    const LandHandler* handler = Handler();
    if (handler == nullptr)
        return 0;
    if (handler->m_cbRestored != 0)
    {
        if (handler->m_cbRestoredFreeLead != 0)
            return 0;
        cards = handler->m_cbRestoredTurnCards;
        return std::min<uint8_t>(handler->m_cbRestoredTurnCount, MAX_COUNT);
    }
    if (handler->m_cbFreeLead != 0 || !handler->HasTableRecord())
        return 0;
    const CMD_S_OutCard& record = handler->GetTableRecord();
    cards = record.cbCardData;
    return std::min<uint8_t>(record.cbCardCount, MAX_COUNT);
}

void LandBoard::ShowInvalidSign(bool lead)
{
    CCSprite* sign = CCSprite::create("Land/bufuhe");
    sign->setPosition(m_ptPlace[0][10] + CCPoint(0, lead ? 250.0f : 200.0f));
    sign->setOpacity(0);
    AddContentChild(sign);
    sign->runAction(
        CCSequence::create(CCFadeIn::create(0.2f), CCFadeOut::create(1.0f), CCRemoveSelf::create(), nullptr));
}

bool LandBoard::PlayLeadCards(const uint8_t* cards, uint8_t count)
{
    uint8_t sorted[MAX_COUNT];
    std::memcpy(sorted, cards, count);
    m_GameLogic.SortCards(sorted, count, 1);
    return count > 0 && m_GameLogic.GetCardType(sorted, count) != ERROR;
}

bool LandBoard::PlayFollowCards(const uint8_t* cards, uint8_t count)
{
    const uint8_t* table = nullptr;
    const uint8_t tableCount = TableCards(table);
    uint8_t sortedTable[MAX_COUNT];
    uint8_t sorted[MAX_COUNT];
    if (tableCount > 0)
        std::memcpy(sortedTable, table, tableCount);
    std::memcpy(sorted, cards, count);
    m_GameLogic.SortCards(sortedTable, tableCount, 1);
    m_GameLogic.SortCards(sorted, count, 1);
    return count > 0 && m_GameLogic.CompareCards(sortedTable, sorted, tableCount, count);
}

void LandBoard::PlaySelection()
{
    LandHandler* handler = Handler();
    uint8_t cards[MAX_COUNT] = {};
    const uint8_t count = CollectSelection(cards);
    // After a restore the cards to beat are the scene's, not a record that
    // never came (which also decides whether this play leads).
    const uint8_t* table = nullptr;
    const bool lead = TableCards(table) == 0;
    bool valid = false;
    if (lead)
    {
        valid = PlayLeadCards(cards, count);
    }
    else
    {
        valid = PlayFollowCards(cards, count);
        m_nHintIndex = 0;
        m_pPassSigns[0]->setVisible(false);
    }
    if (!valid)
    {
        ShowInvalidSign(lead);
        m_SelectedCards.clear();
        LayoutHandCards(true);
        return;
    }
    if (handler != nullptr)
    {
        // Only a play that goes out ends the restored trick: a refused one
        // still has the scene's cards to beat.
        handler->EndRestore();
        handler->m_cbFreeLead = 0;
        uint8_t record[1 + MAX_COUNT] = {count};
        std::memcpy(record + 1, cards, count);
        handler->SendGameData(SUB_C_OUT_CARD, record, static_cast<uint16_t>(count + 1));
    }
    CardList& hand = m_HandCards[MyChair() % GAME_PLAYER];
    const int first = (kPlaces - count) / 2;
    for (size_t i = 0; i < m_SelectedCards.size(); ++i)
    {
        CardSprite* card = m_SelectedCards[i];
        const CCPoint target = m_ptPlace[0][(first + static_cast<int>(i)) % kPlaces] + CCPoint(0, 200);
        card->runAction(CCSequence::create(CCDelayTime::create(0.08f * static_cast<float>(i)),
                                           CCMoveTo::create(0.2f, target), nullptr));
        card->SetCardListener(nullptr);
        card->setVisible(true);
        hand.remove(card);
    }
    HidePlayButtons();
    if (m_GameLogic.RemoveCards(cards, count, m_cbMyCards, static_cast<uint8_t>(m_nMyCardCount)))
        m_nMyCardCount -= count;
    if (handler != nullptr)
        handler->ReleaseTableRecord();
    StopTurnSelectors();
    LayoutHandCards(true);
}

void LandBoard::OnPlayButton(CCObject*, CCControlEvent) { PlaySelection(); }

void LandBoard::OnRButtonUp()
{
    CGameBoard::OnRButtonUp();
    // Only a turn of mine, with the play buttons up, plays.
    if (m_cbMyTurn != 0 && m_nGameState == kStatePlaying && m_pPlayButton->isVisible() && m_pPlayButton->isEnabled())
        PlaySelection();
}

void LandBoard::OnPassButton(CCObject*, CCControlEvent)
{
    if (LandHandler* handler = Handler())
        handler->SendGameData(SUB_C_PASS_CARD);
    StopTurnSelectors();
    HidePlayButtons();
    m_pPassSigns[0]->setVisible(true);
    LayoutHandCards(true);
}

bool LandBoard::SearchHint(const uint8_t* tableCards, uint8_t tableCount)
{
    CardSearchResult result;
    uint8_t table[MAX_COUNT] = {};
    if (tableCount > 0)
        std::memcpy(table, tableCards, tableCount);
    m_GameLogic.SortCards(table, tableCount, 1);
    const uint8_t rows =
        m_GameLogic.FindHints(m_cbMyCards, static_cast<uint8_t>(m_nMyCardCount), table, tableCount, &result);
    if (rows == 0)
    {
        if (LandHandler* handler = Handler())
            handler->SendGameData(SUB_C_PASS_CARD);
        StopTurnSelectors();
        HidePlayButtons();
        ClearOutCards(0);
        return false;
    }
    if (m_nHintIndex < 0 || m_nHintIndex >= rows)
        m_nHintIndex = 0;
    const CardList& hand = m_HandCards[MyChair() % GAME_PLAYER];
    const size_t count = std::min(hand.size(), static_cast<size_t>(m_nMyCardCount));
    const uint8_t length = std::min<uint8_t>(result.rowLength[m_nHintIndex], MAX_COUNT);
    for (uint8_t k = 0; k < length; ++k)
    {
        const uint8_t wanted = result.rows[m_nHintIndex][k];
        for (size_t i = 0; i < count; ++i)
        {
            CardSprite* card = hand[i];
            if (card->GetCardData() == wanted && card->IsSelected() == 0)
            {
                m_Selection.Select(card);
                break;
            }
        }
    }
    ++m_nHintIndex;
    return true;
}

void LandBoard::OnHintButton(CCObject*, CCControlEvent)
{
    LayoutHandCards(false);
    const uint8_t* table = nullptr;
    const uint8_t count = TableCards(table);
    SearchHint(table, count);
}

void LandBoard::OnOutCardTimeout(float)
{
    m_nHintIndex = 0;
    LayoutHandCards(false);
    const uint8_t* table = nullptr;
    const uint8_t count = TableCards(table);
    if (SearchHint(table, count))
        PlaySelection();
}

void LandBoard::SetTrustee(bool on)
{
    m_cbTrustee = on ? 1 : 0;
    if (m_pTrusteeSign != nullptr)
        m_pTrusteeSign->setVisible(on);
}

void LandBoard::OnTrusteeButton(CCObject*, CCControlEvent)
{
    SetTrustee(m_cbTrustee == 0);
    if (m_cbTrustee == 0 || m_cbMyTurn == 0)
        return;
    // The turn's own selectors go; the previous-plays view and the arming
    // of the hand keep theirs.
    StopTurnSelectors();
    if (m_nGameState == kStateCalling)
        OnCallTimeout(0);
    else if (m_nGameState == kStatePlaying)
        OnOutCardTimeout(0);
}

void LandBoard::OnPreviousPlaysButton(CCObject*, CCControlEvent)
{
    for (CardSprite* card : m_SelectedCards)
        card->setVisible(false);
    for (uint16_t view = 1; view < GAME_PLAYER; ++view)
        for (CardSprite* card : m_OutCards[view])
            card->setVisible(false);
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        const CardList& previous = m_PreviousPlays[view];
        const size_t shown = std::min<size_t>(m_cbPreviousCount[view], previous.size());
        for (size_t i = previous.size() - shown; i < previous.size(); ++i)
            previous[i]->setVisible(true);
    }
    m_pPreviousButton->setEnabled(false);
    scheduleOnce(schedule_selector(LandBoard::OnPreviousPlaysDone), 2.0f);
}

void LandBoard::OnPreviousPlaysDone(float)
{
    for (CardSprite* card : m_SelectedCards)
        card->setVisible(true);
    for (uint16_t view = 1; view < GAME_PLAYER; ++view)
        for (CardSprite* card : m_OutCards[view])
            card->setVisible(true);
    for (const CardList& previous : m_PreviousPlays)
        for (CardSprite* card : previous)
            card->setVisible(false);
    m_pPreviousButton->setEnabled(true);
}

void LandBoard::StartCountWarning(float) { schedule(schedule_selector(LandBoard::PlayCountWarning), 1.0f, 5, 0.0f); }

void LandBoard::PlayCountWarning(float)
{
    PlaySound("Land/effect/otherSounds/COUNT_WARN");
}

}  // namespace Land
