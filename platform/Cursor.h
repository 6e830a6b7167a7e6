#pragma once

#include <string>

namespace platform {

// A mouse cursor made from a picture. Cursors live until the program ends.
class Cursor;

// Loads a picture (scaled to 48 x 48) as a colour cursor with its hot spot in
// picture pixels; null when the file is missing or unreadable. Without a
// mouse-capable video driver (headless) the cursor is kept but not shown.
Cursor* LoadCursorFromFile(const std::string& path, int hotX, int hotY);
Cursor* GetArrowCursor();
// Like Win32 SetCursor: null hides the pointer.
void SetCursor(Cursor* cursor);
Cursor* GetCursor();
const std::string& GetCursorSource(const Cursor* cursor);

}  // namespace platform
