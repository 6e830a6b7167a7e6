#include "GameProgram.h"

#include "cocos2d.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

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
        if (!step.shot.empty() && std::string(step.option) == "--nodes")
        {
            args.push_back("--nodes=" + std::to_string(step.frame) + ":" + m_dir + "/" + step.shot + ".txt");
        }
        else if (!step.shot.empty())
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

std::string ShownNode::Field(const std::string& key) const
{
    const std::string wanted = "\t" + key + "=";
    const size_t at = line.find(wanted);
    if (at == std::string::npos)
        return std::string();
    const size_t from = at + wanted.size();
    return line.substr(from, line.find('\t', from) - from);
}

bool ShownNode::Overlaps(const ShownNode& other) const
{
    return x < other.x + other.width && other.x < x + width && y < other.y + other.height && other.y < y + height;
}

std::vector<ShownNode> ReadShownNodes(const std::string& file)
{
    std::vector<ShownNode> shown;
    std::istringstream lines(programrun::ReadAll(file));
    std::string line;
    while (std::getline(lines, line))
    {
        ShownNode node;
        node.line = line;
        std::istringstream fields(line);
        std::string tag, box;
        std::getline(fields, node.kind, '\t');
        std::getline(fields, node.name, '\t');
        std::getline(fields, tag, '\t');
        std::getline(fields, box, '\t');
        node.tag = std::atoi(tag.c_str());
        std::sscanf(box.c_str(), "%d,%d,%d,%d", &node.x, &node.y, &node.width, &node.height);
        shown.push_back(node);
    }
    return shown;
}

std::vector<ShownNode> With(const std::vector<ShownNode>& shown, const std::string& text)
{
    std::vector<ShownNode> found;
    for (const ShownNode& node : shown)
    {
        if (node.line.find(text) != std::string::npos)
            found.push_back(node);
    }
    return found;
}

std::string Lines(const std::vector<ShownNode>& shown)
{
    std::string lines;
    for (const ShownNode& node : shown)
        lines += node.line + "\n";
    return lines;
}

const ShownNode* FindWidget(const std::vector<ShownNode>& shown, const std::string& name, int tag)
{
    for (const ShownNode& node : shown)
    {
        if ((name.empty() || node.name == name) && (tag == -1 || node.tag == tag))
            return &node;
    }
    return nullptr;
}

std::vector<ShownNode> GameProgram::Shown(const std::string& nodesName) const
{
    return ReadShownNodes(m_dir + "/" + nodesName + ".txt");
}

int GameProgram::PixelsLike(const std::string& shotName, int x, int y, int width, int height, uint32_t rgb,
                            int tolerance) const
{
    cocos2d::CCImage image;
    if (!image.initWithImageFile((m_dir + "/" + shotName + ".png").c_str()) || image.getBitsPerComponent() != 8)
        return -1;
    const int w = image.getWidth();
    const int h = image.getHeight();
    const int channels = image.hasAlpha() ? 4 : 3;
    const unsigned char* p = image.getData();
    const int want[3] = {static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                         static_cast<int>(rgb & 0xFF)};
    int count = 0;
    for (int row = std::max(0, h - (y + height)); row < std::min(h, h - y); ++row)
    {
        for (int column = std::max(0, x); column < std::min(w, x + width); ++column)
        {
            const unsigned char* pixel = p + (static_cast<size_t>(row) * w + column) * channels;
            bool near = true;
            for (int c = 0; c < 3; ++c)
                near = near && std::abs(pixel[c] - want[c]) <= tolerance;
            count += near ? 1 : 0;
        }
    }
    return count;
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
