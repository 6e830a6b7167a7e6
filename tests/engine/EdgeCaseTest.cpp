// Edge cases that would hang, crash or misbehave in a careless engine.

#include "EngineFixture.h"

USING_NS_CC;

namespace {

class EdgeCaseTest : public EngineTest {};

class Counter : public CCNode {
 public:
  CREATE_FUNC(Counter)
  int calls = 0;
  int updates = 0;
  void hit() { ++calls; }
  void tick(float) {
    ++calls;
    // Stopping everything from inside a timer leaves nothing half-removed.
    getScheduler()->unscheduleAllForTarget(this);
  }
  void update(float) override {
    ++updates;
    unscheduleUpdate();
  }
};

class Keys : public CCLayer {
 public:
  CREATE_FUNC(Keys)
  int back = 0;
  void keyBackClicked() override { ++back; }
};

}  // namespace

TEST_F(EdgeCaseTest, AnInstantActionRepeatedForeverRunsOncePerFrameAndNeverHangs) {
  CCScene* scene = runScene();
  Counter* c = Counter::create();
  scene->addChild(c);
  c->runAction(
      CCRepeatForever::create(CCSequence::create(CCCallFunc::create(c, callfunc_selector(Counter::hit)), nullptr)));
  step(10);
  EXPECT_GE(c->calls, 10);
  EXPECT_LE(c->calls, 20);
  // A repeat of zero times, or of an instant action, ends at once.
  c->runAction(CCRepeat::create(CCCallFunc::create(c, callfunc_selector(Counter::hit)), 0));
  c->runAction(CCRepeat::create(CCDelayTime::create(0), 3));
  step(1);
  EXPECT_EQ(c->numberOfRunningActions(), 1u);
}

TEST_F(EdgeCaseTest, SelectorsAndUpdatesThatStopThemselves) {
  CCScene* scene = runScene();
  Counter* c = Counter::create();
  scene->addChild(c);
  c->schedule(schedule_selector(Counter::tick), 0.0f);
  c->scheduleUpdate();
  step(10);
  EXPECT_EQ(c->calls, 1);
  EXPECT_EQ(c->updates, 1);
  EXPECT_FALSE(c->isScheduled(schedule_selector(Counter::tick)));

  // A paused director keeps drawing but runs neither timers nor actions.
  c->schedule(schedule_selector(Counter::tick), 0.0f);
  c->runAction(CCMoveBy::create(0.1f, ccp(10, 0)));
  CCDirector::sharedDirector()->pause();
  step(30);
  EXPECT_EQ(c->calls, 1);
  EXPECT_EQ(c->getPositionX(), 0);
  CCDirector::sharedDirector()->resume();
  step(30);
  EXPECT_EQ(c->calls, 2);
  EXPECT_EQ(c->getPositionX(), 10);
}

TEST_F(EdgeCaseTest, SpeedAndTimeScaleStretchTime) {
  CCScene* scene = runScene();
  Counter* c = Counter::create();
  scene->addChild(c);
  c->runAction(CCSpeed::create(CCMoveTo::create(1.0f, ccp(100, 0)), 2.0f));
  step(31);
  EXPECT_EQ(c->getPositionX(), 100);
  CCScheduler* s = CCDirector::sharedDirector()->getScheduler();
  s->setTimeScale(0.5f);
  c->runAction(CCMoveTo::create(1.0f, ccp(0, 0)));
  step(61);
  EXPECT_NEAR(c->getPositionX(), 50, 0.5);
  s->setTimeScale(1.0f);
}

TEST_F(EdgeCaseTest, EscapeGoesToLayersWithTheKeypadEnabled) {
  CCScene* scene = runScene();
  Keys* k = Keys::create();
  k->setKeypadEnabled(true);
  CCEGLView* v = CCEGLView::sharedOpenGLView();
  v->handleKey(kCCVKEscape, true, false, false);
  EXPECT_EQ(k->back, 0);  // not running yet
  scene->addChild(k);
  v->handleKey(kCCVKEscape, true, false, false);
  v->handleKey(kCCVKEscape, false, false, false);
  EXPECT_EQ(k->back, 1);
  k->removeFromParentAndCleanup(true);
  v->handleKey(kCCVKEscape, true, false, false);
  EXPECT_EQ(k->back, 1);
}

