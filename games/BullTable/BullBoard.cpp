#include "games/BullTable/BullBoard.h"

#include "core/ClientGlobal.h"
#include "games/BullTable/BullHandler.h"
#include "games/framework/BoardArt.h"
#include "games/framework/BoardDrawUserData.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace Bull {

namespace {

constexpr int kChipPictures = 4;
const ccColor3B kAmountColour = {255, 255, 0};

struct BetButtonArt
{
    const char* normal;
    const char* pressed;
    const char* disabled;
};

const BetButtonArt kBetButtonArt[CBullBoard::kBetButtons] = {
    {"Button_green-1", "Button_green-2", "Button_green-4"},
    {"Button_blue-1", "Button_blue-2", "Button_blue-4"},
    {"Button_Mei-red-1", "Button_Mei-red-2", "Button_Mei-red-4"},
    {"Button_blue1-1", "Button_blue1-2", "Button_blue1-4"},
};

const CCPoint kBetButtonPoints[CBullBoard::kBetButtons] = {{315, 40}, {490, 40}, {660, 40}, {833, 40}};

// On the top seats' panels: the picture writes its words at its top, above them.
const CCPoint kWaitPoint(512, 480);

}  // namespace

std::string OxResPath(const char* name) { return std::string("OxEx/") + (name != nullptr ? name : ""); }

CBullBoard::CBullBoard(uint16_t cardGroups, uint16_t chipPiles, const SceneShape& scene) : m_Scene(scene)
{
    std::array<CardSprite*, kCards> none{};
    m_Cards.assign(cardGroups, none);
    std::array<CCSprite*, kChipSlots> empty{};
    m_Chips.assign(chipPiles, empty);
    m_SeatUsers.resize(cardGroups);
}

CBullBoard::~CBullBoard()
{
    for (CCSprite* picture : m_HandTypes)
        picture->release();
    CC_SAFE_RELEASE(m_pScoreView);
}

void CBullBoard::LayoutMyInfo(Sexy::CBoardDrawUserData* panel) { Sexy::LayoutBullTableMyInfo(panel); }

void CBullBoard::OnCardDataChanged(CardSprite* card) { Sexy::SetBullLogicValue(card); }

int CBullBoard::HandTypePicture(uint8_t type)
{
    if (type == 10 || (type >= 102 && type <= 105))
        return 13;
    return type;
}

// --- building ---------------------------------------------------------------------------------

bool CBullBoard::InitBullTable(const char* table, const char* content, const CCPoint* clocks, const CCPoint* seats,
                               const CCPoint* signs)
{
    if (!CCLayer::init())
        return false;
    setKeypadEnabled(true);
    SetTotalScorePosition(CCPoint(860, 120));
    if (CBullHandler* handler = Handler())
        handler->PlayBackgroundMusic("OxEx/Eff/back");
    for (uint16_t view = 0; view < GetCardGroupCount(); ++view)
    {
        m_ptClock[view] = clocks[view];
        m_ptSeatPanel[view] = seats[view];
        m_ptStatus[view] = signs[view];
    }
    InitGameTable(table, content, nullptr, CCPointZero);
    m_pChipLayer = CCNode::create();
    AddContentChild(m_pChipLayer, 0);
    AddGameTitle(OxResPath("LOGO").c_str());
    CreateStartButton(OxResPath("Button_prepare2_1-2").c_str(), OxResPath("Button_prepare2_2").c_str(),
                      CCPoint(225, 80));
    return true;
}

void CBullBoard::MakeActionButtons(const CCPoint& left, const CCPoint& right, const char* hintDisabled, int openZOrder,
                                   bool robButtons)
{
    if (robButtons)
    {
        m_pRobButton =
            CreateImageButton(OxResPath("Button_Rob-zhuang-1").c_str(), OxResPath("Button_Rob-zhuang-2").c_str(),
                              nullptr, left, cccontrol_selector(CBullBoard::OnRobButton), false);
        m_pNoRobButton = CreateImageButton(OxResPath("Button_no-Rob-1").c_str(), OxResPath("Button_no-Rob-2").c_str(),
                                           nullptr, right, cccontrol_selector(CBullBoard::OnNoRobButton), false);
    }
    const std::string disabled = hintDisabled != nullptr ? OxResPath(hintDisabled) : std::string();
    m_pOpenButton = CreateImageButton(OxResPath("Button_showdown-1").c_str(), OxResPath("Button_showdown-2").c_str(),
                                      nullptr, left, cccontrol_selector(CBullBoard::OnOpenButton), false);
    m_pHintButton = CreateImageButton(OxResPath("Button_prompt-1").c_str(), OxResPath("Button_prompt-2").c_str(),
                                      hintDisabled != nullptr ? disabled.c_str() : nullptr, right,
                                      cccontrol_selector(CBullBoard::OnHintButton), false);
    if (openZOrder != 0 && GetContentRoot() != nullptr)
    {
        GetContentRoot()->reorderChild(m_pOpenButton, openZOrder);
        GetContentRoot()->reorderChild(m_pHintButton, openZOrder);
    }
}

