// A horse-race table in a headless kernel: a room of 100 chairs, my user
// 1000 on chair 5 with 8,800,000, others on chairs 0 to 3. Messages go in
// as the room relays them; what the board sends is in room.sent.
#pragma once

#include "games/BankerTable.h"
#include "games/HorseBattle/HorseBattleMessages.h"
#include "games/HorseBattle/HorseBattleMobile.h"
#include "games/HorseBattle/PaoMaBoard.h"
#include "games/HorseBattle/PaoMaHandler.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace hbtest {

using banktest::Bytes;
using banktest::BytesOf;
using banktest::Shows;
using banktest::Sized;

Bytes RoundStart(int32_t seconds);
Bytes BetEnd(int32_t seconds);
// A race won by `first` and `second`, every horse's course rising evenly
// to a last value of its own (a steady, readable race).
std::unique_ptr<HorseBattle::RaceMessage> RaceRecord(int32_t seconds, uint8_t first, uint8_t second);
Bytes Race(int32_t seconds, uint8_t first, uint8_t second);
Bytes BetPlaced(uint16_t chair, int area, int64_t amount);
Bytes BetFailed(uint16_t chair, uint8_t reason, int area, int64_t amount);
Bytes Free(int32_t seconds, uint32_t round, uint32_t winArea, uint32_t odds = 5);
HorseBattle::SceneHead SceneHeadOf(int32_t seconds, int records);
std::unique_ptr<HorseBattle::FreeScene> FreeSceneRecord(int32_t seconds, int records = 3);
std::unique_ptr<HorseBattle::BettingScene> BettingSceneRecord(int32_t seconds);
std::unique_ptr<HorseBattle::LineUpScene> LineUpSceneRecord(int32_t seconds);
std::unique_ptr<HorseBattle::RaceScene> RaceSceneRecord(int32_t seconds, uint8_t first, uint8_t second);

class HorseTest : public banktest::BankerTableTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A free scene with the limits, then betting open.
    void OpenBetting(int64_t areaLimit = 100000000, int64_t userAreaLimit = 5000000);
    // The request I sent last: its fifteen amounts (none when the last was
    // no bet).
    std::vector<int64_t> LastRequest() const;
    // The texts of the message boxes shown since the test began (UTF-8).
    std::vector<std::string> Notices() const;

    HorseBattle::PaoMaBoard* board = nullptr;
    HorseBattle::PaoMaHandler* hb = nullptr;
};

}  // namespace hbtest
