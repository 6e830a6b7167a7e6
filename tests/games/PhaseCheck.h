// The one check of what a player can read, phase by phase, for every board:
// a board test names the readable things of a phase (a layout's widgets by
// name, nodes of the board's own making), each of which must show unless
// named optional, and the covering check (Covering.h) says what keeps any
// of them from being read. Boards run their phases in each window a player
// may give them and with a busy room's data: nicknames that fill their
// field, the largest amounts, negative scores, full queues and records.
//
// A fault the check finds that is still being mended is listed as open
// (Open): the check passes over it, and fails when a listed fault is no
// longer found, so that the list only ever holds what is still to mend.
#pragma once

#include "Covering.h"
#include "framework/KernelFixture.h"
#include "games/framework/CardSprite.h"

#include <fnmatch.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace phasecheck {

// --- the windows and the data ------------------------------------------------------------------

// The window at its first size, sized by its edges, and maximised on the
// headless desktop.
struct Window
{
    int width;
    int height;
    bool maximised;
    unsigned bit;
    const char* name;
};
enum Sizes : unsigned
{
    k1288 = 1,
    k1600 = 2,
    k1920 = 4,
    kWider = k1600 | k1920,
    kEverySize = k1288 | k1600 | k1920,
};
inline const std::vector<Window>& Windows()
{
    static const std::vector<Window> windows = {
        {1288, 762, false, k1288, "1288x762"}, {1600, 900, false, k1600, "1600x900"}, {1920, 1040, true, k1920, "1920x1040"}};
    return windows;
}
inline std::string WindowName(const ::testing::TestParamInfo<Window>& info) { return info.param.name; }
inline void PrintTo(const Window& w, std::ostream* os) { *os << w.name; }

// Eight characters, as long as a nickname is allowed to be, a different one
// for each user.
inline std::u16string LongNickname(uint32_t userID)
{
    static const char16_t* const names[] = {u"龙腾四海凤舞九天", u"一夜暴富梦想成真", u"财源广进万事如意",
                                            u"春风得意马蹄飞疾", u"天下无敌独孤求败", u"笑傲江湖逍遥自在",
                                            u"风云再起群雄逐鹿", u"满堂红运福星高照"};
    return names[userID % 8];
}

// The largest amounts the records carry: a score of ten digits.
constexpr int64_t kLargestScore = 9876543210LL;

// A card table's players: long names, and scores of ten digits, mine and
// every other one's below zero.
inline void SeatedUser(tagUserData& user)
{
    const std::u16string name = LongNickname(user.dwUserID);
    std::fill(std::begin(user.szNickName), std::end(user.szNickName), u'\0');
    std::copy(name.begin(), name.end(), user.szNickName);
    user.lScore = user.dwUserID == 1000 || user.dwUserID % 2 == 0 ? -1234567890LL : kLargestScore;
}

