#ifndef KEST_CC_SPRITE_H
#define KEST_CC_SPRITE_H

// A textured quad. Retains its texture. Pictures are found by CCResolvePicture
// (frame by name, by base name, then the file); a missing picture shows the
// stand-in box instead of failing.

#include "CCNode.h"
#include "CCSpriteFrame.h"

NS_CC_BEGIN

class CCSprite : public CCNodeRGBA, public CCTextureProtocol {
 public:
  CCSprite();
  ~CCSprite() override;

  static CCSprite* create();
  static CCSprite* create(const char* pszFileName);
  static CCSprite* create(const char* pszFileName, const CCRect& rect);
  static CCSprite* createWithTexture(CCTexture2D* pTexture);
  static CCSprite* createWithTexture(CCTexture2D* pTexture, const CCRect& rect);
  static CCSprite* createWithSpriteFrame(CCSpriteFrame* pSpriteFrame);
  static CCSprite* createWithSpriteFrameName(const char* pszSpriteFrameName);

  bool init() override;
  virtual bool initWithTexture(CCTexture2D* pTexture);
  virtual bool initWithTexture(CCTexture2D* pTexture, const CCRect& rect);
  virtual bool initWithTexture(CCTexture2D* pTexture, const CCRect& rect, bool rotated);
  virtual bool initWithSpriteFrame(CCSpriteFrame* pSpriteFrame);
  virtual bool initWithSpriteFrameName(const char* pszSpriteFrameName);
  virtual bool initWithFile(const char* pszFilename);
  virtual bool initWithFile(const char* pszFilename, const CCRect& rect);

  void draw() override;

  // Texture.
  void setTexture(CCTexture2D* texture) override;
  CCTexture2D* getTexture() override { return m_pobTexture; }
  void setBlendFunc(ccBlendFunc blendFunc) override {
    m_sBlendFunc = blendFunc;
    markForRedraw();
  }
  ccBlendFunc getBlendFunc() override { return m_sBlendFunc; }

  // Rect in texture pixels (top-left origin).
  virtual void setTextureRect(const CCRect& rect);
  virtual void setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize);
  const CCRect& getTextureRect() { return m_obRect; }
  bool isTextureRectRotated() { return m_bRectRotated; }
  const CCPoint& getOffsetPosition() { return m_obOffsetPosition; }
  const ccV2F_C4B_T2F_Quad& getQuad() { return m_sQuad; }

  // Frames.
  virtual void setDisplayFrame(CCSpriteFrame* pNewFrame);
  virtual bool isFrameDisplayed(CCSpriteFrame* pFrame);
  // A new frame of what is shown (autoreleased).
  virtual CCSpriteFrame* displayFrame();
  virtual void setDisplayFrameWithAnimationName(const char* animationName, int frameIndex);

  bool isFlipX() { return m_bFlipX; }
  void setFlipX(bool bFlipX);
  bool isFlipY() { return m_bFlipY; }
  void setFlipY(bool bFlipY);

  void setColor(const ccColor3B& color3) override;
  void setOpacity(unsigned char opacity) override;
  void updateDisplayedColor(const ccColor3B& parentColor) override;
  void updateDisplayedOpacity(unsigned char parentOpacity) override;

  // Whether this sprite shows the stand-in for a missing picture.
  bool isStandIn() const { return m_bStandIn; }

 protected:
  void setTextureCoords(const CCRect& rect);
  void updateColor();
  bool initWithResolvedFrame(CCSpriteFrame* frame, const CCRect* subRect);

  CCTexture2D* m_pobTexture = nullptr;
  ccBlendFunc m_sBlendFunc;
  CCRect m_obRect;
  bool m_bRectRotated = false;
  CCPoint m_obOffsetPosition;
  CCPoint m_obUnflippedOffsetPositionFromCenter;
  ccV2F_C4B_T2F_Quad m_sQuad;
  bool m_bFlipX = false;
  bool m_bFlipY = false;
  bool m_bStandIn = false;
};

NS_CC_END

#endif
