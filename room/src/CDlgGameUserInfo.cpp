#include "room/CDlgGameUserInfo.h"

#include "core/ClientGlobal.h"
#include "room/RoomUserManager.h"
#include "room/UserMessages.h"
#include "ui/ImageButton.h"
#include "ui/VisibleRect.h"

#include <cstdio>

using namespace cocos2d;

const char* CDlgGameUserInfo::GenderText(uint8_t gender)
{
    switch (gender)
    {
        case 0: return "男";
        case 1: return "女";
        default: return "保密";
    }
}

CDlgGameUserInfo* CDlgGameUserInfo::Open(RoomUserManager* users, uint32_t gameId)
{
    const tagUserData* user = users != nullptr ? users->SearchUserByGameID(gameId) : nullptr;
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    if (user == nullptr || scene == nullptr)
        return nullptr;
    scene->removeChildByTag(kDialogTag, true);  // one card at a time
    CDlgGameUserInfo* card = create(*user);
    if (card != nullptr)
        scene->addChild(card, 1000, kDialogTag);
    return card;
}

CDlgGameUserInfo* CDlgGameUserInfo::create(const tagUserData& user)
{
    auto* card = new CDlgGameUserInfo();
    if (!card->initCard(user))
    {
        delete card;
        return nullptr;
    }
    card->autorelease();
    return card;
}

bool CDlgGameUserInfo::initCard(const tagUserData& user)
{
    if (!Dialog::init())
        return false;
    AddSkinBackground();
    CCSprite* panel = CCSprite::create("Table/user_card");
    if (panel == nullptr)
        return false;
    panel->setPosition(VisibleRect::center());
    addChild(panel, 1, kTagPanel);
    const CCSize size = panel->getContentSize();

    const std::string face = CClientGlobal::FacePicture(CClientGlobal::GetUserLevel(&user));
    if (CCSprite* faceSprite = CCSprite::create(face.c_str()))
    {
        faceSprite->setScale(80 / std::max(1.0f, faceSprite->getContentSize().width));
        faceSprite->setPosition(CCPoint(62, size.height - 92));
        panel->addChild(faceSprite);
    }

    auto line = [&](int tag, const std::string& utf8, int index, const ccColor3B& colour) {
        CCLabelTTF* label = CCLabelTTF::create(utf8.c_str(), "Arial", 14);
        label->setAnchorPoint(CCPoint(0, 0.5f));
        label->setColor(colour);
        label->setPosition(CCPoint(118, size.height - 52 - 22 * index));
        panel->addChild(label, 1, tag);
    };
    const ccColor3B text{34, 48, 64};
    const ccColor3B member{214, 30, 30};
    line(kTagNickname, "昵称：" + CClientGlobal::WideToUTF8(FieldText(user.szNickName)), 0,
         user.cbMemberOrder != 0 ? member : text);
    line(kTagGameID, "ID：" + std::to_string(user.dwGameID), 1, text);
    line(kTagGender, std::string("性别：") + GenderText(user.cbGender), 2, text);
    line(kTagScore, "积分：" + CClientGlobal::FormatScore(user.lScore), 3, text);
    line(kTagClient, room::ClientKindText(user.dwClientKind), 4, text);
    const std::u16string third = FieldText(user.szThirdText);
    line(kTagThirdText, CClientGlobal::WideToUTF8(third), 5, text);
    if (user.cbMemberOrder != 0)
    {
        CCLabelTTF* mark = CCLabelTTF::create("会员", "Arial", 13);
        mark->setColor(member);
        mark->setPosition(CCPoint(62, size.height - 150));
        panel->addChild(mark, 1, kTagMember);
    }
    if (CImageButton* close = CImageButton::create("Dialog/close_1", "Dialog/close_3", "Dialog/close_2", this,
                                                   menu_selector(CDlgGameUserInfo::OnClose), kTagClose))
    {
        close->setPosition(CCPoint(size.width - 38, size.height - 38));
        panel->addChild(close, 2, kTagClose);
    }
    FixTouchPriority(panel);
    return true;
}

void CDlgGameUserInfo::OnClose(CCObject*) { Close(); }
