// The game kernel as the fuzzers that drive it see it: a room stand-in that
// checks what the game sends, users put on chairs through the kernel's user
// channel, and server messages handed over as copies of exactly their bytes
// (so a read past one is caught).
#pragma once

#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fuzzstage {

class QuietRoom : public Sexy::IGameRoom
{
public:
    // A game's packet always carries its main and sub.
    bool OnGameSendData(uint16_t, uint16_t, const void* data, uint16_t size) override
    {
        if (size < 4 || data == nullptr)
            std::abort();
        return true;
    }
    void OnGameExit() override {}
    void ShowGameView() override {}
    void ShowRoomView(bool) override {}
    void OnGameResourcesLoaded(bool) override {}
    bool IsGameResourcesReady() override { return true; }
    void ToggleMaximize() override {}
    Sexy::CBaseKernelLayer* GetKernelLayer() override { return kernel; }
    Sexy::CBaseKernelLayer* kernel = nullptr;
};

inline void Seat(Sexy::CBaseKernelLayer* kernel, uint32_t userID, uint16_t table, uint16_t chair, uint8_t status,
                 int64_t score)
{
    tagUserData user;
    std::memset(&user, 0, sizeof(user));
    user.dwUserID = userID;
    user.dwGameID = userID;
    user.wTableID = table;
    user.wChairID = chair;
    user.cbUserStatus = status;
    user.lScore = score;
    const std::vector<uint8_t> message = Sexy::UserEnterMessage(user);
    kernel->OnChannelMessage(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_ENTER, message.data(),
                             static_cast<uint16_t>(message.size()));
}

// The room's start of a game of the kind for my user 1000 on the chair of a
// table of `chairs`: the server's settings, then the game's resources and
// the game itself. The kernel's board is the game's board after it.
inline void EnterGame(Sexy::CBaseKernelLayer* kernel, uint16_t kind, uint16_t chairs, uint16_t chair,
                      uint16_t table = 0)
{
    Sexy::GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    config.dwUserID = 1000;
    config.wTableID = table;
    config.wChairID = chair;
    config.wKindID = kind;
    config.wChairCount = chairs;
    kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SERVER_INFO, &config, sizeof(config));
    uint8_t kindRecord[8] = {0, 0, 0, 0, 0, 0, static_cast<uint8_t>(kind & 0xFF), static_cast<uint8_t>(kind >> 8)};
    kernel->LoadGameResources(kindRecord);
    kernel->EnterGame(kindRecord);
}

// A game-server message {main, sub, data} as the room relays it.
inline void Packet(Sexy::CBaseKernelLayer* kernel, uint16_t main, uint16_t sub, const uint8_t* data, uint16_t size)
{
    std::vector<uint8_t> raw(4 + size);
    std::memcpy(raw.data(), &main, 2);
    std::memcpy(raw.data() + 2, &sub, 2);
    if (size != 0)
        std::memcpy(raw.data() + 4, data, size);
    kernel->OnChannelMessage(Sexy::IPC_MAIN_SOCKET, Sexy::IPC_SUB_SOCKET_RECV, raw.data(),
                             static_cast<uint16_t>(raw.size()));
}

}  // namespace fuzzstage
