// The channel to an external game program: messages with a CopyDataHead over
// the platform's copy-data transport (WM_COPYDATA with dwData 1).
#pragma once

#include "core/Wire.h"
#include "platform/MessageWindow.h"

#include <cstddef>
#include <cstdint>

KEST_WIRE_BEGIN
struct CopyDataHead
{
    uint16_t wVersion;   // kCopyDataVersion
    uint16_t wDataSize;  // the whole block: this head and the data
    uint16_t wMainCmdID;
    uint16_t wSubCmdID;
};
KEST_WIRE_END
static_assert(sizeof(CopyDataHead) == 8, "copy-data head layout");

constexpr uint16_t kCopyDataVersion = 1;
constexpr uint32_t kCopyDataIdentifier = 1;                                         // dwData of every channel message
constexpr size_t kMaxCopyDataBody = platform::kMaxCopyData - sizeof(CopyDataHead);  // 10232

class IChannelMessageSink
{
public:
    virtual ~IChannelMessageSink() = default;
    // One checked message; data follows the head (size bytes, possibly 0).
    virtual bool OnChannelMessage(const CopyDataHead& head, const void* data, size_t size,
                                  platform::WindowHandle sender) = 0;
};

class CIPCSendCopyData
{
public:
    void SetPeerWnd(platform::WindowHandle peer) { m_peer = peer; }
    void SetLocalWnd(platform::WindowHandle local) { m_local = local; }
    platform::WindowHandle GetPeerWnd() const { return m_peer; }

    // False, with nothing sent, without a peer, with over 10232 data bytes,
    // or when the transport refuses.
    bool SendData(uint16_t main, uint16_t sub, const void* data, size_t size);
    bool SendCommand(uint16_t main, uint16_t sub) { return SendData(main, sub, nullptr, 0); }

private:
    platform::WindowHandle m_peer = 0;
    platform::WindowHandle m_local = 0;
};

class CIPCRecvCopyData
{
public:
    void SetChannelMessageSink(IChannelMessageSink* sink) { m_sink = sink; }

    // Checks the block (identifier, head version, head size equal to the
    // block's) and hands it to the sink; false without a sink call when a
    // check fails, else the sink's result.
    bool OnCopyData(platform::WindowHandle sender, uint32_t dwData, const void* block, size_t size);

private:
    IChannelMessageSink* m_sink = nullptr;
};
