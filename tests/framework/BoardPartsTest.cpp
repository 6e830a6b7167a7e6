// The board's parts on their own: the card sprite, the shake, the timer box,
// the frame animations.
#include "games/framework/BoardArt.h"
#include "games/framework/CCShake.h"
#include "games/framework/CardSprite.h"
#include "games/framework/TimerBox.h"
#include "ui/UiFixture.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace cocos2d;
using namespace Sexy;

namespace {

class BoardParts : public UiFixture
{
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
        for (const char* sheet : {"ClientGame/Cards.plist", "ClientGame/TimerNum.plist", "ClientGame/Light.plist"})
            frames->addSpriteFramesWithFile(sheet);
    }
    static void Step(int frames = 1) { CCDirector::sharedDirector()->stepFrames(frames); }
};

// Records what a card tells its listener.
class Listener : public CCardListener
{
public:
    bool OnCardTouchBegan(CardSprite* card) override
    {
        log.push_back("began");
        (void)card;
        return false;  // the card claims the touch all the same
    }
    void OnCardTouchMoved(CardSprite* card) override
    {
        log.push_back("moved " + std::to_string(static_cast<int>(card->GetTouchMovePoint().x)));
    }
    void OnCardTouchEnded(CardSprite* card) override
    {
        log.push_back("ended " + std::to_string(static_cast<int>(card->GetTouchMovePoint().x)));
    }
    void OnCardDataChanged(CardSprite* card) override
    {
        // A bull game: court cards count ten.
        card->m_cbLogicValue = card->m_cbFaceValue > 10 ? 10 : card->m_cbFaceValue;
    }
    std::vector<std::string> log;
};

// A layer under the cards that claims whatever reaches it.
class Floor : public CCLayer
{
public:
    CREATE_FUNC(Floor)
    void registerWithTouchDispatcher() override
    {
        CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, -128, true);
    }
    bool ccTouchBegan(CCTouch*, CCEvent*) override
    {
        ++touches;
        return true;
    }
    int touches = 0;
};

TEST_F(BoardParts, CardBytesPickTheirFrameFaceAndColour)
{
    struct Case
    {
        uint8_t card, frame, face, colour;
    };
    const Case cases[] = {
        {0x01, 0, 1, 0},   {0x0D, 12, 13, 0}, {0x11, 13, 1, 1}, {0x3D, 51, 13, 3}, {0x4E, 52, 14, 4}, {0x4F, 53, 15, 4},
        {0x41, 52, 14, 4}, {0x42, 53, 15, 4}, {99, 54, 3, 4},   {0x5F, 0, 1, 0},   {0x00, 0, 1, 0},   {0xFF, 0, 1, 0},
    };
    CardSprite* card = CardSprite::create();
    ASSERT_NE(card, nullptr);
    for (const Case& c : cases)
    {
        card->SetCardData(c.card);
        EXPECT_EQ(card->GetCardData(), c.card);
        EXPECT_EQ(card->m_cbFrameIndex, c.frame) << int(c.card);
        EXPECT_EQ(card->m_cbFaceValue, c.face) << int(c.card);
        EXPECT_EQ(card->m_cbColor, c.colour) << int(c.card);
        // Without a listener the logic value is the face value.
        EXPECT_EQ(card->m_cbLogicValue, c.face) << int(c.card);
        EXPECT_FALSE(card->isStandIn());
    }
    Listener listener;
    card->SetCardListener(&listener);
    card->SetCardData(0x2C);  // queen
    EXPECT_EQ(card->m_cbFaceValue, 12);
    EXPECT_EQ(card->m_cbLogicValue, 10);
}

TEST_F(BoardParts, CardShowsItsFrameAfresh)
{
    CardSprite* card = CardSprite::create();
    card->setAnchorPoint(CCPoint(0, 0));
    card->setColor(ccc3(128, 128, 128));
    card->SetCardData(0x21);
    EXPECT_TRUE(card->displayFrame()->getRect().equals(
        CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("Card-26")->getRect()));
    EXPECT_EQ(card->getContentSize(), CCSize(97, 130));
    // As a fresh card: centred, untinted.
    EXPECT_EQ(card->getAnchorPoint(), CCPoint(0.5f, 0.5f));
    EXPECT_EQ(card->getColor().r, 255);
}

