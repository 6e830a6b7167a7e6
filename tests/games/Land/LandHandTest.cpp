// My hand: taps, drags, the straight completion, the sort order and the
// places of the row.
#include "LandFixture.h"

using namespace cocos2d;
using namespace Sexy;
using namespace landtest;
using Land::LandBoard;

namespace {

// Sorted high to low: 2 2 A K Q J T 9 8 7 6 5 5 4 4 3 3.
const char kHand[] = "3a 3b 4a 4b 5a 5b 6a 7a 8a 9a Ta Ja Qa Ka Aa 2a 2b";

}  // namespace

class LandHandTest : public LandTest
{
protected:
    void SetUp() override
    {
        LandTest::SetUp();
        ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, kHand)));
        Seconds(6);  // dealt and armed
        board->LayoutHandCards(false);
    }
};

TEST_F(LandHandTest, ATapRaisesOneCardAndASecondTapLowersIt)
{
    CardSprite* king = MyCard("Ka");
    const float y = king->getPositionY();
    TapCard(king);
    EXPECT_EQ(Selected(), "Ka");
    EXPECT_FLOAT_EQ(king->getPositionY(), y + LandBoard::kRaise);
    TapCard(king);
    EXPECT_EQ(Selected(), "");
    EXPECT_FLOAT_EQ(king->getPositionY(), y);
    // Each card's place is the right edge of its uncovered strip.
    EXPECT_FLOAT_EQ(king->getAnchorPoint().x, board->Spacing() / LandBoard::kCardWidth);
}

TEST_F(LandHandTest, ADragTogglesEveryCardItCrossesTheFirstIncluded)
{
    const std::vector<CardSprite*> hand = MyHand();
    DragCards(hand[0], hand[4]);
    EXPECT_EQ(Selected(), "2b 2a Aa Ka Qa");
    // Back over the same cards: down again.
    DragCards(hand[4], hand[0]);
    EXPECT_EQ(Selected(), "");
    for (CardSprite* card : hand)
        EXPECT_EQ(card->getColor().r, 255);
}

TEST_F(LandHandTest, TwoEndsOfAStraightSelectOneCardOfEachValueBetween)
{
    TapCard(MyCard("7a"));
    TapCard(MyCard("3a"));
    // Of equal values the higher colour comes first in the row.
    EXPECT_EQ(Selected(), "7a 6a 5b 4b 3a");
    board->LayoutHandCards(false);
    // Only two values between: nothing more.
    TapCard(MyCard("6a"));
    TapCard(MyCard("3a"));
    EXPECT_EQ(Selected(), "6a 3a");
    // A third card selected: nothing more either.
    TapCard(MyCard("Ta"));
    EXPECT_EQ(Selected(), "Ta 6a 3a");
}

TEST_F(LandHandTest, SortTogglesByCountAndADoubleClickDropsTheSelection)
{
    EXPECT_EQ(board->SortMode(), 1);
    TapCard(MyCard("Ka"));
    board->OnSortButton(nullptr, 0);
    EXPECT_EQ(board->SortMode(), 2);
    EXPECT_EQ(Selected(), "");
    // Pairs first (highest first), then the singles.
    EXPECT_EQ(CardName(MyHand()[0]->GetCardData()), "2b");
    EXPECT_EQ(CardName(MyHand()[2]->GetCardData()), "5b");
    EXPECT_EQ(CardName(MyHand()[8]->GetCardData()), "Aa");
    board->OnSortButton(nullptr, 0);
    EXPECT_EQ(board->SortMode(), 1);
    EXPECT_EQ(CardName(MyHand()[2]->GetCardData()), "Aa");
    TapCard(MyCard("Ja"));
    TapCard(MyCard("9a"));
    board->OnLButtonDblClk();
    EXPECT_EQ(Selected(), "");
    EXPECT_FLOAT_EQ(MyCard("Ja")->getPositionY(), board->Place(0, 0).y);
}

TEST_F(LandHandTest, SeventeenCardsStartAtPlaceOneAndTheRowsFollowThePoints)
{
    EXPECT_TRUE(MyHand()[0]->getPosition().equals(board->Place(0, 1)));
    EXPECT_TRUE(MyHand()[16]->getPosition().equals(board->Place(0, 17)));
    EXPECT_FLOAT_EQ(board->Place(0, 1).x - board->Place(0, 0).x, static_cast<float>(board->Spacing()));
    // The other seats' backs: fans of four that repeat.
    EXPECT_TRUE(board->Place(1, 5).equals(board->Place(1, 0) + CCPoint(-10, 8)));
    EXPECT_TRUE(board->Place(1, 4).equals(board->Place(1, 0)));
    EXPECT_TRUE(board->Place(2, 7).equals(board->Place(2, 0) + CCPoint(30, 24)));
    EXPECT_TRUE(board->CaptionPoint(0).equals(board->Place(0, 10) + CCPoint(0, 90)));
    EXPECT_TRUE(board->CaptionPoint(1).equals(board->Place(1, 10) + CCPoint(15, 520)));
    EXPECT_TRUE(board->CaptionPoint(2).equals(board->Place(2, 10) + CCPoint(25, 120)));
}

TEST(LandPoints, PointsAreReadOnceAndAMissingOneStandsAtTheOrigin)
{
    char path[] = "/tmp/kest-land-points-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>point_moblie_list</key><array>";
    for (int i = 0; i < 36; ++i)
    {
        const std::string text = i == 34 ? "40,0" : i == 7 ? "12" : std::to_string(i) + "," + std::to_string(-i);
        xml += "<dict><key>point_moblie</key><string>" + text + "</string></dict>";
        if (i == 30)
            break;  // entries 31 to 35 are missing
    }
    xml += "</array></dict></plist>";
    ASSERT_EQ(write(fd, xml.data(), xml.size()), static_cast<ssize_t>(xml.size()));
    close(fd);
    CCPoint points[Land::kLandPointCount];
    EXPECT_EQ(Land::ReadLandPoints(path, points), 30u);  // 31 entries, one without a comma
    EXPECT_TRUE(points[5].equals(CCPoint(5, -5)));
    EXPECT_TRUE(points[7].equals(CCPointZero));
    EXPECT_TRUE(points[33].equals(CCPointZero));
    unlink(path);
    EXPECT_EQ(Land::ReadLandPoints("/nonexistent/Point.xml", points), 0u);

    CCPoint p;
    EXPECT_TRUE(Land::ParsePointText("40,0", p));
    EXPECT_TRUE(p.equals(CCPoint(40, 0)));
    EXPECT_TRUE(Land::ParsePointText("-7, 12px", p));
    EXPECT_TRUE(p.equals(CCPoint(-7, 12)));
    EXPECT_FALSE(Land::ParsePointText("", p));
    EXPECT_TRUE(p.equals(CCPointZero));
}

TEST(LandPoints, TheTablesFileHasEveryPoint)
{
    cocos2d::CCFileUtils::sharedFileUtils()->setResourceRoot(KEST_RES_DIR);
    CCPoint points[Land::kLandPointCount];
    EXPECT_EQ(Land::ReadLandPoints(Land::kPointFile, points), static_cast<size_t>(Land::kLandPointCount));
    EXPECT_EQ(points[Land::kPtSpacing].x, 35);
    EXPECT_GT(points[Land::kPtFanRadius].x, 0);
}
