// The transport as its owner sees it, and the owner's callbacks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class IClientSocket;

// Error codes of OnSocketLink.
enum SocketLinkError : int
{
    kLinkOK = 0,
    kLinkNoAddress = 1,      // empty address list or port 0
    kLinkResolveFailed = 2,  // no address of the list resolved
    kLinkRefused = 3,        // refused or unreachable
    kLinkTimedOut = 4,       // resolution or connect took too long
};

// Why a connection closed without its owner asking.
enum class SocketShutReason : uint8_t
{
    Remote,         // the server closed it
    ReadError,      // a read or write failed
    ProtocolError,  // a head announced an over-long body
    Watchdog,       // nothing received for 30 s
    SinkRefused,    // OnSocketRead returned false
    SendOverflow,   // the server stopped reading
};

class IClientSocketSink
{
public:
    virtual ~IClientSocketSink() = default;
    // Once per Connect: error 0 when linked, else a SocketLinkError and a GBK
    // message for the user.
    virtual bool OnSocketLink(int errorCode, const char* errorText, IClientSocket* socket) = 0;
    // One whole packet; command = main | sub << 16. The data stays valid for
    // the call even if the sink closes or destroys the socket meanwhile.
    // False closes the connection.
    virtual bool OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket* socket) = 0;
    // At most once per linked connection, when it closed without the owner's
    // CloseSocket.
    virtual bool OnSocketShut(IClientSocket* socket, SocketShutReason reason) = 0;
};

class IClientSocket
{
public:
    virtual ~IClientSocket() = default;

    virtual void SetSocketSink(IClientSocketSink* sink) = 0;
    virtual void SetUserID(uint32_t userId) = 0;
    virtual void SetConnectCount(uint8_t count) = 0;
    virtual void SetSerialCheck(bool check) = 0;
    // Tries the addresses (IPv4 literals or host names) in order. The result
    // always comes later through OnSocketLink; false here already tells that
    // it will be a failure.
    virtual bool Connect(const std::vector<std::string>& addresses, const std::string& identity, uint16_t port) = 0;
    // One packet on a linked connection; false when not linked, main is 0
    // (the transport's own) or the body is over 65535 bytes.
    virtual bool SendData(uint16_t main, uint16_t sub, const void* data, size_t size) = 0;
    virtual bool SendCommand(uint16_t main, uint16_t sub) = 0;
    // Closes quietly: no OnSocketShut.
    virtual void CloseSocket() = 0;
    // Does all pending work and runs the callbacks.
    virtual void OnUpdate() = 0;
};
