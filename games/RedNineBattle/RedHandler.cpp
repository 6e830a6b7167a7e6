#include "games/RedNineBattle/RedHandler.h"

#include "games/RedNineBattle/RedBoard.h"

namespace RedNineBattle {

RedHandler::RedHandler() = default;

RedHandler::~RedHandler() = default;

}  // namespace RedNineBattle
