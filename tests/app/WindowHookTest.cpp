#include "app/AppDelegate.h"
#include "ui/CCCursorTextField.h"
#include "ui/ImageButton.h"
#include "ui/MyPoint.h"
#include "ui/PublicLayer.h"
#include "ui/WindyTopLayer.h"

#include "ui/UiFixture.h"

#include <gtest/gtest.h>

using namespace cocos2d;

namespace {

class FakeBoard : public IWindowInputTarget
{
public:
    void UpdateChipCursor() override { calls.push_back("cursor"); }
    bool WantsMouseMove() override { return wantsMove; }
    void OnMouseMove(const CCPoint&) override { calls.push_back("move"); }
    void OnRButtonUp() override { calls.push_back("rbutton"); }
    void OnLButtonDblClk() override { calls.push_back("dblclk"); }
    std::vector<std::string> calls;
    bool wantsMove = false;
};

FakeBoard* g_board = nullptr;
IWindowInputTarget* Resolve() { return g_board; }

class Listener : public CCObject
{
public:
    void On(CCObject* object)
    {
        auto* point = dynamic_cast<CMyPoint*>(object);
        seen.push_back(point != nullptr ? point->m_point : CCPoint(-1, -1));
    }
    std::vector<CCPoint> seen;
};

CCWindowMessage Message(CCWindowMessage::Kind kind, float x = 0, float y = 0)
{
    CCWindowMessage m{};
    m.kind = kind;
    m.location = CCPoint(x, y);
    return m;
}

}  // namespace

using WindowHook = UiFixture;

TEST_F(WindowHook, NotificationsAlwaysAndBoardCallsOnlyWithABoard)
{
    Listener cursor, rbutton, keys;
    CCNotificationCenter* center = CCNotificationCenter::sharedNotificationCenter();
    center->addObserver(&cursor, callfuncO_selector(Listener::On), "Cursor", nullptr);
    center->addObserver(&rbutton, callfuncO_selector(Listener::On), "WmRbuttonUp", nullptr);
    center->addObserver(&keys, callfuncO_selector(Listener::On), "VKRETURN", nullptr);

    app_services::SetInputTargetResolver(&Resolve);
    g_board = nullptr;
    EXPECT_FALSE(AppDelegate::WindowMessageHook(Message(CCWindowMessage::kSetCursor)));
    AppDelegate::WindowMessageHook(Message(CCWindowMessage::kMouseMove, 40, 700));
    ASSERT_EQ(cursor.seen.size(), 1u);
    EXPECT_EQ(cursor.seen[0].x, 40);
    EXPECT_EQ(cursor.seen[0].y, 700);

    FakeBoard board;
    g_board = &board;
    EXPECT_TRUE(AppDelegate::WindowMessageHook(Message(CCWindowMessage::kSetCursor)));  // handled
    AppDelegate::WindowMessageHook(Message(CCWindowMessage::kMouseMove, 1, 2));         // small tables: no board move
    board.wantsMove = true;
    AppDelegate::WindowMessageHook(Message(CCWindowMessage::kMouseMove, 3, 4));
    AppDelegate::WindowMessageHook(Message(CCWindowMessage::kRButtonUp, 5, 6));
    AppDelegate::WindowMessageHook(Message(CCWindowMessage::kLButtonDblClk, 7, 8));
    EXPECT_EQ(board.calls, (std::vector<std::string>{"cursor", "move", "rbutton", "dblclk"}));
    EXPECT_EQ(cursor.seen.size(), 3u);
    EXPECT_EQ(rbutton.seen.size(), 1u);

    CCWindowMessage key = Message(CCWindowMessage::kKeyDown);
    key.key = kCCVKTab;
    AppDelegate::WindowMessageHook(key);
    key.key = kCCVKReturn;
    AppDelegate::WindowMessageHook(key);
    key.key = 'A';
    AppDelegate::WindowMessageHook(key);
    ASSERT_EQ(keys.seen.size(), 2u);
    EXPECT_EQ(keys.seen[0].x, 9);
    EXPECT_EQ(keys.seen[1].x, 13);

    // The wheel's delta rides in y; Ctrl+C and Ctrl+V are consumed.
    Listener wheel, copy, paste;
    center->addObserver(&wheel, callfuncO_selector(Listener::On), "MouseWheel", nullptr);
    center->addObserver(&copy, callfuncO_selector(Listener::On), "Copy", nullptr);
    center->addObserver(&paste, callfuncO_selector(Listener::On), "Paste", nullptr);
    CCWindowMessage notch = Message(CCWindowMessage::kMouseWheel, 30, 40);
    notch.wheelDelta = -120;
    AppDelegate::WindowMessageHook(notch);
    ASSERT_EQ(wheel.seen.size(), 1u);
    EXPECT_EQ(wheel.seen[0].y, -120);
    key.ctrl = true;
    key.key = 'C';
    EXPECT_TRUE(AppDelegate::WindowMessageHook(key));
    key.key = 'V';
    EXPECT_TRUE(AppDelegate::WindowMessageHook(key));
    key.ctrl = false;
    EXPECT_FALSE(AppDelegate::WindowMessageHook(key));  // a plain V is typing
    EXPECT_EQ(copy.seen.size(), 1u);
    EXPECT_EQ(paste.seen.size(), 1u);
    center->removeObserver(&wheel, "MouseWheel");
    center->removeObserver(&copy, "Copy");
    center->removeObserver(&paste, "Paste");

    g_board = nullptr;
    app_services::SetInputTargetResolver(nullptr);
    center->removeObserver(&cursor, "Cursor");
    center->removeObserver(&rbutton, "WmRbuttonUp");
    center->removeObserver(&keys, "VKRETURN");
}