CCSprite* CBullBoard::MakeLoopAnimation(const char* format, int count, float delay, const CCPoint& point, int zOrder)
{
    CCAnimation* animation = Sexy::FrameAnimation(format, 1, count, delay, false);
    CCSprite* sprite = Sexy::FirstFrameSprite(animation);
    if (animation->getFrames()->count() > 0)
    {
        animation->setRestoreOriginalFrame(true);
        sprite->setUserObject(animation);
    }
    sprite->setPosition(point);
    sprite->setVisible(false);
    AddContentChild(sprite, zOrder);
    return sprite;
}

void CBullBoard::ShowLoop(CCSprite* sprite, bool show)
{
    if (sprite == nullptr)
        return;
    sprite->setVisible(show);
    // A hidden animation stops, so a quiet table draws nothing.
    if (!show)
    {
        sprite->stopAllActions();
        return;
    }
    auto* animation = dynamic_cast<CCAnimation*>(sprite->getUserObject());
    if (animation != nullptr && sprite->numberOfRunningActions() == 0)
        sprite->runAction(CCRepeatForever::create(CCAnimate::create(animation)));
}

void CBullBoard::MakeRoundAnimations(const CCPoint& bankerCall, const CCPoint& betting, const CCPoint& open,
                                     int bettingZOrder)
{
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(OxResPath("SpirteStatus.plist").c_str());
    m_pBankerCallAnimation = MakeLoopAnimation("jiaozhuang-0%d", 4, 0.25f, bankerCall, 0);
    m_pBettingAnimation = MakeLoopAnimation("xiazhu-0%d", 4, 0.25f, betting, bettingZOrder);
    m_pOpenAnimation = MakeLoopAnimation("taipai-0%d", 4, 0.25f, open, kSignZOrder);
}

void CBullBoard::MakeBankerMark()
{
    m_pBankerMark = CCSprite::create(OxResPath("BnakerMark").c_str());
    m_pBankerMark->setVisible(false);
    AddContentChild(m_pBankerMark, 5000);
}

void CBullBoard::MakeBottomSprites(bool tagBack)
{
    const CCSize table = GetContentPictureSize();
    m_pPersonalInfo = CCSprite::create(OxResPath("Personal-information").c_str());
    m_pPersonalInfo->setAnchorPoint(CCPoint(0, 0));
    m_pPersonalInfo->setPosition(CCPoint(0, 0));
    AddContentChild(m_pPersonalInfo, 100);
    CCSprite* back = CCSprite::create(OxResPath("OxExback").c_str());
    back->setAnchorPoint(CCPoint(0, 0));
    back->setPosition(CCPoint(table.width - back->getContentSize().width, 0));
    if (tagBack)
        AddContentChild(back, 100, 1567);
    else
        AddContentChild(back, 100);
    CCSprite* welcome = CCSprite::create(OxResPath("welcome").c_str());
    welcome->setAnchorPoint(CCPoint(0, 0));
    welcome->setPosition(CCPoint(m_pPersonalInfo->getContentSize().width - 60, 0));
    welcome->setVisible(true);
    AddContentChild(welcome, 0);
}

void CBullBoard::MakeCardGroup(uint16_t group, const int (&zOrders)[kCards], bool listen)
{
    if (group >= m_Cards.size())
        return;
    for (int j = 0; j < kCards; ++j)
    {
        CardSprite* card = CardSprite::create();
        if (card == nullptr)
            continue;
        if (listen)
            card->SetCardListener(this);
        card->setVisible(false);
        card->setScale(0.3f);
        AddContentChild(card, zOrders[j], j);
        m_Cards[group][j] = card;
    }
}

void CBullBoard::ResetCardGroup(uint16_t group, const int (&zOrders)[kCards])
{
    if (group >= m_Cards.size())
        return;
    for (int j = 0; j < kCards; ++j)
    {
        CardSprite* card = m_Cards[group][j];
        if (card == nullptr)
            continue;
        card->stopAllActions();
        Reorder(card, zOrders[j]);
        card->setScale(0.3f);
        card->setVisible(false);
    }
}

