#include "tools/soundgen/Generator.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

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
  if (s.kind == Kind::Music) return MakeMusic(s.param, Hash(s.name));
  if (s.kind != Kind::Voice) return MakeEffect(s);
  Pcm pcm;
  if (speech.Say(s.text, s.Female(), cacheDir, pcm)) {
    TrimSilence(pcm, 0.01f);
    FadeEnds(pcm, static_cast<int>(kRate / 500), static_cast<int>(kRate / 100));
    Normalize(pcm, 0.9f);
    if (!pcm.empty()) return pcm;
  }
  chimed = true;
  return MakeChime(s.text, s.Female());
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
      const Pcm pcm = MakeSound(s, speech, options.cacheDir, chimed);
      std::string bytes;
      const bool ok = !pcm.empty() && EncodeOgg(pcm, QualityOf(s), static_cast<uint32_t>(Hash(s.name)), bytes) &&
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
