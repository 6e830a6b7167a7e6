// Frames drawn again in place, as a window shows them: pixels kept from
// earlier frames go straight onto the window (or into the software
// renderer's window surface), which a read of the renderer's own output
// does not see. The window is read back through X from an X server of the
// test's own (Xvfb), or the one in DISPLAY.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "WindowPixels.h"
#include "engine/backend/Backend.h"

USING_NS_CC;
namespace be = kest::backend;

namespace {

// Xvfb for the whole run when no display is given; DISPLAY names it. The
// window tests run side by side, each with its own server: two servers
// started at once can take one display (Xvfb's -displayfd then names one
// that another owns), so they start one at a time, on a display with no
// lock, from :90 up (clear of those -displayfd hands out from :0), and one
// counts once it answers while still running.
class XServer : public ::testing::Environment {
 public:
  void SetUp() override {
    if (getenv("DISPLAY")) {
      s_ready = true;
      return;
    }
    const int lock = open("/tmp/kest-window-tests.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0666);
    if (lock >= 0) flock(lock, LOCK_EX);
    for (int number = 90; number < 190 && !s_ready; ++number) {
      const std::string display = ":" + std::to_string(number);
      if (access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0) continue;
      m_pid = fork();
      if (m_pid == 0) {
        execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1920x1080x24", "-nolisten", "tcp", (char*)nullptr);
        _exit(127);
      }
      if (m_pid < 0) break;
      for (int tries = 0; tries < 200; ++tries) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
          m_pid = -1;  // not started, or the display was taken: the next one
          break;
        }
        if (displayAnswers(display.c_str()) && waitpid(m_pid, nullptr, WNOHANG) == 0) {
          setenv("DISPLAY", display.c_str(), 1);
          s_ready = true;
          break;
        }
        usleep(50 * 1000);
      }
      if (!s_ready && m_pid > 0) TearDown();
    }
    if (lock >= 0) close(lock);
  }
  void TearDown() override {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }
  static bool s_ready;

 private:
  pid_t m_pid = -1;
};
bool XServer::s_ready = false;

const ::testing::Environment* const g_xserver = ::testing::AddGlobalTestEnvironment(new XServer);

class WindowFramesTest : public EngineTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (!XServer::s_ready) GTEST_SKIP() << "no X server (Xvfb is in scripts/deps)";
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
// software renderer draws them where it keeps its frame).
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
