// The table's parts: building, the reset, my hand's layout and the deal,
// the labels, the buttons and the tricks.
#include "games/ShuangKouHP/HPBoard.h"

#include "games/ShuangKouHP/HPHandler.h"
#include "games/ShuangKouHP/ScoreView.h"
#include "games/ShuangKouHP/ShuangKouMobile.h"
#include "games/framework/BoardArt.h"
#include "games/framework/BoardDrawUserData.h"

#include <cinttypes>
#include <cstdio>
#include <new>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace ShuangKouHP {

namespace {

const ccColor3B kWhite = {255, 255, 255};
constexpr int kHandZOrder = 100;
constexpr int kTrickZOrder = 1000;
// Over the cards on the table, under the result layer.
constexpr int kSignZOrder = 5000;
const CCPoint kAnchor(17.0f / 97.0f, 0.5f);
const CCPoint kTrusteeSignPoint(900, 300);
// Right of the table's middle, where the result layer leaves it in view.
const CCPoint kStartPoint(805, 390);
const CCPoint kPlayPoint(400, 200);
const CCPoint kPassPoint(600, 200);
const CCPoint kLastTrickPoint(930, 240);
const CCPoint kTrusteePoint(930, 195);
const CCPoint kSortPoint(930, 150);
const CCPoint kPassSignPoints[HPBoard::kViews] = {{500, 235}, {500, 485}};
const CCPoint kOtherCountPoint(190, 610);
// The top of the table reads as one bar over the rim, above the other's
// backs: the base score at its left, then the four per-chair labels, 210
// apart (my score, the other's, my counter, the other's), each after its
// caption, which the bar's picture draws.
const CCPoint kScoreBarPoint(500, 676);
const CCPoint kBaseCaptionPoint(45, 676);
const CCPoint kBaseScorePoint(80, 676);
const CCPoint kChairLabelRow(240, 676);
// What a figure may take of the bar before the next caption (the last one
// before the bar's end); a longer one is drawn smaller.
constexpr float kBaseScoreWidth = 90;
constexpr float kChairLabelWidth = 140;
constexpr float kLastChairLabelWidth = 118;

CCLabelAtlas* MakeAtlas(const char* text, const char* map, unsigned width, unsigned height, const CCPoint& at)
{
    CCLabelAtlas* label = CCLabelAtlas::create(text, map, width, height, '0');
    label->setAnchorPoint(CCPoint(0, 0.5f));
    label->setPosition(at);
    return label;
}

}  // namespace

const CCPoint HPBoard::kDealPoint(220, 300);
const CCPoint HPBoard::kHandRow[kViews] = {{248, 85}, {248, 610}};

HPBoard* HPBoard::create()
{
    auto* board = new (std::nothrow) HPBoard();
    if (board != nullptr && board->init())
    {
        board->autorelease();
        return board;
    }
    delete board;
    return nullptr;
}

HPBoard::HPBoard() : m_Selection(kRaise, static_cast<int>(kSpacing)) {}

HPBoard::~HPBoard() = default;

HPHandler* HPBoard::Handler() const { return ShuangKouMobile::GetHandler(); }

