#ifndef KEST_ENGINE_BACKEND_DAMAGE_H
#define KEST_ENGINE_BACKEND_DAMAGE_H

// Where two frames differ: the draws one has and the other lacks, and the
// rectangles they cover. No SDL here; the back end uses it to draw a frame
// again only where it changed.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kest {
namespace backend {

// Pixel rectangles [x0, x1) x [y0, y1).
struct Rect {
  int x0, y0, x1, y1;
};

inline long rectArea(const Rect& r) { return r.x1 > r.x0 && r.y1 > r.y0 ? (long)(r.x1 - r.x0) * (r.y1 - r.y0) : 0; }
// Whether every pixel of `inner` lies in `outer`.
inline bool rectInside(const Rect& inner, const Rect& outer) {
  return inner.x0 >= outer.x0 && inner.y0 >= outer.y0 && inner.x1 <= outer.x1 && inner.y1 <= outer.y1;
}
// The overlap of a and b; false (and out unspecified) when there is none.
bool intersectRects(const Rect& a, const Rect& b, Rect& out);

// Marks the items of a and b outside one longest common subsequence (a
// shortest edit between them: an item that moved counts as gone and new);
// false when that takes more than maxEdits edits.
bool markEdits(const uint64_t* a, int n, const uint64_t* b, int m, int maxEdits, std::vector<uint8_t>& goneA,
               std::vector<uint8_t>& newB);

// Adds a rectangle to at most maxRects, merging those that overlap or whose
// union costs no more than both, and, beyond maxRects, the pair whose union
// grows least.
void addDamage(std::vector<Rect>& rects, Rect r, size_t maxRects);

// Pixels (0xAARRGGBB, alpha left opaque) of draws blended over `under`, from
// the same draws over black and over white: blending takes each channel u of
// what lies under to c + u * k, so over black they give c and over white
// c + 255 * k (within a unit of what blending gives, from rounding).
void composeOver(const uint32_t* under, const uint32_t* overBlack, const uint32_t* overWhite, uint32_t* out, size_t n);

// A picture laid a texel to a pixel (upright, maybe mirrored): pixel (x, y)
// of `at` takes texel (tx + sx * (x - at.x0), ty + sy * (y - at.y0)), sx and
// sy 1 or -1, times the colour; written over what is there, or blended in by
// its alpha as GL blends (source alpha, one minus source alpha).
struct TexelQuad {
  Rect at{0, 0, 0, 0};
  int tx = 0, ty = 0, sx = 1, sy = 1;
  uint8_t colour[4] = {255, 255, 255, 255};
  bool blend = true;
};

// Draws q into `out`, the 0xAARRGGBB pixels of `area` (rows of its width),
// where it lies in `clip`, from RGBA texels in rows of texW. False, drawing
// nothing, when it would take a texel outside texW x texH.
bool drawTexelQuad(uint32_t* out, const Rect& area, const Rect& clip, const uint8_t* texels, int texW, int texH,
                   const TexelQuad& q);

}  // namespace backend
}  // namespace kest

#endif
