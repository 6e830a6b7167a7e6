// The result panel of red nine: "RedNineBattle/GAME_END" with my round
// score, the second and the third figure of the round on it, shown when the
// round's result is displayed and taken off at the next free time. The
// player may drag it about the table, never off it.
#pragma once

#include "games/RedNineBattle/RedNineBattleMessages.h"
#include "games/common/ScoreView.h"

namespace RedNineBattle {

class CScoreView : public games::BankerScoreView
{
public:
    // The table's design area a dragged view stays on.
    static constexpr float kAreaWidth = 1024;
    static constexpr float kAreaHeight = 728;

    static CScoreView* create(const char* picture);
    bool InitWithImage(const char* picture);

    // The figures of a round's end, and the win or loss sound (a round score
    // of 0 loses).
    void SetEndResult(const RoundEndMessage& message);
    // The figures of a result scene; no sound.
    void SetSceneResult(const PlayScene& scene);

private:
    void AddFigures(int64_t mine, int64_t second, int64_t third);
};

}  // namespace RedNineBattle