bool HPBoard::init()
{
    if (!CCLayer::init())
        return false;
    setKeypadEnabled(true);
    SetTotalScorePosition(CCPoint(860, 70));
    if (HPHandler* handler = Handler())
        handler->PlayGameSound("shuangkouHP/effect/otherSounds/BACK_MUSIC", true);

    const CCPoint clocks[kViews] = {{160, 250}, {160, 470}};
    const CCPoint seats[kViews] = {{75, 110}, {75, 590}};
    const CCPoint signs[kViews] = {{0, 110}, {100, 0}};
    for (int view = 0; view < kViews; ++view)
    {
        m_ptClock[view] = clocks[view];
        m_ptSeatPanel[view] = seats[view];
        m_ptStatus[view] = signs[view];
    }

    InitGameTable("shuangkouHP/Tile", "shuangkouHP/Centren", nullptr, CCPointZero);
    AddGameTitle("shuangkouHP/LOGO");
    CreateStartButton("shuangkouHP/zhunbei1", "shuangkouHP/zhunbei", kStartPoint);

    m_pPlayButton = CreateImageButton("shuangkouHP/chupai4", "shuangkouHP/chupai", "shuangkouHP/chupai3", kPlayPoint,
                                      cccontrol_selector(HPBoard::OnPlayButton), false);
    m_pPassButton = CreateImageButton("shuangkouHP/buchu4", "shuangkouHP/buchu", "shuangkouHP/buchu3", kPassPoint,
                                      cccontrol_selector(HPBoard::OnPassButton), false);
    m_pLastTrickButton =
        CreateImageButton("shuangkouHP/shangyilun3", "shuangkouHP/sahngyilun2", "shuangkouHP/shangyilun4",
                          kLastTrickPoint, cccontrol_selector(HPBoard::OnLastTrickButton), true);
    m_pTrusteeButton = CreateImageButton("shuangkouHP/tuoguan2", "shuangkouHP/tuoguan3", "shuangkouHP/tuoguan4",
                                         kTrusteePoint, cccontrol_selector(HPBoard::OnTrusteeButton), true);
    m_pSortButton = CreateImageButton("shuangkouHP/paixu4", "shuangkouHP/paixu2", "shuangkouHP/paixu3", kSortPoint,
                                      cccontrol_selector(HPBoard::OnSortButton), true);

    CCSprite* seatBackground = CCSprite::create("shuangkouHP/userBg");
    seatBackground->setPosition(seats[0] + CCPoint(-7, 31));
    AddContentChild(seatBackground);
    for (int view = 0; view < kViews; ++view)
    {
        m_pPassSigns[view] = CCSprite::create("shuangkouHP/font/pass");
        m_pPassSigns[view]->setPosition(kPassSignPoints[view]);
        m_pPassSigns[view]->setVisible(false);
        AddContentChild(m_pPassSigns[view], kSignZOrder);
    }
    // The sign runs its frames only while it shows: a quiet table draws nothing.
    m_pTrusteeSign = Sexy::FirstFrameSprite(Sexy::FrameAnimation("tuo_%d", 0, 3, 0.25f));
    m_pTrusteeSign->setPosition(kTrusteeSignPoint);
    m_pTrusteeSign->setVisible(false);
    AddContentChild(m_pTrusteeSign, kSignZOrder);
    m_pScoreBar = CCSprite::create("shuangkouHP/scoreBar");
    m_pScoreBar->setPosition(kScoreBarPoint);
    AddContentChild(m_pScoreBar);
    CCSprite* caption = CCSprite::create("shuangkouHP/difen");
    caption->setPosition(kBaseCaptionPoint);
    AddContentChild(caption);

    m_pOtherCountLabel = MakeAtlas("0", "shuangkouHP/theEnd/nember7", 22, 33, kOtherCountPoint);
    m_pOtherCountLabel->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pOtherCountLabel->setVisible(false);
    AddContentChild(m_pOtherCountLabel, kSignZOrder);
    m_pBaseScoreLabel = MakeAtlas("0", "shuangkouHP/nember", 19, 24, kBaseScorePoint);
    AddContentChild(m_pBaseScoreLabel);
    for (int i = 0; i < 4; ++i)
    {
        m_pChairLabels[i] =
            MakeAtlas("0", "shuangkouHP/0_", 11, 13, kChairLabelRow + CCPoint(210.0f * static_cast<float>(i), 0));
        AddContentChild(m_pChairLabels[i]);
    }

    MakeHandSprites();
    for (CCControlButton* button : {m_pLastTrickButton, m_pTrusteeButton, m_pSortButton})
        button->setEnabled(false);
    return CGameBoard::init();
}

void HPBoard::LayoutMyInfo(Sexy::CBoardDrawUserData* panel) { Sexy::LayoutCardTableMyInfo(panel); }

// --- reset ---------------------------------------------------------------------------------------

void HPBoard::RemoveFromTable(CCNode* node)
{
    if (node != nullptr && node->getParent() == GetContentRoot())
        node->removeFromParentAndCleanup(true);
}

void HPBoard::ClearTrick(Sexy::CardList& list)
{
    for (CardSprite* card : list)
        RemoveFromTable(card);
    list.clear();
}

