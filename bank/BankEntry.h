// How boards and the hall open the safe box.
#pragma once

#include "ui/Dialog.h"

class CCCursorTextField;

// The safe box on the running scene (in a room, the room's bank dialog).
void ShowBankDialog();
// The safe-box password prompt on the running scene.
void ShowVerifyPassWord();

// Asks for the safe-box password; OK keeps its digest as the stored one and
// opens the safe box.
class CverifyPassWord : public Dialog
{
public:
    enum
    {
        kTagPanel = 1,
        kTagField = 2,
        kTagOK = 3,
        kTagCancel = 4
    };
    enum
    {
        kDialogTag = 5702
    };
    CREATE_FUNC(CverifyPassWord)
    bool init() override;
    void OnButton(cocos2d::CCObject* sender);
    CCCursorTextField* GetField() const { return m_pField; }

private:
    CCCursorTextField* m_pField = nullptr;
};
