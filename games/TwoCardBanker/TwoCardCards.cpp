// The end of a round: the eight cards dealt from the hand the round's end
// names, the hands opened one after another by the board or uncovered by
// the player dragging each upper card aside, the forced opening when the
// clock runs low, and the result display.
#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/framework/CardSprite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace cocos2d;

namespace TwoCardBanker {

namespace {

// The pointing hand's place left of a hand.
const CCPoint kHintOffset(-30, 10);
// Where every card waits between rounds, from hand 0's point.
const CCPoint kWaitingOffset(200, 0);
// The deal number of the eighth card (pass 1, fourth hand).
constexpr int kLastDealt = (HAND_COUNT - 1) + (CARDS_PER_HAND - 1);

void* IntData(int value) { return reinterpret_cast<void*>(static_cast<intptr_t>(value)); }

int IntOf(void* data) { return static_cast<int>(reinterpret_cast<intptr_t>(data)); }

}  // namespace

// --- dealing ------------------------------------------------------------------------------------

void CTwoCardBoard::StartDeal(const uint8_t cards[CARD_COUNT], uint8_t dealStart)
{
    // A second end without free time between starts the deal over: the
    // counter and the pictures of the first would outlive their round.
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
    m_openIndex = 0;
    m_cardsLocked = 0;
    m_forcedOpen = false;
    m_dragHand = -1;

    std::copy(cards, cards + CARD_COUNT, m_cardData);
    m_dealStartHand = dealStart & 3;
    scheduleOnce(schedule_selector(CTwoCardBoard::DealCards), 1.0f);
    if (m_openMode == 0)
        schedule(schedule_selector(CTwoCardBoard::OpenNextHand), 2.0f, 3, 5.0f);
    else
        EnableCardDragging();
}

void CTwoCardBoard::StopDealing()
{
    unschedule(schedule_selector(CTwoCardBoard::DealCards));
    unschedule(schedule_selector(CTwoCardBoard::OpenNextHand));
    for (auto& hand : m_handCards)
    {
        for (Sexy::CardSprite* card : hand)
        {
            if (card != nullptr)
                card->stopAllActions();
        }
    }
}

void CTwoCardBoard::ResetCards()
{
    for (auto& hand : m_handCards)
    {
        for (Sexy::CardSprite* card : hand)
        {
            if (card == nullptr)
                continue;
            card->stopAllActions();
            card->SetCardListener(nullptr);
            card->setTag(-1);
            card->setPosition(ccpAdd(m_handPoints[0], kWaitingOffset));
            card->setVisible(false);
            card->SetCardData(CARD_BACK);
        }
    }
}

void CTwoCardBoard::DealCards(float)
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int j = 0; j < CARDS_PER_HAND; ++j)
        {
            Sexy::CardSprite* card = m_handCards[hand][j];
            card->SetCardData(j == 0 ? CARD_BACK : m_cardData[2 * hand + j]);
            card->setPosition(ccpAdd(m_handPoints[hand], CCPoint(static_cast<float>(kCardStep * j), 0)));
            m_pContentRoot->reorderChild(card, kDealtCardZ + j);
            card->setVisible(false);
        }
    }
    // Card 0 of every hand from the start hand round the table, then card 1
    // of each: one card every half second.
    for (int j = 0; j < CARDS_PER_HAND; ++j)
    {
        for (int k = 0; k < HAND_COUNT; ++k)
        {
            const int hand = (m_dealStartHand + k) % HAND_COUNT;
            m_handCards[hand][j]->runAction(CCSequence::create(
                CCDelayTime::create(2.0f * j + 0.5f * k),
                CCCallFuncND::create(this, callfuncND_selector(CTwoCardBoard::OnCardDealt), IntData(k + j)), nullptr));
        }
    }
}

void CTwoCardBoard::OnCardDealt(CCNode* node, void* index)
{
    PlayTableSound("Sound/DISPATCH_CARD");
    node->setVisible(true);
    if (IntOf(index) != kLastDealt || m_openMode == 0)
        return;
    // The eighth card: each hand points at the card to drag, and its lower
    // card turns face up underneath.
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        RemoveContentChildByTag(kManualHintTagBase + hand);
        CCSprite* hint = CCSprite::create(Res("HAND").c_str());
        hint->setPosition(ccpAdd(m_handPoints[hand], kHintOffset));
        hint->setAnchorPoint(CCPoint(1, 0.5f));
        AddContentChild(hint, m_shape.manualHintZ, kManualHintTagBase + hand);
        m_handIcons[hand] = hint;
        m_handCards[hand][0]->SetCardData(m_cardData[2 * hand]);
    }
}

