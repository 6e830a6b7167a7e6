#include "games/BullTable/BullModule.h"

namespace Bull {

const char* const CBullModule::kPictures[8] = {
    "OxEx/OxEx",        "ClientGame/Cards",    "OxEx/CentrenOxEx",    "OxEx/SpirteStatus",
    "ClientGame/Ready", "ClientGame/border-1", "ClientGame/TimerNum", "ClientGame/Light",
};

const char* const CBullModule::kFrameLists[7] = {
    "OxEx/OxEx.plist",        "ClientGame/Light.plist",    "ClientGame/Cards.plist",       "OxEx/SpirteStatus.plist",
    "ClientGame/Ready.plist", "ClientGame/TimerNum.plist", "OxEx/OxNumber/OxNumber.plist",
};

void CBullModule::LoadResources()
{
    RequestImages(kPictures);
    if (m_bCountNumberSheet)
        RequestImage(kNumberSheet);
    else
        PreloadImage(kNumberSheet);
    AddFrames(kFrameLists);
}

void CBullModule::UnloadResources()
{
    RemoveFrames(kFrameLists);
    RemoveTextures({"OxEx/CentrenOxEx"});
}

}  // namespace Bull
