// The real program against roomsim at a game's table: kestrelium headless
// enters the room of the kind, roomsim plays a scenario and checks every
// request byte for byte, clicks come in at window pixels (top-left origin)
// at given frames, and each phase is shot. The shots are kept under screens/
// beside the test for a look.
#pragma once

#include "room/ProgramRun.h"

#include <string>
#include <utility>
#include <vector>

namespace gameprogram {

class GameProgram : public programrun::ProgramTest
{
protected:
    // One thing at a frame: a click at a window pixel "X,Y" (a double or a
    // right click there, or a drag "X,Y,X2,Y2"), or a shot kept as
    // screens/<name>.png.
    struct Step
    {
        int frame;
        std::string click;
        std::string shot;
        const char* option = "--click";
    };
    static Step Click(int frame, const char* at) { return {frame, at, ""}; }
    static Step DoubleClick(int frame, const char* at) { return {frame, at, "", "--dblclick"}; }
    static Step RightClick(int frame, const char* at) { return {frame, at, "", "--rclick"}; }
    static Step Drag(int frame, const char* fromTo) { return {frame, fromTo, "", "--drag"}; }
    static Step Shot(int frame, const char* name) { return {frame, "", name}; }

    // Plays the scenario in a room of the kind for the frames; `options` go
    // to the program before the steps (--speed N).
    Outcome Play(const std::string& scenario, int kind, const std::string& roomName, int frames,
                 const std::vector<Step>& steps, const std::vector<std::string>& options = {});

    // The run passed: both ended well, no sanitizer report, no data error,
    // no sound that could not play, and no shot shows a stand-in picture.
    void ExpectClean(const Outcome& o);

    std::vector<std::pair<std::string, std::string>> m_shots;  // file, name
};

}  // namespace gameprogram
