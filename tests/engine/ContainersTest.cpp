// Reference counting, containers, plists, notifications and settings.

#include "EngineFixture.h"

USING_NS_CC;

namespace {
class ContainersTest : public EngineTest {};

int g_deleted = 0;
class Counted : public CCObject {
 public:
  ~Counted() override { ++g_deleted; }
};
}  // namespace

TEST_F(ContainersTest, AutoreleasedObjectsLiveUntilTheEndOfTheFrame) {
  g_deleted = 0;
  Counted* a = new Counted();
  a->autorelease();
  Counted* kept = new Counted();
  kept->autorelease();
  kept->retain();
  EXPECT_EQ(g_deleted, 0);
  step(1);
  EXPECT_EQ(g_deleted, 1);
  EXPECT_EQ(kept->retainCount(), 1u);
  kept->release();
  EXPECT_EQ(g_deleted, 2);

  // An array holds its own reference; removing while walking does not skip past the end.
  CCArray* arr = CCArray::create();
  for (int i = 0; i < 4; ++i) {
    Counted* c = new Counted();
    arr->addObject(c);
    c->release();
  }
  CCObject* o;
  int visited = 0;
  CCARRAY_FOREACH(arr, o) {
    ++visited;
    arr->removeObject(o);
  }
  EXPECT_EQ(visited, 2);
  EXPECT_EQ(arr->count(), 2u);
  EXPECT_EQ(arr->objectAtIndex(7), nullptr);
}

TEST_F(ContainersTest, PlistValuesAreTextAndMissingKeysReadAsEmpty) {
  writeFile("Point.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>seat1</key><string>120,340</string>
  <key>count</key><integer>36</integer>
  <key>scale</key><real>0.5</real>
  <key>on</key><true/>
  <key>off</key><false/>
  <key>when</key><date>2014-01-01T00:00:00Z</date>
  <key>list</key><array><string>a</string><dict><key>k</key><string>v</string></dict></array>
</dict></plist>)");
  CCDictionary* d = CCDictionary::createWithContentsOfFile("Point.xml");
  EXPECT_STREQ(d->valueForKey("seat1")->getCString(), "120,340");
  EXPECT_EQ(d->valueForKey("count")->intValue(), 36);
  EXPECT_FLOAT_EQ(d->valueForKey("scale")->floatValue(), 0.5f);
  EXPECT_TRUE(d->valueForKey("on")->boolValue());
  EXPECT_FALSE(d->valueForKey("off")->boolValue());
  EXPECT_EQ(d->objectForKey("when"), nullptr);
  EXPECT_STREQ(d->valueForKey("absent")->getCString(), "");
  CCArray* list = dynamic_cast<CCArray*>(d->objectForKey("list"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 2u);

  // Missing and malformed files give an empty dictionary, never null.
  writeFile("bad.plist", "<plist><dict><key>a</key><string>unclosed");
  EXPECT_EQ(CCDictionary::createWithContentsOfFile("bad.plist")->count(), 0u);
  EXPECT_EQ(CCDictionary::createWithContentsOfFile("nothing.plist")->count(), 0u);

  EXPECT_EQ(CCRectFromString("{{2,40},{30,20}}"), CCRect(2, 40, 30, 20));
  EXPECT_EQ(CCPointFromString("{-1,3}"), ccp(-1, 3));
  EXPECT_EQ(CCSizeFromString("{34,28}"), CCSize(34, 28));
  EXPECT_EQ(CCRectFromString("{{2,40},{30}}"), CCRectZero);
  EXPECT_EQ(CCPointFromString("1,2"), CCPointZero);
}

namespace {
class Listener : public CCObject {
 public:
  int calls = 0;
  Listener* toRemove = nullptr;
  Listener* toAdd = nullptr;
  void on(CCObject*) {
    ++calls;
    CCNotificationCenter* nc = CCNotificationCenter::sharedNotificationCenter();
    if (toRemove) nc->removeObserver(toRemove, "Cursor");
    if (toAdd) nc->addObserver(toAdd, callfuncO_selector(Listener::on), "Cursor", nullptr);
  }
};
}  // namespace

TEST_F(ContainersTest, NotificationsAreSynchronousAndSafeAgainstChangesDuringAPost) {
  CCNotificationCenter* nc = CCNotificationCenter::sharedNotificationCenter();
  Listener a, b, c;
  a.toRemove = &b;
  a.toAdd = &c;
  nc->addObserver(&a, callfuncO_selector(Listener::on), "Cursor", nullptr);
  nc->addObserver(&b, callfuncO_selector(Listener::on), "Cursor", nullptr);
  nc->addObserver(&a, callfuncO_selector(Listener::on), "Cursor", nullptr);  // ignored twice
  nc->postNotification("Cursor");
  EXPECT_EQ(a.calls, 1);
  EXPECT_EQ(b.calls, 0);  // removed before its turn
  EXPECT_EQ(c.calls, 0);  // added during the post
  a.toAdd = nullptr;
  nc->postNotification("Cursor");
  EXPECT_EQ(c.calls, 1);
  nc->postNotification("Other");
  EXPECT_EQ(a.calls, 2);
  EXPECT_EQ(nc->removeAllObservers(&a), 1);
  nc->removeAllObservers(&c);
  EXPECT_EQ(nc->observerCount("Cursor"), 0);
}

TEST_F(ContainersTest, UserDefaultsRoundTripThroughTheFile) {
  CCUserDefault* u = CCUserDefault::sharedUserDefault();
  EXPECT_EQ(u->getIntegerForKey("RoomVesion", 5002), 5002);
  EXPECT_TRUE(u->getBoolForKey("Music", true));
  u->setBoolForKey("Music", false);
  u->setIntegerForKey("RoomSocketPort", 7301);
  u->setStringForKey("Account", "玩家<1>&");
  u->setDoubleForKey("Ratio", 0.1);
  // Texts of blanks only, which the XML reader drops unless kept as CDATA.
  const std::string blanks[] = {"\v", " ", "\t \f", " x "};
  for (const std::string& b : blanks) u->setStringForKey(("Blank" + std::to_string(&b - blanks)).c_str(), b);
  u->flush();
  CCUserDefault::purgeSharedUserDefault();
  u = CCUserDefault::sharedUserDefault();
  EXPECT_FALSE(u->getBoolForKey("Music", true));
  EXPECT_EQ(u->getIntegerForKey("RoomSocketPort"), 7301);
  EXPECT_EQ(u->getStringForKey("Account"), "玩家<1>&");
  EXPECT_DOUBLE_EQ(u->getDoubleForKey("Ratio"), 0.1);
  for (const std::string& b : blanks)
    EXPECT_EQ(u->getStringForKey(("Blank" + std::to_string(&b - blanks)).c_str(), "<lost>"), b);
  EXPECT_EQ(CCUserDefault::getXMLFilePath(), m_root + "/user/UserDefault.xml");

  // A damaged file starts empty rather than failing.
  CCUserDefault::purgeSharedUserDefault();
  FILE* f = fopen(CCUserDefault::getXMLFilePath().c_str(), "w");
  fputs("<userDefaultRoot><Music>tr", f);
  fclose(f);
  EXPECT_TRUE(CCUserDefault::sharedUserDefault()->getBoolForKey("Music", true));
}
