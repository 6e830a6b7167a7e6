// Red nine in the real program against roomsim: a whole round played by
// clicks, and a table entered mid-round from each scene.
#include "TwoCardBanker/TwoCardProgram.h"

using tcbtest::TwoCardProgram;

namespace {

// Window pixels of the table's widgets (the content's origin is at (3, 7)
// from the window's bottom left).
constexpr const char* kBankerBox = "898,171";
constexpr const char* kChip10000 = "446,591";
constexpr const char* kChip100000 = "508,591";
constexpr const char* kDoor1 = "157,410";     // area 4
constexpr const char* kCorner12 = "335,410";  // area 6
constexpr const char* kManualOpen = "893,573";
constexpr const char* kMaximise = "1227,12";

// I queue for the banker, the banker changes, I bet 10,000 on door 1 and
// 100,000 on the corner of doors 1 and 2 by clicks (roomsim checks both
// requests byte for byte), switch to opening by hand, give up my place in
// the queue, and the round ends: the deal, the clock forcing the hands open
// at 10 s, the result with its score view; I queue again and the next free
// time clears the table. The clocks run four times as fast as the frames.
TEST_F(TwoCardProgram, RedNineRoundIsBetByClicksAndPlayedToTheResult)
{
    const Outcome o =
        Play("rednine_round.json", 106, 1000,
             {Click(240, kBankerBox), Click(300, kChip10000), Click(330, kDoor1), Click(360, kChip100000),
              Click(390, kCorner12), Click(420, kManualOpen), Shot(450, "rednine_betting"), Click(480, kBankerBox),
              Shot(530, "rednine_dealing"), Shot(600, "rednine_manual"), Shot(780, "rednine_result"),
              Click(800, kBankerBox), Shot(860, "rednine_free"), Click(880, kMaximise), Shot(960, "rednine_maximised")},
             4);
    ExpectClean(o);
}

// Entering in the middle of the betting restores the chips and amounts; a
// result scene lays the hands, their pictures and the score view out at
// once; a free scene shows the banker's panel.
TEST_F(TwoCardProgram, RedNineTableIsRestoredFromEachScene)
{
    const Outcome o =
        Play("rednine_restore.json", 106, 540,
             {Shot(210, "rednine_restore_betting"), Click(240, kBankerBox), Shot(330, "rednine_restore_result"),
              Click(360, kBankerBox), Shot(450, "rednine_restore_free")});
    ExpectClean(o);
}

// Entered in free time as the banker (five others queued), my box is
// ticked as a change of banker ticks it: unticked in the next free time it
// gives the bank up with the cancel request, not an apply. The next round
// bets on door 1 and the corner of doors 1 and 2.
TEST_F(TwoCardProgram, RedNineBankerEnteredInFreeTimeGivesTheBankUpByTheBox)
{
    PlayRestoredBanker("rednine", 106, {kBankerBox, {kChip10000, kChip100000}, {kDoor1, kCorner12}});
}

}  // namespace
