#include "GameProgram.h"

namespace gameprogram {

GameProgram::Outcome GameProgram::Play(const std::string& scenario, int kind, const std::string& roomName,
                                       int frames, const std::vector<Step>& steps,
                                       const std::vector<std::string>& options)
{
    const int port = Serve(scenario);
    // Only the shots are drawn: nobody looks at the other frames.
    std::vector<std::string> args = {"--no-draw", "--frames", std::to_string(frames)};
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
    // A loaded machine may draw only a few frames a second: the frames
    // bound the run, not the clock.
    return Run(args, frames / 4 + 120);
}

void GameProgram::ExpectClean(const Outcome& o)
{
    EXPECT_EQ(o.client, 0) << o.clientLog;
    EXPECT_EQ(o.server, 0) << o.serverLog;
    // Every sound a round asks for is among the build's: none "cannot play".
    for (const char* bad :
         {"AddressSanitizer", "LeakSanitizer", "runtime error", "DATA ERROR", "missing picture", "cannot play"})
        EXPECT_EQ(o.clientLog.find(bad), std::string::npos) << bad << "\n" << o.clientLog;
    for (const auto& [file, name] : m_shots)
    {
        EXPECT_EQ(programrun::MagentaPixels(file), 0) << name;
        programrun::KeepScreen(file, name);
    }
}

}  // namespace gameprogram
