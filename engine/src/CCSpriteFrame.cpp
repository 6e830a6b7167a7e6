#include "CCSpriteFrame.h"

#include <cmath>

#include "CCDictionary.h"
#include "CCSpriteFrameCache.h"
#include "CCTextureCache.h"

NS_CC_BEGIN

// --- CCSpriteFrame ----------------------------------------------------------

CCSpriteFrame::~CCSpriteFrame() { CC_SAFE_RELEASE(m_pobTexture); }

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect) {
  CCSpriteFrame* f = new CCSpriteFrame();
  f->initWithTextureFilename(filename, rect);
  f->autorelease();
  return f;
}

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                     const CCSize& originalSize) {
  CCSpriteFrame* f = new CCSpriteFrame();
  f->initWithTextureFilename(filename, rect, rotated, offset, originalSize);
  f->autorelease();
  return f;
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* tex, const CCRect& rect) {
  CCSpriteFrame* f = new CCSpriteFrame();
  f->initWithTexture(tex, rect);
  f->autorelease();
  return f;
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* tex, const CCRect& rect, bool rotated,
                                                const CCPoint& offset, const CCSize& originalSize) {
  CCSpriteFrame* f = new CCSpriteFrame();
  f->initWithTexture(tex, rect, rotated, offset, originalSize);
  f->autorelease();
  return f;
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* tex, const CCRect& rect) {
  return initWithTexture(tex, rect, false, CCPointZero, rect.size);
}

bool CCSpriteFrame::initWithTextureFilename(const char* filename, const CCRect& rect) {
  return initWithTextureFilename(filename, rect, false, CCPointZero, rect.size);
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* tex, const CCRect& rect, bool rotated, const CCPoint& offset,
                                    const CCSize& originalSize) {
  setTexture(tex);
  m_obRectInPixels = m_obRect = rect;
  m_obOffsetInPixels = m_obOffset = offset;
  m_obOriginalSizeInPixels = m_obOriginalSize = originalSize;
  m_bRotated = rotated;
  return true;
}

bool CCSpriteFrame::initWithTextureFilename(const char* filename, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize) {
  m_strTextureFilename = filename ? filename : "";
  return initWithTexture(nullptr, rect, rotated, offset, originalSize);
}

CCTexture2D* CCSpriteFrame::getTexture() {
  if (!m_pobTexture && !m_strTextureFilename.empty())
    setTexture(CCTextureCache::sharedTextureCache()->addImage(m_strTextureFilename.c_str()));
  return m_pobTexture;
}

void CCSpriteFrame::setTexture(CCTexture2D* tex) {
  if (tex == m_pobTexture) return;
  CC_SAFE_RETAIN(tex);
  CC_SAFE_RELEASE(m_pobTexture);
  m_pobTexture = tex;
}

CCObject* CCSpriteFrame::copyWithZone(CCZone*) {
  CCSpriteFrame* f = new CCSpriteFrame();
  f->m_strTextureFilename = m_strTextureFilename;
  f->initWithTexture(m_pobTexture, m_obRectInPixels, m_bRotated, m_obOffsetInPixels, m_obOriginalSizeInPixels);
  return f;
}

// --- CCSpriteFrameCache -----------------------------------------------------

static CCSpriteFrameCache* s_frameCache = nullptr;

CCSpriteFrameCache* CCSpriteFrameCache::sharedSpriteFrameCache() {
  if (!s_frameCache) s_frameCache = new CCSpriteFrameCache();
  return s_frameCache;
}

void CCSpriteFrameCache::purgeSharedSpriteFrameCache() { CC_SAFE_RELEASE_NULL(s_frameCache); }

CCSpriteFrameCache::~CCSpriteFrameCache() { removeSpriteFrames(); }

static float num(CCDictionary* d, const char* key) { return d->valueForKey(std::string(key))->floatValue(); }
static const char* str(CCDictionary* d, const char* key) { return d->valueForKey(std::string(key))->getCString(); }

