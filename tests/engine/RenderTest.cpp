// What reaches the screen: screenshots, idle frames, scenes, clipping, tiling.

#include "EngineFixture.h"
#include "engine/backend/Backend.h"

#include <dirent.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

USING_NS_CC;

namespace {

class RenderTest : public EngineTest {
 protected:
  // RGBA of the pixel at GL point (x, y) of a fresh screenshot.
  unsigned int pixel(CCImage& img, float x, float y) { return img.pixelAt((int)x, (int)(762 - 1 - y)); }
};

// Neighbouring texels differ, so any filtering shows. Columns from `clearFrom`
// on are half transparent, and that column itself fully.
CCTexture2D* patterned(int w, int h, int clearFrom, bool drawnWhole = false) {
  std::vector<unsigned char> px((size_t)w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &px[((size_t)y * w + x) * 4];
      p[0] = (unsigned char)(x * 37 + y * 11);
      p[1] = (unsigned char)((x ^ y) * 23);
      p[2] = (unsigned char)(y * 53 + x);
      p[3] = x < clearFrom ? 255 : (x == clearFrom ? 0 : 128);
    }
  CCTexture2D* t = new CCTexture2D();
  t->initWithData(px.data(), (unsigned)w, (unsigned)h, drawnWhole);
  t->autorelease();
  return t;
}

// Bytes the process has allocated now (the GL driver's texture storage among them).
size_t allocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
#endif
}

std::vector<std::string> g_scene;

class LoggedScene : public CCScene {
 public:
  static LoggedScene* make(const char* name) {
    LoggedScene* s = new LoggedScene();
    s->m_name = name;
    s->init();
    s->autorelease();
    return s;
  }
  ~LoggedScene() override { g_scene.push_back(m_name + ".deleted"); }
  void onEnter() override {
    CCScene::onEnter();
    g_scene.push_back(m_name + ".enter");
  }
  void onExit() override {
    CCScene::onExit();
    g_scene.push_back(m_name + ".exit");
  }
  std::string m_name;
};

}  // namespace

TEST_F(RenderTest, ScreenshotShowsTheSceneWhereItIsPlaced) {
  writePng("blue.png", 40, 40, 0x0000ffff);
  CCScene* scene = runScene();
  scene->addChild(CCLayerColor::create(ccc4(255, 0, 0, 255)));
  CCSprite* s = CCSprite::create("blue");
  s->setPosition(ccp(100, 100));
  scene->addChild(s);
  CCSprite* tinted = CCSprite::create("blue");
  tinted->setPosition(ccp(300, 100));
  tinted->setOpacity(0);
  scene->addChild(tinted);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  ASSERT_EQ(img.getWidth(), 1288);
  ASSERT_EQ(img.getHeight(), 762);
  EXPECT_EQ(pixel(img, 100, 100), 0x0000ffffu);  // the sprite, centred on its position
  EXPECT_EQ(pixel(img, 85, 115), 0x0000ffffu);
  EXPECT_EQ(pixel(img, 125, 100), 0xff0000ffu);  // just outside it
  EXPECT_EQ(pixel(img, 300, 100), 0xff0000ffu);  // transparent sprite
  EXPECT_EQ(pixel(img, 1280, 750), 0xff0000ffu);
}

// The white run of a column of a shot: {lowest y, highest y}, or {-1, -1}.
static std::pair<int, int> whiteRun(CCImage& img, int x) {
  int lo = -1, hi = -1;
  for (int y = 0; y < 762; ++y)
    if (img.pixelAt(x, 761 - y) == 0xffffffffu) {
      if (lo < 0) lo = y;
      hi = y;
    }
  return {lo, hi};
}

