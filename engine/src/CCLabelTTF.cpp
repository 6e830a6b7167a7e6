#include "CCLabelTTF.h"

#include <cmath>
#include <cstring>
#include <set>

#include "CCFileUtils.h"
#include "backend/Backend.h"

NS_CC_BEGIN

namespace be = kest::backend;

// The font texts are drawn with: CJK-capable, since the texts are Chinese.
static const std::string& cjkFont() {
  static std::string path;
  static bool searched = false;
  if (!searched) {
    searched = true;
    const char* candidates[] = {
        getenv("KEST_FONT"),
        "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
        "/usr/share/fonts/wqy-microhei/wqy-microhei.ttc",
        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    };
    for (const char* c : candidates) {
      if (c && *c && be::fontUsable(c)) {
        path = c;
        break;
      }
    }
  }
  return path;
}

static std::string fontPathFor(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) {
    std::string ext = name.substr(dot + 1);
    if (ext == "ttf" || ext == "ttc" || ext == "otf" || ext == "TTF") {
      std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(name.c_str());
      if (CCFileUtils::sharedFileUtils()->isFileExist(full) && be::fontUsable(full)) return full;
    }
  }
  return cjkFont();
}

static size_t utf8Length(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

// The text cut after `limit` characters (whole UTF-8 sequences).
static std::string drawnPart(const std::string& s, size_t limit) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && n++ == limit) return s.substr(0, i);
  }
  return s;
}

CCLabelTTF::CCLabelTTF() {}
CCLabelTTF::~CCLabelTTF() {}

CCLabelTTF* CCLabelTTF::create() {
  CCLabelTTF* l = new CCLabelTTF();
  if (l->init()) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize) {
  return create(string, fontName, fontSize, CCSizeZero, kCCTextAlignmentCenter, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment) {
  return create(string, fontName, fontSize, dimensions, hAlignment, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment) {
  CCLabelTTF* l = new CCLabelTTF();
  if (l->initWithString(string, fontName, fontSize, dimensions, hAlignment, vAlignment)) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

bool CCLabelTTF::init() { return initWithString("", "Arial", 12); }

bool CCLabelTTF::initWithString(const char* string, const char* fontName, float fontSize) {
  return initWithString(string, fontName, fontSize, CCSizeZero, kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                                CCTextAlignment hAlignment) {
  return initWithString(string, fontName, fontSize, dimensions, hAlignment, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                                CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment) {
  if (!CCSprite::init()) return false;
  m_tDimensions = dimensions;
  m_hAlignment = hAlignment;
  m_vAlignment = vAlignment;
  m_pFontName = fontName ? fontName : "";
  m_fFontSize = fontSize;
  m_string = string ? string : "";
  updateTexture();
  return true;
}

void CCLabelTTF::setString(const char* label) {
  std::string s = label ? label : "";
  if (s == m_string) return;
  m_string = s;
  updateTexture();
}

void CCLabelTTF::setHorizontalAlignment(CCTextAlignment a) {
  if (a == m_hAlignment) return;
  m_hAlignment = a;
  updateTexture();
}

void CCLabelTTF::setVerticalAlignment(CCVerticalTextAlignment a) {
  if (a == m_vAlignment) return;
  m_vAlignment = a;
  updateTexture();
}

void CCLabelTTF::setDimensions(const CCSize& dim) {
  if (dim.equals(m_tDimensions)) return;
  m_tDimensions = dim;
  updateTexture();
}

void CCLabelTTF::setFontSize(float fontSize) {
  if (fontSize == m_fFontSize) return;
  m_fFontSize = fontSize;
  updateTexture();
}

void CCLabelTTF::setFontName(const char* fontName) {
  std::string n = fontName ? fontName : "";
  if (n == m_pFontName) return;
  m_pFontName = n;
  updateTexture();
}

void CCLabelTTF::setFontFillColor(const ccColor3B& tintColor, bool) { setColor(tintColor); }

bool CCLabelTTF::updateTexture() {
  ++m_uRenderCount;
  int size = std::max(1, (int)lroundf(m_fFontSize));
  int boxW = (int)m_tDimensions.width, boxH = (int)m_tDimensions.height;
  std::vector<uint8_t> text;
  int tw = 0, th = 0;
  bool rendered = false;
  const std::string font = fontPathFor(m_pFontName);
  const std::string drawn = drawnPart(m_string, kMaxDrawnCharacters);
  if (!drawn.empty()) {
    rendered = !font.empty() && be::renderText(font, size, drawn, boxW > 0 ? boxW : 0, (int)m_hAlignment, text, tw, th);
    if (!rendered) {
      static std::set<std::string> logged;
      if (logged.insert(m_pFontName).second)
        CCLOG("CCLabelTTF: font '%s' cannot draw text (drawn as a stand-in)", m_pFontName.c_str());
      // A frame of the text's likely size, so layout still works.
      tw = std::max(1, (int)(utf8Length(drawn) * size * 0.6f));
      th = size + size / 4;
      text.assign((size_t)tw * th * 4, 0);
      for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x)
          if (x == 0 || y == 0 || x == tw - 1 || y == th - 1) memset(&text[((size_t)y * tw + x) * 4], 255, 4);
      rendered = true;
    }
  }
  int W = boxW > 0 ? boxW : tw;
  int H = boxH > 0 ? boxH : th;
  if (!rendered || W <= 0 || H <= 0) {
    setTexture(nullptr);
    setTextureRect(CCRect(0, 0, (float)std::max(0, W), (float)std::max(0, H)));
    return false;
  }
  std::vector<uint8_t> canvas;
  const uint8_t* pixels = text.data();
  if (W != tw || H != th) {
    canvas.assign((size_t)W * H * 4, 0);
    int ox =
        m_hAlignment == kCCTextAlignmentLeft ? 0 : (m_hAlignment == kCCTextAlignmentCenter ? (W - tw) / 2 : W - tw);
    int oy = m_vAlignment == kCCVerticalTextAlignmentTop
                 ? 0
                 : (m_vAlignment == kCCVerticalTextAlignmentCenter ? (H - th) / 2 : H - th);
    for (int y = 0; y < th; ++y) {
      int dy = y + oy;
      if (dy < 0 || dy >= H) continue;
      for (int x = 0; x < tw; ++x) {
        int dx = x + ox;
        if (dx < 0 || dx >= W) continue;
        memcpy(&canvas[((size_t)dy * W + dx) * 4], &text[((size_t)y * tw + x) * 4], 4);
      }
    }
    pixels = canvas.data();
  }
  CCTexture2D* tex = new CCTexture2D();
  tex->initWithData(pixels, (unsigned int)W, (unsigned int)H, true);
  setTexture(tex);
  tex->release();
  setTextureRect(CCRect(0, 0, (float)W, (float)H));
  return true;
}

NS_CC_END
