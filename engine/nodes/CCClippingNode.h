#ifndef KEST_CC_CLIPPING_NODE_H
#define KEST_CC_CLIPPING_NODE_H

// Draws its children only inside its stencil. The stencil is taken as a
// rectangle: the stencil node's box (content size under its transform, which
// may move with actions) in this node's space. That is what the program's
// stencils are (a plain picture); an alpha-shaped or inverted stencil would
// need a stencil buffer, so the alpha threshold is kept but not used and an
// inverted node draws its children unclipped (logged once).

#include "CCNode.h"

NS_CC_BEGIN

class CCClippingNode : public CCNode {
 public:
  ~CCClippingNode() override;
  static CCClippingNode* create();
  static CCClippingNode* create(CCNode* pStencil);
  bool init() override;
  virtual bool init(CCNode* pStencil);

  // The stencil is retained, runs (enter/exit, actions) with this node, and is not drawn.
  CCNode* getStencil() const { return m_pStencil; }
  void setStencil(CCNode* pStencil);
  float getAlphaThreshold() const { return m_fAlphaThreshold; }
  void setAlphaThreshold(float fAlphaThreshold) { m_fAlphaThreshold = fAlphaThreshold; }
  bool isInverted() const { return m_bInverted; }
  void setInverted(bool bInverted) { m_bInverted = bInverted; }
  // The clip rectangle in this node's space (tests).
  CCRect stencilRect();

  void onEnter() override;
  void onEnterTransitionDidFinish() override;
  void onExitTransitionDidStart() override;
  void onExit() override;
  void visit() override;

 protected:
  CCNode* m_pStencil = nullptr;
  float m_fAlphaThreshold = 1;
  bool m_bInverted = false;
};

NS_CC_END

#endif
