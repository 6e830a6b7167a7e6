// What the program hands the sound card, captured with SDL's disk driver
// while it plays at its own speed (no --speed: the driver writes in real
// time): a landlord hand at the demo table, the chair and ready clicked and
// the rest played by time-outs, and a busy car-brand round with the banker,
// bursts of others' bets under the clock, the car's run and its music. The
// device takes the mixer's floats; a 16-bit card gets each sample rounded
// and clamped, as SDL converts them for one, and no sample may reach full
// scale there. The levels are written to the log.
#include "games/GameProgram.h"
#include "tools/soundgen/Level.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using gameprogram::GameProgram;

namespace {

constexpr int kRate = 44100;

struct MixLevels
{
    double seconds = 0;
    float peakDb = soundgen::kSilentDb;
    long fullScale = 0;   // samples a 16-bit card gets at +32767 or -32768
    long nearFull = 0;    // samples above -1 dBFS
    long over3Db = 0;     // samples above -3 dBFS
    float activeRmsDb = soundgen::kSilentDb;  // the 50 ms blocks within 20 dB of the loudest
    float loudnessDb = soundgen::kSilentDb;   // gated and weighted as the generator levels
    int activeBlocks = 0;
};

MixLevels Measure(const std::vector<float>& stereo)
{
    MixLevels m;
    const size_t frames = stereo.size() / 2;
    m.seconds = static_cast<double>(frames) / kRate;
    float peak = 0;
    for (float v : stereo)
    {
        const float a = std::fabs(v);
        peak = std::max(peak, a);
        // SDL's conversion: clamped to [-1, 1], then times 32767.
        const long code = std::lround(std::max(-1.0f, std::min(1.0f, v)) * 32767.0f);
        m.fullScale += code >= 32767 || code <= -32767 ? 1 : 0;
        m.nearFull += a > 0.8913f ? 1 : 0;
        m.over3Db += a > 0.7079f ? 1 : 0;
    }
    m.peakDb = peak > 0 ? 20 * std::log10(peak) : soundgen::kSilentDb;
    std::vector<float> mid(frames);
    for (size_t f = 0; f < frames; ++f)
        mid[f] = 0.5f * (stereo[2 * f] + stereo[2 * f + 1]);
    m.loudnessDb = soundgen::LoudnessDb(mid.data(), mid.size(), kRate);
    std::vector<double> blocks;
    const size_t block = kRate / 20;
    for (size_t at = 0; at + block <= frames; at += block)
    {
        double sum = 0;
        for (size_t f = at; f < at + block; ++f)
            sum += 0.5 * (stereo[2 * f] * stereo[2 * f] + stereo[2 * f + 1] * stereo[2 * f + 1]);
        blocks.push_back(sum / block);
    }
    const double loudest = blocks.empty() ? 0 : *std::max_element(blocks.begin(), blocks.end());
    double sum = 0;
    for (double p : blocks)
    {
        if (p > 0 && p >= loudest / 100)
            sum += p, ++m.activeBlocks;
    }
    if (m.activeBlocks > 0)
        m.activeRmsDb = static_cast<float>(10 * std::log10(sum / m.activeBlocks));
    return m;
}

class MixCapture : public GameProgram
{
protected:
    // Plays the scenario with the mix captured; the stereo samples.
    std::vector<float> Capture(const std::string& scenario, int kind, const std::string& room, int frames,
                               const std::vector<Step>& steps, Outcome& outcome)
    {
        const std::string file = m_dir + "/mix.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        outcome = Play(scenario, kind, room, frames, steps);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<float> stereo(bytes.size() / sizeof(float) / 2 * 2);
        std::memcpy(stereo.data(), bytes.data(), stereo.size() * sizeof(float));
        return stereo;
    }

    static void Expect(const MixLevels& m, const char* what, double seconds)
    {
        std::printf("%s: %.1f s; peak %.2f dBFS; %ld samples at full scale, %ld above -1 dBFS, %ld above -3 dBFS; "
                    "active RMS %.1f dBFS over %d blocks of 50 ms; loudness %.1f dB\n",
                    what, m.seconds, m.peakDb, m.fullScale, m.nearFull, m.over3Db, m.activeRmsDb, m.activeBlocks,
                    m.loudnessDb);
        EXPECT_GE(m.seconds, seconds) << what;
        EXPECT_EQ(m.fullScale, 0) << what;
        EXPECT_EQ(m.nearFull, 0) << what;
        // Heard, and at a level the sounds were made for.
        EXPECT_GT(m.activeBlocks, 100) << what;
        EXPECT_GT(m.activeRmsDb, -32.0f) << what;
        EXPECT_LT(m.activeRmsDb, -14.0f) << what;
    }
};

TEST_F(MixCapture, ALandlordHandAtTheDemoTableNeverReachesFullScale)
{
    Outcome o;
    const std::vector<float> mix = Capture("land_demo.json", 200, "欢乐斗地主 一号房", 4300,
                                           {Click(90, "514,304"), Click(300, "513,496")}, o);
    ExpectClean(o);
    // The hand was played to its end.
    EXPECT_NE(o.serverLog.find("-> 200/105"), std::string::npos) << o.serverLog;
    Expect(Measure(mix), "a landlord hand", 60);
}

TEST_F(MixCapture, ABusyCarBrandRoundNeverReachesFullScale)
{
    Outcome o;
    const std::vector<float> mix = Capture("bumpercarbattle_sound.json", 108, "碰碰车 一号房", 3000, {}, o);
    ExpectClean(o);
    Expect(Measure(mix), "a car-brand round", 40);
}

}  // namespace