TEST_F(EdgeCaseTest, FileLookupFollowsSearchPathsAndReadsWindowsNames) {
  writeFile("skin1/Table/bg.txt", "skin");
  writeFile("Table/bg.txt", "base");
  writeFile("Table/only.txt", "x");
  CCFileUtils* fu = CCFileUtils::sharedFileUtils();
  EXPECT_EQ(fu->fullPathForFilename("Table/bg.txt"), m_root + "/res/Table/bg.txt");
  fu->addSearchPath("skin1");
  EXPECT_EQ(fu->fullPathForFilename("Table\\bg.txt"), m_root + "/res/skin1/Table/bg.txt");
  EXPECT_EQ(fu->fullPathForFilename("Table/only.txt"), m_root + "/res/Table/only.txt");
  EXPECT_EQ(fu->fullPathForFilename("Table/none.txt"), "Table/none.txt");
  EXPECT_TRUE(fu->isFileExist("Table/only.txt"));
  EXPECT_FALSE(fu->isFileExist("Table"));  // a folder is not a file
  unsigned long size = 0;
  unsigned char* data = fu->getFileData("Table/bg.txt", "rb", &size);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string((char*)data, size), "skin");
  delete[] data;
  EXPECT_EQ(fu->getFileData("Table/none.txt", "rb", &size), nullptr);
  EXPECT_EQ(size, 0u);
}

TEST_F(EdgeCaseTest, TexturesAreSharedByPathAndUnusedOnesCanGo) {
  writePng("a.png", 4, 4, 0xffffffff);
  writePng("b.png", 4, 4, 0xffffffff);
  CCTextureCache* cache = CCTextureCache::sharedTextureCache();
  CCTexture2D* a = cache->addImage("a");
  EXPECT_EQ(cache->addImage("a.png"), a);
  EXPECT_EQ(cache->addImage("a"), a);
  CCSprite* holder = CCSprite::create("b");
  holder->retain();
  cache->addImage("b");
  EXPECT_EQ(cache->textureCount(), 2u);
  cache->removeUnusedTextures();
  EXPECT_EQ(cache->textureCount(), 1u);
  EXPECT_NE(cache->textureForKey("b"), nullptr);
  holder->release();
  EXPECT_EQ(cache->addImage("nothing/here"), nullptr);
}

TEST_F(EdgeCaseTest, ContainersKeepOneKindOfKeyAndSurviveOddInput) {
  CCDictionary* d = CCDictionary::create();
  d->setObject(CCString::create("x"), "name");
  d->setObject(CCString::create("y"), (intptr_t)5);  // a string-keyed dictionary ignores int keys
  EXPECT_EQ(d->count(), 1u);
  d->setObject(CCString::create("z"), "name");
  EXPECT_STREQ(d->valueForKey("name")->getCString(), "z");
  d->removeObjectForKey("absent");
  CCArray* keys = d->allKeys();
  ASSERT_EQ(keys->count(), 1u);
  EXPECT_STREQ(static_cast<CCString*>(keys->objectAtIndex(0))->getCString(), "name");

  CCArray* a = CCArray::create(CCString::create("1"), CCString::create("2"), nullptr);
  a->insertObject(CCString::create("0"), 99);  // past the end appends
  a->removeObjectAtIndex(42);
  a->exchangeObjectAtIndex(0, 7);
  EXPECT_EQ(a->count(), 3u);
  EXPECT_STREQ(static_cast<CCString*>(a->lastObject())->getCString(), "0");
  EXPECT_EQ(a->indexOfObject(d), UINT_MAX);

  EXPECT_FALSE(CCString("false").boolValue());
  EXPECT_TRUE(CCString("yes").boolValue());
  EXPECT_EQ(CCString("12abc").intValue(), 12);
  unsigned char raw[] = {'a', 'b', 0, 'c'};
  EXPECT_STREQ(CCString::createWithData(raw, 4)->getCString(), "ab");
}

