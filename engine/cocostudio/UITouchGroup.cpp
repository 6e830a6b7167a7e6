#include "UITouchGroup.h"

#include <cstring>
#include <vector>

NS_CC_BEGIN
namespace ui {

namespace {
// Widget trees come from files: walks stop at a depth no real layout reaches.
const int kMaxDepth = 256;

template <class Match>
Widget* seek(Widget* root, Match match, int depth) {
  if (!root || depth > kMaxDepth) return nullptr;
  if (match(root)) return root;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(root->getChildren(), obj) {
    if (Widget* found = seek(dynamic_cast<Widget*>(obj), match, depth + 1)) return found;
  }
  return nullptr;
}
}  // namespace

Widget* UIHelper::seekWidgetByTag(Widget* root, int tag) {
  return seek(
      root, [tag](Widget* w) { return w->getTag() == tag; }, 0);
}

Widget* UIHelper::seekWidgetByName(Widget* root, const char* name) {
  if (!name) return nullptr;
  return seek(
      root, [name](Widget* w) { return strcmp(w->getName(), name) == 0; }, 0);
}

Widget* UIHelper::seekActionWidgetByActionTag(Widget* root, int tag) {
  return seek(
      root, [tag](Widget* w) { return w->getActionTag() == tag; }, 0);
}

TouchGroup::TouchGroup() {}

TouchGroup::~TouchGroup() {
  CC_SAFE_RELEASE(m_pSelectedWidgets);
  CC_SAFE_RELEASE(m_pRootWidget);
}

TouchGroup* TouchGroup::create() {
  return ccCreateWith<TouchGroup>([](TouchGroup* t) { return t->init(); });
}

bool TouchGroup::init() {
  if (!CCLayer::init()) return false;
  m_pSelectedWidgets = CCArray::create();
  m_pSelectedWidgets->retain();
  m_pRootWidget = Widget::create();
  m_pRootWidget->retain();
  addChild(m_pRootWidget);
  return true;
}

void TouchGroup::onEnter() {
  setTouchMode(kCCTouchesOneByOne);
  setTouchEnabled(true);
  CCLayer::onEnter();
}

void TouchGroup::onExit() {
  setTouchEnabled(false);
  m_pSelectedWidgets->removeAllObjects();
  CCLayer::onExit();
}

void TouchGroup::addWidget(Widget* widget) {
  if (widget) m_pRootWidget->addChild(widget);
}

void TouchGroup::removeWidget(Widget* widget) {
  if (widget) m_pRootWidget->removeChild(widget, true);
}

Widget* TouchGroup::getWidgetByTag(int tag) { return UIHelper::seekWidgetByTag(m_pRootWidget, tag); }

Widget* TouchGroup::getWidgetByName(const char* name) { return UIHelper::seekWidgetByName(m_pRootWidget, name); }

void TouchGroup::clear() { m_pRootWidget->removeAllChildren(); }

// Children first, topmost (last drawn) first, then the widget itself.
bool TouchGroup::checkTouchEvent(Widget* root, CCTouch* touch, CCEvent* event, int depth) {
  if (depth > kMaxDepth || !root->isVisible()) return false;
  root->sortAllChildren();
  CCArray* children = root->getChildren();
  if (children) {
    std::vector<Widget*> widgets;
    CCObject* obj = nullptr;
    CCARRAY_FOREACH(children, obj) {
      if (Widget* w = dynamic_cast<Widget*>(obj)) widgets.push_back(w);
    }
    for (size_t i = widgets.size(); i-- > 0;)
      if (checkTouchEvent(widgets[i], touch, event, depth + 1)) return true;
  }
  if (root->onTouchBegan(touch, event)) {
    m_pSelectedWidgets->addObject(root);
    return true;
  }
  return false;
}

bool TouchGroup::ccTouchBegan(CCTouch* touch, CCEvent* event) {
  if (!isVisible()) return false;
  for (CCNode* p = getParent(); p; p = p->getParent())
    if (!p->isVisible()) return false;
  m_pSelectedWidgets->removeAllObjects();
  checkTouchEvent(m_pRootWidget, touch, event, 0);
  return m_pSelectedWidgets->count() > 0;
}

void TouchGroup::ccTouchMoved(CCTouch* touch, CCEvent* event) {
  CCArray* selected = CCArray::createWithArray(m_pSelectedWidgets);
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(selected, obj) { static_cast<Widget*>(obj)->onTouchMoved(touch, event); }
}

void TouchGroup::ccTouchEnded(CCTouch* touch, CCEvent* event) {
  // Handlers may remove widgets: the copy keeps them alive meanwhile.
  CCArray* selected = CCArray::createWithArray(m_pSelectedWidgets);
  m_pSelectedWidgets->removeAllObjects();
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(selected, obj) { static_cast<Widget*>(obj)->onTouchEnded(touch, event); }
}

void TouchGroup::ccTouchCancelled(CCTouch* touch, CCEvent* event) {
  CCArray* selected = CCArray::createWithArray(m_pSelectedWidgets);
  m_pSelectedWidgets->removeAllObjects();
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(selected, obj) { static_cast<Widget*>(obj)->onTouchCancelled(touch, event); }
}

}  // namespace ui
NS_CC_END
