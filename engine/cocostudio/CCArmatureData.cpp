// Reading armature ".ExportJson" files into the data manager.

#include <algorithm>
#include <cmath>

#include "CCArmature.h"
#include "JsonHelper.h"

NS_CC_EXT_BEGIN

using json::Value;

const CCMovementBoneData* CCMovementData::getMovementBoneData(const std::string& bone) const {
  auto it = movBoneDataDic.find(bone);
  return it == movBoneDataDic.end() ? nullptr : &it->second;
}

const CCBoneData* CCArmatureData::getBoneData(const std::string& bone) const {
  for (const CCBoneData& b : boneDataList)
    if (b.name == bone) return &b;
  return nullptr;
}

const CCMovementData* CCAnimationData::getMovement(const std::string& movement) const {
  auto it = movementDataDic.find(movement);
  return it == movementDataDic.end() ? nullptr : &it->second;
}

namespace {

// Limits that keep hostile files from costing unbounded time or memory.
const int kMaxFrameIndex = 1 << 20;
const float kMaxSkew = 1000;  // radians; real files stay within a few turns

void readBase(const Value& v, CCBaseData& d, float contentScale, float version) {
  d.x = json::getFloat(v, "x", 0) * contentScale;
  d.y = json::getFloat(v, "y", 0) * contentScale;
  d.zOrder = std::min(std::max(json::getInt(v, "z", 0), -1000000), 1000000);
  d.scaleX = json::getFloat(v, "cX", 1);
  d.scaleY = json::getFloat(v, "cY", 1);
  d.skewX = std::min(std::max(json::getFloat(v, "kX", 0), -kMaxSkew), kMaxSkew);
  d.skewY = std::min(std::max(json::getFloat(v, "kY", 0), -kMaxSkew), kMaxSkew);
  // Colours as an object from 1.1 on (the older array form is not read).
  if (version >= 1.1f) {
    if (const Value* c = json::getObject(v, "color")) {
      auto channel = [&](const char* key) { return std::min(std::max(json::getInt(*c, key, 255), 0), 255); };
      d.isUseColorInfo = true;
      d.a = channel("a");
      d.r = channel("r");
      d.g = channel("g");
      d.b = channel("b");
    }
  }
}

// "a.png" and "a" both mean the frame "a.png".
std::string frameName(const std::string& name) {
  size_t dot = name.rfind('.');
  size_t slash = name.find_last_of("/\\");
  std::string base =
      dot != std::string::npos && (slash == std::string::npos || dot > slash) ? name.substr(0, dot) : name;
  return base + ".png";
}

std::string withoutExtension(const std::string& name) {
  std::string f = frameName(name);
  return f.substr(0, f.size() - 4);
}

CCArmatureData* readArmature(const Value& a, float contentScale) {
  CCArmatureData* data = new CCArmatureData();
  data->autorelease();
  data->name = json::getString(a, "name");
  data->dataVersion = json::getFloat(a, "version", 0.1f);
  if (const Value* bones = json::getArray(a, "bone_data")) {
    for (const Value& b : bones->GetArray()) {
      if (!b.IsObject()) continue;
      CCBoneData bone;
      readBase(b, bone, contentScale, data->dataVersion);
      bone.name = json::getString(b, "name");
      bone.parentName = json::getString(b, "parent");
      if (const Value* displays = json::getArray(b, "display_data")) {
        for (const Value& d : displays->GetArray()) {
          CCDisplayData display;
          if (d.IsObject()) {
            int type = json::getInt(d, "displayType", 0);
            display.displayType = type == 1 ? CS_DISPLAY_ARMATURE : type == 2 ? CS_DISPLAY_PARTICLE : CS_DISPLAY_SPRITE;
            display.displayName = json::getString(d, "name");
            if (display.displayType == CS_DISPLAY_SPRITE) display.displayName = frameName(display.displayName);
            if (const Value* skins = json::getArray(d, "skin_data"))
              if (skins->Size() > 0 && (*skins)[0].IsObject())
                readBase((*skins)[0], display.skinData, contentScale, data->dataVersion);
          }
          bone.displayDataList.push_back(display);
        }
      }
      data->boneDataList.push_back(bone);
    }
  }
  return data;
}

CCAnimationData* readAnimation(const Value& a, float contentScale, float version) {
  CCAnimationData* data = new CCAnimationData();
  data->autorelease();
  data->name = json::getString(a, "name");
  const Value* movements = json::getArray(a, "mov_data");
  if (!movements) return data;
  for (const Value& m : movements->GetArray()) {
    if (!m.IsObject()) continue;
    CCMovementData mov;
    mov.name = json::getString(m, "name");
    mov.duration = std::min(std::max(json::getInt(m, "dr", 0), 0), kMaxFrameIndex);
    mov.loop = json::getBool(m, "lp", true);
    mov.durationTo = std::min(std::max(json::getInt(m, "to", 0), 0), kMaxFrameIndex);
    mov.durationTween = std::min(std::max(json::getInt(m, "drTW", 0), 0), kMaxFrameIndex);
    mov.tweenEasing = json::getInt(m, "twE", 0);
    mov.scale = json::has(m, "dr") ? json::getFloat(m, "sc", 1) : 1;
    if (const Value* bones = json::getArray(m, "mov_bone_data")) {
      for (const Value& b : bones->GetArray()) {
        if (!b.IsObject()) continue;
        CCMovementBoneData bone;
        bone.name = json::getString(b, "name");
        bone.delay = json::getFloat(b, "dl", 0);
        if (const Value* frames = json::getArray(b, "frame_data")) {
          for (const Value& f : frames->GetArray()) {
            if (!f.IsObject()) continue;
            CCFrameData frame;
            readBase(f, frame, contentScale, version);
            frame.frameID = std::min(std::max(json::getInt(f, "fi", 0), 0), kMaxFrameIndex);
            frame.displayIndex = json::getInt(f, "dI", 0);
            frame.tweenEasing = json::getInt(f, "twE", 0);
            frame.isTween = json::getBool(f, "tweenFrame", true);
            frame.strEvent = json::getString(f, "evt");
            if (const Value* params = json::getArray(f, "twEP"))
              for (rapidjson::SizeType i = 0; i < params->Size() && i < 8; ++i)
                frame.easingParams.push_back(json::numberAt(*params, i));
            bone.frameList.push_back(frame);
          }
        }
        // Keys are sampled by frame index.
        std::stable_sort(bone.frameList.begin(), bone.frameList.end(),
                         [](const CCFrameData& x, const CCFrameData& y) { return x.frameID < y.frameID; });
        mov.movBoneDataDic[bone.name] = bone;
      }
    }
    if (!data->getMovement(mov.name)) data->movementNames.push_back(mov.name);
    data->movementDataDic[mov.name] = mov;
  }
  return data;
}

}  // namespace

