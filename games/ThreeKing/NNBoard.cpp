#include "games/ThreeKing/NNBoard.h"

#include "core/ClientGlobal.h"
#include "games/ThreeKing/HandNames.h"
#include "games/ThreeKing/NNHandler.h"
#include "games/ThreeKing/ScoreView.h"
#include "games/ThreeKing/ThreeKingGame.h"
#include "games/common/CreateNode.h"
#include "games/framework/BoardArt.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/CardSprite.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace ThreeKing {

namespace {

const CCPoint kClockPoints[NNBoard::kSeats] = {{245, 160}, {85, 410}, {85, 630}, {620, 630}, {940, 630}, {940, 410}};
const CCPoint kSeatPoints[NNBoard::kSeats] = {{85, 60}, {85, 310}, {85, 530}, {510, 620}, {940, 530}, {940, 310}};
const CCPoint kStatusPoints[NNBoard::kSeats] = {{470, 80}, {20, 60}, {20, 60}, {20, 60}, {20, 60}, {20, 60}};
const CCPoint kBankerMarkPoints[NNBoard::kSeats] = {{20, 135},  {20, 375},   {20, 595},
                                                    {445, 690}, {1000, 595}, {1000, 375}};
const CCPoint kChipTargets[NNBoard::kSeats] = {{200, 30}, {190, 360}, {190, 580}, {620, 580}, {830, 580}, {830, 360}};
const CCPoint kCardAnchors[NNBoard::kSeats] = {{500, 240}, {170, 300}, {170, 520}, {495, 520}, {820, 520}, {820, 300}};

const CCPoint kDealFrom(500, 400);
const CCPoint kDealerHandPoint(500, 500);
const CCPoint kWaitPoint(512, 480);
const ccColor3B kChipAmountColour = {255, 255, 0};

// Start z orders of the cards: chair 0's and every other chair's.
const int kFirstChairZOrders[NNBoard::kCards] = {10, 8, 6};
const int kOtherChairZOrders[NNBoard::kCards] = {9, 7, 5};

const char* const kBetButtonArt[3][2] = {
    {"ThreeKing/BtnXiaZhu0", "ThreeKing/BtnXiaZhu1"},
    {"ThreeKing/BtnXiaZhu2", "ThreeKing/BtnXiaZhu3"},
    {"ThreeKing/BtnXiaZhu4", "ThreeKing/BtnXiaZhu5"},
};

// A deal's card carries its chair and place as its user data.
intptr_t CardKey(uint16_t chair, int i) { return static_cast<intptr_t>(chair) * NNBoard::kCards + i; }

}  // namespace

std::string ThreeKingResPath(const char* name) { return std::string("ThreeKing/") + (name != nullptr ? name : ""); }

NNBoard::NNBoard() = default;

NNBoard::~NNBoard() = default;

NNBoard* NNBoard::create() { return games::CreateNode<NNBoard>(); }

NNHandler* NNBoard::Handler() const { return GetHandler(); }

bool NNBoard::IsMePlaying() const
{
    NNHandler* handler = Handler();
    return handler != nullptr && !handler->IsMeNotPlaying();
}

