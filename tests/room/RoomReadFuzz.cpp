// The room's read handler over any sequence of server messages, on a room
// that has logged on with users seated; then a frame is drawn, so every
// record the grid and the list still show is read once more. Input: repeated
// {u16 main, u16 sub, u16 size, size bytes}, the last cut at the input's end.
// Main 0 never comes from a server (the transport keeps it), so here it plays
// the player: sub 1 opens or closes the safe box over the room (main 5 then
// goes to it rather than to the game), sub 2 presses the loudspeaker
// dialog's send button with the message's bytes as the typed text, sub 3 its
// choice of the other loudspeaker.
#include "FakeSocket.h"
#include "fuzz/UiStage.h"

#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "hall/HallConfig.h"
#include "games/registry/GameRegistry.h"
#include "bank/BankDialogServer.h"
#include "room/CDlgSpeaker.h"
#include "room/RoomScene.h"
#include "ui/CCCursorTextField.h"
#include "ui/Dialog.h"
#include "ui/UiServices.h"
#include "ui/WindyTopLayer.h"

#include <cstdlib>
#include <cstring>

using namespace cocos2d;
using namespace roomtest;

namespace {

void Prepare()
{
    static bool ready = false;
    if (ready)
        return;
    ready = true;
    fuzzstage::PrepareUi();
    CCDirector* director = CCDirector::sharedDirector();
    games::InstallGameKinds();
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("ClientGame/UserStatus.plist");
    HallUser user;
    hall::ApplyUser(user, CClientGlobal::GetInstance()->GetUserRecord());
    director->runWithScene(CCScene::create());
    director->stepFrames(1);
}

void Feed(RoomScene* room, FakeSocket* socket, uint16_t main, uint16_t sub, const Bytes& body)
{
    room->OnSocketRead(MakeCommand(main, sub), body.empty() ? nullptr : body.data(), body.size(), socket);
}

void PlayPlayer(RoomScene* room, uint16_t sub, const Bytes& body)
{
    auto* speaker = dynamic_cast<CDlgSpeaker*>(room->getChildByTag(CDlgSpeaker::kDialogTag));
    switch (sub)
    {
        case 1:
            if (BankDialogServer* bank = room->GetBankDialog())
                bank->Close();
            else if (BankDialogServer* opened = BankDialogServer::create())
                room->addChild(opened, 1000, BankDialogServer::kDialogTag);
            break;
        case 2:
            if (speaker != nullptr)
            {
                speaker->GetField()->setText(std::string(body.begin(), body.end()));
                speaker->OnButton(speaker->GetBackground()->getChildByTag(CDlgSpeaker::kTagSend));
            }
            break;
        case 3:
            if (speaker != nullptr)
                speaker->OnKindSelected(speaker->GetItem(1 - speaker->GetKind()));
            break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Prepare();
    RoomScene* room = RoomScene::create();
    if (room == nullptr)
        return 0;
    room->retain();  // the hall's, given back by CloseRoom
    room->retain();  // ours, so a notice that leaves cannot free it mid-input
    auto* socket = new FakeSocket();
    room->SetSocket(std::unique_ptr<IClientSocket>(socket));
    HallRoom config;
    config.kindId = 200;
    config.port = 1;
    config.host = "127.0.0.1";
    room->EnterRoom(hall::MakeKindRecord(config), hall::MakeServerRecord(config));
    room->OnSocketLink(0, "", socket);

    // A room of 8 tables of 3 chairs, me and two seated users.
    Bytes roomConfig;
    PutU16(roomConfig, 8);
    PutU16(roomConfig, 3);
    roomConfig.resize(26, 0);
    Feed(room, socket, 1, 100, Bytes());
    Feed(room, socket, 2, 101, roomConfig);
    UserEntry me;
    me.userId = 1001;
    me.nick = u"me";
    Feed(room, socket, 3, 100, UserEnter(me));
    for (uint32_t id = 2; id <= 3; ++id)
    {
        UserEntry other;
        other.userId = id;
        other.gameId = id;
        other.nick = u"u";
        other.table = static_cast<uint16_t>(id - 2);
        other.chair = 1;
        other.status = US_SIT;
        Feed(room, socket, 3, 100, UserEnter(other));
    }
    Feed(room, socket, 1, 102, Bytes());

    size_t at = 0;
    while (at + 6 <= size)
    {
        uint16_t head[3];
        std::memcpy(head, data + at, sizeof(head));
        at += sizeof(head);
        const size_t length = std::min<size_t>(head[2], size - at);
        const Bytes body(data + at, data + at + length);
        at += length;
        if (head[0] == 0)
            PlayPlayer(room, head[1], body);
        else
            Feed(room, socket, head[0], head[1], body);
    }
    CCDirector::sharedDirector()->stepFrames(1);
    room->ExitRoom();
    room->release();
    CCDirector::sharedDirector()->stepFrames(2);
    // Message boxes the input opened, which a player would close.
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    for (bool found = true; found;)
    {
        found = false;
        if (CCArray* children = top->getChildren())
        {
            for (unsigned int i = 0; i < children->count(); ++i)
            {
                if (auto* dialog = dynamic_cast<Dialog*>(static_cast<CCNode*>(children->objectAtIndex(i))))
                {
                    dialog->Close();
                    found = true;
                    break;
                }
            }
        }
    }
    return 0;
}
