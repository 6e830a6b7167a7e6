#include "games/framework/CardHand.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

using namespace cocos2d;

namespace Sexy {

namespace {

const ccColor3B kGrey = {170, 170, 170};
const ccColor3B kNormal = {255, 255, 255};

// The ace ranks above the king in a line.
int LineValue(uint8_t card)
{
    const int value = card & 0x0F;
    return value == 1 ? 14 : value;
}

}  // namespace

void CardList::push_back(CardSprite* card)
{
    if (card == nullptr)
        return;
    card->retain();
    m_Cards.push_back(card);
}

void CardList::clear()
{
    std::vector<CardSprite*> cards;
    cards.swap(m_Cards);
    for (CardSprite* card : cards)
        card->release();
}

void CardList::remove(CardSprite* card)
{
    for (auto it = m_Cards.begin(); it != m_Cards.end(); ++it)
    {
        if (*it == card)
        {
            m_Cards.erase(it);
            card->release();
            return;
        }
    }
}

bool HandSelection::TouchBegan(CardSprite* card)
{
    card->setColor(kGrey);
    return true;
}

void HandSelection::TouchMoved(CardSprite* card, const CardList& hand, size_t count) const
{
    const float b = card->GetTouchBeginX();
    const float m = card->GetTouchMoveX();
    if (std::abs(static_cast<int>(m - b)) < kDragThreshold && m > 10.0f)
        return;
    count = std::min(hand.size(), count);
    for (size_t i = 0; i < count; ++i)
    {
        CardSprite* other = hand[i];
        const float x = other->getPositionX();
        const CCRect box = other->boundingBox();
        const bool between = (x > b && x < m) || (x > m && x < b);
        const bool underEnd = box.containsPoint(card->GetTouchMovePoint()) && m < x;
        const bool underBegin = box.containsPoint(card->GetTouchBeginPoint()) && b < x;
        other->setColor(between || underEnd || underBegin ? kGrey : kNormal);
    }
}

void HandSelection::TouchEnded(CardSprite* card, const CardList& hand, size_t count) const
{
    card->setColor(kNormal);
    const int d = std::abs(static_cast<int>(card->GetTouchMoveX() - card->GetTouchBeginX()));
    if (d < kDragThreshold || card->boundingBox().containsPoint(card->GetTouchBeginPoint()))
        Toggle(card);
    if (d >= kDragThreshold)
        ToggleDragRange(card, hand, count);
    for (CardSprite* other : hand)
        other->setColor(kNormal);
    CompleteLine(hand, count);
}

void HandSelection::Toggle(CardSprite* card) const
{
    const float y = card->getPositionY();
    if (card->IsSelected() == 0)
    {
        card->SetSelected(1);
        card->setPositionY(y + m_fRaise);
    }
    else
    {
        card->SetSelected(0);
        card->setPositionY(y - m_fRaise);
    }
}

void HandSelection::Select(CardSprite* card) const
{
    card->SetSelected(1);
    card->setPositionY(card->getPositionY() + m_fRaise);
}

void HandSelection::ToggleDragRange(CardSprite* card, const CardList& hand, size_t count) const
{
    const float b = card->GetTouchBeginX();
    const float m = card->GetTouchMoveX();
    float from = 0;
    float to = 0;
    if (b <= m)
    {
        from = b;
        to = m + static_cast<float>(m_nStrip);
    }
    else
    {
        from = m;
        to = static_cast<float>(static_cast<int>(b) + m_nStrip);
    }
    card->SetTouchBeginX(from);
    card->SetTouchMoveX(to);
    if (static_cast<int>(to - from) < kDragThreshold && to > 10.0f)
        return;
    count = std::min(hand.size(), count);
    for (size_t i = 0; i < count; ++i)
    {
        CardSprite* other = hand[i];
        other->setColor(kNormal);
        const float x = other->getPositionX();
        if (x > from && x < to)
            Toggle(other);
    }
    Toggle(card);
    if (card->IsSelected() != 0)
        card->setColor(kNormal);
}

void HandSelection::CompleteLine(const CardList& hand, size_t count) const
{
    count = std::min(hand.size(), count);
    size_t places[2] = {};
    size_t selected = 0;
    for (size_t i = 0; i < count; ++i)
    {
        if (hand[i]->IsSelected() == 0)
            continue;
        if (selected < 2)
            places[selected] = i;
        ++selected;
    }
    if (selected != 2 || places[1] - places[0] <= 2)
        return;
    int lo = LineValue(hand[places[0]]->GetCardData());
    int hi = LineValue(hand[places[1]]->GetCardData());
    if (lo > hi)
        std::swap(lo, hi);
    if (hi - lo - 1 <= 2)
        return;
    CardSprite* found[13] = {};
    for (int v = lo + 1; v < hi; ++v)
    {
        for (size_t i = places[0]; i < places[1]; ++i)
        {
            if (LineValue(hand[i]->GetCardData()) == v)
            {
                found[v - lo - 1] = hand[i];
                break;
            }
        }
        if (found[v - lo - 1] == nullptr)
            return;
    }
    for (int v = lo + 1; v < hi; ++v)
        Select(found[v - lo - 1]);
}

}  // namespace Sexy
