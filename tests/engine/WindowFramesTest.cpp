// Frames drawn again in place, as a window shows them: pixels kept from
// earlier frames go straight onto the window (or into the software
// renderer's window surface), which a read of the renderer's own output
// does not see. The window is read back through X from an X server of the
// test's own (Xvfb), or the one in DISPLAY.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "WindowPixels.h"
#include "engine/backend/Backend.h"

USING_NS_CC;
namespace be = kest::backend;

namespace {

// An X server of the test's own when no display is given (DISPLAY then
// names it), which nothing else can take or stand in for: Xvfb takes a free
// display itself (-displayfd), one server starting at a time (the desktop
// tests take the same lock: two choosing at once can take one display), and
// lets in only clients with its cookie. It does not reset when its last
// client goes: a connection made during a reset is refused, and a window
// opened just after the server answered a probe found no display. It ends
// with the test's process; a test that finds it gone starts another.
class XServer : public ::testing::Environment {
 public:
  void SetUp() override {
    if (getenv("DISPLAY")) {
      s_given = true;
      return;
    }
    start();
  }
  void TearDown() override { stop(); }

  // Whether there is a server for the next test; why not in `why`.
  static bool ready(std::string& why) {
    if (s_given) return true;
    if (s_pid > 0 && waitpid(s_pid, nullptr, WNOHANG) == 0 && displayAnswers(getenv("DISPLAY"))) return true;
    stop();
    start();
    why = s_why;
    return s_pid > 0;
  }
  static bool installed() { return s_installed; }

 private:
  static void start() {
    s_why.clear();
    char cookie[] = "/tmp/kest-xauth-XXXXXX";
    const int cookieFd = mkstemp(cookie);
    if (cookieFd < 0 || !writeCookie(cookieFd)) {
      if (cookieFd >= 0) close(cookieFd), unlink(cookie);
      s_why = "cannot write the server's cookie";
      return;
    }
    close(cookieFd);
    s_cookie = cookie;
    const int lock = open("/tmp/kest-xvfb.lock", O_CREAT | O_RDONLY | O_CLOEXEC, 0666);
    if (lock >= 0) flock(lock, LOCK_EX);
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
      s_why = "no pipe for the display number";
    } else {
      const std::string fd = std::to_string(ready[1]);
      s_pid = fork();
      if (s_pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, 1);
        dup2(devNull, 2);
        fcntl(ready[1], F_SETFD, 0);  // the number comes back on it
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24", "-nolisten", "tcp",
               "-noreset", "-auth", cookie, (char*)nullptr);
        _exit(127);
      }
      close(ready[1]);
      const std::string number = s_pid > 0 ? readNumber(ready[0]) : "";
      close(ready[0]);
      if (number.empty()) {
        int status = 0;
        if (s_pid > 0 && waitpid(s_pid, &status, WNOHANG) == s_pid) {
          s_installed = !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
          s_pid = -1;
        }
        s_why = s_installed ? "Xvfb did not start" : "Xvfb is not installed (it is in scripts/deps)";
      } else {
        setenv("DISPLAY", (":" + number).c_str(), 1);
        setenv("XAUTHORITY", s_cookie.c_str(), 1);
      }
    }
    if (lock >= 0) close(lock);
    if (s_pid > 0 && s_why.empty() && !displayAnswers(getenv("DISPLAY"))) s_why = "Xvfb does not answer";
    if (!s_why.empty()) stop();
  }

  static void stop() {
    if (s_pid > 0) {
      kill(s_pid, SIGTERM);
      waitpid(s_pid, nullptr, 0);
    }
    s_pid = -1;
    if (!s_cookie.empty()) unlink(s_cookie.c_str());
    s_cookie.clear();
  }

  // The display number Xvfb writes once it takes connections; "" when it
  // ends first or says nothing in a minute (a loaded machine is slow).
  static std::string readNumber(int fd) {
    std::string number;
    for (int waited = 0; waited < 600; ++waited) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 100) > 0) {
        char c[16];
        const ssize_t n = read(fd, c, sizeof c);
        if (n <= 0) return "";
        number.append(c, (size_t)n);
        if (number.back() == '\n') {
          number.pop_back();
          return number;
        }
      } else if (waitpid(s_pid, nullptr, WNOHANG) != 0) {
        return "";
      }
    }
    return "";
  }

  // An X authority entry for any display: MIT-MAGIC-COOKIE-1 with 16
  // random bytes.
  static bool writeCookie(int fd) {
    unsigned char secret[16];
    const int random = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    const bool got = random >= 0 && read(random, secret, sizeof secret) == (ssize_t)sizeof secret;
    if (random >= 0) close(random);
    if (!got) return false;
    std::string entry;
    auto counted = [&entry](const void* data, size_t size) {
      entry += (char)(size >> 8);
      entry += (char)(size & 255);
      entry.append(static_cast<const char*>(data), size);
    };
    entry += "\xff\xff";  // any address
    counted("", 0);
    counted("", 0);  // any display number
    counted("MIT-MAGIC-COOKIE-1", 18);
    counted(secret, sizeof secret);
    return write(fd, entry.data(), entry.size()) == (ssize_t)entry.size();
  }

  static bool s_given, s_installed;
  static pid_t s_pid;
  static std::string s_cookie, s_why;
};
bool XServer::s_given = false;
bool XServer::s_installed = true;
pid_t XServer::s_pid = -1;
std::string XServer::s_cookie, XServer::s_why;

