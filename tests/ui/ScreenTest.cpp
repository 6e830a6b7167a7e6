// The shared widgets drawn together, as a player sees them; the frames are
// written to screens/ for a look, and every picture must exist.
#include "UiFixture.h"

#include "core/ClientGlobal.h"
#include "ui/CCCursorTextField.h"
#include "ui/CCTableSliderLayer.h"
#include "ui/Dialog.h"
#include "ui/MyPoint.h"
#include "ui/PublicLayer.h"
#include "ui/VisibleRect.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;

using Screens = UiFixture;

TEST_F(Screens, FrameWidgetsAndMessageBox)
{
    UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    SetFieldText(me.szNickName, CClientGlobal::UTF8ToWide("快乐玩家"));
    me.lScore = 12345678;
    scene->addChild(CCLayerColor::create(ccc4(24, 92, 84, 255)));
    PublicLayer* frame = PublicLayer::create(0);
    scene->addChild(frame);

    CCCursorTextField* account =
        CCCursorTextField::create(CClientGlobal::UTF8ToGBK("请输入账号").c_str(), "Arial", 15, CCSize(180, 22));
    account->setPosition(CCPoint(120, 500));
    scene->addChild(account);
    CCCursorTextField* password = CCCursorTextField::create("", "Arial", 15, CCSize(180, 22));
    password->setPosition(CCPoint(120, 460));
    password->setPasswordMode(true);
    password->setText("secret");
    scene->addChild(password);
    CCCursorTextField* name = CCCursorTextField::create("", "Arial", 15, CCSize(180, 22));
    name->setPosition(CCPoint(120, 420));
    name->setText(CClientGlobal::UTF8ToGBK("牌桌一号"));
    scene->addChild(name);
    name->openInput();
    CCCursorTextField* longer = CCCursorTextField::create("", "Arial", 15, CCSize(180, 22));
    longer->setPosition(CCPoint(120, 380));
    longer->setText(CClientGlobal::UTF8ToGBK("一段很长很长的文字，比输入框宽得多，看看怎么显示"));
    scene->addChild(longer);

    CCTableSliderLayer* across = CCTableSliderLayer::create(CCTableSliderLayer::kHorizontal, 400, nullptr, nullptr);
    across->setPosition(CCPoint(120, 300));
    across->setScrollRange(-800);
    across->setScrollOffset(-200);
    scene->addChild(across);
    CCTableSliderLayer* down = CCTableSliderLayer::create(CCTableSliderLayer::kVertical, 400, nullptr, nullptr);
    // Laid along y beside a list, as the room's lists place it.
    down->setAnchorPoint(CCPoint(0, 0));
    down->setContentSize(CCSize(400, 14));
    down->setRotation(90);
    down->setPosition(CCPoint(700, 560));
    down->setScrollRange(-300);
    down->setScrollOffset(0);
    scene->addChild(down);

    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    top->pushMessage(CClientGlobal::UTF8ToGBK("喇叭 玩家甲： 今晚八点斗地主比赛，欢迎参加！"));
    top->showLoading();
    CCDirector::sharedDirector()->stepFrames(90);
    SaveScreen("widgets");

    // The caret behind the end of a text longer than its box, and the
    // right-click menu over another field.
    longer->openInput();
    CCNotificationCenter::sharedNotificationCenter()->postNotification("WmRbuttonUp", CMyPoint::create(150, 428));
    CCDirector::sharedDirector()->stepFrames(1);
    EXPECT_TRUE(name->isMenuShown());
    SaveScreen("field");
    Tap(900, 100);  // anywhere else closes the menu
    EXPECT_FALSE(name->isMenuShown());

    top->hideLoading();
    CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("您的密码输入有误，请重新输入。"));
    CCDirector::sharedDirector()->stepFrames(2);
    SaveScreen("message");
}
