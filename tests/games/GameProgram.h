// The real program against roomsim at a game's table: kestrelium headless
// enters the room of the kind, roomsim plays a scenario and checks every
// request byte for byte, clicks come in at window pixels (top-left origin)
// at given frames, and each phase is shot. The shots are kept under screens/
// beside the test for a look.
#pragma once

#include "room/ProgramRun.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace gameprogram {

// One line of what the program's --nodes wrote: a drawn node's kind, widget
// name, tag and box on the window (design points, bottom-left origin), and
// the whole line for the rest ("text=", "picture=", "bright=", ...).
struct ShownNode
{
    std::string kind;
    std::string name;
    int tag = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string line;
    // A field "key=value" of the line ("" when it has none).
    std::string Field(const std::string& key) const;
    bool Overlaps(const ShownNode& other) const;
};
std::vector<ShownNode> ReadShownNodes(const std::string& file);
// The shown nodes whose line holds the text (a picture's name, a label's text).
std::vector<ShownNode> With(const std::vector<ShownNode>& shown, const std::string& text);
// Their lines, one a line: what a failed check saw on screen.
std::string Lines(const std::vector<ShownNode>& shown);
// The shown widget of the name and tag (any name when empty, any tag when -1).
const ShownNode* FindWidget(const std::vector<ShownNode>& shown, const std::string& name, int tag = -1);

class GameProgram : public programrun::ProgramTest
{
protected:
    // One thing at a frame: a click at a window pixel "X,Y" (a double or a
    // right click there, or a drag "X,Y,X2,Y2"), a shot kept as
    // screens/<name>.png, or the list of what shows, read with Shown(name).
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
    static Step Nodes(int frame, const char* name) { return {frame, "", name, "--nodes"}; }

    // Plays the scenario in a room of the kind for the frames; `options` go
    // to the program before the steps (--speed N).
    Outcome Play(const std::string& scenario, int kind, const std::string& roomName, int frames,
                 const std::vector<Step>& steps, const std::vector<std::string>& options = {});

    // The run passed: both ended well, no sanitizer report, no data error,
    // no sound that could not play, and no shot shows a stand-in picture.
    void ExpectClean(const Outcome& o);

    // What showed at a Nodes step (see ShownNode).
    using ShownNode = gameprogram::ShownNode;
    std::vector<ShownNode> Shown(const std::string& nodesName) const;
    static std::vector<ShownNode> With(const std::vector<ShownNode>& shown, const std::string& text)
    {
        return gameprogram::With(shown, text);
    }
    static const ShownNode* Widget(const std::vector<ShownNode>& shown, const std::string& name, int tag = -1)
    {
        return FindWidget(shown, name, tag);
    }

    // How many pixels of the shot, in the window's rectangle of design
    // points (bottom-left origin, as Shown gives boxes), are within
    // `tolerance` of the colour 0xRRGGBB on each channel; -1 when the shot
    // cannot be read.
    int PixelsLike(const std::string& shotName, int x, int y, int width, int height, uint32_t rgb,
                   int tolerance) const;

    std::vector<std::pair<std::string, std::string>> m_shots;  // file, name
};

}  // namespace gameprogram
