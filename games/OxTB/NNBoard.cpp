#include "games/OxTB/NNBoard.h"

#include "games/OxTB/NNHandler.h"
#include "games/OxTB/OxTBMobile.h"
#include "games/OxTB/ScoreView.h"
#include "games/common/CreateNode.h"

#include <cstdlib>
#include <cstring>

using namespace cocos2d;
using Bull::OxResPath;
using Sexy::CardSprite;

namespace OxTB {

namespace {

const CCPoint kBaseScorePoint(800, 150);
const CCPoint kRestoredBaseScorePoint(600, 300);
const CCPoint kResultPoint(512, 220);
const CCPoint kShowHandPoint(550, 300);
const int kZOrders[Bull::CBullBoard::kCards] = {10, 8, 6, 4, 2};

}  // namespace

const CCPoint NNBoard::kFirstCardPoints[kSeats] = {{500, 138}, {920, 295}, {710, 365},
                                                   {480, 365}, {270, 365}, {70, 295}};
const CCPoint NNBoard::kHandTypePoints[kSeats] = {{400, 150}, {930, 300}, {730, 370},
                                                  {500, 370}, {280, 370}, {85, 300}};

NNBoard::NNBoard() : Bull::CBullBoard(kSeats, kSeats, {400, 101}) {}

NNBoard::~NNBoard() = default;

NNBoard* NNBoard::create() { return games::CreateNode<NNBoard>(); }

Bull::CBullHandler* NNBoard::Handler() const { return OxTBMobile::GetHandler(); }

NNHandler* NNBoard::OwnHandler() const { return OxTBMobile::GetHandler(); }

bool NNBoard::init()
{
    const CCPoint seats[kSeats] = {{60, 20}, {950, 420}, {740, 490}, {510, 490}, {280, 490}, {70, 440}};
    const CCPoint clocks[kSeats] = {{245, 160}, {570, 320}, {370, 425}, {177, 320}, {200, 320}, {300, 320}};
    const CCPoint signs[kSeats] = {{470, 80}, {20, 80}, {20, 80}, {0, 80}, {20, 80}, {20, 80}};
    // This table's picture lies under a content root of the bull tile.
    if (!InitBullTable(OxResPath("CentrenOxTB").c_str(), OxResPath("Tile").c_str(), clocks, seats, signs))
        return false;
    MakeActionButtons(CCPoint(401, 40), CCPoint(748, 40), "Button_prompt-4", 50, false);
    MakeBottomSprites(false);
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(
        Bull::OxResPath("SpirteStatus.plist").c_str());
    m_pOpenAnimation = MakeLoopAnimation("taipai-0%d", 4, 0.25f, kShowHandPoint, kSignZOrder);
    for (uint16_t chair = 0; chair < kSeats; ++chair)
        MakeCardGroup(chair, kZOrders, true);
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
    const CCPoint& first = kFirstCardPoints[seat < kSeats ? seat : 0];
    return CCPoint(first.x + 17.0f * j, first.y);
}

// --- round start --------------------------------------------------------------------------------

void NNBoard::ThrowChips(const uint8_t (&inPlay)[GAME_PLAYER])
{
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        if (inPlay[chair] == 0)
            continue;
        const uint16_t view = ViewOf(chair);
        const CCPoint from = m_ptSeatPanel[view < kSeats ? view : 0];
        const int count = 5 + std::rand() % 5;
        for (int i = 0; i < count; ++i)
        {
            if (CCSprite* old = m_Chips[chair][i])
                old->removeFromParentAndCleanup(true);
            CCSprite* chip = MakeChip(chair, i, from);
            const float y = static_cast<float>(250 + std::rand() % 101);
            const float x = static_cast<float>(400 + std::rand() % 201);
            CCActionInterval* move = CCMoveTo::create(0.5f, CCPoint(x, y));
            chip->runAction(i < count - 1 ? static_cast<CCAction*>(CCEaseIn::create(move, 1.2f)) : move);
        }
    }
}

void NNBoard::ShowBaseScore()
{
    NNHandler* handler = OwnHandler();
    RemoveContentChildByTag(kBaseScoreTag);
    CCLabelTTF* label = MakeAmountLabel(handler != nullptr ? handler->GetBaseScore() : 0);
    label->setPosition(CCPoint(0, 400));
    AddContentChild(label, kAmountZOrder, kBaseScoreTag);
    label->runAction(CCEaseBounceOut::create(CCMoveTo::create(0.4f, kBaseScorePoint)));
}

void NNBoard::ShowSceneAmounts()
{
    NNHandler* handler = OwnHandler();
    if (handler == nullptr)
        return;
    RemoveContentChildByTag(kBaseScoreTag);
    CCLabelTTF* label = MakeAmountLabel(handler->GetPlayScene().lCellScore);
    label->setPosition(kRestoredBaseScorePoint);
    AddContentChild(label, kAmountZOrder, kBaseScoreTag);
}

// --- the deal ------------------------------------------------------------------------------------

void NNBoard::OnSubSendCard(const CMD_S_SendCard& record) { m_pCardCopy.reset(new CMD_S_SendCard(record)); }

const uint8_t* NNBoard::MyDealtCards() const { return DealtCardsOf(m_pCardCopy.get()); }

void NNBoard::PlayDealtSound(float) { PlaySound("OxEx/Eff/SEND_CARD"); }

