// The six-seat bull game's result view: a row per seat that played (name,
// hand name, score change). It takes touches without swallowing them.
#pragma once

#include <vector>

#include "games/BullTable/BullBoard.h"
#include "games/BullTable/BullScoreView.h"
#include "games/OxTB/OxTBMessages.h"

namespace OxTB {

class CScoreView : public Bull::CBullScoreView
{
public:
    static constexpr int kTouchPriority = -10000;

    CScoreView() : Bull::CBullScoreView(kTouchPriority, false) {}
    static CScoreView* create();
    bool init() override;
    void ShowResult(const CMD_S_GameEnd& end, const std::vector<Bull::CBullBoard::SeatUser>& users);

    // The columns' widths on the 412-point picture, so a row's texts keep
    // apart and inside it.
    static constexpr float kNameWidth = 198;
    static constexpr float kHandWidth = 60;
    static constexpr float kScoreWidth = 82;

    cocos2d::CCPoint m_ptRows[GAME_PLAYER];
};

}  // namespace OxTB
