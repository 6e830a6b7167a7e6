// The drawn parts of the banker toolkit on a headless stage: the chip row a
// limit enables, chips piled on areas under a cap, the banker panel and the
// queue rows, record columns in a list, the score view's drag and the phase
// clock.
#include "../NodeBoxes.h"
#include "core/ClientGlobal.h"
#include "games/common/BankerPanel.h"
#include "games/common/BoardWidgets.h"
#include "games/common/Chips.h"
#include "games/common/PhaseClock.h"
#include "games/common/RecordStrip.h"
#include "games/common/ScoreView.h"
#include "games/framework/UserData.h"
#include "ui/UiFixture.h"

#include <gtest/gtest.h>

#include <new>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace {

tagUserData User(const char16_t* name, int64_t score)
{
    tagUserData user = {};
    SetFieldText(user.szNickName, std::u16string(name));
    user.lScore = score;
    return user;
}

class Toolkit : public UiFixture
{
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        root = CCNode::create();
        scene->addChild(root);
    }
    // A button standing for a chip of the layout.
    static Button* ChipButton()
    {
        Button* button = Button::create();
        button->loadTextures("OxBattle/g", "OxBattle/g", "OxBattle/g");
        return button;
    }
    CCNode* root = nullptr;
};

// --- chips ------------------------------------------------------------------------------------

TEST_F(Toolkit, AWidgetIsFoundWhereItLiesAndUnderTheMouse)
{
    CCNode* content = CCNode::create();
    content->setPosition(CCPoint(100, 50));
    content->setScale(2);
    root->addChild(content);
    Layout* panel = Layout::create();
    panel->setPosition(CCPoint(40, 30));
    scene->addChild(panel);
    ImageView* area = ImageView::create();
    area->loadTexture("OxBattle/g");
    area->setPosition(CCPoint(60, 70));
    panel->addChild(area);
    // At (100, 100) of the stage, so (0, 25) of the scaled content.
    EXPECT_TRUE(games::PointIn(content, area).equals(CCPoint(0, 25)));
    EXPECT_TRUE(games::PointIn(content, nullptr).equals(CCPointZero));
    // 28 x 28 round (100, 100), edges included.
    EXPECT_TRUE(games::WidgetContains(area, CCPoint(86, 114)));
    EXPECT_TRUE(games::WidgetContains(area, CCPoint(100, 100)));
    EXPECT_FALSE(games::WidgetContains(area, CCPoint(85, 100)));
    EXPECT_FALSE(games::WidgetContains(area, CCPoint(100, 114.5f)));
    EXPECT_FALSE(games::WidgetContains(nullptr, CCPoint(100, 100)));
    // A user who left has no name; a long one is cut.
    EXPECT_EQ(games::NickName(nullptr, 8), "");
    const tagUserData user = User(u"一二三四五六", 0);
    EXPECT_EQ(games::NickName(&user), "一二三四五六");
    EXPECT_EQ(games::NickName(&user, 8), "一二三四..");
    EXPECT_EQ(CClientGlobal::GBKToUTF8(games::ApplyBankerRefusal(5000000)), "您的欢乐豆少于5000000,无法上庄");
}

TEST_F(Toolkit, TheChipRowEnablesWhatTheLimitAllows)
{
    games::ChipRow row;
    const int64_t values[] = {100, 1000, 10000, 100000};
    for (int64_t value : values)
    {
        Button* button = ChipButton();
        root->addChild(button);
        row.Add(button, value);
    }
    row.Add(nullptr, 500000);
    ASSERT_EQ(row.Count(), 4u);
    EXPECT_EQ(row.Limit(99999), 3u);
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(row.Button(i)->isTouchEnabled(), i < 3) << i;
        EXPECT_EQ(row.Button(i)->isBright(), i < 3) << i;
    }
    EXPECT_EQ(row.Largest(3), 10000);
    // Ten times the amount committed: a tenth of the limit.
    EXPECT_EQ(row.Limit(99999, 10), 2u);
    EXPECT_EQ(row.Limit(-1), 0u);
    EXPECT_EQ(row.Largest(0), 0);
    EXPECT_EQ(row.ValueOf(row.Button(2)), 10000);
    EXPECT_EQ(row.ValueOf(root), 0);
    EXPECT_EQ(row.ButtonOf(50), nullptr);

    // A table chip is the button's clone, to be seen and not touched.
    Widget* chip = row.MakeTableChip(1000);
    ASSERT_NE(chip, nullptr);
    EXPECT_NE(chip, row.Button(1));
    EXPECT_FALSE(chip->isTouchEnabled());
    EXPECT_TRUE(chip->isBright());
    EXPECT_TRUE(chip->isVisible());
    EXPECT_EQ(row.MakeTableChip(123), nullptr);
    row.Show(false);
    EXPECT_FALSE(row.Button(0)->isVisible());
}

