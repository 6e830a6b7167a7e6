// What the program entry decides before the engine runs: the client version
// a finished update hands over, and how resource and sound names resolve.
#pragma once

#include <string>
#include <vector>

namespace launch {

// The launcher starts us with "updatefinsh/<version>" after an update. Given
// the command line (our own options removed) and the stored
// "WIN32BackVesion" (0 when absent), returns the value to store, or -1 to
// leave the setting alone.
int BackVersionToStore(const std::string& commandLine, int stored);

// Options of this platform, read from argv; the rest is the command line.
struct Options
{
    bool headless = false;
    int frames = -1;                 // stop after this many frames; -1 runs on
    std::string screenshot;          // PNG of the last frame
    int speed = 1;                   // headless: seconds of play per second of frames
    bool noDraw = false;             // headless: draw only the frames written as pictures
    std::string resourceDir;         // resource folder (default: the build's)
    std::string commandLine;         // everything that is not an option, joined by ' '
    std::vector<std::string> extra;  // options other layers read (--room ...)
    bool ok = true;
    std::string error;
};
Options ParseOptions(int argc, const char* const argv[]);

// The first existing file among name's base with each extension in turn,
// then name itself; empty when none exists (a missing sound is silent).
using ExistsFn = bool (*)(const std::string& path);
std::string ResolveSound(const std::string& name, const std::vector<std::string>& extensions, ExistsFn exists);

}  // namespace launch
