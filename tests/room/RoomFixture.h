// A room scene on a headless engine, over a socket the test drives: what the
// room sends is recorded, what the server sends is fed to OnSocketRead.
#pragma once

#include "RoomTestUtil.h"

#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "hall/HallConfig.h"
#include "room/RoomScene.h"
#include "ui/UiFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace roomtest {

class FakeSocket : public IClientSocket {
public:
    struct Sent {
        uint16_t main;
        uint16_t sub;
        Bytes data;
    };
    void SetSocketSink(IClientSocketSink* sink) override { this->sink = sink; }
    void SetUserID(uint32_t id) override { userId = id; }
    void SetConnectCount(uint8_t) override {}
    void SetSerialCheck(bool check) override { serialCheck = check; }
    bool Connect(const std::vector<std::string>& list, const std::string& id, uint16_t p) override
    {
        addresses = list;
        identity = id;
        port = p;
        ++connects;
        return true;
    }
    bool SendData(uint16_t main, uint16_t sub, const void* data, size_t size) override
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        sent.push_back({main, sub, Bytes(bytes, bytes + size)});
        return !closed;
    }
    bool SendCommand(uint16_t main, uint16_t sub) override { return SendData(main, sub, nullptr, 0); }
    void CloseSocket() override { closed = true; }
    void OnUpdate() override { ++updates; }

    // The messages sent with this command, in order.
    std::vector<Bytes> SentWith(uint16_t main, uint16_t sub) const
    {
        std::vector<Bytes> out;
        for (const Sent& s : sent)
            if (s.main == main && s.sub == sub)
                out.push_back(s.data);
        return out;
    }

    IClientSocketSink* sink = nullptr;
    std::vector<Sent> sent;
    std::vector<std::string> addresses;
    std::string identity;
    uint32_t userId = 0;
    uint16_t port = 0;
    int connects = 0;
    int updates = 0;
    bool serialCheck = false;
    bool closed = false;
};

// Message boxes the room opened, as UTF-8.
std::vector<std::string>& Boxes();

class RoomFixture : public UiFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    static void Step(int frames = 1) { cocos2d::CCDirector::sharedDirector()->stepFrames(frames); }

    // The room made and entered as the hall does; the socket is ours.
    void MakeRoom(uint16_t kindId = 200, uint16_t port = 16100);
    bool Read(uint16_t main, uint16_t sub, const Bytes& data = Bytes());
    // Linked, logged on, configured, users in, finished: the room shows.
    void LogOn(uint16_t tables = 12, uint16_t chairs = 3, const std::vector<UserSpec>& users = {});
    // Me (user 1001, game 100001) and whatever else.
    static std::vector<UserSpec> MeAnd(std::vector<UserSpec> others, uint16_t table = INVALID_TABLE,
                                      uint16_t chair = INVALID_CHAIR, uint8_t status = US_FREE);
    static UserSpec User(uint32_t id, const std::u16string& nick, uint16_t table = INVALID_TABLE,
                         uint16_t chair = INVALID_CHAIR, uint8_t status = US_FREE);
    static Bytes Config(uint16_t tables, uint16_t chairs);
    static Bytes TableList(const std::vector<std::pair<uint8_t, uint8_t>>& tables);
    static Bytes TableState(uint16_t table, uint8_t locked, uint8_t playing);
    using UiFixture::Tap;
    static void Tap(const cocos2d::CCPoint& at) { UiFixture::Tap(at.x, at.y); }
    // Dialogs on the top layer; the text of the last one (UTF-8).
    static int CountDialogs();
    static std::string LastDialogText();
    // Pixels of a PNG in the stand-in box's magenta; -1 when unreadable.
    static int MagentaPixels(const std::string& png);
    // Whether any sprite under node shows the stand-in for a missing picture.
    static bool HasStandIn(cocos2d::CCNode* node);

    cocos2d::CCScene* hall = nullptr;  // the scene under the room
    RoomScene* room = nullptr;
    FakeSocket* socket = nullptr;
};

}  // namespace roomtest