bool NNBoard::init()
{
    if (!CCLayer::init())
        return false;
    setKeypadEnabled(true);
    if (NNHandler* handler = Handler())
        handler->PlayBackgroundMusic("ThreeKing/Sound/back.mp3");

    SetTotalScorePosition(CCPoint(860, 70));
    for (int view = 0; view < kSeats; ++view)
    {
        m_ptClock[view] = kClockPoints[view];
        m_ptSeatPanel[view] = kSeatPoints[view];
        m_ptStatus[view] = kStatusPoints[view];
        m_ptBankerMark[view] = kBankerMarkPoints[view];
        m_ptChipTarget[view] = kChipTargets[view];
        m_ptCardAnchor[view] = kCardAnchors[view];
        for (int i = 0; i < kCards; ++i)
            m_ptCards[view][i] = ccpAdd(kCardAnchors[view], CCPoint(kCardSpacing * i, 0));
    }
    m_ptStart = CCPoint(450, 160);
    m_ptRob = CCPoint(350, 363);
    m_ptNoRob = CCPoint(700, 363);
    m_ptShow = CCPoint(645, 300);
    m_ptMyType = CCPoint(380, 300);
    m_ptBet[0] = CCPoint(305, 363);
    m_ptBet[1] = CCPoint(505, 363);
    m_ptBet[2] = CCPoint(705, 363);
    m_ptScoreView = CCPoint(500, 385);
    m_ptStateSign = CCPoint(520, 450);

    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const char* sheet : {"ThreeKing/dianshu.plist", "ThreeKing/SpirteStatus.plist", "ThreeKing/OxEx.plist"})
        frames->addSpriteFramesWithFile(sheet);

    InitGameTable("ThreeKing/Tile", "ThreeKing/kessen_table_bg", nullptr, CCPointZero);
    AddGameTitle(ThreeKingResPath("Logo").c_str());
    CreateStartButton("ThreeKing/BtnStart", "ThreeKing/BtnStart", m_ptStart);

    m_pRobButton = CreateImageButton("ThreeKing/qiangzhuang1", "ThreeKing/qiangzhuang2", nullptr, m_ptRob,
                                     cccontrol_selector(NNBoard::OnRobButton), false);
    m_pRobButton->setTag(kRobButtonTag);
    m_pNoRobButton = CreateImageButton("ThreeKing/buqiang1", "ThreeKing/buqiang2", nullptr, m_ptNoRob,
                                       cccontrol_selector(NNBoard::OnRobButton), false);
    m_pNoRobButton->setTag(kNoRobButtonTag);
    m_pShowButton = CreateImageButton("ThreeKing/tanpai_1", "ThreeKing/tanpai_2", nullptr, m_ptShow,
                                      cccontrol_selector(NNBoard::OnShowButton), false);
    m_pMyTypeButton = CreateImageButton("ThreeKing/kaishi_1", "ThreeKing/kaishi_2", nullptr, m_ptMyType,
                                        cccontrol_selector(NNBoard::OnMyTypeButton), false);

    CCSprite* myPanel = CCSprite::create("ThreeKing/userBg");
    myPanel->setPosition(ccpAdd(m_ptSeatPanel[0], CCPoint(-9, 33)));
    AddContentChild(myPanel);

    m_pBankerMark = CCSprite::create(ThreeKingResPath("zhuan").c_str());
    m_pBankerMark->setVisible(false);
    AddContentChild(m_pBankerMark, kBankerMarkZOrder);

    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        const int* zOrders = chair == 0 ? kFirstChairZOrders : kOtherChairZOrders;
        for (int i = 0; i < kCards; ++i)
        {
            CardSprite* card = CardSprite::create();
            card->SetCardData(CardSprite::kCardBack);
            card->setVisible(false);
            card->setScale(0.3f);
            AddContentChild(card, zOrders[i], i);
            if (chair == 0)
                card->SetCardListener(this);
            m_CardSprites[chair].push_back(card);
        }
    }

    m_pStateSigns[kSignCall] = MakeStateSign("jiaozhuang-0%d", 0);
    m_pStateSigns[kSignScore] = MakeStateSign("xiazhu-0%d", 1000);
    m_pStateSigns[kSignOpen] = MakeStateSign("taipai-0%d", 0);

    // The dealer's hands over the table, moving all the time.
    frames->addSpriteFramesWithFile("ThreeKing/Cards/BaseHand.plist");
    m_pDealerHand = Sexy::LoopingFrameSprite("%d", 1, 38, 0.25f);
    m_pDealerHand->setPosition(kDealerHandPoint);
    AddContentChild(m_pDealerHand);

    return CGameBoard::init();
}

CCSprite* NNBoard::MakeStateSign(const char* format, int zOrder)
{
    CCAnimation* animation = Sexy::FrameAnimation(format, 1, 3, 0.25f);
    CCSprite* sign = Sexy::FirstFrameSprite(animation);
    sign->setPosition(m_ptStateSign);
    sign->setVisible(false);
    // The frames ride along: a sign runs them only while it shows.
    sign->setUserObject(animation);
    AddContentChild(sign, zOrder);
    return sign;
}

void NNBoard::ShowStateSign(Sign sign)
{
    CCSprite* sprite = GetStateSign(sign);
    if (sprite == nullptr)
        return;
    // One phase at a time: the signs share their place.
    for (CCSprite* other : m_pStateSigns)
    {
        if (other != nullptr && other != sprite)
        {
            other->setVisible(false);
            other->stopAllActions();
        }
    }
    sprite->setVisible(true);
    auto* animation = dynamic_cast<CCAnimation*>(sprite->getUserObject());
    if (animation != nullptr && sprite->numberOfRunningActions() == 0)
        sprite->runAction(CCRepeatForever::create(CCAnimate::create(animation)));
}

