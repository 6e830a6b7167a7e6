// The CocoStudio reader and widgets on our own layout file: the tree read,
// geometry rules, touches reaching the right widget, clone, check boxes,
// list views, layout animations and bad input.

#include <string>
#include <vector>

#include "ExtFixture.h"

USING_NS_CC;
USING_NS_CC_EXT;
using namespace cocos2d::ui;

namespace {

const char* kLayout = "TestUI/TestUI.ExportJson";

class Events : public CCObject {
 public:
  std::vector<std::string> log;
  void onTouch(CCObject* sender, TouchEventType type) {
    log.push_back(std::string(static_cast<Widget*>(sender)->getName()) + ":" + std::to_string((int)type));
  }
  void onCheck(CCObject* sender, CheckBoxEventType type) {
    log.push_back("check:" + std::to_string((int)type));
    // The handlers set the state back inside their own callback.
    static_cast<CheckBox*>(sender)->setSelectedState(false);
  }
  void onSlider(CCObject* sender, SliderEventType) {
    log.push_back("slider:" + std::to_string(static_cast<Slider*>(sender)->getPercent()));
  }
  void onDone() { log.push_back("done"); }
};

class CocoStudioTest : public ExtTest {
 protected:
  void SetUp() override {
    ExtTest::SetUp();
    copyData(kLayout);
    copyData("TestUI/TestUI0.plist");
    writePng("TestUI/TestUI0.png", 128, 128, 0x40a040ff);
    writePng("TestUI/btn_n.png", 80, 30, 0xff0000ff);
    writePng("TestUI/btn_d.png", 80, 30, 0x808080ff);
    writePng("TestUI/digits.png", 160, 22, 0xffffffff);
    writePng("TestUI/box.png", 30, 30, 0xffffffff);
    writePng("TestUI/cross.png", 30, 30, 0x000000ff);
    writePng("TestUI/bar.png", 200, 14, 0x0000ffff);
    writePng("TestUI/ball.png", 20, 20, 0xffff00ff);
    m_scene = runScene();
    m_events = new Events();
  }
  void TearDown() override {
    m_events->release();
    ExtTest::TearDown();
  }
  // The layout in a touch group on the running scene.
  Widget* load() {
    m_group = TouchGroup::create();
    m_scene->addChild(m_group);
    Widget* root = GUIReader::shareReader()->widgetFromJsonFile(kLayout);
    m_group->addWidget(root);
    return root;
  }
  template <class T>
  T* seek(Widget* root, const char* name) {
    return dynamic_cast<T*>(UIHelper::seekWidgetByName(root, name));
  }
  void listen(Widget* w) { w->addTouchEventListener(m_events, toucheventselector(Events::onTouch)); }

  CCScene* m_scene = nullptr;
  TouchGroup* m_group = nullptr;
  Events* m_events = nullptr;
};

}  // namespace

