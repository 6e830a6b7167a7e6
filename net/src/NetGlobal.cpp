#include "net/src/NetGlobal.h"

#include "core/ClientGlobal.h"
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
    CClientGlobal* global = CClientGlobal::GetInstance();
    const std::string gbk = CClientGlobal::UTF8ToGBK(line);
    global->WriteLog(gbk);
    global->SendUdpLog(gbk);
}

const char* LinkErrorText(int errorCode)
{
    // Converted once; the sink may keep the pointer.
    static const std::string noAddress = CClientGlobal::UTF8ToGBK("没有可用的服务器地址");
    static const std::string unresolved = CClientGlobal::UTF8ToGBK("无法解析服务器地址");
    static const std::string timedOut = CClientGlobal::UTF8ToGBK("连接服务器超时");
    static const std::string refused = CClientGlobal::UTF8ToGBK("无法连接到服务器");
    switch (errorCode)
    {
        case kLinkOK: return "";
        case kLinkNoAddress: return noAddress.c_str();
        case kLinkResolveFailed: return unresolved.c_str();
        case kLinkTimedOut: return timedOut.c_str();
        default: return refused.c_str();
    }
}

void StoreServerAddress(uint32_t address) { CClientGlobal::GetInstance()->SetServerAddr(address); }

void StoreClientAddress(uint32_t address) { CClientGlobal::GetInstance()->GetUserRecord().dwClientAddr = address; }

}  // namespace net::detail