TEST_F(RenderTest, ATurnedPictureIsDrawnInPerspectiveAboutItsAnchor) {
  writePng("white.png", 200, 100, 0xffffffff);
  CCScene* scene = runScene();
  CCSprite* s = CCSprite::create("white");
  s->setPosition(ccp(644, 381));  // under the director's eye
  scene->addChild(s);
  // 45 degrees of a quarter turn: the left edge comes towards the viewer.
  s->runAction(CCOrbitCamera::create(0.2f, 1, 0, 0, -90, 0, 0));
  step(7);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  const float f = 762 / 1.1566f, half = 100 * cosf(M_PI / 4), depth = 100 * sinf(M_PI / 4);
  const int left = (int)lroundf(644 - half * f / (f - depth));
  const int right = (int)lroundf(644 + half * f / (f + depth));
  int first = -1, last = -1;
  for (int x = 0; x < 1288; ++x)
    if (whiteRun(img, x).first >= 0) {
      if (first < 0) first = x;
      last = x;
    }
  EXPECT_NEAR(first, left, 2);
  EXPECT_NEAR(last + 1, right, 2);
  // The near edge is taller than the far one, each as the perspective says.
  const std::pair<int, int> nearEdge = whiteRun(img, first + 1), farEdge = whiteRun(img, last - 1);
  EXPECT_NEAR(nearEdge.second - nearEdge.first + 1, 100 * f / (f - depth), 3);
  EXPECT_NEAR(farEdge.second - farEdge.first + 1, 100 * f / (f + depth), 3);
  // Symmetric about the picture's middle row.
  EXPECT_NEAR(nearEdge.first + nearEdge.second, 2 * 381, 2);

  // Edge-on, nothing shows; back at rest it is the plain picture again.
  step(6);
  ASSERT_TRUE(shoot(img));
  int shown = 0;
  for (int x = 600; x < 690; ++x) shown += whiteRun(img, x).first >= 0;
  EXPECT_LE(shown, 1);
  s->runAction(CCOrbitCamera::create(0.1f, 1, 0, 90, -90, 0, 0));
  step(8);
  ASSERT_TRUE(shoot(img));
  EXPECT_EQ(whiteRun(img, 543).first, -1);
  EXPECT_EQ(whiteRun(img, 544), std::make_pair(331, 430));
  EXPECT_EQ(whiteRun(img, 743), std::make_pair(331, 430));
  EXPECT_EQ(whiteRun(img, 744).first, -1);
}

TEST_F(RenderTest, ATurnCarriesTheSubtreeAndEndsWithIt) {
  writePng("white.png", 20, 20, 0xffffffff);
  CCScene* scene = runScene();
  CCNode* turned = CCNode::create();
  turned->setPosition(ccp(644, 381));
  scene->addChild(turned);
  CCSprite* child = CCSprite::create("white");
  child->setPosition(ccp(100, 0));  // right of the turned node's anchor
  turned->addChild(child);
  CCSprite* beside = CCSprite::create("white");
  beside->setPosition(ccp(744, 200));  // not under the turn
  scene->addChild(beside);
  turned->getCamera()->setEyeXYZ(sinf(-M_PI / 3) * CCCamera::getZEye(), 0, cosf(-M_PI / 3) * CCCamera::getZEye());
  CCImage img;
  ASSERT_TRUE(shoot(img));
  // cos 60 = 0.5 brings the child halfway in, and it goes away from the viewer.
  const float f = 762 / 1.1566f, depth = 100 * sinf(M_PI / 3);
  const float centre = 644 + 50 * f / (f + depth);
  EXPECT_NE(whiteRun(img, (int)centre).first, -1);
  EXPECT_EQ(whiteRun(img, 744 - 5), std::make_pair(190, 209));  // the sprite beside is drawn flat
  const std::pair<int, int> run = whiteRun(img, (int)centre);
  EXPECT_LT(run.second - run.first + 1, 20);
}

TEST_F(RenderTest, RotatedSheetFramesDrawUpright) {
  // A 20 x 30 region stored turned clockwise: its right half is the sprite's top.
  std::vector<unsigned char> px(64 * 64 * 4, 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 20; ++x) {
      unsigned char* p = &px[((size_t)y * 64 + x) * 4];
      p[x >= 10 ? 0 : 2] = 255;
      p[3] = 255;
    }
  writePixels("rot.png", px, 64, 64);
  writeFile("rot.plist", R"(<plist><dict><key>frames</key><dict><key>r</key><dict>
    <key>frame</key><string>{{0,0},{30,20}}</string><key>offset</key><string>{0,0}</string>
    <key>rotated</key><true/><key>sourceSize</key><string>{30,20}</string></dict></dict>
    <key>metadata</key><dict><key>format</key><integer>2</integer></dict></dict></plist>)");
  CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("rot.plist");
  CCScene* scene = runScene();
  CCSprite* s = CCSprite::createWithSpriteFrameName("r");
  s->setScale(4);
  s->setPosition(ccp(200, 200));
  scene->addChild(s);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  EXPECT_EQ(pixel(img, 200, 230), 0xff0000ffu);           // upper half red
  EXPECT_EQ(pixel(img, 200, 170), 0x0000ffffu);           // lower half blue
  EXPECT_EQ(pixel(img, 200 + 55, 200 + 5), 0xff0000ffu);  // 120 wide, 80 tall
  EXPECT_EQ(pixel(img, 200, 200 + 45) & 0xff, 0xffu);     // black background, opaque
  EXPECT_EQ(pixel(img, 200, 200 + 45) >> 8, 0u);
}