TEST_F(BoardParts, ClaimedTouchesReachTheListenerAndOthersPassBelow)
{
    Floor* floor = Floor::create();
    floor->setTouchEnabled(true);
    scene->addChild(floor);
    CCNode* hand = CCNode::create();
    scene->addChild(hand);
    hand->setPosition(CCPoint(100, 100));
    CardSprite* card = CardSprite::create();
    card->SetCardData(0x01);
    card->setPosition(CCPoint(100, 100));  // 151..248 x 135..265 on screen
    hand->addChild(card);
    Listener listener;
    card->SetCardListener(&listener);
    Step();

    Touch(0, 200, 200);
    Touch(1, 210, 200);
    Touch(1, 230, 190);
    Touch(2, 240, 190);
    EXPECT_EQ(listener.log, (std::vector<std::string>{"began", "moved 110", "moved 130", "ended 140"}));
    EXPECT_EQ(card->GetTouchBeginPoint(), CCPoint(100, 100));  // in the hand's space
    EXPECT_EQ(card->GetTouchPrevPoint(), CCPoint(130, 90));
    EXPECT_EQ(floor->touches, 0);  // swallowed

    const struct
    {
        const char* why;
        float x, y;
        void (*set)(CardSprite*, CCNode*);
    } misses[] = {
        {"outside", 100, 100, [](CardSprite*, CCNode*) {}},
        {"disabled", 200, 200, [](CardSprite* c, CCNode*) { c->SetDisabled(1); }},
        {"hidden", 200, 200, [](CardSprite* c, CCNode*) { c->setVisible(false); }},
        {"hidden parent", 200, 200, [](CardSprite*, CCNode* h) { h->setVisible(false); }},
    };
    for (const auto& miss : misses)
    {
        card->SetDisabled(0);
        card->setVisible(true);
        hand->setVisible(true);
        miss.set(card, hand);
        listener.log.clear();
        const int before = floor->touches;
        Tap(miss.x, miss.y);
        EXPECT_TRUE(listener.log.empty()) << miss.why;
        EXPECT_EQ(floor->touches, before + 1) << miss.why;
    }
}

TEST_F(BoardParts, CardLeavesTheDispatcherWithTheScene)
{
    CardSprite* card = CardSprite::create();
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    EXPECT_FALSE(dispatcher->hasDelegate(card));  // not shown: not kept alive
    scene->addChild(card);
    EXPECT_TRUE(dispatcher->hasDelegate(card));
    card->removeFromParentAndCleanup(true);
    EXPECT_FALSE(dispatcher->hasDelegate(card));
}

TEST_F(BoardParts, ShakeStaysWithinItsStrengthAndEndsWhereItBegan)
{
    CCNode* node = CCNode::create();
    scene->addChild(node);
    node->setPosition(CCPoint(300, 200));
    // Offsets scale with the progress: at half way within half the strength,
    // whatever the generator's range.
    for (unsigned seed : {1u, 7u, 12345u})
    {
        std::srand(seed);
        CCShake* shake = CCShake::create(1.0f, 8, 4);
        shake->startWithTarget(node);
        for (int i = 0; i < 200; ++i)
        {
            shake->update(0.5f);
            EXPECT_LE(std::abs(node->getPositionX() - 300), 4.0f);
            EXPECT_LE(std::abs(node->getPositionY() - 200), 2.0f);
            shake->update(1.0f);
            EXPECT_LE(std::abs(node->getPositionX() - 300), 8.0f);
            EXPECT_LE(std::abs(node->getPositionY() - 200), 4.0f);
        }
        shake->stop();
        EXPECT_EQ(node->getPosition(), CCPoint(300, 200));
    }
    // Run by the engine: back in place when it ends, and when stopped early.
    CCShake* early = CCShake::create(0.5f, 8);
    node->runAction(early);
    Step(10);
    early->stop();
    node->stopAction(early);
    EXPECT_EQ(node->getPosition(), CCPoint(300, 200));
    node->runAction(CCShake::create(0.5f, 8));
    Step(40);
    EXPECT_EQ(node->getPosition(), CCPoint(300, 200));
    // No strength, no movement.
    node->runAction(CCShake::create(0.5f, 0));
    for (int i = 0; i < 10; ++i)
    {
        Step();
        EXPECT_EQ(node->getPosition(), CCPoint(300, 200));
    }
}

