// Single-instance guard.
//
// Stands in for CreateMutex on a name with the ERROR_ALREADY_EXISTS test.
// Implemented: an exclusive, non-blocking flock on "<name>.lock" in
// $XDG_RUNTIME_DIR (or /tmp with the user id in the name). Emulated
// semantics: the kernel drops the lock with the process, so a crashed client
// never blocks the next start; the descriptor is CLOEXEC, so programs we
// start do not keep the lock alive after we exit. Only a lock held by
// another process refuses: a folder where no lock file can be made does not
// keep the program from starting.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

SingleInstance::SingleInstance(const std::string& name, const std::string& dir)
{
    if (!dir.empty())
    {
        m_path = dir + "/" + name + ".lock";
    }
    else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0')
    {
        m_path = std::string(runtime) + "/" + name + ".lock";
    }
    else
    {
        m_path = "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
    }
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool SingleInstance::Acquire()
{
    if (m_fd >= 0)
        return true;
    int fd = open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;  // no lock file possible: nobody holds the name, so run unguarded
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

}  // namespace platform
