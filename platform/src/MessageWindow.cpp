// Message windows and the copy-data transport.
//
// Stands in for an invisible Win32 window with its window procedure
// (WM_COPYDATA, WM_TIMER) and for SendMessage(WM_COPYDATA) between processes.
// Implemented: one Unix-domain datagram socket per window, bound in the
// abstract namespace under a name made from its handle, so a handle is unique
// on the machine and the receiver learns the sender from the source address;
// timers kept in a table and fired by Pump. Missing: every other window
// message, window classes, parents. Emulated semantics: SendMessage is
// synchronous on Windows; here the message waits in the peer's queue until
// the peer pumps (once a frame), and the sender only blocks while that queue
// is full. A block above 10240 bytes is refused, never cut.
//
// Abstract socket names carry no permissions, so any local process could
// write to a window. Every datagram comes with its sender's credentials
// (SO_PASSCRED, filled in by the kernel): one from another user, or from a
// process the window was not told to accept, is dropped unread.
#include "platform/MessageWindow.h"
#include "platform/Polled.h"

#include "platform/src/Credentials.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

const char kNamePrefix[] = "kestrelium.wnd.";

socklen_t MakeAddress(WindowHandle handle, sockaddr_un& addr)
{
    std::memset(&addr, 0, sizeof(addr));
    addr.sun_family = AF_UNIX;
    // Abstract namespace: sun_path starts with a 0 byte, nothing on disk.
    int n = std::snprintf(addr.sun_path + 1, sizeof(addr.sun_path) - 1, "%s%u", kNamePrefix, handle);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
}

WindowHandle HandleFromAddress(const sockaddr_un& addr, socklen_t length)
{
    const size_t base = offsetof(sockaddr_un, sun_path);
    const size_t prefix = sizeof(kNamePrefix) - 1;
    if (length <= base + 1 + prefix || addr.sun_path[0] != '\0')
        return 0;
    const char* name = addr.sun_path + 1;
    const size_t nameLength = length - base - 1;
    if (std::memcmp(name, kNamePrefix, prefix) != 0)
        return 0;
    uint64_t value = 0;
    for (size_t i = prefix; i < nameLength; ++i)
    {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        value = value * 10 + static_cast<uint64_t>(name[i] - '0');
        if (value > UINT32_MAX)
            return 0;
    }
    return static_cast<WindowHandle>(value);
}

std::vector<MessageWindow*>& LiveWindows()
{
    static std::vector<MessageWindow*> windows;
    return windows;
}

int& SendSocket()
{
    static int fd = -1;
    return fd;
}

WindowHandle g_mainWindow = 0;

}  // namespace

MessageWindow::~MessageWindow() { Destroy(); }

bool MessageWindow::Create(IMessageWindowSink* sink)
{
    Destroy();
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int on = 1;
    if (setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof(on)) != 0)
    {
        close(fd);
        return false;
    }
    static uint32_t counter = 0;
    const uint32_t base = static_cast<uint32_t>(getpid()) << 10;
    for (int attempt = 0; attempt < 4096; ++attempt)
    {
        WindowHandle candidate = base + (counter++ & 0x3FF);
        if (candidate == 0)
            continue;
        sockaddr_un addr;
        socklen_t length = MakeAddress(candidate, addr);
        if (bind(fd, reinterpret_cast<sockaddr*>(&addr), length) == 0)
        {
            m_handle = candidate;
            m_socket = fd;
            m_sink = sink;
            m_alive = std::make_shared<bool>(true);
            LiveWindows().push_back(this);
            return true;
        }
        if (errno != EADDRINUSE)
            break;
    }
    close(fd);
    return false;
}

