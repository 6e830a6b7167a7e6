// Frames drawn again only where they changed, and pictures read from their
// files only when first drawn.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <unistd.h>

#include "EngineFixture.h"
#include "cocos-ext.h"
#include "engine/backend/Backend.h"
#include "engine/backend/Damage.h"

USING_NS_CC;
namespace be = kest::backend;

namespace {

struct Board {
  CCScene* scene = nullptr;
  CCSprite* a = nullptr;  // overlapped by b
  CCSprite* b = nullptr;
  CCSprite* scaled = nullptr;
  CCSprite* corner = nullptr;
  CCLabelTTF* label = nullptr;
  CCLayer* clipped = nullptr;
  CCLayerColor* panel = nullptr;
};

class RedrawTest : public EngineTest {
 protected:
  Board build() {
    Board k;
    k.scene = runScene();
    CCSprite* bg = CCSprite::createWithTexture(patternedTexture(1288, 762, 255, 1));
    bg->setAnchorPoint(ccp(0, 0));
    k.scene->addChild(bg, -1);
    k.a = CCSprite::createWithTexture(patternedTexture(60, 40, 255, 2));
    k.a->setPosition(ccp(200, 200));
    k.scene->addChild(k.a, 1);
    k.b = CCSprite::createWithTexture(patternedTexture(50, 50, 160, 3));
    k.b->setPosition(ccp(220, 210));
    k.b->setRotation(20);
    k.scene->addChild(k.b, 2);
    k.scaled = CCSprite::createWithTexture(patternedTexture(16, 16, 255, 4));
    k.scaled->setScale(3.5f);
    k.scaled->setPosition(ccp(600, 500));
    k.scene->addChild(k.scaled, 1);
    k.corner = CCSprite::createWithTexture(patternedTexture(30, 30, 255, 5));
    k.corner->setPosition(ccp(1200, 700));
    k.scene->addChild(k.corner, 1);
    k.label = CCLabelTTF::create("Kestrel 42", "Arial", 18);
    k.label->setPosition(ccp(400, 300));
    k.scene->addChild(k.label, 3);
    k.clipped = CCLayer::create();
    k.clipped->setClipRect(CCRect(800, 100, 200, 150));
    for (int i = 0; i < 4; ++i) {
      CCSprite* s = CCSprite::createWithTexture(patternedTexture(80, 80, 255, 10 + i));
      s->setPosition(ccp(820.0f + i * 50, 130.0f + i * 30));
      k.clipped->addChild(s);
    }
    k.scene->addChild(k.clipped, 4);
    k.panel = CCLayerColor::create(ccc4(20, 40, 200, 128), 120, 60);
    k.panel->setPosition(ccp(100, 600));
    k.scene->addChild(k.panel, 5);
    step(1);
    return k;
  }

  void everyKindOfChange();

  // Draws a frame and reads it back (no PNG on the way).
  static std::vector<uint8_t> draw() {
    CCDirector::sharedDirector()->drawScene();
    std::vector<uint8_t> px;
    int w = 0, h = 0;
    EXPECT_TRUE(be::readPixels(px, w, h));
    return px;
  }

  // Draws the frame again where it changed, then whole, and compares.
  void expectSameAsWhole(const std::string& what) {
    SCOPED_TRACE(what);
    const be::FrameCounts before = be::frameCounts();
    const std::vector<uint8_t> kept = draw();
    const be::FrameCounts part = be::frameCounts();
    EXPECT_EQ(part.partial, before.partial + 1);
    // The statistics count what the frame drew again.
    EXPECT_GE(part.rects, before.rects + 1);
    EXPECT_EQ(part.rectPixels - before.rectPixels, (uint64_t)part.lastPixels);
    be::setDrawShortcuts(true);  // the next frame is drawn whole
    ccSetNeedsRedraw();          // from every node's draws made anew
    const std::vector<uint8_t> whole = draw();
    const be::FrameCounts all = be::frameCounts();
    EXPECT_EQ(all.whole, before.whole + 1);
    EXPECT_EQ(all.rects, part.rects + 1);
    EXPECT_EQ(all.rectPixels - part.rectPixels, (uint64_t)all.lastPixels);
    ASSERT_EQ(kept.size(), whole.size());
    int differing = 0, firstAt = -1;
    for (size_t i = 0; i < kept.size(); ++i)
      if (kept[i] != whole[i]) {
        if (firstAt < 0) firstAt = (int)i / 4;
        ++differing;
      }
    EXPECT_EQ(differing, 0) << "first at x " << (firstAt % 1288) << ", y " << (firstAt / 1288);
  }
};

}  // namespace

