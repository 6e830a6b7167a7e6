#pragma once

// Gives the core the UI's services (the message box and the drawn width of
// text) and the platform the window's clipboard. The program calls it once at
// start-up, before any message can be shown.
void InstallUiCoreServices();
