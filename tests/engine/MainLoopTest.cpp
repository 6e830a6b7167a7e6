// The program's loop while nothing moves: it draws nothing and waits until
// the next thing that can change the screen, and what wakes it is handled in
// the pass that follows, on time. The loop's clock and wait are the test's:
// a wait moves the clock by its timeout, or less when a message comes first.

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <limits>

#include "EngineFixture.h"

USING_NS_CC;

namespace {

const double kForever = std::numeric_limits<double>::infinity();
const double kStep = 1.0 / 60;

class LoopApp : public CCApplication {
 public:
  LoopApp() {
    setLoopHooks([this] { return clock; },
                 [this](std::vector<pollfd>& fds, double timeout) {
                   waits.push_back(timeout);
                   watched = fds.size();
                   if (messageAt >= 0 && clock + timeout > messageAt) {
                     // The message comes before the timeout.
                     clock = messageAt;
                     messageAt = -1;
                     EXPECT_EQ(write(pipeFds[1], "m", 1), 1);
                     for (pollfd& p : fds)
                       if (p.fd == pipeFds[0]) p.revents = POLLIN;
                     return;
                   }
                   if (!std::isinf(timeout)) clock += timeout;
                 });
    EXPECT_EQ(pipe(pipeFds), 0);
    fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
  }
  ~LoopApp() override {
    close(pipeFds[0]);
    close(pipeFds[1]);
  }
  bool applicationDidFinishLaunching() override { return true; }

  // Passes until the loop would wait without limit (at most `limit`).
  int runUntilIdle(int limit = 1000) {
    int passes = 0;
    do {
      EXPECT_TRUE(runPass());
      ++passes;
    } while (!std::isinf(waits.back()) && passes < limit);
    return passes;
  }

  // Passes until the clock reaches `until`, calling drawn(the loop time the
  // pass started at) after each pass that drew a frame. Returns the passes.
  int runDrawing(double until, const std::function<void(double)>& drawn) {
    int passes = 0;
    while (clock < until) {
      const unsigned int before = CCDirector::sharedDirector()->getDrawnFrames();
      const double at = clock;
      if (!runPass()) {
        ADD_FAILURE() << "the loop ended at " << at;
        break;
      }
      ++passes;
      if (CCDirector::sharedDirector()->getDrawnFrames() != before) drawn(at);
    }
    return passes;
  }

  double clock = 0;
  std::vector<double> waits;    // every timeout asked for
  size_t watched = 0;           // descriptors of the last wait
  double messageAt = -1;        // when the next message arrives on the pipe
  double deadline = kForever;   // the program's own next deadline (keep-alive)
  std::vector<double> handled;  // when messages and deadlines were handled
  std::function<void()> onMessage;
  int pipeFds[2] = {-1, -1};

 protected:
  void addWaitSources(std::vector<pollfd>& fds, double& timeout) override {
    fds.push_back(pollfd{pipeFds[0], POLLIN, 0});
    if (deadline - clock < timeout) timeout = deadline - clock;
  }
  void serviceWaitSources() override {
    char c;
    while (read(pipeFds[0], &c, 1) == 1) {
      handled.push_back(clock);
      if (onMessage) onMessage();
    }
    if (clock >= deadline) {
      handled.push_back(clock);
      deadline = kForever;
    }
  }
};

// Records the loop time of every call. On the heap, held by the test and by
// the scheduler while scheduled: whichever lets go last deletes it.
struct Ticks : CCObject {
  explicit Ticks(const double* clock) : clock(clock) {}
  void tick(float) { at.push_back(*clock); }
  const double* clock;
  std::vector<double> at;
};

struct HeldTicks {
  explicit HeldTicks(const double* clock) : ticks(new Ticks(clock)) {}
  ~HeldTicks() { ticks->release(); }
  Ticks* ticks;
};

class MainLoopTest : public EngineTest {
 protected:
  CCDirector* director() { return CCDirector::sharedDirector(); }
};

}  // namespace

TEST_F(MainLoopTest, NothingMovingTheLoopDrawsNothingAndWaitsWithoutLimit) {
  CCScene* scene = runScene();
  CCLabelTTF* label = CCLabelTTF::create("", "", 12);
  scene->addChild(label);
  LoopApp app;
  ASSERT_TRUE(app.runPass());
  const unsigned int drawn = director()->getDrawnFrames();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(app.runPass());
  EXPECT_EQ(director()->getDrawnFrames(), drawn);
  for (double w : app.waits) EXPECT_TRUE(std::isinf(w)) << w;
  EXPECT_EQ(app.watched, 1u) << "the program's descriptor is watched";

  // A change draws one frame, then the loop sleeps again.
  label->setPosition(ccp(10, 10));
  ASSERT_TRUE(app.runPass());
  ASSERT_TRUE(app.runPass());
  EXPECT_EQ(director()->getDrawnFrames(), drawn + 1);
  EXPECT_TRUE(std::isinf(app.waits.back()));
}

