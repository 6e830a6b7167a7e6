// A bull-with-dice table in a headless kernel: a room of 100 chairs, my user
// 1000 on chair 5 with 8,800,000, and others on chairs 0 to 3. Messages go
// in as the room relays them; what the board sends is in room.sent.
#pragma once

#include "framework/KernelFixture.h"
#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/OXHandler.h"
#include "games/OxBattle/OxBattleMessages.h"
#include "games/OxBattle/OxBattleMobile.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace oxtest {

using Bytes = std::vector<uint8_t>;

template <typename Record>
Bytes BytesOf(const Record& record)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}

// Five hands of five cards, the banker's first: hand 0 bull 1, hand 1
// bull-bull, hand 2 no bull, hand 3 bull 8, hand 4 a joker bull.
extern const uint8_t kRoundCards[OxBattle::HAND_COUNT][OxBattle::CARDS_PER_HAND];

Bytes Free(uint8_t seconds);
Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds);
Bytes Bet(uint16_t chair, uint8_t area, int64_t amount);
OxBattle::RoundEndMessage EndRecord(uint8_t seconds, uint8_t die1 = 3, uint8_t die2 = 5, int64_t myScore = 900000);
Bytes End(uint8_t seconds, uint8_t die1 = 3, uint8_t die2 = 5, int64_t myScore = 900000);
Bytes Records(const std::vector<std::vector<uint8_t>>& won);
OxBattle::FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t condition);
OxBattle::PlayScene PlaySceneRecord(uint8_t status, uint8_t seconds, uint16_t banker);

class OxTest : public kt::KernelTest
{
protected:
    static constexpr uint16_t kMe = 5;
    static constexpr int64_t kMyScore = 8800000;

    void SetUp() override;
    // My user and three others; a test may seat others only.
    virtual void EnterUsers();

    bool Game(uint16_t sub, const Bytes& body) { return Packet(Sexy::MDM_GF_GAME, sub, body); }
    // The game status, then the scene record.
    bool Scene(uint8_t status, const Bytes& body);
    bool EnterUser(uint32_t userID, uint16_t chair, int64_t score);

    void ClearSent() { room.sent.clear(); }

    // A content-root point in GL.
    cocos2d::CCPoint World(const cocos2d::CCPoint& content) const;
    // A touch down and up on the middle of a widget of the layout.
    void TapWidget(cocos2d::ui::Widget* widget);
    void TapWidget(const char* name) { TapWidget(board->GetWidget(name)); }
    // Free time, then betting with me not the banker (limit 2,000,000).
    void StartBetting(uint16_t banker = 1);
    // Which chip buttons take touches, by value.
    std::vector<int> UsableChips() const;
    // How many times the game asked for a sound.
    int Played(const std::string& sound) const;
    // Children of the content root showing a picture.
    std::vector<cocos2d::CCSprite*> Showing(const char* picture) const;

    OxBattle::OXBoard* board = nullptr;
    OxBattle::OXHandler* ox = nullptr;
};

// Whether the sprite shows that picture.
bool Shows(cocos2d::CCSprite* sprite, const char* picture);

}  // namespace oxtest
