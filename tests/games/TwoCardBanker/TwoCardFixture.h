// A two-card banker table in a headless kernel: a room of 100 chairs, my
// user 1000 on chair 5 with 8,800,000, and others on chairs 0 to 3. Messages
// go in as the room relays them; what the board sends is in room.sent. Each
// game's fixture enters its own kind.
#pragma once

#include "framework/KernelFixture.h"
#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/TwoCardBanker/TwoCardHandler.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace tcbtest {

using Bytes = std::vector<uint8_t>;

template <typename Record>
Bytes BytesOf(const Record& record)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}

// The bytes cut or padded with zeros to `size`.
inline Bytes Sized(Bytes body, size_t size)
{
    body.resize(size, 0);
    return body;
}

// Whether the sprite shows that picture.
bool Shows(cocos2d::CCSprite* sprite, const char* picture);

// Four hands, the banker's first: (red Q, black Q), (red 2, red 8),
// (black A, black 4), (red 9, black 6).
extern const uint8_t kRoundCards[TwoCardBanker::CARD_COUNT];

class TwoCardTest : public kt::KernelTest
{
protected:
    static constexpr uint16_t kMe = 5;
    static constexpr int64_t kMyScore = 8800000;

    // Enters the kind's game; the board and handler are then set.
    void EnterGame(const Sexy::GameKindModuleInfo& kind);
    // My user and three others; a test may seat others only.
    virtual void EnterUsers();

    bool Game(uint16_t sub, const Bytes& body) { return Packet(Sexy::MDM_GF_GAME, sub, body); }
    // The game status, then the scene record.
    bool Scene(uint8_t status, const Bytes& body);
    // Straight to the handler, as the kernel calls it.
    bool Message(uint16_t sub, const Bytes& body);
    bool SceneRecord(uint8_t status, const Bytes& body);
    bool EnterUser(uint32_t userID, uint16_t chair, int64_t score);

    void ClearSent() { room.sent.clear(); }
    Bytes BetRequest(uint8_t area, int64_t amount) const;

    // A content-root point in GL.
    cocos2d::CCPoint World(const cocos2d::CCPoint& content) const;
    // A mouse move, press and release on the middle of a widget of the layout.
    void ClickWidget(cocos2d::ui::Widget* widget);
    void ClickWidget(const char* name) { ClickWidget(base->GetWidget(name)); }
    // Which chip buttons take touches, by value.
    std::vector<int64_t> UsableChips() const;
    // How many times the game asked for a sound.
    int Played(const std::string& sound) const;
    // Children of the content root showing a picture.
    std::vector<cocos2d::CCSprite*> Showing(const char* picture) const;
    // The visible chips on the table.
    size_t ShownChips() const;
    // The record strip's column: its mark images' pictures from the top down.
    std::vector<std::string> MarksOf(int column) const;
    // The chat's lines, as sender | message (UTF-8).
    std::vector<std::string> ChatLines() const;

    TwoCardBanker::CTwoCardBoard* base = nullptr;
    TwoCardBanker::CTwoCardHandler* twoCard = nullptr;
};

}  // namespace tcbtest
