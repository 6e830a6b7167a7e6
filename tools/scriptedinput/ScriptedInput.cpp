#include "tools/scriptedinput/ScriptedInput.h"

#include "cocos2d.h"

#include <algorithm>
#include <cstdlib>

using namespace cocos2d;

namespace scripted {

namespace {

class InputPlayer : public CCObject
{
public:
    explicit InputPlayer(std::vector<InputStep> steps) : m_steps(std::move(steps)) {}

    void tick(float)
    {
        ++m_frame;
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        while (m_next < m_steps.size() && m_steps[m_next].frame <= m_frame)
        {
            const InputStep& step = m_steps[m_next++];
            if (step.shot)
            {
                if (!CCDirector::sharedDirector()->saveScreenshot(step.text))
                    CCLog("cannot write %s", step.text.c_str());
            }
            else if (step.click)
            {
                view->handleMouseMove(step.x, step.y, false);
                view->handleMouseButton(step.x, step.y, 0, true, 1);
                view->handleMouseButton(step.x, step.y, 0, false, 1);
            }
            else
            {
                view->handleTextInput(step.text.c_str());
            }
        }
        if (m_next == m_steps.size())
            CCDirector::sharedDirector()->getScheduler()->unscheduleAllForTarget(this);
    }

private:
    std::vector<InputStep> m_steps;
    size_t m_next = 0;
    int m_frame = 0;
};

bool ParseStep(const std::string& name, const std::string& value, InputStep& step)
{
    const size_t colon = value.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    char* end = nullptr;
    step.frame = static_cast<int>(std::strtol(value.c_str(), &end, 10));
    if (end != value.c_str() + colon || step.frame < 0)
        return false;
    const std::string rest = value.substr(colon + 1);
    if (name == "--type" || name == "--shot")
    {
        step.text = rest;
        step.shot = name == "--shot";
        return !step.shot || !rest.empty();
    }
    const size_t comma = rest.find(',');
    if (comma == std::string::npos)
        return false;
    step.click = true;
    step.x = std::strtof(rest.c_str(), &end);
    if (end != rest.c_str() + comma)
        return false;
    step.y = std::strtof(rest.c_str() + comma + 1, &end);
    return *end == '\0';
}

}  // namespace

bool ReadInputSteps(const std::vector<std::string>& options, std::vector<InputStep>& steps, std::string& error)
{
    for (size_t i = 0; i < options.size(); ++i)
    {
        std::string name = options[i];
        std::string value;
        const size_t equals = name.find('=');
        if (equals != std::string::npos)
        {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        else if (i + 1 < options.size())
        {
            value = options[i + 1];
        }
        if (name != "--click" && name != "--type" && name != "--shot")
            continue;
        if (equals == std::string::npos)
            ++i;
        InputStep step;
        if (!ParseStep(name, value, step))
        {
            error = name + " needs FRAME:" + (name == "--click" ? "X,Y" : name == "--shot" ? "FILE" : "TEXT");
            return false;
        }
        steps.push_back(step);
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const InputStep& a, const InputStep& b) { return a.frame < b.frame; });
    return true;
}

void PlayInputSteps(const std::vector<InputStep>& steps)
{
    if (steps.empty())
        return;
    auto* player = new InputPlayer(steps);
    // The scheduler keeps it while it runs.
    CCDirector::sharedDirector()->getScheduler()->scheduleSelector(schedule_selector(InputPlayer::tick), player, 0,
                                                                   false);
    player->release();
}

}  // namespace scripted
