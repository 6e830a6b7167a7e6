// extgame: a stand-in external game program for tests and the demo. It speaks
// the room's copy-data channel: it announces its game window, logs what the
// room tells it, answers the show command with the game option, and sends
// every game message (main 200) it is relayed straight back to the server.
//
// The room starts it the Windows way: the first argument is the room's
// message window, then the room's game value, the kind, my chair and the
// title. Environment knobs (all optional):
//   KEST_EXTGAME_LOG=FILE            one line per event appended to FILE
//   KEST_EXTGAME_EXIT_AFTER_SHOW=MS  end MS after the show command, silently
//   KEST_EXTGAME_CLOSE_AFTER_SHOW=MS the same, but tell the room first (0, 3)
//   KEST_EXTGAME_SILENT=1            never announce the window
#include "core/Wire.h"
#include "net/GameWindowRecord.h"
#include "net/IPCCopyData.h"
#include "platform/MessageWindow.h"
#include "platform/SharedMemory.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Channel numbers as the room uses them.
constexpr uint16_t kMainControl = 0, kSubReady = 1, kSubClosed = 3;
constexpr uint16_t kMainSocket = 1, kSubSend = 1, kSubRecv = 2;
constexpr uint16_t kMainConfig = 3, kSubConfig = 102, kSubShow = 104, kSubClose = 105, kSubLost = 106,
                   kSubSpeaker = 108;
constexpr uint16_t kMainUser = 4, kSubEnter = 100, kSubScore = 101, kSubStatus = 102;
constexpr uint16_t kFrame = 100, kOption = 1, kGame = 200;
constexpr size_t kRecordSize = sizeof(GameWindowRecord);
constexpr uint64_t kIdleLimitMs = 120000;  // nobody talks to us: end

FILE* g_log = nullptr;

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...)
{
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    std::fprintf(stderr, "extgame: %s\n", line);
    if (g_log != nullptr)
    {
        std::fprintf(g_log, "%s\n", line);
        std::fflush(g_log);
    }
}

