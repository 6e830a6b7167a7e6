#include "ExtFixture.h"

#include <fstream>
#include <iterator>

USING_NS_CC;
USING_NS_CC_EXT;

void ExtTest::TearDown() {
  ActionManager::purgeActionManager();
  GUIReader::purgeGUIReader();
  CCArmatureDataManager::purge();
  EngineTest::TearDown();
}

void ExtTest::copyData(const std::string& relPath) {
  std::ifstream in(std::string(KEST_SOURCE_DIR) + "/tests/engine/data/" + relPath, std::ios::binary);
  ASSERT_TRUE(in.good()) << relPath;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  writeFile(relPath, text);
}

void ExtTest::cursor(float x, float y) {
  CCPointObject* p = new CCPointObject();
  p->m_point = CCPoint(x, y);
  p->autorelease();
  CCNotificationCenter::sharedNotificationCenter()->postNotification(kCCCursorNotification, p);
}
