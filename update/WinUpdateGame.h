// The background update check. This client does not update itself; what
// is left is the flag of a finished update and the prompt to restart.
#pragma once

class CWinUpdateGame
{
public:
    static CWinUpdateGame* GetInstance();

    // An update has finished and waits for the program to start again.
    void SetRestartPending(bool pending) { m_bRestartPending = pending; }
    bool IsRestartPending() const { return m_bRestartPending; }
    // "程序已经升级完成，请重启大厅", once; false when already shown or nothing waits.
    bool ShowRestartPrompt();
    bool WasPromptShown() const { return m_bPromptShown; }

private:
    CWinUpdateGame() = default;
    bool m_bRestartPending = false;
    bool m_bPromptShown = false;
};
