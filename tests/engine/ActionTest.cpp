// Action end states and timing under the fixed 1/60 s step.

#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "EngineFixture.h"

USING_NS_CC;

namespace {

class Probe : public CCSprite {
 public:
  static Probe* make() {
    Probe* p = new Probe();
    p->init();
    p->autorelease();
    return p;
  }
  std::vector<std::string> log;
  std::vector<CCNode*> nodes;
  void a() { log.push_back("a"); }
  void b() { log.push_back("b"); }
  void withNode(CCNode* n) { nodes.push_back(n); }
  void withData(CCNode* n, void* d) {
    nodes.push_back(n);
    log.push_back(*static_cast<std::string*>(d));
  }
  void stopAll() {
    log.push_back("stop");
    stopAllActions();
  }
};

class ActionTest : public EngineTest {
 protected:
  Probe* probe() {
    if (!m_scene) m_scene = runScene();
    Probe* p = Probe::make();
    m_scene->addChild(p);
    return p;
  }
  // Three frames of 0.25 s, 0.5 s and 0.25 s (delay units 1, 2, 1), run `loops` times.
  static CCAnimate* threeFrames(unsigned int loops) { return CCAnimate::create(frameStrip({1, 2, 1}, 0.25f, loops)); }
  CCScene* m_scene = nullptr;
};

}  // namespace

TEST_F(ActionTest, IntervalActionsEndExactlyWhereAskedAfterTheirDuration) {
  Probe* p = probe();
  p->setPosition(ccp(10, 20));
  p->runAction(CCMoveTo::create(1.0f, ccp(110, 220)));
  // The first step applies t = 0; sixty more steps of 1/60 s make a second.
  step(1);
  EXPECT_EQ(p->getPosition(), ccp(10, 20));
  step(30);
  EXPECT_NEAR(p->getPositionX(), 60, 0.01);
  step(29);
  EXPECT_EQ(p->numberOfRunningActions(), 1u);
  step(1);
  EXPECT_EQ(p->getPosition(), ccp(110, 220));
  EXPECT_EQ(p->numberOfRunningActions(), 0u);

  Probe* q = probe();
  q->runAction(CCSpawn::create(CCMoveBy::create(0.5f, ccp(-43, 30)), CCScaleTo::create(1.0f, 0.0f, 1.0f),
                               CCRotateBy::create(1.0f, 720), CCFadeOut::create(0.25f), nullptr));
  step(61);
  EXPECT_EQ(q->getPosition(), ccp(-43, 30));
  EXPECT_EQ(q->getScaleX(), 0.0f);
  EXPECT_EQ(q->getScaleY(), 1.0f);
  EXPECT_FLOAT_EQ(q->getRotation(), 720.0f);
  EXPECT_EQ(q->getOpacity(), 0);
}

TEST_F(ActionTest, ZeroOrNegativeDurationCompletesOnTheFirstStep) {
  Probe* p = probe();
  p->setOpacity(0);
  p->runAction(CCFadeIn::create(0));
  p->runAction(CCMoveTo::create(-1.0f, ccp(5, 6)));
  p->runAction(CCFadeTo::create(0, 255));
  step(1);
  EXPECT_EQ(p->getOpacity(), 255);
  EXPECT_EQ(p->getPosition(), ccp(5, 6));
  EXPECT_EQ(p->numberOfRunningActions(), 0u);
}

