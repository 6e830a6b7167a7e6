// The chips of a banker board: the row of chip buttons that a bet limit
// enables, and the piles of chips on the betting areas.
//
// ChipRow holds the chip buttons with their values (ascending; the game sets
// their tags and touch listeners as its layout says) and makes the chips
// laid on the table as clones of them. ChipPile lays chips on the areas:
// each area has a parent node (the content root, or the area's own widget),
// an origin there and a box the chip lands in at random; it keeps every chip
// it laid until Clear, and lays at most a cap per area however large the
// amount (the area's label shows the exact amount; the pile only shows that
// there is money on it).
#pragma once

#include "CocoStudio.h"
#include "cocos2d.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace games {

class ChipRow
{
public:
    // A button of the next larger value; a null button (missing from the
    // layout) is left out.
    void Add(cocos2d::ui::Widget* button, int64_t value);
    size_t Count() const { return m_Buttons.size(); }
    cocos2d::ui::Widget* Button(size_t index) const { return index < m_Buttons.size() ? m_Buttons[index] : nullptr; }
    int64_t Value(size_t index) const { return index < m_Values.size() ? m_Values[index] : 0; }
    const std::vector<cocos2d::ui::Widget*>& Buttons() const { return m_Buttons; }
    const std::vector<int64_t>& Values() const { return m_Values; }
    // The button of a value, null when none has it.
    cocos2d::ui::Widget* ButtonOf(int64_t value) const;
    // The value of one of the buttons (a touch's sender), 0 for another widget.
    int64_t ValueOf(const cocos2d::CCObject* button) const;

    // Enables the chips a limit allows (a bet commits `commitment` times its
    // amount), disables the others; returns how many are usable, from the
    // smallest.
    size_t Limit(int64_t limit, int64_t commitment = 1);
    void DisableAll();
    // The buttons shown or hidden.
    void Show(bool show);
    // The largest usable value after Limit; 0 when none.
    int64_t Largest(size_t usable) const { return usable > 0 ? Value(usable - 1) : 0; }

    // A chip for the table: a clone of the button of the value, touch off,
    // bright and visible; null when no button has the value.
    cocos2d::ui::Widget* MakeTableChip(int64_t value) const;

private:
    std::vector<cocos2d::ui::Widget*> m_Buttons;
    std::vector<int64_t> m_Values;
};

// Where a chip lands: origin + (x + rand() % width, y + rand() % height).
// yFirst takes the first random number for y (the games differ).
struct ChipScatter
{
    float x = 0;
    float y = 0;
    int width = 1;
    int height = 1;
    bool yFirst = false;
};

class ChipPile
{
public:
    static constexpr size_t kNoCap = std::numeric_limits<size_t>::max();
    // A chip of a value for LayAmount; null lays nothing.
    using ChipMaker = std::function<cocos2d::ui::Widget*(int64_t value)>;

    // At most `mostPerArea` chips on one area.
    explicit ChipPile(size_t mostPerArea = 100) : m_nMostPerArea(mostPerArea) {}

    // Area 1..n: its chips go onto `parent` (through the dialog's adds, at
    // the chip's own z order) at `origin` plus a random point of `scatter`.
    void SetArea(int area, cocos2d::CCNode* parent, const cocos2d::CCPoint& origin, const ChipScatter& scatter);
    bool HasArea(int area) const;

    // Lays a chip the caller made (ChipRow::MakeTableChip, an image...) on
    // the area; it is not laid (and goes unused) when the area is unknown or
    // full. Returns the chip laid or null. A chip to show later (a delayed
    // bet) is laid hidden by the caller.
    cocos2d::ui::Widget* Lay(int area, cocos2d::ui::Widget* chip);
    // An amount as chips of the denominations (largest first, as
    // SplitIntoChips), at most `most` of them and never past the cap; how
    // many were laid.
    size_t LayAmount(int area, int64_t amount, const int64_t* denominations, size_t count, const ChipMaker& make,
                     size_t most = kNoCap);

    // Every chip off the table.
    void Clear();
    const std::vector<cocos2d::ui::Widget*>& Chips() const { return m_Chips; }
    size_t CountOn(int area) const;
    size_t MostPerArea() const { return m_nMostPerArea; }

private:
    struct Area
    {
        cocos2d::CCNode* parent = nullptr;
        cocos2d::CCPoint origin;
        ChipScatter scatter;
        size_t chips = 0;
    };
    Area* AreaOf(int area);

    size_t m_nMostPerArea;
    std::vector<Area> m_Areas;
    std::vector<cocos2d::ui::Widget*> m_Chips;
};

}  // namespace games
