#include "tools/artgen/Painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace artgen {
namespace {

constexpr float kPi = 3.14159265f;

const Rgbaf kWhite = {1, 1, 1, 1};
const Rgbaf kBlack = {0, 0, 0, 1};
const Rgbaf kInk = {0.10f, 0.10f, 0.12f, 1};
const Rgbaf kCardRed = {0.78f, 0.10f, 0.12f, 1};
const Rgbaf kCardBlue = {0.10f, 0.32f, 0.78f, 1};
const Rgbaf kCardGreen = {0.06f, 0.52f, 0.20f, 1};
const Rgbaf kGold = {0.87f, 0.67f, 0.16f, 1};

Rgbaf ColourOr(const Picture& p, size_t i, Rgbaf fallback) {
  return i < p.colours.size() ? ToRgbaf(p.colours[i]) : fallback;
}

Rgbaf Hex(uint32_t rgb) { return {((rgb >> 16) & 255) / 255.f, ((rgb >> 8) & 255) / 255.f, (rgb & 255) / 255.f, 1}; }

// Readable ink on a given ground.
Rgbaf InkOn(Rgbaf ground) { return Luma(ground) > 0.62f ? kInk : kWhite; }

uint32_t Seed(const Picture& p) {
  uint32_t h = 2166136261u;
  for (unsigned char c : p.caption) h = (h ^ c) * 16777619u;
  return h ^ static_cast<uint32_t>(p.index * 7919 + static_cast<int>(p.kind));
}

std::vector<std::string> Utf8Chars(const std::string& text) {
  std::vector<std::string> chars;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
    chars.push_back(text.substr(i, n));
    i += n;
  }
  return chars;
}

// Captions: plain text, or "@name" for the few line icons of window buttons.
void DrawIcon(Canvas& c, const std::string& icon, float cx, float cy, float size, Rgbaf ink, Rgbaf ground) {
  float s = size * 0.5f, t = std::max(1.6f, size * 0.16f);
  Paint pen = Paint::Solid(ink);
  if (icon == "@close") {
    c.Fill(Shape::Segment(cx - s, cy - s, cx + s, cy + s, t), pen);
    c.Fill(Shape::Segment(cx - s, cy + s, cx + s, cy - s, t), pen);
  } else if (icon == "@max") {
    c.Stroke(Shape::Rect(cx - s, cy - s, 2 * s, 2 * s, 1), pen, t * 0.8f);
    c.Fill(Shape::Rect(cx - s, cy - s, 2 * s, t * 1.2f), pen);
  } else if (icon == "@restore") {
    float q = s * 0.7f, d = s * 0.35f;
    c.Stroke(Shape::Rect(cx - q + d, cy - q - d, 2 * q, 2 * q, 1), pen, t * 0.7f);
    c.Fill(Shape::Rect(cx - q - d, cy - q + d, 2 * q, 2 * q, 1), Paint::Solid(ground));
    c.Stroke(Shape::Rect(cx - q - d, cy - q + d, 2 * q, 2 * q, 1), pen, t * 0.7f);
  } else if (icon == "@min") {
    c.Fill(Shape::Segment(cx - s, cy + s * 0.5f, cx + s, cy + s * 0.5f, t), pen);
  } else if (icon == "@menu") {
    for (int i = -1; i <= 1; ++i)
      c.Fill(Shape::Segment(cx - s, cy + i * s * 0.6f, cx + s, cy + i * s * 0.6f, t * 0.8f), pen);
  } else if (icon == "@check") {
    c.Fill(Shape::Segment(cx - s, cy, cx - s * 0.25f, cy + s * 0.7f, t), pen);
    c.Fill(Shape::Segment(cx - s * 0.25f, cy + s * 0.7f, cx + s, cy - s * 0.7f, t), pen);
  }
}

void DrawCaption(Canvas& c, TextPainter& text, const std::string& caption, float cx, float cy, float boxW, float boxH,
                 Rgbaf ink, Rgbaf ground, int maxSize = 64) {
  if (caption.empty()) return;
  if (caption[0] == '@') {
    DrawIcon(c, caption, cx, cy, std::min(boxW, boxH) * 0.85f, ink, ground);
    return;
  }
  int size = text.FitSize(caption, static_cast<int>(boxW), static_cast<int>(boxH), maxSize, true);
  bool lightInk = Luma(ink) > 0.6f;
  int outline = lightInk && size >= 12 ? 1 : 0;
  text.Draw(c, caption, size, true, cx, cy, ink, outline, WithAlpha(Shade(ground, 0.4f), 0.85f));
}

// ---------------------------------------------------------------- cards

const char* const kRanks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
// Colour 0..3 of the card byte: diamonds, clubs, hearts, spades.
const char* const kSuits[] = {"\u2666", "\u2663", "\u2665", "\u2660"};

void DrawCardBack(Canvas& c, const Picture& p, const Shape& body) {
  float w = c.width(), h = c.height();
  Rgbaf base = ColourOr(p, 0, Hex(0x1d4f91));
  c.Fill(body, Paint::Vertical(Shade(base, 1.2f), Shade(base, 0.8f), 0, h));
  c.Stroke(body, Paint::Solid(Shade(base, 0.5f)), 1.2f);
  float m = std::max(3.0f, w * 0.07f);
  Shape inner = Shape::Rect(m, m, w - 2 * m, h - 2 * m, w * 0.05f);
  // Diamond lattice inside the white rule.
  float step = std::max(5.0f, w * 0.09f);
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      if (inner.Distance(px, py) > -1.5f) continue;
      float u = std::fmod(px + py, step), v = std::fmod(px - py + 4096 * step, step);
      float line = std::min(std::min(u, step - u), std::min(v, step - v));
      if (line < 1.2f) c.Blend(x, y, WithAlpha(kWhite, 0.22f), 1.2f - line);
    }
  }
  c.Stroke(inner, Paint::Solid(WithAlpha(kWhite, 0.9f)), std::max(1.5f, w * 0.02f));
  float ex = w * 0.26f, ey = h * 0.16f;
  c.Fill(Shape::Ellipse(w / 2, h / 2, ex, ey), Paint::Radial(Shade(base, 1.3f), base, w / 2, h / 2, ex));
  c.Stroke(Shape::Ellipse(w / 2, h / 2, ex, ey), Paint::Solid(kGold), std::max(1.5f, w * 0.025f));
}

