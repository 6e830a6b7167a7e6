#include "games/OxNew/NNBoard.h"

#include "games/OxNew/NNHandler.h"
#include "games/OxNew/OxNewMobile.h"
#include "games/OxNew/ScoreView.h"
#include "games/common/CreateNode.h"

#include <cstdlib>
#include <cstring>

using namespace cocos2d;
using Bull::OxResPath;

namespace OxNew {

namespace {

const CCPoint kDeck(500, 300);
const CCPoint kAnimationPoint(550, 300);
const CCPoint kResultPoint(510, 310);
const int kChairZeroZOrders[Bull::CBullBoard::kCards] = {10, 8, 6, 4, 2};
const int kOtherZOrders[Bull::CBullBoard::kCards] = {9, 7, 5, 3, 1};

}  // namespace

const CCPoint NNBoard::kBankerMarkPoints[kSeats] = {{20, 110}, {900, 490}, {470, 540}, {100, 490}};
const CCPoint NNBoard::kHandTypePoints[kSeats] = {{520, 138}, {930, 300}, {383, 410}, {67, 300}};
const CCPoint NNBoard::kBetLabelPoints[kSeats] = {{670, 110}, {935, 250}, {600, 500}, {150, 410}};
const CCPoint NNBoard::kCardOrigins[kSeats] = {{500, 138}, {920, 305}, {490, 370}, {47, 305}};

// The restored chips lie over the middle of the table, the banker mark of
// a betting scene over everything.
NNBoard::NNBoard() : Bull::CBullBoard(kSeats, kSeats, {300, 101, 10000}) {}

NNBoard::~NNBoard() = default;

NNBoard* NNBoard::create() { return games::CreateNode<NNBoard>(); }

Bull::CBullHandler* NNBoard::Handler() const { return OxNewMobile::GetHandler(); }

NNHandler* NNBoard::OwnHandler() const { return OxNewMobile::GetHandler(); }

bool NNBoard::init()
{
    const CCPoint clocks[kSeats] = {{245, 160}, {850, 450}, {370, 470}, {177, 470}};
    const CCPoint seats[kSeats] = {{60, 20}, {950, 430}, {510, 490}, {67, 430}};
    const CCPoint signs[kSeats] = {{470, 80}, {-90, 0}, {0, -80}, {90, 0}};
    if (!InitBullTable(OxResPath("Tile").c_str(), OxResPath("CentrenOxNew").c_str(), clocks, seats, signs))
        return false;
    MakeActionButtons(CCPoint(401, 40), CCPoint(748, 40), "Button_prompt-4", 50, true);
    MakeBottomSprites(false);
    MakeRoundAnimations(kAnimationPoint, kAnimationPoint, kAnimationPoint, 1000);
    MakeBankerMark();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
        MakeCardGroup(chair, chair == 0 ? kChairZeroZOrders : kOtherZOrders, chair == 0);
    return CGameBoard::init();
}

uint16_t NNBoard::MyCardGroup() const
{
    const uint16_t me = MyChair();
    return me < kSeats ? me : 0;
}

CCPoint NNBoard::CardPoint(uint16_t group, int j) const
{
    const uint16_t seat = SeatOf(group);
    const CCPoint& origin = kCardOrigins[seat < kSeats ? seat : 0];
    return CCPoint(origin.x + 17.0f * j, origin.y);
}

bool NNBoard::BankerMarkPoint(uint16_t view, CCPoint& point) const
{
    if (view >= kSeats)
        return false;
    point = kBankerMarkPoints[view];
    return true;
}

bool NNBoard::CountdownTicks(Countdown which) const { return which != kBetCountdown || IPlayThisRound(); }

// --- chips and bets -----------------------------------------------------------------------

void NNBoard::ThrowChips(uint16_t chair)
{
    const uint16_t view = ViewOf(chair);
    const CCPoint from = m_ptSeatPanel[view < kSeats ? view : 0];
    const uint16_t pile = static_cast<uint16_t>(m_nPile);
    const int count = 5 + std::rand() % 5;
    for (int i = 0; i < count; ++i)
    {
        if (CCSprite* old = m_Chips[pile][i])
            old->removeFromParentAndCleanup(true);
        CCSprite* chip = MakeChip(pile, i, from);
        const float y = static_cast<float>(250 + std::rand() % 101);
        if (i < count - 1)
        {
            const float x = static_cast<float>(450 + std::rand() % 101);
            chip->runAction(CCEaseIn::create(CCMoveTo::create(0.5f, CCPoint(x, y)), 1.2f));
        }
        else
        {
            const float x = static_cast<float>(300 + std::rand() % 201);
            chip->runAction(CCMoveTo::create(0.5f, CCPoint(x, y)));
            NNHandler* handler = OwnHandler();
            ShowBetAmount(chair, handler != nullptr ? handler->GetLastBet() : 0);
        }
    }
    m_nPile = (m_nPile + 1) % kSeats;
}

void NNBoard::ShowBetAmount(uint16_t chair, int64_t amount)
{
    const int tag = kBetLabelTag + m_nLabel;
    RemoveContentChildByTag(tag);
    CCLabelTTF* label = MakeAmountLabel(amount);
    label->setPosition(CCPoint(0, 400));
    AddContentChild(label, kAmountZOrder, tag);
    const uint16_t view = ViewOf(chair);
    label->runAction(CCEaseBounceOut::create(CCMoveTo::create(0.4f, kBetLabelPoints[view < kSeats ? view : 0])));
    m_nLabel = (m_nLabel + 1) % kSeats;
    ++m_nBetLabels;
}

// --- the deal ----------------------------------------------------------------------------------

void NNBoard::OnSubSendCard(const CMD_S_SendCard& record)
{
    m_pCardCopy.reset(new CMD_S_SendCard(record));
    ShowLoop(m_pBettingAnimation, false);
    ClearActions();
}

uint8_t* NNBoard::MyCardRecord() { return CardRecordOf(m_pCardCopy.get()); }

void NNBoard::DealCards()
{
    SetMyClock();
    StartDealSound();
    NNHandler* handler = OwnHandler();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
        const bool playing = user != nullptr && user->cbUserStatus == US_PLAY;
        if (handler != nullptr)
            handler->m_cbInPlay[chair] = playing ? 1 : 0;
        if (!playing)
            continue;
        for (int j = 0; j < kCards; ++j)
            DealCard(chair, j, kDeck, 0.3f * j + 0.15f, 0.7f, IsMyChair(chair));
    }
}

