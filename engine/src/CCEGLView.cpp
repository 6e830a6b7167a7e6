#include "CCEGLView.h"

#include <algorithm>
#include <cmath>

#include "CCDirector.h"
#include "CCKeypadDispatcher.h"
#include "CCRenderer.h"
#include "CCTouch.h"
#include "CCTouchDispatcher.h"
#include "backend/Backend.h"

NS_CC_BEGIN

namespace be = kest::backend;

static const float kDesignWidth = 1288;
static const float kDesignHeight = 762;

CCEGLView* CCEGLView::sharedOpenGLView() {
  static CCEGLView* s = new CCEGLView();
  return s;
}

CCEGLView::CCEGLView()
    : m_obScreenSize(kDesignWidth, kDesignHeight),
      m_obDesignResolutionSize(kDesignWidth, kDesignHeight),
      m_obRequestedDesignSize(kDesignWidth, kDesignHeight) {
  updateScale();
}

bool CCEGLView::openWindow() {
  if (!be::isOpen()) {
    be::open(CCDirector::isHeadless(), (int)m_obScreenSize.width, (int)m_obScreenSize.height, m_sViewName.c_str());
    if (be::isOpen()) {
      int w = 0, h = 0;
      be::outputSize(w, h);
      if (w > 0 && h > 0 && (w != (int)m_obScreenSize.width || h != (int)m_obScreenSize.height)) {
        m_obScreenSize = CCSize((float)w, (float)h);
        updateScale();
      }
    }
  }
  return be::isOpen();
}

bool CCEGLView::isOpenGLReady() const { return be::isOpen(); }

void CCEGLView::end() { CCDirector::sharedDirector()->end(); }

void CCEGLView::setViewName(const char* name) {
  m_sViewName = name ? name : "";
  be::setTitle(m_sViewName.c_str());
}

void CCEGLView::setFrameSize(float width, float height) {
  if (width <= 0 || height <= 0) return;
  m_obScreenSize = CCSize(width, height);
  be::setWindowSize((int)width, (int)height);
  updateScale();
}

void CCEGLView::setFrameLeastSize(float width, float height) {
  be::setLeastWindowSize((int)std::ceil(width), (int)std::ceil(height));
}

void CCEGLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
  if (width <= 0 || height <= 0) return;
  m_obDesignResolutionSize = m_obRequestedDesignSize = CCSize(width, height);
  m_eResolutionPolicy = policy;
  updateScale();
}

void CCEGLView::updateScale() {
  float sx = m_obScreenSize.width / m_obRequestedDesignSize.width;
  float sy = m_obScreenSize.height / m_obRequestedDesignSize.height;
  switch (m_eResolutionPolicy) {
    case kResolutionNoBorder: sx = sy = std::max(sx, sy); break;
    case kResolutionShowAll: sx = sy = std::min(sx, sy); break;
    // The fixed side keeps its design length; the other follows the
    // window's aspect, so a maximised window shows more, not black bars.
    case kResolutionFixedHeight:
      sx = sy;
      m_obDesignResolutionSize.width = std::ceil(m_obScreenSize.width / sx);
      break;
    case kResolutionFixedWidth:
      sy = sx;
      m_obDesignResolutionSize.height = std::ceil(m_obScreenSize.height / sy);
      break;
    // The side that fits keeps its design length exactly (divided back it
    // could come out a hair above and round up a whole point).
    case kResolutionShowAllExpanded:
      m_obDesignResolutionSize = m_obRequestedDesignSize;
      if (sx <= sy) {
        sy = sx;
        m_obDesignResolutionSize.height = std::max(m_obRequestedDesignSize.height, std::ceil(m_obScreenSize.height / sx));
      } else {
        sx = sy;
        m_obDesignResolutionSize.width = std::max(m_obRequestedDesignSize.width, std::ceil(m_obScreenSize.width / sy));
      }
      break;
    default: break;
  }
  m_fScaleX = sx;
  m_fScaleY = sy;
  float vw = m_obDesignResolutionSize.width * sx, vh = m_obDesignResolutionSize.height * sy;
  m_obViewPortRect = CCRect((m_obScreenSize.width - vw) / 2, (m_obScreenSize.height - vh) / 2, vw, vh);
  ccSetNeedsRedraw();
}

CCSize CCEGLView::getVisibleSize() const {
  if (m_eResolutionPolicy == kResolutionNoBorder)
    return CCSize(m_obScreenSize.width / m_fScaleX, m_obScreenSize.height / m_fScaleY);
  return m_obDesignResolutionSize;
}