const ::testing::Environment* const g_xserver = ::testing::AddGlobalTestEnvironment(new XServer);

class WindowFramesTest : public EngineTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    std::string why;
    if (!XServer::ready(why)) {
      if (!XServer::installed()) GTEST_SKIP() << why;
      FAIL() << "no X server: " << why;
    }
    if (GetParam()) setenv("KEST_RENDERER", "software", 1);
    CCDirector::setHeadless(false);
  }
  void TearDown() override {
    CCDirector::sharedDirector()->reset();
    be::close();
    unsetenv("KEST_RENDERER");
    CCDirector::setHeadless(true);
    EngineTest::TearDown();
  }

  // Draws the frame where it changed and reads the window, then draws it
  // whole and reads it again: the two must not differ by more than the
  // rounding of a blend (the software renderer's differs by one at most
  // from layers put together).
  void expectShownAsWhole(int step) {
    CCDirector::sharedDirector()->drawScene();
    const std::vector<uint32_t> shown = windowPixels();
    be::setDrawShortcuts(true);  // forgets the last frame: the next is drawn whole
    ccSetNeedsRedraw();
    CCDirector::sharedDirector()->drawScene();
    const std::vector<uint32_t> whole = windowPixels();
    ASSERT_FALSE(whole.empty());
    ASSERT_EQ(shown.size(), whole.size());
    int differing = 0;
    for (size_t i = 0; i < shown.size(); ++i)
      for (int shift = 0; shift < 24; shift += 8)
        if (std::abs((int)(shown[i] >> shift & 255u) - (int)(whole[i] >> shift & 255u)) > 1) {
          ++differing;
          break;
        }
    EXPECT_EQ(differing, 0) << "at step " << step;
  }

  // What is drawn after the light: nothing; a picture over the digits where
  // the light does not reach; a picture over the whole clock with a clear
  // hole there (as a table's frame drawn over it).
  enum class Over { Nothing, BesideTheLight, ClearOverTheClock, LabelUnderTheLight };

  // A clock's light going round over its digits, which change with the
  // light's first frame every time round (as a waiting table's clock). Every
  // frame must show in the window as drawn whole; returns how many of the
  // last ten frames' rectangles were shown from kept pixels.
  // With `sheetDigit`, a second digit beside the first, from a sheet of
  // half-transparent pictures, tinted and mirrored, changes with it; with
  // `digitsAlone` the digits change in a frame of their own, the light
  // standing still.
  uint64_t runClock(Over over, bool sheetDigit = false, bool digitsAlone = false) {
    CCScene* scene = runScene();
    CCSprite* bg = CCSprite::createWithTexture(patternedTexture(1288, 762, 255, 1));
    bg->setAnchorPoint(ccp(0, 0));
    scene->addChild(bg, -1);
    CCSprite* digits = CCSprite::createWithTexture(patternedTexture(28, 38, 255, 100));
    digits->setPosition(ccp(520, 330));
    scene->addChild(digits, 1);
    CCSprite* ones = nullptr;
    if (sheetDigit) {
      ones = CCSprite::createWithTexture(patternedTexture(64, 48, 160, 7), CCRect(4, 6, 26, 36));
      ones->setPosition(ccp(547, 330));
      ones->setFlipX(true);
      ones->setColor(ccc3(255, 200, 150));
      scene->addChild(ones, 1);
    }
    std::vector<CCTexture2D*> light;
    for (int i = 0; i < 5; ++i) light.push_back(patternedTexture(62, 62, (unsigned char)(90 + 30 * i), 20 + i));
    CCSprite* lamp = CCSprite::createWithTexture(light[0]);
    lamp->setPosition(ccp(515, 310));
    scene->addChild(lamp, 2);
    if (over == Over::BesideTheLight) {
      CCSprite* beside = CCSprite::createWithTexture(patternedTexture(16, 10, 200, 60));
      beside->setPosition(ccp(522, 347));
      scene->addChild(beside, 3);
    } else if (over == Over::LabelUnderTheLight) {
      // Its texture lies on a page of labels, which is not read back.
      CCLabelTTF* label = CCLabelTTF::create("12", "Arial", 14);
      label->setPosition(ccp(521, 318));
      scene->addChild(label, 1);
    } else if (over == Over::ClearOverTheClock) {
      CCTexture2D* frame = paintedTexture(320, 224, [](int x, int y, unsigned char* p) {
        const bool hole = x >= 96 && x < 224 && y >= 48 && y < 176;
        p[0] = (unsigned char)(x * 5), p[1] = (unsigned char)(y * 3), p[2] = 90;
        p[3] = hole ? 0 : 180;
      });
      CCSprite* table = CCSprite::createWithTexture(frame);
      table->setPosition(ccp(515, 315));
      scene->addChild(table, 3);
    }
    CCDirector::sharedDirector()->drawScene();
    EXPECT_FALSE(windowPixels().empty()) << "no X11 window";
    EXPECT_STREQ(be::rendererName(), GetParam() ? "software" : "opengl");
    uint64_t keptBefore = 0;
    for (int step = 1; step <= 30; ++step) {
      const bool digitsNow = step % 5 == (digitsAlone ? 2 : 0);
      if (digitsNow) digits->setTexture(patternedTexture(28, 38, 255, 100 + step));
      if (ones && digitsNow) ones->setTextureRect(CCRect((float)(4 + 30 * (step / 5 % 2)), 6, 26, 36));
      if (!digitsAlone || !digitsNow) lamp->setTexture(light[(size_t)step % 5]);
      if (step == 20) keptBefore = be::frameCounts().keptRects;
      expectShownAsWhole(step);
    }
    return be::frameCounts().keptRects - keptBefore;
  }
};

