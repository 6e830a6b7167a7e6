// The panel of a round's result amounts over the wheel: my result and two
// further amounts, from the round's end or from a result scene. It claims
// no touch (touches reach the table beneath), so it is never registered
// with the touch dispatcher.
#pragma once

#include "games/TransferBattle/TransferBattleMessages.h"
#include "games/common/CreateNode.h"
#include "games/common/ScoreView.h"

namespace TransferBattle {

class CScoreView : public games::BankerScoreView
{
public:
    CScoreView() = default;
    ~CScoreView() override = default;
    static CScoreView* create() { return games::CreateNode<CScoreView>(); }
    bool init() override;

    // Adds the three amount labels (each fill adds them again).
    void SetEndResult(const RoundEndMessage& message);
    void SetSceneResult(const PlayScene& scene);

private:
    void AddAmounts(int64_t mine, int64_t second, int64_t third);
};

}  // namespace TransferBattle
