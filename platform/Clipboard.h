#pragma once

#include <string>

namespace platform {

// Clipboard text in UTF-8: the window system's while it is ready, else a
// process-local clipboard (headless, or no window yet), so copy and paste
// still pair up.
bool SetClipboardText(const std::string& utf8);
std::string GetClipboardText();

// The window system's clipboard. The platform has no window: the layer that
// owns it installs this (the UI, from the engine's view, at start-up).
struct SystemClipboard
{
    bool (*isReady)() = nullptr;
    bool (*setText)(const std::string& utf8) = nullptr;
    // False when it holds no text.
    bool (*getText)(std::string& utf8) = nullptr;
};
void SetSystemClipboard(const SystemClipboard& clipboard);

}  // namespace platform
