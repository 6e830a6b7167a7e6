// What lies over what a player reads, found in the pixels: a board test
// names the things a player must read (names, amounts, totals, card faces,
// the buttons to press) and asks which nodes drawn after them change their
// pixels. A node drawn later counts only where it really covers what the
// readable thing draws (its ink): a clear corner of a picture, a box that
// merely overlaps or a frame drawn round the text does not.
//
// The scene is drawn several times with single nodes hidden: its own picture
// (opacity 0, which does not pass to children) for a node drawn later, the
// whole subtree for the readable thing. Everything is put back afterwards.
#pragma once

#include "NodeBoxes.h"

#include "cocos-ext.h"
#include "cocos2d.h"

#include <cxxabi.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace covering {

struct Readable
{
    std::string name;
    cocos2d::CCNode* node;
    // The part of it a player reads, in window points (a fanned card's
    // corner index); empty: all of it.
    cocos2d::CCRect area = cocos2d::CCRectZero;
};

// Names for nodes that may lie over a readable thing, so an allowed pair
// can name them; a node without a name is known by its nearest named
// ancestor, its class, its tag and its text.
using Names = std::map<cocos2d::CCNode*, std::string>;

// (readable, coverer) pairs drawn so on purpose; the coverer is matched by
// its name, or by a part of its description.
using Allowed = std::vector<std::pair<std::string, std::string>>;