// --- what a phase shows ------------------------------------------------------------------------

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
    // lying over each other are found; the first `shown` must show.
    List& Rows(const std::string& name, cocos2d::ui::ListView* list, unsigned int shown = 0)
    {
        EXPECT_NE(list, nullptr) << name;
        for (unsigned int i = 0; list != nullptr && i < list->getItems()->count(); ++i)
            Node(name + " row " + std::to_string(i), list->getItem(i), i >= shown);
        return *this;
    }
    // A node of the board's own making; a missing one that must show is a
    // fault of the board.
    List& Node(const std::string& name, cocos2d::CCNode* node, bool optional = false)
    {
        if (node != nullptr)
            m_items.push_back({name, node, cocos2d::CCRectZero, optional, false, cocos2d::CCRectZero, {}});
        else if (!optional)
            m_missing.push_back(name);
        return *this;
    }
    List& Optional(const std::string& name, cocos2d::CCNode* node) { return Node(name, node, true); }
    // Each text shown on a panel, a readable thing of its own.
    List& TextsOf(const std::string& name, cocos2d::CCNode* panel)
    {
        std::vector<covering::detail::Text> texts;
        if (panel != nullptr && nodeboxes::Shown(panel))
            covering::detail::Texts(panel, texts);
        for (size_t i = 0; i < texts.size(); ++i)
            if (!texts[i].string.empty() && covering::detail::IsText(texts[i].node))
                Node(name + " text " + std::to_string(i) + " \"" + texts[i].string + "\"", texts[i].node);
        return *this;
    }
    // A card is read by its face: a card that shows its back has nothing to
    // read.
    List& Card(const std::string& name, Sexy::CardSprite* card, bool optional = false)
    {
        if (card != nullptr && card->GetCardData() == Sexy::CardSprite::kCardBack)
            return *this;
        return Node(name, card, optional);
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
        return Part(name, node,
                    node != nullptr ? nodeboxes::BottomRows(nodeboxes::WorldBox(node), rows) : cocos2d::CCRectZero);
    }
    // A caption printed on a picture, its box in the picture's pixels from
    // the top left (as the picture table gives its captions).
    List& Caption(const std::string& name, cocos2d::CCNode* picture, const cocos2d::CCRect& fromTopLeft)
    {
        if (picture == nullptr)
            return Node(name, nullptr);
        const cocos2d::CCSize size = picture->getContentSize();
        cocos2d::CCRect inNode(fromTopLeft.getMinX(), size.height - fromTopLeft.getMaxY(), fromTopLeft.size.width,
                               fromTopLeft.size.height);
        // A widget draws round its position by its anchor.
        auto* widget = dynamic_cast<cocos2d::ui::Widget*>(picture);
        if (widget != nullptr && widget->getWidgetType() != cocos2d::ui::WidgetTypeContainer)
            inNode.origin = inNode.origin - cocos2d::CCPoint(size.width * widget->getAnchorPoint().x,
                                                             size.height * widget->getAnchorPoint().y);
        return Part(name, picture, cocos2d::CCRectApplyAffineTransform(inNode, picture->nodeToWorldTransform()));
    }
    // A picture of words, read as a text is; of a badge only the part that
    // holds the words.
    List& Words(const std::string& name, cocos2d::CCNode* node, bool optional = false)
    {
        Node(name, node, optional);
        if (node != nullptr)
            m_items.back().words = true;
        return *this;
    }
    List& Words(const std::string& name, cocos2d::CCNode* node, const cocos2d::CCRect& part)
    {
        Part(name, node, part);
        if (node != nullptr)
            m_items.back().words = true;
        return *this;
    }
    // The last thing's text keeps to a room (its column on a panel).
    List& Within(const std::string& roomName, const cocos2d::CCRect& room)
    {
        if (!m_items.empty())
        {
            m_items.back().room = room;
            m_items.back().roomName = roomName;
        }
        return *this;
    }
    // A thing the phase no longer shows (a sign of the hand before).
    List& Gone(const std::string& name, cocos2d::CCNode* node)
    {
        if (node != nullptr)
            m_gone.push_back({name, node});
        return *this;
    }
    const std::vector<covering::Readable>& Items() const { return m_items; }
    const std::vector<covering::Readable>& GoneItems() const { return m_gone; }
    std::vector<covering::Readable>& Items() { return m_items; }
    const std::vector<std::string>& Missing() const { return m_missing; }

private:
    cocos2d::ui::TouchGroup* m_layer;
    std::vector<covering::Readable> m_items;
    std::vector<covering::Readable> m_gone;
    std::vector<std::string> m_missing;
};

// --- what a panel hides ------------------------------------------------------------------------

