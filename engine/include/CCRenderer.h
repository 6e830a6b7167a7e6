#ifndef KEST_CC_RENDERER_H
#define KEST_CC_RENDERER_H

// What nodes draw with. Vertices are given in the current node's space; the
// renderer applies the matrix stack (node transforms pushed by visit) and the
// window scale. Draw calls are batched while texture, blend and clip stay the
// same. Clip rectangles are in world points and nest (intersected).

#include <vector>

#include "CCAffineTransform.h"
#include "ccTypes.h"

NS_CC_BEGIN

class CCTexture2D;

class CCRenderer {
 public:
  static CCRenderer* sharedRenderer();

  void pushMatrix();
  void popMatrix();
  // current = t applied first, then current.
  void multMatrix(const CCAffineTransform& t);
  void loadMatrix(const CCAffineTransform& t);
  const CCAffineTransform& currentMatrix() const { return m_stack.back(); }

  // A quad in local coordinates; texture may be null for flat colour.
  void drawQuad(CCTexture2D* texture, const ccV2F_C4B_T2F_Quad& quad, const ccBlendFunc& blend);
  void drawTriangles(CCTexture2D* texture, const ccV2F_C4B_T2F* vertices, int vertexCount, const int* indices,
                     int indexCount, const ccBlendFunc& blend);
  // An axis-aligned rectangle in local coordinates filled with one colour.
  void drawSolidRect(const CCPoint& origin, const CCPoint& destination, const ccColor4B& color,
                     const ccBlendFunc& blend);

  void pushClipRect(const CCRect& worldRect);
  void popClipRect();
  bool hasClip() const { return !m_clips.empty(); }

  // Draws into a texture made by CCTexture2D::initAsRenderTarget (same size
  // as the window) until endTarget, with a fresh matrix and no clip. False,
  // and nothing changes, when that cannot be done.
  bool beginTarget(CCTexture2D* target);
  void endTarget();

  // Frame bookkeeping (the director calls these).
  void beginFrame();
  void endFrame();
  // Draw submissions (quads and triangle lists) in the last frame.
  unsigned int getSubmissions() const { return m_uSubmissions; }

 private:
  CCRenderer();
  void applyClip();
  std::vector<CCAffineTransform> m_stack;
  std::vector<CCRect> m_clips;  // in window pixels, already intersected
  std::vector<CCAffineTransform> m_savedStack;
  std::vector<CCRect> m_savedClips;
  bool m_bInTarget = false;
  unsigned int m_uSubmissions = 0;
  std::vector<float> m_scratch;
};

NS_CC_END

#endif
