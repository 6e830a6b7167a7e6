// Single-instance guard.
//
// Stands in for CreateMutex on a name with the ERROR_ALREADY_EXISTS test, and
// for a later start finding the running program's window to bring it
// forward. Implemented: an exclusive, non-blocking flock on "<name>.lock" in
// $XDG_RUNTIME_DIR (or /tmp with the user id in the name); the holder
// listens on a Unix-domain datagram socket in the abstract namespace, named
// after the lock file, and a refused start sends it one datagram. Emulated
// semantics: the kernel drops the lock with the process, so a crashed client
// never blocks the next start; the descriptors are CLOEXEC, so programs we
// start do not keep the lock alive after we exit. Only a lock held by
// another process refuses: a folder where no lock file can be made does not
// keep the program from starting. Missing: the window itself; the holder
// brings its own forward when called.
//
// Abstract names carry no permissions: a call from another user (the kernel
// fills in the sender's credentials, SO_PASSCRED) is dropped unread.
#include "platform/SingleInstance.h"

#include "platform/src/Credentials.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

// The holder's name in the abstract namespace: the user and the lock file's
// path hashed (FNV-1a), so each lock folder has its own and the name fits.
std::string CallName(const std::string& lockPath)
{
    uint64_t hash = 1469598103934665603ULL;
    for (unsigned char c : lockPath)
        hash = (hash ^ c) * 1099511628211ULL;
    char name[64];
    std::snprintf(name, sizeof(name), "kestrelium.instance.%u.%016llx", static_cast<unsigned>(getuid()),
                  static_cast<unsigned long long>(hash));
    return name;
}

socklen_t CallAddress(const std::string& name, sockaddr_un& addr)
{
    std::memset(&addr, 0, sizeof(addr));
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path + 1, name.data(), name.size());  // after the abstract namespace's 0
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

bool FromThisUser(const msghdr& message)
{
    ucred sender;
    return SenderCredentials(message, sender) && sender.uid == getuid();
}

}  // namespace

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
    m_callName = CallName(m_path);
}

SingleInstance::~SingleInstance()
{
    if (m_calls >= 0)
        close(m_calls);
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
    // Holding the lock, the name is ours: a socket left bound by a holder
    // that is still ending only means later starts are not heard.
    const int calls = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_un addr;
    const socklen_t length = CallAddress(m_callName, addr);
    if (calls >= 0 && setsockopt(calls, SOL_SOCKET, SO_PASSCRED, &on, sizeof(on)) == 0 &&
        bind(calls, reinterpret_cast<const sockaddr*>(&addr), length) == 0)
        m_calls = calls;
    else if (calls >= 0)
        close(calls);
    return true;
}

bool SingleInstance::CallHolder() const
{
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr;
    const socklen_t length = CallAddress(m_callName, addr);
    const char call = 1;
    const bool sent = sendto(fd, &call, 1, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&addr), length) == 1;
    close(fd);
    return sent;
}

bool SingleInstance::TakeCalls()
{
    bool called = false;
    while (m_calls >= 0)
    {
        char byte;
        iovec part{&byte, 1};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof(control);
        if (recvmsg(m_calls, &message, MSG_DONTWAIT | MSG_TRUNC | MSG_CMSG_CLOEXEC) < 0)
            break;
        called = called || FromThisUser(message);
    }
    return called;
}

}  // namespace platform
