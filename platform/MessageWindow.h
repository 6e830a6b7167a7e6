// Hidden message windows: a numeric handle, window timers and a receive
// endpoint for copy-data messages from other processes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include <poll.h>
#include <sys/types.h>

struct msghdr;

namespace platform {

using WindowHandle = uint32_t;

// Largest copy-data block (the {dwData, block} of one WM_COPYDATA).
constexpr size_t kMaxCopyData = 10240;

class IMessageWindowSink
{
public:
    virtual ~IMessageWindowSink() = default;
    // sender is 0 when the message came from no window.
    virtual void OnCopyData(WindowHandle sender, uint32_t dwData, const void* data, size_t size) = 0;
    virtual void OnTimer(uint32_t timerId) = 0;
};

class MessageWindow
{
public:
    MessageWindow() = default;
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    // Gives the window a handle unique on this machine; false when no
    // endpoint can be made.
    bool Create(IMessageWindowSink* sink);
    void Destroy();
    bool IsValid() const { return m_handle != 0; }
    WindowHandle GetHandle() const { return m_handle; }

    // Periodic until killed; setting an existing id restarts it. Like
    // WM_TIMER, periods missed while nobody pumped fire once.
    bool SetTimer(uint32_t timerId, uint32_t intervalMs);
    bool KillTimer(uint32_t timerId);

    // Copy data is taken only from processes of our own user; with a list,
    // only from those processes (the room names itself and the game it
    // started). An empty list goes back to any process of our user.
    void AcceptOnly(std::vector<pid_t> processes);

    // Delivers waiting copy-data messages, then due timers. The sink may
    // destroy the window from inside a callback.
    void Pump();
    void Pump(uint64_t nowMs, bool mayRead = true);
    // Pumps every live window of this process (the program's loop calls it).
    // With the descriptors its last wait polled, a socket found with nothing
    // to read is not read (its timers still run).
    static void PumpAll(const std::vector<pollfd>* polled = nullptr);

    // What the program's loop waits on for the window: its socket, and the
    // milliseconds from nowMs to its next timer.
    void AddWaits(std::vector<pollfd>& fds, uint64_t& dueInMs, uint64_t nowMs) const;
    // The same for every live window.
    static void AddWaitsAll(std::vector<pollfd>& fds, uint64_t& dueInMs);

    static uint64_t NowMs();

private:
    friend bool SendCopyData(WindowHandle, WindowHandle, uint32_t, const void*, size_t);

    bool Accepts(const msghdr& message) const;

    struct Timer
    {
        uint32_t interval;
        uint64_t due;
    };

    WindowHandle m_handle = 0;
    int m_socket = -1;
    IMessageWindowSink* m_sink = nullptr;
    std::map<uint32_t, Timer> m_timers;
    std::shared_ptr<bool> m_alive;
    std::vector<pid_t> m_accepted;
};

// WM_COPYDATA: one datagram {u32 dwData, block}. False when the block is
// larger than kMaxCopyData, the peer does not exist, or its queue stays full
// for a second. `from` names the sender to the receiver (a window of this
// process, or 0).
bool SendCopyData(WindowHandle from, WindowHandle to, uint32_t dwData, const void* data, size_t size);

// Whether a window with this handle exists in any process.
bool IsWindow(WindowHandle handle);

// The engine's main window as other processes know it (0 until set).
void SetMainWindowHandle(WindowHandle handle);
WindowHandle GetMainWindowHandle();

}  // namespace platform
