// A four-beast wheel table in a headless kernel: a room of 100 chairs, my
// user 1000 on chair 5 with 8,800,000, others on chairs 0 to 3. Messages go
// in as the room relays them; what the board sends is in room.sent.
#pragma once

#include "games/BankerTable.h"
#include "games/TransferBattle/NNBoard.h"
#include "games/TransferBattle/NNHandler.h"
#include "games/TransferBattle/TransferBattleMessages.h"
#include "games/TransferBattle/TransferBattleMobile.h"

#include <string>
#include <utility>
#include <vector>

namespace tbtest {

using banktest::Bytes;
using banktest::Bet;
using banktest::BytesOf;
using banktest::Free;
using banktest::Shows;
using banktest::Sized;

Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds, int64_t minimum = 1000000);
TransferBattle::RoundEndMessage EndRecord(uint8_t seconds, uint8_t slot);
Bytes End(uint8_t seconds, uint8_t slot);
TransferBattle::FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t minimum);
TransferBattle::PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker);

class TransferTest : public banktest::BankerTableTest
{
protected:
    void SetUp() override;

    using BankerTableTest::TapWidget;
    void TapWidget(const char* name) { TapWidget(board->GetWidget(name)); }
    // Free time, then betting with chair 1 the banker (limit 2,000,000).
    void StartBetting(uint16_t banker = 1);
    // Which chip buttons take touches, by value.
    std::vector<int> UsableChips() const { return banktest::UsableChipsOf<int>(*board); }
    // The rows of the banker queue, by tag.
    std::vector<int> QueueRows() const;

    TransferBattle::NNBoard* board = nullptr;
    TransferBattle::NNHandler* tb = nullptr;
};

}  // namespace tbtest
