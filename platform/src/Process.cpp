// Processes.
//
// Stands in for CreateProcessA, WaitForSingleObject(h, 0), TerminateProcess
// and CloseHandle. Implemented: posix_spawn (the child inherits no descriptor
// of ours but the standard three, as every descriptor we open is CLOEXEC),
// a working folder, a non-blocking waitpid poll, SIGKILL for terminate.
// Missing: start-up info, creation flags, thread handles. Emulated
// semantics: a closed handle leaves the process running; it is reaped later
// so it never lingers as a zombie.
#include "platform/Process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

std::vector<pid_t>& Orphans()
{
    static std::vector<pid_t> pids;
    return pids;
}

void ReapOrphans()
{
    auto& orphans = Orphans();
    for (size_t i = 0; i < orphans.size();)
    {
        int status;
        pid_t r = waitpid(orphans[i], &status, WNOHANG);
        if (r == orphans[i] || r < 0)
            orphans.erase(orphans.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false;
    bool have = false;
    for (char c : commandLine)
    {
        if (c == '"')
        {
            inQuotes = !inQuotes;
            have = true;
        }
        else if ((c == ' ' || c == '\t') && !inQuotes)
        {
            if (have)
                args.push_back(current);
            current.clear();
            have = false;
        }
        else
        {
            current.push_back(c);
            have = true;
        }
    }
    if (have)
        args.push_back(current);
    return args;
}

Process::~Process() { Close(); }

bool Process::Start(const std::string& program, const std::string& commandLine, const std::string& workDir)
{
    Close();
    ReapOrphans();
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty())
        args.push_back(program);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!workDir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    pid_t pid = -1;
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    m_pid = pid;
    m_exitCode = -1;
    return true;
}

bool Process::IsRunning()
{
    if (m_pid <= 0 || m_exitCode >= 0)
        return false;
    int status = 0;
    pid_t r = waitpid(m_pid, &status, WNOHANG);
    if (r == 0)
        return true;
    if (r == m_pid)
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 0;
    else
        m_exitCode = 0;  // not our child any more
    return false;
}

bool Process::Terminate()
{
    if (!IsRunning())
        return false;
    if (kill(m_pid, SIGKILL) != 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, 0) == m_pid)
        m_exitCode = 128 + SIGKILL;
    return true;
}

void Process::Close()
{
    if (m_pid > 0 && IsRunning())
        Orphans().push_back(m_pid);
    m_pid = -1;
    m_exitCode = -1;
    ReapOrphans();
}

}  // namespace platform
