// The real program against the scenario room server: kestrelium started
// headless with one configured room enters it, and roomsim checks every
// message the client sends. Clicks are played in at window pixels (top-left
// origin) of the 1288 x 762 window.
#include "games/GameProgram.h"
#include "room/ProgramRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

using programrun::KeepScreen;
using programrun::MagentaPixels;

namespace {

// roomsim's exit statuses.
constexpr int kPassed = 0;
constexpr int kClientClosed = 4;

// Where things are on the room's screen.
constexpr const char* kChairTable2Chair1 = "374,216";
constexpr const char* kQuickJoin = "857,132";
constexpr const char* kJoinTable2Of20Chairs = "310,320";
constexpr const char* kExit = "999,132";
constexpr const char* kPasswordField = "664,386";
constexpr const char* kPasswordOK = "714,426";
constexpr const char* kDialogOK = "644,465";

class RoomProgram : public programrun::ProgramTest
{
protected:
    // Serves the scenario to the program, which enters room 1 and runs for
    // the frames (60 a second) with the extra options; it has `seconds` to
    // end (by default one for every 60 frames, plus a minute).
    Outcome Play(const std::string& scenario, int frames, const std::vector<std::string>& extra,
                 const std::string& screenshot = std::string(), int seconds = 0)
    {
        const int port = Serve(scenario, 20000);
        std::vector<std::string> args = {"--frames", std::to_string(frames)};
        const std::vector<std::string> options = ProgramOptions(port);
        args.insert(args.end(), options.begin(), options.end());
        if (!screenshot.empty())
        {
            args.push_back("--screenshot");
            args.push_back(screenshot);
        }
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args, seconds > 0 ? seconds : frames / 60 + 60);
    }

    // The user, and the room the program enters at once.
    virtual std::vector<std::string> ProgramOptions(int port)
    {
        std::vector<std::string> options = {"--user", "1001,player,玩家", "--enter", "1"};
        const std::vector<std::string> room = RoomOptions(port);
        options.insert(options.end(), room.begin(), room.end());
        return options;
    }

    // The room the program enters.
    virtual std::vector<std::string> RoomOptions(int port)
    {
        return {"--room", "200,欢乐斗地主 一号房,127.0.0.1," + std::to_string(port)};
    }

    static std::string Click(int frame, const char* at) { return "--click=" + std::to_string(frame) + ":" + at; }
    static std::string Type(int frame, const char* text) { return "--type=" + std::to_string(frame) + ":" + text; }
};

#define EXPECT_OUTCOME(o, expected)                                                                                    \
    do                                                                                                                 \
    {                                                                                                                  \
        EXPECT_EQ((o).client, 0) << (o).clientLog;                                                                     \
        EXPECT_EQ((o).server, (expected)) << (o).serverLog;                                                            \
        EXPECT_EQ((o).clientLog.find("AddressSanitizer"), std::string::npos) << (o).clientLog;                         \
        EXPECT_EQ((o).clientLog.find("LeakSanitizer"), std::string::npos) << (o).clientLog;                            \
        EXPECT_EQ((o).clientLog.find("runtime error"), std::string::npos) << (o).clientLog;                            \
        EXPECT_EQ((o).clientLog.find("cannot play"), std::string::npos) << (o).clientLog;                              \
    } while (0)

TEST_F(RoomProgram, FullRoomShowsEveryTableWithoutStandIns)
{
    const std::string shot = m_dir + "/full.png";
    const Outcome o = Play("room_full.json", 150, {}, shot);
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_NE(o.serverLog.find("<- 1/1 162 bytes"), std::string::npos) << o.serverLog;
    EXPECT_EQ(MagentaPixels(shot), 0);
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    // Keep it for a look: the frame as a player would see it.
    KeepScreen(shot, "room_full");
}

TEST_F(RoomProgram, ClickOnAFreeChairSitsThere)
{
    const Outcome o = Play("room_sit_down.json", 180, {Click(90, kChairTable2Chair1)});
    EXPECT_OUTCOME(o, kPassed);
}

TEST_F(RoomProgram, LockedTableTakesItsPassword)
{
    const Outcome o =
        Play("room_table_password.json", 240,
             {Click(90, kChairTable2Chair1), Click(110, kPasswordField), Type(120, "abc123"), Click(140, kPasswordOK)});
    EXPECT_OUTCOME(o, kPassed);
}

