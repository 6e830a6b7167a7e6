// The four-seat bull game's result view: one row per seat that played the
// round (name, hand name, score change), dragged as the two-seat one is.
#pragma once

#include <vector>

#include "games/BullTable/BullBoard.h"
#include "games/BullTable/BullScoreView.h"
#include "games/OxNew/OxNewMessages.h"

namespace OxNew {

class CScoreView : public Bull::CBullScoreView
{
public:
    // Ahead of the board and its cards, as the two-seat view.
    static constexpr int kTouchPriority = kAheadOfBoardPriority;
    static constexpr int kZOrder = 8000;

    CScoreView() : Bull::CBullScoreView(kTouchPriority, true) {}
    static CScoreView* create();
    bool init() override;
    // The seats that played, in chair order, named as the seat users were.
    void ShowResult(const CMD_S_GameEnd& end, const std::vector<Bull::CBullBoard::SeatUser>& users);

    // The columns' widths on the 460-point picture, so a row's texts keep
    // apart and inside it.
    static constexpr float kNameWidth = 196;
    static constexpr float kHandWidth = 60;
    static constexpr float kScoreWidth = 168;

    cocos2d::CCPoint m_ptRows[GAME_PLAYER];
};

}  // namespace OxNew
