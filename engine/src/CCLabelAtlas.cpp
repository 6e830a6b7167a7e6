#include "CCLabelAtlas.h"

#include "CCCommon.h"
#include "CCDirector.h"
#include "CCRenderer.h"
#include "CCSpriteFrameCache.h"
#include "backend/Backend.h"

NS_CC_BEGIN

// --- message boxes ----------------------------------------------------------

static std::vector<CCMessageBoxRecord>& history() {
  static std::vector<CCMessageBoxRecord> h;
  return h;
}

void CCMessageBox(const char* pszMsg, const char* pszTitle) {
  CCMessageBoxRecord r{pszTitle ? pszTitle : "", pszMsg ? pszMsg : ""};
  history().push_back(r);
  CCLOG("message box [%s]: %s", r.title.c_str(), r.text.c_str());
  if (!CCDirector::isHeadless()) kest::backend::messageBox(r.text.c_str(), r.title.c_str());
}

const std::vector<CCMessageBoxRecord>& CCMessageBoxHistory() { return history(); }

void CCMessageBoxClearHistory() { history().clear(); }

// --- CCLabelAtlas -----------------------------------------------------------

CCLabelAtlas::CCLabelAtlas() { m_tBlendFunc = ccBlendFunc{CC_BLEND_SRC, CC_BLEND_DST}; }

CCLabelAtlas::~CCLabelAtlas() { CC_SAFE_RELEASE(m_pTexture); }

CCLabelAtlas* CCLabelAtlas::create(const char* string, const char* charMapFile, unsigned int itemWidth,
                                   unsigned int itemHeight, unsigned int startCharMap) {
  CCLabelAtlas* l = new CCLabelAtlas();
  if (l->initWithString(string, charMapFile, itemWidth, itemHeight, startCharMap)) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

bool CCLabelAtlas::initWithString(const char* string, const char* charMapFile, unsigned int itemWidth,
                                  unsigned int itemHeight, unsigned int startCharMap) {
  if (!CCNodeRGBA::init()) return false;
  // The char map may be a file or a frame of a sheet; a missing one draws the stand-in cells.
  CCSpriteFrame* frame = CCResolvePicture(charMapFile);
  if (!frame || !frame->getTexture()) return false;
  setTexture(frame->getTexture());
  m_tCells = frame->isRotated() ? CCRect(frame->getRect().origin.x, frame->getRect().origin.y, 0, 0) : frame->getRect();
  m_uItemWidth = itemWidth;
  m_uItemHeight = itemHeight;
  m_uMapStartChar = startCharMap;
  setString(string);
  return true;
}

void CCLabelAtlas::setTexture(CCTexture2D* texture) {
  if (texture == m_pTexture) return;
  CC_SAFE_RETAIN(texture);
  CC_SAFE_RELEASE(m_pTexture);
  m_pTexture = texture;
  markForRedraw();
}

void CCLabelAtlas::setString(const char* label) {
  std::string s = label ? label : "";
  if (s == m_sString && !m_quads.empty()) return;
  m_sString = s;
  updateAtlasValues();
  setContentSize(CCSize((float)(m_sString.size() * m_uItemWidth), (float)m_uItemHeight));
  markForRedraw();
}

void CCLabelAtlas::updateAtlasValues() {
  m_quads.clear();
  if (!m_pTexture || m_uItemWidth == 0 || m_uItemHeight == 0) return;
  float tw = (float)m_pTexture->getPixelsWide(), th = (float)m_pTexture->getPixelsHigh();
  unsigned int perRow = (unsigned int)(m_tCells.size.width / m_uItemWidth);
  unsigned int rows = (unsigned int)(m_tCells.size.height / m_uItemHeight);
  if (perRow == 0 || rows == 0) return;
  ccColor4B white = ccc4(255, 255, 255, 255);
  for (size_t i = 0; i < m_sString.size(); ++i) {
    unsigned int c = (unsigned char)m_sString[i];
    if (c < m_uMapStartChar) continue;
    unsigned int cell = c - m_uMapStartChar;
    if (cell >= perRow * rows) continue;
    float x = m_tCells.origin.x + (float)((cell % perRow) * m_uItemWidth);
    float y = m_tCells.origin.y + (float)((cell / perRow) * m_uItemHeight);
    float left = x / tw, right = (x + m_uItemWidth) / tw, top = y / th, bottom = (y + m_uItemHeight) / th;
    float x0 = (float)(i * m_uItemWidth), x1 = x0 + m_uItemWidth, y1 = (float)m_uItemHeight;
    ccV2F_C4B_T2F_Quad q;
    q.bl = {{x0, 0}, white, {left, bottom}};
    q.br = {{x1, 0}, white, {right, bottom}};
    q.tl = {{x0, y1}, white, {left, top}};
    q.tr = {{x1, y1}, white, {right, top}};
    m_quads.push_back(q);
  }
}

void CCLabelAtlas::draw() {
  if (!m_pTexture || m_cDisplayedOpacity == 0) return;
  ccColor4B c = ccc4(m_tDisplayedColor.r, m_tDisplayedColor.g, m_tDisplayedColor.b, m_cDisplayedOpacity);
  CCRenderer* r = CCRenderer::sharedRenderer();
  for (ccV2F_C4B_T2F_Quad& q : m_quads) {
    q.bl.colors = q.br.colors = q.tl.colors = q.tr.colors = c;
    r->drawQuad(m_pTexture, q, m_tBlendFunc);
  }
}

NS_CC_END