TEST_F(CocoStudioTest, TheFileReadsIntoTheExpectedTree) {
  Widget* root = load();
  ASSERT_NE(dynamic_cast<Layout*>(root), nullptr);
  EXPECT_STREQ(root->getName(), "Panel_Root");
  EXPECT_EQ(root->getSize(), CCSize(1288, 762));
  EXPECT_EQ(root->getAnchorPoint(), CCPoint(0, 0));
  EXPECT_EQ(GUIReader::shareReader()->getFileDesignSize(kLayout), CCSize(1288, 762));

  Button* bet = seek<Button>(root, "Button_Bet");
  ASSERT_NE(bet, nullptr);
  EXPECT_EQ(bet->getTag(), 111);
  EXPECT_EQ(bet->getActionTag(), 11);
  EXPECT_EQ(bet->getPosition(), CCPoint(200, 100));
  EXPECT_EQ(bet->getAnchorPoint(), CCPoint(0.5f, 0.5f));
  EXPECT_EQ(bet->getSize(), CCSize(80, 30));  // the picture's size, not the file's width
  EXPECT_STREQ(bet->getTitleText(), "下注");
  EXPECT_EQ(bet->getTitleColor(), ccc3(255, 240, 0));
  EXPECT_TRUE(bet->isTouchEnabled());
  EXPECT_EQ(m_group->getWidgetByName("Button_Bet"), bet);
  EXPECT_EQ(m_group->getWidgetByTag(111), bet);

  // A child of a button sits relative to the button's position point.
  ImageView* chip = seek<ImageView>(root, "Image_Chip");
  ASSERT_NE(chip, nullptr);
  EXPECT_EQ(chip->getParent(), bet);
  EXPECT_EQ(chip->getWorldPosition(), CCPoint(210, 105));
  EXPECT_EQ(chip->getSize(), CCSize(20, 20));  // a frame of the sheet named in the file

  ASSERT_NE(seek<ImageView>(root, "Image_21"), nullptr);
  EXPECT_FALSE(seek<ImageView>(root, "Image_21")->isVisible());
  ui::Label* score = seek<ui::Label>(root, "Label_Score");
  ASSERT_NE(score, nullptr);
  EXPECT_STREQ(score->getStringValue(), "12345");
  EXPECT_EQ(score->getFontSize(), 24);
  EXPECT_GT(score->getSize().width, 0);
  LabelAtlas* timer = seek<LabelAtlas>(root, "atlasLabel_game_timer");
  ASSERT_NE(timer, nullptr);
  EXPECT_STREQ(timer->getStringValue(), "30");
  EXPECT_EQ(timer->getSize(), CCSize(32, 22));
  // The selected state is not read from the file.
  EXPECT_FALSE(seek<CheckBox>(root, "CheckBox_Apply")->getSelectedState());
  EXPECT_EQ(seek<Slider>(root, "Slider_AddScore")->getPercent(), 50);
  EXPECT_EQ(seek<LoadingBar>(root, "LoadingBar_Time")->getPercent(), 60);

  // Percent positions resolve against the parent's size on entering the scene.
  EXPECT_EQ(seek<ImageView>(root, "Image_Center")->getPosition(), CCPoint(644, 381));

  // List items: top-down, centred, 4 apart; their labels found by tag.
  ListView* list = seek<ListView>(root, "ListView_29");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->getItems()->count(), 3u);
  EXPECT_EQ(list->getItem(0)->getPosition(), CCPoint(10, 80));
  EXPECT_EQ(list->getItem(1)->getPosition(), CCPoint(10, 56));
  EXPECT_EQ(list->getItem(2)->getPosition(), CCPoint(10, 32));
  EXPECT_EQ(list->getItem(3), nullptr);
  EXPECT_NE(UIHelper::seekWidgetByTag(list->getItem(2), 15020), nullptr);
  EXPECT_EQ(list->getInnerContainer()->getPosition(), CCPoint(0, 0));

  // A name that is not there is null.
  EXPECT_EQ(UIHelper::seekWidgetByName(root, "Button_Nope"), nullptr);
  EXPECT_EQ(UIHelper::seekWidgetByName(nullptr, "Button_Bet"), nullptr);
}

TEST_F(CocoStudioTest, TouchesReachTheTopmostShownWidgetUnderThePoint) {
  Widget* root = load();
  Button* bet = seek<Button>(root, "Button_Bet");
  Button* top = seek<Button>(root, "Button_Top");
  listen(bet);
  listen(top);
  listen(seek<Button>(root, "Button_InHidden"));
  listen(seek<ImageView>(root, "Image_113_0"));

  click(170, 100);  // only the bet button is there (it spans 160..240, the top one 180..260)
  EXPECT_EQ(m_events->log, (std::vector<std::string>{"Button_Bet:0", "Button_Bet:2"}));
  m_events->log.clear();
  click(215, 100);  // both: the higher z wins
  EXPECT_EQ(m_events->log, (std::vector<std::string>{"Button_Top:0", "Button_Top:2"}));

  // Released elsewhere: cancelled; the pressed picture shows while held.
  m_events->log.clear();
  press(170, 100);
  EXPECT_EQ(bet->getShownPicture(), 1);
  drag(500, 500);
  EXPECT_EQ(bet->getShownPicture(), 0);
  release(500, 500);
  EXPECT_EQ(m_events->log, (std::vector<std::string>{"Button_Bet:0", "Button_Bet:1", "Button_Bet:3"}));

  // Hidden widgets, or widgets under a hidden panel, take nothing; a hidden
  // hover image does not cover the area under it.
  m_events->log.clear();
  click(50, 50);
  click(600, 400);
  EXPECT_EQ(m_events->log, (std::vector<std::string>{"Image_113_0:0", "Image_113_0:2"}));

  // Disabled or touch-disabled: nothing, and the touch goes on to what is below.
  class Below : public CCLayer {
   public:
    CREATE_FUNC(Below)
    int touches = 0;
    bool ccTouchBegan(CCTouch*, CCEvent*) override { return ++touches > 0; }
  };
  Below* below = Below::create();
  below->setTouchMode(kCCTouchesOneByOne);
  below->setTouchPriority(10);
  below->setTouchEnabled(true);
  m_scene->addChild(below);
  m_events->log.clear();
  bet->setEnabled(false);
  click(170, 100);
  bet->setEnabled(true);
  bet->setTouchEnabled(false);
  click(170, 100);
  EXPECT_TRUE(m_events->log.empty());
  EXPECT_EQ(below->touches, 2);
  click(170, 100 + 200);  // on the root panel, which is not touchable
  EXPECT_EQ(below->touches, 3);
}

