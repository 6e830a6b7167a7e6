// A red-nine table in a headless kernel (tcbtest::TwoCardTest), with the
// game's messages built field by field.
#pragma once

#include "TwoCardBanker/TwoCardFixture.h"
#include "games/RedNineBattle/RedBoard.h"
#include "games/RedNineBattle/RedHandler.h"
#include "games/RedNineBattle/RedNineBattleMessages.h"
#include "games/RedNineBattle/RedNineMobile.h"

namespace rntest {

using tcbtest::Bytes;
using tcbtest::Bet;
using tcbtest::BytesOf;
using tcbtest::FreeSceneRecord;
using tcbtest::kRoundCards;
using tcbtest::Sized;

// One of the results of a packed record (unaligned).
void SetResult(int32_t* results, int index, int32_t value);
Bytes Free(uint8_t seconds, uint16_t banker = 1);
Bytes Start(uint16_t banker, int64_t betLimit, int64_t myLimit, uint8_t seconds);
// Doors 1 and 2 won, door 3 lost; deal from hand 2.
RedNineBattle::RoundEndMessage EndRecord(uint8_t seconds, uint16_t banker = 1, int64_t myScore = 900000);
Bytes End(uint8_t seconds, uint16_t banker = 1, int64_t myScore = 900000);
Bytes Records(const std::vector<std::vector<uint8_t>>& doors);
RedNineBattle::PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker);

class RedNineTest : public tcbtest::TwoCardTest
{
protected:
    void SetUp() override;
    // Free time, then betting with me not the banker.
    void StartBetting(uint16_t banker = 1, int64_t betLimit = 50000000, int64_t myLimit = 2000000);

    RedNineBattle::RedBoard* board = nullptr;
};

}  // namespace rntest
