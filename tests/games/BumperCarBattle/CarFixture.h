// A car-brand table in a headless kernel: a room of 100 chairs, my user 1000
// on chair 5 with 8,800,000, and others on chairs 0 to 3. Messages go in as
// the room relays them; what the board sends is in room.sent.
#pragma once

#include "framework/KernelFixture.h"
#include "games/BumperCarBattle/BumperCarGame.h"
#include "games/BumperCarBattle/BumperCarMessages.h"
#include "games/BumperCarBattle/NNBoard.h"
#include "games/BumperCarBattle/NNHandler.h"

#include <string>
#include <utility>
#include <vector>

namespace cartest {

using Bytes = std::vector<uint8_t>;

template <typename Record>
Bytes BytesOf(const Record& record)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}

Bytes Free(uint8_t seconds);
Bytes Start(uint16_t banker, uint8_t seconds, int64_t condition = 2000000);
Bytes Bet(uint16_t chair, uint8_t area, int64_t amount);
BumperCarBattle::RoundEndMessage EndRecord(uint8_t seconds, uint8_t stopSlot);
Bytes End(uint8_t seconds, uint8_t stopSlot);
Bytes ChangeBanker(uint16_t chair);
Bytes Cancel(uint16_t chair);
BumperCarBattle::FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker);
BumperCarBattle::PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker, uint8_t carSlot);

class CarTest : public kt::KernelTest
{
protected:
    static constexpr uint16_t kMe = 5;
    static constexpr int64_t kMyScore = 8800000;

    void SetUp() override;
    virtual void EnterUsers();

    bool Game(uint16_t sub, const Bytes& body) { return Packet(Sexy::MDM_GF_GAME, sub, body); }
    // The game status, then the scene record.
    bool Scene(uint8_t status, const Bytes& body);
    bool EnterUser(uint32_t userID, uint16_t chair, int64_t score) { return Enter(userID, chair, US_SIT, score, 5); }

    void ClearSent() { room.sent.clear(); }

    // A content-root point in GL.
    cocos2d::CCPoint World(const cocos2d::CCPoint& content) const;
    // The middle of a widget in GL.
    cocos2d::CCPoint Middle(cocos2d::ui::Widget* widget) const;
    void TapWidget(cocos2d::ui::Widget* widget);
    void TapWidget(const char* name) { TapWidget(board->GetWidget(name)); }
    // Free time, then betting against the banker on chair 1.
    void StartBetting(uint16_t banker = 1, uint8_t seconds = 20);
    // Clicks the chip button of that value.
    void TakeChip(int value);
    // Chip values whose buttons take touches.
    std::vector<int> UsableChips() const;
    // How many times the game asked for a sound.
    int Played(const std::string& sound) const;
    std::string LastChatLine() const;
    // Runs frames until the car has stopped (the run is about 12 s).
    void RunToTheEnd();

    BumperCarBattle::NNBoard* board = nullptr;
    BumperCarBattle::NNHandler* car = nullptr;
};

// Whether the sprite shows that picture.
bool Shows(cocos2d::CCSprite* sprite, const char* picture);

}  // namespace cartest