TEST_F(Toolkit, ChipsLandInTheirAreasBoxUpToTheCap)
{
    games::ChipRow row;
    const int64_t values[] = {100, 1000, 10000};
    for (int64_t value : values)
        row.Add(ChipButton(), value);
    CCNode* areaTwo = CCNode::create();
    root->addChild(areaTwo);
    games::ChipPile pile(5);
    pile.SetArea(1, root, CCPoint(300, 200), games::ChipScatter{-60, -38, 120, 76, true});
    pile.SetArea(2, areaTwo, CCPointZero, games::ChipScatter{32, 36, 80, 69});
    const games::ChipPile::ChipMaker make = [&](int64_t value) { return row.MakeTableChip(value); };

    for (int i = 0; i < 7; ++i)
        pile.Lay(1, row.MakeTableChip(100));
    EXPECT_EQ(pile.CountOn(1), 5u);
    for (Widget* chip : pile.Chips())
    {
        EXPECT_EQ(chip->getParent(), root);
        const CCPoint at = chip->getPosition();
        EXPECT_GE(at.x, 240);
        EXPECT_LT(at.x, 360);
        EXPECT_GE(at.y, 162);
        EXPECT_LT(at.y, 238);
    }
    // An amount: largest first, never past the cap, a rest below every chip not drawn.
    const int64_t denominations[] = {10000, 1000, 100};
    EXPECT_EQ(pile.LayAmount(2, 21150, denominations, 3, make), 4u);
    EXPECT_EQ(pile.CountOn(2), 4u);
    EXPECT_EQ(areaTwo->getChildrenCount(), 4u);
    EXPECT_EQ(pile.LayAmount(2, 900000, denominations, 3, make), 1u);
    EXPECT_EQ(pile.LayAmount(2, 900000, denominations, 3, make), 0u);
    for (size_t i = 5; i < pile.Chips().size(); ++i)
    {
        const CCPoint at = pile.Chips()[i]->getPosition();
        EXPECT_TRUE(at.x >= 32 && at.x < 112 && at.y >= 36 && at.y < 105) << i;
    }
    // No such area (a wire byte nobody checked), no such chip: nothing.
    EXPECT_EQ(pile.Lay(3, row.MakeTableChip(100)), nullptr);
    EXPECT_EQ(pile.Lay(0, row.MakeTableChip(100)), nullptr);
    EXPECT_EQ(pile.Lay(1, nullptr), nullptr);
    EXPECT_EQ(pile.LayAmount(9, 100, denominations, 3, make), 0u);
    // A split of its own may lay fewer than the cap.
    games::ChipPile wide(games::ChipPile::kNoCap);
    wide.SetArea(1, root, CCPointZero, games::ChipScatter{});
    EXPECT_EQ(wide.LayAmount(1, INT64_MAX, denominations, 3, make, 60), 60u);
    EXPECT_NE(wide.Lay(1, row.MakeTableChip(100)), nullptr);

    pile.Clear();
    EXPECT_TRUE(pile.Chips().empty());
    EXPECT_EQ(areaTwo->getChildrenCount(), 0u);
    EXPECT_EQ(pile.CountOn(1), 0u);
    EXPECT_NE(pile.Lay(1, row.MakeTableChip(100)), nullptr);
}

// --- the banker -------------------------------------------------------------------------------

class BankerParts : public Toolkit
{
protected:
    void SetUp() override
    {
        Toolkit::SetUp();
        layer = TouchGroup::create();
        root->addChild(layer);
        Layout* panel = Layout::create();
        layer->addWidget(panel);
        for (const char* name : {"name", "score", "rounds", "result"})
        {
            Label* label = Label::create();
            label->setName(name);
            label->setText("-");
            panel->addChild(label);
        }
        list = ListView::create();
        list->setSize(CCSize(200, 100));
        panel->addChild(list);
    }
    std::string Text(const char* name) const { return games::WidgetText(layer, name); }
    TouchGroup* layer = nullptr;
    ListView* list = nullptr;
};

