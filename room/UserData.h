// The user record lives with the game framework, which sits below the room
// and keeps copies of the records at my table.
#pragma once

#include "games/framework/UserData.h"
