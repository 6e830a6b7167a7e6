// Armatures from our own ExportJson: movement switching and its events,
// poses and drawing, files that are wrong, and what a waiting armature
// costs the loop.

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "ExtFixture.h"

USING_NS_CC;
USING_NS_CC_EXT;

namespace {

class Watcher : public CCObject {
 public:
  std::vector<std::string> log;
  void onMovement(CCArmature*, MovementEventType type, const char* id) {
    static const char* names[] = {"start", "complete", "loop"};
    log.push_back(std::string(names[type]) + ":" + id);
  }
  void onFrame(CCBone* bone, const char* evt, int, int) { log.push_back(bone->getName() + ":" + evt); }
  // Plays the next movement from the completion of one.
  void chain(CCArmature* armature, MovementEventType type, const char* id) {
    onMovement(armature, type, id);
    if (type == COMPLETE) armature->getAnimation()->play("walk");
  }
};

class ArmatureTest : public ExtTest {
 protected:
  void SetUp() override {
    ExtTest::SetUp();
    copyData("Bear/Bear.ExportJson");
    copyData("Bear/Bear0.plist");
    writePng("Bear/Bear0.png", 64, 80, 0x00ff00ff);
    m_scene = runScene();
    m_watch = new Watcher();
    CCArmatureDataManager::sharedArmatureDataManager()->addArmatureFileInfo("Bear/Bear.ExportJson");
  }
  void TearDown() override {
    m_watch->release();
    ExtTest::TearDown();
  }
  CCArmature* bear() {
    CCArmature* a = CCArmature::create("Bear");
    a->getAnimation()->setMovementEventCallFunc(m_watch, movementEvent_selector(Watcher::onMovement));
    a->getAnimation()->setFrameEventCallFunc(m_watch, frameEvent_selector(Watcher::onFrame));
    m_scene->addChild(a);
    return a;
  }
  static float bodyX(CCArmature* a) { return a->getBone("body")->getTweenData().x; }
  static float bodyY(CCArmature* a) { return a->getBone("body")->getTweenData().y; }

  CCScene* m_scene = nullptr;
  Watcher* m_watch = nullptr;
};

}  // namespace

TEST_F(ArmatureTest, DataReadsAsWritten) {
  CCArmatureDataManager* m = CCArmatureDataManager::sharedArmatureDataManager();
  CCAnimationData* anim = m->getAnimationData("Bear");
  ASSERT_NE(anim, nullptr);
  EXPECT_EQ(anim->movementNames, (std::vector<std::string>{"walk", "jump", "idle"}));
  const CCMovementData* jump = anim->getMovement("jump");
  ASSERT_NE(jump, nullptr);
  EXPECT_FALSE(jump->loop);
  EXPECT_EQ(jump->durationTo, 6);
  EXPECT_EQ(jump->duration, 11);
  // "bear_head" and "bear_head.png" name the same frame; the pivot comes from texture_data.
  const CCArmatureData* data = m->getArmatureData("Bear");
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->getBoneData("head")->displayDataList[0].displayName, "bear_head.png");
  ASSERT_NE(m->getTextureData("bear_body.png"), nullptr);
  EXPECT_FLOAT_EQ(m->getTextureData("bear_body")->pivotY, 0);
  // The sheet came from the config path with ".png", not the plist's texture name.
  EXPECT_NE(CCSpriteFrameCache::sharedSpriteFrameCache()->findFrame("bear_head_hit.png"), nullptr);
  // Loading the same file again does nothing.
  m->addArmatureFileInfo("Bear/Bear.ExportJson");
  EXPECT_EQ(m->getAnimationData("Bear"), anim);
}

