#include "room/UserInfoDialog.h"

#include "cocos-ext.h"
#include "core/AccountList.h"
#include "core/ClientGlobal.h"
#include "room/PersonalCentreMessages.h"
#include "ui/CCCursorTextField.h"
#include "ui/MyLayer.h"
#include "ui/VisibleRect.h"

#include <cstdio>
#include <cstring>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace {

const char* const kGenderOff = "UserInfo/SingleSelect_01";
const char* const kGenderOn = "UserInfo/SingleSelect_02";
const char* const kChangeFacePhoto = "ChangeFacePhoto";

// The profile page's fields: tag, profile item type (0: not an item), the
// field's maximum length, box width and y.
struct ProfileField
{
    int tag;
    uint16_t itemType;
    int maxLength;
    float width;
    float y;
};
const ProfileField kProfileFields[] = {
    {1101, 0, 16, 130, 350}, {1102, 0, 16, 130, 325}, {1103, 3, 44, 340, 275}, {1104, 8, 16, 130, 250},
    {1105, 6, 14, 130, 225}, {1106, 7, 14, 130, 200}, {1107, 4, 14, 130, 175}, {1108, 5, 22, 200, 150},
    {1109, 9, 39, 180, 125}, {1110, 2, 63, 340, 100}, {1111, 0, 16, 130, 17},
};

// The field of a profile item type; 0 for a type the page has no field for.
int FieldForItem(uint16_t type)
{
    for (const ProfileField& field : kProfileFields)
        if (field.itemType == type && type != 0)
            return field.tag;
    return 0;
}

std::string GBK(const char* utf8) { return CClientGlobal::UTF8ToGBK(utf8); }

std::string FaceName() { return CClientGlobal::FacePicture(CClientGlobal::GetInstance()->GetMyLevel()); }

CCCursorTextField* MakeField(float width, int maxLength)
{
    CCCursorTextField* field = CCCursorTextField::create(" ", "Arial", 15, CCSize(width, 21));
    field->setTextColor(ccc3(0, 0, 0));
    field->setPlaceholderColor(ccc3(110, 110, 100));
    field->setAnchorPoint(CCPoint(0, 0));
    field->setMaxLength(maxLength);
    return field;
}

}  // namespace

UserInfoDialog* UserInfoDialog::create()
{
    auto* dialog = new UserInfoDialog();
    if (!dialog->init())
    {
        delete dialog;
        return nullptr;
    }
    dialog->autorelease();
    return dialog;
}

UserInfoDialog::~UserInfoDialog()
{
    CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, kChangeFacePhoto);
}

bool UserInfoDialog::init()
{
    if (!Dialog::init())
        return false;
    setKeyDelegate(this);
    m_pFrame = CCSprite::create("UserInfo/Bottom-frame_General");
    if (m_pFrame == nullptr)
        return false;
    AddSkinBackground();
    m_pFrame->setPosition(VisibleRect::center());
    AddDialogChild(this, m_pFrame, 1, kTagFrame);
    if (!BuildPages())
        return false;

    CCControlButton* close = MakeImageButton("Logon/close_01", "Logon/close_03", "Logon/close_02", kTagClose);
    close->addTargetWithActionForControlEvents(this, cccontrol_selector(UserInfoDialog::OnControlButton),
                                               CCControlEventTouchDown);
    close->setPosition(CCPoint(575, 437));
    AddDialogChild(m_pFrame, close, 3, kTagClose);

    CCSprite* marker = CCSprite::create("UserInfo/Selected");
    marker->setAnchorPoint(CCPoint(0, 0));
    marker->setPosition(CCPoint(1, 390));
    AddDialogChild(m_pFrame, marker, 1, kTagMarker);
    const struct
    {
        const char* title;
        float y;
        int tag;
    } tabs[] = {{"用户资料", 398, kTagProfileTab}, {"修改密码", 366, kTagPasswordTab}};
    for (const auto& tab : tabs)
    {
        CCControlButton* button = CCControlButton::create(tab.title, "STHeitiK-Light", 14);
        button->setTitleColorForState(ccc3(0, 0, 0), CCControlStateNormal);
        button->setZoomOnTouchDown(false);
        button->setAnchorPoint(CCPoint(0, 0));
        button->setPosition(CCPoint(45, tab.y));
        button->addTargetWithActionForControlEvents(this, cccontrol_selector(UserInfoDialog::OnControlButton),
                                                    CCControlEventTouchUpInside);
        AddDialogChild(m_pFrame, button, 2, tab.tag);
    }
    // The profile page shows first; the others wait for their tab.
    for (int i = 1; i < kPages; ++i)
    {
        m_pPages[i]->setVisible(false);
        static_cast<CCLayer*>(m_pPages[i])->setTouchEnabled(false);
    }

    if (g_pGameHallScene != nullptr)
        g_pGameHallScene->ConnectHallServer(GameHallScene::kConnectPersonalCentre);
    return true;
}

