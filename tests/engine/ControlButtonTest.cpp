// Nine-slice sprites and control buttons: picture lookup, slicing numbers,
// button states (hover by notification included), events and priorities.

#include <string>
#include <vector>

#include "ExtFixture.h"

USING_NS_CC;
USING_NS_CC_EXT;

namespace {

class Recorder : public CCObject {
 public:
  std::vector<CCControlEvent> events;
  std::vector<CCObject*> senders;
  void onEvent(CCObject* sender, CCControlEvent e) {
    events.push_back(e);
    senders.push_back(sender);
  }
  void removeSender(CCObject* sender, CCControlEvent e) {
    onEvent(sender, e);
    static_cast<CCNode*>(sender)->removeFromParentAndCleanup(true);
  }
  void disableSender(CCObject* sender, CCControlEvent e) {
    onEvent(sender, e);
    static_cast<CCControl*>(sender)->setEnabled(false);
  }
};

class ControlButtonTest : public ExtTest {
 protected:
  void SetUp() override {
    ExtTest::SetUp();
    writePng("Btn/ok_01.png", 60, 20, 0xff0000ff);
    writePng("Btn/ok_02.png", 60, 20, 0x00ff00ff);
    writePng("Btn/ok_03.png", 60, 20, 0x0000ffff);
    writePng("Btn/ok_04.png", 60, 20, 0x808080ff);
    m_scene = runScene();
    m_recorder = new Recorder();
    m_recorder->autorelease();
    m_recorder->retain();
  }
  void TearDown() override {
    m_recorder->release();
    ExtTest::TearDown();
  }

  // A 60 x 20 button centred at (100, 100) with pictures for normal,
  // highlighted, hover and disabled.
  CCControlButton* makeButton() {
    CCControlButton* b = CCControlButton::create(CCScale9Sprite::create("Btn/ok_01"));
    b->setBackgroundSpriteForState(CCScale9Sprite::create("Btn/ok_03"), CCControlStateHighlighted);
    b->setBackgroundSpriteForState(CCScale9Sprite::create("Btn/ok_02"), CCControlStateHover);
    b->setBackgroundSpriteForState(CCScale9Sprite::create("Btn/ok_04"), CCControlStateDisabled);
    b->setPreferredSize(CCSize(60, 20));
    b->setPosition(100, 100);
    b->addTargetWithActionForControlEvents(m_recorder, cccontrol_selector(Recorder::onEvent), 0x1ff);
    return b;
  }
  static std::string shown(CCControlButton* b) {
    CCScale9Sprite* bg = b->getBackgroundSprite();
    return bg && bg->getTexture() ? bg->getTexture()->getSourceName() : "";
  }

  CCScene* m_scene = nullptr;
  Recorder* m_recorder = nullptr;
};

}  // namespace

TEST_F(ControlButtonTest, NineSliceFindsFramesByFullThenBaseNameThenTheFile) {
  writePng("Sheet/sheet.png", 64, 64, 0xffffffff);
  writeFile("Sheet/sheet.plist",
            "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>frames</key><dict>"
            "<key>ok_01</key><dict><key>frame</key><string>{{4,8},{30,10}}</string>"
            "<key>offset</key><string>{0,0}</string><key>sourceSize</key><string>{30,10}</string></dict>"
            "</dict><key>metadata</key><dict><key>format</key><integer>1</integer></dict></dict></plist>");
  CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("Sheet/sheet.plist");

  // The base name "ok_01" is a frame: it wins over the file of the same name.
  CCScale9Sprite* fromSheet = CCScale9Sprite::create("Btn/ok_01");
  ASSERT_NE(fromSheet, nullptr);
  EXPECT_EQ(fromSheet->getOriginalSize(), CCSize(30, 10));
  CCScale9Sprite* fromFile = CCScale9Sprite::create("Btn/ok_02");
  ASSERT_NE(fromFile, nullptr);
  EXPECT_EQ(fromFile->getOriginalSize(), CCSize(60, 20));
  EXPECT_EQ(fromFile->getPreferredSize(), CCSize(60, 20));

  // A missing picture is the stand-in box, never null.
  CCScale9Sprite* missing = CCScale9Sprite::create("Btn/nothing");
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->isStandIn());
  EXPECT_EQ(CCTextureCache::sharedTextureCache()->getMissingPictureCount(), 1u);
  CCTextureCache::sharedTextureCache()->clearMissingPictures();
}