static CCArmatureDataManager* s_manager = nullptr;

CCArmatureDataManager* CCArmatureDataManager::sharedArmatureDataManager() {
  if (!s_manager) s_manager = new CCArmatureDataManager();
  return s_manager;
}

void CCArmatureDataManager::purge() { CC_SAFE_RELEASE_NULL(s_manager); }

CCArmatureDataManager::~CCArmatureDataManager() {
  for (auto& kv : m_armatures) kv.second->release();
  for (auto& kv : m_animations) kv.second->release();
}

void CCArmatureDataManager::addArmatureFileInfo(const char* configFilePath) {
  std::string path = configFilePath ? configFilePath : "";
  if (path.empty() || m_loaded.count(path)) return;
  std::vector<unsigned char> bytes;
  std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(path.c_str());
  if (!CCFileUtils::readFile(full, bytes)) {
    CCLog("CCArmatureDataManager: cannot read %s", path.c_str());
    return;
  }
  addArmatureFileData((const char*)bytes.data(), bytes.size(), path.c_str());
}

void CCArmatureDataManager::addArmatureFileInfo(const char* imagePath, const char* plistPath,
                                                const char* configFilePath) {
  if (plistPath && imagePath)
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plistPath, imagePath);
  addArmatureFileInfo(configFilePath);
}

