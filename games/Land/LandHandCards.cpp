// My hand: selection by tap, drag and straight completion, its layout and
// sort order, the deal, and the small operations that show and hide the
// call and play buttons.
#include "games/Land/LandBoard.h"

#include "games/Land/LandHandler.h"

#include <cmath>
#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace Land {

namespace {

const ccColor3B kNormal = {255, 255, 255};
constexpr float kPi = 3.14159265358979f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

}  // namespace

// --- selection ------------------------------------------------------------------------------

bool LandBoard::OnCardTouchBegan(CardSprite* card) { return Sexy::HandSelection::TouchBegan(card); }

void LandBoard::OnCardTouchMoved(CardSprite* card)
{
    m_Selection.TouchMoved(card, m_HandCards[MyChair() % GAME_PLAYER], static_cast<size_t>(m_nMyCardCount));
}

void LandBoard::OnCardTouchEnded(CardSprite* card)
{
    m_Selection.TouchEnded(card, m_HandCards[MyChair() % GAME_PLAYER], static_cast<size_t>(m_nMyCardCount));
}

// --- layout -------------------------------------------------------------------------------

void LandBoard::LayoutHandCards(bool animated)
{
    if (m_nMyCardCount < 0)
        m_nMyCardCount = 0;
    if (m_nMyCardCount > MAX_COUNT)
        m_nMyCardCount = MAX_COUNT;
    const auto count = static_cast<uint8_t>(m_nMyCardCount);
    m_GameLogic.SortCards(m_cbMyCards, count, m_cbSortMode);
    const int first = (kPlaces - count) / 2;
    const CardList& hand = m_HandCards[MyChair() % GAME_PLAYER];
    const float anchorX = static_cast<float>(m_nSpacing) / kCardWidth;
    for (size_t i = 0; i < hand.size() && i < count; ++i)
    {
        CardSprite* card = hand[i];
        const CCPoint& target = m_ptPlace[0][first + i];
        card->stopAllActions();
        if (animated)
        {
            card->runAction(CCSequence::create(CCDelayTime::create(0.02f * static_cast<float>(i)),
                                               CCEaseBackInOut::create(CCMoveTo::create(0.2f, target)),
                                               CCCallFuncN::create(this, callfuncN_selector(LandBoard::OnCardSettled)),
                                               nullptr));
        }
        else
        {
            card->setPosition(target);
        }
        card->SetCardData(m_cbMyCards[i]);
        card->SetSelected(0);
        card->setColor(kNormal);
        card->setRotation(0);
        card->setScale(1.0f);
        card->setVisible(true);
        if (card->getParent() != nullptr)
            card->getParent()->reorderChild(card, 10 + 10 * static_cast<int>(i));
        card->setAnchorPoint(CCPoint(anchorX, 0.5f));
    }
}

void LandBoard::OnCardSettled(CCNode* node)
{
    if (auto* card = dynamic_cast<CardSprite*>(node))
        card->SetSelected(0);
}

void LandBoard::OnSortButton(CCObject*, CCControlEvent)
{
    m_cbSortMode = static_cast<uint8_t>((m_cbSortMode & 1) + 1);
    LayoutHandCards(false);
}

void LandBoard::OnLButtonDblClk()
{
    CGameBoard::OnLButtonDblClk();
    LayoutHandCards(false);
}

// --- buttons and counts ----------------------------------------------------------------------

void LandBoard::HideCallButtons()
{
    for (CCControlButton* button : m_pCallButtons)
    {
        if (button == nullptr)
            continue;
        button->setVisible(false);
        button->setTouchEnabled(false);
    }
}

void LandBoard::ShowCallButtons(uint8_t score)
{
    for (CCControlButton* button : m_pCallButtons)
    {
        if (button == nullptr)
            continue;
        button->setVisible(true);
        button->setTouchEnabled(true);
        button->setEnabled(true);
    }
    // Buttons 0..2 call 1..3: those up to the score so far cannot be called.
    for (int i = 0; i < 3 && i < score; ++i)
    {
        if (m_pCallButtons[i] == nullptr)
            continue;
        m_pCallButtons[i]->setTouchEnabled(false);
        m_pCallButtons[i]->setEnabled(false);
    }
}

