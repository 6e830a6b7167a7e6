// Every in-process game the client knows, collected from the games' own
// descriptions (each game's kGameKind) in the kernel's module order. The
// registry sits above the games and below the program: the program installs
// the kinds in the kernel's module table at start and gives the hall their
// names; nothing below asks the registry.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstddef>
#include <cstdint>

namespace games {

// The kinds in the kernel's module order.
const Sexy::GameKindModuleInfo* GetGameKinds(size_t& count);
// The description of a kind, or null for kinds without a module (2055, the
// external programs from 2060 on, anything unknown).
const Sexy::GameKindModuleInfo* FindGameKind(uint16_t kindID);
// Makes every kind known to the kernel's module table. Once, before the
// first room; again after a test cleared the table.
void InstallGameKinds();

}  // namespace games
