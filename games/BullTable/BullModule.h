// Base of the three bull games' module objects (OxEx, OxNew, OxTB): their
// pictures are the same, under "OxEx/" and in the shared "ClientGame/"
// sheets, and so are their loading and unloading.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace Bull {

class CBullModule : public Sexy::CGameKindModule
{
public:
    // The counted pictures and the frame lists.
    static const char* const kPictures[8];
    static const char* const kFrameLists[7];
    static constexpr const char* kNumberSheet = "OxEx/OxNumber/OxNumber";

    // The eight pictures, the number sheet (counted only when the module
    // said so), then the frames.
    void LoadResources() override;
    void UnloadResources() override;

protected:
    CBullModule(uint32_t expectedImages, bool countNumberSheet)
        : Sexy::CGameKindModule(expectedImages), m_bCountNumberSheet(countNumberSheet)
    {
    }

private:
    bool m_bCountNumberSheet;
};

}  // namespace Bull
