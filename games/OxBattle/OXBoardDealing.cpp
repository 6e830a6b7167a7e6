// The end of a round: the dice, the deal of 25 cards, the hands opened one
// by one (or peeked at by hand until the clock forces them open), the hand
// types, the result and the phase clock.
#include "core/ClientGlobal.h"
#include "games/OxBattle/CardRules.h"
#include "games/OxBattle/Dice.h"
#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/ScoreView.h"
#include "games/framework/CardSprite.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

using namespace cocos2d;

namespace OxBattle {

namespace {

// Where each card of a hand lies, from the hand's point.
const CCPoint kDealtPlaces[CARDS_PER_HAND] = {CCPoint(0, 30), CCPoint(17, 30), CCPoint(34, 30), CCPoint(8, 0),
                                              CCPoint(25, 0)};
const CCPoint kRaisedPlaces[2] = {CCPoint(8, 30), CCPoint(25, 30)};
// The fifth card rests here while it may be slid aside, and goes at most
// this far right and down.
const CCPoint kPeekRest(25, 0);
constexpr float kPeekRight = 50;
constexpr float kPeekDown = 80;
// The hint's place left of a hand.
const CCPoint kHintOffset(-20, 10);

}  // namespace

int OXBoard::FirstHandOf(uint8_t die1, uint8_t die2)
{
    // Two dice of 0 would give -1: the remainder is taken non-negative.
    const int sum = (die1 & 15) + (die2 & 15) - 1;
    return ((sum % HAND_COUNT) + HAND_COUNT) % HAND_COUNT;
}

int OXBoard::TypeImageNumber(int32_t typeIndex)
{
    if (typeIndex < 10)
        return typeIndex;
    return typeIndex == 15 ? 11 : typeIndex + 1;
}

// --- dealing ------------------------------------------------------------------------------------

void OXBoard::StartDealing(const RoundEndMessage& message)
{
    // A second end without free time between starts over.
    StopDealing();
    ClearResult();
    ResetCards();
    m_nOpeningStep = 0;
    m_bForcedOpen = false;
    // Every end the server sends gets its column.
    m_bRoundRecorded = false;

    if (Dice* dice = Dice::create())
    {
        AddContentChild(dice, kDiceZ, kDiceTag);
        dice->Roll(message.cbDice[0], message.cbDice[1], 0, 0);
    }
    std::copy(&message.cbTableCards[0][0], &message.cbTableCards[0][0] + sizeof(m_cbCardData), &m_cbCardData[0][0]);
    m_nFirstHand = FirstHandOf(message.cbDice[0], message.cbDice[1]);
    scheduleOnce(schedule_selector(OXBoard::DealCards), 4.0f);
    if (m_cbManualOpen != 0)
        EnableCardPeeking();
    else
        schedule(schedule_selector(OXBoard::OpenNextHand), 2.4f, 4, 14.0f);
}

void OXBoard::StopDealing()
{
    unschedule(schedule_selector(OXBoard::DealCards));
    unschedule(schedule_selector(OXBoard::OpenNextHand));
    unschedule(schedule_selector(OXBoard::RelayoutOpenedHands));
    for (std::vector<Sexy::CardSprite*>& hand : m_HandCards)
    {
        for (Sexy::CardSprite* card : hand)
            card->stopAllActions();
    }
    RemoveDice();
}

void OXBoard::RemoveDice()
{
    while (Dice* dice = GetDice())
        dice->removeFromParentAndCleanup(true);
}

void OXBoard::EnableCardPeeking()
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        Sexy::CardSprite* fifth = m_HandCards[hand][CARDS_PER_HAND - 1];
        fifth->SetCardListener(this);
        fifth->setTag(kPeekCardTagBase + hand);
    }
}

void OXBoard::DealCards(float)
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int i = 0; i < CARDS_PER_HAND; ++i)
        {
            Sexy::CardSprite* card = m_HandCards[hand][i];
            card->setVisible(false);
            card->SetCardData(m_cbCardData[hand][i]);
            card->setPosition(ccpAdd(m_ptHands[hand], kDealtPlaces[i]));
        }
        m_HandCards[hand][3]->SetCardData(Sexy::CardSprite::kCardBack);
    }
    // Card r of every hand from the first hand on, one every 0.4 s.
    for (int round = 0; round < CARDS_PER_HAND; ++round)
    {
        for (int k = 0; k < HAND_COUNT; ++k)
        {
            const int hand = (m_nFirstHand + k) % HAND_COUNT;
            Sexy::CardSprite* card = m_HandCards[hand][round];
            card->setVisible(true);
            card->setOpacity(0);
            m_pContentRoot->reorderChild(card, kDealtCardZ + k);
            const bool last = round == CARDS_PER_HAND - 1 && k == HAND_COUNT - 1;
            card->runAction(
                CCSequence::create(CCDelayTime::create(2.0f * round + 0.4f * k), CCFadeIn::create(0),
                                   CCCallFuncND::create(this, callfuncND_selector(OXBoard::OnCardDealt),
                                                        reinterpret_cast<void*>(static_cast<intptr_t>(last ? 1 : 0))),
                                   nullptr));
        }
    }
}

