#pragma once

#include <string>

namespace platform {

// The named mutex that keeps a program to one running instance.
class SingleInstance
{
public:
    // dir: where the lock file lives; empty = the user's runtime folder.
    explicit SingleInstance(const std::string& name, const std::string& dir = "");
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another holder has the name; otherwise it is held
    // until this object dies or the process ends (a crash releases it too).
    // Without a usable lock folder it is true and nothing is held.
    bool Acquire();
    bool IsHeld() const { return m_fd >= 0; }

private:
    std::string m_path;
    int m_fd = -1;
};

}  // namespace platform