CCControlButton* UserInfoDialog::MakeImageButton(const char* normal, const char* highlighted, const char* third,
                                                 int tag)
{
    CCScale9Sprite* background = CCScale9Sprite::create(normal);
    CCControlButton* button = CCControlButton::create(background);
    button->setPreferredSize(background->getOriginalSize());
    button->setBackgroundSpriteForState(CCScale9Sprite::create(highlighted), CCControlStateHighlighted);
    button->setBackgroundSpriteForState(CCScale9Sprite::create(third), CCControlStateHover);
    button->setTouchPriority(kTouchPriority);
    button->setTag(tag);
    return button;
}

bool UserInfoDialog::BuildPages()
{
    for (int i = 0; i < kPages; ++i)
    {
        MyLayer* page = MyLayer::create();
        if (page == nullptr)
            return false;
        page->ignoreAnchorPointForPosition(false);
        page->setContentSize(CCSize(460, 420));
        page->setAnchorPoint(CCPoint(0, 0));
        page->setPosition(CCPoint(149, 0));
        page->setTouchPriority(kTouchPriority);
        m_pPages[i] = page;
        AddDialogChild(m_pFrame, page, 1, kTagProfilePage * (i + 1));
    }
    BuildProfilePage(m_pPages[0]);
    BuildPasswordPage(m_pPages[1]);
    return true;
}

void UserInfoDialog::BuildProfilePage(CCNode* page)
{
    CCSprite* background = CCSprite::create("UserInfo/gr");
    background->setAnchorPoint(CCPoint(0, 0));
    background->setPosition(CCPoint(-9, 2));
    page->addChild(background, 0, kTagPageBackground);

    const UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    for (const ProfileField& row : kProfileFields)
    {
        CCCursorTextField* field = MakeField(row.width, row.maxLength);
        field->setPosition(CCPoint(75, row.y));
        AddDialogChild(page, field, 1, row.tag);
        if (row.tag >= kTagFirstItem && row.tag <= kTagLastItem)
        {
            m_ProfileFields.push_back(field);
            AddInputBox(page, field);
        }
    }
    GetField(kTagAccount)->setText(CClientGlobal::WideToAnsi(FieldText(me.szAccounts)));
    GetField(kTagNickname)->setText(CClientGlobal::WideToAnsi(FieldText(me.szNickName)));
    CCCursorTextField* password = GetField(kTagPassword);
    password->setPasswordMode(true);
    password->setText("********");
    for (int tag : {int(kTagAccount), int(kTagNickname), int(kTagPassword)})
        GetField(tag)->setReadOnly(true);

    for (int i = 0; i < 2; ++i)
    {
        m_pGender[i] =
            CCMenuItemImage::create(kGenderOff, kGenderOn, this, menu_selector(UserInfoDialog::OnGenderSelected));
        m_pGender[i]->setPosition(i == 0 ? CCPoint(90, 315) : CCPoint(155, 315));
    }
    CCMenu* menu = CCMenu::create(m_pGender[0], m_pGender[1], nullptr);
    menu->setPosition(CCPoint(0, 0));
    AddDialogChild(page, menu, 1, kTagGenderMenu);

    CCControlButton* face = CCControlButton::create(CCScale9Sprite::create(FaceName().c_str()));
    face->setPreferredSize(CCSize(100, 100));
    face->setScale(0.56f);
    face->setPosition(CCPoint(272, 316));
    face->setZoomOnTouchDown(false);
    face->addTargetWithActionForControlEvents(this, cccontrol_selector(UserInfoDialog::OnControlButton),
                                              CCControlEventTouchUpInside);
    AddDialogChild(page, face, 1, kTagFace);

    CCControlButton* confirm =
        MakeImageButton("UserInfo/Determine_1", "UserInfo/Determine_3", "UserInfo/Determine_2", kTagConfirm);
    confirm->setPosition(CCPoint(320, 32));
    confirm->addTargetWithActionForControlEvents(this, cccontrol_selector(UserInfoDialog::OnControlButton),
                                                 CCControlEventTouchDown);
    AddDialogChild(page, confirm, 1, kTagConfirm);
}

