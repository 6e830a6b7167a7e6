// A full disk never costs a file that was saved before: the settings and
// pictures the engine writes replace the old file only when complete.

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "EngineFixture.h"
#include "platform/AtomicFile.h"

USING_NS_CC;

namespace {

ssize_t FullDisk(int, const void*, size_t) {
  errno = ENOSPC;
  return -1;
}

// Writes the first byte, then finds the disk full: half a file.
ssize_t FullAfterOneByte(int fd, const void* data, size_t size) {
  static int calls = 0;
  if (calls++ % 2 == 0) return write(fd, data, size > 0 ? 1 : 0);
  errno = ENOSPC;
  return -1;
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Names in the folder: a failed save leaves no temporary file behind.
std::vector<std::string> folder(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class FullDiskTest : public EngineTest {
 protected:
  void TearDown() override {
    platform::SetWriteFunction(nullptr);
    EngineTest::TearDown();
  }
};

}  // namespace

TEST_F(FullDiskTest, SettingsKeepTheirOldFile) {
  CCUserDefault* settings = CCUserDefault::sharedUserDefault();
  settings->setStringForKey("Account", "alice");
  settings->setIntegerForKey("Music", 1);
  const std::string path = CCUserDefault::getXMLFilePath();
  const std::string before = slurp(path);
  ASSERT_NE(before.find("alice"), std::string::npos);

  for (platform::WriteFunction failing : {&FullDisk, &FullAfterOneByte}) {
    platform::SetWriteFunction(failing);
    settings->setStringForKey("Account", "bob");
    EXPECT_FALSE(settings->flush());
    EXPECT_EQ(slurp(path), before);
    EXPECT_EQ(folder(m_root + "/user"), std::vector<std::string>{"UserDefault.xml"});
  }

  // Room on the disk again: the next save writes everything set meanwhile.
  platform::SetWriteFunction(nullptr);
  EXPECT_TRUE(settings->flush());
  CCUserDefault::purgeSharedUserDefault();
  EXPECT_EQ(CCUserDefault::sharedUserDefault()->getStringForKey("Account"), "bob");
  EXPECT_EQ(CCUserDefault::sharedUserDefault()->getIntegerForKey("Music"), 1);
}

TEST_F(FullDiskTest, ScreenshotsAndPicturesKeepTheirOldFile) {
  const std::vector<unsigned char> red = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  CCImage image;
  ASSERT_TRUE(image.initWithRawData(red.data(), 2, 2));
  const std::string path = m_root + "/shot.png";
  ASSERT_TRUE(image.saveToFile(path.c_str()));
  const std::string before = slurp(path);
  ASSERT_GT(before.size(), 8u);

  runScene();
  platform::SetWriteFunction(&FullDisk);
  EXPECT_FALSE(CCDirector::sharedDirector()->saveScreenshot(path));
  EXPECT_FALSE(image.saveToFile(path.c_str()));
  EXPECT_EQ(slurp(path), before);
  EXPECT_EQ(folder(m_root), (std::vector<std::string>{"res", "shot.png", "user"}));

  platform::SetWriteFunction(nullptr);
  ASSERT_TRUE(CCDirector::sharedDirector()->saveScreenshot(path));
  CCImage shot;
  EXPECT_TRUE(shot.initWithImageFile(path.c_str()));
  EXPECT_GT(shot.getWidth(), 2);
}
