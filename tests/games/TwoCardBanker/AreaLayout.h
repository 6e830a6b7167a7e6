// What a two-card banker table must leave readable, in the content root's
// space: the chips fall round an area's middle, so its name band at the foot
// lies beyond their reach and its amounts (on their own dark ground, over
// the chips) stay inside it; the score view keeps off the amounts and the
// cards; a hand's sign lies on the cards' foot, below their ranks.
#pragma once

#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/framework/CardSprite.h"

#include <gtest/gtest.h>

#include <string>

namespace tcbtest {

// The name band across an area's foot, its inset included.
constexpr float kAreaNameBand = 23;

inline cocos2d::CCRect CentredBox(const cocos2d::CCPoint& at, float width, float height)
{
    return cocos2d::CCRect(at.x - width / 2, at.y - height / 2, width, height);
}

inline cocos2d::CCSize PictureSize(const std::string& file)
{
    cocos2d::CCSprite* sprite = cocos2d::CCSprite::create(file.c_str());
    return sprite != nullptr ? sprite->getContentSize() : cocos2d::CCSizeZero;
}

// A low area with its name at its left end (red nine's bridge, `lowArea`)
// lets its chips run over its rims, but neither onto the neighbours' names
// above nor onto the chip buttons below.
inline void ExpectAreasReadable(TwoCardBanker::CTwoCardBoard* board, const TwoCardBanker::TableShape& shape,
                                const std::string& folder, const std::string& sign, int lowArea = 0)
{
    using cocos2d::CCPoint;
    using cocos2d::CCRect;
    // The longest amounts a round sees: eight digits.
    const float totalWidth = 8 * 16, myWidth = 8 * 12;
    const cocos2d::CCSize view = PictureSize(folder + "/GAME_END");
    const CCRect viewBox = CentredBox(CCPoint(520, 400), view.width, view.height);
    ASSERT_GT(view.height, 0);
    for (int area = 1; area <= shape.areaCount; ++area)
    {
        SCOPED_TRACE("area " + std::to_string(area));
        cocos2d::ui::Widget* widget = board->GetArea(area);
        ASSERT_NE(widget, nullptr);
        const CCPoint centre = ccpAdd(board->GetMyBetLabel(area)->getPosition(), CCPoint(0, 10));
        const float halfW = widget->getSize().width / 2, halfH = widget->getSize().height / 2;
        const float foot = centre.y - halfH + kAreaNameBand;
        // Every chip a bet may lay, at the size it is laid.
        for (int chip = 0; chip < TwoCardBanker::kChipButtons; ++chip)
        {
            cocos2d::ui::Widget* button = board->GetChipButton(chip);
            ASSERT_NE(button, nullptr);
            const float half = button->getSize().width / 2;
            const games::ChipScatter& box = shape.chipScatter[area - 1];
            if (area == lowArea)
            {
                for (int other = 1; other <= shape.areaCount; ++other)
                {
                    cocos2d::ui::Widget* above = board->GetArea(other);
                    if (other != area && above->getPositionY() > widget->getPositionY())
                    {
                        EXPECT_LE(centre.y + box.y + box.height - 1 + half,
                                  above->getPositionY() - above->getSize().height / 2 + 3);
                    }
                }
                cocos2d::ui::Widget* lowest = board->GetChipButton(chip);
                EXPECT_GE(centre.y + box.y - half,
                          lowest->getPositionY() + lowest->getSize().height * lowest->getScaleY() / 2);
                continue;
            }
            EXPECT_GE(box.y - half, foot - centre.y) << "a chip reaches the name";
            EXPECT_LE(box.y + box.height - 1 + half, halfH) << "a chip leaves the area's top";
            EXPECT_GE(box.x - half, -halfW);
            EXPECT_LE(box.x + box.width - 1 + half, halfW);
        }
        const CCRect total = CentredBox(board->GetTotalLabel(area)->getPosition(), totalWidth, 22);
        const CCRect mine = CentredBox(board->GetMyBetLabel(area)->getPosition(), myWidth, 16);
        for (const CCRect& label : {total, mine})
        {
            EXPECT_GE(label.getMinX(), centre.x - halfW);
            EXPECT_LE(label.getMaxX(), centre.x + halfW);
            EXPECT_GE(label.getMinY(), area == lowArea ? centre.y - halfH : foot);
            EXPECT_FALSE(label.intersectsRect(viewBox)) << "the score view covers an amount";
        }
    }
    const cocos2d::CCSize signSize = PictureSize(folder + "/" + sign);
    for (int hand = 0; hand < TwoCardBanker::HAND_COUNT; ++hand)
    {
        SCOPED_TRACE("hand " + std::to_string(hand));
        Sexy::CardSprite* card = board->GetCard(hand, 0);
        ASSERT_NE(card, nullptr);
        const cocos2d::CCSize size = card->getContentSize();
        const CCPoint at = board->GetHandPoint(hand);
        // Both cards (the second 17 to the right).
        const CCRect cards(at.x - size.width / 2, at.y - size.height / 2, size.width + 17, size.height);
        EXPECT_FALSE(cards.intersectsRect(viewBox)) << "the score view covers the cards";
        // The sign's caption is the picture's lowest third: on the cards' lower half.
        const float signBottom = at.y - signSize.height / 2;
        EXPECT_GE(signBottom, cards.getMinY());
        EXPECT_LE(signBottom + signSize.height / 3, at.y);
    }
}

}  // namespace tcbtest
