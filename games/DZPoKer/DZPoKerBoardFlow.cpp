// The hold'em table's reactions to the hand: dealing, the centre cards and
// their turn, bets, folds, the pot, and the turn timer's delays.
#include "games/DZPoKer/DZPoKerBoard.h"
#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPokerCardSprite.h"
#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/DZPokerProTimer.h"
#include "games/DZPoKer/MoveChipAnimation.h"
#include "games/framework/BoardArt.h"

#include <algorithm>
#include <cstdint>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace DZPoKer {

namespace {

void* AsData(int value) { return reinterpret_cast<void*>(static_cast<intptr_t>(value)); }
int FromData(void* data) { return static_cast<int>(reinterpret_cast<intptr_t>(data)); }

const CCPoint kPotPoint(470, 415);
const CCPoint kFoldPoint(500, 300);

}  // namespace

// --- dealing -----------------------------------------------------------------------------

void DZPoKerBoard::StartDeal()
{
    DZPoKerHandler* handler = Handler();
    if (handler == nullptr)
        return;
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (handler->IsPlaying(chair))
            ShowTableChips(ViewOf(chair), handler->m_lStartChip);
    }
    scheduleOnce(schedule_selector(DZPoKerBoard::OnDealHoleCards), 0.5f);
}

void DZPoKerBoard::OnDealHoleCards(float) { DealHoleCards(); }

void DZPoKerBoard::RestoreHoleCards() { DealHoleCards(); }

void DZPoKerBoard::DealHoleCards()
{
    DZPoKerHandler* handler = Handler();
    if (handler == nullptr)
        return;
    const uint16_t me = handler->GetMeChairID();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (!handler->IsPlaying(chair))
            continue;
        const uint16_t view = chair == me ? 0 : ViewOf(chair);
        for (int k = 0; k < HOLE_CARD_COUNT; ++k)
        {
            handler->PlayGameSound("DZShowHand/Music/SEND_CARD", false);
            DZPokerCardSprite* card = m_pHoleCard[chair][k];
            card->stopAllActions();
            card->SetCardData(CARD_BACK);
            card->setVisible(true);
            card->setOpacity(0);
            const CCPoint target = m_ptHoleCard[view * 2 + k];
            card->m_ptTo = target;
            CCFiniteTimeAction* fly =
                CCSpawn::create(CCMoveTo::create(0.35f, target), CCRotateTo::create(0.35f, k == 0 ? 345.0f : 370.0f),
                                CCScaleTo::create(0.35f, 0.5f), CCFadeIn::create(0.35f), nullptr);
            SEL_CallFuncND arrived = chair == me ? callfuncND_selector(DZPoKerBoard::OnMyCardArrived)
                                                 : callfuncND_selector(DZPoKerBoard::OnOtherCardArrived);
            card->runAction(CCSequence::create(fly, CCDelayTime::create(0.35f + 0.7f * k),
                                               CCCallFuncND::create(this, arrived, AsData(k)), nullptr));
        }
    }
}

void DZPoKerBoard::OnMyCardArrived(CCNode* node, void* data)
{
    DZPoKerHandler* handler = Handler();
    auto* card = dynamic_cast<DZPokerCardSprite*>(node);
    const int k = FromData(data);
    if (handler == nullptr || card == nullptr || k < 0 || k >= HOLE_CARD_COUNT)
        return;
    const uint16_t me = handler->GetMeChairID();
    card->SetCardData(me < GAME_PLAYER ? handler->m_cbHandCard[me][k] : CARD_BACK);
    card->setScale(0.5f);
    m_pContentRoot->reorderChild(card, 1000 - card->getZOrder());
}

void DZPoKerBoard::OnOtherCardArrived(CCNode* node, void*)
{
    if (node == nullptr)
        return;
    m_pContentRoot->reorderChild(node, 1000 - node->getZOrder());
    node->setScale(0.5f);
}

