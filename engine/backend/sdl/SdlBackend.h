#ifndef KEST_ENGINE_BACKEND_SDL_BACKEND_H
#define KEST_ENGINE_BACKEND_SDL_BACKEND_H

// The SDL2 back end of the engine (backend/Backend.h), shared by its files
// and by nothing else:
//
//   SdlWindow.cpp        opening and closing the window and its renderer,
//                        window state, the window dragged by its frame,
//                        icon, cursors, clipboard, message box
//   SdlEvents.cpp        the one place that waits for and reads SDL events,
//                        handing them to CCEGLView; the caption's double
//                        click; the clock
//   SdlRenderer.cpp      frames: draws batched by state, the cheap states,
//                        clip, render targets, read-back, present
//   SdlX11.cpp           putting part of a GL back buffer, or pixels, on an
//                        X11 window; the window manager's state of it; the
//                        pointer and the window's place as the server has
//                        them, and requests for a new place
//   SdlFrames.cpp        frames kept between presents: draws recorded,
//                        compared with the last frame's, drawn again only
//                        where they changed
//   SdlTextures.cpp      textures, the pages small ones share, and which of
//                        their texels are opaque
//   SdlTriangleCuts.cpp  how a draw's triangles enter a batch: cut where a
//                        texture drawn past its edge wraps, and cut to what
//                        SDL's software rasteriser can take
//   SdlImages.cpp        decoding and saving pictures (any thread)
//   SdlFonts.cpp         text drawn into pixels with SDL2_ttf
//   SdlAudio.cpp         the sound device (backend/Audio.h)
//
// Everything the back end keeps between calls is in one object, `g_sdl`,
// used on the main thread only. Beside it are only the sound device's
// (SdlAudio.cpp, whose music decoding, fades and limiter run on SDL's audio
// thread), the picture codecs' once-per-process start (any thread), the
// fonts' exit hook, log-once flags, the X library's calls and the triangle
// cutter's and damage search's scratch vectors, kept to reuse their storage.
//
// Mesa's llvmpipe fills every pixel on the CPU, so two kinds of draw take the
// cheap road with the same result: one whose pixel centres land on texel
// centres samples the nearest texel instead of filtering four, and one that
// covers only opaque texels at full alpha is written without blending. Small
// textures drawn only whole (labels) share pages, so a board full of them is
// drawn in a few batches instead of one per texture, and changing a label's
// text writes into a page instead of making a new GL texture.

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "backend/Backend.h"
#include "backend/Damage.h"

