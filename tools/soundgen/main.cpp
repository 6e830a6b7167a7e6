// soundgen: makes the stand-in sounds of the sound tables into a resource
// folder: effects and music synthesized here, voices spoken by espeak-ng's
// Mandarin voice (stand-in chimes when it is not installed). Incremental:
// only sounds whose row, generator or synthesizer changed are made again,
// so the build runs it every time.
//
//   soundgen --table res/sounds.tsv [--table res/Game/sounds.tsv ...]
//            --out build/dev/res --cache build/dev/soundcache
//            [--threads N] [--speech PROGRAM]
//
// Exit status: 0 done, 1 bad rows in the tables (nothing written), 2 a file
// could not be read or written.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tools/soundgen/Generator.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: soundgen --table FILE [--table FILE ...] --out DIR --cache DIR [--threads N] "
               "[--speech PROGRAM]\n");
  return 2;
}

// The generator's own build: a new build may make different sounds.
std::string ToolId() {
  std::ifstream self("/proc/self/exe", std::ios::binary);
  std::stringstream bytes;
  bytes << self.rdbuf();
  char id[32];
  std::snprintf(id, sizeof id, "%016llx", static_cast<unsigned long long>(soundgen::Hash(bytes.str())));
  return id;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> tables;
  soundgen::GenerateOptions options;
  options.threads = static_cast<int>(std::min(4u, std::max(1u, std::thread::hardware_concurrency())));
  std::string program = "espeak-ng";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    const std::string value = argv[++i];
    if (arg == "--table")
      tables.push_back(value);
    else if (arg == "--out")
      options.outDir = value;
    else if (arg == "--cache")
      options.cacheDir = value;
    else if (arg == "--threads")
      options.threads = std::atoi(value.c_str());
    else if (arg == "--speech")
      program = value;
    else
      return Usage();
  }
  if (tables.empty() || options.outDir.empty() || options.cacheDir.empty()) return Usage();

  soundgen::SoundTable table;
  std::string unreadable;
  if (!soundgen::LoadSoundTables(tables, table, &unreadable)) {
    std::fprintf(stderr, "soundgen: cannot read %s\n", unreadable.c_str());
    return 2;
  }
  if (!table.errors.empty()) {
    for (const soundgen::SoundError& e : table.errors)
      std::fprintf(stderr, "%s:%d: %s\n", e.file.c_str(), e.line, e.message.c_str());
    return 1;
  }
  options.toolId = ToolId();
  const soundgen::Speech speech(program);
  const soundgen::GenerateReport report = soundgen::Generate(table, speech, options);
  for (const std::string& e : report.errors) std::fprintf(stderr, "soundgen: %s\n", e.c_str());
  // Quiet when there was nothing to do: the build runs this every time.
  if (report.chimes > 0 && !speech.Available())
    std::printf("soundgen: %s with its Mandarin voice is not installed: the voices are stand-in chimes "
                "(scripts/deps installs it)\n",
                program.c_str());
  else if (report.chimes > 0)
    std::printf("soundgen: %s failed on %d voices: they are stand-in chimes until the next build\n",
                program.c_str(), report.chimes);
  if (report.made > 0 || report.removed > 0)
    std::printf("soundgen: %d sounds made, %d up to date, %d removed; %lld KB in %zu files in %s\n", report.made,
                report.kept, report.removed, report.bytes / 1024, table.sounds.size(), options.outDir.c_str());
  return report.errors.empty() ? 0 : 2;
}