TEST_F(CocoStudioTest, CloneCopiesContentGeometryAndChildrenButNotListeners) {
  Widget* root = load();
  Button* bet = seek<Button>(root, "Button_Bet");
  listen(bet);
  bet->setScale(0.7f);
  Button* copy = dynamic_cast<Button*>(bet->clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->getName(), "Button_Bet");
  EXPECT_EQ(copy->getTag(), 111);
  EXPECT_EQ(copy->getActionTag(), 11);
  EXPECT_EQ(copy->getPosition(), bet->getPosition());
  EXPECT_EQ(copy->getSize(), bet->getSize());
  EXPECT_FLOAT_EQ(copy->getScaleX(), 0.7f);
  EXPECT_EQ(copy->getNormalFileName(), bet->getNormalFileName());
  EXPECT_STREQ(copy->getTitleText(), "下注");
  EXPECT_EQ(copy->getTitleColor(), ccc3(255, 240, 0));
  EXPECT_TRUE(copy->isTouchEnabled());
  ASSERT_EQ(copy->getChildrenCount(), 1u);
  EXPECT_STREQ(static_cast<Widget*>(copy->getChildren()->objectAtIndex(0))->getName(), "Image_Chip");
  // Independent of the model, and touched without calling the model's listener.
  copy->setTitleText("x");
  EXPECT_STREQ(bet->getTitleText(), "下注");
  copy->setPosition(CCPoint(700, 600));
  m_group->addWidget(copy);
  click(700, 600);
  EXPECT_TRUE(m_events->log.empty());

  // Lists clone their items.
  ListView* list = seek<ListView>(root, "ListView_29");
  ListView* listCopy = dynamic_cast<ListView*>(list->clone());
  ASSERT_NE(listCopy, nullptr);
  EXPECT_EQ(listCopy->getItems()->count(), 3u);
  EXPECT_FLOAT_EQ(listCopy->getItemsMargin(), 4);
  EXPECT_EQ(listCopy->getItem(1)->getPosition(), CCPoint(10, 56));
}

TEST_F(CocoStudioTest, CheckBoxStateFromCodeFiresNothing) {
  Widget* root = load();
  CheckBox* box = seek<CheckBox>(root, "CheckBox_Apply");
  box->addEventListenerCheckBox(m_events, checkboxselectedeventselector(Events::onCheck));
  listen(box);
  box->setSelectedState(true);
  box->setSelectedState(false);
  EXPECT_TRUE(m_events->log.empty());
  // A click sends the touch events, then the state event; the handler may set the state.
  click(300, 600);
  EXPECT_EQ(m_events->log, (std::vector<std::string>{"CheckBox_Apply:0", "CheckBox_Apply:2", "check:0"}));
  EXPECT_FALSE(box->getSelectedState());
}

