// Scene transitions: each ends with the incoming scene running and the same
// life-cycle calls as a plain scene change; the frames in between show both.

#include <functional>
#include <string>
#include <vector>

#include "ExtFixture.h"

USING_NS_CC;

namespace {

// A scene of one colour that counts its life-cycle calls.
class Counted : public CCScene {
 public:
  static Counted* make(const ccColor4B& colour) {
    Counted* s = new Counted();
    s->init();
    s->autorelease();
    s->addChild(CCLayerColor::create(colour));
    return s;
  }
  int enters = 0, finished = 0, exits = 0, exitStarts = 0, cleanups = 0;
  void onEnter() override {
    CCScene::onEnter();
    ++enters;
  }
  void onEnterTransitionDidFinish() override {
    CCScene::onEnterTransitionDidFinish();
    ++finished;
  }
  void onExit() override {
    CCScene::onExit();
    ++exits;
  }
  void onExitTransitionDidStart() override {
    CCScene::onExitTransitionDidStart();
    ++exitStarts;
  }
  void cleanup() override {
    CCScene::cleanup();
    ++cleanups;
  }
};

typedef std::function<CCScene*(float, CCScene*)> Make;

class TransitionTest : public ExtTest {
 protected:
  void SetUp() override {
    ExtTest::SetUp();
    m_old = Counted::make(ccc4(0, 0, 255, 255));
    m_old->retain();
    m_new = Counted::make(ccc4(255, 0, 0, 255));
    m_new->retain();
    CCDirector::sharedDirector()->runWithScene(m_old);
    step(1);
  }
  void TearDown() override {
    m_old->release();
    m_new->release();
    ExtTest::TearDown();
  }
  // The colour of the window at (x, y) in points, as 0xRRGGBB.
  unsigned int colourAt(float x, float y) {
    CCImage img;
    EXPECT_TRUE(shoot(img));
    return rgbAt(img, (int)x, (int)y);
  }
  void expectHandedOver(bool pushed) {
    CCDirector* d = CCDirector::sharedDirector();
    EXPECT_EQ(d->getRunningScene(), m_new);
    EXPECT_EQ(m_new->enters, 1);
    EXPECT_EQ(m_new->finished, 1);
    EXPECT_EQ(m_old->exitStarts, 1);
    EXPECT_EQ(m_old->exits, 1);
    EXPECT_EQ(m_old->cleanups, pushed ? 0 : 1);
    EXPECT_TRUE(m_old->isVisible());
    EXPECT_EQ(m_new->getPosition(), CCPoint(0, 0));
    EXPECT_TRUE(d->getTouchDispatcher()->isDispatchEvents());
  }

  Counted* m_old = nullptr;
  Counted* m_new = nullptr;
};

const float kW = 1288, kH = 762;

}  // namespace

TEST_F(TransitionTest, EveryKindEndsWithTheNewSceneRunningOnce) {
  struct Kind {
    const char* name;
    float duration;
    Make make;
  };
  Kind kinds[] = {
      {"radial", 0.7f, [](float t, CCScene* s) { return CCTransitionProgressRadialCCW::create(t, s); }},
      {"horizontal", 0.7f, [](float t, CCScene* s) { return CCTransitionProgressHorizontal::create(t, s); }},
      {"in-out", 0.7f, [](float t, CCScene* s) { return CCTransitionProgressInOut::create(t, s); }},
      {"move-left", 0.7f, [](float t, CCScene* s) { return CCTransitionMoveInL::create(t, s); }},
      {"move-bottom", 0.5f, [](float t, CCScene* s) { return CCTransitionMoveInB::create(t, s); }},
  };
  for (const Kind& k : kinds) {
    for (bool push : {true, false}) {
      SCOPED_TRACE(std::string(k.name) + (push ? " pushed" : " replaced"));
      TearDown();
      SetUp();
      CCDirector* d = CCDirector::sharedDirector();
      CCScene* t = k.make(k.duration, m_new);
      ASSERT_NE(t, nullptr);
      t->retain();
      if (push)
        d->pushScene(t);
      else
        d->replaceScene(t);
      step(2);
      EXPECT_EQ(d->getRunningScene(), t);
      EXPECT_EQ(m_new->enters, 1);
      EXPECT_EQ(m_old->exits, 0);
      EXPECT_FALSE(d->getTouchDispatcher()->isDispatchEvents());
      step((int)(k.duration * 60) + 3);
      expectHandedOver(push);
      // Once handed over, nothing holds the transition or its snapshot of the window.
      step(2);
      EXPECT_EQ(t->retainCount(), 1u);
      t->release();
      if (push) {
        d->popScene();
        step(1);
        EXPECT_EQ(d->getRunningScene(), m_old);
        EXPECT_EQ(m_old->enters, 2);
      }
    }
  }
}