TEST_F(ActionTest, SequenceRunsEveryStepInOrderEvenAcrossALongFrame) {
  Probe* p = probe();
  std::string data = "nd";
  p->runAction(CCSequence::create(
      CCCallFunc::create(p, callfunc_selector(Probe::a)), CCDelayTime::create(0.5f),
      CCCallFunc::create(p, callfunc_selector(Probe::b)), CCMoveBy::create(0.5f, ccp(100, 0)),
      CCCallFuncN::create(p, callfuncN_selector(Probe::withNode)),
      CCCallFuncND::create(p, callfuncND_selector(Probe::withData), &data), CCHide::create(), nullptr));
  step(1);
  EXPECT_EQ(p->log, (std::vector<std::string>{"a"}));
  // One frame of two seconds: everything left happens, in order.
  CCDirector::sharedDirector()->getActionManager()->update(2.0f);
  EXPECT_EQ(p->log, (std::vector<std::string>{"a", "b", "nd"}));
  EXPECT_EQ(p->getPosition(), ccp(100, 0));
  ASSERT_EQ(p->nodes.size(), 2u);
  EXPECT_EQ(p->nodes[0], p);
  EXPECT_FALSE(p->isVisible());
}

TEST_F(ActionTest, RepeatRunsTheInnerActionNTimesAndForeverNeverEnds) {
  Probe* p = probe();
  p->runAction(CCRepeat::create(CCSequence::create(CCMoveBy::create(0.5f, ccp(10, 0)),
                                                   CCCallFunc::create(p, callfunc_selector(Probe::a)), nullptr),
                                3));
  step(200);
  EXPECT_EQ(p->log.size(), 3u);
  EXPECT_NEAR(p->getPositionX(), 30, 0.01);

  Probe* f = probe();
  f->runAction(CCRepeatForever::create(
      CCSequence::create(CCDelayTime::create(0.5f), CCCallFunc::create(f, callfunc_selector(Probe::a)), nullptr)));
  step(60 * 10 + 1);
  EXPECT_EQ(f->log.size(), 20u);
  EXPECT_EQ(f->numberOfRunningActions(), 1u);
}

TEST_F(ActionTest, RotateToTakesTheShortWayAndBlinkRestoresVisibility) {
  Probe* p = probe();
  p->setRotation(10);
  p->runAction(CCRotateTo::create(0.5f, 345));  // -25 degrees, not +335
  step(16);
  EXPECT_LT(p->getRotation(), 10);
  step(60);
  EXPECT_FLOAT_EQ(fmodf(p->getRotation() + 360, 360), 345);

  Probe* b = probe();
  b->runAction(CCBlink::create(1.5f, 4));
  int hidden = 0;
  for (int i = 0; i < 95; ++i) {
    step(1);
    if (!b->isVisible()) ++hidden;
  }
  EXPECT_GT(hidden, 30);
  EXPECT_TRUE(b->isVisible());
}

TEST_F(ActionTest, StoppingFromInsideAnActionIsSafe) {
  Probe* p = probe();
  p->runAction(CCSequence::create(CCCallFunc::create(p, callfunc_selector(Probe::stopAll)),
                                  CCCallFunc::create(p, callfunc_selector(Probe::a)), nullptr));
  p->runAction(CCMoveBy::create(1, ccp(50, 0)));
  step(120);
  EXPECT_EQ(p->getPositionX(), 0);
  EXPECT_EQ(p->numberOfRunningActions(), 0u);

  // Removing itself in the middle of a sequence ends the sequence with the node.
  Probe* r = probe();
  r->runAction(CCSequence::create(CCDelayTime::create(0.1f), CCRemoveSelf::create(),
                                  CCCallFunc::create(r, callfunc_selector(Probe::a)), nullptr));
  step(60);
  EXPECT_EQ(m_scene->getChildrenCount(), 1u);
}

TEST_F(ActionTest, TagsAndQueries) {
  Probe* p = probe();
  CCAction* a = CCRepeatForever::create(CCRotateBy::create(1, 90));
  a->setTag(1000);
  p->runAction(a);
  CCActionManager* am = CCDirector::sharedDirector()->getActionManager();
  EXPECT_TRUE(am->QueryTarget(p));
  EXPECT_EQ(p->getActionByTag(1000), a);
  p->stopActionByTag(1000);
  EXPECT_EQ(p->getActionByTag(1000), nullptr);
  EXPECT_FALSE(am->QueryTarget(p));
}

