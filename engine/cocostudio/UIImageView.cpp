#include "UIImageView.h"

#include <algorithm>

#include "CCScale9Sprite.h"
#include "UILayout.h"

NS_CC_BEGIN
namespace ui {

// The rectangle of a sprite's picture in its texture (for cutting bars).
static CCRect pictureRect(CCNode* renderer) {
  CCSprite* s = dynamic_cast<CCSprite*>(renderer);
  return s ? s->getTextureRect() : CCRectZero;
}

// --- ImageView --------------------------------------------------------------

ImageView* ImageView::create() {
  return ccCreateWith<ImageView>([](ImageView* i) { return i->init(); });
}

bool ImageView::init() { return Widget::init(); }

Widget* ImageView::createCloneInstance() { return ImageView::create(); }

void ImageView::loadTexture(const char* fileName, TextureResType) {
  if (!fileName || !*fileName) return;
  m_strFileName = fileName;
  replaceRenderer(m_pImage, uiMakePicture(m_strFileName, m_bScale9Enabled, m_capInsets, &m_textureSize));
  if (m_bIgnoreSize) m_size = m_textureSize;
  if (CCSprite* s = dynamic_cast<CCSprite*>(m_pImage)) {
    s->setFlipX(m_bFlipX);
    s->setFlipY(m_bFlipY);
  }
  onSizeChanged();
}

void ImageView::setTextureRect(const CCRect& rect) {
  if (CCSprite* s = dynamic_cast<CCSprite*>(m_pImage)) s->setTextureRect(rect);
}

void ImageView::setScale9Enabled(bool able) {
  if (m_bScale9Enabled == able) return;
  m_bScale9Enabled = able;
  if (able) Widget::ignoreContentAdaptWithSize(false);
  if (!m_strFileName.empty()) {
    std::string name = m_strFileName;
    removeRenderer(m_pImage);
    m_pImage = nullptr;
    loadTexture(name.c_str());
  }
}

void ImageView::ignoreContentAdaptWithSize(bool ignore) {
  if (m_bScale9Enabled && ignore) return;
  Widget::ignoreContentAdaptWithSize(ignore);
}

void ImageView::setCapInsets(const CCRect& capInsets) {
  m_capInsets = capInsets;
  if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(m_pImage)) s9->setCapInsets(capInsets);
}

void ImageView::setFlipX(bool flipX) {
  Widget::setFlipX(flipX);
  if (CCSprite* s = dynamic_cast<CCSprite*>(m_pImage)) s->setFlipX(flipX);
}

void ImageView::setFlipY(bool flipY) {
  Widget::setFlipY(flipY);
  if (CCSprite* s = dynamic_cast<CCSprite*>(m_pImage)) s->setFlipY(flipY);
}

void ImageView::onSizeChanged() {
  if (!m_pImage) return;
  m_pImage->setAnchorPoint(m_obAnchorPoint);
  // A nine-slice picture always takes the widget's size.
  uiFitRenderer(m_pImage, m_textureSize, m_size, m_bIgnoreSize && !m_bScale9Enabled);
}

void ImageView::copySpecialProperties(Widget* widget) {
  ImageView* model = dynamic_cast<ImageView*>(widget);
  if (!model) return;
  m_bScale9Enabled = model->m_bScale9Enabled;
  m_capInsets = model->m_capInsets;
  loadTexture(model->m_strFileName.c_str());
}

// --- LoadingBar -------------------------------------------------------------

LoadingBar* LoadingBar::create() {
  return ccCreateWith<LoadingBar>([](LoadingBar* l) { return l->init(); });
}

bool LoadingBar::init() { return Widget::init(); }

Widget* LoadingBar::createCloneInstance() { return LoadingBar::create(); }

void LoadingBar::loadTexture(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strFileName = name;
  replaceRenderer(m_pBar, uiMakePicture(m_strFileName, m_bScale9Enabled, m_capInsets, &m_textureSize));
  m_frameRect = pictureRect(m_pBar);
  if (m_bIgnoreSize) m_size = m_textureSize;
  onSizeChanged();
}

void LoadingBar::setDirection(LoadingBarType dir) {
  m_eDirection = dir;
  updateBar();
}

void LoadingBar::setPercent(int percent) {
  m_nPercent = std::min(std::max(percent, 0), 100);
  updateBar();
}