TEST_F(CocoStudioTest, SliderAndBarsClampTheirPercent) {
  Widget* root = load();
  Slider* slider = seek<Slider>(root, "Slider_AddScore");
  slider->addEventListenerSlider(m_events, sliderpercentchangedselector(Events::onSlider));
  slider->setPercent(150);
  EXPECT_EQ(slider->getPercent(), 100);
  slider->setPercent(-3);
  EXPECT_EQ(slider->getPercent(), 0);
  // The bar spans x 540..740: a touch at 590 is a quarter.
  click(590, 200);
  EXPECT_EQ(slider->getPercent(), 25);
  EXPECT_EQ(m_events->log, (std::vector<std::string>{"slider:25"}));

  LoadingBar* bar = seek<LoadingBar>(root, "LoadingBar_Time");
  bar->setPercent(140);
  EXPECT_EQ(bar->getPercent(), 100);
  bar->setPercent(25);
  EXPECT_EQ(bar->getShownRect(), CCRect(0, 0, 50, 14));
  bar->setDirection(LoadingBarTypeRight);
  EXPECT_EQ(bar->getShownRect(), CCRect(150, 0, 50, 14));
}

TEST_F(CocoStudioTest, ListViewItemsStackAndScroll) {
  Widget* root = load();
  ListView* list = seek<ListView>(root, "ListView_29");
  Widget* model = list->getItem(0);
  // Six more rows: the inner container grows and starts at the top.
  for (int i = 0; i < 6; ++i) {
    Widget* row = model->clone();
    row->setTag(17000 + i);
    list->pushBackCustomItem(row);
  }
  ASSERT_EQ(list->getItems()->count(), 9u);
  float innerH = 9 * 20 + 8 * 4;
  EXPECT_FLOAT_EQ(list->getInnerContainerSize().height, innerH);
  EXPECT_EQ(list->getInnerContainer()->getPosition(), CCPoint(0, 100 - innerH));
  EXPECT_EQ(list->getItem(8)->getPosition(), CCPoint(10, 0));
  // Insert, find, remove (also straight from the container), out of range.
  Widget* first = model->clone();
  list->insertCustomItem(first, 0);
  EXPECT_EQ(list->getIndex(first), 0);
  EXPECT_EQ(list->getIndex(model), 1);
  EXPECT_EQ(list->getItem(0)->getPosition().y, innerH + 24 - 20);
  list->removeItem(0);
  list->removeItem(42);
  Widget* byTag = UIHelper::seekWidgetByTag(list, 17002);
  ASSERT_NE(byTag, nullptr);
  byTag->removeFromParentAndCleanup(true);
  EXPECT_EQ(list->getItems()->count(), 8u);
  EXPECT_EQ(list->getIndex(byTag), -1);

  // A drag that starts on a row scrolls the list and cancels the row's touch.
  listen(list->getItem(0));
  list->getItem(0)->setTouchEnabled(true);
  float before = list->getInnerContainer()->getPositionY();
  press(980, 290);
  drag(980, 300);
  drag(980, 330);
  release(980, 330);
  EXPECT_FLOAT_EQ(list->getInnerContainer()->getPositionY(), before + 40);
  ASSERT_FALSE(m_events->log.empty());
  EXPECT_EQ(m_events->log.back(), "Panel_Item_0:3");
  // Without bounce it stops at the end.
  press(980, 250);
  drag(980, 700);
  release(980, 700);
  EXPECT_FLOAT_EQ(list->getInnerContainer()->getPositionY(), 0);
  list->jumpToTop();
  EXPECT_FLOAT_EQ(list->getInnerContainer()->getPositionY(),
                  list->getSize().height - list->getInnerContainerSize().height);
  list->scrollToBottom(0.3f, true);
  step(30);
  EXPECT_FLOAT_EQ(list->getInnerContainer()->getPositionY(), 0);
}

