#ifndef KEST_TESTS_ENGINE_EXT_FIXTURE_H
#define KEST_TESTS_ENGINE_EXT_FIXTURE_H

// The engine fixture plus mouse input in design points (origin bottom-left)
// and the "Cursor" notification, for the widget tests.

#include "EngineFixture.h"
#include "cocos-ext.h"

class ExtTest : public EngineTest {
 protected:
  void TearDown() override;

  static float viewY(float glY) { return cocos2d::CCEGLView::sharedOpenGLView()->getFrameSize().height - glY; }
  static void press(float x, float y) {
    cocos2d::CCEGLView::sharedOpenGLView()->handleMouseButton(x, viewY(y), 0, true, 1);
  }
  static void drag(float x, float y) { cocos2d::CCEGLView::sharedOpenGLView()->handleMouseMove(x, viewY(y), true); }
  static void release(float x, float y) {
    cocos2d::CCEGLView::sharedOpenGLView()->handleMouseButton(x, viewY(y), 0, false, 1);
  }
  static void click(float x, float y) {
    press(x, y);
    release(x, y);
  }
  // Copies a file of tests/engine/data/ to the same place under the resource root.
  void copyData(const std::string& relPath);
  // Posts "Cursor" with the mouse at (x, y) in window pixels, GL orientation.
  static void cursor(float x, float y);
};

#endif
