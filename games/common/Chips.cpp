#include "games/common/Chips.h"

#include "games/common/BankerBetting.h"
#include "games/common/BoardWidgets.h"
#include "ui/Dialog.h"

#include <cstdlib>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace games {

// --- the chip buttons -------------------------------------------------------------------------

void ChipRow::Add(Widget* button, int64_t value)
{
    if (button == nullptr)
        return;
    m_Buttons.push_back(button);
    m_Values.push_back(value);
}

Widget* ChipRow::ButtonOf(int64_t value) const
{
    for (size_t i = 0; i < m_Values.size(); ++i)
    {
        if (m_Values[i] == value)
            return m_Buttons[i];
    }
    return nullptr;
}

int64_t ChipRow::ValueOf(const CCObject* button) const
{
    for (size_t i = 0; i < m_Buttons.size(); ++i)
    {
        if (m_Buttons[i] == button)
            return m_Values[i];
    }
    return 0;
}

size_t ChipRow::Limit(int64_t limit, int64_t commitment)
{
    const size_t usable = UsableChips(limit, m_Values.data(), m_Values.size(), commitment);
    for (size_t i = 0; i < m_Buttons.size(); ++i)
        SetButtonEnabled(m_Buttons[i], i < usable);
    return usable;
}

void ChipRow::DisableAll()
{
    for (Widget* button : m_Buttons)
        SetButtonEnabled(button, false);
}

void ChipRow::Show(bool show)
{
    for (Widget* button : m_Buttons)
        button->setVisible(show);
}

Widget* ChipRow::MakeTableChip(int64_t value) const
{
    Widget* model = ButtonOf(value);
    Widget* chip = model != nullptr ? model->clone() : nullptr;
    if (chip == nullptr)
        return nullptr;
    chip->setTouchEnabled(false);
    // The button may be dim when another player's bet comes in.
    chip->setBright(true);
    chip->setVisible(true);
    return chip;
}

// --- the piles on the areas ---------------------------------------------------------------------

void ChipPile::SetArea(int area, CCNode* parent, const CCPoint& origin, const ChipScatter& scatter)
{
    if (area < 1)
        return;
    if (m_Areas.size() < static_cast<size_t>(area))
        m_Areas.resize(static_cast<size_t>(area));
    Area& entry = m_Areas[static_cast<size_t>(area) - 1];
    entry.parent = parent;
    entry.origin = origin;
    entry.scatter = scatter;
    if (entry.scatter.width < 1)
        entry.scatter.width = 1;
    if (entry.scatter.height < 1)
        entry.scatter.height = 1;
}

ChipPile::Area* ChipPile::AreaOf(int area)
{
    if (area < 1 || static_cast<size_t>(area) > m_Areas.size())
        return nullptr;
    Area* entry = &m_Areas[static_cast<size_t>(area) - 1];
    return entry->parent != nullptr ? entry : nullptr;
}

bool ChipPile::HasArea(int area) const { return const_cast<ChipPile*>(this)->AreaOf(area) != nullptr; }

size_t ChipPile::CountOn(int area) const
{
    const Area* entry = const_cast<ChipPile*>(this)->AreaOf(area);
    return entry != nullptr ? entry->chips : 0;
}

Widget* ChipPile::Lay(int area, Widget* chip)
{
    Area* entry = AreaOf(area);
    if (chip == nullptr || entry == nullptr || entry->chips >= m_nMostPerArea)
        return nullptr;
    const ChipScatter& box = entry->scatter;
    float dx = 0;
    float dy = 0;
    if (box.yFirst)
    {
        dy = static_cast<float>(std::rand() % box.height);
        dx = static_cast<float>(std::rand() % box.width);
    }
    else
    {
        dx = static_cast<float>(std::rand() % box.width);
        dy = static_cast<float>(std::rand() % box.height);
    }
    Dialog::AddDialogChild(entry->parent, chip);
    chip->setPosition(CCPoint(entry->origin.x + (box.x + dx), entry->origin.y + (box.y + dy)));
    m_Chips.push_back(chip);
    ++entry->chips;
    return chip;
}

size_t ChipPile::LayAmount(int area, int64_t amount, const int64_t* denominations, size_t count,
                           const ChipMaker& make, size_t most)
{
    const Area* entry = AreaOf(area);
    if (entry == nullptr || !make || entry->chips >= m_nMostPerArea)
        return 0;
    const size_t room = m_nMostPerArea - entry->chips;
    size_t laid = 0;
    for (int64_t value : SplitIntoChips(amount, denominations, count, most < room ? most : room))
        laid += Lay(area, make(value)) != nullptr ? 1 : 0;
    return laid;
}

void ChipPile::Clear()
{
    for (Widget* chip : m_Chips)
        chip->removeFromParentAndCleanup(true);
    m_Chips.clear();
    for (Area& entry : m_Areas)
        entry.chips = 0;
}

}  // namespace games
