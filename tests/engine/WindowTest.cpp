// What the view offers of the window besides drawing: whether it is open,
// its icon, mouse cursors and the clipboard.

#include <array>

#include "EngineFixture.h"
#include "engine/backend/Backend.h"

USING_NS_CC;

namespace {

class WindowTest : public EngineTest {
 protected:
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  std::string path(const char* name) { return m_root + "/res/" + name; }
};

}  // namespace

TEST_F(WindowTest, AskingWhetherTheWindowIsReadyOpensNothing) {
  kest::backend::close();
  EXPECT_FALSE(view->isOpenGLReady());
  EXPECT_FALSE(kest::backend::isOpen());
  // Without a window: no icon, no clipboard, and cursors only remembered.
  writePng("icon.png", 32, 32, 0x20a040ffu);
  EXPECT_FALSE(view->setWindowIcon(path("icon.png")));
  EXPECT_FALSE(view->setClipboardText("text"));
  std::string text;
  EXPECT_FALSE(view->getClipboardText(text));
  CCCursor* early = view->loadCursor(path("icon.png"), 4, 4);
  ASSERT_NE(early, nullptr);
  view->setCursor(early);
  EXPECT_EQ(view->getCursor(), early);

  EXPECT_TRUE(view->openWindow());
  EXPECT_TRUE(view->isOpenGLReady());
  view->setCursor(early);  // made without a window: never shown, no harm
}

TEST_F(WindowTest, TheIconComesFromAPictureOnceThereIsAWindow) {
  ASSERT_TRUE(view->openWindow());
  writePng("icon.png", 32, 32, 0x20a040ffu);
  writeFile("broken.png", "not a picture");
  EXPECT_TRUE(view->setWindowIcon(path("icon.png")));
  EXPECT_FALSE(view->setWindowIcon(path("broken.png")));
  EXPECT_FALSE(view->setWindowIcon(path("missing.png")));
}

TEST_F(WindowTest, PicturesBecomeCursorsAndNullHidesThePointer) {
  ASSERT_TRUE(view->openWindow());
  EXPECT_EQ(view->loadCursor(path("missing.png"), 0, 0), nullptr);
  writePng("chip.png", 32, 32, 0xc81e1effu);
  // Hot spots outside the 48 x 48 picture are pulled inside it.
  CCCursor* chip = view->loadCursor(path("chip.png"), 60, -3);
  ASSERT_NE(chip, nullptr);
  EXPECT_EQ(chip->getSource(), path("chip.png"));
  view->setCursor(chip);
  EXPECT_EQ(view->getCursor(), chip);
  view->setCursor(nullptr);
  EXPECT_EQ(view->getCursor(), nullptr);
  view->setCursor(view->getArrowCursor());
  EXPECT_EQ(view->getCursor()->getSource(), "arrow");
  EXPECT_EQ(view->getArrowCursor(), view->getCursor());

  // A cursor outlives the window that made it; a later window does not use it.
  kest::backend::close();
  ASSERT_TRUE(view->openWindow());
  view->setCursor(chip);
  EXPECT_EQ(view->getCursor(), chip);
}

TEST_F(WindowTest, TheClipboardHoldsWhatWasCopied) {
  ASSERT_TRUE(view->openWindow());
  ASSERT_TRUE(view->setClipboardText("参数 123"));
  std::string text;
  ASSERT_TRUE(view->getClipboardText(text));
  EXPECT_EQ(text, "参数 123");
}

