// The program-wide client object: the logged-on user, text and amount
// conversions, logging, clipboard and machine identity.
//
// Texts: GBK texts are std::string holding GB18030/GBK bytes, UTF-8 texts are
// std::string, wide texts are std::u16string or fixed char16_t fields.
#pragma once

#include "core/TextWidth.h"
#include "core/Wire.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cocos2d {
class CCNode;
}

// The logged-on user (432 bytes). Laid out on natural alignment, so fields
// may be read and bound like any struct member; the texts are 0-terminated
// fixed arrays of UTF-16 units (read them with FieldText, never unbounded).
struct UserRecord
{
    uint32_t dwUserID;
    uint32_t dwGameID;
    uint32_t dwClientAddr;  // from the transport's address notice; 0 when none
    uint16_t wFaceID;
    uint8_t cbGender;        // non-zero selects the second set of faces and levels
    uint8_t cbConnectCount;  // sub-connections per server connection
    int64_t lScore;
    int64_t lInsureScore;  // safe-box balance
    char16_t szAccounts[32];
    char16_t szNickName[32];
    char16_t szPassword[33];      // log-on password MD5 text
    char16_t szBankPassword[33];  // safe-box password MD5 text
    uint8_t cbReserved[140];
};
static_assert(sizeof(UserRecord) == 432, "the logged-on user record is 432 bytes");
static_assert(offsetof(UserRecord, szAccounts) == 32 && offsetof(UserRecord, szBankPassword) == 226,
              "user record texts keep their offsets");

// Bounded read and cut-and-terminate write of a fixed text field.
template <size_t N>
std::u16string FieldText(const char16_t (&field)[N])
{
    return wire::ReadText(field, N);
}
template <size_t N>
size_t SetFieldText(char16_t (&field)[N], const std::u16string& text)
{
    return wire::WriteText(field, N, text);
}

class CClientGlobal
{
public:
    // Made on first use, never freed.
    static CClientGlobal* GetInstance();

    UserRecord& GetUserRecord() { return m_UserData; }
    const UserRecord& GetUserRecord() const { return m_UserData; }
    void ResetUserRecord();

    // IPv4 of the connected server as the socket module sets it (in_addr
    // order: the first octet in the lowest byte).
    uint32_t GetServerAddr() const { return m_dwServerAddr; }
    void SetServerAddr(uint32_t addr) { m_dwServerAddr = addr; }

    // Open dialogs; raised by a dialog's constructor, lowered by its destructor.
    int GetDialogCount() const { return m_nDialogCount; }
    void AddDialogCount(int delta) { m_nDialogCount += delta; }

    // --- text ---------------------------------------------------------------
    // Invalid input never stops a conversion: a bad byte or unit becomes '?'.
    static std::string GBKToUTF8(const std::string& gbk);
    static std::string UTF8ToGBK(const std::string& utf8);
    // UTF-16 (0-terminated) to the ANSI code page, which is GBK here.
    static std::string WideToAnsi(const char16_t* wide);
    static std::string WideToAnsi(const std::u16string& wide);
    static std::u16string AnsiToWide(const std::string& gbk);
    static std::string WideToUTF8(const std::u16string& wide);
    static std::u16string UTF8ToWide(const std::string& utf8);
    // Writes the text as UTF-16LE into a field of destUnits units (any byte
    // alignment): cut to destUnits - 1 units without splitting a surrogate
    // pair, 0-terminated, rest zeroed. Returns the units before the terminator.
    static size_t UTF8ToWideBuffer(void* dest, size_t destUnits, const std::string& utf8);

    // Cuts a GBK text to at most maxBytes bytes without splitting a character
    // and appends ".." when it cut. With utf8 set the text comes in and goes
    // out as UTF-8 (the cut is still counted in GBK bytes).
    static std::string TruncateText(const std::string& text, size_t maxBytes, bool utf8);

    // "%lld" with ',' every four digits from the right: -123456789 gives
    // "-1,2345,6789".
    static std::string FormatScore(int64_t score);

