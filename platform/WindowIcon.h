#pragma once

#include <string>

namespace platform {

// Gives the program's window the picture as its icon; false when there is no
// window yet or the picture cannot be read.
bool SetWindowIcon(const std::string& picturePath);

}  // namespace platform