// Any window shows the whole design: scaled by the smaller ratio, the other
// side showing more. The side that fits keeps its exact length, and what
// shows never reaches a point past the window.
TEST_F(WindowTest, ShowAllExpandedShowsTheWholeDesignAtAnySize) {
  struct Case {
    CCSize frame, visible;
  };
  const Case cases[] = {
      {{1288, 762}, {1288, 762}},  {{1600, 900}, {1355, 762}},  {{1000, 600}, {1288, 773}},
      {{1920, 1040}, {1407, 762}}, {{2576, 1524}, {1288, 762}}, {{1920, 1200}, {1288, 805}},
      {{1289, 762}, {1289, 762}},  {{644, 1000}, {1288, 2000}},
  };
  view->setDesignResolutionSize(1288, 762, kResolutionShowAllExpanded);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frame.width << " x " << c.frame.height);
    view->handleResize(c.frame.width, c.frame.height);
    EXPECT_EQ(CCDirector::sharedDirector()->getVisibleSize(), c.visible);
    const float scale = std::min(c.frame.width / 1288, c.frame.height / 762);
    EXPECT_FLOAT_EQ(view->getScaleX(), scale);
    EXPECT_FLOAT_EQ(view->getScaleY(), scale);
    EXPECT_LE(c.visible.width * scale, c.frame.width + scale);
    EXPECT_LE(c.visible.height * scale, c.frame.height + scale);
  }
  view->handleResize(1288, 762);
  view->setDesignResolutionSize(1288, 762, kResolutionExactFit);
}

// A press on the window: its edges size a window that is not maximised,
// the last stretch of an edge is the corner's, and the rest is the caption
// or the client as the hook says (never an edge of the hook's).
TEST_F(WindowTest, EdgesSizeTheWindowAndTheHookFindsTheCaption) {
  ASSERT_TRUE(view->openWindow());
  view->handleResize(1288, 762);
  const struct {
    float x, y;
    CCWindowArea area;
  } cases[] = {
      {15, 2, CCWindowArea::kTopLeft},      {16, 2, CCWindowArea::kTop},         {1287, 15, CCWindowArea::kTopRight},
      {1284, 381, CCWindowArea::kRight},    {1283, 381, CCWindowArea::kClient},  {1287, 761, CCWindowArea::kBottomRight},
      {644, 758, CCWindowArea::kBottom},    {0, 761, CCWindowArea::kBottomLeft}, {3, 381, CCWindowArea::kLeft},
  };
  view->setWindowAreaHook(nullptr);
  for (const auto& c : cases) EXPECT_EQ(view->windowAreaAt(c.x, c.y), c.area) << c.x << ", " << c.y;

  std::vector<CCPoint> asked;
  view->setWindowAreaHook([&asked](const CCPoint& p) {
    asked.push_back(p);
    return p.y < 30 ? CCWindowArea::kCaption : CCWindowArea::kLeft;
  });
  EXPECT_EQ(view->windowAreaAt(644, 10), CCWindowArea::kCaption);
  EXPECT_EQ(view->windowAreaAt(644, 300), CCWindowArea::kClient);
  EXPECT_EQ(view->windowAreaAt(644, 2), CCWindowArea::kTop);  // the edge first
  EXPECT_EQ(asked.size(), 2u);

  // Maximised, the edges are the caption's or the client's.
  view->maximizeWindow();
  view->pollEvents();
  ASSERT_TRUE(view->isMaximized());
  const CCSize frame = view->getFrameSize();
  EXPECT_EQ(view->windowAreaAt(0, 0), CCWindowArea::kCaption);
  EXPECT_EQ(view->windowAreaAt(frame.width - 1, frame.height - 1), CCWindowArea::kClient);
  view->restoreWindow();
  view->pollEvents();
  view->setWindowAreaHook(nullptr);
}