namespace detail {

struct Drawn
{
    cocos2d::CCNode* node;
    int own;   // when its own picture is drawn
    int last;  // when the last draw of its subtree is made
};

// The nodes in the order the director draws them: the scene, the
// notification node, then the top layer; in each, children below zero,
// the node itself, the rest, by z and then arrival.
inline int Walk(cocos2d::CCNode* node, int& counter, std::vector<Drawn>& out)
{
    if (node == nullptr || !node->isVisible())
        return counter;
    node->sortAllChildren();
    const size_t at = out.size();
    out.push_back({node, 0, 0});
    cocos2d::CCArray* children = node->getChildren();
    unsigned int i = 0;
    const unsigned int n = children != nullptr ? children->count() : 0;
    for (; i < n; ++i)
    {
        auto* child = static_cast<cocos2d::CCNode*>(children->objectAtIndex(i));
        if (child->getZOrder() >= 0)
            break;
        Walk(child, counter, out);
    }
    out[at].own = ++counter;
    for (; i < n; ++i)
        Walk(static_cast<cocos2d::CCNode*>(children->objectAtIndex(i)), counter, out);
    out[at].last = counter;
    return counter;
}

inline std::string ClassName(cocos2d::CCNode* node)
{
    const char* mangled = typeid(*node).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

inline std::string Describe(cocos2d::CCNode* node, const Names& names)
{
    auto named = names.find(node);
    if (named != names.end())
        return named->second;
    std::string text = ClassName(node);
    if (node->getTag() != cocos2d::kCCNodeTagInvalid)
        text += " tag " + std::to_string(node->getTag());
    if (auto* label = dynamic_cast<cocos2d::CCLabelProtocol*>(node))
        text += " \"" + std::string(label->getString()) + "\"";
    if (auto* widget = dynamic_cast<cocos2d::ui::Widget*>(node); widget != nullptr && *widget->getName() != 0)
        text += " '" + std::string(widget->getName()) + "'";
    for (cocos2d::CCNode* up = node->getParent(); up != nullptr; up = up->getParent())
    {
        auto owner = names.find(up);
        if (owner != names.end())
            return text + " in " + owner->second;
    }
    return text;
}

struct Frame
{
    std::vector<unsigned char> rgba;
    int width = 0, height = 0;
};

inline bool Capture(Frame& f) { return cocos2d::CCDirector::sharedDirector()->captureFrame(f.rgba, f.width, f.height); }

// A box in GL points as a pixel rectangle of the frame, clipped to it.
struct Pixels
{
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Empty() const { return x1 <= x0 || y1 <= y0; }
};

inline Pixels ToPixels(const cocos2d::CCRect& box, const Frame& f)
{
    const cocos2d::CCSize win = cocos2d::CCDirector::sharedDirector()->getWinSize();
    const float sx = f.width / win.width, sy = f.height / win.height;
    Pixels p;
    p.x0 = std::max(0, static_cast<int>(box.getMinX() * sx));
    p.x1 = std::min(f.width, static_cast<int>(box.getMaxX() * sx + 0.999f));
    p.y0 = std::max(0, static_cast<int>(f.height - box.getMaxY() * sy));
    p.y1 = std::min(f.height, static_cast<int>(f.height - box.getMinY() * sy + 0.999f));
    return p;
}

inline bool Differs(const Frame& a, const Frame& b, int x, int y)
{
    const size_t at = (static_cast<size_t>(y) * a.width + x) * 4;
    for (int c = 0; c < 3; ++c)
        if (std::abs(static_cast<int>(a.rgba[at + c]) - static_cast<int>(b.rgba[at + c])) > 24)
            return true;
    return false;
}

// The union of the boxes of the subtree that is drawn.
inline bool SubtreeBox(cocos2d::CCNode* node, cocos2d::CCRect& box, bool& any)
{
    if (!node->isVisible())
        return false;
    const cocos2d::CCSize size = node->getContentSize();
    if (size.width > 0 && size.height > 0)
    {
        const cocos2d::CCRect b = nodeboxes::WorldBox(node);
        if (any)
        {
            const float x0 = std::min(box.getMinX(), b.getMinX()), y0 = std::min(box.getMinY(), b.getMinY());
            const float x1 = std::max(box.getMaxX(), b.getMaxX()), y1 = std::max(box.getMaxY(), b.getMaxY());
            box = cocos2d::CCRect(x0, y0, x1 - x0, y1 - y0);
        }
        else
        {
            box = b;
        }
        any = true;
    }
    cocos2d::CCArray* children = node->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        SubtreeBox(static_cast<cocos2d::CCNode*>(children->objectAtIndex(i)), box, any);
    return any;
}

// Hides a node's own picture for as long as it lives; false when the node
// draws nothing of its own that opacity takes away.
class HideOwn
{
public:
    explicit HideOwn(cocos2d::CCNode* node) : m_rgba(dynamic_cast<cocos2d::CCRGBAProtocol*>(node)), m_node(node)
    {
        if (m_rgba != nullptr)
        {
            m_opacity = m_rgba->getOpacity();
            m_rgba->setOpacity(0);
        }
        else if (node->getChildrenCount() == 0)
        {
            m_node->setVisible(false);
            m_hidden = true;
        }
    }
    ~HideOwn()
    {
        if (m_rgba != nullptr)
            m_rgba->setOpacity(m_opacity);
        if (m_hidden)
            m_node->setVisible(true);
    }
    bool Hides() const { return m_rgba != nullptr || m_hidden; }

private:
    cocos2d::CCRGBAProtocol* m_rgba;
    cocos2d::CCNode* m_node;
    unsigned char m_opacity = 255;
    bool m_hidden = false;
};

}  // namespace detail

// Every readable thing that a node drawn after it covers, as "coverer over
// readable (pixels covered of its ink)". A readable thing counts as covered
// when more than `share` of its ink, and more than `pixels` pixels of it,
// change once the later node is hidden: a digit's stroke is a few dozen
// pixels, an anti-aliased rim brushing a text is a handful.
inline std::vector<std::string> Covered(const std::vector<Readable>& readables, const Names& names = {},
                                        const Allowed& allowed = {}, float share = 0.01f, int pixels = 8)
{
    using namespace cocos2d;
    std::vector<std::string> found;
    CCDirector* director = CCDirector::sharedDirector();
    std::vector<detail::Drawn> order;
    int counter = 0;
    detail::Walk(director->getRunningScene(), counter, order);
    detail::Walk(director->getNotificationNode(), counter, order);
    detail::Walk(director->getTopLayer(), counter, order);

    Names all = names;
    for (const Readable& r : readables)
        all.emplace(r.node, r.name);
    auto allows = [&](const std::string& readable, const std::string& coverer) {
        return std::any_of(allowed.begin(), allowed.end(), [&](const std::pair<std::string, std::string>& p) {
            return p.first == readable && (p.second == coverer || coverer.find(p.second) != std::string::npos);
        });
    };

    detail::Frame base;
    if (!detail::Capture(base))
    {
        found.push_back("no frame to look at");
        return found;
    }
    // First each readable thing's ink, seen with nothing later over it.
    struct Seen
    {
        const Readable* readable;
        CCRect box;
        std::vector<CCNode*> later;
        std::vector<std::pair<int, int>> ink;
        std::vector<std::string> found;
    };
    std::vector<Seen> seen;
    for (const Readable& r : readables)
    {
        if (!nodeboxes::Shown(r.node))
            continue;
        auto self = std::find_if(order.begin(), order.end(), [&](const detail::Drawn& d) { return d.node == r.node; });
        if (self == order.end())
            continue;
        CCRect box;
        bool any = false;
        if (!detail::SubtreeBox(r.node, box, any))
            continue;
        if (r.area.size.width > 0 && r.area.size.height > 0)
        {
            if (!nodeboxes::Overlap(box, r.area))
                continue;
            const float x0 = std::max(box.getMinX(), r.area.getMinX()), y0 = std::max(box.getMinY(), r.area.getMinY());
            const float x1 = std::min(box.getMaxX(), r.area.getMaxX()), y1 = std::min(box.getMaxY(), r.area.getMaxY());
            box = CCRect(x0, y0, x1 - x0, y1 - y0);
        }
        // Later nodes whose box meets the readable one's.
        std::vector<CCNode*> later;
        for (const detail::Drawn& d : order)
        {
            if (d.own <= self->last || !nodeboxes::Shown(d.node))
                continue;
            const CCSize size = d.node->getContentSize();
            if (size.width > 0 && size.height > 0 && nodeboxes::Overlap(nodeboxes::WorldBox(d.node), box))
                later.push_back(d.node);
        }
        if (later.empty())
            continue;
        const detail::Pixels area = detail::ToPixels(box, base);
        if (area.Empty())
            continue;
        detail::Frame bare, without;
        {
            std::vector<std::unique_ptr<detail::HideOwn>> hidden;
            for (CCNode* n : later)
                hidden.push_back(std::make_unique<detail::HideOwn>(n));
            detail::Capture(bare);
            r.node->setVisible(false);
            detail::Capture(without);
            r.node->setVisible(true);
        }
        Seen s{&r, box, std::move(later), {}, {}};
        for (int y = area.y0; y < area.y1; ++y)
            for (int x = area.x0; x < area.x1; ++x)
                if (detail::Differs(bare, without, x, y))
                    s.ink.push_back({x, y});
        if (!s.ink.empty())
            seen.push_back(std::move(s));
    }
    // Then each later node hidden once, in the order they are drawn, for
    // every readable thing it may lie over.
    for (const detail::Drawn& d : order)
    {
        CCNode* n = d.node;
        const bool over = std::any_of(seen.begin(), seen.end(), [&](const Seen& s) {
            return std::find(s.later.begin(), s.later.end(), n) != s.later.end();
        });
        if (!over)
            continue;
        detail::Frame shownWithout;
        {
            detail::HideOwn hide(n);
            if (!hide.Hides())
                continue;
            detail::Capture(shownWithout);
        }
        for (Seen& s : seen)
        {
            if (std::find(s.later.begin(), s.later.end(), n) == s.later.end())
                continue;
            int covered = 0;
            for (const auto& p : s.ink)
                if (detail::Differs(base, shownWithout, p.first, p.second))
                    ++covered;
            if (covered > pixels && covered > share * s.ink.size())
            {
                const std::string coverer = detail::Describe(n, all);
                if (!allows(s.readable->name, coverer))
                    s.found.push_back(coverer + " " + nodeboxes::Describe(nodeboxes::WorldBox(n)) + " over " +
                                      s.readable->name + " " + nodeboxes::Describe(s.box) + " (" +
                                      std::to_string(covered) + " of " + std::to_string(s.ink.size()) + " pixels)");
            }
        }
    }
    for (const Seen& s : seen)
        found.insert(found.end(), s.found.begin(), s.found.end());
    director->setNeedsRedraw();
    return found;
}

// The pixels of the frame inside a box (window points) that change when
// `show(false)` takes something away; `show(true)` puts it back. For what a
// box check cannot tell: whether anything of the chips shows through a
// plate or a panel.
template <class Show>
int PixelsChangedBy(const cocos2d::CCRect& box, Show show)
{
    detail::Frame with, without;
    show(true);
    if (!detail::Capture(with))
        return -1;
    show(false);
    detail::Capture(without);
    show(true);
    cocos2d::CCDirector::sharedDirector()->setNeedsRedraw();
    const detail::Pixels area = detail::ToPixels(box, with);
    int changed = 0;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x)
            changed += detail::Differs(with, without, x, y) ? 1 : 0;
    return changed;
}

// Whether a board test keeps every phase's frame, not only those where it
// found something covered: KEST_COVERING_SCREENS=1.
inline bool KeepEveryScreen()
{
    const char* keep = std::getenv("KEST_COVERING_SCREENS");
    return keep != nullptr && *keep == '1';
}

// The frame as the check saw it, as screens/<test>-<name>.png beside the
// test: where a board test found something covered, for a look.
inline void KeepScreen(const std::string& name)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string file = std::string(test != nullptr ? test->name() : "covered") + "-" + name;
    std::replace(file.begin(), file.end(), ' ', '_');
    std::replace(file.begin(), file.end(), '/', '_');  // a parameterised test's name
    mkdir("screens", 0755);
    cocos2d::CCDirector::sharedDirector()->saveScreenshot("screens/" + file + ".png");
}

}  // namespace covering