// After a few rounds only the digits are drawn, each in the frame they
// change in, with the light's frame put together over them; the light's
// four frames after them each round are shown from kept pixels.
TEST_P(WindowFramesTest, ALightGoingRoundOverChangingDigitsShowsAsDrawnWhole) {
  EXPECT_EQ(runClock(Over::Nothing), 8u);
}

// A picture over the digits beside the light is no part of the light's
// layer: the rectangle is drawn again where the digits change.
TEST_P(WindowFramesTest, APictureOverTheDigitsBesideTheLightShowsAsDrawnWhole) {
  runClock(Over::BesideTheLight);
}

// A picture over the whole clock, clear there, leaves it alone: all goes as
// with nothing over it.
TEST_P(WindowFramesTest, APictureClearOverTheClockLeavesItsFramesPutTogether) {
  EXPECT_EQ(runClock(Over::ClearOverTheClock), 8u);
}

// The digits' changes after the first two are put together from the pixels
// kept under them and their pictures' texels, without drawing (GL only: the
// software renderer draws them where it keeps its frame). Which frames are
// put together follows from the frames alone, not from how fast they come;
// a GL window that did not open is said as such, not as a count.
TEST_P(WindowFramesTest, DigitsPutTogetherFromTexelsShowAsDrawnWhole) {
  const uint64_t before = be::frameCounts().underOnCpu;
  runClock(Over::Nothing, true);
  EXPECT_GE(be::frameCounts().underOnCpu - before, GetParam() ? 0u : 3u);
}

