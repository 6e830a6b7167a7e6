// The sanitized build carries its own address-sanitizer options in every
// executable: the runtime resolves our __asan_default_options, and the flag
// it sets is in effect for a run with no ASAN_OPTIONS of its own.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The build defines KEST_SANITIZER_OPTIONS where it links them in.
#if defined(KEST_SANITIZER_OPTIONS)
#define KEST_ASAN 1
extern "C" const char* __asan_default_options();
#else
#define KEST_ASAN 0
#endif

extern char** environ;

namespace {

// Runs this test program again, with ASAN_OPTIONS=help=1 only, and returns
// what it wrote to its error stream (the runtime's flags and their values).
std::string RunWithFlagHelp()
{
    char path[] = "/tmp/kest-asan-help-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return "";
    close(fd);
    std::vector<std::string> env = {"ASAN_OPTIONS=help=1"};
    for (char** e = environ; *e != nullptr; ++e)
        if (std::strncmp(*e, "ASAN_OPTIONS=", 13) != 0)
            env.push_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(&e[0]);
    envp.push_back(nullptr);
    std::string self = "/proc/self/exe";
    std::string list = "--gtest_list_tests";
    char* argv[] = {&self[0], &list[0], nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, path, O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    std::string out;
    if (posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, envp.data()) == 0)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        std::ifstream file(path);
        std::stringstream text;
        text << file.rdbuf();
        out = text.str();
    }
    posix_spawn_file_actions_destroy(&actions);
    unlink(path);
    return out;
}

}  // namespace

TEST(SanitizerOptions, OursAreTheOnesTheRuntimeReads)
{
    if (!KEST_ASAN)
        GTEST_SKIP() << "not a sanitized build";
#if KEST_ASAN
    EXPECT_NE(std::strstr(__asan_default_options(), "intercept_tls_get_addr=0"), nullptr);
    // The runtime's own weak definition would be found if ours were not
    // exported from the executable.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "__asan_default_options"), reinterpret_cast<void*>(&__asan_default_options));
#endif
}

TEST(SanitizerOptions, TheThreadLocalInterceptionIsOffInARun)
{
    if (!KEST_ASAN)
        GTEST_SKIP() << "not a sanitized build";
    const std::string help = RunWithFlagHelp();
    const size_t flag = help.find("intercept_tls_get_addr");
    ASSERT_NE(flag, std::string::npos) << help.substr(0, 2000);
    const size_t value = help.find("Current Value: ", flag);
    ASSERT_NE(value, std::string::npos);
    EXPECT_EQ(help.substr(value + 15, 5), "false");
}