CCPoint CCEGLView::getVisibleOrigin() const {
  if (m_eResolutionPolicy == kResolutionNoBorder)
    return CCPoint((m_obDesignResolutionSize.width - m_obScreenSize.width / m_fScaleX) / 2,
                   (m_obDesignResolutionSize.height - m_obScreenSize.height / m_fScaleY) / 2);
  return CCPointZero;
}

void CCEGLView::setScissorInPoints(float x, float y, float w, float h) {
  m_obScissor = CCRect(x, y, w, h);
  if (m_bScissor) {
    CCRenderer* r = CCRenderer::sharedRenderer();
    r->popClipRect();
    r->pushClipRect(m_obScissor);
  }
}

void CCEGLView::enableScissor(bool enabled) {
  if (enabled == m_bScissor) return;
  m_bScissor = enabled;
  CCRenderer* r = CCRenderer::sharedRenderer();
  if (enabled)
    r->pushClipRect(m_obScissor);
  else
    r->popClipRect();
}

void CCEGLView::minimizeWindow() { be::minimize(); }
void CCEGLView::maximizeWindow() { be::maximize(); }
void CCEGLView::restoreWindow() { be::restore(); }
bool CCEGLView::isMinimized() const { return be::isMinimized(); }
bool CCEGLView::isMaximized() const { return be::isMaximized(); }
void CCEGLView::raiseWindow() { be::raiseWindow(); }

void CCEGLView::setWindowAreaHook(CCWindowAreaHook hook) {
  m_areaHook = std::move(hook);
  be::setOwnCaption(m_areaHook != nullptr);
}

CCWindowArea CCEGLView::windowAreaAt(float x, float y) {
  // A maximised window keeps its size.
  if (!isMaximized()) {
    // Along an edge, the last corner-sized stretch belongs to the corner.
    const float w = m_obScreenSize.width, h = m_obScreenSize.height;
    const float corner = 4.0f * kResizeBorder;
    const bool left = x < kResizeBorder, right = x >= w - kResizeBorder;
    const bool top = y < kResizeBorder, bottom = y >= h - kResizeBorder;
    const bool nearLeft = x < corner, nearRight = x >= w - corner;
    const bool nearTop = y < corner, nearBottom = y >= h - corner;
    if ((top && nearLeft) || (left && nearTop)) return CCWindowArea::kTopLeft;
    if ((top && nearRight) || (right && nearTop)) return CCWindowArea::kTopRight;
    if ((bottom && nearLeft) || (left && nearBottom)) return CCWindowArea::kBottomLeft;
    if ((bottom && nearRight) || (right && nearBottom)) return CCWindowArea::kBottomRight;
    if (top) return CCWindowArea::kTop;
    if (bottom) return CCWindowArea::kBottom;
    if (left) return CCWindowArea::kLeft;
    if (right) return CCWindowArea::kRight;
  }
  if (!m_areaHook) return CCWindowArea::kClient;
  const CCWindowArea area = m_areaHook(CCPoint(x, y));
  return area == CCWindowArea::kCaption ? area : CCWindowArea::kClient;
}

CCRect CCEGLView::getWindowRect() const {
  int x, y, w, h;
  be::windowRect(x, y, w, h);
  return CCRect((float)x, (float)y, (float)w, (float)h);
}

void CCEGLView::setWindowRect(const CCRect& r) {
  be::setWindowRect((int)r.origin.x, (int)r.origin.y, (int)r.size.width, (int)r.size.height);
}

CCRect CCEGLView::getWorkArea() const {
  int x, y, w, h;
  be::workArea(x, y, w, h);
  return CCRect((float)x, (float)y, (float)w, (float)h);
}

bool CCEGLView::setWindowIcon(const std::string& picturePath) {
  std::vector<uint8_t> rgba;
  int w = 0, h = 0;
  return be::isOpen() && be::decodeFile(picturePath, rgba, w, h) && be::setWindowIcon(rgba.data(), w, h);
}

// --- cursors and clipboard --------------------------------------------------

static const int kCursorSize = 48;

CCCursor* CCEGLView::loadCursor(const std::string& picturePath, int hotX, int hotY) {
  std::vector<uint8_t> rgba;
  int w = 0, h = 0;
  if (!be::decodeFile(picturePath, rgba, w, h)) return nullptr;
  m_cursors.emplace_back(new CCCursor());
  CCCursor* cursor = m_cursors.back().get();
  cursor->m_source = picturePath;
  cursor->m_pCursor = be::createCursor(rgba.data(), w, h, kCursorSize, hotX, hotY);
  return cursor;
}

CCCursor* CCEGLView::getArrowCursor() {
  if (!m_pArrowCursor) {
    m_cursors.emplace_back(new CCCursor());
    m_pArrowCursor = m_cursors.back().get();
    m_pArrowCursor->m_source = "arrow";
    m_pArrowCursor->m_pCursor = be::createArrowCursor();
  }
  return m_pArrowCursor;
}