// "four": the four-colour deck of card rooms (diamonds blue, clubs green) with
// a larger corner index, for cards shown at half size where the black pips of
// clubs and spades read alike.
void DrawCardFace(Canvas& c, TextPainter& text, int index, bool fourColour) {
  float w = c.width(), h = c.height();
  bool joker = index >= 52;
  int colour = joker ? 4 : index / 13;
  int value = joker ? 14 + (index - 52) : index % 13 + 1;
  Rgbaf ink = (joker ? index == 53 : (colour == 0 || colour == 2)) ? kCardRed : kInk;
  if (fourColour && colour == 0) ink = kCardBlue;
  if (fourColour && colour == 1) ink = kCardGreen;

  // Corner index, drawn once and turned for the opposite corner.
  // Width, rank and suit heights, and their centres, in parts of the card.
  const float cornerW = fourColour ? 0.32f : 0.27f, cornerH = joker ? 0.62f : fourColour ? 0.42f : 0.34f;
  const float rankH = fourColour ? 0.2f : 0.16f, rankY = fourColour ? 0.125f : 0.105f;
  const float suitH = fourColour ? 0.16f : 0.12f, suitY = fourColour ? 0.32f : 0.25f;
  int cw = static_cast<int>(std::ceil(w * cornerW)), ch = static_cast<int>(std::ceil(h * cornerH));
  Canvas corner(cw, ch);
  if (joker) {
    int size = text.FitSize("W", cw, static_cast<int>(h * 0.1f), 64, true);
    const char* letters = "JOKER";
    for (int i = 0; i < 5; ++i)
      text.Draw(corner, std::string(1, letters[i]), size, true, cw * 0.5f, h * (0.075f + 0.105f * i), ink);
  } else {
    std::string rank = kRanks[value - 1];
    int rankSize = text.FitSize("10", cw, static_cast<int>(h * rankH), 64, true);
    text.Draw(corner, rank, rankSize, true, cw * 0.5f, h * rankY, ink);
    int suitSize = text.FitSize(kSuits[colour], cw, static_cast<int>(h * suitH), 64, false);
    text.Draw(corner, kSuits[colour], suitSize, false, cw * 0.5f, h * suitY, ink);
  }
  c.Draw(corner, static_cast<int>(w * 0.02f), 1);
  c.Draw(corner, c.width() - cw - static_cast<int>(w * 0.02f), c.height() - ch - 1, true);

  float cx = w / 2, cy = h / 2;
  if (joker) {
    int star = text.FitSize("\u2605", static_cast<int>(w * 0.5f), static_cast<int>(h * 0.36f), 200, false);
    text.Draw(c, "\u2605", star, false, cx, cy - h * 0.06f, ink);
    int cap = text.FitSize("大王", static_cast<int>(w * 0.44f), static_cast<int>(h * 0.13f), 64, true);
    text.Draw(c, index == 53 ? "大王" : "小王", cap, true, cx, cy + h * 0.24f, ink);
    return;
  }
  // The middle keeps clear of the larger corner index of the four-colour face.
  const float middle = fourColour ? 0.3f : 0.46f;
  if (value >= 11) {
    // Court cards: a framed panel with the letter over a small pip.
    Shape panel = Shape::Rect(w * (0.5f - middle / 2), h * 0.19f, w * middle, h * 0.62f, w * 0.04f);
    Rgbaf tint = colour == 0 || colour == 2 ? Hex(0xfbe3e0) : Hex(0xe3e8f2);
    if (fourColour && colour < 2) tint = colour == 0 ? Hex(0xe0e8fb) : Hex(0xe0f4e4);
    c.Fill(panel, Paint::Vertical(Shade(tint, 1.05f), tint, h * 0.19f, h * 0.81f));
    c.Stroke(panel, Paint::Solid(WithAlpha(ink, 0.7f)), std::max(1.0f, w * 0.015f));
    int letter = text.FitSize("W", static_cast<int>(w * (middle - 0.06f)), static_cast<int>(h * 0.3f), 200, true);
    text.Draw(c, kRanks[value - 1], letter, true, cx, cy - h * 0.08f, ink);
    int pip = text.FitSize(kSuits[colour], static_cast<int>(w * 0.3f), static_cast<int>(h * 0.17f), 200, false);
    text.Draw(c, kSuits[colour], pip, false, cx, cy + h * 0.18f, ink);
    return;
  }
  int pip = text.FitSize(kSuits[colour], static_cast<int>(w * (fourColour ? 0.34f : 0.56f)),
                         static_cast<int>(h * (fourColour ? 0.3f : 0.42f)), 400, false);
  text.Draw(c, kSuits[colour], pip, false, cx, cy, ink);
}

void DrawCard(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  int index = std::atoi(p.caption.c_str());
  Shape body = Shape::Rect(0.5f, 0.5f, w - 1, h - 1, std::max(3.0f, w * 0.08f));
  if (index == 54) {
    DrawCardBack(c, p, body);
    return;
  }
  c.Fill(body, Paint::Vertical(kWhite, Hex(0xeeece4), 0, h));
  c.Stroke(body, Paint::Solid(Hex(0x8c8c8c)), 1.2f);
  DrawCardFace(c, text, index, p.param == "four");
}

// ---------------------------------------------------------------- chips

void DrawChip(Canvas& c, const Picture& p, TextPainter& text, bool cursor) {
  float w = c.width(), h = c.height();
  float cx = w / 2, cy = h / 2;
  float radius = std::min(w, h) / 2 - (cursor ? 2.5f : 1.0f);
  Rgbaf base = ColourOr(p, 0, Hex(0x2460b2));
  Rgbaf stripe = ColourOr(p, 1, Hex(0xf6eedc));
  if (cursor) c.Fill(Shape::Circle(cx, cy, radius + 1.2f), Paint::Solid(WithAlpha(kBlack, 0.85f)));
  c.Fill(Shape::Circle(cx, cy, radius),
         Paint::Radial(Shade(base, 1.2f), Shade(base, 0.75f), cx, cy - radius * 0.35f, radius * 1.5f));
  // Edge inlays: six light blocks round the rim, as on a casino chip.
  float r0 = radius * 0.72f, r1 = radius - 0.6f;
  for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y) {
    for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1; ++x) {
      float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      float r = std::sqrt(dx * dx + dy * dy);
      if (r < r0 - 1 || r > r1 + 1) continue;
      float turn = std::atan2(dy, dx) / (2 * kPi) * 6 + 6.25f;
      float k = turn - std::floor(turn);
      float edge = std::min(std::min(r - r0, r1 - r), std::min(k, 0.42f - k) * radius * 1.0f);
      if (k < 0.42f) c.Blend(x, y, stripe, std::clamp(edge + 0.5f, 0.0f, 1.0f));
    }
  }
  float inner = radius * 0.64f;
  c.Fill(Shape::Circle(cx, cy, inner),
         Paint::Radial(Shade(base, 1.35f), Shade(base, 0.95f), cx, cy - inner * 0.4f, inner * 1.4f));
  c.Stroke(Shape::Circle(cx, cy, inner), Paint::Solid(WithAlpha(stripe, 0.9f)), std::max(1.0f, radius * 0.07f));
  Rgbaf ink = InkOn(Shade(base, 1.15f));
  if (p.caption.empty()) {
    int size = text.FitSize("\u2605", static_cast<int>(inner * 1.1f), static_cast<int>(inner * 1.1f), 200, false);
    text.Draw(c, "\u2605", size, false, cx, cy, WithAlpha(stripe, 0.95f));
    return;
  }
  DrawCaption(c, text, p.caption, cx, cy, inner * 1.55f, inner * 0.95f, ink, base);
}

