// The real program against roomsim at a game's table: kestrelium headless
// enters the room of the kind, roomsim plays a scenario and checks every
// request byte for byte, clicks come in at window pixels (top-left origin)
// at given frames, and each phase is shot. The shots are kept under screens/
// beside the test for a look.
#pragma once

#include "cocos2d.h"
#include "room/ProgramRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace gameprogram {

class GameProgram : public ::testing::Test
{
protected:
    struct Outcome
    {
        int server = -1;
        int client = -1;
        std::string serverLog;
        std::string clientLog;
    };

    // One thing at a frame: a click at a window pixel "X,Y" (a double or a
    // right click there, or a drag "X,Y,X2,Y2"), or a shot kept as
    // screens/<name>.png.
    struct Step
    {
        int frame;
        std::string click;
        std::string shot;
        const char* option = "--click";
    };
    static Step Click(int frame, const char* at) { return {frame, at, ""}; }
    static Step DoubleClick(int frame, const char* at) { return {frame, at, "", "--dblclick"}; }
    static Step RightClick(int frame, const char* at) { return {frame, at, "", "--rclick"}; }
    static Step Drag(int frame, const char* fromTo) { return {frame, fromTo, "", "--drag"}; }
    static Step Shot(int frame, const char* name) { return {frame, "", name}; }

    void SetUp() override
    {
        char dir[] = "/tmp/kest-game-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        mkdir((m_dir + "/user").c_str(), 0755);
        mkdir((m_dir + "/run").c_str(), 0755);
        setenv("KEST_USER_DIR", (m_dir + "/user").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (m_dir + "/run").c_str(), 1);
        setenv("KEST_HEADLESS", "1", 1);
    }

    void TearDown() override
    {
        const std::string cmd = "rm -rf '" + m_dir + "'";
        if (std::system(cmd.c_str()) != 0)
            std::fprintf(stderr, "cannot remove %s\n", m_dir.c_str());
    }

    // Plays the scenario in a room of the kind for the frames; `options` go
    // to the program before the steps (--speed N).
    Outcome Play(const std::string& scenario, int kind, const char* roomName, int frames,
                 const std::vector<Step>& steps, const std::vector<std::string>& options = {})
    {
        Outcome outcome;
        const std::string portFile = m_dir + "/port";
        const pid_t server = programrun::Spawn({ROOMSIM_PATH, "--port-file", portFile, "--accept-timeout", "60000",
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
        args.insert(args.end(), options.begin(), options.end());
        for (const char* option : {"--user", "1001,player,玩家", "--enter", "1", "--room"})
            args.emplace_back(option);
        args.push_back(std::to_string(kind) + "," + roomName + ",127.0.0.1," + std::to_string(port));
        m_shots.clear();
        for (const Step& step : steps)
        {
            if (!step.click.empty())
                args.push_back(std::string(step.option) + "=" + std::to_string(step.frame) + ":" + step.click);
            if (!step.shot.empty())
            {
                const std::string file = m_dir + "/" + step.shot + ".png";
                args.push_back("--shot=" + std::to_string(step.frame) + ":" + file);
                m_shots.emplace_back(file, step.shot);
            }
        }
        const pid_t client = programrun::Spawn(args, m_dir + "/kestrelium.log");
        EXPECT_GT(client, 0);
        // A loaded machine may draw only a few frames a second: the frames
        // bound the run, not the clock.
        outcome.client = client > 0 ? programrun::Wait(client, frames / 4 + 120) : -1;
        outcome.server = programrun::Wait(server, 30);
        outcome.serverLog = programrun::ReadAll(m_dir + "/roomsim.log");
        outcome.clientLog = programrun::ReadAll(m_dir + "/kestrelium.log");
        return outcome;
    }

    // The run passed: both ended well, no sanitizer report, no data error,
    // and no shot shows a stand-in picture.
    void ExpectClean(const Outcome& o)
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

    // Pixels of the magenta that marks a stand-in picture; -1 without a shot.
    static int MagentaPixels(const std::string& png)
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

    std::string m_dir;
    std::vector<std::pair<std::string, std::string>> m_shots;  // file, name
};

}  // namespace gameprogram
