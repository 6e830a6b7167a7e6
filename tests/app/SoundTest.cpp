// The application's sound operations against the engine's audio (SDL's
// dummy device in tests).
#include "app/AppDelegate.h"

#include "ui/UiFixture.h"

#include "SimpleAudioEngine.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace cocos2d;
using CocosDenshion::SimpleAudioEngine;

namespace {

// A second of silence as 16-bit mono PCM.
bool WriteWav(const std::string& path)
{
    const uint32_t rate = 22050, bytes = rate * 2;
    std::vector<uint8_t> file;
    auto text = [&file](const char* s) { file.insert(file.end(), s, s + 4); };
    auto u32 = [&file](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&file](uint16_t v) {
        file.push_back(static_cast<uint8_t>(v));
        file.push_back(static_cast<uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + bytes);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    text("data");
    u32(bytes);
    file.resize(file.size() + bytes, 0);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok;
}

} // namespace

using Sounds = UiFixture;

TEST_F(Sounds, MusicAndEffectsFollowTheirSettings)
{
    const std::string wav = "/tmp/kest-sound-" + std::to_string(getpid()) + ".wav";
    ASSERT_TRUE(WriteWav(wav));
    AppDelegate app(launch::Options{});
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    if (!audio->hasDevice()) {
        std::remove(wav.c_str());
        GTEST_SKIP() << "no audio device";
    }
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();

    settings->setBoolForKey("Music", false);
    app.playLoopMusic(wav.c_str());
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    settings->setBoolForKey("Music", true);
    app.playLoopMusic(wav.c_str());
    EXPECT_TRUE(audio->isBackgroundMusicPlaying());
    app.stopBackgroundMusic();
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());

    // Effects have their own setting; music's does not silence them.
    settings->setBoolForKey("Music", false);
    settings->setBoolForKey("Effect", false);
    app.playEffect(wav.c_str());
    EXPECT_EQ(audio->playingEffectCount(), 0);
    settings->setBoolForKey("Effect", true);
    app.playEffect(wav.c_str());
    EXPECT_EQ(audio->playingEffectCount(), 1);
    app.stopAllEffects();
    EXPECT_EQ(audio->playingEffectCount(), 0);

    app.playEffect("Sound/none_such");  // a missing sound is silent
    EXPECT_EQ(audio->playingEffectCount(), 0);
    SimpleAudioEngine::end();
    std::remove(wav.c_str());
}
