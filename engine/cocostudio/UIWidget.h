#ifndef KEST_UI_WIDGET_H
#define KEST_UI_WIDGET_H

// The CocoStudio widget base (namespace cocos2d::ui).
//
// Geometry: a widget keeps a zero node content size and draws its pictures
// (its "renderers", which are not children) around its position point with
// its anchor, so its children are placed relative to that point. Layouts are
// the exception: their content size is their size, and children sit from
// their bottom-left corner. getSize() is the widget's size: the picture's or
// text's own size while ignoreContentAdaptWithSize(true) (the default for
// all but layouts), else the size given.
//
// Touches: a TouchGroup offers each touch to its widgets, topmost first. A
// widget takes it when it is enabled, touch enabled, shown with all its
// parents, the point is inside its box (-w*ax, -h*ay, w, h) and inside every
// clipping parent. Its listener then gets began (0), moved (1) and ended (2)
// when released while still over it, else cancelled (3).
//
// Colour and opacity apply to the widget's pictures; opacity also passes to
// child widgets. Percent sizes and positions are resolved against the
// parent's size when the widget enters the scene and when the parent's size
// changes.

#include <string>
#include <vector>

#include "ExtensionMacros.h"

NS_CC_BEGIN
namespace ui {

enum TouchEventType { TOUCH_EVENT_BEGAN, TOUCH_EVENT_MOVED, TOUCH_EVENT_ENDED, TOUCH_EVENT_CANCELED };
typedef void (CCObject::*SEL_TouchEvent)(CCObject*, TouchEventType);
#define toucheventselector(_SELECTOR) (::cocos2d::ui::SEL_TouchEvent)(&_SELECTOR)

enum BrightStyle { BRIGHT_NONE = -1, BRIGHT_NORMAL, BRIGHT_HIGHLIGHT };
enum WidgetType { WidgetTypeWidget, WidgetTypeContainer };
enum TextureResType { UI_TEX_TYPE_LOCAL = 0, UI_TEX_TYPE_PLIST = 1 };
enum SizeType { SIZE_ABSOLUTE, SIZE_PERCENT };
enum PositionType { POSITION_ABSOLUTE, POSITION_PERCENT };

class LayoutParameter;

class Widget : public CCNodeRGBA {
 public:
  Widget();
  ~Widget() override;
  static Widget* create();
  bool init() override;

  // State.
  // Also enables or disables the child widgets.
  virtual void setEnabled(bool enabled);
  bool isEnabled() const { return m_bEnabled; }
  void setBright(bool bright);
  bool isBright() const { return m_bBright; }
  void setBrightStyle(BrightStyle style);
  BrightStyle getBrightStyle() const { return m_eBrightStyle; }
  virtual void setTouchEnabled(bool enabled) { m_bTouchEnabled = enabled; }
  bool isTouchEnabled() const { return m_bTouchEnabled; }
  void setFocused(bool focused);
  bool isFocused() const { return m_bFocus; }
  void addTouchEventListener(CCObject* target, SEL_TouchEvent selector);

  // Touches (called by TouchGroup).
  virtual bool hitTest(const CCPoint& worldPoint);
  bool clippingParentAreaContainPoint(const CCPoint& worldPoint);
  // Shown, with every ancestor shown too.
  bool isShownWithParents();
  virtual bool onTouchBegan(CCTouch* touch, CCEvent* event);
  virtual void onTouchMoved(CCTouch* touch, CCEvent* event);
  virtual void onTouchEnded(CCTouch* touch, CCEvent* event);
  virtual void onTouchCancelled(CCTouch* touch, CCEvent* event);
  // A child's touch passes up so scrolling containers can take it over
  // (state 0 began, 1 moved, 2 ended, 3 cancelled).
  virtual void checkChildInfo(int handleState, Widget* sender, const CCPoint& touchPoint);
  virtual void interceptTouchEvent(int handleState, Widget* sender, const CCPoint& touchPoint);
  const CCPoint& getTouchStartPos() const { return m_touchStartPos; }
  const CCPoint& getTouchMovePos() const { return m_touchMovePos; }
  const CCPoint& getTouchEndPos() const { return m_touchEndPos; }

  // Tree.
  Widget* getWidgetParent();
  // A direct child widget by name, or null.
  virtual Widget* getChildByName(const char* name);
  void setName(const char* name) { m_strName = name ? name : ""; }
  const char* getName() const { return m_strName.c_str(); }
  void setActionTag(int tag) { m_nActionTag = tag; }
  int getActionTag() const { return m_nActionTag; }
  WidgetType getWidgetType() const { return m_eWidgetType; }
  virtual std::string getDescription() const { return "Widget"; }
  void onEnter() override;
  void onExit() override;

