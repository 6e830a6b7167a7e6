// The landlord table entered mid-hand, in the real program against roomsim,
// me on chair 1: the scenario checks every call, play and pass byte for
// byte, through the rest of that hand and whole hands after it. The table a
// scene restores is the table of its trick only: after it the plays are
// compared with what the messages put on the table.
#include "games/GameProgram.h"

#include <string>

using gameprogram::GameProgram;

namespace {

constexpr int kKind = 200;
constexpr const char* kRoom = "欢乐斗地主 一号房";

// Window pixels of the table (its content root stands at (13, 16) from the
// window's bottom left): the call and play buttons on one row, my hand below.
constexpr const char* kCall1 = "348,534";
constexpr const char* kCall3 = "568,534";
constexpr const char* kNoCall = "678,534";
constexpr const char* kPass = "373,534";
constexpr const char* kHint = "513,534";
constexpr const char* kPlay = "653,534";
constexpr const char* kCloseScore = "763,147";
constexpr const char* kReady = "513,496";

// Card i (from the left, high to low) of a hand of n: the hand is centred on
// twenty places 35 apart, and each card shows the strip left of the next.
std::string Card(int i, int n) { return std::to_string(150 + 35 * ((20 - n) / 2 + i)) + ",646"; }

class LandRestoreProgram : public GameProgram
{
protected:
    static Step ClickCard(int frame, int i, int n) { return {frame, Card(i, n), ""}; }
    static Step DragCards(int frame, int from, int to, int n)
    {
        return {frame, Card(from, n) + "," + Card(to, n), "", "--drag"};
    }
};

// Entered while the calls run, I call 1 and pass the right player's tricks
// to his last play. The next hand: the left player's single K is followed by
// the hint's ace (not the threes a lead would take), his 9 by a clicked 10,
// the right player's pair by clicked sevens; my own lead is the hint's
// threes. In the third hand I am the landlord and go out in three leads.
TEST_F(LandRestoreProgram, EnteredWhileTheCallsRunLaterHandsFollowTheirOwnTable)
{
    const Outcome o = Play(
        "land_enter_calling.json", kKind, kRoom, 2300,
        {Shot(280, "land_enter_calling"), Click(300, kCall1), Click(420, kPass), Click(460, kPass), Click(500, kPass),
         Click(540, kPass), Click(600, kCloseScore), Click(620, kReady),
         // The next hand: my no call once the hand is dealt and armed.
         Click(960, kNoCall), Click(1080, kHint), Shot(1090, "land_enter_calling_hint"), Click(1100, kPlay),
         Click(1140, kPass), ClickCard(1180, 5, 16), Click(1200, kPlay), Click(1240, kPass), ClickCard(1280, 7, 15),
         ClickCard(1300, 8, 15), Click(1320, kPlay), Click(1360, kHint), Click(1380, kPlay), Click(1420, kPass),
         Click(1460, kPass), Click(1500, kPass), Click(1560, kCloseScore), Click(1580, kReady),
         // The third: my call of 3, then my leads.
         Click(1920, kCall3), Click(2020, kHint), Click(2040, kPlay), ClickCard(2080, 6, 18), ClickCard(2100, 15, 18),
         Click(2120, kPlay), DragCards(2160, 0, 9, 10), Click(2180, kPlay), Shot(2260, "land_enter_calling_end")});
    ExpectClean(o);
}

// Entered at my turn to follow the landlord's Q, I pass; the next trick's 9
// takes my clicked 10, his K the hint's ace, and my lead the hint's fours;
// he goes out. The next hand I follow a 9 with a clicked 10 and pass to its
// end.
TEST_F(LandRestoreProgram, EnteredAtMyTurnToFollowTheNextTrickTakesMyTen)
{
    const Outcome o =
        Play("land_enter_playing.json", kKind, kRoom, 1200,
             {Shot(280, "land_enter_playing"), Click(300, kPass), ClickCard(340, 3, 10), Click(360, kPlay),
              Click(400, kHint), Click(420, kPlay), Click(460, kHint), Click(480, kPlay), Click(520, kPass),
              Click(580, kCloseScore), Click(600, kReady), ClickCard(960, 8, 17), Click(980, kPlay),
              Click(1020, kPass), Click(1060, kPass), Shot(1140, "land_enter_playing_end")});
    ExpectClean(o);
}

// Entered while the right player's 9 lies on the table, the scene comes
// again at my turn to follow the landlord's J J: the 9 goes. I follow with
// clicked queens and pass; the next hand I follow a 9 with a clicked 10 and
// pass to its end.
TEST_F(LandRestoreProgram, APlayingSceneSentAgainShowsOnlyItsOwnTable)
{
    const Outcome o = Play("land_playing_scene_again.json", kKind, kRoom, 1080,
                           {Nodes(280, "second_scene"), Shot(280, "land_playing_scene_again"), ClickCard(300, 2, 10),
                            ClickCard(320, 3, 10), Click(340, kPlay), Click(400, kPass), Click(480, kCloseScore),
                            Click(500, kReady), ClickCard(860, 8, 17), Click(880, kPlay), Click(920, kPass),
                            Click(960, kPass), Shot(1040, "land_playing_scene_again_end")});
    ExpectClean(o);
    // Played cards show at 0.7 (68 wide) in the table's top corners.
    int left = 0, right = 0;
    for (const ShownNode& card : With(Shown("second_scene"), "ClientGame/Cards.png"))
    {
        left += card.width == 68 && card.x < 300 ? 1 : 0;
        right += card.width == 68 && card.x > 700 ? 1 : 0;
    }
    EXPECT_EQ(left, 2) << "the landlord's J J";
    EXPECT_EQ(right, 0) << "the right player's 9 of the first scene";
}

// Entered at my call, the scene comes again at the right player's call: a
// click where my call buttons were sends nothing (roomsim expects my pass
// next). He calls 3 and I pass to his last play; the next hand I call none,
// follow by hint and clicks, lead and pass to its end.
TEST_F(LandRestoreProgram, ACallingSceneSentAgainAtAnothersCallTakesMyCallButtons)
{
    const Outcome o = Play(
        "land_calling_scene_again.json", kKind, kRoom, 2000,
        {Shot(350, "land_calling_scene_again"), Click(360, kCall1), Click(820, kPass), Click(860, kPass),
         Click(900, kPass), Click(940, kPass), Click(1000, kCloseScore), Click(1020, kReady), Click(1360, kNoCall),
         Click(1480, kHint), Click(1500, kPlay), Click(1540, kPass), ClickCard(1580, 5, 16), Click(1600, kPlay),
         Click(1640, kPass), ClickCard(1680, 7, 15), ClickCard(1700, 8, 15), Click(1720, kPlay), Click(1760, kHint),
         Click(1780, kPlay), Click(1820, kPass), Click(1860, kPass), Click(1900, kPass), Click(1960, kCloseScore),
         Shot(1980, "land_calling_scene_again_end")});
    ExpectClean(o);
}

}  // namespace