// At twenty chairs a table shows a join button instead of its chairs; a
// locked one asks for its password there too.
TEST_F(RoomProgram, ManySeatLockedTableTakesItsPasswordAtItsJoinButton)
{
    const Outcome o = Play(
        "room_many_seats_password.json", 240,
        {Click(90, kJoinTable2Of20Chairs), Click(110, kPasswordField), Type(120, "abc123"), Click(140, kPasswordOK)});
    EXPECT_OUTCOME(o, kPassed);
}

TEST_F(RoomProgram, QuickJoinAsksForAnySeat)
{
    const Outcome o = Play("room_quick_join.json", 150, {Click(90, kQuickJoin)});
    EXPECT_OUTCOME(o, kPassed);
}

// The refusal's dialog closes the room, and with it the connection, before
// the scenario's wait for a sit-down runs out.
TEST_F(RoomProgram, RefusedLogonClosesTheRoom)
{
    const std::string shot = m_dir + "/refused.png";
    const Outcome o = Play("room_refused.json", 150, {Click(80, kDialogOK)}, shot);
    EXPECT_OUTCOME(o, kClientClosed);
}

TEST_F(RoomProgram, LostConnectionKeepsTheProgramRunning)
{
    const Outcome o = Play("room_lost.json", 150, {});
    EXPECT_OUTCOME(o, kPassed);
}

// The room's texts as the server sends them: a room message in a box (closed
// with its OK), a notice, other users' chat and loudspeaker lines in the chat
// pane, every loudspeaker line on the ticker, a bank reply for the game.
TEST_F(RoomProgram, NoticesChatAndLoudspeakerLinesShow)
{
    const std::string shot = m_dir + "/messages.png";
    const Outcome o = Play("room_messages.json", 300, {Click(120, kDialogOK)}, shot);
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(MagentaPixels(shot), 0);
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    KeepScreen(shot, "room_messages");
}

// Where things are in the loudspeaker dialog.
constexpr const char* kSpeakerSmall = "654,324";
constexpr const char* kSpeakerBig = "654,301";
constexpr const char* kSpeakerText = "639,396";
constexpr const char* kSpeakerSend = "734,501";

// The allowance opens the dialog on the big loudspeaker; the player sends a
// small one, then a big one whose text is longer than its field: the request
// keeps the 63 whole characters (126 units) that fit before the terminator.
TEST_F(RoomProgram, LoudspeakerDialogSendsBothKinds)
{
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += "\xF0\x9F\x98\x80";
    const std::string shot = m_dir + "/speaker.png";
    const Outcome o = Play("room_speaker.json", 330,
                           {Click(120, kSpeakerSmall), Click(130, kSpeakerText), Type(140, "今晚八点开赛，速来"),
                            Click(160, kSpeakerSend), Click(200, kSpeakerBig), Click(210, kSpeakerText),
                            Type(220, hundred.c_str()), Click(240, kSpeakerSend)},
                           shot);
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(MagentaPixels(shot), 0);
    KeepScreen(shot, "room_speaker");
}

TEST_F(RoomProgram, ExitButtonLeavesForTheHall)
{
    const std::string shot = m_dir + "/hall.png";
    const Outcome o = Play("room_leave.json", 150, {Click(90, kExit)}, shot);
    EXPECT_OUTCOME(o, kClientClosed);
    EXPECT_EQ(MagentaPixels(shot), 0);
}

// --- the game at my table -----------------------------------------------------------

// The plain table's close button, top right.
constexpr const char* kBoardClose = "1265,12";

// Seated at log-on: the game is entered once its pictures are in, gets its
// configuration, users and the show command, sends the 9-byte game option,
// takes game messages, and its close button stands me up with force 1.
TEST_F(RoomProgram, SeatedPlayerPlaysThroughTheKernel)
{
    const std::string shot = m_dir + "/game.png";
    const Outcome o = Play("kernel_landlord.json", 330, {Click(240, kBoardClose)}, shot);
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(MagentaPixels(shot), 0);
    KeepScreen(shot, "kernel_landlord");
}

