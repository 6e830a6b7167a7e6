#include "platform/MessageWindow.h"
#include "platform/SharedMemory.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace platform;

namespace {

struct Received
{
    WindowHandle sender;
    uint32_t dwData;
    std::vector<uint8_t> bytes;
};

class RecordingSink : public IMessageWindowSink
{
public:
    void OnCopyData(WindowHandle sender, uint32_t dwData, const void* data, size_t size) override
    {
        const auto* p = static_cast<const uint8_t*>(data);
        messages.push_back(Received{sender, dwData, std::vector<uint8_t>(p, p + size)});
    }
    void OnTimer(uint32_t id) override
    {
        timers.push_back(id);
        if (window != nullptr && id == killOnFire)
            window->Destroy();
    }
    std::vector<Received> messages;
    std::vector<uint32_t> timers;
    MessageWindow* window = nullptr;
    uint32_t killOnFire = 0;
};

// Pumps until a message arrives or about two seconds pass.
bool PumpUntilMessage(MessageWindow& window, RecordingSink& sink, size_t count)
{
    for (int i = 0; i < 2000 && sink.messages.size() < count; ++i)
    {
        window.Pump();
        if (sink.messages.size() < count)
            usleep(1000);
    }
    return sink.messages.size() >= count;
}

}  // namespace

TEST(CopyData, DeliversTheBlockAndNamesTheSender)
{
    RecordingSink aSink, bSink;
    MessageWindow a, b;
    ASSERT_TRUE(a.Create(&aSink));
    ASSERT_TRUE(b.Create(&bSink));
    EXPECT_NE(a.GetHandle(), b.GetHandle());
    EXPECT_TRUE(IsWindow(b.GetHandle()));

    const char text[] = "hello";
    ASSERT_TRUE(SendCopyData(a.GetHandle(), b.GetHandle(), 1, text, sizeof(text)));
    ASSERT_TRUE(SendCopyData(0, b.GetHandle(), 7, nullptr, 0));
    b.Pump();
    ASSERT_EQ(bSink.messages.size(), 2u);
    EXPECT_EQ(bSink.messages[0].sender, a.GetHandle());
    EXPECT_EQ(bSink.messages[0].dwData, 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bSink.messages[0].bytes.data())), "hello");
    EXPECT_EQ(bSink.messages[1].sender, 0u);
    EXPECT_TRUE(bSink.messages[1].bytes.empty());
    EXPECT_TRUE(aSink.messages.empty());
}

TEST(CopyData, SizeLimitAndMissingPeersAreRefused)
{
    RecordingSink sink;
    MessageWindow window;
    ASSERT_TRUE(window.Create(&sink));
    std::vector<uint8_t> block(kMaxCopyData + 1, 0x5A);
    EXPECT_FALSE(SendCopyData(0, window.GetHandle(), 1, block.data(), block.size()));
    EXPECT_TRUE(SendCopyData(0, window.GetHandle(), 1, block.data(), kMaxCopyData));
    window.Pump();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].bytes.size(), kMaxCopyData);
    EXPECT_EQ(sink.messages[0].bytes.back(), 0x5A);

    const WindowHandle gone = window.GetHandle();
    window.Destroy();
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(SendCopyData(0, gone, 1, "x", 1));
    EXPECT_FALSE(SendCopyData(0, 0, 1, "x", 1));
}

