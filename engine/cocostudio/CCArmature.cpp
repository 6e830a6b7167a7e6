#include "CCArmature.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "TweenFunction.h"

NS_CC_EXT_BEGIN

namespace {

const int kEasingFromFile = 10000;
const float kHalfPi = 1.57079632679f;
// A key counts as reached this little before its frame, so float steps that
// should land on it do.
const float kKeyTolerance = 1e-3f;
// The wait for a key runs this little past it, for the same reason.
const float kWakeMargin = 1e-4f;

// x' = a x + c y + tx with a = cX cos kY, b = cX sin kY, c = cY sin kX, d = cY cos kX.
CCAffineTransform baseTransform(const CCBaseData& d) {
  return CCAffineTransformMake(d.scaleX * std::cos(d.skewY), d.scaleX * std::sin(d.skewY), d.scaleY * std::sin(d.skewX),
                               d.scaleY * std::cos(d.skewX), d.x, d.y);
}

// The bind pose with a pose relative to it.
CCBaseData combine(const CCBaseData& bind, const CCBaseData& pose) {
  CCBaseData d = bind;
  d.x += pose.x;
  d.y += pose.y;
  d.skewX += pose.skewX;
  d.skewY += pose.skewY;
  d.scaleX += pose.scaleX - 1;
  d.scaleY += pose.scaleY - 1;
  d.zOrder += pose.zOrder;
  // Colours multiply: the bone's own tint, then the frame's.
  if (pose.isUseColorInfo) {
    d.isUseColorInfo = true;
    d.a = d.a * pose.a / 255;
    d.r = d.r * pose.r / 255;
    d.g = d.g * pose.g / 255;
    d.b = d.b * pose.b / 255;
  }
  return d;
}

CCBaseData lerp(const CCBaseData& from, const CCBaseData& to, float t) {
  CCBaseData d = from;
  d.x = from.x + (to.x - from.x) * t;
  d.y = from.y + (to.y - from.y) * t;
  d.scaleX = from.scaleX + (to.scaleX - from.scaleX) * t;
  d.scaleY = from.scaleY + (to.scaleY - from.scaleY) * t;
  d.skewX = from.skewX + (to.skewX - from.skewX) * t;
  d.skewY = from.skewY + (to.skewY - from.skewY) * t;
  d.a = (int)std::lround(from.a + (to.a - from.a) * t);
  d.r = (int)std::lround(from.r + (to.r - from.r) * t);
  d.g = (int)std::lround(from.g + (to.g - from.g) * t);
  d.b = (int)std::lround(from.b + (to.b - from.b) * t);
  d.isUseColorInfo = from.isUseColorInfo || to.isUseColorInfo;
  d.zOrder = t < 1 ? from.zOrder : to.zOrder;
  return d;
}

// The key a bone shows at key time t: the last one at or before it.
size_t keyAt(const std::vector<CCFrameData>& keys, float t) {
  size_t k = 0;
  while (k + 1 < keys.size() && keys[k + 1].frameID <= t + kKeyTolerance) ++k;
  return k;
}

// The pose a tween from one key to the next moves through.
bool samePose(const CCBaseData& a, const CCBaseData& b) {
  return a.x == b.x && a.y == b.y && a.scaleX == b.scaleX && a.scaleY == b.scaleY && a.skewX == b.skewX &&
         a.skewY == b.skewY && a.a == b.a && a.r == b.r && a.g == b.g && a.b == b.b &&
         a.isUseColorInfo == b.isUseColorInfo;
}

void logOnce(const std::string& what) {
  static std::set<std::string> seen;
  if (seen.insert(what).second) CCLog("CCArmature: %s", what.c_str());
}

}  // namespace

// --- CCBone -----------------------------------------------------------------

CCBone::~CCBone() {
  for (CCSprite* s : m_displays) CC_SAFE_RELEASE(s);
}

void CCBone::changeDisplayWithIndex(int index, bool) {
  if (index >= (int)m_displays.size()) index = -1;
  if (index == m_nDisplayIndex) return;
  m_nDisplayIndex = index;
  ccSetNeedsRedraw();
}

CCNode* CCBone::getDisplayRenderNode() const {
  return m_nDisplayIndex >= 0 && m_nDisplayIndex < (int)m_displays.size() ? m_displays[(size_t)m_nDisplayIndex]
                                                                          : nullptr;
}

