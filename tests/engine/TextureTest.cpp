// Picture loading: async callbacks, sheets, the name resolver, labels.

#include <SDL.h>
#include <SDL_ttf.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "EngineFixture.h"
#include "engine/backend/Backend.h"

USING_NS_CC;

namespace {

class Loader : public CCObject {
 public:
  std::vector<CCTexture2D*> got;
  void loaded(CCObject* tex) { got.push_back(static_cast<CCTexture2D*>(tex)); }
};

class TextureTest : public EngineTest {
 protected:
  void stepUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 2000 && !done(); ++i) {
      step(1);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  void writeSheet(const std::string& plist, int format, const std::string& frames, const std::string& texture) {
    writeFile(plist, R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>frames</key><dict>)" +
                         frames + R"(</dict><key>metadata</key><dict><key>format</key><integer>)" +
                         std::to_string(format) + "</integer>" +
                         (texture.empty() ? "" : "<key>textureFileName</key><string>" + texture + "</string>") +
                         "</dict></dict></plist>");
  }
};

const char* kRotatedFrame = R"(<key>icon.png</key><dict>
  <key>frame</key><string>{{2,40},{30,20}}</string>
  <key>offset</key><string>{-1,3}</string>
  <key>rotated</key><true/>
  <key>sourceColorRect</key><string>{{1,1},{30,20}}</string>
  <key>sourceSize</key><string>{34,28}</string></dict>)";

}  // namespace

TEST_F(TextureTest, EveryAsyncRequestCallsBackExactlyOnce) {
  writePng("cards/a.png", 8, 8, 0xff0000ff);
  writePng("sheets/deal.png", 16, 16, 0x00ff00ff);
  writeSheet("sheets/deal.plist", 2, "", "");
  writeFile("broken.png", "this is not a picture");
  Loader* target = new Loader();
  CCTextureCache* cache = CCTextureCache::sharedTextureCache();
  const char* names[] = {"cards/a", "missing/x", "sheets/deal.plist", "broken.png", "cards/a.png", "cards/a"};
  for (const char* n : names) cache->addImageAsync(n, target, callfuncO_selector(Loader::loaded));
  EXPECT_EQ(target->retainCount(), 7u);  // held until each callback
  stepUntil([&] { return target->got.size() >= 6; });
  step(5);
  ASSERT_EQ(target->got.size(), 6u);
  EXPECT_NE(target->got[0], nullptr);
  EXPECT_EQ(target->got[1], nullptr);
  ASSERT_NE(target->got[2], nullptr);
  EXPECT_EQ(target->got[2]->getPixelsWide(), 16u);
  EXPECT_EQ(target->got[3], nullptr);
  EXPECT_EQ(target->got[4], target->got[0]);
  EXPECT_EQ(target->got[5], target->got[0]);
  EXPECT_EQ(target->retainCount(), 1u);
  EXPECT_EQ(cache->pendingAsyncCount(), 0u);
  target->release();
}

TEST_F(TextureTest, ATargetReleasedByItsOwnerStaysAliveUntilItsCallback) {
  writePng("a.png", 4, 4, 0xffffffff);
  Loader* target = new Loader();
  CCTextureCache::sharedTextureCache()->addImageAsync("a", target, callfuncO_selector(Loader::loaded));
  target->release();  // the module object is replaced while its load is pending
  CCTextureCache::sharedTextureCache()->waitForAsync();
  EXPECT_EQ(CCTextureCache::sharedTextureCache()->pendingAsyncCount(), 0u);
}

TEST_F(TextureTest, SheetFramesKeepTrimAndRotation) {
  writePng("ui/sheet.png", 64, 64, 0x808080ff);
  writeSheet("ui/sheet.plist", 2, kRotatedFrame, "sheet.png");
  CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
  frames->addSpriteFramesWithFile("ui/sheet.plist");
  CCSpriteFrame* f = frames->spriteFrameByName("icon.png");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->isRotated());
  EXPECT_EQ(f->getRect(), CCRect(2, 40, 30, 20));
  CCSprite* s = CCSprite::createWithSpriteFrameName("icon.png");
  EXPECT_EQ(s->getContentSize(), CCSize(34, 28));
  const ccV2F_C4B_T2F_Quad& q = s->getQuad();
  EXPECT_FLOAT_EQ(q.bl.vertices.x, 1);
  EXPECT_FLOAT_EQ(q.bl.vertices.y, 7);
  EXPECT_FLOAT_EQ(q.tr.vertices.x, 31);
  EXPECT_FLOAT_EQ(q.tr.vertices.y, 27);
  // The 20 x 30 region at (2, 40), turned: bottom-left of the sprite reads the region's top-left.
  EXPECT_FLOAT_EQ(q.bl.texCoords.u, 2 / 64.0f);
  EXPECT_FLOAT_EQ(q.bl.texCoords.v, 40 / 64.0f);
  EXPECT_FLOAT_EQ(q.tr.texCoords.u, 22 / 64.0f);
  EXPECT_FLOAT_EQ(q.tr.texCoords.v, 70 / 64.0f);
  // flipX mirrors the offset.
  s->setFlipX(true);
  EXPECT_FLOAT_EQ(s->getQuad().bl.vertices.x, 3);
}

