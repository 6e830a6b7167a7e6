// A room scene on a headless engine, over a socket the test drives: what the
// room sends is recorded, what the server sends is fed to OnSocketRead.
#pragma once

#include "FakeSocket.h"
#include "RoomTestUtil.h"
#include "room/ProgramRun.h"

#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "hall/HallConfig.h"
#include "room/RoomScene.h"
#include "ui/Dialog.h"
#include "ui/UiFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace roomtest {

// Message boxes the room opened, as UTF-8.
std::vector<std::string>& Boxes();

class RoomFixture : public UiFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The longest of the room's transitions (0.7 s) and its hand-over.
    static constexpr int kTransitionFrames = 45;
    static void Step(int frames = 1) { cocos2d::CCDirector::sharedDirector()->stepFrames(frames); }

    // The room made and entered as the hall does; the socket is ours.
    void MakeRoom(uint16_t kindId = 200, uint16_t port = 16100);
    bool Read(uint16_t main, uint16_t sub, const Bytes& data = Bytes());
    // Linked, logged on, configured, users in, finished: the room shows.
    void LogOn(uint16_t tables = 12, uint16_t chairs = 3, const std::vector<UserEntry>& users = {});
    // Me (user 1001, game 100001) and whatever else.
    static std::vector<UserEntry> MeAnd(std::vector<UserEntry> others, uint16_t table = INVALID_TABLE,
                                       uint16_t chair = INVALID_CHAIR, uint8_t status = US_FREE);
    static UserEntry User(uint32_t id, const std::u16string& nick, uint16_t table = INVALID_TABLE,
                         uint16_t chair = INVALID_CHAIR, uint8_t status = US_FREE);
    static Bytes Config(uint16_t tables, uint16_t chairs);
    static Bytes TableList(const std::vector<std::pair<uint8_t, uint8_t>>& tables);
    static Bytes TableState(uint16_t table, uint8_t locked, uint8_t playing);
    // A user's status message (main 3, sub 102): seat and status.
    static Bytes StatusOf(uint32_t user, uint16_t table, uint16_t chair, uint8_t status);
    using UiFixture::Tap;
    static void Tap(const cocos2d::CCPoint& at) { UiFixture::Tap(at.x, at.y); }
    // Dialogs on the top layer; the text of the last one (UTF-8).
    static int CountDialogs();
    static Dialog* TopDialog();
    static std::string LastDialogText();
    // Whether any sprite under node shows the stand-in for a missing picture.
    static bool HasStandIn(cocos2d::CCNode* node);

    cocos2d::CCScene* hall = nullptr;  // the scene under the room
    RoomScene* room = nullptr;
    FakeSocket* socket = nullptr;
};

using programrun::MagentaPixels;

}  // namespace roomtest