TEST_F(CocoStudioTest, LayoutAnimationPlaysByFileAndName) {
  Widget* root = load();
  Button* bet = seek<Button>(root, "Button_Bet");
  bet->setPosition(CCPoint(0, 0));
  ActionObject* win =
      ActionManager::shareManager()->playActionByName("other/folder/TestUI.ExportJson", "AnimationWin",
                                                      CCCallFunc::create(m_events, callfunc_selector(Events::onDone)));
  ASSERT_NE(win, nullptr);
  // The first frame applies at once.
  EXPECT_EQ(bet->getPosition(), CCPoint(200, 100));
  EXPECT_FLOAT_EQ(bet->getRotation(), 0);
  step(31);  // 0.5 s: half way to frame 10
  EXPECT_NEAR(bet->getPositionX(), 300, 2);
  EXPECT_NEAR(bet->getRotation(), 45, 2);
  step(30);
  EXPECT_NEAR(bet->getPositionX(), 400, 0.01);
  EXPECT_NEAR(bet->getRotation(), 90, 0.01);
  EXPECT_EQ(bet->getOpacity(), 128);
  // Rotation turns by the difference (90 -> 45 is 45 back), with its easing.
  step(62);
  EXPECT_NEAR(bet->getPositionY(), 300, 0.01);
  EXPECT_NEAR(bet->getRotation(), 45, 0.01);
  step(2);
  EXPECT_FALSE(win->isPlaying());
  EXPECT_EQ(m_events->log, (std::vector<std::string>{"done"}));

  // A looping one keeps going; stop ends it.
  ActionObject* blink = ActionManager::shareManager()->playActionByName(kLayout, "Blink");
  ASSERT_NE(blink, nullptr);
  step(120);
  EXPECT_TRUE(blink->isPlaying());
  blink->stop();
  EXPECT_FALSE(blink->isPlaying());
  EXPECT_EQ(ActionManager::shareManager()->playActionByName(kLayout, "NoSuchAnimation"), nullptr);
}

TEST_F(CocoStudioTest, BadFilesGiveAnEmptyPanelAndALogLine) {
  auto read = [](const std::string& text) {
    testing::internal::CaptureStderr();
    Widget* w = GUIReader::shareReader()->widgetFromJsonData(text.data(), text.size(), "Bad/bad.json");
    std::string log = testing::internal::GetCapturedStderr();
    return std::make_pair(w, log);
  };
  for (const char* bad :
       {"", "{", "[1,2]", "{\"widgetTree\": 3}", "{\"version\":\"1.2.0.1\",\"widgetTree\":{\"children\":["}) {
    auto r = read(bad);
    ASSERT_NE(r.first, nullptr) << bad;
    EXPECT_NE(dynamic_cast<Layout*>(r.first), nullptr);
    EXPECT_EQ(r.first->getChildrenCount(), 0u);
    EXPECT_NE(r.second.find("bad.json"), std::string::npos) << r.second;
  }
  EXPECT_NE(GUIReader::shareReader()->widgetFromJsonFile("Bad/missing.json"), nullptr);

  // Wrong kinds of values fall back to defaults; unknown classes are panels.
  auto r = read(
      "{\"widgetTree\":{\"classname\":\"Panel\",\"options\":{\"name\":5,\"width\":\"wide\",\"tag\":1e300,"
      "\"visible\":1,\"colorR\":999},\"children\":[{\"classname\":\"PageView\",\"options\":{\"name\":\"p\"}},"
      "{\"classname\":\"Button\",\"options\":{\"name\":\"b\",\"normalData\":{\"path\":7},\"fontSize\":100000}},"
      "7, null, {\"options\":null}]}}");
  Widget* w = r.first;
  EXPECT_STREQ(w->getName(), "default");
  EXPECT_EQ(w->getTag(), 0);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->getColor().r, 255);
  EXPECT_NE(dynamic_cast<Layout*>(UIHelper::seekWidgetByName(w, "p")), nullptr);
  Button* b = dynamic_cast<Button*>(UIHelper::seekWidgetByName(w, "b"));
  ASSERT_NE(b, nullptr);
  EXPECT_FLOAT_EQ(b->getTitleFontSize(), 256);

  // Nesting far too deep is cut, without exhausting the stack.
  std::string deep = "{\"widgetTree\":";
  for (int i = 0; i < 100000; ++i) deep += "{\"classname\":\"Panel\",\"children\":[";
  for (int i = 0; i < 100000; ++i) deep += "]}";
  deep += "}";
  r = read(deep);
  int depth = 0;
  for (Widget* n = r.first; n && n->getChildrenCount() > 0;
       n = static_cast<Widget*>(n->getChildren()->objectAtIndex(0)))
    ++depth;
  EXPECT_EQ(depth, 64);
}