TEST_F(TextureTest, AllFourSheetFormatsLoadAndTheFirstFrameOfANameWins) {
  writePng("s/zero.png", 64, 64, 0xffffffff);
  writeSheet("s/zero.plist", 0, R"(<key>z</key><dict><key>x</key><integer>1</integer><key>y</key><integer>2</integer>
    <key>width</key><integer>10</integer><key>height</key><integer>11</integer><key>offsetX</key><real>0</real>
    <key>offsetY</key><real>0</real><key>originalWidth</key><integer>-12</integer><key>originalHeight</key><integer>13</integer></dict>)",
             "");
  writePng("s/one.png", 64, 64, 0xffffffff);
  writeSheet("s/one.plist", 1, R"(<key>o</key><dict><key>frame</key><string>{{3,4},{5,6}}</string>
    <key>offset</key><string>{0,0}</string><key>rotated</key><true/><key>sourceSize</key><string>{5,6}</string></dict>
    <key>z</key><dict><key>frame</key><string>{{0,0},{1,1}}</string><key>offset</key><string>{0,0}</string>
    <key>sourceSize</key><string>{1,1}</string></dict>)",
             "");
  writePng("s/three.png", 64, 64, 0xffffffff);
  writeSheet("s/three.plist", 3, R"(<key>t.png</key><dict><key>spriteSize</key><string>{7,8}</string>
    <key>textureRect</key><string>{{9,10},{99,99}}</string><key>spriteOffset</key><string>{1,-1}</string>
    <key>spriteSourceSize</key><string>{9,10}</string><key>textureRotated</key><false/>
    <key>aliases</key><array><string>alias-t</string></array></dict>)",
             "");
  CCSpriteFrameCache* fc = CCSpriteFrameCache::sharedSpriteFrameCache();
  fc->addSpriteFramesWithFile("s/zero.plist");
  fc->addSpriteFramesWithFile("s/one.plist");
  fc->addSpriteFramesWithFile("s/three.plist");
  ASSERT_NE(fc->findFrame("z"), nullptr);
  EXPECT_EQ(fc->findFrame("z")->getRect(), CCRect(1, 2, 10, 11));     // format 0, first wins
  EXPECT_EQ(fc->findFrame("z")->getOriginalSize(), CCSize(12, 13));   // absolute values
  EXPECT_FALSE(fc->findFrame("o")->isRotated());                      // format 1 ignores rotation
  EXPECT_EQ(fc->findFrame("t.png")->getRect(), CCRect(9, 10, 7, 8));  // size from spriteSize
  EXPECT_EQ(fc->findFrame("alias-t"), fc->findFrame("t.png"));
  EXPECT_EQ(fc->frameCount(), 3u);
  fc->removeSpriteFramesFromFile("s/one.plist");
  EXPECT_EQ(fc->findFrame("o"), nullptr);
  EXPECT_EQ(fc->frameCount(), 1u);  // "z" went with it: the sheet names it too

  // A sheet whose texture is missing adds nothing; a malformed one is logged.
  writeSheet("s/orphan.plist", 2, kRotatedFrame, "nowhere.png");
  fc->addSpriteFramesWithFile("s/orphan.plist");
  EXPECT_EQ(fc->findFrame("icon.png"), nullptr);
  writeFile("s/junk.plist", "<<<");
  writePng("s/junk.png", 4, 4, 0xffffffff);
  fc->addSpriteFramesWithFile("s/junk.plist");
  writeSheet("s/future.plist", 7, kRotatedFrame, "junk.png");
  fc->addSpriteFramesWithFile("s/future.plist");
  EXPECT_EQ(fc->findFrame("icon.png"), nullptr);
}