TEST(CopyData, TwoProcessesTalkAndAnswerTheSender)
{
    int toParent[2];
    ASSERT_EQ(pipe(toParent), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        // The external program: announce our window, echo one message back.
        RecordingSink sink;
        MessageWindow window;
        if (!window.Create(&sink))
            _exit(2);
        WindowHandle handle = window.GetHandle();
        if (write(toParent[1], &handle, sizeof(handle)) != sizeof(handle))
            _exit(3);
        if (!PumpUntilMessage(window, sink, 1))
            _exit(4);
        const Received& in = sink.messages[0];
        bool ok = SendCopyData(handle, in.sender, in.dwData + 1, in.bytes.data(), in.bytes.size());
        _exit(ok ? 0 : 5);
    }
    close(toParent[1]);
    WindowHandle peer = 0;
    ASSERT_EQ(read(toParent[0], &peer, sizeof(peer)), static_cast<ssize_t>(sizeof(peer)));
    close(toParent[0]);

    RecordingSink sink;
    MessageWindow room;
    ASSERT_TRUE(room.Create(&sink));
    std::vector<uint8_t> block(10232);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i * 7);
    ASSERT_TRUE(SendCopyData(room.GetHandle(), peer, 1, block.data(), block.size()));
    ASSERT_TRUE(PumpUntilMessage(room, sink, 1));
    EXPECT_EQ(sink.messages[0].sender, peer);
    EXPECT_EQ(sink.messages[0].dwData, 2u);
    EXPECT_EQ(sink.messages[0].bytes, block);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(WindowTimers, FireWhenDueCoalesceAndSurviveDestructionInTheCallback)
{
    RecordingSink sink;
    MessageWindow window;
    ASSERT_TRUE(window.Create(&sink));
    const uint64_t t0 = MessageWindow::NowMs();
    ASSERT_TRUE(window.SetTimer(100, 500));
    window.Pump(t0 + 499);
    EXPECT_TRUE(sink.timers.empty());
    window.Pump(t0 + 2600);  // five periods missed: one message
    EXPECT_EQ(sink.timers, std::vector<uint32_t>{100});
    window.Pump(t0 + 3000);
    EXPECT_EQ(sink.timers.size(), 1u);
    window.Pump(t0 + 3100);
    EXPECT_EQ(sink.timers.size(), 2u);

    EXPECT_TRUE(window.KillTimer(100));
    EXPECT_FALSE(window.KillTimer(100));
    window.Pump(t0 + 10000);
    EXPECT_EQ(sink.timers.size(), 2u);

    // A timer callback that destroys the window ends the pump cleanly.
    sink.window = &window;
    sink.killOnFire = 1;
    window.SetTimer(1, 10);
    window.SetTimer(2, 10);
    window.Pump(MessageWindow::NowMs() + 20);
    EXPECT_FALSE(window.IsValid());
    EXPECT_EQ(sink.timers.back(), 1u);
    EXPECT_FALSE(window.SetTimer(3, 10));
}

// A loop that sleeps between events wakes for a window when a message comes
// or its next timer is due.
TEST(WindowTimers, TheNextTimerAndAMessageEndASleepingWait)
{
    RecordingSink sink;
    MessageWindow window;
    ASSERT_TRUE(window.Create(&sink));
    const uint64_t t0 = MessageWindow::NowMs();
    std::vector<pollfd> fds;
    uint64_t due = UINT64_MAX;
    window.AddWaits(fds, due, t0);
    ASSERT_EQ(fds.size(), 1u);
    EXPECT_EQ(due, UINT64_MAX) << "no timer: only a message wakes";

    ASSERT_TRUE(window.SetTimer(1, 1000));
    // The timer reads the clock itself: it may tick while it is set.
    const uint64_t before = MessageWindow::NowMs();
    ASSERT_TRUE(window.SetTimer(2, 300));
    const uint64_t set = MessageWindow::NowMs();
    fds.clear();
    window.AddWaits(fds, due, set + 100);
    EXPECT_LE(due, 200u) << "the nearer timer, from now";
    EXPECT_GE(due, 200u - std::min<uint64_t>(set - before, 200)) << "the nearer timer, from now";
    window.Pump(set + 100 + due);
    EXPECT_EQ(sink.timers, std::vector<uint32_t>{2});

    EXPECT_EQ(::poll(fds.data(), fds.size(), 0), 0);
    ASSERT_TRUE(SendCopyData(0, window.GetHandle(), 7, "x", 1));
    ASSERT_EQ(::poll(fds.data(), fds.size(), 5000), 1);
    window.Pump(set + 100 + due);
    EXPECT_EQ(sink.messages.size(), 1u);

    window.Destroy();
    fds.clear();
    due = UINT64_MAX;
    MessageWindow::AddWaitsAll(fds, due);
    EXPECT_TRUE(fds.empty());
}

// A window whose socket the last wait found quiet is not read, its timers
// still fire; found readable, or not polled, it is read.
TEST(WindowTimers, OnlySocketsTheWaitFoundReadableAreRead)
{
    RecordingSink sink;
    MessageWindow window;
    ASSERT_TRUE(window.Create(&sink));
    ASSERT_TRUE(window.SetTimer(3, 1));
    std::vector<pollfd> fds;
    uint64_t due = UINT64_MAX;
    window.AddWaits(fds, due, MessageWindow::NowMs());
    ASSERT_EQ(fds.size(), 1u);
    ASSERT_TRUE(SendCopyData(0, window.GetHandle(), 7, "x", 1));
    ASSERT_EQ(::poll(fds.data(), fds.size(), 5000), 1);
    std::vector<pollfd> quiet = fds;
    quiet[0].revents = 0;
    usleep(3000);
    MessageWindow::PumpAll(&quiet);
    EXPECT_TRUE(sink.messages.empty()) << "found quiet: not read";
    EXPECT_EQ(sink.timers, std::vector<uint32_t>{3}) << "its timer fires all the same";
    MessageWindow::PumpAll(&fds);
    EXPECT_EQ(sink.messages.size(), 1u) << "found readable: read";
    ASSERT_TRUE(SendCopyData(0, window.GetHandle(), 8, "y", 1));
    MessageWindow::PumpAll(nullptr);
    EXPECT_EQ(sink.messages.size(), 2u) << "no wait: read";
}

