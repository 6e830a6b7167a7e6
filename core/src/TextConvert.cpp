// Text conversions of CClientGlobal. UTF-8 <-> UTF-16 is done here by hand;
// GBK goes through iconv's GB18030, a superset of GBK, so nothing a player
// types is lost on the way through the ANSI code page.
#include "core/ClientGlobal.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One converter per direction and thread, opened on first use.
class Iconv
{
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // A byte that cannot be converted becomes '?' and the walk goes on.
    std::string Convert(const std::string& in)
    {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
        {
            out = in;
            return out;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0)
        {
            char* dst = buffer;
            size_t dstLeft = sizeof(buffer);
            size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, sizeof(buffer) - dstLeft);
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ (bad byte) or EINVAL (cut sequence at the end).
            out.push_back('?');
            ++src;
            --srcLeft;
        }
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        iconv(m_cd, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, sizeof(buffer) - dstLeft);
        return out;
    }

private:
    iconv_t m_cd;
};

Iconv& GbkToUtf8()
{
    thread_local Iconv cd("UTF-8", "GB18030");
    return cd;
}

Iconv& Utf8ToGbk()
{
    thread_local Iconv cd("GB18030", "UTF-8");
    return cd;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80)
    {
        out.push_back(static_cast<char>(cp));
    }
    else if (cp < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else if (cp < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Length of the GB18030 character that starts at text[i] (1, 2 or 4), never
// past the end.
size_t GbkCharLength(const std::string& text, size_t i)
{
    const auto lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x81 || lead > 0xFE || i + 1 >= text.size())
        return 1;
    const auto second = static_cast<uint8_t>(text[i + 1]);
    if (second >= 0x30 && second <= 0x39)
        return i + 4 <= text.size() ? 4 : text.size() - i;
    return 2;
}

}  // namespace

std::string CClientGlobal::GBKToUTF8(const std::string& gbk) { return GbkToUtf8().Convert(gbk); }

std::string CClientGlobal::UTF8ToGBK(const std::string& utf8) { return Utf8ToGbk().Convert(utf8); }

std::string CClientGlobal::WideToUTF8(const std::u16string& wide)
{
    std::string out;
    out.reserve(wide.size() * 3);
    for (size_t i = 0; i < wide.size(); ++i)
    {
        uint32_t unit = wide[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF)
        {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00));
            ++i;
        }
        else if (unit >= 0xD800 && unit <= 0xDFFF)
        {
            out.push_back('?');  // half of a pair
        }
        else
        {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string CClientGlobal::UTF8ToWide(const std::string& utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size())
    {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                        : lead >= 0xE0                 ? 3
                        : lead >= 0xC2 && lead < 0xE0  ? 2
                                                       : 0;
        uint32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length != 0 && i + length <= utf8.size();
        for (size_t k = 1; valid && k < length; ++k)
        {
            const auto cont = static_cast<uint8_t>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80)
                valid = false;
            cp = (cp << 6) | (cont & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are refused.
        if (valid && ((length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                      (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
            valid = false;
        if (!valid)
        {
            out.push_back(u'?');
            ++i;
            continue;
        }
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        }
        else
        {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return out;
}

std::string CClientGlobal::WideToAnsi(const char16_t* wide)
{
    if (wide == nullptr)
        return std::string();
    return WideToAnsi(std::u16string(wide));
}

std::string CClientGlobal::WideToAnsi(const std::u16string& wide) { return UTF8ToGBK(WideToUTF8(wide)); }

std::u16string CClientGlobal::AnsiToWide(const std::string& gbk) { return UTF8ToWide(GBKToUTF8(gbk)); }

size_t CClientGlobal::UTF8ToWideBuffer(void* dest, size_t destUnits, const std::string& utf8)
{
    return wire::WriteText(dest, destUnits, UTF8ToWide(utf8));
}

std::string CClientGlobal::TruncateText(const std::string& text, size_t maxBytes, bool utf8)
{
    const std::string gbk = utf8 ? UTF8ToGBK(text) : text;
    size_t end = 0;
    while (end < gbk.size())
    {
        size_t length = GbkCharLength(gbk, end);
        if (end + length > maxBytes)
            break;
        end += length;
    }
    if (end == gbk.size())
        return text;
    std::string cut = gbk.substr(0, end) + "..";
    return utf8 ? GBKToUTF8(cut) : cut;
}