TEST_F(EdgeCaseTest, WrappedLabelsStayInsideTheirBox) {
  CCLabelTTF* l = CCLabelTTF::create("这是一行很长的聊天文字，需要在宽度之内换行显示出来", "Arial", 16, CCSize(120, 0),
                                     kCCTextAlignmentLeft);
  EXPECT_EQ(l->getContentSize().width, 120);
  EXPECT_GT(l->getContentSize().height, 40);  // several lines
  CCLabelTTF* two = CCLabelTTF::create("一\n二", "Arial", 16);
  CCLabelTTF* one = CCLabelTTF::create("一", "Arial", 16);
  EXPECT_GT(two->getContentSize().height, one->getContentSize().height * 1.5f);
}

// Megabytes of text once overflowed the font library's stack: a label draws
// its first characters only, cut between whole characters.
TEST_F(EdgeCaseTest, LabelsDrawABoundedPartOfAHugeText) {
  const size_t cap = CCLabelTTF::kMaxDrawnCharacters;
  for (const std::string unit : {"x", "一"}) {
    std::string huge, drawn;
    for (size_t i = 0; i < (9u << 20) / unit.size(); ++i) huge += unit;
    for (size_t i = 0; i < cap; ++i) drawn += unit;
    CCLabelTTF* label = CCLabelTTF::create(huge.c_str(), "Arial", 14);
    CCLabelTTF* expected = CCLabelTTF::create(drawn.c_str(), "Arial", 14);
    EXPECT_EQ(label->getString(), huge);  // the text itself is kept
    EXPECT_FLOAT_EQ(label->getContentSize().width, expected->getContentSize().width) << unit;
    EXPECT_GT(label->getContentSize().width, 0) << unit;
    label->setDimensions(CCSize(300, 0));  // wrapped as well
    EXPECT_EQ(label->getContentSize().width, 300);
  }
}

// A sheet may name any frame rectangle: one of astronomic size (or not a
// number at all) draws without overflowing the renderer's texel arithmetic.
TEST_F(EdgeCaseTest, FramesOfAnySizeDrawWithoutOverflow) {
  CCScene* scene = runScene();
  std::vector<unsigned char> pixels(16 * 16 * 4);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (unsigned char)(i * 7);
  CCTexture2D* texture = new CCTexture2D();
  ASSERT_TRUE(texture->initWithData(pixels.data(), 16, 16));
  const char* rects[] = {"{{-1e9,3e9},{1e38,1e38}}", "{{nan,0},{8,nan}}", "{{0,0},{inf,-inf}}"};
  for (const char* rect : rects) {
    for (bool rotated : {false, true}) {
      CCSpriteFrame* frame = CCSpriteFrame::createWithTexture(texture, CCRectFromString(rect), rotated,
                                                              CCPoint(1e20f, 1e20f), CCSize(1e30f, 1));
      CCSprite* sprite = CCSprite::createWithSpriteFrame(frame);
      ASSERT_NE(sprite, nullptr) << rect;
      sprite->setPosition(CCPoint(100, 100));
      scene->addChild(sprite);
      step(1);
      sprite->removeFromParent();
    }
  }
  texture->release();
}

TEST_F(EdgeCaseTest, PoppingTheLastSceneEndsTheMainLoop) {
  CCDirector* d = CCDirector::sharedDirector();
  d->runWithScene(CCScene::create());
  step(1);
  EXPECT_FALSE(d->isEnding());
  d->popScene();
  EXPECT_TRUE(d->isEnding());
  step(1);
}
