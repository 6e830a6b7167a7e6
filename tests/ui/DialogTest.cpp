#include "UiFixture.h"

#include "core/ClientGlobal.h"
#include "ui/Dialog.h"
#include "ui/ImageButton.h"
#include "ui/MyPoint.h"
#include "ui/PublicLayer.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;

namespace {

// A plain layer under the dialog that counts the touches it gets.
class Counter : public CCLayer
{
public:
    static Counter* create(int priority)
    {
        Counter* c = new Counter();
        c->init();
        c->autorelease();
        c->setTouchPriority(priority);
        c->setTouchEnabled(true);
        return c;
    }
    void registerWithTouchDispatcher() override
    {
        CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
    }
    bool ccTouchBegan(CCTouch*, CCEvent*) override
    {
        ++touches;
        return true;
    }
    int touches = 0;
};

class Recorder : public CCObject, public CDialogDelegate, public CDialogButtonDeleagate
{
public:
    void OnDialogResult(int button) override { results.push_back(button); }
    void OnKeyReturn(int key) override { keys.push_back(key); }
    void OnButton(CCObject*) { ++pressed; }
    std::vector<int> results;
    std::vector<int> keys;
    int pressed = 0;
};

}  // namespace

using DialogTest = UiFixture;

TEST_F(DialogTest, ModalDialogSwallowsEveryTouchAndPlainOneLetsThemThrough)
{
    Counter* below = Counter::create(-10);
    scene->addChild(below);
    Dialog* dialog = Dialog::create();
    scene->addChild(dialog);
    CCDirector::sharedDirector()->stepFrames(1);
    EXPECT_EQ(dialog->getTouchPriority(), -128);

    Tap(100, 100);  // far from any part of the dialog: swallowed all the same
    EXPECT_EQ(below->touches, 0);
    dialog->setModal(false);
    Tap(100, 100);
    EXPECT_EQ(below->touches, 1);
}

TEST_F(DialogTest, ChildrenAddedThroughTheDialogWinOverIt)
{
    Recorder recorder;
    Dialog* dialog = Dialog::create();
    scene->addChild(dialog);
    CCNode* frame = CCNode::create();
    dialog->addChild(frame, 1);
    // A button made with another priority is fixed to -128 and, registered
    // after the dialog, gets the touch first.
    CImageButton* button =
        CImageButton::create("Dialog/determine_1", "", "", &recorder, menu_selector(Recorder::OnButton), 5);
    ASSERT_NE(button, nullptr);
    button->setTouchPriority(0);
    button->setPosition(CCPoint(300, 300));
    Dialog::AddDialogChild(frame, button, 2, 5);
    EXPECT_EQ(button->getTouchPriority(), -128);
    CCDirector::sharedDirector()->stepFrames(1);

    Tap(300, 300);
    EXPECT_EQ(recorder.pressed, 1);
}

TEST_F(DialogTest, CounterKeysAndObserverFollowTheDialogsLife)
{
    Recorder recorder;
    CClientGlobal* global = CClientGlobal::GetInstance();
    const int before = global->GetDialogCount();
    Dialog* dialog = Dialog::create();
    dialog->retain();
    dialog->setKeyDelegate(&recorder);
    EXPECT_EQ(global->GetDialogCount(), before + 1);

    CCNotificationCenter::sharedNotificationCenter()->postNotification(notify::kKeyReturn, CMyPoint::create(9, 0));
    CCNotificationCenter::sharedNotificationCenter()->postNotification(notify::kKeyReturn, CMyPoint::create(13, 0));
    EXPECT_EQ(recorder.keys, (std::vector<int>{9, 13}));

    dialog->release();
    CCDirector::sharedDirector()->stepFrames(1);  // drains the autorelease pool
    EXPECT_EQ(global->GetDialogCount(), before);
    // No observer is left behind to call a freed dialog.
    CCNotificationCenter::sharedNotificationCenter()->postNotification(notify::kKeyReturn, CMyPoint::create(13, 0));
    EXPECT_EQ(recorder.keys.size(), 2u);
}

TEST_F(DialogTest, MessageButtonsReportTheirTagAndClose)
{
    Recorder recorder;
    for (int mode : {Dialog::kModeOK, Dialog::kModeOKCancel})
    {
        Dialog* dialog = Dialog::create();
        dialog->setDelegate(&recorder);
        dialog->setButtonMode(mode);
        dialog->ShowMessage("title", "text");
        ASSERT_EQ(dialog->getParent(), WindyTopLayer::sharedTopLayer());
        CCNode* frame = dialog->getChildByTag(Dialog::kTagFrame);
        ASSERT_NE(frame, nullptr);
        EXPECT_NE(frame->getChildByTag(Dialog::kTagText), nullptr);
        // OK is the child tagged 1; press it through the dispatcher.
        auto* ok = dynamic_cast<CImageButton*>(frame->getChildByTag(Dialog::kButtonOK));
        ASSERT_NE(ok, nullptr);
        CCDirector::sharedDirector()->stepFrames(1);
        const CCPoint at = ok->getParent()->convertToWorldSpace(ok->getPosition());
        Tap(at.x, at.y);
        CCDirector::sharedDirector()->stepFrames(1);
    }
    EXPECT_EQ(recorder.results, (std::vector<int>{1, 1}));
    EXPECT_EQ(WindyTopLayer::sharedTopLayer()->getChildrenCount(), 0u);
}

TEST_F(DialogTest, MessageBoxOpensAPlainDialogTitledFriendlyNotice)
{
    CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("密码不对"));
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    ASSERT_EQ(top->getChildrenCount(), 1u);
    auto* dialog = dynamic_cast<Dialog*>(top->getChildren()->objectAtIndex(0));
    ASSERT_NE(dialog, nullptr);
    auto* title = dynamic_cast<CCLabelTTF*>(dialog->getChildByTag(Dialog::kTagFrame)->getChildByTag(Dialog::kTagTitle));
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title->getString(), "友情提示");
    dialog->Close();
}

TEST_F(DialogTest, AnOpenMessageBoxKeepsTheWindowButtonsBelowItFromActing)
{
    Recorder recorder;
    PublicLayer* frame = PublicLayer::create(0);
    frame->setButtonTarget(&recorder, menu_selector(Recorder::OnButton));
    scene->addChild(frame);
    CCDirector::sharedDirector()->stepFrames(1);
    const CCPoint setting(1288 - PublicLayer::kSettingOffset + 10, 762 - 10);

    CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("连接已断开"));
    CCDirector::sharedDirector()->stepFrames(1);
    Tap(setting.x, setting.y);  // same priority, but the box came later
    EXPECT_EQ(recorder.pressed, 0);

    auto* box = dynamic_cast<Dialog*>(WindyTopLayer::sharedTopLayer()->getChildren()->objectAtIndex(0));
    ASSERT_NE(box, nullptr);
    box->Close();
    CCDirector::sharedDirector()->stepFrames(1);
    Tap(setting.x, setting.y);
    EXPECT_EQ(recorder.pressed, 1);
}