void DZPoKerBoard::ShowHoleCards(uint16_t chair)
{
    DZPoKerHandler* handler = Handler();
    if (handler == nullptr || chair >= GAME_PLAYER)
        return;
    for (int k = 0; k < HOLE_CARD_COUNT; ++k)
        m_pHoleCard[chair][k]->SetCardData(handler->m_cbHandCard[chair][k]);
}

// --- centre cards ------------------------------------------------------------------------

void DZPoKerBoard::ShowBoardCards(int count)
{
    DZPoKerHandler* handler = Handler();
    count = std::min(count, static_cast<int>(MAX_CENTER_COUNT));
    for (int i = 0; i < count; ++i)
    {
        m_pCenterBack[i]->setVisible(false);
        DZPokerCardSprite* face = m_pCenterFace[i];
        face->setVisible(true);
        face->setScale(0.7f);
        const CCPoint slot = m_pCardSlot[i] != nullptr ? m_pCardSlot[i]->getPosition() : CCPointZero;
        face->setPosition(slot + CCPoint(240, 250));
        face->SetCardData(handler != nullptr ? handler->m_cbCenterCard[i] : CARD_BACK);
    }
}

void DZPoKerBoard::FlipBoardCard(CCNode*, void* data)
{
    const int index = FromData(data);
    if (index < 0 || index >= MAX_CENTER_COUNT)
        return;
    stopAllActions();
    DZPokerCardSprite* face = m_pCenterFace[index];
    DZPokerCardSprite* back = m_pCenterBack[index];
    face->setVisible(false);
    if (DZPoKerHandler* handler = Handler())
        handler->PlayGameSound("DZShowHand/Music/SEND_CARD", false);
    back->stopAllActions();
    back->SetCardData(CARD_BACK);
    back->setScale(0.7f);
    // Turning the back away, then the face in: two quarter orbits.
    CCArray* steps = CCArray::create();
    steps->addObject(CCShow::create());
    steps->addObject(CCOrbitCamera::create(0.2f, 1, 0, 0, -90, 0, 0));
    steps->addObject(CCHide::create());
    steps->addObject(CCTargetedAction::create(face, CCShow::create()));
    steps->addObject(CCTargetedAction::create(face, CCOrbitCamera::create(0.2f, 1, 0, 90, -90, 0, 0)));
    // 0 -> 1 -> 2 always; 2 -> 3 -> 4 only when all five turn in a row.
    const bool chain = index < 2 || (index < 4 && m_bDealAllFive);
    if (chain)
        steps->addObject(
            CCCallFuncND::create(this, callfuncND_selector(DZPoKerBoard::FlipBoardCard), AsData(index + 1)));
    back->runAction(CCSequence::create(steps));
}

void DZPoKerBoard::DealBoardCards(int index, int first, int end)
{
    DZPoKerHandler* handler = Handler();
    auto setFace = [&](int i) {
        if (i < 0 || i >= MAX_CENTER_COUNT)
            return;
        m_pCenterFace[i]->setScale(0.7f);
        m_pCenterFace[i]->SetCardData(handler != nullptr ? handler->m_cbCenterCard[i] : CARD_BACK);
    };
    if (index != 0)
    {
        setFace(index);
        FlipBoardCard(this, AsData(index));
        m_bDealAllFive = false;
    }
    else
    {
        for (int i = std::max(first, 0); i < std::min(end, static_cast<int>(MAX_CENTER_COUNT)); ++i)
            setFace(i);
        if (first == 0 && end == 3)
        {
            m_bDealAllFive = false;
            FlipBoardCard(this, AsData(0));
        }
        else if (first == 3 && end == 5)
        {
            m_bDealAllFive = false;
            FlipBoardCard(this, AsData(3));
            FlipBoardCard(this, AsData(4));
        }
        else
        {
            m_bDealAllFive = true;
            FlipBoardCard(this, AsData(0));
        }
    }
    if (handler != nullptr)
        handler->OnBoardCardsShown();
}

// --- seats ---------------------------------------------------------------------------------

void DZPoKerBoard::ShowDealerMark(uint16_t chair)
{
    if (chair < GAME_PLAYER)
        m_pDealerMark[ViewOf(chair)]->setVisible(true);
}

