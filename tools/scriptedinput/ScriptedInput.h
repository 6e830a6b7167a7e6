// Test and demo equipment: clicks and typing played into the window at
// given frames, as a player's mouse and keyboard would give them, so a
// headless run can take a seat or answer a dialog.
//   --click FRAME:X,Y   a left click at window pixel (X, Y), top-left origin
//   --dblclick FRAME:X,Y  a left double click there (two clicks, the second a double)
//   --rclick FRAME:X,Y  a right click there
//   --drag FRAME:X,Y,X2,Y2  the left button pressed at (X, Y), the mouse moved
//                       with it held to (X2, Y2) and released there
//   --type FRAME:TEXT   UTF-8 text typed into the field that is editing
//   --shot FRAME:FILE   a PNG of the window as it shows at that frame
//   --nodes FRAME:FILE  what shows at that frame, one line a node (below)
#pragma once

#include <string>
#include <vector>

namespace scripted {

struct InputStep
{
    enum Button
    {
        kLeft,
        kDouble,
        kRight,
        kDrag,
    };

    int frame = 0;
    bool click = false;
    bool shot = false;
    bool nodes = false;
    Button button = kLeft;  // of a click
    float x = 0, y = 0;
    float x2 = 0, y2 = 0;  // where a drag ends
    std::string text;  // typed, or the file a shot or the nodes go to
};

// The steps among the options, in frame order; false with an error for a
// malformed one.
bool ReadInputSteps(const std::vector<std::string>& options, std::vector<InputStep>& steps, std::string& error);
// Plays the steps from the next frame on.
void PlayInputSteps(const std::vector<InputStep>& steps);

// Writes what the running scene shows, so a test can read a table as a
// player does: one line a drawn node (it and its parents visible, not
// scaled away, not faded out), parents first, tab-separated: its kind (the
// engine class, "CCSprite", or a widget's description, "ImageView"), its
// widget name, its tag, its box on the window in design points
// "x,y,w,h" (bottom-left origin), then what it shows: a text ("text=..."),
// a picture file ("picture=..."), a widget's or button's state
// ("bright=0", "enabled=0"). False when the file cannot be written.
bool WriteShownNodes(const std::string& file);

}  // namespace scripted
