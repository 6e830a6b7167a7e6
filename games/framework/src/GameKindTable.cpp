#include "games/framework/GameKindTable.h"

#include "games/framework/UserData.h"

namespace Sexy {

const GameKindInfo kGameKinds[kGameKindCount] = {
    {102, "OxEx"},
    {27, "OxNew"},
    {28, "OxTB"},
    {106, "RedNineBattle"},
    {110, "NineXiaoBattle"},
    {233, "ShuangKouHP"},
    {19, "ShowHandANEx"},
    {401, "GoBang"},
    {308, "SparrowWZEx"},
    {10, "MaJiang2"},
    {404, "TransferBattle"},
    {122, "BaccaratNew"},
    {104, "OxBattle"},
    {114, "HorseBattle"},
    {200, "Land"},
    {350, "DZPoKer"},
    {108, "BumperCarBattle"},
    {9, "ThreeKing"},
};

int FindGameKindSlot(uint16_t kindID)
{
    for (size_t i = 0; i < kGameKindCount; ++i)
        if (kGameKinds[i].wKindID == kindID)
            return static_cast<int>(i);
    return -1;
}

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
