#include "games/NineXiaoBattle/RedHandler.h"

#include "games/NineXiaoBattle/RedBoard.h"

namespace NineXiaoBattle {

RedHandler::RedHandler() = default;

RedHandler::~RedHandler() = default;

}  // namespace NineXiaoBattle