void OXBoard::OnCardDealt(CCNode*, void* data)
{
    PlaySound("OxBattle/Sound/DISPATCH_CARD");
    const bool last = reinterpret_cast<intptr_t>(data) != 0;
    if (!last || m_cbManualOpen == 0)
        return;
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        RemoveContentChildByTag(kManualHintTagBase + hand);
        CCSprite* hint = CCSprite::create("OxBattle/HAND");
        hint->setPosition(ccpAdd(m_ptHands[hand], kHintOffset));
        hint->setAnchorPoint(CCPoint(1, 0.5f));
        AddContentChild(hint, kHintZ, kManualHintTagBase + hand);
        m_pHandIcons[hand] = hint;
        m_HandCards[hand][3]->SetCardData(m_cbCardData[hand][3]);
    }
}

// --- peeking --------------------------------------------------------------------------------------

bool OXBoard::OnCardTouchBegan(Sexy::CardSprite* card)
{
    const int hand = card->getTag() - kPeekCardTagBase;
    if (hand >= 0 && hand < HAND_COUNT)
        m_nOpeningStep = hand;
    return true;
}

void OXBoard::OnCardTouchMoved(Sexy::CardSprite* card)
{
    const int hand = card->getTag() - kPeekCardTagBase;
    if (hand < 0 || hand >= HAND_COUNT)
        return;
    m_nOpeningStep = hand;
    const CCPoint moved = ccpSub(card->GetTouchMovePoint(), card->GetTouchPrevPoint());
    const CCPoint rest = ccpAdd(m_ptHands[hand], kPeekRest);
    CCPoint at = ccpAdd(card->getPosition(), moved);
    at.x = std::min(std::max(at.x, rest.x), rest.x + kPeekRight);
    at.y = std::min(std::max(at.y, rest.y - kPeekDown), rest.y);
    card->setPosition(at);
}

void OXBoard::OnCardTouchEnded(Sexy::CardSprite* card)
{
    const int hand = card->getTag() - kPeekCardTagBase;
    if (hand < 0 || hand >= HAND_COUNT)
        return;
    card->SetCardListener(nullptr);
    card->runAction(CCSequence::create(CCMoveTo::create(0.15f, ccpAdd(m_ptHands[hand], kPeekRest)),
                                       CCCallFuncN::create(this, callfuncN_selector(OXBoard::RestoreCardListener)),
                                       nullptr));
}

void OXBoard::RestoreCardListener(CCNode* node)
{
    // Once the hands are open the card stays where it is.
    auto* card = dynamic_cast<Sexy::CardSprite*>(node);
    if (card != nullptr && m_nPhase == kPhaseResult && !m_bForcedOpen && m_cbManualOpen != 0)
        card->SetCardListener(this);
}

// --- opening ----------------------------------------------------------------------------------------

void OXBoard::ComputeHandTypes()
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
        m_nHandTypes[hand] = GetCardType(m_cbCardData[hand], CARDS_PER_HAND, m_cbArranged[hand]);
}

void OXBoard::OpenNextHand(float)
{
    if (m_nPhase != kPhaseResult)
        return;
    ComputeHandTypes();
    const int step = m_nOpeningStep;
    const int hand = (m_nFirstHand + step) % HAND_COUNT;
    CCSprite* hint = CCSprite::create("OxBattle/HAND");
    hint->setPosition(ccpAdd(m_ptHands[hand], kHintOffset));
    hint->setAnchorPoint(CCPoint(1, 0.5f));
    RemoveContentChildByTag(kAutoHintTagBase + step);
    AddContentChild(hint, kHintZ, kAutoHintTagBase + step);

    m_HandCards[hand][3]->SetCardData(m_cbCardData[hand][3]);
    m_HandCards[hand][4]->runAction(
        CCSequence::create(CCMoveBy::create(0.7f, CCPoint(50, 0)), CCMoveBy::create(0.4f, CCPoint(-50, 0)),
                           CCCallFuncND::create(this, callfuncND_selector(OXBoard::OnHandOpened),
                                                reinterpret_cast<void*>(static_cast<intptr_t>(step))),
                           nullptr));
}

void OXBoard::OnHandOpened(CCNode*, void* data)
{
    const int step = static_cast<int>(reinterpret_cast<intptr_t>(data));
    const int hand = (m_nFirstHand + step) % HAND_COUNT;
    for (int i = 0; i < CARDS_PER_HAND; ++i)
    {
        Sexy::CardSprite* card = m_HandCards[hand][i];
        card->SetCardData(m_cbArranged[hand][i]);
        card->setVisible(true);
        card->setPosition(ccpAdd(m_ptHands[hand], CCPoint(static_cast<float>(kCardStep * i), 0)));
        m_pContentRoot->reorderChild(card, kDealtCardZ + i);
    }
    RaiseBullCards(hand);
    if (m_cbManualOpen == 0)
        RemoveContentChildByTag(kAutoHintTagBase + step);
    ShowCardType(static_cast<uint16_t>(hand), TypeIndexOf(m_nHandTypes[hand]));
    if (step == HAND_COUNT - 1 && m_cbManualOpen == 0)
    {
        ShowResultLabels();
        ShowResult();
    }
    m_nOpeningStep = step + 1;
}

