// Touch order, swallowing and claims; the window's input path.

#include <functional>
#include <string>

#include "EngineFixture.h"

USING_NS_CC;

namespace {

std::vector<std::string> g_log;

class Handler : public CCObject, public CCTargetedTouchDelegate {
 public:
  static Handler* make(const char* name, bool claims) {
    Handler* h = new Handler();
    h->m_name = name;
    h->m_claims = claims;
    h->autorelease();
    return h;
  }
  bool ccTouchBegan(CCTouch* t, CCEvent*) override {
    g_log.push_back(m_name + ".began");
    m_last = t->getLocation();
    if (m_onBegan) m_onBegan();
    return m_claims;
  }
  void ccTouchMoved(CCTouch* t, CCEvent*) override {
    g_log.push_back(m_name + ".moved");
    m_delta = t->getDelta();
  }
  void ccTouchEnded(CCTouch*, CCEvent*) override { g_log.push_back(m_name + ".ended"); }
  std::string m_name;
  bool m_claims = false;
  CCPoint m_last, m_delta;
  std::function<void()> m_onBegan;
};

class Standard : public CCObject, public CCStandardTouchDelegate {
 public:
  void ccTouchesBegan(CCSet* s, CCEvent*) override { began += s->count(); }
  int began = 0;
};

class TouchTest : public EngineTest {
 protected:
  CCTouchDispatcher* dispatcher() { return CCDirector::sharedDirector()->getTouchDispatcher(); }
  void click(float x, float y) {
    CCEGLView* v = CCEGLView::sharedOpenGLView();
    v->handleMouseButton(x, y, 0, true, 1);
    v->handleMouseButton(x, y, 0, false, 1);
  }
};

}  // namespace

TEST_F(TouchTest, LowerPriorityFirstAndLaterRegisteredFirstAmongEquals) {
  g_log.clear();
  dispatcher()->addTargetedDelegate(Handler::make("board", false), -128, true);
  dispatcher()->addTargetedDelegate(Handler::make("card", false), -129, true);
  dispatcher()->addTargetedDelegate(Handler::make("button", false), -128, true);
  dispatcher()->addTargetedDelegate(Handler::make("view", false), 0, true);
  click(10, 10);
  EXPECT_EQ(g_log, (std::vector<std::string>{"card.began", "button.began", "board.began", "view.began"}));
}

TEST_F(TouchTest, ASwallowedTouchGoesNoFurtherAndOnlyTheClaimantFollowsIt) {
  g_log.clear();
  Standard* std = new Standard();
  dispatcher()->addStandardDelegate(std, 0);
  std->release();
  dispatcher()->addTargetedDelegate(Handler::make("late", true), 0, true);
  dispatcher()->addTargetedDelegate(Handler::make("modal", true), -128, true);
  Handler* watcher = Handler::make("watcher", true);
  dispatcher()->addTargetedDelegate(watcher, -10000, false);  // claims but lets the touch on
  CCEGLView* v = CCEGLView::sharedOpenGLView();
  v->handleMouseButton(100, 100, 0, true, 1);
  v->handleMouseMove(110, 90, true);
  v->handleMouseButton(110, 90, 0, false, 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"watcher.began", "modal.began", "watcher.moved", "modal.moved",
                                             "watcher.ended", "modal.ended"}));
  EXPECT_EQ(std->began, 0);
  // Window pixels to points (origin bottom-left), and the movement since the last event.
  EXPECT_EQ(watcher->m_last, ccp(100, 762 - 100));
  EXPECT_EQ(watcher->m_delta, ccp(10, 10));
}