void LoadingBar::setScale9Enabled(bool enabled) {
  if (m_bScale9Enabled == enabled) return;
  m_bScale9Enabled = enabled;
  if (enabled) Widget::ignoreContentAdaptWithSize(false);
  if (!m_strFileName.empty()) {
    std::string name = m_strFileName;
    removeRenderer(m_pBar);
    m_pBar = nullptr;
    loadTexture(name.c_str());
  }
}

void LoadingBar::setCapInsets(const CCRect& capInsets) {
  m_capInsets = capInsets;
  if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(m_pBar)) s9->setCapInsets(capInsets);
}

void LoadingBar::onSizeChanged() { updateBar(); }

void LoadingBar::updateBar() {
  float res = m_nPercent / 100.0f;
  float w = m_textureSize.width, h = m_textureSize.height;
  m_shownRect = m_eDirection == LoadingBarTypeLeft ? CCRect(0, 0, w * res, h) : CCRect(w * (1 - res), 0, w * res, h);
  if (!m_pBar) return;
  bool left = m_eDirection == LoadingBarTypeLeft;
  m_pBar->setAnchorPoint(CCPoint(left ? 0 : 1, 0));
  m_pBar->setPosition(CCPoint(left ? -m_size.width * m_obAnchorPoint.x : m_size.width * (1 - m_obAnchorPoint.x),
                              -m_size.height * m_obAnchorPoint.y));
  if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(m_pBar)) {
    s9->setPreferredSize(CCSize(m_size.width * res, m_size.height));
    s9->setVisible(res > 0);
    return;
  }
  CCSprite* s = static_cast<CCSprite*>(m_pBar);
  CCRect cut(m_frameRect.origin.x + m_shownRect.origin.x, m_frameRect.origin.y, m_shownRect.size.width, h);
  s->setTextureRect(cut, false, cut.size);
  if (!m_bIgnoreSize && w > 0 && h > 0) {
    s->setScaleX(m_size.width / w);
    s->setScaleY(m_size.height / h);
  } else {
    s->setScale(1);
  }
}

void LoadingBar::copySpecialProperties(Widget* widget) {
  LoadingBar* model = dynamic_cast<LoadingBar*>(widget);
  if (!model) return;
  m_bScale9Enabled = model->m_bScale9Enabled;
  m_capInsets = model->m_capInsets;
  loadTexture(model->m_strFileName.c_str());
  m_eDirection = model->m_eDirection;
  setPercent(model->m_nPercent);
}

// --- Slider -----------------------------------------------------------------

Slider* Slider::create() {
  return ccCreateWith<Slider>([](Slider* s) { return s->init(); });
}

bool Slider::init() {
  if (!Widget::init()) return false;
  setTouchEnabled(true);
  return true;
}

Widget* Slider::createCloneInstance() { return Slider::create(); }

void Slider::loadBarTexture(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strBar = name;
  replaceRenderer(m_pBar, uiMakePicture(m_strBar, m_bScale9Enabled, m_capInsets, &m_barTextureSize), 0);
  if (m_bIgnoreSize) m_size = m_barTextureSize;
  layoutParts();
}

void Slider::loadProgressBarTexture(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strProgress = name;
  replaceRenderer(m_pProgress, uiMakePicture(m_strProgress, m_bScale9Enabled, m_capInsets, &m_progressTextureSize), 1);
  m_progressFrameRect = pictureRect(m_pProgress);
  layoutParts();
}

void Slider::loadSlidBallTextures(const char* normal, const char* pressed, const char* disabled, TextureResType) {
  loadSlidBallTextureNormal(normal);
  loadSlidBallTexturePressed(pressed);
  loadSlidBallTextureDisabled(disabled);
}

void Slider::loadSlidBallTextureNormal(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strBalls[0] = name;
  replaceRenderer(m_pBalls[0], uiMakePicture(m_strBalls[0], false, CCRectZero, nullptr), 2);
  layoutParts();
}

void Slider::loadSlidBallTexturePressed(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strBalls[1] = name;
  replaceRenderer(m_pBalls[1], uiMakePicture(m_strBalls[1], false, CCRectZero, nullptr), 2);
  layoutParts();
}

void Slider::loadSlidBallTextureDisabled(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strBalls[2] = name;
  replaceRenderer(m_pBalls[2], uiMakePicture(m_strBalls[2], false, CCRectZero, nullptr), 2);
  layoutParts();
}

void Slider::setScale9Enabled(bool able) {
  if (m_bScale9Enabled == able) return;
  m_bScale9Enabled = able;
  if (able) Widget::ignoreContentAdaptWithSize(false);
  std::string bar = m_strBar, progress = m_strProgress;
  if (m_pBar) removeRenderer(m_pBar);
  if (m_pProgress) removeRenderer(m_pProgress);
  m_pBar = m_pProgress = nullptr;
  loadBarTexture(bar.c_str());
  loadProgressBarTexture(progress.c_str());
}

