#include "games/ShowHandANEx/NNBoard.h"

#include "core/ClientGlobal.h"
#include "games/ShowHandANEx/NNHandler.h"
#include "games/ShowHandANEx/ScoreView.h"
#include "games/ShowHandANEx/Settlement.h"
#include "games/ShowHandANEx/ShowHandANExMobile.h"
#include "games/common/BankerBetting.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/BoardArt.h"

#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace ShowHandANEx {

namespace {

const ccColor3B kAmountColour = {252, 214, 3};
const ccColor3B kBetTotalColour = {230, 250, 2};
constexpr float kPoolFontSize = 16;
constexpr float kBetTotalFontSize = 20;
constexpr float kActionFontSize = 30;
constexpr int kRaiseTitleSize = 16;
constexpr float kFlightDelay = 0.15f;
constexpr float kFlightTime = 0.15f;

struct ButtonArt
{
    const char* normal;
    const char* pressed;
    const char* disabled;
};

const ButtonArt kRaiseArt[NNBoard::kRaiseButtons] = {
    {"ShowHandANEx/blue_button-1", "ShowHandANEx/blue_button-2", nullptr},
    {"ShowHandANEx/Red_button-1", "ShowHandANEx/Red_button-2", nullptr},
    {"ShowHandANEx/huang_button-1", "ShowHandANEx/huang_button-2", nullptr},
};

// The captions that say what an amount is: the pool, a player's bet in the
// round (its action note) and, in the frame's picture, a player's total.
const ccColor3B kCaptionColour = {236, 226, 190};
constexpr float kCaptionFontSize = 14;
constexpr float kCaptionGap = 4;
// A bet total is centred in its frame, clear of the caption at its left.
constexpr float kBetTotalWidth = 100;

CCLabelTTF* AmountLabel(const std::string& text, float size, const ccColor3B& colour)
{
    CCLabelTTF* label = CCLabelTTF::create(CClientGlobal::GBKToUTF8(text).c_str(), "Arial", size);
    label->setColor(colour);
    return label;
}

// A caption (UTF-8) that goes with the amount: left of it, or above it.
void AddCaption(CCLabelTTF* amount, const char* caption, bool above)
{
    CCLabelTTF* label = CCLabelTTF::create(caption, "Arial", kCaptionFontSize);
    label->setColor(kCaptionColour);
    const CCSize size = amount->getContentSize();
    label->setAnchorPoint(above ? CCPoint(0.5f, 0) : CCPoint(1, 0.5f));
    label->setPosition(above ? CCPoint(size.width / 2, size.height + kCaptionGap)
                             : CCPoint(-kCaptionGap, size.height / 2));
    amount->addChild(label);
}

void ShowButton(CCControlButton* button, bool enabled)
{
    if (button == nullptr)
        return;
    button->setVisible(true);
    button->setEnabled(enabled);
}

}  // namespace

const int NNBoard::kRaiseMultipliers[kRaiseButtons] = {1, 2, 5};

NNBoard* NNBoard::create()
{
    auto* board = new (std::nothrow) NNBoard();
    if (board != nullptr && board->init())
    {
        board->autorelease();
        return board;
    }
    delete board;
    return nullptr;
}

NNBoard::NNBoard() = default;

NNBoard::~NNBoard() = default;

NNHandler* NNBoard::Handler() const { return ShowHandANExMobile::GetHandler(); }

uint16_t NNBoard::ViewOfChair(uint16_t chair) const { return ViewOf(chair, kViews); }

int NNBoard::InitialZOrder(uint16_t view, int index) { return (view == 0 ? 10 : 9) - 2 * index; }

