// The module objects of every in-process game kind, made known to the
// kernel's module table. The room calls it once before its first kernel.
#pragma once

namespace Sexy {

void InstallGameModules();

}  // namespace Sexy
