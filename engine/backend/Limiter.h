#ifndef KEST_ENGINE_BACKEND_LIMITER_H
#define KEST_ENGINE_BACKEND_LIMITER_H

// The last stage of the mix: a look-ahead peak limiter. Sounds that meet
// (a voice over the clock's tick, a gong on a call, chips on a deal, all
// over the music) may add up past full scale; the device would clip them
// into crackle. The limiter sees each peak a moment before it plays and
// turns the gain down smoothly so that no sample passes the ceiling, then
// lets it back up. The levels of the sounds leave room for most meetings,
// so it rarely acts. No SDL here: the sound device runs it on the mix.

#include <cstddef>
#include <vector>

namespace kest {
namespace backend {
namespace audio {

class Limiter {
 public:
  // -1 dBFS: a 16-bit device's conversion keeps clear of its last codes.
  static constexpr float kCeiling = 0.891f;

  // Interleaved frames of `channels` samples at `rate` frames a second.
  Limiter(int channels, int rate, float ceiling = kCeiling, float lookAheadSeconds = 0.002f,
          float releaseSeconds = 0.1f);

  // Limits the frames in place. The output runs `latency()` frames behind
  // the input; the first frames ever given out are silence.
  void process(float* samples, size_t frames);

  size_t latency() const { return m_window - 1; }
  size_t channels() const { return static_cast<size_t>(m_channels); }
  // The gain of the last frame given out (1: not limiting).
  float gain() const { return m_lastGain; }
  // Samples the clamp after the gain has turned down by more than rounding
  // so far. The gain alone keeps the mix under the ceiling: the clamp is
  // only a guard.
  unsigned long long clamped() const { return m_clamped; }

 private:
  int m_channels;
  float m_ceiling;
  size_t m_window;        // look-ahead frames, the current one among them
  double m_release;       // the share of the way back to 1 the gain makes each frame
  std::vector<float> m_delay;    // the last m_window input frames
  std::vector<float> m_needed;   // each of their gains that would keep it under the ceiling
  std::vector<size_t> m_minima;  // a rising run of indexes into m_needed: its window minimum first
  size_t m_minHead = 0, m_minCount = 0;
  std::vector<double> m_held;    // the held gains of the last m_window frames, averaged
  double m_heldSum = 0;
  double m_hold = 1;
  size_t m_at = 0;          // the ring index of the newest frame
  unsigned long long m_frames = 0;
  float m_lastGain = 1;
  unsigned long long m_clamped = 0;
};

}  // namespace audio
}  // namespace backend
}  // namespace kest

#endif
