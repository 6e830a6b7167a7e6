// One hand as the server runs it: the board's reaction to each message of
// the landlord game, the cards on the table, and the time-outs of my turns.
#include "games/Land/LandBoard.h"

#include "games/Land/LandHandler.h"
#include "games/Land/ScoreView.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace Land {

void LandBoard::SetDealtCards(const uint8_t (&cards)[HAND_COUNT])
{
    std::memset(m_cbMyCards, 0, sizeof(m_cbMyCards));
    std::memcpy(m_cbMyCards, cards, HAND_COUNT);
}

// --- my turns' time-outs --------------------------------------------------------------------

void LandBoard::StopTurnSelectors()
{
    unschedule(schedule_selector(LandBoard::OnCallTimeout));
    unschedule(schedule_selector(LandBoard::OnOutCardTimeout));
    unschedule(schedule_selector(LandBoard::StartCountWarning));
    unschedule(schedule_selector(LandBoard::PlayCountWarning));
}

void LandBoard::StartTurnSelectors(bool calling, uint32_t seconds, bool warn)
{
    const SEL_SCHEDULE timeout =
        calling ? schedule_selector(LandBoard::OnCallTimeout) : schedule_selector(LandBoard::OnOutCardTimeout);
    if (m_cbTrustee != 0)
    {
        scheduleOnce(timeout, calling ? 0.0f : 1.0f);
        return;
    }
    scheduleOnce(timeout, static_cast<float>(seconds));
    if (warn)
        scheduleOnce(schedule_selector(LandBoard::StartCountWarning),
                     seconds > 5 ? static_cast<float>(seconds - 5) : 0.0f);
}

// --- the cards on the table -------------------------------------------------------------------

CCPoint LandBoard::OutCardPoint(uint16_t view, size_t i) const
{
    const size_t first = view == 1 ? kPtOutRow1 : kPtOutRow2;
    const auto step = static_cast<float>(15 * i);
    return i <= 6 ? m_ptLayout[first] + CCPoint(15 + step, 0) : m_ptLayout[first + 1] + CCPoint(-60 + step, 0);
}

void LandBoard::ClearOutCards(uint16_t view)
{
    view %= GAME_PLAYER;
    CardList& table = view == 0 ? m_SelectedCards : m_OutCards[view];
    m_cbPreviousCount[view] = static_cast<uint8_t>(std::min<size_t>(table.size(), 255));
    for (CardSprite* card : table)
    {
        m_PreviousPlays[view].push_back(card);
        card->setVisible(false);
    }
    table.clear();
}

void LandBoard::ShowCallCaption(uint16_t view, uint8_t call)
{
    const char* picture = call == 1         ? "Land/font/one"
                          : call == 2       ? "Land/font/two"
                          : call == 3       ? "Land/font/three"
                          : call == NO_CALL ? "Land/font/bujiao"
                                            : nullptr;
    if (picture == nullptr)
        return;
    view %= GAME_PLAYER;
    RemoveFromTable(m_pCallCaptions[view]);
    CCSprite* caption = CCSprite::create(picture);
    caption->setPosition(m_ptCaption[view]);
    AddContentChild(caption);
    m_pCallCaptions[view] = caption;
}

void LandBoard::ClearSigns()
{
    for (CCSprite*& caption : m_pCallCaptions)
    {
        RemoveFromTable(caption);
        caption = nullptr;
    }
    for (CCSprite* sign : m_pPassSigns)
        sign->setVisible(false);
}

