// Asks for the password of a locked table; OK sits down with it.
#pragma once

#include "ui/Dialog.h"

class CCCursorTextField;

class TablePassWord : public Dialog
{
public:
    enum
    {
        kTagOK = 100,
        kTagCancel = 101,
        kTagField = 102,
        kTagPanel = 103
    };
    static constexpr int kMaxLength = 30;

    CREATE_FUNC(TablePassWord)
    bool init() override;

    // OK hands the typed text to the room's SendSitDown; both close.
    void OnButton(cocos2d::CCObject* sender);
    CCCursorTextField* GetField() const { return m_pField; }

private:
    CCCursorTextField* m_pField = nullptr;
};
