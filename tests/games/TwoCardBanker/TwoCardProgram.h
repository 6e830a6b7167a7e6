// The real program against roomsim at a two-card banker table: kestrelium
// headless enters a room of the kind (100 chairs), roomsim plays a scenario
// and checks every request byte for byte, clicks come in at window pixels
// (top-left origin) and each phase is shot. Screens are kept under screens/
// for a look.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tcbtest {

class TwoCardProgram : public ::testing::Test
{
protected:
    struct Outcome
    {
        int server = -1;
        int client = -1;
        std::string serverLog;
        std::string clientLog;
    };

    // One thing at a frame: a click at a window pixel, or a shot kept as
    // screens/<name>.png.
    struct Step
    {
        int frame;
        std::string click;  // "X,Y"
        std::string shot;   // name
    };
    static Step Click(int frame, const char* at) { return {frame, at, ""}; }
    static Step Shot(int frame, const char* name) { return {frame, "", name}; }

    void SetUp() override;
    void TearDown() override;

    // Plays the scenario at a table of the kind for the frames; speed > 1
    // runs the clocks that much faster than the frames.
    Outcome Play(const std::string& scenario, int kind, int frames, const std::vector<Step>& steps, int speed = 1);
    // The run passed: both ended well, no sanitizer report, no data error,
    // and no shot shows a stand-in picture.
    void ExpectClean(const Outcome& o);

    std::string m_dir;
    std::vector<std::pair<std::string, std::string>> m_shots;  // file, name
};

}  // namespace tcbtest