// The framework's board in the real program, at a four-chair table of a game
// that has no board of its own: I sit down, three players come, talk and get
// ready, my ready clock runs out and I leave the table. The board is shot at
// 1288 x 762 and maximised (the headless desktop is 1920 x 1040).
class BoardProgram : public RoomProgram
{
protected:
    std::vector<std::string> RoomOptions(int port) override
    {
        return {"--room", "308,麻将 一号房,127.0.0.1," + std::to_string(port)};
    }
    static std::string Shot(int frame, const std::string& file)
    {
        return "--shot=" + std::to_string(frame) + ":" + file;
    }
    // What shows at the frame, read back with Nodes(name).
    std::string Nodes(int frame, const std::string& name) const
    {
        return "--nodes=" + std::to_string(frame) + ":" + m_dir + "/" + name + ".txt";
    }
    std::vector<gameprogram::ShownNode> Nodes(const std::string& name) const
    {
        return gameprogram::ReadShownNodes(m_dir + "/" + name + ".txt");
    }
};

TEST_F(BoardProgram, ReadyClockRunsOutAndLeavesTheTable)
{
    const std::string board = m_dir + "/board.png";
    const std::string maximised = m_dir + "/maximised.png";
    // The clocks run eight seconds a second: the 45 seconds of the ready
    // clock take some 340 frames from the scene (near frame 120). Only the
    // shots are drawn.
    const Outcome o = Play("board_table.json", 720,
                           {"--speed", "8", "--no-draw", Click(90, "179,245"), Shot(300, board), Click(330, "1227,12"),
                            Shot(400, maximised), Click(430, "1830,15")});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    for (const auto& [file, name] : {std::pair{board, "board_table"}, std::pair{maximised, "board_table_maximised"}})
    {
        EXPECT_EQ(MagentaPixels(file), 0) << name;
        KeepScreen(file, name);
    }
}

// The free scene's start button goes with it when a game's scene comes.
TEST_F(BoardProgram, AGameSceneTakesTheFreeScenesStartButton)
{
    const Outcome o = Play("board_scene_again.json", 330,
                           {"--no-draw", Click(90, "179,245"), Nodes(220, "game"), Click(240, kBoardClose)});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_TRUE(gameprogram::With(Nodes("game"), "ClientGame/BtnStart").empty()) << "the start button";
    EXPECT_TRUE(gameprogram::With(Nodes("game"), "ClientGame/Count.png").empty()) << "the ready clock";
}

// Two-player mahjong (kind 10), which opens the framework's board.
class PlainBoardProgram : public BoardProgram
{
protected:
    std::vector<std::string> RoomOptions(int port) override
    {
        return {"--room", "10,二人麻将 一号房,127.0.0.1," + std::to_string(port)};
    }
    void ReadyThroughAFreeScene(const std::string& scenario, const std::string& name);
};

constexpr const char* kPlainStart = "513,512";

// Ready, I stay at the table through a free scene: no start button that
// could send nothing and no ready clock that would stand me up; nothing is
// sent while the server waits (55 to 60 s of the table's clocks), then a
// whole round runs and my start goes again in the next free time.
void PlainBoardProgram::ReadyThroughAFreeScene(const std::string& scenario, const std::string& name)
{
    const std::string ready = m_dir + "/ready.png";
    const std::string next = m_dir + "/next.png";
    // The server waits ten seconds: the next free time comes before frame
    // 800 and its clock runs past 900 at 40 to 60 frames a second.
    const Outcome o = Play(scenario, 1000,
                           {"--no-draw", "--speed", "6", Click(110, kPlainStart), Nodes(200, "ready"), Shot(200, ready),
                            Click(210, kPlainStart), Nodes(880, "next"), Shot(880, next), Click(900, kPlainStart)});
    EXPECT_OUTCOME(o, kPassed);
    const auto shown = Nodes("ready");
    EXPECT_EQ(gameprogram::Lines(gameprogram::With(shown, "ClientGame/BtnStart")), "")
        << "a start button while I am ready";
    EXPECT_EQ(gameprogram::Lines(gameprogram::With(shown, "ClientGame/Count.png")), "")
        << "a ready clock while I am ready";
    EXPECT_FALSE(gameprogram::With(Nodes("next"), "ClientGame/BtnStart").empty())
        << "no start button in the next free time";
    for (const auto& [file, shot] : {std::pair{ready, name}, std::pair{next, std::string("board_next_free")}})
    {
        EXPECT_EQ(MagentaPixels(file), 0) << shot;
        KeepScreen(file, shot);
    }
}

// My ready (status 3), then the free scene again.
TEST_F(PlainBoardProgram, AFreeSceneWhileIAmReadyKeepsMeAtTheTable)
{
    ReadyThroughAFreeScene("board_ready_free_again.json", "board_ready_free_again");
}

