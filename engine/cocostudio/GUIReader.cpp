#include "GUIReader.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "JsonHelper.h"
#include "UIAction.h"
#include "UIButton.h"
#include "UIImageView.h"
#include "UIScrollView.h"
#include "UIText.h"

NS_CC_EXT_BEGIN

using namespace ui;
using json::Value;

namespace {

const int kMaxDepth = 64;

struct ReadContext {
  std::string dir;       // the file's folder, with its trailing '/'
  std::string fileName;  // for log lines
};

void logOnce(const std::string& what) {
  static std::map<std::string, bool> seen;
  if (seen[what]) return;
  seen[what] = true;
  CCLog("GUIReader: %s", what.c_str());
}

std::string picture(const Value& options, const char* key, const ReadContext& ctx) {
  const Value* data = json::getObject(options, key);
  if (!data) return "";
  std::string path = json::getString(*data, "path");
  if (path.empty()) return "";
  // Type 1 is a frame name; type 0 a file next to the layout.
  return json::getInt(*data, "resourceType", 0) == 1 ? path : ctx.dir + path;
}

CCRect capInsets(const Value& o) {
  return CCRect(json::getFloat(o, "capInsetsX", 0), json::getFloat(o, "capInsetsY", 0),
                json::getFloat(o, "capInsetsWidth", 0), json::getFloat(o, "capInsetsHeight", 0));
}

uint8_t channel(const Value& o, const char* key, int def) {
  return (uint8_t)std::min(std::max(json::getInt(o, key, def), 0), 255);
}

int fontSize(const Value& o, const char* key, int def) {
  // A font size beyond any screen would render a huge texture.
  return std::min(std::max(json::getInt(o, key, def), 1), 256);
}

void readLayoutParameter(Widget* w, const Value& options) {
  const Value* p = json::getObject(options, "layoutParameter");
  if (!p) return;
  LayoutParameter* parameter = nullptr;
  switch (json::getInt(*p, "type", 0)) {
    case 1: {
      LinearLayoutParameter* lp = LinearLayoutParameter::create();
      int g = json::getInt(*p, "gravity", 0);
      lp->setGravity(g >= 0 && g <= 6 ? (LinearGravity)g : LINEAR_GRAVITY_NONE);
      parameter = lp;
      break;
    }
    case 2: {
      RelativeLayoutParameter* rp = RelativeLayoutParameter::create();
      int a = json::getInt(*p, "align", 0);
      rp->setAlign(a >= 0 && a <= RELATIVE_LOCATION_BELOW_RIGHTALIGN ? (RelativeAlign)a : RELATIVE_ALIGN_NONE);
      rp->setRelativeName(json::getString(*p, "relativeName"));
      rp->setRelativeToWidgetName(json::getString(*p, "relativeToName"));
      parameter = rp;
      break;
    }
    default: return;
  }
  parameter->setMargin(Margin(json::getFloat(*p, "marginLeft", 0), json::getFloat(*p, "marginTop", 0),
                              json::getFloat(*p, "marginRight", 0), json::getFloat(*p, "marginDown", 0)));
  w->setLayoutParameter(parameter);
}

void readCommon(Widget* w, const Value& o) {
  if (json::has(o, "ignoreSize")) w->ignoreContentAdaptWithSize(json::getBool(o, "ignoreSize", true));
  w->setSizeType((SizeType)(json::getInt(o, "sizeType", 0) == 1 ? SIZE_PERCENT : SIZE_ABSOLUTE));
  w->setPositionType((PositionType)(json::getInt(o, "positionType", 0) == 1 ? POSITION_PERCENT : POSITION_ABSOLUTE));
  w->setSizePercent(CCPoint(json::getFloat(o, "sizePercentX", 0), json::getFloat(o, "sizePercentY", 0)));
  w->setPositionPercent(CCPoint(json::getFloat(o, "positionPercentX", 0), json::getFloat(o, "positionPercentY", 0)));
  w->setSize(CCSize(std::max(0.0f, json::getFloat(o, "width", 0)), std::max(0.0f, json::getFloat(o, "height", 0))));
  w->setTag(json::getInt(o, "tag", 0));
  w->setActionTag(json::getInt(o, "actiontag", 0));
  w->setTouchEnabled(json::getBool(o, "touchAble", false));
  w->setName(json::getString(o, "name", "default").c_str());
  w->setPosition(CCPoint(json::getFloat(o, "x", 0), json::getFloat(o, "y", 0)));
  if (json::has(o, "scaleX")) w->setScaleX(json::getFloat(o, "scaleX", 1));
  if (json::has(o, "scaleY")) w->setScaleY(json::getFloat(o, "scaleY", 1));
  if (json::has(o, "rotation")) w->setRotation(json::getFloat(o, "rotation", 0));
  if (json::has(o, "visible")) w->setVisible(json::getBool(o, "visible", true));
  w->setZOrder(json::getInt(o, "ZOrder", 0));
  readLayoutParameter(w, o);
}

void readColours(Widget* w, const Value& o) {
  if (json::has(o, "opacity")) w->setOpacity(channel(o, "opacity", 255));
  if (json::has(o, "colorR") || json::has(o, "colorG") || json::has(o, "colorB"))
    w->setColor(ccc3(channel(o, "colorR", 255), channel(o, "colorG", 255), channel(o, "colorB", 255)));
  float def = w->getWidgetType() == WidgetTypeContainer ? 0.0f : 0.5f;
  w->setAnchorPoint(CCPoint(json::getFloat(o, "anchorPointX", def), json::getFloat(o, "anchorPointY", def)));
  w->setFlipX(json::getBool(o, "flipX", false));
  w->setFlipY(json::getBool(o, "flipY", false));
}

void readLayout(Layout* l, const Value& o, const ReadContext& ctx) {
  l->setClippingEnabled(json::getBool(o, "clipAble", false));
  bool scale9 = json::getBool(o, "backGroundScale9Enable", false);
  l->setBackGroundImageScale9Enabled(scale9);
  if (scale9) l->setBackGroundImageCapInsets(capInsets(o));
  std::string bg = picture(o, "backGroundImageData", ctx);
  if (!bg.empty()) l->setBackGroundImage(bg.c_str());
  int colorType = json::getInt(o, "colorType", 0);
  l->setBackGroundColorType(colorType == 1   ? LAYOUT_COLOR_SOLID
                            : colorType == 2 ? LAYOUT_COLOR_GRADIENT
                                             : LAYOUT_COLOR_NONE);
  l->setBackGroundColor(ccc3(channel(o, "bgColorR", 255), channel(o, "bgColorG", 255), channel(o, "bgColorB", 255)));
  l->setBackGroundColor(
      ccc3(channel(o, "bgStartColorR", 255), channel(o, "bgStartColorG", 255), channel(o, "bgStartColorB", 255)),
      ccc3(channel(o, "bgEndColorR", 255), channel(o, "bgEndColorG", 255), channel(o, "bgEndColorB", 255)));
  l->setBackGroundColorVector(CCPoint(json::getFloat(o, "vectorX", 0), json::getFloat(o, "vectorY", -0.5f)));
  l->setBackGroundColorOpacity(json::getInt(o, "bgColorOpacity", 255));
  int type = json::getInt(o, "layoutType", 0);
  if (type >= 1 && type <= 3) l->setLayoutType((LayoutType)type);
}

void readScrollView(ScrollView* s, const Value& o, bool list) {
  int dir = json::getInt(o, "direction", list ? 2 : 1);
  s->setDirection(dir >= 0 && dir <= 3 ? (SCROLLVIEW_DIR)dir : SCROLLVIEW_DIR_VERTICAL);
  s->setBounceEnabled(json::getBool(o, "bounceEnable", false));
  if (!list) s->setInnerContainerSize(CCSize(json::getFloat(o, "innerWidth", 0), json::getFloat(o, "innerHeight", 0)));
}

void readListView(ListView* l, const Value& o) {
  int g = json::getInt(o, "gravity", LISTVIEW_GRAVITY_TOP);
  l->setGravity(g >= 0 && g <= 5 ? (ListViewGravity)g : LISTVIEW_GRAVITY_TOP);
  l->setItemsMargin(json::getFloat(o, "itemMargin", 0));
}

void readButton(Button* b, const Value& o, const ReadContext& ctx) {
  bool scale9 = json::getBool(o, "scale9Enable", false);
  b->setScale9Enabled(scale9);
  b->loadTextures(picture(o, "normalData", ctx).c_str(), picture(o, "pressedData", ctx).c_str(),
                  picture(o, "disabledData", ctx).c_str());
  if (scale9) {
    b->setCapInsets(capInsets(o));
    if (json::has(o, "scale9Width") && json::has(o, "scale9Height"))
      b->setSize(CCSize(json::getFloat(o, "scale9Width", 0), json::getFloat(o, "scale9Height", 0)));
  }
  if (json::has(o, "text")) b->setTitleText(json::getString(o, "text"));
  b->setTitleColor(ccc3(channel(o, "textColorR", 255), channel(o, "textColorG", 255), channel(o, "textColorB", 255)));
  b->setTitleFontSize((float)fontSize(o, "fontSize", 14));
  if (json::has(o, "fontName")) b->setTitleFontName(json::getString(o, "fontName").c_str());
}

void readCheckBox(CheckBox* c, const Value& o, const ReadContext& ctx) {
  c->loadTextures(picture(o, "backGroundBoxData", ctx).c_str(), picture(o, "backGroundBoxSelectedData", ctx).c_str(),
                  picture(o, "frontCrossData", ctx).c_str(), picture(o, "backGroundBoxDisabledData", ctx).c_str(),
                  picture(o, "frontCrossDisabledData", ctx).c_str());
}

void readImageView(ImageView* i, const Value& o, const ReadContext& ctx) {
  bool scale9 = json::getBool(o, "scale9Enable", false);
  i->setScale9Enabled(scale9);
  i->loadTexture(picture(o, "fileNameData", ctx).c_str());
  if (scale9) {
    if (json::has(o, "scale9Width") && json::has(o, "scale9Height"))
      i->setSize(CCSize(json::getFloat(o, "scale9Width", 0), json::getFloat(o, "scale9Height", 0)));
    i->setCapInsets(capInsets(o));
  }
}

void readLabel(ui::Label* l, const Value& o, const ReadContext& ctx) {
  l->setTouchScaleChangeEnabled(json::getBool(o, "touchScaleEnable", false));
  std::string font = json::getString(o, "fontName", "Arial");
  if (font.size() > 4 && strcasecmp(font.c_str() + font.size() - 4, ".ttf") == 0) font = ctx.dir + font;
  l->setFontName(font);
  l->setFontSize(fontSize(o, "fontSize", 20));
  if (json::has(o, "areaWidth") && json::has(o, "areaHeight"))
    l->setTextAreaSize(CCSize(json::getFloat(o, "areaWidth", 0), json::getFloat(o, "areaHeight", 0)));
  int h = json::getInt(o, "hAlignment", 0), v = json::getInt(o, "vAlignment", 0);
  l->setTextHorizontalAlignment(h == 1   ? kCCTextAlignmentCenter
                                : h == 2 ? kCCTextAlignmentRight
                                         : kCCTextAlignmentLeft);
  l->setTextVerticalAlignment(v == 1   ? kCCVerticalTextAlignmentCenter
                              : v == 2 ? kCCVerticalTextAlignmentBottom
                                       : kCCVerticalTextAlignmentTop);
  l->setText(json::getString(o, "text", "Text Label"));
}

void readLabelAtlas(LabelAtlas* l, const Value& o, const ReadContext& ctx) {
  const Value* data = json::getObject(o, "charMapFileData");
  if (data && json::getInt(*data, "resourceType", 0) != 0) {
    logOnce(ctx.fileName + ": an atlas label's character map must be a file");
    return;
  }
  std::string map = picture(o, "charMapFileData", ctx);
  if (map.empty()) return;
  l->setProperty(json::getString(o, "stringValue", "0123456789"), map, json::getInt(o, "itemWidth", 24),
                 json::getInt(o, "itemHeight", 32), json::getString(o, "startCharMap", "0"));
}

void readLoadingBar(LoadingBar* b, const Value& o, const ReadContext& ctx) {
  bool scale9 = json::getBool(o, "scale9Enable", false);
  b->setScale9Enabled(scale9);
  b->loadTexture(picture(o, "textureData", ctx).c_str());
  if (scale9) {
    b->setCapInsets(capInsets(o));
    b->setSize(CCSize(json::getFloat(o, "width", 0), json::getFloat(o, "height", 0)));
  }
  b->setDirection(json::getInt(o, "direction", 0) == 1 ? LoadingBarTypeRight : LoadingBarTypeLeft);
  b->setPercent(json::getInt(o, "percent", 100));
}

void readSlider(Slider* s, const Value& o, const ReadContext& ctx) {
  bool scale9 = json::getBool(o, "scale9Enable", false);
  s->setScale9Enabled(scale9);
  s->loadBarTexture(picture(o, "barFileNameData", ctx).c_str());
  if (scale9) s->setSize(CCSize(json::getFloat(o, "length", 290), s->getSize().height));
  s->loadSlidBallTextures(picture(o, "ballNormalData", ctx).c_str(), picture(o, "ballPressedData", ctx).c_str(),
                          picture(o, "ballDisabledData", ctx).c_str());
  s->loadProgressBarTexture(picture(o, "progressBarData", ctx).c_str());
  s->setPercent(json::getInt(o, "percent", 0));
}

void readTextField(TextField* t, const Value& o) {
  t->setPlaceHolder(json::getString(o, "placeHolder", "inputs words here"));
  t->setFontSize(fontSize(o, "fontSize", 20));
  t->setFontName(json::getString(o, "fontName", "Arial"));
  if (json::has(o, "touchSizeWidth") && json::has(o, "touchSizeHeight"))
    t->setTouchSize(CCSize(json::getFloat(o, "touchSizeWidth", 0), json::getFloat(o, "touchSizeHeight", 0)));
  if (json::getBool(o, "maxLengthEnable", false)) {
    t->setMaxLengthEnabled(true);
    t->setMaxLength(json::getInt(o, "maxLength", 10));
  }
  if (json::getBool(o, "passwordEnable", false)) {
    t->setPasswordEnabled(true);
    t->setPasswordStyleText(json::getString(o, "passwordStyleText", "*").c_str());
  }
  t->setText(json::getString(o, "text"));
}

Widget* makeWidget(const std::string& cls, const ReadContext& ctx) {
  if (cls == "Panel") return Layout::create();
  if (cls == "Button" || cls == "TextButton") return Button::create();
  if (cls == "CheckBox") return CheckBox::create();
  if (cls == "ImageView") return ImageView::create();
  if (cls == "Label" || cls == "TextArea") return ui::Label::create();
  if (cls == "LabelAtlas") return LabelAtlas::create();
  if (cls == "LoadingBar") return LoadingBar::create();
  if (cls == "Slider") return Slider::create();
  if (cls == "TextField") return TextField::create();
  if (cls == "ScrollView" || cls == "DragPanel") return ScrollView::create();
  if (cls == "ListView") return ListView::create();
  logOnce(ctx.fileName + ": widget class \"" + cls + "\" is read as a panel");
  return Layout::create();
}

Widget* readWidget(const Value& node, const ReadContext& ctx, int depth) {
  std::string cls = json::getString(node, "classname");
  Widget* w = makeWidget(cls, ctx);
  static const Value kEmpty(rapidjson::kObjectType);
  const Value* found = json::getObject(node, "options");
  const Value& o = found ? *found : kEmpty;
  readCommon(w, o);
  if (Layout* l = dynamic_cast<Layout*>(w)) readLayout(l, o, ctx);
  if (ListView* l = dynamic_cast<ListView*>(w)) {
    readScrollView(l, o, true);
    readListView(l, o);
  } else if (ScrollView* s = dynamic_cast<ScrollView*>(w)) {
    readScrollView(s, o, false);
  } else if (Button* b = dynamic_cast<Button*>(w)) {
    readButton(b, o, ctx);
  } else if (CheckBox* c = dynamic_cast<CheckBox*>(w)) {
    readCheckBox(c, o, ctx);
  } else if (ImageView* i = dynamic_cast<ImageView*>(w)) {
    readImageView(i, o, ctx);
  } else if (ui::Label* t = dynamic_cast<ui::Label*>(w)) {
    readLabel(t, o, ctx);
  } else if (LabelAtlas* a = dynamic_cast<LabelAtlas*>(w)) {
    readLabelAtlas(a, o, ctx);
  } else if (LoadingBar* b = dynamic_cast<LoadingBar*>(w)) {
    readLoadingBar(b, o, ctx);
  } else if (Slider* s = dynamic_cast<Slider*>(w)) {
    readSlider(s, o, ctx);
  } else if (TextField* f = dynamic_cast<TextField*>(w)) {
    readTextField(f, o);
  }
  readColours(w, o);

  const Value* children = json::getArray(node, "children");
  if (!children) return w;
  if (depth >= kMaxDepth) {
    logOnce(ctx.fileName + ": widgets nested too deep are left out");
    return w;
  }
  ListView* list = dynamic_cast<ListView*>(w);
  for (const Value& c : children->GetArray()) {
    if (!c.IsObject()) continue;
    Widget* child = readWidget(c, ctx, depth + 1);
    if (list)
      list->pushBackCustomItem(child);
    else
      w->addChild(child);
  }
  return w;
}

}  // namespace

