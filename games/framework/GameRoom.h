// The room as the game framework sees it.
//
// The room scene implements this interface; the kernel, the module objects
// and the boards call the room only through it, since the framework sits
// below the room. At most one room exists at a time: it binds itself for its
// lifetime with a CGameRoomBinding member.
#pragma once

#include <cstdint>

namespace Sexy {

class CBaseKernelLayer;

class IGameRoom
{
public:
    virtual ~IGameRoom() = default;

    // A packet of the game for the game server: channel (1, 1) with
    // {u16 main, u16 sub, payload}.
    virtual bool OnGameSendData(uint16_t main, uint16_t sub, const void* data, uint16_t size) = 0;
    // The player confirmed leaving the game: stand up (force 1), show the room.
    virtual void OnGameExit() = 0;
    // Hides the room panes and hands the game its configuration, my table's
    // users and the show command.
    virtual void ShowGameView() = 0;
    virtual void ShowRoomView(bool show) = 0;
    // A module object has all its pictures.
    virtual void OnGameResourcesLoaded(bool ready) = 0;
    virtual bool IsGameResourcesReady() = 0;
    virtual void ToggleMaximize() = 0;
    // Chairs at a table of the room (0 until the room knows).
    virtual uint16_t GetChairCount() const { return 0; }
    virtual CBaseKernelLayer* GetKernelLayer() = 0;
};

// The bound room, or null outside a room.
IGameRoom* GetGameRoom();

// Binds a room for its own lifetime (a member of the room scene).
class CGameRoomBinding
{
public:
    explicit CGameRoomBinding(IGameRoom* room);
    ~CGameRoomBinding();
    CGameRoomBinding(const CGameRoomBinding&) = delete;
    CGameRoomBinding& operator=(const CGameRoomBinding&) = delete;

private:
    IGameRoom* m_pRoom;
};

}  // namespace Sexy
