// The result panel of both two-card games: "<Game>/GAME_END" with my round
// score, the second and the third figure of the round on it, shown when the
// round's result is displayed and taken off at the next free time. The
// player may drag it about the table, never off it.
#pragma once

#include "games/common/ScoreView.h"

#include <cstdint>

namespace TwoCardBanker {

class CTwoCardScoreView : public games::BankerScoreView
{
public:
    // The table's design area a dragged view stays on.
    static constexpr float kAreaWidth = 1024;
    static constexpr float kAreaHeight = 728;
    static constexpr float kFigureSize = 16;
    // The figures' columns: the two under each other at x 110, the third at 230.
    static constexpr float kNearColumn = 88;
    static constexpr float kFarColumn = 80;

    static CTwoCardScoreView* create(const char* picture);
    bool InitWithImage(const char* picture);

    // My round score at (110, 50), the second figure below it, the third
    // beside it.
    void SetFigures(int64_t mine, int64_t second, int64_t third);
    // The figures of a round's end or a result scene (both name them alike).
    template <class Record>
    void SetResult(const Record& record)
    {
        SetFigures(record.lMyScore, record.lSecondAmount, record.lThirdAmount);
    }
};

}  // namespace TwoCardBanker
