#include "games/OxEx/NNBoard.h"

#include "games/OxEx/NNHandler.h"
#include "games/OxEx/OxExMobile.h"
#include "games/OxEx/ScoreView.h"
#include "games/common/CreateNode.h"

#include <cstdlib>
#include <cstring>

using namespace cocos2d;

namespace OxEx {

namespace {

const CCPoint kDealFrom(350, 250);
const CCPoint kOpenAnimationPoint(510, 300);
const CCPoint kResultViewPoint(510, 330);

}  // namespace

const CCPoint NNBoard::kHandTypePoints[kViews] = {{370, 145}, {383, 455}};
const CCPoint NNBoard::kBankerMarkPoints[kViews] = {{50, 110}, {475, 505}};
const CCPoint NNBoard::kCardOrigins[kViews] = {{500, 145}, {370, 450}};
const int NNBoard::kMyZOrders[kCards] = {10, 8, 6, 4, 2};
const int NNBoard::kOtherZOrders[kCards] = {9, 7, 5, 3, 1};

NNBoard::NNBoard() : Bull::CBullBoard(kViews, 1) {}

NNBoard::~NNBoard() = default;

NNBoard* NNBoard::create() { return games::CreateNode<NNBoard>(); }

Bull::CBullHandler* NNBoard::Handler() const { return OxExMobile::GetHandler(); }

NNHandler* NNBoard::OwnHandler() const { return OxExMobile::GetHandler(); }

bool NNBoard::init()
{
    const CCPoint clocks[kViews] = {{235, 120}, {620, 450}};
    const CCPoint seats[kViews] = {{60, 20}, {515, 455}};
    const CCPoint signs[kViews] = {{470, 110}, {20, -80}};
    if (!InitBullTable(Bull::OxResPath("Tile").c_str(), "OxEx/CentrenOxEx", clocks, seats, signs))
        return false;
    MakeActionButtons(CCPoint(401, 40), CCPoint(748, 40), nullptr, 0, true);
    MakeBottomSprites(true);
    const CCSize table = GetContentPictureSize();
    const CCPoint centre(table.width / 2, table.height / 2);
    MakeRoundAnimations(centre, centre, kOpenAnimationPoint, 0);
    MakeBankerMark();
    MakeCardGroup(0, kMyZOrders, true);
    MakeCardGroup(1, kOtherZOrders, false);
    return CGameBoard::init();
}

CCPoint NNBoard::CardPoint(uint16_t group, int j) const
{
    const CCPoint& origin = kCardOrigins[group < kViews ? group : 0];
    return CCPoint(origin.x + kCardSpacing * j, origin.y);
}

// --- banker -----------------------------------------------------------------------------------

bool NNBoard::BankerMarkPoint(uint16_t view, CCPoint& point) const
{
    if (view >= kViews)
        return false;
    point = kBankerMarkPoints[view];
    return true;
}

// --- chips, amount and deal ----------------------------------------------------------------

void NNBoard::ThrowChips(uint16_t chair)
{
    const uint16_t view = ViewOf(chair);
    const CCPoint from = m_ptSeatPanel[view < kViews ? view : 0];
    const int count = 5 + std::rand() % 5;
    for (int i = 0; i < count; ++i)
    {
        if (CCSprite* old = m_Chips[0][i])
            old->removeFromParentAndCleanup(true);
        CCSprite* chip = MakeChip(0, i, from);
        const float y = static_cast<float>(250 + std::rand() % 101);
        const float x = static_cast<float>(400 + std::rand() % 201);
        CCFiniteTimeAction* move = CCMoveTo::create(0.5f, CCPoint(x, y));
        if (i < count - 1)
            chip->runAction(CCEaseIn::create(static_cast<CCActionInterval*>(move), 1.2f));
        else
            chip->runAction(CCSequence::create(
                move, CCCallFuncN::create(this, callfuncN_selector(NNBoard::ShowBetAmount)), nullptr));
    }
}

void NNBoard::ShowBetAmount(CCNode*)
{
    NNHandler* handler = OwnHandler();
    RemoveContentChildByTag(kAmountTag);
    CCLabelTTF* label = MakeAmountLabel(handler != nullptr ? handler->GetLastBet() : 0);
    label->setPosition(CCPoint(0, 400));
    AddContentChild(label, kAmountZOrder, kAmountTag);
    const CCSize table = GetContentPictureSize();
    label->runAction(CCSequence::create(CCEaseBounceOut::create(CCMoveTo::create(0.4f, CCPoint(520, table.height / 2))),
                                        CCCallFuncN::create(this, callfuncN_selector(NNBoard::DealCards)), nullptr));
}

void NNBoard::DealCards(CCNode*)
{
    SetMyClock();
    StartDealSound();
    for (uint16_t view = 0; view < kViews; ++view)
    {
        for (int j = 0; j < kCards; ++j)
        {
            const bool mine = view == 0;
            DealCard(view, j, kDealFrom, 0.3f * j + (mine ? 0.0f : 0.15f), mine ? 1.0f : 0.7f, mine);
        }
    }
}

const uint8_t* NNBoard::MyDealtCards() const { return DealtCardsOf(m_pCardCopy.get()); }

void NNBoard::OnSubSendCard(const CMD_S_SendCard& record)
{
    m_pCardCopy.reset(new CMD_S_SendCard(record));
    ShowLoop(m_pBettingAnimation, false);
    ClearActions();
    OnMyCardsArrived();
}

// --- hint and open --------------------------------------------------------------------------

uint8_t* NNBoard::MyCardRecord() { return CardRecordOf(m_pCardCopy.get()); }

void NNBoard::SendOpen()
{
    if (NNHandler* handler = OwnHandler())
        handler->SendOpenCard(m_cbHasBull);
}

// --- round end ----------------------------------------------------------------------------------

void NNBoard::OnSubGameEnd(const CMD_S_GameEnd& record, bool restored)
{
    m_pEndCopy.reset(new CMD_S_GameEnd(record));
    const CMD_S_GameEnd& end = *m_pEndCopy;
    // The round is over: nothing may be sent for it any more.
    StopAnyCountdown();
    for (CCSprite* animation : {m_pBankerCallAnimation, m_pOpenAnimation, m_pBettingAnimation})
        ShowLoop(animation, false);
    HideOpenButtons();
    ClearActions();

    const uint16_t me = MyChair();
    const bool seated = me < kViews;
    if (seated)
    {
        const uint16_t other = me == 0 ? 1 : 0;
        if (end.cbOxFlag[other] != 0)
            ShowOtherBull(end.cbCardData[other]);
        for (uint16_t chair = 0; chair < kViews; ++chair)
        {
            if (chair != me)
                ShowHandType(kHandTypePoints[1], end.cbCardType[chair]);
            else if (!restored && m_cbArranged == 0)
                ShowHandType(kHandTypePoints[0], end.cbCardType[chair]);
        }
    }
    const int64_t mine = seated ? end.lGameScore[me] : 0;
    PlaySound(mine > 0 ? "OxEx/Eff/GAME_WIN" : "OxEx/Eff/GAME_LOST");

    CScoreView* view = CScoreView::create();
    PlaceScoreView(view, kResultViewPoint, kResultViewZOrder);
    if (view != nullptr)
        view->ShowResult(end);

    if (seated && OwnHandler() != nullptr)
        PlayHandVoice(me, end.cbCardType[me], "mp3");
    ShowStartButton(true, 30);
}

void NNBoard::ShowOtherBull(const uint8_t cards[kCards])
{
    uint8_t arranged[kCards];
    std::memcpy(arranged, cards, kCards);
    const bool bull = m_GameLogic.ArrangeBullCards(arranged, kCards);
    ShowArrangedGroup(1, arranged, bull, 0);
}

// --- re-entry -------------------------------------------------------------------------------------

void NNBoard::ShowSceneAmounts()
{
    NNHandler* handler = OwnHandler();
    if (handler == nullptr)
        return;
    const CMD_S_StatusPlay& scene = handler->GetPlayScene();
    const int64_t amount = scene.wBankerUser == 0 ? scene.lTableScore[1] : scene.lTableScore[0];
    RemoveContentChildByTag(kAmountTag);
    CCLabelTTF* label = MakeAmountLabel(amount);
    label->setPosition(CCPoint(400, 370));
    AddContentChild(label, kAmountZOrder, kAmountTag);
}

// --- reset -----------------------------------------------------------------------------------------

void NNBoard::ResetGameView()
{
    stopAllActions();
    ResetBullView();
    if (m_pBankerMark != nullptr)
        m_pBankerMark->stopAllActions();
    RemoveContentChildByTag(kAmountTag);
    ResetCardGroup(0, kMyZOrders);
    ResetCardGroup(1, kOtherZOrders);
    m_pCardCopy.reset();
    m_pEndCopy.reset();
    ForgetSceneCeiling();
}

}  // namespace OxEx