void Slider::setCapInsets(const CCRect& capInsets) {
  m_capInsets = capInsets;
  for (CCNode* r : {m_pBar, m_pProgress})
    if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(r)) s9->setCapInsets(capInsets);
}

void Slider::setPercent(int percent) {
  m_nPercent = std::min(std::max(percent, 0), 100);
  layoutParts();
}

void Slider::addEventListenerSlider(CCObject* target, SEL_SlidPercentChangedEvent selector) {
  m_pSliderEventListener = target;
  m_pfnSliderEventSelector = selector;
}

void Slider::onSizeChanged() { layoutParts(); }

void Slider::layoutParts() {
  float length = m_size.width;
  CCPoint centre(m_size.width * (0.5f - m_obAnchorPoint.x), m_size.height * (0.5f - m_obAnchorPoint.y));
  float res = m_nPercent / 100.0f;
  if (m_pBar) {
    m_pBar->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pBar->setPosition(centre);
    if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(m_pBar))
      s9->setPreferredSize(m_size);
    else if (!m_bIgnoreSize && m_barTextureSize.width > 0 && m_barTextureSize.height > 0)
      m_pBar->setScaleX(m_size.width / m_barTextureSize.width);
  }
  if (m_pProgress) {
    m_pProgress->setAnchorPoint(CCPoint(0, 0.5f));
    m_pProgress->setPosition(CCPoint(centre.x - length / 2, centre.y));
    if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(m_pProgress)) {
      s9->setPreferredSize(CCSize(length * res, m_progressTextureSize.height));
      s9->setVisible(res > 0);
    } else if (CCSprite* s = dynamic_cast<CCSprite*>(m_pProgress)) {
      CCRect cut(m_progressFrameRect.origin.x, m_progressFrameRect.origin.y, m_progressFrameRect.size.width * res,
                 m_progressFrameRect.size.height);
      s->setTextureRect(cut, false, cut.size);
      float tw = m_progressTextureSize.width;
      s->setScaleX(tw > 0 ? length / tw : 1);
    }
  }
  for (int i = 0; i < 3; ++i) {
    if (!m_pBalls[i]) continue;
    m_pBalls[i]->setPosition(CCPoint(centre.x - length / 2 + length * res, centre.y));
    // A state without its own ball shows the normal one.
    int shown = m_pBalls[m_nPress] ? m_nPress : 0;
    m_pBalls[i]->setVisible(i == shown);
  }
}

void Slider::onPressStateChangedToNormal() {
  m_nPress = 0;
  layoutParts();
}

void Slider::onPressStateChangedToPressed() {
  m_nPress = 1;
  layoutParts();
}

void Slider::onPressStateChangedToDisabled() {
  m_nPress = 2;
  layoutParts();
}

void Slider::percentFromWorld(const CCPoint& world) {
  CCPoint p = convertToNodeSpace(world);
  float length = m_size.width;
  if (length <= 0) return;
  float left = m_size.width * (0.5f - m_obAnchorPoint.x) - length / 2;
  int percent = (int)((p.x - left) / length * 100 + 0.5f);
  setPercent(percent);
  if (m_pSliderEventListener && m_pfnSliderEventSelector)
    (m_pSliderEventListener->*m_pfnSliderEventSelector)(this, SLIDER_PERCENTCHANGED);
}

bool Slider::onTouchBegan(CCTouch* touch, CCEvent* event) {
  bool taken = Widget::onTouchBegan(touch, event);
  if (m_bHitted) percentFromWorld(m_touchStartPos);
  return taken;
}

void Slider::onTouchMoved(CCTouch* touch, CCEvent* event) {
  Widget::onTouchMoved(touch, event);
  percentFromWorld(m_touchMovePos);
}

void Slider::copySpecialProperties(Widget* widget) {
  Slider* model = dynamic_cast<Slider*>(widget);
  if (!model) return;
  m_bScale9Enabled = model->m_bScale9Enabled;
  m_capInsets = model->m_capInsets;
  loadBarTexture(model->m_strBar.c_str());
  loadProgressBarTexture(model->m_strProgress.c_str());
  loadSlidBallTextures(model->m_strBalls[0].c_str(), model->m_strBalls[1].c_str(), model->m_strBalls[2].c_str());
  setPercent(model->m_nPercent);
}

}  // namespace ui
NS_CC_END