TEST_F(BankerParts, ThePanelShowsTheBankerNobodyOrWhatItHad)
{
    games::BankerPanelStyle style;
    style.name = "name";
    style.score = "score";
    style.rounds = "rounds";
    style.result = "result";
    style.nameBytes = 8;
    games::BankerPanel panel;
    panel.Attach(layer, style);
    const tagUserData banker = User(u"庄家一号很长的名字", 56000000);
    panel.ShowBanker(3, &banker);
    EXPECT_EQ(Text("name"), "庄家一号..");
    EXPECT_EQ(Text("score"), "5600,0000");
    panel.ShowRounds(4);
    panel.ShowResult(-250000);
    EXPECT_EQ(Text("rounds"), "4");
    EXPECT_EQ(Text("result"), "-25,0000");
    panel.ShowBanker(0xFFFF, nullptr);
    EXPECT_EQ(Text("name"), "无人坐庄");
    EXPECT_EQ(Text("score"), "0");
    // A banker who left: an empty name and 0, or what the panel had.
    panel.ShowBanker(3, &banker);
    panel.ShowBanker(3, nullptr);
    EXPECT_EQ(Text("name"), "");
    EXPECT_EQ(Text("score"), "0");
    style.keepWhenUserMissing = true;
    style.nobody = "系统坐庄";
    style.rounds = nullptr;
    panel.Attach(layer, style);
    panel.ShowBanker(3, &banker);
    panel.ShowBanker(3, nullptr);
    EXPECT_EQ(Text("name"), "庄家一号..");
    panel.ShowBanker(0xFFFF, nullptr);
    EXPECT_EQ(Text("name"), "系统坐庄");
    panel.ShowRounds(9);
    EXPECT_EQ(Text("rounds"), "4");
}

TEST_F(BankerParts, QueueRowsComeInOrderAndGoByChair)
{
    games::BankerRowStyle style;
    style.tagBase = 4100;
    style.coloured = true;
    style.colour = ccc3(238, 213, 32);
    games::BankerQueueList queue;
    queue.Attach(list, style);
    const tagUserData a = User(u"甲乙丙丁戊己庚", 1234567);
    const tagUserData b = User(u"b", -5);
    Label* row = queue.AddRow(7, &a);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->getTag(), 4107);
    EXPECT_EQ(row->getFontSize(), 15);
    EXPECT_STREQ(row->getStringValue(), "甲乙丙丁戊..");
    EXPECT_EQ(row->getColor().g, 213);
    ASSERT_EQ(row->getChildrenCount(), 1u);
    auto* score = dynamic_cast<Label*>(row->getChildren()->objectAtIndex(0));
    ASSERT_NE(score, nullptr);
    EXPECT_STREQ(score->getStringValue(), "1234567");
    EXPECT_EQ(score->getFontSize(), 12);
    EXPECT_FLOAT_EQ(score->getPositionX(), 130 - row->getSize().width / 2);
    EXPECT_TRUE(score->getAnchorPoint().equals(CCPoint(0, 0.5f)));
    // A chair whose user has left gets no row and no place.
    EXPECT_EQ(queue.AddRow(8, nullptr), nullptr);
    EXPECT_FALSE(queue.Contains(8));
    // The same chair twice, then a neighbour: removing it takes both rows.
    queue.AddRow(2, &b, "  ");
    queue.AddRow(2, &b);
    queue.AddRow(9, &b);
    EXPECT_STREQ(dynamic_cast<Label*>(list->getItem(1))->getStringValue(), "  b");
    EXPECT_EQ(queue.RemoveRows(2), 2u);
    ASSERT_EQ(list->getItems()->count(), 2u);
    EXPECT_EQ(list->getItem(1)->getTag(), 4109);
    EXPECT_EQ(queue.Queue().Chairs(), (std::vector<uint16_t>{7, 9}));
    // A raised minimum prunes neighbours alike.
    queue.AddRow(3, &b);
    EXPECT_EQ(queue.RemoveRowsIf([](uint16_t chair) { return chair != 7; }), 2u);
    ASSERT_EQ(list->getItems()->count(), 1u);
    EXPECT_EQ(list->getItem(0)->getTag(), 4107);
    queue.Clear();
    EXPECT_EQ(queue.Rows(), 0u);
    EXPECT_EQ(list->getItems()->count(), 0u);
}

