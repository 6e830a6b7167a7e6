// What starting a piece of music costs the main thread: three minute-long
// Ogg pieces played in turn, each replacing the one before, on SDL's dummy
// device. A piece is decoded as it plays, so a start is only the opening of
// its decoder; one that took tens of milliseconds would show as a hitch in
// the frame that opens a board.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "SimpleAudioEngine.h"
#include "tools/soundgen/OggWriter.h"

namespace {

using CocosDenshion::SimpleAudioEngine;

std::string WritePiece(int n) {
  soundgen::Pcm minute(60 * soundgen::kRate);
  for (size_t i = 0; i < minute.size(); ++i)
    minute[i] = 0.2f * std::sin(6.2831853f * (220 + 110 * n) * i / soundgen::kRate);
  std::string ogg;
  soundgen::EncodeOgg(minute, 0.3f, static_cast<uint32_t>(n + 1), ogg);
  const std::string path = "/tmp/kest-bench-music-" + std::to_string(getpid()) + "-" + std::to_string(n) + ".ogg";
  std::ofstream(path, std::ios::binary) << ogg;
  return path;
}

void BM_MusicStart(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::string pieces[3] = {WritePiece(0), WritePiece(1), WritePiece(2)};
  SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
  if (!audio->hasDevice()) state.SkipWithError("no sound device");
  int next = 0;
  for (auto _ : state) {
    audio->playBackgroundMusic(pieces[next].c_str(), true);
    next = (next + 1) % 3;
  }
  SimpleAudioEngine::end();
  for (const std::string& piece : pieces) std::remove(piece.c_str());
}

BENCHMARK(BM_MusicStart)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
