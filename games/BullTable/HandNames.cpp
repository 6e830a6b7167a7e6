#include "games/BullTable/HandNames.h"

namespace Bull {

namespace {

const char* const kBullNames[] = {
    "无牛", "牛一", "牛二", "牛三", "牛四", "牛五", "牛六", "牛七", "牛八", "牛九", "牛牛",
};
constexpr size_t kBullNameCount = sizeof(kBullNames) / sizeof(kBullNames[0]);

}  // namespace

const HandNameTable OxExHandNames = {kBullNames, kBullNameCount, "牛牛"};
const HandNameTable OxNewHandNames = {kBullNames, kBullNameCount, "牛牛"};

}  // namespace Bull
