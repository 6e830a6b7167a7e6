// How a draw's triangles enter a batch.
//
// Most go in as they are. Two kinds are cut first:
// - a draw whose texture coordinates reach past 0..1: GL would wrap (repeat
//   or clamp to the edge), SDL draws only 0..1, so the triangles are cut
//   where the copies of the picture meet;
// - on SDL's software renderer, triangles that would overflow its 32-bit
//   integer arithmetic are cut to the output and into small enough pieces,
//   and large quads are cut along whole texels so no seams show.
// Cut edges are worked out the same way from either side, so no pixel falls
// between two triangles that share an edge.

#include <cmath>
#include <cstring>
#include <vector>

#include "backend/sdl/SdlBackend.h"

namespace kest {
namespace backend {

namespace {

// A corner of a polygon being cut: x, y, u, v, then r, g, b, a.
struct Corner {
  float f[8];
};
enum { kX, kY, kU, kV };
constexpr int kMaxCorners = 16;  // a triangle cut by eight lines

Corner toCorner(float x, float y, float u, float v, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return Corner{{x, y, u, v, (float)r, (float)g, (float)b, (float)a}};
}

uint8_t channel(float f) { return (uint8_t)std::min(std::max(std::lround(f), 0L), 255L); }

SDL_Vertex toSdl(const Corner& c) {
  SDL_Vertex v;
  v.position = SDL_FPoint{c.f[kX], c.f[kY]};
  v.color = SDL_Color{channel(c.f[4]), channel(c.f[5]), channel(c.f[6]), channel(c.f[7])};
  v.tex_coord = SDL_FPoint{c.f[kU], c.f[kV]};
  return v;
}

Corner toCorner(const SDL_Vertex& v) {
  return toCorner(v.position.x, v.position.y, v.tex_coord.x, v.tex_coord.y, v.color.r, v.color.g, v.color.b, v.color.a);
}

bool before(const Corner& a, const Corner& b) {
  for (int k = 0; k < 4; ++k)
    if (a.f[k] != b.f[k]) return a.f[k] < b.f[k];
  return false;
}

// Keeps the part of a convex polygon on one side of f[axis] == c. The point
// on a crossing edge is worked out from its ends in one order whichever way
// the edge runs, so the two triangles sharing an edge cut it at the same
// point and no pixel falls between them.
int cut(const Corner* in, int n, Corner* out, int axis, float c, bool keepAbove) {
  int m = 0;
  for (int i = 0; i < n; ++i) {
    const Corner& p = in[i];
    const Corner& q = in[(i + 1) % n];
    const bool pIn = keepAbove ? p.f[axis] >= c : p.f[axis] <= c;
    const bool qIn = keepAbove ? q.f[axis] >= c : q.f[axis] <= c;
    if (pIn) out[m++] = p;
    if (pIn == qIn) continue;
    const Corner& a = before(q, p) ? q : p;
    const Corner& b = before(q, p) ? p : q;
    const float t = (c - a.f[axis]) / (b.f[axis] - a.f[axis]);
    Corner r;
    for (int k = 0; k < 8; ++k) r.f[k] = a.f[k] + t * (b.f[k] - a.f[k]);
    r.f[axis] = c;
    out[m++] = r;
  }
  return m;
}

// Cuts to lo <= f[axis] <= hi (an infinite bound cuts nothing).
int cutBetween(const Corner* in, int n, Corner* out, int axis, double lo, double hi) {
  Corner tmp[kMaxCorners];
  const Corner* src = in;
  if (std::isfinite(lo)) {
    n = cut(in, n, tmp, axis, (float)lo, true);
    src = tmp;
  }
  if (std::isfinite(hi)) return cut(src, n, out, axis, (float)hi, false);
  std::copy(src, src + n, out);
  return n;
}

// SDL's software rasteriser works in 32-bit integers on whole pixels
// doubled: a triangle reaching far out of the window, or a large one whose
// texel coordinates are large (twice its area times the texel coordinate of
// a corner), overflows them, and it reads texels from anywhere: wrong pixels
// or a crash.
constexpr float kSoftwareReach = 1024;  // pixels beyond the output
constexpr double kSoftwareProduct = 1 << 30;

bool fitsSoftware(const SDL_Vertex* const* v, int texW, int texH) {
  const float lo = -kSoftwareReach, right = (float)g_sdl.outW + kSoftwareReach,
              bottom = (float)g_sdl.outH + kSoftwareReach;
  double x[3], y[3], texel = 0;
  for (int i = 0; i < 3; ++i) {
    const SDL_FPoint& p = v[i]->position;
    if (!(p.x >= lo && p.x <= right && p.y >= lo && p.y <= bottom)) return false;
    x[i] = 2.0 * (int)p.x;
    y[i] = 2.0 * (int)p.y;
    texel = std::max(texel, (double)std::max((int)(v[i]->tex_coord.x * texW), (int)(v[i]->tex_coord.y * texH)));
  }
  const double area = std::fabs((x[1] - x[0]) * (y[2] - y[0]) - (y[1] - y[0]) * (x[2] - x[0]));
  return area * (texel + 1) < kSoftwareProduct;
}

void pushTriangle(Batch& b, const SDL_Vertex& p, const SDL_Vertex& q, const SDL_Vertex& r) {
  const int base = (int)b.verts.size();
  b.verts.push_back(p);
  b.verts.push_back(q);
  b.verts.push_back(r);
  for (int i = 0; i < 3; ++i) b.indices.push_back(base + i);
}

// A triangle for the software renderer, each with corners of its own: SDL
// takes two triangles sharing an edge that form an upright rectangle for a
// picture copied upright, which a turned picture is not. One that would
// overflow is cut to the output and into squares small enough.
void pushSoftware(Batch& b, const SDL_Vertex& p, const SDL_Vertex& q, const SDL_Vertex& r) {
  const int texW = b.surf ? b.surf->w : 0, texH = b.surf ? b.surf->h : 0;
  const SDL_Vertex* tri[3] = {&p, &q, &r};
  if (fitsSoftware(tri, texW, texH)) {
    pushTriangle(b, p, q, r);
    return;
  }
  Corner poly[kMaxCorners] = {toCorner(p), toCorner(q), toCorner(r)}, inside[kMaxCorners];
  int n = cutBetween(poly, 3, inside, kX, 0, g_sdl.outW);
  n = cutBetween(inside, n, poly, kY, 0, g_sdl.outH);
  if (n < 3) return;
  // Twice a square's area in doubled pixels, times the texels, stays within the product.
  const int cell = (int)std::min(1024.0, std::max(16.0, std::sqrt(kSoftwareProduct / 8 / (std::max(texW, texH) + 1))));
  float x0 = poly[0].f[kX], x1 = x0, y0 = poly[0].f[kY], y1 = y0;
  for (int i = 1; i < n; ++i) {
    x0 = std::min(x0, poly[i].f[kX]);
    x1 = std::max(x1, poly[i].f[kX]);
    y0 = std::min(y0, poly[i].f[kY]);
    y1 = std::max(y1, poly[i].f[kY]);
  }
  for (int cx = (int)x0 / cell * cell; cx < x1; cx += cell) {
    Corner column[kMaxCorners];
    const int nc = cutBetween(poly, n, column, kX, cx, cx + cell);
    for (int cy = (int)y0 / cell * cell; nc >= 3 && cy < y1; cy += cell) {
      Corner piece[kMaxCorners];
      const int np = cutBetween(column, nc, piece, kY, cy, cy + cell);
      for (int i = 1; i + 1 < np; ++i) {
        const SDL_Vertex p0 = toSdl(piece[0]), pi = toSdl(piece[i]), pj = toSdl(piece[i + 1]);
        const SDL_Vertex* small[3] = {&p0, &pi, &pj};
        if (fitsSoftware(small, texW, texH)) pushTriangle(b, p0, pi, pj);
      }
    }
  }
}

// Where pieces of a quad side meet, as values of the side's parameter in
// [0, 1]: every `step` texels of the texture coordinate running along it
// (from a0 at 0 to a1 at 1), over the part [lo, hi] that is seen, widened to
// the nearest such values so every piece ends on whole texels.
void sideCuts(double a0, double a1, double step, double lo, double hi, std::vector<double>& out) {
  out.assign({0.0, 1.0});
  const double span = a1 - a0;
  if (std::fabs(span) > 1e-9) {
    double c0 = a0 + lo * span, c1 = a0 + hi * span;
    if (c0 > c1) std::swap(c0, c1);
    for (double k = std::floor(c0 / step); k <= std::ceil(c1 / step); ++k) {
      const double at = (k * step - a0) / span;
      if (at > 0 && at < 1) out.push_back(at);
    }
  }
  std::sort(out.begin(), out.end());
  // Keep the pieces that reach into [lo, hi].
  size_t first = 0, last = out.size() - 1;
  while (first + 1 < last && out[first + 1] <= lo) ++first;
  while (last > first + 1 && out[last - 1] >= hi) --last;
  out = std::vector<double>(out.begin() + (long)first, out.begin() + (long)last + 1);
}

// A quad for the software renderer. A large one is cut into pieces along
// whole texels: SDL takes each corner's texel coordinate to a whole texel,
// so pieces cut anywhere else would show seams a texel wide, many pixels
// when the picture is magnified. Pieces out of sight are left out. False
// when the quad is not a parallelogram on screen and on the texture.
bool pushSoftwareQuad(Batch& b, const SDL_Vertex* v, const int* idx) {
  // Corner a and d are opposite; the triangles share b and c.
  int a = -1, d = -1;
  for (int i = 0; i < 3; ++i) {
    if (idx[i] != idx[3] && idx[i] != idx[4] && idx[i] != idx[5]) a = idx[i];
    if (idx[3 + i] != idx[0] && idx[3 + i] != idx[1] && idx[3 + i] != idx[2]) d = idx[3 + i];
  }
  if (a < 0 || d < 0) return false;
  int bc[2], n = 0;
  for (int i = 0; i < 3 && n < 2; ++i)
    if (idx[i] != a) bc[n++] = idx[i];
  const SDL_Vertex &A = v[a], &B = v[bc[0]], &C = v[bc[1]], &D = v[d];
  const float ex1 = B.position.x - A.position.x, ey1 = B.position.y - A.position.y;
  const float ex2 = C.position.x - A.position.x, ey2 = C.position.y - A.position.y;
  const float size = std::fabs(ex1) + std::fabs(ey1) + std::fabs(ex2) + std::fabs(ey2);
  if (std::fabs(A.position.x + D.position.x - B.position.x - C.position.x) > 1e-4f * size ||
      std::fabs(A.position.y + D.position.y - B.position.y - C.position.y) > 1e-4f * size ||
      std::fabs(A.tex_coord.x + D.tex_coord.x - B.tex_coord.x - C.tex_coord.x) > 1e-5f ||
      std::fabs(A.tex_coord.y + D.tex_coord.y - B.tex_coord.y - C.tex_coord.y) > 1e-5f ||
      memcmp(&A.color, &B.color, sizeof(SDL_Color)) != 0 || memcmp(&A.color, &C.color, sizeof(SDL_Color)) != 0 ||
      memcmp(&A.color, &D.color, sizeof(SDL_Color)) != 0)
    return false;
  const int texW = b.surf ? b.surf->w : 0, texH = b.surf ? b.surf->h : 0;
  const SDL_Vertex* first[3] = {&A, &B, &C};
  const SDL_Vertex* second[3] = {&C, &B, &D};
  if (fitsSoftware(first, texW, texH) && fitsSoftware(second, texW, texH)) {
    pushTriangle(b, A, B, C);
    pushTriangle(b, C, B, D);
    return true;
  }
  const double det = (double)ex1 * ey2 - (double)ey1 * ex2;
  if (std::fabs(det) < 1e-6) return true;  // covers no pixel
  // The part seen: the output's corners in the quad's parameters.
  double s0 = INFINITY, s1 = -INFINITY, t0 = INFINITY, t1 = -INFINITY;
  for (int corner = 0; corner < 4; ++corner) {
    const double px = (corner & 1 ? g_sdl.outW + 1.0 : -1.0) - A.position.x;
    const double py = (corner & 2 ? g_sdl.outH + 1.0 : -1.0) - A.position.y;
    const double s = (px * ey2 - py * ex2) / det, t = (ex1 * py - ey1 * px) / det;
    s0 = std::min(s0, s), s1 = std::max(s1, s), t0 = std::min(t0, t), t1 = std::max(t1, t);
  }
  s0 = std::max(s0, 0.0), s1 = std::min(s1, 1.0), t0 = std::max(t0, 0.0), t1 = std::min(t1, 1.0);
  if (s0 >= s1 || t0 >= t1) return true;
  // Pieces of at most `reach` pixels a side keep within the products.
  const double reach = std::min(256.0, std::sqrt(kSoftwareProduct / 4 / (std::max(texW, texH) + 1)));
  auto along = [&](const SDL_Vertex& to, double lo, double hi, std::vector<double>& cuts) {
    const double du = ((double)to.tex_coord.x - A.tex_coord.x) * texW;
    const double dv = ((double)to.tex_coord.y - A.tex_coord.y) * texH;
    const bool onU = std::fabs(du) >= std::fabs(dv);
    const double texels = std::max(std::fabs(onU ? du : dv), 1e-9);
    const double pixels = std::hypot(to.position.x - A.position.x, to.position.y - A.position.y);
    const double step = std::max(1.0, std::floor(reach * texels / std::max(pixels, 1e-9)));
    const double from = onU ? (double)A.tex_coord.x * texW : (double)A.tex_coord.y * texH;
    if (!b.surf) {
      // Nothing to keep whole: pieces along the pixels.
      sideCuts(0, pixels, reach, lo, hi, cuts);
      return;
    }
    sideCuts(from, from + (onU ? du : dv), step, lo, hi, cuts);
  };
  static std::vector<double> ss, ts;
  along(B, s0, s1, ss);
  along(C, t0, t1, ts);
  const Corner ca = toCorner(A), cb = toCorner(B), cc = toCorner(C);
  auto at = [&](double s, double t) {
    Corner c;
    for (int k = 0; k < 8; ++k) c.f[k] = (float)(ca.f[k] + s * (cb.f[k] - ca.f[k]) + t * (cc.f[k] - ca.f[k]));
    return toSdl(c);
  };
  for (size_t i = 0; i + 1 < ss.size(); ++i)
    for (size_t j = 0; j + 1 < ts.size(); ++j) {
      const SDL_Vertex p00 = at(ss[i], ts[j]), p10 = at(ss[i + 1], ts[j]);
      const SDL_Vertex p01 = at(ss[i], ts[j + 1]), p11 = at(ss[i + 1], ts[j + 1]);
      pushSoftware(b, p00, p10, p01);
      pushSoftware(b, p01, p10, p11);
    }
  return true;
}

// Two triangles sharing an edge that SDL's software renderer copies as a
// picture: corners on two columns and two rows, one colour, and texture
// coordinates that follow the columns and rows (flipped or not, never
// turned) and cover a texel or more each way (else SDL fills the rectangle
// with the colour).
bool copiedUpright(const SDL_Vertex* v, const int* idx, const Surface* surf) {
  int shared = 0;
  for (int i = 0; i < 3; ++i)
    for (int j = 3; j < 6; ++j) shared += idx[i] == idx[j];
  if (shared != 2) return false;
  int topLeft = 0, bottomRight = 0;
  for (int i = 1; i < 4; ++i) {
    if (memcmp(&v[i].color, &v[0].color, sizeof(SDL_Color)) != 0) return false;
    for (int j = 0; j < i; ++j) {
      const bool sameX = v[i].position.x == v[j].position.x, sameY = v[i].position.y == v[j].position.y;
      if (sameX == sameY) {
        // Two corners on no common side: a diagonal, which must cross both ways.
        if (sameX || v[i].tex_coord.x == v[j].tex_coord.x || v[i].tex_coord.y == v[j].tex_coord.y) return false;
      } else if ((sameX && v[i].tex_coord.x != v[j].tex_coord.x) || (sameY && v[i].tex_coord.y != v[j].tex_coord.y)) {
        return false;
      }
    }
    if (v[i].position.x <= v[topLeft].position.x && v[i].position.y <= v[topLeft].position.y) topLeft = i;
    if (v[i].position.x >= v[bottomRight].position.x && v[i].position.y >= v[bottomRight].position.y) bottomRight = i;
  }
  // Each corner shares a side with two others and a diagonal with one.
  for (int i = 0; i < 4; ++i) {
    int sides = 0;
    for (int j = 0; j < 4; ++j)
      sides += j != i && (v[i].position.x == v[j].position.x) != (v[i].position.y == v[j].position.y);
    if (sides != 2) return false;
  }
  if (!surf) return true;
  // As SDL works out the texture rectangle.
  const SDL_FPoint a = v[topLeft].tex_coord, b = v[bottomRight].tex_coord;
  const int sx = (int)(a.x * surf->w), sy = (int)(a.y * surf->h);
  return (int)(b.x * surf->w - sx) != 0 && (int)(b.y * surf->h - sy) != 0;
}

// An upright quad (corners on two columns and two rows, texture coordinates
// following them) moved to the pixel edges that take in the same pixel
// centres, its texture coordinates following: SDL's software renderer copies
// such a quad as a rectangle of texels and rounds its corners each on its
// own, so the slices of a nine-part picture, which meet between pixels, left
// a column of pixels between them, and a slice starting between two texels
// lost a texel to scaling. At whole pixels they meet, and a quad drawn one
// texel to a pixel copies its texels one to one.
void snapUpright(SDL_Vertex* v, const Surface* surf) {
  float x0 = v[0].position.x, x1 = x0, y0 = v[0].position.y, y1 = y0;
  for (int i = 1; i < 4; ++i) {
    x0 = std::min(x0, v[i].position.x), x1 = std::max(x1, v[i].position.x);
    y0 = std::min(y0, v[i].position.y), y1 = std::max(y1, v[i].position.y);
  }
  if (!(x1 > x0) || !(y1 > y0)) return;
  // The texture coordinate at each column and row: the same at all corners there.
  float u[2] = {0, 0}, w[2] = {0, 0};
  bool seenU[2] = {false, false}, seenW[2] = {false, false};
  for (int i = 0; i < 4; ++i) {
    const int cx = v[i].position.x == x0 ? 0 : (v[i].position.x == x1 ? 1 : -1);
    const int cy = v[i].position.y == y0 ? 0 : (v[i].position.y == y1 ? 1 : -1);
    if (cx < 0 || cy < 0) return;
    if ((seenU[cx] && u[cx] != v[i].tex_coord.x) || (seenW[cy] && w[cy] != v[i].tex_coord.y)) return;
    u[cx] = v[i].tex_coord.x, seenU[cx] = true;
    w[cy] = v[i].tex_coord.y, seenW[cy] = true;
  }
  if (!seenU[0] || !seenU[1] || !seenW[0] || !seenW[1]) return;
  auto edge = [](float p) { return std::ceil(p - 0.5f); };
  const float X0 = edge(x0), X1 = edge(x1), Y0 = edge(y0), Y1 = edge(y1);
  if (X1 <= X0 || Y1 <= Y0) return;  // no pixel centre inside: left as it is
  // Along the edge, on a whole texel when within a thousandth of one.
  auto follow = [](float p, float p0, float p1, float a0, float a1, int size) {
    float a = a0 + (p - p0) * (a1 - a0) / (p1 - p0);
    if (size > 0) {
      const float texel = a * (float)size, whole = std::round(texel);
      if (std::fabs(texel - whole) < 1e-3f) a = whole / (float)size;
    }
    return a;
  };
  const int W = surf ? surf->w : 0, H = surf ? surf->h : 0;
  const float U0 = follow(X0, x0, x1, u[0], u[1], W), U1 = follow(X1, x0, x1, u[0], u[1], W);
  const float V0 = follow(Y0, y0, y1, w[0], w[1], H), V1 = follow(Y1, y0, y1, w[0], w[1], H);
  for (int i = 0; i < 4; ++i) {
    const bool left = v[i].position.x == x0, top = v[i].position.y == y0;
    v[i].position = SDL_FPoint{left ? X0 : X1, top ? Y0 : Y1};
    v[i].tex_coord = SDL_FPoint{left ? U0 : U1, top ? V0 : V1};
  }
}

}  // namespace

void appendMesh(Batch& b, const Texture* t, const Vertex* vertices, int vertexCount, const int* indices,
                int indexCount) {
  auto index = [&](int i) {
    const int idx = indices[i];
    return idx < 0 || idx >= vertexCount ? 0 : idx;
  };
  if (g_sdl.software) {
    static std::vector<SDL_Vertex> own;
    own.clear();
    for (int i = 0; i < vertexCount; ++i) own.push_back(onSurface(t, vertices[i]));
    if (vertexCount == 4 && indexCount == 6) {
      const int quad[6] = {index(0), index(1), index(2), index(3), index(4), index(5)};
      snapUpright(own.data(), b.surf);
      if (copiedUpright(own.data(), quad, b.surf)) {
        const int base = (int)b.verts.size();
        b.verts.insert(b.verts.end(), own.begin(), own.end());
        for (int i : quad) b.indices.push_back(base + i);
        return;
      }
      if (pushSoftwareQuad(b, own.data(), quad)) return;
    }
    for (int i = 0; i + 2 < indexCount; i += 3) pushSoftware(b, own[index(i)], own[index(i + 1)], own[index(i + 2)]);
    return;
  }
  const int base = (int)b.verts.size();
  for (int i = 0; i < vertexCount; ++i) b.verts.push_back(onSurface(t, vertices[i]));
  for (int i = 0; i + 2 < indexCount; i += 3)
    for (int k = 0; k < 3; ++k) b.indices.push_back(base + index(i + k));
}

bool beyondTexture(const Vertex* v, int n) {
  for (int i = 0; i < n; ++i)
    if (!(v[i].u >= 0 && v[i].u <= 1 && v[i].v >= 0 && v[i].v <= 1)) return true;
  return false;
}

namespace {

// Along one axis of the texture: where a piece starts and ends, and how its
// coordinates map back into the texture.
struct Span {
  double lo, hi;
  float shift;  // repeat: subtract this
  float fixed;  // clamp beyond the edge: this coordinate throughout, else < 0
};

// The pieces a coordinate range [from, to] falls into: whole copies of the
// picture when it repeats, else the picture and what lies either side of it,
// which shows the edge texel (its centre, as a filter reads it there). False
// when there would be more than `max`.
bool spans(double from, double to, bool repeat, int texels, std::vector<Span>& out, double max) {
  out.clear();
  if (repeat) {
    const double first = std::floor(from), last = std::max(std::ceil(to), first + 1);
    if (last - first > max) return false;
    for (double k = first; k < last; ++k)
      out.push_back(Span{k == first ? -INFINITY : k, k + 1 == last ? INFINITY : k + 1, (float)k, -1});
    return true;
  }
  const float half = 0.5f / (float)texels;
  if (from < 0) out.push_back(Span{-INFINITY, 0, 0, half});
  if (to > 0 && from < 1) out.push_back(Span{out.empty() ? -INFINITY : 0.0, to > 1 ? 1.0 : INFINITY, 0, -1});
  if (to > 1) out.push_back(Span{out.empty() ? -INFINITY : 1.0, INFINITY, 0, 1 - half});
  return true;
}

// A texture rectangle larger than its picture reaches past 0..1. GL would
// wrap: repeat tiles the picture, clamp to the edge stretches its edge
// texels. SDL draws only 0..1, so the triangles are cut where the copies of
// the picture meet and each piece is drawn from within the picture.
constexpr int kMaxWrapPieces = 1 << 16;

}  // namespace

void appendWrapped(Batch& b, const Texture* t, const Vertex* vertices, int vertexCount, const int* indices,
                   int indexCount) {
  static bool logged = false;
  static std::vector<Span> us, vs;
  for (int i = 0; i + 2 < indexCount; i += 3) {
    Corner tri[3];
    double u0 = INFINITY, u1 = -INFINITY, v0 = INFINITY, v1 = -INFINITY;
    for (int k = 0; k < 3; ++k) {
      int idx = indices[i + k];
      if (idx < 0 || idx >= vertexCount) idx = 0;
      const Vertex& v = vertices[idx];
      tri[k] = toCorner(v.x, v.y, v.u, v.v, v.r, v.g, v.b, v.a);
      u0 = std::min(u0, (double)v.u);
      u1 = std::max(u1, (double)v.u);
      v0 = std::min(v0, (double)v.v);
      v1 = std::max(v1, (double)v.v);
    }
    if (!std::isfinite(u0 + u1 + v0 + v1)) continue;
    if (!spans(u0, u1, t->repeatS, t->w, us, kMaxWrapPieces) ||
        !spans(v0, v1, t->repeatT, t->h, vs, (double)kMaxWrapPieces / (double)us.size())) {
      // Too many copies to draw: the edge texels stretch instead.
      if (!logged) SDL_Log("engine: a texture repeats too often to draw; its edges stretch instead");
      logged = true;
      spans(u0, u1, false, t->w, us, kMaxWrapPieces);
      spans(v0, v1, false, t->h, vs, kMaxWrapPieces);
    }
    for (const Span& su : us) {
      Corner column[kMaxCorners];
      const int nc = cutBetween(tri, 3, column, kU, su.lo, su.hi);
      for (size_t c = 0; nc >= 3 && c < vs.size(); ++c) {
        const Span& sw = vs[c];
        Corner piece[kMaxCorners];
        const int np = cutBetween(column, nc, piece, kV, sw.lo, sw.hi);
        if (np < 3) continue;
        SDL_Vertex sv[kMaxCorners];
        for (int k = 0; k < np; ++k) {
          const float* f = piece[k].f;
          Vertex v{f[kX], f[kY], channel(f[4]), channel(f[5]), channel(f[6]), channel(f[7]), f[kU], f[kV]};
          v.u = su.fixed >= 0 ? su.fixed : v.u - su.shift;
          v.v = sw.fixed >= 0 ? sw.fixed : v.v - sw.shift;
          sv[k] = onSurface(t, v);
        }
        if (g_sdl.software) {
          for (int k = 1; k + 1 < np; ++k) pushSoftware(b, sv[0], sv[k], sv[k + 1]);
          continue;
        }
        const int base = (int)b.verts.size();
        for (int k = 0; k < np; ++k) b.verts.push_back(sv[k]);
        for (int k = 1; k + 1 < np; ++k) {
          b.indices.push_back(base);
          b.indices.push_back(base + k);
          b.indices.push_back(base + k + 1);
        }
      }
    }
  }
}

}  // namespace backend
}  // namespace kest
