// The safe box. In a room it talks over the room connection: the room hands
// it the bank replies (main 5) while it is open, and an external game may
// ask for it to close.
#pragma once

#include "ui/Dialog.h"

#include <cstddef>
#include <cstdint>

class BankDialogServer : public Dialog
{
public:
    enum
    {
        kTagPanel = 1,
        kTagBalance = 2,
        kTagScore = 3,
        kTagClose = 4
    };
    enum
    {
        kDialogTag = 5701
    };

    CREATE_FUNC(BankDialogServer)
    ~BankDialogServer() override;
    bool init() override;
    void onEnter() override;
    void onExit() override;

    // A bank reply from the room server; its replies carry no layout this
    // client knows, so they are taken and the balance shown again.
    virtual bool OnBankMessage(uint16_t sub, const void* data, size_t size);
    void Refresh();

    // The one open over a room, or null.
    static BankDialogServer* GetRoomDialog();
    // Closes that one (an external game asked).
    static void CloseRoomDialog();

private:
    void OnClose(cocos2d::CCObject* sender);
};

// A running scene with this tag is a room.
constexpr int kRoomSceneTag = 2;
