// Clipboard text.
//
// Stands in for the Win32 clipboard (CF_TEXT). Implemented: UTF-8 text on the
// window system's clipboard, which the window's owner installs, while it is
// ready; else a process-local store. Missing: bitmaps (the transfer voucher
// copies a picture; not used on this platform).
#include "platform/Clipboard.h"

namespace platform {

namespace {

std::string& LocalClipboard()
{
    static std::string text;
    return text;
}

SystemClipboard& System()
{
    static SystemClipboard clipboard;
    return clipboard;
}

bool SystemReady()
{
    const SystemClipboard& system = System();
    return system.isReady != nullptr && system.setText != nullptr && system.getText != nullptr && system.isReady();
}

}  // namespace

void SetSystemClipboard(const SystemClipboard& clipboard) { System() = clipboard; }

bool SetClipboardText(const std::string& utf8)
{
    LocalClipboard() = utf8;
    if (SystemReady())
        return System().setText(utf8);
    return true;
}

std::string GetClipboardText()
{
    std::string text;
    if (SystemReady() && System().getText(text))
        return text;
    return LocalClipboard();
}

}  // namespace platform