TEST_F(ActionTest, TargetedActionActsOnItsOwnTarget) {
  Probe* p = probe();
  Probe* other = probe();
  other->setVisible(false);
  p->runAction(
      CCSequence::create(CCDelayTime::create(0.2f), CCTargetedAction::create(other, CCShow::create()), nullptr));
  step(30);
  EXPECT_TRUE(other->isVisible());
  EXPECT_TRUE(p->isVisible());
}

TEST_F(ActionTest, OrbitCameraTurnsTheTargetRoundItsCameraAndEndsLookingStraight) {
  Probe* p = probe();
  p->runAction(CCSequence::create(CCOrbitCamera::create(0.2f, 1, 0, 0, -90, 0, 0),
                                  CCOrbitCamera::create(0.2f, 1, 0, 90, -90, 0, 0), nullptr));
  float turn[9];
  EXPECT_FALSE(p->getCamera()->getTurn(turn));  // at rest
  step(7);                                      // halfway through the first quarter: 45 degrees
  ASSERT_TRUE(p->getCamera()->getTurn(turn));
  EXPECT_NEAR(turn[0], cosf(M_PI / 4), 1e-3);   // x shrinks by the cosine ...
  EXPECT_NEAR(turn[6], -sinf(M_PI / 4), 1e-3);  // ... and the right edge goes away from the viewer
  EXPECT_NEAR(turn[4], 1, 1e-5);                // y stays
  step(6);
  ASSERT_TRUE(p->getCamera()->getTurn(turn));
  EXPECT_NEAR(turn[0], 0, 1e-3);  // edge-on
  step(6);
  ASSERT_TRUE(p->getCamera()->getTurn(turn));
  EXPECT_NEAR(turn[6], sinf(M_PI / 4), 1e-3);  // the second quarter brings the right edge in
  step(6);
  EXPECT_FALSE(p->getCamera()->getTurn(turn));  // straight again
  EXPECT_TRUE(p->getCamera()->isDirty());
  EXPECT_EQ(p->getScaleX(), 1.0f);  // the node's own scale is untouched
  float x, y, z;
  p->getCamera()->getEyeXYZ(&x, &y, &z);
  EXPECT_NEAR(z, CCCamera::getZEye(), 1e-9);
}

TEST_F(ActionTest, OrbitCameraTakesNaNArgumentsFromWhereTheCameraIs) {
  Probe* p = probe();
  p->runAction(CCOrbitCamera::create(0.1f, 1, 0, 0, -60, 0, 0));
  step(8);
  float before[9], after[9];
  ASSERT_TRUE(p->getCamera()->getTurn(before));
  p->runAction(CCOrbitCamera::create(0.1f, NAN, 0, NAN, 0, NAN, 0));
  step(8);
  ASSERT_TRUE(p->getCamera()->getTurn(after));
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(before[i], after[i], 1e-3) << i;
  p->getCamera()->restore();
  EXPECT_FALSE(p->getCamera()->isDirty());
  EXPECT_FALSE(p->getCamera()->getTurn(after));
}

TEST_F(ActionTest, EasesKeepTheEndpointsAndShapeTheMiddle) {
  float (*curves[])(float) = {ease::bounceOut, ease::bounceIn, ease::bounceInOut,
                              ease::backIn,    ease::backOut,  ease::backInOut};
  for (auto c : curves) {
    EXPECT_NEAR(c(0), 0, 1e-4);
    EXPECT_NEAR(c(1), 1, 1e-4);
  }
  EXPECT_NEAR(ease::elasticOut(0, 0.3f), 0, 1e-6);
  EXPECT_NEAR(ease::elasticOut(1, 0.3f), 1, 1e-6);
  EXPECT_GT(ease::elasticOut(0.2f, 0.3f), 1.0f);     // overshoots
  EXPECT_LT(ease::backInOut(0.1f), 0.0f);            // pulls back first
  EXPECT_NEAR(ease::bounceOut(1 / 2.75f), 1, 1e-4);  // first bounce touches the end

  Probe* p = probe();
  p->runAction(CCEaseIn::create(CCMoveTo::create(1, ccp(100, 0)), 2));
  step(31);
  EXPECT_NEAR(p->getPositionX(), 25, 0.5);
  step(30);
  EXPECT_EQ(p->getPositionX(), 100);
}