// So are digits changing in a frame of their own under the light, and the
// light's next frame over them; the table's frame over the clock, clear
// there, is passed over.
TEST_P(WindowFramesTest, DigitsChangingAloneUnderTheLightArePutTogetherFromTexels) {
  for (Over over : {Over::Nothing, Over::ClearOverTheClock}) {
    const uint64_t before = be::frameCounts().underOnCpu;
    runClock(over, true, true);
    EXPECT_GE(be::frameCounts().underOnCpu - before, GetParam() ? 0u : 6u);
    CCDirector::sharedDirector()->reset();
  }
}

// A label among the digits lies on a page of labels, whose texels are not
// read: only what is drawn after it can be put together from texels.
TEST_P(WindowFramesTest, ALabelAmongTheDigitsShowsAsDrawnWhole) {
  runClock(Over::LabelUnderTheLight, false, true);
}

// Xlib's own handler would end the program on the first refused request.
TEST_P(WindowFramesTest, ARequestTheServerRefusesIsSaidAndTheWindowGoesOn) {
  runScene()->addChild(CCSprite::createWithTexture(patternedTexture(64, 64, 255, 3)));
  CCDirector::sharedDirector()->drawScene();
  const unsigned before = be::x11Errors();
  ASSERT_TRUE(sendARefusedRequest()) << "no X11 window";
  EXPECT_EQ(be::x11Errors(), before + 1);
  CCDirector::sharedDirector()->drawScene();
  EXPECT_FALSE(windowPixels().empty());
}

// A shown frame has flushed its requests; one made after it (by SDL, the GL
// driver or a caller) still goes out before the loop sleeps, not with the
// next frame a second later.
TEST_P(WindowFramesTest, ARequestMadeAfterAShownFrameGoesOutBeforeTheWait) {
  runScene()->addChild(CCSprite::createWithTexture(patternedTexture(64, 64, 255, 3)));
  CCDirector::sharedDirector()->drawScene();
  std::vector<pollfd> fds;
  be::waitEvents(fds, 1);
  ASSERT_TRUE(setPropertyUnsent("KEST_TEST_MARK", "after the frame")) << "no X11 window";
  EXPECT_EQ(propertySeenFromOutside("KEST_TEST_MARK"), "");
  be::waitEvents(fds, 5);
  EXPECT_EQ(propertySeenFromOutside("KEST_TEST_MARK"), "after the frame");
}

// Flushing a request before the wait reads whatever the server sent
// meanwhile off the connection into the X library: a close request that
// came just then is not left for a poll of the emptied connection, which in
// an idle room would sleep until some other event came.
TEST_P(WindowFramesTest, ACloseRequestReadInByTheFlushBeforeTheWaitEndsTheWait) {
  CCDirector::sharedDirector()->drawScene();
  ASSERT_TRUE(noOperationUnsent()) << "no X11 window";
  ASSERT_TRUE(closeRequestArrivedUnread()) << "the close request did not reach the program's connection";
  // Set after the assertions: a return on one must not leave the hook
  // pointing at this test's counter.
  int closes = 0;
  CCEGLView::sharedOpenGLView()->setWindowMessageHook([&closes](const CCWindowMessage& m) {
    if (m.kind == CCWindowMessage::kClose) ++closes;
    return m.kind == CCWindowMessage::kClose;
  });
  std::vector<pollfd> fds;
  const auto start = std::chrono::steady_clock::now();
  const bool slept = be::waitEvents(fds, 3000);
  const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(slept) << "the wait slept " << waited.count() << " s on the connection with a close request read in";
  be::pumpEvents();
  EXPECT_EQ(closes, 1) << "the close request did not come through at the next pump";
  CCEGLView::sharedOpenGLView()->setWindowMessageHook(nullptr);
}