// ---------------------------------------------------------------- buttons

char ButtonState(const Picture& p) {
  const std::string states = p.param.empty() ? "nphd" : p.param;
  return p.index < static_cast<int>(states.size()) ? states[p.index] : 'n';
}

void DrawButton(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  char state = ButtonState(p);
  Rgbaf base = ColourOr(p, 0, Hex(0x2a6fc0));
  Rgbaf ink = ColourOr(p, 1, InkOn(Shade(base, 1.1f)));
  if (state == 'd') {
    base = Hex(0x9299a0);
    ink = Hex(0xdfe2e6);
  }
  float radius = std::min(h * 0.3f, 12.0f);
  if (w <= h * 1.3f) radius = std::min(w, h) * 0.22f;
  Shape body = Shape::Rect(0.5f, 0.5f, w - 1, h - 1, radius);
  Rgbaf top = Shade(base, 1.25f), bottom = Shade(base, 0.78f), rim = Shade(base, 0.5f);
  if (state == 'p') {
    top = Shade(base, 0.68f);
    bottom = Shade(base, 0.92f);
    rim = Shade(base, 0.4f);
  } else if (state == 'h') {
    top = Shade(base, 1.5f);
    bottom = Shade(base, 1.0f);
  }
  c.Fill(body, Paint::Vertical(top, bottom, 0, h));
  if (state != 'p') {
    Shape gloss = Shape::Rect(2, 1.5f, w - 4, h * 0.46f, std::max(1.0f, radius - 1.5f));
    c.Fill(gloss,
           Paint::Vertical(WithAlpha(kWhite, state == 'h' ? 0.38f : 0.24f), WithAlpha(kWhite, 0.04f), 1.5f, h * 0.46f));
  } else {
    // A pressed button is lit from below and its top edge is in shadow.
    c.Stroke(Shape::Rect(1.5f, 1.5f, w - 3, h - 3, std::max(1.0f, radius - 1)),
             Paint::Vertical(WithAlpha(kBlack, 0.35f), WithAlpha(kBlack, 0), 0, h * 0.4f), 2);
  }
  c.Stroke(body, Paint::Solid(rim), 1.2f);
  if (state == 'h')
    c.Stroke(Shape::Rect(1.6f, 1.6f, w - 3.2f, h - 3.2f, std::max(1.0f, radius - 1.1f)),
             Paint::Solid(WithAlpha(Hex(0xfff4c0), 0.9f)), 1.4f);
  float shift = state == 'p' ? 1.0f : 0.0f;
  float pad = std::min(h * 0.5f, 14.0f);
  DrawCaption(c, text, p.caption, w / 2, h / 2 + shift, w - pad, h * 0.62f, ink, Mix(top, bottom, 0.5f));
}

void DrawRadio(Canvas& c, const Picture& p) {
  float w = c.width(), h = c.height();
  float r = std::min(w, h) / 2 - 1;
  Rgbaf mark = ColourOr(p, 0, Hex(0x2e9650));
  c.Fill(Shape::Circle(w / 2, h / 2, r), Paint::Vertical(kWhite, Hex(0xdadde2), 0, h));
  c.Stroke(Shape::Circle(w / 2, h / 2, r), Paint::Solid(Hex(0x6b7078)), 1.2f);
  if (p.index == 1)
    c.Fill(Shape::Circle(w / 2, h / 2, r * 0.52f),
           Paint::Radial(Shade(mark, 1.3f), mark, w / 2, h / 2 - r * 0.2f, r * 0.6f));
}

// ---------------------------------------------------------------- grounds

void DrawTable(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  float cx = w / 2, cy = h / 2;
  Rgbaf felt = ColourOr(p, 0, Hex(0x1a6e3a)), rim = ColourOr(p, 1, Hex(0x7a4a24));
  // A parameter narrows the oval by that many pixels each side, leaving the
  // corners of the picture to what stands beside the table.
  float rx = w / 2 - 10 - static_cast<float>(std::atoi(p.param.c_str())), ry = h / 2 - 12;
  c.Fill(Shape::Ellipse(cx, cy + 5, rx, ry), Paint::Solid(WithAlpha(kBlack, 0.5f)), 8);
  Paint wood = Paint::Radial(Shade(rim, 1.35f), Shade(rim, 0.7f), cx, cy - ry * 0.5f, std::max(rx, ry) * 1.2f);
  wood.noise = 0.05f;
  wood.seed = Seed(p);
  c.Fill(Shape::Ellipse(cx, cy, rx, ry), wood);
  c.Stroke(Shape::Ellipse(cx, cy, rx - 1.5f, ry - 1.5f), Paint::Solid(WithAlpha(kWhite, 0.25f)), 1.5f);
  float t = std::max(14.0f, std::min(rx, ry) * 0.1f);
  Paint cloth = Paint::Radial(Shade(felt, 1.3f), Shade(felt, 0.72f), cx, cy, std::max(rx, ry));
  cloth.noise = 0.035f;
  cloth.seed = Seed(p) + 1;
  c.Fill(Shape::Ellipse(cx, cy, rx - t, ry - t), cloth);
  c.Stroke(Shape::Ellipse(cx, cy, rx - t, ry - t), Paint::Solid(WithAlpha(kBlack, 0.35f)), 3);
  c.Stroke(Shape::Ellipse(cx, cy, rx - t * 2.2f, ry - t * 2.2f), Paint::Solid(WithAlpha(kGold, 0.45f)), 2);
  if (!p.caption.empty()) {
    int size = text.FitSize(p.caption, static_cast<int>(rx * 0.7f), static_cast<int>(ry * 0.22f), 120, true);
    text.Draw(c, p.caption, size, true, cx, cy, WithAlpha(Shade(felt, 1.45f), 0.35f));
  }
}

