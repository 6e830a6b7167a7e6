// Frame benchmarks, headless at 1288 x 762, one iteration = one frame.
//
// BusyBoard: a full-screen background, 300 card and chip sprites from one
// sheet running move, rotate and fade actions, and 60 labels whose text
// changes every 10 frames (six a frame, staggered). Stress: 2,000 sprites
// moving and turning. "update" times the scheduler step (actions and label
// changes); "draw" times drawing and presenting the frame until the renderer
// has finished it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "cocos2d.h"
#include "engine/backend/Backend.h"

USING_NS_CC;

namespace {

CCTexture2D* solidTexture(const char* key, int w, int h, unsigned int seed) {
  std::vector<unsigned char> px((size_t)w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &px[((size_t)y * w + x) * 4];
      p[0] = (unsigned char)(x * 3 + seed);
      p[1] = (unsigned char)(y * 5 + seed * 7);
      p[2] = (unsigned char)((x ^ y) + seed * 13);
      p[3] = 255;
    }
  CCImage img;
  img.initWithRawData(px.data(), w, h);
  return CCTextureCache::sharedTextureCache()->addUIImage(&img, key);
}

class LabelTicker : public CCNode {
 public:
  std::vector<CCLabelTTF*> labels;
  unsigned int frame = 0;
  void tick(float) {
    ++frame;
    char buf[64];
    for (size_t i = frame % 10; i < labels.size(); i += 10) {
      snprintf(buf, sizeof buf, "玩家%zu 下注 %u", i, frame * 10 + (unsigned int)i);
      labels[i]->setString(buf);
    }
  }
};

CCScene* buildScene(int sprites, bool board) {
  CCDirector::setHeadless(true);
  CCDirector* d = CCDirector::sharedDirector();
  d->reset();
  CCScene* scene = CCScene::create();
  CCSize size = d->getWinSize();
  // One sheet: cards and chips as frames of a single texture.
  CCTexture2D* sheet = solidTexture("bench/sheet", 1024, 512, 11);
  std::vector<CCSpriteFrame*> frames;
  for (int i = 0; i < 20; ++i)
    frames.push_back(CCSpriteFrame::createWithTexture(sheet, CCRect((i % 10) * 72.0f, (i / 10) * 100.0f, 70, 96)));
  for (int i = 0; i < 10; ++i)
    frames.push_back(CCSpriteFrame::createWithTexture(sheet, CCRect(i * 50.0f, 300, 48, 48)));
  if (board) {
    CCSprite* bg = CCSprite::createWithTexture(solidTexture("bench/bg", 1288, 762, 3));
    bg->setAnchorPoint(ccp(0, 0));
    scene->addChild(bg, -1);
  }
  for (int i = 0; i < sprites; ++i) {
    CCSprite* s = CCSprite::createWithSpriteFrame(frames[(size_t)i % frames.size()]);
    CCPoint a((float)((i * 37) % (int)size.width), (float)((i * 53) % (int)size.height));
    CCPoint b((float)((i * 71 + 300) % (int)size.width), (float)((i * 29 + 200) % (int)size.height));
    s->setPosition(a);
    scene->addChild(s, i % 7);
    float t = 1.0f + (i % 5) * 0.3f;
    s->runAction(CCRepeatForever::create(CCSequence::create(CCMoveTo::create(t, b), CCMoveTo::create(t, a), nullptr)));
    s->runAction(CCRepeatForever::create(CCRotateBy::create(2.0f, 360)));
    if (i % 3 == 0)
      s->runAction(CCRepeatForever::create(
          CCSequence::create(CCFadeTo::create(0.7f, 80), CCFadeTo::create(0.7f, 255), nullptr)));
  }
  if (board) {
    LabelTicker* ticker = new LabelTicker();
    ticker->autorelease();
    for (int i = 0; i < 60; ++i) {
      CCLabelTTF* l = CCLabelTTF::create("玩家 0", "Arial", 16);
      l->setPosition(ccp(80.0f + (i % 6) * 200, 60.0f + (i / 6) * 70));
      scene->addChild(l, 100);
      ticker->labels.push_back(l);
    }
    scene->addChild(ticker);
    ticker->schedule(schedule_selector(LabelTicker::tick), 0.0f);
  }
  d->runWithScene(scene);
  d->stepFrames(30);  // settle: textures made, actions under way
  return scene;
}

using Clock = std::chrono::steady_clock;

void runFrames(benchmark::State& state, int sprites, bool board, bool measureDraw) {
  buildScene(sprites, board);
  CCDirector* d = CCDirector::sharedDirector();
  CCScheduler* s = d->getScheduler();
  for (auto _ : state) {
    auto t0 = Clock::now();
    s->update(1.0f / 60);
    auto t1 = Clock::now();
    d->drawScene();
    kest::backend::finish();
    auto t2 = Clock::now();
    CCPoolManager::sharedPoolManager()->pop();
    state.SetIterationTime(std::chrono::duration<double>(measureDraw ? t2 - t1 : t1 - t0).count());
  }
  state.SetLabel(kest::backend::rendererName());
  d->reset();
}

void BM_BusyBoardUpdate(benchmark::State& st) { runFrames(st, 300, true, false); }
void BM_BusyBoardDraw(benchmark::State& st) { runFrames(st, 300, true, true); }
void BM_Stress2000Update(benchmark::State& st) { runFrames(st, 2000, false, false); }
void BM_Stress2000Draw(benchmark::State& st) { runFrames(st, 2000, false, true); }

}  // namespace

BENCHMARK(BM_BusyBoardUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BusyBoardDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Stress2000Update)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Stress2000Draw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
