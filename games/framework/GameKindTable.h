// The in-process game kinds, in the kernel's module order, and the seating
// rules that follow from a room's kind and chair count.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Sexy {

struct GameKindInfo
{
    uint16_t wKindID;
    const char* pszModule;  // the game's namespace and folder under games/
};

constexpr size_t kGameKindCount = 18;
extern const GameKindInfo kGameKinds[kGameKindCount];

// Index of the kind in kGameKinds, or -1 for kinds without a module (2055,
// external programs, anything unknown).
int FindGameKindSlot(uint16_t kindID);

// Kind of the many-seat room that is never seated whatever its chair count.
constexpr uint16_t kUnseatedKind = 2055;

// Seated games (per-seat panels, ready signs, the timer box) versus
// many-seat games (9 to 100 chairs, or kind 2055; chip cursors instead).
bool IsSeatGameKind(uint16_t kindID, uint16_t chairCount);

// View position of a chair: my own chair is 0, the others follow in chair
// order. 0 without my seat (myChair INVALID_CHAIR) or without chairs.
uint16_t SwitchViewChair(uint16_t chairCount, uint16_t myChair, uint16_t chair);

}  // namespace Sexy
