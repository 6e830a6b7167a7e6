// The engine's demo scene: a felt table, a fan of cards that deal and flip,
// chips that fly and fade, and labels that count.
//
//   enginedemo                      a window (needs a display)
//   enginedemo --headless --frames N --screenshot FILE

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cocos2d.h"

USING_NS_CC;

namespace {

// Stand-in art drawn in code: a white card with a coloured corner mark, a chip.
CCTexture2D* makeTexture(const char* key, int w, int h, unsigned int fill, unsigned int mark, bool round) {
  std::vector<unsigned char> px((size_t)w * h * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &px[((size_t)y * w + x) * 4];
      unsigned int c = fill;
      bool edge = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
      if (round) {
        float dx = x - w / 2.0f + 0.5f, dy = y - h / 2.0f + 0.5f, r = w / 2.0f;
        float d = std::sqrt(dx * dx + dy * dy);
        if (d > r)
          c = 0;
        else if (d > r - 4 || d < r / 3)
          c = mark;
      } else if (edge || (x > 6 && x < 20 && y > 6 && y < 26)) {
        c = mark;
      }
      p[0] = (unsigned char)(c >> 24);
      p[1] = (unsigned char)(c >> 16);
      p[2] = (unsigned char)(c >> 8);
      p[3] = (unsigned char)c;
    }
  }
  CCImage img;
  img.initWithRawData(px.data(), w, h);
  return CCTextureCache::sharedTextureCache()->addUIImage(&img, key);
}

class DemoLayer : public CCLayer {
 public:
  CREATE_FUNC(DemoLayer)

  bool init() override {
    if (!CCLayer::init()) return false;
    CCSize size = CCDirector::sharedDirector()->getVisibleSize();
    addChild(CCLayerColor::create(ccc4(18, 92, 54, 255)), -1);

    CCLabelTTF* title = CCLabelTTF::create("Kestrelium 引擎演示", "Arial", 36);
    title->setPosition(ccp(size.width / 2, size.height - 50));
    title->setColor(ccc3(250, 230, 120));
    addChild(title);

    m_counter = CCLabelTTF::create("第 0 秒", "Arial", 22);
    m_counter->setAnchorPoint(ccp(0, 0.5f));
    m_counter->setPosition(ccp(30, 30));
    addChild(m_counter);
    schedule(schedule_selector(DemoLayer::tick), 1.0f);

    // Cards deal out from the centre into a fan, then flip in turn.
    CCTexture2D* card = makeTexture("demo/card", 70, 96, 0xf8f8f0ff, 0xc02020ff, false);
    for (int i = 0; i < 9; ++i) {
      CCSprite* s = CCSprite::createWithTexture(card);
      s->setPosition(ccp(size.width / 2, size.height / 2));
      addChild(s, i);
      CCPoint to(size.width / 2 + (i - 4) * 60.0f, 190 + std::fabs(i - 4.0f) * -8.0f);
      s->runAction(CCSequence::create(
          CCDelayTime::create(0.1f * i),
          CCSpawn::create(CCEaseOut::create(CCMoveTo::create(0.4f, to), 2), CCRotateTo::create(0.4f, (i - 4) * 6.0f),
                          nullptr),
          CCDelayTime::create(0.5f),
          CCRepeatForever::create(CCSequence::create(CCScaleTo::create(0.2f, 0, 1), CCScaleTo::create(0.2f, 1, 1),
                                                     CCDelayTime::create(2.0f), nullptr)),
          nullptr));
    }

    // Chips fly to the pot and fade, again and again.
    CCTexture2D* chip = makeTexture("demo/chip", 48, 48, 0x2050d0ff, 0xf0f0f0ff, true);
    for (int i = 0; i < 6; ++i) {
      CCSprite* c = CCSprite::createWithTexture(chip);
      CCPoint from(140.0f + i * 190.0f, 420);
      c->setPosition(from);
      addChild(c, 20);
      c->runAction(CCRepeatForever::create(
          CCSequence::create(CCDelayTime::create(0.3f * i), CCPlace::create(from), CCFadeIn::create(0.2f),
                             CCSpawn::create(CCEaseBackInOut::create(CCMoveTo::create(0.8f, ccp(size.width / 2, 520))),
                                             CCRotateBy::create(0.8f, 360), nullptr),
                             CCFadeOut::create(0.4f), CCDelayTime::create(1.8f - 0.3f * i), nullptr)));
    }

    CCLabelTTF* pot = CCLabelTTF::create("总注 12000", "Arial", 26, CCSize(300, 40), kCCTextAlignmentCenter,
                                         kCCVerticalTextAlignmentCenter);
    pot->setPosition(ccp(size.width / 2, 580));
    pot->runAction(CCRepeatForever::create(
        CCSequence::create(CCTintTo::create(1.0f, 255, 210, 60), CCTintTo::create(1.0f, 255, 255, 255), nullptr)));
    addChild(pot);
    return true;
  }

  void tick(float) {
    ++m_seconds;
    char buf[64];
    snprintf(buf, sizeof buf, "第 %d 秒", m_seconds);
    m_counter->setString(buf);
  }

 private:
  CCLabelTTF* m_counter = nullptr;
  int m_seconds = 0;
};

CCScene* demoScene() {
  CCScene* scene = CCScene::create();
  scene->addChild(DemoLayer::create());
  return scene;
}

class DemoApp : public CCApplication {
 public:
  bool applicationDidFinishLaunching() override {
    CCDirector::sharedDirector()->runWithScene(demoScene());
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  bool headless = false;
  int frames = 180;
  std::string shot;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--headless") == 0)
      headless = true;
    else if (strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
      frames = atoi(argv[++i]);
    else if (strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
      shot = argv[++i];
    else {
      fprintf(stderr, "usage: %s [--headless] [--frames N] [--screenshot FILE]\n", argv[0]);
      return 2;
    }
  }
  if (headless) {
    CCDirector::setHeadless(true);
    CCDirector* d = CCDirector::sharedDirector();
    d->runWithScene(demoScene());
    d->stepFrames(frames);
    if (!shot.empty()) {
      if (!d->saveScreenshot(shot)) return 1;
      printf("%s\n", shot.c_str());
    }
    d->reset();
    return 0;
  }
  DemoApp app;
  return app.run();
}
