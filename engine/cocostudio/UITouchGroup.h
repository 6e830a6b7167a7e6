#ifndef KEST_UI_TOUCH_GROUP_H
#define KEST_UI_TOUCH_GROUP_H

// The layer that holds widgets and hands them touches (TouchGroup, also
// known as UILayer), and name and tag lookups over widget trees.
//
// Running, the group takes touches one by one at its touch priority and
// swallows those a widget takes; a touch no widget takes passes on.

#include "UIWidget.h"

NS_CC_BEGIN
namespace ui {

class TouchGroup : public CCLayer {
 public:
  TouchGroup();
  ~TouchGroup() override;
  static TouchGroup* create();
  bool init() override;

  void addWidget(Widget* widget);
  void removeWidget(Widget* widget);
  // Null when not found (searched through the whole tree).
  Widget* getWidgetByTag(int tag);
  Widget* getWidgetByName(const char* name);
  Widget* getRootWidget() { return m_pRootWidget; }
  void clear();

  void onEnter() override;
  void onExit() override;
  bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
  void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
  void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
  void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;

 protected:
  bool checkTouchEvent(Widget* root, CCTouch* touch, CCEvent* event, int depth);

  Widget* m_pRootWidget = nullptr;
  CCArray* m_pSelectedWidgets = nullptr;
};

typedef TouchGroup UILayer;

class UIHelper {
 public:
  // Depth first, the root first; null when not found or when root is null.
  static Widget* seekWidgetByTag(Widget* root, int tag);
  static Widget* seekWidgetByName(Widget* root, const char* name);
  static Widget* seekActionWidgetByActionTag(Widget* root, int tag);
};

}  // namespace ui
NS_CC_END

#endif
