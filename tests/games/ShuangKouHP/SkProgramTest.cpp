// Shuang Kou in the real program against roomsim: a whole hand played by
// clicks on cards and buttons, and a table entered mid-hand from the playing
// scene (the free scene opens the first).
#include "games/GameProgram.h"

namespace {

using gameprogram::GameProgram;

// Window pixels (top-left origin): the content root stands at (13, 15)
// from the window's bottom left; my hand's row lies at y 662, card i of a
// full hand with its uncovered strip at x 253 + 17 i.
constexpr const char* kStart = "878,381";
constexpr const char* kPlay = "413,547";
constexpr const char* kPass = "613,547";
constexpr const char* kTrustee = "943,552";
constexpr const char* kClose = "763,147";
constexpr const char* kTableMiddle = "520,400";

class SkProgram : public GameProgram
{};

TEST_F(SkProgram, AHandIsPlayedByClicks)
{
    // The pair of threes is dragged over and played by the right button; a
    // card picked and let go by a double click leaves the line to its two
    // ends.
    const Outcome o = Play("shuangkou_round.json", 233, "双扣 一号房", 860,
                           {Click(110, kStart), Shot(240, "sk_dealt"), Drag(250, "678,662,720,662"),
                            Shot(265, "sk_pair"), RightClick(270, kTableMiddle), Shot(330, "sk_answer"),
                            Click(340, kPass), Click(380, "550,662"), DoubleClick(385, kTableMiddle),
                            Click(390, "338,662"), Click(400, "474,662"), Shot(405, "sk_line"), Click(410, kPlay),
                            Shot(480, "sk_bomb"), Click(530, kPass), Shot(670, "sk_result"), Click(700, kClose),
                            Shot(720, "sk_closed"), Click(760, kStart), Shot(800, "sk_next")});
    ExpectClean(o);
}

TEST_F(SkProgram, AHandIsRestoredFromThePlayingScene)
{
    const Outcome o =
        Play("shuangkou_restore.json", 233, "双扣 一号房", 620,
             {Shot(110, "sk_restore_play"), Click(130, "457,662"), Click(140, "474,662"), Click(150, kPlay),
              Shot(200, "sk_restore_lead"), Click(210, kTrustee), Shot(260, "sk_restore_trustee"),
              Shot(400, "sk_restore_result"), Click(440, kStart), Shot(480, "sk_restore_next")});
    ExpectClean(o);
}

}  // namespace