TEST_F(RenderTest, ClipRectAndRepeatedTextures) {
  writePng("tile.png", 10, 10, 0x00ff00ff);
  CCScene* scene = runScene();
  CCNode* clipped = CCNode::create();
  clipped->setClipRect(CCRect(0, 0, 50, 50));
  scene->addChild(clipped);
  clipped->addChild(CCLayerColor::create(ccc4(255, 255, 255, 255), 200, 200));
  CCSprite* tiled = CCSprite::create("tile");
  ccTexParams params = {GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT};
  tiled->getTexture()->setTexParameters(&params);
  tiled->setTextureRect(CCRect(0, 0, 100, 30));
  tiled->setAnchorPoint(ccp(0, 0));
  tiled->setPosition(ccp(300, 300));
  scene->addChild(tiled);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  EXPECT_EQ(pixel(img, 25, 25), 0xffffffffu);
  EXPECT_EQ(pixel(img, 75, 25), 0x000000ffu);
  EXPECT_EQ(pixel(img, 305, 305), 0x00ff00ffu);
  EXPECT_EQ(pixel(img, 395, 325), 0x00ff00ffu);  // the tenth tile
  EXPECT_EQ(pixel(img, 405, 305), 0x000000ffu);
}

// Left half red, right half blue.
CCTexture2D* halves() {
  std::vector<unsigned char> px(20 * 10 * 4);
  for (int i = 0; i < 200; ++i) {
    const bool left = i % 20 < 10;
    unsigned char* p = &px[(size_t)i * 4];
    p[0] = left ? 255 : 0, p[1] = 0, p[2] = left ? 0 : 255, p[3] = 255;
  }
  CCTexture2D* t = new CCTexture2D();
  t->initWithData(px.data(), 20, 10);
  t->autorelease();
  return t;
}

// A texture rectangle larger than its picture: repeat wrap tiles the picture,
// clamp to the edge stretches the edge texels, in either renderer.
void checkWrap(CCScene* scene, const std::function<bool(CCImage&)>& shoot,
               const std::function<unsigned(CCImage&, float, float)>& pixel) {
  const unsigned red = 0xff0000ffu, blue = 0x0000ffffu, black = 0x000000ffu;
  CCTexture2D* repeated = halves();
  ccTexParams repeat = {GL_NEAREST, GL_NEAREST, GL_REPEAT, GL_REPEAT};
  repeated->setTexParameters(&repeat);
  CCSprite* tiled = CCSprite::createWithTexture(repeated, CCRect(-20, 0, 80, 30));
  tiled->setAnchorPoint(ccp(0, 0));
  tiled->setPosition(ccp(100, 100));
  scene->addChild(tiled);
  CCSprite* stretched = CCSprite::createWithTexture(halves(), CCRect(-20, 0, 80, 10));
  stretched->setAnchorPoint(ccp(0, 0));
  stretched->setPosition(ccp(100, 300));
  scene->addChild(stretched);
  CCSprite* flipped = CCSprite::createWithTexture(halves(), CCRect(-20, 0, 80, 10));
  flipped->setFlipX(true);
  flipped->setAnchorPoint(ccp(0, 0));
  flipped->setPosition(ccp(100, 400));
  scene->addChild(flipped);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  // Columns of 10: red blue red blue ..., rows repeat three times.
  for (int col = 0; col < 8; ++col)
    for (float y : {105.0f, 115.0f, 125.0f})
      EXPECT_EQ(pixel(img, 105.0f + col * 10, y), col % 2 ? blue : red) << "tile column " << col;
  EXPECT_EQ(pixel(img, 185, 105), black);
  EXPECT_EQ(pixel(img, 105, 135), black);
  // Clamped: 20 of red edge, the picture, then 40 of blue edge.
  const unsigned row[8] = {red, red, red, blue, blue, blue, blue, blue};
  for (int col = 0; col < 8; ++col) {
    EXPECT_EQ(pixel(img, 105.0f + col * 10, 305), row[col]) << "clamped " << col;
    EXPECT_EQ(pixel(img, 105.0f + col * 10, 405), row[7 - col]) << "flipped " << col;
  }
  EXPECT_EQ(pixel(img, 105, 315), black);
}

