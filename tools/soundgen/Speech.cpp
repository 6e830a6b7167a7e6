#include "tools/soundgen/Speech.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

namespace soundgen {
namespace {

namespace fs = std::filesystem;

// The Mandarin voice that reads Latin letters as pinyin, so a word the
// dictionary reads wrongly can be written in pinyin with tone digits.
const char* const kVoice = "cmn-latn-pinyin";

// Runs the program with the arguments, its output into `outputPath` (or
// nowhere); its exit status, -1 when it could not run.
int Run(const std::vector<std::string>& args, const std::string& outputPath) {
  std::vector<char*> argv;
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outputPath.empty() ? "/dev/null" : outputPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

uint32_t U32(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

}  // namespace

Speech::Speech(const std::string& program) : m_program(program) {
  const std::string probe = (fs::temp_directory_path() / ("soundgen-probe-" + std::to_string(getpid()))).string();
  // The version line, and a word in the voice we need: a synthesizer without
  // its Mandarin data is no synthesizer here.
  if (Run({m_program, "--version"}, probe) == 0) {
    std::string version = ReadText(probe);
    version = version.substr(0, version.find('\n'));
    if (!version.empty() && Run({m_program, "-v", kVoice, "-q", "好"}, "") == 0) m_version = version;
  }
  std::remove(probe.c_str());
}

bool Speech::Say(const std::string& text, bool female, const std::string& cacheDir, Pcm& out) const {
  if (!Available()) return false;
  // Slower than the default and a little lower (a man) or higher (a woman)
  // than the voice's own pitch, which is easier to follow over the table.
  const std::vector<std::string> voice = female ? std::vector<std::string>{"-v", std::string(kVoice) + "+f3", "-p", "62"}
                                                : std::vector<std::string>{"-v", std::string(kVoice) + "+m3", "-p", "38"};
  char key[32];
  std::string identity = m_version + '\n' + voice[1] + voice[3] + '\n' + text;
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(Hash(identity)));
  std::error_code ec;
  fs::create_directories(cacheDir, ec);
  const std::string cached = (fs::path(cacheDir) / (std::string(key) + ".wav")).string();
  if (ReadWav(cached, out)) return true;
  const std::string partial = cached + ".part" + std::to_string(getpid());
  std::vector<std::string> args = {m_program, voice[0], voice[1], voice[2], voice[3], "-s", "140", "-w", partial, text};
  if (Run(args, "") != 0 || !ReadWav(partial, out)) {
    std::remove(partial.c_str());
    return false;
  }
  fs::rename(partial, cached, ec);
  return true;
}

bool ReadWav(const std::string& path, Pcm& out) {
  const std::string b = ReadText(path);
  if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return false;
  bool format = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string id = b.substr(at, 4);
    const uint32_t size = U32(b, at + 4);
    const size_t body = at + 8;
    // espeak-ng leaves the sizes of a stream it could not seek as 0x7fffffff.
    const size_t end = size > b.size() - body ? b.size() : body + size;
    if (id == "fmt ") {
      if (end - body < 16 || U16(b, body) != 1 || U16(b, body + 2) != 1 || U32(b, body + 4) != kRate ||
          U16(b, body + 14) != 16)
        return false;
      format = true;
    } else if (id == "data") {
      if (!format) return false;
      out.clear();
      for (size_t i = body; i + 1 < end; i += 2) out.push_back(static_cast<int16_t>(U16(b, i)) / 32768.0f);
      return !out.empty();
    }
    at = end + (size & 1);
  }
  return false;
}

}  // namespace soundgen
