#ifndef KEST_CC_EGLVIEW_H
#define KEST_CC_EGLVIEW_H

// The window: frame size in pixels, the design resolution (1288 x 762) and the
// scale between them, and the window messages.
//
// Input path: every window event becomes a CCWindowMessage handed first to
// the application's hook; if the hook does not consume it, the left button turns
// into touch 0, Escape into the keypad's back key.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CCGeometry.h"
#include "CCObject.h"

namespace kest {
namespace backend {
struct Cursor;
}  // namespace backend
}  // namespace kest

NS_CC_BEGIN

enum ResolutionPolicy {
  kResolutionExactFit,
  kResolutionNoBorder,
  kResolutionShowAll,
  kResolutionFixedHeight,
  kResolutionFixedWidth,
  // The whole design shows, scaled by the smaller of the two ratios; the
  // visible area grows along the other side to the window's edge (a window
  // wider than the design shows more width, a taller one more height).
  kResolutionShowAllExpanded,
  kResolutionUnKnown,
};

// Virtual-key codes of the key messages (the values the program's hooks test).
enum {
  kCCVKBack = 8,
  kCCVKTab = 9,
  kCCVKReturn = 13,
  kCCVKEscape = 27,
  kCCVKEnd = 35,
  kCCVKHome = 36,
  kCCVKLeft = 37,
  kCCVKUp = 38,
  kCCVKRight = 39,
  kCCVKDown = 40,
  kCCVKDelete = 46,
  // Letters and digits are their upper-case ASCII codes ('C', 'V', '0').
};

struct CCWindowMessage {
  enum Kind {
    kMouseMove,      // location
    kLButtonDown,    // location
    kLButtonUp,      // location
    kLButtonDblClk,  // location
    kRButtonDown,    // location
    kRButtonUp,      // location
    kMouseWheel,     // wheelDelta: +120 a notch away from the user, -120 towards
    kSetCursor,      // location; sent after each mouse move inside the window
    kKeyDown,        // key, ctrl, shift
    kKeyUp,          // key, ctrl, shift
    kTextInput,      // text (UTF-8)
    kMinimized,
    kMaximized,  // the window became maximised
    kRestored,   // the window is no longer maximised
    kResized,    // location = new frame size in pixels
    kClose,      // the window was asked to close; consumed, it stays open
  };
  Kind kind;
  // Window pixels with the origin at the bottom-left (GL orientation).
  CCPoint location;
  // Window pixels with the origin at the top-left.
  CCPoint locationInView;
  int wheelDelta = 0;
  int key = 0;
  bool ctrl = false;
  bool shift = false;
  std::string text;
};

// Returns true when the message is consumed (no touch or keypad handling).
typedef std::function<bool(const CCWindowMessage&)> CCWindowMessageHook;

// Where a press on the window lands, as a window answers the window
// manager's hit test: its own (client), the caption that moves the window,
// or an edge or corner that sizes it.
enum class CCWindowArea {
  kClient,
  kCaption,
  kTop,
  kTopRight,
  kRight,
  kBottomRight,
  kBottom,
  kBottomLeft,
  kLeft,
  kTopLeft,
};
// Says whether a window pixel (origin top-left) lies on the caption
// (kCaption) or on the client (kClient); edges are the view's.
typedef std::function<CCWindowArea(const CCPoint& locationInView)> CCWindowAreaHook;

// A mouse cursor the view made (loadCursor, getArrowCursor); it lives until
// the program ends.
class CCCursor {
 public:
  // The picture's path, or "arrow".
  const std::string& getSource() const { return m_source; }

 private:
  friend class CCEGLView;
  std::string m_source;
  kest::backend::Cursor* m_pCursor = nullptr;  // null: made without a window, never shown
};

class CCEGLView {
 public:
  static CCEGLView* sharedOpenGLView();

  const CCSize& getFrameSize() const { return m_obScreenSize; }
  // Resizes the window (and the scale).
  void setFrameSize(float width, float height);
  // The least size the window may be given, the window manager's sizing
  // included (less on a usable area that cannot hold it).
  void setFrameLeastSize(float width, float height);
  const CCSize& getDesignResolutionSize() const { return m_obDesignResolutionSize; }
  // Fixed width keeps the width and makes the height frame height x width /
  // frame width (rounded up), on every resize; fixed height the other way;
  // show-all-expanded keeps whichever side fits whole and grows the other.
  void setDesignResolutionSize(float width, float height, ResolutionPolicy resolutionPolicy);
  CCSize getVisibleSize() const;
  CCPoint getVisibleOrigin() const;
  float getScaleX() const { return m_fScaleX; }
  float getScaleY() const { return m_fScaleY; }
  const CCRect& getViewPortRect() const { return m_obViewPortRect; }
  void setViewName(const char* pszViewName);
  const char* getViewName() const { return m_sViewName.c_str(); }
  // Opens the window and its renderer the first time (hidden when headless);
  // true when there is a renderer.
  bool openWindow();
  // Whether the window and its renderer are open; opens nothing.
  bool isOpenGLReady() const;
  void end();
  void swapBuffers() {}
  void setIMEKeyboardState(bool) {}

  // Scissor in points, as the engine's GL scissor; applies to what is drawn
  // until disabled (the renderer's clip).
  void setScissorInPoints(float x, float y, float w, float h);
  void enableScissor(bool enabled);
  bool isScissorEnabled() const { return m_bScissor; }
  CCRect getScissorRect() const { return m_obScissor; }