void NNBoard::HideStateSigns()
{
    // A hidden sign stops its frames, so a quiet table draws nothing.
    for (CCSprite* sign : m_pStateSigns)
    {
        if (sign == nullptr)
            continue;
        sign->setVisible(false);
        sign->stopAllActions();
    }
}

void NNBoard::LayoutMyInfo(Sexy::CBoardDrawUserData* panel) { Sexy::LayoutCardTableMyInfo(panel); }

// --- table users and cards -------------------------------------------------------------------

void NNBoard::RefreshTableUsers()
{
    NNHandler* handler = Handler();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        m_TableUsers[chair] = tagUserData{};
        m_bTableUser[chair] = false;
        const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
        if (user != nullptr)
        {
            m_TableUsers[chair] = *user;
            m_bTableUser[chair] = true;
        }
    }
}

const tagUserData* NNBoard::GetTableUser(uint16_t chair) const
{
    return chair < kSeats && m_bTableUser[chair] ? &m_TableUsers[chair] : nullptr;
}

uint8_t NNBoard::GetCard(uint16_t chair, int i) const
{
    return chair < kSeats && i >= 0 && i < kCards ? m_cbCards[chair][i] : 0;
}

CardSprite* NNBoard::GetCardSprite(uint16_t chair, int i) const
{
    if (chair >= kSeats || i < 0 || i >= static_cast<int>(m_CardSprites[chair].size()))
        return nullptr;
    return m_CardSprites[chair][i];
}

CCPoint NNBoard::CardPoint(uint16_t view, int i) const
{
    return m_ptCards[view % kSeats][i < 0 ? 0 : i >= kCards ? kCards - 1 : i];
}

void NNBoard::TakeCards(const uint8_t (&cards)[GAME_PLAYER][MAX_COUNT])
{
    for (uint16_t chair = 0; chair < kSeats; ++chair)
        for (int i = 0; i < kCards; ++i)
            m_cbCards[chair][i] = cards[chair][i];
}

// --- robbing and the banker ------------------------------------------------------------------

void NNBoard::OnSubCallBanker(const CMD_S_CallBanker& message)
{
    ShowStateSign(kSignCall);
    // Another chair's turn means mine, if I had one, has passed unchosen
    // (the server timed it out before my clock did).
    ShowRobButtons(IsMyChair(message.wCallBanker));
    if (NNHandler* handler = Handler())
        handler->SetGameClock(message.wCallBanker, IDI_CALL_BANKER, TIME_CLOCK);
}

void NNBoard::ShowRobButtons(bool show)
{
    m_pRobButton->setVisible(show);
    m_pNoRobButton->setVisible(show);
}

void NNBoard::OnRobButton(CCObject* sender, CCControlEvent)
{
    auto* button = dynamic_cast<CCNode*>(sender);
    if (NNHandler* handler = Handler())
        handler->SendRobChoice(button != nullptr && button->getTag() == kRobButtonTag);
    ShowRobButtons(false);
}

void NNBoard::OnSubBankerSet(const CMD_S_BankerSet& message)
{
    NNHandler* handler = Handler();
    if (handler != nullptr)
        handler->KillGameClock(IDI_CALL_BANKER);
    m_lMaxScore = message.lMaxScore;
    m_wBankerChair = message.wBankerUser;
    // The robbing is over, whether or not I chose in time.
    ShowRobButtons(false);
    AnimateBankerMark(message.wBankerUser);
    if (handler != nullptr)
        handler->SetGameClock(MyChair(), IDI_ADD_SCORE, TIME_CLOCK);
    RefreshTableUsers();
    ShowStateSign(kSignScore);
    if (!IsMeBanker() && m_pWaitAnimation == nullptr)
        CreateBetButtons();
}

void NNBoard::AnimateBankerMark(uint16_t chair)
{
    // Nobody at the table is banker: there is no seat to mark.
    if (chair >= kSeats)
        return;
    m_pBankerMark->stopAllActions();
    m_pBankerMark->setScale(4.0f);
    m_pBankerMark->setVisible(true);
    m_pBankerMark->setPosition(m_ptBankerMark[ViewOfChair(chair)]);
    m_pBankerMark->runAction(CCSequence::create(CCScaleTo::create(0.5f, 1.0f),
                                                CCCallFuncN::create(this, callfuncN_selector(NNBoard::OnBankerMarkLanded)),
                                                nullptr));
}

