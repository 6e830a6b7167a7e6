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
                Click(view, step);
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
    static void Click(CCEGLView* view, const InputStep& step)
    {
        view->handleMouseMove(step.x, step.y, false);
        if (step.button == InputStep::kRight)
        {
            view->handleMouseButton(step.x, step.y, 1, true, 1);
            view->handleMouseButton(step.x, step.y, 1, false, 1);
            return;
        }
        view->handleMouseButton(step.x, step.y, 0, true, 1);
        if (step.button == InputStep::kDrag)
        {
            // A few moves on the way, as a hand gives them.
            constexpr int kMoves = 4;
            for (int i = 1; i <= kMoves; ++i)
            {
                const float t = static_cast<float>(i) / kMoves;
                view->handleMouseMove(step.x + (step.x2 - step.x) * t, step.y + (step.y2 - step.y) * t, true);
            }
            view->handleMouseButton(step.x2, step.y2, 0, false, 1);
            return;
        }
        view->handleMouseButton(step.x, step.y, 0, false, 1);
        if (step.button == InputStep::kDouble)
        {
            view->handleMouseButton(step.x, step.y, 0, true, 2);
            view->handleMouseButton(step.x, step.y, 0, false, 2);
        }
    }

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
    step.click = true;
    step.button = name == "--dblclick" ? InputStep::kDouble
                  : name == "--rclick" ? InputStep::kRight
                  : name == "--drag"   ? InputStep::kDrag
                                       : InputStep::kLeft;
    // X,Y (and X2,Y2 for a drag), numbers separated by commas.
    float* numbers[] = {&step.x, &step.y, &step.x2, &step.y2};
    const size_t wanted = step.button == InputStep::kDrag ? 4 : 2;
    const char* p = rest.c_str();
    for (size_t i = 0; i < wanted; ++i)
    {
        *numbers[i] = std::strtof(p, &end);
        if (end == p || *end != (i + 1 < wanted ? ',' : '\0'))
            return false;
        p = end + 1;
    }
    return true;
}

bool IsInputOption(const std::string& name)
{
    for (const char* known : {"--click", "--dblclick", "--rclick", "--drag", "--type", "--shot"})
        if (name == known)
            return true;
    return false;
}

const char* ValueForm(const std::string& name)
{
    if (name == "--shot")
        return "FILE";
    if (name == "--type")
        return "TEXT";
    return name == "--drag" ? "X,Y,X2,Y2" : "X,Y";
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
        if (!IsInputOption(name))
            continue;
        if (equals == std::string::npos)
            ++i;
        InputStep step;
        if (!ParseStep(name, value, step))
        {
            error = name + " needs FRAME:" + ValueForm(name);
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