void CTwoCardBoard::EnableCardDragging()
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        m_handCards[hand][1]->SetCardListener(this);
        m_handCards[hand][1]->setTag(kPeekCardTagBase + hand);
    }
}

// --- dragging -------------------------------------------------------------------------------------

bool CTwoCardBoard::OnCardTouchBegan(Sexy::CardSprite* card)
{
    const int hand = card->getTag() - kPeekCardTagBase;
    m_dragHand = hand >= 0 && hand < HAND_COUNT ? hand : -1;
    return true;
}

void CTwoCardBoard::OnCardTouchMoved(Sexy::CardSprite* card)
{
    const int hand = card->getTag() - kPeekCardTagBase;
    if (hand < 0 || hand >= HAND_COUNT)
        return;
    m_dragHand = hand;
    const CCPoint base = ccpAdd(m_handPoints[hand], CCPoint(kCardStep, 0));
    CCPoint at = ccpAdd(card->getPosition(), ccpSub(card->GetTouchMovePoint(), card->GetTouchPrevPoint()));
    // Right by at most 50 and down by at most 80, never left or up.
    at.x = std::max(at.x, base.x);
    at.y = std::min(at.y, base.y);
    at.x = std::min(at.x, base.x + kPeekRight);
    if (std::fabs(std::trunc(at.y - base.y)) > kPeekDown)
        at.y = base.y - kPeekDown;
    card->setPosition(at);
}

void CTwoCardBoard::OnCardTouchEnded(Sexy::CardSprite*)
{
    m_dragHand = -1;
    if (m_cardsLocked != 0)
        return;
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int j = 0; j < CARDS_PER_HAND; ++j)
            m_handCards[hand][j]->setPosition(
                ccpAdd(m_handPoints[hand], CCPoint(static_cast<float>(kCardStep * j), 0)));
    }
}

// --- the automatic opening ------------------------------------------------------------------------

void CTwoCardBoard::OpenNextHand(float)
{
    if (m_betState != kStateResult)
        return;
    const int hand = HandOpenedAt(m_openIndex);
    if (m_openMode == 0)
    {
        RemoveContentChildByTag(kAutoHintTagBase + m_openIndex);
        CCSprite* hint = CCSprite::create(Res("HAND").c_str());
        hint->setPosition(ccpAdd(m_handPoints[hand], kHintOffset));
        hint->setAnchorPoint(CCPoint(1, 0.5f));
        AddContentChild(hint, m_shape.autoHintZ, kAutoHintTagBase + m_openIndex);
        m_handIcons[hand] = hint;
    }
    for (int j = 0; j < CARDS_PER_HAND; ++j)
        m_handCards[hand][j]->SetCardData(m_cardData[2 * hand + j]);
    Sexy::CardSprite* top = m_handCards[hand][1];
    const CCPoint rest = ccpAdd(m_handPoints[hand], CCPoint(kCardStep, 0));
    CCFiniteTimeAction* done =
        CCCallFuncND::create(this, callfuncND_selector(CTwoCardBoard::OnHandOpened), IntData(hand));
    if (m_openMode == 0)
        top->runAction(CCSequence::create(CCMoveTo::create(0.7f, ccpAdd(top->getPosition(), CCPoint(35, 0))),
                                          CCMoveTo::create(0.4f, rest), done, nullptr));
    else
        top->runAction(CCSequence::create(CCMoveTo::create(0.4f, rest), done, nullptr));
}

void CTwoCardBoard::OnHandOpened(CCNode*, void* data)
{
    const int hand = IntOf(data);
    if (hand < 0 || hand >= HAND_COUNT)
        return;
    for (int j = 0; j < CARDS_PER_HAND; ++j)
    {
        Sexy::CardSprite* card = m_handCards[hand][j];
        card->SetCardData(m_cardData[2 * hand + j]);
        m_pContentRoot->reorderChild(card, kOpenedCardZ + j);
        card->setPosition(ccpAdd(m_handPoints[hand], CCPoint(static_cast<float>(kCardStep * j), 0)));
    }
    if (m_openMode == 0)
    {
        RemoveContentChildByTag(kAutoHintTagBase + m_openIndex);
        m_handIcons[hand] = nullptr;
    }
    if (m_openIndex == HAND_COUNT - 1 && m_openMode == 0)
    {
        AddResultSprites();
        ShowRoundResult(m_shape.scoreViewZ);
    }
    ++m_openIndex;
}