void UserInfoDialog::BuildPasswordPage(CCNode* page)
{
    CCSprite* background = CCSprite::create("UserInfo/mm");
    background->setAnchorPoint(CCPoint(0, 0));
    background->setPosition(CCPoint(-10, 2));
    page->addChild(background, 0, kTagPageBackground);
    const float ys[] = {319, 294, 269, 136, 111, 86};
    for (int i = 0; i < 6; ++i)
    {
        CCCursorTextField* field = MakeField(120, kPasswordMaxLength);
        field->setPasswordMode(true);
        field->setPosition(CCPoint(99, ys[i]));
        AddDialogChild(page, field, 1, kTagOldLogon + i);
        AddInputBox(page, field);
        m_PasswordFields.push_back(field);
    }
    const struct
    {
        int tag;
        CCPoint at;
    } buttons[] = {{kTagModifyLogon, CCPoint(200, 230)}, {kTagModifyBank, CCPoint(200, 50)}};
    for (const auto& row : buttons)
    {
        CCControlButton* button = MakeImageButton("UserInfo/Modify1", "UserInfo/Modify3", "UserInfo/Modify2", row.tag);
        button->setPosition(row.at);
        button->addTargetWithActionForControlEvents(this, cccontrol_selector(UserInfoDialog::OnControlButton),
                                                    CCControlEventTouchDown);
        AddDialogChild(page, button, 1, row.tag);
    }
}

void UserInfoDialog::onEnter()
{
    Dialog::onEnter();
    CCNotificationCenter::sharedNotificationCenter()->addObserver(
        this, callfuncO_selector(UserInfoDialog::OnChangeFacePhoto), kChangeFacePhoto, nullptr);
}

void UserInfoDialog::onExit()
{
    Dialog::onExit();
    if (g_pGameHallScene != nullptr)
        g_pGameHallScene->CloseHallSocket();
    CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, kChangeFacePhoto);
}

CCNode* UserInfoDialog::GetPageLayer(int page) const
{
    return page >= 1 && page <= kPages ? m_pPages[page - 1] : nullptr;
}

CCCursorTextField* UserInfoDialog::GetField(int tag) const
{
    CCNode* page = GetPageLayer(tag / 1000);
    return page != nullptr ? dynamic_cast<CCCursorTextField*>(page->getChildByTag(tag)) : nullptr;
}

void UserInfoDialog::OnTabSelected(CCObject* sender)
{
    CloseInputs();
    auto* node = dynamic_cast<CCNode*>(sender);
    m_nPage = node != nullptr ? node->getTag() - 10000 : 2;
    for (int i = 0; i < kPages; ++i)
    {
        const bool shown = i + 1 == m_nPage;
        m_pPages[i]->setVisible(shown);
        static_cast<CCLayer*>(m_pPages[i])->setTouchEnabled(shown);
    }
    if (CCNode* marker = m_pFrame->getChildByTag(kTagMarker))
        marker->setPosition(CCPoint(1, 424.0f - 32.0f * m_nPage));
}

void UserInfoDialog::CloseInputs()
{
    if (m_pPages[0] != nullptr && m_pPages[0]->isVisible())
    {
        for (const ProfileField& row : kProfileFields)
            if (CCCursorTextField* field = GetField(row.tag))
                field->closeInput();
    }
    else if (m_pPages[1] != nullptr && m_pPages[1]->isVisible())
    {
        for (CCCursorTextField* field : m_PasswordFields)
            field->closeInput();
    }
}