void NNBoard::DealCards()
{
    SetMyClock();
    scheduleOnce(schedule_selector(NNBoard::PlayDealtSound), 5.0f);
    if (m_pCardCopy == nullptr)
        return;
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        // A seat without five cards is not dealt.
        if (m_pCardCopy->cbCardCount[chair] != kCards)
            continue;
        const bool mine = IsMyChair(chair);
        const CCPoint from = CardPoint(chair, 0);
        for (int k = 0; k < kCards; ++k)
        {
            CardSprite* card = m_Cards[chair][k];
            if (card == nullptr)
                continue;
            Reorder(card, 0);
            card->setScale(mine ? 1.0f : 0.7f);
            DealCard(chair, k, from, 0.15f + 0.3f * k, 0.7f, mine);
        }
    }
}

void NNBoard::OnMyCardDealt(CCNode* node)
{
    PlaySound("OxEx/Eff/SEND_CARD");
    Bull::CBullBoard::OnMyCardDealt(node);
    if (node == nullptr)
        return;
    node->setScale(1.0f);
    Reorder(node, 10);
}

void NNBoard::OnOtherCardDealt(CCNode* node)
{
    if (node == nullptr)
        return;
    node->setScale(0.7f);
    Reorder(node, 9);
}

// --- hint and open -------------------------------------------------------------------------------

uint8_t* NNBoard::MyCardRecord() { return CardRecordOf(m_pCardCopy.get()); }

uint8_t NNBoard::MyCardCount() const
{
    NNHandler* handler = OwnHandler();
    const uint16_t me = MyChair();
    if (handler == nullptr || me >= kSeats)
        return 0;
    if (handler->IsRestored() && handler->GetRoundPhase() == Bull::kPhasePlaying)
        return handler->GetPlayScene().cbCardCount[me];
    return m_pCardCopy != nullptr ? m_pCardCopy->cbCardCount[me] : 0;
}

void NNBoard::SendOpen()
{
    NNHandler* handler = OwnHandler();
    uint8_t* cards = MyCardRecord();
    if (handler == nullptr || cards == nullptr)
        return;
    // Only a hand of five is typed; any other count from the server is no
    // bull, and the cards go as they came.
    const uint8_t type = m_GameLogic.GetCardType(cards, MyCardCount());
    m_cbHasBull = type >= 1 ? 1 : 0;
    handler->SendOpenCard(m_cbHasBull, cards);
}

// --- show-down -----------------------------------------------------------------------------------

void NNBoard::OnSubGameEnd(const CMD_S_GameEnd& record, bool restored)
{
    m_pEndCopy.reset(new CMD_S_GameEnd(record));
    ShowDown(restored);
}

void NNBoard::ShowDown(bool restored)
{
    // The kept copy: the layout rewrites each hand in place.
    CMD_S_GameEnd& end = *m_pEndCopy;
    StopAnyCountdown();
    ShowLoop(m_pOpenAnimation, false);
    const uint16_t me = MyChair();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        if (chair == me || end.cbPlayStatus[chair] != PLAYER_PLAYING || end.cbCardData[chair][0] == 0)
            continue;
        const uint8_t type = m_GameLogic.GetCardType(end.cbCardData[chair], kCards);
        ShowArrangedGroup(chair, end.cbCardData[chair], type != OXTB_NONE, 0);
    }
    HideOpenButtons();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        if (chair == me)
            continue;
        const bool shown = restored ? end.cbCardData[chair][0] != 0 : end.cbPlayStatus[chair] == PLAYER_PLAYING;
        const uint16_t seat = SeatOf(chair);
        if (shown && seat < kSeats)
            ShowHandType(kHandTypePoints[seat], end.cbCardType[chair]);
    }
    const bool seated = me < kSeats;
    const char* outcome = seated && end.lGameScore[me] > 0 ? "OxEx/Eff/GAME_WIN" : "OxEx/Eff/GAME_LOST";
    if (restored)
        PlaySound(outcome);
    CScoreView* view = CScoreView::create();
    PlaceScoreView(view, kResultPoint, kResultZOrder);
    if (view != nullptr)
        view->ShowResult(end, m_SeatUsers);
    if (seated)
        PlayHandVoice(me, end.cbCardType[me] > 10 ? 10 : end.cbCardType[me], "mp3");
    PlaySound(outcome);
    ShowStartButton(true, 30);
}

// --- re-entry ------------------------------------------------------------------------------------

void NNBoard::OpenRestoredHand(uint8_t* cards)
{
    NNHandler* handler = OwnHandler();
    if (handler == nullptr)
        return;
    const uint8_t type = m_GameLogic.GetCardType(cards, kCards);
    m_cbOwnType = type;
    m_cbHasBull = type >= 1 ? 1 : 0;
    if (type != OXTB_NONE)
        ShowArrangedGroup(MyChair(), cards, true, 1);
    ShowHandType(kHandTypePoints[0], type);
    handler->SendOpenCard(m_cbHasBull, cards);
}

// --- reset ---------------------------------------------------------------------------------------

void NNBoard::ResetGameView()
{
    RemoveWaitAnimation();
    unschedule(schedule_selector(NNBoard::PlayDealtSound));
    ResetBullView();
    RemoveContentChildByTag(kBaseScoreTag);
    for (uint16_t chair = 0; chair < kSeats; ++chair)
        ResetCardGroup(chair, kZOrders);
}

}  // namespace OxTB