void LandBoard::ShowPlayButtons()
{
    for (CCControlButton* button : {m_pPlayButton, m_pPassButton, m_pHintButton})
    {
        button->setVisible(true);
        button->setTouchEnabled(true);
        button->setEnabled(true);
    }
    if (m_pPlayButton->getParent() != nullptr)
        m_pPlayButton->getParent()->reorderChild(m_pPlayButton, 100);
}

void LandBoard::HidePlayButtons()
{
    for (CCControlButton* button : {m_pPlayButton, m_pPassButton, m_pHintButton})
    {
        button->setVisible(false);
        button->setTouchEnabled(false);
        button->setEnabled(false);
    }
}

void LandBoard::ShowCardCounts()
{
    for (int view = 1; view <= 2; ++view)
    {
        CCLabelAtlas* label = m_pCountLabels[view - 1];
        char text[16];
        std::snprintf(text, sizeof(text), "%d", m_nViewCardCount[view]);
        label->setString(text);
        label->setVisible(true);
        if (label->getParent() != nullptr)
            label->getParent()->reorderChild(label, 0);
    }
}

void LandBoard::ArmHand(float)
{
    const CardList& hand = m_HandCards[MyChair() % GAME_PLAYER];
    const size_t count = std::min(hand.size(), static_cast<size_t>(m_nMyCardCount));
    for (size_t i = 0; i < count; ++i)
        hand[i]->SetCardListener(this);
    // Five seconds after the deal the calls may be over already (the
    // trustee calls at once): the buttons show only while the call is mine.
    if (m_cbMyTurn != 0 && m_nGameState == kStateCalling)
    {
        for (CCControlButton* button : m_pCallButtons)
        {
            button->setEnabled(true);
            button->setVisible(true);
            button->setTouchEnabled(true);
        }
    }
    m_pPreviousButton->setEnabled(true);
    m_pTrusteeButton->setEnabled(true);
    m_pSortButton->setEnabled(true);
}

void LandBoard::ShowIdentityImages(uint16_t landlordChair)
{
    const uint16_t landlordView = ViewOf(landlordChair, GAME_PLAYER);
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        CCSprite* image = m_pIdentity[view];
        const bool landlord = view == landlordView;
        SetPicture(image, landlord ? "Land/dizhu" : "Land/mongm");
        image->stopAllActions();
        image->setVisible(true);
        image->setPosition(m_ptLayout[kPtIdentity0 + view]);
        image->setScale(4.0f);
        if (landlord)
            image->runAction(CCSequence::create(CCScaleTo::create(0.5f, 1.0f),
                                                CCCallFunc::create(this, callfunc_selector(LandBoard::OnLandlordShown)),
                                                nullptr));
        else
            image->runAction(CCScaleTo::create(0.5f, 1.0f));
    }
}

void LandBoard::OnLandlordShown() { ShakeBoard(); }

// --- the deal ----------------------------------------------------------------------------------