TEST_F(CocoStudioTest, LinearPanelsPlaceTheirChildrenAndClip) {
  // A vertical panel of two buttons with gravity and margins, clipping a third
  // that hangs outside it.
  std::string text =
      "{\"version\":\"1.2.0.1\",\"widgetTree\":{\"classname\":\"Panel\",\"options\":{\"name\":\"col\","
      "\"width\":200,\"height\":200,\"ignoreSize\":false,\"layoutType\":1,\"clipAble\":true,\"touchAble\":false},"
      "\"children\":["
      "{\"classname\":\"Button\",\"options\":{\"name\":\"a\",\"touchAble\":true,\"normalData\":{\"path\":\"btn_n.png\","
      "\"resourceType\":0},\"layoutParameter\":{\"type\":1,\"gravity\":6,\"marginTop\":10,\"marginDown\":5}}},"
      "{\"classname\":\"Button\",\"options\":{\"name\":\"b\",\"touchAble\":true,\"normalData\":{\"path\":\"btn_n.png\","
      "\"resourceType\":0},\"layoutParameter\":{\"type\":1,\"gravity\":3,\"marginLeft\":0,\"marginRight\":4}}}]}}";
  Widget* col = GUIReader::shareReader()->widgetFromJsonData(text.data(), text.size(), kLayout);
  m_group = TouchGroup::create();
  m_scene->addChild(m_group);
  col->setPosition(CCPoint(100, 100));
  m_group->addWidget(col);
  Widget* a = UIHelper::seekWidgetByName(col, "a");
  Widget* b = UIHelper::seekWidgetByName(col, "b");
  ASSERT_TRUE(a && b);
  // a: centred, its top 10 below the panel's top; b: at the right, under a and its margin.
  EXPECT_EQ(a->getPosition(), CCPoint(100, 200 - 10 - 15));
  EXPECT_EQ(b->getPosition(), CCPoint(200 - 40, 200 - 10 - 30 - 5 - 15));
  // Moved partly out of the panel, b takes touches only inside it.
  listen(b);
  b->setPosition(CCPoint(200, 100));
  click(100 + 210, 200);
  EXPECT_TRUE(m_events->log.empty());
  click(100 + 190, 200);
  EXPECT_EQ(m_events->log.size(), 2u);
}

TEST_F(CocoStudioTest, StatesShowTheirPicturesAndPassToChildren) {
  Widget* root = load();
  Button* bet = seek<Button>(root, "Button_Bet");
  bet->setBright(false);
  EXPECT_EQ(bet->getShownPicture(), 2);
  bet->setBright(true);
  EXPECT_EQ(bet->getShownPicture(), 0);
  bet->setBrightStyle(BRIGHT_HIGHLIGHT);
  EXPECT_EQ(bet->getShownPicture(), 1);
  bet->setBrightStyle(BRIGHT_NORMAL);
  // A button with no pressed picture keeps showing its normal one when pressed.
  Button* plain = Button::create();
  plain->loadTextureNormal("TestUI/btn_n.png");
  plain->setBrightStyle(BRIGHT_HIGHLIGHT);
  EXPECT_EQ(plain->getShownPicture(), 1);
  EXPECT_EQ(plain->getSize(), CCSize(80, 30));
  // Disabling a panel disables what is in it.
  Layout* hidden = seek<Layout>(root, "Panel_Hidden");
  hidden->setEnabled(false);
  EXPECT_FALSE(seek<Button>(root, "Button_InHidden")->isEnabled());
  // Colour goes to the pictures; opacity to child widgets as well.
  bet->setColor(ccc3(100, 100, 100));
  EXPECT_EQ(bet->getColor(), ccc3(100, 100, 100));
  root->setOpacity(0);
  EXPECT_EQ(seek<ImageView>(root, "Image_Chip")->getDisplayedOpacity(), 0);
  root->setOpacity(255);
  EXPECT_EQ(seek<ImageView>(root, "Image_Chip")->getDisplayedOpacity(), 255);
}