TEST_F(ControlButtonTest, SlicesKeepCornersAndStretchTheCentre) {
  writePng("Skin/border.png", 1024, 728, 0x202020ff);
  CCScale9Sprite* skin = CCScale9Sprite::create("Skin/border", CCRect(0, 0, 1024, 728));
  skin->setCapInsets(CCRect(1000, 720, 20, 4));
  skin->setPreferredSize(CCSize(1288, 762));
  float cols[3], rows[3];
  skin->getSliceSizes(cols, rows);
  EXPECT_FLOAT_EQ(cols[0], 1000);
  EXPECT_FLOAT_EQ(cols[1], 284);
  EXPECT_FLOAT_EQ(cols[2], 4);
  EXPECT_FLOAT_EQ(rows[0], 720);
  EXPECT_FLOAT_EQ(rows[1], 38);
  EXPECT_FLOAT_EQ(rows[2], 4);
  EXPECT_EQ(skin->getContentSize(), CCSize(1288, 762));

  // Smaller than the fixed borders: the borders shrink, nothing folds over.
  skin->setPreferredSize(CCSize(502, 362));
  skin->getSliceSizes(cols, rows);
  EXPECT_FLOAT_EQ(cols[0] + cols[1] + cols[2], 502);
  EXPECT_FLOAT_EQ(cols[1], 0);
  EXPECT_FLOAT_EQ(cols[0], 500);
  EXPECT_FLOAT_EQ(rows[0] + rows[2], 362);

  // No insets: the middle third stretches; along an axis where the insets do
  // not fit the picture, the whole picture stretches.
  CCScale9Sprite* plain = CCScale9Sprite::create("Btn/ok_01");
  EXPECT_EQ(plain->getCapInsets(), CCRect(20, 20.f / 3, 20, 20.f / 3));
  plain->setCapInsets(CCRect(50, 5, 40, 40));
  EXPECT_EQ(plain->getCapInsets(), CCRect(0, 0, 60, 20));
  plain->setCapInsets(CCRect(10, 5, 20, 40));
  EXPECT_EQ(plain->getCapInsets(), CCRect(10, 0, 20, 20));
  plain->setCapInsets(CCRect(70, 30, 5, 5));
  plain->setPreferredSize(CCSize(300, 90));
  plain->getSliceSizes(cols, rows);
  EXPECT_FLOAT_EQ(cols[1], 300);
  EXPECT_FLOAT_EQ(rows[1], 90);
}

TEST_F(ControlButtonTest, BackgroundFollowsTheStateWithNormalAsFallback) {
  CCControlButton* b = makeButton();
  m_scene->addChild(b);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateNormal);
  EXPECT_NE(shown(b).find("ok_01"), std::string::npos);
  EXPECT_EQ(b->getContentSize(), CCSize(60, 20));

  b->setEnabled(false);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateDisabled);
  EXPECT_NE(shown(b).find("ok_04"), std::string::npos);
  b->setEnabled(true);

  // No selected picture: the normal one shows for it.
  EXPECT_EQ(b->getBackgroundSpriteForState(CCControlStateSelected),
            b->getBackgroundSpriteForState(CCControlStateNormal));
  // Titles fall back the same way; a title sets the label of the state shown.
  b->setTitleForState(CCString::create("3"), CCControlStateNormal);
  EXPECT_STREQ(b->getTitleForState(CCControlStateHighlighted)->getCString(), "3");
  EXPECT_STREQ(b->getCurrentTitle()->getCString(), "3");
  b->setTitleColorForState(ccc3(1, 2, 3), CCControlStateNormal);
  EXPECT_EQ(b->getTitleColorForState(CCControlStateHover), ccc3(1, 2, 3));
}

TEST_F(ControlButtonTest, HoverFollowsTheCursorNotification) {
  CCControlButton* b = makeButton();
  m_scene->addChild(b);
  cursor(100, 105);
  EXPECT_TRUE(b->isHovered());
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateHover);
  EXPECT_NE(shown(b).find("ok_02"), std::string::npos);
  cursor(300, 300);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateNormal);

  // Pressed wins over hover, and hover comes back on release over it.
  cursor(100, 100);
  press(100, 100);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateHighlighted);
  cursor(101, 100);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateHighlighted);
  release(101, 100);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateHover);

  // Disabled, untouchable, or under a hidden parent: no hover.
  cursor(300, 300);
  b->setEnabled(false);
  cursor(100, 100);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateDisabled);
  b->setEnabled(true);
  b->setTouchEnabled(false);
  cursor(100, 100);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateNormal);
  b->setTouchEnabled(true);
  m_scene->setVisible(false);
  cursor(100, 101);
  EXPECT_EQ(b->getState(), (CCControlState)CCControlStateNormal);
  m_scene->setVisible(true);

  // Off the scene it stops listening.
  b->retain();
  b->removeFromParentAndCleanup(true);
  EXPECT_EQ(CCNotificationCenter::sharedNotificationCenter()->observerCount(kCCCursorNotification), 0);
  b->release();

  // A payload that carries no point is ignored.
  CCControlButton* c = makeButton();
  m_scene->addChild(c);
  CCNotificationCenter::sharedNotificationCenter()->postNotification(kCCCursorNotification, CCString::create("x"));
  EXPECT_EQ(c->getState(), (CCControlState)CCControlStateNormal);
}

