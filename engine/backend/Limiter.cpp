#include "backend/Limiter.h"

#include <algorithm>
#include <cmath>

namespace kest {
namespace backend {
namespace audio {

// How it keeps every frame under the ceiling: each frame entering the
// look-ahead has a needed gain (1, or what brings its loudest channel to
// the ceiling). The held gain is the least needed gain of the window, let
// back towards 1 no faster than the release. The frame leaving the window
// gets the mean of the last window's held gains: each of those windows
// held that frame's needed gain or less, so their mean is no more, and the
// mean turns down over the whole look-ahead instead of at once.
Limiter::Limiter(int channels, int rate, float ceiling, float lookAheadSeconds, float releaseSeconds)
    : m_channels(std::max(1, channels)), m_ceiling(ceiling) {
  m_window = std::max<size_t>(1, static_cast<size_t>(std::lround(lookAheadSeconds * std::max(1, rate))));
  m_release = 1 - std::exp(-1.0 / std::max(1.0, static_cast<double>(releaseSeconds) * std::max(1, rate)));
  m_delay.assign(m_window * m_channels, 0.0f);
  m_needed.assign(m_window, 1.0f);
  m_minima.assign(m_window, 0);
  m_held.assign(m_window, 1.0);
  m_heldSum = static_cast<double>(m_window);
}

void Limiter::process(float* samples, size_t frames) {
  const size_t channels = static_cast<size_t>(m_channels);
  for (size_t f = 0; f < frames; ++f) {
    float* frame = samples + f * channels;
    m_at = (m_at + 1) % m_window;
    ++m_frames;
    // The frame entering takes the place of the one that left last time;
    // the oldest of the window goes out now.
    float* in = &m_delay[m_at * channels];
    float loudest = 0;
    for (size_t c = 0; c < channels; ++c) {
      in[c] = std::isfinite(frame[c]) ? frame[c] : 0.0f;
      loudest = std::max(loudest, std::fabs(in[c]));
    }
    const float* out = &m_delay[((m_at + 1) % m_window) * channels];
    for (size_t c = 0; c < channels; ++c) frame[c] = out[c];
    m_needed[m_at] = loudest > m_ceiling ? m_ceiling / loudest : 1.0f;

    // The window's least needed gain: drop the indexes that fell out of it
    // and those the new one undercuts.
    if (m_minCount > 0 && m_minima[m_minHead] == m_at) {
      m_minHead = (m_minHead + 1) % m_window;
      --m_minCount;
    }
    while (m_minCount > 0 && m_needed[m_minima[(m_minHead + m_minCount - 1) % m_window]] >= m_needed[m_at])
      --m_minCount;
    m_minima[(m_minHead + m_minCount) % m_window] = m_at;
    ++m_minCount;
    const double least = m_needed[m_minima[m_minHead]];

    m_hold = std::min(least, m_hold + (1 - m_hold) * m_release);
    m_heldSum += m_hold - m_held[m_at];
    m_held[m_at] = m_hold;
    // Exact again now and then: the running sum must not drift upwards.
    if (m_frames % (m_window * 4096) == 0) {
      m_heldSum = 0;
      for (double h : m_held) m_heldSum += h;
    }
    const float gain = static_cast<float>(std::min(1.0, m_heldSum / static_cast<double>(m_window)));
    m_lastGain = gain;
    for (size_t c = 0; c < channels; ++c) {
      const float turned = frame[c] * gain;
      // The gain alone gets there but for the last bit of rounding.
      m_clamped += std::fabs(turned) > m_ceiling * 1.000001f ? 1 : 0;
      frame[c] = std::min(m_ceiling, std::max(-m_ceiling, turned));
    }
  }
}

}  // namespace audio
}  // namespace backend
}  // namespace kest
