#include "EngineFixture.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

USING_NS_CC;

static void makeDirs(const std::string& path) {
  std::string cur;
  for (size_t i = 0; i < path.size(); ++i) {
    cur += path[i];
    if (path[i] == '/' && i > 0) mkdir(cur.c_str(), 0755);
  }
  mkdir(path.c_str(), 0755);
}

void EngineTest::SetUp() {
  char tmpl[] = "/tmp/kest-engine-XXXXXX";
  const char* dir = mkdtemp(tmpl);
  ASSERT_NE(dir, nullptr);
  m_root = dir;
  makeDirs(m_root + "/res");
  makeDirs(m_root + "/user");
  setenv("KEST_USER_DIR", (m_root + "/user").c_str(), 1);
  CCDirector::setHeadless(true);
  CCFileUtils::sharedFileUtils()->setResourceRoot(m_root + "/res");
  CCFileUtils::sharedFileUtils()->removeAllPaths();
}

void EngineTest::TearDown() {
  CCDirector::sharedDirector()->reset();
  CCTextureCache::sharedTextureCache()->waitForAsync();
  CCSpriteFrameCache::purgeSharedSpriteFrameCache();
  CCTextureCache::purgeSharedTextureCache();
  CCAnimationCache::purgeSharedAnimationCache();
  CCNotificationCenter::purgeNotificationCenter();
  CCUserDefault::purgeSharedUserDefault();
  CCPoolManager::sharedPoolManager()->pop();
  std::string cmd = "rm -rf '" + m_root + "'";
  if (system(cmd.c_str()) != 0) fprintf(stderr, "cannot remove %s\n", m_root.c_str());
}

CCTexture2D* paintedTexture(int w, int h, const std::function<void(int x, int y, unsigned char* rgba)>& paint) {
  std::vector<unsigned char> px((size_t)w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) paint(x, y, &px[((size_t)y * w + x) * 4]);
  CCTexture2D* t = new CCTexture2D();
  t->initWithData(px.data(), (unsigned)w, (unsigned)h);
  t->autorelease();
  return t;
}

CCTexture2D* patternedTexture(int w, int h, unsigned char alpha, int seed) {
  return paintedTexture(w, h, [&](int x, int y, unsigned char* p) {
    p[0] = (unsigned char)(x * 37 + y * 11 + seed);
    p[1] = (unsigned char)((x ^ y) * 23 + seed * 3);
    p[2] = (unsigned char)(y * 53 + x + seed * 7);
    p[3] = alpha;
  });
}

CCScene* EngineTest::runScene() {
  CCScene* scene = CCScene::create();
  CCDirector::sharedDirector()->runWithScene(scene);
  step(1);
  return scene;
}

void EngineTest::writePng(const std::string& relPath, int w, int h, unsigned int rgba) {
  std::vector<unsigned char> px((size_t)w * h * 4);
  for (size_t i = 0; i < px.size(); i += 4) {
    px[i] = (unsigned char)(rgba >> 24);
    px[i + 1] = (unsigned char)(rgba >> 16);
    px[i + 2] = (unsigned char)(rgba >> 8);
    px[i + 3] = (unsigned char)rgba;
  }
  writePixels(relPath, px, w, h);
}

void EngineTest::writePixels(const std::string& relPath, const std::vector<unsigned char>& px, int w, int h) {
  std::string full = m_root + "/res/" + relPath;
  makeDirs(full.substr(0, full.rfind('/')));
  CCImage img;
  ASSERT_TRUE(img.initWithRawData(px.data(), w, h));
  ASSERT_TRUE(img.saveToFile(full.c_str()));
}

void EngineTest::writeFile(const std::string& relPath, const std::string& text) {
  std::string full = m_root + "/res/" + relPath;
  makeDirs(full.substr(0, full.rfind('/')));
  std::ofstream(full, std::ios::binary) << text;
}

bool EngineTest::shoot(CCImage& img) {
  std::string path = m_root + "/shot.png";
  return CCDirector::sharedDirector()->saveScreenshot(path) && img.initWithImageFile(path.c_str());
}

CCAnimation* EngineTest::frameStrip(const std::vector<float>& units, float delay, unsigned int loops) {
  CCTexture2D* tex = new CCTexture2D();
  std::vector<unsigned char> px(40 * 10 * 4, 255);
  tex->initWithData(px.data(), 40, 10);
  CCArray* frames = CCArray::create();
  for (size_t i = 0; i < units.size(); ++i) {
    CCAnimationFrame* f = new CCAnimationFrame();
    f->initWithSpriteFrame(CCSpriteFrame::createWithTexture(tex, CCRect(10.0f * i, 0, 10, 10)), units[i], nullptr);
    frames->addObject(f);
    f->release();
  }
  tex->release();
  return CCAnimation::create(frames, delay, loops);
}