// --- CCArmature -------------------------------------------------------------

// Its bones' sprites are drawn from draw(), as no children: they do not mark it.
CCArmature::CCArmature() { m_bDrawsOthers = true; }

CCArmature::~CCArmature() {
  CC_SAFE_RELEASE(m_pAnimation);
  for (CCBone* b : m_bones) b->release();
  CC_SAFE_RELEASE(m_pArmatureData);
}

CCArmature* CCArmature::create() {
  return ccCreateWith<CCArmature>([](CCArmature* a) { return a->init(); });
}

CCArmature* CCArmature::create(const char* name) {
  return ccCreateWith<CCArmature>([&](CCArmature* a) { return a->init(name); });
}

bool CCArmature::init() { return init(nullptr); }

bool CCArmature::init(const char* name) {
  if (!CCNodeRGBA::init()) return false;
  m_pAnimation = new CCArmatureAnimation();
  m_pAnimation->m_pArmature = this;
  CCArmatureDataManager* manager = CCArmatureDataManager::sharedArmatureDataManager();
  CCArmatureData* data = name && *name ? manager->getArmatureData(name) : nullptr;
  if (name && *name && !data) CCLog("CCArmature: no armature named %s; it stays empty", name);
  if (!data) {
    m_strName = "new_armature";
    return true;
  }
  m_strName = name;
  data->retain();
  m_pArmatureData = data;
  m_pAnimation->m_pAnimationData = manager->getAnimationData(name);
  CC_SAFE_RETAIN(m_pAnimation->m_pAnimationData);

  // Bones, parents before children; a parent that is missing or makes a loop
  // leaves the bone at the top level.
  std::map<std::string, CCBone*> byName;
  for (const CCBoneData& bd : data->boneDataList) {
    if (byName.count(bd.name)) continue;
    CCBone* bone = new CCBone();
    bone->m_name = bd.name;
    bone->m_data = &bd;
    for (const CCDisplayData& dd : bd.displayDataList) {
      CCSprite* sprite = nullptr;
      if (dd.displayType == CS_DISPLAY_SPRITE) {
        sprite = CCSprite::createWithSpriteFrame(CCResolvePicture(dd.displayName.c_str()));
        if (sprite) {
          const CCTextureData* tex = manager->getTextureData(dd.displayName.c_str());
          sprite->setAnchorPoint(tex ? CCPoint(tex->pivotX, tex->pivotY) : CCPoint(0.5f, 0.5f));
          sprite->retain();
        }
      } else {
        logOnce("nested armatures and particle displays are not drawn (" + m_strName + ")");
      }
      bone->m_displays.push_back(sprite);
    }
    bone->m_nDisplayIndex = bone->m_displays.empty() ? -1 : 0;
    byName[bd.name] = bone;
  }
  // Walks up each parent chain without recursion (files may hold long or
  // looping chains) and places the chain from its top down.
  auto parentOf = [&](CCBone* bone) -> CCBone* {
    auto it = byName.find(bone->m_data->parentName);
    return it == byName.end() || it->second == bone ? nullptr : it->second;
  };
  std::set<CCBone*> placed;
  for (const CCBoneData& bd : data->boneDataList) {
    std::vector<CCBone*> chain;
    std::set<CCBone*> inChain;
    for (CCBone* cur = byName[bd.name]; cur && !placed.count(cur) && inChain.insert(cur).second; cur = parentOf(cur))
      chain.push_back(cur);
    for (size_t i = chain.size(); i-- > 0;) {
      CCBone* bone = chain[i];
      CCBone* parent = parentOf(bone);
      if (parent && placed.count(parent)) bone->m_pParent = parent;
      placed.insert(bone);
      m_bones.push_back(bone);
    }
  }

  // Posed at the first frame of the first movement.
  const CCAnimationData* anim = m_pAnimation->m_pAnimationData;
  const CCMovementData* first =
      anim && !anim->movementNames.empty() ? anim->getMovement(anim->movementNames[0]) : nullptr;
  for (CCBone* bone : m_bones) {
    const CCMovementBoneData* mb = first ? first->getMovementBoneData(bone->m_name) : nullptr;
    if (mb && !mb->frameList.empty()) {
      bone->m_pose = mb->frameList.front();
      bone->changeDisplayWithIndex(mb->frameList.front().displayIndex, false);
    }
  }
  updateBones();
  updateOffsetPoint();
  return true;
}