TEST_F(TransitionTest, TheFramesBetweenShowBothScenes) {
  CCDirector* d = CCDirector::sharedDirector();
  // Horizontal: the old scene is wiped away from the left.
  d->replaceScene(CCTransitionProgressHorizontal::create(0.7f, m_new));
  step(22);  // about half way
  EXPECT_EQ(colourAt(kW * 0.25f, kH / 2), 0xff0000u);
  EXPECT_EQ(colourAt(kW * 0.75f, kH / 2), 0x0000ffu);
  step(30);
  EXPECT_EQ(colourAt(kW * 0.75f, kH / 2), 0xff0000u);
}

TEST_F(TransitionTest, RadialWipesCounterClockwiseAndInOutGrowsFromTheCentre) {
  CCDirector* d = CCDirector::sharedDirector();
  d->replaceScene(CCTransitionProgressRadialCCW::create(0.7f, m_new));
  step(22);  // the old scene keeps the half clockwise from 12 o'clock: the right
  EXPECT_EQ(colourAt(kW * 0.75f, kH / 2), 0x0000ffu);
  EXPECT_EQ(colourAt(kW * 0.25f, kH / 2), 0xff0000u);
  step(30);
  EXPECT_EQ(d->getRunningScene(), m_new);

  Counted* third = Counted::make(ccc4(0, 255, 0, 255));
  d->replaceScene(CCTransitionProgressInOut::create(0.7f, third));
  step(22);
  EXPECT_EQ(colourAt(kW / 2, kH / 2), 0x00ff00u);
  EXPECT_EQ(colourAt(10, 10), 0xff0000u);
  step(30);
  EXPECT_EQ(d->getRunningScene(), third);
  EXPECT_EQ(m_new->exits, 1);
}

TEST_F(TransitionTest, MoveInSlidesTheNewSceneOverTheOld) {
  CCDirector* d = CCDirector::sharedDirector();
  d->pushScene(CCTransitionMoveInL::create(0.7f, m_new));
  step(5);
  EXPECT_LT(m_new->getPositionX(), 0);
  EXPECT_GT(m_new->getPositionX(), -kW);
  EXPECT_EQ(colourAt(kW - 5, kH / 2), 0x0000ffu);
  step(50);
  EXPECT_EQ(m_new->getPosition(), CCPoint(0, 0));
  EXPECT_EQ(colourAt(kW - 5, kH / 2), 0xff0000u);
}

TEST_F(TransitionTest, NoTransitionToTheSceneAlreadyRunning) {
  EXPECT_EQ(CCTransitionMoveInB::create(0.5f, m_old), nullptr);
  EXPECT_EQ(CCTransitionProgressRadialCCW::create(0.5f, nullptr), nullptr);
}

// Whoever looks at the window is told when a scene change is out: once as a
// transition starts, once after it has handed over, never between, and each
// time after the frame that shows it was drawn.
TEST_F(TransitionTest, EachSceneChangeIsToldOnceItsFirstFrameIsOut) {
  struct Watcher : CCObject {
    std::vector<CCObject*> shown;
    std::vector<unsigned int> drawnThen;
    void onShown(CCObject* scene) {
      shown.push_back(scene);
      drawnThen.push_back(CCDirector::sharedDirector()->getDrawnFrames());
    }
  } watcher;
  CCNotificationCenter::sharedNotificationCenter()->addObserver(
      &watcher, callfuncO_selector(Watcher::onShown), CCDirector::kSceneShownNotification, nullptr);
  CCDirector* d = CCDirector::sharedDirector();
  CCScene* t = CCTransitionProgressHorizontal::create(0.7f, m_new);
  d->pushScene(t);
  const unsigned int before = d->getDrawnFrames();
  step(1);
  ASSERT_EQ(watcher.shown.size(), 1u);
  EXPECT_EQ(watcher.shown[0], t) << "the transition's start was not told as such";
  EXPECT_EQ(watcher.drawnThen[0], before + 1) << "told before its first frame was drawn";

  step(35);  // most of the way: the new scene is not on yet
  EXPECT_EQ(watcher.shown.size(), 1u) << "a scene was told on while the transition still ran";
  step(15);
  ASSERT_EQ(watcher.shown.size(), 2u);
  EXPECT_EQ(watcher.shown[1], m_new);
  EXPECT_EQ(d->getRunningScene(), m_new);
  step(5);
  EXPECT_EQ(watcher.shown.size(), 2u) << "told twice";

  d->popScene();
  step(1);
  ASSERT_EQ(watcher.shown.size(), 3u);
  EXPECT_EQ(watcher.shown[2], m_old);
  CCNotificationCenter::sharedNotificationCenter()->removeAllObservers(&watcher);
}
