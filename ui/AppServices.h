// What the hall, the room and the games ask of the program: its sounds, its
// window and its server list, and the window hook's way to the game board.
// The program's application object (app/AppDelegate) installs itself at
// start-up; the layers above the UI call it only through here, so none of
// them names the program. Without it (tests) there is no sound, the window
// is the view's frame and nobody is maximised.
#pragma once

#include "cocos2d.h"

#include <string>
#include <vector>

// The current game board as the window hook sees it. The room installs a
// resolver that returns it only while the room scene runs and its kernel has
// a board.
class IWindowInputTarget
{
public:
    virtual ~IWindowInputTarget() = default;
    virtual void UpdateChipCursor() = 0;
    // Mouse moves go to the board only while the room is shown and its
    // tables have more than 8 chairs.
    virtual bool WantsMouseMove() = 0;
    virtual void OnMouseMove(const cocos2d::CCPoint& gl) = 0;
    virtual void OnRButtonUp() = 0;
    virtual void OnLButtonDblClk() = 0;
};

class IAppServices
{
public:
    virtual ~IAppServices() = default;

    // Sounds; a missing file is silent. Music honours "Music", effects "Effect".
    virtual void playBackgroundMusic(const char* name, bool loop) = 0;
    virtual void playLoopMusic(const char* name) = 0;
    virtual void stopBackgroundMusic() = 0;
    virtual void playEffect(const char* name) = 0;
    virtual void stopAllEffects() = 0;

    // Client-area size in whole pixels.
    virtual int GetWindowWidth() const = 0;
    virtual int GetWindowHeight() const = 0;
    // The window's state as the window manager has it; the toggle asks it to
    // change (the state and the layouts follow when it has).
    virtual bool IsMaximized() const = 0;
    virtual void ToggleMaximize() = 0;

    virtual const std::vector<std::string>& GetServerAddresses() const = 0;
    // When set, an external game is not started (its command line is only
    // copied).
    virtual bool IsExternalGameDebug() const = 0;
};

namespace app_services {

// The installed program, or null.
IAppServices* Get();
void Install(IAppServices* services);

// The same with the fallbacks above, for callers that need no more.
void PlayLoopMusic(const char* name);
void StopBackgroundMusic();
cocos2d::CCSize WindowSize();
bool IsMaximized();
void ToggleMaximize();

// The window hook's way to the board, who lays out on a resize or a change
// of the maximised state (the scene on show: the hall, then the room while
// it runs), and who answers the window's close request: the window closes
// unless a hand runs (the player is asked instead, or already being asked).
enum class CloseReply
{
    Close,
    Asked,
    AlreadyAsking
};
using InputTargetResolver = IWindowInputTarget* (*)();
using ResizeHandler = void (*)(int width, int height);
using CloseHandler = CloseReply (*)();
void SetInputTargetResolver(InputTargetResolver resolver);
InputTargetResolver GetInputTargetResolver();
void SetResizeHandler(ResizeHandler handler);
ResizeHandler GetResizeHandler();
void SetCloseHandler(CloseHandler handler);
CloseHandler GetCloseHandler();

}  // namespace app_services