void CCEGLView::setCursor(CCCursor* cursor) {
  m_pCursor = cursor;
  m_bCursorSet = true;
  be::showCursor(cursor != nullptr, cursor ? cursor->m_pCursor : nullptr);
}

CCCursor* CCEGLView::getCursor() { return m_bCursorSet ? m_pCursor : getArrowCursor(); }

bool CCEGLView::setClipboardText(const std::string& utf8) { return be::setClipboardText(utf8); }

bool CCEGLView::getClipboardText(std::string& utf8) { return be::getClipboardText(utf8); }

// --- window events ----------------------------------------------------------

bool CCEGLView::pollEvents() { return be::pumpEvents(); }

// --- input ------------------------------------------------------------------

CCWindowMessage CCEGLView::makeMessage(CCWindowMessage::Kind kind, float x, float y) const {
  CCWindowMessage m;
  m.kind = kind;
  m.locationInView = CCPoint(x, y);
  m.location = CCPoint(x, m_obScreenSize.height - y);
  return m;
}

bool CCEGLView::sendToHook(CCWindowMessage& msg) {
  // Input may change what is shown (hover, focus): draw the next frame.
  ccSetNeedsRedraw();
  return m_hook && m_hook(msg);
}

void CCEGLView::handleMouseMove(float x, float y, bool leftHeld) {
  m_obPointer = CCPoint(x, y);
  CCWindowMessage m = makeMessage(CCWindowMessage::kMouseMove, x, y);
  bool consumed = sendToHook(m);
  CCWindowMessage c = makeMessage(CCWindowMessage::kSetCursor, x, y);
  sendToHook(c);
  if (m_bCaptionHeld && leftHeld &&
      (std::fabs(x - m_obCaptionPress.x) >= kCaptionDragStart ||
       std::fabs(y - m_obCaptionPress.y) >= kCaptionDragStart)) {
    // Out of the maximised state, with the pointer where it was on the
    // window; the window follows it until the release, which is the frame's.
    m_bCaptionHeld = false;
    m_bFrameHeld = true;
    const CCRect window = getWindowRect();
    be::restoreUnder((int)(window.origin.x + x), (int)(window.origin.y + y), x / m_obScreenSize.width,
                     y / m_obScreenSize.height);
    return;
  }
  if (consumed || !leftHeld || !m_bLeftDown) return;
  int id = 0;
  handleTouchesMove(1, &id, &x, &y);
}

