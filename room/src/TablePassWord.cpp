#include "room/TablePassWord.h"

#include "room/RoomScene.h"
#include "ui/CCCursorTextField.h"
#include "ui/ImageButton.h"
#include "ui/VisibleRect.h"

using namespace cocos2d;

bool TablePassWord::init()
{
    if (!Dialog::init())
        return false;
    AddSkinBackground();
    CCSprite* panel = CCSprite::create("Game_kind/tablepwd");
    if (panel == nullptr)
        return false;
    panel->setPosition(VisibleRect::center());
    addChild(panel, 1, kTagPanel);

    m_pField = CCCursorTextField::create("请输入密码", "Arial", 14, CCSize(200, 25));
    m_pField->setPosition(CCPoint(80, 68));
    m_pField->setTextColor(ccc3(0, 0, 0));
    m_pField->setMaxLength(kMaxLength);
    m_pField->setPasswordMode(true);
    AddDialogChild(panel, m_pField, 1, kTagField);
    AddInputBox(panel, m_pField);

    if (CImageButton* ok = CImageButton::create("Bank/Determine_1", "Bank/Determine_3", "Bank/Determine_2", this,
                                                menu_selector(TablePassWord::OnButton), kTagOK))
    {
        ok->setPosition(CCPoint(230, 40));
        AddDialogChild(panel, ok, 1, kTagOK);
    }
    if (CImageButton* cancel = CImageButton::create("Bank/Cancel_1", "Bank/Cancel_3", "Bank/Cancel_2", this,
                                                    menu_selector(TablePassWord::OnButton), kTagCancel))
    {
        cancel->setPosition(CCPoint(70, 40));
        AddDialogChild(panel, cancel, 1, kTagCancel);
    }
    return true;
}

void TablePassWord::OnButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node != nullptr && node->getTag() == kTagOK && g_pRoomScene != nullptr)
        g_pRoomScene->SendSitDown(m_pField->getInputText());
    m_pField->closeInput();
    Close();
}
