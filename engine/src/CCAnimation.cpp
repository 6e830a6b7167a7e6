#include "CCAnimation.h"

#include "CCSpriteFrame.h"
#include "CCSpriteFrameCache.h"
#include "CCTextureCache.h"

NS_CC_BEGIN

CCAnimationFrame::~CCAnimationFrame() {
  CC_SAFE_RELEASE(m_pSpriteFrame);
  CC_SAFE_RELEASE(m_pUserInfo);
}

bool CCAnimationFrame::initWithSpriteFrame(CCSpriteFrame* spriteFrame, float delayUnits, CCDictionary* userInfo) {
  setSpriteFrame(spriteFrame);
  m_fDelayUnits = delayUnits;
  CC_SAFE_RETAIN(userInfo);
  CC_SAFE_RELEASE(m_pUserInfo);
  m_pUserInfo = userInfo;
  return true;
}

void CCAnimationFrame::setSpriteFrame(CCSpriteFrame* frame) {
  CC_SAFE_RETAIN(frame);
  CC_SAFE_RELEASE(m_pSpriteFrame);
  m_pSpriteFrame = frame;
}

CCObject* CCAnimationFrame::copyWithZone(CCZone*) {
  CCAnimationFrame* f = new CCAnimationFrame();
  f->initWithSpriteFrame(m_pSpriteFrame, m_fDelayUnits, m_pUserInfo);
  return f;
}

CCAnimation::~CCAnimation() { CC_SAFE_RELEASE(m_pFrames); }

CCAnimation* CCAnimation::create() {
  CCAnimation* a = new CCAnimation();
  a->init();
  a->autorelease();
  return a;
}

CCAnimation* CCAnimation::createWithSpriteFrames(CCArray* frames, float delay) {
  CCAnimation* a = new CCAnimation();
  a->initWithSpriteFrames(frames, delay);
  a->autorelease();
  return a;
}

CCAnimation* CCAnimation::create(CCArray* frames, float delayPerUnit, unsigned int loops) {
  CCAnimation* a = new CCAnimation();
  a->initWithAnimationFrames(frames, delayPerUnit, loops);
  a->autorelease();
  return a;
}

bool CCAnimation::init() { return initWithSpriteFrames(nullptr, 0); }

bool CCAnimation::initWithSpriteFrames(CCArray* pFrames, float delay) {
  m_uLoops = 1;
  m_fDelayPerUnit = delay;
  CCArray* arr = CCArray::create();
  setFrames(arr);
  CCObject* o;
  CCARRAY_FOREACH(pFrames, o) {
    CCSpriteFrame* sf = dynamic_cast<CCSpriteFrame*>(o);
    if (!sf) continue;
    CCAnimationFrame* f = new CCAnimationFrame();
    f->initWithSpriteFrame(sf, 1, nullptr);
    m_pFrames->addObject(f);
    f->release();
    m_fTotalDelayUnits += 1;
  }
  return true;
}

bool CCAnimation::initWithAnimationFrames(CCArray* frames, float delayPerUnit, unsigned int loops) {
  m_fDelayPerUnit = delayPerUnit;
  m_uLoops = loops;
  setFrames(CCArray::createWithArray(frames));
  return true;
}

void CCAnimation::setFrames(CCArray* frames) {
  CC_SAFE_RETAIN(frames);
  CC_SAFE_RELEASE(m_pFrames);
  m_pFrames = frames;
  m_fTotalDelayUnits = 0;
  CCObject* o;
  CCARRAY_FOREACH(m_pFrames, o) {
    if (CCAnimationFrame* f = dynamic_cast<CCAnimationFrame*>(o)) m_fTotalDelayUnits += f->getDelayUnits();
  }
}

void CCAnimation::addSpriteFrame(CCSpriteFrame* pFrame) {
  if (!pFrame) return;
  CCAnimationFrame* f = new CCAnimationFrame();
  f->initWithSpriteFrame(pFrame, 1, nullptr);
  m_pFrames->addObject(f);
  f->release();
  m_fTotalDelayUnits += 1;
}

void CCAnimation::addSpriteFrameWithFileName(const char* pszFileName) {
  CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage(pszFileName);
  if (!tex) return;
  addSpriteFrame(
      CCSpriteFrame::createWithTexture(tex, CCRect(0, 0, (float)tex->getPixelsWide(), (float)tex->getPixelsHigh())));
}

void CCAnimation::addSpriteFrameWithTexture(CCTexture2D* pobTexture, const CCRect& rect) {
  if (pobTexture) addSpriteFrame(CCSpriteFrame::createWithTexture(pobTexture, rect));
}

float CCAnimation::getDuration() { return m_fTotalDelayUnits * m_fDelayPerUnit; }

CCObject* CCAnimation::copyWithZone(CCZone*) {
  CCAnimation* a = new CCAnimation();
  a->initWithAnimationFrames(m_pFrames, m_fDelayPerUnit, m_uLoops);
  a->setRestoreOriginalFrame(m_bRestoreOriginalFrame);
  return a;
}

static CCAnimationCache* s_animationCache = nullptr;

CCAnimationCache::~CCAnimationCache() {
  for (auto& kv : m_animations) kv.second->release();
}

CCAnimationCache* CCAnimationCache::sharedAnimationCache() {
  if (!s_animationCache) s_animationCache = new CCAnimationCache();
  return s_animationCache;
}

void CCAnimationCache::purgeSharedAnimationCache() { CC_SAFE_RELEASE_NULL(s_animationCache); }

void CCAnimationCache::addAnimation(CCAnimation* animation, const char* name) {
  if (!animation || !name) return;
  animation->retain();
  auto it = m_animations.find(name);
  if (it != m_animations.end()) {
    it->second->release();
    it->second = animation;
  } else {
    m_animations[name] = animation;
  }
}

void CCAnimationCache::removeAnimationByName(const char* name) {
  if (!name) return;
  auto it = m_animations.find(name);
  if (it == m_animations.end()) return;
  it->second->release();
  m_animations.erase(it);
}

CCAnimation* CCAnimationCache::animationByName(const char* name) {
  if (!name) return nullptr;
  auto it = m_animations.find(name);
  return it == m_animations.end() ? nullptr : it->second;
}

NS_CC_END