void OXBoard::RaiseBullCards(int hand)
{
    if (m_nHandTypes[hand] <= OX_NO_BULL)
        return;
    for (int i = 0; i < 2; ++i)
    {
        Sexy::CardSprite* card = m_HandCards[hand][3 + i];
        m_pContentRoot->reorderChild(card, 0);
        card->setPosition(ccpAdd(m_ptHands[hand], kRaisedPlaces[i]));
    }
}

void OXBoard::LayOutOpenedHands(int cardZ)
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int i = 0; i < CARDS_PER_HAND; ++i)
        {
            Sexy::CardSprite* card = m_HandCards[hand][i];
            card->stopAllActions();
            card->SetCardData(m_cbArranged[hand][i]);
            card->setVisible(true);
            card->setPosition(ccpAdd(m_ptHands[hand], CCPoint(static_cast<float>(kCardStep * i), 0)));
            m_pContentRoot->reorderChild(card, cardZ + i);
        }
    }
}

void OXBoard::ShowCardType(uint16_t hand, int32_t type)
{
    // A hand of bytes that are no cards has no type to show.
    if (hand >= HAND_COUNT || type < 0)
        return;
    char path[40];
    std::snprintf(path, sizeof(path), "OxBattle/OxNumber/niu%d", TypeImageNumber(type));
    CCSprite* image = CCSprite::create(path);
    AddContentChild(image, kTypeImageZ);
    image->setVisible(true);
    m_TypeImages.push_back(image);
    image->setPosition(hand == 0 ? ccpAdd(m_ptHands[0], CCPoint(100, 65)) : ccpAdd(m_ptHands[hand], CCPoint(20, 0)));
    if (m_nPhase == kPhaseResultScene)
        return;
    image->runAction(CCSequence::create(CCEaseBackInOut::create(CCScaleTo::create(0.3f, 1.3f)),
                                        CCEaseBackInOut::create(CCScaleTo::create(0.3f, 1.0f)), nullptr));
}

// --- the result -----------------------------------------------------------------------------------

void OXBoard::ShowResult()
{
    AddRecordColumn();
    if (CScoreView* view = NewScoreView())
        view->SetRoundEnd(m_LastResult);
    PlaySound(m_LastResult.lMyScore > 0 ? "OxBattle/Sound/END_WIN" : "OxBattle/Sound/END_LOST");
}

void OXBoard::ShowResultLabels()
{
    SetLabel("Label_51_1", CClientGlobal::FormatScore(m_lMyRoundScore));
    m_BankerPanel.ShowResult(m_lBankerRoundScore);
}

CScoreView* OXBoard::NewScoreView()
{
    RemoveScoreView();
    CScoreView* view = CScoreView::create();
    if (view == nullptr)
        return nullptr;
    view->setPosition(CCPoint(512, 400));
    AddContentChild(view, kScoreViewZ);
    view->setVisible(true);
    m_pScoreView = view;
    return view;
}

void OXBoard::RemoveScoreView()
{
    if (m_pScoreView == nullptr)
        return;
    m_pScoreView->removeFromParentAndCleanup(true);
    m_pScoreView = nullptr;
}

// --- the forced opening ---------------------------------------------------------------------------

void OXBoard::ForceOpenHands()
{
    m_bForcedOpen = true;
    // A short result time may come before the deal is done.
    unschedule(schedule_selector(OXBoard::DealCards));
    scheduleOnce(schedule_selector(OXBoard::RelayoutOpenedHands), 0.3f);
    m_nOpeningStep = 0;
    OpenAllHands();
    ShowResultLabels();
    for (int step = 0; step < HAND_COUNT; ++step)
    {
        const int hand = (m_nFirstHand + step) % HAND_COUNT;
        RaiseBullCards(hand);
        ShowCardType(static_cast<uint16_t>(hand), TypeIndexOf(m_nHandTypes[hand]));
        if (step == HAND_COUNT - 1)
            ShowResult();
        m_nOpeningStep = step + 1;
    }
}

void OXBoard::OpenAllHands()
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        m_HandCards[hand][CARDS_PER_HAND - 1]->SetCardListener(nullptr);
        if (m_pHandIcons[hand] != nullptr)
            m_pHandIcons[hand]->setVisible(false);
    }
    ComputeHandTypes();
    LayOutOpenedHands(20);
}

void OXBoard::RelayoutOpenedHands(float)
{
    OpenAllHands();
    for (int step = 0; step < HAND_COUNT; ++step)
    {
        RaiseBullCards((m_nFirstHand + step) % HAND_COUNT);
        m_nOpeningStep = step + 1;
    }
}

// --- the phase clock -----------------------------------------------------------------------------

void OXBoard::OnClockTick(float)
{
    // At or below 6 (a short result time never shows 6 itself), once.
    if (m_Clock.Seconds() <= 6 && m_nPhase == kPhaseResult && m_cbManualOpen != 0 && !m_bForcedOpen)
        ForceOpenHands();
    m_Clock.Tick();
}

}  // namespace OxBattle
