#include "hall/CDlgSetting.h"

#include "ui/AppServices.h"
#include "ui/CCCursorTextField.h"
#include "ui/ImageButton.h"
#include "ui/VisibleRect.h"

using namespace cocos2d;

namespace {

CCUserDefault* Settings() { return CCUserDefault::sharedUserDefault(); }

}  // namespace

bool CDlgSetting::init()
{
    if (!Dialog::init())
        return false;
    AddSkinBackground();
    m_pPanel = CCSprite::create("Setting/bg");
    if (m_pPanel == nullptr)
        return false;
    m_pPanel->setPosition(VisibleRect::center());
    addChild(m_pPanel, 1, kTagPanel);
    const CCSize size = m_pPanel->getContentSize();

    auto caption = [&](const char* text, float y, CCNode* parent) {
        CCLabelTTF* label = CCLabelTTF::create(text, "Arial", 15);
        label->setAnchorPoint(CCPoint(0, 0.5f));
        label->setColor(ccc3(34, 48, 64));
        label->setPosition(CCPoint(30, y));
        parent->addChild(label);
    };
    auto button = [&](const char* name, int tag, const CCPoint& at, CCNode* parent) {
        const std::string base = name;
        CImageButton* b = CImageButton::create(base + "_1", base + "_3", base + "_2", this,
                                               menu_selector(CDlgSetting::OnButton), tag);
        if (b != nullptr)
        {
            b->setPosition(at);
            AddDialogChild(parent, b, 2, tag);
        }
    };
    caption("显示用户列表", size.height - 70, m_pPanel);
    button("Setting/check", kTagUserList, CCPoint(size.width - 50, size.height - 70), m_pPanel);
    caption("背景音乐", size.height - 110, m_pPanel);
    button("Setting/check", kTagMusic, CCPoint(size.width - 50, size.height - 110), m_pPanel);

    m_pRoomRow = CCNode::create();
    m_pPanel->addChild(m_pRoomRow, 1);
    caption("桌子密码", 96, m_pRoomRow);
    m_pPassword = CCCursorTextField::create("", "Arial", 14, CCSize(150, 25));
    m_pPassword->setPosition(CCPoint(110, 84));
    m_pPassword->setTextColor(ccc3(0, 0, 0));
    m_pPassword->setMaxLength(kPasswordLength);
    m_pPassword->setPasswordMode(true);
    AddDialogChild(m_pRoomRow, m_pPassword, 1, kTagPassword);
    AddInputBox(m_pRoomRow, m_pPassword);
    button("Setting/lock", kTagLock, CCPoint(size.width * 0.3f, 40), m_pRoomRow);
    button("Setting/unlock", kTagUnlock, CCPoint(size.width * 0.7f, 40), m_pRoomRow);
    m_pRoomRow->setVisible(false);

    button("Dialog/close", kTagClose, CCPoint(size.width - 24, size.height - 24), m_pPanel);
    ShowChecks();
    return true;
}

void CDlgSetting::SetOpenedFromRoom(ISettingTarget* room)
{
    m_pRoom = room;
    m_pRoomRow->setVisible(room != nullptr);
}

void CDlgSetting::ShowChecks()
{
    // A check shows its pressed picture while the setting is on.
    const struct
    {
        int tag;
        bool on;
    } checks[] = {{kTagUserList, Settings()->getBoolForKey("UserList", true)},
                  {kTagMusic, Settings()->getBoolForKey("Music", true)}};
    for (const auto& check : checks)
    {
        auto* node = dynamic_cast<CImageButton*>(m_pPanel->getChildByTag(check.tag));
        if (node == nullptr)
            continue;
        node->removeChildByTag(99, true);
        if (check.on)
        {
            if (CCSprite* mark = CCSprite::create("Setting/check_on"))
            {
                mark->setPosition(CCPoint(node->getContentSize().width / 2, node->getContentSize().height / 2));
                node->addChild(mark, 5, 99);
            }
        }
    }
}

void CDlgSetting::OnButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node == nullptr)
        return;
    switch (node->getTag())
    {
        case kTagUserList:
        {
            const bool on = !Settings()->getBoolForKey("UserList", true);
            Settings()->setBoolForKey("UserList", on);
            Settings()->flush();
            if (m_pRoom != nullptr)
            {
                if (on)
                    m_pRoom->ShowUserList();
                else
                    m_pRoom->HideUserList();
            }
            ShowChecks();
            break;
        }
        case kTagMusic:
        {
            const bool on = !Settings()->getBoolForKey("Music", true);
            Settings()->setBoolForKey("Music", on);
            Settings()->flush();
            if (on)
                app_services::PlayLoopMusic("Music/background.mp3");
            else
                app_services::StopBackgroundMusic();
            ShowChecks();
            break;
        }
        case kTagLock:
            if (m_pRoom != nullptr)
                m_pRoom->SendTableRule(m_pPassword->getInputText());
            break;
        case kTagUnlock:
            if (m_pRoom != nullptr)
                m_pRoom->SendTableRule(std::string());
            m_pPassword->setText("");
            break;
        case kTagClose:
            m_pPassword->closeInput();
            Close();
            break;
        default: break;
    }
}
