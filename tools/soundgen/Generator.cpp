#include "tools/soundgen/Generator.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "tools/soundgen/Level.h"
#include "tools/soundgen/OggWriter.h"

namespace soundgen {
namespace {

namespace fs = std::filesystem;

const char* const kManifest = ".soundgen-stamp";

std::map<std::string, std::string> ReadManifest(const fs::path& path) {
  std::map<std::string, std::string> keys;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) keys[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return keys;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  const fs::path partial = path.string() + ".part" + std::to_string(getpid());
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  fs::rename(partial, path, ec);
  if (ec) fs::remove(partial, ec);
  return !ec;
}

// Only plain relative names that this tool could have written.
bool Removable(const std::string& name) {
  return !name.empty() && name[0] != '/' && name.find("..") == std::string::npos && name.size() > 4 &&
         name.compare(name.size() - 4, 4, ".ogg") == 0;
}

// Music carries more detail than a voice or a knock.
float QualityOf(const Sound& s) { return s.kind == Kind::Music ? 0.2f : 0.0f; }

}  // namespace

std::string SoundKey(const Sound& s, const Speech& speech, const std::string& toolId) {
  std::string identity = toolId + '\n' + s.name + '\n' + KindName(s.kind) + ':' + s.param + '\n' + s.text;
  if (s.kind == Kind::Voice) identity += '\n' + (speech.Available() ? speech.Version() : std::string("chime"));
  char key[32];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(Hash(identity)));
  return key;
}

Pcm MakeSound(const Sound& s, const Speech& speech, const std::string& cacheDir, bool& chimed) {
  chimed = false;
  Pcm pcm;
  if (s.kind == Kind::Music) {
    pcm = MakeMusic(s.param, Hash(s.name));
  } else if (s.kind != Kind::Voice) {
    pcm = MakeEffect(s);
  } else if (speech.Say(s.text, s.Female(), cacheDir, pcm)) {
    TrimSilence(pcm, 0.01f);
    FadeEnds(pcm, static_cast<int>(kRate / 500), static_cast<int>(kRate / 100));
  }
  if (s.kind == Kind::Voice && pcm.empty()) {
    chimed = true;
    pcm = MakeChime(s.text, s.Female());
  }
  // A sound played once has died away before its file ends: whatever still
  // rings is faded, and a little silence lets the codec end on silence.
  if (!pcm.empty() && !IsLoop(s)) {
    FadeEnds(pcm, 0, kRate / 200);
    pcm.resize(pcm.size() + kRate / 50, 0.0f);
  }
  LevelTo(pcm, TargetOf(s));
  return pcm;
}

bool EncodeSound(const Sound& s, Pcm pcm, std::string& bytes) {
  // Vorbis gives back a peak up to 2 dB over the one it was given, and the
  // loudness of a noisy sound a dB off: what a player decodes is levelled
  // again, until it is under the ceiling and at its family's loudness or as
  // near as the ceiling lets it. The decoded peak does not follow the gain
  // exactly: each turn down aims a little lower than the last, and once
  // turned down for its peak a sound is not turned up again.
  const LevelTarget target = TargetOf(s);
  bool under = false, lowered = false;
  for (int attempt = 0; attempt < 6; ++attempt) {
    Pcm decoded;
    if (pcm.empty() || !EncodeOgg(pcm, QualityOf(s), static_cast<uint32_t>(Hash(s.name)), bytes) ||
        !DecodeOgg(bytes, decoded))
      return false;
    const float peak = PeakDb(decoded), wanted = target.loudnessDb - LoudnessDb(decoded);
    under = peak <= target.peakDb;
    float gainDb = 0;
    if (!under)
      gainDb = target.peakDb - 0.2f * (attempt + 1) - peak, lowered = true;
    else if (wanted < -0.25f)
      gainDb = wanted;
    else if (wanted > 0.25f && !lowered && target.peakDb - 0.2f - peak > 0.25f)
      gainDb = std::min(wanted, target.peakDb - 0.2f - peak);
    else
      return true;
    const float gain = std::pow(10.0f, gainDb / 20);
    for (float& v : pcm) v *= gain;
  }
  // Near enough after so many turns, as long as it is under the ceiling.
  return under;
}

GenerateReport Generate(const SoundTable& table, const Speech& speech, const GenerateOptions& options) {
  GenerateReport report;
  const fs::path out(options.outDir);
  const std::map<std::string, std::string> before = ReadManifest(out / kManifest);
  std::map<std::string, std::string> now;  // file -> key, of the files that are up to date
  std::vector<const Sound*> todo;
  std::error_code ec;
  for (const Sound& s : table.sounds) {
    const std::string file = s.FilePath(), key = SoundKey(s, speech, options.toolId);
    auto it = before.find(file);
    if (it != before.end() && it->second == key && fs::is_regular_file(out / file, ec)) {
      now[file] = key;
      ++report.kept;
    } else {
      todo.push_back(&s);
    }
  }

  std::mutex lock;
  std::atomic<size_t> next{0};
  auto work = [&]() {
    for (size_t i = next++; i < todo.size(); i = next++) {
      const Sound& s = *todo[i];
      bool chimed = false;
      std::string bytes;
      const bool ok = EncodeSound(s, MakeSound(s, speech, options.cacheDir, chimed), bytes) &&
                      WriteFile(out / s.FilePath(), bytes);
      std::lock_guard<std::mutex> hold(lock);
      if (!ok) {
        report.errors.push_back("cannot make " + s.FilePath());
        continue;
      }
      ++report.made;
      // A voice that fell back to a chime while the synthesizer is there is
      // tried again by the next run.
      if (chimed) ++report.chimes;
      if (!chimed || !speech.Available()) now[s.FilePath()] = SoundKey(s, speech, options.toolId);
    }
  };
  std::vector<std::thread> workers;
  const int threads = std::max(1, std::min(options.threads, static_cast<int>(todo.size())));
  for (int t = 1; t < threads; ++t) workers.emplace_back(work);
  work();
  for (std::thread& t : workers) t.join();

  std::set<std::string> current;
  for (const Sound& s : table.sounds) current.insert(s.FilePath());
  for (const auto& [file, key] : before) {
    if (current.count(file) || !Removable(file)) continue;
    if (fs::remove(out / file, ec)) ++report.removed;
  }
  for (const std::string& file : current) {
    const uintmax_t size = fs::file_size(out / file, ec);
    if (!ec) report.bytes += static_cast<long long>(size);
  }
  if (report.made > 0 || report.removed > 0) {
    std::ostringstream manifest;
    for (const auto& [file, key] : now) manifest << file << '\t' << key << '\n';
    if (!WriteFile(out / kManifest, manifest.str())) report.errors.push_back("cannot write the manifest");
  }
  return report;
}

}  // namespace soundgen
