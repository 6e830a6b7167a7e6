// What the view offers of the window besides drawing: whether it is open,
// its icon, mouse cursors and the clipboard.

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
