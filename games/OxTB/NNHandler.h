// The message handler of the six-seat bull game (kind 28): the round start,
// the deal, the openings and the round end, each at its size, and the
// playing scene of a table entered mid-round.
#pragma once

#include "games/BullTable/BullHandler.h"
#include "games/OxTB/OxTBMessages.h"

namespace OxTB {

class NNBoard;

class NNHandler : public Bull::CBullHandler
{
public:
    // Subs 100, 103, 104 and 105 at their sizes; any other sub is accepted.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // The free scene at any size, the playing scene at its size; other
    // statuses are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    NNBoard* Board() const;
    int64_t GetBaseScore() const { return m_lBaseScore; }
    CMD_S_StatusPlay& GetPlayScene() { return m_PlayScene; }
    bool SitsOut() override { return IsMeNotPlaying(); }
    uint8_t* SceneCards(uint16_t chair) override
    {
        return chair < GAME_PLAYER ? m_PlayScene.cbHandCardData[chair] : nullptr;
    }
    bool ScenePlays(uint16_t chair) override { return chair < GAME_PLAYER && m_PlayScene.cbPlayStatus[chair] != 0; }

private:
    int64_t m_lBaseScore = 0;
    CMD_S_StatusPlay m_PlayScene{};
};

}  // namespace OxTB
