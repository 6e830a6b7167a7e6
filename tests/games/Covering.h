// What keeps a player from reading a board, found in the pixels: a board
// test names the things a player must read (names, amounts, totals, card
// faces, the buttons to press) and asks which of them do not show (hidden,
// of no size, off the window, drawing nothing), which show only in part
// (running off the window, cut by the list or panel that clips them, past
// the room they are given, a character their digit font cannot draw), and
// which nodes drawn after them change their pixels. A node drawn later
// counts only where it really covers what the readable thing draws (its
// ink): a clear corner of a picture, a box that merely overlaps or a frame
// drawn round the text does not.
//
// The scene is drawn several times with nodes hidden: their own pictures
// (opacity 0, which does not pass to children) for nodes drawn later, whole
// subtrees for the readable things. Nodes whose boxes lie apart are hidden
// in the same drawing, since hiding one changes no pixel of another's box.
// Everything is put back afterwards.
#pragma once

#include "NodeBoxes.h"

#include "cocos-ext.h"
#include "cocos2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
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
    // A thing that shows only sometimes (a stake on an area) is optional:
    // said nothing of when it does not show.
    bool optional = false;
    // A picture of words is read as a text is (a label always is): its
    // strokes must stand off what lies under it.
    bool words = false;
    // The room its text must keep to (its column on a panel), in window
    // points, and what to call it; empty: the window.
    cocos2d::CCRect room = cocos2d::CCRectZero;
    std::string roomName = {};
};

