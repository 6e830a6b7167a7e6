// What a two-card banker table must leave readable, in the content root's
// space. An area's felt is its own picture; its chips and amounts fall round
// the area widget's point, so the felt's name band at the foot lies beyond
// the chips' reach and the amounts stay on the felt above it; the score view
// rests on clear felt above the chips and amounts, below the doors' hands;
// the notices keep off the names; a hand's sign lies on the cards' foot,
// below their ranks.
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

// `felt` names the felt picture of an area (1..areaCount) in the layout.
template <typename FeltName>
void ExpectAreasReadable(TwoCardBanker::CTwoCardBoard* board, const TwoCardBanker::TableShape& shape,
                         const std::string& folder, const std::string& sign, FeltName felt)
{
    using cocos2d::CCPoint;
    using cocos2d::CCRect;
    // The longest amounts a round sees: eight digits.
    const float totalWidth = 8 * 16, myWidth = 8 * 12;
    const cocos2d::CCSize view = PictureSize(folder + "/GAME_END");
    const CCRect viewBox = CentredBox(CCPoint(520, 400), view.width, view.height);
    ASSERT_GT(view.height, 0);
    const cocos2d::CCSize notice = PictureSize(folder + "/notify_03");
    const CCRect notices[2] = {CentredBox(CCPoint(512, 250), notice.width, notice.height),
                               CentredBox(CCPoint(shape.betFailedNoticeX, 250), notice.width, notice.height)};
    CCRect cardBoxes[TwoCardBanker::HAND_COUNT];
    for (int hand = 0; hand < TwoCardBanker::HAND_COUNT; ++hand)
    {
        const cocos2d::CCSize size = board->GetCard(hand, 0)->getContentSize();
        const CCPoint at = board->GetHandPoint(hand);
        // Both cards (the second 17 to the right).
        cardBoxes[hand] = CCRect(at.x - size.width / 2, at.y - size.height / 2, size.width + 17, size.height);
    }
    for (int area = 1; area <= shape.areaCount; ++area)
    {
        SCOPED_TRACE("area " + std::to_string(area));
        cocos2d::ui::Widget* widget = board->GetArea(area);
        cocos2d::ui::Widget* feltWidget = board->GetWidget(felt(area).c_str());
        ASSERT_NE(widget, nullptr);
        ASSERT_NE(feltWidget, nullptr);
        const CCRect feltBox = CentredBox(feltWidget->getPosition(), feltWidget->getSize().width,
                                          feltWidget->getSize().height);
        const CCPoint centre = widget->getPosition();
        const float foot = feltBox.getMinY() + kAreaNameBand;
        const CCRect names(feltBox.getMinX(), feltBox.getMinY(), feltBox.size.width, kAreaNameBand);
        // Every chip a bet may lay, at the size it is laid.
        const games::ChipScatter& box = shape.chipScatter[area - 1];
        for (int chip = 0; chip < TwoCardBanker::kChipButtons; ++chip)
        {
            cocos2d::ui::Widget* button = board->GetChipButton(chip);
            ASSERT_NE(button, nullptr);
            const float half = button->getSize().width / 2;
            const CCRect reach(centre.x + box.x - half, centre.y + box.y - half, box.width - 1 + 2 * half,
                               box.height - 1 + 2 * half);
            EXPECT_GE(reach.getMinY(), foot) << "a chip reaches the name";
            EXPECT_LE(reach.getMaxY(), feltBox.getMaxY()) << "a chip leaves the felt's top";
            EXPECT_GE(reach.getMinX(), feltBox.getMinX());
            EXPECT_LE(reach.getMaxX(), feltBox.getMaxX());
            EXPECT_FALSE(reach.intersectsRect(viewBox)) << "the score view covers chips";
        }
        const CCRect total = CentredBox(board->GetTotalLabel(area)->getPosition(), totalWidth, 22);
        const CCRect mine = CentredBox(board->GetMyBetLabel(area)->getPosition(), myWidth, 16);
        for (const CCRect& label : {total, mine})
        {
            EXPECT_GE(label.getMinX(), feltBox.getMinX());
            EXPECT_LE(label.getMaxX(), feltBox.getMaxX());
            EXPECT_GE(label.getMinY(), foot);
            EXPECT_LE(label.getMaxY(), feltBox.getMaxY());
            EXPECT_FALSE(label.intersectsRect(viewBox)) << "the score view covers an amount";
        }
        for (const CCRect& shown : notices)
            EXPECT_FALSE(shown.intersectsRect(names)) << "a notice lands on the name";
        for (const CCRect& cards : cardBoxes)
            EXPECT_FALSE(cards.intersectsRect(feltBox)) << "a hand lies on the area";
    }
    const cocos2d::CCSize signSize = PictureSize(folder + "/" + sign);
    for (int hand = 0; hand < TwoCardBanker::HAND_COUNT; ++hand)
    {
        SCOPED_TRACE("hand " + std::to_string(hand));
        const CCRect& cards = cardBoxes[hand];
        const CCPoint at = board->GetHandPoint(hand);
        EXPECT_FALSE(cards.intersectsRect(viewBox)) << "the score view covers the cards";
        // The sign's caption is the picture's lowest third: on the cards' lower half.
        const float signBottom = at.y - signSize.height / 2;
        EXPECT_GE(signBottom, cards.getMinY());
        EXPECT_LE(signBottom + signSize.height / 3, at.y);
    }
}

}  // namespace tcbtest
