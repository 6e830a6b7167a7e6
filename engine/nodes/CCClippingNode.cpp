#include "CCClippingNode.h"

#include "ExtensionMacros.h"

NS_CC_BEGIN

CCClippingNode::~CCClippingNode() { CC_SAFE_RELEASE(m_pStencil); }

CCClippingNode* CCClippingNode::create() {
  return ccCreateWith<CCClippingNode>([](CCClippingNode* n) { return n->init(); });
}

CCClippingNode* CCClippingNode::create(CCNode* stencil) {
  return ccCreateWith<CCClippingNode>([&](CCClippingNode* n) { return n->init(stencil); });
}

bool CCClippingNode::init() { return init(nullptr); }

bool CCClippingNode::init(CCNode* stencil) {
  if (!CCNode::init()) return false;
  // The stencil is no child: moving it does not mark this node.
  m_bDrawsOthers = true;
  setStencil(stencil);
  m_fAlphaThreshold = 1;
  m_bInverted = false;
  return true;
}

void CCClippingNode::setStencil(CCNode* stencil) {
  if (stencil == m_pStencil) return;
  CC_SAFE_RETAIN(stencil);
  if (m_pStencil && m_bRunning) m_pStencil->onExit();
  CC_SAFE_RELEASE(m_pStencil);
  m_pStencil = stencil;
  if (m_pStencil && m_bRunning) m_pStencil->onEnter();
  markForRedraw();
}

void CCClippingNode::onEnter() {
  CCNode::onEnter();
  if (m_pStencil) m_pStencil->onEnter();
}

void CCClippingNode::onEnterTransitionDidFinish() {
  CCNode::onEnterTransitionDidFinish();
  if (m_pStencil) m_pStencil->onEnterTransitionDidFinish();
}

void CCClippingNode::onExitTransitionDidStart() {
  if (m_pStencil) m_pStencil->onExitTransitionDidStart();
  CCNode::onExitTransitionDidStart();
}

void CCClippingNode::onExit() {
  if (m_pStencil) m_pStencil->onExit();
  CCNode::onExit();
}

CCRect CCClippingNode::stencilRect() { return m_pStencil ? m_pStencil->boundingBox() : CCRectZero; }

void CCClippingNode::visit() {
  if (!m_pStencil || !m_pStencil->isVisible()) {
    // An empty stencil hides everything, or nothing when inverted.
    if (m_bInverted) {
      clearClipRect();
      CCNode::visit();
    }
    return;
  }
  if (m_bInverted) {
    static bool logged = false;
    if (!logged) CCLOG("CCClippingNode: inverted stencils are not clipped");
    logged = true;
    clearClipRect();
  } else {
    setClipRect(stencilRect());
  }
  CCNode::visit();
}

NS_CC_END