void LandBoard::AddBottomCards(const uint8_t (&cards)[BACK_COUNT], uint16_t landlordChair)
{
    const uint16_t me = MyChair();
    CardList& hand = m_HandCards[landlordChair % GAME_PLAYER];
    const uint16_t view = ViewOf(landlordChair, GAME_PLAYER);
    const float anchorX = static_cast<float>(m_nSpacing) / kCardWidth;
    for (int i = 0; i < BACK_COUNT; ++i)
    {
        // A hand never holds more than 20 sprites, whatever the messages.
        if (hand.size() >= MAX_COUNT)
            break;
        const size_t place = hand.size();
        CardSprite* card = MakeCard(landlordChair == me ? cards[i] : CardSprite::kCardBack, true);
        if (card == nullptr)
            break;
        card->SetCardListener(this);
        if (landlordChair == me)
        {
            card->setAnchorPoint(CCPoint(anchorX, 0.5f));
            m_cbMyCards[HAND_COUNT + i] = cards[i];
        }
        else
        {
            // The landlord's stack of backs grows by the three.
            card->setScale(0.3f);
            card->setRotation(view == 1 ? -150.0f : 150.0f);
            card->setPosition(m_ptPlace[view][place]);
        }
        hand.push_back(card);
    }
    LayoutHandCards(false);
    if (landlordChair != me)
        return;
    for (size_t i = 0; i < hand.size() && i < MAX_COUNT; ++i)
    {
        CardSprite* card = hand[i];
        if (std::find(std::begin(cards), std::end(cards), card->GetCardData()) == std::end(cards))
            continue;
        m_Selection.Select(card);
        card->setVisible(true);
    }
}

void LandBoard::ShowPlayedCards(const uint8_t* cards, uint16_t view, uint8_t count)
{
    view %= GAME_PLAYER;
    for (uint16_t v = 0; v < GAME_PLAYER; ++v)
    {
        const CardList& previous = m_PreviousPlays[v];
        const size_t shown = std::min<size_t>(m_cbPreviousCount[v], previous.size());
        for (size_t i = previous.size() - shown; i < previous.size(); ++i)
            previous[i]->setVisible(false);
    }
    ClearOutCards(view);
    const uint16_t chair = static_cast<uint16_t>((MyChair() + view) % GAME_PLAYER);
    const CardList& hand = m_HandCards[chair];
    // The backs taken away: never more than the seat holds.
    int& seatCount = m_nViewCardCount[view];
    const int held = std::min<int>(seatCount, static_cast<int>(hand.size()));
    const int taken = std::min<int>(count, std::max(held, 0));
    for (int place = held - taken; place < held; ++place)
        hand[static_cast<size_t>(place)]->setVisible(false);
    seatCount = std::max(seatCount - count, 0);
    for (uint8_t i = 0; i < count; ++i)
    {
        CardSprite* card = MakeCard(cards[count - 1 - i], true);
        if (card == nullptr)
            break;
        m_OutCards[view].push_back(card);
        card->setPosition(m_ptPlace[view][5]);
        card->setScale(0.8f);
        if (card->getParent() != nullptr)
            card->getParent()->reorderChild(card, kPlayedZOrder);
        card->runAction(CCSequence::create(CCDelayTime::create(0.02f * static_cast<float>(i + 1)),
                                           CCMoveTo::create(0.2f, OutCardPoint(view, i)), nullptr));
    }
}

// --- the messages ------------------------------------------------------------------------------

void LandBoard::OnSubSendCard(const CMD_S_SendCard& deal)
{
    // A deal that nobody called comes again with no reset between.
    ClearSigns();
    LandHandler* handler = Handler();
    const uint32_t seconds = handler != nullptr ? handler->m_dwCallSeconds : 0;
    if (handler != nullptr)
        handler->SetGameClock(deal.wCurrentUser, seconds, static_cast<int32_t>(seconds));
    if (deal.wCurrentUser == MyChair())
    {
        m_cbMyTurn = 1;
        StartTurnSelectors(true, seconds, true);
        scheduleOnce(schedule_selector(LandBoard::ArmHand), 5.0f);
    }
    else
    {
        m_cbMyTurn = 0;
    }
    PlayDealAnimation(deal.cbCardData);
    PlaySound("Land/effect/otherSounds/DISPATCH_CARD");
    m_nMyCardCount = HAND_COUNT;
    m_nViewCardCount[1] = m_nViewCardCount[2] = HAND_COUNT;
}

