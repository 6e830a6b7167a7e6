#include "games/framework/GameKindTable.h"

#include "games/framework/UserData.h"

namespace Sexy {

bool IsSeatGameKind(uint16_t kindID, uint16_t chairCount)
{
    if (kindID == kUnseatedKind)
        return false;
    return chairCount < 9 || chairCount > 100;
}

uint16_t SwitchViewChair(uint16_t chairCount, uint16_t myChair, uint16_t chair)
{
    if (chairCount == 0 || myChair == INVALID_CHAIR)
        return 0;
    // In 32 bits: a 16-bit sum wraps wrongly for rooms above 32767 chairs.
    const uint32_t count = chairCount;
    return static_cast<uint16_t>((count - myChair % count + chair % count) % count);
}

}  // namespace Sexy
