#ifndef KEST_CC_TEXTURE2D_H
#define KEST_CC_TEXTURE2D_H

// A picture on the renderer. Sizes in pixels (= points: content scale 1).

#include <future>
#include <vector>

#include "CCImage.h"
#include "ccTypes.h"

namespace kest {
namespace backend {
struct Texture;
}
}  // namespace kest

NS_CC_BEGIN

class CCTexture2D : public CCObject {
 public:
  CCTexture2D();
  ~CCTexture2D() override;

  bool initWithImage(CCImage* uiImage);
  // RGBA 8888, rows top first. `drawnWhole`: only ever drawn from within
  // its own texels (as labels are), so the renderer may pack it with others.
  bool initWithData(const void* rgba, unsigned int pixelsWide, unsigned int pixelsHigh, bool drawnWhole = false);
  // A texture the renderer can draw into (CCRenderer::beginTarget); false
  // when the renderer cannot make one.
  bool initAsRenderTarget(unsigned int pixelsWide, unsigned int pixelsHigh);
  // A picture file of the given size, decoded when it is first drawn and
  // again whenever the renderer lost it (closed and opened again), so a
  // picture loaded but not shown holds no pixels.
  bool initWithFile(const std::string& path, unsigned int pixelsWide, unsigned int pixelsHigh);
  // Starts decoding a file's picture on a thread of its own; the first draw
  // takes the result instead of decoding. Nothing for other textures.
  void decodeAhead();
  // Drops a result not taken yet (waiting for its decode to end).
  void dropDecodedAhead();
  // Whether the pixels are on the renderer now.
  bool hasPixels() const { return m_pTexture != nullptr && !pixelsStale(); }
  // Gives back the pixels of a texture made from a file; it is decoded
  // again when next drawn. Others keep theirs.
  void releasePixels();

  unsigned int getPixelsWide() const { return m_uPixelsWide; }
  unsigned int getPixelsHigh() const { return m_uPixelsHigh; }
  unsigned int getName() const { return m_uName; }
  CCSize getContentSize() const { return CCSize((float)m_uPixelsWide, (float)m_uPixelsHigh); }
  const CCSize& getContentSizeInPixels() { return m_tContentSize; }
  float getMaxS() const { return 1; }
  float getMaxT() const { return 1; }
  bool hasPremultipliedAlpha() const { return false; }
  bool hasMipmaps() const { return false; }

  // Filter and wrap. GL_REPEAT makes a texture rectangle larger than the picture tile it.
  void setTexParameters(ccTexParams* texParams);
  void setAntiAliasTexParameters();
  void setAliasTexParameters();
  void generateMipmap() {}
  bool isRepeatS() const { return m_bRepeatS; }
  bool isRepeatT() const { return m_bRepeatT; }
  bool isAntiAlias() const { return m_bLinear; }

  // The picture this texture was made from (for stand-in accounting and debugging).
  const char* getSourceName() const { return m_sSource.c_str(); }
  void setSourceName(const std::string& s) { m_sSource = s; }

  // What the renderer draws; a texture made from a file is decoded here
  // when it has no pixels.
  kest::backend::Texture* backendTexture() const;

 private:
  bool pixelsStale() const;
  bool loadFile() const;

  struct Decoded {
    std::vector<uint8_t> rgba;
    int width = 0;
    int height = 0;
    bool ok = false;
  };

  mutable kest::backend::Texture* m_pTexture = nullptr;
  std::string m_sFile;  // initWithFile's
  mutable std::future<Decoded> m_ahead;
  mutable bool m_bFileFailed = false;
  unsigned int m_uPixelsWide = 0;
  unsigned int m_uPixelsHigh = 0;
  unsigned int m_uName = 0;
  CCSize m_tContentSize;
  bool m_bLinear = true;
  bool m_bRepeatS = false;
  bool m_bRepeatT = false;
  std::string m_sSource;
};

NS_CC_END

#endif