// Headless there is no window manager: the window takes the work area and
// gives back its rectangle itself. The state is told after the size that
// came with it, once, and not at all for a change undone before the events.
TEST_F(WindowTest, WithoutAManagerMaximisingTakesTheWorkAreaAndTellsAfterTheSize) {
  ASSERT_TRUE(view->openWindow());
  std::vector<std::string> told;
  view->setWindowMessageHook([&told](const CCWindowMessage& m) {
    if (m.kind == CCWindowMessage::kResized)
      told.push_back("size " + std::to_string((int)m.location.x) + "x" + std::to_string((int)m.location.y));
    if (m.kind == CCWindowMessage::kMaximized) told.push_back("maximised");
    if (m.kind == CCWindowMessage::kRestored) told.push_back("restored");
    return false;
  });
  const CCRect normal(40, 30, 1288, 762);
  view->setWindowRect(normal);
  view->pollEvents();
  told.clear();
  const CCRect work = view->getWorkArea();
  ASSERT_EQ(work.size, CCSize(1920, 1040));  // the headless desktop

  view->maximizeWindow();
  EXPECT_TRUE(view->isMaximized());
  view->maximizeWindow();  // already: nothing more
  view->pollEvents();
  EXPECT_EQ(told, (std::vector<std::string>{"size 1920x1040", "maximised"}));
  EXPECT_EQ(view->getWindowRect().origin, work.origin);
  EXPECT_EQ(view->getWindowRect().size, work.size);

  told.clear();
  view->restoreWindow();
  EXPECT_FALSE(view->isMaximized());
  view->pollEvents();
  EXPECT_EQ(told, (std::vector<std::string>{"size 1288x762", "restored"}));
  EXPECT_EQ(view->getWindowRect().origin, normal.origin);

  told.clear();
  view->maximizeWindow();
  view->restoreWindow();
  view->pollEvents();
  for (const std::string& t : told) EXPECT_TRUE(t != "maximised" && t != "restored") << t;
  EXPECT_EQ(view->getWindowRect().size, normal.size);
  view->setWindowMessageHook(nullptr);
}

// Whoever looks at the window is told when the first frame after a change of
// its size or maximised state is out: after that frame was drawn, once for
// every change that came before it, even one that ends at a size told
// before (a look taken then would be of a frame older than the change).
TEST_F(WindowTest, TheFirstFrameAfterTheWindowChangedIsToldOnceItIsDrawn) {
  ASSERT_TRUE(view->openWindow());
  runScene();
  struct Watcher : CCObject {
    std::vector<std::string> told;
    void onDrawn(CCObject*) {
      CCEGLView* v = CCEGLView::sharedOpenGLView();
      told.push_back(std::to_string((int)v->getFrameSize().width) + "x" +
                     std::to_string((int)v->getFrameSize().height) + (v->isMaximized() ? " maximised" : "") +
                     " after frame " + std::to_string(CCDirector::sharedDirector()->getDrawnFrames()));
    }
  } watcher;
  CCNotificationCenter::sharedNotificationCenter()->addObserver(
      &watcher, callfuncO_selector(Watcher::onDrawn), CCDirector::kWindowDrawnNotification, nullptr);
  CCDirector* d = CCDirector::sharedDirector();
  auto drawn = [d](int more) { return " after frame " + std::to_string(d->getDrawnFrames() + more); };
  view->setWindowRect(CCRect(40, 30, 1288, 762));
  view->pollEvents();
  step(1);
  watcher.told.clear();

  view->setWindowRect(CCRect(40, 30, 1600, 900));
  view->pollEvents();
  EXPECT_TRUE(watcher.told.empty()) << "told before a frame was drawn: " << watcher.told[0];
  std::string expected = "1600x900" + drawn(1);
  step(3);
  EXPECT_EQ(watcher.told, (std::vector<std::string>{expected})) << "the new size's first frame, once";

  // Away and back before a frame: the frame after both is told.
  watcher.told.clear();
  view->setWindowRect(CCRect(40, 30, 1188, 762));
  view->pollEvents();
  view->setWindowRect(CCRect(40, 30, 1600, 900));
  view->pollEvents();
  expected = "1600x900" + drawn(1);
  step(1);
  EXPECT_EQ(watcher.told, (std::vector<std::string>{expected}));

  // The state comes with its size (no manager headless): one word for both.
  watcher.told.clear();
  view->maximizeWindow();
  view->pollEvents();
  expected = "1920x1040 maximised" + drawn(1);
  step(2);
  view->restoreWindow();
  view->pollEvents();
  const std::string restored = "1600x900" + drawn(1);
  step(1);
  EXPECT_EQ(watcher.told, (std::vector<std::string>{expected, restored}));
  CCNotificationCenter::sharedNotificationCenter()->removeAllObservers(&watcher);
}