bool NNBoard::init()
{
    if (!CCLayer::init())
        return false;
    setKeypadEnabled(true);

    const CCPoint clocks[kViews] = {{60, 160}, {250, 580}};
    const CCPoint seats[kViews] = {{78, 21}, {570, 580}};
    const CCPoint signs[kViews] = {{480, 150}, {20, -70}};
    for (int view = 0; view < kViews; ++view)
    {
        m_ptClock[view] = clocks[view];
        m_ptSeatPanel[view] = seats[view];
        m_ptStatus[view] = signs[view];
    }

    InitGameTable("ShowHandANEx/Tile", "ShowHandANEx/background", nullptr, CCPointZero);
    AddGameTitle("ShowHandANEx/icon");
    CreateStartButton("ShowHandANEx/BtnStart", "ShowHandANEx/BtnStart", m_Layout.startButton);
    m_pFunctionPanel = CCSprite::create("ShowHandANEx/Mefunction");
    m_pFunctionPanel->setPosition(m_Layout.myFunction);
    m_pFunctionPanel->setVisible(false);
    AddContentChild(m_pFunctionPanel);
    SetTotalScorePosition(CCPoint(860, 160));
    for (int view = 0; view < kViews; ++view)
    {
        m_pBetFrames[view] = CCSprite::create("ShowHandANEx/borders");
        m_pBetFrames[view]->setPosition(m_Layout.betTotal[view]);
        m_pBetFrames[view]->setVisible(false);
        AddContentChild(m_pBetFrames[view]);
    }
    m_pNoteSign = CCSprite::create("ShowHandANEx/Note");
    m_pNoteSign->setPosition(m_Layout.noteSign);
    m_pNoteSign->setVisible(false);
    AddContentChild(m_pNoteSign, kNoteSignZOrder);

    for (uint16_t view = 0; view < kViews; ++view)
    {
        for (int k = 0; k < kCards; ++k)
        {
            CardSprite* card = CardSprite::create();
            card->setTag(k);
            card->setVisible(false);
            // The other player's cards are only shown: they take no touches.
            if (view == 0)
                card->SetCardListener(this);
            else
                card->SetDisabled(1);
            AddContentChild(card, InitialZOrder(view, k), k);
            m_pCardSprites[view][k] = card;
        }
    }
    return CGameBoard::init();
}

void NNBoard::LayoutMyInfo(Sexy::CBoardDrawUserData* panel) { Sexy::LayoutBullTableMyInfo(panel); }

// --- buttons -------------------------------------------------------------------------------------

void NNBoard::MakeActionButtons()
{
    for (int i = 0; i < kRaiseButtons; ++i)
    {
        m_pRaiseButtons[i] = CreateImageButton(kRaiseArt[i].normal, kRaiseArt[i].pressed, kRaiseArt[i].disabled,
                                               m_Layout.raiseButton[i], cccontrol_selector(NNBoard::OnRaise), false);
        m_pRaiseButtons[i]->setTag(kRaiseMultipliers[i]);
    }
    m_pFollowButton =
        CreateImageButton("ShowHandANEx/With_button-1", "ShowHandANEx/With_button-2", "ShowHandANEx/With_button-4",
                          m_Layout.followButton, cccontrol_selector(NNBoard::OnFollow), false);
    m_pShowHandButton =
        CreateImageButton("ShowHandANEx/poker_button-1", "ShowHandANEx/poker_button-2", "ShowHandANEx/poker_button-4",
                          m_Layout.showHandButton, cccontrol_selector(NNBoard::OnShowHand), false);
    m_pGiveUpButton =
        CreateImageButton("ShowHandANEx/Cover_button-1", "ShowHandANEx/Cover_button-2", "ShowHandANEx/Cover_button-4",
                          m_Layout.giveUpButton, cccontrol_selector(NNBoard::OnGiveUp), false);
}

std::array<CCControlButton**, NNBoard::kActionButtons> NNBoard::ActionButtonSlots()
{
    return {&m_pRaiseButtons[0], &m_pRaiseButtons[1], &m_pRaiseButtons[2],
            &m_pFollowButton,    &m_pShowHandButton,  &m_pGiveUpButton};
}

void NNBoard::RemoveActionButtons()
{
    for (CCControlButton** button : ActionButtonSlots())
    {
        if (*button != nullptr)
            (*button)->removeFromParentAndCleanup(true);
        *button = nullptr;
    }
    ShowFunctionPanel(false);
}

void NNBoard::ShowFunctionPanel(bool show)
{
    if (m_pFunctionPanel != nullptr)
        m_pFunctionPanel->setVisible(show);
}

