#ifndef KEST_CC_LABEL_TTF_H
#define KEST_CC_LABEL_TTF_H

// Text rendered with a TrueType font into a texture (white glyphs tinted by
// the sprite colour). Font names "Arial", "simfang", "STHeitiK-Light", the
// empty name and any name that is not a font file use the CJK font. With
// dimensions the text wraps at their width and is aligned inside them;
// without, the content size is the rendered text's. The texture is rendered
// again only when the text, font, size, dimensions or alignment change.
// Only the first kMaxDrawnCharacters characters are drawn: no label needs
// more, and the font library copies the text onto the stack.

#include <string>

#include "CCSprite.h"

NS_CC_BEGIN

class CCLabelTTF : public CCSprite, public CCLabelProtocol {
 public:
  static constexpr size_t kMaxDrawnCharacters = 4096;

  CCLabelTTF();
  ~CCLabelTTF() override;

  static CCLabelTTF* create();
  static CCLabelTTF* create(const char* string, const char* fontName, float fontSize);
  static CCLabelTTF* create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                            CCTextAlignment hAlignment);
  static CCLabelTTF* create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                            CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment);
  bool init() override;
  bool initWithString(const char* string, const char* fontName, float fontSize);
  bool initWithString(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                      CCTextAlignment hAlignment);
  bool initWithString(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                      CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment);

  void setString(const char* label) override;
  const char* getString() override { return m_string.c_str(); }
  CCTextAlignment getHorizontalAlignment() { return m_hAlignment; }
  void setHorizontalAlignment(CCTextAlignment alignment);
  CCVerticalTextAlignment getVerticalAlignment() { return m_vAlignment; }
  void setVerticalAlignment(CCVerticalTextAlignment verticalAlignment);
  const CCSize& getDimensions() { return m_tDimensions; }
  void setDimensions(const CCSize& dim);
  float getFontSize() { return m_fFontSize; }
  void setFontSize(float fontSize);
  const char* getFontName() { return m_pFontName.c_str(); }
  void setFontName(const char* fontName);
  void setFontFillColor(const ccColor3B& tintColor, bool mustUpdateTexture = true);
  void enableShadow(const CCSize&, float, float, bool = true) {}
  void disableShadow(bool = true) {}
  void enableStroke(const ccColor3B&, float, bool = true) {}
  void disableStroke(bool = true) {}

  // How many times the texture was rendered (tests).
  unsigned int getRenderCount() const { return m_uRenderCount; }

 protected:
  bool updateTexture();

  CCSize m_tDimensions;
  CCTextAlignment m_hAlignment = kCCTextAlignmentCenter;
  CCVerticalTextAlignment m_vAlignment = kCCVerticalTextAlignmentTop;
  std::string m_pFontName;
  float m_fFontSize = 0;
  std::string m_string;
  unsigned int m_uRenderCount = 0;
};

NS_CC_END

#endif
