#ifndef KEST_CC_ANIMATION_H
#define KEST_CC_ANIMATION_H

// Frame animations: each frame lasts delayUnits x delayPerUnit seconds.

#include <map>
#include <string>

#include "CCArray.h"
#include "CCDictionary.h"
#include "CCGeometry.h"

NS_CC_BEGIN

class CCSpriteFrame;

class CCAnimationFrame : public CCObject {
 public:
  ~CCAnimationFrame() override;
  bool initWithSpriteFrame(CCSpriteFrame* spriteFrame, float delayUnits, CCDictionary* userInfo);
  CCSpriteFrame* getSpriteFrame() { return m_pSpriteFrame; }
  void setSpriteFrame(CCSpriteFrame* frame);
  float getDelayUnits() { return m_fDelayUnits; }
  void setDelayUnits(float units) { m_fDelayUnits = units; }
  CCDictionary* getUserInfo() { return m_pUserInfo; }
  CCObject* copyWithZone(CCZone*) override;

 private:
  CCSpriteFrame* m_pSpriteFrame = nullptr;
  float m_fDelayUnits = 1;
  CCDictionary* m_pUserInfo = nullptr;
};

class CCAnimation : public CCObject {
 public:
  ~CCAnimation() override;
  static CCAnimation* create();
  // An array of CCSpriteFrame, each lasting `delay` seconds.
  static CCAnimation* createWithSpriteFrames(CCArray* arrayOfSpriteFrameNames, float delay = 0.0f);
  // An array of CCAnimationFrame.
  static CCAnimation* create(CCArray* arrayOfAnimationFrameNames, float delayPerUnit, unsigned int loops = 1);
  bool init();
  bool initWithSpriteFrames(CCArray* pFrames, float delay);
  bool initWithAnimationFrames(CCArray* arrayOfAnimationFrames, float delayPerUnit, unsigned int loops);

  void addSpriteFrame(CCSpriteFrame* pFrame);
  void addSpriteFrameWithFileName(const char* pszFileName);
  void addSpriteFrameWithTexture(class CCTexture2D* pobTexture, const CCRect& rect);

  float getDuration();
  float getTotalDelayUnits() { return m_fTotalDelayUnits; }
  float getDelayPerUnit() { return m_fDelayPerUnit; }
  void setDelayPerUnit(float d) { m_fDelayPerUnit = d; }
  CCArray* getFrames() { return m_pFrames; }
  void setFrames(CCArray* frames);
  bool getRestoreOriginalFrame() { return m_bRestoreOriginalFrame; }
  void setRestoreOriginalFrame(bool b) { m_bRestoreOriginalFrame = b; }
  unsigned int getLoops() { return m_uLoops; }
  void setLoops(unsigned int loops) { m_uLoops = loops; }
  CCObject* copyWithZone(CCZone*) override;

 private:
  float m_fTotalDelayUnits = 0;
  float m_fDelayPerUnit = 0;
  CCArray* m_pFrames = nullptr;
  bool m_bRestoreOriginalFrame = false;
  unsigned int m_uLoops = 1;
};

class CCAnimationCache : public CCObject {
 public:
  ~CCAnimationCache() override;
  static CCAnimationCache* sharedAnimationCache();
  static void purgeSharedAnimationCache();
  void addAnimation(CCAnimation* animation, const char* name);
  void removeAnimationByName(const char* name);
  CCAnimation* animationByName(const char* name);

 private:
  std::map<std::string, CCAnimation*> m_animations;
};

NS_CC_END

#endif
