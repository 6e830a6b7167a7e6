// A four-beast wheel table in a headless kernel: a room of 100 chairs, my
// user 1000 on chair 5 with 8,800,000, others on chairs 0 to 3. Messages go
// in as the room relays them; what the board sends is in room.sent.
#pragma once

#include "framework/KernelFixture.h"
#include "games/TransferBattle/NNBoard.h"
#include "games/TransferBattle/NNHandler.h"
#include "games/TransferBattle/TransferBattleMessages.h"
#include "games/TransferBattle/TransferBattleMobile.h"

#include <string>
#include <utility>
#include <vector>

namespace tbtest {

using Bytes = std::vector<uint8_t>;

template <typename Record>
Bytes BytesOf(const Record& record)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}

Bytes Free(uint8_t seconds);
Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds, int64_t minimum = 1000000);
Bytes Bet(uint16_t chair, uint8_t area, int64_t amount);
TransferBattle::RoundEndMessage EndRecord(uint8_t seconds, uint8_t slot);
Bytes End(uint8_t seconds, uint8_t slot);
TransferBattle::FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t minimum);
TransferBattle::PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker);

class TransferTest : public kt::KernelTest
{
protected:
    static constexpr uint16_t kMe = 5;
    static constexpr int64_t kMyScore = 8800000;

    void SetUp() override;

    bool Game(uint16_t sub, const Bytes& body) { return Packet(Sexy::MDM_GF_GAME, sub, body); }
    // The game status, then the scene record.
    bool Scene(uint8_t status, const Bytes& body);
    bool EnterUser(uint32_t userID, uint16_t chair, int64_t score) { return Enter(userID, chair, US_SIT, score, 5); }

    void ClearSent() { room.sent.clear(); }
    // A touch down and up on the middle of a widget of the layout.
    void TapWidget(cocos2d::ui::Widget* widget);
    void TapWidget(const char* name) { TapWidget(board->GetWidget(name)); }
    // Free time, then betting with chair 1 the banker (limit 2,000,000).
    void StartBetting(uint16_t banker = 1);
    // Which chip buttons take touches, by value.
    std::vector<int> UsableChips() const;
    int Played(const std::string& sound) const;
    // Children of the content root showing a picture.
    std::vector<cocos2d::CCSprite*> Showing(const char* picture) const;
    // The rows of the banker queue, by tag.
    std::vector<int> QueueRows() const;

    TransferBattle::NNBoard* board = nullptr;
    TransferBattle::NNHandler* tb = nullptr;
};

// Whether the sprite shows that picture (a file or a sheet frame).
bool Shows(cocos2d::CCSprite* sprite, const char* picture);

}  // namespace tbtest