namespace kest {
namespace backend {

// --- textures (SdlTextures.cpp) ----------------------------------------------

// What SDL draws from: a texture's own, or a page that small ones share.
struct Surface {
  SDL_Texture* tex = nullptr;
  int w = 0, h = 0;
  bool sdlLinear = true;  // the filter SDL holds now
};

// Pages: rows ("shelves") of one height, each with its free spans of columns.
struct Shelf {
  int y, h;
  std::vector<std::pair<int, int>> free;  // [x0, x1), in order
};
struct Page {
  Surface surf;
  std::vector<Shelf> shelves;
  int nextY = 0;
  int live = 0;
};
constexpr int kPageSize = 1024;

// Opacity is kept in blocks of kBlock x kBlock texels.
constexpr int kBlock = 4;

struct Texture {
  Surface own;
  Surface* surf = &own;
  Page* page = nullptr;
  int x = 0, y = 0;  // where its texels start on the page
  unsigned generation = 0;
  // What it shows, for the frame comparison: a small texture's is its
  // texels' (a label made again with the same text compares equal), a large
  // one's is new with every texture, and with every draw into a target.
  uint64_t serial = 0;
  uint64_t recordedIn = 0;  // the last frame that recorded a draw of it
  int w = 0, h = 0;
  bool linear = true;                     // the filter the engine asked for
  bool target = false;                    // drawn into (createTargetTexture)
  bool repeatS = false, repeatT = false;  // else clamped to the edge
  // Opacity in blocks of kBlock x kBlock texels: 'opaque' when every texel
  // is, 'clear' when no block is, else prefix sums of the blocks that are not.
  bool opaque = false, clear = true;
  int bw = 0, bh = 0;
  std::vector<uint32_t> notOpaqueSum;  // (bw + 1) x (bh + 1)
  // Blocks of kSeenBlock x kSeenBlock texels holding a texel that is not
  // fully transparent, a byte each; empty when the texture is opaque.
  std::vector<uint8_t> seen;
  // Its texels read back from the GL driver (RGBA rows), when a frame put
  // together without drawing needed them (texelsOnCpu).
  mutable std::vector<uint8_t> cpuTexels;
  mutable bool cpuTried = false;
};

constexpr int kSeenBlock = 16;

// Whether every texel of [x0, x1) x [y0, y1), clamped to the texture, is opaque.
bool texelsOpaque(const Texture* t, int x0, int y0, int x1, int y1);
// Whether every texel of [x0, x1) x [y0, y1), clamped to the texture, is
// fully transparent (by blocks: false when one may not be).
bool texelsTransparent(const Texture* t, int x0, int y0, int x1, int y1);
// The texels of a texture of its own of at most kCpuTexelsMax texels, as RGBA
// rows, read from SDL's GL renderer the first time they are asked for; null
// when they cannot be had (a page, a target, another renderer).
constexpr long kCpuTexelsMax = 256 * 256;
const uint8_t* texelsOnCpu(const Texture* t);
// Whether texelsOnCpu may give them, without reading them.
bool mayHaveTexelsOnCpu(const Texture* t);

// Texture coordinates of the texture's own texels to those of what SDL draws from.
inline SDL_Vertex onSurface(const Texture* t, const Vertex& v) {
  SDL_Vertex s;
  s.position = SDL_FPoint{v.x, v.y};
  s.color = SDL_Color{v.r, v.g, v.b, v.a};
  float u = v.u, w = v.v;
  if (t && t->page) {
    u = (t->x + u * t->w) / kPageSize;
    w = (t->y + w * t->h) / kPageSize;
  }
  // SDL refuses a whole draw for one coordinate outside 0..1.
  s.tex_coord = SDL_FPoint{std::min(std::max(u, 0.0f), 1.0f), std::min(std::max(w, 0.0f), 1.0f)};
  return s;
}

// --- batches (SdlRenderer.cpp) -----------------------------------------------

// Draws wait in batches until something needs them on the renderer (a clip,
// a target, a read-back, the end of the frame). A draw joins a batch of its
// state that comes no earlier than the last batch drawing where it draws, so
// interleaved states (opaque and fading sprites of one sheet, labels between
// sprites) cost a few batches instead of one per change.
struct Batch {
  Surface* surf = nullptr;
  Blend blend = Blend::Alpha;
  bool linear = true;
  std::vector<SDL_Vertex> verts;
  std::vector<int> indices;
};
constexpr size_t kMaxBatches = 32;
// The output is cut into kCell x kCell squares to tell where batches draw.
constexpr int kCell = 32;
static_assert(kMaxBatches <= 127, "batch numbers fit the cells");

// Drops the waiting batches (sent first when `send`) and sizes the cells to
// the output.
void endBatches(bool send);
// Sends the waiting batches to the renderer.
void flushBatches();
// Whether a waiting batch draws from the surface.
bool drawsWaitOn(const Surface* surf);

// Finds the X11 connection of the window, how to put pixels on it and, for a
// GL window, glXCopySubBufferMESA (SdlX11.cpp); forgets them before the
// window goes.
void findWindowX11(SDL_Window* win, bool gl);
void forgetWindowX11();
// Events the X library has read and queued (no call to the server); -1 when
// the window is not on X.
int queuedX11Events();
// Sends the requests the X library holds to the server.
void flushX11();
// The same, and waits until the server has done them.
void syncX11();
// The same when a request was made since the last flush: a flush also reads
// the connection, two system calls that a wait after a shown frame spares.
void flushX11IfRequested();
// Whether a window manager runs on the window's X server.
bool windowManagerX11();
// Whether the window manager has the window maximised (both ways): 1 or 0,
// -1 when the window is not on X or the state cannot be read.
int maximizedX11();
// Whether an SDL_SysWMmsg is the window manager changing the window's state.
bool stateChangeX11(const void* sysWmMessage);
// What an SDL_SysWMmsg tells of the pointer on the window: a press or a
// release of a button (not the wheel's: `button` says which, 1 the left), or
// a motion; and where the server had the pointer then, on the window and on
// the screen.
enum class PointerEvent { kNone, kPress, kRelease, kMotion };
PointerEvent pointerEventX11(const void* sysWmMessage, int& x, int& y, int& rootX, int& rootY, int& button);
// When SDL holds the left button down, has it read a release of it next,
// where the last left press was, before anything the X library has queued:
// for a press whose release the window will never get (it went out of sight
// while the button was down). Else SDL would drop the next press as no
// change. Nothing when the window is not on X.
void releaseHeldLeftButtonX11();
// Whether the X server has the left button down now: 1 or 0, -1 when the
// window is not on X.
int leftButtonDownX11();
// The window's rectangle on the screen as the X server has it now (SDL's
// may be one it asked for and the manager has not given yet); false when
// the window is not on X.
bool windowOnScreenX11(int& x, int& y, int& w, int& h);
// Asks for the window's place (and, with `size`, its size) with a request
// of our own, sent at once: SDL's calls wait up to a tenth of a second each
// for a manager that is slow, and then count the size asked for as the
// window's, which it may get later or never. The window's size changes
// when the server says so. False when the window is not on X.
bool askWindowRectX11(int x, int y, int w, int h, bool size);
// A window being dragged (dragWindow) follows the pointer's motions on it
// and ends with the left button's release, read in the order the server
// sent them: a press the manager held back and let through after the
// release drags the window as it was made (SdlWindow.cpp).
void windowDragTo(int rootX, int rootY);
void endWindowDrag();
// Once a pass: asks for the place the motions read last gave, and ends a
// drag whose release went elsewhere (the button is up, nothing left to read).
void followWindowDrag();
// Lets go of a held left button as soon as SDL reads that the window was
// minimised, before the events that came after (SdlEvents.cpp).
void watchPostedEvents();
// Where the pointer is on the window now, as the X server has it; false when
// the window is not on X.
bool pointerOnWindowX11(int& x, int& y);
// Keeps the window's rectangle as the one to restore when it is not
// maximised (the window moved or changed size).
void noteNormalRect();
// Puts the kept frame on the window again, all of it (the window was exposed).
void showCanvasAgain();

// Sends a draw to the batches now (draw() records it while a frame is recorded).
void enqueueDraw(const Texture* t, const Vertex* vertices, int vertexCount, const int* indices, int indexCount,
                 Blend blend);

// --- frames kept between presents (SdlFrames.cpp) ----------------------------

struct Recorded {
  const Texture* tex = nullptr;
  Blend blend = Blend::Alpha;
  bool clipped = false;
  Rect clip{0, 0, 0, 0};
  Rect bounds{0, 0, 0, 0};  // the pixels it can touch; empty when none
  uint32_t firstVert = 0, vertCount = 0, firstIndex = 0, indexCount = 0;
  uint64_t key = 0;  // texture, its state, blend, clip and vertices
};

struct FrameList {
  std::vector<Recorded> draws;
  std::vector<Vertex> verts;
  std::vector<int> indices;
  uint8_t clear[4] = {0, 0, 0, 0};
  int w = 0, h = 0;
};

// Starts recording the draws of a frame cleared to the colour.
void beginRecording(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
void recordDraw(Texture* t, const Vertex* vertices, int vertexCount, const int* indices, int indexCount, Blend blend);
// Draws the recorded frame: again only where it differs from the last one
// when that is still on the output, else whole. Draws from now until the
// next frame go straight to the renderer.
void resolveFrame();
// Whether a recorded draw of the frame being recorded uses the texture.
// A key no other texture has, or one from the texels of a small texture.
uint64_t uniqueTextureKey();
uint64_t texelsKey(const uint8_t* rgba, int width, int height);

inline bool recordedNow(const Texture* t);
// The texture is going or its texels change: draws of it in the last frame
// are not recorded again.
void textureGone(const Texture* t);

// --- rectangles shown again from their pixels (SdlFrames.cpp) -----------------

// A rectangle of a partial frame that has the draws it had before (the same
// draws, in the same order, where they were) shows the pixels it showed
// then: a frame animation over a still table goes round the same few
// pictures. Those pixels are kept, in the window's format, and put on the
// window again with nothing drawn.
//
// A rectangle whose changing draws (blended over what is under them) go
// round a few pictures while what lies under them changes now and then (a
// clock's light over its digits) is kept in two layers: the pixels under the
// first changed draw, and the draws from there on, drawn once over black and
// once over white, which tells their colour and how much of what is under
// them shows. The two are put together on the CPU (within a unit of each
// channel of what the renderer blends) and put on the window (a GL window)
// or into the window surface (the software renderer), with nothing drawn.
struct KeptPixels {
  uint64_t key = 0;  // holds the rectangle too: its size is the key's
  uint64_t used = 0;  // the frame that last showed them
  std::vector<uint32_t> pixels;  // rows top first
  // The same pixels held by the X server once they were shown on a GL
  // window: shown again, they are copied there without being sent again.
  unsigned long pixmap = 0;
};
// What the last frame did with each of its changed rectangles.
struct ShownRect {
  Rect r{0, 0, 0, 0};
  uint64_t key = 0;
  int kept = -1;      // shown from g_sdl.kept[kept]
  int composed = -1;  // shown from g_sdl.composed[composed]
  bool keep = false;  // drawn; its pixels are to be kept
};
// Whether the window's rectangles can be shown from kept pixels (a software
// window surface of 32-bit pixels, or a GL window shown by copying parts of
// its back buffer, with an X11 visual of 32-bit pixels).
bool canKeepPixels();
// Puts the last frame's rectangles that come from kept pixels on a GL window,
// and tells which rectangles are to be shown as usual (all of them on the
// software renderer, where kept pixels went into the window surface).
void showKeptPixels(std::vector<Rect>& drawn);
// Keeps the pixels of the last frame's rectangles drawn to be kept (after
// they were drawn: the back buffer or the window surface holds them).
void keepDrawnPixels();
// Whether a GL back buffer lacks rectangles shown from kept pixels.
bool backBufferLags();
// Draws the whole last frame again into a back buffer that lags.
void refreshBackBuffer();
// Puts 32-bit pixels (the window's format; rows `pitch` bytes apart, 0 for
// w * 4) on the window, without waiting for the server (SdlX11.cpp); the
// request goes with the next flushX11, one for all of a frame's rectangles.
bool putOnWindow(const uint32_t* pixels, int x, int y, int w, int h, int pitch = 0);
// Whether putOnWindow can: a visual of 32-bit pixels, red above green above blue.
bool canPutOnWindow();
// A pixmap of the window's depth holding w x h pixels (as putOnWindow takes
// them), made on the X server; 0 when it cannot be made.
unsigned long pixmapOnServer(const uint32_t* pixels, int w, int h);
void freePixmap(unsigned long pixmap);
// Copies a pixmap on the window, on the server (the request goes with the
// next flushX11).
bool copyPixmapToWindow(unsigned long pixmap, int x, int y, int w, int h);
// Frees the pixmaps of the kept pixels (the window is going).
void forgetKeptPixmaps();

// --- triangles into batches (SdlTriangleCuts.cpp) ----------------------------

// Appends a draw's triangles to the batch (on the software renderer, cut to
// what it can take).
void appendMesh(Batch& b, const Texture* t, const Vertex* vertices, int vertexCount, const int* indices,
                int indexCount);
// Whether a texture coordinate lies outside 0..1: the texture wraps there.
bool beyondTexture(const Vertex* v, int n);
// Appends a draw reaching past its texture, cut where the copies of the
// picture meet so that each piece draws from within it.
void appendWrapped(Batch& b, const Texture* t, const Vertex* vertices, int vertexCount, const int* indices,
                   int indexCount);

// --- pictures and fonts (SdlImages.cpp, SdlFonts.cpp) ------------------------

// Converts a surface to RGBA rows and frees it; false for a null or empty one.
bool surfaceToRgba(SDL_Surface* s, std::vector<uint8_t>& rgba, int& w, int& h);
// Closes the fonts opened so far (they open again on use).
void closeFonts();

// --- the state ---------------------------------------------------------------

struct SdlState {
  // The window and its renderer (SdlWindow.cpp).
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  bool open = false;
  bool tried = false;  // open() ran since the last close()
  bool headless = false;
  const char* rendererName = "none";
  bool software = false;  // SDL's software renderer: triangles are cut to fit it
  // Maximised now, and as the view was last told. Without a window manager
  // the back end maximises (ownMaximize) and keeps the normal rectangle.
  bool maximized = false, maximizedTold = false, ownMaximize = false;
  bool ownCaption = false;  // setOwnCaption: no frame of the manager's
  // The rectangle the window has when it is not maximised (whoever
  // maximises it: the manager's restore gives it back too).
  int normalX = 0, normalY = 0, normalW = 0, normalH = 0;
  int leastW = 0, leastH = 0;  // setLeastWindowSize
  // The last press on the caption (SDL ticks, 0 for none) and where it was
  // on the screen: a second one soon after in the same place is a double
  // click. On the screen, not the window: a window dragged by the first
  // press takes its pixels along under the pointer.
  uint32_t captionPressAt = 0;
  int captionPressX = 0, captionPressY = 0;
  // Where the view was last told of a press of the left button, on the
  // window and on the screen.
  int leftPressX = 0, leftPressY = 0, leftPressRootX = 0, leftPressRootY = 0;
  // A drag of the window by its frame (dragWindow): the sides that follow
  // the pointer, where the pointer was on the screen when it began, the
  // rectangle then, the one the pointer's last motion gives and the one
  // last asked for.
  struct WindowDrag {
    bool on = false;
    int sideX = 0, sideY = 0;
    int pointerX = 0, pointerY = 0;
    int from[4] = {0, 0, 0, 0};
    int wanted[4] = {0, 0, 0, 0};
    int asked[4] = {0, 0, 0, 0};
  } drag;
  // Minimised since the pointer was last seen: what is under it is found
  // again when the window shows.
  bool pointerUnseen = false;

  // A headless GL window draws into a buffer of the size it was opened with,
  // which does not follow the window. Once the window has another size,
  // frames are drawn into a canvas of that size instead (SdlRenderer.cpp).
  int surfaceW = 0, surfaceH = 0;  // 0: the drawing surface follows the window
  SDL_Texture* canvas = nullptr;
  int canvasW = 0, canvasH = 0;
  SDL_Texture* target = nullptr;  // what setRenderTarget asked for

  // Waiting draws (SdlRenderer.cpp).
  std::vector<Batch> batches;  // the first batchCount wait; the rest keep their storage
  size_t batchCount = 0;
  int outW = 0, outH = 0;  // the output the batches draw to
  // For each kCell x kCell square of the output: the last waiting batch that
  // draws there, or -1.
  int cellsW = 0, cellsH = 0;
  std::vector<int8_t> cells;
  bool shortcuts = true;  // setDrawShortcuts

  // Frames kept between presents (SdlFrames.cpp).
  FrameList frame, last;
  bool recording = false;
  bool lastValid = false;  // the output shows `last` and nothing else
  bool clipped = false;    // the clip draws are recorded with
  Rect clip{0, 0, 0, 0};
  uint64_t frameNumber = 0;
  uint64_t lastNumber = 0;  // the frame `last` holds, 0 for none
  uint32_t recordedAgain = 0, lastRecordedAgain = 0;
  // Textures drawn in `last` that went (or were drawn into) since: its
  // draws of them cannot be recorded again. Past kGoneMax, none can.
  std::vector<const Texture*> gone;
  bool goneMany = false;
  uint64_t nextSerial = 1;
  std::vector<Rect> lastRects;  // where the last frame was drawn
  // A GL window shows its canvas: only the rectangles drawn again, when the
  // driver can put part of the back buffer on the window (X11 GLX with
  // GLX_MESA_copy_sub_buffer); all of it after anything else.
  void (*copySubBuffer)(void* display, unsigned long window, int x, int y, int w, int h) = nullptr;
  // GL calls of SDL's GL renderer's context, all null with another
  // renderer: how a target texture is taken off the framebuffer object SDL
  // keeps for its size (destroyTexture), and how a texture's texels are read
  // back (texelsOnCpu).
  struct GlCalls {
    void (*framebufferTexture2D)(unsigned target, unsigned attachment, unsigned textarget, unsigned texture,
                                 int level) = nullptr;
    void (*getTexImage)(unsigned target, int level, unsigned format, unsigned type, void* pixels) = nullptr;
    void (*pixelStore)(unsigned name, int value) = nullptr;
    unsigned (*getError)() = nullptr;
    void (*finish)() = nullptr;
  } gl;
  void* xDisplay = nullptr;
  unsigned long xWindow = 0;
  bool showAll = true;
  int shownW = 0, shownH = 0;  // the size a GL back buffer was last shown at
  uint64_t wholeFrames = 0, partialFrames = 0;
  uint64_t keptRects = 0;  // shown from kept pixels, not drawn
  uint64_t underOnCpu = 0;  // put together on the CPU from kept pixels and texels, not drawn
  uint64_t rectCount = 0, rectPixels = 0;  // drawn again (frameCounts)
  uint64_t sentPixels = 0, sends = 0;      // put on the window

  // Pixels kept of rectangles drawn before, the last frame's rectangles, the
  // keys seen lately (a picture is kept the second time it is drawn), and in
  // a GL window the rectangles where the back buffer lags the window.
  std::vector<KeptPixels> kept;
  std::vector<ShownRect> shown;
  // The last frame's rectangles put together from kept layers (GL window).
  std::vector<std::vector<uint32_t>> composed;
  size_t composedCount = 0;
  // Pixels read while a frame was drawn, kept once it is shown (keeping them
  // earlier could drop pixels the frame's rectangles are shown from).
  struct PendingKeep {
    uint64_t key;
    std::vector<uint32_t> pixels;
  };
  std::vector<PendingKeep> pendingKeeps;
  // What was drawn lately, the oldest forgotten first once `kMost` are held.
  template <class Item, size_t kMost = 256>
  struct Recent {
    std::vector<Item> items;
    size_t next = 0;
    void remember(const Item& item) {
      if (items.size() < kMost) {
        items.push_back(item);
      } else {
        items[next] = item;
        next = (next + 1) % kMost;
      }
    }
    void clear() {
      items.clear();
      next = 0;
    }
  };
  Recent<uint64_t> seenKeys;
  // Layers drawn lately (their keys) and the key of what lay under them.
  Recent<std::pair<uint64_t, uint64_t>> layersSeen;
  std::vector<Rect> staleBack;
  bool backStale = false;  // more of them than are listed
  void* xGC = nullptr;
  void* xVisual = nullptr;
  int xDepth = 0;
  // Whether the X connection had something to read when the loop last
  // waited (or no wait came between): events are pumped then.
  bool xReadable = true;
  double lastPump = 0;

  // Pages that small textures share (SdlTextures.cpp).
  std::vector<std::unique_ptr<Page>> pages;
  // Textures made before the renderer last closed point at nothing of today's.
  unsigned generation = 1;

  // Fonts by path and size; one that failed to open is kept as null
  // (SdlFonts.cpp).
  std::map<std::pair<std::string, int>, TTF_Font*> fonts;
};

extern SdlState g_sdl;

// Counts pixels put on the window by one request (frameCounts).
inline void noteSent(long pixels) {
  g_sdl.sentPixels += (uint64_t)std::max(pixels, 0L);
  ++g_sdl.sends;
}

inline bool recordedNow(const Texture* t) { return g_sdl.recording && t && t->recordedIn == g_sdl.frameNumber; }

}  // namespace backend
}  // namespace kest

#endif