void CBullBoard::Reorder(CCNode* node, int zOrder)
{
    if (node != nullptr && node->getParent() != nullptr)
        node->getParent()->reorderChild(node, zOrder);
}

void CBullBoard::ShowCard(CardSprite* card, uint8_t data)
{
    if (card == nullptr)
        return;
    // Setting the card initialises the sprite again.
    const float scale = card->getScale();
    card->SetCardData(data);
    card->setScale(scale);
}

// --- parts ------------------------------------------------------------------------------------

CardSprite* CBullBoard::GetCardSprite(uint16_t group, int j) const
{
    if (group >= m_Cards.size() || j < 0 || j >= kCards)
        return nullptr;
    return m_Cards[group][j];
}

CCSprite* CBullBoard::GetChip(uint16_t pile, int slot) const
{
    if (pile >= m_Chips.size() || slot < 0 || slot >= kChipSlots)
        return nullptr;
    return m_Chips[pile][slot];
}

CCSprite* CBullBoard::GetWaitAnimation() const
{
    CCSprite* root = GetContentRoot();
    return root != nullptr ? dynamic_cast<CCSprite*>(root->getChildByTag(kWaitAnimationTag)) : nullptr;
}

void CBullBoard::SetMyClock()
{
    if (CBullHandler* handler = Handler())
        handler->SetGameClock(handler->GetMeChairID(), kBullClockID, kBullClockSeconds);
}

void CBullBoard::RefreshSeatUsers()
{
    CBullHandler* handler = Handler();
    for (size_t chair = 0; chair < m_SeatUsers.size(); ++chair)
    {
        m_SeatUsers[chair] = SeatUser();
        const tagUserData* user =
            handler != nullptr ? handler->GetTableUserData(static_cast<uint16_t>(chair)) : nullptr;
        if (user != nullptr)
        {
            m_SeatUsers[chair].present = true;
            m_SeatUsers[chair].user = *user;
        }
    }
}

const CBullBoard::SeatUser& CBullBoard::GetSeatUserCopy(uint16_t chair) const
{
    static const SeatUser none;
    return chair < m_SeatUsers.size() ? m_SeatUsers[chair] : none;
}

bool CBullBoard::IPlayThisRound() const
{
    CBullHandler* handler = Handler();
    return handler == nullptr || !handler->SitsOut();
}

// --- countdowns ---------------------------------------------------------------------------------

void CBullBoard::StartCountdown(Countdown which)
{
    // One counter serves the three: a tick left running by an earlier phase
    // would count it down twice as fast and act for the wrong phase.
    StopAnyCountdown();
    m_eCountdown = which;
    m_nCountdown = kCountdownStart;
    schedule(schedule_selector(CBullBoard::OnCountdownTick), 1.0f);
}

void CBullBoard::StopCountdown(Countdown which)
{
    if (m_eCountdown == which)
        StopAnyCountdown();
    m_nCountdown = kCountdownStart;
}

void CBullBoard::StopAnyCountdown()
{
    unschedule(schedule_selector(CBullBoard::OnCountdownTick));
    m_eCountdown = kNoCountdown;
    m_nCountdown = kCountdownStart;
}

void CBullBoard::OnCountdownTick(float)
{
    const Countdown which = m_eCountdown;
    if (which == kNoCountdown || !CountdownTicks(which))
        return;
    --m_nCountdown;
    if (m_nCountdown >= 1 && m_nCountdown <= 5)
        PlaySound("OxEx/Eff/GAME_WARN");
    if (m_nCountdown > 0)
        return;
    StopAnyCountdown();
    retain();  // a send may end the game and drop the board
    OnCountdownEnd(which);
    release();
}

void CBullBoard::OnCountdownEnd(Countdown which)
{
    CBullHandler* handler = Handler();
    switch (which)
    {
        case kBankerCallCountdown:
            HideRobChoice();
            if (handler != nullptr)
                handler->SendRobChoice(false);
            break;
        case kBetCountdown:
            if (handler != nullptr)
                handler->SendBet(BetCeiling() / 4);
            ClearActions();
            break;
        case kOpenCountdown:
            SendOpen();
            ClearActions();
            break;
        case kNoCountdown: break;
    }
}

// --- rob choice and bets ------------------------------------------------------------------------

