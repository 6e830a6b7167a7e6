#include "CCTextureCache.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

#include "CCDictionary.h"
#include "CCDirector.h"
#include "CCFileUtils.h"
#include "CCScheduler.h"
#include "backend/Backend.h"

NS_CC_BEGIN

static CCTextureCache* s_sharedTextureCache = nullptr;

CCTextureCache* CCTextureCache::sharedTextureCache() {
  if (!s_sharedTextureCache) s_sharedTextureCache = new CCTextureCache();
  return s_sharedTextureCache;
}

void CCTextureCache::purgeSharedTextureCache() { CC_SAFE_RELEASE_NULL(s_sharedTextureCache); }

// --- async machinery --------------------------------------------------------

struct CCTextureCache::AsyncWork {
  struct Request {
    std::string path;
    CCObject* target = nullptr;
    SEL_CallFuncO selector = nullptr;
    std::vector<uint8_t> rgba;
    int width = 0;
    int height = 0;
    bool decode = false;  // false: cached already, or nothing to decode
    bool ok = false;
    bool done = false;
  };

  std::mutex mutex;
  std::condition_variable cv;
  std::deque<Request*> queue;    // for the worker
  std::deque<Request*> pending;  // every request, in order, until its callback
  bool stop = false;
  std::thread worker;

  void run() {
    for (;;) {
      Request* r = nullptr;
      {
        std::unique_lock<std::mutex> lock(mutex);
        cv.wait(lock, [&] { return stop || !queue.empty(); });
        if (stop) break;
        r = queue.front();
        queue.pop_front();
      }
      std::vector<uint8_t> rgba;
      int w = 0, h = 0;
      bool ok = kest::backend::decodeFile(r->path, rgba, w, h);
      {
        std::lock_guard<std::mutex> lock(mutex);
        r->rgba.swap(rgba);
        r->width = w;
        r->height = h;
        r->ok = ok;
        r->done = true;
      }
      cv.notify_all();
    }
    kest::backend::workerThreadExit();
  }

  ~AsyncWork() {
    {
      std::lock_guard<std::mutex> lock(mutex);
      stop = true;
    }
    cv.notify_all();
    if (worker.joinable()) worker.join();
    for (Request* r : pending) {
      CC_SAFE_RELEASE(r->target);
      delete r;
    }
  }
};

CCTextureCache::CCTextureCache() {}

CCTextureCache::~CCTextureCache() {
  CCDirector::sharedDirector()->getScheduler()->unscheduleAllForTarget(this);
  m_async.reset();
  setDecodeAhead(false);
  for (auto& kv : m_textures) kv.second->release();
  CC_SAFE_RELEASE(m_pStandIn);
}

static std::string extensionOf(const std::string& name) {
  size_t slash = name.rfind('/');
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
  std::string ext = name.substr(dot + 1);
  for (char& c : ext) c = (char)tolower((unsigned char)c);
  return ext;
}

std::string CCTextureCache::resolvePicturePath(const char* name) {
  std::string n(name ? name : "");
  for (char& c : n)
    if (c == '\\') c = '/';
  if (n.empty()) return n;
  std::string ext = extensionOf(n);
  if (ext == "plist") {
    // A sheet stands for its texture: metadata.textureFileName next to it, else the same name in .png.
    std::string tex;
    CCDictionary* d = CCDictionary::createWithContentsOfFileThreadSafe(n.c_str());
    if (CCDictionary* meta = dynamic_cast<CCDictionary*>(d->objectForKey(std::string("metadata")))) {
      std::string file = meta->valueForKey(std::string("textureFileName"))->getCString();
      if (!file.empty()) {
        size_t slash = n.rfind('/');
        tex = (slash == std::string::npos ? std::string() : n.substr(0, slash + 1)) + file;
      }
    }
    d->release();
    if (tex.empty()) tex = n.substr(0, n.rfind('.')) + ".png";
    n = tex;
  } else if (ext.empty()) {
    n += ".png";
  }
  return CCFileUtils::sharedFileUtils()->fullPathForFilename(n.c_str());
}