    // 1..12 from the score's thresholds, plus 12 when gender is non-zero.
    static int GetUserLevel(int64_t score, uint8_t gender);
    // Any record with the fields lScore and cbGender (the room's tagUserData);
    // 1 for a null record.
    template <typename Record>
    static int GetUserLevel(const Record* record)
    {
        if (record == nullptr)
            return 1;
        const int64_t score = record->lScore;
        const uint8_t gender = record->cbGender;
        return GetUserLevel(score, gender);
    }
    int GetMyLevel() const { return GetUserLevel(m_UserData.lScore, m_UserData.cbGender); }
    // The face picture of a level: "ChangePhoto/people1-<level>".
    static std::string FacePicture(int level);

    // MD5 of the text up to its first 0 byte, as 32 lowercase hex digits.
    static std::string MD5Text(const std::string& text);
    // 32 characters, stable on one machine.
    static std::string GetMachineID();

    // --- files, log, clipboard ---------------------------------------------
    // The program's folder, ending in '/'. Data files live there.
    static std::string GetAppDirectory();
    // Points the data folder elsewhere (tests, a relocated install).
    static void SetAppDirectory(const std::string& dir);

    // Appends "HH点MM分SS秒  " and the GBK text to "GameLog.txt" in the program
    // folder, only when that file already exists.
    void WriteLog(const std::string& gbkText);
    // Remote log lines go to one UDP address, none by default ("a.b.c.d:port" or
    // the environment's KEST_UDP_LOG). False when the address is unusable.
    bool SetUdpLogTarget(const std::string& hostPort);
    void SendUdpLog(const std::string& text);

    static bool CopyUTF8TextToClipboard(const std::string& utf8);

    // --- widths of drawn text (the UI installs the measure) -----------------
    static void SetTextMeasure(textwidth::MeasureFn measure);
    // Width of the GBK text drawn in "Arial" at the size; 0 without a measure.
    static float GetTextWidth(const std::string& gbkText, float size);
    // Takes whole UTF-8 characters from byte start until their widths reach
    // width; end = start + the bytes taken.
    static textwidth::Split SplitTextByWidth(const std::string& utf8, int start, int width, float size,
                                             const std::string& font);
    // GBK in and out; cut where the width is reached, with "..." appended.
    static std::string TruncateTextToWidth(const std::string& gbkText, int width, float size, const std::string& font);

    // --- services of the UI layer ------------------------------------------
    // The UI installs the message box at start-up (core sits below ui/).
    using MessageBoxHandler = void (*)(const std::string& gbkText);
    static void SetMessageBoxHandler(MessageBoxHandler handler);
    // Opens a plain dialog titled "友情提示" with the text; logs when no UI runs.
    static void ShowMessageBox(const std::string& gbkText);

    // Closes the input of the field that is editing and opens the next one
    // (after the last comes the first). Field needs isEditing, closeInput and
    // openInput (CCCursorTextField has them).
    template <typename Field>
    static void FocusNextTextField(const std::vector<Field*>& fields)
    {
        for (size_t i = 0; i < fields.size(); ++i)
        {
            if (fields[i] != nullptr && fields[i]->isEditing())
            {
                fields[i]->closeInput();
                for (size_t k = 1; k <= fields.size(); ++k)
                {
                    Field* next = fields[(i + k) % fields.size()];
                    if (next != nullptr)
                    {
                        next->openInput();
                        return;
                    }
                }
                return;
            }
        }
    }

    // Boards call it with the top layer and a point; it does nothing.
    static void TopLayerHook(cocos2d::CCNode* topLayer, float x, float y, int value);

private:
    CClientGlobal();
    ~CClientGlobal() = delete;

    UserRecord m_UserData{};
    uint32_t m_dwServerAddr = 0;
    int m_nDialogCount = 0;
    int m_udpSocket = -1;
    uint32_t m_udpAddr = 0;  // in_addr order; 0 = no remote log
    uint16_t m_udpPort = 0;
};