void CBullBoard::ShowRobChoice(uint16_t view)
{
    if (m_pRobButton == nullptr || m_pNoRobButton == nullptr)
        return;
    const bool mine = view == 0;
    for (CCControlButton* button : {m_pRobButton, m_pNoRobButton})
    {
        button->setVisible(mine);
        button->setTouchEnabled(mine);
        if (mine)
            Reorder(button, 2);
    }
    if (!mine)
        ShowLoop(m_pBankerCallAnimation, true);
}

void CBullBoard::HideRobChoice()
{
    if (m_pRobButton == nullptr || m_pNoRobButton == nullptr || m_pBankerCallAnimation == nullptr)
        return;
    m_pRobButton->setVisible(false);
    m_pNoRobButton->setVisible(false);
    ShowLoop(m_pBankerCallAnimation, false);
}

void CBullBoard::OnRobButton(CCObject*, CCControlEvent)
{
    StopCountdown(kBankerCallCountdown);
    if (CBullHandler* handler = Handler())
        handler->SendRobChoice(true);
}

void CBullBoard::OnNoRobButton(CCObject*, CCControlEvent)
{
    StopCountdown(kBankerCallCountdown);
    if (CBullHandler* handler = Handler())
        handler->SendRobChoice(false);
}

int64_t CBullBoard::BetCeiling() const
{
    CBullHandler* handler = Handler();
    if (handler == nullptr)
        return 0;
    if (handler->IsRestored() && handler->GetRoundPhase() == kPhaseBetting && m_bSceneCeiling)
        return m_lSceneCeiling;
    return handler->GetBetCeiling();
}

void CBullBoard::CreateBetButtons(int64_t ceiling)
{
    ClearActions();
    for (int i = 0; i < kBetButtons; ++i)
    {
        std::string title = CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(ceiling / (i + 1)));
        if (i == 0)
            title = "      " + title;
        else if (i == kBetButtons - 1)
            title += "     ";
        const BetButtonArt& art = kBetButtonArt[i];
        m_pBetButtons[i] = CreateLabelButton(art.normal, art.pressed, art.disabled, kBetButtonPoints[i],
                                             cccontrol_selector(CBullBoard::OnBetButton), true, title.c_str(), 16);
        if (m_pBetButtons[i] != nullptr)
            m_pBetButtons[i]->setTag(i);
    }
}

void CBullBoard::OnBetButton(CCObject* sender, CCControlEvent)
{
    auto* button = dynamic_cast<CCNode*>(sender);
    const int tag = button != nullptr ? button->getTag() : 0;
    if (tag < 0 || tag >= kBetButtons)
        return;
    const int64_t amount = BetCeiling() / (tag + 1);
    retain();  // the button that called is removed here
    ClearActions();
    StopCountdown(kBetCountdown);
    if (CBullHandler* handler = Handler())
        handler->SendBet(amount);
    release();
}

void CBullBoard::ClearActions()
{
    for (CCControlButton*& button : m_pBetButtons)
    {
        if (button == nullptr)
            continue;
        RemoveContentChild(button);
        button = nullptr;
    }
    HideRobChoice();
}

// --- banker ---------------------------------------------------------------------------------------

void CBullBoard::PlaceBankerMark(uint16_t bankerChair, int zOrder)
{
    CCPoint point;
    if (m_pBankerMark == nullptr || !BankerMarkPoint(ViewOf(bankerChair), point))
        return;
    m_pBankerMark->setPosition(point);
    m_pBankerMark->setVisible(true);
    if (zOrder != 0)
        Reorder(m_pBankerMark, zOrder);
}

void CBullBoard::ShowBanker(uint16_t bankerChair)
{
    CCPoint point;
    if (m_pBankerMark == nullptr || !BankerMarkPoint(ViewOf(bankerChair), point))
        return;
    m_pBankerMark->stopAllActions();
    m_pBankerMark->setScale(4.0f);
    PlaceBankerMark(bankerChair, 0);
    m_pBankerMark->runAction(
        CCSequence::create(CCScaleTo::create(0.5f, 1.0f),
                           CCCallFuncN::create(this, callfuncN_selector(CBullBoard::OnBankerShown)), nullptr));
}

void CBullBoard::OnBankerShown(CCNode*)
{
    ShakeBoard();
    PlaySound("OxEx/Eff/shangfen1");
    CBullHandler* handler = Handler();
    if (handler == nullptr || !IPlayThisRound())
        return;
    if (handler->GetBankerChair() == handler->GetMeChairID())
        ShowLoop(m_pBettingAnimation, true);
    else
        CreateBetButtons(BetCeiling());
}

