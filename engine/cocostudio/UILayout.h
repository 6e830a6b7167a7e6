#ifndef KEST_UI_LAYOUT_H
#define KEST_UI_LAYOUT_H

// Panels: a widget container with a background (none, one colour or a
// gradient, with its own opacity; and/or a picture, centred, nine-sliced to
// the panel's size when asked), optional clipping of its children to its
// rectangle, and a layout type: absolute (children where they are put);
// linear vertical / horizontal, which place the children one after another
// from the top (from the left) with their linear gravity and margins; or
// relative, which puts each child with a relative parameter against one of
// the panel's nine alignment points or beside a sibling (found by its
// relative name), its margins on the aligned sides. Children without such a
// parameter keep their positions.

#include "UIWidget.h"

NS_CC_BEGIN
namespace ui {

class Layout;

enum LayoutParameterType { LAYOUT_PARAMETER_NONE, LAYOUT_PARAMETER_LINEAR, LAYOUT_PARAMETER_RELATIVE };
enum LinearGravity {
  LINEAR_GRAVITY_NONE,
  LINEAR_GRAVITY_LEFT,
  LINEAR_GRAVITY_TOP,
  LINEAR_GRAVITY_RIGHT,
  LINEAR_GRAVITY_BOTTOM,
  LINEAR_GRAVITY_CENTER_VERTICAL,
  LINEAR_GRAVITY_CENTER_HORIZONTAL
};

struct Margin {
  float left = 0, top = 0, right = 0, bottom = 0;
  Margin() {}
  Margin(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
  bool equals(const Margin& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

class LayoutParameter : public CCObject {
 public:
  static LayoutParameter* create();
  void setMargin(const Margin& margin) { m_margin = margin; }
  const Margin& getMargin() const { return m_margin; }
  LayoutParameterType getLayoutType() const { return m_eType; }
  virtual LayoutParameter* clone();

 protected:
  Margin m_margin;
  LayoutParameterType m_eType = LAYOUT_PARAMETER_NONE;
};

class LinearLayoutParameter : public LayoutParameter {
 public:
  LinearLayoutParameter() { m_eType = LAYOUT_PARAMETER_LINEAR; }
  static LinearLayoutParameter* create();
  void setGravity(LinearGravity gravity) { m_eGravity = gravity; }
  LinearGravity getGravity() const { return m_eGravity; }
  LayoutParameter* clone() override;

 protected:
  LinearGravity m_eGravity = LINEAR_GRAVITY_NONE;
};

enum RelativeAlign {
  RELATIVE_ALIGN_NONE,
  RELATIVE_ALIGN_PARENT_TOP_LEFT,
  RELATIVE_ALIGN_PARENT_TOP_CENTER_HORIZONTAL,
  RELATIVE_ALIGN_PARENT_TOP_RIGHT,
  RELATIVE_ALIGN_PARENT_LEFT_CENTER_VERTICAL,
  RELATIVE_CENTER_IN_PARENT,
  RELATIVE_ALIGN_PARENT_RIGHT_CENTER_VERTICAL,
  RELATIVE_ALIGN_PARENT_LEFT_BOTTOM,
  RELATIVE_ALIGN_PARENT_BOTTOM_CENTER_HORIZONTAL,
  RELATIVE_ALIGN_PARENT_RIGHT_BOTTOM,
  RELATIVE_LOCATION_ABOVE_LEFTALIGN,
  RELATIVE_LOCATION_ABOVE_CENTER,
  RELATIVE_LOCATION_ABOVE_RIGHTALIGN,
  RELATIVE_LOCATION_LEFT_OF_TOPALIGN,
  RELATIVE_LOCATION_LEFT_OF_CENTER,
  RELATIVE_LOCATION_LEFT_OF_BOTTOMALIGN,
  RELATIVE_LOCATION_RIGHT_OF_TOPALIGN,
  RELATIVE_LOCATION_RIGHT_OF_CENTER,
  RELATIVE_LOCATION_RIGHT_OF_BOTTOMALIGN,
  RELATIVE_LOCATION_BELOW_LEFTALIGN,
  RELATIVE_LOCATION_BELOW_CENTER,
  RELATIVE_LOCATION_BELOW_RIGHTALIGN
};

class RelativeLayoutParameter : public LayoutParameter {
 public:
  RelativeLayoutParameter() { m_eType = LAYOUT_PARAMETER_RELATIVE; }
  static RelativeLayoutParameter* create();
  void setAlign(RelativeAlign align) { m_eAlign = align; }
  RelativeAlign getAlign() const { return m_eAlign; }
  // The name siblings place themselves by (not the widget's name).
  void setRelativeName(const std::string& name) { m_strRelativeName = name; }
  const std::string& getRelativeName() const { return m_strRelativeName; }
  // The sibling the location alignments refer to.
  void setRelativeToWidgetName(const std::string& name) { m_strRelativeToName = name; }
  const std::string& getRelativeToWidgetName() const { return m_strRelativeToName; }
  LayoutParameter* clone() override;

 protected:
  RelativeAlign m_eAlign = RELATIVE_ALIGN_NONE;
  std::string m_strRelativeName;
  std::string m_strRelativeToName;
};

enum LayoutBackGroundColorType { LAYOUT_COLOR_NONE, LAYOUT_COLOR_SOLID, LAYOUT_COLOR_GRADIENT };
enum LayoutType { LAYOUT_ABSOLUTE, LAYOUT_LINEAR_VERTICAL, LAYOUT_LINEAR_HORIZONTAL, LAYOUT_RELATIVE };

class Layout : public Widget {
 public:
  Layout();
  ~Layout() override;
  static Layout* create();
  bool init() override;
  std::string getDescription() const override { return "Layout"; }

  void setBackGroundImage(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void setBackGroundImageCapInsets(const CCRect& capInsets);
  void setBackGroundImageScale9Enabled(bool enabled);
  bool isBackGroundImageScale9Enabled() const { return m_bBackGroundScale9Enabled; }
  void removeBackGroundImage();
  const CCSize& getBackGroundImageTextureSize() const { return m_backGroundImageTextureSize; }
  CCNode* getBackGroundImage() const { return m_pBackGroundImage; }

  void setBackGroundColorType(LayoutBackGroundColorType type);
  LayoutBackGroundColorType getBackGroundColorType() const { return m_eColorType; }
  void setBackGroundColor(const ccColor3B& color);
  void setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor);
  const ccColor3B& getBackGroundColor() const { return m_cColor; }
  void setBackGroundColorOpacity(int opacity);
  int getBackGroundColorOpacity() const { return m_nColorOpacity; }
  void setBackGroundColorVector(const CCPoint& vector) { m_alongVector = vector; }

  void setClippingEnabled(bool enabled);
  bool isClippingEnabled() const { return m_bClippingEnabled; }
  virtual void setLayoutType(LayoutType type);
  LayoutType getLayoutType() const { return m_eLayoutType; }
  // Places the children again (linear and relative layouts).
  virtual void doLayout();
  void onEnter() override;

  void addChild(CCNode* child) override;
  void addChild(CCNode* child, int zOrder) override;
  void addChild(CCNode* child, int zOrder, int tag) override;
  CCSize getVirtualRendererSize() const override { return m_backGroundImageTextureSize; }
  void draw() override;

 protected:
  void onSizeChanged() override;
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;
  void updateBackGroundImage();
  void doLinearLayout();
  void doRelativeLayout();

  bool m_bClippingEnabled = false;
  bool m_bBackGroundScale9Enabled = false;
  CCNode* m_pBackGroundImage = nullptr;
  std::string m_strBackGroundImageFileName;
  CCRect m_backGroundImageCapInsets;
  CCSize m_backGroundImageTextureSize;
  LayoutBackGroundColorType m_eColorType = LAYOUT_COLOR_NONE;
  ccColor3B m_cColor{255, 255, 255};
  ccColor3B m_gStartColor{255, 255, 255};
  ccColor3B m_gEndColor{255, 255, 255};
  CCPoint m_alongVector{0, -1};
  int m_nColorOpacity = 255;
  LayoutType m_eLayoutType = LAYOUT_ABSOLUTE;
};

// A picture by name (the engine's one resolver: frames, then files), as a
// plain or nine-slice sprite; null for an empty name.
CCNode* uiMakePicture(const std::string& name, bool scale9, const CCRect& capInsets, CCSize* textureSize);
// Shows a picture at a widget's size: nine-slice sprites take it as their
// preferred size, others are stretched to it (or kept at their own size when
// the widget adapts to its content).
void uiFitRenderer(CCNode* renderer, const CCSize& textureSize, const CCSize& size, bool ignoreSize);

}  // namespace ui
NS_CC_END

#endif