CCTexture2D* CCTextureCache::addImage(const char* fileimage) {
  if (!fileimage || !*fileimage) return nullptr;
  std::string path = resolvePicturePath(fileimage);
  auto it = m_textures.find(path);
  if (it != m_textures.end()) return it->second;
  CCTexture2D* tex = new CCTexture2D();
  // A PNG is decoded when first drawn; its header gives the size.
  int w = 0, h = 0;
  if (kest::backend::pictureSize(path, w, h) && tex->initWithFile(path, (unsigned int)w, (unsigned int)h)) {
    m_textures[path] = tex;
    tex->setSourceName(path);
    if (m_bDecodeAhead) {
      tex->decodeAhead();
      tex->retain();
      m_decodingAhead.push_back(tex);
    }
    return tex;
  }
  CCImage image;
  if (!image.initWithImageFile(path.c_str())) {
    static std::set<std::string> logged;
    if (logged.insert(path).second) CCLOG("CCTextureCache: cannot load picture %s", fileimage);
    tex->release();
    return nullptr;
  }
  if (!tex->initWithImage(&image)) {
    tex->release();
    return nullptr;
  }
  tex->setSourceName(path);
  m_textures[path] = tex;
  return tex;
}

void CCTextureCache::setDecodeAhead(bool on) {
  m_bDecodeAhead = on;
  if (on) return;
  for (CCTexture2D* tex : m_decodingAhead) {
    tex->dropDecodedAhead();
    tex->release();
  }
  m_decodingAhead.clear();
}

void CCTextureCache::addImageAsync(const char* path, CCObject* target, SEL_CallFuncO selector) {
  if (!m_async) m_async.reset(new AsyncWork());
  AsyncWork::Request* r = new AsyncWork::Request();
  r->path = resolvePicturePath(path ? path : "");
  r->target = target;
  r->selector = selector;
  CC_SAFE_RETAIN(target);
  bool exists = !r->path.empty() && CCFileUtils::sharedFileUtils()->isFileExist(r->path);
  // A PNG needs no worker: it is read when first drawn.
  int w = 0, h = 0;
  if (exists && m_textures.count(r->path) == 0 && kest::backend::pictureSize(r->path, w, h)) {
    CCTexture2D* tex = new CCTexture2D();
    if (tex->initWithFile(r->path, (unsigned int)w, (unsigned int)h)) {
      tex->setSourceName(r->path);
      m_textures[r->path] = tex;
    } else {
      tex->release();
    }
  }
  bool cached = m_textures.count(r->path) != 0;
  if (cached || !exists) {
    r->done = true;
    r->ok = cached;
  } else {
    r->decode = true;
  }
  {
    std::lock_guard<std::mutex> lock(m_async->mutex);
    m_async->pending.push_back(r);
    if (r->decode) m_async->queue.push_back(r);
  }
  if (r->decode) {
    if (!m_async->worker.joinable()) m_async->worker = std::thread([w = m_async.get()] { w->run(); });
    m_async->cv.notify_all();
  }
  CCScheduler* s = CCDirector::sharedDirector()->getScheduler();
  if (!s->isScheduledForTarget(schedule_selector(CCTextureCache::asyncTick), this))
    s->scheduleSelector(schedule_selector(CCTextureCache::asyncTick), this, 0, false);
}

unsigned int CCTextureCache::pendingAsyncCount() const {
  if (!m_async) return 0;
  std::lock_guard<std::mutex> lock(m_async->mutex);
  return (unsigned int)m_async->pending.size();
}

void CCTextureCache::asyncTick(float) { finishAsync(false); }

void CCTextureCache::waitForAsync() { finishAsync(true); }

void CCTextureCache::finishAsync(bool blocking) {
  if (!m_async) return;
  for (;;) {
    AsyncWork::Request* r = nullptr;
    {
      std::unique_lock<std::mutex> lock(m_async->mutex);
      if (m_async->pending.empty()) break;
      if (blocking) m_async->cv.wait(lock, [&] { return m_async->pending.front()->done; });
      if (!m_async->pending.front()->done) break;
      r = m_async->pending.front();
      m_async->pending.pop_front();
    }
    CCTexture2D* tex = nullptr;
    auto it = m_textures.find(r->path);
    if (it != m_textures.end()) {
      tex = it->second;
    } else if (r->ok) {
      tex = new CCTexture2D();
      if (tex->initWithData(r->rgba.data(), (unsigned int)r->width, (unsigned int)r->height)) {
        tex->setSourceName(r->path);
        m_textures[r->path] = tex;
      } else {
        tex->release();
        tex = nullptr;
      }
    }
    if (!tex) CCLOG("CCTextureCache: async load of %s failed", r->path.c_str());
    // Exactly one callback per request, with null on failure.
    if (r->target && r->selector) (r->target->*r->selector)(tex);
    CC_SAFE_RELEASE(r->target);
    delete r;
  }
  if (pendingAsyncCount() == 0)
    CCDirector::sharedDirector()->getScheduler()->unscheduleSelector(schedule_selector(CCTextureCache::asyncTick),
                                                                     this);
}

