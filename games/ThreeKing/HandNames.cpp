#include "games/ThreeKing/HandNames.h"

namespace {

const char* const kNames[] = {
    "0点", "1点", "2点", "3点", "4点", "5点", "6点", "7点", "8点", "9点", "三公", "炸弹",
};

}  // namespace

const ThreeKingHandNameTable ThreeKingHandNames = {kNames, sizeof(kNames) / sizeof(kNames[0])};
