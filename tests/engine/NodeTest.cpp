// The node tree, life cycle and geometry the boards depend on.

#include "EngineFixture.h"

USING_NS_CC;

namespace {

std::vector<std::string> g_events;

class Tracked : public CCNode {
 public:
  static Tracked* make(const char* name) {
    Tracked* t = new Tracked();
    t->m_name = name;
    t->init();
    t->autorelease();
    return t;
  }
  void onEnter() override {
    CCNode::onEnter();
    g_events.push_back(m_name + ".enter");
  }
  void onExit() override {
    CCNode::onExit();
    g_events.push_back(m_name + ".exit");
  }
  void cleanup() override {
    CCNode::cleanup();
    g_events.push_back(m_name + ".cleanup");
  }
  std::string m_name;
};

class NodeTest : public EngineTest {};

std::vector<int> childTags(CCNode* n) {
  n->sortAllChildren();
  std::vector<int> tags;
  CCObject* o;
  CCARRAY_FOREACH(n->getChildren(), o) { tags.push_back(static_cast<CCNode*>(o)->getTag()); }
  return tags;
}

}  // namespace

TEST_F(NodeTest, ChildrenOrderByZThenArrival) {
  CCNode* root = CCNode::create();
  root->addChild(CCNode::create(), 5, 1);
  root->addChild(CCNode::create(), -1, 2);
  root->addChild(CCNode::create(), 5, 3);
  root->addChild(CCNode::create(), 0, 4);
  EXPECT_EQ(childTags(root), (std::vector<int>{2, 4, 1, 3}));
  // Re-ordering to the same z puts the child after its equals ("z becomes 10 - z").
  root->reorderChild(root->getChildByTag(1), 5);
  EXPECT_EQ(childTags(root), (std::vector<int>{2, 4, 3, 1}));
  root->getChildByTag(2)->setZOrder(10 - root->getChildByTag(2)->getZOrder());
  EXPECT_EQ(childTags(root), (std::vector<int>{4, 3, 1, 2}));
  EXPECT_EQ(root->getChildByTag(99), nullptr);
  root->removeChildByTag(99);  // logged, harmless
  EXPECT_EQ(root->getChildrenCount(), 4u);
}

TEST_F(NodeTest, LifeCycleFollowsTheRunningTree) {
  g_events.clear();
  CCScene* scene = runScene();
  Tracked* a = Tracked::make("a");
  Tracked* b = Tracked::make("b");
  a->addChild(b);
  EXPECT_TRUE(g_events.empty());
  scene->addChild(a);
  EXPECT_EQ(g_events, (std::vector<std::string>{"b.enter", "a.enter"}));
  EXPECT_TRUE(b->isRunning());
  g_events.clear();
  a->runAction(CCMoveBy::create(1, ccp(1, 1)));
  scene->removeChild(a, true);
  // Children finish first (each override logs after the base call).
  EXPECT_EQ(g_events, (std::vector<std::string>{"b.exit", "a.exit", "b.cleanup", "a.cleanup"}));
  EXPECT_EQ(a->numberOfRunningActions(), 0u);
}

TEST_F(NodeTest, RemovingAllChildrenDuringExitIsSafe) {
  CCScene* scene = runScene();
  CCNode* holder = CCNode::create();
  for (int i = 0; i < 5; ++i) holder->addChild(Tracked::make("x"), 0, i);
  scene->addChild(holder);
  holder->removeAllChildrenWithCleanup(true);
  EXPECT_EQ(holder->getChildrenCount(), 0u);
  scene->removeAllChildrenWithCleanup(true);
  step(2);
}

TEST_F(NodeTest, TransformsAndHitBoxes) {
  CCNode* parent = CCNode::create();
  parent->setPosition(ccp(100, 50));
  parent->setScale(2);
  CCNode* child = CCNode::create();
  child->setContentSize(CCSize(40, 20));
  child->setAnchorPoint(ccp(0.5f, 0.5f));
  child->setPosition(ccp(10, 10));
  parent->addChild(child);

  CCRect box = child->boundingBox();
  EXPECT_EQ(box, CCRect(-10, 0, 40, 20));
  EXPECT_TRUE(box.containsPoint(ccp(-10, 0)));  // edges count
  CCPoint world = child->convertToWorldSpace(ccp(0, 0));
  EXPECT_FLOAT_EQ(world.x, 100 + 2 * -10);
  EXPECT_FLOAT_EQ(world.y, 50 + 2 * 0);
  CCPoint back = child->convertToNodeSpace(world);
  EXPECT_NEAR(back.x, 0, 1e-4);
  EXPECT_NEAR(back.y, 0, 1e-4);
  EXPECT_NEAR(child->convertToNodeSpaceAR(world).x, -20, 1e-4);

  // Rotation is clockwise in degrees.
  child->setRotation(90);
  CCPoint right = child->convertToWorldSpaceAR(ccp(10, 0));
  EXPECT_NEAR(right.x, 100 + 2 * 10, 1e-3);
  EXPECT_NEAR(right.y, 50 + 2 * (10 - 10), 1e-3);
  // A node scaled to zero has no inverse; hit tests stay finite.
  child->setScaleX(0);
  CCPoint p = child->convertToNodeSpace(ccp(3, 4));
  EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));

  // Layers and scenes place their origin at the position, whatever the anchor.
  CCLayer* layer = CCLayer::create();
  layer->setPosition(ccp(5, 7));
  EXPECT_EQ(layer->convertToWorldSpace(ccp(0, 0)), ccp(5, 7));
}

TEST_F(NodeTest, OpacityAndColourDoNotCascade) {
  CCLayerRGBA* root = CCLayerRGBA::create();
  CCSprite* child = CCSprite::create();
  root->addChild(child);
  root->setOpacity(0);
  root->setColor(ccc3(10, 10, 10));
  EXPECT_EQ(child->getDisplayedOpacity(), 255);
  EXPECT_EQ(child->getDisplayedColor(), ccWHITE);
  // Unless a node asks for it.
  root->setCascadeOpacityEnabled(true);
  root->setOpacity(128);
  EXPECT_EQ(child->getDisplayedOpacity(), 128);
  EXPECT_EQ(child->getOpacity(), 255);
}

TEST_F(NodeTest, UserObjectIsRetainedAndUserDataIsNot) {
  CCNode* n = CCNode::create();
  CCString* s = new CCString("keep");
  n->setUserObject(s);
  s->release();
  EXPECT_EQ(s->retainCount(), 1u);
  EXPECT_STREQ(static_cast<CCString*>(n->getUserObject())->getCString(), "keep");
  int data = 5;
  n->setUserData(&data);
  EXPECT_EQ(n->getUserData(), &data);
}
