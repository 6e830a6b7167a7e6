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

void composeOver(const uint32_t* under, const uint32_t* overBlack, const uint32_t* overWhite, uint32_t* out, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    uint32_t o = 0xff000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const uint32_t c = overBlack[i] >> shift & 255u, w = overWhite[i] >> shift & 255u, u = under[i] >> shift & 255u;
      const uint32_t showing = w > c ? w - c : 0;
      o |= std::min(255u, c + (u * showing + 127) / 255) << shift;
    }
    out[i] = o;
  }
}

}  // namespace backend
}  // namespace kest
