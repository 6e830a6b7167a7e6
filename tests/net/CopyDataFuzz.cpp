// The local channel over any datagrams: each piece of the input is sent to a
// message window as another local process would send it, the window reads
// them (platform MessageWindow) and hands them to the copy-data reader (net
// IPCCopyData), whose sink must only ever see a checked head and exactly the
// bytes after it. Input: repeated {u16 size, size bytes}, the last cut at the
// input's end; the whole input is also handed to the reader as one block.
#include "net/IPCCopyData.h"
#include "platform/MessageWindow.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class CheckingSink : public IChannelMessageSink
{
public:
    bool OnChannelMessage(const CopyDataHead& head, const void* data, size_t size, platform::WindowHandle) override
    {
        if (head.wVersion != kCopyDataVersion || head.wDataSize != sizeof(head) + size || size > kMaxCopyDataBody ||
            (size > 0 && data == nullptr))
            std::abort();
        volatile uint8_t sum = 0;
        for (size_t i = 0; i < size; ++i)
            sum = sum + static_cast<const uint8_t*>(data)[i];
        ++messages;
        return true;
    }
    size_t messages = 0;
};

class Window : public platform::IMessageWindowSink
{
public:
    Window()
    {
        reader.SetChannelMessageSink(&sink);
        if (!window.Create(this))
            std::abort();
        sender = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        addr.sun_family = AF_UNIX;
        const int n =
            std::snprintf(addr.sun_path + 1, sizeof(addr.sun_path) - 1, "kestrelium.wnd.%u", window.GetHandle());
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
    }
    void OnCopyData(platform::WindowHandle from, uint32_t dwData, const void* data, size_t size) override
    {
        if (size > platform::kMaxCopyData)
            std::abort();
        // A copy of exactly the block, so reading past it is caught.
        const std::vector<uint8_t> block(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
        reader.OnCopyData(from, dwData, block.empty() ? nullptr : block.data(), block.size());
    }
    void OnTimer(uint32_t) override {}
    void Send(const uint8_t* data, size_t size)
    {
        sendto(sender, data, size, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&addr), length);
    }

    CheckingSink sink;
    CIPCRecvCopyData reader;
    platform::MessageWindow window;
    int sender = -1;
    sockaddr_un addr{};
    socklen_t length = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Window* window = new Window();
    size_t at = 0;
    int queued = 0;
    while (at + 2 <= size)
    {
        uint16_t length;
        std::memcpy(&length, data + at, 2);
        at += 2;
        const size_t piece = std::min<size_t>(length, size - at);
        window->Send(data + at, piece);
        at += piece;
        // The socket's queue is short: read it before it fills.
        if (++queued == 8)
        {
            window->window.Pump();
            queued = 0;
        }
    }
    window->window.Pump();

    if (size >= 4)
    {
        uint32_t dwData;
        std::memcpy(&dwData, data, 4);
        const std::vector<uint8_t> block(data + 4, data + size);
        window->reader.OnCopyData(0, dwData % 3, block.empty() ? nullptr : block.data(), block.size());
    }
    return 0;
}
