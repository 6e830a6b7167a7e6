#include "games/framework/GameAudio.h"

#include "SimpleAudioEngine.h"

namespace Sexy {

namespace {

using CocosDenshion::SimpleAudioEngine;

// The engine's music and effects.
class CEngineAudio : public IGameAudio
{
public:
    bool IsMusicPlaying() override { return Engine()->isBackgroundMusicPlaying(); }
    void PreloadMusic(const std::string& path) override { Engine()->preloadBackgroundMusic(path.c_str()); }
    void PlayMusic(const std::string& path, bool loop) override { Engine()->playBackgroundMusic(path.c_str(), loop); }
    void StopMusic(bool releaseData) override { Engine()->stopBackgroundMusic(releaseData); }
    void PauseMusic() override { Engine()->pauseBackgroundMusic(); }
    void ResumeMusic() override { Engine()->resumeBackgroundMusic(); }
    void SetMusicVolume(float volume) override { Engine()->setBackgroundMusicVolume(volume); }
    void SetEffectsVolume(float volume) override { Engine()->setEffectsVolume(volume); }
    void PlayEffect(const std::string& path, bool loop) override { Engine()->playEffect(path.c_str(), loop); }
    void StopAllEffects() override { Engine()->stopAllEffects(); }

private:
    // Asked each time: the program ends the engine's audio on its way out.
    static SimpleAudioEngine* Engine() { return SimpleAudioEngine::sharedEngine(); }
};

CEngineAudio g_engineAudio;
IGameAudio* g_pAudio = nullptr;

}  // namespace

IGameAudio* GetGameAudio() { return g_pAudio != nullptr ? g_pAudio : &g_engineAudio; }

void SetGameAudio(IGameAudio* audio) { g_pAudio = audio; }

}  // namespace Sexy