CCBone* CCArmature::getBone(const char* name) const {
  for (CCBone* b : m_bones)
    if (name && b->m_name == name) return b;
  return nullptr;
}

void CCArmature::onEnter() {
  CCNodeRGBA::onEnter();
  scheduleUpdate();
}

void CCArmature::onExit() {
  unscheduleUpdate();
  CCNodeRGBA::onExit();
}

void CCArmature::update(float dt) {
  m_pAnimation->update(dt);
  // Until its next key the loop need not wake for it.
  if (CCScheduler* scheduler = getScheduler()) scheduler->setUpdateQuiet(this, m_pAnimation->getTimeToNextChange());
}

void CCArmature::updateBones() {
  // A pose that draws as before asks for no redraw.
  bool changed = false;
  for (CCBone* bone : m_bones) {
    CCAffineTransform local = baseTransform(combine(*bone->m_data, bone->m_pose));
    CCAffineTransform world = bone->m_pParent ? CCAffineTransformConcat(local, bone->m_pParent->m_world) : local;
    if (!CCAffineTransformEqualToTransform(world, bone->m_world)) changed = true;
    bone->m_world = world;
  }
  std::vector<CCBone*> order = m_bones;
  std::stable_sort(order.begin(), order.end(), [](CCBone* a, CCBone* b) { return a->getZOrder() < b->getZOrder(); });
  if (order != m_drawOrder) {
    changed = true;
    m_drawOrder.swap(order);
  }
  updateColours();
  if (changed) markForRedraw();
}

void CCArmature::updateColours() {
  for (CCBone* bone : m_bones) {
    CCSprite* s = static_cast<CCSprite*>(bone->getDisplayRenderNode());
    if (!s) continue;
    CCBaseData p = combine(*bone->m_data, bone->m_pose);
    ccColor3B c = m_tDisplayedColor;
    unsigned char o = m_cDisplayedOpacity;
    if (p.isUseColorInfo) {
      c = ccc3((uint8_t)(c.r * p.r / 255), (uint8_t)(c.g * p.g / 255), (uint8_t)(c.b * p.b / 255));
      o = (unsigned char)(o * p.a / 255);
    }
    if (s->getDisplayedColor() != c) s->updateDisplayedColor(c);
    if (s->getDisplayedOpacity() != o) s->updateDisplayedOpacity(o);
  }
}

void CCArmature::updateDisplayedColor(const ccColor3B& parentColor) {
  CCNodeRGBA::updateDisplayedColor(parentColor);
  updateColours();
}

void CCArmature::updateDisplayedOpacity(unsigned char parentOpacity) {
  CCNodeRGBA::updateDisplayedOpacity(parentOpacity);
  updateColours();
}

void CCArmature::setColor(const ccColor3B& color) {
  CCNodeRGBA::setColor(color);
  updateColours();
}

void CCArmature::setOpacity(unsigned char opacity) {
  CCNodeRGBA::setOpacity(opacity);
  updateColours();
}

// The display's picture in armature space: its pivot at the skin's origin,
// the skin's own transform, then the bone's.
CCAffineTransform CCArmature::displayTransform(CCBone* bone, bool withOffset) const {
  CCSprite* s = static_cast<CCSprite*>(bone->getDisplayRenderNode());
  const CCDisplayData& dd = bone->m_data->displayDataList[(size_t)bone->m_nDisplayIndex];
  const CCSize& size = s->getContentSize();
  const CCPoint& ap = s->getAnchorPoint();
  CCAffineTransform pivot = CCAffineTransformMake(1, 0, 0, 1, -ap.x * size.width, -ap.y * size.height);
  CCAffineTransform t =
      CCAffineTransformConcat(CCAffineTransformConcat(pivot, baseTransform(dd.skinData)), bone->m_world);
  if (withOffset) t = CCAffineTransformConcat(t, CCAffineTransformMake(1, 0, 0, 1, m_offset.x, m_offset.y));
  return t;
}