void CCSpriteFrameCache::addSpriteFramesWithDictionary(CCDictionary* dict, CCTexture2D* texture) {
  if (!dict || !texture) return;
  CCDictionary* frames = dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("frames")));
  CCDictionary* meta = dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("metadata")));
  int format = meta ? meta->valueForKey(std::string("format"))->intValue() : 0;
  if (!frames) {
    CCLOG("CCSpriteFrameCache: sheet without frames");
    return;
  }
  if (format < 0 || format > 3) {
    CCLOG("CCSpriteFrameCache: sheet format %d not supported", format);
    return;
  }
  CCDictElement* el;
  CCDICT_FOREACH(frames, el) {
    CCDictionary* fd = dynamic_cast<CCDictionary*>(el->getObject());
    std::string name = el->getStrKey();
    if (!fd || m_frames.count(name)) continue;  // the first frame of a name wins
    CCRect rect;
    CCPoint offset;
    CCSize source;
    bool rotated = false;
    if (format == 0) {
      rect = CCRect(num(fd, "x"), num(fd, "y"), num(fd, "width"), num(fd, "height"));
      offset = CCPoint(num(fd, "offsetX"), num(fd, "offsetY"));
      source = CCSize(fabsf(num(fd, "originalWidth")), fabsf(num(fd, "originalHeight")));
      if (source.width == 0 || source.height == 0)
        CCLOG("CCSpriteFrameCache: frame %s has no original size", name.c_str());
    } else if (format == 1 || format == 2) {
      rect = CCRectFromString(str(fd, "frame"));
      offset = CCPointFromString(str(fd, "offset"));
      source = CCSizeFromString(str(fd, "sourceSize"));
      if (format == 2) rotated = fd->valueForKey(std::string("rotated"))->boolValue();
    } else {
      CCSize size = CCSizeFromString(str(fd, "spriteSize"));
      CCRect tr = CCRectFromString(str(fd, "textureRect"));
      rect = CCRect(tr.origin.x, tr.origin.y, size.width, size.height);
      offset = CCPointFromString(str(fd, "spriteOffset"));
      source = CCSizeFromString(str(fd, "spriteSourceSize"));
      rotated = fd->valueForKey(std::string("textureRotated"))->boolValue();
      CCArray* aliases = dynamic_cast<CCArray*>(fd->objectForKey(std::string("aliases")));
      CCObject* o;
      CCARRAY_FOREACH(aliases, o) {
        if (CCString* a = dynamic_cast<CCString*>(o)) {
          if (m_aliases.count(a->m_sString)) CCLOG("CCSpriteFrameCache: alias %s already present", a->getCString());
          m_aliases[a->m_sString] = name;
        }
      }
    }
    CCSpriteFrame* f = new CCSpriteFrame();
    f->initWithTexture(texture, rect, rotated, offset, source);
    m_frames[name] = f;
  }
}

static std::string texturePathFor(const std::string& plist, CCDictionary* dict) {
  CCDictionary* meta = dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("metadata")));
  std::string file = meta ? meta->valueForKey(std::string("textureFileName"))->getCString() : "";
  if (!file.empty()) {
    size_t slash = plist.rfind('/');
    return (slash == std::string::npos ? std::string() : plist.substr(0, slash + 1)) + file;
  }
  size_t dot = plist.rfind('.');
  return (dot == std::string::npos ? plist : plist.substr(0, dot)) + ".png";
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* pszPlist) {
  if (!pszPlist || m_loadedFiles.count(pszPlist)) return;
  CCDictionary* dict = CCDictionary::createWithContentsOfFileThreadSafe(pszPlist);
  std::string texPath = texturePathFor(pszPlist, dict);
  CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage(texPath.c_str());
  if (tex) {
    addSpriteFramesWithDictionary(dict, tex);
    m_loadedFiles.insert(pszPlist);
  } else {
    CCLOG("CCSpriteFrameCache: no texture for %s", pszPlist);
  }
  dict->release();
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, const char* textureFileName) {
  if (!plist || !textureFileName) return;
  CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage(textureFileName);
  if (!tex) {
    CCLOG("CCSpriteFrameCache: no texture %s for %s", textureFileName, plist);
    return;
  }
  addSpriteFramesWithFile(plist, tex);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* pszPlist, CCTexture2D* tex) {
  if (!pszPlist || !tex || m_loadedFiles.count(pszPlist)) return;
  CCDictionary* dict = CCDictionary::createWithContentsOfFileThreadSafe(pszPlist);
  addSpriteFramesWithDictionary(dict, tex);
  m_loadedFiles.insert(pszPlist);
  dict->release();
}

