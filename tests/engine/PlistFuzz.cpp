// Property lists and the frame strings of sprite sheets over any bytes: the
// text read as a plist (dictionary and array), as a sheet of frames made
// into sprites and drawn, and as the "{x,y}", "{w,h}" and "{{x,y},{w,h}}"
// strings the frames hold. Nothing may crash, read past the text or turn an
// odd number into undefined behaviour.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "cocos2d.h"
#include "engine/src/Plist.h"

USING_NS_CC;

namespace {

CCScene* Setup() {
  static CCScene* scene = nullptr;
  if (scene) return scene;
  CCDirector::setHeadless(true);
  CCDirector* director = CCDirector::sharedDirector();
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  director->setOpenGLView(view);
  view->setFrameSize(320, 240);
  view->setDesignResolutionSize(320, 240, kResolutionFixedWidth);
  CCFileUtils::sharedFileUtils()->setResourceRoot("/nonexistent-kest-fuzz-root");
  scene = CCScene::create();
  scene->retain();
  director->runWithScene(scene);
  director->stepFrames(1);
  return scene;
}

CCTexture2D* Sheet() {
  static CCTexture2D* texture = [] {
    uint8_t pixels[16 * 16 * 4];
    for (size_t i = 0; i < sizeof(pixels); ++i) pixels[i] = (uint8_t)(i * 7);
    auto* t = new CCTexture2D();
    t->initWithData(pixels, 16, 16);
    return t;
  }();
  return texture;
}

void ReadFrameStrings(const std::string& text) {
  const CCPoint p = CCPointFromString(text.c_str());
  const CCSize s = CCSizeFromString(text.c_str());
  const CCRect r = CCRectFromString(text.c_str());
  volatile float sink = p.x + p.y + s.width + s.height + r.getMaxX() + r.getMaxY();
  (void)sink;
}

void ReadSheet(CCScene* scene, CCDictionary* dict) {
  CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
  cache->addSpriteFramesWithDictionary(dict, Sheet());
  CCDictionary* frames = dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("frames")));
  CCNode* holder = CCNode::create();
  scene->addChild(holder);
  int drawn = 0;
  CCDictElement* element;
  CCDICT_FOREACH(frames, element) {
    if (drawn == 4) break;
    CCSpriteFrame* frame = cache->findFrame(element->getStrKey());
    if (!frame) continue;
    CCSprite* sprite = CCSprite::createWithSpriteFrame(frame);
    if (!sprite) continue;
    sprite->setPosition(CCPoint(40.0f * drawn, 60));
    holder->addChild(sprite);
    sprite->boundingBox();
    ++drawn;
  }
  if (drawn > 0) CCDirector::sharedDirector()->stepFrames(1);
  holder->removeFromParentAndCleanup(true);
  cache->removeSpriteFramesFromDictionary(dict);
  cache->removeSpriteFrames();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  CCScene* scene = Setup();
  const char* text = reinterpret_cast<const char*>(bytes);
  ReadFrameStrings(std::string(text, size));
  if (CCDictionary* dict = kest::plist::parseDictionary(size > 0 ? text : "", size)) {
    ReadSheet(scene, dict);
    dict->release();
  }
  if (CCArray* array = kest::plist::parseArray(size > 0 ? text : "", size)) {
    array->count();
    array->release();
  }
  CCPoolManager::sharedPoolManager()->pop();
  return 0;
}