TEST_F(ActionTest, AnimateShowsFramesByDelayUnitsAndRestoresTheOriginal) {
  Probe* p = probe();
  CCAnimation* anim = frameStrip({1, 2, 1}, 0.25f, 1);
  anim->setRestoreOriginalFrame(true);
  EXPECT_FLOAT_EQ(anim->getDuration(), 1.0f);
  p->setDisplayFrame(
      CCSpriteFrame::createWithTexture(p->getTexture() ? p->getTexture() : nullptr, CCRect(30, 0, 10, 10)));
  CCRect original = p->getTextureRect();
  p->runAction(CCAnimate::create(anim));
  step(2);
  EXPECT_EQ(p->getTextureRect().origin.x, 0);
  step(20);  // 0.35 s: the second frame lasts two units
  EXPECT_EQ(p->getTextureRect().origin.x, 10);
  step(18);  // 0.65 s
  EXPECT_EQ(p->getTextureRect().origin.x, 10);
  step(10);  // 0.8 s
  EXPECT_EQ(p->getTextureRect().origin.x, 20);
  step(20);
  EXPECT_EQ(p->getTextureRect(), original);
}

// --- moves stack ------------------------------------------------------------------

namespace {

struct MoveCase {
  const char* name;
  CCPoint start;
  std::function<void(CCNode*)> run;
  int nudgeFrame;  // 0: none; else after that frame the node is moved by `nudge`
  CCPoint nudge;
  std::vector<std::pair<int, CCPoint>> expect;  // frame (1 = the first step), position after it
};

}  // namespace

TEST_F(ActionTest, MovesAndJumpsAddToWhereTheNodeIsNow) {
  const MoveCase cases[] = {
      {"two moves add up",
       ccp(0, 0),
       [](CCNode* n) {
         n->runAction(CCMoveBy::create(1, ccp(100, 0)));
         n->runAction(CCMoveBy::create(1, ccp(0, 200)));
       },
       0,
       CCPointZero,
       {{1, ccp(0, 0)},
        {2, ccp(100.0f / 60, 200.0f / 60)},
        {31, ccp(50, 100)},
        {61, ccp(100, 200)},
        {70, ccp(100, 200)}}},
      {"a move to beside a move by",
       ccp(10, 10),
       [](CCNode* n) {
         n->runAction(CCMoveTo::create(1, ccp(110, 10)));
         n->runAction(CCMoveBy::create(1, ccp(0, 60)));
       },
       0,
       CCPointZero,
       {{31, ccp(60, 40)}, {61, ccp(110, 70)}}},
      {"a position set during a move stays",
       ccp(0, 0),
       [](CCNode* n) { n->runAction(CCMoveBy::create(1, ccp(120, 0))); },
       31,
       ccp(0, 50),
       {{31, ccp(60, 50)}, {32, ccp(62, 50)}, {61, ccp(120, 50)}}},
      {"a move to keeps a nudge too",
       ccp(0, 0),
       [](CCNode* n) { n->runAction(CCMoveTo::create(0.5f, ccp(30, 0))); },
       16,
       ccp(-5, 7),
       {{16, ccp(10, 7)}, {31, ccp(25, 7)}}},
      {"a jump beside a move",
       ccp(0, 0),
       [](CCNode* n) {
         n->runAction(CCJumpBy::create(1, ccp(0, 0), 40, 1));
         n->runAction(CCMoveBy::create(1, ccp(100, 0)));
       },
       0,
       CCPointZero,
       {{16, ccp(25, 30)}, {31, ccp(50, 40)}, {61, ccp(100, 0)}}},
      {"a jump to keeps a nudge",
       ccp(0, 0),
       [](CCNode* n) { n->runAction(CCJumpTo::create(1, ccp(60, 0), 30, 2)); },
       31,
       ccp(0, 20),
       {{31, ccp(30, 20)}, {46, ccp(45, 50)}, {61, ccp(60, 20)}}},
      {"a shake during a flight lands on the spot",
       ccp(0, 0),
       [](CCNode* n) {
         n->runAction(CCMoveTo::create(0.5f, ccp(200, 0)));
         n->runAction(CCSequence::create(CCMoveBy::create(0.05f, ccp(0, 6)), CCMoveBy::create(0.1f, ccp(0, -12)),
                                         CCMoveBy::create(0.05f, ccp(0, 6)), nullptr));
       },
       0,
       CCPointZero,
       {{4, ccp(20, 6)}, {10, ccp(60, -6)}, {13, ccp(80, 0)}, {31, ccp(200, 0)}}},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.name);
    Probe* p = probe();
    p->setPosition(c.start);
    c.run(p);
    int last = c.expect.back().first;
    size_t next = 0;
    for (int frame = 1; frame <= last; ++frame) {
      step(1);
      if (frame == c.nudgeFrame) p->setPosition(p->getPosition() + c.nudge);
      if (next < c.expect.size() && c.expect[next].first == frame) {
        EXPECT_NEAR(p->getPositionX(), c.expect[next].second.x, 1e-3) << "frame " << frame;
        EXPECT_NEAR(p->getPositionY(), c.expect[next].second.y, 1e-3) << "frame " << frame;
        ++next;
      }
    }
    p->removeFromParentAndCleanup(true);
  }
}