void UserInfoDialog::OnKeyReturn(int key)
{
    if (key != 9)
        return;
    CClientGlobal::FocusNextTextField(m_pPages[0]->isVisible() ? m_ProfileFields : m_PasswordFields);
}

void UserInfoDialog::OnClose(CCObject*)
{
    CloseInputs();
    Close();
}

// --- the gender -----------------------------------------------------------------

void UserInfoDialog::ShowGender(int index, bool selected)
{
    m_pGender[index]->setNormalImage(CCSprite::create(selected ? kGenderOn : kGenderOff));
    m_pGender[index]->setSelectedImage(CCSprite::create(selected ? kGenderOff : kGenderOn));
    m_bGender[index] = selected;
}

void UserInfoDialog::OnGenderSelected(CCObject* item)
{
    const int index = item == m_pGender[1] ? 1 : 0;
    if (item != m_pGender[index])
        return;
    const int selectedCount = (m_bGender[0] ? 1 : 0) + (m_bGender[1] ? 1 : 0);
    if (!m_bGender[index])
        ShowGender(index, true);
    else if (selectedCount != 1)  // the only chosen item stays chosen
        ShowGender(index, false);
    ShowGender(1 - index, false);
}

uint8_t UserInfoDialog::GetGenderByte() const
{
    if (m_bGender[0])
        return 0;
    return m_bGender[1] ? 1 : centre::kGenderUnset;
}

void UserInfoDialog::OnChangeFacePhoto(CCObject*)
{
    auto* face = dynamic_cast<CCControlButton*>(m_pPages[0]->getChildByTag(kTagFace));
    if (face != nullptr)
        face->setBackgroundSpriteForState(CCScale9Sprite::create(FaceName().c_str()), CCControlStateNormal);
}

// --- requests ---------------------------------------------------------------------

bool UserInfoDialog::SendToHall(uint16_t sub, const void* data, size_t size)
{
    IClientSocket* socket = g_pGameHallScene != nullptr ? g_pGameHallScene->GetHallSocket() : nullptr;
    return socket != nullptr && socket->SendData(MDM_GP_USER_SERVICE, sub, data, size);
}

bool UserInfoDialog::QueryUserInfo()
{
    const UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    const QueryUserInfoRequest request = centre::BuildQueryUserInfo(me.dwUserID, FieldText(me.szPassword));
    return SendToHall(SUB_GP_QUERY_USER_INFO, &request, sizeof(request));
}

void UserInfoDialog::OnControlButton(CCObject* sender, unsigned int)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node == nullptr)
        return;
    if (node->getTag() == kTagClose)
        OnClose(sender);
    else if (node->getTag() == kTagProfileTab || node->getTag() == kTagPasswordTab)
        OnTabSelected(sender);
    else
        OnButton(sender);
}

void UserInfoDialog::OnButton(CCObject* sender)
{
    CloseInputs();
    auto* node = dynamic_cast<CCNode*>(sender);
    switch (node != nullptr ? node->getTag() : 0)
    {
        case kTagConfirm: SendProfile(); break;
        case kTagModifyLogon: ChangeLogonPassword(); break;
        case kTagModifyBank: ChangeBankPassword(); break;
        default: break;  // the face button
    }
}

void UserInfoDialog::SendProfile()
{
    const UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    std::vector<centre::Item> items;
    for (const ProfileField& row : kProfileFields)
    {
        if (row.itemType == 0)
            continue;
        const std::string& text = GetField(row.tag)->getInputText();
        if (!text.empty())
            items.emplace_back(row.itemType, CClientGlobal::AnsiToWide(text));
    }
    // The nickname goes the way a typed text does, through the code page.
    const std::string nickname = CClientGlobal::GBKToUTF8(CClientGlobal::WideToAnsi(FieldText(me.szNickName)));
    items.emplace_back(centre::kNicknameItem, CClientGlobal::UTF8ToWide(nickname));
    const std::vector<uint8_t> message =
        centre::BuildModifyUserInfo(GetGenderByte(), me.dwUserID, FieldText(me.szPassword), items);
    SendToHall(SUB_GP_MODIFY_USER_INFO, message.data(), message.size());
}

