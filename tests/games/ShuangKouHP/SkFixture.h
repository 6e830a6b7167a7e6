// A Shuang Kou table in a headless kernel, entered as the room enters it: my
// user 1000 on a chair of the two-chair table, the other player 2001 (a
// woman) on the other. Messages go in as the room relays them; what the board
// sends is read back from room.sent.
#pragma once

#include "Cards.h"
#include "games/TableTest.h"
#include "games/ShuangKouHP/HPBoard.h"
#include "games/ShuangKouHP/HPHandler.h"
#include "games/ShuangKouHP/ShuangKouMessages.h"
#include "games/ShuangKouHP/ShuangKouMobile.h"

#include <string>
#include <utility>
#include <vector>

namespace sktest {

using kt::Bytes;
using kt::BytesOf;

Bytes Start(int64_t baseScore);
// Cards are written as in the rule tests: "3 3 4 s b".
Bytes Deal(uint16_t current, const std::string& hand);
// Each chair's counter and score as the record carries them: chair 1's below zero.
Bytes Out(uint16_t outChair, uint16_t current, const std::string& cards, int64_t score0 = 120, int64_t score1 = -120,
          int32_t counter0 = 3, int32_t counter1 = 4);
Bytes Pass(uint16_t passChair, uint16_t current);
Bytes End(int64_t myChange, int64_t otherChange, uint16_t me, const std::string& otherLeft = "", int64_t shown = 0);

struct PlayScene
{
    std::string hand;
    uint8_t counts[2] = {27, 27};
    std::string table;
    uint16_t turn = 0;
    uint16_t current = 0;
    int64_t base = 10;
    int64_t scores[2] = {};
    int32_t counters[2] = {};
};
Bytes Scene(const PlayScene& scene);

class SkTest : public kt::TableTest
{
protected:
    static constexpr uint32_t kMeID = 1000;
    static constexpr uint32_t kOtherID = 2001;

    void SetUp() override;
    // Seats me on myChair and shows the game.
    void EnterTable(uint16_t myChair);
    // A deal of the hand with me leading or not, its animation run out.
    void DealHand(const std::string& hand, bool iLead);

    static void Run(int frames) { Frames(frames); }
    // The game requests (main 200) sent since the last call, as (sub, payload).
    std::vector<std::pair<uint16_t, Bytes>> Sends()
    {
        auto out = SentGame();
        room.sent.clear();
        return out;
    }
    int Played(const std::string& sound) const;

    // My hand's shown sprites in order, and taps on them.
    std::vector<Sexy::CardSprite*> MyHand() const;
    void TapCard(Sexy::CardSprite* card);
    void DragCards(Sexy::CardSprite* from, Sexy::CardSprite* to);
    // The selected cards' faces as text ("3 3 s").
    std::string Selected() const;
    // Selects the cards of the text (first matching sprites) by tapping.
    void Select(const std::string& cards);

    ShuangKouHP::HPBoard* board = nullptr;
    ShuangKouHP::HPHandler* sk = nullptr;
    uint16_t me = 0;
    uint16_t other = 1;
    // Set before EnterTable: the players of a busy room, names that fill
    // their field and scores of ten digits, mine below zero.
    bool busy = false;
};

// A sent out-card request as text, and its count.
std::string PlayedText(const Bytes& request);

}  // namespace sktest
