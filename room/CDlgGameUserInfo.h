// A user's card in the room: face, nickname, game ID, gender, member mark,
// third text, client kind and score. It copies what it shows when it opens,
// so the user may leave the room while the card is open.
#pragma once

#include "room/UserData.h"
#include "ui/Dialog.h"

#include <cstdint>

class RoomUserManager;

class CDlgGameUserInfo : public Dialog
{
public:
    enum
    {
        kTagPanel = 1,
        kTagNickname = 2,
        kTagGameID = 3,
        kTagGender = 4,
        kTagMember = 5,
        kTagThirdText = 6,
        kTagClient = 7,
        kTagScore = 8,
        kTagClose = 9
    };
    enum
    {
        kDialogTag = 5602
    };

    // Looks the user up by game ID and opens the card on the running scene;
    // null when there is no such user.
    static CDlgGameUserInfo* Open(RoomUserManager* users, uint32_t gameId);
    static CDlgGameUserInfo* create(const tagUserData& user);
    bool initCard(const tagUserData& user);

    // "男", "女" or "保密" (UTF-8).
    static const char* GenderText(uint8_t gender);

private:
    void OnClose(cocos2d::CCObject* sender);
};
