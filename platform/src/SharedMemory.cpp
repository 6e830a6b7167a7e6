// Named shared memory.
//
// Stands in for CreateFileMapping/MapViewOfFile on a name. Implemented: POSIX
// shm_open under "/kest." followed by the caller's name, created exclusively
// (an existing name is refused, as the room expects), mapped read-write.
// Missing: mapping views at offsets, access rights. Emulated semantics: the
// block lives while its creator holds it; Close by the creator removes the
// name (Windows removes it when the last handle closes), so a process that
// opened it keeps its mapping but no new process can open it.
#include "platform/SharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool PosixName(const std::string& name, std::string& out)
{
    if (name.empty() || name.size() > 200 || name.find('/') != std::string::npos)
        return false;
    out = "/kest." + name;
    return true;
}

}  // namespace

SharedMemory::~SharedMemory() { Close(); }

bool SharedMemory::Create(const std::string& name, size_t size)
{
    Close();
    std::string path;
    if (size == 0 || !PosixName(name, path))
        return false;
    int fd = shm_open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    void* data = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(size)) == 0)
        data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (data == MAP_FAILED)
    {
        shm_unlink(path.c_str());
        return false;
    }
    m_data = data;
    m_size = size;
    m_unlinkName = path;
    return true;
}

bool SharedMemory::Open(const std::string& name, size_t size)
{
    Close();
    std::string path;
    if (size == 0 || !PosixName(name, path))
        return false;
    int fd = shm_open(path.c_str(), O_RDWR | O_CLOEXEC, 0);
    if (fd < 0)
        return false;
    struct stat st;
    void* data = MAP_FAILED;
    if (fstat(fd, &st) == 0 && static_cast<size_t>(st.st_size) >= size)
        data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (data == MAP_FAILED)
        return false;
    m_data = data;
    m_size = size;
    return true;
}

void SharedMemory::Close()
{
    if (m_data != nullptr)
        munmap(m_data, m_size);
    if (!m_unlinkName.empty())
        shm_unlink(m_unlinkName.c_str());
    m_data = nullptr;
    m_size = 0;
    m_unlinkName.clear();
}

}  // namespace platform