namespace {
class Remover : public CCObject {
 public:
  int ended = 0;
  void onTouch(CCObject* sender, TouchEventType type) {
    if (type != TOUCH_EVENT_ENDED) return;
    ++ended;
    static_cast<Widget*>(sender)->removeFromParentAndCleanup(true);
  }
};
}  // namespace

TEST_F(CocoStudioTest, AListenerMayRemoveItsWidget) {
  Widget* root = load();
  Remover* remover = new Remover();
  Button* bet = seek<Button>(root, "Button_Bet");
  bet->addTouchEventListener(remover, toucheventselector(Remover::onTouch));
  click(170, 100);
  step(2);
  EXPECT_EQ(remover->ended, 1);
  EXPECT_EQ(UIHelper::seekWidgetByName(root, "Button_Bet"), nullptr);
  remover->release();
}

TEST_F(CocoStudioTest, TextFieldsTakeInputWhenAttached) {
  Widget* root = load();
  TextField* field = TextField::create();
  field->setPlaceHolder("请输入");
  field->setMaxLengthEnabled(true);
  field->setMaxLength(4);
  field->setTouchSize(CCSize(200, 30));
  field->setPosition(CCPoint(400, 700));
  root->addChild(field);
  EXPECT_STREQ(field->getShownText(), "请输入");
  EXPECT_EQ(TextField::getAttached(), nullptr);
  click(450, 705);
  ASSERT_EQ(TextField::getAttached(), field);
  field->insertText("ab");
  field->insertText("密码xyz");  // cut at four characters
  EXPECT_STREQ(field->getStringValue(), "ab密码");
  field->deleteBackward();
  EXPECT_STREQ(field->getStringValue(), "ab密");
  field->setPasswordEnabled(true);
  EXPECT_STREQ(field->getShownText(), "***");
  field->setText("12345678");
  EXPECT_STREQ(field->getStringValue(), "1234");
  // Leaving the scene lets go of the keyboard.
  field->removeFromParentAndCleanup(true);
  EXPECT_EQ(TextField::getAttached(), nullptr);
}

TEST_F(CocoStudioTest, VersionsReadAsTheEditorNumbersThem) {
  EXPECT_EQ(GUIReader::getVersionInteger("1.2.0.1"), 1201);
  EXPECT_EQ(GUIReader::getVersionInteger("0.2.5.0"), 250);
  EXPECT_EQ(GUIReader::getVersionInteger("1.0"), 0);
  EXPECT_EQ(GUIReader::getVersionInteger(nullptr), 0);
  EXPECT_EQ(GUIReader::getVersionInteger("99999999999.9.9.9"), 99999 * 1000 + 999);
}

