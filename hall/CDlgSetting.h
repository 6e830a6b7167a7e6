// The settings dialog: the table password (from the room), the user list on
// or off, and the music on or off.
#pragma once

#include "ui/Dialog.h"

#include <string>

class CCCursorTextField;
class CImageButton;

// What the dialog asks of the room it was opened from.
class ISettingTarget
{
public:
    virtual ~ISettingTarget() = default;
    // GBK password; "" unlocks.
    virtual bool SendTableRule(const std::string& gbkPassword) = 0;
    virtual void HideUserList() = 0;
    virtual void ShowUserList() = 0;
};

class CDlgSetting : public Dialog
{
public:
    enum
    {
        kTagPanel = 1,
        kTagPassword = 2,
        kTagLock = 3,
        kTagUnlock = 4,
        kTagUserList = 5,
        kTagMusic = 6,
        kTagClose = 7
    };
    static constexpr int kPasswordLength = 30;

    CREATE_FUNC(CDlgSetting)
    bool init() override;

    // Opened from a room: the table-password row shows and acts on it.
    void SetOpenedFromRoom(ISettingTarget* room);
    bool IsOpenedFromRoom() const { return m_pRoom != nullptr; }

    void OnButton(cocos2d::CCObject* sender);
    CCCursorTextField* GetPasswordField() const { return m_pPassword; }

private:
    void ShowChecks();

    ISettingTarget* m_pRoom = nullptr;
    cocos2d::CCSprite* m_pPanel = nullptr;
    CCCursorTextField* m_pPassword = nullptr;
    cocos2d::CCNode* m_pRoomRow = nullptr;
};
