#include "games/Land/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/Land/LandMobile.h"
#include "games/Land/LandHandler.h"
#include "games/common/CreateNode.h"
#include "games/framework/BoardArt.h"
#include "games/framework/UserData.h"

#include <cstdio>
#include <string>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace Land {

namespace {

// Frames of the nine animations of "Land/animation/".
const int kAnimationFrames[9] = {9, 2, 13, 14, 15, 18, 9, 20, 20};
// The visible area the table is drawn for. The view stands on the content
// root, whose points do not follow the window: its picture keeps the place
// it has there, under the rows and numbers put on it at fixed points.
constexpr float kDesignWidth = 1288;
constexpr float kDesignHeight = 762;
// A row's name runs from its point to short of the score's sign.
constexpr float kNameWidth = 110;
// A score runs from its point to short of the row's mark.
constexpr float kScoreWidth = 195;
// The multiple stands under its caption, clear of the verdict banner.
constexpr float kMultipleWidth = 60;

CCSprite* AddPicture(CCNode* parent, const char* name, float x, float y)
{
    CCSprite* sprite = CCSprite::create((std::string("Land/theEnd/") + name).c_str());
    sprite->setPosition(CCPoint(x, y));
    parent->addChild(sprite);
    return sprite;
}

CCLabelAtlas* AddNumber(CCNode* parent, const char* text, const char* map, unsigned width, unsigned height, float x,
                        float y)
{
    CCLabelAtlas* label = CCLabelAtlas::create(text, (std::string("Land/theEnd/") + map).c_str(), width, height, '0');
    label->setPosition(CCPoint(x, y));
    parent->addChild(label);
    return label;
}

}  // namespace

CScoreView* CScoreView::create() { return games::CreateNode<CScoreView>(); }

bool CScoreView::init()
{
    if (!CCLayerRGBA::init())
        return false;
    // Its pictures fade in with it.
    setCascadeOpacityEnabled(true);
    AddPicture(this, "endLayer", kDesignWidth * 0.5f - 620, kDesignHeight * 0.5f - 280);
    return true;
}

void CScoreView::ShowResult(const CMD_S_GameEnd& end)
{
    LandHandler* handler = LandMobile::GetHandler();
    if (end.cbSpring != 0)
        AddPicture(this, "chuntian", 167, 160);
    if (end.cbAntiSpring != 0)
        AddPicture(this, "fanchuntian", 167, 160);

    const uint16_t me = handler != nullptr ? handler->GetMeChairID() : 0;
    const int64_t mine = end.lGameScore[me % GAME_PLAYER];
    int animation = 5;
    if (mine <= 0)
    {
        if (handler != nullptr)
            handler->PlayGameSound("Land/effect/otherSounds/GAME_LOSE", false);
        AddPicture(this, "lose", 20, 280);
        animation = 6;
    }
    else
    {
        if (handler != nullptr)
            handler->PlayGameSound("Land/effect/otherSounds/GAME_WIN", false);
        AddPicture(this, "win", 7, 280);
    }
    int winners = 0;
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        winners += end.lGameScore[chair] > 0 ? 1 : 0;
    AddPicture(this, winners == 2 ? "nongminsheng" : "dizhusheng", 25, 200);

    CCArray* frames = CCArray::create();
    for (int f = 0; f < kAnimationFrames[animation]; ++f)
    {
        char name[32];
        std::snprintf(name, sizeof(name), "animation_%d_%d", animation, f);
        if (CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(name))
            frames->addObject(frame);
    }
    if (frames->count() != 0)
    {
        CCSprite* sprite = CCSprite::create();
        sprite->setPosition(CCPoint(7, 280));
        addChild(sprite, 5000);
        sprite->runAction(CCSequence::create(
            CCDelayTime::create(0.05f),
            CCRepeat::create(CCAnimate::create(CCAnimation::createWithSpriteFrames(frames, 0.1f)), 3),
            CCFadeOut::create(0.3f), CCRemoveSelf::create(), nullptr));
    }

    char text[32];
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(end.dwShownValue));
    CCLabelAtlas* multiple = AddNumber(this, text, "nember5", 19, 25, -150, 178);
    multiple->setAnchorPoint(CCPoint(0, 0.5f));
    Sexy::FitToWidth(multiple, kMultipleWidth);

    static const float kNameY[3] = {95, 25, -45};
    static const float kSignY[3] = {100, 27, -46};
    static const float kScoreY[3] = {90, 15, -60};
    static const float kByteY[3] = {95, 23, -49};
    static const float kMarkY[3] = {110, 40, -30};
    for (uint16_t k = 0; k < GAME_PLAYER; ++k)
    {
        const uint16_t i =
            static_cast<uint16_t>((handler != nullptr ? handler->SwitchViewChairID(k) : k) % GAME_PLAYER);
        // A player who has left before the end has no record: no name.
        const tagUserData* user = handler != nullptr ? handler->GetTableUserData(i) : nullptr;
        const std::string name =
            user != nullptr ? CClientGlobal::GBKToUTF8(CClientGlobal::WideToAnsi(FieldText(user->szNickName))) : "";
        CCLabelTTF* nick = CCLabelTTF::create(name.c_str(), "Arial", 16);
        nick->setColor(ccc3(60, 60, 60));
        nick->setAnchorPoint(CCPoint(0, 0.5f));
        nick->setPosition(CCPoint(-150, kNameY[k]));
        Sexy::FitTextToWidth(nick, kNameWidth);
        addChild(nick);

        const int64_t score = end.lGameScore[i];
        if (score <= 0)
        {
            AddPicture(this, "fuhao", -27, kSignY[k]);
            // The magnitude of the lowest score does not fit a signed 64-bit.
            std::snprintf(text, sizeof(text), "%llu",
                          static_cast<unsigned long long>(0) - static_cast<unsigned long long>(score));
            Sexy::FitToWidth(AddNumber(this, text, "nember", 17, 21, -15, kScoreY[k]), kScoreWidth);
        }
        else
        {
            std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(score));
            Sexy::FitToWidth(AddNumber(this, text, "nember2", 17, 21, -15, kScoreY[k]), kScoreWidth);
        }
        std::snprintf(text, sizeof(text), "%d", end.cbChairValue[i]);
        AddNumber(this, text, "nember1", 22, 32, 210, kByteY[k]);
        AddPicture(this, "ca", 195, kMarkY[k]);
    }

    AddCloseButton("Land/theEnd/close", CCPoint(250, 250), CCSize(40, 40));
    setVisible(true);
}

}  // namespace Land
