#include "tools/artgen/Canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace artgen {
namespace {

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

// Cloth grain: a fine weave with a sparse speckle. Deterministic, so the same
// table always gives the same bytes, and regular enough that the big felt
// pictures still compress well.
float Grain(uint32_t x, uint32_t y, uint32_t seed) {
  float weave = ((x ^ y) & 1) ? 0.5f : -0.5f;
  uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  if ((h & 15) == 0) weave += (h & 0x100) ? 1.0f : -1.0f;
  return weave;
}

}  // namespace

Rgbaf ToRgbaf(Colour c) { return {c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f}; }

Rgbaf Mix(Rgbaf a, Rgbaf b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgbaf Shade(Rgbaf c, float factor) {
  if (factor <= 1) return {c.r * factor, c.g * factor, c.b * factor, c.a};
  return Mix(c, {1, 1, 1, c.a}, Clamp01(factor - 1));
}

Rgbaf WithAlpha(Rgbaf c, float a) { return {c.r, c.g, c.b, a}; }

float Luma(Rgbaf c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

Paint Paint::Vertical(Rgbaf top, Rgbaf bottom, float from, float to) {
  Paint p;
  p.type = Type::Vertical;
  p.a = top;
  p.b = bottom;
  p.y0 = from;
  p.y1 = to;
  return p;
}

Paint Paint::Radial(Rgbaf centre, Rgbaf edge, float cx, float cy, float r) {
  Paint p;
  p.type = Type::Radial;
  p.a = centre;
  p.b = edge;
  p.x0 = cx;
  p.y0 = cy;
  p.radius = r;
  return p;
}

Rgbaf Paint::At(float x, float y) const {
  Rgbaf c = a;
  if (type == Type::Vertical) {
    c = Mix(a, b, Clamp01((y - y0) / std::max(1.0f, y1 - y0)));
  } else if (type == Type::Radial) {
    float d = std::sqrt((x - x0) * (x - x0) + (y - y0) * (y - y0)) / std::max(1.0f, radius);
    c = Mix(a, b, Clamp01(d));
  }
  if (noise > 0) {
    float n = 1 + noise * Grain(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed);
    c = {Clamp01(c.r * n), Clamp01(c.g * n), Clamp01(c.b * n), c.a};
  }
  return c;
}

Shape Shape::Rect(float x, float y, float w, float h, float radius) {
  Shape s;
  s.type = Type::RoundRect;
  s.x = x;
  s.y = y;
  s.w = w;
  s.h = h;
  s.r = std::min(radius, std::min(w, h) * 0.5f);
  return s;
}

Shape Shape::Ellipse(float cx, float cy, float rx, float ry) {
  Shape s;
  s.type = Type::Ellipse;
  s.cx = cx;
  s.cy = cy;
  s.rx = std::max(rx, 0.01f);
  s.ry = std::max(ry, 0.01f);
  return s;
}

Shape Shape::Segment(float ax, float ay, float bx, float by, float thickness) {
  Shape s;
  s.type = Type::Segment;
  s.ax = ax;
  s.ay = ay;
  s.bx = bx;
  s.by = by;
  s.r = thickness * 0.5f;
  return s;
}

float Shape::Distance(float px, float py) const {
  switch (type) {
    case Type::RoundRect: {
      float hx = w * 0.5f, hy = h * 0.5f;
      float qx = std::fabs(px - (x + hx)) - (hx - r);
      float qy = std::fabs(py - (y + hy)) - (hy - r);
      float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
      return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
    }
    case Type::Ellipse: {
      // Close to the true distance near the outline, which is all the edge needs.
      float dx = px - cx, dy = py - cy;
      float k0 = std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
      float k1 = std::sqrt((dx / (rx * rx)) * (dx / (rx * rx)) + (dy / (ry * ry)) * (dy / (ry * ry)));
      if (k1 < 1e-6f) return -std::min(rx, ry);
      return k0 * (k0 - 1) / k1;
    }
    case Type::Segment: {
      float vx = bx - ax, vy = by - ay, wx = px - ax, wy = py - ay;
      float len2 = vx * vx + vy * vy;
      float t = len2 > 0 ? Clamp01((wx * vx + wy * vy) / len2) : 0;
      float dx = wx - vx * t, dy = wy - vy * t;
      return std::sqrt(dx * dx + dy * dy) - r;
    }
  }
  return 1e9f;
}

void Shape::Bounds(float& x0, float& y0, float& x1, float& y1) const {
  switch (type) {
    case Type::RoundRect: x0 = x, y0 = y, x1 = x + w, y1 = y + h; return;
    case Type::Ellipse: x0 = cx - rx, y0 = cy - ry, x1 = cx + rx, y1 = cy + ry; return;
    case Type::Segment:
      x0 = std::min(ax, bx) - r, y0 = std::min(ay, by) - r;
      x1 = std::max(ax, bx) + r, y1 = std::max(ay, by) + r;
      return;
  }
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4, 0) {}

void Canvas::Blend(int x, int y, Rgbaf c, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  float sa = Clamp01(c.a * coverage);
  if (sa <= 0) return;
  uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  float da = p[3] / 255.f;
  float oa = sa + da * (1 - sa);
  auto channel = [&](uint8_t d, float s) {
    float v = (s * sa + d / 255.f * da * (1 - sa)) / oa;
    return static_cast<uint8_t>(Clamp01(v) * 255 + 0.5f);
  };
  p[0] = channel(p[0], c.r);
  p[1] = channel(p[1], c.g);
  p[2] = channel(p[2], c.b);
  p[3] = static_cast<uint8_t>(oa * 255 + 0.5f);
}

template <typename Coverage>
void Canvas::Cover(const Shape& shape, float grow, const Paint& paint, Coverage coverage) {
  float x0, y0, x1, y1;
  shape.Bounds(x0, y0, x1, y1);
  int ix0 = std::max(0, static_cast<int>(std::floor(x0 - grow - 1)));
  int iy0 = std::max(0, static_cast<int>(std::floor(y0 - grow - 1)));
  int ix1 = std::min(width_, static_cast<int>(std::ceil(x1 + grow + 1)));
  int iy1 = std::min(height_, static_cast<int>(std::ceil(y1 + grow + 1)));
  for (int y = iy0; y < iy1; ++y) {
    for (int x = ix0; x < ix1; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float cov = coverage(shape.Distance(px, py));
      if (cov > 0) Blend(x, y, paint.At(px, py), cov);
    }
  }
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float softness) {
  if (softness <= 0) {
    Cover(shape, 0, paint, [](float d) { return Clamp01(0.5f - d); });
    return;
  }
  Cover(shape, softness, paint, [softness](float d) {
    float t = Clamp01(0.5f - d / (2 * softness));
    return t * t * (3 - 2 * t);
  });
}

void Canvas::Stroke(const Shape& shape, const Paint& paint, float width) {
  float half = width * 0.5f;
  Cover(shape, half, paint, [half](float d) { return Clamp01(half + 0.5f - std::fabs(d)); });
}

void Canvas::Draw(const Canvas& other, int x, int y, bool halfTurn) {
  for (int sy = 0; sy < other.height_; ++sy) {
    for (int sx = 0; sx < other.width_; ++sx) {
      const uint8_t* s = &other.pixels_[(static_cast<size_t>(sy) * other.width_ + sx) * 4];
      if (s[3] == 0) continue;
      int tx = halfTurn ? x + other.width_ - 1 - sx : x + sx;
      int ty = halfTurn ? y + other.height_ - 1 - sy : y + sy;
      Blend(tx, ty, {s[0] / 255.f, s[1] / 255.f, s[2] / 255.f, 1}, s[3] / 255.f);
    }
  }
}

void Canvas::CopyTo(Canvas& target, int x, int y) const { CopyPartTo(target, 0, 0, width_, height_, x, y); }

void Canvas::CopyPartTo(Canvas& target, int left, int top, int width, int height, int x, int y) const {
  for (int sy = std::max(top, 0); sy < std::min(top + height, height_); ++sy) {
    int ty = y + sy - top;
    if (ty < 0 || ty >= target.height_) continue;
    for (int sx = std::max(left, 0); sx < std::min(left + width, width_); ++sx) {
      int tx = x + sx - left;
      if (tx < 0 || tx >= target.width_) continue;
      const uint8_t* s = &pixels_[(static_cast<size_t>(sy) * width_ + sx) * 4];
      uint8_t* d = &target.pixels_[(static_cast<size_t>(ty) * target.width_ + tx) * 4];
      std::copy(s, s + 4, d);
    }
  }
}

void Canvas::Desaturate(float amount) {
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    float grey = 0.299f * pixels_[i] + 0.587f * pixels_[i + 1] + 0.114f * pixels_[i + 2];
    for (int c = 0; c < 3; ++c)
      pixels_[i + c] = static_cast<uint8_t>(std::lround(pixels_[i + c] + (grey - pixels_[i + c]) * amount));
  }
}

TextPainter::TextPainter(std::string fontPath) : fontPath_(std::move(fontPath)) {
  ok_ = TTF_WasInit() || TTF_Init() == 0;
  if (ok_) ok_ = Font(16, false, 0) != nullptr;
}

TextPainter::~TextPainter() {
  for (auto& entry : fonts_)
    if (entry.second) TTF_CloseFont(entry.second);
}

bool TextPainter::ok() const { return ok_; }

TTF_Font* TextPainter::Font(int size, bool bold, int outline) {
  auto key = std::make_tuple(size, bold, outline);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  TTF_Font* font = TTF_OpenFont(fontPath_.c_str(), std::max(size, 4));
  if (font) {
    TTF_SetFontStyle(font, bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
    TTF_SetFontOutline(font, outline);
    TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
  }
  fonts_[key] = font;
  return font;
}

std::pair<int, int> TextPainter::Measure(const std::string& text, int size, bool bold) {
  TTF_Font* font = Font(size, bold, 0);
  int w = 0, h = 0;
  if (!font || text.empty() || TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return {0, 0};
  return {w, h};
}

int TextPainter::FitSize(const std::string& text, int boxWidth, int boxHeight, int maxSize, bool bold) {
  // The font's line height is about 1.3 em; glyph ink is nearer 1 em.
  int size = std::max(4, std::min(maxSize, boxHeight));
  while (size > 4) {
    auto [w, h] = Measure(text, size, bold);
    if (w <= boxWidth && h * 0.78f <= boxHeight) break;
    --size;
  }
  return size;
}

void TextPainter::Blit(Canvas& canvas, const std::string& text, TTF_Font* font, float cx, float cy, Rgbaf colour) {
  SDL_Color white = {255, 255, 255, 255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), white);
  if (!rendered) return;
  SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(rendered);
  if (!surface) return;
  // Centre the ink, not the font box: CJK, digits and a lone minus sign then
  // all sit where the eye expects them.
  const uint8_t* pixels = static_cast<const uint8_t*>(surface->pixels);
  int inkTop = surface->h, inkBottom = -1;
  for (int y = 0; y < surface->h; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * surface->pitch;
    for (int x = 0; x < surface->w; ++x) {
      if (row[x * 4 + 3] > 24) {
        inkTop = std::min(inkTop, y);
        inkBottom = y;
        break;
      }
    }
  }
  if (inkBottom < 0) {
    SDL_FreeSurface(surface);
    return;
  }
  int x0 = static_cast<int>(std::lround(cx - surface->w * 0.5f));
  int y0 = static_cast<int>(std::lround(cy - (inkTop + inkBottom + 1) * 0.5f));
  for (int y = 0; y < surface->h; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * surface->pitch;
    for (int x = 0; x < surface->w; ++x) {
      uint8_t a = row[x * 4 + 3];
      if (a) canvas.Blend(x0 + x, y0 + y, colour, a / 255.f);
    }
  }
  SDL_FreeSurface(surface);
}

void TextPainter::Draw(Canvas& canvas, const std::string& text, int size, bool bold, float cx, float cy, Rgbaf colour,
                       int outline, Rgbaf outlineColour) {
  if (text.empty()) return;
  if (outline > 0) {
    if (TTF_Font* font = Font(size, bold, outline)) Blit(canvas, text, font, cx, cy, outlineColour);
  }
  if (TTF_Font* font = Font(size, bold, 0)) Blit(canvas, text, font, cx, cy, colour);
}

}  // namespace artgen