// The renderer in use for one test: SDL's software renderer keeps its frame
// in the window surface, GL in its drawing surface or a canvas.
struct Renderer {
  explicit Renderer(bool software) : m_software(software) {
    if (!software) return;
    be::close();
    setenv("KEST_RENDERER", "software", 1);
  }
  ~Renderer() {
    if (!m_software) return;
    CCDirector::sharedDirector()->reset();
    be::close();
    unsetenv("KEST_RENDERER");
  }
  bool m_software;
};

void RedrawTest::everyKindOfChange() {
  Board k = build();
  draw();
  struct Change {
    const char* what;
    std::function<void()> apply;
  };
  const Change changes[] = {
      {"a sprite moves", [&] { k.a->setPosition(ccp(230, 190)); }},
      {"a label's text changes", [&] { k.label->setString("Kestrel 4321"); }},
      {"the overlapped sprite comes to the front", [&] { k.scene->reorderChild(k.a, 9); }},
      {"a sprite goes", [&] { k.b->removeFromParentAndCleanup(true); }},
      {"a sprite comes", [&] { k.scene->addChild(CCSprite::createWithTexture(patternedTexture(40, 40, 200, 20)), 6); }},
      {"a sprite fades", [&] { k.scaled->setOpacity(100); }},
      {"the filter alone changes", [&] { k.scaled->getTexture()->setAliasTexParameters(); }},
      {"the clip moves", [&] { k.clipped->setClipRect(CCRect(840, 80, 150, 180)); }},
      {"a layer hides", [&] { k.panel->setVisible(false); }},
      {"the label is recoloured", [&] { k.label->setColor(ccc3(255, 40, 40)); }},
      {"two corners change at once",
       [&] {
         k.corner->setPosition(ccp(1180, 690));
         k.a->setPosition(ccp(40, 40));
       }},
      {"a sprite leaves the screen", [&] { k.corner->setPosition(ccp(3000, 700)); }},
  };
  for (const Change& c : changes) {
    c.apply();
    expectSameAsWhole(c.what);
  }
}

// Subtrees give their draws again (the check that every change marked its
// node, on in tests, records them anew instead).
struct KeptDraws {
  KeptDraws() : m_was(CCNode::isCheckingKeptDraws()) { CCNode::setCheckKeptDraws(false); }
  ~KeptDraws() { CCNode::setCheckKeptDraws(m_was); }
  bool m_was;
};

TEST_F(RedrawTest, EveryKindOfChangeDrawnInPlaceMatchesAWholeFrame) {
  everyKindOfChange();
  KeptDraws kept;
  everyKindOfChange();
}

TEST_F(RedrawTest, EveryKindOfChangeDrawnInPlaceMatchesAWholeFrameOnTheSoftwareRenderer) {
  Renderer software(true);
  everyKindOfChange();
  EXPECT_STREQ(be::rendererName(), "software");
  KeptDraws kept;
  everyKindOfChange();
}

