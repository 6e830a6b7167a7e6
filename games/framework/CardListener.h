// What a board hears from its card sprites.
#pragma once

namespace Sexy {

class CardSprite;

class CCardListener
{
public:
    virtual ~CCardListener() = default;
    virtual bool OnCardTouchBegan(CardSprite* card)
    {
        (void)card;
        return true;
    }
    virtual void OnCardTouchMoved(CardSprite* card) { (void)card; }
    virtual void OnCardTouchEnded(CardSprite* card) { (void)card; }
    // After the card changed: the listener sets the card's logic value.
    virtual void OnCardDataChanged(CardSprite* card) { (void)card; }
};

}  // namespace Sexy