CCRect CCArmature::poseBounds() {
  bool any = false;
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (CCBone* bone : m_bones) {
    CCSprite* s = static_cast<CCSprite*>(bone->getDisplayRenderNode());
    if (!s) continue;
    const CCSize& size = s->getContentSize();
    CCRect r = CCRectApplyAffineTransform(CCRect(0, 0, size.width, size.height), displayTransform(bone, false));
    if (!any) {
      minX = r.getMinX(), minY = r.getMinY(), maxX = r.getMaxX(), maxY = r.getMaxY();
      any = true;
    } else {
      minX = std::min(minX, r.getMinX()), minY = std::min(minY, r.getMinY());
      maxX = std::max(maxX, r.getMaxX()), maxY = std::max(maxY, r.getMaxY());
    }
  }
  return CCRect(minX, minY, maxX - minX, maxY - minY);
}

// Content size from the pose's box, and the anchor placed on the armature's
// origin, so the node's position is that origin.
void CCArmature::updateOffsetPoint() {
  CCRect box = poseBounds();
  setContentSize(box.size);
  m_offset = CCPoint(-box.origin.x, -box.origin.y);
  if (box.size.width != 0 && box.size.height != 0)
    setAnchorPoint(CCPoint(m_offset.x / box.size.width, m_offset.y / box.size.height));
}

CCRect CCArmature::getBoundingBox() {
  CCRect box = poseBounds();
  box.origin = box.origin + m_offset;
  return CCRectApplyAffineTransform(box, nodeToParentTransform());
}

void CCArmature::draw() {
  CCRenderer* r = CCRenderer::sharedRenderer();
  for (CCBone* bone : m_drawOrder) {
    CCSprite* s = static_cast<CCSprite*>(bone->getDisplayRenderNode());
    if (!s) continue;
    r->pushMatrix();
    r->multMatrix(displayTransform(bone, true));
    s->setBlendFunc(m_blendFunc);
    s->draw();
    r->popMatrix();
  }
}

// --- CCArmatureAnimation ----------------------------------------------------

CCArmatureAnimation::~CCArmatureAnimation() { CC_SAFE_RELEASE(m_pAnimationData); }

int CCArmatureAnimation::getMovementCount() const {
  return m_pAnimationData ? m_pAnimationData->getMovementCount() : 0;
}

void CCArmatureAnimation::setMovementEventCallFunc(CCObject* target, SEL_MovementEventCallFunc callFunc) {
  m_pMovementTarget = target;
  m_pfnMovement = callFunc;
}

void CCArmatureAnimation::setFrameEventCallFunc(CCObject* target, SEL_FrameEventCallFunc callFunc) {
  m_pFrameTarget = target;
  m_pfnFrame = callFunc;
}

void CCArmatureAnimation::play(const char* name, int durationTo, int durationTween, int loop, int tweenEasing) {
  const CCMovementData* mov = m_pAnimationData && name ? m_pAnimationData->getMovement(name) : nullptr;
  if (!mov) {
    CCLog("CCArmatureAnimation: %s has no movement %s", m_pArmature->getName().c_str(), name ? name : "");
    return;
  }
  bool same = mov == m_pMovement && m_bPlaying;
  m_pMovement = mov;
  m_movementID = mov->name;
  m_nDurationTo = durationTo < 0 ? mov->durationTo : durationTo;
  m_nDurationTween = durationTween < 0 ? mov->durationTween : durationTween;
  if (m_nDurationTween <= 0) m_nDurationTween = mov->duration;
  m_bLoop = loop < 0 ? mov->loop : loop != 0;
  m_nTweenEasing = tweenEasing == kEasingFromFile ? mov->tweenEasing : tweenEasing;
  // Replaying the movement already playing jumps to its first key.
  if (same) m_nDurationTo = 0;
  for (CCBone* bone : m_pArmature->getBones()) {
    bone->m_fromPose = bone->m_pose;
    bone->m_lastKey = -1;
  }
  ++m_uGeneration;
  m_ePhase = kBlend;
  m_fFrames = 0;
  m_fProgress = 0;
  m_bPlaying = true;
  m_bPause = false;
  m_bComplete = false;
  if (m_nDurationTo <= 0) poseAt(0, false);
  wake();
}

void CCArmatureAnimation::playByIndex(int index, int durationTo, int durationTween, int loop, int tweenEasing) {
  if (!m_pAnimationData || index < 0 || index >= m_pAnimationData->getMovementCount()) {
    CCLog("CCArmatureAnimation: %s has no movement %d", m_pArmature->getName().c_str(), index);
    return;
  }
  play(m_pAnimationData->movementNames[(size_t)index].c_str(), durationTo, durationTween, loop, tweenEasing);
}