void DZPoKerBoard::HideSeatAction(uint16_t chair)
{
    if (chair >= GAME_PLAYER)
        return;
    if (ImageView* sign = m_pStateImage[ViewOf(chair)])
    {
        sign->stopAllActions();
        sign->setVisible(false);
    }
}

void DZPoKerBoard::ShowWaitingAnimation()
{
    if (m_pWaiting != nullptr)
        return;
    m_pWaiting = Sexy::LoopingFrameSprite("deng_%d.png", 1, 3, kFrameDelay);
    m_pWaiting->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pWaiting->setPosition(CCPoint(550, 150));
    AddContentChild(m_pWaiting, kWaitingZOrder, kWaitingTag);
}

void DZPoKerBoard::HideWaitingAndShowStart(int)
{
    if (m_pWaiting != nullptr)
        m_pWaiting->removeFromParentAndCleanup(true);
    m_pWaiting = nullptr;
    ShowStartButton(true, 30);
}

void DZPoKerBoard::ClearSeat(uint16_t chair)
{
    if (chair >= GAME_PLAYER)
        return;
    const uint16_t view = ViewOf(chair);
    m_pScorePlate[view]->setVisible(false);
    m_pDealerMark[view]->setVisible(false);
    for (ImageView* sign : m_pStateImage)
    {
        if (sign != nullptr)
            sign->setVisible(false);
    }
    for (CCNode* node : m_ResultNodes)
        node->setVisible(false);
    for (DZPokerCardSprite* card : m_pHoleCard[chair])
        card->setVisible(false);
    if (m_pWinnerMark != nullptr)
    {
        m_pWinnerMark->setVisible(false);
        if (chair == m_wWinnerChair)
        {
            m_pWinnerMark->removeFromParentAndCleanup(true);
            m_pWinnerMark = nullptr;
        }
    }
}

void DZPoKerBoard::ClearTableEffects()
{
    stopAllActions();
    for (CCSprite** effect : {&m_pWaiting, &m_pWinnerMark, &m_pHandTypeContainer, &m_pHandTypePicture})
    {
        if (*effect != nullptr)
            (*effect)->removeFromParentAndCleanup(true);
        *effect = nullptr;
    }
    m_pHandTypeText = nullptr;
    for (ImageView* sign : m_pStateImage)
    {
        if (sign != nullptr)
            sign->setVisible(false);
    }
}

void DZPoKerBoard::ClearForScene()
{
    for (SEL_SCHEDULE step :
         {schedule_selector(DZPoKerBoard::OnShowMyActions), schedule_selector(DZPoKerBoard::OnDealHoleCards),
          schedule_selector(DZPoKerBoard::OnGatherBets), schedule_selector(DZPoKerBoard::OnHighlightBestFive),
          schedule_selector(DZPoKerBoard::OnShowGameScores), schedule_selector(DZPoKerBoard::OnDistributePots),
          schedule_selector(DZPoKerBoard::OnShowWinner)})
        unschedule(step);
    ResetGameView();
    ResetGameViewEx();
    for (int i = 0; i < kActionButtons; ++i)
        ShowActionButton(i, false);
    m_nShownMask = MASK_NONE;
    m_pChipLayer->ClearAll();
    m_pPotChips->Clear();
    m_dwPotCount = 0;
    for (int64_t& pot : m_lPotList)
        pot = 0;
    m_WinnerViews.clear();
    for (std::vector<uint16_t>& winners : m_PotWinners)
        winners.clear();
    m_wWinnerChair = INVALID_CHAIR;
    StopTurnTimer();
}

void DZPoKerBoard::ResetGameViewEx()
{
    ClearTableEffects();
    m_bChipPlaced = false;
}

// --- bets and the pot -------------------------------------------------------------------

void DZPoKerBoard::ShowTableChips(uint16_t view, int64_t amount)
{
    if (view < GAME_PLAYER)
        m_pChipLayer->FlyChip(view, SeatPointOf(view), m_ptTableChip[view], true, amount);
}