// --- the forced opening and the result --------------------------------------------------------------

void CTwoCardBoard::ForceOpenAll()
{
    m_cardsLocked = 1;
    m_forcedOpen = true;
    // A short result time may come before the deal is done.
    StopDealing();
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        m_handCards[hand][1]->SetCardListener(nullptr);
        if (m_handIcons[hand] != nullptr)
            m_handIcons[hand]->setVisible(false);
        for (int j = 0; j < CARDS_PER_HAND; ++j)
        {
            Sexy::CardSprite* card = m_handCards[hand][j];
            card->SetCardData(m_cardData[2 * hand + j]);
            card->setPosition(ccpAdd(m_handPoints[hand], CCPoint(static_cast<float>(kCardStep * j), 0)));
            card->setVisible(true);
        }
    }
    AddResultSprites();
    ShowRoundResult(m_shape.forcedScoreViewZ);
}

void CTwoCardBoard::LayOpenCards(const uint8_t cards[CARD_COUNT])
{
    StopDealing();
    std::copy(cards, cards + CARD_COUNT, m_cardData);
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int j = 0; j < CARDS_PER_HAND; ++j)
        {
            Sexy::CardSprite* card = m_handCards[hand][j];
            card->SetCardListener(nullptr);
            card->SetCardData(cards[2 * hand + j]);
            card->setPosition(ccpAdd(m_handPoints[hand], CCPoint(static_cast<float>(kCardStep * j), 0)));
            card->setVisible(true);
        }
    }
    AddResultSprites();
}

void CTwoCardBoard::AddResultSprites()
{
    int z = 0;
    for (int hand = 0; hand < HAND_COUNT; ++hand)
        z = std::max(z, m_handCards[hand][1]->getZOrder());
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        if (m_resultSprites[hand] != nullptr)
            m_resultSprites[hand]->removeFromParentAndCleanup(true);
        CCSprite* sprite = CCSprite::create(ResultPictureOf(&m_cardData[2 * hand]).c_str());
        sprite->setPosition(m_handPoints[hand]);
        AddContentChild(sprite, z + 10);
        m_resultSprites[hand] = sprite;
    }
}

void CTwoCardBoard::ShowRoundResult(int scoreViewZ)
{
    const RoundFigures figures = KeptFigures();
    UpdateBankerPanel(static_cast<uint16_t>(m_bankerChair), figures.bankerTimes, figures.bankerTotal);
    UpdateResultPanel(static_cast<uint16_t>(m_bankerChair), figures.bankerTotal);
    UpdateMyPanel(m_lastResult);
    AddRoundRecord();
    PlaceScoreView(MakeEndScoreView(), scoreViewZ);
}

games::BankerScoreView* CTwoCardBoard::MakeEndScoreView()
{
    CTwoCardScoreView* view = CTwoCardScoreView::create(Res("GAME_END").c_str());
    if (view == nullptr)
        return nullptr;
    const RoundFigures figures = KeptFigures();
    view->SetFigures(figures.myScore, figures.secondAmount, figures.thirdAmount);
    // A round score of 0 is no win.
    PlayTableSound(figures.myScore > 0 ? m_shape.endWinSound : m_shape.endLostSound);
    return view;
}

void CTwoCardBoard::PlaceScoreView(games::BankerScoreView* view, int z)
{
    RemoveScoreView();
    if (view == nullptr)
        return;
    view->setPosition(CCPoint(520, 400));
    AddContentChild(view, z);
    view->retain();
    m_scoreView = view;
}

void CTwoCardBoard::RemoveScoreView()
{
    if (m_scoreView == nullptr)
        return;
    // Retained while shown: released, never deleted, since the tree may
    // still hold it.
    m_scoreView->removeFromParentAndCleanup(true);
    m_scoreView->release();
    m_scoreView = nullptr;
}

}  // namespace TwoCardBanker
