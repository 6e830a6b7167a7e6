// The message handler of the four-seat bull game (kind 27): checks each
// message's size, keeps what the round needs and calls the board.
#pragma once

#include "games/BullTable/BullHandler.h"
#include "games/OxNew/OxNewMessages.h"

namespace OxNew {

class NNBoard;

class NNHandler : public Bull::CBullHandler
{
public:
    // Subs 100 to 106 at their sizes, 102 and 110 at any; the rest refused.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Statuses 0, 100, 101 and 102 at their sizes (a betting scene at any
    // size while I sit without playing); other statuses are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    NNBoard* Board() const;
    CMD_S_StatusCall& GetCallScene() { return m_CallScene; }
    CMD_S_StatusPlay& GetPlayScene() { return m_PlayScene; }
    bool SitsOut() override { return IsMeNotPlaying(); }
    uint8_t* SceneCards(uint16_t chair) override
    {
        return chair < GAME_PLAYER ? m_PlayScene.cbHandCardData[chair] : nullptr;
    }
    bool ScenePlays(uint16_t chair) override { return chair < GAME_PLAYER && m_PlayScene.cbPlayStatus[chair] != 0; }
    uint16_t SceneBanker() override { return m_PlayScene.wBankerUser; }
    // Which seats play the round, as the board's deal found them.
    uint8_t m_cbInPlay[GAME_PLAYER] = {};

private:
    CMD_S_StatusCall m_CallScene{};
    CMD_S_StatusPlay m_PlayScene{};
};

}  // namespace OxNew
