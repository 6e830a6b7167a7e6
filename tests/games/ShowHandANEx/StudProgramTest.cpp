// Five-card stud in the real program against roomsim: a whole hand played
// by clicks, and a table entered mid-hand from the playing scene.
#include "games/GameProgram.h"

namespace {

using gameprogram::GameProgram;
using gameprogram::Lines;

constexpr int kKind = 19;
constexpr const char* kRoom = "梭哈 一号房";

// Window pixels (top-left origin) of the table's buttons: the content root
// stands at (13, 15) from the window's bottom left.
constexpr const char* kStart = "533,591";
constexpr const char* kRaise1 = "413,648";
constexpr const char* kRaise2 = "599,648";
constexpr const char* kFollow = "413,717";
constexpr const char* kShowHand = "603,717";

class StudProgram : public GameProgram
{
protected:
    void ReadyThroughAFreeScene(const std::string& scenario, const std::string& name);
};

// The settlement is dragged aside by its middle before the next start.
TEST_F(StudProgram, AHandIsPlayedByClicks)
{
    (void)kRaise1;
    const Outcome o =
        Play("stud_round.json", kKind, kRoom, 720,
             {Click(110, kStart), Shot(160, "stud_dealt"), Click(170, kRaise2), Shot(250, "stud_third"),
              Click(260, kFollow), Shot(280, "stud_check"), Click(320, kFollow), Click(380, kShowHand),
              Shot(400, "stud_showhand"), Shot(560, "stud_result"), Drag(590, "513,347,300,200"),
              Shot(600, "stud_settlement_dragged"), Click(620, kStart), Shot(660, "stud_next")});
    ExpectClean(o);
}

TEST_F(StudProgram, AHandIsRestoredFromThePlayingScene)
{
    const Outcome o =
        Play("stud_restore.json", kKind, kRoom, 560,
             {Shot(110, "stud_restore_play"), Click(130, kFollow), Shot(190, "stud_restore_card"), Click(200, kRaise2),
              Shot(320, "stud_restore_result"), Click(400, kStart), Shot(440, "stud_restore_next")});
    ExpectClean(o);
}

// The same playing scene twice: the pool is its 900 once, my stake counted once.
TEST_F(StudProgram, ASceneSentAgainSetsThePoolOnce)
{
    ExpectClean(Play("stud_scene_again.json", kKind, kRoom, 1000,
                     {Nodes(150, "again"), Click(160, kFollow), Click(230, kRaise2), Click(430, kStart),
                      Click(490, kRaise2), Click(580, kFollow), Click(640, kFollow), Click(700, kShowHand),
                      Shot(860, "stud_scene_again_next"), Click(940, kStart)}));
    EXPECT_TRUE(With(Shown("again"), "text=1800").empty());
    EXPECT_FALSE(With(Shown("again"), "text=900").empty());
}

// A free scene after a playing scene at my turn (pool 1,200,000,000): the
// hand, its pool and its buttons go; presses where follow and a raise stood
// send nothing (roomsim wants my ready next), then a whole hand is played
// by clicks.
TEST_F(StudProgram, AFreeSceneEndsTheHandThePlayingSceneLeft)
{
    ExpectClean(Play("stud_free_after_play.json", kKind, kRoom, 880,
                     {Nodes(200, "free"), Click(210, kFollow), Click(220, kRaise2), Click(240, kStart),
                      Click(300, kRaise2), Click(390, kFollow), Click(450, kFollow), Click(510, kShowHand),
                      Shot(690, "stud_free_after_play_result"), Drag(720, "513,347,300,200"), Click(750, kStart)}));
    const auto free = Shown("free");
    // The amounts as the labels draw them, grouped by ten thousands.
    EXPECT_EQ(Lines(With(free, "text=12,0000,0000")), "") << "the pool of the hand before";
    EXPECT_EQ(Lines(With(free, "text=6,0000,0000")), "") << "a stake of the hand before";
    EXPECT_EQ(Lines(With(free, "text=500")), "") << "a raise button";
    EXPECT_FALSE(With(free, "ShowHandANEx/BtnStart").empty()) << "no start button in free time";
}

// Ready, I stay at the table through a free scene: no start button that
// could send nothing and no ready clock that would stand me up; nothing is
// sent while the server waits (55 to 60 s of the table's clocks), then a
// whole hand is played by clicks.
void StudProgram::ReadyThroughAFreeScene(const std::string& scenario, const std::string& name)
{
    // The server waits ten seconds: the frames of the hand stand after
    // them at 40 to 60 frames a second, within its turn clocks.
    ExpectClean(Play(scenario, kKind, kRoom, 1400,
                     {Click(110, kStart), Nodes(200, "ready"), Shot(200, name.c_str()), Click(210, kStart),
                      Shot(500, (name + "_waiting").c_str()), Click(790, kRaise2), Click(880, kFollow),
                      Click(940, kFollow), Click(1000, kShowHand), Shot(1180, (name + "_result").c_str()),
                      Drag(1210, "513,347,300,200"), Click(1240, kStart)},
                     {"--speed", "6"}));
    const auto ready = Shown("ready");
    EXPECT_EQ(Lines(With(ready, "ShowHandANEx/BtnStart")), "") << "a start button while I am ready";
    EXPECT_EQ(Lines(With(ready, "ClientGame/Count.png")), "") << "a ready clock while I am ready";
}

// My ready (status 3), then the free scene again.
TEST_F(StudProgram, AFreeSceneWhileIAmReadyKeepsMeAtTheTable)
{
    ReadyThroughAFreeScene("stud_ready_free_again.json", "stud_ready_free_again");
}

// My press, the free scene again (its button and clock come back while I
// still sit), then the room's status 3: they go.
TEST_F(StudProgram, AFreeSceneBeforeTheRoomsReadyKeepsMeAtTheTable)
{
    ReadyThroughAFreeScene("stud_free_again_before_ready.json", "stud_free_again_before_ready");
}

// Nobody clicks: the turn clock gives up for me once (the scenario would
// take a second give-up in place of the next ready), and the buttons go.
TEST_F(StudProgram, TheTurnClockGivesUpForMeOnce)
{
    const Outcome o = Play("stud_timeout.json", kKind, kRoom, 700,
                           {Click(110, kStart), Shot(250, "stud_clock"), Shot(480, "stud_clock_gave_up"),
                            Click(560, kStart), Shot(620, "stud_clock_next")},
                           {"--speed", "6"});
    ExpectClean(o);
}

}  // namespace
