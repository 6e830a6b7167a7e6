// The sender's credentials on a datagram of a socket with SO_PASSCRED (the
// kernel fills them in): shared by the message windows and the
// single-instance guard, which take nothing from another user.
#pragma once

#include <sys/socket.h>

#include <cstring>

namespace platform {

// False when the datagram came without them.
inline bool SenderCredentials(const msghdr& message, ucred& sender)
{
    for (const cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr;
         c = CMSG_NXTHDR(const_cast<msghdr*>(&message), const_cast<cmsghdr*>(c)))
    {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_CREDENTIALS || c->cmsg_len < CMSG_LEN(sizeof(ucred)))
            continue;
        std::memcpy(&sender, CMSG_DATA(c), sizeof(sender));
        return true;
    }
    return false;
}

}  // namespace platform