TEST(SharedMemory, ExclusiveCreationAndSharingBetweenProcesses)
{
    const std::string name = "test." + std::to_string(getpid());
    SharedMemory block;
    ASSERT_TRUE(block.Create(name, 14));
    EXPECT_EQ(static_cast<uint8_t*>(block.Data())[13], 0);
    SharedMemory second;
    EXPECT_FALSE(second.Create(name, 14));
    EXPECT_FALSE(second.Open(name, 4096));  // larger than the block
    EXPECT_FALSE(SharedMemory().Create("a/b", 14));

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        SharedMemory view;
        if (!view.Open(name, 14))
            _exit(2);
        uint32_t window = 0x12345678;
        std::memcpy(static_cast<uint8_t*>(view.Data()) + 2, &window, 4);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    uint32_t seen = 0;
    std::memcpy(&seen, static_cast<uint8_t*>(block.Data()) + 2, 4);
    EXPECT_EQ(seen, 0x12345678u);

    block.Close();
    EXPECT_FALSE(second.Open(name, 14));
    EXPECT_TRUE(second.Create(name, 14));  // the name is free again
}

namespace {

// A datagram as any local process could send it, straight to the window's
// abstract name, from an unbound socket.
bool SendRaw(WindowHandle to, const std::vector<uint8_t>& bytes)
{
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const int n = std::snprintf(addr.sun_path + 1, sizeof(addr.sun_path) - 1, "kestrelium.wnd.%u", to);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
    const bool sent = sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&addr), length) ==
                      static_cast<ssize_t>(bytes.size());
    close(fd);
    return sent;
}

// Runs `send` in a child process (as user `uid` when not -1) and waits for it.
template <typename Send>
bool InChild(uid_t uid, Send send)
{
    const pid_t child = fork();
    if (child == 0)
    {
        if (uid != static_cast<uid_t>(-1) && setuid(uid) != 0)
            _exit(2);
        _exit(send() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// Every datagram is measured before it is read: short ones and ones larger
// than any block (cut by the socket) are dropped, the next good one arrives.
TEST(CopyData, DatagramsOfTheWrongSizeAreDroppedUnread)
{
    RecordingSink sink;
    MessageWindow window;
    ASSERT_TRUE(window.Create(&sink));
    const std::vector<std::vector<uint8_t>> bad = {
        {}, {1, 0, 0}, std::vector<uint8_t>(4 + kMaxCopyData + 1, 1), std::vector<uint8_t>(65000, 1)};
    for (const auto& datagram : bad)
        ASSERT_TRUE(SendRaw(window.GetHandle(), datagram)) << datagram.size();
    std::vector<uint8_t> largest(4 + kMaxCopyData, 2);
    ASSERT_TRUE(SendRaw(window.GetHandle(), largest));
    ASSERT_TRUE(SendRaw(window.GetHandle(), {9, 0, 0, 0}));
    window.Pump();
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].bytes.size(), kMaxCopyData);
    EXPECT_EQ(sink.messages[1].dwData, 9u);
    EXPECT_TRUE(sink.messages[1].bytes.empty());
}

// Any local process can reach an abstract socket name: only our own user's
// processes are heard, and once the room names its game, only that one.
TEST(CopyData, OnlyOurUsersAndTheAcceptedProcessesAreHeard)
{
    RecordingSink sink;
    MessageWindow window;
    ASSERT_TRUE(window.Create(&sink));
    const WindowHandle handle = window.GetHandle();
    const auto sendOne = [handle] { return SendRaw(handle, {1, 0, 0, 0, 'c'}); };

    ASSERT_TRUE(InChild(static_cast<uid_t>(-1), sendOne));  // same user, any process
    window.Pump();
    EXPECT_EQ(sink.messages.size(), 1u);

    window.AcceptOnly({getpid()});
    ASSERT_TRUE(InChild(static_cast<uid_t>(-1), sendOne));  // not on the list
    ASSERT_TRUE(SendCopyData(0, handle, 2, "me", 2));
    window.Pump();
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[1].dwData, 2u);
    window.AcceptOnly({});

    if (getuid() != 0)
        GTEST_SKIP() << "another user's process needs root to start";
    const uid_t nobody = 65534;
    ASSERT_TRUE(InChild(nobody, sendOne));
    window.Pump();
    EXPECT_EQ(sink.messages.size(), 2u) << "a datagram of another user was heard";
}
