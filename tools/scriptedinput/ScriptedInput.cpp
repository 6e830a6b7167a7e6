#include "tools/scriptedinput/ScriptedInput.h"

#include "CocoStudio.h"
#include "cocos-ext.h"
#include "cocos2d.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

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
            else if (step.nodes)
            {
                if (!WriteShownNodes(step.text))
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
    if (name == "--type" || name == "--shot" || name == "--nodes")
    {
        step.text = rest;
        step.shot = name == "--shot";
        step.nodes = name == "--nodes";
        return name == "--type" || !rest.empty();
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
    for (const char* known : {"--click", "--dblclick", "--rclick", "--drag", "--type", "--shot", "--nodes"})
        if (name == known)
            return true;
    return false;
}

const char* ValueForm(const std::string& name)
{
    if (name == "--shot" || name == "--nodes")
        return "FILE";
    if (name == "--type")
        return "TEXT";
    return name == "--drag" ? "X,Y,X2,Y2" : "X,Y";
}


// --- what shows ---------------------------------------------------------------------------------

// The node's box on the window; a widget other than a container draws round
// its position by its anchor.
CCRect WindowBox(CCNode* node)
{
    const CCSize size = node->getContentSize();
    CCRect box(0, 0, size.width, size.height);
    auto* widget = dynamic_cast<ui::Widget*>(node);
    if (widget != nullptr && widget->getWidgetType() != ui::WidgetTypeContainer)
        box.origin = CCPoint(-size.width * widget->getAnchorPoint().x, -size.height * widget->getAnchorPoint().y);
    return CCRectApplyAffineTransform(box, node->nodeToWorldTransform());
}

// Tabs and line ends inside a text would split its line.
std::string OneLine(const char* text)
{
    std::string line = text != nullptr ? text : "";
    std::replace(line.begin(), line.end(), '\t', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

// "picture=" and the file a texture came from.
std::string Picture(CCTexture2D* texture)
{
    return "picture=" + OneLine(texture != nullptr ? texture->getSourceName() : "");
}

// The kind and what the node shows; false for a node with nothing to read
// (a plain node or layer).
bool Describe(CCNode* node, std::string& kind, std::string& what)
{
    if (auto* button = dynamic_cast<extension::CCControlButton*>(node))
    {
        kind = "CCControlButton";
        CCString* title = button->getCurrentTitle();
        what = "text=" + OneLine(title != nullptr ? title->getCString() : "") +
               "\tenabled=" + (button->isEnabled() ? "1" : "0");
        // Many buttons have no title: their picture says which one it is.
        extension::CCScale9Sprite* background = button->getBackgroundSprite();
        what += "\t" + Picture(background != nullptr ? background->getTexture() : nullptr);
        return true;
    }
    if (auto* widget = dynamic_cast<ui::Widget*>(node))
    {
        kind = widget->getDescription();
        if (auto* label = dynamic_cast<ui::Label*>(widget))
            what = "text=" + OneLine(label->getStringValue()) + "\t";
        else if (auto* atlas = dynamic_cast<ui::LabelAtlas*>(widget))
            what = "text=" + OneLine(atlas->getStringValue()) + "\t";
        else if (auto* image = dynamic_cast<ui::ImageView*>(widget))
            what = "picture=" + OneLine(image->getFileName().c_str()) + "\t";
        what += std::string("bright=") + (widget->isBright() ? "1" : "0") +
                "\tenabled=" + (widget->isEnabled() ? "1" : "0");
        return true;
    }
    if (auto* label = dynamic_cast<CCLabelTTF*>(node))
    {
        kind = "CCLabelTTF";
        what = "text=" + OneLine(label->getString());
        return true;
    }
    if (auto* atlas = dynamic_cast<CCLabelAtlas*>(node))
    {
        kind = "CCLabelAtlas";
        what = "text=" + OneLine(atlas->getString());
        return true;
    }
    if (auto* sprite = dynamic_cast<CCSprite*>(node))
    {
        kind = "CCSprite";
        what = Picture(sprite->getTexture());
        return true;
    }
    return false;
}

void WriteNode(CCNode* node, std::ostringstream& out)
{
    if (node == nullptr || !node->isVisible() || node->getScaleX() == 0 || node->getScaleY() == 0)
        return;
    auto* tinted = dynamic_cast<CCRGBAProtocol*>(node);
    std::string kind;
    std::string what;
    if ((tinted == nullptr || tinted->getDisplayedOpacity() > 0) && Describe(node, kind, what))
    {
        const CCRect box = WindowBox(node);
        auto* widget = dynamic_cast<ui::Widget*>(node);
        out << kind << '\t' << (widget != nullptr ? widget->getName() : "") << '\t' << node->getTag() << '\t'
            << std::lround(box.origin.x) << ',' << std::lround(box.origin.y) << ',' << std::lround(box.size.width)
            << ',' << std::lround(box.size.height) << '\t' << what << '\n';
    }
    if (CCArray* children = node->getChildren())
    {
        for (unsigned int i = 0; i < children->count(); ++i)
            WriteNode(dynamic_cast<CCNode*>(children->objectAtIndex(i)), out);
    }
}

}  // namespace

bool WriteShownNodes(const std::string& file)
{
    std::ostringstream out;
    WriteNode(CCDirector::sharedDirector()->getRunningScene(), out);
    const std::string text = out.str();
    std::string error;
    if (platform::WriteFileAtomically(file, text.data(), text.size(), error))
        return true;
    CCLog("%s", error.c_str());
    return false;
}

namespace {

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