TEST_F(RenderTest, RectanglesLargerThanTheirPictureWrapAsTheTextureSays) {
  checkWrap(
      runScene(), [this](CCImage& i) { return shoot(i); },
      [this](CCImage& i, float x, float y) { return pixel(i, x, y); });
}

// Maximise and restore resize the window after it opened: the frame must be
// drawn and read back at the new size, not inside the first one.
TEST_F(RenderTest, AResizedWindowDrawsAndReadsBackAtItsNewSize) {
  writePng("blue.png", 40, 40, 0x0000ffff);
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  CCScene* scene = runScene();
  scene->addChild(CCLayerColor::create(ccc4(255, 0, 0, 255)));
  CCSprite* corner = CCSprite::create("blue");
  corner->setAnchorPoint(ccp(0, 1));
  corner->setPosition(ccp(0, 762));
  scene->addChild(corner);
  const int sizes[][2] = {{1600, 1200}, {1288, 762}, {1000, 700}, {1288, 762}};
  for (const auto& size : sizes) {
    view->setFrameSize((float)size[0], (float)size[1]);
    view->pollEvents();
    step(1);
    CCImage img;
    ASSERT_TRUE(shoot(img));
    ASSERT_EQ(img.getWidth(), size[0]);
    ASSERT_EQ(img.getHeight(), size[1]);
    // The design area stretches over the window: the sprite keeps the top-left corner.
    const int w = size[0], h = size[1];
    EXPECT_EQ(img.pixelAt(1, 1), 0x0000ffffu) << w << "x" << h;
    EXPECT_EQ(img.pixelAt(40 * w / 1288 - 2, 40 * h / 762 - 2), 0x0000ffffu) << w << "x" << h;
    EXPECT_EQ(img.pixelAt(40 * w / 1288 + 2, 1), 0xff0000ffu) << w << "x" << h;
    EXPECT_EQ(img.pixelAt(w / 2, 1), 0xff0000ffu) << w << "x" << h;
    EXPECT_EQ(img.pixelAt(w - 1, h - 1), 0xff0000ffu) << w << "x" << h;
    EXPECT_EQ(img.pixelAt(w - 1, 0), 0xff0000ffu) << w << "x" << h;
  }
}

// Reopens the window with SDL's software renderer at a size, and the default
// renderer at the design size afterwards.
struct SoftwareWindow {
  SoftwareWindow(int w, int h) {
    kest::backend::close();
    setenv("KEST_RENDERER", "software", 1);
    CCEGLView::sharedOpenGLView()->setFrameSize((float)w, (float)h);
  }
  ~SoftwareWindow() {
    CCDirector::sharedDirector()->reset();
    kest::backend::close();
    unsetenv("KEST_RENDERER");
    CCEGLView::sharedOpenGLView()->setFrameSize(1288, 762);
  }
};

// Blocks of 100 x 100 texels, each of its own colour.
CCTexture2D* blocks(int w, int h) {
  std::vector<unsigned char> px((size_t)w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &px[((size_t)y * w + x) * 4];
      p[0] = (unsigned char)(x / 100 * 15);
      p[1] = (unsigned char)(y / 100 * 20);
      p[2] = 200;
      p[3] = 255;
    }
  CCTexture2D* t = new CCTexture2D();
  t->initWithData(px.data(), (unsigned)w, (unsigned)h);
  t->autorelease();
  return t;
}