// My press, the free scene again (its button and clock come back while I
// still sit), then the room's status 3: they go.
TEST_F(PlainBoardProgram, AFreeSceneBeforeTheRoomsReadyKeepsMeAtTheTable)
{
    ReadyThroughAFreeScene("board_free_again_before_ready.json", "board_free_again_before_ready");
}

// Bull with dice (kind 104) at its own table in a room of 100 chairs. Every
// step the server takes after my entry waits for a click of mine, so the
// shots show the same moments however fast the frames run.
class OxBattleProgram : public RoomProgram
{
protected:
    std::vector<std::string> RoomOptions(int port) override
    {
        return {"--room", "104,百人牛牛 一号房,127.0.0.1," + std::to_string(port)};
    }
    std::string Shot(int frame, const std::string& name)
    {
        m_shots.push_back(name);
        return "--shot=" + std::to_string(frame) + ":" + m_dir + "/" + name + ".png";
    }
    // Every shot without stand-ins, kept for a look.
    void CheckShots()
    {
        for (const std::string& name : m_shots)
        {
            EXPECT_EQ(MagentaPixels(m_dir + "/" + name + ".png"), 0) << name;
            KeepScreen(m_dir + "/" + name + ".png", name);
        }
    }
    std::vector<std::string> m_shots;
};

// Window pixels of the table's buttons, chips and areas.
constexpr const char* kOxApply = "853,168";
constexpr const char* kOxCancel = "961,168";
constexpr const char* kOxChip10000 = "421,587";
constexpr const char* kOxChip100000 = "549,587";
constexpr const char* kOxArea1 = "153,449";
constexpr const char* kOxArea3 = "633,449";
constexpr const char* kOxMaximise = "1227,12";

// A whole round: I queue for the banker, the banker changes, I bet 10,000 on
// area 1 and 100,000 on area 3 by clicks (roomsim checks both requests byte
// for byte), give up my place in the queue, and the round ends: dice, deal,
// hands opened one by one, the result with the score view; I queue again
// and the next free time clears the table. The clocks run four times as fast
// as the frames, so the 25 s of the result take some 370 frames.
TEST_F(OxBattleProgram, AWholeRoundIsBetByClicksAndPlayedToTheResult)
{
    const Outcome o =
        Play("oxbattle_round.json", 1220,
             {"--speed", "4", "--no-draw", Click(240, kOxApply), Click(300, kOxChip10000), Click(330, kOxArea1),
              Click(360, kOxChip100000), Click(390, kOxArea3), Shot(480, "oxbattle_betting"), Click(540, kOxCancel),
              Shot(585, "oxbattle_dice"), Shot(677, "oxbattle_dealing"), Shot(826, "oxbattle_opening"),
              Shot(954, "oxbattle_result"), Click(980, kOxApply), Shot(1070, "oxbattle_free"), Click(1100, kOxMaximise),
              Shot(1190, "oxbattle_maximised")});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    CheckShots();
}

// Entering in the middle of the betting restores the chips and amounts; a
// result scene lays the hands, their types and the score view out at once;
// a free scene shows the banker's panel.
TEST_F(OxBattleProgram, EnteringMidRoundRestoresTheTableFromEachScene)
{
    const Outcome o =
        Play("oxbattle_restore.json", 540,
             {"--no-draw", Shot(210, "oxbattle_restore_betting"), Click(240, kOxApply),
              Shot(330, "oxbattle_restore_result"), Click(360, kOxCancel), Shot(450, "oxbattle_restore_free")});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    CheckShots();
}

// Entered in free time as the banker, I keep a banker's buttons: my bank's
// round plays from the server's messages (I bet nothing), and in the next
// free time the cancel button steps me down with the request a banker made
// by the change of banker sends; the bank goes on, and the round after I
// bet 10,000 on area 1 and queue again by clicks. The clocks run four times
// as fast as the frames.
TEST_F(OxBattleProgram, ABankerEnteredInFreeTimeStepsDownByTheCancelButton)
{
    const Outcome o = Play("oxbattle_banker_restored.json", 1720,
                           {"--speed", "4", "--no-draw", Shot(200, "oxbattle_banker_betting"),
                            Shot(640, "oxbattle_banker_result"), Shot(990, "oxbattle_banker_free"),
                            Click(1020, kOxCancel), Click(1080, kOxChip10000), Click(1110, kOxArea1),
                            Shot(1160, "oxbattle_banker_next_betting"), Shot(1570, "oxbattle_banker_next_result"),
                            Click(1600, kOxApply), Shot(1680, "oxbattle_banker_next_free")});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    CheckShots();
}

