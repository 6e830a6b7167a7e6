#include "ExtFixture.h"

USING_NS_CC;
USING_NS_CC_EXT;

void ExtTest::TearDown() { EngineTest::TearDown(); }

void ExtTest::cursor(float x, float y) {
  CCPointObject* p = new CCPointObject();
  p->m_point = CCPoint(x, y);
  p->autorelease();
  CCNotificationCenter::sharedNotificationCenter()->postNotification(kCCCursorNotification, p);
}
