#include "net/src/NetGlobal.h"

#include "net/ClientSocket.h"

#include <cstdarg>
#include <cstdio>

namespace net::detail {

void Log(const char* format, ...)
{
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    std::fprintf(stderr, "net: %s\n", line);
}

const char* LinkErrorText(int errorCode)
{
    switch (errorCode) {
    case kLinkOK: return "";
    case kLinkNoAddress: return "没有可用的服务器地址";
    case kLinkResolveFailed: return "无法解析服务器地址";
    case kLinkTimedOut: return "连接服务器超时";
    default: return "无法连接到服务器";
    }
}

void StoreServerAddress(uint32_t) {}
void StoreClientAddress(uint32_t) {}

} // namespace net::detail