// --- actions started from a step --------------------------------------------------

namespace {

class Chained : public Probe {
 public:
  static Chained* make() {
    Chained* c = new Chained();
    c->init();
    c->autorelease();
    return c;
  }
  std::vector<std::pair<std::string, unsigned int>> calls;
  void mark(const char* what) { calls.push_back({what, CCDirector::sharedDirector()->getTotalFrames()}); }
  void deal() {
    mark("flip");
    runAction(CCSequence::create(CCScaleTo::create(0.25f, 0, 1),
                                 CCCallFunc::create(this, callfunc_selector(Chained::flipped)), nullptr));
  }
  void flipped() {
    mark("move");
    runAction(CCMoveBy::create(0.25f, ccp(0, 30)));
  }
};

}  // namespace

TEST_F(ActionTest, EachLinkOfAChainStartsInTheFrameThePreviousOneEnds) {
  CCNode* scene = probe()->getParent();
  Chained* c = Chained::make();
  scene->addChild(c);
  unsigned int s = CCDirector::sharedDirector()->getTotalFrames();
  c->runAction(CCSequence::create(CCMoveBy::create(0.25f, ccp(30, 0)),
                                  CCCallFunc::create(c, callfunc_selector(Chained::deal)), nullptr));
  // Deal over frames s+1..s+16; the flip starts (t = 0) in frame s+16 and ends in
  // s+31, where the move starts; it ends in s+46.
  step(16);
  EXPECT_EQ(c->getScaleX(), 1.0f);
  step(1);
  EXPECT_NEAR(c->getScaleX(), 1 - 1 / 15.0f, 1e-4);
  step(14);
  EXPECT_EQ(c->getScaleX(), 0.0f);
  EXPECT_EQ(c->getPosition(), ccp(30, 0));
  step(1);
  EXPECT_NEAR(c->getPositionY(), 2, 1e-4);
  step(13);
  EXPECT_NEAR(c->getPositionY(), 28, 1e-4);
  EXPECT_EQ(c->numberOfRunningActions(), 1u);
  step(1);
  EXPECT_EQ(c->getPosition(), ccp(30, 30));
  EXPECT_EQ(c->numberOfRunningActions(), 0u);
  EXPECT_EQ(c->calls, (std::vector<std::pair<std::string, unsigned int>>{{"flip", s + 16}, {"move", s + 31}}));
}