// A press that minimises the window (the board's caption buttons act on the
// press) leaves the button down: the release goes elsewhere while the
// window is away. The client ends the press itself, where it was (not where
// the pointer went since). A client that fell behind reads the minimise,
// the window's return and the player's next click in one pass: that click
// acts, however late the client reads it.
TEST_P(WindowFramesTest, TheFirstClickAfterAMinimiseActsWhenAllIsReadInOnePass) {
  CCDirector::sharedDirector()->drawScene();
  ASSERT_TRUE(everythingSentQueued()) << "no X11 window";
  be::pumpEvents();
  std::vector<std::string> told;
  CCEGLView::sharedOpenGLView()->setWindowMessageHook([&told](const CCWindowMessage& m) {
    const std::string at = " " + std::to_string((int)m.locationInView.x) + "," + std::to_string((int)m.locationInView.y);
    if (m.kind == CCWindowMessage::kLButtonDown) told.push_back("down" + at);
    if (m.kind == CCWindowMessage::kLButtonUp) told.push_back("up" + at);
    if (m.kind == CCWindowMessage::kMinimized) told.push_back("minimised");
    return false;
  });
  auto saw = [&told] {
    std::string all;
    for (const std::string& t : told) all += (all.empty() ? "" : ", ") + t;
    return all.empty() ? std::string("nothing") : all;
  };
  ASSERT_TRUE(leftButtonFromOutside(100, 12, true));
  ASSERT_TRUE(leftButtonDraggedFromOutside(900, 300));
  ASSERT_TRUE(everythingSentQueued());
  be::pumpEvents();
  ASSERT_EQ(told, (std::vector<std::string>{"down 100,12"})) << "the view saw " << saw();

  // Held from its minimise until the window is back and clicked once.
  told.clear();
  ASSERT_TRUE(mappedFromOutside(false));
  ASSERT_TRUE(mappedFromOutside(true));
  ASSERT_TRUE(leftButtonFromOutside(511, 496, true));
  ASSERT_TRUE(leftButtonFromOutside(511, 496, false));
  ASSERT_TRUE(everythingSentQueued());
  be::pumpEvents();
  const auto minimised = std::find(told.begin(), told.end(), "minimised");
  ASSERT_NE(minimised, told.end()) << "the view was not told of the minimise; it saw " << saw();
  EXPECT_TRUE(minimised + 1 != told.end() && minimised[1] == "up 100,12")
      << "the press was not ended where it was: the view saw " << saw();
  const auto press = std::find(minimised, told.end(), "down 511,496");
  EXPECT_NE(press, told.end()) << "the click after the minimise was lost: the view saw " << saw();
  if (press != told.end()) {
    EXPECT_NE(std::find(press, told.end(), "up 511,496"), told.end()) << "no release after the press: " << saw();
  }
  CCEGLView::sharedOpenGLView()->setWindowMessageHook(nullptr);
}

