// The sound engine as the framework uses it. One object gives it, so a test
// can stand in for the speakers and see what the games asked to play.
#pragma once

#include <string>

namespace Sexy {

class IGameAudio
{
public:
    virtual ~IGameAudio() = default;
    virtual bool IsMusicPlaying() = 0;
    virtual void PreloadMusic(const std::string& path) = 0;
    virtual void PlayMusic(const std::string& path, bool loop) = 0;
    virtual void StopMusic(bool releaseData) = 0;
    virtual void PauseMusic() = 0;
    virtual void ResumeMusic() = 0;
    virtual void SetMusicVolume(float volume) = 0;
    virtual void SetEffectsVolume(float volume) = 0;
    virtual void PlayEffect(const std::string& path, bool loop) = 0;
    virtual void StopAllEffects() = 0;
};

// The engine's sound unless replaced; never null.
IGameAudio* GetGameAudio();
// Null restores the engine's.
void SetGameAudio(IGameAudio* audio);

}  // namespace Sexy