TEST_F(TouchTest, DelegatesAddedOrRemovedDuringADispatchAreSafe) {
  g_log.clear();
  Handler* first = Handler::make("first", false);
  Handler* second = Handler::make("second", true);
  Handler* added = Handler::make("added", true);
  dispatcher()->addTargetedDelegate(second, 0, true);
  dispatcher()->addTargetedDelegate(first, -1, true);
  // The first handler removes the second (which the dispatcher then holds the
  // last reference to) and registers a new one. The second goes when the
  // dispatch ends: it still takes this touch-began, but not its end.
  first->m_onBegan = [&] {
    dispatcher()->removeDelegate(second);
    dispatcher()->addTargetedDelegate(added, -5, true);
  };
  click(1, 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"first.began", "second.began"}));
  g_log.clear();
  first->m_onBegan = nullptr;
  click(1, 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"added.began", "added.ended"}));
  EXPECT_FALSE(dispatcher()->hasDelegate(second));
}

TEST_F(TouchTest, TheApplicationHookSeesMessagesFirstAndCanConsumeThem) {
  g_log.clear();
  dispatcher()->addTargetedDelegate(Handler::make("layer", true), 0, true);
  std::vector<CCWindowMessage> seen;
  bool consume = true;
  CCEGLView* v = CCEGLView::sharedOpenGLView();
  v->setWindowMessageHook([&](const CCWindowMessage& m) {
    seen.push_back(m);
    return consume && m.kind == CCWindowMessage::kLButtonDown;
  });
  click(20, 30);
  EXPECT_TRUE(g_log.empty());
  consume = false;
  v->handleMouseButton(20, 30, 0, true, 2);
  v->handleMouseButton(20, 30, 0, false, 2);
  EXPECT_EQ(g_log, (std::vector<std::string>{"layer.began", "layer.ended"}));
  v->handleMouseButton(5, 6, 1, false, 1);
  v->handleMouseWheel(-120);
  v->handleKey(kCCVKTab, true, false, false);
  v->handleKey('C', true, true, false);
  v->handleTextInput("好");
  v->handleMouseMove(7, 8, false);
  std::vector<CCWindowMessage::Kind> kinds;
  for (const auto& m : seen) kinds.push_back(m.kind);
  EXPECT_EQ(kinds, (std::vector<CCWindowMessage::Kind>{
                       CCWindowMessage::kLButtonDown, CCWindowMessage::kLButtonUp, CCWindowMessage::kLButtonDblClk,
                       CCWindowMessage::kLButtonUp, CCWindowMessage::kRButtonUp, CCWindowMessage::kMouseWheel,
                       CCWindowMessage::kKeyDown, CCWindowMessage::kKeyDown, CCWindowMessage::kTextInput,
                       CCWindowMessage::kMouseMove, CCWindowMessage::kSetCursor}));
  EXPECT_EQ(seen[4].location, ccp(5, 762 - 6));
  EXPECT_EQ(seen[5].wheelDelta, -120);
  EXPECT_EQ(seen[6].key, 9);
  EXPECT_TRUE(seen[7].ctrl);
  EXPECT_EQ(seen[8].text, "好");
  v->setWindowMessageHook(nullptr);
}

TEST_F(TouchTest, LayersRegisterWhileRunningWithTheirPriority) {
  g_log.clear();
  class Board : public CCLayer {
   public:
    CREATE_FUNC(Board)
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
      g_log.push_back("board");
      return true;
    }
  };
  CCScene* scene = runScene();
  Board* b = Board::create();
  b->setTouchMode(kCCTouchesOneByOne);
  b->setTouchPriority(-128);
  b->setTouchEnabled(true);
  EXPECT_FALSE(dispatcher()->hasDelegate(b));
  scene->addChild(b);
  EXPECT_TRUE(dispatcher()->hasDelegate(b));
  click(1, 1);
  EXPECT_EQ(g_log.size(), 1u);
  b->removeFromParentAndCleanup(true);
  EXPECT_FALSE(dispatcher()->hasDelegate(b));
  click(1, 1);
  EXPECT_EQ(g_log.size(), 1u);
}

