#ifndef KEST_UI_SCROLL_VIEW_H
#define KEST_UI_SCROLL_VIEW_H

// Scrolling widget containers.
//
// ScrollView: a clipping panel whose children live in an inner container
// (getInnerContainer) at least as large as the view and aligned to its top
// left. Dragging on it, or on any child (after 5 points of movement, which
// also cancels the child's own touch), moves the inner container along the
// direction; without bounce it stays within the view, with bounce it may go
// a fifth of the view past an end and slides back when released. The
// jumpTo* calls move it at once, the scrollTo* calls over a time.
//
// ListView: a scroll view whose items are stacked top-down (vertical) or
// left to right (horizontal) with a margin between them and aligned by the
// gravity; the inner container grows to hold them. Items are placed again
// at once whenever the list changes.

#include "UILayout.h"

NS_CC_BEGIN
namespace ui {

enum SCROLLVIEW_DIR { SCROLLVIEW_DIR_NONE, SCROLLVIEW_DIR_VERTICAL, SCROLLVIEW_DIR_HORIZONTAL, SCROLLVIEW_DIR_BOTH };
enum ScrollviewEventType {
  SCROLLVIEW_EVENT_SCROLL_TO_TOP,
  SCROLLVIEW_EVENT_SCROLL_TO_BOTTOM,
  SCROLLVIEW_EVENT_SCROLL_TO_LEFT,
  SCROLLVIEW_EVENT_SCROLL_TO_RIGHT,
  SCROLLVIEW_EVENT_SCROLLING,
};
typedef void (CCObject::*SEL_ScrollViewEvent)(CCObject*, ScrollviewEventType);
#define scrollvieweventselector(_SELECTOR) (::cocos2d::ui::SEL_ScrollViewEvent)(&_SELECTOR)

class ScrollView : public Layout {
 public:
  ScrollView();
  ~ScrollView() override;
  static ScrollView* create();
  bool init() override;
  std::string getDescription() const override { return "ScrollView"; }

  Layout* getInnerContainer() const { return m_pInner; }
  // The children live in the inner container: it lays them out.
  void setLayoutType(LayoutType type) override;
  void setInnerContainerSize(const CCSize& size);
  const CCSize& getInnerContainerSize() const;
  virtual void setDirection(SCROLLVIEW_DIR dir) { m_eDirection = dir; }
  SCROLLVIEW_DIR getDirection() const { return m_eDirection; }
  void setBounceEnabled(bool enabled) { m_bBounceEnabled = enabled; }
  bool isBounceEnabled() const { return m_bBounceEnabled; }
  void setInertiaScrollEnabled(bool) {}
  void addEventListenerScrollView(CCObject* target, SEL_ScrollViewEvent selector);

  void jumpToBottom();
  void jumpToTop();
  void jumpToLeft();
  void jumpToRight();
  void jumpToPercentVertical(float percent);
  void jumpToPercentHorizontal(float percent);
  void scrollToBottom(float time, bool attenuated);
  void scrollToTop(float time, bool attenuated);
  void scrollToLeft(float time, bool attenuated);
  void scrollToRight(float time, bool attenuated);

  // Children go into the inner container.
  void addChild(CCNode* child) override;
  void addChild(CCNode* child, int zOrder) override;
  void addChild(CCNode* child, int zOrder, int tag) override;
  void removeAllChildren() override;
  void removeAllChildrenWithCleanup(bool cleanup) override;
  void removeChild(CCNode* child, bool cleanup) override;
  CCArray* getChildren() override;
  Widget* getChildByName(const char* name) override;
  CCSize getLayoutSize() const override { return m_size; }

  bool onTouchBegan(CCTouch* touch, CCEvent* event) override;
  void onTouchMoved(CCTouch* touch, CCEvent* event) override;
  void onTouchEnded(CCTouch* touch, CCEvent* event) override;
  void onTouchCancelled(CCTouch* touch, CCEvent* event) override;
  void interceptTouchEvent(int handleState, Widget* sender, const CCPoint& touchPoint) override;

 protected:
  void onSizeChanged() override;
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;
  void copyClonedWidgetChildren(Widget* model) override;
  // Inner container positions that keep it within the view.
  CCPoint minInnerPosition() const;
  CCPoint maxInnerPosition() const { return CCPointZero; }
  void moveInner(const CCPoint& delta);
  void scrollInnerTo(const CCPoint& pos, float time, bool attenuated);
  void handlePressLogic(const CCPoint& touchPoint);
  void handleMoveLogic(const CCPoint& touchPoint);
  void handleReleaseLogic(const CCPoint& touchPoint);
  void sendScrollEvent(ScrollviewEventType type);

  Layout* m_pInner = nullptr;
  SCROLLVIEW_DIR m_eDirection = SCROLLVIEW_DIR_VERTICAL;
  bool m_bBounceEnabled = false;
  bool m_bDragging = false;
  CCPoint m_lastTouch;
  float m_fChildFocusCancelOffset = 5;
  CCObject* m_pScrollEventListener = nullptr;
  SEL_ScrollViewEvent m_pfnScrollEventSelector = nullptr;
};

enum ListViewGravity {
  LISTVIEW_GRAVITY_LEFT,
  LISTVIEW_GRAVITY_RIGHT,
  LISTVIEW_GRAVITY_CENTER_HORIZONTAL,
  LISTVIEW_GRAVITY_TOP,
  LISTVIEW_GRAVITY_BOTTOM,
  LISTVIEW_GRAVITY_CENTER_VERTICAL,
};

class ListView : public ScrollView {
 public:
  ListView();
  ~ListView() override;
  static ListView* create();
  bool init() override;
  std::string getDescription() const override { return "ListView"; }

  // A model item that the default-item calls clone.
  void setItemModel(Widget* model);
  void pushBackDefaultItem();
  void insertDefaultItem(int index);
  void pushBackCustomItem(Widget* item);
  // Out of range: appended.
  void insertCustomItem(Widget* item, int index);
  // Out of range: nothing happens.
  void removeItem(int index);
  void removeLastItem();
  void removeAllItems();
  // Null when out of range.
  Widget* getItem(unsigned int index);
  CCArray* getItems();
  // -1 when the item is not in the list.
  int getIndex(Widget* item);
  void setGravity(ListViewGravity gravity);
  ListViewGravity getGravity() const { return m_eGravity; }
  void setItemsMargin(float margin);
  float getItemsMargin() const { return m_fItemsMargin; }
  void setDirection(SCROLLVIEW_DIR dir) override;
  void refreshView();
  void requestRefreshView() { refreshView(); }
  // Items are stacked by the list itself, whatever the file says.
  void setLayoutType(LayoutType) override {}

  void addChild(CCNode* child, int zOrder, int tag) override;
  using ScrollView::addChild;
  void removeChild(CCNode* child, bool cleanup) override;
  void removeAllChildren() override;
  void removeAllChildrenWithCleanup(bool cleanup) override;

 protected:
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;
  void copyClonedWidgetChildren(Widget* model) override;
  void syncItems();

  Widget* m_pModel = nullptr;
  CCArray* m_pItems = nullptr;
  ListViewGravity m_eGravity = LISTVIEW_GRAVITY_CENTER_VERTICAL;
  float m_fItemsMargin = 0;
};

}  // namespace ui
NS_CC_END

#endif
