// The message handler of the two-seat bull game (kind 102): checks each
// message's size, keeps what the round needs and calls one board operation.
#pragma once

#include "games/BullTable/BullHandler.h"
#include "games/OxEx/OxExMessages.h"

namespace OxEx {

class NNBoard;

class NNHandler : public Bull::CBullHandler
{
public:
    // Subs 100 to 110 at their sizes; 109 and anything outside are refused.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Statuses 0, 100, 101 and 102 at their sizes (phase and restored flag
    // set first); other statuses are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The kernel's current board when it is this game's.
    NNBoard* Board() const;
    // The last playing scene (the board takes my cards from it while the
    // round is restored; the hint arranges them in place).
    CMD_S_StatusPlay& GetPlayScene() { return m_PlayScene; }
    uint8_t* SceneCards(uint16_t chair) override
    {
        return chair < GAME_PLAYER ? m_PlayScene.cbHandCardData[chair] : nullptr;
    }
    uint16_t SceneBanker() override { return m_PlayScene.wBankerUser; }

private:
    CMD_S_StatusPlay m_PlayScene{};
};

}  // namespace OxEx
