#include "games/framework/GameAudio.h"

namespace Sexy {

namespace {

// Silent: keeps only whether music would be playing.
class CSilentAudio : public IGameAudio {
public:
    bool IsMusicPlaying() override { return m_bMusic; }
    void PreloadMusic(const std::string&) override {}
    void PlayMusic(const std::string&, bool) override { m_bMusic = true; }
    void StopMusic(bool) override { m_bMusic = false; }
    void PauseMusic() override { m_bMusic = false; }
    void ResumeMusic() override {}
    void SetMusicVolume(float) override {}
    void SetEffectsVolume(float) override {}
    void PlayEffect(const std::string&, bool) override {}
    void StopAllEffects() override {}

private:
    bool m_bMusic = false;
};

CSilentAudio g_silentAudio;
IGameAudio* g_pAudio = nullptr;

} // namespace

IGameAudio* GetGameAudio() { return g_pAudio != nullptr ? g_pAudio : &g_silentAudio; }

void SetGameAudio(IGameAudio* audio) { g_pAudio = audio; }

} // namespace Sexy
