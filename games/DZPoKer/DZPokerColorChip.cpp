#include "games/DZPoKer/DZPokerColorChip.h"

#include "core/ClientGlobal.h"
#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPoKerMobile.h"
#include "games/framework/BoardArt.h"
#include "ui/GBKLabel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

using namespace cocos2d;

namespace DZPoKer {

namespace {

const ccColor3B kAmountColour = {252, 214, 3};

// A side pot's plate starts 5 right of its stack's middle, so its chips
// lie over the plate's first 10 points: its amount keeps to the middle
// part, as wide on either side of the centre.
float PotTextWidth(const CCSprite* plate) { return plate->getContentSize().width - 2 * 10; }

// A plate's amount, drawn smaller when it is wider than `width`.
void SetPlateText(CCLabelTTF* label, const std::string& text, float width)
{
    label->setString(text.c_str());
    Sexy::FitToWidth(label, width);
}

CCLabelTTF* CentredLabel(CCSprite* plate, const std::string& text, float width)
{
    CCLabelTTF* label = CreateGBKLabel(text, "Arial", 20);
    const CCSize size = plate->getContentSize();
    label->setPosition(CCPoint(size.width / 2, size.height / 2));
    plate->addChild(label);
    Sexy::FitToWidth(label, width);
    return label;
}

}  // namespace

DZPokerColorChip* DZPokerColorChip::create()
{
    auto* chips = new (std::nothrow) DZPokerColorChip();
    if (chips != nullptr && chips->init())
    {
        chips->autorelease();
        return chips;
    }
    delete chips;
    return nullptr;
}

bool DZPokerColorChip::init()
{
    if (!CCSprite::init())
        return false;
    for (int i = 0; i < MAX_POT_COUNT; ++i)
        m_ptStack[i] = CCPoint(235.0f + 100.0f * i, 405);
    return true;
}

void DZPokerColorChip::SetSeatPoint(uint16_t view, const CCPoint& point)
{
    if (view < GAME_PLAYER)
        m_ptSeat[view] = point;
}

uint16_t DZPokerColorChip::ViewOfChair(uint16_t chair)
{
    DZPoKerHandler* handler = DZPoKerMobile::GetHandler();
    const uint16_t view = handler != nullptr ? handler->SwitchViewChairID(chair) : chair;
    return view < GAME_PLAYER ? view : 0;
}

CCSprite* DZPokerColorChip::NewChip(std::vector<CCSprite*>& list, const CCPoint& base)
{
    char name[48];
    std::snprintf(name, sizeof(name), "DZShowHand/res/chouma/chouma_%d.png", std::rand() % 5);
    CCSprite* chip = CCSprite::create(name);
    chip->setPosition(CCPoint(base.x, base.y + 5.0f * static_cast<float>(list.size())));
    addChild(chip, kChipZOrder);
    list.push_back(chip);
    return chip;
}

void DZPokerColorChip::FlyAway(CCSprite* chip, const CCPoint& to, float seconds, bool fade)
{
    chip->stopAllActions();
    CCFiniteTimeAction* move = CCMoveTo::create(seconds, to);
    if (fade)
        move = CCSpawn::create(move, CCFadeOut::create(seconds), nullptr);
    chip->runAction(CCSequence::create(move, CCRemoveSelf::create(), nullptr));
}

void DZPokerColorChip::ShowPot(int64_t amount)
{
    NewChip(m_MainPile, MainPilePoint());
    if (m_pMainPlate == nullptr)
    {
        m_pMainPlate = CCSprite::create("DZShowHand/scorebg.png");
        m_pMainPlate->setAnchorPoint(CCPoint(0, 0.5f));
        CCSprite* first = m_MainPile.front();
        m_pMainPlate->setPosition(
            CCPoint(first->getPositionX() + first->getContentSize().width / 2 + 10, first->getPositionY()));
        m_pMainPlate->setScale(0);
        m_pMainPlate->runAction(CCScaleTo::create(0.3f, 1.0f));
        addChild(m_pMainPlate, kPlateZOrder);
        m_pMainLabel = CentredLabel(m_pMainPlate, "0", m_pMainPlate->getContentSize().width - 8);
        m_pMainLabel->setColor(kAmountColour);
    }
    SetPlateText(m_pMainLabel, CClientGlobal::FormatScore(amount), m_pMainPlate->getContentSize().width - 8);
}

void DZPokerColorChip::Clear()
{
    unscheduleAllSelectors();
    removeAllChildrenWithCleanup(true);
    m_MainPile.clear();
    m_pMainPlate = nullptr;
    m_pMainLabel = nullptr;
    for (int i = 0; i < MAX_POT_COUNT; ++i)
    {
        m_PotStacks[i].clear();
        m_pPotPlate[i] = nullptr;
        m_pPotLabel[i] = nullptr;
        m_lPotAmount[i] = 0;
        m_bPotPaid[i] = false;
    }
    m_dwPotCount = 0;
    m_MainWinners.clear();
}

void DZPokerColorChip::RemoveMainPlate()
{
    if (m_pMainPlate != nullptr)
        m_pMainPlate->removeFromParentAndCleanup(true);
    m_pMainPlate = nullptr;
    m_pMainLabel = nullptr;
}

void DZPokerColorChip::SetPotAmount(int index, int64_t amount)
{
    if (index < 0 || index >= MAX_POT_COUNT)
        return;
    m_lPotAmount[index] = amount;
    if (!m_MainPile.empty())
    {
        for (CCSprite* chip : m_MainPile)
        {
            chip->stopAllActions();
            chip->runAction(CCSequence::create(
                CCSpawn::create(CCMoveTo::create(0.5f, MainPilePoint()), CCFadeIn::create(0.5f), nullptr),
                CCScaleTo::create(0.2f, 0), CCRemoveSelf::create(), nullptr));
        }
        m_MainPile.clear();
        RemoveMainPlate();
    }
    std::vector<CCSprite*>& stack = m_PotStacks[index];
    if (!stack.empty())
    {
        // Built once; its plate keeps up with the amount.
        if (m_pPotLabel[index] != nullptr)
            SetPlateText(m_pPotLabel[index], std::to_string(amount), PotTextWidth(m_pPotPlate[index]));
        return;
    }
    m_bPotPaid[index] = false;
    const int chips = std::rand() % 6 + 2;
    for (int i = 0; i < chips; ++i)
    {
        CCSprite* chip = NewChip(stack, m_ptStack[index]);
        const CCPoint place = chip->getPosition();
        chip->setPosition(CCPoint(420, 405));
        chip->setOpacity(0);
        chip->setScale(0);
        chip->runAction(CCSpawn::create(CCFadeIn::create(0.5f), CCScaleTo::create(0.2f, 0.7f), nullptr));
        chip->runAction(
            CCSequence::create(CCMoveTo::create(0.5f, place),
                               CCCallFuncND::create(this, callfuncND_selector(DZPokerColorChip::ShowPotPlate),
                                                    reinterpret_cast<void*>(static_cast<intptr_t>(index))),
                               nullptr));
    }
}

void DZPokerColorChip::ShowPotPlate(CCNode*, void* data)
{
    const auto index = static_cast<int>(reinterpret_cast<intptr_t>(data));
    if (index < 0 || index >= MAX_POT_COUNT || m_pPotPlate[index] != nullptr || m_bPotPaid[index])
        return;
    CCSprite* plate = CCSprite::create("DZShowHand/scorebg.png");
    plate->setAnchorPoint(CCPoint(0, 0.5f));
    plate->setPosition(CCPoint(240.0f + 100.0f * index, 410));
    plate->setOpacity(0);
    plate->runAction(CCFadeIn::create(0.3f));
    addChild(plate, kPlateZOrder);
    m_pPotPlate[index] = plate;
    m_pPotLabel[index] = CentredLabel(plate, std::to_string(m_lPotAmount[index]), PotTextWidth(plate));
}

void DZPokerColorChip::DistributeMainPot(const std::vector<uint16_t>& winnerViews)
{
    if (m_MainPile.size() < kFewChips)
    {
        const int more = std::rand() % 3 + 1;
        for (int i = 0; i < more; ++i)
            NewChip(m_MainPile, MainPilePoint());
    }
    m_MainWinners.clear();
    for (uint16_t view : winnerViews)
    {
        if (view < GAME_PLAYER)
            m_MainWinners.push_back(view);
    }
    m_wPayView = m_MainWinners.empty() ? 0 : m_MainWinners.back();
    scheduleOnce(schedule_selector(DZPokerColorChip::OnPaid), 3.0f);
    if (m_MainWinners.size() == 1)
    {
        float seconds = 0.5f;
        for (CCSprite* chip : m_MainPile)
        {
            FlyAway(chip, m_ptSeat[m_wPayView], seconds, true);
            seconds += 1.0f;
        }
        m_MainPile.clear();
    }
    else if (!m_MainWinners.empty())
    {
        for (uint16_t view : m_MainWinners)
        {
            if (m_MainPile.empty())
                break;
            FlyAway(m_MainPile.back(), m_ptSeat[view], 1.0f, false);
            m_MainPile.pop_back();
        }
        scheduleOnce(schedule_selector(DZPokerColorChip::OnPayRest), 0.5f);
    }
    else
    {
        // Nobody to pay: the pile only goes.
        for (CCSprite* chip : m_MainPile)
            FlyAway(chip, chip->getPosition(), 0.5f, true);
        m_MainPile.clear();
    }
    RemoveMainPlate();
}

void DZPokerColorChip::OnPayRest(float)
{
    for (CCSprite* chip : m_MainPile)
        FlyAway(chip, m_ptSeat[m_wPayView], 1.0f, false);
    m_MainPile.clear();
}

void DZPokerColorChip::OnPaid(float)
{
    if (m_EndCallback)
        m_EndCallback(0);
}

void DZPokerColorChip::DistributePots(uint32_t potCount, const std::vector<uint16_t> winnerChairs[MAX_POT_COUNT])
{
    m_dwPotCount = potCount < MAX_POT_COUNT ? potCount : MAX_POT_COUNT;
    for (uint32_t pot = 0; pot < MAX_POT_COUNT; ++pot)
    {
        const std::vector<uint16_t>& winners = winnerChairs[pot];
        std::vector<CCSprite*>& stack = m_PotStacks[pot];
        m_bPotPaid[pot] = true;
        if (winners.empty())
            continue;
        // The seats are kept by view: each winning chair is turned to its view.
        if (winners.size() == 1)
        {
            const uint16_t view = ViewOfChair(winners.front());
            for (CCSprite* chip : stack)
                FlyAway(chip, m_ptSeat[view], 1.0f, true);
            stack.clear();
            m_wRestView[pot] = view;
            continue;
        }
        for (uint16_t chair : winners)
        {
            const uint16_t view = ViewOfChair(chair);
            size_t share = static_cast<size_t>(std::rand()) % (stack.size() / 2 + 1);
            share = std::min(share, stack.size());
            for (size_t i = 0; i < share; ++i)
            {
                FlyAway(stack.back(), m_ptSeat[view], 1.0f, false);
                stack.pop_back();
            }
            m_wRestView[pot] = view;
        }
    }
    for (int pot = 0; pot < MAX_POT_COUNT; ++pot)
    {
        if (m_pPotPlate[pot] != nullptr)
            m_pPotPlate[pot]->removeFromParentAndCleanup(true);
        m_pPotPlate[pot] = nullptr;
        m_pPotLabel[pot] = nullptr;
    }
    scheduleOnce(schedule_selector(DZPokerColorChip::OnPayPotRests), 1.0f);
}

void DZPokerColorChip::OnPayPotRests(float)
{
    for (uint32_t pot = 0; pot < m_dwPotCount; ++pot)
    {
        for (CCSprite* chip : m_PotStacks[pot])
            FlyAway(chip, m_ptSeat[m_wRestView[pot]], 1.0f, true);
        m_PotStacks[pot].clear();
    }
}

}  // namespace DZPoKer
