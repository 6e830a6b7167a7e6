#include "games/framework/GameRoom.h"

namespace Sexy {

namespace {
IGameRoom* g_pGameRoom = nullptr;
}

IGameRoom* GetGameRoom() { return g_pGameRoom; }

CGameRoomBinding::CGameRoomBinding(IGameRoom* room) : m_pRoom(room) { g_pGameRoom = room; }

CGameRoomBinding::~CGameRoomBinding()
{
    if (g_pGameRoom == m_pRoom)
        g_pGameRoom = nullptr;
}

}  // namespace Sexy
