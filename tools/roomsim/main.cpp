// roomsim: a room server on loopback that plays a scenario file.
#include "tools/roomsim/RoomServer.h"
#include "tools/roomsim/Scenario.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kUsageText[] =
    "usage: roomsim [--host A.B.C.D] [--port N] [--port-file FILE] [--accept-timeout MS] [--repeat] SCENARIO.json\n"
    "       roomsim --check SCENARIO.json...\n"
    "Exit status: 0 passed, 1 usage or scenario error, 2 unexpected client message,\n"
    "3 timed out, 4 client left early.\n";

bool ParseNumber(const char* text, unsigned long long max, unsigned long long& out)
{
    char* end = nullptr;
    errno = 0;
    out = std::strtoull(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && out <= max;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string host = "127.0.0.1", portFile, scenarioPath;
    unsigned long long port = 0, acceptTimeout = 60000;
    bool repeat = false, check = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--host" && hasValue)
        {
            host = argv[++i];
        }
        else if (arg == "--port" && hasValue)
        {
            if (!ParseNumber(argv[++i], 65535, port))
            {
                std::fputs(kUsageText, stderr);
                return roomsim::kUsage;
            }
        }
        else if (arg == "--port-file" && hasValue)
        {
            portFile = argv[++i];
        }
        else if (arg == "--accept-timeout" && hasValue)
        {
            if (!ParseNumber(argv[++i], 86400000ULL, acceptTimeout))
            {
                std::fputs(kUsageText, stderr);
                return roomsim::kUsage;
            }
        }
        else if (arg == "--repeat")
        {
            repeat = true;
        }
        else if (arg == "--check")
        {
            check = true;
        }
        else if (!arg.empty() && arg[0] != '-')
        {
            paths.push_back(arg);
        }
        else
        {
            std::fputs(kUsageText, stderr);
            return roomsim::kUsage;
        }
    }
    if (paths.empty() || (!check && paths.size() != 1))
    {
        std::fputs(kUsageText, stderr);
        return roomsim::kUsage;
    }

    if (check)
    {
        int status = roomsim::kPassed;
        for (const auto& path : paths)
        {
            roomsim::Scenario scenario;
            std::string error;
            if (!roomsim::LoadScenario(path, scenario, error))
            {
                std::fprintf(stderr, "roomsim: %s\n", error.c_str());
                status = roomsim::kUsage;
            }
            else
            {
                std::printf("roomsim: %s: \"%s\", %zu steps\n", path.c_str(), scenario.name.c_str(),
                            scenario.steps.size());
            }
        }
        return status;
    }

    roomsim::Scenario scenario;
    std::string error;
    if (!roomsim::LoadScenario(paths[0], scenario, error))
    {
        std::fprintf(stderr, "roomsim: %s\n", error.c_str());
        return roomsim::kUsage;
    }
    roomsim::RoomServer server(scenario, stderr);
    if (!server.Listen(host, static_cast<uint16_t>(port), error))
    {
        std::fprintf(stderr, "roomsim: %s\n", error.c_str());
        return roomsim::kUsage;
    }
    std::printf("roomsim: listening on %s:%u\n", host.c_str(), server.Port());
    std::fflush(stdout);
    if (!portFile.empty())
    {
        // Written whole under another name first, so a reader never sees half.
        const std::string partial = portFile + ".part";
        FILE* f = std::fopen(partial.c_str(), "w");
        if (f == nullptr || std::fprintf(f, "%u\n", server.Port()) < 0 || std::fclose(f) != 0 ||
            std::rename(partial.c_str(), portFile.c_str()) != 0)
        {
            std::fprintf(stderr, "roomsim: cannot write %s\n", portFile.c_str());
            return roomsim::kUsage;
        }
    }
    // With --repeat every client gets the scenario anew (a player who leaves
    // the room and enters again), until the program is stopped.
    for (;;)
    {
        int status = server.Serve(acceptTimeout);
        if (!repeat)
            return status;
    }
}
