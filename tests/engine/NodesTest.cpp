// Menus, progress timers and clipping: touch tracking and picture swaps,
// percentage clamping and the shapes drawn, the clip of a moving stencil.

#include <cmath>
#include <string>
#include <vector>

#include "ExtFixture.h"

USING_NS_CC;

namespace {

class Picks : public CCObject {
 public:
  std::vector<int> tags;
  void onItem(CCObject* sender) { tags.push_back(static_cast<CCNode*>(sender)->getTag()); }
  void closeMenu(CCObject* sender) {
    onItem(sender);
    static_cast<CCNode*>(sender)->getParent()->removeFromParentAndCleanup(true);
  }
};

class NodesTest : public ExtTest {
 protected:
  void SetUp() override {
    ExtTest::SetUp();
    writePng("Speaker/SingleSelect_01.png", 18, 18, 0xffffffff);
    writePng("Speaker/SingleSelect_02.png", 18, 18, 0x00ff00ff);
    writePng("Ring/ring.png", 100, 100, 0xff0000ff);
    m_scene = runScene();
    m_picks = new Picks();
  }
  void TearDown() override {
    m_picks->release();
    ExtTest::TearDown();
  }
  CCMenuItemImage* item(int tag, float x, float y) {
    CCMenuItemImage* i = CCMenuItemImage::create("Speaker/SingleSelect_01", "Speaker/SingleSelect_02", m_picks,
                                                 menu_selector(Picks::onItem));
    i->setTag(tag);
    i->setPosition(x, y);
    return i;
  }
  CCScene* m_scene = nullptr;
  Picks* m_picks = nullptr;
};

}  // namespace

TEST_F(NodesTest, MenuActivatesTheItemTheTouchEndsOn) {
  CCMenu* menu = CCMenu::create(item(1, 220, 202), item(2, 220, 225), nullptr);
  menu->setPosition(0, 0);
  m_scene->addChild(menu);
  click(220, 202);
  click(221, 226);
  EXPECT_EQ(m_picks->tags, (std::vector<int>{1, 2}));

  // Pressed: the selected picture shows; moving off unselects, and the end
  // activates nothing.
  CCMenuItemImage* first = static_cast<CCMenuItemImage*>(menu->getChildByTag(1));
  press(220, 202);
  EXPECT_TRUE(first->getSelectedImage()->isVisible());
  EXPECT_FALSE(first->getNormalImage()->isVisible());
  drag(400, 400);
  EXPECT_TRUE(first->getNormalImage()->isVisible());
  release(400, 400);
  EXPECT_EQ(m_picks->tags.size(), 2u);

  // Disabled items, hidden items and hidden parents take nothing.
  first->setEnabled(false);
  click(220, 202);
  first->setEnabled(true);
  first->setVisible(false);
  click(220, 202);
  first->setVisible(true);
  m_scene->setVisible(false);
  click(220, 202);
  m_scene->setVisible(true);
  EXPECT_EQ(m_picks->tags.size(), 2u);
}

TEST_F(NodesTest, RadioItemsSwapTheirPictures) {
  CCMenuItemImage* i = item(1, 0, 0);
  CCNode* normal = i->getNormalImage();
  CCNode* selected = i->getSelectedImage();
  normal->retain();
  // Show the selected picture as normal: the item gives it the normal role.
  i->setNormalImage(selected);
  i->setSelectedImage(normal);
  EXPECT_EQ(i->getNormalImage(), selected);
  EXPECT_EQ(i->getSelectedImage(), normal);
  EXPECT_EQ(i->getChildrenCount(), 2u);
  EXPECT_TRUE(selected->isVisible());
  EXPECT_FALSE(normal->isVisible());
  normal->release();
  // Fresh pictures replace the old ones.
  i->setNormalImage(CCSprite::create("Speaker/SingleSelect_01"));
  EXPECT_EQ(i->getChildrenCount(), 2u);
}

TEST_F(NodesTest, AnItemMayCloseItsMenu) {
  CCMenuItemImage* closing = item(7, 100, 100);
  closing->setTarget(m_picks, menu_selector(Picks::closeMenu));
  CCLayer* dialog = CCLayer::create();
  m_scene->addChild(dialog);
  CCMenu* menu = CCMenu::create(closing, nullptr);
  menu->setPosition(0, 0);
  dialog->addChild(menu);
  click(100, 100);
  step(2);
  EXPECT_EQ(m_picks->tags, (std::vector<int>{7}));
  EXPECT_EQ(dialog->getChildrenCount(), 0u);
}

TEST_F(NodesTest, LabelItemsGreyOutWhenDisabled) {
  CCLabelTTF* label = CCLabelTTF::create("OK", "Arial", 20);
  label->setColor(ccc3(10, 20, 30));
  CCMenuItemLabel* i = CCMenuItemLabel::create(label, m_picks, menu_selector(Picks::onItem));
  i->setEnabled(false);
  EXPECT_EQ(label->getColor(), ccc3(126, 126, 126));
  i->setEnabled(true);
  EXPECT_EQ(label->getColor(), ccc3(10, 20, 30));
  EXPECT_EQ(i->getContentSize(), label->getContentSize());
}