TEST_F(TouchTest, AResizedWindowScalesTouchesBackToDesignPoints) {
  g_log.clear();
  Handler* h = Handler::make("h", true);
  dispatcher()->addTargetedDelegate(h, 0, true);
  CCEGLView* v = CCEGLView::sharedOpenGLView();
  EXPECT_EQ(v->getDesignResolutionSize(), CCSize(1288, 762));
  v->handleResize(1932, 1143);  // maximised: one and a half times
  EXPECT_FLOAT_EQ(v->getScaleX(), 1.5f);
  EXPECT_FLOAT_EQ(v->getScaleY(), 1.5f);
  EXPECT_EQ(CCDirector::sharedDirector()->getVisibleSize(), CCSize(1288, 762));
  click(150, 150);
  EXPECT_EQ(h->m_last, ccp(100, (1143 - 150) / 1.5f));
  v->handleResize(1288, 762);
  EXPECT_FLOAT_EQ(v->getScaleY(), 1.0f);
}

// Fixed width: a maximised window of another aspect shows more height, not
// bars; the width stays 1288 points.
TEST_F(TouchTest, FixedWidthLetsTheDesignHeightFollowTheWindow) {
  g_log.clear();
  Handler* h = Handler::make("h", true);
  dispatcher()->addTargetedDelegate(h, 0, true);
  CCEGLView* v = CCEGLView::sharedOpenGLView();
  v->setDesignResolutionSize(1288, 762, kResolutionFixedWidth);
  v->handleResize(1920, 1080);
  EXPECT_EQ(v->getDesignResolutionSize(), CCSize(1288, 725));  // 1080 x 1288 / 1920 = 724.5
  EXPECT_EQ(CCDirector::sharedDirector()->getVisibleSize(), CCSize(1288, 725));
  EXPECT_NEAR(v->getViewPortRect().origin.y, 0, 0.5);  // no bars: the rounding's half pixel
  click(1920 / 2, 1080 / 2);
  EXPECT_NEAR(h->m_last.x, 644, 0.5);
  EXPECT_NEAR(h->m_last.y, 362.5, 0.5);
  v->handleResize(1024, 768);
  EXPECT_EQ(v->getDesignResolutionSize(), CCSize(1288, 966));
  v->handleResize(1288, 762);
  EXPECT_EQ(v->getDesignResolutionSize(), CCSize(1288, 762));
  // Fixed height: the width follows instead.
  v->setDesignResolutionSize(1288, 762, kResolutionFixedHeight);
  v->handleResize(1600, 762);
  EXPECT_EQ(v->getDesignResolutionSize(), CCSize(1600, 762));
  v->handleResize(1288, 762);
  v->setDesignResolutionSize(1288, 762, kResolutionExactFit);
}

namespace {

struct RemovalCase {
  const char* name;
  const char* remover;  // whose handler removes
  const char* removed;  // whom it removes
  const char* phase;    // in which call: "began" or "moved"
  bool addBack;         // and registers it again before the dispatch ends
  std::vector<std::string> log;
};

class Logger : public CCObject, public CCTargetedTouchDelegate {
 public:
  std::string name;
  bool claims = true;
  std::function<void(const char*)> hook;
  bool ccTouchBegan(CCTouch*, CCEvent*) override {
    g_log.push_back(name + ".began");
    if (hook) hook("began");
    return claims;
  }
  void ccTouchMoved(CCTouch*, CCEvent*) override {
    g_log.push_back(name + ".moved");
    if (hook) hook("moved");
  }
  void ccTouchEnded(CCTouch*, CCEvent*) override { g_log.push_back(name + ".ended"); }
};

}  // namespace