const uint8_t* NNBoard::MyDealtCards() const { return DealtCardsOf(m_pCardCopy.get()); }

void NNBoard::OnMyCardDealt(CCNode* node)
{
    Bull::CBullBoard::OnMyCardDealt(node);
    if (node != nullptr)
        node->setScale(1.0f);
}

void NNBoard::OnOtherCardDealt(CCNode* node)
{
    Bull::CBullBoard::OnOtherCardDealt(node);
    if (node != nullptr)
        node->setScale(0.7f);
}

void NNBoard::SendOpen()
{
    if (NNHandler* handler = OwnHandler())
        handler->SendOpenCard(m_cbHasBull);
}

// --- round end ---------------------------------------------------------------------------------

void NNBoard::OnSubGameEnd(const CMD_S_GameEnd& record, bool restored)
{
    m_pEndCopy.reset(new CMD_S_GameEnd(record));
    const CMD_S_GameEnd& end = *m_pEndCopy;
    StopAnyCountdown();
    for (CCSprite* animation : {m_pBankerCallAnimation, m_pOpenAnimation, m_pBettingAnimation})
        ShowLoop(animation, false);
    const uint16_t me = MyChair();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        if (chair != me && end.cbPlayStatus[chair] == PLAYER_PLAYING)
            ShowOtherBull(chair, end.cbCardData[chair]);
    }
    HideOpenButtons();
    ClearActions();

    bool watching = false;
    for (uint16_t chair = 0; chair < kSeats && !watching; ++chair)
    {
        if (chair == me)
        {
            if (restored || m_cbArranged != 0)
                continue;
            if (IPlayThisRound())
                ShowHandType(kHandTypePoints[0], end.cbCardType[chair]);
            else
                watching = true;  // a seated player who sat the round out sees no more
        }
        else if (end.cbCardData[chair][0] != 0)
        {
            const uint16_t seat = SeatOf(chair);
            if (seat < kSeats)
                ShowHandType(kHandTypePoints[seat], end.cbCardType[chair]);
        }
    }
    if (!watching)
    {
        CScoreView* view = CScoreView::create();
        PlaceScoreView(view, kResultPoint, kResultZOrder);
        if (view != nullptr)
            view->ShowResult(end, m_SeatUsers);
        const bool seated = me < kSeats;
        PlaySound(seated && end.lGameScore[me] > 0 ? "OxEx/Eff/GAME_WIN" : "OxEx/Eff/GAME_LOST");
        if (seated)
            PlayHandVoice(me, restored && end.cbCardType[me] > 10 ? 10 : end.cbCardType[me], "wav");
    }
    // Whoever watched the round may play the next one.
    ShowStartButton(true, 30);
}

void NNBoard::ShowOtherBull(uint16_t chair, const uint8_t cards[kCards])
{
    uint8_t arranged[kCards];
    std::memcpy(arranged, cards, kCards);
    const bool bull = m_GameLogic.ArrangeBullCards(arranged, kCards);
    ShowArrangedGroup(chair, arranged, bull, 0);
}

// --- re-entry ----------------------------------------------------------------------------------

void NNBoard::ShowSceneAmounts()
{
    NNHandler* handler = OwnHandler();
    if (handler == nullptr)
        return;
    // The scene's bets replace what the table showed: a second scene does
    // not lay a second label over each seat.
    for (int i = 0; i < kSeats; ++i)
        RemoveContentChildByTag(kBetLabelTag + i);
    m_nLabel = 0;
    m_nBetLabels = 0;
    const CMD_S_StatusPlay& scene = handler->GetPlayScene();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        if (scene.lTableScore[chair] != 0)
            ShowBetAmount(chair, scene.lTableScore[chair]);
    }
}

// --- reset -------------------------------------------------------------------------------------

void NNBoard::ResetCardGroups()
{
    for (uint16_t chair = 0; chair < kSeats; ++chair)
        ResetCardGroup(chair, chair == 0 ? kChairZeroZOrders : kOtherZOrders);
}

void NNBoard::ResetGameView()
{
    RemoveWaitAnimation();
    stopAllActions();
    StopDealSound();
    ResetBullView();
    if (m_pBankerMark != nullptr)
        m_pBankerMark->stopAllActions();
    for (int i = 0; i < kSeats; ++i)
        RemoveContentChildByTag(kBetLabelTag + i);
    m_nBetLabels = 0;
    ResetCardGroups();
}

}  // namespace OxNew