void NNBoard::OnBankerMarkLanded(CCNode*)
{
    ShakeBoard();
    PlaySound("ThreeKing/Sound/shangfen1");
}

void NNBoard::PlaceBankerMark(uint16_t chair)
{
    // A table restored with its banker is past the robbing.
    ShowRobButtons(false);
    if (chair >= kSeats)
        return;
    m_pBankerMark->stopAllActions();
    m_pBankerMark->setScale(1.0f);
    m_pBankerMark->setPosition(m_ptBankerMark[ViewOfChair(chair)]);
    if (GetContentRoot() != nullptr)
        GetContentRoot()->reorderChild(m_pBankerMark, kRestoredBankerMarkZOrder);
    m_pBankerMark->setVisible(true);
}

// --- betting ---------------------------------------------------------------------------------

void NNBoard::RemoveBetButtons()
{
    for (CCControlButton*& button : m_pBetButtons)
    {
        if (button != nullptr)
            RemoveContentChild(button);
        button = nullptr;
    }
}

void NNBoard::CreateBetButtons()
{
    RemoveBetButtons();
    for (int i = 0; i < 3; ++i)
    {
        const std::string title = CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(m_lMaxScore / (i + 1)));
        m_pBetButtons[i] = CreateLabelButton(kBetButtonArt[i][0], kBetButtonArt[i][1], nullptr, m_ptBet[i],
                                             cccontrol_selector(NNBoard::OnBetButton), true, title.c_str(), 16);
        m_pBetButtons[i]->setTag(i + 1);
    }
}

void NNBoard::ShowBetButtons(bool show)
{
    for (CCControlButton* button : m_pBetButtons)
        if (button != nullptr)
            button->setVisible(show);
}

void NNBoard::OnBetButton(CCObject* sender, CCControlEvent)
{
    auto* button = dynamic_cast<CCNode*>(sender);
    const int divisor = button != nullptr ? button->getTag() : 0;
    if (divisor < 1 || divisor > 3)
        return;
    PlaySound("ThreeKing/Sound/score.mp3");
    m_lMyBet = m_lMaxScore / divisor;
    if (NNHandler* handler = Handler())
        handler->SendBet(m_lMyBet);
    ShowBetButtons(false);
}

void NNBoard::OnSubAddScore(const CMD_S_AddScore& message)
{
    m_lLastBet = message.lAddScoreCount;
    FlyBetChip(message.wAddScoreUser);
    if (IsMyChair(message.wAddScoreUser))
    {
        // My bet is in, by my press or by the server's time-out for me:
        // there is nothing left to bet.
        ShowBetButtons(false);
        if (NNHandler* handler = Handler())
            handler->KillGameClock(IDI_ADD_SCORE);
    }
}

void NNBoard::RemoveChip(uint16_t chair)
{
    if (chair >= kSeats || m_pChips[chair] == nullptr)
        return;
    m_pChips[chair]->removeFromParentAndCleanup(true);
    m_pChips[chair] = nullptr;
}

CCSprite* NNBoard::MakeChip(uint16_t chair, int64_t amount)
{
    // A second bet of the chair replaces its chip.
    RemoveChip(chair);
    CCSprite* chip = CCSprite::create("ThreeKing/chip_bg");
    const std::string text = CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(amount));
    CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", kChipAmountFontSize);
    label->setColor(kChipAmountColour);
    const CCSize size = chip->getContentSize();
    label->setPosition(CCPoint(size.width / 2, size.height / 2));
    // Ten digits are drawn smaller on the chip, not past it under a seat
    // panel, which cut off their first digits.
    Sexy::FitToWidth(label, size.width - kChipAmountMargin);
    chip->addChild(label);
    AddContentChild(chip);
    m_pChips[chair] = chip;
    return chip;
}

void NNBoard::FlyBetChip(uint16_t chair)
{
    // A chair that is not one of the table's has no chip place.
    if (chair >= kSeats)
        return;
    const uint16_t view = ViewOfChair(chair);
    CCSprite* chip = MakeChip(chair, m_lLastBet);
    chip->setPosition(m_ptBankerMark[view]);
    chip->runAction(CCEaseBounceOut::create(CCMoveTo::create(0.4f, m_ptChipTarget[view])));
}

