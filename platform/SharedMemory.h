#pragma once

#include <cstddef>
#include <string>

namespace platform {

// A named block of memory shared between processes (a named file mapping).
class SharedMemory
{
public:
    SharedMemory() = default;
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // Makes a zeroed block; fails when a block of that name exists already.
    bool Create(const std::string& name, size_t size);
    // Maps an existing block; fails when it is missing or smaller than size.
    bool Open(const std::string& name, size_t size);
    // Unmaps; the creator also removes the name.
    void Close();

    void* Data() const { return m_data; }
    size_t Size() const { return m_size; }

private:
    void* m_data = nullptr;
    size_t m_size = 0;
    std::string m_unlinkName;
};

}  // namespace platform