// A handler removed while a touch is dispatched goes when that dispatch ends:
// it still gets the event under way, nothing after.
TEST_F(TouchTest, AHandlerRemovedDuringADispatchGoesWhenTheDispatchEnds) {
  const RemovalCase cases[] = {
      {"an earlier handler removes a later one",
       "top",
       "low",
       "began",
       false,
       {"top.began", "low.began", "top.moved", "top.ended"}},
      {"a handler removes itself", "low", "low", "began", false, {"top.began", "low.began", "top.moved", "top.ended"}},
      {"a later handler removes an earlier one",
       "low",
       "top",
       "began",
       false,
       {"top.began", "low.began", "low.moved", "low.ended"}},
      {"removed during a move",
       "top",
       "low",
       "moved",
       false,
       {"top.began", "low.began", "top.moved", "low.moved", "top.ended"}},
      {"removed and added back: nothing changes",
       "top",
       "low",
       "began",
       true,
       {"top.began", "low.began", "top.moved", "low.moved", "top.ended", "low.ended"}},
  };
  for (const RemovalCase& c : cases) {
    SCOPED_TRACE(c.name);
    g_log.clear();
    Logger* top = new Logger();
    top->name = "top";
    Logger* low = new Logger();
    low->name = "low";
    dispatcher()->addTargetedDelegate(top, -10, false);
    dispatcher()->addTargetedDelegate(low, 0, false);
    Logger* remover = std::string(c.remover) == "top" ? top : low;
    Logger* removed = std::string(c.removed) == "top" ? top : low;
    top->release();
    low->release();  // the dispatcher holds the last references
    std::string phase = c.phase;
    bool addBack = c.addBack;
    bool done = false;
    remover->hook = [&, removed](const char* now) {
      if (done || phase != now) return;
      done = true;
      dispatcher()->removeDelegate(removed);
      EXPECT_FALSE(dispatcher()->hasDelegate(removed));
      if (addBack) dispatcher()->addTargetedDelegate(removed, 50, true);
    };
    CCEGLView* v = CCEGLView::sharedOpenGLView();
    v->handleMouseButton(100, 100, 0, true, 1);
    v->handleMouseMove(110, 100, true);
    v->handleMouseButton(110, 100, 0, false, 1);
    EXPECT_EQ(g_log, c.log);
    EXPECT_EQ(dispatcher()->hasDelegate(removed), addBack);
    dispatcher()->removeAllDelegates();
  }
}

TEST_F(TouchTest, ARemovedHandlerStillClaimsAndSwallowsTheTouchUnderWay) {
  g_log.clear();
  Logger* top = new Logger();
  top->name = "top";
  Logger* low = new Logger();
  low->name = "low";
  dispatcher()->addTargetedDelegate(low, 0, true);
  dispatcher()->addTargetedDelegate(top, -10, true);
  top->claims = false;
  top->hook = [&](const char*) { dispatcher()->removeDelegate(low); };
  Standard* std = new Standard();
  dispatcher()->addStandardDelegate(std, 0);
  click(5, 5);
  // `low` swallowed the touch-began (the standard delegate saw nothing) and
  // was gone before its end.
  EXPECT_EQ(g_log, (std::vector<std::string>{"top.began", "low.began"}));
  EXPECT_EQ(std->began, 0);
  top->release();
  low->release();
  std->release();
}

// A button made while a touch is dispatched (a table's start button building
// the next hand's buttons) registers at its default priority, then takes the
// table's: it must end up there, ahead of the modal table that swallows all.
TEST_F(TouchTest, ALayerGivenAPriorityDuringADispatchTakesIt) {
  g_log.clear();
  class Named : public CCLayer {
   public:
    static Named* make(const char* name) {
      Named* n = new Named();
      n->init();
      n->autorelease();
      n->m_name = name;
      n->setTouchMode(kCCTouchesOneByOne);
      n->setTouchEnabled(true);
      return n;
    }
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
      g_log.push_back(m_name);
      if (m_onBegan) m_onBegan();
      return true;
    }
    std::string m_name;
    std::function<void()> m_onBegan;
  };
  CCScene* scene = runScene();
  Named* table = Named::make("table");
  table->setTouchPriority(-128);
  scene->addChild(table);
  Named* start = Named::make("start");
  start->setTouchPriority(-129);
  scene->addChild(start);
  Named* made = nullptr;
  start->m_onBegan = [&] {
    made = Named::make("button");
    made->setTouchPriority(1);
    scene->addChild(made);
    made->setTouchPriority(-128);
    start->removeFromParentAndCleanup(true);
  };
  click(1, 1);
  ASSERT_NE(made, nullptr);
  click(1, 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"start", "button"}));
}
