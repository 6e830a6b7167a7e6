// What the card tables share: the hand's selection by tap, drag and line
// (here with a Shuang Kou-like row: 17-pixel strips, cards rising 20), the
// retained card list, the seat-panel layouts, the bull logic value and the
// result layer's close button.
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/CardHand.h"
#include "games/framework/ResultLayer.h"
#include "ui/UiFixture.h"

#include <string>
#include <vector>

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace Sexy;

namespace {

constexpr int kStrip = 17;
constexpr float kRaise = 20.0f;
constexpr float kRowY = 300.0f;

// A board's card-listener slots as the card tables write them.
class Table : public CCardListener
{
public:
    explicit Table(const CardList& hand) : hand(hand) {}
    bool OnCardTouchBegan(CardSprite* card) override { return HandSelection::TouchBegan(card); }
    void OnCardTouchMoved(CardSprite* card) override { selection.TouchMoved(card, hand, hand.size()); }
    void OnCardTouchEnded(CardSprite* card) override { selection.TouchEnded(card, hand, hand.size()); }
    void OnCardDataChanged(CardSprite*) override {}

    const CardList& hand;
    HandSelection selection{kRaise, kStrip};
};

class CardHand : public UiFixture
{
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("ClientGame/Cards.plist");
    }

    // A row of face-up cards, left to right, each on its own strip.
    void Deal(const std::vector<uint8_t>& cards)
    {
        for (size_t i = 0; i < cards.size(); ++i)
        {
            CardSprite* card = CardSprite::create();
            card->SetCardData(cards[i]);
            card->setAnchorPoint(CCPoint(kStrip / 97.0f, 0.5f));
            card->setPosition(CCPoint(200.0f + kStrip * static_cast<float>(i), kRowY));
            card->SetCardListener(&table);
            scene->addChild(card, 10 + 10 * static_cast<int>(i));
            hand.push_back(card);
        }
        CCDirector::sharedDirector()->stepFrames(1);
    }
    // The middle of the strip its right neighbour leaves uncovered.
    static float StripX(size_t i) { return 200.0f + kStrip * static_cast<float>(i) - 8; }
    void TapCard(size_t i) { Tap(StripX(i), kRowY); }
    void Drag(size_t from, size_t to)
    {
        Touch(0, StripX(from), kRowY);
        Touch(1, (StripX(from) + StripX(to)) / 2, kRowY);
        Touch(1, StripX(to), kRowY);
        Touch(2, StripX(to), kRowY);
    }
    // The selected places, in row order.
    std::string Selected() const
    {
        std::string out;
        for (size_t i = 0; i < hand.size(); ++i)
        {
            const bool up = hand[i]->getPositionY() > kRowY;
            EXPECT_EQ(up, hand[i]->IsSelected() != 0) << i;
            if (hand[i]->IsSelected() != 0)
                out += (out.empty() ? "" : " ") + std::to_string(i);
        }
        return out;
    }

    CardList hand;
    Table table{hand};
};

// K Q J 9 8 7 6 5 3 of one colour.
const std::vector<uint8_t> kRow = {0x0D, 0x0C, 0x0B, 0x09, 0x08, 0x07, 0x06, 0x05, 0x03};

}  // namespace

TEST_F(CardHand, ATapRaisesTheCardUnderItAndASecondLowersIt)
{
    Deal(kRow);
    TapCard(4);
    EXPECT_EQ(Selected(), "4");
    EXPECT_FLOAT_EQ(hand[4]->getPositionY(), kRowY + kRaise);
    TapCard(4);
    EXPECT_EQ(Selected(), "");
    for (CardSprite* card : hand)
        EXPECT_EQ(card->getColor().r, 255);
}

TEST_F(CardHand, ADragTogglesTheCardsItCrossesAndGreysThemOnTheWay)
{
    Deal(kRow);
    Touch(0, StripX(0), kRowY);
    EXPECT_EQ(hand[0]->getColor().r, 170);  // the touched card greys at once
    Touch(1, StripX(3), kRowY);
    EXPECT_EQ(hand[1]->getColor().r, 170);
    EXPECT_EQ(hand[2]->getColor().r, 170);
    EXPECT_EQ(hand[5]->getColor().r, 255);
    Touch(2, StripX(3), kRowY);
    EXPECT_EQ(Selected(), "0 1 2 3");
    for (CardSprite* card : hand)
        EXPECT_EQ(card->getColor().r, 255);
    Drag(3, 0);  // back over the same cards: down again
    EXPECT_EQ(Selected(), "");
}

TEST_F(CardHand, TwoEndsOfALineSelectOneCardOfEachValueBetween)
{
    Deal(kRow);
    TapCard(3);  // 9
    TapCard(7);  // 5
    EXPECT_EQ(Selected(), "3 4 5 6 7");
    for (size_t i : {3, 4, 5, 6, 7})
        hand[i]->SetSelected(0), hand[i]->setPositionY(kRowY);
    // The ten is missing between the king and the nine: nothing more.
    TapCard(0);
    TapCard(3);
    EXPECT_EQ(Selected(), "0 3");
    hand[0]->SetSelected(0), hand[0]->setPositionY(kRowY);
    hand[3]->SetSelected(0), hand[3]->setPositionY(kRowY);
    // Only two values between the nine and the six: nothing more either.
    TapCard(3);
    TapCard(6);
    EXPECT_EQ(Selected(), "3 6");
}

TEST_F(CardHand, AListHoldsItsSpritesUntilTheyLeaveIt)
{
    CardList list;
    CardSprite* card = CardSprite::create();
    const unsigned held = card->retainCount();
    list.push_back(card);
    list.push_back(nullptr);  // ignored
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(card->retainCount(), held + 1);
    list.remove(card);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(card->retainCount(), held);
    list.push_back(card);
    list.clear();
    EXPECT_EQ(card->retainCount(), held);
}

TEST_F(CardHand, SeatLayoutsAndTheBullValue)
{
    LayoutCardTableMyInfo(nullptr);  // no panel: nothing
    LayoutBullTableMyInfo(nullptr);
    CardSprite* card = CardSprite::create();
    for (const auto& c : std::vector<std::pair<uint8_t, uint8_t>>{{0x01, 1}, {0x1A, 10}, {0x2B, 10}, {0x3D, 10}})
    {
        card->SetCardData(c.first);
        SetBullLogicValue(card);
        EXPECT_EQ(card->m_cbLogicValue, c.second) << int{c.first};
    }
    SetBullLogicValue(nullptr);
}

namespace {

class Result : public CResultLayer
{
public:
    CREATE_FUNC(Result)
    CCControlButton* Close(const CCSize& size) { return AddCloseButton("Land/theEnd/close", CCPoint(250, 250), size); }
};

}  // namespace

TEST_F(CardHand, TheResultLayersCloseButtonHidesIt)
{
    Result* result = Result::create();
    scene->addChild(result);
    CCControlButton* sized = result->Close(CCSize(40, 40));
    EXPECT_EQ(sized->getPreferredSize(), CCSize(40, 40));
    CCControlButton* own = result->Close(CCSizeZero);
    EXPECT_GT(own->getPreferredSize().width, 0);
    CCDirector::sharedDirector()->stepFrames(1);
    const CCPoint at = result->convertToWorldSpace(own->getPosition());
    Touch(0, at.x, at.y);  // on touch down
    EXPECT_FALSE(result->isVisible());
    Touch(2, at.x, at.y);
}