TEST_F(RedrawTest, SubtreesThatDidNotChangeGiveTheirDrawsAgain) {
  KeptDraws kept;
  Board k = build();
  draw();
  CCRenderer* r = CCRenderer::sharedRenderer();
  const unsigned int all = r->getSubmissions();
  ASSERT_GT(all, 8u);
  // Nothing changed: the scene gives all of its draws again.
  draw();
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, all);
  // One sprite moved: its draw alone is made anew.
  k.corner->setPosition(ccp(1180, 690));
  draw();
  EXPECT_EQ(r->getSubmissions(), all);
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, all - 1);
  // A child of the clipped layer moved, after a frame given again whole:
  // its three brothers give theirs from where the layer's lay.
  draw();
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, all);
  static_cast<CCNode*>(k.clipped->getChildren()->objectAtIndex(0))->setPosition(ccp(830, 140));
  draw();
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, all - 1);
  // The layer moved: its four draws are made anew, from another place.
  k.clipped->setPosition(ccp(5, 0));
  draw();
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, all - 4);
  // A change no node tells of: every node draws anew.
  ccSetNeedsRedraw();
  draw();
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, 0u);
  // Hidden and shown again: drawn anew, then given again.
  k.a->setVisible(false);
  draw();
  EXPECT_EQ(r->getSubmissions(), all - 1);
  k.a->setVisible(true);
  draw();
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, all - 1);
  draw();
  EXPECT_EQ(be::frameCounts().lastRecordedAgain, all);
}

TEST_F(RedrawTest, DrawsOfAPictureGoneSinceAreMadeAnew) {
  KeptDraws kept;
  writePng("chip.png", 8, 8, 0xd02020ffu);
  CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage("chip");
  ASSERT_NE(tex, nullptr);
  CCScene* scene = runScene();
  CCSprite* s = CCSprite::createWithTexture(tex);
  s->setPosition(ccp(100, 100));
  scene->addChild(s);
  draw();
  draw();
  const uint32_t all = be::frameCounts().lastRecordedAgain;
  ASSERT_GT(all, 0u);
  // The pixels go and come back from the file when drawn, with no node
  // changed: the sprite's draw of the old texture is not given again.
  tex->releasePixels();
  const std::vector<uint8_t> kept1 = draw();
  EXPECT_LT(be::frameCounts().lastRecordedAgain, all);
  EXPECT_TRUE(tex->hasPixels());
  ccSetNeedsRedraw();
  EXPECT_EQ(draw(), kept1);
}

// A node whose look changes without a mark: the check ends the program.
class Unmarked : public CCNode {
 public:
  float width = 10;
  void draw() override {
    CCRenderer::sharedRenderer()->drawSolidRect(CCPointZero, ccp(width, 10), ccc4(200, 0, 0, 255),
                                                ccBlendFunc{GL_ONE, GL_ZERO});
  }
};

TEST_F(RedrawTest, AChangeThatMarksNoNodeIsCaught) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  CCNode::setCheckKeptDraws(true);
  CCScene* scene = runScene();
  Unmarked* n = new Unmarked();
  n->autorelease();
  n->setPosition(ccp(50, 50));
  scene->addChild(n);
  draw();
  draw();
  n->width = 30;
  ccSetNeedsRedraw();  // a frame wanted, every node marked: no fault
  draw();
  EXPECT_DEATH(
      {
        n->width = 60;
        draw();
      },
      "redraw check: a .*Unmarked drew otherwise");
}

