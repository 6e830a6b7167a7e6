// San Gong in the real program against roomsim, me on chair 2 of six: a
// whole round played by clicks, a table entered mid-round, first as a
// seated watcher, then from each scene, and turns of mine that pass while I
// do nothing (restored or not), played on through whole rounds.
#include "games/GameProgram.h"

#include <string>
#include <vector>

using gameprogram::GameProgram;
using gameprogram::ShownNode;

namespace {

// Window pixels of the table's buttons (the table's origin is at (5, 5)
// from the window's bottom left).
constexpr const char* kStart = "515,622";
constexpr const char* kRob = "355,394";
constexpr const char* kBetFull = "310,394";
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

// What a turn of mine that has passed leaves: none of the buttons of the
// tags, and the game's clock only where `clock` says ("" for none; "X,Y" its
// centre on the window: mine is at 250,165, view 1's at 90,415).
void ExpectTurnGone(const std::vector<ShownNode>& shown, const std::vector<int>& buttonTags, const std::string& clock)
{
    ASSERT_FALSE(gameprogram::With(shown, "ThreeKing/Tile").empty()) << "no table shown";
    for (const ShownNode& node : shown)
    {
        if (node.kind != "CCControlButton")
            continue;
        for (int tag : buttonTags)
            EXPECT_NE(node.tag, tag) << node.line;
    }
    std::vector<std::string> clocks;
    for (const ShownNode& node : gameprogram::With(shown, "ClientGame/Count.png"))
        clocks.push_back(std::to_string(node.x + node.width / 2) + "," + std::to_string(node.y + node.height / 2));
    EXPECT_EQ(clocks, clock.empty() ? std::vector<std::string>{} : std::vector<std::string>{clock});
}

// Entered at my rob turn, I do not choose: the server gives the turn to the
// next chair, and my rob buttons go with mine (presses where they were
// send nothing; roomsim fails a rob out of my turn); I bet half by click.
// Then two whole rounds: I rob by click and bank while the others bet, and
// my rob turn passes unchosen again before I bet a third. Every request is
// checked byte for byte.
TEST_F(GameProgram, ThreeKingRobTurnThatPassesTakesItsButtons)
{
    const Outcome o =
        Play("threeking_rob_turn_passes.json", 9, kRoom, 2750,
             {Nodes(245, "entered_passed"), Shot(245, "threeking_rob_passed"), Click(250, kRob), Click(260, kNoRob),
              Click(850, kBetHalf), Click(1000, kShow), Shot(1130, "threeking_rob_result"), Click(1150, kStart),
              Click(1250, kRob), Click(1450, kShow), Click(1600, kStart), Nodes(1740, "again_passed"),
              Click(1750, kRob), Click(1760, kNoRob), Click(2350, kBetThird), Click(2500, kShow),
              Shot(2630, "threeking_rob_last_result"), Click(2650, kStart)});
    ExpectClean(o);
    // The presses came in the next chair's turn (his clock runs), before
    // the banker was set.
    for (const char* moment : {"entered_passed", "again_passed"})
    {
        SCOPED_TRACE(moment);
        const std::vector<ShownNode> shown = Shown(moment);
        ExpectTurnGone(shown, {230, 231}, "90,415");
        EXPECT_TRUE(With(shown, "ThreeKing/zhuan").empty());
    }
}

// Entered in the betting, the server bets a third for me: my bet buttons
// and my clock go with my turn (presses where the buttons were send
// nothing; roomsim fails a second bet), my chip shows; the deal, my show by
// click and the result. Then two whole rounds: I do not rob and bet the
// whole maximum by clicks, and I rob by click before the server bets for me
// again. Every request is checked byte for byte.
TEST_F(GameProgram, ThreeKingBetMadeForMeTakesTheBetButtonsAndClock)
{
    const Outcome o =
        Play("threeking_bet_made_for_me.json", 9, kRoom, 2730,
             {Nodes(245, "entered_bet_in"), Shot(245, "threeking_bet_made"), Click(250, kBetHalf),
              Click(260, kBetFull), Click(270, kBetThird), Click(850, kShow), Shot(980, "threeking_bet_result"),
              Click(1000, kStart), Click(1100, kNoRob), Click(1220, kBetFull), Click(1370, kShow), Click(1520, kStart),
              Click(1620, kRob), Nodes(1790, "again_bet_in"), Click(1800, kBetHalf), Click(1810, kBetFull),
              Click(2480, kShow), Shot(2610, "threeking_bet_last_result"), Click(2630, kStart)});
    ExpectClean(o);
    const std::pair<const char*, const char*> moments[] = {{"entered_bet_in", "text=32,9218,1070"},
                                                           {"again_bet_in", "text=33,3333,3333"}};
    for (const auto& [moment, myChip] : moments)
    {
        SCOPED_TRACE(moment);
        const std::vector<ShownNode> shown = Shown(moment);
        ExpectTurnGone(shown, {1, 2, 3}, "");
        EXPECT_FALSE(With(shown, myChip).empty()) << "the server's bet for me had not come";
    }
}

}  // namespace

// Entered with my hand shown: presses where show and hand sign were send nothing.
TEST_F(GameProgram, ThreeKingHandShownBeforeEntryIsNotOfferedAgain)
{
    ExpectClean(Play("threeking_shown_scene.json", 9, kRoom, 1200,
                     {Shot(245, "threeking_shown_scene"), Click(250, kShow), Click(260, kHandSign), Click(580, kStart),
                      Click(680, kNoRob), Click(800, kBetFull), Click(950, kShow), Click(1100, kStart)}));
}

// A betting scene, then a playing scene with my hand shown: the betting's clock goes.
TEST_F(GameProgram, ThreeKingSceneAfterSceneKeepsNothingOfTheFirst)
{
    ExpectClean(Play("threeking_scene_again.json", 9, kRoom, 1300,
                     {Nodes(245, "second_scene"), Click(650, kStart), Click(750, kNoRob), Click(870, kBetFull),
                      Click(1020, kShow), Click(1170, kStart)}));
    ExpectTurnGone(Shown("second_scene"), {1, 2, 3}, "");
}
