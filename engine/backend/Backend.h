#ifndef KEST_ENGINE_BACKEND_H
#define KEST_ENGINE_BACKEND_H

// The engine's only door to the platform: window (with its icon, cursors
// and clipboard), renderer, input events, picture codecs, fonts and message
// boxes; the sound device has its own door, Audio.h. Nodes never see SDL;
// engine/backend/sdl/ implements both (SdlBackend.h lists its files).
// Everything here runs on the main thread except the picture codecs, which
// are safe on any thread.

#include <poll.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kest {
namespace backend {

struct Texture;

struct Vertex {
  float x, y;  // window pixels, origin top-left
  uint8_t r, g, b, a;
  float u, v;
};

enum class Blend { None, Alpha, Add, Modulate, Multiply };

// Opens the window and renderer once (hidden when headless), centred in the
// usable area; where that is smaller than width x height, scaled down to fit
// it with the same shape. False when no renderer could be made; drawing then
// does nothing and textures are empty.
bool open(bool headless, int width, int height, const char* title);
bool isOpen();
// Why the last open failed ("" when it did not).
const char* openError();
void close();
// "opengl", "software" or "none".
const char* rendererName();

// Textures from RGBA 8888 pixels, rows top first. One that is only ever
// drawn from within its own texels (texture coordinates 0 to 1, as labels
// are) may share a page with others.
Texture* createTexture(const uint8_t* rgba, int width, int height, bool drawnWhole = false);
void destroyTexture(Texture* t);
// Whether the texture was made for a renderer that has closed since.
bool textureStale(const Texture* t);
void setTextureFilter(Texture* t, bool linear);
// Texture coordinates outside 0 to 1 repeat the picture along an axis that
// repeats, else show its edge texels (GL's repeat and clamp to edge).
void setTextureWrap(Texture* t, bool repeatS, bool repeatT);
// Nearest sampling for draws that map pixels one to one onto texels, no
// blending for draws of opaque texels at full alpha, draws batched out of
// order where they do not overlap, and small textures made from now on
// sharing pages: the same pixels, less work. On by default; tests turn it
// off to compare.
void setDrawShortcuts(bool on);

void beginFrame(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
void draw(Texture* t, const Vertex* vertices, int vertexCount, const int* indices, int indexCount, Blend blend);
// Window pixels; a null rectangle clears the clip.
void setClip(const int* xywh);
void flush();
// Reads the frame drawn so far (before present), RGBA rows top first.
bool readPixels(std::vector<uint8_t>& rgba, int& width, int& height);
void present();
// Returns once the window system has every frame presented so far (on X, a
// round trip): whoever is told of a frame next may look at the window.
void syncShown();
// Waits until everything submitted so far is drawn (benchmarks).
void finish();
// How frames were drawn: whole, or again only where they differ from the one
// before (the rest of the output is kept), and how many pixels the last
// frame drew again; how many rectangles were shown from pixels kept from
// earlier frames, or put together from them, with nothing drawn.
struct FrameCounts {
  uint64_t whole = 0, partial = 0, keptRects = 0;
  uint64_t underOnCpu = 0;  // rectangles put together on the CPU from kept pixels and texels, not drawn
  long lastPixels = 0;
  uint32_t lastRecordedAgain = 0;  // draws the last frame recorded again
  // Since the renderer opened: rectangles drawn again and their pixels
  // (a whole frame counts as one), and what was put on the window (pixels,
  // and the requests that carried them).
  uint64_t rects = 0, rectPixels = 0;
  uint64_t sentPixels = 0, sends = 0;
};
FrameCounts frameCounts();
// Requests the X server refused since the window opened (logged, not fatal).
unsigned x11Errors();
// The rectangles the last frame drew again, x, y, width and height each
// (one of the whole output for a frame drawn whole), and which of them were
// shown from kept pixels or put together from them (1) rather than drawn (0).
void lastFrameRects(std::vector<int>& xywh, std::vector<uint8_t>& kept);
// Draws recorded again: a subtree that has not changed since the last frame
// gives the draws it gave then. The number of the frame being recorded (0
// while draws go straight to the output) and how many draws it has so far.
uint64_t recordingFrame();
uint32_t recordedDraws();
// Records again draws [first, first + count) of the last frame, numbered
// `frame`, which must be the one before the frame being recorded. False,
// with nothing recorded, when they are not there or one of them uses a
// texture that has gone or been drawn into since.
bool recordAgain(uint64_t frame, uint32_t first, uint32_t count);
// Whether recordAgain would.
bool canRecordAgain(uint64_t frame, uint32_t first, uint32_t count);
// Whether the draws recorded from `since` on are those of [first, first +
// count) of the last frame, numbered `frame` (checks a subtree that would
// have recorded them again).
bool recordedAsBefore(uint64_t frame, uint32_t first, uint32_t count, uint32_t since);
// Output size in pixels.
void outputSize(int& width, int& height);
// A texture that can be drawn into (scene transitions snapshot a scene into
// one); null when the renderer cannot make it.
Texture* createTargetTexture(int width, int height);
// Draws into the texture from now on, cleared to opaque black (null: the
// window again). False when that cannot be done.
bool setRenderTarget(Texture* t);

// Window.
void setTitle(const char* title);
// Whether the window draws its own caption (before it opens, or at once):
// the window manager then gives it no frame, and the view's windowAreaAt
// says where a press lands (its caption moves the window, its edges size
// it: dragWindow).
void setOwnCaption(bool own);
void setWindowSize(int width, int height);
// The least size the window may be given (by the player, the window
// manager or the program): the window manager is told. On a usable area too
// small for it, what of it fits there with its shape.
void setLeastWindowSize(int width, int height);
void minimize();
// Maximised by the window manager, which then holds the state and the
// rectangle to go back to; without one (headless, an X server that nobody
// manages) the window takes the work area and the back end keeps both.
void maximize();
// Back from maximised to the rectangle it had before.
void restore();
// Back from maximised to its size, placed under the pointer at the screen
// point (x, y) so that the point lies at the same fraction of the window's
// width and height as before, inside the usable area; the window then
// follows the pointer while the left button is held (a maximised window
// dragged by its caption), as dragWindow moves it.
void restoreUnder(int x, int y, float fractionX, float fractionY);
// From a press on the window's own frame until the left button goes up, the
// window follows the pointer: moved (sides 0, 0: the caption), or sized from
// the edge or corner the sides name (-1 the left or top, 1 the right or
// bottom), no smaller than its least size. The client moves it itself, with
// a request to the window manager for each place, and stops when the button
// is up: a drag handed to the manager could begin after the release and
// leave the window on the pointer. False, with nothing begun, when the
// button is up already or the window cannot be dragged so (headless, not on
// X).
bool dragWindow(int sideX, int sideY);
// The rectangle (x, y, w, h) a window dragged from (x, y, w, h) becomes with
// the pointer moved by (dx, dy): moved with it (sides 0, 0), or its named
// edges following it down to the least size (the other edges stay).
void draggedRect(int sideX, int sideY, int dx, int dy, int leastW, int leastH, int rect[4]);
bool isMinimized();
// Maximised now, as the window manager has it. The view hears of every
// change (kMaximized, kRestored) after the size that came with it.
bool isMaximized();
// Out of the minimised state and in front, with the focus where the window
// manager allows it.
void raiseWindow();
void windowRect(int& x, int& y, int& w, int& h);
void setWindowRect(int x, int y, int w, int h);
// The display's usable area: panels and docks left out.
void workArea(int& x, int& y, int& w, int& h);
// The window's icon from RGBA pixels; false when there is no window.
bool setWindowIcon(const uint8_t* rgba, int width, int height);

// Mouse cursors. A colour cursor from RGBA pixels scaled to size x size,
// with its hot spot in those pixels, or the system arrow: null when there is
// no window. Hiding the pointer needs no cursor; showing it with a null one
// keeps the current picture. Cursors live until the program ends.
struct Cursor;
Cursor* createCursor(const uint8_t* rgba, int width, int height, int size, int hotX, int hotY);
Cursor* createArrowCursor();
void showCursor(bool shown, Cursor* cursor);

// The window system's clipboard text (UTF-8): false when there is no window,
// or the text could not be set, or there is none to get.
bool setClipboardText(const std::string& utf8);
bool getClipboardText(std::string& utf8);

// Sends pending events to the view; false when the program is to end (the
// window was asked to close and the view let it, or a signal came).
bool pumpEvents();
// Sleeps until an event arrives, one of the descriptors is ready (their
// revents say which) or the timeout passes (-1: no timeout). A signal also
// ends the wait. True when the descriptors were polled, so a revents of 0
// says that one had nothing; false when the wait ended without looking.
bool waitEvents(std::vector<pollfd>& fds, int timeoutMs);
double now();

// Pictures (any thread).
// The size of a PNG file from its header, without decoding it; false for
// anything else.
bool pictureSize(const std::string& path, int& width, int& height);
bool decodeFile(const std::string& path, std::vector<uint8_t>& rgba, int& width, int& height);
bool decodeMemory(const void* data, size_t size, std::vector<uint8_t>& rgba, int& width, int& height);
// A worker thread that used the codecs calls this before it ends.
void workerThreadExit();
bool savePng(const std::string& path, const uint8_t* rgba, int width, int height);

// Text: white glyphs with alpha, wrapped at wrapWidth pixels (0: only at
// line breaks), lines aligned 0 left, 1 centre, 2 right. False when the font
// cannot be opened or the text is empty.
bool renderText(const std::string& fontPath, int size, const std::string& utf8, int wrapWidth, int align,
                std::vector<uint8_t>& rgba, int& width, int& height);
bool fontUsable(const std::string& fontPath);
int fontLineHeight(const std::string& fontPath, int size);

void messageBox(const char* text, const char* title);

}  // namespace backend
}  // namespace kest

#endif