void NNBoard::ShowBetFrames()
{
    // A frame shows with a total that is not 0: a player who has bet
    // nothing beyond the ante has no total to read.
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const bool shown = m_pBetLabels[chair] != nullptr && m_lChairBet[chair] != 0;
        if (m_pBetLabels[chair] != nullptr)
            m_pBetLabels[chair]->setVisible(shown);
        if (CCSprite* frame = m_pBetFrames[ViewOfChair(chair)])
            frame->setVisible(shown);
    }
}

void NNBoard::HideActionButtons()
{
    ShowFunctionPanel(false);
    for (CCControlButton* button : {m_pRaiseButtons[0], m_pRaiseButtons[1], m_pRaiseButtons[2], m_pFollowButton,
                                    m_pShowHandButton, m_pGiveUpButton})
    {
        if (button != nullptr)
            button->setVisible(false);
    }
}

void NNBoard::ShowActionButtons()
{
    NNHandler* handler = Handler();
    if (handler == nullptr)
        return;
    if (m_bShowHandMode || (handler->IsRestored() && handler->IsSceneShowHand()))
    {
        ShowFunctionPanel(true);
        ShowButton(m_pShowHandButton, true);
        ShowButton(m_pGiveUpButton, true);
        return;
    }
    ShowFunctionPanel(true);
    const bool capped = handler->RoundCapped();
    for (int i = 0; i < kRaiseButtons; ++i)
    {
        CCControlButton* button = m_pRaiseButtons[i];
        if (button == nullptr)
            continue;
        if (capped)
        {
            button->setVisible(false);
            continue;
        }
        char title[32];
        std::snprintf(title, sizeof(title), "%" PRId64,
                      games::SaturatingMul(kRaiseMultipliers[i], handler->CellScore()));
        button->setTitleForState(CCString::create(title), CCControlStateNormal);
        button->setTitleTTFSizeForState(kRaiseTitleSize, CCControlStateNormal);
        ShowButton(button, true);
    }
    ShowButton(m_pFollowButton, true);
    ShowButton(m_pShowHandButton, !capped);
    ShowButton(m_pGiveUpButton, true);
    // Three cards at least before a show hand.
    if (CountMyVisibleCards() <= 2 && m_pShowHandButton != nullptr)
        m_pShowHandButton->setEnabled(false);
}

void NNBoard::OnFollow(CCObject*, CCControlEvent)
{
    HideActionButtons();
    PlaySound("ShowHandANEx/Sound/Check");
    if (NNHandler* handler = Handler())
        handler->Follow();
}

void NNBoard::OnRaise(CCObject* sender, CCControlEvent)
{
    auto* button = dynamic_cast<CCNode*>(sender);
    const int multiplier = button != nullptr ? button->getTag() : 1;
    HideActionButtons();
    PlaySound("ShowHandANEx/Sound/CHOOSE_SCORE");
    if (NNHandler* handler = Handler())
        handler->Raise(multiplier);
}

void NNBoard::OnShowHand(CCObject*, CCControlEvent)
{
    HideActionButtons();
    PlaySound("ShowHandANEx/Sound/SHOW_HAND");
    if (NNHandler* handler = Handler())
        handler->ShowHand();
}

void NNBoard::OnGiveUp(CCObject*, CCControlEvent)
{
    HideActionButtons();
    PlaySound("ShowHandANEx/Sound/GAME_END");
    if (NNHandler* handler = Handler())
        handler->GiveUp();
}

// --- reset ---------------------------------------------------------------------------------------

void NNBoard::ResetGameView()
{
    // A set still on the table would keep sending actions: it goes first,
    // and the new set shows what it showed, so a reset during my turn
    // leaves me my actions.
    struct Shown
    {
        bool visible = false;
        bool enabled = true;
        std::string title;
    };
    Shown shown[kActionButtons];
    const auto slots = ActionButtonSlots();
    for (size_t i = 0; i < slots.size(); ++i)
    {
        if (CCControlButton* button = *slots[i])
        {
            CCString* title = button->getTitleForState(CCControlStateNormal);
            shown[i] = {button->isVisible(), button->isEnabled(), title != nullptr ? title->getCString() : ""};
        }
    }
    RemoveActionButtons();
    MakeActionButtons();
    for (size_t i = 0; i < slots.size(); ++i)
    {
        CCControlButton* button = *slots[i];
        if (button == nullptr || !shown[i].visible)
            continue;
        if (!shown[i].title.empty())
        {
            button->setTitleForState(CCString::create(shown[i].title), CCControlStateNormal);
            button->setTitleTTFSizeForState(kRaiseTitleSize, CCControlStateNormal);
        }
        ShowButton(button, shown[i].enabled);
    }
    ClearTable();
}