static GUIReader* s_reader = nullptr;

GUIReader* GUIReader::shareReader() {
  if (!s_reader) s_reader = new GUIReader();
  return s_reader;
}

void GUIReader::purgeGUIReader() { CC_SAFE_RELEASE_NULL(s_reader); }

int GUIReader::getVersionInteger(const char* str) {
  if (!str || strlen(str) < 7) return 0;
  int parts[4] = {0, 0, 0, 0};
  const char* p = str;
  for (int i = 0; i < 4 && *p; ++i) {
    long v = 0;
    while (*p >= '0' && *p <= '9') {
      v = std::min(v * 10 + (*p - '0'), 99999L);
      ++p;
    }
    parts[i] = (int)v;
    while (*p && *p != '.') ++p;
    if (*p == '.') ++p;
  }
  return parts[0] * 1000 + parts[1] * 100 + parts[2] * 10 + parts[3];
}

void GUIReader::storeFileDesignSize(const char* fileName, const CCSize& size) {
  m_designSizes[fileName ? fileName : ""] = size;
}

const CCSize GUIReader::getFileDesignSize(const char* fileName) const {
  auto it = m_designSizes.find(fileName ? fileName : "");
  return it == m_designSizes.end() ? CCSizeZero : it->second;
}

Widget* GUIReader::widgetFromJsonFile(const char* fileName) {
  std::string name = fileName ? fileName : "";
  std::vector<unsigned char> bytes;
  std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(name.c_str());
  if (name.empty() || !CCFileUtils::readFile(full, bytes)) {
    CCLog("GUIReader: cannot read the layout %s", name.c_str());
    return Layout::create();
  }
  return widgetFromJsonData((const char*)bytes.data(), bytes.size(), name.c_str());
}

