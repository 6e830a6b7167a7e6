// A little-nine table in a headless kernel (tcbtest::TwoCardTest), with the
// game's messages built field by field.
#pragma once

#include "TwoCardBanker/TwoCardFixture.h"
#include "games/NineXiaoBattle/NineXiaoBattleMessages.h"
#include "games/NineXiaoBattle/NineXiaoMobile.h"
#include "games/NineXiaoBattle/RedBoard.h"
#include "games/NineXiaoBattle/RedHandler.h"

namespace nxtest {

using tcbtest::Bytes;
using tcbtest::Bet;
using tcbtest::BytesOf;
using tcbtest::FreeSceneRecord;
using tcbtest::kRoundCards;
using tcbtest::Sized;

// Results of a packed record, written unaligned.
void SetResults(int32_t* results, int32_t area1, int32_t area2, int32_t area3);
Bytes Free(uint8_t seconds);
Bytes Start(uint16_t banker, int64_t betLimit, int64_t myLimit, uint8_t seconds);
// Area 1 won, area 2 lost, area 3 tied; deal from hand 2.
NineXiaoBattle::RoundEndMessage EndRecord(uint8_t seconds, int64_t myScore = 900000);
Bytes End(uint8_t seconds, int64_t myScore = 900000);
Bytes Records(const std::vector<std::vector<int32_t>>& results);
NineXiaoBattle::PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker);

class NineXiaoTest : public tcbtest::TwoCardTest
{
protected:
    void SetUp() override;
    // A change of banker, free time, then betting with me not the banker.
    void StartBetting(uint16_t banker = 1, int64_t betLimit = 50000000, int64_t myLimit = 2000000);

    NineXiaoBattle::RedBoard* board = nullptr;
};

}  // namespace nxtest