// A rounded panel's body at (x, y), w x h: its fill, inner light line and
// border. Returns its corner radius.
float DrawPanelBody(Canvas& c, float x, float y, float w, float h, Rgbaf base, Rgbaf border) {
  float radius = std::min(12.0f, std::min(w, h) * 0.2f);
  Shape body = Shape::Rect(x + 1, y + 1, w - 2, h - 2, radius);
  c.Fill(body, Paint::Vertical(Shade(base, 1.08f), Shade(base, 0.9f), y, y + h));
  if (w > 12 && h > 12)
    c.Stroke(Shape::Rect(x + 4, y + 4, w - 8, h - 8, std::max(1.0f, radius - 3)), Paint::Solid(WithAlpha(kWhite, 0.22f)),
             1);
  c.Stroke(body, Paint::Solid(border), 2);
  return radius;
}

// A panel's caption at its left, in a box as wide as the share of the panel.
void DrawLeftCaption(Canvas& c, TextPainter& text, const std::string& caption, float x, float y, float w, float h,
                     Rgbaf base, float share = 0.3f) {
  float box = std::min(w * share, h * 2.4f);
  DrawCaption(c, text, caption, x + 4 + box / 2, y + h / 2, box, h * 0.6f, InkOn(base), base);
}

void DrawBackground(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  Rgbaf base = ColourOr(p, 0, Hex(0x17324d));
  // No grain here: these are the biggest pictures and noise would make them
  // slow to compress and heavy to load.
  Paint ground = Paint::Radial(Shade(base, 1.3f), Shade(base, 0.6f), w / 2, h * 0.45f, std::sqrt(w * w + h * h) / 2);
  c.Fill(Shape::Rect(0, 0, w, h), ground);
  if (p.param == "frames") {
    // The places of the table's buttons, drawn as the buttons' panels are
    // but darker: what the table offers reads when a button is hidden.
    std::vector<FrameCaption> frames;
    std::string error;
    ParseFrameCaptions(p.caption, frames, error);
    Rgbaf border = ColourOr(p, 1, kGold);
    Rgbaf inside = WithAlpha(Shade(base, 0.55f), 0.85f);
    for (const FrameCaption& f : frames) {
      const float fx = static_cast<float>(f.x), fy = static_cast<float>(f.y);
      const float fw = static_cast<float>(f.width), fh = static_cast<float>(f.height);
      DrawPanelBody(c, fx, fy, fw, fh, inside, border);
      // The name keeps to the frame's left fifth, clear of the amounts the
      // table shows in a frame's middle.
      DrawLeftCaption(c, text, f.text, fx, fy, fw, fh, inside, 0.2f);
    }
    return;
  }
  if (!p.caption.empty()) {
    int size = text.FitSize(p.caption, static_cast<int>(w * 0.5f), static_cast<int>(h * 0.12f), 160, true);
    text.Draw(c, p.caption, size, true, w / 2, h / 2, WithAlpha(Shade(base, 1.5f), 0.25f));
  }
}

void DrawPanel(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  Rgbaf base = ColourOr(p, 0, Hex(0xf6eeda));
  Rgbaf border = ColourOr(p, 1, Shade(base, 0.6f));
  float radius = DrawPanelBody(c, 0, 0, w, h, base, border);
  if (p.caption.empty()) return;
  if (p.param == "form") {
    std::vector<FormCaption> captions;
    std::string error;
    ParseFormCaptions(p.caption, captions, error);
    const int size = 14;
    for (const FormCaption& form : captions) {
      const float width = static_cast<float>(text.Measure(form.text, size, false).first);
      const float cx = form.leftAligned ? form.x + width / 2 : form.x - width / 2;
      text.Draw(c, form.text, size, false, cx, static_cast<float>(form.y), InkOn(base));
    }
    return;
  }
  if (p.param == "left") {
    DrawLeftCaption(c, text, p.caption, 0, 0, w, h, base);
    return;
  }
  if (p.param == "foot") {
    // The name on a band across the foot (a bet area whose middle takes chips).
    const float band = 20;
    Shape foot = Shape::Rect(3, h - 3 - band, w - 6, band, std::max(1.0f, radius - 2));
    c.Fill(foot, Paint::Vertical(border, Shade(border, 1.25f), h - 3 - band, h - 3));
    DrawCaption(c, text, p.caption, w / 2, h - 3 - band / 2, w - 40, band * 0.7f, InkOn(border), border);
    return;
  }
  if (h < 150) {
    DrawCaption(c, text, p.caption, w / 2, h / 2, w - 16, std::min(h * 0.6f, 28.0f), InkOn(base), base);
    return;
  }
  // A title band across the top.
  float band = std::clamp(h * 0.1f, 22.0f, 34.0f);
  Shape title = Shape::Rect(3, 3, w - 6, band, std::max(1.0f, radius - 2));
  c.Fill(title, Paint::Vertical(Shade(border, 1.25f), border, 3, 3 + band));
  DrawCaption(c, text, p.caption, w / 2, 3 + band / 2, w - 40, band * 0.66f, InkOn(border), border);
}

// Cells of one size from the top left, each a dark well inside thin lines,
// so a mark laid in a cell's middle stands clear of the lines; rows or
// columns the cells do not fill stay the body's.
void DrawGrid(Canvas& c, const Picture& p) {
  int columns = 1, rows = 1;
  ParseGrid(p.param, columns, rows);
  const float w = c.width(), h = c.height();
  const float cw = std::floor(w / columns), ch = std::floor(h / rows);
  Rgbaf base = ColourOr(p, 0, Hex(0x0a1a14));
  Rgbaf line = ColourOr(p, 1, Shade(base, 1.6f));
  c.Fill(Shape::Rect(0, 0, w, h), Paint::Solid(base));
  for (int i = 0; i <= columns; ++i) {
    const float x = std::min(w - 1, i * cw);
    c.Fill(Shape::Rect(x, 0, 1, rows * ch), Paint::Solid(line));
  }
  for (int j = 0; j <= rows; ++j) {
    const float y = std::min(h - 1, j * ch);
    c.Fill(Shape::Rect(0, y, columns * cw, 1), Paint::Solid(line));
  }
}

void DrawFill(Canvas& c, const Picture& p) {
  float w = c.width(), h = c.height();
  Rgbaf top = ColourOr(p, 0, Hex(0x8a8f96));
  Rgbaf bottom = ColourOr(p, 1, top);
  c.Fill(Shape::Rect(0, 0, w, h), Paint::Vertical(top, bottom, 0, h));
}

