// The seating rules that follow from a room's kind and chair count. Which
// kinds exist is the game registry's (games/registry).
#pragma once

#include <cstddef>
#include <cstdint>

namespace Sexy {

// Kind of the many-seat room that is never seated whatever its chair count.
constexpr uint16_t kUnseatedKind = 2055;

// Seated games (per-seat panels, ready signs, the timer box) versus
// many-seat games (9 to 100 chairs, or kind 2055; chip cursors instead).
bool IsSeatGameKind(uint16_t kindID, uint16_t chairCount);

// View position of a chair: my own chair is 0, the others follow in chair
// order. 0 without my seat (myChair INVALID_CHAIR) or without chairs.
uint16_t SwitchViewChair(uint16_t chairCount, uint16_t myChair, uint16_t chair);

}  // namespace Sexy
