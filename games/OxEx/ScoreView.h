// The two-seat bull game's result view: one row per chair (name, hand name,
// score change), dragged about the table as every bull result view is.
#pragma once

#include "cocos2d.h"
#include "games/BullTable/BullScoreView.h"
#include "games/OxEx/OxExMessages.h"

namespace OxEx {

class CScoreView : public Bull::CBullScoreView
{
public:
    static constexpr int kTouchPriority = kAheadOfBoardPriority;

    CScoreView() : Bull::CBullScoreView(kTouchPriority, true) {}
    static CScoreView* create();
    bool init() override;
    // The rows from the round-end record, then the view shows.
    void ShowResult(const CMD_S_GameEnd& end);

    // The columns' widths on the 460-point picture, so a row's texts keep
    // apart: names from 8 to 31 characters and scores of ten digits fit.
    static constexpr float kNameWidth = 186;
    static constexpr float kHandWidth = 60;
    static constexpr float kScoreWidth = 198;

    cocos2d::CCPoint m_ptRows[GAME_PLAYER];
};

}  // namespace OxEx