TEST_F(MainLoopTest, AMovingNodeKeepsFramesPacedUntilItStops) {
  CCScene* scene = runScene();
  CCNode* node = CCLayerColor::create(ccc4(255, 0, 0, 255), 10, 10);
  scene->addChild(node);
  node->runAction(CCMoveBy::create(0.5f, ccp(100, 0)));
  LoopApp app;
  const unsigned int drawn = director()->getDrawnFrames();
  const int passes = app.runUntilIdle();
  // Half a second of frames, one step each, every one drawn.
  EXPECT_GE(passes, 30);
  EXPECT_LE(passes, 33);
  EXPECT_GE(director()->getDrawnFrames() - drawn, 30u);
  for (size_t i = 0; i + 1 < app.waits.size(); ++i) EXPECT_NEAR(app.waits[i], kStep, 1e-9);
  EXPECT_FLOAT_EQ(node->getPositionX(), 100);
}

// A timer sleeps the loop until it is due, in whole fixed steps, and fires in
// the pass after the wait.
TEST_F(MainLoopTest, TimersWakeTheLoopWhenTheyAreDue) {
  struct Case {
    float interval, delay, timeScale;
    double first, second;  // loop time of the first two calls
  } cases[] = {
      {0.25f, 0, 1, 0.25, 0.5}, {1, 0, 1, 1, 2},   {1, 2.5f, 1, 2.5, 3.5},
      {0.3f, 0, 1, 0.3, 0.6},   {1, 0, 2, 0.5, 1}, {0.01f, 0, 1, kStep, 2 * kStep},  // shorter than a step: every frame
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "interval " << c.interval << " delay " << c.delay << " scale " << c.timeScale);
    runScene();
    LoopApp app;
    HeldTicks held(&app.clock);
    Ticks& ticks = *held.ticks;
    director()->getScheduler()->setTimeScale(c.timeScale);
    director()->getScheduler()->scheduleSelector(schedule_selector(Ticks::tick), &ticks, c.interval, 1, c.delay, false);
    int passes = app.runUntilIdle();
    ASSERT_EQ(ticks.at.size(), 2u);
    EXPECT_NEAR(ticks.at[0], c.first, 1e-6);
    EXPECT_NEAR(ticks.at[1], c.second, 1e-6);
    // A few passes, not one a frame.
    if (c.interval > kStep) {
      EXPECT_LE(passes, 4);
    }
    director()->getScheduler()->setTimeScale(1);
    director()->reset();
  }
}

TEST_F(MainLoopTest, AMessageDuringTheSleepIsHandledAtOnceAndTimersKeepTheirTimes) {
  CCScene* scene = runScene();
  CCLabelTTF* label = CCLabelTTF::create("", "", 12);
  scene->addChild(label);
  LoopApp app;
  HeldTicks held(&app.clock);
  Ticks& ticks = *held.ticks;
  director()->getScheduler()->scheduleSelector(schedule_selector(Ticks::tick), &ticks, 1, kCCRepeatForever, 0, false);
  app.onMessage = [&] { label->setPosition(ccp(5, 5)); };
  app.messageAt = 0.3;
  const unsigned int drawn = director()->getDrawnFrames();
  ASSERT_TRUE(app.runPass());  // draws the label, waits for the timer; the message comes first
  EXPECT_NEAR(app.waits.back(), 1, 1e-9);
  ASSERT_TRUE(app.runPass());  // handles it
  ASSERT_EQ(app.handled.size(), 1u);
  EXPECT_DOUBLE_EQ(app.handled[0], 0.3);
  EXPECT_EQ(director()->getDrawnFrames(), drawn + 2) << "drawn in the pass that read it";
  EXPECT_NEAR(app.waits.back(), 0.7, 1e-9) << "the rest of the timer's second";

  ASSERT_TRUE(app.runPass());
  ASSERT_TRUE(app.runPass());
  ASSERT_EQ(ticks.at.size(), 2u);
  EXPECT_NEAR(ticks.at[0], 1, 1e-9);
  EXPECT_NEAR(ticks.at[1], 2, 1e-9);
}