TEST_F(RedrawTest, ANinePartPictureAtItsSizeDrawsAsThePictureOnTheSoftwareRenderer) {
  // Its slices meet between pixels (a third of 26); SDL's software renderer
  // copies each slice with rounded corners, which left a line between them.
  Renderer software(true);
  CCScene* scene = runScene();
  CCTexture2D* pic = patternedTexture(26, 26, 255, 7);
  for (int i = 0; i < 2; ++i) {
    CCNode* n = i == 0 ? (CCNode*)CCSprite::createWithTexture(pic)
                       : (CCNode*)extension::CCScale9Sprite::createWithSpriteFrame(
                             CCSpriteFrame::createWithTexture(pic, CCRect(0, 0, 26, 26)));
    n->setAnchorPoint(ccp(0, 0));
    n->setPosition(ccp(100 + 40 * i, 100));
    scene->addChild(n);
  }
  CCImage img;
  ASSERT_TRUE(shoot(img));
  EXPECT_STREQ(be::rendererName(), "software");
  int differing = 0;
  for (int y = 100; y < 126; ++y)
    for (int x = 100; x < 126; ++x) differing += rgbAt(img, x, y) != rgbAt(img, x + 40, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(RedrawTest, DrawsOverBlackAndOverWhiteTellWhatTheyGiveOverAnything) {
  // Alpha blending of 8-bit channels, as GL rounds it.
  auto blend = [](uint32_t c, uint32_t a, uint32_t u) { return (c * a + u * (255 - a) + 127) / 255; };
  auto px = [](uint32_t r, uint32_t g, uint32_t b) { return 0xff000000u | r << 16 | g << 8 | b; };
  std::vector<uint32_t> under, black, white, want;
  uint32_t seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16 & 255u; };
  for (int i = 0; i < 2000; ++i) {
    const uint32_t a = i < 3 ? (uint32_t)(i * 127) : next();  // clear, half, opaque, then any
    uint32_t c[3], u[3];
    for (int k = 0; k < 3; ++k) c[k] = next(), u[k] = next();
    under.push_back(px(u[0], u[1], u[2]));
    black.push_back(px(blend(c[0], a, 0), blend(c[1], a, 0), blend(c[2], a, 0)));
    white.push_back(px(blend(c[0], a, 255), blend(c[1], a, 255), blend(c[2], a, 255)));
    want.push_back(px(blend(c[0], a, u[0]), blend(c[1], a, u[1]), blend(c[2], a, u[2])));
  }
  std::vector<uint32_t> out(under.size());
  be::composeOver(under.data(), black.data(), white.data(), out.data(), out.size());
  for (size_t i = 0; i < out.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8)
      ASSERT_LE(std::abs((int)(out[i] >> shift & 255u) - (int)(want[i] >> shift & 255u)), 1) << i;
  // Fully clear and fully opaque draws give exactly what is under and themselves.
  EXPECT_EQ(out[0], under[0]);
  EXPECT_EQ(out[2], black[2]);
}

TEST_F(RedrawTest, APictureLaidATexelToAPixelBlendsAsGLAndStaysInItsTexture) {
  // A 4 x 2 texture: texel (x, y) is red x*60, green y*100, blue 9, alpha 40*(x+1)+y.
  std::vector<uint8_t> tex;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) tex.insert(tex.end(), {(uint8_t)(x * 60), (uint8_t)(y * 100), 9, (uint8_t)(40 * (x + 1) + y)});
  const be::Rect area{10, 20, 16, 24};  // 6 x 4 pixels of 0xff204060
  std::vector<uint32_t> out(24, 0xff204060u);
  be::TexelQuad q;
  q.at = be::Rect{11, 21, 15, 23};  // mirrored in x: pixel 11 takes texel 3
  q.tx = 3, q.sx = -1;
  ASSERT_TRUE(be::drawTexelQuad(out.data(), area, area, tex.data(), 4, 2, q));
  auto at = [&](int x, int y) { return out[(size_t)(y - area.y0) * 6 + (size_t)(x - area.x0)]; };
  auto blend = [](uint32_t c, uint32_t a, uint32_t u) { return (c * a + u * (255 - a) + 127) / 255; };
  for (int y = 21; y < 23; ++y)
    for (int x = 11; x < 15; ++x) {
      const int tx = 3 - (x - 11), ty = y - 21;
      const uint32_t a = (uint32_t)(40 * (tx + 1) + ty), p = at(x, y);
      EXPECT_LE(std::abs((int)(p >> 16 & 255u) - (int)blend((uint32_t)tx * 60, a, 0x20)), 1) << x << "," << y;
      EXPECT_LE(std::abs((int)(p >> 8 & 255u) - (int)blend((uint32_t)ty * 100, a, 0x40)), 1) << x << "," << y;
      EXPECT_LE(std::abs((int)(p & 255u) - (int)blend(9, a, 0x60)), 1) << x << "," << y;
      EXPECT_EQ(p >> 24, 255u);
    }
  // Nothing outside the picture changes.
  EXPECT_EQ(at(10, 20), 0xff204060u);
  EXPECT_EQ(at(15, 22), 0xff204060u);
  EXPECT_EQ(at(12, 23), 0xff204060u);

  // Written over, tinted, within the clip only.
  std::vector<uint32_t> over(24, 0xff204060u);
  q.blend = false;
  q.colour[0] = 128, q.colour[1] = 255, q.colour[2] = 0, q.colour[3] = 255;
  ASSERT_TRUE(be::drawTexelQuad(over.data(), area, be::Rect{13, 0, 100, 22}, tex.data(), 4, 2, q));
  EXPECT_EQ(over[(size_t)(21 - 20) * 6 + 3], (uint32_t)(80u << 24 | 30u << 16));  // texel 1: red 60 halved, no blue
  EXPECT_EQ(over[(size_t)(21 - 20) * 6 + 2], 0xff204060u);  // left of the clip
  EXPECT_EQ(over[(size_t)(22 - 20) * 6 + 3], 0xff204060u);  // below it

  // A picture that would read past its texture's texels draws nothing.
  std::vector<uint32_t> kept(24, 0xff204060u);
  for (const be::TexelQuad& bad : {be::TexelQuad{be::Rect{11, 21, 16, 23}, 0, 0, 1, 1, {255, 255, 255, 255}, true},
                                   be::TexelQuad{be::Rect{11, 21, 15, 23}, 2, 0, -1, 1, {255, 255, 255, 255}, true},
                                   be::TexelQuad{be::Rect{11, 21, 15, 24}, 0, 0, 1, 1, {255, 255, 255, 255}, true},
                                   be::TexelQuad{be::Rect{11, 21, 15, 23}, 0, 0, 1, -1, {255, 255, 255, 255}, false}})
    EXPECT_FALSE(be::drawTexelQuad(kept.data(), area, area, tex.data(), 4, 2, bad));
  EXPECT_EQ(kept, std::vector<uint32_t>(24, 0xff204060u));
}