void DrawFrame(Canvas& c, const Picture& p) {
  // Kept thin: stretched as nine slices, the right and bottom bands must fit
  // inside the few pixels of cap those slices keep.
  float w = c.width(), h = c.height(), t = 3;
  Rgbaf wood = ColourOr(p, 0, Hex(0x5a3a1e));
  Paint band = Paint::Vertical(Shade(wood, 1.3f), Shade(wood, 0.8f), 0, h);
  c.Fill(Shape::Rect(0, 0, w, t), band);
  c.Fill(Shape::Rect(0, h - t, w, t), band);
  c.Fill(Shape::Rect(0, 0, t, h), band);
  c.Fill(Shape::Rect(w - t, 0, t, h), band);
  c.Stroke(Shape::Rect(t, t, w - 2 * t, h - 2 * t), Paint::Solid(WithAlpha(kGold, 0.8f)), 1);
}

// ---------------------------------------------------------------- text

void DrawDigits(Canvas& c, const Picture& p, TextPainter& text) {
  Rgbaf fill = ColourOr(p, 0, Hex(0xfad63c));
  Rgbaf outline = ColourOr(p, 1, Shade(fill, 0.3f));
  std::vector<std::string> chars = Utf8Chars(p.param);
  // A third colour grounds every cell whole, so a number stays readable over
  // whatever lies under it (chips on a bet area).
  if (p.colours.size() > 2) c.Fill(Shape::Rect(0, 0, c.width(), c.height()), Paint::Solid(ColourOr(p, 2, kBlack)));
  // One size for every cell, so the glyphs line up.
  int size = p.cellHeight;
  for (const std::string& ch : chars)
    size = std::min(size, text.FitSize(ch, p.cellWidth - 2, p.cellHeight - 2, p.cellHeight, true));
  for (size_t i = 0; i < chars.size(); ++i) {
    float cx = p.cellWidth * (i + 0.5f);
    text.Draw(c, chars[i], size, true, cx, p.cellHeight / 2.0f, fill, 1, outline);
  }
}

void DrawText(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  Rgbaf fill = ColourOr(p, 0, Hex(0xfad63c));
  Rgbaf outline = ColourOr(p, 1, Shade(fill, 0.3f));
  if (p.param == "foot" || p.param == "head") {
    // A sign drawn centred on a card: the caption lies on a dark banner in the
    // picture's lowest third, over the card's foot, and leaves its rank clear;
    // or in the top third, above what lies under the picture's middle.
    float band = std::floor(h / 3);
    float top = p.param == "foot" ? h - band : 0;
    c.Fill(Shape::Rect(0.5f, top + 0.5f, w - 1, band - 1, band / 3), Paint::Solid(WithAlpha(kBlack, 0.72f)));
    int edge = std::max(1, static_cast<int>(band / 16));
    int size =
        text.FitSize(p.caption, static_cast<int>(w) - 2 * edge - 8, static_cast<int>(band) - 2 * edge - 4, 400, true);
    text.Draw(c, p.caption, size, true, w / 2, top + band / 2, fill, edge, outline);
    return;
  }
  int edge = std::max(1, static_cast<int>(h / 16));
  int size = text.FitSize(p.caption, static_cast<int>(w) - 2 * edge - 2, static_cast<int>(h) - 2 * edge - 2, 400, true);
  text.Draw(c, p.caption, size, true, w / 2 + 1, h / 2 + 1.5f, WithAlpha(kBlack, 0.35f), edge, WithAlpha(kBlack, 0.3f));
  text.Draw(c, p.caption, size, true, w / 2, h / 2, fill, edge, outline);
}

void DrawIconBadge(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  Rgbaf base = ColourOr(p, 0, Hex(0x2460b2));
  Rgbaf ink = ColourOr(p, 1, InkOn(base));
  bool round = std::abs(w - h) <= 2;
  Shape body =
      round ? Shape::Ellipse(w / 2, h / 2, w / 2 - 0.8f, h / 2 - 0.8f) : Shape::Rect(0.5f, 0.5f, w - 1, h - 1, h / 2);
  c.Fill(body, Paint::Vertical(Shade(base, 1.25f), Shade(base, 0.8f), 0, h));
  c.Stroke(body, Paint::Solid(WithAlpha(Shade(base, 0.5f), base.a)), std::max(1.0f, h * 0.05f));
  float boxW = round ? w * 0.7f : w - h * 0.6f;
  DrawCaption(c, text, p.caption, w / 2, h / 2, boxW, h * 0.62f, ink, base);
}

void DrawFace(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  Rgbaf base = ColourOr(p, 0, Hex(0x50a0e0));
  // Neighbouring levels get different shades so a list of faces reads apart.
  base = Shade(base, 0.75f + 0.1f * (p.index % 6));
  Shape body = Shape::Rect(0.5f, 0.5f, w - 1, h - 1, w * 0.16f);
  c.Fill(body, Paint::Radial(Shade(base, 1.35f), Shade(base, 0.75f), w / 2, h * 0.35f, w * 0.8f));
  Rgbaf figure = WithAlpha(Hex(0xfdf6ec), 0.95f);
  c.Fill(Shape::Ellipse(w / 2, h * 0.98f, w * 0.33f, h * 0.3f), Paint::Solid(figure));
  c.Fill(Shape::Circle(w / 2, h * 0.42f, w * 0.19f), Paint::Solid(figure));
  c.Stroke(body, Paint::Solid(Shade(base, 0.5f)), std::max(1.0f, w * 0.02f));
  if (!p.caption.empty()) {
    float r = w * 0.15f;
    c.Fill(Shape::Circle(w - r - 3, h - r - 3, r), Paint::Solid(kGold));
    DrawCaption(c, text, p.caption, w - r - 3, h - r - 3, r * 1.5f, r * 1.2f, kInk, kGold);
  }
}

void DrawRing(Canvas& c, const Picture& p) {
  float w = c.width(), h = c.height();
  Rgbaf colour = ColourOr(p, 0, Hex(0x3ac060));
  float t = std::max(3.0f, std::min(w, h) * 0.12f);
  float r = std::min(w, h) / 2 - t / 2 - 1;
  c.Stroke(Shape::Circle(w / 2, h / 2, r),
           Paint::Radial(Shade(colour, 1.3f), Shade(colour, 0.85f), w / 2, h * 0.3f, r * 2), t);
  c.Stroke(Shape::Circle(w / 2, h / 2, r + t / 2), Paint::Solid(WithAlpha(kBlack, 0.4f)), 1);
}