// SDL's software rasteriser computes in 32-bit integers: a picture covering a
// window 1600 pixels wide, or reaching far past it, overflowed them and read
// texels from anywhere (wrong blocks, or a crash).
TEST_F(RenderTest, TheSoftwareRendererDrawsLargePicturesTexelForTexel) {
  SoftwareWindow window(1600, 1200);
  CCScene* scene = runScene();
  ASSERT_STREQ(kest::backend::rendererName(), "software");
  const float sx = 1600.0f / 1288, sy = 1200.0f / 762;
  // Stretched from the design size and turned a little, a picture covers the
  // window nearly texel for pixel.
  CCSprite* bg = CCSprite::createWithTexture(blocks(1600, 1200));
  bg->setPosition(ccp(644, 381));
  bg->setScaleX(1 / sx);
  bg->setScaleY(1 / sy);
  bg->setRotation(0.1f);
  scene->addChild(bg);
  // Over its right half, a picture thirty times its size, turned.
  CCNode* right = CCNode::create();
  right->setClipRect(CCRect(644, 0, 644, 762));
  scene->addChild(right);
  CCSprite* big = CCSprite::createWithTexture(blocks(400, 300));
  big->setPosition(ccp(900, 400));
  big->setScale(30);
  big->setRotation(30);
  right->addChild(big);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  ASSERT_EQ(img.getWidth(), 1600);
  auto block = [](float tx, float ty) {
    return (unsigned)((int)tx / 100 * 15) << 24 | (unsigned)((int)ty / 100 * 20) << 16 | 200u << 8 | 255u;
  };
  int wrong = 0, checked = 0;
  for (int by = 0; by < 12; ++by)
    for (int bx = 0; bx < 8; ++bx, ++checked)
      wrong += img.pixelAt(bx * 100 + 50, by * 100 + 50) != block(bx * 100.0f, by * 100.0f);
  // The big one, from window pixels back to its texels.
  const float turn = 30 * 3.14159265f / 180, c = std::cos(turn), s = std::sin(turn);
  for (int py = 3; py < 1200; py += 37)
    for (int px = 803; px < 1600; px += 37) {
      const float dx = (px + 0.5f) / sx - 900, dy = (1200 - py - 0.5f) / sy - 400;
      const float tx = (dx * c - dy * s) / 30 + 200, ty = 150 - (dx * s + dy * c) / 30;
      const float inX = std::fmod(tx, 100.0f), inY = std::fmod(ty, 100.0f);
      if (tx < 0 || ty < 0 || tx >= 400 || ty >= 300 || inX < 1 || inX > 99 || inY < 1 || inY > 99) continue;
      ++checked;
      wrong += img.pixelAt(px, py) != block(tx, ty);
    }
  EXPECT_GT(checked, 400);
  EXPECT_EQ(wrong, 0);
}

TEST_F(RenderTest, TheSoftwareRendererWrapsAsTheTextureSays) {
  SoftwareWindow window(1288, 762);
  CCScene* scene = runScene();
  ASSERT_STREQ(kest::backend::rendererName(), "software");
  checkWrap(
      scene, [this](CCImage& i) { return shoot(i); }, [this](CCImage& i, float x, float y) { return pixel(i, x, y); });
}

TEST_F(RenderTest, AnUnchangedSceneIsNotDrawnAgain) {
  writePng("p.png", 8, 8, 0xffffffff);
  CCScene* scene = runScene();
  CCSprite* s = CCSprite::create("p");
  scene->addChild(s);
  CCLabelTTF* label = CCLabelTTF::create("100", "Arial", 16);
  scene->addChild(label);
  int ticks = 0;
  struct Tick : public CCNode {
    int* n = nullptr;
    void tick(float) { ++*n; }
  };
  Tick* t = new Tick();
  t->n = &ticks;
  t->autorelease();
  scene->addChild(t);
  t->schedule(schedule_selector(Tick::tick), 1.0f);
  step(2);
  CCDirector* d = CCDirector::sharedDirector();
  unsigned int before = d->getDrawnFrames();
  step(600);
  EXPECT_EQ(d->getDrawnFrames(), before);
  EXPECT_EQ(ticks, 10);  // the scheduler kept time all the same
  // A change draws exactly the frames it needs.
  label->setString("100");
  step(1);
  EXPECT_EQ(d->getDrawnFrames(), before);
  label->setString("200");
  step(5);
  EXPECT_EQ(d->getDrawnFrames(), before + 1);
  s->runAction(CCMoveBy::create(0.5f, ccp(10, 0)));
  step(60);
  EXPECT_EQ(d->getDrawnFrames(), before + 1 + 30);  // t = 0 moves nothing
}

