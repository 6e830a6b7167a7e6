#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// A started program, as a process handle is to Windows.
class Process
{
public:
    Process() = default;
    ~Process();  // closes, does not terminate
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts program with the command line split into arguments the Windows
    // way (blanks separate, double quotes group; the first is the program's
    // own name). An empty workDir keeps ours. False when it cannot start.
    bool Start(const std::string& program, const std::string& commandLine, const std::string& workDir);
    // Never blocks: true while the process runs.
    bool IsRunning();
    // The exit status once it ended (a signal n gives 128 + n), else -1.
    int ExitCode() const { return m_exitCode; }
    // Ends the process at once.
    bool Terminate();
    // Forgets the process; one still running is reaped when it ends.
    void Close();
    bool IsOpen() const { return m_pid > 0; }
    pid_t Pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_exitCode = -1;
};

std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace platform
