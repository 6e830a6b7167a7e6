#include "CCLayer.h"

#include "CCDirector.h"
#include "CCRenderer.h"
#include "CCScene.h"
#include "CCTouchDispatcher.h"

NS_CC_BEGIN

// --- CCScene ----------------------------------------------------------------

CCScene::CCScene() {
  m_bIgnoreAnchorPointForPosition = true;
  setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCScene* CCScene::create() {
  CCScene* s = new CCScene();
  if (s->init()) {
    s->autorelease();
    return s;
  }
  delete s;
  return nullptr;
}

bool CCScene::init() {
  setContentSize(CCDirector::sharedDirector()->getWinSize());
  return true;
}

// --- CCLayer ----------------------------------------------------------------

CCLayer::CCLayer() {
  m_bIgnoreAnchorPointForPosition = true;
  setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCLayer::~CCLayer() {}

bool CCLayer::init() {
  setContentSize(CCDirector::sharedDirector()->getWinSize());
  m_bTouchEnabled = false;
  return true;
}

void CCLayer::registerWithTouchDispatcher() {
  CCTouchDispatcher* d = CCDirector::sharedDirector()->getTouchDispatcher();
  if (m_eTouchMode == kCCTouchesAllAtOnce)
    d->addStandardDelegate(this, m_nTouchPriority);
  else
    d->addTargetedDelegate(this, m_nTouchPriority, true);
}

void CCLayer::setTouchEnabled(bool enabled) {
  if (m_bTouchEnabled == enabled) return;
  m_bTouchEnabled = enabled;
  if (!m_bRunning) return;
  if (enabled)
    registerWithTouchDispatcher();
  else
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
}

void CCLayer::setTouchMode(ccTouchesMode mode) {
  if (m_eTouchMode == mode) return;
  m_eTouchMode = mode;
  if (m_bTouchEnabled) {
    setTouchEnabled(false);
    setTouchEnabled(true);
  }
}

void CCLayer::setTouchPriority(int priority) {
  if (m_nTouchPriority == priority) return;
  m_nTouchPriority = priority;
  if (m_bTouchEnabled) {
    setTouchEnabled(false);
    setTouchEnabled(true);
  }
}

void CCLayer::setKeypadEnabled(bool enabled) {
  if (m_bKeypadEnabled == enabled) return;
  m_bKeypadEnabled = enabled;
  if (!m_bRunning) return;
  CCKeypadDispatcher* k = CCDirector::sharedDirector()->getKeypadDispatcher();
  if (enabled)
    k->addDelegate(this);
  else
    k->removeDelegate(this);
}

void CCLayer::onEnter() {
  if (m_bTouchEnabled) registerWithTouchDispatcher();
  CCNode::onEnter();
  if (m_bKeypadEnabled) CCDirector::sharedDirector()->getKeypadDispatcher()->addDelegate(this);
}

void CCLayer::onExit() {
  CCDirector* director = CCDirector::sharedDirector();
  if (m_bTouchEnabled) director->getTouchDispatcher()->removeDelegate(this);
  if (m_bKeypadEnabled) director->getKeypadDispatcher()->removeDelegate(this);
  CCNode::onExit();
}

void CCLayer::onEnterTransitionDidFinish() { CCNode::onEnterTransitionDidFinish(); }

bool CCLayer::ccTouchBegan(CCTouch*, CCEvent*) { return true; }

// --- CCLayerRGBA ------------------------------------------------------------

bool CCLayerRGBA::init() { return CCLayer::init(); }

void CCLayerRGBA::setOpacity(unsigned char opacity) {
  ccRGBASetOpacity(this, m_cRealOpacity, m_cDisplayedOpacity, m_bCascadeOpacityEnabled, opacity);
}

void CCLayerRGBA::updateDisplayedOpacity(unsigned char parentOpacity) {
  ccRGBAUpdateOpacity(this, m_cRealOpacity, m_cDisplayedOpacity, m_bCascadeOpacityEnabled, parentOpacity);
}

void CCLayerRGBA::setColor(const ccColor3B& color) {
  ccRGBASetColor(this, m_tRealColor, m_tDisplayedColor, m_bCascadeColorEnabled, color);
}

void CCLayerRGBA::updateDisplayedColor(const ccColor3B& parentColor) {
  ccRGBAUpdateColor(this, m_tRealColor, m_tDisplayedColor, m_bCascadeColorEnabled, parentColor);
}

// --- CCLayerColor -----------------------------------------------------------

CCLayerColor::CCLayerColor() { m_tBlendFunc = ccBlendFunc{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}; }

CCLayerColor* CCLayerColor::create() {
  CCLayerColor* l = new CCLayerColor();
  if (l->init()) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color) {
  CCLayerColor* l = new CCLayerColor();
  if (l->initWithColor(color)) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color, float width, float height) {
  CCLayerColor* l = new CCLayerColor();
  if (l->initWithColor(color, width, height)) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

bool CCLayerColor::init() { return initWithColor(ccc4(0, 0, 0, 0)); }

bool CCLayerColor::initWithColor(const ccColor4B& color) {
  CCSize s = CCDirector::sharedDirector()->getWinSize();
  return initWithColor(color, s.width, s.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color, float width, float height) {
  if (!CCLayer::init()) return false;
  m_tDisplayedColor = m_tRealColor = ccc3(color.r, color.g, color.b);
  m_cDisplayedOpacity = m_cRealOpacity = color.a;
  setContentSize(CCSize(width, height));
  return true;
}

void CCLayerColor::changeWidth(float w) { setContentSize(CCSize(w, m_obContentSize.height)); }
void CCLayerColor::changeHeight(float h) { setContentSize(CCSize(m_obContentSize.width, h)); }
void CCLayerColor::changeWidthAndHeight(float w, float h) { setContentSize(CCSize(w, h)); }

void CCLayerColor::draw() {
  if (m_cDisplayedOpacity == 0) return;
  ccColor4B c = ccc4(m_tDisplayedColor.r, m_tDisplayedColor.g, m_tDisplayedColor.b, m_cDisplayedOpacity);
  CCRenderer::sharedRenderer()->drawSolidRect(CCPointZero, CCPoint(m_obContentSize.width, m_obContentSize.height), c,
                                              m_tBlendFunc);
}

NS_CC_END
