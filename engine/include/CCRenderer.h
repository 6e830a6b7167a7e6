#ifndef KEST_CC_RENDERER_H
#define KEST_CC_RENDERER_H

// What nodes draw with. Vertices are given in the current node's space; the
// renderer applies the matrix stack (node transforms pushed by visit) and the
// window scale. Draw calls are batched while texture, blend and clip stay the
// same. Clip rectangles are in world points and nest (intersected).

#include <cstdint>
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
  // Until the matching popMatrix, what is drawn is turned in 3D about the
  // pivot (a point of the current node's space) by the row-major rotation
  // and seen in the director's perspective (CCCamera.h). Quads are drawn as
  // a fine mesh then, so the picture keeps its perspective. A turn inside a
  // turned subtree replaces the outer one.
  void turnCurrent(const float rotation[9], const CCPoint& pivot);
  bool isTurned() const { return m_turns.back().on; }
  // Where a point of the current node's space is drawn, in world points.
  CCPoint projectPoint(const CCPoint& local) const;

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

  // Subtrees that keep their draws (CCNode::visit). Where a subtree is
  // drawn from: the matrix and the clip its draws depend on.
  struct DrawPlace {
    CCAffineTransform matrix = CCAffineTransformIdentity;
    CCRect clip;
    bool clipped = false;
    bool operator==(const DrawPlace& o) const;
  };
  // The number of the frame whose draws are recorded now, with the place
  // drawn from; 0 when draws are not recorded (none is, or they go into a
  // target or are turned in 3D).
  uint64_t recordingFrame(DrawPlace& place) const;
  uint32_t recordedDraws() const;
  // Records draws [first, first + count) of the last frame again (false
  // when they cannot be: see kest::backend::recordAgain).
  bool drawAgain(uint64_t frame, uint32_t first, uint32_t count);
  // The subtrees being walked (not given again), innermost last: each one's
  // walk number and the one before, where its draws lay in the last frame
  // (-1: unknown) and where they start in this one.
  struct Walk {
    unsigned int serial = 0, lastSerial = 0;
    int64_t lastFirst = -1;
    uint32_t first = 0;
  };
  void pushWalk(const Walk& w) { m_walks.push_back(w); }
  void popWalk() { m_walks.pop_back(); }
  const Walk* currentWalk() const { return m_walks.empty() ? nullptr : &m_walks.back(); }
  // Subtrees that drew what does not mark them when it changes: a count
  // that their ancestors compare, keeping no draws when it moved.
  void noteUnkeptDraws() { ++m_uUnkept; }
  unsigned int unkeptDraws() const { return m_uUnkept; }

  // Frame bookkeeping (the director calls these).
  void beginFrame();
  void endFrame();
  // Draw submissions (quads and triangle lists) in the last frame.
  unsigned int getSubmissions() const { return m_uSubmissions; }

 private:
  // A turn in 3D (turnCurrent): the turned node's world matrix and its
  // inverse, so points drawn below it can be taken back into its space.
  struct Turn {
    bool on = false;
    float rotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    CCPoint pivot;
    CCAffineTransform world = CCAffineTransformIdentity;
    CCAffineTransform inverse = CCAffineTransformIdentity;
    float depthScale = 1;     // node units to world points along the view
    CCPoint eye;              // the middle of the window
    float eyeDistance = 660;  // in front of the screen, in points
  };
  static CCPoint project(const CCAffineTransform& m, const Turn& turn, float x, float y);
  void drawTurnedQuad(CCTexture2D* texture, const ccV2F_C4B_T2F_Quad& quad, const ccBlendFunc& blend);

  CCRenderer();
  void applyClip();
  std::vector<CCAffineTransform> m_stack;
  std::vector<Turn> m_turns;    // one per matrix of the stack
  std::vector<CCRect> m_clips;  // in window pixels, already intersected
  std::vector<CCAffineTransform> m_savedStack;
  std::vector<Turn> m_savedTurns;
  std::vector<CCRect> m_savedClips;
  bool m_bInTarget = false;
  unsigned int m_uSubmissions = 0;
  unsigned int m_uUnkept = 0;
  std::vector<Walk> m_walks;
  std::vector<float> m_scratch;
};

NS_CC_END

#endif