void CCArmatureAnimation::playWithIndex(int index, int durationTo, bool loop) {
  playByIndex(index, durationTo, -1, loop ? 1 : 0);
}

void CCArmatureAnimation::gotoAndPlay(int frameIndex) {
  if (!m_pMovement || frameIndex < 0 || frameIndex >= std::max(m_pMovement->duration, 1)) {
    CCLog("CCArmatureAnimation: frame %d is outside the movement %s", frameIndex, m_movementID.c_str());
    return;
  }
  ++m_uGeneration;
  m_ePhase = kPass;
  float progress = m_pMovement->duration > 1 ? (float)frameIndex / (m_pMovement->duration - 1) : 0;
  m_fFrames = progress * m_nDurationTween;
  m_bPlaying = true;
  m_bPause = false;
  m_bComplete = false;
  for (CCBone* bone : m_pArmature->getBones()) bone->m_lastKey = -1;
  poseAt(progress, false);
  wake();
}

void CCArmatureAnimation::gotoAndPause(int frameIndex) {
  gotoAndPlay(frameIndex);
  pause();
}

void CCArmatureAnimation::pause() { m_bPause = true; }

void CCArmatureAnimation::resume() {
  m_bPause = false;
  wake();
}

void CCArmatureAnimation::setSpeedScale(float speedScale) {
  m_fSpeedScale = speedScale;
  wake();
}

void CCArmatureAnimation::wake() {
  CCScheduler* scheduler = m_pArmature ? m_pArmature->getScheduler() : nullptr;
  if (scheduler) scheduler->setUpdateQuiet(m_pArmature, 0);
}

float CCArmatureAnimation::getTimeToNextChange() const {
  const float never = std::numeric_limits<float>::infinity();
  if (!m_bPlaying || m_bPause || !m_pMovement) return never;
  const float rate = m_fSpeedScale * m_pMovement->scale * 60;
  if (rate == 0) return never;
  // Backwards, or blending into the first key: every frame.
  if (rate < 0 || m_ePhase != kPass) return 0;
  // A single frame is held; once through when it does not loop.
  if (m_nDurationTween <= 0 || m_pMovement->duration <= 1) return m_bLoop ? never : 0;
  const float progress = m_fFrames / m_nDurationTween;
  if (progress >= 1) return 0;
  const float span = (float)(m_pMovement->duration - 1);
  const float t = span * progress;
  // The pass's end: a loop starts again, a movement ends.
  float next = (float)m_nDurationTween;
  for (CCBone* bone : m_pArmature->getBones()) {
    const CCMovementBoneData* mb = m_pMovement->getMovementBoneData(bone->m_name);
    if (!mb || mb->frameList.empty()) continue;
    // A shifted loop is not worked out: taken as changing every frame.
    if (m_bLoop && mb->delay != 0) return 0;
    const std::vector<CCFrameData>& keys = mb->frameList;
    const size_t k0 = keyAt(keys, t);
    if (k0 + 1 >= keys.size()) continue;
    const CCFrameData& from = keys[k0];
    const CCFrameData& to = keys[k0 + 1];
    if (from.isTween && from.tweenEasing != kEasingFromFile && !samePose(from, to)) return 0;
    // The next key (its display, its event) comes at its frame.
    next = std::min(next, (float)to.frameID / span * m_nDurationTween);
  }
  return std::max(next - m_fFrames, 0.0f) / rate + kWakeMargin;
}

void CCArmatureAnimation::stop() {
  m_bPlaying = false;
  m_bPause = false;
  m_bComplete = true;
  m_ePhase = kIdle;
}

int CCArmatureAnimation::getCurrentFrameIndex() const {
  if (!m_pMovement || m_pMovement->duration <= 1) return 0;
  return (int)(m_fProgress * (m_pMovement->duration - 1));
}

void CCArmatureAnimation::movementEvent(MovementEventType type) {
  if (m_pMovementTarget && m_pfnMovement) (m_pMovementTarget->*m_pfnMovement)(m_pArmature, type, m_movementID.c_str());
}

