// The landlord game's message handler: checks each server message's size
// (and the chairs and counts in it), keeps what later steps need and hands
// the message to one reaction of the board. It sends nothing itself.
//
// The board reads and writes the kept values directly: the restored flag
// and table of a scene, the table record (the last out-card message), the
// free-lead flag and the three clock lengths.
#pragma once

#include "games/Land/LandMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace Land {

class LandBoard;

class LandHandler : public Sexy::CGameHandler
{
public:
    LandHandler() = default;
    ~LandHandler() override = default;

    // Subs 100 to 105 at their sizes; other subs are accepted and ignored.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Statuses 0 (56 bytes), 100 (79) and 101 (111); others accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The kernel's board as the landlord board; null outside a game.
    LandBoard* GetLandBoard() const;

    bool HasTableRecord() const { return m_bHasTableRecord; }
    const CMD_S_OutCard& GetTableRecord() const { return m_TableRecord; }
    void ReleaseTableRecord() { m_bHasTableRecord = false; }

    // A scene's table stands for the cards on the table only until the
    // messages say what lies there: my own play, any out-card message (the
    // table record takes over), a pass that ends the trick, banker info, a
    // deal, the game end and a new hand end it. Left standing, it would
    // judge every later follow of mine against a trick long gone.
    void BeginRestore();
    void EndRestore();

    // Set by a calling or playing scene (before its size is checked): while
    // set, the cards on the table are the restored ones below.
    uint8_t m_cbRestored = 0;
    // My next play leads (only its card type counts) rather than follows.
    uint8_t m_cbFreeLead = 1;
    uint32_t m_dwCallSeconds = 0;
    uint32_t m_dwOutCardSeconds = 0;
    uint32_t m_dwFirstSeconds = 0;
    // The table of the last playing scene (empty after a calling scene).
    uint8_t m_cbRestoredTurnCards[20] = {};
    uint8_t m_cbRestoredTurnCount = 0;
    uint8_t m_cbRestoredFreeLead = 0;

private:
    // The last out-card message, kept whole (25 bytes); absent at first.
    bool m_bHasTableRecord = false;
    CMD_S_OutCard m_TableRecord = {};
};

}  // namespace Land