TEST_F(NodesTest, ProgressPercentageClampsToItsRange) {
  CCProgressTimer* ring = CCProgressTimer::create(CCSprite::create("Ring/ring"));
  ring->setPercentage(-5);
  EXPECT_FLOAT_EQ(ring->getPercentage(), 0);
  ring->setPercentage(250);
  EXPECT_FLOAT_EQ(ring->getPercentage(), 100);

  // Counting down past zero lands exactly on 0.
  m_scene->addChild(ring);
  ring->setPercentage(3);
  ring->runAction(CCProgressFromTo::create(0.5f, 3, -10));
  step(60);
  EXPECT_FLOAT_EQ(ring->getPercentage(), 0);
  EXPECT_TRUE(ring->getShape().empty());

  // ProgressTo starts from the current value, or from 0 when full.
  ring->setPercentage(100);
  ring->runAction(CCProgressTo::create(1, 50));
  step(31);
  EXPECT_NEAR(ring->getPercentage(), 25, 1);
  step(40);
  EXPECT_FLOAT_EQ(ring->getPercentage(), 50);
}

TEST_F(NodesTest, RadialAndBarShapes) {
  std::vector<CCPoint> fan;
  CCPoint mid(0.5f, 0.5f);
  // A quarter, clockwise from 12 o'clock: centre, top, the top-right corner, the right edge.
  ccProgressRadialShape(25, mid, false, fan);
  ASSERT_EQ(fan.size(), 4u);
  EXPECT_EQ(fan[1], CCPoint(0.5f, 1));
  EXPECT_EQ(fan[2], CCPoint(1, 1));
  EXPECT_NEAR(fan[3].x, 1, 1e-5);
  EXPECT_NEAR(fan[3].y, 0.5f, 1e-5);
  // Reversed: towards the left.
  ccProgressRadialShape(25, mid, true, fan);
  EXPECT_EQ(fan[2], CCPoint(0, 1));
  EXPECT_NEAR(fan[3].x, 0, 1e-5);
  // 40%: past the bottom-right corner (at 37.5%), on the bottom edge.
  ccProgressRadialShape(40, mid, false, fan);
  ASSERT_EQ(fan.size(), 5u);
  EXPECT_EQ(fan[3], CCPoint(1, 0));
  EXPECT_NEAR(fan[4].x, 0.5f + 0.5f * std::tan(0.2f * 3.14159265f), 1e-5);
  EXPECT_NEAR(fan[4].y, 0, 1e-5);
  ccProgressRadialShape(100, mid, false, fan);
  EXPECT_EQ(fan.size(), 7u);

  // A bar from the right edge shrinking leftwards (the horizontal wipe).
  CCPoint lo, hi;
  ccProgressBarRect(30, CCPoint(1, 0), CCPoint(1, 0), lo, hi);
  EXPECT_NEAR(lo.x, 0.7f, 1e-5);
  EXPECT_FLOAT_EQ(hi.x, 1);
  EXPECT_FLOAT_EQ(lo.y, 0);
  EXPECT_FLOAT_EQ(hi.y, 1);
  // Grown from the centre on both axes.
  ccProgressBarRect(50, mid, CCPoint(1, 1), lo, hi);
  EXPECT_EQ(lo, CCPoint(0.25f, 0.25f));
  EXPECT_EQ(hi, CCPoint(0.75f, 0.75f));
}

TEST_F(NodesTest, ProgressDrawsOnlyItsPart) {
  CCProgressTimer* bar = CCProgressTimer::create(CCSprite::create("Ring/ring"));
  bar->setType(kCCProgressTimerTypeBar);
  bar->setMidpoint(CCPoint(0, 0.5f));
  bar->setBarChangeRate(CCPoint(1, 0));
  bar->setPercentage(40);
  bar->setPosition(200, 200);
  m_scene->addChild(bar);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  // The sprite spans x 150..250; 40% from the left reaches x 190.
  EXPECT_EQ(rgbAt(img, 160, 200), 0xff0000u);
  EXPECT_EQ(rgbAt(img, 185, 200), 0xff0000u);
  EXPECT_NE(rgbAt(img, 195, 200), 0xff0000u);
}

TEST_F(NodesTest, ClippingFollowsTheStencilBox) {
  writePng("HorseBattle/Tile.png", 100, 50, 0xffffffff);
  CCSprite* stencil = CCSprite::create("HorseBattle/Tile");
  stencil->setPosition(300, 300);
  CCClippingNode* clip = CCClippingNode::create(stencil);
  CCLayerColor* content = CCLayerColor::create(ccc4(0, 0, 255, 255), 600, 600);
  clip->addChild(content);
  m_scene->addChild(clip);
  EXPECT_EQ(clip->stencilRect(), CCRect(250, 275, 100, 50));
  // The stencil runs with the node, so it can move.
  stencil->runAction(CCMoveBy::create(0.1f, CCPoint(50, 0)));
  step(10);
  EXPECT_EQ(clip->stencilRect(), CCRect(300, 275, 100, 50));

  CCImage img;
  ASSERT_TRUE(shoot(img));
  EXPECT_EQ(rgbAt(img, 350, 300), 0x0000ffu);
  EXPECT_NE(rgbAt(img, 280, 300), 0x0000ffu);
  EXPECT_NE(rgbAt(img, 350, 200), 0x0000ffu);
}