// A name longer than its column is cut and ends in "…", an amount is drawn
// smaller; what fits stays as it is. A queue row's long score keeps inside
// the list, its rows aligned left or centred.
TEST_F(BankerParts, TextsLongerThanTheirColumnAreFittedToIt)
{
    games::SetWidgetTextCut(layer, "name", "满满当当的昵称甲", 78);
    Widget* name = layer->getWidgetByName("name");
    const std::string cut = Text("name");
    EXPECT_EQ(cut.substr(0, 6), "满满");
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(name->getContentSize().width, 78);
    EXPECT_GT(name->getContentSize().width, 60);
    games::SetWidgetTextCut(layer, "name", "玩家10", 78);
    EXPECT_EQ(Text("name"), "玩家10");

    games::SetWidgetTextScaled(layer, "score", "-98,7654,3210", 40);
    Widget* score = layer->getWidgetByName("score");
    EXPECT_EQ(Text("score"), "-98,7654,3210");
    EXPECT_NEAR(score->getContentSize().width * score->getScale(), 40, 0.01);
    games::SetWidgetTextScaled(layer, "score", "0", 40);
    EXPECT_FLOAT_EQ(score->getScale(), 1);

    const tagUserData rich = User(u"满满当当的昵称甲", 8641975231);
    for (ListViewGravity gravity : {LISTVIEW_GRAVITY_LEFT, LISTVIEW_GRAVITY_CENTER_HORIZONTAL})
    {
        list->setGravity(gravity);
        games::BankerRowStyle style;
        style.scoreFontSize = 14;
        games::BankerQueueList queue;
        queue.Attach(list, style);
        queue.Clear();
        queue.AddRow(1, &rich);
        list->refreshView();
        const CCRect box = nodeboxes::WorldBox(static_cast<CCNode*>(list->getItem(0)->getChildren()->objectAtIndex(0)));
        const CCPoint right = list->convertToWorldSpace(CCPoint(list->getSize().width, 0));
        EXPECT_LE(box.getMaxX(), right.x + 0.5f) << gravity;
    }
}

// --- records ----------------------------------------------------------------------------------

TEST_F(Toolkit, RecordColumnsFillTheLayoutsItemsThenNewOnes)
{
    ListView* list = ListView::create();
    list->setDirection(SCROLLVIEW_DIR_HORIZONTAL);
    list->setSize(CCSize(100, 60));
    root->addChild(list);
    // The layout brought three items where the game counts on five.
    for (int i = 0; i < 3; ++i)
    {
        ImageView* item = ImageView::create();
        item->loadTexture("OxBattle/x");
        list->pushBackCustomItem(item);
    }
    games::RecordListStrip strip;
    strip.Attach(list, 5, "OxBattle/g");
    for (int column = 0; column < 7; ++column)
    {
        Widget* item = strip.NextColumn();
        ASSERT_NE(item, nullptr) << column;
        EXPECT_EQ(list->getIndex(item), column);
        ASSERT_NE(games::RecordListStrip::AddMark(item, "OxBattle/g", CCPoint(0, 30)), nullptr);
    }
    // Items 3 and 4 were missing; from column 5 on one new item each.
    EXPECT_EQ(list->getItems()->count(), 7u);
    EXPECT_EQ(strip.Count(), 7);
    strip.ScrollToEnd();
    const float end = list->getInnerContainer()->getPositionX();
    EXPECT_LT(end, 0);
    games::ScrollListBy(list, -2, 0);
    EXPECT_FLOAT_EQ(list->getInnerContainer()->getPositionX(), end + 2 * 28);
    games::ScrollListBy(list, -100, 0);
    EXPECT_FLOAT_EQ(list->getInnerContainer()->getPositionX(), 0);
    games::ScrollListBy(list, 100, 0.3f);
    CCDirector::sharedDirector()->stepFrames(30);
    EXPECT_FLOAT_EQ(list->getInnerContainer()->getPositionX(), end);
    EXPECT_EQ(games::RecordListStrip().NextColumn(), nullptr);
}

// --- the score view ----------------------------------------------------------------------------

