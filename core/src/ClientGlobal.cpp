#include "core/ClientGlobal.h"

#include "core/Md5.h"
#include "platform/Clipboard.h"
#include "platform/MachineId.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

std::string& AppDirectoryOverride()
{
    static std::string dir;
    return dir;
}

CClientGlobal::MessageBoxHandler& MessageBoxHook()
{
    static CClientGlobal::MessageBoxHandler handler = nullptr;
    return handler;
}

textwidth::MeasureFn& TextMeasure()
{
    static textwidth::MeasureFn measure = nullptr;
    return measure;
}

}  // namespace

CClientGlobal* CClientGlobal::GetInstance()
{
    static CClientGlobal* instance = new CClientGlobal();
    return instance;
}

CClientGlobal::CClientGlobal()
{
    if (const char* target = std::getenv("KEST_UDP_LOG"))
        SetUdpLogTarget(target);
}

void CClientGlobal::ResetUserRecord() { m_UserData = UserRecord{}; }

std::string CClientGlobal::FormatScore(int64_t score)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(score));
    const char* digits = text[0] == '-' ? text + 1 : text;
    const size_t count = std::strlen(digits);
    std::string out(text[0] == '-' ? "-" : "");
    for (size_t i = 0; i < count; ++i)
    {
        if (i > 0 && (count - i) % 4 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::string CClientGlobal::FacePicture(int level) { return "ChangePhoto/people1-" + std::to_string(level); }

int CClientGlobal::GetUserLevel(int64_t score, uint8_t gender)
{
    static const int64_t kThresholds[] = {0,       99999,   499999,  999999,   1499999,  1999999,
                                          2999999, 3999999, 6999999, 10999999, 29999999, 99999999};
    int level = 0;
    for (int64_t threshold : kThresholds)
        if (threshold < score)
            ++level;
    if (level < 1)
        level = 1;
    return gender != 0 ? level + 12 : level;
}

std::string CClientGlobal::MD5Text(const std::string& text)
{
    return kest::Md5Hex(text.c_str(), std::strlen(text.c_str()));
}

std::string CClientGlobal::GetMachineID()
{
    static const std::string id = platform::GetMachineId();
    return id;
}

std::string CClientGlobal::GetAppDirectory()
{
    const std::string& forced = AppDirectoryOverride();
    if (!forced.empty())
        return forced;
    static const std::string dir = [] {
        char path[4096];
        ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
        if (n <= 0)
            return std::string("./");
        std::string exe(path, static_cast<size_t>(n));
        return exe.substr(0, exe.rfind('/') + 1);
    }();
    return dir;
}

void CClientGlobal::SetAppDirectory(const std::string& dir)
{
    AppDirectoryOverride() = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

void CClientGlobal::WriteLog(const std::string& gbkText)
{
    const std::string path = GetAppDirectory() + "GameLog.txt";
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return;  // logging is on only while the file exists
    FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr)
        return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof(stamp), "%02d点%02d分%02d秒  ", local.tm_hour, local.tm_min, local.tm_sec);
    const std::string line = UTF8ToGBK(stamp) + gbkText + "\n";
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

bool CClientGlobal::SetUdpLogTarget(const std::string& hostPort)
{
    m_udpAddr = 0;
    m_udpPort = 0;
    const size_t colon = hostPort.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    const std::string host = hostPort.substr(0, colon);
    const long port = std::strtol(hostPort.c_str() + colon + 1, nullptr, 10);
    in_addr addr{};
    if (port <= 0 || port > 65535 || inet_pton(AF_INET, host.c_str(), &addr) != 1)
        return false;
    if (m_udpSocket < 0)
        m_udpSocket = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_udpSocket < 0)
        return false;
    m_udpAddr = addr.s_addr;
    m_udpPort = static_cast<uint16_t>(port);
    return true;
}

void CClientGlobal::SendUdpLog(const std::string& text)
{
    if (m_udpAddr == 0 || m_udpSocket < 0 || text.empty())
        return;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(m_udpPort);
    to.sin_addr.s_addr = m_udpAddr;
    // Best effort: a lost log line must never hold up the game.
    (void)sendto(m_udpSocket, text.data(), text.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&to), sizeof(to));
}

bool CClientGlobal::CopyUTF8TextToClipboard(const std::string& utf8) { return platform::SetClipboardText(utf8); }

void CClientGlobal::SetMessageBoxHandler(MessageBoxHandler handler) { MessageBoxHook() = handler; }

void CClientGlobal::ShowMessageBox(const std::string& gbkText)
{
    if (MessageBoxHandler handler = MessageBoxHook())
    {
        handler(gbkText);
        return;
    }
    GetInstance()->WriteLog(gbkText);
    std::fprintf(stderr, "%s\n", GBKToUTF8(gbkText).c_str());
}

void CClientGlobal::SetTextMeasure(textwidth::MeasureFn measure) { TextMeasure() = measure; }

float CClientGlobal::GetTextWidth(const std::string& gbkText, float size)
{
    textwidth::MeasureFn measure = TextMeasure();
    return measure != nullptr ? measure(GBKToUTF8(gbkText), "Arial", size) : 0.0f;
}

textwidth::Split CClientGlobal::SplitTextByWidth(const std::string& utf8, int start, int width, float size,
                                                 const std::string& font)
{
    return textwidth::SplitByWidth(utf8, start, width, size, font, TextMeasure());
}

std::string CClientGlobal::TruncateTextToWidth(const std::string& gbkText, int width, float size,
                                               const std::string& font)
{
    return UTF8ToGBK(textwidth::TruncateToWidth(GBKToUTF8(gbkText), width, size, font, TextMeasure()));
}

void CClientGlobal::TopLayerHook(cocos2d::CCNode*, float, float, int) {}
