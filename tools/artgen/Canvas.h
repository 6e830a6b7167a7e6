// An RGBA picture with the few anti-aliased shapes the stand-in art needs.
// Shapes are signed distance functions, so one coverage rule gives smooth
// edges, strokes and soft shadows alike.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/artgen/PictureTable.h"

typedef struct _TTF_Font TTF_Font;

namespace artgen {

struct Rgbaf {
  float r = 0, g = 0, b = 0, a = 0;
};

Rgbaf ToRgbaf(Colour c);
Rgbaf Mix(Rgbaf a, Rgbaf b, float t);
Rgbaf Shade(Rgbaf c, float factor);  // factor < 1 darkens, > 1 lightens towards white
Rgbaf WithAlpha(Rgbaf c, float a);
float Luma(Rgbaf c);

// How a shape is coloured at a point.
struct Paint {
  enum class Type { Solid, Vertical, Radial } type = Type::Solid;
  Rgbaf a, b;            // Solid: a. Vertical: a at y0, b at y1. Radial: a at centre, b at radius
  float x0 = 0, y0 = 0;  // Radial centre
  float y1 = 1, radius = 1;
  float noise = 0;  // relative brightness jitter (felt, wood)
  uint32_t seed = 0;

  static Paint Solid(Rgbaf c) {
    Paint p;
    p.a = c;
    p.b = c;
    return p;
  }
  static Paint Vertical(Rgbaf top, Rgbaf bottom, float y0, float y1);
  static Paint Radial(Rgbaf centre, Rgbaf edge, float cx, float cy, float radius);
  Rgbaf At(float x, float y) const;
};

struct Shape {
  enum class Type { RoundRect, Ellipse, Segment } type = Type::RoundRect;
  float x = 0, y = 0, w = 0, h = 0, r = 0;  // RoundRect box and corner radius
  float cx = 0, cy = 0, rx = 0, ry = 0;     // Ellipse
  float ax = 0, ay = 0, bx = 0, by = 0;     // Segment ends, r = half thickness

  static Shape Rect(float x, float y, float w, float h, float radius = 0);
  static Shape Ellipse(float cx, float cy, float rx, float ry);
  static Shape Circle(float cx, float cy, float radius) { return Ellipse(cx, cy, radius, radius); }
  static Shape Segment(float ax, float ay, float bx, float by, float thickness);
  float Distance(float px, float py) const;  // < 0 inside
  void Bounds(float& x0, float& y0, float& x1, float& y1) const;
};

class Canvas {
 public:
  Canvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }  // RGBA, rows top-down

  // Draws over what is there. softness widens the edge (shadows, glows).
  void Fill(const Shape& shape, const Paint& paint, float softness = 0);
  // Draws a band of the given width centred on the shape's outline.
  void Stroke(const Shape& shape, const Paint& paint, float width);
  void Blend(int x, int y, Rgbaf colour, float coverage);
  // Copies another canvas in, rotated half a turn when asked (card corners).
  void Draw(const Canvas& other, int x, int y, bool halfTurn = false);
  // Copies the whole canvas into a larger one at (x, y), replacing pixels.
  void CopyTo(Canvas& target, int x, int y) const;
  // Copies the part (left, top, width, height) of this canvas to (x, y).
  void CopyPartTo(Canvas& target, int left, int top, int width, int height, int x, int y) const;
  // Turns every pixel's colour into grey, keeping alpha (disabled buttons).
  void Desaturate(float amount);

 private:
  template <typename Coverage>
  void Cover(const Shape& shape, float grow, const Paint& paint, Coverage coverage);

  int width_, height_;
  std::vector<uint8_t> pixels_;
};

// Captions in the CJK font, cached by size.
class TextPainter {
 public:
  explicit TextPainter(std::string fontPath);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  bool ok() const;
  const std::string& fontPath() const { return fontPath_; }

  // Pixel size of a caption at a font size.
  std::pair<int, int> Measure(const std::string& text, int size, bool bold);
  // Largest font size (up to maxSize) whose caption fits the box.
  int FitSize(const std::string& text, int boxWidth, int boxHeight, int maxSize, bool bold);
  // Draws the caption centred on (cx, cy), with an outline when outline > 0.
  void Draw(Canvas& canvas, const std::string& text, int size, bool bold, float cx, float cy, Rgbaf colour,
            int outline = 0, Rgbaf outlineColour = {});

 private:
  TTF_Font* Font(int size, bool bold, int outline);
  void Blit(Canvas& canvas, const std::string& text, TTF_Font* font, float cx, float cy, Rgbaf colour);

  std::string fontPath_;
  std::map<std::tuple<int, bool, int>, TTF_Font*> fonts_;
  bool ok_ = false;
};

}  // namespace artgen
