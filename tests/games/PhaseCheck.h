// The readable things of a board's phase, gathered by widget name or node,
// and the covering check run over them with the phase's picture kept under
// screens/ for a look. Each named thing must show in the phase, so a check
// never passes over what it was meant to look at; a part that shows only
// sometimes (a stake on an area) is named as optional.
#pragma once

#include "Covering.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace phasecheck {

class List
{
public:
    explicit List(cocos2d::ui::TouchGroup* layer = nullptr) : m_layer(layer) {}

    // A layout widget by name; a name the layout lacks is a fault of the test.
    List& Widget(const char* name, bool optional = false)
    {
        cocos2d::ui::Widget* widget = m_layer != nullptr ? m_layer->getWidgetByName(name) : nullptr;
        EXPECT_NE(widget, nullptr) << name;
        return Node(name, widget, optional);
    }
    List& Widgets(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            Widget(name);
        return *this;
    }
    // Each item of a list as a readable thing of its own, so that items
    // lying over each other are found.
    List& Rows(const std::string& name, cocos2d::ui::ListView* list)
    {
        EXPECT_NE(list, nullptr) << name;
        for (unsigned int i = 0; list != nullptr && i < list->getItems()->count(); ++i)
            Node(name + " row " + std::to_string(i), list->getItem(i), true);
        return *this;
    }
    // A node of the board's own making.
    List& Node(const std::string& name, cocos2d::CCNode* node, bool optional = false)
    {
        EXPECT_TRUE(optional || node != nullptr) << name;
        if (node != nullptr)
        {
            m_items.push_back({name, node});
            m_optional.push_back(optional);
        }
        return *this;
    }
    // Only a part of a picture is read (a caption printed on it), in window
    // points.
    List& Part(const std::string& name, cocos2d::CCNode* node, const cocos2d::CCRect& part)
    {
        Node(name, node);
        if (node != nullptr)
            m_items.back().area = part;
        return *this;
    }
    // Only the lowest rows of a picture are read: a name printed on its foot.
    List& Foot(const std::string& name, cocos2d::CCNode* node, float rows)
    {
        return Part(name, node, node != nullptr ? nodeboxes::BottomRows(nodeboxes::WorldBox(node), rows)
                                                : cocos2d::CCRectZero);
    }
    const std::vector<covering::Readable>& Items() const { return m_items; }
    // The names of things that must show and do not.
    std::vector<std::string> Unseen() const
    {
        std::vector<std::string> out;
        const cocos2d::CCSize win = cocos2d::CCDirector::sharedDirector()->getWinSize();
        const cocos2d::CCRect window(0, 0, win.width, win.height);
        for (size_t i = 0; i < m_items.size(); ++i)
        {
            if (m_optional[i])
                continue;
            // Shown, and not (yet) off the window on its way in.
            cocos2d::CCRect box;
            bool any = false;
            if (!nodeboxes::Shown(m_items[i].node) || !covering::detail::SubtreeBox(m_items[i].node, box, any) ||
                !box.intersectsRect(window))
                out.push_back(m_items[i].name);
        }
        return out;
    }

private:
    cocos2d::ui::TouchGroup* m_layer;
    std::vector<covering::Readable> m_items;
    std::vector<bool> m_optional;
};

// Keeps the phase as screens/<shot>.png and fails once for each readable
// thing that a later-drawn node covers.
inline void ExpectNothingCovers(const List& list, const std::string& shot, const covering::Names& names = {},
                                const covering::Allowed& allowed = {})
{
    mkdir("screens", 0755);
    EXPECT_TRUE(cocos2d::CCDirector::sharedDirector()->saveScreenshot("screens/" + shot + ".png"));
    for (const std::string& name : list.Unseen())
        ADD_FAILURE() << shot << ": " << name << " does not show";
    for (const std::string& found : covering::Covered(list.Items(), names, allowed))
        ADD_FAILURE() << shot << ": " << found;
}

// A panel hides what lies under it: hiding the nodes drawn under it (their
// whole subtrees) changes none of the panel's pixels.
inline void ExpectOpaque(cocos2d::CCNode* panel, const std::vector<cocos2d::CCNode*>& under, const std::string& what)
{
    ASSERT_TRUE(nodeboxes::Shown(panel)) << what;
    covering::detail::Frame with, without;
    ASSERT_TRUE(covering::detail::Capture(with));
    std::vector<cocos2d::CCNode*> hidden;
    for (cocos2d::CCNode* node : under)
        if (node != nullptr && node->isVisible())
        {
            node->setVisible(false);
            hidden.push_back(node);
        }
    covering::detail::Capture(without);
    for (cocos2d::CCNode* node : hidden)
        node->setVisible(true);
    covering::detail::Pixels area = covering::detail::ToPixels(nodeboxes::WorldBox(panel), with);
    ASSERT_FALSE(area.Empty()) << what << " lies off the window " << nodeboxes::Describe(nodeboxes::WorldBox(panel));
    // In a scaled window the panel's edge pixels blend with what lies beside
    // it: only its inside counts.
    const cocos2d::CCSize win = cocos2d::CCDirector::sharedDirector()->getWinSize();
    if (static_cast<int>(win.width) != with.width)
    {
        area.x0 += 2, area.y0 += 2;
        area.x1 -= 2, area.y1 -= 2;
    }
    // Even a faint trace counts: a white caption under a nearly opaque dark
    // panel reads as a ghost.
    int shown = 0;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x)
        {
            const size_t at = (static_cast<size_t>(y) * with.width + x) * 4;
            for (int c = 0; c < 3; ++c)
                if (std::abs(static_cast<int>(with.rgba[at + c]) - static_cast<int>(without.rgba[at + c])) > 4)
                {
                    ++shown;
                    break;
                }
        }
    // A panel's four rounded corners are clear, and its rim blends.
    const int corners = 160 + (area.x1 - area.x0) * (area.y1 - area.y0) / 1000;
    EXPECT_LE(shown, corners) << what << ": what lies under it shows through " << shown << " pixels";
    cocos2d::CCDirector::sharedDirector()->setNeedsRedraw();
}

}  // namespace phasecheck
