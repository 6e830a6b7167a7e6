// Scheduler semantics the game clocks and timed steps rely on.

#include "EngineFixture.h"

USING_NS_CC;

namespace {

class Ticker : public CCNode {
 public:
  CREATE_FUNC(Ticker)
  int ticks = 0;
  int others = 0;
  std::vector<unsigned int> frames;
  bool unscheduleSelf = false;
  bool removeSelf = false;
  bool rescheduleSelf = false;
  void tick(float) {
    ++ticks;
    frames.push_back(CCDirector::sharedDirector()->getTotalFrames());
    if (unscheduleSelf) unschedule(schedule_selector(Ticker::tick));
    if (rescheduleSelf) scheduleOnce(schedule_selector(Ticker::tick), 1.0f);
    if (removeSelf) removeFromParentAndCleanup(true);
  }
  void other(float) { ++others; }
};

class SchedulerTest : public EngineTest {
 protected:
  Ticker* addTicker() {
    if (!m_scene) m_scene = runScene();
    Ticker* t = Ticker::create();
    m_scene->addChild(t);
    return t;
  }
  // Frames from now until the ticker's calls.
  std::vector<unsigned int> relative(const Ticker* t, unsigned int start) {
    std::vector<unsigned int> out;
    for (unsigned int f : t->frames) out.push_back(f - start);
    return out;
  }
  CCScene* m_scene = nullptr;
};

}  // namespace

TEST_F(SchedulerTest, RepeatCountMeansThatManyExtraCalls) {
  Ticker* t = addTicker();
  t->schedule(schedule_selector(Ticker::tick), 1.0f, 5, 0.0f);
  step(60 * 10);
  EXPECT_EQ(t->ticks, 6);

  Ticker* once = addTicker();
  once->schedule(schedule_selector(Ticker::tick), 0.2f, 0, 0.0f);
  step(60);
  EXPECT_EQ(once->ticks, 1);
}

TEST_F(SchedulerTest, DelayComesFirstThenTheInterval) {
  // "every 2.4 s, 4 repeats, delay 14": five calls at 14, 16.4, 18.8, 21.2, 23.6 s.
  Ticker* t = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  t->schedule(schedule_selector(Ticker::tick), 2.4f, 4, 14.0f);
  step(60 * 30);
  std::vector<unsigned int> expected = {840, 984, 1128, 1272, 1416};
  EXPECT_EQ(relative(t, start), expected);
}

TEST_F(SchedulerTest, WholeSecondIntervalsDoNotDrift) {
  Ticker* t = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  t->schedule(schedule_selector(Ticker::tick), 1.0f);
  step(60 * 100);
  ASSERT_EQ(t->ticks, 100);
  EXPECT_EQ(t->frames.back() - start, 6000u);
}

TEST_F(SchedulerTest, ForeverKeepsGoingAndOnceRunsOnce) {
  Ticker* t = addTicker();
  t->schedule(schedule_selector(Ticker::tick), 0.5f, kCCRepeatForever, 0);
  step(60 * 20);
  EXPECT_EQ(t->ticks, 40);

  Ticker* o = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  o->scheduleOnce(schedule_selector(Ticker::tick), 1.0f);
  step(600);
  ASSERT_EQ(o->ticks, 1);
  EXPECT_EQ(relative(o, start)[0], 60u);

  // Delay 0: the next frame.
  Ticker* z = addTicker();
  start = CCDirector::sharedDirector()->getTotalFrames();
  z->scheduleOnce(schedule_selector(Ticker::tick), 0);
  step(5);
  ASSERT_EQ(z->ticks, 1);
  EXPECT_EQ(relative(z, start)[0], 1u);
}