void NNBoard::PlaceBetChip(uint16_t chair, int64_t amount)
{
    if (chair >= kSeats)
        return;
    CCSprite* chip = MakeChip(chair, amount);
    chip->setPosition(m_ptChipTarget[ViewOfChair(chair)]);
}

void NNBoard::OnSubHideActions(const CMD_S_HideActions& message)
{
    if (message.wChairID != m_wBankerChair)
        return;
    ShowRobButtons(false);
    ShowBetButtons(false);
    ShowOpenButtons(false);
}

// --- the deal and the shows ------------------------------------------------------------------

void NNBoard::OnSubSendCard(const CMD_S_SendCard& message)
{
    // The bets are closed once the cards come, whether or not I bet in time.
    ShowBetButtons(false);
    TakeCards(message.cbCardData);
    DealCards();
    ShowStateSign(kSignOpen);
}

void NNBoard::PlayDealSound(float) { PlaySound("ThreeKing/Sound/selCard.mp3"); }

void NNBoard::DealCards()
{
    unschedule(schedule_selector(NNBoard::PlayDealSound));
    schedule(schedule_selector(NNBoard::PlayDealSound), 0.2f, 3, 0.0f);
    NNHandler* handler = Handler();
    const uint16_t me = MyChair();
    if (handler != nullptr)
        handler->SetGameClock(me, IDI_OPEN_CARD, TIME_CLOCK);
    const bool mePlaying = IsMePlaying();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        const tagUserData* user = GetSeatUser(chair);
        m_cbInPlay[chair] = user != nullptr && user->cbUserStatus == US_PLAY ? 1 : 0;
    }
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        if (m_cbInPlay[chair] == 0)
            continue;
        const bool mine = chair == me;
        if (mine && !mePlaying)
            continue;
        const uint16_t view = ViewOfChair(chair);
        for (int i = 0; i < kCards; ++i)
        {
            CardSprite* card = m_CardSprites[chair][i];
            card->stopAllActions();
            card->SetCardData(CardSprite::kCardBack);
            card->setPosition(kDealFrom);
            card->setVisible(true);
            card->setUserData(reinterpret_cast<void*>(CardKey(chair, i)));
            CCFiniteTimeAction* flight =
                CCSpawn::create(CCEaseIn::create(CCMoveTo::create(0.15f, m_ptCards[view][i]), 1.5f),
                                CCScaleTo::create(0.15f, 0.7f), nullptr);
            SEL_CallFuncN arrived =
                mine ? callfuncN_selector(NNBoard::OnMyCardArrived) : callfuncN_selector(NNBoard::OnOtherCardArrived);
            card->runAction(CCSequence::create(CCDelayTime::create(0.15f + 0.3f * i), flight,
                                               CCCallFuncN::create(this, arrived), nullptr));
        }
    }
}

void NNBoard::OnMyCardArrived(CCNode* node)
{
    auto* card = dynamic_cast<CardSprite*>(node);
    if (card == nullptr)
        return;
    const intptr_t key = reinterpret_cast<intptr_t>(card->getUserData());
    const uint16_t chair = static_cast<uint16_t>(key / kCards);
    const int i = static_cast<int>(key % kCards);
    card->SetCardData(GetCard(chair, i));
    card->setScale(1.0f);
    if (GetContentRoot() != nullptr)
        GetContentRoot()->reorderChild(card, kDealtMyCardZOrder);
    if (i == kCards - 1)
    {
        ShowOpenButtons(true);
        card->setVisible(false);
        m_bMyLastCardHidden = true;
    }
}

void NNBoard::OnOtherCardArrived(CCNode* node)
{
    auto* card = dynamic_cast<CardSprite*>(node);
    if (card == nullptr)
        return;
    if (GetContentRoot() != nullptr)
        GetContentRoot()->reorderChild(card, kDealtCardZOrder);
    card->setScale(0.7f);
}

void NNBoard::ShowOpenButtons(bool show)
{
    m_pShowButton->setVisible(show);
    m_pMyTypeButton->setVisible(show);
}

void NNBoard::OnShowButton(CCObject*, CCControlEvent)
{
    const uint16_t me = MyChair();
    uint8_t hand[kCards] = {};
    if (me < kSeats)
        for (int i = 0; i < kCards; ++i)
            hand[i] = m_cbCards[me][i];
    const uint8_t hasType = m_Logic.GetCardType(hand, kCards) != TK_TYPE_NONE ? 1 : 0;
    if (NNHandler* handler = Handler())
        handler->SendShow(hasType);
    ShowOpenButtons(false);
}

