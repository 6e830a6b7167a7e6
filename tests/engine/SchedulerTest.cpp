// Scheduler semantics the game clocks and timed steps rely on.

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>

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
  // "every 2.4 s, 4 repeats, delay 14": five calls at 14, 16.4, 18.8, 21.2, 23.6 s
  // counted from the frame after scheduling (that one starts the clock).
  Ticker* t = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  t->schedule(schedule_selector(Ticker::tick), 2.4f, 4, 14.0f);
  step(60 * 30);
  std::vector<unsigned int> expected = {841, 985, 1129, 1273, 1417};
  EXPECT_EQ(relative(t, start), expected);
}

TEST_F(SchedulerTest, WholeSecondIntervalsDoNotDrift) {
  Ticker* t = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  t->schedule(schedule_selector(Ticker::tick), 1.0f);
  step(60 * 100 + 1);
  ASSERT_EQ(t->ticks, 100);
  EXPECT_EQ(t->frames.back() - start, 6001u);
}

TEST_F(SchedulerTest, ForeverKeepsGoingAndOnceRunsOnce) {
  Ticker* t = addTicker();
  t->schedule(schedule_selector(Ticker::tick), 0.5f, kCCRepeatForever, 0);
  step(60 * 20 + 1);
  EXPECT_EQ(t->ticks, 40);

  Ticker* o = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  o->scheduleOnce(schedule_selector(Ticker::tick), 1.0f);
  step(600);
  ASSERT_EQ(o->ticks, 1);
  EXPECT_EQ(relative(o, start)[0], 61u);

  // Delay 0: the next frame starts the clock, the one after calls.
  Ticker* z = addTicker();
  start = CCDirector::sharedDirector()->getTotalFrames();
  z->scheduleOnce(schedule_selector(Ticker::tick), 0);
  step(5);
  ASSERT_EQ(z->ticks, 1);
  EXPECT_EQ(relative(z, start)[0], 2u);
}

TEST_F(SchedulerTest, ReschedulingReplacesTheWaitingCall) {
  Ticker* t = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  t->scheduleOnce(schedule_selector(Ticker::tick), 2.0f);
  step(90);  // 1.5 s in: a newer request restarts the wait
  t->scheduleOnce(schedule_selector(Ticker::tick), 2.0f);
  step(600);
  ASSERT_EQ(t->ticks, 1);
  EXPECT_EQ(relative(t, start)[0], 90u + 1u + 120u);

  // A repeating selector takes the new interval, repeat and delay, counted afresh.
  Ticker* r = addTicker();
  r->schedule(schedule_selector(Ticker::tick), 1.0f, 10, 0);
  step(150);
  EXPECT_EQ(r->ticks, 2);
  r->schedule(schedule_selector(Ticker::tick), 0.5f, 1, 0);
  step(600);
  EXPECT_EQ(r->ticks, 4);
}

