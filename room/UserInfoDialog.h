// The personal centre: the logged-on user's account and nickname, eight
// profile texts and the gender to edit, and the log-on and safe-box
// passwords to change. It talks over the hall connection: opening it makes
// the hall connect, the link sends the profile query, and the hall hands it
// the replies while it is the running scene's child with tag 444.
#pragma once

#include "hall/GameHallScene.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <string>
#include <vector>

class CCCursorTextField;
namespace cocos2d {
namespace extension {
class CCControlButton;
}
}  // namespace cocos2d

class UserInfoDialog : public Dialog, public CDialogDelegate, public IPersonalCentreDialog
{
public:
    enum
    {
        kDialogTag = GameHallScene::kTagUserInfoDialog
    };
    enum
    {
        // Pages; 3000 and 4000 exist but no tab leads to them.
        kTagProfilePage = 1000,
        kTagPasswordPage = 2000,
        kPages = 4,
        // Profile page.
        kTagAccount = 1101,
        kTagNickname = 1102,
        kTagFirstItem = 1103,
        kTagLastItem = 1110,
        kTagPassword = 1111,
        kTagFace = 1301,
        kTagConfirm = 1302,
        kTagGenderMenu = 1401,
        kTagPageBackground = 1402,
        // Password page.
        kTagOldLogon = 2101,
        kTagNewLogon = 2102,
        kTagConfirmLogon = 2103,
        kTagOldBank = 2104,
        kTagNewBank = 2105,
        kTagConfirmBank = 2106,
        kTagModifyLogon = 2301,
        kTagModifyBank = 2302,
        // Chrome.
        kTagMarker = 100,
        kTagProfileTab = 10001,
        kTagPasswordTab = 10002,
        kTagFrame = 1,
        kTagClose = 2
    };
    static constexpr int kPasswordMaxLength = 20;

    static UserInfoDialog* create();
    // The hall's factory.
    static cocos2d::CCNode* CreateForHall() { return create(); }
    ~UserInfoDialog() override;
    bool init() override;
    void onEnter() override;
    void onExit() override;

    // IPersonalCentreDialog
    bool QueryUserInfo() override;
    bool OnUserInfoResult(const void* data, size_t size) override;
    bool OnModifyResult(const void* data, size_t size) override;
    void OnTabSelected(cocos2d::CCObject* sender) override;

    // The face, confirm and both modify buttons.
    void OnButton(cocos2d::CCObject* sender);
    void OnControlButton(cocos2d::CCObject* sender, unsigned int controlEvent);
    void OnGenderSelected(cocos2d::CCObject* item);
    void OnChangeFacePhoto(cocos2d::CCObject* object);
    // Tab moves to the next field of the page that shows.
    void OnKeyReturn(int key) override;
    void OnClose(cocos2d::CCObject* sender);
    void CloseInputs();

    // For the hall's tests and the program's own.
    int GetPage() const { return m_nPage; }
    cocos2d::CCNode* GetPageLayer(int page) const;
    cocos2d::CCNode* GetFrame() const { return m_pFrame; }
    CCCursorTextField* GetField(int tag) const;
    cocos2d::CCMenuItemImage* GetGenderItem(int index) const { return m_pGender[index != 0]; }
    bool IsGenderSelected(int index) const { return m_bGender[index != 0]; }
    // 0 or 1 as chosen, 2 when neither is: the profile request's gender.
    uint8_t GetGenderByte() const;
    const std::vector<CCCursorTextField*>& GetProfileFields() const { return m_ProfileFields; }
    const std::vector<CCCursorTextField*>& GetPasswordFields() const { return m_PasswordFields; }

private:
    bool BuildPages();
    void BuildProfilePage(cocos2d::CCNode* page);
    void BuildPasswordPage(cocos2d::CCNode* page);
    cocos2d::extension::CCControlButton* MakeImageButton(const char* normal, const char* highlighted, const char* third,
                                                         int tag);
    void ShowGender(int index, bool selected);
    bool SendToHall(uint16_t sub, const void* data, size_t size);
    void SendProfile();
    void ChangeLogonPassword();
    void ChangeBankPassword();

    cocos2d::CCSprite* m_pFrame = nullptr;
    cocos2d::CCNode* m_pPages[kPages] = {nullptr, nullptr, nullptr, nullptr};
    cocos2d::CCMenuItemImage* m_pGender[2] = {nullptr, nullptr};
    bool m_bGender[2] = {false, false};
    std::vector<CCCursorTextField*> m_ProfileFields;   // 1103 ... 1110
    std::vector<CCCursorTextField*> m_PasswordFields;  // 2101 ... 2106
    int m_nPage = 1;
    // The new passwords of the requests sent (GBK, as typed): a reply
    // applies these, whatever the fields hold by then.
    std::string m_strPendingLogon;
    std::string m_strPendingBank;
    bool m_bLogonPending = false;
    bool m_bBankPending = false;
};