TEST_F(MainLoopTest, TheProgramsDeadlineEndsTheWaitAndANewSceneIsDrawnAtOnce) {
  runScene();
  LoopApp app;
  app.deadline = 10;  // say, a connection's keep-alive
  app.runUntilIdle();
  ASSERT_EQ(app.handled.size(), 1u);
  EXPECT_DOUBLE_EQ(app.handled[0], 10);
  EXPECT_DOUBLE_EQ(app.waits[app.waits.size() - 2], 10);

  // What a message does to the scenes shows in the same pass.
  const unsigned int drawn = director()->getDrawnFrames();
  app.onMessage = [] { CCDirector::sharedDirector()->replaceScene(CCScene::create()); };
  app.messageAt = app.clock + 3;
  ASSERT_TRUE(app.runPass());
  ASSERT_TRUE(app.runPass());
  EXPECT_EQ(director()->getDrawnFrames(), drawn + 1);
  EXPECT_TRUE(std::isinf(app.waits.back()));
}

TEST_F(MainLoopTest, ThePausedWaitWithoutLimitAndEndingStopsTheLoop) {
  CCScene* scene = runScene();
  CCNode* node = CCNode::create();
  scene->addChild(node);
  node->runAction(CCRepeatForever::create(CCRotateBy::create(1, 360)));
  LoopApp app;
  ASSERT_TRUE(app.runPass());
  EXPECT_NEAR(app.waits.back(), kStep, 1e-9);
  node->pauseSchedulerAndActions();
  ASSERT_TRUE(app.runPass());
  EXPECT_TRUE(std::isinf(app.waits.back())) << "a paused action does not move";
  node->resumeSchedulerAndActions();
  director()->pause();
  ASSERT_TRUE(app.runPass());
  EXPECT_TRUE(std::isinf(app.waits.back())) << "nor does a paused director";
  director()->resume();
  director()->end();
  EXPECT_FALSE(app.runPass());
}

// What the scheduler tells the loop about its next call.
TEST_F(MainLoopTest, TheSchedulerTellsTheTimeToItsNextCall) {
  struct Target : CCObject {
    void tick(float) {}
    void update(float) override {}
  };
  struct Case {
    const char* what;
    float interval, delay, timeScale;
    int updatesBefore;  // updates of 0.25 s after scheduling
    bool perFrame, paused, quiet;
    double expected;
  } cases[] = {
      {"nothing scheduled", -1, 0, 1, 0, false, false, false, kForever},
      {"a clock still to start", 1, 0, 1, 0, false, false, false, 0},
      {"a second, a quarter gone", 1, 0, 1, 2, false, false, false, 0.75},
      {"a delay first", 1, 2, 1, 2, false, false, false, 1.75},
      {"twice as fast", 1, 0, 2, 2, false, false, false, 0.25},
      {"a stopped clock", 1, 0, 0, 2, false, false, false, kForever},
      {"every frame", 0, 0, 1, 2, false, false, false, 0},
      {"a paused target", 1, 0, 1, 2, false, true, false, kForever},
      {"a per-frame update", -1, 0, 1, 1, true, false, false, 0},
      {"a paused per-frame update", -1, 0, 1, 1, true, true, false, kForever},
      {"the quiet one's update", -1, 0, 1, 1, true, false, true, kForever},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CCScheduler* s = new CCScheduler();
    Target* t = new Target();
    s->setTimeScale(c.timeScale);
    if (c.interval >= 0)
      s->scheduleSelector(schedule_selector(Target::tick), t, c.interval, kCCRepeatForever, c.delay, false);
    if (c.perFrame) s->scheduleUpdateForTarget(t, 0, false);
    for (int i = 0; i < c.updatesBefore; ++i) s->update(0.25f);
    if (c.paused) s->pauseTarget(t);
    const double next = s->getTimeToNextCall(c.quiet ? t : nullptr);
    if (std::isinf(c.expected))
      EXPECT_TRUE(std::isinf(next)) << next;
    else
      EXPECT_NEAR(next, c.expected, 1e-5);
    s->unscheduleAll();
    s->release();
    t->release();
  }
}

// Ready signs and a clock's light: frame animations that change their
// sprite four or five times a second. The loop sleeps between their frames
// and draws each frame once, on time.
TEST_F(MainLoopTest, AFrameAnimationWakesTheLoopOnlyForItsFrames) {
  CCScene* scene = runScene();
  CCAnimation* anim = frameStrip({1, 1, 1, 1}, 0.25f, 1);
  CCSprite* sign = CCSprite::createWithTexture(
      static_cast<CCAnimationFrame*>(anim->getFrames()->objectAtIndex(0))->getSpriteFrame()->getTexture());
  scene->addChild(sign);
  sign->runAction(CCRepeatForever::create(CCAnimate::create(anim)));
  LoopApp app;
  const unsigned int drawn = director()->getDrawnFrames();
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(app.runPass());
  // Ten seconds would take 600 passes a frame at a time; a frame every
  // quarter second takes four a second (and a pass or two at the start).
  EXPECT_GE(app.clock, 9.0);
  EXPECT_LE(director()->getDrawnFrames() - drawn, 42u);
  EXPECT_GE(director()->getDrawnFrames() - drawn, 36u);
  size_t sleeps = 0;
  for (double w : app.waits)
    if (w > 0.2) ++sleeps;
  EXPECT_GE(sleeps, 35u);
}

