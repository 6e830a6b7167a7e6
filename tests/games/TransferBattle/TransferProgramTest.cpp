// The four-beast wheel in the real program against roomsim, in a room of
// 100 chairs where I sit on chair 5: my requests are clicks on the table,
// checked byte for byte by the scenario, and each phase is shot. Every step
// the server takes after my entry waits for a click of mine, so the shots
// show the same moments however fast the frames run.
#include "BettingProgram.h"

#include <string>
#include <vector>

using bettingtest::BettingProgram;

namespace {

// Window pixels of the table's buttons, chips and areas.
constexpr const char* kApply = "833,150";
constexpr const char* kCancel = "943,150";
constexpr const char* kChip10000 = "489,633";
constexpr const char* kChip100000 = "549,633";
constexpr const char* kArea1 = "138,220";
constexpr const char* kArea6 = "888,440";
constexpr const char* kMaximise = "1227,12";
constexpr const char* kRoom = "四方神兽 一号房";

// A whole round: I queue for the banker, the banker changes, I bet 10,000 on
// the first area and 100,000 on the sixth by clicks, give up my place in the
// queue, and the round ends: the light runs round the wheel and stops on the
// white tiger, its animation and banner show, the record is added and the
// result panel comes; I queue again and the next free time takes the panel
// off; maximised, the table fits the window. The clocks run four times as
// fast as the frames.
TEST_F(BettingProgram, TransferBattleRoundIsBetByClicksAndRunToTheResult)
{
    const Outcome o = Play("transferbattle_round.json", 404, kRoom, 1140,
                           {Click(240, kApply), Click(300, kChip10000), Click(330, kArea1), Click(360, kChip100000),
                            Click(390, kArea6), Shot(480, "transferbattle_betting"), Click(540, kCancel),
                            Shot(590, "transferbattle_running"), Shot(700, "transferbattle_stop"),
                            Shot(850, "transferbattle_result"), Click(900, kApply), Shot(1000, "transferbattle_free"),
                            Click(1030, kMaximise), Shot(1110, "transferbattle_maximised")},
                           {"--speed", "4"});
    ExpectClean(o);
}

// Entering in the betting restores the areas' amounts; a result scene shows
// the result panel at once; a free scene shows the banker's panel and no
// result. The next round starts from nothing: none of the restored amounts
// shows when its betting opens; I bet 10,000 on the first area by clicks,
// the wheel stops on the white tiger and hides the areas, and the result
// panel comes; the free time takes the panel and the amounts off, and the
// table still shows the eight areas where their buttons were. The clocks
// run four times as fast as the frames.
TEST_F(BettingProgram, TransferBattleTableIsRestoredFromEachSceneAndTheNextRoundStartsFromNothing)
{
    const Outcome o = Play("transferbattle_restore.json", 404, kRoom, 1030,
                           {Shot(210, "transferbattle_restore_betting"), Click(240, kApply),
                            Shot(330, "transferbattle_restore_result"), Click(360, kCancel),
                            Shot(450, "transferbattle_restore_free"), Nodes(455, "restore_free"), Click(470, kApply),
                            Nodes(530, "next_betting"), Click(540, kChip10000), Click(560, kArea1),
                            Shot(740, "transferbattle_restore_next_stop"), Nodes(850, "next_result"),
                            Shot(855, "transferbattle_restore_next_result"), Click(880, kCancel),
                            Nodes(1000, "next_free"), Shot(1000, "transferbattle_restore_next_free")},
                           {"--speed", "4"});
    ExpectClean(o);
    const auto restoredAmounts = [](const std::vector<ShownNode>& shown) {
        std::vector<std::string> found;
        for (const ShownNode& node : shown)
        {
            const std::string text = node.Field("text");
            if (node.kind == "CCLabelAtlas" && text != "" && text != " ")
                found.push_back(text);
        }
        return found;
    };
    const auto freeTable = Shown("restore_free");
    ASSERT_FALSE(freeTable.empty());
    EXPECT_TRUE(With(freeTable, "TransferBattle/score").empty()) << "a result panel on the free table";
    EXPECT_TRUE(restoredAmounts(freeTable).empty());
    const auto betting = Shown("next_betting");
    ASSERT_NE(Widget(betting, "Image_113_0"), nullptr) << "betting did not open";
    EXPECT_EQ(restoredAmounts(betting), std::vector<std::string>({"50000", "1000"}));
    // This round's own: the others' two bets, mine and the last other's.
    const auto result = Shown("next_result");
    EXPECT_FALSE(With(result, "TransferBattle/score").empty()) << "no result panel";
    EXPECT_EQ(restoredAmounts(result), std::vector<std::string>({"10000", "10000", "50000", "1000", "1000000"}));
    const auto freeTime = Shown("next_free");
    EXPECT_TRUE(With(freeTime, "TransferBattle/score").empty());
    EXPECT_TRUE(restoredAmounts(freeTime).empty());
    EXPECT_EQ(Widget(freeTime, "Image_113_0"), nullptr) << "the areas come back only at the round start";

    // Each area's frame shows where its hidden button lay: its top edge is
    // drawn in the frame's gold.
    for (int area = 0; area < 8; ++area)
    {
        const std::string name = "Image_113_" + std::to_string(area);
        const ShownNode* button = Widget(betting, name);
        ASSERT_NE(button, nullptr) << name;
        const int gold = PixelsLike("transferbattle_restore_next_free", button->x + 12,
                                    button->y + button->height - 4, button->width - 24, 4, 0xd8b25a, 40);
        EXPECT_GT(gold, (button->width - 24) / 2) << name;
    }
}

// Entered in free time as the banker, I keep a banker's buttons: my bank's
// round runs to the wheel's stop from the server's messages (I bet
// nothing), and in the next free time the cancel button steps me down with
// the request a banker made by the change of banker sends; the round after
// I bet 10,000 on the first area and queue again by clicks.
TEST_F(BettingProgram, TransferBattleBankerEnteredInFreeTimeStepsDownByTheCancelButton)
{
    const Outcome o = Play("transferbattle_banker_restored.json", 404, kRoom, 1720,
                           {Shot(200, "transferbattle_banker_betting"), Shot(640, "transferbattle_banker_result"),
                            Shot(990, "transferbattle_banker_free"), Click(1020, kCancel), Click(1080, kChip10000),
                            Click(1110, kArea1), Shot(1160, "transferbattle_banker_next_betting"),
                            Shot(1570, "transferbattle_banker_next_result"), Click(1600, kApply),
                            Shot(1680, "transferbattle_banker_next_free")},
                           {"--speed", "4"});
    ExpectClean(o);
}

}  // namespace