  // The module instance of the window on the original platform; nothing here.
  void* GetHistance() const { return nullptr; }
  // The engine view's extra value; kept, not used.
  void setExtraValue(int v) { m_nExtraValue = v; }
  int getExtraValue() const { return m_nExtraValue; }

  void setWindowMessageHook(CCWindowMessageHook hook) { m_hook = std::move(hook); }
  // With an area hook the window draws its own caption: the window manager
  // gives it no frame (set it before the window opens, or it loses its
  // frame then).
  void setWindowAreaHook(CCWindowAreaHook hook);
  // The area under a window pixel (origin top-left): the edges, kResizeBorder
  // pixels wide, size a window that is not maximised; elsewhere the area
  // hook answers (the client without one).
  CCWindowArea windowAreaAt(float x, float y);
  static constexpr int kResizeBorder = 4;
  // How far a press on a maximised window's caption moves before it drags
  // the window out of its state.
  static constexpr int kCaptionDragStart = 4;

  // Window state: maximising goes through the window manager, which keeps
  // the rectangle that restoring gives back; isMaximized follows what it did
  // (kMaximized, kRestored), whoever asked.
  void minimizeWindow();
  void maximizeWindow();
  void restoreWindow();
  bool isMinimized() const;
  bool isMaximized() const;
  // Out of the minimised state and in front (a second start of the program).
  void raiseWindow();
  // Position and size of the window in screen pixels, and of the usable desktop.
  CCRect getWindowRect() const;
  void setWindowRect(const CCRect& r);
  CCRect getWorkArea() const;
  // The window's icon from a picture file; false when there is no window or
  // the picture cannot be read.
  bool setWindowIcon(const std::string& picturePath);

  // Mouse cursors, as LoadImage(IMAGE_CURSOR, 48, 48), LoadCursor(IDC_ARROW)
  // and SetCursor: a picture scaled to 48 x 48 with its hot spot in those
  // pixels (null when the file is missing or unreadable), the system arrow,
  // and setCursor(nullptr) hides the pointer. Made without a window, a cursor
  // is kept and remembered as current but never shown.
  CCCursor* loadCursor(const std::string& picturePath, int hotX, int hotY);
  CCCursor* getArrowCursor();
  void setCursor(CCCursor* cursor);
  // The arrow until a cursor was set.
  CCCursor* getCursor();

  // The window system's clipboard text (UTF-8): false when there is no
  // window, or the text could not be set, or there is none to get.
  bool setClipboardText(const std::string& utf8);
  bool getClipboardText(std::string& utf8);

  // Input entry points (the back end's event pump calls them; tests may too). Coordinates are
  // window pixels with the origin at the top-left. The caption takes the left
  // button's double clicks (maximise or restore) and, maximised, its presses:
  // dragged, the window is restored under the pointer and moves with it.
  void handleMouseMove(float x, float y, bool leftHeld);
  void handleMouseButton(float x, float y, int button, bool down, int clicks);
  void handleMouseWheel(int delta);
  void handleKey(int vk, bool down, bool ctrl, bool shift);
  void handleTextInput(const char* utf8);
  // Minimised, a touch that the left button began is cancelled.
  void handleWindowState(CCWindowMessage::Kind kind);
  // Whether the window's size or maximised state changed since the last
  // call (the window's opening counts): the director tells of the first
  // frame drawn after it.
  bool takeWindowChange();
  // The window was asked to close: false when it is to close (the hook did
  // not consume kClose).
  bool handleCloseRequest();
  // Part of the window must be drawn again.
  void handleExposed();
  void handleResize(float width, float height);
  // Touch entry (view pixels).
  void handleTouchesBegin(int num, int ids[], float xs[], float ys[]);
  void handleTouchesMove(int num, int ids[], float xs[], float ys[]);
  void handleTouchesEnd(int num, int ids[], float xs[], float ys[]);
  void handleTouchesCancel(int num, int ids[], float xs[], float ys[]);

  // Processes pending window events; false when the window was closed.
  bool pollEvents();

 private:
  CCEGLView();
  void updateScale();
  bool sendToHook(CCWindowMessage& msg);
  CCWindowMessage makeMessage(CCWindowMessage::Kind kind, float x, float y) const;
  void dispatchTouches(int phase, int num, int ids[], float xs[], float ys[]);

  CCSize m_obScreenSize;
  CCSize m_obDesignResolutionSize;
  // As asked for: policies that follow the window change the other.
  CCSize m_obRequestedDesignSize;
  CCRect m_obViewPortRect;
  ResolutionPolicy m_eResolutionPolicy = kResolutionExactFit;
  float m_fScaleX = 1;
  float m_fScaleY = 1;
  std::string m_sViewName = "Kestrelium";
  bool m_bScissor = false;
  CCRect m_obScissor;
  int m_nExtraValue = 0;
  bool m_bLeftDown = false;
  bool m_bWindowChanged = true;  // the first frame is the window's first
  CCPoint m_obPointer;  // where the mouse was last
  // A press on a maximised window's caption, held, and where it was.
  bool m_bCaptionHeld = false;
  CCPoint m_obCaptionPress;
  // A press that drags the window by its frame: its release is the frame's too.
  bool m_bFrameHeld = false;
  CCWindowMessageHook m_hook;
  CCWindowAreaHook m_areaHook;
  std::vector<std::unique_ptr<CCCursor>> m_cursors;
  CCCursor* m_pArrowCursor = nullptr;
  CCCursor* m_pCursor = nullptr;
  bool m_bCursorSet = false;
};

NS_CC_END

#endif