// The car-brand game (kind 108) at its own table in a room of 100 chairs:
// every step the server takes after my entry waits for a click of mine.
class BumperCarProgram : public OxBattleProgram
{
protected:
    std::vector<std::string> RoomOptions(int port) override
    {
        return {"--room", "108,碰碰车 一号房,127.0.0.1," + std::to_string(port)};
    }
};

// Window pixels of the car table's buttons, chips and areas.
constexpr const char* kCarApply = "136,620";
constexpr const char* kCarChip10000 = "487,533";
constexpr const char* kCarChip100000 = "543,533";
constexpr const char* kCarArea1 = "283,224";
constexpr const char* kCarArea6 = "438,347";
constexpr const char* kCarHistoryLeft = "323,665";

// A whole round: I queue for the banker, the banker changes, I bet 10,000 on
// the big bsj and 100,000 on the small bm by clicks (roomsim checks both
// requests byte for byte), give up my place in the queue, and the round ends:
// the car runs three laps and more to slot 11 (the big bm), the winning car
// and the result panel show, and the next free time clears the table. The
// clocks run four times as fast as the frames: the run takes some 200 frames.
TEST_F(BumperCarProgram, AWholeRoundIsBetByClicksAndTheCarRunsToTheResult)
{
    const Outcome o =
        Play("bumpercarbattle_round.json", 1200,
             {"--speed", "4", "--no-draw", Click(240, kCarApply), Click(300, kCarChip10000), Click(330, kCarArea1),
              Click(360, kCarChip100000), Click(390, kCarArea6), Shot(450, "bumpercar_betting"),
              Click(480, kCarApply), Shot(590, "bumpercar_running"), Shot(760, "bumpercar_result"),
              Click(790, kCarApply), Click(800, kCarHistoryLeft), Shot(1000, "bumpercar_free"),
              Click(1030, kOxMaximise), Shot(1120, "bumpercar_maximised")});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    CheckShots();
}

// Entering in the middle of the betting restores the car, the chips and the
// amounts; a result scene and a free scene restore the banker's and my panels.
TEST_F(BumperCarProgram, EnteringMidRoundRestoresTheTableFromEachScene)
{
    const Outcome o = Play("bumpercarbattle_restore.json", 540,
                           {"--no-draw", Shot(210, "bumpercar_restore_betting"), Click(240, kCarApply),
                            Shot(330, "bumpercar_restore_result"), Click(360, kCarApply),
                            Shot(450, "bumpercar_restore_free")});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    CheckShots();
}

// Texas hold'em in the real program, at a six-chair table where I sit on
// chair 2: my actions are clicks on the table's buttons, checked byte for
// byte by the scenario, and each phase of the hand is shot.
class HoldemProgram : public BoardProgram
{
protected:
    std::vector<std::string> RoomOptions(int port) override
    {
        return {"--room", "350,德州扑克 一号房,127.0.0.1," + std::to_string(port)};
    }
    // Runs the scenario and keeps every shot as screens/<name>.png; none may
    // hold a stand-in picture. Only the shots are drawn.
    void PlayAndShoot(const std::string& scenario, int frames, std::vector<std::string> clicks,
                      const std::vector<std::pair<int, std::string>>& shots)
    {
        clicks.insert(clicks.begin(), "--no-draw");
        for (const auto& [frame, name] : shots)
            clicks.push_back(Shot(frame, m_dir + "/" + name + ".png"));
        const Outcome o = Play(scenario, frames, clicks);
        EXPECT_OUTCOME(o, kPassed);
        EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
        EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
        for (const auto& [frame, name] : shots)
        {
            const std::string file = m_dir + "/" + name + ".png";
            EXPECT_EQ(MagentaPixels(file), 0) << name;
            KeepScreen(file, name);
        }
    }
};

// Where the table's buttons are on the window.
constexpr const char* kHoldemStart = "513,591";
constexpr const char* kHoldemPass = "575,713";
constexpr const char* kHoldemFollow = "663,713";
constexpr const char* kHoldemAdd = "751,713";
constexpr const char* kHoldemAddKind2 = "751,609";
constexpr const char* kMaximise = "1227,12";
constexpr const char* kRestore = "1830,15";

