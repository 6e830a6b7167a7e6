// A car-brand table in a headless kernel: a room of 100 chairs, my user 1000
// on chair 5 with 8,800,000, and others on chairs 0 to 3. Messages go in as
// the room relays them; what the board sends is in room.sent.
#pragma once

#include "games/BankerTable.h"
#include "games/BumperCarBattle/BumperCarGame.h"
#include "games/BumperCarBattle/BumperCarMessages.h"
#include "games/BumperCarBattle/NNBoard.h"
#include "games/BumperCarBattle/NNHandler.h"

#include <string>
#include <utility>
#include <vector>

namespace cartest {

using banktest::Bytes;
using banktest::Bet;
using banktest::BytesOf;
using banktest::Free;
using banktest::Shows;
using banktest::Sized;

Bytes Start(uint16_t banker, uint8_t seconds, int64_t condition = 2000000);
BumperCarBattle::RoundEndMessage EndRecord(uint8_t seconds, uint8_t stopSlot);
Bytes End(uint8_t seconds, uint8_t stopSlot);
Bytes ChangeBanker(uint16_t chair);
Bytes Cancel(uint16_t chair);
BumperCarBattle::FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker);
BumperCarBattle::PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker, uint8_t carSlot);

class CarTest : public banktest::BankerTableTest
{
protected:
    void SetUp() override;

    // The middle of a widget in GL.
    cocos2d::CCPoint Middle(cocos2d::ui::Widget* widget) const;
    void TapWidget(cocos2d::ui::Widget* widget);
    void TapWidget(const char* name) { TapWidget(board->GetWidget(name)); }
    // Free time, then betting against the banker on chair 1.
    void StartBetting(uint16_t banker = 1, uint8_t seconds = 20);
    // Clicks the chip button of that value.
    void TakeChip(int value);
    // Chip values whose buttons take touches and show bright.
    std::vector<int> UsableChips() const;
    // How many times the game asked for a sound, by a part of its name.
    int Played(const std::string& sound) const;
    std::string LastChatLine() const;
    // Runs frames until the car has stopped (the run is about 12 s).
    void RunToTheEnd();

    BumperCarBattle::NNBoard* board = nullptr;
    BumperCarBattle::NNHandler* car = nullptr;
};

}  // namespace cartest
