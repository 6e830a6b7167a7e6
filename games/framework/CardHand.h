// A player's hand of card sprites as the card tables keep and select it: a
// list that retains its sprites, and the selection by tap, drag and line
// that the landlord and Shuang Kou tables share.
#pragma once

#include "games/framework/CardSprite.h"

#include <cstddef>
#include <vector>

namespace Sexy {

// Card sprites in a list are retained while listed, so a list never points
// at a sprite the node tree has let go.
class CardList
{
public:
    CardList() = default;
    CardList(const CardList&) = delete;
    CardList& operator=(const CardList&) = delete;
    ~CardList() { clear(); }

    void push_back(CardSprite* card);
    void clear();
    // Drops one sprite from the list (not from the table).
    void remove(CardSprite* card);
    size_t size() const { return m_Cards.size(); }
    bool empty() const { return m_Cards.empty(); }
    CardSprite* operator[](size_t i) const { return m_Cards[i]; }
    std::vector<CardSprite*>::const_iterator begin() const { return m_Cards.begin(); }
    std::vector<CardSprite*>::const_iterator end() const { return m_Cards.end(); }

private:
    std::vector<CardSprite*> m_Cards;
};

// My hand's selection by touch. The card a touch began on hears the touch's
// moves and its end (the sprite keeps where it began and where it is). A
// travel below the drag threshold is a tap, which toggles the card; a drag
// greys the cards it passes while it moves and toggles them at its end, its
// range reaching one card strip past the rightmost point. A selected card
// stands `raise` higher. After each touch, two selected cards with three
// values or more between them, all held between them, complete a line.
// The boards' card-listener slots call these with their hand.
class HandSelection
{
public:
    static constexpr int kDragThreshold = 20;

    explicit HandSelection(float raise, int strip = 0) : m_fRaise(raise), m_nStrip(strip) {}
    // The visible width of one card of the fanned hand.
    void SetStrip(int strip) { m_nStrip = strip; }
    int GetStrip() const { return m_nStrip; }
    float GetRaise() const { return m_fRaise; }

    // OnCardTouchBegan: the card greys; true.
    static bool TouchBegan(CardSprite* card);
    // OnCardTouchMoved: the first `count` cards of the hand grey under the drag.
    void TouchMoved(CardSprite* card, const CardList& hand, size_t count) const;
    // OnCardTouchEnded: the tap or drag toggles, the hand turns white again
    // and a line is completed.
    void TouchEnded(CardSprite* card, const CardList& hand, size_t count) const;
    // Up and selected, or down and not.
    void Toggle(CardSprite* card) const;
    // Raises a card and marks it selected.
    void Select(CardSprite* card) const;
    // Two selected cards of the first `count`, more than two places apart,
    // with three values or more between them (the ace above the king): when
    // every value between lies between them, the first card of each is
    // selected too.
    void CompleteLine(const CardList& hand, size_t count) const;

private:
    void ToggleDragRange(CardSprite* card, const CardList& hand, size_t count) const;

    float m_fRaise;
    int m_nStrip;
};

}  // namespace Sexy