TEST_F(RenderTest, SceneChangesHappenNextFrameAndKeepTheOldSceneAliveUntilThen) {
  g_scene.clear();
  CCDirector* d = CCDirector::sharedDirector();
  d->runWithScene(LoggedScene::make("room"));
  step(1);
  d->pushScene(LoggedScene::make("dialog"));
  step(1);
  EXPECT_EQ(g_scene, (std::vector<std::string>{"room.enter", "room.exit", "dialog.enter"}));
  g_scene.clear();
  d->popScene();
  EXPECT_TRUE(g_scene.empty());  // the popped scene still runs this frame
  step(1);
  EXPECT_EQ(g_scene, (std::vector<std::string>{"dialog.exit", "dialog.deleted", "room.enter"}));
  g_scene.clear();
  d->replaceScene(LoggedScene::make("hall"));
  step(2);
  EXPECT_EQ(g_scene, (std::vector<std::string>{"room.exit", "room.deleted", "hall.enter"}));
  EXPECT_STREQ(static_cast<LoggedScene*>(d->getRunningScene())->m_name.c_str(), "hall");
}

TEST_F(RenderTest, ATransitionSceneCarriesTheOtherScenesWithoutDoubleEnterOrExit) {
  // A minimal transition: draws both scenes and hands over as the real ones do.
  class Fade : public CCScene {
   public:
    CCScene* in = nullptr;
    CCScene* out = nullptr;
    void carry(CCScene* i, CCScene* o) {
      in = i;
      out = o;
      in->retain();
      out->retain();
    }
    ~Fade() override {
      in->release();
      out->release();
    }
    bool isTransitionScene() const override { return true; }
    void onEnter() override {
      CCScene::onEnter();
      out->onExitTransitionDidStart();
      in->onEnter();
    }
    void onExit() override {
      CCScene::onExit();
      out->onExit();
      in->onEnterTransitionDidFinish();
    }
    void draw() override {
      out->visit();
      in->visit();
    }
  };
  g_scene.clear();
  CCDirector* d = CCDirector::sharedDirector();
  LoggedScene* a = LoggedScene::make("a");
  d->runWithScene(a);
  step(1);
  LoggedScene* b = LoggedScene::make("b");
  Fade* f = new Fade();
  f->init();
  f->carry(b, a);
  d->replaceScene(f);
  step(1);
  d->replaceScene(b);
  step(1);
  f->release();
  EXPECT_EQ(g_scene, (std::vector<std::string>{"a.enter", "b.enter", "a.exit", "a.deleted"}));
}

TEST_F(RenderTest, TheTopLayerRunsAndDrawsAboveEveryScene) {
  CCScene* scene = runScene();
  scene->addChild(CCLayerColor::create(ccc4(0, 0, 255, 255)));
  CCLayerColor* top = CCLayerColor::create(ccc4(0, 255, 0, 255), 100, 100);
  CCDirector::sharedDirector()->setTopLayer(top);
  EXPECT_TRUE(top->isRunning());
  top->runAction(CCMoveTo::create(0.1f, ccp(500, 500)));
  step(10);
  EXPECT_EQ(top->getPosition(), ccp(500, 500));
  CCImage img;
  ASSERT_TRUE(shoot(img));
  EXPECT_EQ(pixel(img, 550, 550), 0x00ff00ffu);
  EXPECT_EQ(pixel(img, 450, 450), 0x0000ffffu);
  top->retain();
  CCDirector::sharedDirector()->setTopLayer(nullptr);
  EXPECT_FALSE(top->isRunning());
  top->release();
}

int threadCount() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/task")) {
    while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
    closedir(d);
  }
  return n;
}

struct FrameCounter : CCObject {
  int frames = 0;
  void tick(float) {
    if (++frames == 5) CCDirector::sharedDirector()->end();
  }
};

// Starts a picture load on the worker, then ends the loop a few frames on.
class ShortApp : public CCApplication {
 public:
  bool applicationDidFinishLaunching() override {
    CCDirector::sharedDirector()->runWithScene(CCScene::create());
    CCTextureCache::sharedTextureCache()->addImageAsync("a.png", nullptr, nullptr);
    CCDirector::sharedDirector()->getScheduler()->scheduleSelector(schedule_selector(FrameCounter::tick), &m_counter, 0,
                                                                   false);
    return true;
  }
  FrameCounter m_counter;
};

// The loop's end takes the renderer's and the picture loader's threads with
// it: a leak checker at exit must find the program on one thread.
TEST_F(RenderTest, TheApplicationLoopLeavesOnlyTheMainThreadAndTheWindowOpensAgain) {
  writePng("a.png", 4, 4, 0xff0000ff);
  ShortApp app;
  ASSERT_EQ(app.run(), 0);
  EXPECT_EQ(app.m_counter.frames, 5);
  EXPECT_EQ(threadCount(), 1);
  CCImage img;
  runScene()->addChild(CCLayerColor::create(ccc4(0, 0, 255, 255)));
  ASSERT_TRUE(shoot(img));
  EXPECT_EQ(pixel(img, 10, 10), 0x0000ffffu);
}

