#ifndef KEST_CC_SCROLL_VIEW_H
#define KEST_CC_SCROLL_VIEW_H

// A view of a larger container that the user drags. The content offset is
// the container's position: maxContainerOffset() is (0, 0) and
// minContainerOffset() is viewSize - contentSize (the "lowest" offset).
//
// - Touches: one by one, not swallowing, at the layer's touch priority; a
//   touch counts only inside the view rectangle while the view and all its
//   parents are shown. A drag starts after about 4 window pixels.
// - Bounceable: a drag may overshoot by a fifth of the view and the
//   container slides back; otherwise the offset stays within the bounds.
// - After a drag the container keeps its speed and slows down (x0.95 a frame).
// - Children added to the view go into the container (anchor (0, 0)).
// - Drawing is clipped to the view rectangle (unless clipping is off).
// - getContentSize()/setContentSize() are the container's; setViewSize() the view's.

#include "ExtensionMacros.h"

NS_CC_EXT_BEGIN

enum CCScrollViewDirection {
  kCCScrollViewDirectionNone = -1,
  kCCScrollViewDirectionHorizontal = 0,
  kCCScrollViewDirectionVertical,
  kCCScrollViewDirectionBoth
};

class CCScrollView;

class CCScrollViewDelegate {
 public:
  virtual ~CCScrollViewDelegate() {}
  virtual void scrollViewDidScroll(CCScrollView* view) = 0;
  virtual void scrollViewDidZoom(CCScrollView* view) = 0;
};

class CCScrollView : public CCLayer {
 public:
  CCScrollView();
  ~CCScrollView() override;

  static CCScrollView* create();
  static CCScrollView* create(CCSize size, CCNode* container = nullptr);
  bool init() override;
  virtual bool initWithViewSize(CCSize size, CCNode* container = nullptr);

  // Offsets.
  void setContentOffset(CCPoint offset, bool animated = false);
  CCPoint getContentOffset();
  void setContentOffsetInDuration(CCPoint offset, float dt);
  CCPoint maxContainerOffset();
  CCPoint minContainerOffset();
  void setZoomScale(float s);
  float getZoomScale();
  // Whether the node (a child of the container) shows in the view.
  bool isNodeVisible(CCNode* node);
  // Brings the offset back within bounds (the end of a bounce).
  void relocateContainer(bool animated);

  // Sizes.
  CCSize getViewSize() { return m_tViewSize; }
  void setViewSize(CCSize size);
  const CCSize& getContentSize() const override;
  void setContentSize(const CCSize& size) override;
  CCNode* getContainer() { return m_pContainer; }
  void setContainer(CCNode* pContainer);
  // The view rectangle in world points.
  CCRect getViewRect();

  // Behaviour.
  CCScrollViewDirection getDirection() { return m_eDirection; }
  virtual void setDirection(CCScrollViewDirection eDirection) { m_eDirection = eDirection; }
  bool isBounceable() { return m_bBounceable; }
  void setBounceable(bool bBounceable) { m_bBounceable = bBounceable; }
  bool isClippingToBounds() { return m_bClippingToBounds; }
  void setClippingToBounds(bool bClippingToBounds);
  bool isDragging() { return m_bDragging; }
  bool isTouchMoved() { return m_bTouchMoved; }
  CCScrollViewDelegate* getDelegate() { return m_pDelegate; }
  void setDelegate(CCScrollViewDelegate* pDelegate) { m_pDelegate = pDelegate; }
  void pause(CCObject* sender);
  void resume(CCObject* sender);

  // Touches.
  void registerWithTouchDispatcher() override;
  void setTouchEnabled(bool e) override;
  bool ccTouchBegan(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchMoved(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchEnded(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchCancelled(CCTouch* pTouch, CCEvent* pEvent) override;

  void addChild(CCNode* child, int zOrder, int tag) override;
  void addChild(CCNode* child, int zOrder) override;
  void addChild(CCNode* child) override;

 protected:
  void updateInset();
  void deaccelerateScrolling(float dt);
  void performedAnimatedScroll(float dt);
  void stoppedAnimatedScroll(CCNode* node);
  void updateClip();
  bool shownWithParents();
  CCPoint clampedOffset(CCPoint offset);

  CCScrollViewDelegate* m_pDelegate = nullptr;
  CCScrollViewDirection m_eDirection = kCCScrollViewDirectionBoth;
  bool m_bDragging = false;
  CCNode* m_pContainer = nullptr;
  bool m_bTouchMoved = false;
  CCPoint m_fMaxInset;
  CCPoint m_fMinInset;
  bool m_bBounceable = true;
  bool m_bClippingToBounds = true;
  CCPoint m_tScrollDistance;
  CCPoint m_tTouchPoint;
  CCTouch* m_pTouch = nullptr;  // the one touch being followed (retained)
  CCSize m_tViewSize;
};

NS_CC_EXT_END

#endif
