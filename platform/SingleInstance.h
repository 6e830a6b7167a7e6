#pragma once

#include <string>

namespace platform {

// The named mutex that keeps a program to one running instance.
class SingleInstance {
public:
    // dir: where the lock file lives; empty = the user's runtime folder.
    explicit SingleInstance(const std::string& name, const std::string& dir = "");
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when no other process holds the name; it is then held until this
    // object dies or the process ends (a crash releases it too).
    bool Acquire();
    bool IsHeld() const { return m_fd >= 0; }

private:
    std::string m_path;
    int m_fd = -1;
};

} // namespace platform
