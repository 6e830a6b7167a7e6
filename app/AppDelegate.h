// The application object: start-up, settings, sounds, the window's state and
// the window hook that turns input into notifications and board calls.
#pragma once

#include "app/LaunchRules.h"
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

class AppDelegate : private cocos2d::CCApplication
{
public:
    using InputTargetResolver = IWindowInputTarget* (*)();
    using ResizeHandler = void (*)(int width, int height);
    using SceneFactory = cocos2d::CCScene* (*)();

    explicit AppDelegate(const launch::Options& options);
    ~AppDelegate() override;
    static AppDelegate* GetInstance();

    int Run() { return run(); }
    bool applicationDidFinishLaunching() override;

    // Sounds; a missing file is silent. Music honours "Music", effects "Effect".
    virtual void playBackgroundMusic(const char* name, bool loop);
    virtual void playLoopMusic(const char* name) { playBackgroundMusic(name, true); }
    virtual void stopBackgroundMusic();
    virtual void playEffect(const char* name);
    virtual void stopAllEffects();
    // The file a sound name resolves to (".wma", ".mp3", ".ogg"), or "".
    static std::string ResolveSoundPath(const std::string& name);

    // Client-area size in whole pixels.
    int GetWindowWidth() const;
    int GetWindowHeight() const;
    bool IsMaximized() const { return m_bMaximized; }
    void SetMaximized(bool maximized) { m_bMaximized = maximized; }
    // The normal window rectangle kept while maximised.
    const cocos2d::CCRect& GetSavedRect() const { return m_savedRect; }
    void SetSavedRect(const cocos2d::CCRect& rect) { m_savedRect = rect; }
    // Maximised: back to the saved rectangle; normal: keeps the rectangle and
    // takes the work area. Either grown by 2 pixels on each side.
    void ToggleMaximize();

    const std::vector<std::string>& GetServerAddresses() const;
    // When set, an external game is not started (its command line is only
    // copied). Off.
    bool IsExternalGameDebug() const { return m_bExternalGameDebug; }

    // What the other layers plug in.
    static void SetInputTargetResolver(InputTargetResolver resolver);
    static void SetResizeHandler(ResizeHandler handler);
    // The first scene (the hall); a plain scene while none is installed.
    static void SetFirstSceneFactory(SceneFactory factory);

    // The engine window's hook; true when the message is consumed.
    static bool WindowMessageHook(const cocos2d::CCWindowMessage& message);

    const launch::Options& GetOptions() const { return m_options; }

private:
    void applySettingsAtStart();

    launch::Options m_options;
    cocos2d::CCRect m_savedRect;
    bool m_bMaximized = false;
    bool m_bExternalGameDebug = false;
};