CardSprite* HPBoard::MakeCard(uint8_t card, bool visible)
{
    CardSprite* sprite = CardSprite::create();
    // Cards on the table are only shown: touches go to what lies under them.
    sprite->SetDisabled(1);
    sprite->SetCardData(card);
    sprite->setAnchorPoint(kAnchor);
    sprite->setVisible(visible);
    AddContentChild(sprite, kHandZOrder);
    return sprite;
}

void HPBoard::MakeHandSprites()
{
    for (uint16_t view = 0; view < kViews; ++view)
    {
        ClearTrick(m_Hand[view]);
        for (int i = 0; i < kSlots; ++i)
        {
            CardSprite* card = MakeCard(CardSprite::kCardBack, false);
            card->setTag(i);
            // Only my hand takes touches; the other's backs must not hide the buttons.
            if (view == 0)
            {
                card->SetCardListener(this);
                card->SetDisabled(0);
            }
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, kHandZOrder + i);
            m_Hand[view].push_back(card);
        }
    }
}

void HPBoard::ResetGameView()
{
    StopTurnTimeouts();
    ShowTrustee(false);
    m_cbMyTurn = 0;
    for (uint16_t view = 0; view < kViews; ++view)
    {
        ClearTrick(m_Trick[view]);
        ClearTrick(m_LastTrick[view]);
        m_cbLastCount[view] = 0;
        m_pPassSigns[view]->setVisible(false);
    }
    MakeHandSprites();
    m_nHandCount = 0;
    m_nOtherCount = 0;
    RemoveFromTable(m_pScoreView);
    m_pScoreView = nullptr;
    m_pOtherCountLabel->setVisible(false);
    SetBaseScore(0);
    const int32_t counters[GAME_PLAYER] = {};
    const int64_t scores[GAME_PLAYER] = {};
    RefreshChairLabels(counters, scores);
    HidePlayButtons();
}

// --- my hand -------------------------------------------------------------------------------------

void HPBoard::SetMyChair(uint16_t chair) { m_cbMyChair = static_cast<uint8_t>(chair < GAME_PLAYER ? chair : 0); }

void HPBoard::SetHandCards(const uint8_t (&cards)[HAND_COUNT])
{
    for (int i = 0; i < HAND_COUNT; ++i)
        m_cbHand[i] = cards[i];
}

CCPoint HPBoard::SlotPoint(uint16_t view, int count, int i) const
{
    if (count < 0)
        count = 0;
    if (count > kSlots)
        count = kSlots;
    const int slot = (kSlots - count) / 2 + i;
    return kHandRow[view % kViews] + CCPoint(kSpacing * static_cast<float>(slot), 0);
}

void HPBoard::LayoutMyCards(bool animated)
{
    if (m_nHandCount < 0)
        m_nHandCount = 0;
    if (m_nHandCount > HAND_COUNT)
        m_nHandCount = HAND_COUNT;
    const auto count = static_cast<size_t>(m_nHandCount);
    m_GameLogic.SortCardList(m_cbHand, count, m_cbSortMode == ST_GROUP ? ST_GROUP : ST_VALUE);
    const Sexy::CardList& hand = m_Hand[0];
    for (size_t i = 0; i < hand.size(); ++i)
    {
        CardSprite* card = hand[i];
        card->stopAllActions();
        if (i >= count)
        {
            card->setVisible(false);
            continue;
        }
        const CCPoint target = SlotPoint(0, m_nHandCount, static_cast<int>(i));
        card->SetCardData(m_cbHand[i]);
        card->setAnchorPoint(kAnchor);
        card->setColor(kWhite);
        card->setRotation(0);
        card->setScale(1.0f);
        card->SetSelected(0);
        card->setVisible(true);
        if (card->getParent() != nullptr)
            card->getParent()->reorderChild(card, kHandZOrder + static_cast<int>(i));
        if (animated)
            card->runAction(CCSequence::create(CCDelayTime::create(0.02f * static_cast<float>(i)),
                                               CCMoveTo::create(0.2f, target), nullptr));
        else
            card->setPosition(target);
    }
}