// A whole hand: I pass, follow a raise and an all-in, add two cells on the
// flop (the side pot), pass the turn and the river, and the showdown pays the
// main pot to the all-in and the side pot to me; then I am ready again.
TEST_F(HoldemProgram, AWholeHandToAShowdownWithASidePot)
{
    PlayAndShoot("holdem_round.json", 1310,
                 {Click(240, kHoldemStart), Click(300, kHoldemPass), Click(405, kHoldemFollow), Click(531, kHoldemAdd),
                  Click(571, kHoldemAddKind2), Click(715, kHoldemPass), Click(859, kHoldemPass),
                  Click(1275, kHoldemStart)},
                 {{200, "holdem_round_free"},
                  {295, "holdem_round_deal"},
                  {400, "holdem_round_bets"},
                  {566, "holdem_round_add"},
                  {710, "holdem_round_pots"},
                  {1093, "holdem_round_showdown"},
                  {1213, "holdem_round_paid"},
                  {1300, "holdem_round_ready"}});
}

// Entering in the middle of a hand: the playing scene puts the pot, the
// bets, the cards and my buttons back; I follow, the others give up. The
// table is shot maximised on the way (the headless desktop is 1920 x 1040).
TEST_F(HoldemProgram, EnteringMidHandRestoresTheTable)
{
    PlayAndShoot("holdem_restore.json", 680,
                 {Click(240, kHoldemFollow), Click(260, kMaximise), Click(340, kRestore), Click(630, kHoldemStart)},
                 {{230, "holdem_restore_scene"}, {330, "holdem_restore_maximised"}, {450, "holdem_restore_end"}});
}

// A scene with my bet, then one with my table bet 0: only chairs 3, 5 and the pot keep chips.
TEST_F(HoldemProgram, ASecondSceneTakesMyChipFromTheFirst)
{
    PlayAndShoot("holdem_scene_again.json", 1750,
                 {Nodes(255, "second_scene"), Click(275, kHoldemFollow), Click(660, kHoldemStart),
                  Click(720, kHoldemPass), Click(825, kHoldemFollow), Click(951, kHoldemAdd),
                  Click(991, kHoldemAddKind2), Click(1135, kHoldemPass), Click(1279, kHoldemPass),
                  Click(1695, kHoldemStart)},
                 {{255, "holdem_second_scene"}, {1500, "holdem_second_scene_next"}});
    EXPECT_EQ(gameprogram::With(Nodes("second_scene"), "DZShowHand/res/chouma/").size(), 3u);
}

// The landlord game in the real program, drawing only its shots. Window
// pixels of its table (the content root stands at (13, 16) of a 1288 x 762
// window): the buttons of calls and plays sit on one row, my cards below.
class LandProgram : public RoomProgram
{
protected:
    static constexpr const char* kChairTable1Chair1 = "170,216";
    static constexpr const char* kReady = "513,496";
    static constexpr const char* kCall1 = "348,534";
    static constexpr const char* kCall2 = "458,534";
    static constexpr const char* kPass = "373,534";
    static constexpr const char* kNoCall = "678,534";
    static constexpr const char* kCloseScore = "763,147";
    static constexpr const char* kPlay = "653,534";
    // The eighth and ninth of seventeen (or the fifth and sixth of ten) cards.
    static constexpr const char* kCard8b = "472,646";
    static constexpr const char* kCard8a = "507,646";

    static std::string Shot(int frame, const std::string& file)
    {
        return "--shot=" + std::to_string(frame) + ":" + file;
    }
    // What shows at the frame, read back with Nodes(name).
    std::string Nodes(int frame, const std::string& name) const
    {
        return "--nodes=" + std::to_string(frame) + ":" + m_dir + "/" + name + ".txt";
    }
    std::vector<gameprogram::ShownNode> Nodes(const std::string& name) const
    {
        return gameprogram::ReadShownNodes(m_dir + "/" + name + ".txt");
    }
    // Every shot clean of stand-ins, and kept under screens/ for a look.
    void CheckShots(const std::vector<std::pair<std::string, std::string>>& shots)
    {
        for (const auto& [file, name] : shots)
        {
            EXPECT_EQ(MagentaPixels(file), 0) << name;
            KeepScreen(file, name);
        }
    }
};

