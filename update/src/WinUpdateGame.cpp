#include "update/WinUpdateGame.h"

#include "core/ClientGlobal.h"

CWinUpdateGame* CWinUpdateGame::GetInstance()
{
    static CWinUpdateGame* update = new CWinUpdateGame();  // lives as long as the program
    return update;
}

bool CWinUpdateGame::ShowRestartPrompt()
{
    if (!m_bRestartPending || m_bPromptShown)
        return false;
    m_bPromptShown = true;
    CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("程序已经升级完成，请重启大厅"));
    return true;
}