TEST_F(ArmatureTest, TheNodePositionIsTheArmatureOrigin) {
  CCArmature* a = bear();
  a->setPosition(400, 300);
  // Body 60x40 pivoted at its bottom centre at (0, 50); head 30x30 centred at (0, 100).
  EXPECT_EQ(a->getContentSize(), CCSize(60, 65));
  EXPECT_EQ(a->getBoundingBox(), CCRect(370, 350, 60, 65));
  CCImage img;
  ASSERT_TRUE(shoot(img));
  EXPECT_EQ(rgbAt(img, 400, 360), 0x00ff00u);  // body
  EXPECT_EQ(rgbAt(img, 375, 360), 0x00ff00u);
  EXPECT_NE(rgbAt(img, 365, 360), 0x00ff00u);
  // The head carries the bone's tint (255, 128, 128) over green.
  EXPECT_EQ(rgbAt(img, 400, 405), 0x008000u);

  // A head turned by kX = 0.5 rad (kY = -0.5) turns clockwise about its bone.
  a->getAnimation()->play("walk");
  a->getAnimation()->gotoAndPause(20);
  const CCAffineTransform& head = a->getBone("head")->getNodeToArmatureTransform();
  EXPECT_NEAR(head.b, -std::sin(0.5f), 1e-5);
  EXPECT_NEAR(head.c, std::sin(0.5f), 1e-5);
  EXPECT_NEAR(head.ty, 90, 1e-4);
}

TEST_F(ArmatureTest, MovementsSwitchWithTheirEvents) {
  CCArmature* a = bear();
  CCArmatureAnimation* anim = a->getAnimation();
  EXPECT_EQ(anim->getMovementCount(), 3);
  anim->play("walk");
  EXPECT_EQ(anim->getCurrentMovementID(), "walk");
  step(1);
  EXPECT_EQ(m_watch->log, (std::vector<std::string>{"start:walk"}));
  // Frames advance at 60 a second; a pass is 21 frames, and then it starts again.
  step(20);
  EXPECT_NEAR(bodyX(a), 0, 1e-3);
  EXPECT_EQ(m_watch->log, (std::vector<std::string>{"start:walk", "body:step", "loop:walk"}));

  // Jump from the middle of a walk: a 6-frame blend, then one pass.
  m_watch->log.clear();
  anim->gotoAndPlay(10);
  EXPECT_FLOAT_EQ(bodyX(a), 20);
  anim->play("jump");
  step(3);
  EXPECT_EQ(a->getBone("head")->getDisplayIndex(), 1);
  EXPECT_NEAR(bodyX(a), 20 * (1 - std::sin(0.5f * 1.5707963f)), 1e-3);
  EXPECT_TRUE(m_watch->log.empty());
  step(3);
  EXPECT_EQ(m_watch->log, (std::vector<std::string>{"start:jump"}));
  step(3);  // 3 frames into the pass: key time 30/11 of the way to 5, sine-eased out
  EXPECT_NEAR(bodyY(a), 60 * std::sin(30.0f / 11 / 5 * 1.5707963f), 1e-3);
  step(20);
  EXPECT_EQ(m_watch->log, (std::vector<std::string>{"start:jump", "complete:jump"}));
  EXPECT_TRUE(anim->isComplete());
  EXPECT_FALSE(anim->isPlaying());
  EXPECT_NEAR(bodyY(a), 0, 1e-4);

  // A movement that leaves a bone out hides it; an unknown one changes nothing.
  anim->play("idle");
  EXPECT_EQ(a->getBone("head")->getDisplayIndex(), -1);
  EXPECT_FLOAT_EQ(bodyX(a), -5);
  anim->play("fly");
  EXPECT_EQ(anim->getCurrentMovementID(), "idle");

  // Pause holds, resume goes on, stop ends; a doubled speed runs twice as fast.
  anim->play("walk");
  step(5);
  float x = bodyX(a);
  anim->pause();
  step(5);
  EXPECT_FLOAT_EQ(bodyX(a), x);
  anim->resume();
  step(1);
  EXPECT_GT(bodyX(a), x);
  anim->gotoAndPlay(0);
  anim->setSpeedScale(2);
  step(5);
  EXPECT_NEAR(bodyX(a), 20 * (10 * 20.0f / 21) / 10, 1e-3);
  anim->stop();
  EXPECT_FALSE(anim->isPlaying());
  x = bodyX(a);
  step(5);
  EXPECT_FLOAT_EQ(bodyX(a), x);
  anim->gotoAndPlay(99);  // outside the movement: logged, nothing moves
  EXPECT_FALSE(anim->isPlaying());
}