void MessageWindow::Destroy()
{
    if (m_socket >= 0)
        close(m_socket);
    m_socket = -1;
    m_handle = 0;
    m_sink = nullptr;
    m_timers.clear();
    m_accepted.clear();
    if (m_alive)
        *m_alive = false;
    m_alive.reset();
    auto& live = LiveWindows();
    for (size_t i = 0; i < live.size(); ++i)
    {
        if (live[i] == this)
        {
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

bool MessageWindow::SetTimer(uint32_t timerId, uint32_t intervalMs)
{
    if (!IsValid())
        return false;
    const uint32_t interval = intervalMs == 0 ? 1 : intervalMs;
    m_timers[timerId] = Timer{interval, NowMs() + interval};
    return true;
}

bool MessageWindow::KillTimer(uint32_t timerId) { return m_timers.erase(timerId) != 0; }

uint64_t MessageWindow::NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void MessageWindow::Pump() { Pump(NowMs()); }

void MessageWindow::Pump(uint64_t nowMs, bool mayRead)
{
    if (!IsValid())
        return;
    std::shared_ptr<bool> alive = m_alive;
    // Made when a datagram is there: most pumps find none.
    std::vector<uint8_t> buffer;
    while (*alive && mayRead)
    {
        if (buffer.empty())
        {
            char first;
            if (recv(m_socket, &first, 1, MSG_PEEK) < 0)
                break;
            buffer.resize(4 + kMaxCopyData);
        }
        sockaddr_un from;
        iovec part{buffer.data(), buffer.size()};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
        msghdr message{};
        message.msg_name = &from;
        message.msg_namelen = sizeof(from);
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof(control);
        // MSG_TRUNC: the datagram's real size, even when it did not fit.
        const ssize_t n = recvmsg(m_socket, &message, MSG_TRUNC | MSG_CMSG_CLOEXEC);
        if (n < 0)
            break;
        // Shorter than dwData, or longer than any sender may make: not ours.
        if (n < 4 || static_cast<size_t>(n) > buffer.size() || (message.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) != 0)
            continue;
        if (!Accepts(message))
            continue;
        uint32_t dwData;
        std::memcpy(&dwData, buffer.data(), 4);
        if (m_sink != nullptr)
            m_sink->OnCopyData(HandleFromAddress(from, message.msg_namelen), dwData, buffer.data() + 4,
                               static_cast<size_t>(n) - 4);
    }
    if (!*alive)
        return;
    std::vector<uint32_t> due;
    for (auto& entry : m_timers)
    {
        if (entry.second.due <= nowMs)
        {
            due.push_back(entry.first);
            entry.second.due = nowMs + entry.second.interval;
        }
    }
    for (uint32_t id : due)
    {
        // A callback may kill later timers or the window itself.
        if (!*alive)
            return;
        if (m_timers.count(id) != 0 && m_sink != nullptr)
            m_sink->OnTimer(id);
    }
}

void MessageWindow::AcceptOnly(std::vector<pid_t> processes) { m_accepted = std::move(processes); }

bool MessageWindow::Accepts(const msghdr& message) const
{
    ucred sender;
    if (!SenderCredentials(message, sender) || sender.uid != getuid())
        return false;  // without credentials: nobody we can vouch for
    return m_accepted.empty() || std::find(m_accepted.begin(), m_accepted.end(), sender.pid) != m_accepted.end();
}

void MessageWindow::PumpAll(const std::vector<pollfd>* polled)
{
    const uint64_t now = NowMs();
    // Copy: pumping may create or destroy windows.
    std::vector<MessageWindow*> windows = LiveWindows();
    for (MessageWindow* window : windows)
    {
        auto& live = LiveWindows();
        for (MessageWindow* w : live)
        {
            if (w == window)
            {
                window->Pump(now, !FoundQuiet(polled, window->m_socket));
                break;
            }
        }
    }
}

void MessageWindow::AddWaits(std::vector<pollfd>& fds, uint64_t& dueInMs, uint64_t nowMs) const
{
    if (!IsValid())
        return;
    fds.push_back(pollfd{m_socket, POLLIN, 0});
    for (const auto& entry : m_timers)
        dueInMs = std::min(dueInMs, entry.second.due > nowMs ? entry.second.due - nowMs : 0);
}

void MessageWindow::AddWaitsAll(std::vector<pollfd>& fds, uint64_t& dueInMs)
{
    const uint64_t now = NowMs();
    for (const MessageWindow* window : LiveWindows())
        window->AddWaits(fds, dueInMs, now);
}

bool SendCopyData(WindowHandle from, WindowHandle to, uint32_t dwData, const void* data, size_t size)
{
    if (to == 0 || size > kMaxCopyData || (data == nullptr && size != 0))
        return false;
    // Sent through the sender's own bound socket so the peer learns who it is.
    int fd = -1;
    for (MessageWindow* window : LiveWindows())
        if (from != 0 && window->GetHandle() == from)
            fd = window->m_socket;
    if (fd < 0)
    {
        int& anonymous = SendSocket();
        if (anonymous < 0)
            anonymous = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        fd = anonymous;
    }
    if (fd < 0)
        return false;
    std::vector<uint8_t> datagram(4 + size);
    std::memcpy(datagram.data(), &dwData, 4);
    if (size > 0)
        std::memcpy(datagram.data() + 4, data, size);
    sockaddr_un addr;
    socklen_t length = MakeAddress(to, addr);
    // A full queue drains when the peer pumps; wait for that, but not forever.
    const uint64_t giveUp = MessageWindow::NowMs() + 1000;
    for (;;)
    {
        ssize_t n = sendto(fd, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                           reinterpret_cast<sockaddr*>(&addr), length);
        if (n == static_cast<ssize_t>(datagram.size()))
            return true;
        if (n >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            return false;
        if (MessageWindow::NowMs() >= giveUp)
            return false;
        usleep(1000);
    }
}

bool IsWindow(WindowHandle handle)
{
    if (handle == 0)
        return false;
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr;
    socklen_t length = MakeAddress(handle, addr);
    bool exists = connect(fd, reinterpret_cast<sockaddr*>(&addr), length) == 0;
    close(fd);
    return exists;
}

void SetMainWindowHandle(WindowHandle handle) { g_mainWindow = handle; }

WindowHandle GetMainWindowHandle() { return g_mainWindow; }

}  // namespace platform