TEST_F(TextureTest, OneResolverForSpritesFrameThenBaseNameThenFile) {
  writePng("Table/bg1.png", 20, 10, 0xffffffff);
  writePng("OxBattle/chips.png", 32, 32, 0xffffffff);
  writeSheet("OxBattle/chips.plist", 2, R"(<key>chouma-01</key><dict><key>frame</key><string>{{0,0},{16,16}}</string>
    <key>offset</key><string>{0,0}</string><key>rotated</key><false/><key>sourceSize</key><string>{16,16}</string></dict>
    <key>deng_1.png</key><dict><key>frame</key><string>{{16,0},{8,8}}</string>
    <key>offset</key><string>{0,0}</string><key>rotated</key><false/><key>sourceSize</key><string>{8,8}</string></dict>)",
             "");
  CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("OxBattle/chips.plist");

  CCSprite* file = CCSprite::create("Table/bg1");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->getContentSize(), CCSize(20, 10));
  CCSprite* byBase = CCSprite::create("OxBattle/chouma-01");
  EXPECT_EQ(byBase->getContentSize(), CCSize(16, 16));
  CCSprite* byFull = CCSprite::createWithSpriteFrameName("deng_1.png");
  EXPECT_EQ(byFull->getTextureRect(), CCRect(16, 0, 8, 8));
  CCSprite* cut = CCSprite::create("Table/bg1", CCRect(0, 0, 5, 5));
  EXPECT_EQ(cut->getContentSize(), CCSize(5, 5));

  CCTextureCache* cache = CCTextureCache::sharedTextureCache();
  EXPECT_EQ(cache->getMissingPictureCount(), 0u);
  CCSprite* missing = CCSprite::create("Land/nothing");
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->isStandIn());
  EXPECT_GT(missing->getContentSize().width, 0);
  CCSprite::create("Land/nothing");
  CCSprite::createWithSpriteFrameName("Card-99");
  EXPECT_EQ(cache->getMissingPictureCount(), 2u);
  EXPECT_EQ(cache->getMissingPictures()[1], "Card-99");

  // Removal by the same names.
  EXPECT_NE(cache->textureForKey("Table/bg1"), nullptr);
  cache->removeTextureForKey("Table/bg1");
  EXPECT_EQ(cache->textureForKey("Table/bg1"), nullptr);
  EXPECT_EQ(file->getTexture()->getPixelsWide(), 20u);  // sprites keep theirs
}

TEST_F(TextureTest, LabelsMeasureTheirTextAndRenderOnlyOnChange) {
  CCLabelTTF* l = CCLabelTTF::create("12", "Arial", 20);
  float w2 = l->getContentSize().width;
  EXPECT_GT(w2, 5);
  EXPECT_GT(l->getContentSize().height, 15);
  l->setString("1234");
  EXPECT_GT(l->getContentSize().width, w2 * 1.5f);
  unsigned int renders = l->getRenderCount();
  l->setString("1234");
  l->setColor(ccc3(240, 252, 2));
  EXPECT_EQ(l->getRenderCount(), renders);

  CCLabelTTF* cjk = CCLabelTTF::create("总注", "simfang", 16);
  CCLabelTTF* one = CCLabelTTF::create("总", "STHeitiK-Light", 16);
  EXPECT_GT(cjk->getContentSize().width, one->getContentSize().width * 1.5f);

  CCLabelTTF* boxed =
      CCLabelTTF::create("无人坐庄", "", 16, CCSize(370, 30), kCCTextAlignmentRight, kCCVerticalTextAlignmentCenter);
  EXPECT_EQ(boxed->getContentSize(), CCSize(370, 30));
  CCLabelTTF* empty = CCLabelTTF::create("", "Arial", 16);
  EXPECT_EQ(empty->getContentSize().width, 0);
  empty->setString(" ");
  EXPECT_GT(empty->getContentSize().width, 0);
}

