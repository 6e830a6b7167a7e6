// Where two frames differ (Damage.h).

#include "backend/Damage.h"

#include <algorithm>

namespace kest {
namespace backend {

namespace {

Rect unite(const Rect& a, const Rect& b) {
  return Rect{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

}  // namespace

bool intersectRects(const Rect& a, const Rect& b, Rect& out) {
  out.x0 = std::max(a.x0, b.x0);
  out.y0 = std::max(a.y0, b.y0);
  out.x1 = std::min(a.x1, b.x1);
  out.y1 = std::min(a.y1, b.y1);
  return out.x0 < out.x1 && out.y0 < out.y1;
}

// Marks the items of a and b that are not in one longest common subsequence
// (a shortest edit script, Myers' algorithm); false when that takes more than
// maxEdits edits.
bool markEdits(const uint64_t* a, int n, const uint64_t* b, int m, int maxEdits, std::vector<uint8_t>& goneA,
               std::vector<uint8_t>& newB) {
  goneA.assign((size_t)n, 0);
  newB.assign((size_t)m, 0);
  const int offset = maxEdits + 1, width = 2 * maxEdits + 3;
  // Kept between calls: every frame drawn in place asks.
  thread_local std::vector<int> v, trace;
  v.assign((size_t)width, 0);
  trace.clear();
  int found = -1;
  for (int d = 0; d <= maxEdits && found < 0; ++d) {
    trace.insert(trace.end(), v.begin(), v.end());
    for (int k = -d; k <= d; k += 2) {
      int x =
          (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1] : v[offset + k - 1] + 1;
      int y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      v[offset + k] = x;
      if (x >= n && y >= m) {
        found = d;
        break;
      }
    }
  }
  if (found < 0) return false;
  int x = n, y = m;
  for (int d = found; d > 0; --d) {
    const int* vd = &trace[(size_t)d * width];
    const int k = x - y;
    const int prevK = (k == -d || (k != d && vd[offset + k - 1] < vd[offset + k + 1])) ? k + 1 : k - 1;
    const int prevX = vd[offset + prevK], prevY = prevX - prevK;
    while (x > prevX && y > prevY) --x, --y;
    if (x == prevX)
      newB[(size_t)prevY] = 1;
    else
      goneA[(size_t)prevX] = 1;
    x = prevX;
    y = prevY;
  }
  return true;
}

void addDamage(std::vector<Rect>& rects, Rect r, size_t maxRects) {
  for (;;) {
    bool merged = false;
    for (size_t i = 0; i < rects.size(); ++i) {
      Rect o;
      if (intersectRects(rects[i], r, o) || rectArea(unite(rects[i], r)) <= rectArea(rects[i]) + rectArea(r)) {
        r = unite(rects[i], r);
        rects.erase(rects.begin() + (long)i);
        merged = true;
        break;
      }
    }
    if (!merged) break;
  }
  rects.push_back(r);
  while (rects.size() > maxRects) {
    size_t bi = 0, bj = 1;
    long best = -1;
    for (size_t i = 0; i < rects.size(); ++i)
      for (size_t j = i + 1; j < rects.size(); ++j) {
        long growth = rectArea(unite(rects[i], rects[j])) - rectArea(rects[i]) - rectArea(rects[j]);
        if (best < 0 || growth < best) best = growth, bi = i, bj = j;
      }
    Rect u = unite(rects[bi], rects[bj]);
    rects.erase(rects.begin() + (long)bj);
    rects.erase(rects.begin() + (long)bi);
    addDamage(rects, u, maxRects);
  }
}

namespace {
// a * b / 255, rounded to the nearest.
inline uint32_t mul255(uint32_t a, uint32_t b) {
  const uint32_t p = a * b + 128;
  return (p + (p >> 8)) >> 8;
}
}  // namespace

void composeOver(const uint32_t* under, const uint32_t* overBlack, const uint32_t* overWhite, uint32_t* out, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    uint32_t o = 0xff000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const uint32_t c = overBlack[i] >> shift & 255u, w = overWhite[i] >> shift & 255u, u = under[i] >> shift & 255u;
      const uint32_t showing = w > c ? w - c : 0;
      o |= std::min(255u, c + mul255(u, showing)) << shift;
    }
    out[i] = o;
  }
}

bool drawTexelQuad(uint32_t* out, const Rect& area, const Rect& clip, const uint8_t* texels, int texW, int texH,
                   const TexelQuad& q) {
  Rect in;
  if (!intersectRects(q.at, area, in) || !intersectRects(in, clip, in)) return true;
  // The texels at the corners of what is drawn: every one between lies inside too.
  const int ax = q.tx + q.sx * (in.x0 - q.at.x0), bx = q.tx + q.sx * (in.x1 - 1 - q.at.x0);
  const int ay = q.ty + q.sy * (in.y0 - q.at.y0), by = q.ty + q.sy * (in.y1 - 1 - q.at.y0);
  if ((q.sx != 1 && q.sx != -1) || (q.sy != 1 && q.sy != -1) || std::min(ax, bx) < 0 || std::max(ax, bx) >= texW ||
      std::min(ay, by) < 0 || std::max(ay, by) >= texH)
    return false;
  const int areaW = area.x1 - area.x0;
  const bool white = q.colour[0] == 255 && q.colour[1] == 255 && q.colour[2] == 255 && q.colour[3] == 255;
  for (int y = in.y0; y < in.y1; ++y) {
    const uint8_t* row = texels + (size_t)(q.ty + q.sy * (y - q.at.y0)) * (size_t)texW * 4;
    uint32_t* to = out + (size_t)(y - area.y0) * (size_t)areaW + (size_t)(in.x0 - area.x0);
    int tx = q.tx + q.sx * (in.x0 - q.at.x0);
    for (int x = in.x0; x < in.x1; ++x, tx += q.sx, ++to) {
      const uint8_t* t = row + (size_t)tx * 4;
      uint32_t r = t[0], g = t[1], b = t[2], a = t[3];
      if (!white) {
        r = mul255(r, q.colour[0]), g = mul255(g, q.colour[1]), b = mul255(b, q.colour[2]), a = mul255(a, q.colour[3]);
      }
      if (!q.blend) {
        *to = a << 24 | r << 16 | g << 8 | b;
        continue;
      }
      if (a == 0) continue;
      const uint32_t d = *to, k = 255 - a;
      r = std::min(255u, mul255(r, a) + mul255(d >> 16 & 255u, k));
      g = std::min(255u, mul255(g, a) + mul255(d >> 8 & 255u, k));
      b = std::min(255u, mul255(b, a) + mul255(d & 255u, k));
      a = std::min(255u, a + mul255(d >> 24, k));
      *to = a << 24 | r << 16 | g << 8 | b;
    }
  }
  return true;
}

}  // namespace backend
}  // namespace kest
