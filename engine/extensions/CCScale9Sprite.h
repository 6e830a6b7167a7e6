#ifndef KEST_CC_SCALE9_SPRITE_H
#define KEST_CC_SCALE9_SPRITE_H

// A picture cut in nine by its cap insets: the corners keep their size, the
// edges stretch along one axis and the centre along both, so the sprite can
// take any content size (its preferred size).
//
// Cap insets are the centre rectangle in the picture's own pixels (origin
// top-left); a zero rectangle means the middle third, and insets that do not
// fit the picture along an axis stretch the whole picture along it. Pictures are found by
// the engine's one name resolver (frame by full name, by base name, then the
// file); a missing one shows the stand-in box. A content size smaller than
// the fixed borders shrinks the borders in proportion instead of folding them.

#include "ExtensionMacros.h"

NS_CC_EXT_BEGIN

class CCScale9Sprite : public CCNodeRGBA {
 public:
  CCScale9Sprite();
  ~CCScale9Sprite() override;

  static CCScale9Sprite* create();
  static CCScale9Sprite* create(const char* file);
  static CCScale9Sprite* create(const char* file, CCRect rect);
  static CCScale9Sprite* create(const char* file, CCRect rect, CCRect capInsets);
  static CCScale9Sprite* create(CCRect capInsets, const char* file);
  static CCScale9Sprite* createWithSpriteFrame(CCSpriteFrame* spriteFrame);
  static CCScale9Sprite* createWithSpriteFrame(CCSpriteFrame* spriteFrame, CCRect capInsets);
  static CCScale9Sprite* createWithSpriteFrameName(const char* spriteFrameName);
  static CCScale9Sprite* createWithSpriteFrameName(const char* spriteFrameName, CCRect capInsets);

  bool init() override;
  virtual bool initWithFile(const char* file);
  virtual bool initWithFile(const char* file, CCRect rect);
  virtual bool initWithFile(const char* file, CCRect rect, CCRect capInsets);
  virtual bool initWithFile(CCRect capInsets, const char* file);
  virtual bool initWithSpriteFrame(CCSpriteFrame* spriteFrame);
  virtual bool initWithSpriteFrame(CCSpriteFrame* spriteFrame, CCRect capInsets);
  virtual bool initWithSpriteFrameName(const char* spriteFrameName);
  virtual bool initWithSpriteFrameName(const char* spriteFrameName, CCRect capInsets);

  // A new sprite of the same picture with other insets.
  CCScale9Sprite* resizableSpriteWithCapInsets(CCRect capInsets);
  // Shows another picture; the preferred size stays, insets go back to thirds.
  virtual void setSpriteFrame(CCSpriteFrame* spriteFrame);

  const CCSize& getOriginalSize() const { return m_originalSize; }
  const CCSize& getPreferredSize() const { return m_preferredSize; }
  virtual void setPreferredSize(CCSize size);
  const CCRect& getCapInsets() const { return m_capInsets; }
  virtual void setCapInsets(CCRect capInsets);
  float getInsetLeft() const { return m_insetLeft; }
  float getInsetTop() const { return m_insetTop; }
  float getInsetRight() const { return m_insetRight; }
  float getInsetBottom() const { return m_insetBottom; }
  // Insets as distances from the picture's edges (they set the cap insets).
  void setInsetLeft(float v);
  void setInsetTop(float v);
  void setInsetRight(float v);
  void setInsetBottom(float v);

  void setContentSize(const CCSize& size) override;
  void draw() override;

  CCTexture2D* getTexture() const { return m_pTexture; }
  bool isStandIn() const { return m_bStandIn; }
  // The width of the left, centre and right columns and the height of the
  // top, centre and bottom rows as drawn now (tests and layout checks).
  void getSliceSizes(float columns[3], float rows[3]) const;

  void setOpacityModifyRGB(bool b) override { m_bOpacityModifyRGB = b; }
  bool isOpacityModifyRGB() override { return m_bOpacityModifyRGB; }

 protected:
  bool initWithFrame(CCSpriteFrame* frame, const CCRect* subRect, const CCRect& capInsets);
  void setImage(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCRect& capInsets);
  // Source column and row edges in picture pixels.
  void sourceEdges(float xs[4], float ys[4]) const;
  ccTex2F texCoord(float px, float py) const;
  void updateInsetsFromCaps();

  CCTexture2D* m_pTexture = nullptr;
  CCRect m_rect;  // the picture inside the texture (upright size)
  bool m_bRotated = false;
  bool m_bStandIn = false;
  CCSize m_originalSize;
  CCSize m_preferredSize;
  CCRect m_capInsets;
  float m_insetLeft = 0, m_insetTop = 0, m_insetRight = 0, m_insetBottom = 0;
  bool m_bOpacityModifyRGB = false;
};

NS_CC_EXT_END

#endif