namespace {

struct StartCase {
  const char* name;
  int runOn;  // 0: the node itself, 1: a node without actions, 2: a node the walk passed
  bool stopAllFirst;
  unsigned int firstStep;  // frames after the trigger's frame
};

class Trigger : public Probe {
 public:
  static Trigger* make() {
    Trigger* t = new Trigger();
    t->init();
    t->autorelease();
    return t;
  }
  CCNode* runOn = nullptr;
  bool stopAllFirst = false;
  unsigned int fired = 0, started = 0;
  void fire() {
    fired = CCDirector::sharedDirector()->getTotalFrames();
    if (stopAllFirst) runOn->stopAllActions();
    runOn->runAction(CCCallFunc::create(this, callfunc_selector(Trigger::start)));
  }
  void start() { started = CCDirector::sharedDirector()->getTotalFrames(); }
};

}  // namespace

TEST_F(ActionTest, AnActionRunFromAStepStartsWhereTheWalkStillReachesIt) {
  const StartCase cases[] = {
      {"its own node", 0, false, 0},
      {"a node without actions", 1, false, 0},
      {"a node the walk already passed", 2, false, 1},
      {"its own node, after stopping all", 0, true, 1},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    Probe* passed = probe();
    passed->runAction(CCRepeatForever::create(CCDelayTime::create(1)));
    Probe* idle = probe();
    Trigger* t = Trigger::make();
    passed->getParent()->addChild(t);
    CCNode* targets[] = {t, idle, passed};
    t->runOn = targets[c.runOn];
    t->stopAllFirst = c.stopAllFirst;
    unsigned int s = CCDirector::sharedDirector()->getTotalFrames();
    t->runAction(CCSequence::create(CCDelayTime::create(0.1f), CCCallFunc::create(t, callfunc_selector(Trigger::fire)),
                                    nullptr));
    step(10);
    EXPECT_EQ(t->fired, s + 7);
    EXPECT_EQ(t->started, t->fired + c.firstStep);
    passed->removeFromParentAndCleanup(true);
    idle->removeFromParentAndCleanup(true);
    t->removeFromParentAndCleanup(true);
  }
}

// --- repeat --------------------------------------------------------------------

TEST_F(ActionTest, RepeatRunsAnInstantActionEveryTimeAndHandsOnLeftoverTimeOnItsOwnScale) {
  Probe* p = probe();
  p->runAction(CCRepeat::create(CCCallFunc::create(p, callfunc_selector(Probe::a)), 3));
  step(1);
  EXPECT_EQ(p->log, (std::vector<std::string>{"a", "a", "a"}));
  EXPECT_EQ(p->numberOfRunningActions(), 0u);

  // Two runs of a one-second move: three quarters of the way is halfway
  // through the second run.
  Probe* m = probe();
  m->runAction(CCRepeat::create(CCMoveBy::create(1, ccp(100, 0)), 2));
  step(1);
  CCDirector::sharedDirector()->getActionManager()->update(1.5f);
  EXPECT_NEAR(m->getPositionX(), 150, 1e-3);
  step(31);
  EXPECT_NEAR(m->getPositionX(), 200, 1e-3);
  EXPECT_EQ(m->numberOfRunningActions(), 0u);

  // Frame by frame the same: 1.5 s after the first step.
  Probe* f = probe();
  f->runAction(CCRepeat::create(CCMoveBy::create(1, ccp(100, 0)), 2));
  step(91);
  EXPECT_NEAR(f->getPositionX(), 150, 1e-3);
}

// --- how long an action changes nothing ------------------------------------------

