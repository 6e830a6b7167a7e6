#pragma once

namespace ui {

// Gives the core the UI's services (the message box). The program calls it
// once at start-up, before any message can be shown.
void InstallCoreServices();

} // namespace ui