void NNBoard::OnMyTypeButton(CCObject*, CCControlEvent)
{
    m_cbOwnSign = 1;
    DrawHandSigns();
}

void NNBoard::OnSubOpenCard(const CMD_S_OpenCard& message)
{
    if (!IsMyChair(message.wPlayerID))
        return;
    if (NNHandler* handler = Handler())
        handler->KillGameClock(IDI_SCENE_OPEN);
    ShowOpenButtons(false);
}

void NNBoard::DrawHandSign(uint16_t chair)
{
    // A hand is signed once a round, however often the button is pressed,
    // and only where its cards lie on the table.
    if (m_pHandSignOf[chair] != nullptr || !m_CardSprites[chair][1]->isVisible())
        return;
    const uint8_t* hand = m_cbCards[chair];
    CCSprite* sign = nullptr;
    switch (m_Logic.GetCardType(hand, kCards))
    {
        case TK_TYPE_POINTS:
        {
            char frame[16];
            std::snprintf(frame, sizeof(frame), "niu_%d", m_Logic.GetCardPoint(hand, kCards));
            sign = CCSprite::createWithSpriteFrame(CCResolvePicture(frame));
            break;
        }
        case TK_TYPE_SANGONG: sign = CCSprite::create("ThreeKing/sangong.png"); break;
        case TK_TYPE_BOMB: sign = CCSprite::create("ThreeKing/zhadan.png"); break;
        default: return;
    }
    if (sign == nullptr)
        return;
    sign->setPosition(m_CardSprites[chair][1]->getPosition());
    AddContentChild(sign, kHandSignZOrder);
    m_HandSigns.push_back(sign);
    m_pHandSignOf[chair] = sign;
}

void NNBoard::DrawHandSigns()
{
    const uint16_t me = MyChair();
    if (m_cbOwnSign != 0)
    {
        if (me < kSeats)
            DrawHandSign(me);
    }
    else
    {
        for (uint16_t chair = 0; chair < kSeats; ++chair)
        {
            const tagUserData* user = GetSeatUser(chair);
            if (user != nullptr && user->cbUserStatus == US_PLAY)
                DrawHandSign(chair);
        }
    }
    m_cbOwnSign = 0;
}

void NNBoard::ClearHandSigns()
{
    for (CCSprite* sign : m_HandSigns)
        sign->removeFromParentAndCleanup(true);
    m_HandSigns.clear();
    for (CCSprite*& sign : m_pHandSignOf)
        sign = nullptr;
}

// --- the result --------------------------------------------------------------------------------

void NNBoard::RemoveScoreView()
{
    if (m_pScoreView == nullptr)
        return;
    m_pScoreView->removeFromParentAndCleanup(true);
    m_pScoreView = nullptr;
}

void NNBoard::OnSubGameEnd(const CMD_S_GameEnd& message)
{
    HideStateSigns();
    // A show still offered has nothing left to show.
    ShowOpenButtons(false);
    RemoveScoreView();
    m_pScoreView = CScoreView::create();
    if (m_pScoreView != nullptr)
    {
        m_pScoreView->setVisible(false);
        m_pScoreView->setPosition(m_ptScoreView);
        AddContentChild(m_pScoreView, kScoreViewZOrder);
        const tagUserData* users[kSeats];
        for (uint16_t chair = 0; chair < kSeats; ++chair)
            users[chair] = GetTableUser(chair);
        m_pScoreView->ShowResult(message, users);
    }

    const uint16_t me = MyChair();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        if (chair == me)
            continue;
        for (int i = 0; i < kCards; ++i)
            if (m_cbCards[chair][i] != 0)
                m_CardSprites[chair][i]->SetCardData(m_cbCards[chair][i]);
    }
    // My last card lay hidden while I held the hand; the result shows it.
    if (m_bMyLastCardHidden && me < kSeats)
        m_CardSprites[me][kCards - 1]->setVisible(true);
    m_bMyLastCardHidden = false;
    DrawHandSigns();

    if (me < kSeats)
    {
        const uint8_t index = message.cbHandIndex[me];
        // An index past the named hands has no voice.
        if (index < ThreeKingHandNames.size())
        {
            const tagUserData* mine = GetSeatUser(me);
            char voice[64];
            std::snprintf(voice, sizeof(voice), "ThreeKing/Sound/%s/Point_%d.wav",
                          mine != nullptr && mine->cbGender != 0 ? "women" : "man", index);
            PlaySound(voice);
        }
        PlaySound(message.lGameScore[me] > 0 ? "ThreeKing/Sound/win.mp3" : "ThreeKing/Sound/Lose.mp3");
    }
    ShowStartButton(true, TIME_CLOCK);
}