TEST_F(ControlButtonTest, TouchEventsFollowTheEngineOrder) {
  CCControlButton* b = makeButton();
  m_scene->addChild(b);
  click(100, 100);
  EXPECT_EQ(m_recorder->events, (std::vector<CCControlEvent>{CCControlEventTouchDown, CCControlEventTouchUpInside}));
  EXPECT_EQ(m_recorder->senders[0], b);

  m_recorder->events.clear();
  press(100, 100);
  drag(105, 100);
  drag(200, 200);
  drag(210, 200);
  release(210, 200);
  EXPECT_EQ(m_recorder->events, (std::vector<CCControlEvent>{
                                    CCControlEventTouchDown, CCControlEventTouchDragInside, CCControlEventTouchDragExit,
                                    CCControlEventTouchDragOutside, CCControlEventTouchUpOutside}));

  // Outside, hidden or disabled: nothing.
  m_recorder->events.clear();
  click(10, 10);
  b->setVisible(false);
  click(100, 100);
  b->setVisible(true);
  b->setEnabled(false);
  click(100, 100);
  EXPECT_TRUE(m_recorder->events.empty());

  // Only the events asked for reach a target; removal stops them.
  b->setEnabled(true);
  b->removeTargetWithActionForControlEvents(m_recorder, nullptr, 0x1ff);
  b->addTargetWithActionForControlEvents(m_recorder, cccontrol_selector(Recorder::onEvent),
                                         CCControlEventTouchUpInside);
  click(100, 100);
  EXPECT_EQ(m_recorder->events, (std::vector<CCControlEvent>{CCControlEventTouchUpInside}));
}

TEST_F(ControlButtonTest, AHandlerMayRemoveOrDisableItsButton) {
  CCControlButton* closing = makeButton();
  closing->removeTargetWithActionForControlEvents(nullptr, nullptr, 0x1ff);
  closing->addTargetWithActionForControlEvents(m_recorder, cccontrol_selector(Recorder::removeSender),
                                               CCControlEventTouchDown);
  m_scene->addChild(closing);
  click(100, 100);  // removed on touch down; the release must not touch freed memory
  step(2);
  EXPECT_EQ(m_scene->getChildrenCount(), 0u);

  CCControlButton* once = makeButton();
  once->removeTargetWithActionForControlEvents(nullptr, nullptr, 0x1ff);
  once->addTargetWithActionForControlEvents(m_recorder, cccontrol_selector(Recorder::disableSender),
                                            CCControlEventTouchDown);
  m_scene->addChild(once);
  click(100, 100);
  // Released while disabled, it shows disabled.
  EXPECT_EQ(once->getState(), (CCControlState)CCControlStateDisabled);
  EXPECT_NE(shown(once).find("ok_04"), std::string::npos);
}

TEST_F(ControlButtonTest, ZoomsOnTouchDownUnlessAskedNot) {
  CCControlButton* b = makeButton();
  m_scene->addChild(b);
  press(100, 100);
  step(10);
  EXPECT_FLOAT_EQ(b->getScale(), 1.1f);
  release(100, 100);
  step(10);
  EXPECT_FLOAT_EQ(b->getScale(), 1.0f);
  b->setZoomOnTouchDown(false);
  press(100, 100);
  step(10);
  EXPECT_FLOAT_EQ(b->getScale(), 1.0f);
  release(100, 100);
}

