#include "UIAction.h"

#include <algorithm>

#include "JsonHelper.h"
#include "TweenFunction.h"
#include "UITouchGroup.h"

NS_CC_EXT_BEGIN

// --- ActionNode -------------------------------------------------------------

ActionNode::~ActionNode() {
  stop();
  CC_SAFE_RELEASE(m_pWidget);
}

void ActionNode::setWidget(ui::Widget* widget) {
  CC_SAFE_RETAIN(widget);
  CC_SAFE_RELEASE(m_pWidget);
  m_pWidget = widget;
}

float ActionNode::getDuration(float unitTime) const {
  float d = 0;
  for (const auto& track : m_frames)
    if (track.size() > 1) d = std::max(d, (track.back().frameIndex - track.front().frameIndex) * unitTime);
  return d;
}

static void applyFrame(ui::Widget* w, ActionTrack track, const ActionFrame& f) {
  switch (track) {
    case kTrackMove: w->setPosition(CCPoint(f.values[0], f.values[1])); break;
    case kTrackScale:
      w->setScaleX(f.values[0]);
      w->setScaleY(f.values[1]);
      break;
    case kTrackRotate: w->setRotation(f.values[0]); break;
    case kTrackFade: w->setOpacity((unsigned char)f.values[0]); break;
    case kTrackTint: w->setColor(ccc3((uint8_t)f.values[0], (uint8_t)f.values[1], (uint8_t)f.values[2])); break;
    default: break;
  }
}

CCFiniteTimeAction* ActionNode::trackAction(ActionTrack track, float unitTime) {
  const std::vector<ActionFrame>& frames = m_frames[track];
  if (frames.size() < 2) return nullptr;
  CCArray* steps = CCArray::create();
  for (size_t i = 1; i < frames.size(); ++i) {
    const ActionFrame& from = frames[i - 1];
    const ActionFrame& to = frames[i];
    float d = std::max(0.0f, (to.frameIndex - from.frameIndex) * unitTime);
    CCActionInterval* a = nullptr;
    switch (track) {
      case kTrackMove: a = CCMoveTo::create(d, CCPoint(to.values[0], to.values[1])); break;
      case kTrackScale: a = CCScaleTo::create(d, to.values[0], to.values[1]); break;
      case kTrackRotate: a = CCRotateBy::create(d, to.values[0] - from.values[0]); break;
      case kTrackFade: a = CCFadeTo::create(d, (unsigned char)to.values[0]); break;
      case kTrackTint:
        a = CCTintTo::create(d, (unsigned char)to.values[0], (unsigned char)to.values[1], (unsigned char)to.values[2]);
        break;
      default: break;
    }
    if (!a) continue;
    if (to.tweenType != kTweenLinear)
      a = CCEaseTween::create(a, to.tweenType, to.tweenParameters.data(), (int)to.tweenParameters.size());
    steps->addObject(a);
  }
  return steps->count() ? CCSequence::create(steps) : nullptr;
}

void ActionNode::play(float unitTime) {
  stop();
  if (!m_pWidget) return;
  CCArray* tracks = CCArray::create();
  for (int t = 0; t < kTrackCount; ++t) {
    if (m_frames[t].empty()) continue;
    applyFrame(m_pWidget, (ActionTrack)t, m_frames[t].front());
    if (CCFiniteTimeAction* a = trackAction((ActionTrack)t, unitTime)) tracks->addObject(a);
  }
  if (tracks->count() == 0) return;
  m_pRunning = CCSpawn::create(tracks);
  m_pRunning->retain();
  m_pWidget->runAction(m_pRunning);
}

void ActionNode::stop() {
  if (!m_pRunning) return;
  if (m_pWidget) m_pWidget->stopAction(m_pRunning);
  CC_SAFE_RELEASE_NULL(m_pRunning);
}

bool ActionNode::isRunning() const { return m_pRunning && !m_pRunning->isDone() && m_pWidget; }

// --- ActionObject -----------------------------------------------------------

ActionObject::ActionObject() {}

ActionObject::~ActionObject() {
  stop();
  for (ActionNode* n : m_nodes) n->release();
}

void ActionObject::addActionNode(ActionNode* node) {
  if (!node) return;
  node->retain();
  m_nodes.push_back(node);
}

float ActionObject::getTotalTime() const {
  float t = 0;
  for (ActionNode* n : m_nodes) t = std::max(t, n->getDuration(m_fUnitTime));
  return t;
}

void ActionObject::play() { play(nullptr); }

void ActionObject::play(CCCallFunc* done) {
  stop();
  CC_SAFE_RETAIN(done);
  m_pDone = done;
  for (ActionNode* n : m_nodes) n->play(m_fUnitTime);
  m_bPlaying = true;
  m_fElapsed = 0;
  CCDirector::sharedDirector()->getScheduler()->scheduleUpdateForTarget(this, 0, false);
}

void ActionObject::stop() {
  if (m_bPlaying) CCDirector::sharedDirector()->getScheduler()->unscheduleUpdateForTarget(this);
  m_bPlaying = false;
  for (ActionNode* n : m_nodes) n->stop();
  CC_SAFE_RELEASE_NULL(m_pDone);
}

