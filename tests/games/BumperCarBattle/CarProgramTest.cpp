// The car-brand table in the real program against roomsim, in a room of 100
// chairs where I sit on chair 5: every step the server takes after my entry
// waits for a click of mine (the banker queue's apply and cancel), my bets
// are clicks checked byte for byte, and what the table shows is read at
// the moments that matter. The clocks run four times as fast as the frames.
#include "games/GameProgram.h"

#include <string>
#include <vector>

using gameprogram::GameProgram;
using gameprogram::ShownNode;

namespace {

// Window pixels of the table's buttons, chips and areas.
constexpr const char* kApply = "136,620";  // the cancel button takes its place
constexpr const char* kChip1000000 = "599,533";
constexpr const char* kChip5000000 = "655,533";
constexpr const char* kArea1 = "283,224";
constexpr const char* kArea6 = "438,347";
constexpr const char* kRoom = "碰碰车 一号房";

// The chips lying on the areas: a restored table's are copies of the chip
// buttons, smaller than the buttons' row; a bet's is its chip's picture.
int TableChips(const std::vector<ShownNode>& shown)
{
    int chips = 0;
    for (const ShownNode& node : shown)
    {
        const bool copy =
            node.name.rfind("btn_jetton_", 0) == 0 && node.name.rfind("btn_jetton_area_", 0) != 0 && node.width < 40;
        const bool picture = node.kind == "ImageView" && node.Field("picture").rfind("BumperCarBattle/jetton_", 0) == 0;
        chips += copy || picture ? 1 : 0;
    }
    return chips;
}

// The amounts the areas show: each total and my bet, by label.
std::vector<std::string> AreaAmounts(const std::vector<ShownNode>& shown)
{
    std::vector<std::string> amounts;
    for (const ShownNode& node : shown)
    {
        if (node.name.rfind("atlasLabel_", 0) == 0 && node.name != "atlasLabel_game_timer")
            amounts.push_back(node.name.substr(11) + "=" + node.Field("text"));
    }
    return amounts;
}

// Entered in the betting, the areas hold a round's bets, mine among them;
// a result scene and the free message end that round with no run of the
// car here, and the whole free time shows none of its chips or amounts.
// Then two whole rounds: bets by clicks, the car's run to the result and
// the free time, which clears the areas as well; and the next start.
TEST_F(GameProgram, CarFreeTimeAfterARestoredRoundShowsNoneOfItsBets)
{
    const Outcome o = Play(
        "bumpercarbattle_free_after_restore.json", 108, kRoom, 1700,
        {Nodes(200, "restored_betting"), Shot(200, "bumpercar_restored_betting"), Click(240, kApply),
         Click(360, kApply), Nodes(420, "free_early"), Nodes(500, "free_late"), Shot(500, "bumpercar_restored_free"),
         Click(520, kApply), Click(580, kChip1000000), Click(600, kArea1), Click(630, kChip5000000),
         Click(650, kArea6), Nodes(700, "next_betting"), Click(720, kApply), Shot(950, "bumpercar_next_result"),
         Click(1000, kApply), Nodes(1060, "next_free"), Shot(1060, "bumpercar_next_free"), Click(1100, kApply),
         Click(1160, kChip5000000), Click(1180, kArea1), Click(1220, kApply), Click(1500, kApply),
         Nodes(1560, "last_free"), Click(1600, kApply)},
        {"--speed", "4"});
    ExpectClean(o);

    const std::vector<ShownNode> restored = Shown("restored_betting");
    EXPECT_EQ(AreaAmounts(restored),
              (std::vector<std::string>{"bsj_d=123456789", "bsj_d_self=12000000", "bm_d=56000100", "dz_d=5001000",
                                        "dz_d_self=1000000", "bsj_x=100", "bm_x=987654321", "bm_x_self=5000000",
                                        "bc_x=6101100", "bc_x_self=100000", "dz_x=15000"}));
    EXPECT_EQ(TableChips(restored), 136);
    for (const char* moment : {"free_early", "free_late"})
    {
        const std::vector<ShownNode> freeTime = Shown(moment);
        ASSERT_NE(Widget(freeTime, "btn_jetton_area_bsj_d"), nullptr) << moment;
        EXPECT_EQ(TableChips(freeTime), 0) << moment;
        EXPECT_EQ(AreaAmounts(freeTime), std::vector<std::string>{}) << moment;
    }
    // The next round's own bets only: the others' six and my two.
    const std::vector<ShownNode> betting = Shown("next_betting");
    EXPECT_EQ(TableChips(betting), 8);
    EXPECT_EQ(AreaAmounts(betting),
              (std::vector<std::string>{"bsj_d=6000000", "bsj_d_self=1000000", "bc_d=100000", "dz_d=10000",
                                        "bm_x=11000000", "bm_x_self=5000000", "dz_x=5000000"}));
    for (const char* moment : {"next_free", "last_free"})
    {
        const std::vector<ShownNode> freeTime = Shown(moment);
        ASSERT_NE(Widget(freeTime, "btn_jetton_area_bsj_d"), nullptr) << moment;
        EXPECT_EQ(TableChips(freeTime), 0) << moment;
        EXPECT_EQ(AreaAmounts(freeTime), std::vector<std::string>{}) << moment;
    }
}

// Entered in free time as the banker: the cancel button stands where the
// apply button was and my chips stay off through my bank's round, which the
// others bet. My cancel, in that round and in the next free time, is
// refused as any banker's is, and no apply goes out. The bank goes to chair
// 1 and a whole round follows by clicks: two bets, an apply and its cancel.
TEST_F(GameProgram, CarBankerEnteredInFreeTimeKeepsTheBankersButtons)
{
    const Outcome o = Play("bumpercarbattle_banker_restore.json", 108, kRoom, 1800,
                           {Shot(60, "bumpercar_banker_restored_free"), Click(190, kApply),
                            Shot(200, "bumpercar_banker_betting"), Click(620, kApply), Nodes(660, "refused"),
                            Shot(660, "bumpercar_banker_refused"), Click(1260, kChip1000000), Click(1280, kArea1),
                            Click(1310, kChip5000000), Click(1330, kArea6), Click(1360, kApply),
                            Shot(1400, "bumpercar_banker_next_betting"), Click(1420, kApply),
                            Shot(1660, "bumpercar_banker_next_result"), Shot(1760, "bumpercar_banker_next_free")},
                           {"--speed", "4"});
    ExpectClean(o);

    const std::vector<ShownNode> refused = Shown("refused");
    EXPECT_NE(Widget(refused, "btn_cancel_banker"), nullptr);
    EXPECT_EQ(Widget(refused, "btn_applay_banker"), nullptr);
    EXPECT_EQ(With(refused, "游戏已经开始，不能取消当庄").size(), 2u);
}

// Entered in free time as the banker, four queued; in that free time the
// bank goes to chair 0. My apply queues me and my cancel goes out (the
// scene's banker chair lasts until the round starts, but the bank is no
// longer mine), then a whole round under chair 0 by clicks.
TEST_F(GameProgram, CarBankerReplacedInFreeTimeCanLeaveTheQueue)
{
    const Outcome o = Play("bumpercarbattle_banker_replaced.json", 108, kRoom, 900,
                           {Click(180, kApply), Nodes(230, "queued"), Click(240, kApply), Nodes(270, "cancelled"),
                            Click(320, kChip1000000), Click(340, kArea1), Click(370, kChip5000000),
                            Click(390, kArea6), Click(420, kApply), Click(480, kApply),
                            Shot(700, "bumpercar_banker_replaced_result")},
                           {"--speed", "4"});
    ExpectClean(o);

    EXPECT_NE(Widget(Shown("queued"), "btn_cancel_banker"), nullptr);
    const std::vector<ShownNode> cancelled = Shown("cancelled");
    EXPECT_NE(Widget(cancelled, "btn_applay_banker"), nullptr);
    EXPECT_TRUE(With(cancelled, "不能取消当庄").empty());
}

}  // namespace
