#include "games/DZPoKer/MoveChipAnimation.h"

#include "games/framework/BoardArt.h"
#include "ui/GBKLabel.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

using namespace cocos2d;

namespace DZPoKer {

namespace {

CCSprite* NewChipSprite()
{
    char name[48];
    std::snprintf(name, sizeof(name), "DZShowHand/res/chouma/chouma_%d.png", std::rand() % 5);
    return CCSprite::create(name);
}

void* AsData(uint16_t view) { return reinterpret_cast<void*>(static_cast<uintptr_t>(view)); }

}  // namespace

MoveChipAnimation* MoveChipAnimation::create()
{
    auto* layer = new (std::nothrow) MoveChipAnimation();
    if (layer != nullptr && layer->init())
    {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

bool MoveChipAnimation::init()
{
    if (!CCSprite::init())
        return false;
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        CCSprite* background = CCSprite::create("DZShowHand/scorebg.png");
        addChild(background);
        m_AmountBackgrounds.push_back(background);
        CCLabelTTF* label = CreateGBKLabel("0", "Arial", 22);
        addChild(label);
        m_AmountLabels.push_back(label);
        background->setVisible(false);
        label->setVisible(false);
    }
    return true;
}

uint16_t MoveChipAnimation::ViewOf(void* data)
{
    const auto view = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(data));
    return view < GAME_PLAYER ? view : 0;
}

CCPoint MoveChipAnimation::StackTopPoint(uint16_t view, const CCPoint& to)
{
    const size_t below = view < GAME_PLAYER ? m_Piles[view][0].size() : 0;
    return CCPoint(to.x, to.y + 5.0f * static_cast<float>(below));
}

void MoveChipAnimation::FlyChip(uint16_t view, const CCPoint& from, const CCPoint& to, bool showLabel, int64_t amount)
{
    if (view >= GAME_PLAYER)
        return;
    m_lLastAmount = amount;
    m_lSeatAmount[view] = amount;
    m_ptTarget[view] = to;
    CCSprite* chip = NewChipSprite();
    chip->setPosition(from);
    addChild(chip, kChipZOrder);
    CCFiniteTimeAction* move = CCMoveTo::create(0.3f, StackTopPoint(view, to));
    if (showLabel)
        chip->runAction(CCSequence::create(
            move, CCCallFuncND::create(this, callfuncND_selector(MoveChipAnimation::ShowAmountLabel), AsData(view)),
            nullptr));
    else
        chip->runAction(move);
    m_Piles[view][0].push_back(chip);
}

void MoveChipAnimation::ShowAmountLabel(CCNode*, void* data)
{
    const uint16_t view = ViewOf(data);
    CCSprite* background = m_AmountBackgrounds[view];
    background->stopAllActions();
    background->setVisible(true);
    background->setAnchorPoint(CCPoint(0, 0));
    background->setScaleX(0);
    background->setPosition(CCPoint(m_ptTarget[view].x + 10, m_ptTarget[view].y - 15));
    background->runAction(CCSequence::create(
        CCScaleTo::create(0.3f, 1.0f),
        CCCallFuncND::create(this, callfuncND_selector(MoveChipAnimation::ShowAmountText), data), nullptr));
}

void MoveChipAnimation::FitAmountText(uint16_t view)
{
    // The text starts a third of the plate in, less 15, and ends 3 short of
    // the plate's right end: a longer one is drawn smaller, not past the
    // plate under the next seat's chips.
    const float plate = m_AmountBackgrounds[view]->getContentSize().width;
    Sexy::FitToWidth(m_AmountLabels[view], plate - (plate / 3 - 15) - 3);
}

void MoveChipAnimation::ShowAmountText(CCNode* sender, void* data)
{
    const uint16_t view = ViewOf(data);
    CCLabelTTF* label = m_AmountLabels[view];
    label->setVisible(true);
    label->setColor(ccc3(252, 214, 3));
    label->setAnchorPoint(CCPoint(0, 0));
    if (sender != nullptr)
    {
        const CCSize size = sender->getContentSize();
        label->setPosition(
            CCPoint(sender->getPositionX() + size.width / 3 - 15, sender->getPositionY() + size.height * 0.25f - 5));
    }
    label->setString(FormatChipAmount(m_lSeatAmount[view]).c_str());
    FitAmountText(view);
}

void MoveChipAnimation::SetAmountText(uint16_t view, int64_t amount)
{
    if (view >= GAME_PLAYER)
        return;
    m_lSeatAmount[view] = amount;
    m_AmountLabels[view]->setString(FormatChipAmount(amount).c_str());
    FitAmountText(view);
}

std::string MoveChipAnimation::FormatChipAmount(int64_t amount)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(amount));
    std::string out = text;
    if (out.size() >= 7)
        out = out.substr(0, out.size() - 4) + "w";
    return out;
}

void MoveChipAnimation::GatherSeatChips(uint16_t view, const CCPoint& to)
{
    if (view >= GAME_PLAYER)
        return;
    for (CCSprite* chip : m_Piles[view][0])
    {
        chip->stopAllActions();
        chip->runAction(CCSequence::create(
            CCCallFuncND::create(this, callfuncND_selector(MoveChipAnimation::HideAmountLabel), AsData(view)),
            CCSpawn::create(CCMoveTo::create(0.3f, to), CCFadeOut::create(0.3f), nullptr),
            CCCallFuncND::create(this, callfuncND_selector(MoveChipAnimation::ClearSeatChips), AsData(view)), nullptr));
    }
}

void MoveChipAnimation::ClearSeatChips(CCNode*, void* data)
{
    const uint16_t view = ViewOf(data);
    for (CCSprite* chip : m_Piles[view][0])
        chip->runAction(CCRemoveSelf::create());
    m_Piles[view][0].clear();
    HideAmountLabel(nullptr, data);
}

void MoveChipAnimation::ClearAll()
{
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        for (CCSprite* chip : m_Piles[view][0])
        {
            chip->stopAllActions();
            chip->removeFromParentAndCleanup(true);
        }
        m_Piles[view][0].clear();
        m_lSeatAmount[view] = 0;
        m_AmountBackgrounds[view]->stopAllActions();
        HideAmountLabel(nullptr, AsData(view));
    }
}

void MoveChipAnimation::HideAmountLabel(CCNode*, void* data)
{
    const uint16_t view = ViewOf(data);
    m_AmountBackgrounds[view]->setVisible(false);
    m_AmountLabels[view]->setVisible(false);
}

}  // namespace DZPoKer