TEST_F(WindowHook, TypedTextGoesToTheEditingFieldOnly)
{
    CCWindowMessage text = Message(CCWindowMessage::kTextInput);
    text.text = "abc";
    EXPECT_FALSE(AppDelegate::WindowMessageHook(text));  // nobody is editing

    CCCursorTextField* field = CCCursorTextField::create(" ", "Arial", 15, CCSize(130, 21));
    field->retain();
    field->openInput();
    EXPECT_TRUE(AppDelegate::WindowMessageHook(text));
    CCWindowMessage back = Message(CCWindowMessage::kKeyDown);
    back.key = kCCVKBack;
    EXPECT_TRUE(AppDelegate::WindowMessageHook(back));
    EXPECT_EQ(field->getInputText(), "ab");
    field->closeInput();
    field->release();
}

// The hall's frame: its band moves the window; its buttons, the user panel
// that opens the personal centre and a button laid over the band on the
// top layer keep their presses; below the band is the client.
TEST_F(WindowHook, TheHallsBandIsTheCaptionButNotWhatTakesClicksOnIt)
{
    PublicLayer* frame = PublicLayer::create(0);
    ASSERT_NE(frame, nullptr);
    scene->addChild(frame);
    Listener target;
    frame->setButtonTarget(&target, menu_selector(Listener::On));  // the user panel takes clicks
    auto at = [](float x, float y) { return AppDelegate::WindowAreaHook(CCPoint(x, y)); };
    EXPECT_EQ(at(600, 5), CCWindowArea::kCaption);
    EXPECT_EQ(at(600, 80), CCWindowArea::kCaption);
    EXPECT_EQ(at(600, 95), CCWindowArea::kClient);
    EXPECT_EQ(at(1288 - PublicLayer::kCloseOffset + 10, 10), CCWindowArea::kClient);
    EXPECT_EQ(at(1288 - PublicLayer::kMinimizeOffset + 10, 10), CCWindowArea::kClient);
    const CCPoint panel = frame->getUserPanel()->getPosition();
    EXPECT_EQ(at(panel.x + 40, 762 - panel.y), CCWindowArea::kClient);

    CImageButton* over = CImageButton::create("Public/close_01", "", "", nullptr, nullptr, 7);
    ASSERT_NE(over, nullptr);
    over->setPosition(CCPoint(600, 757));
    WindyTopLayer::sharedTopLayer()->addChild(over);
    EXPECT_EQ(at(600, 5), CCWindowArea::kClient);
    over->setVisible(false);
    EXPECT_EQ(at(600, 5), CCWindowArea::kCaption);
    over->removeFromParent();
}