// How many pixels of a panel change when the nodes drawn under it (their
// whole subtrees) are hidden, beyond what its rounded corners and blended
// rim let through: a panel hides what lies under it when none do. Even a
// faint trace counts: a white caption under a nearly opaque dark panel
// reads as a ghost.
inline int ShowThrough(cocos2d::CCNode* panel, const std::vector<cocos2d::CCNode*>& under)
{
    covering::detail::Frame with, without;
    if (!nodeboxes::Shown(panel) || !covering::detail::Capture(with))
        return -1;
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
    cocos2d::CCDirector::sharedDirector()->setNeedsRedraw();
    covering::detail::Pixels area = covering::detail::ToPixels(nodeboxes::WorldBox(panel), with);
    if (area.Empty())
        return -1;
    // A panel drawn larger than its picture blends its outermost pixels.
    const float scale = with.width / cocos2d::CCDirector::sharedDirector()->getWinSize().width;
    const int rim = static_cast<int>(std::ceil(scale));
    area = {area.x0 + rim, area.y0 + rim, area.x1 - rim, area.y1 - rim};
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
    // A larger window draws the corners larger.
    const int corners = static_cast<int>(160 * scale * scale) + (area.x1 - area.x0) * (area.y1 - area.y0) / 1000;
    return std::max(0, shown - corners);
}

// --- faults still being mended -----------------------------------------------------------------

// A fault the check finds that is still open: its name, so whoever mends it
// finds it; the phases it shows in ("dealt|result", "*" for every one) and
// the window sizes; the readable thing (a shell pattern: "seat * score") and
// what keeps it from being read (a part of the finding: the coverer's name,
// "does not show", "past ...", "a line under it"). It must be found in every
// phase it names that a test looks at in a window it names.
struct Open
{
    const char* name;
    const char* phase;
    unsigned sizes;
    const char* readable;
    const char* what;
};

// Keeps the phase's picture when the check finds something new, or always
// with KEST_COVERING_SCREENS=1, as screens/<test>-<phase>.png beside the
// test.
inline bool KeepEveryScreen()
{
    const char* keep = std::getenv("KEST_COVERING_SCREENS");
    return keep != nullptr && *keep == '1';
}
inline void KeepScreen(const std::string& phase)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string file = (test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "phase") + "-" + phase;
    for (char& c : file)
        if (c == ' ' || c == '/' || c == '\'' || c == ',')
            c = '_';
    mkdir("screens", 0755);
    cocos2d::CCDirector::sharedDirector()->saveScreenshot("screens/" + file + ".png");
}

// Whether the open faults found are written out too: KEST_OPEN_FAULTS=1.
inline bool ShowOpen()
{
    const char* show = std::getenv("KEST_OPEN_FAULTS");
    return show != nullptr && *show == '1';
}

// The phases of a test run in one window, with the board's open faults.
class Phases
{
public:
    void Open(const std::vector<phasecheck::Open>& open, unsigned window)
    {
        m_open = open;
        m_window = window;
    }

    // Fails once for each readable thing of the phase that cannot be read,
    // but for the open faults.
    void Expect(const List& list, const std::string& phase, const covering::Names& names = {},
                const covering::Allowed& allowed = {})
    {
        std::vector<covering::Finding> found;
        for (const std::string& name : list.Missing())
            found.push_back({name, "does not show", name + " does not show (not on the table)"});
        for (const covering::Readable& gone : list.GoneItems())
            if (nodeboxes::Shown(gone.node))
                found.push_back({gone.name, "still shows", gone.name + " still shows"});
        for (covering::Finding& f : covering::Look(list.Items(), names, allowed))
            found.push_back(std::move(f));
        if (Report(phase, found) || KeepEveryScreen())
            KeepScreen(phase);
    }

    // Fails when what lies under the panel shows through it ("shows
    // through" for an open fault).
    void ExpectOpaque(cocos2d::CCNode* panel, const std::vector<cocos2d::CCNode*>& under, const std::string& what,
                      const std::string& phase)
    {
        const int shown = ShowThrough(panel, under);
        if (shown < 0)
            Report(phase, {{what, "does not show", what + " does not show"}});
        else if (shown > 0)
            Report(phase, {{what, "shows through",
                            what + ": what lies under it shows through " + std::to_string(shown) + " pixels"}});
        else
            Report(phase, {});
    }