Widget* GUIReader::widgetFromJsonData(const char* data, size_t size, const char* fileName) {
  ReadContext ctx;
  ctx.fileName = fileName ? fileName : "";
  ctx.dir = json::directoryOf(ctx.fileName);
  rapidjson::Document doc;
  std::string what = "GUIReader: " + ctx.fileName;
  if (!json::parse(data, size, doc, what.c_str())) return Layout::create();
  const Value* tree = json::getObject(doc, "widgetTree");
  if (!tree) {
    CCLog("GUIReader: %s has no widget tree", ctx.fileName.c_str());
    return Layout::create();
  }
  if (const Value* textures = json::getArray(doc, "textures"))
    for (const Value& t : textures->GetArray())
      if (t.IsString() && t.GetStringLength() > 0)
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile((ctx.dir + t.GetString()).c_str());
  CCSize design(json::getFloat(doc, "designWidth", 0), json::getFloat(doc, "designHeight", 0));
  if (design.width <= 0 || design.height <= 0) design = CCDirector::sharedDirector()->getWinSize();
  storeFileDesignSize(ctx.fileName.c_str(), design);

  Widget* root = readWidget(*tree, ctx, 0);
  if (root->getSize().width == 0 && root->getSize().height == 0) root->setSize(design);
  if (const Value* animation = json::getObject(doc, "animation"))
    ActionManager::shareManager()->initWithDictionary(ctx.fileName.c_str(), *animation, root);
  return root;
}

NS_CC_EXT_END
