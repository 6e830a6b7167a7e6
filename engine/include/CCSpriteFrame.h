#ifndef KEST_CC_SPRITE_FRAME_H
#define KEST_CC_SPRITE_FRAME_H

// A rectangle of a texture with trimming data: rect (upright size), rotated
// (stored 90° clockwise in the atlas), offset of the trimmed centre (Y up) and
// the untrimmed size.

#include <string>

#include "CCTexture2D.h"

NS_CC_BEGIN

class CCSpriteFrame : public CCObject {
 public:
  ~CCSpriteFrame() override;
  static CCSpriteFrame* create(const char* filename, const CCRect& rect);
  static CCSpriteFrame* create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                               const CCSize& originalSize);
  static CCSpriteFrame* createWithTexture(CCTexture2D* pobTexture, const CCRect& rect);
  static CCSpriteFrame* createWithTexture(CCTexture2D* pobTexture, const CCRect& rect, bool rotated,
                                          const CCPoint& offset, const CCSize& originalSize);
  bool initWithTexture(CCTexture2D* pobTexture, const CCRect& rect);
  bool initWithTextureFilename(const char* filename, const CCRect& rect);
  bool initWithTexture(CCTexture2D* pobTexture, const CCRect& rect, bool rotated, const CCPoint& offset,
                       const CCSize& originalSize);
  bool initWithTextureFilename(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                               const CCSize& originalSize);

  const CCRect& getRectInPixels() const { return m_obRectInPixels; }
  void setRectInPixels(const CCRect& r) {
    m_obRectInPixels = r;
    m_obRect = r;
  }
  bool isRotated() const { return m_bRotated; }
  void setRotated(bool b) { m_bRotated = b; }
  const CCRect& getRect() const { return m_obRect; }
  void setRect(const CCRect& r) {
    m_obRect = r;
    m_obRectInPixels = r;
  }
  const CCPoint& getOffsetInPixels() const { return m_obOffsetInPixels; }
  void setOffsetInPixels(const CCPoint& p) {
    m_obOffsetInPixels = p;
    m_obOffset = p;
  }
  const CCSize& getOriginalSizeInPixels() const { return m_obOriginalSizeInPixels; }
  void setOriginalSizeInPixels(const CCSize& s) { m_obOriginalSizeInPixels = s; }
  const CCSize& getOriginalSize() const { return m_obOriginalSize; }
  void setOriginalSize(const CCSize& s) { m_obOriginalSize = s; }
  const CCPoint& getOffset() const { return m_obOffset; }
  void setOffset(const CCPoint& p) {
    m_obOffset = p;
    m_obOffsetInPixels = p;
  }
  // Loads the texture by file name on first use when created from a name.
  CCTexture2D* getTexture();
  void setTexture(CCTexture2D* pobTexture);
  CCObject* copyWithZone(CCZone*) override;

 private:
  CCPoint m_obOffset;
  CCSize m_obOriginalSize;
  CCRect m_obRectInPixels;
  bool m_bRotated = false;
  CCRect m_obRect;
  CCPoint m_obOffsetInPixels;
  CCSize m_obOriginalSizeInPixels;
  CCTexture2D* m_pobTexture = nullptr;
  std::string m_strTextureFilename;
};

NS_CC_END

#endif