// A whole hand by clicks, checked byte for byte by the scenario: I call 1,
// the left player takes the hand on 3; I pass his airplane, follow his pair
// with my eights, pass his bomb, and he goes out: the score view.
TEST_F(LandProgram, AHandByClicksFromTheDealToTheScoreView)
{
    const std::string deal = m_dir + "/deal.png", calling = m_dir + "/calling.png", play = m_dir + "/play.png",
                      score = m_dir + "/score.png", maximised = m_dir + "/maximised.png";
    const Outcome o =
        Play("land_round.json", 1320,
             {"--no-draw", Click(90, kChairTable1Chair1), Click(300, kReady), Shot(420, deal), Shot(700, calling),
              Click(720, kCall1), Click(800, kPass), Click(880, kCard8b), Click(900, kCard8a), Shot(920, play),
              Click(930, kPlay), Click(1000, kPass), Shot(1200, score), Click(1220, "1227,12"), Shot(1300, maximised)});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    EXPECT_EQ(o.clientLog.find("missing picture"), std::string::npos) << o.clientLog;
    CheckShots({{deal, "land_deal"},
                {calling, "land_calling"},
                {play, "land_play"},
                {score, "land_score"},
                {maximised, "land_score_maximised"}});
}

// Entering a game that runs: the calling scene, my call of 2, then the
// playing scene (as a second entry would show it) with a pair on the table,
// which my eights beat; the landlord's bomb ends the hand. Then the next
// hands start clean: I close the score view and get ready, nobody calls
// the first hand (my no call by a click), and
// the new deal's call buttons come with none of its signs; in the second
// the right player takes the hand, I pass his lead and find my turn again
// under no sign of that trick, and at the end no sign lies under the ready
// button.
TEST_F(LandProgram, EnteringMidGameRestoresTheTableAndTheNextHandsStartClean)
{
    const std::string calling = m_dir + "/calling.png", playing = m_dir + "/playing.png", score = m_dir + "/score.png",
                      redeal = m_dir + "/redeal.png", myTurn = m_dir + "/my_turn.png", end = m_dir + "/end.png";
    const Outcome o = Play("land_restore.json", 1600,
                           {"--no-draw", Shot(250, calling), Click(300, kCall2), Click(500, kCard8b),
                            Click(520, kCard8a), Shot(540, playing), Click(560, kPlay), Shot(740, score),
                            Click(760, kCloseScore), Click(780, kReady), Click(900, kNoCall), Nodes(1230, "redeal"), Shot(1230, redeal),
                            Click(1250, kNoCall), Click(1350, kPass), Nodes(1420, "my_turn"), Shot(1420, myTurn),
                            Click(1440, kPass), Nodes(1560, "end"), Shot(1560, end)});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    CheckShots({{calling, "land_restore_calling"},
                {playing, "land_restore_playing"},
                {score, "land_restore_score"},
                {redeal, "land_restore_redeal"},
                {myTurn, "land_restore_my_turn"},
                {end, "land_restore_end"}});

    using gameprogram::ShownNode;
    const auto signsOverButtons = [](const std::vector<ShownNode>& shown) {
        int over = 0;
        for (const ShownNode& sign : gameprogram::With(shown, "Land/font/"))
            for (const ShownNode& button : shown)
                over += button.kind == "CCControlButton" && sign.Overlaps(button) ? 1 : 0;
        return over;
    };
    const auto redealt = Nodes("redeal");
    EXPECT_GE(gameprogram::With(redealt, "CCControlButton").size(), 4u) << "no call buttons";
    EXPECT_TRUE(gameprogram::With(redealt, "Land/font/bujiao").empty()) << "no-call signs of the last deal";
    EXPECT_EQ(signsOverButtons(redealt), 0);
    // The left player's pass of this trick shows; mine of the last does not.
    const auto turn = Nodes("my_turn");
    EXPECT_EQ(gameprogram::With(turn, "Land/font/pass").size(), 1u);
    EXPECT_EQ(signsOverButtons(turn), 0);
    const auto ended = Nodes("end");
    EXPECT_TRUE(gameprogram::With(ended, "Land/font/pass").empty());
    EXPECT_EQ(signsOverButtons(ended), 0);
}

