// San Gong in the real program against roomsim, me on chair 2 of six: a
// whole round played by clicks, and a table entered mid-round, first as a
// seated watcher, then from each scene.
#include "games/GameProgram.h"

using gameprogram::GameProgram;

namespace {

// Window pixels of the table's buttons (the table's origin is at (5, 5)
// from the window's bottom left).
constexpr const char* kStart = "515,622";
constexpr const char* kRob = "355,394";
constexpr const char* kNoRob = "705,394";
constexpr const char* kBetHalf = "510,394";
constexpr const char* kBetThird = "710,394";
constexpr const char* kShow = "650,457";
constexpr const char* kHandSign = "385,457";
constexpr const char* kRoom = "三公 一号房";

TEST_F(GameProgram, ThreeKingRoundIsPlayedByClicks)
{
    const Outcome o = Play("threeking_round.json", 9, kRoom, 700,
                           {Click(110, kStart), Shot(190, "threeking_rob"), Click(210, kRob), Shot(300, "threeking_bet"),
                            Click(320, kBetHalf), Click(420, kHandSign), Shot(440, "threeking_dealt"),
                            Click(460, kShow), Shot(560, "threeking_result"), Click(600, kStart),
                            Shot(660, "threeking_next")});
    ExpectClean(o);
}

TEST_F(GameProgram, ThreeKingTableIsRestoredFromEachScene)
{
    const Outcome o =
        Play("threeking_restore.json", 9, kRoom, 800,
             {Shot(120, "threeking_restore_wait"), Shot(280, "threeking_restore_others"), Click(320, kStart),
              Shot(370, "threeking_restore_call"), Click(390, kNoRob), Shot(440, "threeking_restore_bet"),
              Click(460, kBetThird), Shot(510, "threeking_restore_play"), Click(530, kShow),
              Shot(640, "threeking_restore_result"), Click(680, kStart), Shot(760, "threeking_restore_next")});
    ExpectClean(o);
}

}  // namespace