void NNBoard::ResetGameViewEx() { ClearTable(); }

void NNBoard::ClearForScene()
{
    ClearTable();
    HideActionButtons();
    ShowNoteSign(false);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        for (int k = 0; k < MAX_COUNT; ++k)
            m_cbCards[chair][k] = 0;
}

void NNBoard::RemoveLabel(CCLabelTTF*& label)
{
    if (label != nullptr)
        label->removeFromParentAndCleanup(true);
    label = nullptr;
}

void NNBoard::ClearTable()
{
    stopAllActions();
    m_dwEndMode = END_MODE_REVEAL;
    m_lPool = 0;
    m_bShowHandMode = false;
    RemoveLabel(m_pPoolLabel);
    NNHandler* handler = Handler();
    const uint16_t me = MyChair();
    const uint16_t other = me == 0 ? 1 : 0;
    if (handler != nullptr && (handler->GetTableUserData(me) != nullptr || handler->GetTableUserData(other) != nullptr))
    {
        for (CCLabelTTF*& label : m_pBetLabels)
            RemoveLabel(label);
    }
    ShowBetFrames();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        m_lChairBet[chair] = 0;
        RemoveLabel(m_pActionLabels[chair]);
        RemoveLabel(m_pRoundStartLabels[chair]);
        m_bActionLabelMade[chair] = false;
        m_bRoundStartLabelMade[chair] = false;
    }
    for (uint16_t view = 0; view < kViews; ++view)
    {
        for (int k = 0; k < kCards; ++k)
        {
            CardSprite* card = m_pCardSprites[view][k];
            card->stopAllActions();
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, InitialZOrder(view, k));
            card->setScale(1.0f);
            card->setVisible(false);
        }
    }
    for (CCSprite* chip : m_Chips)
        chip->removeFromParentAndCleanup(true);
    m_Chips.clear();
    if (m_pScoreView != nullptr)
        m_pScoreView->removeFromParentAndCleanup(true);
    m_pScoreView = nullptr;
    if (m_pSettlement != nullptr)
        m_pSettlement->removeFromParentAndCleanup(true);
    m_pSettlement = nullptr;
}

// --- cards ---------------------------------------------------------------------------------------

void NNBoard::SetCard(uint16_t chair, int index, uint8_t card)
{
    if (chair < GAME_PLAYER && index >= 0 && index < MAX_COUNT)
        m_cbCards[chair][index] = card;
}

uint8_t NNBoard::GetCard(uint16_t chair, int index) const
{
    return chair < GAME_PLAYER && index >= 0 && index < MAX_COUNT ? m_cbCards[chair][index] : 0;
}

CardSprite* NNBoard::GetCardSprite(uint16_t view, int index) const
{
    return view < kViews && index >= 0 && index < kCards ? m_pCardSprites[view][index] : nullptr;
}

int NNBoard::CountMyVisibleCards() const
{
    int shown = 0;
    for (int k = 0; k < kCards; ++k)
        shown += m_pCardSprites[0][k] != nullptr && m_pCardSprites[0][k]->isVisible() ? 1 : 0;
    return shown;
}

void NNBoard::DealCards(int rounds)
{
    if (NNHandler* handler = Handler())
        handler->RefreshMyChair();
    // The deal's sound twice, whatever the number of cards.
    schedule(schedule_selector(NNBoard::PlayDealSound), 0.2f, 1, 0.2f);
    const uint16_t me = MyChair();
    int flight = 0;
    for (int round = 0; round < rounds; ++round)
    {
        const int slot = CountMyVisibleCards();
        if (slot >= kCards)
            return;
        for (uint16_t view = 0; view < kViews; ++view)
        {
            Sexy::CardSprite* card = m_pCardSprites[view][slot];
            card->stopAllActions();
            card->SetCardData(Sexy::CardSprite::kCardBack);
            card->setPosition(m_Layout.deck);
            card->setScale(1.0f);
            card->setVisible(true);
        }
        // Chair 0's card flies first.
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair, ++flight)
        {
            const bool mine = chair == me || (me >= GAME_PLAYER && chair == 0);
            const uint16_t view = mine ? 0 : 1;
            Sexy::CardSprite* card = m_pCardSprites[view][slot];
            SEL_CallFuncN arrived =
                mine ? callfuncN_selector(NNBoard::OnMyCardArrived) : callfuncN_selector(NNBoard::OnOtherCardArrived);
            card->runAction(
                CCSequence::create(CCDelayTime::create(kFlightDelay * static_cast<float>(flight)),
                                   CCEaseIn::create(CCMoveTo::create(kFlightTime, m_Layout.cardSlot[view][slot]), 1.5f),
                                   CCCallFuncN::create(this, arrived), nullptr));
        }
    }
}