// The loop sleeps as long as the running actions say; stepping that long at
// once must land on their next change, not before and not past it.
TEST_F(ActionTest, AFrameAnimationChangesNothingBetweenItsFrames) {
  Probe* p = probe();
  CCAction* forever = p->runAction(CCRepeatForever::create(threeFrames(1)));
  CCActionManager* manager = CCDirector::sharedDirector()->getActionManager();
  EXPECT_EQ(manager->getTimeToNextChange(), 0) << "the first step shows the first frame";
  manager->update(0);
  EXPECT_EQ(p->getTextureRect().origin.x, 0);
  EXPECT_NEAR(forever->getTimeToNextChange(), 0.25, 1e-5);
  manager->update(0.1f);
  EXPECT_NEAR(manager->getTimeToNextChange(), 0.15, 1e-5);
  manager->update(0.15f);  // 0.25 s: the second frame, of two units
  EXPECT_EQ(p->getTextureRect().origin.x, 10);
  EXPECT_NEAR(manager->getTimeToNextChange(), 0.5, 1e-5);
  manager->update(0.5f);
  EXPECT_EQ(p->getTextureRect().origin.x, 20);
  EXPECT_NEAR(manager->getTimeToNextChange(), 0.25, 1e-5) << "until the animation starts again";
  manager->update(0.25f);
  EXPECT_EQ(p->getTextureRect().origin.x, 0);
  EXPECT_NEAR(manager->getTimeToNextChange(), 0.25, 1e-5);

  // A paused target's actions wait for nothing; a speed divides the time.
  p->pauseSchedulerAndActions();
  EXPECT_TRUE(std::isinf(manager->getTimeToNextChange()));
  p->resumeSchedulerAndActions();
  p->stopAllActions();
  CCAction* fast = p->runAction(CCSpeed::create(threeFrames(2), 2));
  manager->update(0);
  EXPECT_NEAR(fast->getTimeToNextChange(), 0.125, 1e-5);
}

TEST_F(ActionTest, ContainersTellTheNextChangeOfWhatTheyRun) {
  Probe* p = probe();
  CCActionManager* manager = CCDirector::sharedDirector()->getActionManager();
  // A delay changes nothing until its end, where the call runs.
  CCAction* seq = p->runAction(
      CCSequence::create(CCDelayTime::create(1), CCCallFunc::create(p, callfunc_selector(Probe::a)), nullptr));
  manager->update(0);
  EXPECT_NEAR(seq->getTimeToNextChange(), 1, 1e-5);
  manager->update(0.6f);
  EXPECT_NEAR(seq->getTimeToNextChange(), 0.4, 1e-5);
  manager->update(0.4f);
  EXPECT_EQ(p->log, std::vector<std::string>{"a"});
  p->stopAllActions();

  // Movement changes the node every step.
  CCAction* move = p->runAction(CCMoveBy::create(1, ccp(10, 0)));
  manager->update(0);
  EXPECT_EQ(move->getTimeToNextChange(), 0);
  p->stopAllActions();

  // A blink shows or hides at every half blink; a spawn waits for the
  // sooner of its actions; a repeat for the next change of its round.
  CCAction* blink = p->runAction(CCBlink::create(2, 2));
  manager->update(0);
  manager->update(0.2f);
  EXPECT_NEAR(blink->getTimeToNextChange(), 0.3, 1e-5);
  p->stopAllActions();
  CCAction* spawn = p->runAction(CCSpawn::create(CCDelayTime::create(3), threeFrames(1), nullptr));
  manager->update(0);
  manager->update(0.1f);
  EXPECT_NEAR(spawn->getTimeToNextChange(), 0.15, 1e-5);
  p->stopAllActions();
  CCAction* repeat = p->runAction(CCRepeat::create(CCSequence::create(CCDelayTime::create(0.5f), CCShow::create(), nullptr), 3));
  manager->update(0);
  manager->update(0.7f);
  EXPECT_NEAR(repeat->getTimeToNextChange(), 0.3, 1e-5);
}
