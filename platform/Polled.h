// What the loop's last wait found on its descriptors.
#pragma once

#include <poll.h>

#include <vector>

namespace platform {

// Whether the loop's last wait looked at the descriptor and found nothing
// on it (no data, hang-up or error): then it need not be read. A wait that
// did not look (polled is null), or a descriptor it did not poll, says no.
inline bool FoundQuiet(const std::vector<pollfd>* polled, int fd)
{
    if (polled == nullptr || fd < 0)
        return false;
    bool quiet = false;
    for (const pollfd& p : *polled)
        if (p.fd == fd)
            quiet = (p.revents & (POLLIN | POLLHUP | POLLERR)) == 0;
    return quiet;
}

}  // namespace platform