void NNBoard::PlayDealSound(float) { PlaySound("ShowHandANEx/Sound/SEND_CARD"); }

void NNBoard::OnMyCardArrived(CCNode* node)
{
    auto* card = dynamic_cast<Sexy::CardSprite*>(node);
    if (card == nullptr)
        return;
    NNHandler* handler = Handler();
    const int index = card->getTag();
    // My face-down card stays down until I press on it.
    if (index != 0 && handler != nullptr)
    {
        card->SetCardData(GetCard(handler->MyChair(), index));
        if (handler->IsMe(handler->CurrentChair()))
            ShowActionButtons();
    }
    if (card->getParent() != nullptr)
        card->getParent()->reorderChild(card, kMyArrivedZOrder);
}

void NNBoard::OnOtherCardArrived(CCNode* node)
{
    auto* card = dynamic_cast<Sexy::CardSprite*>(node);
    if (card == nullptr)
        return;
    NNHandler* handler = Handler();
    const int index = card->getTag();
    if (index != 0 && handler != nullptr)
        card->SetCardData(GetCard(handler->OtherChair(), index));
    if (card->getParent() != nullptr)
        card->getParent()->reorderChild(card, kOtherArrivedZOrder);
}

bool NNBoard::OnCardTouchBegan(Sexy::CardSprite* card)
{
    NNHandler* handler = Handler();
    if (card != nullptr && card->getTag() == 0 && handler != nullptr)
        card->SetCardData(GetCard(handler->MyChair(), 0));
    return true;
}

void NNBoard::OnCardTouchEnded(Sexy::CardSprite* card)
{
    if (card != nullptr && card->getTag() == 0)
        card->SetCardData(Sexy::CardSprite::kCardBack);
}

void NNBoard::OnCardDataChanged(Sexy::CardSprite* card) { Sexy::SetBullLogicValue(card); }

void NNBoard::RestoreCards()
{
    NNHandler* handler = Handler();
    if (handler == nullptr)
        return;
    const int count = handler->CardCount() < kCards ? handler->CardCount() : kCards;
    const uint16_t chairs[kViews] = {handler->MyChair(), handler->OtherChair()};
    for (uint16_t view = 0; view < kViews; ++view)
    {
        for (int k = 0; k < count; ++k)
        {
            Sexy::CardSprite* card = m_pCardSprites[view][k];
            card->stopAllActions();
            card->SetCardData(Sexy::CardSprite::kCardBack);
            card->setVisible(true);
            card->setPosition(m_Layout.cardSlot[view][k]);
            const uint8_t data = GetCard(chairs[view], k);
            if (data != 0)
                card->SetCardData(data);
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, view == 0 ? kMyArrivedZOrder : kOtherArrivedZOrder);
            card->setScale(1.0f);
        }
    }
}

// --- pool, bets, chips ---------------------------------------------------------------------------

void NNBoard::AddPool(int64_t amount)
{
    m_lPool = games::SaturatingAdd(m_lPool, amount);
    RemoveLabel(m_pPoolLabel);
    m_pPoolLabel = AmountLabel(CClientGlobal::FormatScore(m_lPool), kPoolFontSize, kAmountColour);
    m_pPoolLabel->setPosition(m_Layout.poolLabel);
    AddCaption(m_pPoolLabel, "底池", false);
    AddContentChild(m_pPoolLabel);
    if (m_pNoteSign != nullptr && m_pNoteSign->isVisible())
        m_pNoteSign->setVisible(false);
}

