#ifndef KEST_UI_IMAGE_VIEW_H
#define KEST_UI_IMAGE_VIEW_H

// Picture widgets: ImageView, LoadingBar (a bar cut to its percentage,
// filling from the left or from the right) and Slider (a bar, a progress
// bar and a ball; a touch or drag on it sets the percentage and sends
// SLIDER_PERCENTCHANGED). Percentages are clamped to 0..100.

#include "UIWidget.h"

NS_CC_BEGIN
namespace ui {

class ImageView : public Widget {
 public:
  static ImageView* create();
  bool init() override;
  std::string getDescription() const override { return "ImageView"; }

  // Names are resolved as sprites resolve them (frames first), whatever the type.
  void loadTexture(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void setTextureRect(const CCRect& rect);
  // Nine-slice pictures take the widget's size (they never adapt to the picture).
  void setScale9Enabled(bool able);
  bool isScale9Enabled() const { return m_bScale9Enabled; }
  void setCapInsets(const CCRect& capInsets);
  void ignoreContentAdaptWithSize(bool ignore) override;
  void setFlipX(bool flipX) override;
  void setFlipY(bool flipY) override;
  CCSize getVirtualRendererSize() const override { return m_textureSize; }
  const std::string& getFileName() const { return m_strFileName; }
  CCNode* getVirtualRenderer() const { return m_pImage; }

 protected:
  void onSizeChanged() override;
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;

  CCNode* m_pImage = nullptr;
  std::string m_strFileName;
  CCSize m_textureSize;
  bool m_bScale9Enabled = false;
  CCRect m_capInsets;
};

enum LoadingBarType { LoadingBarTypeLeft, LoadingBarTypeRight };

class LoadingBar : public Widget {
 public:
  static LoadingBar* create();
  bool init() override;
  std::string getDescription() const override { return "LoadingBar"; }

  void loadTexture(const char* texture, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void setDirection(LoadingBarType dir);
  int getDirection() const { return m_eDirection; }
  void setPercent(int percent);
  int getPercent() const { return m_nPercent; }
  void setScale9Enabled(bool enabled);
  void setCapInsets(const CCRect& capInsets);
  CCSize getVirtualRendererSize() const override { return m_textureSize; }
  // The part of the bar shown, in the picture's pixels (tests).
  CCRect getShownRect() const { return m_shownRect; }

 protected:
  void onSizeChanged() override;
  void updateBar();
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;

  CCNode* m_pBar = nullptr;
  std::string m_strFileName;
  CCSize m_textureSize;
  CCRect m_frameRect;
  LoadingBarType m_eDirection = LoadingBarTypeLeft;
  int m_nPercent = 100;
  bool m_bScale9Enabled = false;
  CCRect m_capInsets;
  CCRect m_shownRect;
};

enum SliderEventType { SLIDER_PERCENTCHANGED };
typedef void (CCObject::*SEL_SlidPercentChangedEvent)(CCObject*, SliderEventType);
#define sliderpercentchangedselector(_SELECTOR) (::cocos2d::ui::SEL_SlidPercentChangedEvent)(&_SELECTOR)

class Slider : public Widget {
 public:
  static Slider* create();
  bool init() override;
  std::string getDescription() const override { return "Slider"; }

  void loadBarTexture(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadSlidBallTextures(const char* normal, const char* pressed, const char* disabled,
                            TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadSlidBallTextureNormal(const char* normal, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadSlidBallTexturePressed(const char* pressed, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadSlidBallTextureDisabled(const char* disabled, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadProgressBarTexture(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void setScale9Enabled(bool able);
  void setCapInsets(const CCRect& capInsets);
  void setPercent(int percent);
  int getPercent() const { return m_nPercent; }
  void addEventListenerSlider(CCObject* target, SEL_SlidPercentChangedEvent selector);

  bool onTouchBegan(CCTouch* touch, CCEvent* event) override;
  void onTouchMoved(CCTouch* touch, CCEvent* event) override;
  CCSize getVirtualRendererSize() const override { return m_barTextureSize; }

 protected:
  void onSizeChanged() override;
  void onPressStateChangedToNormal() override;
  void onPressStateChangedToPressed() override;
  void onPressStateChangedToDisabled() override;
  void percentFromWorld(const CCPoint& world);
  void layoutParts();
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;

  CCNode* m_pBar = nullptr;
  CCNode* m_pProgress = nullptr;
  CCNode* m_pBalls[3] = {nullptr, nullptr, nullptr};
  std::string m_strBar, m_strProgress, m_strBalls[3];
  CCSize m_barTextureSize, m_progressTextureSize;
  CCRect m_progressFrameRect;
  bool m_bScale9Enabled = false;
  CCRect m_capInsets;
  int m_nPercent = 0;
  int m_nPress = 0;
  CCObject* m_pSliderEventListener = nullptr;
  SEL_SlidPercentChangedEvent m_pfnSliderEventSelector = nullptr;
};

}  // namespace ui
NS_CC_END

#endif