TEST_F(ArmatureTest, ACallbackMayPlayTheNextMovement) {
  CCArmature* a = bear();
  a->getAnimation()->setMovementEventCallFunc(m_watch, movementEvent_selector(Watcher::chain));
  a->getAnimation()->play("jump", 0);
  step(12);
  EXPECT_EQ(a->getAnimation()->getCurrentMovementID(), "walk");
  EXPECT_TRUE(a->getAnimation()->isPlaying());
  step(2);
  EXPECT_EQ(m_watch->log, (std::vector<std::string>{"start:jump", "complete:jump", "start:walk"}));
}

TEST_F(ArmatureTest, WrongFilesAddNothingAndNeverCrash) {
  CCArmatureDataManager* m = CCArmatureDataManager::sharedArmatureDataManager();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(m->addArmatureFileData("{\"armature_data\":[", 18, "Bad/cut.ExportJson"));
  m->addArmatureFileInfo("Bad/missing.ExportJson");
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("cut.ExportJson"), std::string::npos) << log;
  EXPECT_NE(log.find("missing.ExportJson"), std::string::npos) << log;

  // An unknown name gives an empty armature that plays nothing.
  CCArmature* empty = CCArmature::create("Nobody");
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->getBones().empty());
  empty->getAnimation()->play("walk");
  empty->getAnimation()->gotoAndPlay(1);
  m_scene->addChild(empty);
  step(2);

  // Bones that are each other's parent, wrong kinds of values, keys out of
  // order, a movement of no length and displays that are not sprites.
  const std::string odd =
      "{\"armature_data\":[{\"name\":\"Odd\",\"version\":1.1,\"bone_data\":["
      "{\"name\":\"a\",\"parent\":\"b\",\"x\":\"far\",\"display_data\":[{\"name\":\"x.png\",\"displayType\":1},"
      "{\"name\":\"nowhere.png\"}]},{\"name\":\"b\",\"parent\":\"a\",\"kX\":1e300},{\"name\":\"b\"},7]}],"
      "\"animation_data\":[{\"name\":\"Odd\",\"mov_data\":[{\"name\":\"m\",\"dr\":0},"
      "{\"name\":\"n\",\"dr\":5,\"lp\":false,\"mov_bone_data\":[{\"name\":\"a\",\"frame_data\":["
      "{\"fi\":4,\"dI\":1,\"x\":10},{\"fi\":0,\"dI\":9},{\"fi\":2000000000}]}]}]}]}";
  ASSERT_TRUE(m->addArmatureFileData(odd.data(), odd.size(), "Bad/odd.ExportJson"));
  CCArmature* oddOne = CCArmature::create("Odd");
  ASSERT_NE(oddOne, nullptr);
  EXPECT_EQ(oddOne->getBones().size(), 2u);
  m_scene->addChild(oddOne);
  oddOne->getAnimation()->play("m");
  step(3);
  oddOne->getAnimation()->play("n");
  step(10);
  EXPECT_TRUE(oddOne->getAnimation()->isComplete());
  CCTextureCache::sharedTextureCache()->clearMissingPictures();
}