// "frame": a glowing border, clear inside but for the caption, so whatever
// lies under it (a banner, a face) shows framed.
void DrawAnimFrame(Canvas& c, const Picture& p, TextPainter& text, float pulse, Rgbaf glow, Rgbaf ink) {
  float w = c.width(), h = c.height();
  float band = std::max(2.0f, std::min(w, h) * (0.1f + 0.06f * pulse));
  Shape outline = Shape::Rect(band / 2 + 0.5f, band / 2 + 0.5f, w - band - 1, h - band - 1, std::min(h, w) * 0.25f);
  c.Stroke(outline, Paint::Solid(WithAlpha(glow, 0.35f + 0.3f * pulse)), band);
  c.Stroke(outline, Paint::Solid(WithAlpha(Shade(glow, 1.35f), 0.95f)), std::max(1.5f, band * 0.35f));
  if (p.caption.empty()) return;
  int size = text.FitSize(p.caption, static_cast<int>(w - 3 * band), static_cast<int>(h - 3 * band), 400, true);
  text.Draw(c, p.caption, size, true, w / 2, h / 2, ink, std::max(1, size / 14), Shade(glow, 0.35f));
}

void DrawAnim(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  float phase = p.count > 1 ? static_cast<float>(p.index) / p.count : 0;
  float pulse = 0.5f - 0.5f * std::cos(2 * kPi * phase);
  Rgbaf glow = ColourOr(p, 0, kGold);
  Rgbaf ink = ColourOr(p, 1, kWhite);
  if (p.param == "frame") {
    DrawAnimFrame(c, p, text, pulse, glow, ink);
    return;
  }
  float cx = w / 2, cy = h / 2;
  float rx = w / 2 * (0.55f + 0.4f * pulse), ry = h / 2 * (0.55f + 0.4f * pulse);
  c.Fill(Shape::Ellipse(cx, cy, rx * 0.7f, ry * 0.7f), Paint::Solid(WithAlpha(glow, 0.55f)), std::min(rx, ry) * 0.3f);
  // Rays turn a little each frame so the loop visibly moves.
  float spin = phase * kPi / 2;
  float reach = std::min(w, h) / 2 - 2;
  for (int i = 0; i < 8; ++i) {
    float a = spin + i * kPi / 4;
    float r0 = reach * 0.35f, r1 = reach * (0.7f + 0.28f * pulse);
    c.Fill(Shape::Segment(cx + std::cos(a) * r0, cy + std::sin(a) * r0, cx + std::cos(a) * r1, cy + std::sin(a) * r1,
                          std::max(1.5f, reach * 0.07f)),
           Paint::Solid(WithAlpha(Shade(glow, 1.3f), 0.7f)));
  }
  if (p.caption.empty()) {
    c.Fill(Shape::Circle(cx, cy, reach * (0.25f + 0.1f * pulse)),
           Paint::Radial(kWhite, WithAlpha(glow, 0.9f), cx, cy, reach * 0.35f));
    return;
  }
  float scale = 0.88f + 0.12f * pulse;
  int size = text.FitSize(p.caption, static_cast<int>(w * 0.9f * scale), static_cast<int>(h * 0.6f * scale), 400, true);
  int edge = std::max(1, size / 14);
  text.Draw(c, p.caption, size, true, cx, cy, ink, edge, Shade(glow, 0.35f));
}

// ---------------------------------------------------------------- dice

// One die of `side` pixels at (x, y) showing `value` pips (1..6).
void DrawDie(Canvas& c, float x, float y, float side, int value, Rgbaf body, Rgbaf pipColour) {
  Shape cube = Shape::Rect(x + 0.5f, y + 0.5f, side - 1, side - 1, side * 0.18f);
  c.Fill(cube, Paint::Vertical(Shade(body, 1.05f), Shade(body, 0.86f), y, y + side));
  c.Stroke(cube, Paint::Solid(Shade(body, 0.55f)), std::max(1.0f, side * 0.03f));
  // Pip places on a 3 x 3 grid, row by row.
  static const char* const kPips[6] = {"000010000", "100000001", "100010001", "101000101", "101010101", "101101101"};
  const char* pips = kPips[std::clamp(value, 1, 6) - 1];
  float r = side * 0.09f;
  for (int i = 0; i < 9; ++i) {
    if (pips[i] != '1') continue;
    float px = x + side * (0.25f + 0.25f * (i % 3)), py = y + side * (0.25f + 0.25f * (i / 3));
    Rgbaf ink = value == 1 || value == 4 ? kCardRed : pipColour;
    c.Fill(Shape::Circle(px, py, value == 1 ? r * 1.5f : r), Paint::Solid(ink));
  }
}

// A face ("1" to "6") fills the picture; without a caption the member is a
// frame of two dice tumbling, the faces and heights changing with its index.
void DrawDice(Canvas& c, const Picture& p) {
  float w = c.width(), h = c.height();
  Rgbaf body = ColourOr(p, 0, kWhite);
  Rgbaf pips = ColourOr(p, 1, kInk);
  if (!p.caption.empty()) {
    float side = std::min(w, h);
    DrawDie(c, (w - side) / 2, (h - side) / 2, side, std::atoi(p.caption.c_str()), body, pips);
    return;
  }
  float side = std::min(w * 0.42f, h * 0.7f);
  float phase = 2 * kPi * p.index / std::max(1, p.count);
  for (int d = 0; d < 2; ++d) {
    float hop = std::fabs(std::sin(phase * 2 + d * 1.3f)) * (h - side) * 0.9f;
    float x = d == 0 ? w * 0.04f : w - side - w * 0.04f;
    int value = (p.index * (d == 0 ? 1 : 5) + d * 3) % 6 + 1;
    DrawDie(c, x, h - side - hop, side, value, body, pips);
  }
}

// ---------------------------------------------------------------- cars

