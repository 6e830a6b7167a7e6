#include "TwoCardProgram.h"

#include "cocos2d.h"

#include "room/ProgramRun.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace tcbtest {

using programrun::ReadAll;
using programrun::Spawn;
using programrun::Wait;

namespace {

// Pixels of the magenta that marks a stand-in picture.
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

}  // namespace

void TwoCardProgram::SetUp()
{
    char dir[] = "/tmp/kest-twocard-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    m_dir = dir;
    mkdir((m_dir + "/user").c_str(), 0755);
    mkdir((m_dir + "/run").c_str(), 0755);
    setenv("KEST_USER_DIR", (m_dir + "/user").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (m_dir + "/run").c_str(), 1);
    setenv("KEST_HEADLESS", "1", 1);
}

void TwoCardProgram::TearDown()
{
    const std::string cmd = "rm -rf '" + m_dir + "'";
    if (std::system(cmd.c_str()) != 0)
        std::fprintf(stderr, "cannot remove %s\n", m_dir.c_str());
}

TwoCardProgram::Outcome TwoCardProgram::Play(const std::string& scenario, int kind, int frames,
                                             const std::vector<Step>& steps, int speed)
{
    Outcome outcome;
    const std::string portFile = m_dir + "/port";
    const pid_t server = Spawn({ROOMSIM_PATH, "--port-file", portFile, "--accept-timeout", "60000",
                                std::string(KEST_SOURCE_DIR) + "/scenarios/" + scenario},
                               m_dir + "/roomsim.log");
    EXPECT_GT(server, 0);
    if (server <= 0)
        return outcome;
    int port = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (port == 0 && std::chrono::steady_clock::now() < giveUp)
    {
        std::ifstream(portFile) >> port;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_NE(port, 0);
    // Only the shots are drawn: nobody looks at the other frames.
    std::vector<std::string> args = {KEST_PROGRAM, "--headless", "--no-draw", "--frames", std::to_string(frames)};
    if (speed > 1)
    {
        args.emplace_back("--speed");
        args.push_back(std::to_string(speed));
    }
    for (const char* option : {"--user", "1001,player,玩家", "--enter", "1", "--room"})
        args.emplace_back(option);
    args.push_back(std::to_string(kind) + ",百人游戏 一号房,127.0.0.1," + std::to_string(port));
    m_shots.clear();
    for (const Step& step : steps)
    {
        if (!step.click.empty())
            args.push_back("--click=" + std::to_string(step.frame) + ":" + step.click);
        if (!step.shot.empty())
        {
            const std::string file = m_dir + "/" + step.shot + ".png";
            args.push_back("--shot=" + std::to_string(step.frame) + ":" + file);
            m_shots.emplace_back(file, step.shot);
        }
    }
    const pid_t client = Spawn(args, m_dir + "/kestrelium.log");
    EXPECT_GT(client, 0);
    // A loaded machine may draw only a few frames a second: the frames
    // bound the run, not the clock.
    outcome.client = client > 0 ? Wait(client, frames / 4 + 120) : -1;
    outcome.server = Wait(server, 30);
    outcome.serverLog = ReadAll(m_dir + "/roomsim.log");
    outcome.clientLog = ReadAll(m_dir + "/kestrelium.log");
    return outcome;
}

void TwoCardProgram::ExpectClean(const Outcome& o)
{
    EXPECT_EQ(o.client, 0) << o.clientLog;
    EXPECT_EQ(o.server, 0) << o.serverLog;
    for (const char* bad : {"AddressSanitizer", "LeakSanitizer", "runtime error", "DATA ERROR", "missing picture"})
        EXPECT_EQ(o.clientLog.find(bad), std::string::npos) << bad << "\n" << o.clientLog;
    mkdir("screens", 0755);
    for (const auto& [file, name] : m_shots)
    {
        EXPECT_EQ(MagentaPixels(file), 0) << name;
        std::ifstream from(file, std::ios::binary);
        std::ofstream("screens/" + name + ".png", std::ios::binary) << from.rdbuf();
    }
}

}  // namespace tcbtest
