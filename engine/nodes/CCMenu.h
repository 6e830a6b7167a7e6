#ifndef KEST_CC_MENU_H
#define KEST_CC_MENU_H

// Menus and their items.
//
// A menu is a full-window layer taking touches one by one at priority -128
// (kCCMenuHandlerPriority), swallowing the touches it claims: a touch that
// begins on a shown, enabled item selects it; moving off unselects it; the
// end activates the item still selected (its target's selector gets the
// item). A menu under a hidden parent takes nothing. An item may remove its
// menu from its callback.
//
// Sprite and image items show the normal picture, the selected picture while
// pressed, and the disabled one (if any) while disabled. setNormalImage and
// the like may be given a picture the item already holds in another role.

#include "CCLabelTTF.h"
#include "CCLayer.h"
#include "CCNode.h"

NS_CC_BEGIN

class CCSpriteFrame;

enum { kCCMenuHandlerPriority = -128 };
enum tCCMenuState { kCCMenuStateWaiting, kCCMenuStateTrackingTouch };

class CCMenuItem : public CCNodeRGBA {
 public:
  ~CCMenuItem() override;
  static CCMenuItem* create();
  static CCMenuItem* create(CCObject* rec, SEL_MenuHandler selector);
  bool initWithTarget(CCObject* rec, SEL_MenuHandler selector);

  // The item's box in its parent's space.
  CCRect rect();
  virtual void activate();
  virtual void selected();
  virtual void unselected();
  virtual bool isEnabled() { return m_bEnabled; }
  virtual void setEnabled(bool value) { m_bEnabled = value; }
  virtual bool isSelected() { return m_bSelected; }
  // The target is not retained (it usually owns the menu).
  void setTarget(CCObject* rec, SEL_MenuHandler selector);

 protected:
  bool m_bSelected = false;
  bool m_bEnabled = true;
  CCObject* m_pListener = nullptr;
  SEL_MenuHandler m_pfnSelector = nullptr;
};

// An item that is a label: it grows by 1.2 while selected and greys out
// while disabled.
class CCMenuItemLabel : public CCMenuItem {
 public:
  ~CCMenuItemLabel() override;
  static CCMenuItemLabel* create(CCNode* label, CCObject* target, SEL_MenuHandler selector);
  static CCMenuItemLabel* create(CCNode* label);
  bool initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector);

  void setString(const char* label);
  CCNode* getLabel() { return m_pLabel; }
  void setLabel(CCNode* label);
  const ccColor3B& getDisabledColor() const { return m_tDisabledColor; }
  void setDisabledColor(const ccColor3B& color) { m_tDisabledColor = color; }

  void activate() override;
  void selected() override;
  void unselected() override;
  void setEnabled(bool enabled) override;

 protected:
  ccColor3B m_tColorBackup{255, 255, 255};
  ccColor3B m_tDisabledColor{126, 126, 126};
  float m_fOriginalScale = 1;
  CCNode* m_pLabel = nullptr;
};

class CCMenuItemSprite : public CCMenuItem {
 public:
  static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite = nullptr);
  static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCObject* target,
                                  SEL_MenuHandler selector);
  static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                                  CCObject* target, SEL_MenuHandler selector);
  bool initWithNormalSprite(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite, CCObject* target,
                            SEL_MenuHandler selector);

  CCNode* getNormalImage() { return m_pNormalImage; }
  void setNormalImage(CCNode* image);
  CCNode* getSelectedImage() { return m_pSelectedImage; }
  void setSelectedImage(CCNode* image);
  CCNode* getDisabledImage() { return m_pDisabledImage; }
  void setDisabledImage(CCNode* image);

  void selected() override;
  void unselected() override;
  void setEnabled(bool bEnabled) override;

 protected:
  // Puts `image` in `slot`, taking it from another slot if it held it there.
  void place(CCNode*& slot, CCNode* image, int tag);
  virtual void updateImagesVisibility();

  CCNode* m_pNormalImage = nullptr;
  CCNode* m_pSelectedImage = nullptr;
  CCNode* m_pDisabledImage = nullptr;
};

// A sprite item from picture names (resolved as sprites resolve them).
class CCMenuItemImage : public CCMenuItemSprite {
 public:
  static CCMenuItemImage* create();
  static CCMenuItemImage* create(const char* normalImage, const char* selectedImage);
  static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage);
  static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, CCObject* target,
                                 SEL_MenuHandler selector);
  static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage,
                                 CCObject* target, SEL_MenuHandler selector);
  bool init() override;
  bool initWithNormalImage(const char* normalImage, const char* selectedImage, const char* disabledImage,
                           CCObject* target, SEL_MenuHandler selector);

  void setNormalSpriteFrame(CCSpriteFrame* frame);
  void setSelectedSpriteFrame(CCSpriteFrame* frame);
  void setDisabledSpriteFrame(CCSpriteFrame* frame);
};

class CCMenu : public CCLayerRGBA {
 public:
  static CCMenu* create();
  // Items up to a terminating nullptr.
  static CCMenu* create(CCMenuItem* item, ...);
  static CCMenu* createWithArray(CCArray* pArrayOfItems);
  static CCMenu* createWithItem(CCMenuItem* item);
  bool init() override;
  bool initWithArray(CCArray* pArrayOfItems);

  void setHandlerPriority(int newPriority);
  virtual bool isEnabled() { return m_bEnabled; }
  virtual void setEnabled(bool value) { m_bEnabled = value; }

  void addChild(CCNode* child) override;
  void addChild(CCNode* child, int zOrder) override;
  void addChild(CCNode* child, int zOrder, int tag) override;
  void removeChild(CCNode* child, bool cleanup) override;

  void registerWithTouchDispatcher() override;
  bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
  void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
  void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;
  void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
  void onExit() override;

  CCMenuItem* getSelectedItem() { return m_pSelectedItem; }

 protected:
  CCMenuItem* itemForTouch(CCTouch* touch);

  bool m_bEnabled = true;
  tCCMenuState m_eState = kCCMenuStateWaiting;
  CCMenuItem* m_pSelectedItem = nullptr;
};

NS_CC_END

#endif
