// The message handler of red nine: each server message and scene record at its
// exact size only (a bet only on areas 1 to 6, a record list only in whole
// 3-byte records), handed to one method of the board. Subs 105 and
// 109 to 112, and subs outside 99..113, are accepted unread; scene status 0
// takes 126 bytes and 100 to 102 take 307. Requests go out from the board
// through SendGameData.
#pragma once

#include "games/RedNineBattle/RedNineBattleMessages.h"
#include "games/TwoCardBanker/TwoCardHandler.h"

namespace RedNineBattle {

class RedBoard;
class RedNineMobile;

using Wire = TwoCardBanker::GameWire<FreeMessage, RoundStartMessage, RoundEndMessage, RoundRecord, PlayScene, RedBoard,
                                     RedNineMobile, AREA_COUNT, SUB_S_ROOM_NOTICE, SUB_S_LAST>;

class RedHandler final : public TwoCardBanker::CTwoCardGameHandler<Wire>
{
};

}  // namespace RedNineBattle