// --- the deal --------------------------------------------------------------------------------------

void CBullBoard::PlayDealSound(float) { PlaySound("OxEx/Eff/SEND_CARD"); }

void CBullBoard::StartDealSound() { schedule(schedule_selector(CBullBoard::PlayDealSound), 0.2f, 5, 0.0f); }

void CBullBoard::StopDealSound() { unschedule(schedule_selector(CBullBoard::PlayDealSound)); }

void CBullBoard::DealCard(uint16_t group, int j, const CCPoint& from, float delay, float scale, bool mine)
{
    CardSprite* card = GetCardSprite(group, j);
    if (card == nullptr)
        return;
    card->stopAllActions();
    ShowCard(card, CardSprite::kCardBack);
    card->setPosition(from);
    card->setVisible(true);
    if (mine)
        m_cbLandedEarly &= static_cast<uint8_t>(~(1 << j));
    CCFiniteTimeAction* fly = CCSpawn::create(CCEaseIn::create(CCMoveTo::create(0.15f, CardPoint(group, j)), 1.5f),
                                              CCScaleTo::create(0.15f, scale), nullptr);
    card->runAction(
        CCSequence::create(CCDelayTime::create(delay), fly,
                           CCCallFuncN::create(this, mine ? callfuncN_selector(CBullBoard::OnMyCardDealt)
                                                          : callfuncN_selector(CBullBoard::OnOtherCardDealt)),
                           nullptr));
}

void CBullBoard::OnMyCardDealt(CCNode* node)
{
    auto* card = dynamic_cast<CardSprite*>(node);
    if (card == nullptr)
        return;
    const int j = card->getTag();
    if (j >= 0 && j < kCards)
    {
        if (const uint8_t* cards = MyDealtCards())
            ShowCard(card, cards[j]);
        else
            m_cbLandedEarly |= static_cast<uint8_t>(1 << j);  // the back stays until they come
    }
    Reorder(card, 10 - card->getZOrder());
    if (j == kCards - 1 && m_pOpenButton != nullptr && m_pHintButton != nullptr)
    {
        m_pOpenButton->setVisible(true);
        m_pHintButton->setVisible(true);
    }
}

void CBullBoard::OnOtherCardDealt(CCNode* node)
{
    if (node != nullptr)
        Reorder(node, 9 - node->getZOrder());
}

void CBullBoard::OnMyCardsArrived()
{
    const uint8_t* cards = MyDealtCards();
    if (cards == nullptr || m_cbLandedEarly == 0)
        return;
    const uint16_t group = MyCardGroup();
    for (int j = 0; j < kCards; ++j)
    {
        if ((m_cbLandedEarly & (1 << j)) != 0)
            ShowCard(GetCardSprite(group, j), cards[j]);
    }
    m_cbLandedEarly = 0;
}

void CBullBoard::ShowMyArrangedHand(uint8_t* cards)
{
    // The server hears the own type again, as it did when the hand opened.
    m_cbHasBull = MyHandType(cards);
    if (ArrangeMyHand(cards))
        ShowArrangedGroup(MyCardGroup(), cards, true, 1);
    else
        m_cbHasBull = 0;
    ShowHandType(MyHandTypePoint(), m_cbHasBull);
}

// --- chips, amounts and type pictures ------------------------------------------------------------

CCSprite* CBullBoard::MakeChip(uint16_t pile, int slot, const CCPoint& at)
{
    if (pile >= m_Chips.size() || slot < 0 || slot >= kChipSlots)
        return nullptr;
    char frame[16];
    std::snprintf(frame, sizeof(frame), "chouma-0%d", 1 + std::rand() % kChipPictures);
    CCSprite* chip = CCSprite::createWithSpriteFrameName(frame);
    chip->setPosition(at);
    if (m_pChipLayer != nullptr)
        m_pChipLayer->addChild(chip);
    else
        AddContentChild(chip);
    m_Chips[pile][slot] = chip;
    return chip;
}

void CBullBoard::RemoveChips()
{
    for (auto& pile : m_Chips)
    {
        for (CCSprite*& chip : pile)
        {
            if (chip != nullptr && chip->getParent() != nullptr)
                chip->removeFromParentAndCleanup(true);
            chip = nullptr;
        }
    }
}

