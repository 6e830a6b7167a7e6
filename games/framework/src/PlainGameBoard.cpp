#include "games/framework/PlainGameBoard.h"

#include "games/framework/BaseKernelLayer.h"
#include "games/framework/BoardDrawUserData.h"

#include <cmath>
#include <new>

using namespace cocos2d;

namespace Sexy {

CPlainGameBoard* CPlainGameBoard::create()
{
    auto* board = new (std::nothrow) CPlainGameBoard();
    if (board != nullptr && board->init())
    {
        board->autorelease();
        return board;
    }
    delete board;
    return nullptr;
}

CGameBoard* CGameBoard::create() { return CPlainGameBoard::create(); }

bool CPlainGameBoard::init()
{
    InitGameTable("ClientGame/TableTile", "ClientGame/Table", nullptr, CCPointZero);
    AddGameTitle("ClientGame/Logo");
    const CCSize content = GetContentPictureSize();
    CreateStartButton("ClientGame/BtnStart_01", "ClientGame/BtnStart_02",
                      CCPoint(content.width / 2 - 60, content.height * 0.37f));
    SetTotalScorePosition(CCPoint(24, 28));
    PlaceSeats(3);
    return CGameBoard::init();
}

void CPlainGameBoard::PlaceSeats(uint16_t chairs)
{
    if (chairs == 0 || chairs > kMaxChairs)
        chairs = 3;
    m_wPlacedChairs = chairs;
    const CCSize content = GetContentPictureSize();
    const CCPoint centre(content.width / 2, content.height / 2 + 10);
    const double radiusX = content.width * 0.39;
    const double radiusY = content.height * 0.37;
    for (uint16_t view = 0; view < chairs; ++view)
    {
        const double angle = -M_PI / 2 + 2 * M_PI * view / chairs;
        const CCPoint seat(static_cast<float>(centre.x + std::cos(angle) * radiusX),
                           static_cast<float>(centre.y + std::sin(angle) * radiusY));
        m_ptSeatPanel[view] = seat;
        // The clock stands a little way in from the seat, towards the middle;
        // mine beside my panel, clear of the start button above it.
        m_ptClock[view] = view == 0
                              ? CCPoint(seat.x + 200, seat.y + 10)
                              : CCPoint(seat.x + (centre.x - seat.x) * 0.42f, seat.y + (centre.y - seat.y) * 0.42f);
        m_ptStatus[view] = view == 0 ? CCPoint(115, 92) : CCPoint(0, 76);
    }
}

void CPlainGameBoard::LayoutMyInfo(CBoardDrawUserData* panel)
{
    panel->SetTextLayout(CCPoint(44, 40), CCPoint(150, 56), 16, CCPoint(150, 24), 14, "ClientGame/MyInfoBg");
}

bool CPlainGameBoard::OnSeatUserChanged(uint16_t, tagUserData*)
{
    CBaseKernelLayer* kernel = Kernel();
    const uint16_t chairs = kernel != nullptr ? kernel->GetChairCount() : 0;
    if (chairs != 0 && chairs != m_wPlacedChairs)
        PlaceSeats(chairs);
    return false;
}

void CPlainGameBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    CBaseKernelLayer* kernel = Kernel();
    const uint16_t chairs = kernel != nullptr ? kernel->GetChairCount() : 0;
    if (chairs != 0 && chairs != m_wPlacedChairs)
        PlaceSeats(chairs);
    CGameBoard::LayoutGameTable(width, height, maximised, stretchBoth);
}

}  // namespace Sexy
