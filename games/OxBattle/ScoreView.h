// The panel of a round's result amounts over the table: my round score and
// two further amounts of the result, from the round's end or from a result
// scene. The board shows one at the end of a round and takes it off at the
// next free time; it does not hand it touches, so it stays where it is put.
#pragma once

#include "games/OxBattle/OxBattleMessages.h"
#include "games/common/CreateNode.h"
#include "games/common/ScoreView.h"

namespace OxBattle {

class CScoreView : public games::BankerScoreView
{
public:
    // The area a dragged view stays on.
    static constexpr float kAreaWidth = 1024;
    static constexpr float kAreaHeight = 694;
    // The room of a figure between the captions of its row: the left ones
    // from "本局成绩" and "庄家成绩" to "返还", the right one from "返还" to
    // the panel's edge.
    static constexpr float kLeftFigureWidth = 102;
    static constexpr float kRightFigureWidth = 92;
    static constexpr float kFigureSize = 16;

    CScoreView() = default;
    ~CScoreView() override = default;
    static CScoreView* create() { return games::CreateNode<CScoreView>(); }
    bool init() override;

    // Adds the three amount labels (each fill adds them again).
    void SetRoundEnd(const RoundEndMessage& message);
    void SetPlayScene(const PlayScene& scene);

    // This panel's own drag order: kept on the area as judged by the new
    // point first, then moved by the step, so one step may carry it past
    // the edge until the next puts it back.
    void DragTo(const cocos2d::CCPoint& at) override;

private:
    void AddAmounts(int64_t mine, int64_t second, int64_t third);
};

}  // namespace OxBattle