// The caption moves the window and an edge sizes it: the client places it
// itself, following the pointer's motions on it and stopping at the
// release, read in the order the server sent them. A manager that takes the
// presses on a window first lets press, motions and release through
// together once the button is up: the window still goes as the drag went,
// and stays there. A press there soon after is not a double click: the
// window took its pixels along, the pointer is elsewhere on the screen.
TEST_P(WindowFramesTest, ADragLetThroughAfterItsReleaseMovesAndSizesTheWindowAsItWent) {
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  view->setWindowAreaHook([](const CCPoint& p) { return p.y < 30 ? CCWindowArea::kCaption : CCWindowArea::kClient; });
  CCDirector::sharedDirector()->drawScene();
  ASSERT_TRUE(everythingSentQueued()) << "no X11 window";
  be::pumpEvents();
  int x0 = 0, y0 = 0, w0 = 0, h0 = 0, x = 0, y = 0, w = 0, h = 0;
  ASSERT_TRUE(windowPlaceFromOutside(x0, y0, w0, h0));
  auto place = [&] {
    be::syncShown();
    windowPlaceFromOutside(x, y, w, h);
    return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" + std::to_string(h);
  };
  auto at = [](int px, int py, int pw, int ph) {
    return std::to_string(px) + "," + std::to_string(py) + " " + std::to_string(pw) + "x" + std::to_string(ph);
  };

  ASSERT_TRUE(leftButtonFromOutside(100, 12, true));
  ASSERT_TRUE(leftButtonDraggedFromOutside(130, 32));
  ASSERT_TRUE(leftButtonDraggedFromOutside(150, 52));
  ASSERT_TRUE(leftButtonFromOutside(150, 52, false));
  ASSERT_TRUE(everythingSentQueued());
  be::pumpEvents();
  EXPECT_EQ(place(), at(x0 + 50, y0 + 40, w0, h0)) << "the caption dragged by (50, 40)";
  ASSERT_TRUE(leftButtonDraggedFromOutside(400, 300));
  ASSERT_TRUE(everythingSentQueued());
  be::pumpEvents();
  EXPECT_EQ(place(), at(x0 + 50, y0 + 40, w0, h0)) << "moved after the release";

  ASSERT_TRUE(leftButtonFromOutside(100, 12, true));
  ASSERT_TRUE(leftButtonFromOutside(100, 12, false));
  ASSERT_TRUE(everythingSentQueued());
  be::pumpEvents();
  EXPECT_FALSE(view->isMaximized()) << "a press where the window's pixels came to counted as a double click";
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(leftButtonFromOutside(100, 12, true));
    ASSERT_TRUE(leftButtonFromOutside(100, 12, false));
  }
  ASSERT_TRUE(everythingSentQueued());
  be::pumpEvents();
  EXPECT_TRUE(view->isMaximized()) << "a double click on the caption";
  view->restoreWindow();
  be::pumpEvents();

  ASSERT_EQ(place(), at(x0 + 50, y0 + 40, w0, h0));
  ASSERT_TRUE(leftButtonFromOutside(w0 - 2, 300, true));
  ASSERT_TRUE(leftButtonDraggedFromOutside(w0 - 102, 330));
  ASSERT_TRUE(leftButtonFromOutside(w0 - 102, 330, false));
  ASSERT_TRUE(everythingSentQueued());
  be::pumpEvents();
  EXPECT_EQ(place(), at(x0 + 50, y0 + 40, w0 - 100, h0)) << "the right edge dragged 100 pixels left";
  view->setWindowAreaHook(nullptr);
}

// A long frame animation over a still table (a dealer's hands: 38 frames of
// 150 x 232 from one sheet, half transparent, a table's frame clear over
// them) comes round to pixels kept of every frame: from the third time
// round none is drawn, and the window shows each as drawn whole (in a GL
// window, copied from the X server's own copy of them).
TEST_P(WindowFramesTest, ALongFrameAnimationOverAStillTableIsShownFromKeptPixels) {
  constexpr int kFrames = 38, kW = 150, kH = 232, kPerRow = 13;
  CCScene* scene = runScene();
  CCSprite* bg = CCSprite::createWithTexture(patternedTexture(1288, 762, 255, 1));
  bg->setAnchorPoint(ccp(0, 0));
  scene->addChild(bg, -1);
  CCTexture2D* sheet = patternedTexture(kW * kPerRow, kH * 3, 200, 9);
  auto frameRect = [&](int i) { return CCRect((float)(i % kPerRow * kW), (float)(i / kPerRow * kH), kW, kH); };
  CCSprite* hands = CCSprite::createWithTexture(sheet, frameRect(0));
  hands->setPosition(ccp(505, 505));
  scene->addChild(hands, 1);
  CCTexture2D* frame = paintedTexture(400, 400, [](int x, int y, unsigned char* p) {
    p[0] = (unsigned char)(x * 3), p[1] = (unsigned char)(y * 5), p[2] = 40;
    p[3] = x >= 100 && x < 300 && y >= 60 && y < 340 ? 0 : 160;
  });
  CCSprite* table = CCSprite::createWithTexture(frame);
  table->setPosition(ccp(505, 505));
  scene->addChild(table, 2);
  CCDirector::sharedDirector()->drawScene();
  ASSERT_FALSE(windowPixels().empty()) << "no X11 window";
  uint64_t keptBefore = 0;
  for (int step = 1; step <= 3 * kFrames; ++step) {
    hands->setTextureRect(frameRect(step % kFrames));
    if (step == 2 * kFrames) keptBefore = be::frameCounts().keptRects;
    expectShownAsWhole(step);
  }
  EXPECT_EQ(be::frameCounts().keptRects - keptBefore, (uint64_t)kFrames);
}

INSTANTIATE_TEST_SUITE_P(Renderers, WindowFramesTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Software" : "OpenGL"; });

}  // namespace
