#pragma once

#include <string>

namespace platform {

// 32 lowercase hex digits naming this machine, the same on every run.
std::string GetMachineId();

}  // namespace platform