// A scene whose every draw could take a cheap road or not. The sheet and the
// icon are drawn from within their texels, so they may share a page.
void buildCheapScene(CCScene* scene) {
  CCSprite* bg = CCSprite::createWithTexture(patterned(400, 300, 400));
  bg->setAnchorPoint(ccp(0, 0));
  scene->addChild(bg);
  // An opaque frame that ends one texel before the transparent column.
  CCTexture2D* sheet = patterned(128, 64, 64, true);
  CCSpriteFrame* solid = CCSpriteFrame::createWithTexture(sheet, CCRect(8, 8, 56, 48));
  CCSpriteFrame* seeThrough = CCSpriteFrame::createWithTexture(sheet, CCRect(70, 8, 40, 40));
  // Small and opaque to its edges: turned and scaled, filtering reads past them.
  CCTexture2D* icon = patterned(20, 20, 20, true);
  CCSpriteFrame* whole = CCSpriteFrame::createWithTexture(icon, CCRect(0, 0, 20, 20));
  struct Placed {
    CCSpriteFrame* frame;
    float x, y, rotation, scale;
    bool flip;
    unsigned char opacity;
  };
  // Each sprite starts a batch of its own (a dot of a large texture comes
  // between), so the sheet goes from texel-exact to filtered and back within
  // the frame, ending texel-exact; the turned and scaled ones reach the
  // transparent column.
  const Placed placed[] = {{solid, 100, 100, 0, 1, false, 255},       {solid, 200, 100, 30, 1, false, 255},
                           {solid, 300, 100, 0, 1, true, 255},        {solid, 100, 200, 0, 1, false, 128},
                           {solid, 200.5f, 200, 0, 1, false, 255},    {solid, 300, 200, 90, 1, false, 255},
                           {solid, 500, 200, 0, 2, false, 255},       {seeThrough, 150, 150, 0, 1, false, 255},
                           {seeThrough, 600, 400, 45, 1, false, 255}, {whole, 700, 400, 30, 1.5f, false, 255},
                           {solid, 700, 200, 0, 0.5f, false, 255},    {solid, 800, 200, 0, 1, false, 255}};
  CCTexture2D* dotTexture = patterned(600, 2, 600);
  float dotX = 1000;
  for (const Placed& p : placed) {
    CCSprite* dot = CCSprite::createWithTexture(dotTexture, CCRect(0, 0, 2, 2));
    dot->setPosition(ccp(dotX += 10, 700));
    scene->addChild(dot);
    CCSprite* s = CCSprite::createWithSpriteFrame(p.frame);
    s->setPosition(ccp(p.x, p.y));
    s->setRotation(p.rotation);
    s->setScale(p.scale);
    s->setFlipX(p.flip);
    s->setOpacity(p.opacity);
    scene->addChild(s);
  }
  // A pile of opaque and fading sprites with a label inside it: however the
  // draws are batched, each must stay over the ones drawn before it.
  CCSpriteFrame* inner = CCSpriteFrame::createWithTexture(sheet, CCRect(4, 4, 40, 40));
  for (int i = 0; i < 8; ++i) {
    CCSprite* s = CCSprite::createWithSpriteFrame(inner);
    s->setPosition(ccp(900.0f + i * 9, 450.0f + i * 5));
    s->setRotation(10.0f * i);
    s->setOpacity(i % 2 ? 150 : 255);
    scene->addChild(s);
    if (i == 4) {
      CCLabelTTF* label = CCLabelTTF::create("Pile", "Arial", 24);
      label->setPosition(ccp(930, 470));
      scene->addChild(label);
    }
  }
  // Labels share the sheet's page when pages are in use; the last is texel-exact.
  const float labelAt[][3] = {{40.5f, 600.5f, 1}, {300, 600, 1.3f}, {40, 260, 1}};
  for (const auto& at : labelAt) {
    CCSprite* dot = CCSprite::createWithTexture(dotTexture, CCRect(0, 0, 2, 2));
    dot->setPosition(ccp(dotX += 10, 700));
    scene->addChild(dot);
    CCLabelTTF* label = CCLabelTTF::create("Kestrel 42", "Arial", 16);
    label->setAnchorPoint(ccp(0, 0));
    label->setPosition(ccp(at[0], at[1]));
    label->setScale(at[2]);
    scene->addChild(label);
  }
}

