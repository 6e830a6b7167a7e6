// A bull-with-dice table in a headless kernel: a room of 100 chairs, my user
// 1000 on chair 5 with 8,800,000, and others on chairs 0 to 3. Messages go
// in as the room relays them; what the board sends is in room.sent.
#pragma once

#include "games/BankerTable.h"
#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/OXHandler.h"
#include "games/OxBattle/OxBattleMessages.h"
#include "games/OxBattle/OxBattleMobile.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace oxtest {

using banktest::Bytes;
using banktest::Bet;
using banktest::BytesOf;
using banktest::Free;
using banktest::Shows;
using banktest::Sized;

// Five hands of five cards, the banker's first: hand 0 bull 1, hand 1
// bull-bull, hand 2 no bull, hand 3 bull 8, hand 4 a joker bull.
extern const uint8_t kRoundCards[OxBattle::HAND_COUNT][OxBattle::CARDS_PER_HAND];

Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds);
OxBattle::RoundEndMessage EndRecord(uint8_t seconds, uint8_t die1 = 3, uint8_t die2 = 5, int64_t myScore = 900000);
Bytes End(uint8_t seconds, uint8_t die1 = 3, uint8_t die2 = 5, int64_t myScore = 900000);
Bytes Records(const std::vector<std::vector<uint8_t>>& won);
OxBattle::FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t condition);
OxBattle::PlayScene PlaySceneRecord(uint8_t status, uint8_t seconds, uint16_t banker);

class OxTest : public banktest::BankerTableTest
{
protected:
    void SetUp() override;

    using BankerTableTest::TapWidget;
    void TapWidget(const char* name) { TapWidget(board->GetWidget(name)); }
    // Free time, then betting with me not the banker (limit 2,000,000).
    void StartBetting(uint16_t banker = 1);
    // Which chip buttons take touches, by value.
    std::vector<int> UsableChips() const { return banktest::UsableChipsOf<int>(*board); }

    OxBattle::OXBoard* board = nullptr;
    OxBattle::OXHandler* ox = nullptr;
};

}  // namespace oxtest