long EnvNumber(const char* name, long fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

bool AllDigits(const char* text)
{
    if (text == nullptr || *text == '\0')
        return false;
    for (; *text != '\0'; ++text)
        if (*text < '0' || *text > '9')
            return false;
    return true;
}

uint16_t U16(const void* data, size_t offset)
{
    uint16_t v;
    std::memcpy(&v, static_cast<const uint8_t*>(data) + offset, 2);
    return v;
}

uint32_t U32(const void* data, size_t offset)
{
    uint32_t v;
    std::memcpy(&v, static_cast<const uint8_t*>(data) + offset, 4);
    return v;
}

class Game : public platform::IMessageWindowSink, public IChannelMessageSink
{
public:
    bool Start(platform::WindowHandle room, platform::SharedMemory& record, bool silent)
    {
        m_room = room;
        if (!m_window.Create(this))
            return false;
        m_recv.SetChannelMessageSink(this);
        m_send.SetLocalWnd(m_window.GetHandle());
        m_send.SetPeerWnd(room);
        auto* bytes = static_cast<uint8_t*>(record.Data());
        const platform::WindowHandle own = m_window.GetHandle();
        std::memcpy(bytes + offsetof(GameWindowRecord, hGameWnd), &own, sizeof(own));
        Log("window %u, room %u", own, room);
        if (!silent)
            m_send.SendCommand(kMainControl, kSubReady);
        m_lastHeard = platform::MessageWindow::NowMs();
        return true;
    }

    // 0 while running; the exit status once done.
    int Run()
    {
        const long exitAfter = EnvNumber("KEST_EXTGAME_EXIT_AFTER_SHOW", -1);
        const long closeAfter = EnvNumber("KEST_EXTGAME_CLOSE_AFTER_SHOW", -1);
        for (;;)
        {
            m_window.Pump();
            if (m_done)
                return m_status;
            const uint64_t now = platform::MessageWindow::NowMs();
            if (m_shownAt != 0 && exitAfter >= 0 && now >= m_shownAt + static_cast<uint64_t>(exitAfter))
            {
                Log("leaving without a word");
                return 0;
            }
            if (m_shownAt != 0 && closeAfter >= 0 && now >= m_shownAt + static_cast<uint64_t>(closeAfter))
            {
                Log("closing");
                m_send.SendCommand(kMainControl, kSubClosed);
                return 0;
            }
            if (now > m_lastHeard + kIdleLimitMs || !platform::IsWindow(m_room))
            {
                Log("the room is gone");
                return 0;
            }
            usleep(5000);
        }
    }

    void OnCopyData(platform::WindowHandle sender, uint32_t dwData, const void* data, size_t size) override
    {
        if (!m_recv.OnCopyData(sender, dwData, data, size))
            Log("refused a block of %zu bytes", size);
    }
    void OnTimer(uint32_t) override {}

    bool OnChannelMessage(const CopyDataHead& head, const void* data, size_t size,
                          platform::WindowHandle sender) override
    {
        m_lastHeard = platform::MessageWindow::NowMs();
        if (sender != m_room)
        {
            Log("message from a stranger %u", sender);
            return false;
        }
        const uint16_t main = head.wMainCmdID;
        const uint16_t sub = head.wSubCmdID;
        if (main == kMainSocket && sub == kSubRecv)
            return OnGamePacket(data, size);
        if (main == kMainConfig && sub == kSubConfig && size == 166)
        {
            Log("config table %u chair %u user %u kind %u chairs %u", U16(data, 0), U16(data, 2), U32(data, 4),
                U16(data, 16), U16(data, 96));
            return true;
        }
        if (main == kMainConfig && sub == kSubShow)
        {
            Log("show");
            m_shownAt = platform::MessageWindow::NowMs();
            SendOption();
            return true;
        }
        if (main == kMainConfig && (sub == kSubClose || sub == kSubLost))
        {
            Log(sub == kSubClose ? "room closing" : "room connection lost");
            m_done = true;
            return true;
        }
        if (main == kMainConfig && sub == kSubSpeaker)
        {
            Log("speaker %zu", size);
            return true;
        }
        if (main == kMainUser && sub == kSubEnter && size >= 83)
        {
            Log("user enter %u table %u chair %u status %u", U32(data, 5), U16(data, 22), U16(data, 24),
                static_cast<const uint8_t*>(data)[26]);
            return true;
        }
        if (main == kMainUser && sub == kSubScore && size == 57)
        {
            Log("user score %u", U32(data, 0));
            return true;
        }
        if (main == kMainUser && sub == kSubStatus && size >= 9)
        {
            Log("user status %u %u", U32(data, 0), static_cast<const uint8_t*>(data)[8]);
            return true;
        }
        Log("message %u/%u of %zu bytes", main, sub, size);
        return true;
    }

private:
    bool OnGamePacket(const void* data, size_t size)
    {
        if (size < 4)
            return false;
        const uint16_t main = U16(data, 0);
        const uint16_t sub = U16(data, 2);
        Log("packet %u/%u of %zu bytes", main, sub, size - 4);
        // Game messages go back as they came: the server sees both directions.
        if (main == kGame)
            m_send.SendData(kMainSocket, kSubSend, data, size);
        return true;
    }

    void SendOption()
    {
        uint8_t packet[4 + 9] = {};
        std::memcpy(packet, &kFrame, 2);
        std::memcpy(packet + 2, &kOption, 2);
        const uint32_t version = 0x06060003;
        std::memcpy(packet + 5, &version, 4);
        m_send.SendData(kMainSocket, kSubSend, packet, sizeof(packet));
    }

    platform::MessageWindow m_window;
    platform::WindowHandle m_room = 0;
    CIPCRecvCopyData m_recv;
    CIPCSendCopyData m_send;
    uint64_t m_shownAt = 0;
    uint64_t m_lastHeard = 0;
    bool m_done = false;
    int m_status = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    // Started by the room, the first argument is its window; by hand, the
    // program's own name comes first.
    int first = AllDigits(argv[0]) ? 0 : 1;
    if (argc - first < 5 || !AllDigits(argv[first]))
    {
        std::fprintf(stderr, "usage: extgame ROOMWINDOW GAMEVALUE KIND CHAIR \"TITLE\"\n");
        return 1;
    }
    if (const char* path = std::getenv("KEST_EXTGAME_LOG"))
        g_log = std::fopen(path, "a");
    Log("started: room window %s, value %s, kind %s, chair %s, \"%s\"", argv[first], argv[first + 1], argv[first + 2],
        argv[first + 3], argv[first + 4]);

    platform::SharedMemory record;
    if (!record.Open(argv[first], kRecordSize))
    {
        Log("no shared record %s", argv[first]);
        return 2;
    }
    const uint32_t roomWindow = U32(record.Data(), 10);
    if (U16(record.Data(), 0) != kRecordSize || roomWindow == 0)
    {
        Log("the shared record is not the room's");
        return 2;
    }
    Game game;
    if (!game.Start(roomWindow, record, EnvNumber("KEST_EXTGAME_SILENT", 0) != 0))
    {
        Log("no window");
        return 2;
    }
    const int status = game.Run();
    Log("done");
    if (g_log != nullptr)
        std::fclose(g_log);
    return status;
}