CCLabelTTF* CBullBoard::MakeAmountLabel(int64_t amount)
{
    const std::string text = CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(amount));
    CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 25);
    label->setColor(kAmountColour);
    const CCSize size = label->getContentSize();
    if (CCScale9Sprite* plate = CCScale9Sprite::create(OxResPath("AmountPlate").c_str()))
    {
        plate->setPreferredSize(CCSize(size.width + 16, size.height - 4));
        plate->setPosition(CCPoint(size.width / 2, size.height / 2));
        label->addChild(plate, -1);
    }
    // Ten digits stay clear of the left seat's panel beside its bet.
    Sexy::FitToWidth(label, kAmountTextWidth);
    return label;
}

void CBullBoard::ShowHandType(const CCPoint& point, uint8_t type)
{
    // A type the pictures do not know shows none.
    const int number = HandTypePicture(type);
    if (number > kLastHandTypePicture)
        return;
    char name[40];
    std::snprintf(name, sizeof(name), "OxEx/OxNumber/niu%d", number);
    CCSprite* picture = CCSprite::create(name);
    picture->setPosition(point);
    picture->setVisible(true);
    AddContentChild(picture, HandTypeZOrder());
    picture->runAction(CCSequence::create(CCEaseBackInOut::create(CCScaleTo::create(0.3f, 1.3f)),
                                          CCEaseBackInOut::create(CCScaleTo::create(0.3f, 1.0f)), nullptr));
    picture->retain();
    m_HandTypes.push_back(picture);
    m_HandTypeNumbers.push_back(number);
}

void CBullBoard::RemoveHandTypes()
{
    for (CCSprite* picture : m_HandTypes)
    {
        if (picture->getParent() != nullptr)
            picture->removeFromParentAndCleanup(true);
        picture->release();
    }
    m_HandTypes.clear();
    m_HandTypeNumbers.clear();
}

// --- hint and open ---------------------------------------------------------------------------------

void CBullBoard::OnHintButton(CCObject*, CCControlEvent)
{
    m_cbArranged = 1;
    if (uint8_t* cards = MyCardRecord())
    {
        if (ArrangeMyHand(cards))
        {
            m_cbHasBull = 1;
            MoveArrangedCards(cards);
        }
        else
        {
            m_cbHasBull = 0;
            m_cbOwnType = 0;
            ShowHandType(MyHandTypePoint(), 0);
        }
    }
    if (m_pHintButton != nullptr)
        m_pHintButton->setEnabled(false);
}

void CBullBoard::MoveArrangedCards(const uint8_t arranged[kCards])
{
    const uint16_t group = MyCardGroup();
    CardSprite* moved[kCards] = {};
    for (int i = 0; i < kCards; ++i)
    {
        // The first sprite showing the card that no earlier position took.
        CardSprite* card = nullptr;
        for (CardSprite* candidate : m_Cards[group])
        {
            if (candidate == nullptr || candidate->GetCardData() != arranged[i])
                continue;
            bool taken = false;
            for (int k = 0; k < i; ++k)
                taken |= moved[k] == candidate;
            if (!taken)
            {
                card = candidate;
                break;
            }
        }
        moved[i] = card;
        if (card == nullptr)
            continue;
        card->stopAllActions();
        Reorder(card, 10 + i);
        CCFiniteTimeAction* move = CCMoveTo::create(0.25f, CardPoint(group, i));
        if (i == kCards - 1)
            card->runAction(CCSequence::create(
                move, CCCallFuncN::create(this, callfuncN_selector(CBullBoard::OnArrangedCardsMoved)), nullptr));
        else
            card->runAction(move);
    }
    // A hand without a sprite for its last card still gets its pair tucked.
    if (moved[kCards - 1] == nullptr)
        OnArrangedCardsMoved(nullptr);
}

void CBullBoard::OnArrangedCardsMoved(CCNode*)
{
    uint8_t* cards = MyCardRecord();
    if (cards == nullptr)
        return;
    const uint16_t group = MyCardGroup();
    for (int i = 3; i < kCards; ++i)
    {
        CardSprite* card = FindCardSprite(group, cards[i]);
        if (card == nullptr)
            continue;
        Reorder(card, 0);
        card->runAction(CCMoveBy::create(0.2f, CCPoint(-43, 30)));
        OnCardDataChanged(card);
    }
    m_cbOwnType = MyHandType(cards);
    ShowHandType(MyHandTypePoint(), m_cbOwnType);
}

CardSprite* CBullBoard::FindCardSprite(uint16_t group, uint8_t card) const
{
    if (group >= m_Cards.size())
        return nullptr;
    for (CardSprite* sprite : m_Cards[group])
    {
        if (sprite != nullptr && sprite->GetCardData() == card)
            return sprite;
    }
    return nullptr;
}

