// The covering check that board tests lean on: a picture drawn later over a
// text counts, one drawn earlier, a clear middle round the text or an
// allowed pair does not.
#include "../Covering.h"
#include "ui/UiFixture.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cocos2d;

namespace {

// A picture of one colour, clear inside the border when `ring`.
CCSprite* Picture(int w, int h, bool ring, ccColor4B colour)
{
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const bool edge = x < 4 || y < 4 || x >= w - 4 || y >= h - 4;
            unsigned char* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            const bool drawn = !ring || edge;
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
            p[3] = drawn ? colour.a : 0;
        }
    auto* texture = new CCTexture2D();
    texture->initWithData(px.data(), static_cast<unsigned>(w), static_cast<unsigned>(h));
    texture->autorelease();
    return CCSprite::createWithTexture(texture);
}

class Covering : public UiFixture
{
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        amount = CCLabelTTF::create("8800000", "Arial", 24);
        amount->setPosition(ccp(400, 300));
        scene->addChild(amount, 5);
    }
    std::vector<covering::Readable> Readables() { return {{"amount", amount}}; }
    CCLabelTTF* amount = nullptr;
};

TEST_F(Covering, APictureDrawnLaterOverTheTextCovers)
{
    CCSprite* chip = Picture(40, 40, false, ccc4(200, 40, 40, 255));
    chip->setPosition(ccp(400, 300));
    scene->addChild(chip, 6);
    const auto found = covering::Covered(Readables(), {{chip, "chip"}});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].rfind("chip ", 0), 0u) << found[0];
    // Allowed on purpose: nothing is said.
    EXPECT_TRUE(covering::Covered(Readables(), {{chip, "chip"}}, {{"amount", "chip"}}).empty());
    // The same picture drawn first lies under the text.
    chip->setZOrder(1);
    EXPECT_TRUE(covering::Covered(Readables(), {{chip, "chip"}}).empty());
}

TEST_F(Covering, AFrameClearInTheMiddleOrAPictureBesideTheTextDoesNot)
{
    CCSprite* frame = Picture(160, 60, true, ccc4(240, 200, 40, 255));
    frame->setPosition(ccp(400, 300));
    scene->addChild(frame, 6);
    CCSprite* beside = Picture(40, 40, false, ccc4(40, 40, 200, 255));
    beside->setPosition(ccp(520, 300));
    scene->addChild(beside, 7);
    EXPECT_TRUE(covering::Covered(Readables()).empty());
    // The check puts back what it hid.
    EXPECT_EQ(frame->getOpacity(), 255);
    EXPECT_TRUE(amount->isVisible());
}

TEST_F(Covering, OnlyWhatAPlayerReadsOfItCounts)
{
    // Over the amount's last digits only.
    CCSprite* chip = Picture(30, 40, false, ccc4(200, 40, 40, 255));
    chip->setPosition(ccp(440, 300));
    scene->addChild(chip, 6);
    const CCRect text = nodeboxes::WorldBox(amount);
    const CCRect left(text.getMinX(), text.getMinY(), text.size.width / 3, text.size.height);
    const CCRect right(text.getMaxX() - text.size.width / 3, text.getMinY(), text.size.width / 3, text.size.height);
    EXPECT_TRUE(covering::Covered({{"amount", amount, left}}, {{chip, "chip"}}).empty());
    EXPECT_EQ(covering::Covered({{"amount", amount, right}}, {{chip, "chip"}}).size(), 1u);
}

TEST_F(Covering, ASeeThroughPanelOverTheTextCoversAndIsNamedByItsOwner)
{
    auto* panel = CCLayerColor::create(ccc4(0, 0, 0, 160), 300, 80);
    panel->setPosition(ccp(300, 260));
    auto* owner = CCNode::create();
    owner->addChild(panel);
    scene->addChild(owner, 9);
    const auto found = covering::Covered(Readables(), {{owner, "result view"}});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("in result view"), std::string::npos) << found[0];
}

}  // namespace
