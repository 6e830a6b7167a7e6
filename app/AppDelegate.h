// The application object: start-up, settings, sounds, the window's state and
// the window hook that turns input into notifications and board calls. The
// layers above the UI reach its services through ui/AppServices.h, where it
// installs itself.
#pragma once

namespace platform {
class SingleInstance;
}

#include "app/LaunchRules.h"
#include "cocos2d.h"
#include "ui/AppServices.h"

#include <string>
#include <vector>

class AppDelegate : private cocos2d::CCApplication, public IAppServices
{
public:
    using SceneFactory = cocos2d::CCScene* (*)();

    explicit AppDelegate(const launch::Options& options);
    ~AppDelegate() override;
    static AppDelegate* GetInstance();

    int Run() { return run(); }
    bool applicationDidFinishLaunching() override;

    // Sounds; a missing file is silent. Music honours "Music", effects "Effect".
    void playBackgroundMusic(const char* name, bool loop) override;
    void playLoopMusic(const char* name) override { playBackgroundMusic(name, true); }
    void stopBackgroundMusic() override;
    void playEffect(const char* name) override;
    void stopAllEffects() override;
    // The file a sound name resolves to (".wma", ".mp3", ".ogg"), or "".
    static std::string ResolveSoundPath(const std::string& name);

    // Client-area size in whole pixels.
    int GetWindowWidth() const override;
    int GetWindowHeight() const override;
    // The window's state as the window manager has it, whoever changed it.
    bool IsMaximized() const override;
    // Maximised: back to the rectangle the window had; normal: the display's
    // usable area. The window manager keeps the rectangle and the state.
    void ToggleMaximize() override;

    const std::vector<std::string>& GetServerAddresses() const override;
    // When set, an external game is not started (its command line is only
    // copied). Off.
    bool IsExternalGameDebug() const override { return m_bExternalGameDebug; }

    // The first scene (the hall); a plain scene while none is installed.
    static void SetFirstSceneFactory(SceneFactory factory);

    // The engine window's hook; true when the message is consumed.
    static bool WindowMessageHook(const cocos2d::CCWindowMessage& message);
    // Where a press on the window lands: the caption of the frame on show,
    // or the client.
    static cocos2d::CCWindowArea WindowAreaHook(const cocos2d::CCPoint& locationInView);

    // The running program's guard: a later start's call brings the window
    // forward. Not owned.
    void SetInstanceGuard(platform::SingleInstance* guard) { m_pInstance = guard; }

    const launch::Options& GetOptions() const { return m_options; }

private:
    void applySettingsAtStart();
    void addWaitSources(std::vector<pollfd>& fds, double& timeout) override;
    void serviceWaitSources() override;

    launch::Options m_options;
    platform::SingleInstance* m_pInstance = nullptr;
    bool m_bExternalGameDebug = false;
};
