#include "bank/BankDialogServer.h"

#include "bank/BankEntry.h"
#include "core/ClientGlobal.h"
#include "ui/CCCursorTextField.h"
#include "ui/ImageButton.h"
#include "ui/VisibleRect.h"

using namespace cocos2d;

namespace {

BankDialogServer* g_roomDialog = nullptr;

CCScene* RunningScene() { return CCDirector::sharedDirector()->getRunningScene(); }

}  // namespace

BankDialogServer::~BankDialogServer()
{
    if (g_roomDialog == this)
        g_roomDialog = nullptr;
}

bool BankDialogServer::init()
{
    if (!Dialog::init())
        return false;
    AddSkinBackground();
    CCSprite* panel = CCSprite::create("Bank/bg");
    if (panel == nullptr)
        return false;
    panel->setPosition(VisibleRect::center());
    addChild(panel, 1, kTagPanel);
    const CCSize size = panel->getContentSize();
    for (int tag : {kTagBalance, kTagScore})
    {
        CCLabelTTF* label = CCLabelTTF::create("", "Arial", 16);
        label->setAnchorPoint(CCPoint(0, 0.5f));
        label->setColor(ccc3(34, 48, 64));
        label->setPosition(CCPoint(40, size.height - (tag == kTagBalance ? 80 : 116)));
        panel->addChild(label, 1, tag);
    }
    if (CImageButton* close = CImageButton::create("Dialog/close_1", "Dialog/close_3", "Dialog/close_2", this,
                                                   menu_selector(BankDialogServer::OnClose), kTagClose))
    {
        close->setPosition(CCPoint(size.width - 24, size.height - 24));
        AddDialogChild(panel, close, 2, kTagClose);
    }
    Refresh();
    return true;
}

void BankDialogServer::onEnter()
{
    Dialog::onEnter();
    if (getParent() != nullptr && getParent()->getTag() == kRoomSceneTag)
        g_roomDialog = this;
}

void BankDialogServer::onExit()
{
    if (g_roomDialog == this)
        g_roomDialog = nullptr;
    Dialog::onExit();
}

void BankDialogServer::Refresh()
{
    CCNode* panel = getChildByTag(kTagPanel);
    if (panel == nullptr)
        return;
    const UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    if (auto* balance = dynamic_cast<CCLabelTTF*>(panel->getChildByTag(kTagBalance)))
        balance->setString(("保险柜：" + CClientGlobal::FormatScore(me.lInsureScore)).c_str());
    if (auto* score = dynamic_cast<CCLabelTTF*>(panel->getChildByTag(kTagScore)))
        score->setString(("游戏币：" + CClientGlobal::FormatScore(me.lScore)).c_str());
}

bool BankDialogServer::OnBankMessage(uint16_t sub, const void* data, size_t size)
{
    (void)sub;
    (void)data;
    (void)size;
    Refresh();
    return true;
}

BankDialogServer* BankDialogServer::GetRoomDialog() { return g_roomDialog; }

void BankDialogServer::CloseRoomDialog()
{
    if (g_roomDialog != nullptr)
        g_roomDialog->Close();
}

void BankDialogServer::OnClose(CCObject*) { Close(); }

void ShowBankDialog()
{
    CCScene* scene = RunningScene();
    if (scene == nullptr || scene->getChildByTag(BankDialogServer::kDialogTag) != nullptr)
        return;
    if (BankDialogServer* dialog = BankDialogServer::create())
        scene->addChild(dialog, 1000, BankDialogServer::kDialogTag);
}

void ShowVerifyPassWord()
{
    CCScene* scene = RunningScene();
    if (scene == nullptr || scene->getChildByTag(CverifyPassWord::kDialogTag) != nullptr)
        return;
    if (CverifyPassWord* dialog = CverifyPassWord::create())
        scene->addChild(dialog, 1000, CverifyPassWord::kDialogTag);
}

bool CverifyPassWord::init()
{
    if (!Dialog::init())
        return false;
    AddSkinBackground();
    CCSprite* panel = CCSprite::create("Bank/verify");
    if (panel == nullptr)
        return false;
    panel->setPosition(VisibleRect::center());
    addChild(panel, 1, kTagPanel);
    m_pField = CCCursorTextField::create("请输入保险柜密码", "Arial", 14, CCSize(200, 25));
    m_pField->setPosition(CCPoint(80, 68));
    m_pField->setTextColor(ccc3(0, 0, 0));
    m_pField->setMaxLength(30);
    m_pField->setPasswordMode(true);
    AddDialogChild(panel, m_pField, 1, kTagField);
    AddInputBox(panel, m_pField);
    if (CImageButton* ok = CImageButton::create("Bank/Determine_1", "Bank/Determine_3", "Bank/Determine_2", this,
                                                menu_selector(CverifyPassWord::OnButton), kTagOK))
    {
        ok->setPosition(CCPoint(230, 40));
        AddDialogChild(panel, ok, 1, kTagOK);
    }
    if (CImageButton* cancel = CImageButton::create("Bank/Cancel_1", "Bank/Cancel_3", "Bank/Cancel_2", this,
                                                    menu_selector(CverifyPassWord::OnButton), kTagCancel))
    {
        cancel->setPosition(CCPoint(70, 40));
        AddDialogChild(panel, cancel, 1, kTagCancel);
    }
    return true;
}

void CverifyPassWord::OnButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    const bool ok = node != nullptr && node->getTag() == kTagOK;
    m_pField->closeInput();
    if (ok)
    {
        UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
        const std::string md5 = CClientGlobal::MD5Text(m_pField->getInputText());
        SetFieldText(me.szBankPassword, std::u16string(md5.begin(), md5.end()));
    }
    retain();
    Close();
    if (ok)
        ShowBankDialog();
    release();
}