// A car from above, nose to the right: body, wheels, glass and headlights.
void DrawCar(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  Rgbaf body = ColourOr(p, 0, Hex(0xc82828));
  Rgbaf trim = ColourOr(p, 1, kWhite);
  Rgbaf tyre = Hex(0x1c1c20);
  float wheelW = w * 0.2f, wheelH = h * 0.16f;
  for (float x : {w * 0.14f, w * 0.64f}) {
    c.Fill(Shape::Rect(x, h * 0.02f, wheelW, wheelH, wheelH * 0.4f), Paint::Solid(tyre));
    c.Fill(Shape::Rect(x, h * 0.98f - wheelH, wheelW, wheelH, wheelH * 0.4f), Paint::Solid(tyre));
  }
  Shape shell = Shape::Rect(w * 0.03f, h * 0.1f, w * 0.94f, h * 0.8f, h * 0.28f);
  c.Fill(shell, Paint::Vertical(Shade(body, 1.3f), Shade(body, 0.75f), h * 0.1f, h * 0.9f));
  c.Stroke(shell, Paint::Solid(Shade(body, 0.45f)), std::max(1.0f, h * 0.04f));
  Rgbaf glass = WithAlpha(Hex(0x20364e), 0.92f);
  c.Fill(Shape::Rect(w * 0.6f, h * 0.2f, w * 0.12f, h * 0.6f, h * 0.08f), Paint::Solid(glass));
  c.Fill(Shape::Rect(w * 0.2f, h * 0.24f, w * 0.08f, h * 0.52f, h * 0.06f), Paint::Solid(glass));
  Rgbaf lamp = Hex(0xfff2a8);
  c.Fill(Shape::Circle(w * 0.93f, h * 0.27f, h * 0.07f), Paint::Solid(lamp));
  c.Fill(Shape::Circle(w * 0.93f, h * 0.73f, h * 0.07f), Paint::Solid(lamp));
  DrawCaption(c, text, p.caption, w * 0.44f, h / 2, w * 0.3f, h * 0.5f, trim, body);
}

// A stadium-shaped ring of road round a transparent middle, with kerbs.
void DrawTrack(Canvas& c, const Picture& p) {
  float w = c.width(), h = c.height();
  Rgbaf road = ColourOr(p, 0, Hex(0x3a3d44));
  Rgbaf kerb = ColourOr(p, 1, kWhite);
  float band = std::min(w, h) * 0.16f;
  float inset = band / 2 + 2;
  Shape middle = Shape::Rect(inset, inset, w - 2 * inset, h - 2 * inset, (h - 2 * inset) / 2);
  Paint asphalt = Paint::Solid(road);
  asphalt.noise = 0.04f;
  asphalt.seed = Seed(p);
  c.Stroke(middle, asphalt, band);
  float edge = std::max(1.5f, band * 0.06f);
  for (float d : {-band / 2 + edge / 2, band / 2 - edge / 2}) {
    c.Stroke(Shape::Rect(inset - d, inset - d, w - 2 * (inset - d), h - 2 * (inset - d), (h - 2 * (inset - d)) / 2),
             Paint::Solid(WithAlpha(kerb, 0.85f)), edge);
  }
}

// ---------------------------------------------------------------- horses

// A racehorse from the side, facing right, with its jockey; the caption is
// its number on the saddle cloth. Member 0 stands; the others are a
// gallop's frames, the legs swinging with the member's place.
void DrawHorse(Canvas& c, const Picture& p, TextPainter& text) {
  float w = c.width(), h = c.height();
  Rgbaf coat = ColourOr(p, 0, Hex(0x8a5a2a));
  Rgbaf cloth = ColourOr(p, 1, Hex(0xc82828));
  Rgbaf dark = Shade(coat, 0.55f);
  bool standing = p.index == 0;
  float phase = p.count > 1 ? 2 * kPi * (p.index - 1) / std::max(1, p.count - 1) : 0;
  float bob = standing ? 0 : std::sin(phase * 2) * h * 0.025f;
  Paint hide = Paint::Vertical(Shade(coat, 1.2f), Shade(coat, 0.8f), h * 0.25f, h * 0.65f);
  // Legs first, behind the body: a thigh and a shank each, bent at the knee.
  const float legX[4] = {0.30f, 0.36f, 0.64f, 0.70f};
  const float legPhase[4] = {0.0f, 0.5f, 0.25f, 0.75f};
  for (int i = 0; i < 4; ++i) {
    float swing = standing ? 0 : std::sin(phase + legPhase[i] * 2 * kPi) * 0.55f;
    float hipX = w * legX[i], hipY = h * 0.52f + bob;
    float kneeX = hipX + std::sin(swing) * h * 0.2f, kneeY = hipY + std::cos(swing) * h * 0.2f;
    float bend = standing ? 0 : (i < 2 ? 0.6f : -0.6f) * (0.5f + 0.5f * std::sin(phase + legPhase[i] * 2 * kPi));
    float hoofX = kneeX + std::sin(swing + bend) * h * 0.2f, hoofY = kneeY + std::cos(swing + bend) * h * 0.2f;
    Paint leg = Paint::Solid(i % 2 == 0 ? dark : coat);
    c.Fill(Shape::Segment(hipX, hipY, kneeX, kneeY, h * 0.07f), leg);
    c.Fill(Shape::Segment(kneeX, kneeY, hoofX, hoofY, h * 0.05f), leg);
    c.Fill(Shape::Circle(hoofX, hoofY, h * 0.03f), Paint::Solid(kInk));
  }
  // Tail, body, neck and head.
  float tailSwing = standing ? 0.2f : std::sin(phase) * 0.25f;
  c.Fill(Shape::Segment(w * 0.22f, h * 0.4f + bob, w * 0.08f, h * (0.58f + tailSwing * 0.3f) + bob, h * 0.06f),
         Paint::Solid(dark));
  c.Fill(Shape::Ellipse(w * 0.48f, h * 0.45f + bob, w * 0.27f, h * 0.15f), hide);
  c.Fill(Shape::Segment(w * 0.68f, h * 0.40f + bob, w * 0.80f, h * 0.18f + bob, h * 0.11f), hide);
  c.Fill(Shape::Segment(w * 0.80f, h * 0.17f + bob, w * 0.95f, h * 0.27f + bob, h * 0.09f), hide);
  c.Fill(Shape::Segment(w * 0.78f, h * 0.14f + bob, w * 0.80f, h * 0.06f + bob, h * 0.03f), Paint::Solid(dark));
  c.Fill(Shape::Segment(w * 0.70f, h * 0.30f + bob, w * 0.78f, h * 0.14f + bob, h * 0.03f), Paint::Solid(dark));
  c.Fill(Shape::Circle(w * 0.87f, h * 0.19f + bob, h * 0.018f), Paint::Solid(kInk));
  // The jockey in the cloth's colour, and the cloth with the number.
  c.Fill(Shape::Segment(w * 0.47f, h * 0.33f + bob, w * 0.56f, h * 0.16f + bob, h * 0.09f),
         Paint::Solid(Shade(cloth, 1.1f)));
  c.Fill(Shape::Circle(w * 0.58f, h * 0.11f + bob, h * 0.055f), Paint::Solid(Shade(cloth, 0.7f)));
  Shape pad = Shape::Rect(w * 0.38f, h * 0.32f + bob, w * 0.18f, h * 0.2f, h * 0.03f);
  c.Fill(pad, Paint::Solid(cloth));
  c.Stroke(pad, Paint::Solid(kWhite), std::max(1.0f, h * 0.015f));
  DrawCaption(c, text, p.caption, w * 0.47f, h * 0.42f + bob, w * 0.16f, h * 0.18f, InkOn(cloth), cloth, 40);
}