    // Each open fault of a phase looked at in this window must have been
    // found there: one that is not has been mended, and leaves the list.
    void ExpectEveryOpenFaultFound() const
    {
        for (size_t i = 0; i < m_open.size(); ++i)
        {
            const phasecheck::Open& o = m_open[i];
            for (const std::string& phase : m_checked)
                if ((o.sizes & m_window) != 0 && Names(o.phase, phase) && m_found.count({i, phase}) == 0)
                    ADD_FAILURE() << "open fault \"" << o.name << "\" (" << o.readable << ", " << o.what
                                  << ") is not found in " << phase << " any more: take it off the list";
        }
    }

private:
    // True when something not on the open list was found.
    bool Report(const std::string& phase, const std::vector<covering::Finding>& findings)
    {
        if (std::find(m_checked.begin(), m_checked.end(), phase) == m_checked.end())
            m_checked.push_back(phase);
        bool unexpected = false;
        for (const covering::Finding& f : findings)
        {
            bool open = false;
            for (size_t i = 0; i < m_open.size(); ++i)
                if (Matches(m_open[i], phase, f))
                {
                    m_found.insert({i, phase});
                    if (!open && ShowOpen())
                        std::cout << "open \"" << m_open[i].name << "\" " << phase << ": " << f.line << "\n";
                    open = true;
                }
            if (!open)
            {
                ADD_FAILURE() << phase << ": " << f.line;
                unexpected = true;
            }
        }
        return unexpected;
    }
    // Whether one of the phases "a|b" is the phase, or "*" any.
    static bool Names(const std::string& phases, const std::string& phase)
    {
        size_t from = 0;
        for (;;)
        {
            const size_t bar = phases.find('|', from);
            const std::string one = phases.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
            if (one == "*" || one == phase)
                return true;
            if (bar == std::string::npos)
                return false;
            from = bar + 1;
        }
    }
    bool Matches(const phasecheck::Open& o, const std::string& phase, const covering::Finding& f) const
    {
        return (o.sizes & m_window) != 0 && Names(o.phase, phase) &&
               fnmatch(o.readable, f.readable.c_str(), 0) == 0 && f.what.find(o.what) != std::string::npos;
    }
    std::vector<phasecheck::Open> m_open;
    std::set<std::pair<size_t, std::string>> m_found;
    std::vector<std::string> m_checked;
    unsigned m_window = k1288;
};

// A board's fixture in each window (TEST_P over Windows()): the window is
// sized as the program sizes it, once the table shows, and the chips'
// scatter is seeded.
template <class Fixture>
class AtWindow : public Fixture, public ::testing::WithParamInterface<Window>
{
protected:
    AtWindow()
    {
        this->window = cocos2d::CCSize(static_cast<float>(GetParam().width), static_cast<float>(GetParam().height));
        this->windowMaximised = GetParam().maximised;
        this->randomSeed = 50;
    }
};

// A board's fixture in each window with a busy room's users (SeatedUser, or
// none where the fixture seats its own), its phases checked with the
// board's open faults (`Open` in the test's constructor).
template <class Fixture>
class Sized : public AtWindow<Fixture>
{
protected:
    using AtWindow<Fixture>::GetParam;
    explicit Sized(void (*user)(tagUserData&) = SeatedUser)
    {
        if (user != nullptr)
            this->userRecord = user;
    }
    void TearDown() override
    {
        m_phases.ExpectEveryOpenFaultFound();
        Fixture::TearDown();
    }
    void Open(const std::vector<phasecheck::Open>& open) { m_phases.Open(open, GetParam().bit); }
    void Check(const List& list, const std::string& phase, const covering::Names& names = {},
               const covering::Allowed& allowed = {})
    {
        m_phases.Expect(list, phase, names, allowed);
    }
    void CheckOpaque(cocos2d::CCNode* panel, const std::vector<cocos2d::CCNode*>& under, const std::string& what,
                     const std::string& phase)
    {
        m_phases.ExpectOpaque(panel, under, what, phase);
    }

    Phases m_phases;
};

}  // namespace phasecheck
