#include "games/OxTB/HandNames.h"

namespace OxTB {

namespace {

const char* const kNames[] = {
    "无牛", "牛一", "牛二", "牛三",   "牛四",   "牛五", "牛六",   "牛七",
    "牛八", "牛九", "",     "小王牛", "大王牛", "牛牛", "四花牛", "五花牛",
};

}  // namespace

const HandNameTable OxTBHandNames = {kNames, sizeof(kNames) / sizeof(kNames[0])};

}  // namespace OxTB
