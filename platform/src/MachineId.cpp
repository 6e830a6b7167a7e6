// Machine identity.
//
// Stands in for the MAC address and volume serial number that the Windows
// client hashed. Implemented: a digest of the systemd/D-Bus machine id (or,
// lacking both, of the host name), salted so the raw id never leaves the
// machine. Missing: nothing the callers use. Emulated semantics: 32 hex
// digits, stable across runs and users of one installation.
#include "platform/MachineId.h"

#include <md5.h>
#include <unistd.h>

#include <fstream>

namespace platform {

static std::string ReadFirstLine(const char* path)
{
    std::ifstream in(path);
    std::string line;
    if (in)
        std::getline(in, line);
    return line;
}

std::string GetMachineId()
{
    std::string source = ReadFirstLine("/etc/machine-id");
    if (source.empty())
        source = ReadFirstLine("/var/lib/dbus/machine-id");
    if (source.empty())
    {
        char host[256] = {};
        if (gethostname(host, sizeof(host) - 1) == 0)
            source = host;
    }
    source = "Kestrelium:" + source;
    char hex[MD5_DIGEST_STRING_LENGTH];
    MD5Data(reinterpret_cast<const uint8_t*>(source.data()), source.size(), hex);
    return std::string(hex, MD5_DIGEST_LENGTH * 2);
}

}  // namespace platform