// --- cache ------------------------------------------------------------------

CCTexture2D* CCTextureCache::addUIImage(CCImage* image, const char* key) {
  if (!image) return nullptr;
  std::string k = key ? key : "";
  if (!k.empty()) {
    auto it = m_textures.find(k);
    if (it != m_textures.end()) return it->second;
  }
  CCTexture2D* tex = new CCTexture2D();
  if (!tex->initWithImage(image)) {
    tex->release();
    return nullptr;
  }
  if (k.empty()) {
    tex->autorelease();
  } else {
    tex->setSourceName(k);
    m_textures[k] = tex;
  }
  return tex;
}

CCTexture2D* CCTextureCache::textureForKey(const char* key) {
  if (!key) return nullptr;
  auto it = m_textures.find(key);
  if (it != m_textures.end()) return it->second;
  it = m_textures.find(resolvePicturePath(key));
  return it == m_textures.end() ? nullptr : it->second;
}

void CCTextureCache::removeAllTextures() {
  std::map<std::string, CCTexture2D*> old;
  old.swap(m_textures);
  for (auto& kv : old) kv.second->release();
}

void CCTextureCache::removeUnusedTextures() {
  for (auto it = m_textures.begin(); it != m_textures.end();) {
    if (it->second->retainCount() == 1) {
      it->second->release();
      it = m_textures.erase(it);
    } else {
      ++it;
    }
  }
}

void CCTextureCache::removeTexture(CCTexture2D* texture) {
  for (auto it = m_textures.begin(); it != m_textures.end(); ++it) {
    if (it->second == texture) {
      texture->release();
      m_textures.erase(it);
      return;
    }
  }
}

void CCTextureCache::removeTextureForKey(const char* key) {
  if (!key) return;
  auto it = m_textures.find(key);
  if (it == m_textures.end()) it = m_textures.find(resolvePicturePath(key));
  if (it == m_textures.end()) return;
  it->second->release();
  m_textures.erase(it);
}

void CCTextureCache::dumpCachedTextureInfo() {
  unsigned long bytes = 0;
  for (auto& kv : m_textures) bytes += (unsigned long)kv.second->getPixelsWide() * kv.second->getPixelsHigh() * 4;
  CCLOG("CCTextureCache: %u textures, %lu KB", textureCount(), bytes / 1024);
}

// --- stand-in ---------------------------------------------------------------

CCTexture2D* CCTextureCache::standInTexture() {
  if (m_pStandIn) return m_pStandIn;
  const int n = 48, edge = 3;
  std::vector<uint8_t> px((size_t)n * n * 4);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      uint8_t* p = &px[((size_t)y * n + x) * 4];
      bool border = x < edge || y < edge || x >= n - edge || y >= n - edge;
      bool cross = x == y || x == n - 1 - y;
      if (border || cross) {
        p[0] = 255;
        p[1] = 0;
        p[2] = 255;
        p[3] = 255;
      } else {
        p[0] = 40;
        p[1] = 40;
        p[2] = 40;
        p[3] = 160;
      }
    }
  }
  m_pStandIn = new CCTexture2D();
  m_pStandIn->initWithData(px.data(), n, n);
  m_pStandIn->setSourceName("(missing picture)");
  return m_pStandIn;
}

void CCTextureCache::noteMissingPicture(const char* name) {
  std::string n = name ? name : "";
  for (const std::string& m : m_missing)
    if (m == n) return;
  m_missing.push_back(n);
  CCLOG("missing picture: %s (drawn as a stand-in)", n.c_str());
}

NS_CC_END