TEST_F(BoardParts, TimerBoxShowsTwoDigitsUpTo99)
{
    CTimerBox* box = CTimerBox::create();
    ASSERT_NE(box, nullptr);
    scene->addChild(box);
    box->setVisible(false);
    const struct
    {
        uint16_t seconds;
        int tens, ones;
    } cases[] = {{7, 0, 7}, {10, 1, 0}, {45, 4, 5}, {0, 0, 0}, {99, 9, 9}, {100, 9, 9}, {65535, 9, 9}};
    for (const auto& c : cases)
    {
        box->SetTime(200, 100, c.seconds);
        EXPECT_EQ(box->GetSeconds(), c.seconds);
        EXPECT_EQ(box->GetTensDigit(), c.tens) << c.seconds;
        EXPECT_EQ(box->GetOnesDigit(), c.ones) << c.seconds;
        EXPECT_TRUE(box->isVisible());
        EXPECT_TRUE(box->GetTens()->isVisible());
        EXPECT_EQ(box->getPosition(), CCPoint(200, 100));
        EXPECT_EQ(box->GetOnes()->getPosition(), CCPoint(76, 74));
    }
    // Every digit came from its frame: no stand-in was needed (the fixture
    // fails on a missing picture too).
    EXPECT_FALSE(box->GetTens()->isStandIn());
    EXPECT_FALSE(box->GetOnes()->isStandIn());
    Step(30);  // the light runs
}

}  // namespace

// The frames come in order; a missing one is left out when asked, and the
// looping sprite starts on the first frame.
TEST_F(BoardParts, FrameAnimationsTakeTheFramesInOrder)
{
    CCAnimation* light = FrameAnimation("Light-%d", 1, 5, 0.2f);
    ASSERT_EQ(light->getFrames()->count(), 5u);
    EXPECT_FLOAT_EQ(light->getDuration(), 1.0f);
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    EXPECT_EQ(static_cast<CCAnimationFrame*>(light->getFrames()->objectAtIndex(2))->getSpriteFrame(),
              cache->findFrame("Light-3"));

    CCAnimation* partial = FrameAnimation("Light-%d", 4, 7, 0.1f, false);  // 6 and 7 do not exist
    EXPECT_EQ(partial->getFrames()->count(), 2u);
    EXPECT_EQ(FrameAnimation("Nothing-%d", 1, 3, 0.1f, false)->getFrames()->count(), 0u);
    EXPECT_EQ(FirstFrameSprite(FrameAnimation("Nothing-%d", 1, 3, 0.1f, false))->getTexture(), nullptr);

    CCSprite* loop = LoopingFrameSprite("Light-%d", 1, 5, 0.2f);
    EXPECT_TRUE(loop->isFrameDisplayed(cache->findFrame("Light-1")));
    CCDirector::sharedDirector()->getRunningScene()->addChild(loop);
    Step(13);  // past 0.2 s
    EXPECT_TRUE(loop->isFrameDisplayed(cache->findFrame("Light-2")));
    Step(60);  // round again after a second
    EXPECT_EQ(loop->numberOfRunningActions(), 1u);
    loop->removeFromParent();
}

// A name longer than its column is cut by whole characters and ends in
// "..."; one that fits keeps every character.
TEST_F(BoardParts, TextsAreFittedToTheirColumns)
{
    CCLabelTTF* name = CCLabelTTF::create("欢乐豆子不够用了", "Arial", 16);
    const float whole = name->getContentSize().width;
    FitTextToWidth(name, whole);
    EXPECT_STREQ(name->getString(), "欢乐豆子不够用了");
    FitTextToWidth(name, 80);
    const std::string cut = name->getString();
    EXPECT_LE(name->getContentSize().width, 80);
    ASSERT_GT(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(std::string("欢乐豆子不够用了").compare(0, cut.size() - 3, cut, 0, cut.size() - 3), 0);
    FitTextToWidth(name, 1);  // nothing fits: the dots alone
    EXPECT_STREQ(name->getString(), "...");

    // The minus of an atlas figure is the cell after '9'.
    EXPECT_EQ(AtlasFigure(-1234567890), ":1234567890");
    EXPECT_EQ(AtlasFigure(600), "600");
    EXPECT_EQ(AtlasFigure(INT64_MIN), ":9223372036854775808");
}