void CCSpriteFrameCache::addSpriteFrame(CCSpriteFrame* frame, const char* name) {
  if (!frame || !name) return;
  frame->retain();
  auto it = m_frames.find(name);
  if (it != m_frames.end()) {
    it->second->release();
    it->second = frame;
  } else {
    m_frames[name] = frame;
  }
}

void CCSpriteFrameCache::removeSpriteFrames() {
  for (auto& kv : m_frames) kv.second->release();
  m_frames.clear();
  m_aliases.clear();
  m_loadedFiles.clear();
}

void CCSpriteFrameCache::removeUnusedSpriteFrames() {
  bool removed = false;
  for (auto it = m_frames.begin(); it != m_frames.end();) {
    if (it->second->retainCount() == 1) {
      it->second->release();
      it = m_frames.erase(it);
      removed = true;
    } else {
      ++it;
    }
  }
  if (removed) m_loadedFiles.clear();
}

void CCSpriteFrameCache::removeSpriteFrameByName(const char* name) {
  if (!name) return;
  std::string key = name;
  auto alias = m_aliases.find(key);
  if (alias != m_aliases.end()) {
    key = alias->second;
    m_aliases.erase(alias);
  }
  auto it = m_frames.find(key);
  if (it == m_frames.end()) return;
  it->second->release();
  m_frames.erase(it);
  m_loadedFiles.clear();
}

void CCSpriteFrameCache::removeSpriteFramesFromFile(const char* plist) {
  if (!plist) return;
  CCDictionary* dict = CCDictionary::createWithContentsOfFileThreadSafe(plist);
  removeSpriteFramesFromDictionary(dict);
  dict->release();
  m_loadedFiles.erase(plist);
}

void CCSpriteFrameCache::removeSpriteFramesFromDictionary(CCDictionary* dict) {
  CCDictionary* frames = dict ? dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("frames"))) : nullptr;
  CCDictElement* el;
  CCDICT_FOREACH(frames, el) {
    auto it = m_frames.find(el->getStrKey());
    if (it == m_frames.end()) continue;
    it->second->release();
    m_frames.erase(it);
  }
}

void CCSpriteFrameCache::removeSpriteFramesFromTexture(CCTexture2D* texture) {
  for (auto it = m_frames.begin(); it != m_frames.end();) {
    if (it->second->getTexture() == texture) {
      it->second->release();
      it = m_frames.erase(it);
    } else {
      ++it;
    }
  }
}

CCSpriteFrame* CCSpriteFrameCache::findFrame(const char* name) {
  if (!name) return nullptr;
  auto it = m_frames.find(name);
  if (it != m_frames.end()) return it->second;
  auto alias = m_aliases.find(name);
  if (alias == m_aliases.end()) return nullptr;
  it = m_frames.find(alias->second);
  return it == m_frames.end() ? nullptr : it->second;
}

CCSpriteFrame* CCSpriteFrameCache::spriteFrameByName(const char* name) {
  CCSpriteFrame* f = findFrame(name);
  if (!f) CCLOG("CCSpriteFrameCache: frame '%s' not found", name ? name : "");
  return f;
}

// --- the picture resolver ---------------------------------------------------

CCSpriteFrame* CCResolvePicture(const char* name, bool useStandIn) {
  CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
  std::string n(name ? name : "");
  for (char& c : n)
    if (c == '\\') c = '/';
  if (!n.empty()) {
    if (CCSpriteFrame* f = frames->findFrame(n.c_str())) return f;
    size_t slash = n.rfind('/');
    if (slash != std::string::npos) {
      if (CCSpriteFrame* f = frames->findFrame(n.c_str() + slash + 1)) return f;
    }
    if (CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage(n.c_str())) {
      CCRect r(0, 0, (float)tex->getPixelsWide(), (float)tex->getPixelsHigh());
      return CCSpriteFrame::createWithTexture(tex, r);
    }
  }
  if (!useStandIn) return nullptr;
  CCTextureCache* cache = CCTextureCache::sharedTextureCache();
  cache->noteMissingPicture(n.c_str());
  CCTexture2D* standIn = cache->standInTexture();
  CCRect r(0, 0, (float)standIn->getPixelsWide(), (float)standIn->getPixelsHigh());
  return CCSpriteFrame::createWithTexture(standIn, r);
}

NS_CC_END
