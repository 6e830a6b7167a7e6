// Frame benchmarks, headless at 1288 x 762, one iteration = one frame.
//
// BusyBoard: a full-screen background, 300 card and chip sprites from one
// sheet running move, rotate and fade actions, and 60 labels whose text
// changes every 10 frames (six a frame, staggered). Stress: 2,000 sprites
// moving and turning. "update" times the scheduler step (actions and label
// changes); "draw" times drawing and presenting the frame until the renderer
// has finished it.
//
// Counters of the draw runs: main_cpu_ms, the main thread's CPU time per
// frame (update, draw, present; the rasteriser's threads aside), of which
// update_cpu_ms in the scheduler step, and, where
// the kernel lets a process count its system calls (tracepoints readable,
// as root), heap_calls, the brk, mmap and munmap calls per frame of every
// thread.

#include <benchmark/benchmark.h>
#include <linux/perf_event.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
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

double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

// Counts the calls that grow and shrink the heap and the mappings, in this
// thread and every thread started after it (the rasteriser's): made before
// main, so before the renderer starts them.
class HeapCalls {
 public:
  HeapCalls() {
    for (const char* call : {"brk", "mmap", "munmap"}) {
      const long id = tracepointId(call);
      if (id < 0) break;
      perf_event_attr attr{};
      attr.type = PERF_TYPE_TRACEPOINT;
      attr.size = sizeof attr;
      attr.config = (unsigned long long)id;
      attr.inherit = 1;
      const int fd = (int)syscall(SYS_perf_event_open, &attr, 0, -1, -1, 0);
      if (fd < 0) break;
      m_fds.push_back(fd);
    }
    if (m_fds.size() != 3) {
      for (int fd : m_fds) close(fd);
      m_fds.clear();
    }
  }
  bool available() const { return !m_fds.empty(); }
  // Calls so far, those of threads that have ended included.
  long long count() const {
    long long sum = 0;
    for (int fd : m_fds) {
      long long n = 0;
      if (read(fd, &n, sizeof n) == (ssize_t)sizeof n) sum += n;
    }
    return sum;
  }

 private:
  static long tracepointId(const char* call) {
    for (const char* root : {"/sys/kernel/tracing", "/sys/kernel/debug/tracing"}) {
      std::ifstream f(std::string(root) + "/events/syscalls/sys_enter_" + call + "/id");
      long id = -1;
      if (f >> id) return id;
    }
    return -1;
  }
  std::vector<int> m_fds;
};

HeapCalls g_heapCalls;

void runFrames(benchmark::State& state, int sprites, bool board, bool measureDraw) {
  buildScene(sprites, board);
  CCDirector* d = CCDirector::sharedDirector();
  CCScheduler* s = d->getScheduler();
  double cpu = 0, updateCpu = 0;
  const long long callsBefore = g_heapCalls.count();
  for (auto _ : state) {
    const double c0 = threadCpuSeconds();
    auto t0 = Clock::now();
    s->update(1.0f / 60);
    auto t1 = Clock::now();
    updateCpu += threadCpuSeconds() - c0;
    d->drawScene();
    kest::backend::finish();
    auto t2 = Clock::now();
    CCPoolManager::sharedPoolManager()->pop();
    cpu += threadCpuSeconds() - c0;
    state.SetIterationTime(std::chrono::duration<double>(measureDraw ? t2 - t1 : t1 - t0).count());
  }
  if (measureDraw) {
    const double frames = (double)state.iterations();
    state.counters["main_cpu_ms"] = cpu * 1000 / frames;
    state.counters["update_cpu_ms"] = updateCpu * 1000 / frames;
    if (g_heapCalls.available()) state.counters["heap_calls"] = (double)(g_heapCalls.count() - callsBefore) / frames;
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
