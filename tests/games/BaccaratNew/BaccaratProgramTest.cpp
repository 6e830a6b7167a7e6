// Baccarat in the real program against roomsim, me on chair 5 of a room of
// 100: a shoe of records, a round bet by clicks to its result and records,
// the charts, and a table entered mid-round from each scene. The clocks run
// four times as fast as the frames.
#include "games/GameProgram.h"

using gameprogram::GameProgram;

namespace {

// Window pixels of the table (its origin is at (5, 7) from the window's
// bottom left).
constexpr const char* kApplyOrCancel = "705,155";
constexpr const char* kChip1W = "543,579";
constexpr const char* kChip10W = "617,579";
constexpr const char* kChip1000 = "469,579";
constexpr const char* kAreaPlayer = "231,450";
constexpr const char* kAreaTie = "513,450";
constexpr const char* kAreaBankerPair = "875,280";
constexpr const char* kCharts = "787,741";
constexpr const char* kChartsClose = "938,126";
constexpr const char* kRoom = "百家乐 一号房";

TEST_F(GameProgram, BaccaratRoundIsBetByClicksAndRecorded)
{
    const Outcome o =
        Play("baccarat_round.json", 122, kRoom, 1080,
             {Shot(100, "baccarat_free"), Click(120, kApplyOrCancel), Click(230, kChip1W), Click(250, kAreaPlayer),
              Click(270, kChip10W), Click(290, kAreaBankerPair), Shot(320, "baccarat_betting"),
              Click(340, kApplyOrCancel), Shot(372, "baccarat_dealing"), Shot(430, "baccarat_dealt"),
              Shot(600, "baccarat_result"), Click(640, kApplyOrCancel), Shot(700, "baccarat_recorded"),
              Click(720, kCharts), Shot(760, "baccarat_charts"), Click(780, kChartsClose), Click(800, kApplyOrCancel),
              Shot(900, "baccarat_tie"), Click(940, kApplyOrCancel), Shot(1040, "baccarat_new_cycle")},
             {"--speed", "4"});
    ExpectClean(o);
}

// Entered in the betting the stakes wait for the next bet to be drawn; I bet
// by click; the result scene lays the cards as they stand and my result
// rises; the round ends and the free scene tells the banker and limits.
TEST_F(GameProgram, BaccaratTableIsRestoredFromEachScene)
{
    const Outcome o = Play("baccarat_restore.json", 122, kRoom, 560,
                           {Shot(90, "baccarat_restore_entered"), Shot(180, "baccarat_restore_betting"),
                            Click(200, kChip1000), Click(220, kAreaTie), Shot(250, "baccarat_restore_result"),
                            Shot(360, "baccarat_restore_result_panel"), Click(380, kApplyOrCancel),
                            Shot(420, "baccarat_restore_free"), Click(440, kApplyOrCancel),
                            Shot(500, "baccarat_restore_end")},
                           {"--speed", "4"});
    ExpectClean(o);
}

// Entered in free time as the banker, I keep a banker's buttons: my bank's
// round is dealt from the server's messages (I bet nothing), and in the
// next free time the cancel button steps me down with the request a banker
// made by the change of banker sends; the round after I bet 10,000 on the
// player by clicks and queue again.
TEST_F(GameProgram, BaccaratBankerEnteredInFreeTimeStepsDownByTheCancelButton)
{
    const Outcome o =
        Play("baccarat_banker_restored.json", 122, kRoom, 1560,
             {Shot(200, "baccarat_banker_betting"), Shot(560, "baccarat_banker_result"),
              Shot(850, "baccarat_banker_free"), Click(880, kApplyOrCancel), Click(940, kChip1W),
              Click(970, kAreaPlayer), Shot(1010, "baccarat_banker_next_betting"),
              Shot(1400, "baccarat_banker_next_result"), Click(1440, kApplyOrCancel),
              Shot(1520, "baccarat_banker_next_free")},
             {"--speed", "4"});
    ExpectClean(o);
}

}  // namespace