// --- restoring and resetting -------------------------------------------------------------------

void NNBoard::RestoreCards()
{
    NNHandler* handler = Handler();
    if (handler == nullptr)
        return;
    const CMD_S_StatusPlay& scene = handler->GetSceneCopy();
    // A table restored with its cards is past the bets.
    ShowBetButtons(false);
    const uint16_t me = MyChair();
    const bool mePlaying = IsMePlaying();
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        m_cbInPlay[chair] = scene.cbPlayStatus[chair] != 0 ? 1 : 0;
        if (m_cbInPlay[chair] == 0)
            continue;
        const bool mine = chair == me;
        if (mine && !mePlaying)
            continue;
        const uint16_t view = ViewOfChair(chair);
        for (int i = 0; i < kCards; ++i)
        {
            CardSprite* card = m_CardSprites[chair][i];
            card->stopAllActions();
            card->SetCardData(CardSprite::kCardBack);
            card->setVisible(true);
            card->setPosition(m_ptCards[view][i]);
            if (mine)
            {
                card->SetCardData(scene.cbHandCardData[chair][i]);
                if (GetContentRoot() != nullptr)
                    GetContentRoot()->reorderChild(card, 23 + i);
                card->setScale(1.0f);
            }
            else
            {
                card->setScale(0.7f);
                if (GetContentRoot() != nullptr)
                    GetContentRoot()->reorderChild(card, kDealtCardZOrder);
            }
        }
    }
}

void NNBoard::ShowWaitAnimation()
{
    RemoveContentChildByTag(kWaitAnimationTag);
    CCAnimation* animation = Sexy::FrameAnimation("deng_%d.png", 1, 3, 0.2f);
    animation->setRestoreOriginalFrame(true);
    m_pWaitAnimation = Sexy::FirstFrameSprite(animation);
    m_pWaitAnimation->setPosition(kWaitPoint);
    AddContentChild(m_pWaitAnimation, kWaitZOrder, kWaitAnimationTag);
    m_pWaitAnimation->setVisible(true);
    m_pWaitAnimation->runAction(CCRepeatForever::create(CCAnimate::create(animation)));
}

void NNBoard::ResetCardSprites()
{
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        const int* zOrders = chair == 0 ? kFirstChairZOrders : kOtherChairZOrders;
        for (int i = 0; i < kCards; ++i)
        {
            CardSprite* card = m_CardSprites[chair][i];
            card->stopAllActions();
            if (GetContentRoot() != nullptr)
                GetContentRoot()->reorderChild(card, zOrders[i]);
            card->setScale(0.3f);
            card->setVisible(false);
        }
    }
}

void NNBoard::ClearTable()
{
    ResetGameView();
    ShowRobButtons(false);
    ShowBetButtons(false);
    ShowOpenButtons(false);
    m_wBankerChair = INVALID_CHAIR;
    for (uint16_t chair = 0; chair < kSeats; ++chair)
    {
        m_cbInPlay[chair] = 0;
        for (int i = 0; i < kCards; ++i)
            m_cbCards[chair][i] = 0;
    }
}

void NNBoard::ResetGameView()
{
    m_cbOwnSign = 0;
    m_bMyLastCardHidden = false;
    m_lMyBet = 0;
    m_lMaxScore = 0;
    m_lLastBet = 0;
    m_pBankerMark->stopAllActions();
    m_pBankerMark->setVisible(false);
    HideStateSigns();
    if (m_pWaitAnimation != nullptr)
    {
        m_pWaitAnimation->removeFromParentAndCleanup(true);
        m_pWaitAnimation = nullptr;
    }
    for (uint16_t chair = 0; chair < kSeats; ++chair)
        RemoveChip(chair);
    ClearHandSigns();
    ResetCardSprites();
    RemoveScoreView();
    unschedule(schedule_selector(NNBoard::PlayDealSound));
}

}  // namespace ThreeKing