// roomsim's landlord table: I sit at a free chair, two bots sit down beside
// me, and a hand runs to its end by my client's own time-outs, every call
// and play of mine checked by the rules. The bots answer at once, so the
// hand lasts as many frames however fast they run.
TEST_F(LandProgram, TheTablePlaysAHandWithBotsByTheClientsTimeOuts)
{
    const std::string end = m_dir + "/end.png";
    const Outcome o =
        Play("land_table.json", 1320, {"--no-draw", Click(90, "514,304"), Click(300, kReady), Shot(1270, end)});
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_NE(o.serverLog.find("landlord table: hand over"), std::string::npos) << o.serverLog;
    EXPECT_EQ(o.clientLog.find("DATA ERROR"), std::string::npos) << o.clientLog;
    CheckShots({{end, "land_table_end"}});
}

// Kind 2060: the room starts tools/extgame (next to the program, in its
// kind's folder), which takes the game over the copy-data channel and then
// ends without a word; the 500 ms poll notices and stands me up.
class ExternalProgram : public RoomProgram
{
protected:
    std::vector<std::string> RoomOptions(int port) override
    {
        const std::string file = m_dir + "/hall.conf";
        std::ofstream(file) << "[room]\nkind = 2060\nname = 外部游戏\nhost = 127.0.0.1\nport = " << port
                            << "\nprogram = extgame\n";
        return {"--hall-config", file};
    }
};

TEST_F(ExternalProgram, GameRunsInTheExternalProgram)
{
    setenv("KEST_EXTGAME_EXIT_AFTER_SHOW", "1500", 1);
    const Outcome o = Play("kernel_external.json", 420, {});
    unsetenv("KEST_EXTGAME_EXIT_AFTER_SHOW");
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_NE(o.clientLog.find("extgame: show"), std::string::npos) << o.clientLog;
    EXPECT_NE(o.clientLog.find("extgame: packet 200/7 of 3 bytes"), std::string::npos) << o.clientLog;
}

// The personal centre against roomsim serving the hall connection: no room,
// the logged-on user's password is "oldpass".
class HallProgram : public RoomProgram
{
protected:
    std::vector<std::string> ProgramOptions(int port) override
    {
        return {"--user", "1001,player,玩家,65596aece8ead4b14c78d52f2b88ec37", "--hall",
                "127.0.0.1:" + std::to_string(port)};
    }
};

// Where things are in the hall and its personal centre.
constexpr const char* kUserPanel = "60,44";
constexpr const char* kProfileTab = "415,208";
constexpr const char* kPasswordTab = "415,240";
constexpr const char* kRealNameField = "623,355";
constexpr const char* kMale = "573,301";
constexpr const char* kConfirm = "803,584";
constexpr const char* kOldLogon = "642,286";
constexpr const char* kNewLogon = "642,311";
constexpr const char* kConfirmLogon = "642,336";
constexpr const char* kModifyLogon = "683,386";

// The user panel opens it; the server's profile fills the page; an edited
// field and the other gender go back in the profile request.
TEST_F(HallProgram, PersonalCentreSendsTheChangedProfile)
{
    const std::string shot = m_dir + "/profile.png";
    const Outcome o = Play(
        "hall_profile.json", 200,
        {Click(30, kUserPanel), Click(100, kRealNameField), Type(110, "丰"), Click(120, kMale), Click(130, kConfirm)},
        shot);
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(MagentaPixels(shot), 0);
    KeepScreen(shot, "personal_centre_profile");
}

// The log-on password changes; the confirm field is edited again before the
// server answers, and the record keeps the password that was sent: the next
// profile request carries its digest.
TEST_F(HallProgram, PersonalCentreKeepsThePasswordItSent)
{
    const std::string shot = m_dir + "/password.png";
    const Outcome o = Play("hall_password.json", 330,
                           {Click(30, kUserPanel), Click(60, kPasswordTab), Click(70, kOldLogon), Type(75, "oldpass"),
                            Click(80, kNewLogon), Type(85, "newpass1"), Click(90, kConfirmLogon), Type(95, "newpass1"),
                            Click(100, kModifyLogon), Click(110, kConfirmLogon), Type(115, "x"), Click(270, kDialogOK),
                            Click(280, kProfileTab), Click(290, kConfirm), Click(300, kPasswordTab)},
                           shot);
    EXPECT_OUTCOME(o, kPassed);
    EXPECT_EQ(MagentaPixels(shot), 0);
    KeepScreen(shot, "personal_centre_password");
}

}  // namespace
