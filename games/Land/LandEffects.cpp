// The voice of every call and play (by the player's sex), and the captions,
// frame animations and shakes that some card types bring.
#include "games/Land/LandBoard.h"

#include "games/Land/LandHandler.h"
#include "games/framework/BoardArt.h"

#include <cstdio>

using namespace cocos2d;

namespace Land {

std::string LandBoard::VoiceFolder(uint16_t chair)
{
    LandHandler* handler = Handler();
    const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
    return user != nullptr && user->cbGender != 0 ? "Land/effect/girl/" : "Land/effect/boy/";
}

void LandBoard::PlaySingleVoice(uint8_t card, uint16_t chair)
{
    std::string name = VoiceFolder(chair);
    const int face = card & 0x0F;
    if (face != 0)
        name += "SINGLE_" + std::to_string(face);
    PlaySound(name.c_str());
}

void LandBoard::PlayCardTypeEffects(uint16_t chair, uint8_t cardType, uint8_t count)
{
    const std::string folder = VoiceFolder(chair);
    const char* voice = nullptr;
    const char* caption = nullptr;
    int animation = -1;
    bool shake = false;
    bool bomb = false;
    switch (cardType)
    {
        case DOUBLE: voice = "DOUBLE"; break;
        case THREE:
            caption = "sanzhang";
            voice = "THREE";
            break;
        case SINGLE_LINE:
            voice = "SINGLE_LINE";
            animation = 3;
            break;
        case DOUBLE_LINE:
            voice = "DOUBLE_LINE";
            animation = 2;
            break;
        case THREE_LINE: animation = 0; break;
        case THREE_TAKE_ONE:
            if (count > 5)
            {
                voice = "THREE_ONE_LINE";
                animation = 0;
            }
            else
            {
                voice = "THREE_TAKE_ONE";
                caption = "sandaiyi";
            }
            break;
        case THREE_TAKE_TWO:
            voice = "THREE_TAKE_TWO";
            caption = "sandaier";
            break;
        case FOUR_TAKE_ONE:
            voice = "FOUR_TAKE_ONE";
            caption = "sidaier";
            break;
        case FOUR_TAKE_TWO:
            voice = "FOUR_TAKE_TWO";
            caption = "sidaier";
            break;
        case BOMB_CARD:
            voice = "BOMB_CARD";
            bomb = true;
            shake = true;
            animation = 4;
            break;
        case MISSILE_CARD:
            voice = "MISSILE_CARD";
            shake = true;
            animation = 1;
            break;
        default: return;
    }
    if (caption != nullptr)
    {
        CCSprite* sprite = CCSprite::create((std::string("Land/font/") + caption).c_str());
        sprite->setScale(0.7f);
        const uint16_t view = ViewOf(chair, GAME_PLAYER);
        sprite->setPosition(view == 0 ? m_ptPlace[0][10] + CCPoint(-200, 150) : m_ptClock[view]);
        AddContentChild(sprite);
        sprite->runAction(CCSequence::create(CCFadeOut::create(2.0f), CCRemoveSelf::create(), nullptr));
        sprite->retain();
        m_Captions.push_back(sprite);
    }
    if (voice != nullptr)
        PlaySound((folder + voice).c_str());
    if (bomb)
        PlaySound("Land/effect/otherSounds/BOMB");
    if (shake)
        ShakeBoard();
    if (animation >= 0)
    {
        static const int kFrames[5] = {9, 2, 13, 14, 15};
        RunFrameAnimation(animation, kFrames[animation], cardType == MISSILE_CARD);
    }
}

void LandBoard::RunFrameAnimation(int index, int frames, bool holdLast)
{
    char format[32];
    std::snprintf(format, sizeof(format), "animation_%d_%%d", index);
    CCAnimation* animation = Sexy::FrameAnimation(format, 0, frames - 1, 0.1f, false);
    if (animation->getFrames()->count() == 0)
        return;
    CCSprite* sprite = CCSprite::create();
    sprite->setScale(0.5f);
    const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
    const CCPoint at(visible.width * 0.5f - 120, visible.height * 0.5f);
    sprite->setPosition(at);
    AddContentChild(sprite, kEffectZOrder);
    CCFiniteTimeAction* ending =
        holdLast ? static_cast<CCFiniteTimeAction*>(CCEaseBackInOut::create(CCMoveTo::create(1.5f, at)))
                 : CCFadeOut::create(0.3f);
    sprite->runAction(CCSequence::create(CCDelayTime::create(0.05f),
                                         CCAnimate::create(animation), ending,
                                         CCRemoveSelf::create(), nullptr));
}

}  // namespace Land