void ActionObject::update(float dt) {
  m_fElapsed += dt;
  for (ActionNode* n : m_nodes)
    if (n->isRunning()) return;
  if (m_bLoop) {
    for (ActionNode* n : m_nodes) n->play(m_fUnitTime);
    m_fElapsed = 0;
    return;
  }
  CCDirector::sharedDirector()->getScheduler()->unscheduleUpdateForTarget(this);
  m_bPlaying = false;
  CCCallFunc* done = m_pDone;
  m_pDone = nullptr;
  if (done) {
    done->execute();
    done->release();
  }
}

// --- ActionManager ----------------------------------------------------------

static ActionManager* s_manager = nullptr;

ActionManager::~ActionManager() { releaseActions(); }

ActionManager* ActionManager::shareManager() {
  if (!s_manager) s_manager = new ActionManager();
  return s_manager;
}

void ActionManager::purgeActionManager() { CC_SAFE_RELEASE_NULL(s_manager); }

std::string ActionManager::baseName(const char* path) {
  std::string p = path ? path : "";
  size_t slash = p.find_last_of("/\\");
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

static void readFrame(const json::Value& f, std::vector<ActionFrame>* tracks) {
  ActionFrame base;
  base.frameIndex = json::getInt(f, "frameid", 0);
  base.tweenType = json::getInt(f, "tweenType", kTweenLinear);
  if (const json::Value* params = json::getArray(f, "tweenParameter"))
    for (rapidjson::SizeType i = 0; i < params->Size() && i < 8; ++i)
      base.tweenParameters.push_back(json::numberAt(*params, i));
  auto add = [&](ActionTrack t, float a, float b, float c) {
    ActionFrame fr = base;
    fr.values[0] = a;
    fr.values[1] = b;
    fr.values[2] = c;
    tracks[t].push_back(fr);
  };
  auto channel = [](float v) { return std::min(std::max(v, 0.0f), 255.0f); };
  if (json::has(f, "positionx"))
    add(kTrackMove, json::getFloat(f, "positionx", 0), json::getFloat(f, "positiony", 0), 0);
  if (json::has(f, "scalex")) add(kTrackScale, json::getFloat(f, "scalex", 1), json::getFloat(f, "scaley", 1), 0);
  if (json::has(f, "rotation")) add(kTrackRotate, json::getFloat(f, "rotation", 0), 0, 0);
  if (json::has(f, "opacity")) add(kTrackFade, channel(json::getFloat(f, "opacity", 255)), 0, 0);
  if (json::has(f, "colorr"))
    add(kTrackTint, channel(json::getFloat(f, "colorr", 255)), channel(json::getFloat(f, "colorg", 255)),
        channel(json::getFloat(f, "colorb", 255)));
}

void ActionManager::initWithDictionary(const char* jsonName, const rapidjson::Value& dic, ui::Widget* root) {
  std::string name = baseName(jsonName);
  std::vector<ActionObject*>& list = m_actions[name];
  for (ActionObject* a : list) a->release();
  list.clear();
  const json::Value* actions = json::getArray(dic, "actionlist");
  if (!actions) return;
  for (const json::Value& a : actions->GetArray()) {
    if (!a.IsObject()) continue;
    ActionObject* object = new ActionObject();
    object->setName(json::getString(a, "name").c_str());
    object->setLoop(json::getBool(a, "loop", false));
    object->setUnitTime(std::max(0.0f, json::getFloat(a, "unittime", 0)));
    if (const json::Value* nodes = json::getArray(a, "actionnodelist")) {
      for (const json::Value& n : nodes->GetArray()) {
        if (!n.IsObject()) continue;
        ActionNode* node = new ActionNode();
        node->setActionTag(json::getInt(n, "ActionTag", 0));
        node->setWidget(ui::UIHelper::seekActionWidgetByActionTag(root, node->getActionTag()));
        if (const json::Value* frames = json::getArray(n, "actionframelist")) {
          std::vector<ActionFrame> tracks[kTrackCount];
          for (const json::Value& f : frames->GetArray())
            if (f.IsObject()) readFrame(f, tracks);
          for (int t = 0; t < kTrackCount; ++t) node->frames((ActionTrack)t) = tracks[t];
        }
        object->addActionNode(node);
        node->release();
      }
    }
    list.push_back(object);
  }
}

ActionObject* ActionManager::getActionByName(const char* jsonName, const char* actionName) {
  auto it = m_actions.find(baseName(jsonName));
  if (it != m_actions.end())
    for (ActionObject* a : it->second)
      if (actionName && a->getName() == std::string(actionName)) return a;
  CCLog("ActionManager: no animation %s in %s", actionName ? actionName : "", jsonName ? jsonName : "");
  return nullptr;
}

ActionObject* ActionManager::playActionByName(const char* jsonName, const char* actionName) {
  return playActionByName(jsonName, actionName, nullptr);
}

ActionObject* ActionManager::playActionByName(const char* jsonName, const char* actionName, CCCallFunc* func) {
  ActionObject* a = getActionByName(jsonName, actionName);
  if (a) a->play(func);
  return a;
}

void ActionManager::releaseActions() {
  for (auto& kv : m_actions)
    for (ActionObject* a : kv.second) {
      a->stop();
      a->release();
    }
  m_actions.clear();
}

NS_CC_EXT_END