void CCEGLView::handleMouseButton(float x, float y, int button, bool down, int clicks) {
  m_obPointer = CCPoint(x, y);
  if (button == 0 && !down && (m_bCaptionHeld || m_bFrameHeld)) {
    m_bCaptionHeld = m_bFrameHeld = false;
    return;
  }
  if (button == 0 && down && m_areaHook) {
    const CCWindowArea area = windowAreaAt(x, y);
    m_bCaptionHeld = m_bFrameHeld = false;
    if (area == CCWindowArea::kCaption && clicks == 2) {
      if (isMaximized())
        restoreWindow();
      else
        maximizeWindow();
      return;
    }
    if (area == CCWindowArea::kCaption && isMaximized()) {
      m_bCaptionHeld = true;
      m_obCaptionPress = CCPoint(x, y);
      return;
    }
    // The caption moves the window, an edge or a corner sizes it (where
    // there is a window to drag: headless, the press is the client's).
    static const int kSides[][2] = {{0, 0},  {0, 0}, {0, -1}, {1, -1}, {1, 0},
                                    {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    static_assert(sizeof kSides / sizeof kSides[0] == (size_t)CCWindowArea::kTopLeft + 1, "a side per area");
    const int* sides = kSides[(int)area];
    if (area != CCWindowArea::kClient && be::dragWindow(sides[0], sides[1])) {
      m_bFrameHeld = true;
      return;
    }
  }
  CCWindowMessage::Kind kind;
  if (button == 0)
    kind = down ? (clicks == 2 ? CCWindowMessage::kLButtonDblClk : CCWindowMessage::kLButtonDown)
                : CCWindowMessage::kLButtonUp;
  else if (button == 1)
    kind = down ? CCWindowMessage::kRButtonDown : CCWindowMessage::kRButtonUp;
  else
    return;
  CCWindowMessage m = makeMessage(kind, x, y);
  bool consumed = sendToHook(m);
  if (button != 0) return;
  int id = 0;
  if (down) {
    if (consumed) return;
    // A second press without a release between (lost events) ends the first touch.
    if (m_bLeftDown) handleTouchesEnd(1, &id, &x, &y);
    m_bLeftDown = true;
    handleTouchesBegin(1, &id, &x, &y);
  } else if (m_bLeftDown) {
    // The release always ends a touch that began, consumed or not.
    m_bLeftDown = false;
    handleTouchesEnd(1, &id, &x, &y);
  }
}

void CCEGLView::handleMouseWheel(int delta) {
  CCWindowMessage m = makeMessage(CCWindowMessage::kMouseWheel, 0, 0);
  m.wheelDelta = delta;
  sendToHook(m);
}

void CCEGLView::handleKey(int vk, bool down, bool ctrl, bool shift) {
  CCWindowMessage m = makeMessage(down ? CCWindowMessage::kKeyDown : CCWindowMessage::kKeyUp, 0, 0);
  m.key = vk;
  m.ctrl = ctrl;
  m.shift = shift;
  if (sendToHook(m)) return;
  if (down && vk == kCCVKEscape)
    CCDirector::sharedDirector()->getKeypadDispatcher()->dispatchKeypadMSG(kTypeBackClicked);
}

void CCEGLView::handleTextInput(const char* utf8) {
  if (!utf8 || !*utf8) return;
  CCWindowMessage m = makeMessage(CCWindowMessage::kTextInput, 0, 0);
  m.text = utf8;
  sendToHook(m);
}

void CCEGLView::handleWindowState(CCWindowMessage::Kind kind) {
  if (kind == CCWindowMessage::kMinimized) {
    // The button's release goes elsewhere while the window is away (its
    // press minimised it): what it pressed lets go now.
    m_bCaptionHeld = m_bFrameHeld = false;
    if (m_bLeftDown) {
      m_bLeftDown = false;
      int id = 0;
      float x = m_obPointer.x, y = m_obPointer.y;
      handleTouchesCancel(1, &id, &x, &y);
    }
  }
  if (kind == CCWindowMessage::kMaximized || kind == CCWindowMessage::kRestored) m_bWindowChanged = true;
  CCWindowMessage m = makeMessage(kind, 0, 0);
  sendToHook(m);
}

bool CCEGLView::takeWindowChange() {
  const bool changed = m_bWindowChanged;
  m_bWindowChanged = false;
  return changed;
}

bool CCEGLView::handleCloseRequest() {
  CCWindowMessage m = makeMessage(CCWindowMessage::kClose, 0, 0);
  return !sendToHook(m);
}

void CCEGLView::handleExposed() { ccSetNeedsRedraw(); }

void CCEGLView::handleResize(float width, float height) {
  if (width <= 0 || height <= 0) return;
  m_obScreenSize = CCSize(width, height);
  m_bWindowChanged = true;
  updateScale();
  CCWindowMessage m = makeMessage(CCWindowMessage::kResized, 0, 0);
  m.location = CCPoint(width, height);
  sendToHook(m);
}

// One touch object per id, alive from began to ended.
static CCTouch* s_touches[8] = {};

void CCEGLView::dispatchTouches(int phase, int num, int ids[], float xs[], float ys[]) {
  CCSet* set = new CCSet();
  for (int i = 0; i < num; ++i) {
    int id = ids[i];
    if (id < 0 || id >= 8) continue;
    CCTouch*& t = s_touches[id];
    if (phase == CCTOUCHBEGAN) {
      if (t) t->release();
      t = new CCTouch();
    }
    if (!t) continue;  // a move or end without a began
    t->setTouchInfo(id, xs[i], ys[i]);
    set->addObject(t);
  }
  if (set->count() > 0) {
    CCDirector::sharedDirector()->getTouchDispatcher()->touches(set, nullptr, (unsigned int)phase);
    ccSetNeedsRedraw();
  }
  if (phase == CCTOUCHENDED || phase == CCTOUCHCANCELLED) {
    for (int i = 0; i < num; ++i) {
      int id = ids[i];
      if (id < 0 || id >= 8 || !s_touches[id]) continue;
      s_touches[id]->release();
      s_touches[id] = nullptr;
    }
  }
  set->release();
}

void CCEGLView::handleTouchesBegin(int num, int ids[], float xs[], float ys[]) {
  dispatchTouches(CCTOUCHBEGAN, num, ids, xs, ys);
}
void CCEGLView::handleTouchesMove(int num, int ids[], float xs[], float ys[]) {
  dispatchTouches(CCTOUCHMOVED, num, ids, xs, ys);
}
void CCEGLView::handleTouchesEnd(int num, int ids[], float xs[], float ys[]) {
  dispatchTouches(CCTOUCHENDED, num, ids, xs, ys);
}
void CCEGLView::handleTouchesCancel(int num, int ids[], float xs[], float ys[]) {
  dispatchTouches(CCTOUCHCANCELLED, num, ids, xs, ys);
}

NS_CC_END