TEST_F(ArmatureTest, HeldKeysDelaysAndUnloading) {
  // A key with tweenFrame false holds until the next; a bone's delay shifts a loop.
  const std::string text =
      "{\"armature_data\":[{\"name\":\"Flag\",\"version\":1.1,\"bone_data\":[{\"name\":\"pole\"},"
      "{\"name\":\"cloth\"}]}],\"animation_data\":[{\"name\":\"Flag\",\"mov_data\":[{\"name\":\"wave\","
      "\"dr\":11,\"lp\":true,\"mov_bone_data\":["
      "{\"name\":\"pole\",\"frame_data\":[{\"fi\":0,\"x\":0,\"tweenFrame\":false},{\"fi\":10,\"x\":100}]},"
      "{\"name\":\"cloth\",\"dl\":0.5,\"frame_data\":[{\"fi\":0,\"x\":0},{\"fi\":10,\"x\":100}]}]}]}]}";
  CCArmatureDataManager* m = CCArmatureDataManager::sharedArmatureDataManager();
  ASSERT_TRUE(m->addArmatureFileData(text.data(), text.size(), "Flag/Flag.ExportJson"));
  CCArmature* flag = CCArmature::create("Flag");
  m_scene->addChild(flag);
  flag->getAnimation()->play("wave");
  step(1);
  step(5);  // progress 6/11
  EXPECT_FLOAT_EQ(flag->getBone("pole")->getTweenData().x, 0);
  EXPECT_NEAR(flag->getBone("cloth")->getTweenData().x, 100 * (6.0f / 11 - 0.5f), 1e-3);
  // Unloading forgets the data; armatures already made keep theirs.
  m->removeArmatureFileInfo("Flag/Flag.ExportJson");
  EXPECT_EQ(m->getArmatureData("Flag"), nullptr);
  step(3);
  EXPECT_EQ(flag->getAnimation()->getCurrentMovementID(), "wave");
  ASSERT_TRUE(m->addArmatureFileData(text.data(), text.size(), "Flag/Flag.ExportJson"));
  EXPECT_NE(m->getArmatureData("Flag"), nullptr);
}

namespace {

// A bob of four held poses, six frames each over a 24-frame pass, and a
// tween that moves, an idle tween between equal poses and a movement that
// plays once.
const char* const kBobText =
    "{\"armature_data\":[{\"name\":\"Bob\",\"version\":1.2,\"bone_data\":[{\"name\":\"body\","
    "\"display_data\":[{\"name\":\"bear_body.png\",\"displayType\":0}]}]}],"
    "\"animation_data\":[{\"name\":\"Bob\",\"mov_data\":["
    "{\"name\":\"held\",\"dr\":25,\"drTW\":24,\"lp\":true,\"mov_bone_data\":[{\"name\":\"body\",\"frame_data\":["
    "{\"fi\":0,\"y\":0,\"tweenFrame\":false},{\"fi\":6,\"y\":1,\"tweenFrame\":false},"
    "{\"fi\":12,\"y\":2,\"tweenFrame\":false},{\"fi\":18,\"y\":1,\"tweenFrame\":false}]}]},"
    "{\"name\":\"glide\",\"dr\":24,\"lp\":true,\"mov_bone_data\":[{\"name\":\"body\",\"frame_data\":["
    "{\"fi\":0,\"y\":0},{\"fi\":23,\"y\":10}]}]},"
    "{\"name\":\"still\",\"dr\":24,\"lp\":true,\"mov_bone_data\":[{\"name\":\"body\",\"frame_data\":["
    "{\"fi\":0,\"y\":4},{\"fi\":23,\"y\":4}]}]},"
    "{\"name\":\"once\",\"dr\":7,\"lp\":false,\"mov_bone_data\":[{\"name\":\"body\",\"frame_data\":["
    "{\"fi\":0,\"y\":0,\"tweenFrame\":false},{\"fi\":6,\"y\":3,\"tweenFrame\":false}]}]}]}]}";

class ArmatureWait : public ArmatureTest {
 protected:
  void SetUp() override {
    ArmatureTest::SetUp();
    ASSERT_TRUE(CCArmatureDataManager::sharedArmatureDataManager()->addArmatureFileData(kBobText, std::strlen(kBobText),
                                                                                        "Bob/Bob.ExportJson"));
    m_bob = CCArmature::create("Bob");
    m_bob->setPosition(300, 300);
    m_scene->addChild(m_bob);
    director()->startAnimation();
    step(1);
  }
  void TearDown() override {
    director()->stopAnimation();
    ArmatureTest::TearDown();
  }
  static CCDirector* director() { return CCDirector::sharedDirector(); }
  // Frames drawn over the next n.
  static unsigned int drawnOver(int n) {
    const unsigned int before = director()->getDrawnFrames();
    step(n);
    return director()->getDrawnFrames() - before;
  }
  CCArmature* m_bob = nullptr;
};

}  // namespace

