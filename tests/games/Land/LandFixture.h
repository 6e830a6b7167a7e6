// A landlord table in a headless kernel: my user 1000 sits on chair 1 of a
// three-chair table, with a man on chair 0 and a woman on chair 2, so my
// view 1 is chair 2 and view 2 is chair 0. Messages go in as the room
// relays them; what the board sends is in room.sent.
#pragma once

#include "games/CardText.h"
#include "games/NodeBoxes.h"
#include "framework/KernelFixture.h"
#include "games/Land/LandBoard.h"
#include "games/Land/LandHandler.h"
#include "games/Land/LandMessages.h"
#include "games/Land/LandMobile.h"

#include <cstring>
#include <string>
#include <vector>

namespace landtest {

using Bytes = std::vector<uint8_t>;

template <typename Record>
Bytes BytesOf(const Record& record, size_t size = sizeof(Record))
{
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + size);
}

inline Bytes Cards(const std::string& text) { return cardtext::Cards(text); }

Bytes Deal(uint16_t firstCaller, const std::string& cards);
Bytes Call(uint16_t next, uint16_t caller, uint8_t current, uint8_t call);
Bytes Banker(uint16_t landlord, const std::string& bottom);
Bytes Out(uint16_t current, uint16_t outChair, const std::string& cards);
Bytes Pass(uint8_t turnOver, uint16_t current, uint16_t passChair);
Bytes End(const int64_t (&scores)[3], const std::string& left0 = "", const std::string& left1 = "",
          const std::string& left2 = "");
Bytes FreeScene(uint8_t outSeconds, uint8_t callSeconds, uint8_t firstSeconds);

class LandTest : public kt::KernelTest
{
protected:
    static constexpr uint16_t kMe = 1;
    static constexpr uint16_t kLeft = 0;   // view 2
    static constexpr uint16_t kRight = 2;  // view 1

    void SetUp() override;

    bool Game(uint16_t sub, const Bytes& body) { return Packet(Sexy::MDM_GF_GAME, sub, body); }
    // The game status, then the scene record.
    bool Scene(uint8_t status, const Bytes& body);
    bool EnterUser(uint32_t userID, uint16_t chair, uint8_t gender);

    // A deal with me calling first, the calls over with me as landlord.
    void DealAndMakeMeLandlord(const std::string& hand, const std::string& bottom);

    void ClearSent() { room.sent.clear(); }

    // A content-root point in window pixels (top-left origin) and GL.
    cocos2d::CCPoint World(const cocos2d::CCPoint& content) const;
    void TapCard(Sexy::CardSprite* card);
    void DragCards(Sexy::CardSprite* from, Sexy::CardSprite* to);
    void PressButton(cocos2d::extension::CCControlButton* button);
    // My hand's sprites as they lie, and which are selected ("3a 5b").
    std::vector<Sexy::CardSprite*> MyHand() const;
    std::string Selected() const;
    Sexy::CardSprite* MyCard(const std::string& card) const;

    Land::LandBoard* board = nullptr;
    Land::LandHandler* land = nullptr;
    // Set before SetUp: the players of a busy room, names that fill their
    // field and scores of ten digits, mine below zero.
    bool busy = false;
};

std::string CardName(uint8_t card);

// Whether the sprite shows that picture.
bool Shows(cocos2d::CCSprite* sprite, const char* picture);
// The children of a node that show the picture.
std::vector<cocos2d::CCSprite*> ChildrenShowing(cocos2d::CCNode* parent, const char* picture);
// Where the score view's picture draws on the window: its clear rows below
// and clear columns on its left left out.
cocos2d::CCRect ScoreViewDrawing(cocos2d::CCNode* picture);

// What a player reads on the table, by name (cards of one hand or row, and
// the score view's parts, share a name): boxes of one name may overlap.
std::vector<nodeboxes::Box> TableBoxes(Land::LandBoard* board);

// How many times the game asked for a sound.
int Played(const kt::RecordingAudio& audio, const std::string& sound);

}  // namespace landtest