void CBullBoard::ShowArrangedGroup(uint16_t group, const uint8_t cards[kCards], bool bull, int pairZOrder)
{
    if (group >= m_Cards.size())
        return;
    for (int j = 0; j < kCards; ++j)
    {
        CardSprite* card = m_Cards[group][j];
        if (card == nullptr)
            continue;
        card->stopAllActions();
        const CCPoint at = CardPoint(group, j);
        // A seat whose deal this table never saw (I came in later) shows
        // its hand all the same, at a seat's size.
        if (!card->isVisible())
        {
            card->setScale(kOtherCardScale);
            card->setVisible(true);
        }
        ShowCard(card, cards[j]);
        card->setPosition(at);
        Reorder(card, 10 + j);
        if (bull && j >= 3)
        {
            Reorder(card, pairZOrder);
            card->setPosition(CCPoint(at.x - 43, at.y + 30));
        }
    }
}

void CBullBoard::OnOpenButton(CCObject*, CCControlEvent)
{
    retain();  // the send may end the game and drop the board
    StopCountdown(kOpenCountdown);
    if (m_cbArranged == 0)
        OnHintButton(nullptr, CCControlEventTouchDown);
    SendOpen();
    release();
}

void CBullBoard::HideOpenButtons()
{
    if (m_pOpenButton == nullptr || m_pHintButton == nullptr)
        return;
    m_pOpenButton->setVisible(false);
    m_pHintButton->setVisible(false);
    m_pHintButton->setEnabled(true);
}

void CBullBoard::ShowOpenAnimation() { ShowLoop(m_pOpenAnimation, true); }

void CBullBoard::ShowOpenAnimation(int zOrder)
{
    if (m_pOpenAnimation == nullptr)
        return;
    ShowLoop(m_pOpenAnimation, true);
    Reorder(m_pOpenAnimation, zOrder);
}

// --- waiting, result and reset ---------------------------------------------------------------------

void CBullBoard::ClearForScene()
{
    ResetGameView();
    RemoveWaitAnimation();
}

void CBullBoard::ShowWaitAnimation()
{
    RemoveWaitAnimation();
    CCSprite* wait = MakeLoopAnimation("deng_%d.png", 3, 0.2f, kWaitPoint, 1000);
    wait->setTag(kWaitAnimationTag);
    ShowLoop(wait, true);
}

void CBullBoard::RemoveWaitAnimation() { RemoveContentChildByTag(kWaitAnimationTag); }

void CBullBoard::RemoveScoreView()
{
    if (m_pScoreView == nullptr)
        return;
    m_pScoreView->setVisible(false);
    if (m_pScoreView->getParent() != nullptr)
        m_pScoreView->removeFromParentAndCleanup(true);
    m_pScoreView->release();
    m_pScoreView = nullptr;
}

void CBullBoard::PlaceScoreView(CCSprite* view, const CCPoint& at, int zOrder)
{
    RemoveScoreView();
    if (view == nullptr)
        return;
    view->setVisible(false);
    view->setPosition(at);
    AddContentChild(view, zOrder);
    view->retain();
    m_pScoreView = view;
}

void CBullBoard::PlayHandVoice(uint16_t chair, int type, const char* extension)
{
    CBullHandler* handler = Handler();
    const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
    char voice[48];
    std::snprintf(voice, sizeof(voice), "OxEx/Eff/%s/cow_%d.%s",
                  user != nullptr && user->cbGender != 0 ? "girl" : "boys", type, extension);
    PlaySound(voice);
}

void CBullBoard::ScatterChips(int left, int yRange)
{
    const int count = 5 + std::rand() % 5;
    for (int i = 0; i < count; ++i)
    {
        if (CCSprite* old = m_Chips[0][i])
            old->removeFromParentAndCleanup(true);
        const float x = static_cast<float>(left + std::rand() % 201);
        const float y = static_cast<float>(250 + std::rand() % yRange);
        if (CCSprite* chip = MakeChip(0, i, CCPoint(x, y)))
            chip->setVisible(true);
    }
}

// --- re-entry ---------------------------------------------------------------------------------------

void CBullBoard::OnSceneCallBanker(uint16_t chair)
{
    if (!IPlayThisRound())
    {
        ShowWaitAnimation();
        return;
    }
    ShowRobChoice(ViewOf(chair));
    CBullHandler* handler = Handler();
    if (handler == nullptr)
        return;
    handler->SetGameClock(chair, kBullClockID, kBullClockSeconds);
    if (IsMyChair(chair))
        StartBankerCallCountdown();
}

