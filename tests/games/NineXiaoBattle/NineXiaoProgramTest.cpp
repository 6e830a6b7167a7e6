// Little nine in the real program against roomsim: a whole round played by
// clicks, and a table entered mid-round from each scene.
#include "TwoCardBanker/TwoCardProgram.h"

using tcbtest::TwoCardProgram;

namespace {

// Window pixels of the table's widgets (the content's origin is at (3, 7)
// from the window's bottom left).
constexpr const char* kBankerBox = "898,171";
constexpr const char* kChip10000 = "384,591";
constexpr const char* kChip100000 = "446,591";
constexpr const char* kArea1 = "193,415";
constexpr const char* kArea3 = "833,415";
constexpr const char* kPeek = "893,573";
constexpr const char* kMaximise = "1227,12";

// As red nine's round: I queue, the banker changes, I bet 10,000 on area 1
// and 100,000 on area 3 by clicks, switch to peeking, give up my place, and
// the round ends with the peek forced open by the clock; I queue again and
// the next free time clears the table.
TEST_F(TwoCardProgram, NineXiaoRoundIsBetByClicksAndPlayedToTheResult)
{
    const Outcome o = Play("ninexiao_round.json", 110, 1000,
                           {Click(240, kBankerBox), Click(300, kChip10000), Click(330, kArea1), Click(360, kChip100000),
                            Click(390, kArea3), Click(420, kPeek), Shot(450, "ninexiao_betting"),
                            Click(480, kBankerBox), Shot(530, "ninexiao_dealing"), Shot(600, "ninexiao_peek"),
                            Shot(780, "ninexiao_result"), Click(800, kBankerBox), Shot(860, "ninexiao_free"),
                            Click(880, kMaximise), Shot(960, "ninexiao_maximised")},
                           4);
    ExpectClean(o);
}

TEST_F(TwoCardProgram, NineXiaoTableIsRestoredFromEachScene)
{
    const Outcome o =
        Play("ninexiao_restore.json", 110, 540,
             {Shot(210, "ninexiao_restore_betting"), Click(240, kBankerBox), Shot(330, "ninexiao_restore_result"),
              Click(360, kBankerBox), Shot(450, "ninexiao_restore_free")});
    ExpectClean(o);
}

// Entered in free time as the banker (five others queued), my box is
// ticked as a change of banker ticks it: unticked in the next free time it
// gives the bank up with the cancel request, not an apply. The next round
// bets on areas 1 and 3.
TEST_F(TwoCardProgram, NineXiaoBankerEnteredInFreeTimeGivesTheBankUpByTheBox)
{
    PlayRestoredBanker("ninexiao", 110, {kBankerBox, {kChip10000, kChip100000}, {kArea1, kArea3}});
}

}  // namespace
