// What the transport takes from and leaves in the program-wide client object.
#pragma once

#include <cstdint>

namespace net::detail {

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
// GBK text shown to the user for a failed link.
const char* LinkErrorText(int errorCode);
void StoreServerAddress(uint32_t address);
void StoreClientAddress(uint32_t address);

}  // namespace net::detail