// Something that keeps a readable thing from being read: `what` names the
// node drawn over it, or what keeps it from showing ("does not show", "off
// the window", "cut by ...", "past ...", "draws no ..."); `line` says it all.
struct Finding
{
    std::string readable;
    std::string what;
    std::string line;
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

inline std::string Describe(cocos2d::CCNode* node, const Names& names)
{
    auto named = names.find(node);
    if (named != names.end())
        return named->second;
    std::string text = cocos2d::ccClassName(node);
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
    bool Holds(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    // Apart by more than a pixel of anti-aliased rim.
    bool Meets(const Pixels& o) const { return x0 < o.x1 + 2 && o.x0 < x1 + 2 && y0 < o.y1 + 2 && o.y0 < y1 + 2; }
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

inline cocos2d::CCRect Union(const cocos2d::CCRect& a, const cocos2d::CCRect& b)
{
    const float x0 = std::min(a.getMinX(), b.getMinX()), y0 = std::min(a.getMinY(), b.getMinY());
    const float x1 = std::max(a.getMaxX(), b.getMaxX()), y1 = std::max(a.getMaxY(), b.getMaxY());
    return cocos2d::CCRect(x0, y0, x1 - x0, y1 - y0);
}

inline cocos2d::CCRect Intersection(const cocos2d::CCRect& a, const cocos2d::CCRect& b)
{
    const float x0 = std::max(a.getMinX(), b.getMinX()), y0 = std::max(a.getMinY(), b.getMinY());
    const float x1 = std::min(a.getMaxX(), b.getMaxX()), y1 = std::min(a.getMaxY(), b.getMaxY());
    return cocos2d::CCRect(x0, y0, std::max(0.0f, x1 - x0), std::max(0.0f, y1 - y0));
}

// The clip a node puts on its children, within the clip it is under
// (kept in `inner`); the one it is under when it clips nothing.
inline const cocos2d::CCRect* ClipOf(cocos2d::CCNode* node, const cocos2d::CCRect* clip, cocos2d::CCRect& inner)
{
    if (!node->hasClipRect())
        return clip;
    inner = cocos2d::CCRectApplyAffineTransform(node->getClipRect(), node->nodeToWorldTransform());
    if (clip != nullptr)
        inner = Intersection(inner, *clip);
    return &inner;
}

// The union of the boxes of the subtree that is drawn, each within the clip
// of the nodes that clip their children (a list shows the rows in its view,
// not those scrolled away).
inline bool SubtreeBox(cocos2d::CCNode* node, cocos2d::CCRect& box, bool& any,
                       const cocos2d::CCRect* clip = nullptr)
{
    if (!node->isVisible())
        return false;
    const cocos2d::CCSize size = node->getContentSize();
    if (size.width > 0 && size.height > 0)
    {
        cocos2d::CCRect b = nodeboxes::WorldBox(node);
        if (clip != nullptr)
            b = Intersection(b, *clip);
        if (b.size.width > 0 && b.size.height > 0)
        {
            box = any ? Union(box, b) : b;
            any = true;
        }
    }
    cocos2d::CCRect inner;
    clip = ClipOf(node, clip, inner);
    cocos2d::CCArray* children = node->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        SubtreeBox(static_cast<cocos2d::CCNode*>(children->objectAtIndex(i)), box, any, clip);
    return any;
}

// The texts of the subtree that is drawn, each with its box on the window:
// a widget's text is as wide as its picture of the text, whatever size the
// widget is given.
struct Text
{
    cocos2d::CCNode* node;
    std::string string;
    cocos2d::CCRect box;
    bool digitFont;
};

inline void Texts(cocos2d::CCNode* node, std::vector<Text>& out, const cocos2d::CCRect* clip = nullptr)
{
    if (!node->isVisible())
        return;
    const size_t first = out.size();
    auto* widget = dynamic_cast<cocos2d::ui::Widget*>(node);
    auto* label = dynamic_cast<cocos2d::ui::Label*>(node);
    auto* atlas = dynamic_cast<cocos2d::ui::LabelAtlas*>(node);
    if (label != nullptr || atlas != nullptr)
    {
        const cocos2d::CCSize size = widget->getVirtualRendererSize();
        const cocos2d::CCPoint anchor = widget->getAnchorPoint();
        const cocos2d::CCRect box(-size.width * anchor.x, -size.height * anchor.y, size.width, size.height);
        out.push_back({node, label != nullptr ? label->getStringValue() : atlas->getStringValue(),
                       cocos2d::CCRectApplyAffineTransform(box, node->nodeToWorldTransform()), atlas != nullptr});
    }
    else if (auto* text = dynamic_cast<cocos2d::CCLabelProtocol*>(node))
    {
        out.push_back({node, text->getString(), nodeboxes::WorldBox(node),
                       dynamic_cast<cocos2d::CCLabelAtlas*>(node) != nullptr});
    }
    // A list's own clip cuts what it scrolls: only what it shows is read.
    if (clip != nullptr && out.size() > first)
    {
        out.back().box = Intersection(out.back().box, *clip);
        if (out.back().box.size.width <= 0 || out.back().box.size.height <= 0)
            out.pop_back();
    }
    cocos2d::CCRect inner;
    clip = ClipOf(node, clip, inner);
    cocos2d::CCArray* children = node->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        Texts(static_cast<cocos2d::CCNode*>(children->objectAtIndex(i)), out, clip);
}

// The nearest node above `from` that clips what it draws, and its clip on
// the window (a list clips its rows; what a list clips of itself is its own
// scrolling).
inline cocos2d::CCNode* Clipper(cocos2d::CCNode* from, cocos2d::CCRect& clip)
{
    for (cocos2d::CCNode* up = from->getParent(); up != nullptr; up = up->getParent())
    {
        if (up->hasClipRect())
        {
            clip = cocos2d::CCRectApplyAffineTransform(up->getClipRect(), up->nodeToWorldTransform());
            return up;
        }
    }
    return nullptr;
}

// Whether a box reaches out of another by more than an anti-aliased rim (a
// table scaled up to a large window scales its rims too).
inline bool Outside(const cocos2d::CCRect& box, const cocos2d::CCRect& room)
{
    constexpr float rim = 1.5f;
    return box.getMinX() < room.getMinX() - rim || box.getMaxX() > room.getMaxX() + rim ||
           box.getMinY() < room.getMinY() - rim || box.getMaxY() > room.getMaxY() + rim;
}

// What hides a node: itself, or the first hidden or faded ancestor.
inline std::string Hider(cocos2d::CCNode* node, const Names& names)
{
    if (!node->isRunning())
        return "not on the table";
    for (cocos2d::CCNode* n = node; n != nullptr; n = n->getParent())
    {
        if (!n->isVisible() || n->getScaleX() == 0 || n->getScaleY() == 0)
            return n == node ? "hidden" : "hidden with " + Describe(n, names);
    }
    return "faded out";
}

// A node that is a text itself, not a picture holding one.
inline bool IsText(cocos2d::CCNode* node)
{
    return dynamic_cast<cocos2d::CCLabelProtocol*>(node) != nullptr ||
           dynamic_cast<cocos2d::ui::Label*>(node) != nullptr ||
           dynamic_cast<cocos2d::ui::LabelAtlas*>(node) != nullptr;
}

// A pixel's relative luminance.
inline float Luminance(const Frame& f, int x, int y)
{
    const size_t at = (static_cast<size_t>(y) * f.width + x) * 4;
    auto linear = [](unsigned char c) {
        const float v = c / 255.0f;
        return v <= 0.03928f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
    };
    return 0.2126f * linear(f.rgba[at]) + 0.7152f * linear(f.rgba[at + 1]) + 0.0722f * linear(f.rgba[at + 2]);
}

// How a text stands off what lies under it, where it stands off least: in
// strips a character wide, the contrast ratio the strongest tenth of a
// strip's ink reaches (anti-aliased rims and a dark outline may be most of a
// narrow character's). A yellow name on a yellow glow falls near 1.
inline float WorstContrast(const Frame& with, const Frame& without, const std::vector<std::pair<int, int>>& ink)
{
    int x0 = ink.front().first, x1 = x0, y0 = ink.front().second, y1 = y0;
    for (const auto& p : ink)
    {
        x0 = std::min(x0, p.first), x1 = std::max(x1, p.first + 1);
        y0 = std::min(y0, p.second), y1 = std::max(y1, p.second + 1);
    }
    const int strip = std::max(4, y1 - y0);
    float worst = 100;
    for (int left = x0; left < x1; left += strip)
    {
        std::vector<float> ratios;
        for (const auto& p : ink)
        {
            if (p.first < left || p.first >= left + strip)
                continue;
            const float a = Luminance(with, p.first, p.second), b = Luminance(without, p.first, p.second);
            ratios.push_back((std::max(a, b) + 0.05f) / (std::min(a, b) + 0.05f));
        }
        // A strip's worth of a character's rim at the end is no character.
        if (ratios.size() < std::max<size_t>(10, ink.size() * strip / (x1 - x0) / 5))
            continue;
        std::nth_element(ratios.begin(), ratios.begin() + ratios.size() * 9 / 10, ratios.end());
        worst = std::min(worst, ratios[ratios.size() * 9 / 10]);
    }
    return worst;
}

// A straight edge of what lies under a text, crossing its strokes from top
// to bottom or from end to end (a panel's or a tray's border through a
// score) and showing between them: "" when there is none. Words on a
// ground of their own hide what lies under them.
inline std::string LineUnder(const Frame& with, const Frame& under, const std::vector<std::pair<int, int>>& ink)
{
    // Two points of a larger window are more pixels.
    const int rim = static_cast<int>(
        std::lround(2.0f * under.width / cocos2d::CCDirector::sharedDirector()->getWinSize().width));
    int x0 = ink.front().first, x1 = x0, y0 = ink.front().second, y1 = y0;
    for (const auto& p : ink)
    {
        x0 = std::min(x0, p.first), x1 = std::max(x1, p.first + 1);
        y0 = std::min(y0, p.second), y1 = std::max(y1, p.second + 1);
    }
    if (x1 - x0 < 6 || y1 - y0 < 6)
        return "";
    auto steps = [&](const Frame& f, int x, int y, int dx, int dy) {
        const size_t a = (static_cast<size_t>(y) * f.width + x) * 4;
        const size_t b = (static_cast<size_t>(y - dy) * f.width + (x - dx)) * 4;
        for (int c = 0; c < 3; ++c)
            if (std::abs(static_cast<int>(f.rgba[a + c]) - static_cast<int>(f.rgba[b + c])) > 24)
                return true;
        return false;
    };
    // An edge under the text, and how much of it still shows: where the
    // text leaves both its sides as they were.
    auto edge = [&](int x, int y, int dx, int dy, int& found, int& shown) {
        if (steps(under, x, y, dx, dy))
        {
            ++found;
            shown += !Differs(with, under, x, y) && !Differs(with, under, x - dx, y - dy) ? 1 : 0;
        }
    };
    // Whether the column (upright) or the row at `at` carries an edge along
    // nine tenths of the text, a quarter of it showing.
    auto crossed = [&](bool upright, int at) {
        int n = 0, shown = 0;
        const int from = upright ? y0 : x0, to = upright ? y1 : x1;
        for (int t = from; t < to; ++t)
            upright ? edge(at, t, 2, 0, n, shown) : edge(t, at, 0, 2, n, shown);
        return n * 10 >= (to - from) * 9 && shown * 4 >= n;
    };
    // An upright edge along the strokes' own rim only touches them.
    for (int x = std::max(x0 + rim, 2); x < x1 - rim; ++x)
        if (crossed(true, x))
            return "an upright edge";
    // A level edge along the strokes' foot or head only touches them (the
    // rim of the plate a text fills): one through their middle half
    // crosses them.
    const int into = std::max(rim, (y1 - y0) / 4);
    for (int y = std::max(y0 + into, 2); y < y1 - into; ++y)
        if (crossed(false, y))
            return "a level edge";
    return "";
}

// Hides a node's own picture for as long as it lives, not its children's
// (its opacity is not passed on meanwhile); false when the node draws
// nothing of its own that opacity takes away.
class HideOwn
{
public:
    explicit HideOwn(cocos2d::CCNode* node) : m_rgba(dynamic_cast<cocos2d::CCRGBAProtocol*>(node)), m_node(node)
    {
        if (m_rgba != nullptr)
        {
            m_opacity = m_rgba->getOpacity();
            m_cascade = m_rgba->isCascadeOpacityEnabled();
            m_rgba->setCascadeOpacityEnabled(false);
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
        {
            m_rgba->setOpacity(m_opacity);
            m_rgba->setCascadeOpacityEnabled(m_cascade);
            // What it shows again is its own opacity under its parent's.
            auto* parent = dynamic_cast<cocos2d::CCRGBAProtocol*>(m_node->getParent());
            m_rgba->updateDisplayedOpacity(parent != nullptr && parent->isCascadeOpacityEnabled()
                                               ? parent->getDisplayedOpacity()
                                               : 255);
        }
        if (m_hidden)
            m_node->setVisible(true);
    }
    bool Hides() const { return m_rgba != nullptr || m_hidden; }
    static bool Can(cocos2d::CCNode* node)
    {
        return dynamic_cast<cocos2d::CCRGBAProtocol*>(node) != nullptr || node->getChildrenCount() == 0;
    }

private:
    cocos2d::CCRGBAProtocol* m_rgba;
    cocos2d::CCNode* m_node;
    unsigned char m_opacity = 255;
    bool m_cascade = false;
    bool m_hidden = false;
};

// Several nodes' own pictures hidden at once, shown again in the reverse
// order: a button puts its opacity on its background, which may be hidden
// in its own right.
class HiddenOwn
{
public:
    void Hide(cocos2d::CCNode* node) { m_hidden.push_back(std::make_unique<HideOwn>(node)); }
    bool Hides() const { return !m_hidden.empty() && m_hidden.back()->Hides(); }
    ~HiddenOwn()
    {
        while (!m_hidden.empty())
            m_hidden.pop_back();
    }

private:
    std::vector<std::unique_ptr<HideOwn>> m_hidden;
};

// A text that draws a plate of its own under its letters (a child drawn
// with it).
inline bool OnItsOwnGround(const Readable& r)
{
    if (r.area.size.width > 0 || !IsText(r.node) || r.node->getChildrenCount() == 0 || !HideOwn::Can(r.node))
        return false;
    cocos2d::CCArray* children = r.node->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i)
        if (static_cast<cocos2d::CCNode*>(children->objectAtIndex(i))->isVisible())
            return true;
    return false;
}

// Set, every node is hidden in a drawing of its own (what the sets must
// find the same).
inline bool& OneAtATime()
{
    static bool one = false;
    return one;
}

// Sets that can be hidden in one drawing: greedily, in the order given, an
// item joins the first set none of whose items it meets.
template <class Meets>
std::vector<std::vector<size_t>> ApartSets(size_t count, Meets meets)
{
    std::vector<std::vector<size_t>> sets;
    for (size_t i = 0; i < count; ++i)
    {
        if (OneAtATime())
        {
            sets.push_back({i});
            continue;
        }
        auto set = std::find_if(sets.begin(), sets.end(), [&](const std::vector<size_t>& s) {
            return std::none_of(s.begin(), s.end(), [&](size_t j) { return meets(i, j); });
        });
        if (set == sets.end())
            sets.push_back({i});
        else
            set->push_back(i);
    }
    return sets;
}

}  // namespace detail

// Everything that keeps a readable thing from being read. A thing counts as
// covered when more than `share` of its ink, and more than `pixels` pixels
// of it, change once the later node is hidden: a digit's stroke is a few
// dozen pixels, an anti-aliased rim brushing a text is a handful.
// Below this a text's strokes hardly stand off what lies under them.
constexpr float kLeastContrast = 1.5f;

inline std::vector<Finding> Look(const std::vector<Readable>& readables, const Names& names = {},
                                 const Allowed& allowed = {}, float share = 0.01f, int pixels = 8)
{
    using namespace cocos2d;
    std::vector<Finding> found;
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
    auto say = [&](const Readable& r, const std::string& what, const std::string& line) {
        found.push_back({r.name, what, line});
    };

    detail::Frame base;
    if (!detail::Capture(base))
        return {{"", "no frame", "no frame to look at"}};
    const CCSize winSize = director->getWinSize();
    const CCRect window(0, 0, winSize.width, winSize.height);

    // A node whose box spans much of the window (a frame round it, a panel
    // with a clear middle) is known by the pixels it draws, once looked at.
    std::map<size_t, std::vector<bool>> drawn;
    auto drawnIn = [&](size_t i, const detail::Pixels& area) {
        const detail::Pixels box = detail::ToPixels(nodeboxes::WorldBox(order[i].node), base);
        if ((box.x1 - box.x0) * (box.y1 - box.y0) * 10 < base.width * base.height)
            return true;
        auto mask = drawn.find(i);
        if (mask == drawn.end())
        {
            detail::Frame without;
            {
                detail::HideOwn hide(order[i].node);
                detail::Capture(without);
            }
            std::vector<bool> pixels(static_cast<size_t>(base.width) * base.height, false);
            for (int y = box.y0; y < box.y1; ++y)
                for (int x = box.x0; x < box.x1; ++x)
                    pixels[static_cast<size_t>(y) * base.width + x] = detail::Differs(base, without, x, y);
            mask = drawn.emplace(i, std::move(pixels)).first;
        }
        for (int y = area.y0; y < area.y1; ++y)
            for (int x = area.x0; x < area.x1; ++x)
                if (mask->second[static_cast<size_t>(y) * base.width + x])
                    return true;
        return false;
    };

    // First where each readable thing is, and what of it a box can tell.
    struct Seen
    {
        const Readable* readable;
        CCRect box;
        detail::Pixels area;
        detail::Pixels whole;       // what taking it away changes
        std::vector<size_t> later;  // indexes into `order`
        std::vector<std::pair<int, int>> ink;
        std::vector<detail::Text> texts;
        std::vector<Finding> cuts;  // said only if any of it draws
    };
    std::vector<Seen> seen;
    for (const Readable& r : readables)
    {
        const std::string where = r.name;
        if (!nodeboxes::Shown(r.node))
        {
            if (!r.optional)
                say(r, "does not show", where + " does not show (" + detail::Hider(r.node, all) + ")");
            continue;
        }
        auto self = std::find_if(order.begin(), order.end(), [&](const detail::Drawn& d) { return d.node == r.node; });
        CCRect box;
        bool any = false;
        if (self == order.end() || !detail::SubtreeBox(r.node, box, any) || box.size.width < 1 || box.size.height < 1)
        {
            if (!r.optional)
                say(r, "does not show", where + " does not show (no size)");
            continue;
        }
        // A part of a picture is taken away with the picture, the rest with
        // its subtree.
        const CCRect whole = r.area.size.width > 0 ? nodeboxes::WorldBox(r.node) : box;
        if (r.area.size.width > 0 && r.area.size.height > 0)
        {
            if (!nodeboxes::Overlap(box, r.area))
                continue;
            box = detail::Intersection(box, r.area);
        }
        // What clips the thing itself: scrolled out of its list's view, it
        // does not show; half out, it is cut.
        CCRect clip;
        CCNode* clipper = detail::Clipper(r.node, clip);
        if (clipper != nullptr && !nodeboxes::Overlap(box, clip))
        {
            if (!r.optional)
                say(r, "does not show", where + " does not show (outside " + detail::Describe(clipper, all) + ")");
            continue;
        }
        if (!nodeboxes::Overlap(box, window))
        {
            if (!r.optional)
                say(r, "does not show", where + " " + nodeboxes::Describe(box) + " does not show (off the window)");
            continue;
        }
        Seen s{&r, box, detail::ToPixels(box, base), detail::ToPixels(whole, base), {}, {}, {}, {}};
        // A text is read whole: none of it off the window, cut by what
        // clips it or past its room.
        if (r.area.size.width <= 0)
            detail::Texts(r.node, s.texts);
        const CCRect room = r.room.size.width > 0 ? r.room : window;
        const std::string roomName = r.room.size.width > 0 ? r.roomName : "the window";
        // A thing scrolled out of its list but for a clear rim of its box is
        // not cut: it does not show.
        if (clipper != nullptr && s.texts.empty() && r.area.size.width <= 0 && detail::Outside(box, clip))
            s.cuts.push_back({r.name, "cut by " + detail::Describe(clipper, all),
                              where + " " + nodeboxes::Describe(box) + " is cut by " + detail::Describe(clipper, all) +
                                  " " + nodeboxes::Describe(clip)});
        for (const detail::Text& t : s.texts)
        {
            if (t.string.find_first_not_of(' ') == std::string::npos)
                continue;
            const std::string text = "\"" + t.string + "\" " + nodeboxes::Describe(t.box);
            if (clipper != nullptr && detail::Outside(t.box, clip))
                s.cuts.push_back({r.name, "cut by " + detail::Describe(clipper, all),
                                  where + " " + text + " is cut by " + detail::Describe(clipper, all) + " " +
                                      nodeboxes::Describe(clip)});
            else if (detail::Outside(t.box, room))
                say(r, "past " + roomName, where + " " + text + " runs past " + roomName + " " + nodeboxes::Describe(room));
        }
        // A picture keeps to its room whole, and a text's widget too.
        if (r.area.size.width <= 0 && (r.room.size.width > 0 || s.texts.empty()) && detail::Outside(box, room) &&
            std::none_of(s.texts.begin(), s.texts.end(), [&](const detail::Text& t) { return detail::Outside(t.box, room); }))
            say(r, "past " + roomName, where + " " + nodeboxes::Describe(box) + " runs past " + roomName + " " +
                                           nodeboxes::Describe(room));
        for (size_t i = 0; i < order.size(); ++i)
        {
            const detail::Drawn& d = order[i];
            if (d.own <= self->last || !nodeboxes::Shown(d.node) || !detail::HideOwn::Can(d.node))
                continue;
            const CCSize size = d.node->getContentSize();
            if (size.width > 0 && size.height > 0 && nodeboxes::Overlap(nodeboxes::WorldBox(d.node), box) &&
                drawnIn(i, s.area))
                s.later.push_back(i);
        }
        if (!s.area.Empty())
            seen.push_back(std::move(s));
    }

    // Each thing's ink, seen with nothing later over it: things whose boxes
    // lie apart, and apart from what lies over the others, are taken away
    // in one drawing.
    auto laterBoxes = [&](const Seen& s, const Seen& o) {
        return std::any_of(s.later.begin(), s.later.end(), [&](size_t i) {
            return detail::ToPixels(nodeboxes::WorldBox(order[i].node), base).Meets(o.area) && drawnIn(i, o.area);
        });
    };
    const auto inkSets = detail::ApartSets(seen.size(), [&](size_t a, size_t b) {
        return seen[a].whole.Meets(seen[b].area) || seen[b].whole.Meets(seen[a].area) ||
               laterBoxes(seen[a], seen[b]) || laterBoxes(seen[b], seen[a]);
    });
    for (const std::vector<size_t>& set : inkSets)
    {
        detail::Frame bare, without, ground;
        {
            detail::HiddenOwn hidden;
            std::vector<size_t> later;
            for (size_t k : set)
                later.insert(later.end(), seen[k].later.begin(), seen[k].later.end());
            std::sort(later.begin(), later.end());
            later.erase(std::unique(later.begin(), later.end()), later.end());
            for (size_t i : later)
                hidden.Hide(order[i].node);
            if (!later.empty())
                detail::Capture(bare);
            detail::HiddenOwn parts;
            for (size_t k : set)
            {
                if (seen[k].readable->area.size.width > 0)
                    parts.Hide(seen[k].readable->node);
                else
                    seen[k].readable->node->setVisible(false);
            }
            detail::Capture(without);
            for (size_t k : set)
                if (seen[k].readable->area.size.width <= 0)
                    seen[k].readable->node->setVisible(true);
            // A text on a plate of its own is read against its plate.
            detail::HiddenOwn texts;
            for (size_t k : set)
                if (detail::OnItsOwnGround(*seen[k].readable))
                    texts.Hide(seen[k].readable->node);
            if (texts.Hides())
                detail::Capture(ground);
        }
        const detail::Frame& with = bare.rgba.empty() ? base : bare;
        for (size_t k : set)
        {
            Seen& s = seen[k];
            for (int y = s.area.y0; y < s.area.y1; ++y)
                for (int x = s.area.x0; x < s.area.x1; ++x)
                    if (detail::Differs(with, without, x, y))
                        s.ink.push_back({x, y});
            const Readable& r = *s.readable;
            if (!s.ink.empty())
                found.insert(found.end(), s.cuts.begin(), s.cuts.end());
            if (s.ink.empty())
            {
                if (!r.optional)
                    say(r, "draws nothing", r.name + " " + nodeboxes::Describe(s.box) + " draws nothing");
                continue;
            }
            if (r.words || detail::IsText(r.node))
            {
                const bool grounded = !ground.rgba.empty() && detail::OnItsOwnGround(r);
                const detail::Frame& under = grounded ? ground : without;
                std::vector<std::pair<int, int>> glyphs;
                for (int y = s.area.y0; grounded && y < s.area.y1; ++y)
                    for (int x = s.area.x0; x < s.area.x1; ++x)
                        if (detail::Differs(with, ground, x, y))
                            glyphs.push_back({x, y});
                const std::vector<std::pair<int, int>>& ink = grounded ? glyphs : s.ink;
                const float contrast = ink.empty() ? 100 : detail::WorstContrast(with, under, ink);
                if (contrast < kLeastContrast)
                    say(r, "hard to read",
                        r.name + " " + nodeboxes::Describe(s.box) + " is hard to read: its contrast with what lies " +
                            "under it falls to " + std::to_string(contrast).substr(0, 4));
                // Its plate's own bands are no line under it.
                const std::string line = detail::LineUnder(with, without, s.ink);
                if (!line.empty())
                    say(r, "a line under it", r.name + " " + nodeboxes::Describe(s.box) + " has " + line +
                                                  " running under it");
            }
            // A digit font leaves a character it has no picture for blank:
            // -600 reads 600.
            for (const detail::Text& t : s.texts)
            {
                if (!t.digitFont || t.node != r.node || t.string.empty())
                    continue;
                const float cell = t.box.size.width / t.string.size();
                for (size_t c = 0; c < t.string.size(); ++c)
                {
                    if (t.string[c] == ' ')
                        continue;
                    const detail::Pixels p = detail::ToPixels(
                        CCRect(t.box.getMinX() + c * cell, t.box.getMinY(), cell, t.box.size.height), base);
                    const bool inked = std::any_of(s.ink.begin(), s.ink.end(), [&](const std::pair<int, int>& i) {
                        return p.Holds(i.first, i.second);
                    });
                    if (!inked && !p.Empty())
                        say(r, std::string("draws no '") + t.string[c] + "'",
                            r.name + " \"" + t.string + "\" draws no '" + t.string[c] + "': its font has none");
                }
            }
        }
    }

    // Then the later nodes hidden, those lying apart in one drawing: a
    // changed pixel of a thing's ink is the hidden node's whose box holds it.
    std::vector<size_t> coverers;
    for (const Seen& s : seen)
        if (!s.ink.empty())
            coverers.insert(coverers.end(), s.later.begin(), s.later.end());
    std::sort(coverers.begin(), coverers.end());
    coverers.erase(std::unique(coverers.begin(), coverers.end()), coverers.end());
    std::vector<detail::Pixels> boxes;
    for (size_t i : coverers)
        boxes.push_back(detail::ToPixels(nodeboxes::WorldBox(order[i].node), base));
    for (const std::vector<size_t>& set :
         detail::ApartSets(coverers.size(), [&](size_t a, size_t b) { return boxes[a].Meets(boxes[b]); }))
    {
        detail::Frame shownWithout;
        std::vector<size_t> hides;
        {
            detail::HiddenOwn hidden;
            for (size_t k : set)
            {
                hidden.Hide(order[coverers[k]].node);
                if (hidden.Hides())
                    hides.push_back(k);
            }
            if (hides.empty())
                continue;
            detail::Capture(shownWithout);
        }
        for (size_t k : hides)
        {
            const size_t n = coverers[k];
            for (size_t at = 0; at < seen.size(); ++at)
            {
                Seen& s = seen[at];
                if (s.ink.empty() || std::find(s.later.begin(), s.later.end(), n) == s.later.end())
                    continue;
                int count = 0;
                for (const auto& p : s.ink)
                    if (boxes[k].Holds(p.first, p.second) && detail::Differs(base, shownWithout, p.first, p.second))
                        ++count;
                if (count > pixels && count > share * s.ink.size())
                {
                    CCNode* node = order[n].node;
                    const std::string coverer = detail::Describe(node, all);
                    if (!allows(s.readable->name, coverer))
                        say(*s.readable, coverer,
                            coverer + " " + nodeboxes::Describe(nodeboxes::WorldBox(node)) + " over " +
                                s.readable->name + " " + nodeboxes::Describe(s.box) + " (" + std::to_string(count) +
                                " of " + std::to_string(s.ink.size()) + " pixels)");
                }
            }
        }
    }
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

}  // namespace covering