bool CCArmatureDataManager::addArmatureFileData(const char* data, size_t size, const char* configFilePath) {
  std::string path = configFilePath ? configFilePath : "";
  if (m_loaded.count(path)) return true;
  rapidjson::Document doc;
  std::string what = "CCArmatureDataManager: " + path;
  if (!json::parse(data, size, doc, what.c_str())) return false;
  m_loaded.insert(path);
  std::string dir = json::directoryOf(path);
  float contentScale = json::getFloat(doc, "content_scale", 1);
  std::vector<std::string>& names = m_namesByFile[path];

  // Sheets first: the PNG is the config path with ".png", whatever the plist says.
  if (const Value* configs = json::getArray(doc, "config_file_path")) {
    for (const Value& c : configs->GetArray()) {
      if (!c.IsString()) continue;
      std::string base = withoutExtension(dir + c.GetString());
      std::string plist = base + ".plist", png = base + ".png";
      if (m_loaded.insert(plist).second)
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plist.c_str(), png.c_str());
    }
  }
  float version = 0.1f;
  if (const Value* armatures = json::getArray(doc, "armature_data")) {
    for (const Value& a : armatures->GetArray()) {
      if (!a.IsObject()) continue;
      CCArmatureData* armature = readArmature(a, contentScale);
      version = armature->dataVersion;
      if (version < 0.3f) CCLog("CCArmatureDataManager: %s: version %.2f is read as 0.3", path.c_str(), version);
      armature->retain();
      CC_SAFE_RELEASE(m_armatures[armature->name]);
      m_armatures[armature->name] = armature;
      names.push_back(armature->name);
    }
  }
  if (const Value* animations = json::getArray(doc, "animation_data")) {
    for (const Value& a : animations->GetArray()) {
      if (!a.IsObject()) continue;
      CCAnimationData* animation = readAnimation(a, contentScale, version);
      animation->retain();
      CC_SAFE_RELEASE(m_animations[animation->name]);
      m_animations[animation->name] = animation;
    }
  }
  if (const Value* textures = json::getArray(doc, "texture_data")) {
    for (const Value& t : textures->GetArray()) {
      if (!t.IsObject()) continue;
      CCTextureData tex;
      tex.name = json::getString(t, "name");
      tex.width = json::getFloat(t, "width", 0);
      tex.height = json::getFloat(t, "height", 0);
      tex.pivotX = json::getFloat(t, "pX", 0.5f);
      tex.pivotY = json::getFloat(t, "pY", 0.5f);
      m_textures[withoutExtension(tex.name)] = tex;
    }
  }
  return true;
}

void CCArmatureDataManager::removeArmatureFileInfo(const char* configFilePath) {
  std::string path = configFilePath ? configFilePath : "";
  for (const std::string& name : m_namesByFile[path]) {
    auto a = m_armatures.find(name);
    if (a != m_armatures.end()) {
      a->second->release();
      m_armatures.erase(a);
    }
    auto m = m_animations.find(name);
    if (m != m_animations.end()) {
      m->second->release();
      m_animations.erase(m);
    }
  }
  m_namesByFile.erase(path);
  m_loaded.erase(path);
}

CCArmatureData* CCArmatureDataManager::getArmatureData(const char* id) {
  auto it = m_armatures.find(id ? id : "");
  return it == m_armatures.end() ? nullptr : it->second;
}

CCAnimationData* CCArmatureDataManager::getAnimationData(const char* id) {
  auto it = m_animations.find(id ? id : "");
  return it == m_animations.end() ? nullptr : it->second;
}

const CCTextureData* CCArmatureDataManager::getTextureData(const char* id) {
  auto it = m_textures.find(withoutExtension(id ? id : ""));
  return it == m_textures.end() ? nullptr : &it->second;
}

NS_CC_EXT_END
