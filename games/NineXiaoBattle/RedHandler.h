// The message handler of little nine: each server message and scene record at its
// exact size only (a bet only on areas 1 to 3, a record list only in whole
// 12-byte records), handed to one method of the board. Subs 105 and
// 109 to 116, and subs outside 99..117, are accepted unread; scene status 0
// takes 126 bytes and 100 to 102 take 291. Requests go out from the board
// through SendGameData.
#pragma once

#include "games/NineXiaoBattle/NineXiaoBattleMessages.h"
#include "games/TwoCardBanker/TwoCardHandler.h"

namespace NineXiaoBattle {

class RedBoard;
class NineXiaoMobile;

using Wire = TwoCardBanker::GameWire<FreeMessage, RoundStartMessage, RoundEndMessage, RoundRecord, PlayScene, RedBoard,
                                     NineXiaoMobile, AREA_COUNT, SUB_S_ROOM_NOTICE, SUB_S_LAST>;

class RedHandler final : public TwoCardBanker::CTwoCardGameHandler<Wire>
{
};

}  // namespace NineXiaoBattle