TEST_F(RedrawTest, TheSoftwareRenderersBlendingIsToldByDrawsOverBlackAndOverWhite) {
  // A clock's light over its digits is put together from such layers in a
  // window on the software renderer too: what it blends must match them.
  Renderer software(true);
  CCScene* scene = runScene();
  CCLayerColor* ground = CCLayerColor::create(ccc4(0, 0, 0, 255));
  scene->addChild(ground, -2);
  CCSprite* picture = CCSprite::createWithTexture(patternedTexture(64, 64, 255, 5));
  picture->setAnchorPoint(ccp(0, 0));
  picture->setPosition(ccp(100, 100));
  scene->addChild(picture, -1);
  std::vector<unsigned char> px(64 * 64 * 4);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      unsigned char* p = &px[((size_t)y * 64 + x) * 4];
      p[0] = (unsigned char)(x * 4), p[1] = (unsigned char)(y * 4), p[2] = (unsigned char)(x * y);
      p[3] = (unsigned char)(x < 2 ? x * 255 : (x * 7 + y * 13) & 255);  // clear, opaque, then any
    }
  CCTexture2D* glow = new CCTexture2D();
  glow->initWithData(px.data(), 64, 64);
  glow->autorelease();
  CCSprite* light = CCSprite::createWithTexture(glow);
  light->setAnchorPoint(ccp(0, 0));
  light->setPosition(ccp(100, 100));
  scene->addChild(light);
  auto take = [&](std::vector<uint32_t>& out) {
    CCImage img;
    ASSERT_TRUE(shoot(img));
    for (int y = 100; y < 164; ++y)
      for (int x = 100; x < 164; ++x) out.push_back(0xff000000u | rgbAt(img, x, y));
  };
  std::vector<uint32_t> want, under, black, white;
  take(want);
  light->setVisible(false);
  take(under);
  light->setVisible(true);
  picture->setVisible(false);
  take(black);
  ground->setColor(ccc3(255, 255, 255));
  take(white);
  EXPECT_STREQ(be::rendererName(), "software");
  ASSERT_EQ(want.size(), (size_t)64 * 64);
  std::vector<uint32_t> out(want.size());
  be::composeOver(under.data(), black.data(), white.data(), out.data(), out.size());
  int worst = 0;
  for (size_t i = 0; i < out.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8)
      worst = std::max(worst, std::abs((int)(out[i] >> shift & 255u) - (int)(want[i] >> shift & 255u)));
  EXPECT_LE(worst, 1);
}