// A line of text takes a quicker renderer than wrapped text: its pixels must
// be those the wrapping renderer gives, at every alignment.
TEST_F(TextureTest, OneLineOfTextRendersAsTheWrappingRendererDoes) {
  const char* path = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
  if (access(path, R_OK) != 0) GTEST_SKIP() << "no CJK font";
  ASSERT_TRUE(kest::backend::fontUsable(path));
  const char* texts[] = {"玩家5 下注 1234", " lead", "trail  ", "a\tb", "j", "牌型：同花顺 gy", "  "};
  for (int size : {12, 16, 23}) {
    TTF_Font* f = TTF_OpenFont(path, size);
    ASSERT_NE(f, nullptr);
    for (int align = 0; align < 3; ++align)
      for (const char* text : texts) {
        SCOPED_TRACE(std::to_string(size) + " " + std::to_string(align) + " '" + text + "'");
        std::vector<uint8_t> got;
        int w = 0, h = 0;
        ASSERT_TRUE(kest::backend::renderText(path, size, text, 0, align, got, w, h));
        TTF_SetFontWrappedAlign(f, align);
        SDL_Surface* s = TTF_RenderUTF8_Blended_Wrapped(f, text, SDL_Color{255, 255, 255, 255}, 0);
        ASSERT_NE(s, nullptr);
        SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ABGR8888, 0);
        SDL_FreeSurface(s);
        ASSERT_NE(c, nullptr);
        ASSERT_EQ(w, c->w);
        ASSERT_EQ(h, c->h);
        int rowsDiffering = 0;
        for (int y = 0; y < h; ++y)
          rowsDiffering +=
              memcmp(&got[(size_t)y * w * 4], (const uint8_t*)c->pixels + (size_t)y * c->pitch, (size_t)w * 4) != 0;
        EXPECT_EQ(rowsDiffering, 0);
        SDL_FreeSurface(c);
      }
    TTF_CloseFont(f);
  }
  // Lines still break.
  std::vector<uint8_t> one, two;
  int w1 = 0, h1 = 0, w2 = 0, h2 = 0;
  ASSERT_TRUE(kest::backend::renderText(path, 16, "ab", 0, 0, one, w1, h1));
  ASSERT_TRUE(kest::backend::renderText(path, 16, "a\nb", 0, 0, two, w2, h2));
  EXPECT_GE(h2, h1 * 2 - 2);
  EXPECT_LT(w2, w1);
}

// Coloured pictures in the layout text renders to (32-bit with alpha, as
// such a BMP loads) and in another keep their channels.
TEST_F(TextureTest, PicturesKeepTheirChannelsWhateverTheirLayout) {
  for (bool alpha : {true, false}) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, 5, 3, 32, alpha ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const Uint32 v =
            SDL_MapRGBA(s->format, (Uint8)(10 + x), (Uint8)(100 + y), (Uint8)(200 + x + y), (Uint8)(x * 60));
        memcpy((uint8_t*)s->pixels + (size_t)y * s->pitch + (size_t)x * 4, &v, 4);
      }
    const std::string bmp = m_root + (alpha ? "/argb.bmp" : "/rgb.bmp");
    ASSERT_EQ(SDL_SaveBMP(s, bmp.c_str()), 0);
    SDL_FreeSurface(s);
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    ASSERT_TRUE(kest::backend::decodeFile(bmp, rgba, w, h));
    ASSERT_EQ(w, 5);
    ASSERT_EQ(h, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const uint8_t* p = &rgba[((size_t)y * 5 + x) * 4];
        EXPECT_EQ(p[0], 10 + x);
        EXPECT_EQ(p[1], 100 + y);
        EXPECT_EQ(p[2], 200 + x + y);
        EXPECT_EQ(p[3], alpha ? x * 60 : 255);
      }
  }
}

TEST_F(TextureTest, AtlasLabelsSkipCharactersOutsideTheirMap) {
  writePng("Land/theEnd/nember5.png", 190, 25, 0xffffffff);
  CCLabelAtlas* l = CCLabelAtlas::create(" ", "Land/theEnd/nember5", 19, 25, '0');
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->quadCount(), 0u);  // a space is below '0': nothing drawn
  EXPECT_EQ(l->getContentSize(), CCSize(19, 25));
  l->setString("12 3:");
  EXPECT_EQ(l->quadCount(), 3u);  // ':' is past the ten cells
  EXPECT_EQ(l->getContentSize(), CCSize(5 * 19, 25));
  EXPECT_STREQ(l->getString(), "12 3:");
}

TEST_F(TextureTest, HeadlessMessageBoxesAreRecorded) {
  CCMessageBoxClearHistory();
  CCMessageBox("游戏网络繁忙", "DATA ERROR");
  ASSERT_EQ(CCMessageBoxHistory().size(), 1u);
  EXPECT_EQ(CCMessageBoxHistory()[0].title, "DATA ERROR");
  EXPECT_EQ(CCMessageBoxHistory()[0].text, "游戏网络繁忙");
}
