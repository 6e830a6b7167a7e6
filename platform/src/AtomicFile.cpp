// Stands in for the careful file replacement a Windows client gets from
// ReplaceFile: a temporary file in the same folder (so the rename stays on
// one file system), fsync, close, then rename over the target and fsync the
// folder. Any failure removes the temporary file and leaves the target.
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

namespace {

ssize_t SystemWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

WriteFunction g_write = &SystemWrite;

std::string Reason(const char* step) { return std::string(step) + ": " + std::strerror(errno); }

void SyncFolder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);  // the rename is done; a folder that cannot sync changes nothing
    close(fd);
}

}  // namespace

WriteFunction SetWriteFunction(WriteFunction function)
{
    WriteFunction previous = g_write;
    g_write = function != nullptr ? function : &SystemWrite;
    return previous;
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string& error)
{
    error.clear();
    if (path.empty() || (data == nullptr && size != 0))
    {
        error = "no file or no data";
        return false;
    }
    std::vector<char> temp(path.begin(), path.end());
    static const char kSuffix[] = ".tmp.XXXXXX";
    temp.insert(temp.end(), kSuffix, kSuffix + sizeof(kSuffix));  // with its 0
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
    {
        error = Reason("cannot create a temporary file");
        return false;
    }
    bool ok = fchmod(fd, 0644) == 0;
    if (!ok)
        error = Reason("chmod");
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t written = 0;
    while (ok && written < size)
    {
        const ssize_t n = g_write(fd, bytes + written, size - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            if (n == 0)
                errno = ENOSPC;
            error = Reason("write");
            ok = false;
            break;
        }
        written += static_cast<size_t>(n);
    }
    if (ok && fsync(fd) != 0)
    {
        error = Reason("flush");
        ok = false;
    }
    if (close(fd) != 0 && ok)
    {
        error = Reason("close");
        ok = false;
    }
    if (ok && std::rename(temp.data(), path.c_str()) != 0)
    {
        error = Reason("rename");
        ok = false;
    }
    if (!ok)
    {
        unlink(temp.data());
        return false;
    }
    SyncFolder(path);
    return true;
}

}  // namespace platform
