#include "games/OxBattle/Dice.h"

#include "games/framework/BoardArt.h"

#include <cstdio>

using namespace cocos2d;

namespace OxBattle {

bool Dice::init()
{
    if (!CCSprite::init())
        return false;
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("OxBattle/dice/dice.plist");
    return true;
}

CCAnimation* Dice::CreateRollAnimation()
{
    return Sexy::FrameAnimation("dices%d", 1, 27, 0.07f, false);
}

void Dice::Roll(uint8_t first, uint8_t second, uint8_t third, uint8_t fourth)
{
    m_cbFirst = first;
    m_cbSecond = second;
    m_cbThird = third;
    m_cbFourth = fourth;
    CCFiniteTimeAction* roll = CCEaseElasticOut::create(CCMoveBy::create(2.0f, CCPoint(-100, 0)));
    CCAnimation* frames = CreateRollAnimation();
    if (frames->getFrames() != nullptr && frames->getFrames()->count() > 0)
        roll = CCSpawn::create(CCAnimate::create(frames), roll, nullptr);
    CCSprite* roller = CCSprite::create();
    roller->setPosition(CCPoint(kRollX, kRollY));
    roller->setScale(kScale);
    addChild(roller);
    roller->runAction(CCSequence::create(roll, CCCallFuncN::create(this, callfuncN_selector(Dice::ShowFaces)),
                                         CCRemoveSelf::create(), nullptr));
}

void Dice::ShowFaces(CCNode* roller)
{
    const CCPoint at = roller != nullptr ? roller->getPosition() : CCPoint(kRollX - 100, kRollY);
    AddFace(m_cbFirst, ccpAdd(at, CCPoint(25, 0)));
    AddFace(m_cbSecond, ccpSub(at, CCPoint(25, 0)));
    // Nothing is left to show once the faces are gone.
    runAction(CCSequence::create(CCDelayTime::create(kFacesShown + kFaceFade), CCRemoveSelf::create(), nullptr));
}

void Dice::AddFace(uint8_t value, const CCPoint& at)
{
    char name[24];
    std::snprintf(name, sizeof(name), "dice%d", value);
    CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->findFrame(name);
    if (frame == nullptr)
        return;
    CCSprite* face = CCSprite::createWithSpriteFrame(frame);
    face->setPosition(at);
    face->setScale(kScale);
    addChild(face);
    face->runAction(CCSequence::create(CCDelayTime::create(kFacesShown), CCFadeOut::create(kFaceFade),
                                       CCRemoveSelf::create(), nullptr));
}

}  // namespace OxBattle
