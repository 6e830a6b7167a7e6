#ifndef KEST_CC_SCENE_H
#define KEST_CC_SCENE_H

#include "CCNode.h"

NS_CC_BEGIN

// The root of what the director shows; its size is the window's design size.
class CCScene : public CCNode {
 public:
  CCScene();
  static CCScene* create();
  bool init() override;
  // Transition scenes answer true, so the director sends onEnter/onExit to the
  // scenes they carry only once.
  virtual bool isTransitionScene() const { return false; }
};

NS_CC_END

#endif