void LandBoard::OnSubCallScore(const CMD_S_LandScore& call)
{
    LandHandler* handler = Handler();
    const uint32_t seconds = handler != nullptr ? handler->m_dwCallSeconds : 0;
    if (handler != nullptr)
        handler->SetGameClock(call.wCurrentUser, seconds, static_cast<int32_t>(seconds));
    const uint16_t me = MyChair();
    if (call.wCurrentUser == me)
    {
        m_cbMyTurn = 1;
        ShowCallButtons(call.cbCurrentScore);
        StartTurnSelectors(true, seconds, true);
    }
    else
    {
        m_cbMyTurn = 0;
    }
    if (call.wLandUser == me)
    {
        HideCallButtons();
        StopTurnSelectors();
    }
    ShowCallCaption(ViewOf(call.wLandUser, GAME_PLAYER), call.cbLandScore);
    ShowCardCounts();
    const char* word = call.cbLandScore == 1         ? "SCORE_1"
                       : call.cbLandScore == 2       ? "SCORE_2"
                       : call.cbLandScore == 3       ? "SCORE_3"
                       : call.cbLandScore == NO_CALL ? "SCORE_NONE"
                                                     : nullptr;
    if (word != nullptr)
        PlaySound((VoiceFolder(call.wLandUser) + word).c_str());
    m_pPreviousButton->setEnabled(true);
    m_pTrusteeButton->setEnabled(true);
    m_pSortButton->setEnabled(true);
}

void LandBoard::OnSubBankerInfo(const CMD_S_BankerInfo& banker)
{
    LandHandler* handler = Handler();
    PlaySound("Land/effect/otherSounds/BANKER_INFO");
    ShowIdentityImages(banker.wBankerUser);
    m_cbBankerView = static_cast<uint8_t>(ViewOf(banker.wBankerUser, GAME_PLAYER));
    const uint32_t seconds = handler != nullptr ? handler->m_dwFirstSeconds : 0;
    if (handler != nullptr)
        handler->SetGameClock(banker.wCurrentUser, seconds, static_cast<int32_t>(seconds));
    if (banker.wBankerUser == MyChair())
    {
        m_nMyCardCount = MAX_COUNT;
        ShowPlayButtons();
        m_pPassButton->setEnabled(false);
        StartTurnSelectors(false, seconds, true);
        m_nViewCardCount[1] = m_nViewCardCount[2] = HAND_COUNT;
        m_cbMyTurn = 1;
    }
    else
    {
        if (handler != nullptr)
            handler->m_cbFreeLead = 0;
        m_cbMyTurn = 0;
        m_nViewCardCount[m_cbBankerView] = MAX_COUNT;
        m_nViewCardCount[3 - m_cbBankerView] = HAND_COUNT;
    }
    std::memcpy(m_cbBackCards, banker.cbBackCard, BACK_COUNT);
    PlaceBottomCards(banker.cbBackCard);
    ClearSigns();
    AddBottomCards(banker.cbBackCard, banker.wBankerUser);
    const CardList& hand = m_HandCards[MyChair() % GAME_PLAYER];
    for (size_t i = 0; i < hand.size() && i < static_cast<size_t>(m_nMyCardCount); ++i)
        hand[i]->SetCardListener(this);
    ShowCardCounts();
}

void LandBoard::OnSubOutCard(const CMD_S_OutCard& play)
{
    LandHandler* handler = Handler();
    const uint16_t me = MyChair();
    const uint8_t count = std::min<uint8_t>(play.cbCardCount, MAX_COUNT);
    if (IsChair(play.wCurrentUser))
        m_pPassSigns[ViewOf(play.wCurrentUser, GAME_PLAYER)]->setVisible(false);
    const uint32_t seconds = handler != nullptr ? handler->m_dwOutCardSeconds : 0;
    if (handler != nullptr)
        handler->SetGameClock(play.wCurrentUser, seconds, static_cast<int32_t>(seconds));
    if (play.wCurrentUser == me)
    {
        ClearOutCards(0);
        ShowPlayButtons();
        m_pPassSigns[0]->setVisible(false);
        StartTurnSelectors(false, seconds, true);
        m_cbMyTurn = 1;
    }
    else
    {
        m_cbMyTurn = 0;
    }
    if (play.wOutCardUser == me)
        StopTurnSelectors();
    else
    {
        const uint16_t view = ViewOf(play.wOutCardUser, GAME_PLAYER);
        ShowPlayedCards(play.cbCardData, view, count);
        m_pPassSigns[view]->setVisible(false);
    }
    if (play.wCurrentUser == play.wOutCardUser && handler != nullptr)
        handler->m_cbFreeLead = 1;
    ShowCardCounts();
    if (count == 1)
    {
        PlaySingleVoice(play.cbCardData[0], play.wOutCardUser);
        return;
    }
    uint8_t cards[MAX_COUNT];
    std::memcpy(cards, play.cbCardData, count);
    m_GameLogic.SortCards(cards, count, 1);
    PlayCardTypeEffects(play.wOutCardUser, m_GameLogic.GetCardType(cards, count), count);
}

