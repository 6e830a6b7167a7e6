#include "CCTexture2D.h"

#include <cstring>
#include <system_error>

#include "CCEGLView.h"
#include "CCNode.h"
#include "CCTextureCache.h"
#include "backend/Backend.h"

NS_CC_BEGIN

namespace be = kest::backend;

// --- CCImage ----------------------------------------------------------------

bool CCImage::initWithImageFile(const char* strPath, EImageFormat) {
  m_data.clear();
  m_nWidth = m_nHeight = 0;
  if (!strPath) return false;
  return be::decodeFile(strPath, m_data, m_nWidth, m_nHeight);
}

bool CCImage::initWithImageData(const void* pData, int nDataLen, EImageFormat) {
  m_data.clear();
  m_nWidth = m_nHeight = 0;
  if (!pData || nDataLen <= 0) return false;
  return be::decodeMemory(pData, (size_t)nDataLen, m_data, m_nWidth, m_nHeight);
}

bool CCImage::initWithRawData(const unsigned char* rgba, int width, int height) {
  if (!rgba || width <= 0 || height <= 0) return false;
  m_nWidth = width;
  m_nHeight = height;
  m_data.assign(rgba, rgba + (size_t)width * height * 4);
  return true;
}

bool CCImage::saveToFile(const char* pszFilePath, bool) {
  if (!pszFilePath || m_data.empty()) return false;
  return be::savePng(pszFilePath, m_data.data(), m_nWidth, m_nHeight);
}

unsigned int CCImage::pixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return 0;
  const unsigned char* p = &m_data[((size_t)y * m_nWidth + x) * 4];
  return (unsigned int)p[0] << 24 | (unsigned int)p[1] << 16 | (unsigned int)p[2] << 8 | p[3];
}

// --- CCTexture2D ------------------------------------------------------------

static unsigned int s_nextTextureName = 1;

CCTexture2D::CCTexture2D() : m_uName(s_nextTextureName++) {}

CCTexture2D::~CCTexture2D() { be::destroyTexture(m_pTexture); }

bool CCTexture2D::initWithImage(CCImage* image) {
  if (!image || !image->getData()) return false;
  return initWithData(image->getData(), image->getWidth(), image->getHeight());
}

bool CCTexture2D::initWithData(const void* rgba, unsigned int w, unsigned int h, bool drawnWhole) {
  if (!rgba || w == 0 || h == 0) return false;
  m_sFile.clear();
  dropDecodedAhead();
  CCEGLView::sharedOpenGLView()->openWindow();
  // A new texture changes no node's draws; one made again may be drawn by any.
  const bool fresh = !m_pTexture;
  be::destroyTexture(m_pTexture);
  m_pTexture = be::createTexture((const uint8_t*)rgba, (int)w, (int)h, drawnWhole);
  m_uPixelsWide = w;
  m_uPixelsHigh = h;
  m_tContentSize = CCSize((float)w, (float)h);
  if (!m_bLinear) be::setTextureFilter(m_pTexture, false);
  be::setTextureWrap(m_pTexture, m_bRepeatS, m_bRepeatT);
  if (fresh)
    ccSetFrameNeeded();
  else
    ccSetNeedsRedraw();
  return true;
}

bool CCTexture2D::initWithFile(const std::string& path, unsigned int w, unsigned int h) {
  if (path.empty() || w == 0 || h == 0) return false;
  dropDecodedAhead();
  const bool fresh = !m_pTexture && m_sFile.empty();
  be::destroyTexture(m_pTexture);
  m_pTexture = nullptr;
  m_sFile = path;
  m_bFileFailed = false;
  m_uPixelsWide = w;
  m_uPixelsHigh = h;
  m_tContentSize = CCSize((float)w, (float)h);
  if (fresh)
    ccSetFrameNeeded();
  else
    ccSetNeedsRedraw();
  return true;
}

bool CCTexture2D::pixelsStale() const { return be::textureStale(m_pTexture); }

void CCTexture2D::decodeAhead() {
  if (m_sFile.empty() || m_pTexture || m_bFileFailed || m_ahead.valid()) return;
  try {
    m_ahead = std::async(std::launch::async, [path = m_sFile] {
      Decoded d;
      d.ok = be::decodeFile(path, d.rgba, d.width, d.height);
      be::workerThreadExit();
      return d;
    });
  } catch (const std::system_error&) {
    // No thread to spare: decoded when drawn, as usual.
  }
}

void CCTexture2D::dropDecodedAhead() {
  if (m_ahead.valid()) m_ahead.get();
}

bool CCTexture2D::loadFile() const {
  if (m_bFileFailed) return false;
  std::vector<uint8_t> rgba;
  int w = 0, h = 0;
  bool ok = false;
  if (m_ahead.valid()) {
    Decoded d = m_ahead.get();
    rgba.swap(d.rgba);
    w = d.width;
    h = d.height;
    ok = d.ok;
  } else {
    ok = be::decodeFile(m_sFile, rgba, w, h);
  }
  if (!ok || (unsigned int)w != m_uPixelsWide || (unsigned int)h != m_uPixelsHigh) {
    // Changed or broken since its header was read: drawn as nothing, and
    // counted with the missing pictures.
    m_bFileFailed = true;
    CCTextureCache::sharedTextureCache()->noteMissingPicture(m_sFile.c_str());
    return false;
  }
  CCEGLView::sharedOpenGLView()->openWindow();
  be::destroyTexture(m_pTexture);
  m_pTexture = be::createTexture(rgba.data(), w, h, false);
  if (!m_bLinear) be::setTextureFilter(m_pTexture, false);
  be::setTextureWrap(m_pTexture, m_bRepeatS, m_bRepeatT);
  return true;
}

be::Texture* CCTexture2D::backendTexture() const {
  if (!m_sFile.empty() && (!m_pTexture || be::textureStale(m_pTexture))) loadFile();
  return m_pTexture;
}

void CCTexture2D::releasePixels() {
  if (m_sFile.empty() || !m_pTexture) return;
  be::destroyTexture(m_pTexture);
  m_pTexture = nullptr;
}

bool CCTexture2D::initAsRenderTarget(unsigned int w, unsigned int h) {
  if (w == 0 || h == 0) return false;
  m_sFile.clear();
  dropDecodedAhead();
  CCEGLView::sharedOpenGLView()->openWindow();
  be::Texture* target = be::createTargetTexture((int)w, (int)h);
  if (!target) return false;
  be::destroyTexture(m_pTexture);
  m_pTexture = target;
  m_uPixelsWide = w;
  m_uPixelsHigh = h;
  m_tContentSize = CCSize((float)w, (float)h);
  return true;
}

void CCTexture2D::setTexParameters(ccTexParams* p) {
  if (!p) return;
  m_bLinear = p->magFilter != GL_NEAREST;
  m_bRepeatS = p->wrapS == GL_REPEAT;
  m_bRepeatT = p->wrapT == GL_REPEAT;
  be::setTextureFilter(m_pTexture, m_bLinear);
  be::setTextureWrap(m_pTexture, m_bRepeatS, m_bRepeatT);
  ccSetNeedsRedraw();
}

void CCTexture2D::setAntiAliasTexParameters() {
  m_bLinear = true;
  be::setTextureFilter(m_pTexture, true);
  ccSetNeedsRedraw();
}

void CCTexture2D::setAliasTexParameters() {
  m_bLinear = false;
  be::setTextureFilter(m_pTexture, false);
  ccSetNeedsRedraw();
}

NS_CC_END