class View : public games::BankerScoreView
{
public:
    static View* create()
    {
        auto* view = new (std::nothrow) View();
        if (view != nullptr && view->InitWithImage("OxBattle/Over_UI_1/score"))
        {
            view->autorelease();
            return view;
        }
        delete view;
        return nullptr;
    }
};

TEST_F(Toolkit, AScoreViewIsDraggedButNeverOffTheTable)
{
    View* view = View::create();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->AddFigure(-98765, CCPoint(150, 80))->getString(), std::string("-9,8765"));
    view->SetDragArea(1024, 728);
    view->setPosition(CCPoint(512, 400));
    view->SetTouchable(true);
    root->addChild(view);
    const CCSize size = view->getContentSize();
    // Not on the picture: the touch is not the view's.
    Touch(0, 512 + size.width / 2 + 1, 400);
    Touch(1, 700, 400);
    Touch(2, 700, 400);
    EXPECT_TRUE(view->getPosition().equals(CCPoint(512, 400)));
    // Its edge is: the drag follows, and stops at the table's edge.
    Touch(0, 512 + size.width / 2, 400);
    Touch(1, 532 + size.width / 2, 390);
    EXPECT_TRUE(view->getPosition().equals(CCPoint(532, 390)));
    Touch(1, 5000, 390);
    EXPECT_FLOAT_EQ(view->getPositionX(), 1024 - size.width / 2);
    Touch(1, -5000, -5000);
    EXPECT_FLOAT_EQ(view->getPositionX(), size.width / 2);
    EXPECT_FLOAT_EQ(view->getPositionY(), size.height / 2);
    Touch(2, -5000, -5000);
    EXPECT_FALSE(view->IsDragging());
    // Not draggable: the touch is taken, the view stays.
    view->SetDraggable(false);
    Touch(0, size.width / 2, size.height / 2);
    Touch(1, 600, 600);
    Touch(2, 600, 600);
    EXPECT_FLOAT_EQ(view->getPositionX(), size.width / 2);
    // Off the stage it no longer hears touches (nor is kept by the dispatcher).
    view->retain();
    view->removeFromParent();
    view->SetDraggable(true);
    Touch(0, size.width / 2, size.height / 2);
    Touch(1, 600, 600);
    Touch(2, 600, 600);
    EXPECT_FLOAT_EQ(view->getPositionX(), size.width / 2);
    CCDirector::sharedDirector()->stepFrames(1);
    EXPECT_EQ(view->retainCount(), 1u);
    view->release();
}

// --- the phase clock -------------------------------------------------------------------------

class ClockOwner : public CCNode
{
public:
    CREATE_FUNC(ClockOwner);
    void OnTick(float)
    {
        ++ticks;
        clock.Tick();
    }
    games::PhaseClock clock;
    int ticks = 0;
};

TEST_F(Toolkit, ThePhaseClockShowsTheSecondsDownToZero)
{
    ClockOwner* owner = ClockOwner::create();
    root->addChild(owner);
    LabelAtlas* label = LabelAtlas::create();
    label->setProperty("", "OxBattle/IngameUI_1/time_num.png", 20, 28, "0");
    root->addChild(label);
    owner->clock.Attach(label, "%02d");
    owner->clock.Start(owner, schedule_selector(ClockOwner::OnTick), 3);
    EXPECT_STREQ(label->getStringValue(), "03");
    CCDirector* director = CCDirector::sharedDirector();
    director->stepFrames(60);
    EXPECT_EQ(owner->clock.Seconds(), 3);
    director->stepFrames(1);
    EXPECT_EQ(owner->clock.Seconds(), 2);
    EXPECT_STREQ(label->getStringValue(), "02");
    director->stepFrames(300);
    EXPECT_EQ(owner->clock.Seconds(), 0);
    EXPECT_STREQ(label->getStringValue(), "00");
    // Three seconds down and one more tick that stops the clock.
    EXPECT_EQ(owner->ticks, 4);
    // A new phase starts afresh; "%d" and a Label do as well.
    Label* text = Label::create();
    root->addChild(text);
    owner->clock.Attach(text, "%d");
    owner->clock.Start(owner, schedule_selector(ClockOwner::OnTick), 12);
    EXPECT_STREQ(text->getStringValue(), "12");
    director->stepFrames(61);
    EXPECT_STREQ(text->getStringValue(), "11");
    owner->clock.Stop();
    director->stepFrames(120);
    EXPECT_EQ(owner->clock.Seconds(), 11);
}

}  // namespace