void HPBoard::OnLButtonDblClk()
{
    CGameBoard::OnLButtonDblClk();
    LayoutMyCards(false);
}

bool HPBoard::OnCardTouchBegan(CardSprite* card) { return Sexy::HandSelection::TouchBegan(card); }

void HPBoard::OnCardTouchMoved(CardSprite* card)
{
    m_Selection.TouchMoved(card, m_Hand[0], static_cast<size_t>(m_nHandCount));
}

void HPBoard::OnCardTouchEnded(CardSprite* card)
{
    m_Selection.TouchEnded(card, m_Hand[0], static_cast<size_t>(m_nHandCount));
}

// --- the deal ------------------------------------------------------------------------------------

void HPBoard::OnGameStart(const CMD_S_GameStart& start) { SetBaseScore(start.lBaseScore); }

void HPBoard::OnSendCard(const CMD_S_SendCard& deal)
{
    HPHandler* handler = Handler();
    m_nHandCount = HAND_COUNT;
    m_nOtherCount = HAND_COUNT;
    m_GameLogic.SortCardList(m_cbHand, HAND_COUNT, ST_VALUE);
    PlaySound("shuangkouHP/effect/otherSounds/GAME_START");
    PlaySound("shuangkouHP/effect/otherSounds/REVERSAL_CARD");
    for (uint16_t view = 0; view < kViews; ++view)
    {
        const Sexy::CardList& hand = m_Hand[view];
        for (size_t i = 0; i < hand.size() && i < static_cast<size_t>(kSlots); ++i)
        {
            CardSprite* card = hand[i];
            const float delay = 0.02f * static_cast<float>(i);
            card->stopAllActions();
            card->SetCardData(CardSprite::kCardBack);
            card->setAnchorPoint(kAnchor);
            card->SetSelected(0);
            card->setRotation(0);
            card->setScale(view == 0 ? 1.0f : kOtherScale);
            card->setPosition(kDealPoint);
            card->setVisible(true);
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, kHandZOrder + static_cast<int>(i));
            CCFiniteTimeAction* fly =
                CCSpawn::create(CCRotateTo::create(0.2f, 720),
                                CCMoveTo::create(0.2f, SlotPoint(view, HAND_COUNT, static_cast<int>(i))), nullptr);
            if (view == 1)
            {
                card->runAction(CCSequence::create(CCDelayTime::create(delay), fly, nullptr));
                continue;
            }
            CCCallFuncND* face = CCCallFuncND::create(this, callfuncND_selector(HPBoard::OnDealFlip),
                                                      reinterpret_cast<void*>(static_cast<uintptr_t>(m_cbHand[i])));
            card->runAction(CCSequence::create(CCDelayTime::create(delay), fly, CCDelayTime::create(delay),
                                               CCScaleTo::create(0.2f, 0.0f, 1.0f), face,
                                               CCScaleTo::create(0.2f, 1.0f, 1.0f), nullptr));
        }
    }
    SetClock(deal.wCurrentUser);
    if (deal.wCurrentUser == m_cbMyChair)
    {
        if (handler != nullptr)
            handler->m_cbLeadFlag = 1;
        ShowPlayButtons(false);
        StartMyTurn();
    }
    else
    {
        m_cbMyTurn = 0;
        if (handler != nullptr)
            handler->m_cbLeadFlag = 0;
    }
    char text[16];
    std::snprintf(text, sizeof(text), "%d", m_nOtherCount);
    m_pOtherCountLabel->setString(text);
    m_pOtherCountLabel->setVisible(true);
}

void HPBoard::OnDealFlip(CCNode* node, void* card)
{
    auto* sprite = dynamic_cast<CardSprite*>(node);
    if (sprite == nullptr)
        return;
    sprite->SetCardData(static_cast<uint8_t>(reinterpret_cast<uintptr_t>(card)));
    sprite->setAnchorPoint(kAnchor);
    // The last card's face: the table's own buttons are usable.
    if (sprite->getTag() == kSlots - 1)
    {
        for (CCControlButton* button : {m_pLastTrickButton, m_pTrusteeButton, m_pSortButton})
            button->setEnabled(true);
    }
}

