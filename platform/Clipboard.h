#pragma once

#include <string>

namespace platform {

// Clipboard text in UTF-8. Falls back to a process-local clipboard when no
// video subsystem runs (headless), so copy and paste still pair up.
bool SetClipboardText(const std::string& utf8);
std::string GetClipboardText();

}  // namespace platform