void DZPoKerBoard::FlySeatChips(uint16_t view, int64_t amount)
{
    if (view < GAME_PLAYER)
        m_pChipLayer->FlyChip(view, SeatPointOf(view), m_ptTableChip[view], false, amount);
}

void DZPoKerBoard::SetTotalBet(uint16_t chair, int64_t amount)
{
    if (chair < GAME_PLAYER)
        m_lTotalBet[chair] = amount;
}

void DZPoKerBoard::ShowPot(int64_t amount) { m_pPotChips->ShowPot(amount); }

void DZPoKerBoard::SetTableBet(uint16_t chair, int64_t amount)
{
    if (chair == INVALID_CHAIR)
    {
        for (int64_t& bet : m_lTableBet)
            bet = 0;
        return;
    }
    if (chair >= GAME_PLAYER)
        return;
    const uint16_t view = ViewOf(chair);
    m_lTableBet[view] = amount;
    if (m_bChipPlaced)
    {
        ShowTableChips(view, amount);
    }
    else
    {
        FlySeatChips(view, amount);
        m_pChipLayer->SetAmountText(view, amount);
    }
}

void DZPoKerBoard::ShowGiveUp(uint16_t chair, int64_t, bool flyChips)
{
    if (chair >= GAME_PLAYER)
        return;
    for (DZPokerCardSprite* card : m_pHoleCard[chair])
    {
        card->stopAllActions();
        card->SetCardData(CARD_BACK);
        card->runAction(CCSpawn::create(CCRotateTo::create(0.6f, 540), CCMoveTo::create(0.8f, kFoldPoint),
                                        CCFadeOut::create(0.8f), nullptr));
    }
    if (flyChips)
        m_pChipLayer->GatherSeatChips(ViewOf(chair), kPotPoint);
}

void DZPoKerBoard::GatherBetsToPot(int64_t pot)
{
    m_lPot = pot;
    scheduleOnce(schedule_selector(DZPoKerBoard::OnGatherBets), 1.0f);
}

void DZPoKerBoard::OnGatherBets(float)
{
    m_bChipPlaced = true;
    DZPoKerHandler* handler = Handler();
    if (m_dwPotCount > 1)
    {
        for (uint32_t k = 0; k < MAX_POT_COUNT; ++k)
        {
            if (m_lPotList[k] > 0)
                m_pPotChips->SetPotAmount(static_cast<int>(k), m_lPotList[k]);
        }
        // Six gather points: a sixth pot's chips go to the last.
        const uint32_t target = std::min<uint32_t>(m_dwPotCount, MAX_POT_COUNT - 1);
        const CCPoint point(235.0f + 100.0f * target, 385);
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        {
            if (handler != nullptr && handler->IsPlaying(chair))
                m_pChipLayer->GatherSeatChips(ViewOf(chair), point);
        }
        return;
    }
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (handler != nullptr && handler->IsPlaying(chair))
            m_pChipLayer->GatherSeatChips(ViewOf(chair), kPotPoint);
    }
    ShowPot(m_lPot);
}

// --- the turn timer -------------------------------------------------------------------

void DZPoKerBoard::StartTurnTimer(uint16_t chair)
{
    m_nTimerChair = chair;
    scheduleOnce(schedule_selector(DZPoKerBoard::OnStartTurnTimer), 0.5f);
}

void DZPoKerBoard::OnStartTurnTimer(float)
{
    if (m_nTimerChair >= 0 && m_nTimerChair < GAME_PLAYER)
        m_pTurnTimer->Start(m_nTimerChair);
}

void DZPoKerBoard::StopTurnTimer()
{
    // A start still waiting would put the ring back after the stop.
    unschedule(schedule_selector(DZPoKerBoard::OnStartTurnTimer));
    scheduleOnce(schedule_selector(DZPoKerBoard::OnStopTurnTimer), 0.02f);
}

void DZPoKerBoard::OnStopTurnTimer(float) { m_pTurnTimer->Stop(); }

}  // namespace DZPoKer
