// Test and demo equipment: clicks and typing played into the window at
// given frames, as a player's mouse and keyboard would give them, so a
// headless run can take a seat or answer a dialog.
//   --click FRAME:X,Y   a left click at window pixel (X, Y), top-left origin
//   --type FRAME:TEXT   UTF-8 text typed into the field that is editing
//   --shot FRAME:FILE   a PNG of the window as it shows at that frame
#pragma once

#include <string>
#include <vector>

namespace scripted {

struct InputStep
{
    int frame = 0;
    bool click = false;
    bool shot = false;
    float x = 0, y = 0;
    std::string text;  // typed, or the screenshot's file
};

// The steps among the options, in frame order; false with an error for a
// malformed one.
bool ReadInputSteps(const std::vector<std::string>& options, std::vector<InputStep>& steps, std::string& error);
// Plays the steps from the next frame on.
void PlayInputSteps(const std::vector<InputStep>& steps);

}  // namespace scripted
