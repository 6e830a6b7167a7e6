// Running the real program and roomsim from a test: each started with its
// output in a log file, waited for with a deadline, and the log read back.
// ProgramTest gives each test its own folder for the user's settings, the
// lock and the logs, serves a scenario with roomsim and runs the program
// headless against it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace programrun {

inline std::string ReadAll(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The process's id, or -1 when it cannot be started; stdout and stderr go to log.
inline pid_t Spawn(std::vector<std::string> args, const std::string& log)
{
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// The exit status; -1 when it did not end in time (then it is killed) or
// ended by a signal.
inline int Wait(pid_t pid, int seconds)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0)
    {
        if (std::chrono::steady_clock::now() > giveUp)
        {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Pixels of a PNG in the magenta that marks a stand-in picture; -1 when unreadable.
int MagentaPixels(const std::string& png);

// Keeps a shot as screens/<name>.png beside the test, for a look.
void KeepScreen(const std::string& shot, const std::string& name);

class ProgramTest : public ::testing::Test
{
protected:
    struct Outcome
    {
        int server = -1;
        int client = -1;
        std::string serverLog;
        std::string clientLog;
    };

    void SetUp() override;
    void TearDown() override;

    // Starts roomsim on scenarios/<scenario>; it waits `acceptMs` for the
    // client. The port it listens on, 0 when it did not come up.
    int Serve(const std::string& scenario, int acceptMs = 60000);
    // Runs the program headless with the options, `seconds` at the most,
    // then waits for roomsim to end; nothing runs when roomsim did not start.
    Outcome Run(const std::vector<std::string>& options, int seconds);

    std::string m_dir;

private:
    pid_t m_server = -1;
};

}  // namespace programrun
