// The CocoStudio readers over any bytes: a layout file read into widgets
// (touched, cloned, animated), and an armature file read, built and played.
// Nothing may crash, hang or read past a buffer, whatever the file holds.

#include <rapidjson/document.h>

#include <cstdint>
#include <string>

#include "cocos-ext.h"

USING_NS_CC;
USING_NS_CC_EXT;

namespace {

void Setup() {
  static bool done = false;
  if (done) return;
  done = true;
  CCDirector::setHeadless(true);
  CCFileUtils::sharedFileUtils()->setResourceRoot("/nonexistent-kest-fuzz-root");
}

void ReadLayout(const char* data, size_t size) {
  ui::Widget* root = GUIReader::shareReader()->widgetFromJsonData(data, size, "Fuzz/fuzz.ExportJson");
  if (!root) std::abort();
  ui::TouchGroup* group = ui::TouchGroup::create();
  group->addWidget(root);
  CCScene* scene = CCScene::create();
  scene->addChild(group);
  scene->onEnter();
  ui::Widget* copy = root->clone();
  group->addWidget(copy);
  CCTouch* touch = new CCTouch();
  touch->setTouchInfo(0, 100, 100);
  if (group->ccTouchBegan(touch, nullptr)) {
    touch->setTouchInfo(0, 140, 160);
    group->ccTouchMoved(touch, nullptr);
    group->ccTouchEnded(touch, nullptr);
  }
  touch->release();
  // Animations that the file names are played a little.
  rapidjson::Document doc;
  doc.Parse<rapidjson::kParseIterativeFlag>(data, size);
  if (!doc.HasParseError() && doc.IsObject() && doc.HasMember("animation") && doc["animation"].IsObject() &&
      doc["animation"].HasMember("actionlist") && doc["animation"]["actionlist"].IsArray()) {
    for (const auto& a : doc["animation"]["actionlist"].GetArray())
      if (a.IsObject() && a.HasMember("name") && a["name"].IsString())
        if (ActionObject* o = ActionManager::shareManager()->playActionByName("fuzz.ExportJson", a["name"].GetString()))
          o->stop();
  }
  scene->onExit();
  scene->cleanup();
  ActionManager::purgeActionManager();
  GUIReader::purgeGUIReader();
}

void ReadArmature(const char* data, size_t size) {
  CCArmatureDataManager* m = CCArmatureDataManager::sharedArmatureDataManager();
  m->addArmatureFileData(data, size, "Fuzz/fuzz.ExportJson");
  rapidjson::Document doc;
  doc.Parse<rapidjson::kParseIterativeFlag>(data, size);
  if (!doc.HasParseError() && doc.IsObject() && doc.HasMember("armature_data") && doc["armature_data"].IsArray()) {
    for (const auto& a : doc["armature_data"].GetArray()) {
      if (!a.IsObject() || !a.HasMember("name") || !a["name"].IsString()) continue;
      CCArmature* armature = CCArmature::create(a["name"].GetString());
      if (!armature) std::abort();
      CCArmatureAnimation* anim = armature->getAnimation();
      for (int i = 0; i < anim->getMovementCount() && i < 8; ++i) {
        anim->playByIndex(i);
        for (int f = 0; f < 5; ++f) armature->update(1 / 20.0f);
        anim->gotoAndPlay(1);
      }
      armature->getBoundingBox();
    }
  }
  CCArmatureDataManager::purge();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  Setup();
  const char* data = reinterpret_cast<const char*>(bytes);
  ReadLayout(data, size);
  ReadArmature(data, size);
  CCPoolManager::sharedPoolManager()->pop();
  return 0;
}
