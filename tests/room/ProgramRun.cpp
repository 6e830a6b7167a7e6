#include "ProgramRun.h"

#include "cocos2d.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace programrun {

int MagentaPixels(const std::string& png)
{
    cocos2d::CCImage image;
    if (!image.initWithImageFile(png.c_str()))
        return -1;
    int count = 0;
    const unsigned char* p = image.getData();
    for (int i = 0; i + 3 < image.getDataLen(); i += 4)
        count += (p[i] > 230 && p[i + 1] < 40 && p[i + 2] > 230) ? 1 : 0;
    return count;
}

void KeepScreen(const std::string& shot, const std::string& name)
{
    mkdir("screens", 0755);
    std::ifstream from(shot, std::ios::binary);
    std::ofstream("screens/" + name + ".png", std::ios::binary) << from.rdbuf();
}

void ProgramTest::SetUp()
{
    char dir[] = "/tmp/kest-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    m_dir = dir;
    mkdir((m_dir + "/user").c_str(), 0755);
    mkdir((m_dir + "/run").c_str(), 0755);
    setenv("KEST_USER_DIR", (m_dir + "/user").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (m_dir + "/run").c_str(), 1);
    setenv("KEST_HEADLESS", "1", 1);
}

void ProgramTest::TearDown()
{
    // Nothing outlives its test, whatever ended it early.
    if (m_server > 0)
        Wait(m_server, 0);
    const std::string cmd = "rm -rf '" + m_dir + "'";
    if (std::system(cmd.c_str()) != 0)
        std::fprintf(stderr, "cannot remove %s\n", m_dir.c_str());
}

int ProgramTest::Serve(const std::string& scenario, int acceptMs)
{
    const std::string portFile = m_dir + "/port";
    m_server = Spawn({ROOMSIM_PATH, "--port-file", portFile, "--accept-timeout", std::to_string(acceptMs),
                      std::string(KEST_SOURCE_DIR) + "/scenarios/" + scenario},
                     m_dir + "/roomsim.log");
    EXPECT_GT(m_server, 0);
    if (m_server <= 0)
        return 0;
    int port = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (port == 0 && std::chrono::steady_clock::now() < giveUp)
    {
        std::ifstream(portFile) >> port;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_NE(port, 0);
    return port;
}

ProgramTest::Outcome ProgramTest::Run(const std::vector<std::string>& options, int seconds)
{
    Outcome outcome;
    if (m_server <= 0)
        return outcome;
    std::vector<std::string> args = {KEST_PROGRAM, "--headless"};
    args.insert(args.end(), options.begin(), options.end());
    const pid_t client = Spawn(args, m_dir + "/kestrelium.log");
    EXPECT_GT(client, 0);
    outcome.client = client > 0 ? Wait(client, seconds) : -1;
    outcome.server = Wait(m_server, 30);
    m_server = -1;
    outcome.serverLog = ReadAll(m_dir + "/roomsim.log");
    outcome.clientLog = ReadAll(m_dir + "/kestrelium.log");
    return outcome;
}

}  // namespace programrun
