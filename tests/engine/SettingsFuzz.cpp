// The settings file (UserDefault.xml) over any bytes: read at start, every
// kind of value asked for, a value set and saved, then read again. Nothing
// may crash, and what was saved must read back: the saved file reads as it
// was written (saving it once more changes nothing) and a set text value
// comes back as it was set.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "cocos2d.h"

USING_NS_CC;

namespace {

std::string Folder() {
  // In memory: the saves flush to disk, which should cost nothing here.
  // Never freed: the clean-up at exit still needs it.
  static const std::string& folder = *new std::string([] {
    std::string dir = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/kest-settings-fuzz-") +
                      std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    setenv("KEST_USER_DIR", dir.c_str(), 1);
    std::atexit([] {
      unlink((Folder() + "/UserDefault.xml").c_str());
      rmdir(Folder().c_str());
    });
    return dir;
  }());
  return folder;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = Folder() + "/UserDefault.xml";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), (std::streamsize)size);

  CCUserDefault::purgeSharedUserDefault();
  CCUserDefault* settings = CCUserDefault::sharedUserDefault();
  const char* keys[] = {"Music", "RoomSocketPort", "RememberPwd", "effect", "Lock", "UserList", "", "a"};
  for (const char* key : keys) {
    settings->getBoolForKey(key);
    settings->getIntegerForKey(key, 7);
    settings->getFloatForKey(key);
    settings->getDoubleForKey(key);
    settings->getStringForKey(key);
  }
  // The input's first line as a value a player could have typed.
  std::string typed(reinterpret_cast<const char*>(data), size);
  typed = typed.substr(0, typed.find_first_of(std::string("\r\n\0", 3)));
  settings->setStringForKey("Typed", typed);
  settings->setIntegerForKey("RoomSocketPort", (int)size);
  if (!settings->flush()) std::abort();
  const std::string saved = Slurp(path);

  CCUserDefault::purgeSharedUserDefault();
  settings = CCUserDefault::sharedUserDefault();
  if (settings->getStringForKey("Typed", "<lost>") != typed) std::abort();
  if (settings->getIntegerForKey("RoomSocketPort", -1) != (int)size) std::abort();
  if (!settings->flush() || Slurp(path) != saved) std::abort();
  CCUserDefault::purgeSharedUserDefault();
  return 0;
}
