// Files the client writes are replaced whole or not at all: the bytes go to a
// temporary file beside the target, which takes the target's place only once
// every write, the flush to disk and the close have succeeded. On a full disk
// the old file stays as it was.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace platform {

// False, with the reason in error and the old file untouched, when any step
// fails.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string& error);

// The call every write goes through (write(2) by default). Tests put in one
// that fails, as a full disk does; null puts the system's back. Returns the
// previous one.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);
WriteFunction SetWriteFunction(WriteFunction function);

}  // namespace platform