TEST_F(SchedulerTest, ReschedulingReplacesTheWaitingCall) {
  Ticker* t = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  t->scheduleOnce(schedule_selector(Ticker::tick), 2.0f);
  step(90);  // 1.5 s in: a newer request restarts the wait
  t->scheduleOnce(schedule_selector(Ticker::tick), 2.0f);
  step(600);
  ASSERT_EQ(t->ticks, 1);
  EXPECT_EQ(relative(t, start)[0], 90u + 120u);

  // A repeating selector takes the new interval, repeat and delay, counted afresh.
  Ticker* r = addTicker();
  r->schedule(schedule_selector(Ticker::tick), 1.0f, 10, 0);
  step(150);
  EXPECT_EQ(r->ticks, 2);
  r->schedule(schedule_selector(Ticker::tick), 0.5f, 1, 0);
  step(600);
  EXPECT_EQ(r->ticks, 4);
}

TEST_F(SchedulerTest, IntervalsShorterThanAFrameFireOncePerFrame) {
  Ticker* fast = addTicker();
  fast->schedule(schedule_selector(Ticker::tick), 0.001f);
  step(120);
  EXPECT_EQ(fast->ticks, 120);
  // And a long pause does not leave a backlog behind.
  CCDirector::sharedDirector()->getScheduler()->update(5.0f);
  EXPECT_EQ(fast->ticks, 121);
  step(1);
  EXPECT_EQ(fast->ticks, 122);

  // 0.02 s at 60 frames a second: 50 calls a second, spread without bursts.
  Ticker* mid = addTicker();
  mid->schedule(schedule_selector(Ticker::tick), 0.02f);
  step(600);
  EXPECT_NEAR(mid->ticks, 500, 1);
}

TEST_F(SchedulerTest, UnscheduleOrRemoveInsideTheCallbackIsSafe) {
  Ticker* t = addTicker();
  t->unscheduleSelf = true;
  t->schedule(schedule_selector(Ticker::tick), 0.1f);
  step(120);
  EXPECT_EQ(t->ticks, 1);

  // The clock that removes its own node: the node goes, nothing fires again.
  Ticker* r = addTicker();
  r->removeSelf = true;
  r->schedule(schedule_selector(Ticker::tick), 0.1f);
  r->schedule(schedule_selector(Ticker::other), 0.1f);
  step(120);
  EXPECT_EQ(m_scene->getChildrenCount(), 1u);
  EXPECT_EQ(CCDirector::sharedDirector()->getScheduler()->timerCount(), 1u);  // the action manager's

  // Re-scheduling itself from inside: exactly one more call, a second later.
  Ticker* s = addTicker();
  s->rescheduleSelf = true;
  s->scheduleOnce(schedule_selector(Ticker::tick), 0.5f);
  step(60 * 3 + 31);
  EXPECT_EQ(s->ticks, 4);
}

namespace {
std::vector<int> g_order;
class Updater : public CCNode {
 public:
  explicit Updater(int id) : m_id(id) {}
  void update(float) override { g_order.push_back(m_id); }
  int m_id;
};
}  // namespace

TEST_F(SchedulerTest, UpdatesRunByPriorityThenInOrderOfScheduling) {
  CCScene* scene = runScene();
  g_order.clear();
  int prios[] = {5, -3, 0, 5, -3};
  for (int i = 0; i < 5; ++i) {
    Updater* u = new Updater(i);
    u->autorelease();
    scene->addChild(u);
    u->scheduleUpdateWithPriority(prios[i]);
  }
  step(1);
  EXPECT_EQ(g_order, (std::vector<int>{1, 4, 2, 0, 3}));
}

TEST_F(SchedulerTest, NodeSelectorsWaitUntilTheNodeRuns) {
  Ticker* t = Ticker::create();
  t->retain();
  t->schedule(schedule_selector(Ticker::tick), 0.1f);
  step(60);
  EXPECT_EQ(t->ticks, 0);
  CCScene* scene = runScene();
  scene->addChild(t);
  step(60);
  EXPECT_GT(t->ticks, 0);
  int before = t->ticks;
  t->removeFromParentAndCleanup(false);  // paused, not unscheduled
  step(60);
  EXPECT_EQ(t->ticks, before);
  scene->addChild(t);
  step(60);
  EXPECT_GT(t->ticks, before);
  t->unscheduleAllSelectors();
  before = t->ticks;
  step(60);
  EXPECT_EQ(t->ticks, before);
  t->release();
}