// --- labels ----------------------------------------------------------------------------------------

void HPBoard::RefreshOtherCount()
{
    if (m_nOtherCount < 0)
        m_nOtherCount = 0;
    if (m_nOtherCount > kSlots)
        m_nOtherCount = kSlots;
    char text[16];
    std::snprintf(text, sizeof(text), "%d", m_nOtherCount);
    m_pOtherCountLabel->setString(text);
    m_pOtherCountLabel->setVisible(true);
    const Sexy::CardList& backs = m_Hand[1];
    for (size_t i = 0; i < backs.size(); ++i)
    {
        CardSprite* card = backs[i];
        card->stopAllActions();
        if (static_cast<int>(i) >= m_nOtherCount)
        {
            card->setVisible(false);
            continue;
        }
        card->SetCardData(CardSprite::kCardBack);
        card->setAnchorPoint(kAnchor);
        card->setRotation(0);
        card->setScale(kOtherScale);
        card->setPosition(SlotPoint(1, m_nOtherCount, static_cast<int>(i)));
        card->setVisible(true);
    }
}

void HPBoard::SetFigure(CCLabelAtlas* label, int64_t value, float width)
{
    label->setString(Sexy::AtlasFigure(value).c_str());
    Sexy::FitToWidth(label, width);
}

void HPBoard::SetBaseScore(int64_t score) { SetFigure(m_pBaseScoreLabel, score, kBaseScoreWidth); }

void HPBoard::RefreshChairLabels(const int32_t (&counters)[GAME_PLAYER], const int64_t (&scores)[GAME_PLAYER])
{
    const uint16_t chairs[kViews] = {MyChair(), OtherChair()};
    for (int view = 0; view < kViews; ++view)
    {
        SetFigure(m_pChairLabels[view], scores[chairs[view]], kChairLabelWidth);
        SetFigure(m_pChairLabels[2 + view], counters[chairs[view]],
                  view + 1 < kViews ? kChairLabelWidth : kLastChairLabelWidth);
    }
}

// --- buttons, turns and tricks -----------------------------------------------------------------------

void HPBoard::ShowPlayButtons(bool passEnabled)
{
    for (CCControlButton* button : {m_pPlayButton, m_pPassButton})
    {
        button->setVisible(true);
        button->setTouchEnabled(true);
        button->setEnabled(true);
    }
    // A new trick cannot be passed.
    m_pPassButton->setEnabled(passEnabled);
}

void HPBoard::HidePlayButtons()
{
    for (CCControlButton* button : {m_pPlayButton, m_pPassButton})
    {
        button->setVisible(false);
        button->setTouchEnabled(false);
    }
}

void HPBoard::StartMyTurn()
{
    m_cbMyTurn = 1;
    StopTurnTimeouts();
    if (m_cbTrustee != 0)
        scheduleOnce(schedule_selector(HPBoard::OnTrusteeTimeout), 1.0f);
    else
        scheduleOnce(schedule_selector(HPBoard::OnTurnTimeout), 30.0f);
}

void HPBoard::StopTurnTimeouts()
{
    unschedule(schedule_selector(HPBoard::OnTurnTimeout));
    unschedule(schedule_selector(HPBoard::OnTrusteeTimeout));
}

void HPBoard::RetireTrick(uint16_t view)
{
    Sexy::CardList& trick = m_Trick[view % kViews];
    for (CardSprite* card : trick)
    {
        card->stopAllActions();
        card->setVisible(false);
        m_LastTrick[view % kViews].push_back(card);
    }
    trick.clear();
}

void HPBoard::SetClock(uint16_t chair)
{
    if (HPHandler* handler = Handler())
        handler->SetGameClock(chair, IDI_TURN_CLOCK, TURN_SECONDS);
}

void HPBoard::ShowTrustee(bool on)
{
    m_cbTrustee = on ? 1 : 0;
    m_pTrusteeSign->stopAllActions();
    m_pTrusteeSign->setVisible(on);
    if (on)
        m_pTrusteeSign->runAction(Sexy::RunFramesForever("tuo_%d", 0, 3, 0.25f));
}

}  // namespace ShuangKouHP