// Poses every bone at a progress (0..1) of the pass.
void CCArmatureAnimation::poseAt(float progress, bool fireEvents) {
  m_fProgress = progress;
  const CCMovementData* mov = m_pMovement;
  float span = (float)std::max(mov->duration - 1, 0);
  unsigned int generation = m_uGeneration;
  for (CCBone* bone : m_pArmature->getBones()) {
    const CCMovementBoneData* mb = mov->getMovementBoneData(bone->m_name);
    if (!mb || mb->frameList.empty()) {
      bone->changeDisplayWithIndex(-1, false);
      continue;
    }
    float p = progress;
    if (m_bLoop && mb->delay != 0) {
      p -= mb->delay;
      p -= std::floor(p);
    }
    float t = span * p;
    const std::vector<CCFrameData>& keys = mb->frameList;
    size_t k0 = keyAt(keys, t);
    const CCFrameData& from = keys[k0];
    CCBaseData pose = from;
    if (k0 + 1 < keys.size() && from.isTween && from.tweenEasing != kEasingFromFile) {
      const CCFrameData& to = keys[k0 + 1];
      float len = (float)(to.frameID - from.frameID);
      float f = len > 0 ? std::min(std::max((t - from.frameID) / len, 0.0f), 1.0f) : 0;
      int easing = from.tweenEasing != kTweenLinear ? from.tweenEasing : m_nTweenEasing;
      if (easing != kTweenLinear && easing != kEasingFromFile)
        f = ccTweenTo(f, easing, from.easingParams.data(), (int)from.easingParams.size());
      pose = lerp(from, to, f);
    }
    bone->m_pose = pose;
    bone->changeDisplayWithIndex(from.displayIndex, false);
    if ((int)k0 != bone->m_lastKey) {
      bone->m_lastKey = (int)k0;
      if (fireEvents && !from.strEvent.empty() && m_pFrameTarget && m_pfnFrame) {
        (m_pFrameTarget->*m_pfnFrame)(bone, from.strEvent.c_str(), from.frameID, (int)t);
        if (generation != m_uGeneration) return;  // the callback played something else
      }
    }
  }
  m_pArmature->updateBones();
}

void CCArmatureAnimation::update(float dt) {
  if (!m_bPlaying || m_bPause || !m_pMovement || dt > 1) return;
  // The armature may be released by a callback below.
  m_pArmature->retain();
  unsigned int generation = m_uGeneration;
  m_fFrames = std::max(0.0f, m_fFrames + m_fSpeedScale * m_pMovement->scale * dt * 60);
  if (m_ePhase == kBlend) {
    if (m_fFrames < m_nDurationTo) {
      float p = std::sin(m_fFrames / m_nDurationTo * kHalfPi);
      poseAt(0, false);
      for (CCBone* bone : m_pArmature->getBones()) bone->m_pose = lerp(bone->m_fromPose, bone->m_pose, p);
      m_pArmature->updateBones();
      m_pArmature->release();
      return;
    }
    m_fFrames -= m_nDurationTo;
    m_ePhase = kPass;
    movementEvent(START);
    if (generation != m_uGeneration) {
      m_pArmature->release();
      return;
    }
  }
  if (m_nDurationTween <= 0 || m_pMovement->duration <= 1) {
    // A single frame: hold it; once through when not looping.
    poseAt(0, true);
    if (!m_bLoop && generation == m_uGeneration) {
      m_bPlaying = false;
      m_bComplete = true;
      movementEvent(COMPLETE);
    }
    m_pArmature->release();
    return;
  }
  float progress = m_fFrames / m_nDurationTween;
  if (m_bLoop) {
    if (progress >= 1) {
      // One event per pass, within reason for absurd speeds.
      float passes = std::floor(progress);
      m_fFrames -= passes * m_nDurationTween;
      progress -= passes;
      for (CCBone* bone : m_pArmature->getBones()) bone->m_lastKey = -1;
      for (int i = 0; i < (int)std::min(passes, 8.0f); ++i) {
        movementEvent(LOOP_COMPLETE);
        if (generation != m_uGeneration) {
          m_pArmature->release();
          return;
        }
      }
    }
    poseAt(progress, true);
  } else if (progress >= 1) {
    poseAt(1, true);
    if (generation == m_uGeneration) {
      m_bPlaying = false;
      m_bComplete = true;
      movementEvent(COMPLETE);
    }
  } else {
    poseAt(progress, true);
  }
  m_pArmature->release();
}

NS_CC_EXT_END