TEST_F(ControlButtonTest, TitleButtonsSizeToTheTitleUnlessGivenAPreferredSize) {
  CCControlButton* b = CCControlButton::create("12桌", "Arial", 15);
  ASSERT_NE(b, nullptr);
  CCSize title = b->getTitleLabel()->getContentSize();
  EXPECT_GT(title.width, 0);
  EXPECT_FLOAT_EQ(b->getContentSize().width, title.width + 2 * CCControlButtonMarginLR);
  b->setPreferredSize(CCSize(120, 26));
  EXPECT_EQ(b->getContentSize(), CCSize(120, 26));
  // The font changes but keeps the size given before.
  b->setTitleTTFSizeForState(16, CCControlStateNormal);
  b->setTitleTTFForState("simfang", CCControlStateNormal);
  EXPECT_FLOAT_EQ(b->getTitleTTFSizeForState(CCControlStateNormal), 16);
  EXPECT_STREQ(b->getTitleTTFForState(CCControlStateNormal), "simfang");
}

TEST_F(ControlButtonTest, AButtonOnAModalBoardGetsTheTouchFirst) {
  class Board : public CCLayer {
   public:
    CREATE_FUNC(Board)
    int touches = 0;
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
      ++touches;
      return true;
    }
  };
  Board* board = Board::create();
  board->setTouchMode(kCCTouchesOneByOne);
  board->setTouchPriority(-128);
  board->setTouchEnabled(true);
  m_scene->addChild(board);
  CCControlButton* b = makeButton();
  b->setTouchPriority(-128);
  board->addChild(b);
  click(100, 100);
  EXPECT_EQ(m_recorder->events.size(), 2u);
  EXPECT_EQ(board->touches, 0);
  click(10, 10);
  EXPECT_EQ(board->touches, 1);
}

TEST_F(ControlButtonTest, RotatedSheetFramesSliceUpright) {
  // A 30 x 20 picture whose top-left 10 x 10 is blue, stored turned 90°
  // clockwise in the sheet: its top-left lands at the region's top-right.
  std::vector<unsigned char> px(64 * 64 * 4, 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 20; ++x) {
      unsigned char* p = &px[(y * 64 + x) * 4];
      bool blue = x >= 10 && y < 10;
      p[0] = blue ? 0 : 255;
      p[2] = blue ? 255 : 0;
      p[3] = 255;
    }
  writeFile("Rot/rot.plist",
            "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>frames</key><dict>"
            "<key>turned.png</key><dict><key>frame</key><string>{{0,0},{30,20}}</string>"
            "<key>offset</key><string>{0,0}</string><key>rotated</key><true/>"
            "<key>sourceSize</key><string>{30,20}</string></dict></dict>"
            "<key>metadata</key><dict><key>format</key><integer>2</integer></dict></dict></plist>");
  writePixels("Rot/rot.png", px, 64, 64);
  CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("Rot/rot.plist");
  CCScale9Sprite* s = CCScale9Sprite::create("Rot/turned.png");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->getOriginalSize(), CCSize(30, 20));
  s->setPreferredSize(CCSize(90, 60));
  s->setAnchorPoint(CCPoint(0, 0));
  s->setPosition(100, 100);
  m_scene->addChild(s);
  CCImage shot;
  ASSERT_TRUE(shoot(shot));
  EXPECT_EQ(rgbAt(shot, 103, 157), 0x0000ffu);  // top-left corner keeps its colour
  EXPECT_EQ(rgbAt(shot, 186, 157), 0xff0000u);
  EXPECT_EQ(rgbAt(shot, 103, 103), 0xff0000u);
  EXPECT_EQ(rgbAt(shot, 140, 130), 0xff0000u);
}

TEST_F(ControlButtonTest, OneSpriteMayServeSeveralStates) {
  // The same picture for normal and highlighted (the close buttons do this).
  CCScale9Sprite* close = CCScale9Sprite::create("Btn/ok_01");
  CCControlButton* b = CCControlButton::create(close);
  b->setBackgroundSpriteForState(close, CCControlStateHighlighted);
  b->setPreferredSize(close->getOriginalSize());
  b->setPosition(100, 100);
  m_scene->addChild(b);
  EXPECT_EQ(close->getParent(), b);
  press(100, 100);
  EXPECT_EQ(b->getBackgroundSprite(), close);
  EXPECT_TRUE(close->isVisible());
  release(100, 100);
  // Giving one state another picture keeps the shared one for the other.
  b->setBackgroundSpriteForState(CCScale9Sprite::create("Btn/ok_03"), CCControlStateHighlighted);
  EXPECT_EQ(close->getParent(), b);
  EXPECT_EQ(b->getBackgroundSpriteForState(CCControlStateNormal), close);
  b->removeFromParentAndCleanup(true);
  step(2);
}