void LandBoard::PlayDealAnimation(const uint8_t (&dealt)[HAND_COUNT])
{
    uint8_t cards[HAND_COUNT];
    for (int i = 0; i < HAND_COUNT; ++i)
        cards[i] = dealt[i];
    m_GameLogic.SortCards(cards, HAND_COUNT, 1);
    const uint16_t me = MyChair() % GAME_PLAYER;
    const float radius = static_cast<float>(m_nFanRadius);
    const CCSize content = GetContentPictureSize();
    const CCPoint gather = m_ptPlace[0][8] + CCPoint(radius * std::sin(Radians(-10)), radius * std::cos(Radians(-10)));
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const CardList& hand = m_HandCards[chair];
        const uint16_t view = static_cast<uint16_t>((chair + GAME_PLAYER - me) % GAME_PLAYER);
        for (size_t i = 0; i < hand.size() && i < HAND_COUNT; ++i)
        {
            CardSprite* card = hand[i];
            const int tag = 1000 * (chair + 1) * static_cast<int>(i + 1);
            card->stopAllActions();
            card->setTag(tag);
            card->setVisible(true);
            card->setPosition(CCPoint(content.width / 2, 180 + 2.2f * static_cast<float>(i)));
            card->setScale(1.0f);
            card->setRotation(0);
            card->SetCardListener(nullptr);
            card->SetCardData(CardSprite::kCardBack);
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, 54 - static_cast<int>(i));
            const float d = 0.2f * static_cast<float>(i + 1);
            if (chair == me)
            {
                const float a = -90.0f + 11.0f * static_cast<float>(i);
                const CCPoint fan =
                    m_ptPlace[0][10] + CCPoint(0.75f * radius * std::sin(Radians(a)), radius * std::cos(Radians(a)));
                CCArray* steps = CCArray::create();
                steps->addObject(CCDelayTime::create(d));
                steps->addObject(CCSpawn::create(CCEaseBackInOut::create(CCMoveTo::create(0.15f, fan)),
                                                 CCEaseBackInOut::create(CCRotateTo::create(0.15f, a)), nullptr));
                steps->addObject(CCScaleTo::create(0.1f, 0.0f, 1.0f));
                steps->addObject(CCCallFuncND::create(this, callfuncND_selector(LandBoard::OnDealFlip),
                                                      reinterpret_cast<void*>(static_cast<uintptr_t>(cards[i]))));
                steps->addObject(CCScaleTo::create(0.1f, 1.0f, 1.0f));
                steps->addObject(CCDelayTime::create(3.6f - d));
                steps->addObject(
                    CCSpawn::create(CCMoveTo::create(0.15f, gather), CCRotateTo::create(0.1f, 0), nullptr));
                steps->addObject(CCEaseBackInOut::create(CCMoveTo::create(0.1f, m_ptPlace[0][2 + i])));
                steps->addObject(CCCallFuncN::create(this, callfuncN_selector(LandBoard::OnDealSettled)));
                card->runAction(CCSequence::create(steps));
            }
            else
            {
                const CCPoint& place = m_ptPlace[view][i];
                card->runAction(
                    CCSequence::create(CCDelayTime::create(d),
                                       CCSpawn::create(CCEaseBackInOut::create(CCMoveTo::create(0.2f, place)),
                                                       CCScaleTo::create(0.2f, 0.3f),
                                                       CCRotateTo::create(0.2f, view == 1 ? -150.0f : 150.0f), nullptr),
                                       nullptr));
            }
        }
    }
    PlaceBottomCards(kBottomBacks);
}

void LandBoard::PlaceBottomCards(const uint8_t (&cards)[BACK_COUNT])
{
    static const float kOffsets[BACK_COUNT] = {0, 73, 146};
    for (size_t i = 0; i < m_BottomCards.size() && i < BACK_COUNT; ++i)
    {
        CardSprite* card = m_BottomCards[i];
        card->SetCardData(cards[i]);
        card->setVisible(true);
        card->setPosition(m_ptLayout[kPtBottomCards] + CCPoint(kOffsets[i], 0));
        card->setScale(0.7f);
        if (card->getParent() != nullptr)
            card->getParent()->reorderChild(card, 10 * static_cast<int>(i));
    }
}

void LandBoard::OnDealFlip(CCNode* node, void* card)
{
    if (auto* sprite = dynamic_cast<CardSprite*>(node))
        sprite->SetCardData(static_cast<uint8_t>(reinterpret_cast<uintptr_t>(card)));
}

void LandBoard::OnDealSettled(CCNode* node)
{
    if (node->getParent() != nullptr)
        node->getParent()->reorderChild(node, node->getTag());
}

}  // namespace Land
