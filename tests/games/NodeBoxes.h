// Where the parts of a board are as a player sees them: each shown node's
// box on the window, the pairs of boxes that overlap, and the boxes that
// leave an area. Board tests list what a player must be able to read and
// check that nothing lies over it.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace nodeboxes {

struct Box
{
    std::string name;  // boxes of one name (a card and its pair, a chip and its label) may overlap
    cocos2d::CCRect rect;
};

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The node's box on the window, its rotation and scale included. A widget
// draws round its position by its anchor (a layout from its corner).
inline cocos2d::CCRect WorldBox(cocos2d::CCNode* node)
{
    const cocos2d::CCSize size = node->getContentSize();
    cocos2d::CCRect box(0, 0, size.width, size.height);
    auto* widget = dynamic_cast<cocos2d::ui::Widget*>(node);
    if (widget != nullptr && widget->getWidgetType() != cocos2d::ui::WidgetTypeContainer)
        box.origin =
            cocos2d::CCPoint(-size.width * widget->getAnchorPoint().x, -size.height * widget->getAnchorPoint().y);
    return cocos2d::CCRectApplyAffineTransform(box, node->nodeToWorldTransform());
}

// Drawn: the node in the running scene, it and every parent visible, not
// scaled away, and the node not faded out.
inline bool Shown(cocos2d::CCNode* node)
{
    if (node == nullptr || !node->isRunning())
        return false;
    for (cocos2d::CCNode* n = node; n != nullptr; n = n->getParent())
    {
        if (!n->isVisible() || n->getScaleX() == 0 || n->getScaleY() == 0)
            return false;
    }
    auto* tinted = dynamic_cast<cocos2d::CCRGBAProtocol*>(node);
    return tinted == nullptr || tinted->getDisplayedOpacity() > 0;
}

// Whether an item of a list lies wholly in the list's view, up and down
// (a point of rounding aside): a scrolled list's rows that show.
inline bool InView(cocos2d::CCNode* list, cocos2d::CCNode* item)
{
    const cocos2d::CCRect view = WorldBox(list);
    const cocos2d::CCRect box = WorldBox(item);
    return box.getMinY() >= view.getMinY() - 1 && box.getMaxY() <= view.getMaxY() + 1;
}

// The rows of a box that its picture draws in, for a picture that leaves
// the rest clear so that its drawing stands off the node's point.
inline cocos2d::CCRect TopRows(const cocos2d::CCRect& box, float rows)
{
    return cocos2d::CCRect(box.getMinX(), box.getMaxY() - rows, box.size.width, rows);
}
inline cocos2d::CCRect BottomRows(const cocos2d::CCRect& box, float rows)
{
    return cocos2d::CCRect(box.getMinX(), box.getMinY(), box.size.width, rows);
}

inline void AddShown(std::vector<Box>& boxes, const std::string& name, cocos2d::CCNode* node)
{
    if (node != nullptr && Shown(node) && node->getContentSize().width > 0 && node->getContentSize().height > 0)
        boxes.push_back({name, WorldBox(node)});
}

inline std::string Describe(const cocos2d::CCRect& r)
{
    return "(" + std::to_string(static_cast<int>(r.getMinX())) + "," + std::to_string(static_cast<int>(r.getMinY())) +
           ")-(" + std::to_string(static_cast<int>(r.getMaxX())) + "," + std::to_string(static_cast<int>(r.getMaxY())) +
           ")";
}

// Two boxes that share more than a pixel each way: touching edges and
// anti-aliased rims do not count.
inline bool Overlap(const cocos2d::CCRect& a, const cocos2d::CCRect& b)
{
    const float w = std::min(a.getMaxX(), b.getMaxX()) - std::max(a.getMinX(), b.getMinX());
    const float h = std::min(a.getMaxY(), b.getMaxY()) - std::max(a.getMinY(), b.getMinY());
    return w > 1 && h > 1;
}

// Every pair of differently named boxes that overlap, but the pairs allowed
// (in either order), as "a (box) over b (box)".
inline std::vector<std::string> Overlaps(const std::vector<Box>& boxes, const Pairs& allowed = {})
{
    auto allows = [&](const std::string& a, const std::string& b) {
        return std::any_of(allowed.begin(), allowed.end(), [&](const std::pair<std::string, std::string>& p) {
            return (p.first == a && p.second == b) || (p.first == b && p.second == a);
        });
    };
    std::vector<std::string> found;
    for (size_t i = 0; i < boxes.size(); ++i)
    {
        for (size_t j = i + 1; j < boxes.size(); ++j)
        {
            const Box &a = boxes[i], &b = boxes[j];
            if (a.name != b.name && !allows(a.name, b.name) && Overlap(a.rect, b.rect))
                found.push_back(a.name + " " + Describe(a.rect) + " over " + b.name + " " + Describe(b.rect));
        }
    }
    return found;
}

// The boxes that reach out of the area by more than a pixel.
inline std::vector<std::string> Outside(const std::vector<Box>& boxes, const cocos2d::CCRect& area)
{
    std::vector<std::string> found;
    for (const Box& b : boxes)
    {
        if (b.rect.getMinX() < area.getMinX() - 1 || b.rect.getMaxX() > area.getMaxX() + 1 ||
            b.rect.getMinY() < area.getMinY() - 1 || b.rect.getMaxY() > area.getMaxY() + 1)
            found.push_back(b.name + " " + Describe(b.rect) + " outside " + Describe(area));
    }
    return found;
}

}  // namespace nodeboxes
