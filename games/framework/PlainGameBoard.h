// The framework's plain table: the board a game shows until it has its own.
// It is the base board with a stand-in table, a title, a start button and
// seats placed round the table for the room's chair count.
#pragma once

#include "games/framework/GameBoard.h"

namespace Sexy {

class CPlainGameBoard : public CGameBoard
{
public:
    static CPlainGameBoard* create();
    bool init() override;

    void LayoutMyInfo(CBoardDrawUserData* panel) override;
    bool OnSeatUserChanged(uint16_t chair, tagUserData* user) override;
    void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth) override;

    // The seat, ready-sign and clock points of every view position for a
    // table of that many chairs: my seat at the bottom, the others round the
    // table counter-clockwise.
    void PlaceSeats(uint16_t chairs);

private:
    uint16_t m_wPlacedChairs = 0;
};

}  // namespace Sexy
