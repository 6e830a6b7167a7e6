// A hold'em table in a headless kernel: my user 1000 sits on chair 2 of a
// six-chair table and users 2000 + chair sit on the others, so chair c is
// at view (c + 4) mod 6: chair 3 is view 1, chair 0 is view 4. Messages go
// in as the room relays them; what the board sends is in room.sent.
#pragma once

#include "framework/KernelFixture.h"
#include "games/CardText.h"
#include "games/DZPoKer/DZPoKerBoard.h"
#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPoKerMessages.h"
#include "games/DZPoKer/DZPoKerMobile.h"
#include "games/DZPoKer/DZPokerCardSprite.h"
#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/DZPokerProTimer.h"
#include "games/DZPoKer/MoveChipAnimation.h"

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace holdemtest {

using Bytes = std::vector<uint8_t>;
using Chairs = std::array<uint8_t, DZPoKer::GAME_PLAYER>;
using Amounts = std::array<int64_t, DZPoKer::GAME_PLAYER>;

template <typename Record>
Bytes BytesOf(const Record& record)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}

inline uint8_t Card(const std::string& text) { return cardtext::Cards(text).at(0); }

constexpr Chairs kAllPlaying = {1, 1, 1, 1, 1, 1};

struct Start
{
    uint16_t current = 2;
    uint16_t dealer = 0;
    int64_t cell = 100;
    int64_t allIn = 5000;
    int64_t follow = 100;
    int64_t startChip = 100;
    int32_t mask = 1;
    Chairs playing = kAllPlaying;
    std::string mine = "Aa Kb";  // my hole cards
};
Bytes StartBytes(const Start& s);

struct Action
{
    uint16_t current = DZPoKer::INVALID_CHAIR;
    uint16_t actor = 0;
    int64_t amount = 0;
    int32_t code = DZPoKer::ACTION_PASS;
    int64_t follow = 0;
    int64_t allIn = 5000;
    int64_t startChip = 100;
    int32_t mask = 0;
    int64_t followShow = 0;
};
Bytes ActionBytes(const Action& a);
Bytes GiveUpBytes(uint16_t chair);
Bytes SendCardBytes(int32_t mask, uint8_t runOut, uint16_t current, const std::string& cards);

struct End
{
    uint8_t showHand = 1;
    Amounts scores = {};
    std::array<std::string, DZPoKer::GAME_PLAYER> hole;
    std::array<std::string, DZPoKer::GAME_PLAYER> best;
    Chairs classes = {};
    Chairs potCount = {};
    std::array<std::vector<uint8_t>, DZPoKer::GAME_PLAYER> potIndex;
};
Bytes EndBytes(const End& e);
Bytes PotListBytes(const std::vector<int64_t>& pots, uint32_t count);

struct Playing
{
    int64_t cell = 100;
    int64_t allIn = 5000;
    int64_t follow = 200;
    int64_t startChip = 100;
    Amounts table = {};
    Amounts total = {};
    int64_t pot = 0;
    int64_t followShow = 200;
    uint16_t dealer = 0;
    uint16_t current = 2;
    Chairs playing = kAllPlaying;
    uint8_t round = 0;
    int32_t mask = 1;
    std::string centre;
    std::string mine = "Aa Kb";
};
Bytes PlayingBytes(const Playing& p);

// The amounts of a whole hand: the base bet, a raise, the pots and the
// results by chair.
struct HandAmounts
{
    int64_t cell = 100;
    int64_t raise = 200;
    std::vector<int64_t> pots = {1400, 600, 300};
    Amounts results = {1100, -100, 100, -500, -100, -400};
};

class HoldemTest : public kt::KernelTest
{
protected:
    static constexpr uint16_t kMe = 2;

    void SetUp() override;

    // The handler's answer (the kernel takes a refused message as a data error).
    bool Game(uint16_t sub, const Bytes& body)
    {
        return holdem->OnGameMessage(sub, body.empty() ? nullptr : body.data(), static_cast<uint16_t>(body.size()));
    }
    // The game status through the kernel, then the scene record.
    bool Scene(uint8_t status, const Bytes& body);
    bool EnterUser(uint32_t userID, uint16_t chair, uint8_t status = US_SIT);
    static uint16_t ViewOf(uint16_t chair) { return static_cast<uint16_t>((chair + 4) % 6); }

    // A tap on a widget where a player sees it.
    void Press(cocos2d::ui::Widget* widget);
    // Whether the button takes a tap now.
    static bool Offered(cocos2d::ui::Widget* widget);
    int Played(const std::string& sound) const;

    // A whole hand, from the free table to the next start, looked at in each
    // phase: "free", "dealt" (my turn), "the flop" and "add panel" (the
    // raise pop-up open), "pots" (three), "showdown", "paid", "ready again".
    void PlayAWholeHand(const HandAmounts& amounts, const std::function<void(const std::string&)>& look);

    // False: my own record never comes (the others sit all the same).
    virtual bool SeatMe() const { return true; }

    DZPoKer::DZPoKerBoard* board = nullptr;
    DZPoKer::DZPoKerHandler* holdem = nullptr;
};

class HoldemLookerTest : public HoldemTest
{
protected:
    bool SeatMe() const override { return false; }
};

// Whether the sprite shows that picture (a frame name or a file).
bool Shows(cocos2d::CCSprite* sprite, const char* picture);

}  // namespace holdemtest