namespace {

// A window opened on a desktop of that size (headless, KEST_DESKTOP names
// it), and the desktop put back.
class SmallDesktop {
 public:
  explicit SmallDesktop(const char* size) {
    kest::backend::close();
    setenv("KEST_DESKTOP", size, 1);
    CCEGLView::sharedOpenGLView()->setFrameSize(1288, 762);
  }
  ~SmallDesktop() {
    kest::backend::close();
    unsetenv("KEST_DESKTOP");
    kest::backend::setLeastWindowSize(0, 0);
    CCEGLView::sharedOpenGLView()->setFrameSize(1288, 762);
  }
};

}  // namespace

// The window opens inside the usable area, centred: as designed where that
// holds it, else scaled down with the table's shape to its shorter side.
// Maximised and restored, it comes back to the same rectangle.
TEST_F(WindowTest, TheWindowOpensInsideTheUsableAreaWithTheTablesShape) {
  const struct {
    const char* desktop;
    CCRect window;
  } cases[] = {
      {"1920x1040", {316, 139, 1288, 762}},
      {"1366x728", {68, 0, 1230, 728}},  // a 1366 x 768 laptop with a 40-pixel panel
      {"1152x864", {0, 91, 1152, 681}},  // 4:3, the width decides
      {"1024x600", {5, 0, 1014, 600}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.desktop);
    SmallDesktop desktop(c.desktop);
    ASSERT_TRUE(view->openWindow());
    EXPECT_EQ(view->getWindowRect().origin, c.window.origin);
    EXPECT_EQ(view->getWindowRect().size, c.window.size);
    EXPECT_EQ(view->getFrameSize(), c.window.size);
    view->maximizeWindow();
    view->pollEvents();
    EXPECT_EQ(view->getWindowRect().size, view->getWorkArea().size);
    view->restoreWindow();
    view->pollEvents();
    EXPECT_EQ(view->getWindowRect().origin, c.window.origin);
    EXPECT_EQ(view->getWindowRect().size, c.window.size);
  }
}

// Sized below its least size, by anyone, the window stops there; on a
// desktop too small for it, at what of it fits.
TEST_F(WindowTest, TheWindowGoesNoSmallerThanItsLeastSize) {
  {
    SmallDesktop desktop("1920x1040");
    view->setFrameLeastSize(966, 571.5f);
    ASSERT_TRUE(view->openWindow());
    view->setWindowRect(CCRect(100, 100, 400, 300));
    view->pollEvents();
    EXPECT_EQ(view->getWindowRect().size, CCSize(966, 572));
    EXPECT_EQ(view->getFrameSize(), CCSize(966, 572));
  }
  SmallDesktop desktop("800x480");
  view->setFrameLeastSize(966, 572);
  ASSERT_TRUE(view->openWindow());
  EXPECT_EQ(view->getWindowRect().size, CCSize(800, 473));
  view->setWindowRect(CCRect(0, 0, 200, 100));
  view->pollEvents();
  EXPECT_EQ(view->getWindowRect().size, CCSize(800, 473));
}

// A double click on the caption maximises the window and another restores
// it to its exact rectangle; it reaches nothing on the caption.
TEST_F(WindowTest, ADoubleClickOnTheCaptionMaximisesAndRestores) {
  ASSERT_TRUE(view->openWindow());
  const CCRect normal(40, 30, 1288, 762);
  view->setWindowRect(normal);
  view->pollEvents();
  int clicks = 0;
  view->setWindowMessageHook([&clicks](const CCWindowMessage& m) {
    clicks += m.kind == CCWindowMessage::kLButtonDblClk;
    return false;
  });
  view->setWindowAreaHook([](const CCPoint& p) { return p.y < 30 ? CCWindowArea::kCaption : CCWindowArea::kClient; });
  auto doubleClick = [this](float x, float y) {
    view->handleMouseButton(x, y, 0, true, 1);
    view->handleMouseButton(x, y, 0, false, 1);
    view->handleMouseButton(x, y, 0, true, 2);
    view->handleMouseButton(x, y, 0, false, 2);
    view->pollEvents();
  };
  doubleClick(600, 12);
  EXPECT_TRUE(view->isMaximized());
  EXPECT_EQ(view->getWindowRect().size, view->getWorkArea().size);
  doubleClick(900, 20);
  EXPECT_FALSE(view->isMaximized());
  EXPECT_EQ(view->getWindowRect().origin, normal.origin);
  EXPECT_EQ(view->getWindowRect().size, normal.size);
  EXPECT_EQ(clicks, 0);
  doubleClick(600, 300);  // the client's own
  EXPECT_FALSE(view->isMaximized());
  EXPECT_EQ(clicks, 1);
  view->setWindowAreaHook(nullptr);
  view->setWindowMessageHook(nullptr);
}