TEST_F(SchedulerTest, IntervalsShorterThanAFrameFireAtMostOncePerFrame) {
  Ticker* fast = addTicker();
  fast->schedule(schedule_selector(Ticker::tick), 0.001f);
  step(120);
  EXPECT_EQ(fast->ticks, 119);
  // And a long pause does not leave a backlog behind.
  CCDirector::sharedDirector()->getScheduler()->update(5.0f);
  EXPECT_EQ(fast->ticks, 120);
  step(1);
  EXPECT_EQ(fast->ticks, 121);

  // 0.02 s at 60 frames a second: the clock restarts at 0 after each call, so
  // one frame (0.0167 s) is short and two are enough: every other frame.
  Ticker* mid = addTicker();
  unsigned int start = CCDirector::sharedDirector()->getTotalFrames();
  mid->schedule(schedule_selector(Ticker::tick), 0.02f);
  step(600);
  EXPECT_EQ(mid->ticks, 299);
  EXPECT_EQ(relative(mid, start)[0], 3u);
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

// --- timer clocks, frame by frame -----------------------------------------------

namespace {

// A target for a scheduler of its own, stepped by hand: calls are recorded as
// (update number, time passed to the callback).
class Recorder : public CCObject {
 public:
  static Recorder* make() {
    Recorder* r = new Recorder();
    r->autorelease();
    return r;
  }
  int* clock = nullptr;
  std::vector<int> at;
  std::vector<float> args;
  std::function<void(Recorder*)> onCall;
  void tick(float dt) {
    at.push_back(*clock);
    args.push_back(dt);
    if (onCall) onCall(this);
  }
  void other(float dt) { tick(dt); }
};

struct TimerCase {
  const char* name;
  float interval;
  unsigned int repeat;
  float delay;
  float step;
  int updates;
  std::vector<int> at;
  std::vector<float> args;
};

}  // namespace

TEST(SchedulerClock, FirstUpdateStartsTheClockAndEachCallRestartsIt) {
  const float f = 1.0f / 60;
  const unsigned int ever = kCCRepeatForever;
  const TimerCase cases[] = {
      {"every frame", 0, ever, 0, f, 5, {2, 3, 4, 5}, {f, f, f, f}},
      {"every 0.25 s", 0.25f, ever, 0, f, 46, {16, 31, 46}, {0.25f, 0.25f, 0.25f}},
      {"once after 0.25 s", 0, 0, 0.25f, f, 60, {16}, {0.25f}},
      {"once at once", 0, 0, 0, f, 10, {2}, {f}},
      {"overshoot dropped", 1, ever, 0, 0.3125f, 17, {5, 9, 13, 17}, {1.25f, 1.25f, 1.25f, 1.25f}},
      {"long steps: once an update", 1, ever, 0, 2.5f, 4, {2, 3, 4}, {2.5f, 2.5f, 2.5f}},
      {"interval shorter than a step", 0.001f, ever, 0, f, 4, {2, 3, 4}, {f, f, f}},
      {"repeat 3: four calls", 0.5f, 3, 0, f, 200, {31, 61, 91, 121}, {0.5f, 0.5f, 0.5f, 0.5f}},
      // The delay's overshoot (0.25) counts towards the first interval.
      {"delay then interval", 1, 2, 1, 0.3125f, 30, {5, 8, 12}, {1.25f, 1.1875f, 1.25f}},
      {"long delay step", 1, ever, 1, 2.5f, 4, {2, 3, 4}, {2.5f, 4.0f, 2.5f}},
      {"delay at frame rate", 0.5f, 1, 0.25f, f, 200, {16, 46}, {0.25f, 0.5f}},
  };
  for (const TimerCase& c : cases) {
    SCOPED_TRACE(c.name);
    CCScheduler* s = new CCScheduler();
    Recorder* r = Recorder::make();
    int clock = 0;
    r->clock = &clock;
    s->scheduleSelector(schedule_selector(Recorder::tick), r, c.interval, c.repeat, c.delay, false);
    for (clock = 1; clock <= c.updates; ++clock) s->update(c.step);
    EXPECT_EQ(r->at, c.at);
    ASSERT_EQ(r->args.size(), c.args.size());
    for (size_t i = 0; i < c.args.size(); ++i) EXPECT_NEAR(r->args[i], c.args[i], 1e-5) << "call " << i;
    // A finished timer lets go of its target.
    EXPECT_EQ(s->timerCount(), c.repeat == ever ? 1u : 0u);
    s->release();
  }
}

TEST(SchedulerClock, APausedClockStandsStillAndGoesOnFromWhereItWas) {
  CCScheduler* s = new CCScheduler();
  Recorder* r = Recorder::make();
  int clock = 0;
  r->clock = &clock;
  s->scheduleSelector(schedule_selector(Recorder::tick), r, 0.25f, false);
  // Paused after update 10: 9 steps (0.15 s) counted; resumed after 30.
  for (clock = 1; clock <= 80; ++clock) {
    if (clock == 11) s->pauseTarget(r);
    if (clock == 31) s->resumeTarget(r);
    s->update(1.0f / 60);
  }
  EXPECT_EQ(r->at, (std::vector<int>{36, 51, 66}));

  // Scheduled while paused: the clock starts with the first update after resuming.
  Recorder* p = Recorder::make();
  p->clock = &clock;
  s->scheduleSelector(schedule_selector(Recorder::tick), p, 0, 0, 0.25f, true);
  for (clock = 1; clock <= 60; ++clock) {
    if (clock == 21) s->resumeTarget(p);
    s->update(1.0f / 60);
  }
  EXPECT_EQ(p->at, (std::vector<int>{36}));
  s->release();
}

TEST(SchedulerClock, UnschedulingInsideACallback) {
  CCScheduler* s = new CCScheduler();
  int clock = 0;
  // Itself on its second call.
  Recorder* self = Recorder::make();
  self->clock = &clock;
  self->onCall = [s](Recorder* r) {
    if (r->at.size() == 2) s->unscheduleSelector(schedule_selector(Recorder::tick), r);
  };
  s->scheduleSelector(schedule_selector(Recorder::tick), self, 0.1f, false);
  // A sibling due in the same update, after it: dropped before its turn.
  Recorder* sib = Recorder::make();
  sib->clock = &clock;
  s->scheduleSelector(schedule_selector(Recorder::tick), sib, 0.25f, false);
  s->scheduleSelector(schedule_selector(Recorder::other), sib, 0.25f, false);
  sib->onCall = [s](Recorder* r) { s->unscheduleSelector(schedule_selector(Recorder::other), r); };
  for (clock = 1; clock <= 60; ++clock) s->update(1.0f / 60);
  EXPECT_EQ(self->at, (std::vector<int>{7, 13}));
  EXPECT_EQ(sib->at, (std::vector<int>{16, 31, 46}));
  EXPECT_EQ(s->timerCount(), 1u);
  s->release();
}

namespace {

// Where a timer is scheduled from decides when its clock starts.
class Chain : public CCNode {
 public:
  static Chain* make() {
    Chain* c = new Chain();
    c->autorelease();
    return c;
  }
  std::vector<std::pair<std::string, unsigned int>> log;
  Chain* other = nullptr;
  bool inUpdate = false;
  static unsigned int frame() { return CCDirector::sharedDirector()->getTotalFrames(); }
  void update(float) override {
    if (!inUpdate) return;
    inUpdate = false;
    log.push_back({"update", frame()});
    scheduleOnce(schedule_selector(Chain::fromUpdate), 0.25f);
  }
  void first(float) {
    log.push_back({"first", frame()});
    scheduleOnce(schedule_selector(Chain::sameTarget), 0.25f);
    if (other) other->scheduleOnce(schedule_selector(Chain::otherTarget), 0.25f);
  }
  void sameTarget(float) { log.push_back({"same", frame()}); }
  void otherTarget(float) { log.push_back({"other", frame()}); }
  void fromUpdate(float) { log.push_back({"fromUpdate", frame()}); }
  void fromAction() {
    log.push_back({"action", frame()});
    scheduleOnce(schedule_selector(Chain::fromActionTimer), 0.25f);
  }
  void fromActionTimer(float) { log.push_back({"fromAction", frame()}); }
};

}  // namespace

TEST_F(SchedulerTest, ATimerScheduledDuringTheFrameStartsItsClockWhereTheWalkStillReachesIt) {
  CCScene* scene = runScene();
  unsigned int s = CCDirector::sharedDirector()->getTotalFrames();
  Chain* early = Chain::make();  // has a timer before `late`: the walk passes it first
  Chain* late = Chain::make();
  Chain* fresh = Chain::make();  // no timer yet: joins the walk at its end
  scene->addChild(early);
  scene->addChild(late);
  scene->addChild(fresh);
  early->schedule(schedule_selector(Chain::sameTarget), 100.0f);
  late->other = early;
  late->scheduleOnce(schedule_selector(Chain::first), 0.25f);
  step(60);
  // `first` at s+16; its own target's new timer starts now (fires 15 frames
  // on), the passed target's next frame (16 on).
  EXPECT_EQ(late->log, (std::vector<std::pair<std::string, unsigned int>>{{"first", s + 16}, {"same", s + 31}}));
  EXPECT_EQ(early->log, (std::vector<std::pair<std::string, unsigned int>>{{"other", s + 32}}));

  s = CCDirector::sharedDirector()->getTotalFrames();
  late->other = fresh;
  late->scheduleOnce(schedule_selector(Chain::first), 0.25f);
  step(60);
  EXPECT_EQ(fresh->log, (std::vector<std::pair<std::string, unsigned int>>{{"other", s + 31}}));

  // Per-frame updates and actions run before the timers: a timer scheduled
  // there starts in the same frame too.
  s = CCDirector::sharedDirector()->getTotalFrames();
  Chain* u = Chain::make();
  scene->addChild(u);
  u->scheduleUpdate();
  u->inUpdate = true;
  u->runAction(CCCallFunc::create(u, callfunc_selector(Chain::fromAction)));
  step(30);
  EXPECT_EQ(u->log, (std::vector<std::pair<std::string, unsigned int>>{
                        {"action", s + 1}, {"update", s + 1}, {"fromAction", s + 16}, {"fromUpdate", s + 16}}));
}

TEST_F(SchedulerTest, PerFrameUpdatesRunFromTheFirstFrame) {
  CCScene* scene = runScene();
  g_order.clear();
  Updater* u = new Updater(7);
  u->autorelease();
  scene->addChild(u);
  u->scheduleUpdate();
  step(5);
  EXPECT_EQ(g_order.size(), 5u);
  // And a selector scheduled every frame, beside it, runs from the second.
  Ticker* t = addTicker();
  t->schedule(schedule_selector(Ticker::tick));
  step(5);
  EXPECT_EQ(t->ticks, 4);
}

namespace {
// Schedules another node's update from its own, once.
class Spawner : public CCNode {
 public:
  Spawner(int id, Updater* other, int priority) : m_id(id), m_other(other), m_priority(priority) {}
  void update(float) override {
    g_order.push_back(m_id);
    if (m_other) m_other->scheduleUpdateWithPriority(m_priority);
    m_other = nullptr;
  }
  int m_id;
  Updater* m_other;
  int m_priority;
};
}  // namespace

TEST_F(SchedulerTest, AnUpdateScheduledDuringTheWalkRunsNowWhenItLandsAheadOfIt) {
  struct Case {
    const char* name;
    int spawnerPriority, newPriority;
    std::vector<int> firstFrame;  // 1: the spawner, 2: the new one
  };
  const Case cases[] = {
      {"from a lower priority list", -1, 0, {1, 2}},
      {"into a higher priority list", 0, 3, {1, 2}},
      {"right after the running entry", 0, 0, {1}},
      {"before the running entry", 2, 1, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CCScene* scene = runScene();
    g_order.clear();
    Updater* fresh = new Updater(2);
    fresh->autorelease();
    scene->addChild(fresh);
    Spawner* s = new Spawner(1, fresh, c.newPriority);
    s->autorelease();
    scene->addChild(s);
    s->scheduleUpdateWithPriority(c.spawnerPriority);
    step(1);
    EXPECT_EQ(g_order, c.firstFrame);
    g_order.clear();
    step(1);
    std::vector<int> both = c.newPriority < c.spawnerPriority ? std::vector<int>{2, 1} : std::vector<int>{1, 2};
    EXPECT_EQ(g_order, both);
    CCDirector::sharedDirector()->reset();
  }
}

namespace {
// An update that says after each call how long it will change nothing.
class Dozer : public CCNode {
 public:
  float quiet = 0;
  int calls = 0;
  void update(float) override {
    ++calls;
    if (quiet != 0) getScheduler()->setUpdateQuiet(this, quiet);
  }
};
}  // namespace

// A quiet update lets the loop wait as long as it said (the time scale
// applied), with timers still counted; each call forgets what the last one
// said, and a word from outside wakes it.
TEST_F(SchedulerTest, AQuietUpdateLetsTheLoopWaitAsLongAsItSaid) {
  m_scene = runScene();
  CCScheduler* s = CCDirector::sharedDirector()->getScheduler();
  // The action manager's own update has nothing to do here.
  const CCObject* actions = CCDirector::sharedDirector()->getActionManager();
  Dozer* d = new Dozer();
  d->autorelease();
  m_scene->addChild(d);
  d->scheduleUpdate();
  step(1);
  EXPECT_EQ(s->getTimeToNextCall(actions), 0) << "said nothing";
  d->quiet = 0.5f;
  step(1);
  EXPECT_NEAR(s->getTimeToNextCall(actions), 0.5, 1e-6);
  Ticker* t = addTicker();
  t->schedule(schedule_selector(Ticker::tick), 0.25f);
  step(1);  // the timer's clock starts
  EXPECT_NEAR(s->getTimeToNextCall(actions), 0.25, 1e-3);
  t->unschedule(schedule_selector(Ticker::tick));
  s->setTimeScale(2);
  EXPECT_NEAR(s->getTimeToNextCall(actions), 0.25, 1e-6);
  s->setTimeScale(1);
  // Still called every frame the loop makes.
  const int calls = d->calls;
  step(3);
  EXPECT_EQ(d->calls, calls + 3);
  s->setUpdateQuiet(d, 0);
  EXPECT_EQ(s->getTimeToNextCall(actions), 0);
  d->quiet = std::numeric_limits<float>::infinity();
  step(1);
  EXPECT_TRUE(std::isinf(s->getTimeToNextCall(actions)));
  d->quiet = 0;
  step(1);
  EXPECT_EQ(s->getTimeToNextCall(actions), 0);
  // Paused, it is not waited for at all.
  d->quiet = 0.5f;
  step(1);
  s->pauseTarget(d);
  EXPECT_TRUE(std::isinf(s->getTimeToNextCall(actions)));
  s->resumeTarget(d);
}