TEST_F(RedrawTest, OnlyTheChangedRectangleIsDrawnAgain) {
  Board k = build();
  const std::vector<uint8_t> first = draw();
  // Nothing changed: nothing drawn, the same pixels.
  EXPECT_EQ(draw(), first);
  EXPECT_EQ(be::frameCounts().lastPixels, 0);
  // The corner sprite (30 x 30) moves 10 points: both places, with a pixel's margin.
  k.corner->setPosition(ccp(1190, 700));
  draw();
  EXPECT_GT(be::frameCounts().lastPixels, 30 * 30);
  EXPECT_LE(be::frameCounts().lastPixels, 42 * 34);
  // A label made again with the same text and place draws nothing new.
  CCPoint at = k.label->getPosition();
  k.label->removeFromParentAndCleanup(true);
  CCLabelTTF* again = CCLabelTTF::create("Kestrel 42", "Arial", 18);
  again->setPosition(at);
  k.scene->addChild(again, 3);
  draw();
  EXPECT_EQ(be::frameCounts().lastPixels, 0);
}

TEST_F(RedrawTest, EditsBetweenDrawListsAreShortestAndBounded) {
  struct Case {
    std::vector<uint64_t> a, b;
    std::vector<uint8_t> gone, added;
  };
  const Case cases[] = {
      {{1, 2, 3}, {1, 2, 3}, {0, 0, 0}, {0, 0, 0}},
      {{1, 2, 3}, {1, 9, 2, 3}, {0, 0, 0}, {0, 1, 0, 0}},
      {{1, 2, 3}, {1, 3}, {0, 1, 0}, {0, 0}},
      {{1, 2, 3}, {1, 7, 3}, {0, 1, 0}, {0, 1, 0}},
      // A draw moved later in the order is gone from its old place and new at the next.
      {{1, 2, 3}, {2, 3, 1}, {1, 0, 0}, {0, 0, 1}},
      {{}, {4, 5}, {}, {1, 1}},
      {{4, 5}, {}, {1, 1}, {}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> gone, added;
    ASSERT_TRUE(be::markEdits(c.a.data(), (int)c.a.size(), c.b.data(), (int)c.b.size(), 8, gone, added));
    EXPECT_EQ(gone, c.gone);
    EXPECT_EQ(added, c.added);
  }
  // More edits than allowed: the caller draws whole.
  std::vector<uint64_t> a(20), b(20);
  for (int i = 0; i < 20; ++i) a[(size_t)i] = (uint64_t)i, b[(size_t)i] = (uint64_t)(100 + i);
  std::vector<uint8_t> gone, added;
  EXPECT_FALSE(be::markEdits(a.data(), 20, b.data(), 20, 39, gone, added));
  EXPECT_TRUE(be::markEdits(a.data(), 20, b.data(), 20, 40, gone, added));
}

TEST_F(RedrawTest, ChangedRectanglesMergeIntoAFewThatCoverThemAll) {
  const be::Rect in[] = {{0, 0, 10, 10},     {5, 5, 20, 20},     {500, 500, 510, 510},
                         {900, 10, 910, 20}, {10, 700, 20, 710}, {1200, 700, 1210, 710}};
  std::vector<be::Rect> rects;
  for (const be::Rect& r : in) be::addDamage(rects, r, 4);
  EXPECT_LE(rects.size(), 4u);
  for (const be::Rect& r : in) {
    bool covered = false;
    for (const be::Rect& o : rects) covered |= o.x0 <= r.x0 && o.y0 <= r.y0 && o.x1 >= r.x1 && o.y1 >= r.y1;
    EXPECT_TRUE(covered) << r.x0 << "," << r.y0;
  }
  // Overlapping ones became one; the far ones did not swallow the screen.
  long total = 0;
  for (const be::Rect& o : rects) total += be::rectArea(o);
  EXPECT_LT(total, 1288L * 762 / 2);
}

TEST_F(RedrawTest, APictureIsReadWhenFirstDrawnAndAgainWhenItsPixelsAreGone) {
  writePng("chip.png", 8, 8, 0xd02020ffu);
  CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage("chip");
  ASSERT_NE(tex, nullptr);
  EXPECT_FALSE(tex->hasPixels());
  EXPECT_EQ(tex->getPixelsWide(), 8u);
  EXPECT_EQ(tex->getPixelsHigh(), 8u);
  CCScene* scene = runScene();
  CCSprite* s = CCSprite::createWithTexture(tex);
  s->setPosition(ccp(100, 100));
  scene->addChild(s);
  const std::function<void()> losses[] = {
      [] {},                          // first drawn
      [&] { tex->releasePixels(); },  // given back while not shown
      [] { be::close(); },            // the renderer closed and opened again
  };
  for (const auto& lose : losses) {
    lose();
    CCImage img;
    ASSERT_TRUE(shoot(img));
    EXPECT_EQ(rgbAt(img, 100, 100), 0xd02020u);
    EXPECT_TRUE(tex->hasPixels());
  }
  EXPECT_EQ(CCTextureCache::sharedTextureCache()->getMissingPictureCount(), 0u);
}

TEST_F(RedrawTest, APictureDecodedAheadIsDrawnAsOneDecodedWhenDrawn) {
  struct Case {
    const char* name;
    std::function<void(CCTexture2D*)> before;  // between adding and the first draw
    unsigned int rgb;
  };
  const Case cases[] = {
      {"taken by the draw", [](CCTexture2D*) {}, 0xd02020u},
      {"dropped unused", [](CCTexture2D*) { CCTextureCache::sharedTextureCache()->setDecodeAhead(false); }, 0xd02020u},
      {"given another file", [this](CCTexture2D* t) { t->initWithFile(m_root + "/res/other.png", 8, 8); }, 0x20d020u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CCTextureCache::purgeSharedTextureCache();
    writePng("chip.png", 8, 8, 0xd02020ffu);
    writePng("other.png", 8, 8, 0x20d020ffu);
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    cache->setDecodeAhead(true);
    CCTexture2D* tex = cache->addImage("chip");
    ASSERT_NE(tex, nullptr);
    EXPECT_FALSE(tex->hasPixels());
    c.before(tex);
    CCScene* scene = runScene();
    CCSprite* s = CCSprite::createWithTexture(tex);
    s->setPosition(ccp(100, 100));
    scene->addChild(s);
    CCImage img;
    ASSERT_TRUE(shoot(img));
    EXPECT_EQ(rgbAt(img, 100, 100), c.rgb);
    // Lost again later: read from the file as any picture is.
    cache->setDecodeAhead(false);
    tex->releasePixels();
    ASSERT_TRUE(shoot(img));
    EXPECT_EQ(rgbAt(img, 100, 100), c.rgb);
    EXPECT_EQ(cache->getMissingPictureCount(), 0u);
  }
}

TEST_F(RedrawTest, APictureThatCannotBeReadWhenDrawnCountsAsMissing) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> spoil;
  };
  const Case cases[] = {
      {"cut", [](const std::string& p) { truncate(p.c_str(), 40); }},
      {"resized", [this](const std::string&) { writePng("pic.png", 12, 8, 0x20d020ffu); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CCTextureCache::purgeSharedTextureCache();
    writePng("pic.png", 8, 8, 0x2020d0ffu);
    CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage("pic");
    ASSERT_NE(tex, nullptr);
    c.spoil(m_root + "/res/pic.png");
    CCScene* scene = runScene();
    CCSprite* s = CCSprite::createWithTexture(tex);
    s->setPosition(ccp(100, 100));
    scene->addChild(s);
    CCImage img;
    ASSERT_TRUE(shoot(img));
    EXPECT_EQ(rgbAt(img, 100, 100), 0x000000u);  // nothing drawn over the clear colour
    EXPECT_FALSE(tex->hasPixels());
    EXPECT_EQ(CCTextureCache::sharedTextureCache()->getMissingPictureCount(), 1u);
  }
}