void CBullBoard::OnSceneBetting(int64_t ceiling, uint16_t banker)
{
    m_lSceneCeiling = ceiling;
    m_bSceneCeiling = true;
    CBullHandler* handler = Handler();
    if (handler == nullptr)
        return;
    handler->KillGameClock(kBullClockID);
    HideRobChoice();
    const bool mine = IsMyChair(banker);
    if (!mine)
        CreateBetButtons(ceiling);
    PlaceBankerMark(banker, m_Scene.bettingMarkZOrder);
    ShowLoop(m_pBankerCallAnimation, true);
    SetMyClock();
    if (!mine)
        StartBetCountdown();
}

void CBullBoard::OnScenePlaying()
{
    CBullHandler* handler = Handler();
    if (handler == nullptr)
        return;
    if (!IPlayThisRound())
    {
        ShowWaitAnimation();
        RestoreCards();
        return;
    }
    PlaceBankerMark(handler->SceneBanker(), 100);
    SetMyClock();
    RestoreCards();
    for (CCControlButton* button : {m_pOpenButton, m_pHintButton})
    {
        if (button == nullptr)
            continue;
        button->setVisible(true);
        button->setTouchEnabled(true);
    }
    ShowOpenAnimation(100);
    ScatterChips(m_Scene.chipLeft, m_Scene.chipRows);
    ShowSceneAmounts();
    StartOpenCountdown();
}

void CBullBoard::OnScenePlayingOpened()
{
    CBullHandler* handler = Handler();
    const uint16_t me = MyChair();
    if (handler == nullptr || me >= GetCardGroupCount())
        return;
    PlaceBankerMark(handler->SceneBanker(), 100);
    RestoreCards();
    HideOpenButtons();
    ShowOpenAnimation(100);
    ScatterChips(m_Scene.chipLeft, m_Scene.chipRows);
    ShowSceneAmounts();
    if (uint8_t* cards = handler->SceneCards(me))
        OpenRestoredHand(cards);
}

void CBullBoard::OpenRestoredHand(uint8_t* cards)
{
    ShowMyArrangedHand(cards);
    if (CBullHandler* handler = Handler())
        handler->SendOpenCard(m_cbHasBull);
}

void CBullBoard::RestoreCards()
{
    CBullHandler* handler = Handler();
    const uint16_t me = MyChair();
    if (handler == nullptr || me >= GetCardGroupCount())
        return;
    const uint8_t* mine = IPlayThisRound() ? handler->SceneCards(me) : nullptr;
    for (uint16_t group = 0; group < GetCardGroupCount(); ++group)
    {
        if (!handler->ScenePlays(group))
            continue;
        const bool own = mine != nullptr && group == MyCardGroup();
        for (int j = 0; j < kCards; ++j)
        {
            CardSprite* card = m_Cards[group][j];
            if (card == nullptr)
                continue;
            card->stopAllActions();
            ShowCard(card, CardSprite::kCardBack);
            card->setVisible(true);
            card->setPosition(CardPoint(group, j));
            if (own)
                ShowCard(card, mine[j]);
            card->setScale(own ? 1.0f : kOtherCardScale);
            Reorder(card, RestoredCardZOrder(own, j, card->getZOrder()));
        }
    }
}

uint16_t CBullBoard::SeatOf(uint16_t chair) const
{
    const uint16_t seats = GetCardGroupCount();
    const uint16_t me = MyChair();
    if (me >= seats || chair >= seats)
        return seats;
    return static_cast<uint16_t>((chair + seats - me) % seats);
}

void CBullBoard::ResetBullView()
{
    StopAnyCountdown();
    ClearActions();
    HideOpenButtons();
    HideRobChoice();
    m_cbHasBull = 0;
    m_cbOwnType = 0;
    m_cbArranged = 0;
    m_cbLandedEarly = 0;
    StopDealSound();
    for (CCSprite* animation : {m_pBankerCallAnimation, m_pOpenAnimation, m_pBettingAnimation})
        ShowLoop(animation, false);
    if (m_pBankerMark != nullptr)
        m_pBankerMark->setVisible(false);
    RemoveHandTypes();
    RemoveChips();
    RemoveScoreView();
    if (CBullHandler* handler = Handler())
        handler->ClearRestored();
}

}  // namespace Bull