  // Size and position.
  virtual void setSize(const CCSize& size);
  const CCSize& getSize() const { return m_size; }
  const CCSize& getCustomSize() const { return m_customSize; }
  void setSizePercent(const CCPoint& percent);
  const CCPoint& getSizePercent() const { return m_sizePercent; }
  void setSizeType(SizeType type) { m_eSizeType = type; }
  SizeType getSizeType() const { return m_eSizeType; }
  virtual void ignoreContentAdaptWithSize(bool ignore);
  bool isIgnoreContentAdaptWithSize() const { return m_bIgnoreSize; }
  void setPosition(const CCPoint& pos) override;
  using CCNode::setPosition;
  void setPositionPercent(const CCPoint& percent);
  const CCPoint& getPositionPercent() const { return m_positionPercent; }
  void setPositionType(PositionType type) { m_ePositionType = type; }
  PositionType getPositionType() const { return m_ePositionType; }
  CCPoint getWorldPosition();
  // The widget's size (its node content size stays zero, see above).
  const CCSize& getContentSize() const override { return m_size; }
  void setAnchorPoint(const CCPoint& pt) override;
  virtual void setFlipX(bool flipX);
  bool isFlipX() const { return m_bFlipX; }
  virtual void setFlipY(bool flipY);
  bool isFlipY() const { return m_bFlipY; }
  // The size the widget's own picture or text has.
  virtual CCSize getVirtualRendererSize() const { return m_size; }
  // Percent size and position from the parent's size now.
  void updateSizeAndPosition();
  // The size percentages of children refer to (layouts: their size; scroll
  // views: the view's size).
  virtual CCSize getLayoutSize() const { return m_size; }

  // Layout parameter (gravity or alignment, and margins) used by linear and
  // relative layouts.
  void setLayoutParameter(LayoutParameter* parameter);
  LayoutParameter* getLayoutParameter() const { return m_pLayoutParameter; }

  // Colour and opacity of the pictures.
  void setColor(const ccColor3B& color) override;
  void setOpacity(unsigned char opacity) override;
  void updateDisplayedColor(const ccColor3B& parentColor) override;
  void updateDisplayedOpacity(unsigned char parentOpacity) override;

  // A copy of this widget and its child widgets: class, name, tags, size
  // and position rules, geometry, state, colours and each class's own
  // content. Touch listeners and running actions are not copied.
  Widget* clone();

  void draw() override;

 protected:
  virtual void onSizeChanged() {}
  virtual void onPressStateChangedToNormal() {}
  virtual void onPressStateChangedToPressed() {}
  virtual void onPressStateChangedToDisabled() {}
  virtual Widget* createCloneInstance();
  virtual void copySpecialProperties(Widget*) {}
  virtual void copyClonedWidgetChildren(Widget* model);
  void copyProperties(Widget* model);
  void pushDownEvent();
  void moveEvent();
  void releaseUpEvent();
  void cancelUpEvent();

  // Pictures drawn with the widget (retained; drawn in z order).
  void addRenderer(CCNode* renderer, int z = 0);
  void removeRenderer(CCNode* renderer);
  void replaceRenderer(CCNode*& slot, CCNode* renderer, int z = 0);
  void applyRGBA(CCNode* renderer);

  bool m_bEnabled = true;
  bool m_bBright = true;
  bool m_bTouchEnabled = false;
  bool m_bFocus = false;
  bool m_bHitted = false;
  bool m_bFlipX = false;
  bool m_bFlipY = false;
  BrightStyle m_eBrightStyle = BRIGHT_NONE;
  WidgetType m_eWidgetType = WidgetTypeWidget;
  std::string m_strName = "default";
  int m_nActionTag = 0;
  CCSize m_size;
  CCSize m_customSize;
  bool m_bIgnoreSize = false;
  SizeType m_eSizeType = SIZE_ABSOLUTE;
  CCPoint m_sizePercent;
  PositionType m_ePositionType = POSITION_ABSOLUTE;
  CCPoint m_positionPercent;
  CCPoint m_touchStartPos, m_touchMovePos, m_touchEndPos;
  CCObject* m_pTouchEventListener = nullptr;
  SEL_TouchEvent m_pfnTouchEventSelector = nullptr;
  LayoutParameter* m_pLayoutParameter = nullptr;
  struct Renderer {
    CCNode* node;
    int z;
  };
  std::vector<Renderer> m_renderers;
};

}  // namespace ui
NS_CC_END

#endif
