// The application's sound operations against the engine's audio (SDL's
// dummy device in tests).
#include "app/AppDelegate.h"
#include "hall/CDlgSetting.h"

#include "WavFile.h"
#include "ui/UiFixture.h"

#include "SimpleAudioEngine.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace cocos2d;
using CocosDenshion::SimpleAudioEngine;

using Sounds = UiFixture;

TEST_F(Sounds, MusicAndEffectsFollowTheirSettings)
{
    const std::string wav = "/tmp/kest-sound-" + std::to_string(getpid()) + ".wav";
    ASSERT_TRUE(WriteWav(wav));
    AppDelegate app(launch::Options{});
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    if (!audio->hasDevice())
    {
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

TEST_F(Sounds, TheSettingsMusicSwitchSilencesAndRestartsWhatIsHeard)
{
    AppDelegate app(launch::Options{});
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    if (!audio->hasDevice())
        GTEST_SKIP() << "no audio device";
    // The room's music is one of the build's sounds, named as the room names it.
    ASSERT_NE(AppDelegate::ResolveSoundPath("Music/background.mp3"), "");
    CCUserDefault::sharedUserDefault()->setBoolForKey("Music", true);
    app.playLoopMusic("Music/background.mp3");
    ASSERT_TRUE(audio->isBackgroundMusicPlaying());

    CDlgSetting* dialog = CDlgSetting::create();
    ASSERT_NE(dialog, nullptr);
    scene->addChild(dialog);
    CCNode* music = CCNode::create();
    music->setTag(CDlgSetting::kTagMusic);
    dialog->OnButton(music);
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    dialog->OnButton(music);
    EXPECT_TRUE(audio->isBackgroundMusicPlaying());
    app.stopBackgroundMusic();
    SimpleAudioEngine::end();
}
