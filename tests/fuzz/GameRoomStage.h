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
    std::vector<uint8_t> message(Sexy::kUserEnterMaxSize);
    const size_t size = Sexy::WriteUserEnterMessage(user, message.data(), message.size());
    kernel->OnChannelMessage(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_ENTER, message.data(),
                             static_cast<uint16_t>(size));
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