TEST_F(RenderTest, CheapDrawsGiveTheSamePixelsAsTheGeneralPath) {
  CCImage cheap, general;
  kest::backend::setDrawShortcuts(false);
  buildCheapScene(runScene());
  bool shot = shoot(general);
  kest::backend::setDrawShortcuts(true);
  ASSERT_TRUE(shot);
  buildCheapScene(runScene());
  ASSERT_TRUE(shoot(cheap));
  ASSERT_EQ(cheap.getDataLen(), general.getDataLen());
  // Filtered texels read from a shared page may round one step apart.
  const unsigned char* a = cheap.getData();
  const unsigned char* b = general.getData();
  int worst = 0;
  for (int i = 0; i < cheap.getDataLen(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  EXPECT_LE(worst, 1);
  // The pattern really reached the screen (the bottom-left texel of the background).
  EXPECT_EQ(pixel(cheap, 0, 0),
            (unsigned)((299 * 11 % 256) << 24 | (299 * 23 % 256) << 16 | (299 * 53 % 256) << 8 | 255));
}

// Labels whose texts keep changing take and give back room on shared pages;
// none may overwrite another's texels.
TEST_F(RenderTest, ChangingLabelsDrawAsFreshOnesDo) {
  auto text = [](int i, int round) {
    return std::string((size_t)(1 + (i * 7 + round * 3) % 9), (char)('A' + (i + round) % 26)) + std::to_string(round);
  };
  CCScene* scene = runScene();
  std::vector<CCLabelTTF*> labels;
  for (int i = 0; i < 24; ++i) {
    CCLabelTTF* l = CCLabelTTF::create(text(i, 0).c_str(), "Arial", 12 + (i % 3) * 6);
    l->setAnchorPoint(ccp(0, 0));
    l->setPosition(ccp(20.0f + (i % 4) * 300, 20.0f + (i / 4) * 100));
    scene->addChild(l);
    labels.push_back(l);
  }
  for (int round = 1; round <= 60; ++round) {
    for (int i = round % 3; i < 24; i += 3) labels[(size_t)i]->setString(text(i, round).c_str());
    step();
  }
  CCImage churned, fresh;
  ASSERT_TRUE(shoot(churned));
  std::vector<std::string> texts;
  for (CCLabelTTF* l : labels) texts.push_back(l->getString());
  kest::backend::setDrawShortcuts(false);
  scene = runScene();
  for (int i = 0; i < 24; ++i) {
    CCLabelTTF* l = CCLabelTTF::create(texts[(size_t)i].c_str(), "Arial", 12 + (i % 3) * 6);
    l->setAnchorPoint(ccp(0, 0));
    l->setPosition(ccp(20.0f + (i % 4) * 300, 20.0f + (i / 4) * 100));
    scene->addChild(l);
  }
  bool shot = shoot(fresh);
  kest::backend::setDrawShortcuts(true);
  ASSERT_TRUE(shot);
  ASSERT_EQ(churned.getDataLen(), fresh.getDataLen());
  EXPECT_EQ(memcmp(churned.getData(), fresh.getData(), (size_t)churned.getDataLen()), 0);
}

TEST_F(RenderTest, ATargetTextureGivesItsMemoryBackWhenItGoes) {
  CCScene* scene = runScene();
  CCLayerColor* layer = CCLayerColor::create(ccc4(0, 0, 255, 255));
  scene->addChild(layer);
  step(2);
  // A size no other target has, drawn into; then frames drawn elsewhere, after
  // which the driver holds none of it for the frames it drew. Its 16 MB must
  // go with it, however the renderer draws into targets.
  const size_t before = allocatedBytes();
  for (int round = 0; round < 3; ++round) {
    kest::backend::Texture* t = kest::backend::createTargetTexture(2048, 2048);
    ASSERT_NE(t, nullptr);
    ASSERT_TRUE(kest::backend::setRenderTarget(t));
    ASSERT_TRUE(kest::backend::setRenderTarget(nullptr));
    step();
    kest::backend::destroyTexture(t);
    for (int i = 0; i < 3; ++i) {
      layer->setColor(ccc3(0, (unsigned char)(round * 60 + i * 20), 255));
      step();
    }
  }
  const size_t after = allocatedBytes();
  EXPECT_LT(after, before + (4u << 20)) << "before " << before << ", after " << after;
}
