#ifndef KEST_CC_TYPES_H
#define KEST_CC_TYPES_H

// Colours, vertices, blend functions and text alignment.

#include <cstdint>

#include "CCGeometry.h"

// GL enums the engine API speaks; the SDL renderer maps them.
#ifndef GL_ZERO
#define GL_ZERO 0
#define GL_ONE 1
#define GL_SRC_COLOR 0x0300
#define GL_ONE_MINUS_SRC_COLOR 0x0301
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303
#define GL_DST_ALPHA 0x0304
#define GL_ONE_MINUS_DST_ALPHA 0x0305
#define GL_DST_COLOR 0x0306
#define GL_ONE_MINUS_DST_COLOR 0x0307
#define GL_NEAREST 0x2600
#define GL_LINEAR 0x2601
#define GL_REPEAT 0x2901
#define GL_CLAMP_TO_EDGE 0x812F
#endif

NS_CC_BEGIN

struct ccColor3B {
  uint8_t r, g, b;
};
struct ccColor4B {
  uint8_t r, g, b, a;
};
struct ccColor4F {
  float r, g, b, a;
};

inline ccColor3B ccc3(uint8_t r, uint8_t g, uint8_t b) { return ccColor3B{r, g, b}; }
inline ccColor4B ccc4(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return ccColor4B{r, g, b, a}; }
inline ccColor4F ccc4f(float r, float g, float b, float a) { return ccColor4F{r, g, b, a}; }
inline ccColor4F ccc4FFromccc4B(ccColor4B c) { return ccColor4F{c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f}; }
inline bool ccc3BEqual(const ccColor3B& a, const ccColor3B& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator==(const ccColor3B& a, const ccColor3B& b) { return ccc3BEqual(a, b); }
inline bool operator!=(const ccColor3B& a, const ccColor3B& b) { return !ccc3BEqual(a, b); }

extern const ccColor3B ccWHITE;
extern const ccColor3B ccYELLOW;
extern const ccColor3B ccBLUE;
extern const ccColor3B ccGREEN;
extern const ccColor3B ccRED;
extern const ccColor3B ccMAGENTA;
extern const ccColor3B ccBLACK;
extern const ccColor3B ccORANGE;
extern const ccColor3B ccGRAY;

struct ccVertex2F {
  float x, y;
};
struct ccTex2F {
  float u, v;
};
// One vertex as nodes hand it to the renderer: position in world points.
struct ccV2F_C4B_T2F {
  ccVertex2F vertices;
  ccColor4B colors;
  ccTex2F texCoords;
};
// Corners of a textured quad: tl, bl, tr, br as the engine orders them.
struct ccV2F_C4B_T2F_Quad {
  ccV2F_C4B_T2F bl, br, tl, tr;
};

struct ccBlendFunc {
  unsigned int src;
  unsigned int dst;
};
#define CC_BLEND_SRC GL_SRC_ALPHA
#define CC_BLEND_DST GL_ONE_MINUS_SRC_ALPHA
const ccBlendFunc kCCBlendFuncDisable = {GL_ONE, GL_ZERO};

struct ccTexParams {
  unsigned int minFilter;
  unsigned int magFilter;
  unsigned int wrapS;
  unsigned int wrapT;
};

enum CCTextAlignment { kCCTextAlignmentLeft, kCCTextAlignmentCenter, kCCTextAlignmentRight };
enum CCVerticalTextAlignment {
  kCCVerticalTextAlignmentTop,
  kCCVerticalTextAlignmentCenter,
  kCCVerticalTextAlignmentBottom
};

NS_CC_END

#endif