void NNBoard::AddChairBet(uint16_t chair)
{
    NNHandler* handler = Handler();
    if (chair >= GAME_PLAYER || handler == nullptr)
        return;
    m_lChairBet[chair] = games::SaturatingAdd(m_lChairBet[chair], handler->LastAmount());
    RefreshBetLabels();
}

void NNBoard::RestoreChairBets(const int64_t (&totals)[GAME_PLAYER])
{
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        m_lChairBet[chair] = totals[chair];
    RefreshBetLabels();
}

void NNBoard::RefreshBetLabels()
{
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        RemoveLabel(m_pBetLabels[chair]);
        m_pBetLabels[chair] =
            AmountLabel(CClientGlobal::FormatScore(m_lChairBet[chair]), kBetTotalFontSize, kBetTotalColour);
        m_pBetLabels[chair]->setPosition(m_Layout.betTotal[ViewOfChair(chair)]);
        Sexy::FitToWidth(m_pBetLabels[chair], kBetTotalWidth);
        AddContentChild(m_pBetLabels[chair]);
    }
    ShowBetFrames();
}

void NNBoard::ThrowChipFrom(const CCPoint& from)
{
    CCSprite* chip = CCSprite::create("ShowHandANEx/ChouMa");
    chip->setPosition(from);
    AddContentChild(chip);
    m_Chips.push_back(chip);
    const CCPoint to(static_cast<float>(420 + std::rand() % 201), static_cast<float>(350 + std::rand() % 71));
    chip->runAction(CCSequence::create(CCDelayTime::create(0.2f), CCMoveTo::create(0.5f, to), nullptr));
}

void NNBoard::ThrowChip(uint16_t chair) { ThrowChipFrom(m_Layout.chipStart[ViewOfChair(chair)]); }

void NNBoard::RestoreChip() { ThrowChipFrom(CCPointZero); }

void NNBoard::ShowNoteSign(bool visible)
{
    if (m_pNoteSign != nullptr)
        m_pNoteSign->setVisible(visible);
}

// --- action labels -------------------------------------------------------------------------------

CCLabelTTF* NNBoard::ReplaceActionLabel(CCLabelTTF*& label, uint16_t chair)
{
    RemoveLabel(label);
    NNHandler* handler = Handler();
    const int64_t amount = handler != nullptr ? handler->LastAmount() : 0;
    char text[32];
    std::snprintf(text, sizeof(text), "+%" PRId64, amount);
    label = AmountLabel(text, kActionFontSize, kAmountColour);
    label->setPosition(m_Layout.actionLabel[ViewOfChair(chair)]);
    AddCaption(label, "下注", true);
    label->setVisible(true);
    AddContentChild(label);
    return label;
}

void NNBoard::ShowActionLabel(uint16_t chair)
{
    if (chair >= GAME_PLAYER)
        return;
    ReplaceActionLabel(m_pActionLabels[chair], chair);
    m_bActionLabelMade[chair] = true;
}

void NNBoard::ShowRoundStartLabel(uint16_t chair)
{
    if (chair >= GAME_PLAYER)
        return;
    ReplaceActionLabel(m_pRoundStartLabels[chair], chair);
    m_bRoundStartLabelMade[chair] = true;
}

bool NNBoard::IsActionLabelMade(uint16_t chair) const { return chair < GAME_PLAYER && m_bActionLabelMade[chair]; }

bool NNBoard::IsRoundStartLabelMade(uint16_t chair) const
{
    return chair < GAME_PLAYER && m_bRoundStartLabelMade[chair];
}

void NNBoard::HideActionLabel(uint16_t chair)
{
    if (chair < GAME_PLAYER)
        RemoveLabel(m_pActionLabels[chair]);
}

void NNBoard::HideRoundStartLabel(uint16_t chair)
{
    if (chair < GAME_PLAYER)
        RemoveLabel(m_pRoundStartLabels[chair]);
}

