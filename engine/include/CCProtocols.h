#ifndef KEST_CC_PROTOCOLS_H
#define KEST_CC_PROTOCOLS_H

#include "ccTypes.h"

NS_CC_BEGIN

class CCTexture2D;

// Colour and opacity of a node. Neither cascades to children unless a node
// enables it (it is off by default, and the program relies on that).
class CCRGBAProtocol {
 public:
  virtual ~CCRGBAProtocol() {}
  virtual void setColor(const ccColor3B& color) = 0;
  virtual const ccColor3B& getColor() = 0;
  virtual const ccColor3B& getDisplayedColor() = 0;
  virtual unsigned char getDisplayedOpacity() = 0;
  virtual unsigned char getOpacity() = 0;
  virtual void setOpacity(unsigned char opacity) = 0;
  virtual void setOpacityModifyRGB(bool bValue) = 0;
  virtual bool isOpacityModifyRGB() = 0;
  virtual bool isCascadeColorEnabled() = 0;
  virtual void setCascadeColorEnabled(bool cascadeColorEnabled) = 0;
  virtual void updateDisplayedColor(const ccColor3B& color) = 0;
  virtual bool isCascadeOpacityEnabled() = 0;
  virtual void setCascadeOpacityEnabled(bool cascadeOpacityEnabled) = 0;
  virtual void updateDisplayedOpacity(unsigned char opacity) = 0;
};

class CCBlendProtocol {
 public:
  virtual ~CCBlendProtocol() {}
  virtual void setBlendFunc(ccBlendFunc blendFunc) = 0;
  virtual ccBlendFunc getBlendFunc() = 0;
};

class CCTextureProtocol : public CCBlendProtocol {
 public:
  virtual CCTexture2D* getTexture() = 0;
  virtual void setTexture(CCTexture2D* texture) = 0;
};

class CCLabelProtocol {
 public:
  virtual ~CCLabelProtocol() {}
  virtual void setString(const char* label) = 0;
  virtual const char* getString() = 0;
};

NS_CC_END

#endif