// The caption of a maximised window, dragged, restores it to its size under
// the pointer, which keeps its place along the window's width and height; a
// press that moves less than the drag start leaves it.
TEST_F(WindowTest, DraggingAMaximisedWindowsCaptionRestoresItUnderThePointer) {
  ASSERT_TRUE(view->openWindow());
  view->setWindowRect(CCRect(40, 30, 1288, 762));
  view->pollEvents();
  view->setWindowAreaHook([](const CCPoint& p) { return p.y < 40 ? CCWindowArea::kCaption : CCWindowArea::kClient; });
  const struct {
    float x, y;
    CCPoint origin;
  } cases[] = {
      {960, 20, {316, 6}},  // the middle: the window centred on the pointer
      {1900, 20, {625, 6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    view->maximizeWindow();
    view->pollEvents();
    ASSERT_EQ(view->getWindowRect().size, CCSize(1920, 1040));
    view->handleMouseButton(c.x, c.y, 0, true, 1);
    view->handleMouseMove(c.x + 3, c.y, true);
    view->handleMouseButton(c.x + 3, c.y, 0, false, 1);
    view->pollEvents();
    EXPECT_TRUE(view->isMaximized());
    view->handleMouseButton(c.x, c.y, 0, true, 1);
    view->handleMouseMove(c.x, c.y + 4, true);
    view->handleMouseMove(c.x + 50, c.y + 40, true);
    view->handleMouseButton(c.x + 50, c.y + 40, 0, false, 1);
    view->pollEvents();
    EXPECT_FALSE(view->isMaximized());
    EXPECT_EQ(view->getWindowRect().origin, c.origin);
    EXPECT_EQ(view->getWindowRect().size, CCSize(1288, 762));
  }
  view->setWindowAreaHook(nullptr);
}

// A window dragged by its frame: the caption moves it with the pointer; an
// edge or corner follows the pointer while the opposite edges stay, down to
// the least size, where the dragged edge stops (a left or top edge does not
// push the window along).
TEST_F(WindowTest, ADraggedEdgeFollowsThePointerDownToTheLeastSize) {
  const struct {
    int sideX, sideY, dx, dy;
    std::array<int, 4> rect;
  } cases[] = {
      {0, 0, -130, 45, {170, 145, 1288, 762}},   // the caption
      {1, 0, -120, 30, {300, 100, 1168, 762}},   // the right edge: across only
      {-1, 0, 100, 0, {400, 100, 1188, 762}},    // the left edge in: the right edge stays
      {-1, 0, 500, 0, {622, 100, 966, 762}},     // past the least width
      {0, -1, 0, -50, {300, 50, 1288, 812}},     // the top edge up
      {0, -1, 0, 400, {300, 290, 1288, 572}},    // past the least height
      {1, 1, -600, -400, {300, 100, 966, 572}},  // the bottom right corner, both least
      {-1, -1, -20, -10, {280, 90, 1308, 772}},  // the top left corner out
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "sides " << c.sideX << "," << c.sideY << " by " << c.dx << "," << c.dy);
    std::array<int, 4> rect{300, 100, 1288, 762};
    kest::backend::draggedRect(c.sideX, c.sideY, c.dx, c.dy, 966, 572, rect.data());
    EXPECT_EQ(rect, c.rect);
  }
}