// Children of a relative panel go where the editor shows them: against the
// panel's nine alignment points or beside a sibling named by its relative
// name (which may come later in the file), margins on the aligned sides.
// The file puts every child at (999, 999) first.
TEST_F(CocoStudioTest, RelativePanelsPlaceTheirChildrenAsTheEditorDoes) {
  copyData("TestUI/Relative.ExportJson");
  m_group = TouchGroup::create();
  m_scene->addChild(m_group);
  Widget* root = GUIReader::shareReader()->widgetFromJsonFile("TestUI/Relative.ExportJson");
  m_group->addWidget(root);
  // Panel 400 x 300; buttons 80 x 30 and images 30 x 30, anchored at their
  // centres; margins left 5, top 7, right 11, bottom 13.
  struct Case {
    const char* name;
    CCPoint at;
  };
  const Case cases[] = {
      {"None", CCPoint(45, 278)},
      {"TopLeft", CCPoint(45, 278)},
      {"TopCentre", CCPoint(200, 278)},
      {"TopRight", CCPoint(349, 278)},
      {"LeftCentre", CCPoint(45, 150)},
      {"Centre", CCPoint(200, 150)},
      {"RightCentre", CCPoint(349, 150)},
      {"LeftBottom", CCPoint(45, 28)},
      {"BottomCentre", CCPoint(200, 28)},
      {"RightBottom", CCPoint(349, 28)},
      {"TopLeftAnchored", CCPoint(5, 293)},  // anchor (0, 1)
      // Beside "Mark", centred: its box is 160..240 x 135..165.
      {"Mark", CCPoint(200, 150)},
      {"AboveLeft", CCPoint(180, 193)},
      {"AboveCentre", CCPoint(200, 193)},
      {"AboveRight", CCPoint(214, 193)},
      {"LeftOfTop", CCPoint(134, 143)},
      {"LeftOfCentre", CCPoint(134, 150)},
      {"LeftOfBottom", CCPoint(134, 163)},
      {"RightOfTop", CCPoint(260, 143)},
      {"RightOfCentre", CCPoint(260, 150)},
      {"RightOfBottom", CCPoint(260, 163)},
      {"BelowLeft", CCPoint(180, 113)},
      {"BelowCentre", CCPoint(200, 113)},
      {"BelowRight", CCPoint(214, 113)},
      // Half the panel's size once it entered, anchored bottom-left.
      {"Half", CCPoint(189, 13)},
      // Not a relative parameter: where the file put it.
      {"Linear", CCPoint(33, 44)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Widget* w = UIHelper::seekWidgetByName(root, c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_FLOAT_EQ(w->getPositionX(), c.at.x);
    EXPECT_FLOAT_EQ(w->getPositionY(), c.at.y);
  }
  EXPECT_EQ(UIHelper::seekWidgetByName(root, "Half")->getSize(), CCSize(200, 150));

  // Two images placed beside each other are both placed, one after the other.
  Widget* a = UIHelper::seekWidgetByName(root, "LoopA");
  Widget* b = UIHelper::seekWidgetByName(root, "LoopB");
  EXPECT_FLOAT_EQ(b->getPositionX() - a->getPositionX(), 30 + 5);
  EXPECT_FLOAT_EQ(b->getPositionY(), a->getPositionY());

  // A new size lays the panel out again; a clone lays out the same way.
  root->setSize(CCSize(500, 300));
  EXPECT_FLOAT_EQ(UIHelper::seekWidgetByName(root, "TopRight")->getPositionX(), 449);
  EXPECT_FLOAT_EQ(UIHelper::seekWidgetByName(root, "AboveCentre")->getPositionX(), 250);
  Widget* copy = root->clone();
  m_group->addWidget(copy);
  EXPECT_FLOAT_EQ(UIHelper::seekWidgetByName(copy, "BelowRight")->getPositionX(), 264);
  EXPECT_FLOAT_EQ(UIHelper::seekWidgetByName(copy, "BelowRight")->getPositionY(), 113);
}

// Nine-slice pictures whose cap insets do not fit the picture still fill
// their widgets (the whole picture stretches) for images, buttons and panel
// backgrounds alike.
TEST_F(CocoStudioTest, NineSlicesWithInsetsPastThePictureFillTheirWidgets) {
  copyData("TestUI/Scale9.ExportJson");
  writePng("TestUI/square.png", 40, 40, 0x00ff00ff);
  m_group = TouchGroup::create();
  m_scene->addChild(m_group);
  Widget* root = GUIReader::shareReader()->widgetFromJsonFile("TestUI/Scale9.ExportJson");
  m_group->addWidget(root);
  step(1);
  CCImage img;
  ASSERT_TRUE(shoot(img));
  // Each widget is 200 x 100: its bottom-left corner, and inside each of its
  // corners, two pixels in.
  struct Case {
    const char* name;
    int x, y;
  };
  for (const Case& c : {Case{"Image", 10, 210}, Case{"Button", 10, 50}, Case{"Panel", 240, 50}}) {
    SCOPED_TRACE(c.name);
    for (int dx : {2, 197})
      for (int dy : {2, 97}) EXPECT_EQ(rgbAt(img, c.x + dx, c.y + dy), 0x00ff00u) << dx << "," << dy;
    EXPECT_NE(rgbAt(img, c.x + 202, c.y + 50), 0x00ff00u);
  }
  CCNode* renderer = seek<ImageView>(root, "Image")->getVirtualRenderer();
  auto* s9 = dynamic_cast<CCScale9Sprite*>(renderer);
  ASSERT_NE(s9, nullptr);
  EXPECT_EQ(s9->getCapInsets(), CCRect(0, 0, 40, 40));
}
