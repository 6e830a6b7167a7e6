// What the room accepts from its server: every main and sub at and around
// its size rule. False closes the connection, so a refusal here is a
// decision to drop the server.
#include "RoomFixture.h"

#include "room/CDlgSpeaker.h"
#include "ui/WindyTopLayer.h"

#include <functional>

namespace roomtest {
namespace {

class RoomDispatch : public RoomFixture
{};

struct Case
{
    uint16_t main;
    uint16_t sub;
    Bytes data;
    bool accepted;
};

Bytes Zeros(size_t n) { return Bytes(n, 0); }

Bytes Chat(uint16_t count, size_t extraUnits = 0)
{
    Bytes b = Zeros(270 + 2 * (count + extraUnits));
    b[0] = static_cast<uint8_t>(count);
    b[1] = static_cast<uint8_t>(count >> 8);
    return b;
}

Bytes Notice(uint16_t flags, uint16_t length, size_t bytes)
{
    Bytes b;
    PutU16(b, flags);
    PutU16(b, length);
    b.resize(bytes, 'a');
    return b;
}

TEST_F(RoomDispatch, EveryCommandKeepsItsSizeRule)
{
    LogOn(4, 3, MeAnd({}));
    const std::vector<Case> cases = {
        // log-on: success and finish read nothing; refusal needs its 6 bytes
        {1, 101, Zeros(5), false},
        {1, 103, Zeros(1), true},
        {1, 7, Bytes(), true},
        // configuration
        {2, 101, Zeros(25), false},
        {2, 101, Config(4, 3), true},
        {2, 100, Zeros(3), true},
        // users
        {3, 100, Zeros(81), false},
        {3, 101, Zeros(56), false},
        {3, 101, UserScore(424242, 1, 1), true},  // unknown user: accepted, nothing changes
        {3, 102, Zeros(24), false},
        {3, 102, UserStatus(424242, 0, 0, 2), true},
        {3, 103, Zeros(4), false},
        {3, 103, Zeros(5), true},
        {3, 211, Zeros(269), false},
        {3, 211, Chat(0), true},
        {3, 211, Chat(2), true},
        {3, 211, Chat(2, 1), false},  // one unit more than its count
        {3, 211, Chat(0, 1), false},
        {3, 302, Zeros(5), false},
        {3, 302, Zeros(6), true},
        {3, 308, Zeros(393), false},
        {3, 308, Zeros(395), false},
        {3, 308, Zeros(394), true},
        {3, 70, Zeros(15), false},
        {3, 70, Zeros(17), false},
        {3, 70, Zeros(16), true},
        {3, 5, Zeros(1), true},
        {3, 212, Zeros(2), true},
        {3, 213, Bytes(), true},
        {3, 214, Zeros(9), true},
        {3, 301, Zeros(1), true},
        {3, 303, Zeros(1), true},
        {3, 304, Zeros(1), true},
        {3, 999, Zeros(1), true},
        // tables
        {4, 100, Zeros(1), false},
        {4, 100, TableList({{0, 1}, {1, 0}, {0, 0}}), true},
        {4, 101, Zeros(3), false},
        {4, 101, Zeros(5), false},
        {4, 101, TableState(1, 1, 0), true},
        {4, 7, Zeros(3), true},
        // bank replies without a bank dialog go to the game
        {5, 1, Zeros(10), true},
        // game traffic up to its limit
        {100, 100, Zeros(16209), true},
        {100, 100, Zeros(16210), false},
        {200, 3, Zeros(4), true},
        {200, 3, Zeros(16210), false},
        // notices: more than 4 bytes and exactly 4 + 2 x length
        {1000, 1, Notice(1, 0, 4), false},
        {1000, 1, Notice(1, 2, 7), false},
        {1000, 1, Notice(1, 2, 8), true},
        {1000, 2, Zeros(1), true},
        {1000, 9, Zeros(1), true},
        // unknown mains
        {6, 1, Zeros(3), true},
        {7, 0, Bytes(), true},
        {999, 9, Zeros(2), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(c.main, c.sub, c.data), c.accepted) << c.main << "/" << c.sub << " of " << c.data.size();
}

// The room's texts and the loudspeaker allowance, at every size from 0 to
// two past their own: only the size their rule gives is taken.
TEST_F(RoomDispatch, TextMessagesTakeOnlyTheirOwnSize)
{
    LogOn(4, 3, MeAnd({}));
    struct Rule
    {
        uint16_t main;
        uint16_t sub;
        size_t own;  // the one size taken
        std::function<Bytes(size_t)> make;
    };
    const auto chatOf = [](uint16_t count) {
        return [count](size_t size) {
            Bytes b(size, 'c');
            if (size >= 2)
            {
                b[0] = static_cast<uint8_t>(count);
                b[1] = static_cast<uint8_t>(count >> 8);
            }
            return b;
        };
    };
    const auto noticeOf = [](uint16_t length) {
        return [length](size_t size) {
            Bytes b(size, 'n');
            if (size >= 4)
            {
                b[0] = 1;
                b[1] = 0;
                b[2] = static_cast<uint8_t>(length);
                b[3] = static_cast<uint8_t>(length >> 8);
            }
            return b;
        };
    };
    const std::vector<Rule> rules = {
        {3, 70, 16, Zeros},       {3, 308, 394, Zeros},      {3, 211, 270, chatOf(0)},
        {3, 211, 276, chatOf(3)}, {1000, 1, 6, noticeOf(1)}, {1000, 1, 24, noticeOf(10)},
    };
    for (const Rule& rule : rules)
    {
        for (size_t size = 0; size <= rule.own + 2; ++size)
            EXPECT_EQ(Read(rule.main, rule.sub, rule.make(size)), size == rule.own)
                << rule.main << "/" << rule.sub << " of " << size;
        // Whatever opened meanwhile (the loudspeaker dialog) goes again.
        room->removeChildByTag(CDlgSpeaker::kDialogTag, true);
    }
    // The room message needs its 6 bytes before the text; any text is taken.
    for (size_t size = 0; size <= 9; ++size)
        EXPECT_EQ(Read(3, 302, Zeros(size)), size >= 6) << size;
}

// Refusals must change nothing: a short refusal shows no dialog.
TEST_F(RoomDispatch, ShortRefusalShowsNothing)
{
    MakeRoom();
    room->OnSocketLink(0, "", socket);
    EXPECT_FALSE(Read(1, 101, Zeros(5)));
    EXPECT_EQ(room->GetRoomState(), RoomScene::kRoomLinked);
    EXPECT_EQ(CountDialogs(), 0);
}

}  // namespace
}  // namespace roomtest
