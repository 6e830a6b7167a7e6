#ifndef KEST_TESTS_ENGINE_FIXTURE_H
#define KEST_TESTS_ENGINE_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cocos2d.h"

// A w x h picture whose texels `paint` gives (RGBA at x, y; rows top first).
cocos2d::CCTexture2D* paintedTexture(int w, int h, const std::function<void(int x, int y, unsigned char* rgba)>& paint);
// A w x h picture whose neighbouring texels differ, so a stale or misplaced
// pixel shows; every texel has the given alpha.
cocos2d::CCTexture2D* patternedTexture(int w, int h, unsigned char alpha, int seed);

// Every engine test runs headless with a fixed 1/60 s step, a fresh resource
// folder and settings folder, and leaves the director and caches empty.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs n frames.
  static void step(int n = 1) { cocos2d::CCDirector::sharedDirector()->stepFrames(n); }
  // Runs a scene holding `node` (so it is running) and returns the scene.
  cocos2d::CCScene* runScene();
  // Writes a w x h PNG of one colour (RGBA) under the resource root.
  void writePng(const std::string& relPath, int w, int h, unsigned int rgba);
  void writeFile(const std::string& relPath, const std::string& text);
  // Writes w x h RGBA pixels as a PNG under the resource root.
  void writePixels(const std::string& relPath, const std::vector<unsigned char>& px, int w, int h);
  // Reads the current frame back into img (false when it cannot).
  bool shoot(cocos2d::CCImage& img);
  // 0xRRGGBB of a shot at window pixel x, y pixels up from the bottom edge.
  static unsigned rgbAt(cocos2d::CCImage& img, int x, int y) { return img.pixelAt(x, img.getHeight() - y) >> 8; }
  // A frame animation over a white 40 x 10 texture: frame i shows the 10 px
  // square at x = 10 i and lasts units[i] delays (four frames at the most).
  static cocos2d::CCAnimation* frameStrip(const std::vector<float>& units, float delay, unsigned int loops);

  std::string m_root;
};

#endif