// Between held keys nothing is drawn and the loop may sleep until the next
// key; at each key one frame is drawn.
TEST_F(ArmatureWait, HeldKeysLetTheLoopSleepUntilTheNextKey) {
  CCArmatureAnimation* anim = m_bob->getAnimation();
  anim->play("held");
  anim->gotoAndPlay(6);
  // Played from outside, it runs at the next frame.
  EXPECT_EQ(director()->getTimeToNextFrame(), 0);
  step(1);  // 7 frames into the pass
  EXPECT_NEAR(director()->getTimeToNextFrame(), 5.0 / 60, 1e-3);
  EXPECT_EQ(drawnOver(4), 0u);
  EXPECT_FLOAT_EQ(bodyY(m_bob), 1);
  EXPECT_EQ(drawnOver(1), 1u);  // frame 12
  EXPECT_FLOAT_EQ(bodyY(m_bob), 2);
  // A whole pass: four keys, the last one where the pass starts again.
  EXPECT_EQ(drawnOver(24), 4u);
  EXPECT_FLOAT_EQ(bodyY(m_bob), 2);
  // Over the pass's end the wait is for the first pose again.
  step(6);
  EXPECT_NEAR(director()->getTimeToNextFrame(), 6.0 / 60, 1e-3);
}

// A tween that moves draws every frame; one between equal poses draws
// nothing after its first pose and wakes the loop only at its pass's end.
TEST_F(ArmatureWait, OnlyAMovingTweenDrawsEveryFrame) {
  CCArmatureAnimation* anim = m_bob->getAnimation();
  anim->play("glide");
  step(1);
  EXPECT_EQ(director()->getTimeToNextFrame(), 0);
  EXPECT_EQ(drawnOver(10), 10u);
  anim->play("still");
  step(2);
  EXPECT_EQ(drawnOver(10), 0u);
  EXPECT_FLOAT_EQ(bodyY(m_bob), 4);
  EXPECT_NEAR(director()->getTimeToNextFrame(), (24 - 12) / 60.0, 1e-3);
}

// Paused, stopped or done, an armature lets the loop wait without limit;
// resumed or sped up it runs at the next frame.
TEST_F(ArmatureWait, AnArmatureAtRestLetsTheLoopWaitWithoutLimit) {
  CCArmatureAnimation* anim = m_bob->getAnimation();
  EXPECT_TRUE(std::isinf(director()->getTimeToNextFrame())) << "never played";
  anim->play("once");
  step(1);
  // Its one key is its last frame: the end.
  EXPECT_NEAR(director()->getTimeToNextFrame(), 6.0 / 60, 1e-3);
  step(7);
  EXPECT_TRUE(anim->isComplete());
  EXPECT_FLOAT_EQ(bodyY(m_bob), 3);
  EXPECT_TRUE(std::isinf(director()->getTimeToNextFrame()));

  anim->play("held");
  step(1);
  anim->pause();
  step(1);
  EXPECT_TRUE(std::isinf(director()->getTimeToNextFrame()));
  anim->resume();
  EXPECT_EQ(director()->getTimeToNextFrame(), 0);
  step(1);
  anim->setSpeedScale(2);
  EXPECT_EQ(director()->getTimeToNextFrame(), 0);
  step(1);
  // Twice as fast: (6 - 2 - 2) frames of its own in one of the loop's.
  EXPECT_NEAR(director()->getTimeToNextFrame(), 1.0 / 60, 1e-3);
  anim->stop();
  step(1);
  EXPECT_TRUE(std::isinf(director()->getTimeToNextFrame()));
}