void NNBoard::ApplyActionLabelRules(uint16_t actingChair)
{
    NNHandler* handler = Handler();
    // R1: the first action after a restore by chair 0 clears its old label.
    if (m_bActionLabelMade[0] && !m_bActionLabelMade[1] && actingChair == 0 && handler != nullptr &&
        handler->IsRestored())
    {
        HideActionLabel(0);
        handler->ClearRestored();
    }
    // R2: with both labels made, only the acting chair's last action shows.
    if (m_bActionLabelMade[0] && m_bActionLabelMade[1])
    {
        if (actingChair == 0)
        {
            HideActionLabel(1);
            HideRoundStartLabel(0);
        }
        else if (actingChair == 1)
        {
            HideActionLabel(0);
            HideRoundStartLabel(1);
        }
    }
}

void NNBoard::ApplySendCardLabelRule(uint16_t currentChair)
{
    if (!m_bActionLabelMade[0] || !m_bActionLabelMade[1] || currentChair >= GAME_PLAYER)
        return;
    HideActionLabel(currentChair);
    ShowRoundStartLabel(currentChair);
}

void NNBoard::ApplyRestoreLabelRule(uint16_t actingChair)
{
    if (!m_bActionLabelMade[0] || !m_bActionLabelMade[1] || actingChair >= GAME_PLAYER)
        return;
    HideActionLabel(actingChair);
    HideRoundStartLabel(actingChair);
}

// --- show hand, give up, game end ----------------------------------------------------------------

void NNBoard::PlayShowHandEffect(bool visible)
{
    for (int copy = 0; copy < 2; ++copy)
    {
        CCSprite* effect = CCSprite::create("ShowHandANEx/showha");
        effect->setPosition(m_Layout.showHandEffect);
        effect->setVisible(visible);
        effect->setScale(4.0f);
        AddContentChild(effect);
        effect->runAction(CCSpawn::create(
            CCSequence::create(CCScaleTo::create(0.5f, 1.0f),
                               CCCallFuncN::create(this, callfuncN_selector(NNBoard::OnShowHandEffectScaled)), nullptr),
            CCSequence::create(CCFadeOut::create(1.0f), CCRemoveSelf::create(), nullptr), nullptr));
    }
}

void NNBoard::OnShowHandEffectScaled(CCNode*) { ShakeBoard(); }

void NNBoard::ShowGiveUp(uint16_t chair)
{
    HideActionButtons();
    if (m_dwEndMode != END_MODE_COVER || chair >= GAME_PLAYER)
        return;
    const uint16_t view = ViewOfChair(chair);
    for (int k = 0; k < kCards; ++k)
        m_pCardSprites[view][k]->SetCardData(Sexy::CardSprite::kCardBack);
}

void NNBoard::OnGameEnd(const tagGameEnd& end)
{
    NNHandler* handler = Handler();
    const uint16_t me = handler != nullptr ? handler->MyChair() : INVALID_CHAIR;
    if (m_dwEndMode == END_MODE_REVEAL && me < GAME_PLAYER)
    {
        const uint16_t other = me == 0 ? 1 : 0;
        m_pCardSprites[0][0]->SetCardData(end.cbHiddenCard[me]);
        m_pCardSprites[1][0]->SetCardData(end.cbHiddenCard[other]);
    }
    if (m_pScoreView != nullptr)
        m_pScoreView->removeFromParentAndCleanup(true);
    m_pScoreView = CScoreView::create();
    if (m_pScoreView != nullptr)
    {
        m_pScoreView->setPosition(m_Layout.scoreView);
        m_pScoreView->setVisible(false);
        AddContentChild(m_pScoreView, 0);
        m_pScoreView->Show(end);
        const int64_t mine = me < GAME_PLAYER ? end.lGameScore[me] : 0;
        if (mine > 0)
            m_pScoreView->PlayWinAnimation(true);
    }
    PlaySound("ShowHandANEx/Sound/GAME_END");
    if (m_pSettlement != nullptr)
        m_pSettlement->removeFromParentAndCleanup(true);
    m_pSettlement = Settlement::create();
    if (m_pSettlement != nullptr)
    {
        const CCSize content = GetContentPictureSize();
        m_pSettlement->setPosition(CCPoint(content.width / 2, content.height / 2 + 50));
        m_pSettlement->ShowResult(end);
        AddContentChild(m_pSettlement, kSettlementZOrder);
    }
    RemoveActionButtons();
    ShowStartButton(true, 30);
}

}  // namespace ShowHandANEx