void LandBoard::OnSubPassCard(const CMD_S_PassCard& pass)
{
    LandHandler* handler = Handler();
    const uint16_t me = MyChair();
    const uint32_t seconds = handler != nullptr ? handler->m_dwOutCardSeconds : 0;
    if (handler != nullptr)
    {
        handler->KillGameClock(seconds);
        handler->SetGameClock(pass.wCurrentUser, seconds, static_cast<int32_t>(seconds));
    }
    if (pass.wCurrentUser == me)
    {
        ClearOutCards(0);
        ShowPlayButtons();
        // My pass of the trick before would lie under the buttons.
        m_pPassSigns[0]->setVisible(false);
        if (pass.cbTurnOver != 0)
        {
            if (handler != nullptr)
                handler->m_cbFreeLead = 1;
            m_pPassButton->setEnabled(false);
        }
        StartTurnSelectors(false, seconds, false);
        m_cbMyTurn = 1;
    }
    else
    {
        m_cbMyTurn = 0;
    }
    const uint16_t view = ViewOf(pass.wPassUser, GAME_PLAYER);
    ClearOutCards(view);
    m_pPassSigns[view]->setVisible(true);
    if (pass.wPassUser == me)
        StopTurnSelectors();
    PlaySound((VoiceFolder(pass.wPassUser) + "PASS_CARD").c_str());
}

void LandBoard::OnSubGameEnd(const CMD_S_GameEnd& end)
{
    ShowStartButton(true, 30);
    // Nothing of the hand is acted on any more: a pending time-out would
    // send a play into the next hand.
    StopTurnSelectors();
    HideCallButtons();
    HidePlayButtons();
    m_cbMyTurn = 0;

    if (m_pScoreView != nullptr)
        RemoveFromTable(m_pScoreView);
    m_pScoreView = CScoreView::create();
    if (m_pScoreView != nullptr)
    {
        const CCSize size = GetContentPictureSize();
        m_pScoreView->setPosition(CCPoint(size.width / 2 - 120, size.height / 2));
        // Built before it joins the table, so its close button takes the
        // board's touch priority with it.
        m_pScoreView->ShowResult(end);
        AddContentChild(m_pScoreView, kScoreViewZOrder);
        m_pScoreView->runAction(CCSpawn::create(
            CCFadeIn::create(0.3f), CCMoveTo::create(0.3f, CCPoint(size.width / 2, size.height / 2)), nullptr));
    }
    for (CCLabelAtlas* label : m_pCountLabels)
        label->setVisible(false);
    SetTrustee(false);
    // The last trick is over: its signs and my cards on the table would lie
    // over the start button (and the cards take its clicks).
    ClearSigns();
    ClearOutCards(0);

    const uint16_t me = MyChair();
    for (uint16_t view = 1; view < GAME_PLAYER; ++view)
    {
        for (CardSprite* card : m_OutCards[view])
            RemoveFromTable(card);
        m_OutCards[view].clear();
    }
    // The cards left, chair after chair; counts beyond a hand or the record
    // are cut.
    size_t at = 0;
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const CardList& hand = m_HandCards[chair];
        const size_t room = sizeof(end.cbCardData) - at;
        const size_t count =
            std::min({static_cast<size_t>(end.cbCardCount[chair]), hand.size(), static_cast<size_t>(MAX_COUNT), room});
        if (chair != me)
        {
            const uint16_t view = ViewOf(chair, GAME_PLAYER);
            for (size_t i = 0; i < count; ++i)
            {
                CardSprite* card = hand[i];
                card->stopAllActions();
                card->SetCardData(end.cbCardData[at + i]);
                card->setVisible(true);
                card->setScale(0.8f);
                card->setRotation(0);
                card->setPosition(OutCardPoint(view, i));
                if (card->getParent() != nullptr)
                    card->getParent()->reorderChild(card, static_cast<int>(i));
            }
        }
        at += std::min(static_cast<size_t>(end.cbCardCount[chair]), room);
    }
}

}  // namespace Land