namespace {

// A sprite running a four-frame animation forever, and the loop times at
// which its frame was seen to change.
struct Strip {
  CCAnimation* anim = nullptr;
  CCSprite* sprite = nullptr;
  float delay = 0;
  float shownX = -1;          // the frame drawn last, by its place in the strip
  std::vector<double> drawn;  // when each change was first drawn

  void start(CCNode* parent, CCAnimation* strip) {
    anim = strip;
    delay = strip->getDelayPerUnit();
    sprite = CCSprite::createWithSpriteFrame(
        static_cast<CCAnimationFrame*>(anim->getFrames()->objectAtIndex(0))->getSpriteFrame());
    parent->addChild(sprite);
    sprite->runAction(CCRepeatForever::create(CCAnimate::create(anim)));
  }
  void look(double at) {
    const float x = sprite->getTextureRect().origin.x;
    if (shownX >= 0 && x != shownX) drawn.push_back(at);
    shownX = x;
  }
  // Each frame lasts its delay, give or take `late` (a change drawn late
  // makes one frame longer and the next shorter).
  void expectFramesKeptTheirLength(double late) const {
    for (size_t k = 1; k < drawn.size(); ++k) {
      EXPECT_NEAR(drawn[k] - drawn[k - 1], delay, late + 1e-6)
          << "frame " << k << " of the " << delay << " s strip, drawn at " << drawn[k];
    }
  }
};

}  // namespace

// Animations whose frames fall close together are drawn in one frame: the
// earlier change waits at most three steps (and the step it falls in), so
// the loop wakes once for both. An animation that changes every step or two
// never waits.
TEST_F(MainLoopTest, ChangesDueCloseTogetherAreDrawnInOneFrame) {
  struct Case {
    float a, b;         // the two strips' frame delays
    double late;        // how much longer or shorter a frame may be drawn
    unsigned int most;  // frames drawn in two seconds
  } cases[] = {
      // 0.25/0.26, 0.5/0.52, 0.75/0.78 and 1/1.04 fall together: 11 frames,
      // not 15.
      {0.25f, 0.26f, 4 * kStep, 12},
      // Every 1.5 steps: each frame at its own step, the slower strip's too.
      {0.025f, 0.26f, kStep, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "strips of " << c.a << " and " << c.b << " s");
    CCScene* scene = runScene();
    Strip strips[2];
    strips[0].start(scene, frameStrip({1, 1, 1, 1}, c.a, 1));
    strips[1].start(scene, frameStrip({1, 1, 1, 1}, c.b, 1));
    LoopApp app;
    const unsigned int first = director()->getDrawnFrames();
    // A pass draws at the clock it starts at, then waits.
    app.runDrawing(2.0, [&](double at) {
      for (Strip& s : strips) s.look(at);
    });
    for (const Strip& s : strips) {
      EXPECT_GE(s.drawn.size(), (size_t)(1.9 / s.delay)) << "no frame is lost";
      s.expectFramesKeptTheirLength(c.late);
    }
    EXPECT_LE(director()->getDrawnFrames() - first, c.most);
    director()->reset();
  }
}

// A timer fires on time; an animation's frame due just before it waits for
// its wake instead.
TEST_F(MainLoopTest, ATimerIsNeverLateForAnAnimationsFrame) {
  CCScene* scene = runScene();
  LoopApp app;
  HeldTicks held(&app.clock);
  Ticks& ticks = *held.ticks;
  Strip s;
  s.start(scene, frameStrip({1, 1, 1, 1}, 0.49f, 1));  // its second frame falls 0.02 s before the timer's call
  director()->getScheduler()->scheduleSelector(schedule_selector(Ticks::tick), &ticks, 1, kCCRepeatForever, 0, false);
  const int wakes = app.runDrawing(2.1, [&](double at) { s.look(at); });
  ASSERT_GE(ticks.at.size(), 2u);
  EXPECT_NEAR(ticks.at[0], 1, 1e-6);
  EXPECT_NEAR(ticks.at[1], 2, 1e-6);
  ASSERT_GE(s.drawn.size(), 4u);
  for (double at : s.drawn) EXPECT_GT(std::fabs(at - 0.98), 0.01) << "not woken for it alone";
  s.expectFramesKeptTheirLength(4 * kStep);
  // Four frames and two calls in two seconds: one wake for the 0.98 s frame
  // and the call after it (and one for the last frame past 2 s at most).
  EXPECT_LE(wakes, 6);
}
