// A five-card stud table in a headless kernel, entered as the room enters
// it: my user 1000 on a chair of the two-chair table, the other player 2001
// on the other one. Messages go in as the room relays them; what the game
// sends is read back from room.sent.
#pragma once

#include "games/TableTest.h"
#include "games/ShowHandANEx/NNBoard.h"
#include "games/ShowHandANEx/NNHandler.h"
#include "games/ShowHandANEx/ShowHandANExMessages.h"
#include "games/ShowHandANEx/ShowHandANExMobile.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace studtest {

using kt::Bytes;
using kt::BytesOf;

// The messages, with what the tests vary.
Bytes Start(uint16_t current, uint8_t myHidden, uint8_t shown0, uint8_t shown1, int64_t cell, int64_t cap = 1000000);
Bytes Action(uint16_t acting, uint16_t current, int64_t amount, int64_t follow, uint8_t showHand = 0, uint8_t flag0 = 0,
             uint8_t flag1 = 0, uint16_t followMode = 0);
Bytes GiveUpMessage(uint16_t chair, uint32_t endMode);
Bytes Send(uint16_t current, uint8_t count, const uint8_t (&cards)[2][2]);
Bytes End(int64_t score0, int64_t score1, uint8_t hidden0, uint8_t hidden1);

struct PlayScene
{
    uint16_t current = 0;
    uint8_t cardCount = 2;
    uint8_t cards[2][5] = {};
    int64_t cell = 100;
    int64_t followBase = 0;
    int64_t amounts[2][2] = {};
    uint16_t showHandMode = 0;
    int64_t cap = 0;
    uint8_t showHand = 0;
    uint8_t flags[2] = {};
};
Bytes Scene(const PlayScene& scene);

class StudTest : public kt::TableTest
{
protected:
    static constexpr uint32_t kMeID = 1000;
    static constexpr uint32_t kOtherID = 2001;
    static constexpr int64_t kMyScore = 50000;

    // Seats me on myChair (the other player on the other chair) and shows the game.
    void EnterTable(uint16_t myChair);
    void SetUp() override;

    // Table time in whole frames of 1/60 s, none drawn.
    static void Run(int frames) { Frames(frames); }
    // The game requests (main 200) sent since the last call, as (sub, payload).
    std::vector<std::pair<uint16_t, Bytes>> Sends()
    {
        auto out = SentGame();
        room.sent.clear();
        return out;
    }
    int Played(const std::string& sound) const;

    ShowHandANEx::NNBoard* board = nullptr;
    ShowHandANEx::NNHandler* stud = nullptr;
    uint16_t me = 0;
    uint16_t other = 1;
    // Set before EnterTable: the players of a busy room, names that fill
    // their field and scores of ten digits.
    bool busy = false;
};

// A request body sub 1: its amount and kind.
int64_t AmountOf(const Bytes& body);

}  // namespace studtest