// ---------------------------------------------------------------- hands

// A dealer's two hands seen from the players' side, holding a deck of card
// backs from either side, fingers over its edges and thumbs on its top. The
// member's place draws the hands apart and together again and slides the
// top card: a shuffle that loops.
void DrawHands(Canvas& c, const Picture& p) {
  float w = c.width(), h = c.height();
  Rgbaf skin = ColourOr(p, 0, Hex(0xf0c8a0));
  Rgbaf back = ColourOr(p, 1, Hex(0x1d4f91));
  Rgbaf cuff = ColourOr(p, 2, kWhite);
  float phase = p.count > 1 ? 2 * kPi * p.index / p.count : 0;
  float swing = std::sin(phase) * w * 0.025f;
  float cx = w / 2, cy = h / 2;
  float cardW = std::min(w * 0.16f, h * 0.62f), cardH = h * 0.86f;
  for (int i = 0; i < 3; ++i) {
    float dx = (i - 1) * 2.0f + (i == 2 ? swing * 0.6f : 0), dy = (1 - i) * 1.5f;
    Shape card = Shape::Rect(cx - cardW / 2 + dx, cy - cardH / 2 + dy, cardW, cardH, cardW * 0.12f);
    c.Fill(card, Paint::Vertical(Shade(back, 1.2f), Shade(back, 0.8f), 0, h));
    c.Stroke(card, Paint::Solid(kWhite), 1.2f);
  }
  Rgbaf line = Shade(skin, 0.65f);
  for (int side = -1; side <= 1; side += 2) {
    float edge = cx + side * cardW / 2;
    float px = edge + side * (h * 0.24f + std::abs(swing)), py = cy + h * 0.06f;
    Shape sleeve =
        Shape::Rect(side < 0 ? px - h * 0.85f : px + h * 0.28f, cy - h * 0.3f, h * 0.57f, h * 0.6f, h * 0.1f);
    c.Fill(sleeve, Paint::Vertical(cuff, Shade(cuff, 0.8f), cy - h * 0.3f, cy + h * 0.3f));
    c.Stroke(sleeve, Paint::Solid(Shade(cuff, 0.6f)), 1);
    Shape palm = Shape::Ellipse(px, py, h * 0.3f, h * 0.34f);
    c.Fill(palm, Paint::Solid(line), 1.2f);
    c.Fill(palm, Paint::Radial(Shade(skin, 1.08f), skin, px, py, h * 0.34f));
    for (int k = 0; k < 4; ++k) {
      float fy = py - h * 0.2f + k * h * 0.13f;
      Shape finger = Shape::Segment(px, fy, edge - side * h * 0.1f, fy + h * 0.02f, h * 0.1f);
      c.Fill(finger, Paint::Solid(line), 1.0f);
      c.Fill(finger, Paint::Solid(skin));
    }
    Shape thumb = Shape::Segment(px, py - h * 0.22f, edge - side * h * 0.02f, cy - h * 0.36f, h * 0.11f);
    c.Fill(thumb, Paint::Solid(line), 1.0f);
    c.Fill(thumb, Paint::Solid(Shade(skin, 1.05f)));
  }
}

}  // namespace

Canvas DrawPicture(const Picture& p, TextPainter& text) {
  if (p.clearAbove + p.clearBelow + p.clearLeft + p.clearRight > 0) {
    Picture drawing = p;
    drawing.height = p.height - p.clearAbove - p.clearBelow;
    drawing.width = p.width - p.clearLeft - p.clearRight;
    drawing.clearAbove = drawing.clearBelow = drawing.clearLeft = drawing.clearRight = 0;
    Canvas whole(p.width, p.height);
    DrawPicture(drawing, text).CopyTo(whole, p.clearLeft, p.clearAbove);
    return whole;
  }
  Canvas c(p.width, p.height);
  switch (p.kind) {
    case Kind::Card: DrawCard(c, p, text); break;
    case Kind::Chip: DrawChip(c, p, text, false); break;
    case Kind::Cursor: DrawChip(c, p, text, true); break;
    case Kind::Button: DrawButton(c, p, text); break;
    case Kind::Radio: DrawRadio(c, p); break;
    case Kind::Table: DrawTable(c, p, text); break;
    case Kind::Background: DrawBackground(c, p, text); break;
    case Kind::Panel: DrawPanel(c, p, text); break;
    case Kind::Fill: DrawFill(c, p); break;
    case Kind::Frame: DrawFrame(c, p); break;
    case Kind::Digits: DrawDigits(c, p, text); break;
    case Kind::Text: DrawText(c, p, text); break;
    case Kind::Icon: DrawIconBadge(c, p, text); break;
    case Kind::Face: DrawFace(c, p, text); break;
    case Kind::Ring: DrawRing(c, p); break;
    case Kind::Anim: DrawAnim(c, p, text); break;
    case Kind::Dice: DrawDice(c, p); break;
    case Kind::Car: DrawCar(c, p, text); break;
    case Kind::Track: DrawTrack(c, p); break;
    case Kind::Horse: DrawHorse(c, p, text); break;
    case Kind::Hands: DrawHands(c, p); break;
    case Kind::Grid: DrawGrid(c, p); break;
  }
  if (p.kind == Kind::Button && ButtonState(p) == 'd') c.Desaturate(0.6f);
  return c;
}

bool SameDrawing(const Picture& a, const Picture& b) {
  if (a.kind != b.kind || a.param != b.param || a.caption != b.caption || a.width != b.width || a.height != b.height ||
      a.cellWidth != b.cellWidth || a.cellHeight != b.cellHeight || a.clearAbove != b.clearAbove ||
      a.clearBelow != b.clearBelow || a.clearLeft != b.clearLeft || a.clearRight != b.clearRight ||
      a.index != b.index || a.count != b.count || a.colours.size() != b.colours.size())
    return false;
  for (size_t i = 0; i < a.colours.size(); ++i) {
    const Colour &x = a.colours[i], &y = b.colours[i];
    if (x.r != y.r || x.g != y.g || x.b != y.b || x.a != y.a) return false;
  }
  return true;
}

}  // namespace artgen