void UserInfoDialog::ChangeLogonPassword()
{
    const UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    const std::string oldText = GetField(kTagOldLogon)->getInputText();
    const std::string newText = GetField(kTagNewLogon)->getInputText();
    const std::string confirm = GetField(kTagConfirmLogon)->getInputText();
    if (CClientGlobal::MD5Text(oldText) != CClientGlobal::WideToAnsi(FieldText(me.szPassword)))
    {
        CClientGlobal::ShowMessageBox(GBK("密码不对"));
        return;
    }
    if (newText == oldText)
    {
        CClientGlobal::ShowMessageBox(GBK("新密码不能与原密码一致"));
        return;
    }
    if (confirm != newText)
    {
        CClientGlobal::ShowMessageBox(GBK("新密码两次输入不一致"));
        return;
    }
    const ModifyPasswordRequest request =
        centre::BuildModifyPassword(me.dwUserID, CClientGlobal::GetInstance()->GetServerAddr(),
                                    centre::PasswordMd5(confirm), centre::PasswordMd5(oldText));
    if (SendToHall(SUB_GP_MODIFY_LOGON_PASS, &request, sizeof(request)))
    {
        m_strPendingLogon = confirm;
        m_bLogonPending = true;
    }
}

void UserInfoDialog::ChangeBankPassword()
{
    const UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    const std::string oldText = GetField(kTagOldBank)->getInputText();
    const std::string newText = GetField(kTagNewBank)->getInputText();
    const std::string confirm = GetField(kTagConfirmBank)->getInputText();
    if (newText == oldText)
    {
        CClientGlobal::ShowMessageBox(GBK("新密码不能与原密码一致"));
        return;
    }
    if (confirm != newText)
    {
        CClientGlobal::ShowMessageBox(GBK("新密码两次输入不一致"));
        return;
    }
    const ModifyPasswordRequest request =
        centre::BuildModifyPassword(me.dwUserID, CClientGlobal::GetInstance()->GetServerAddr(),
                                    centre::PasswordMd5(confirm), centre::PasswordMd5(oldText));
    if (SendToHall(SUB_GP_MODIFY_INSURE_PASS, &request, sizeof(request)))
    {
        m_strPendingBank = confirm;
        m_bBankPending = true;
    }
}

// --- replies ------------------------------------------------------------------------

bool UserInfoDialog::OnUserInfoResult(const void* data, size_t size)
{
    uint8_t gender = 0;
    std::vector<centre::Item> items;
    if (!centre::ReadUserInfoReply(data, size, gender, items))
        return true;  // too short: ignored
    CClientGlobal::GetInstance()->GetUserRecord().cbGender = gender;
    if (gender <= 1)
        OnGenderSelected(m_pGender[gender]);
    for (const centre::Item& item : items)
    {
        const int tag = FieldForItem(item.first);
        if (CCCursorTextField* field = tag != 0 ? GetField(tag) : nullptr)
            field->setText(CClientGlobal::WideToAnsi(item.second));
    }
    return true;
}

bool UserInfoDialog::OnModifyResult(const void* data, size_t size)
{
    uint32_t result = 0;
    std::u16string text;
    if (!centre::ReadOperateResult(data, size, result, text))
        return false;
    UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    // The password of the request sent is the one the server took, not what
    // the fields hold now.
    if (result == centre::kLogonPasswordChanged && m_bLogonPending)
    {
        SetFieldText(me.szPassword, centre::PasswordMd5(m_strPendingLogon));
        AccountRecord account{};
        SetFieldText(account.szAccounts, FieldText(me.szAccounts));
        SetFieldText(account.szPassword, CClientGlobal::AnsiToWide(m_strPendingLogon));
        CAccountList::GetInstance()->AddAccount(account);
        m_bLogonPending = false;
        m_strPendingLogon.clear();
    }
    else if (result == centre::kBankPasswordChanged && m_bBankPending)
    {
        SetFieldText(me.szBankPassword, centre::PasswordMd5(m_strPendingBank));
        m_bBankPending = false;
        m_strPendingBank.clear();
    }
    CClientGlobal::ShowMessageBox(CClientGlobal::WideToAnsi(text));
    return true;
}
