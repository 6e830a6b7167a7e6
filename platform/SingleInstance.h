#pragma once

#include <string>

namespace platform {

// The named mutex that keeps a program to one running instance, and the way
// a later start reaches the running one (to bring its window forward).
class SingleInstance
{
public:
    // dir: where the lock file lives; empty = the user's runtime folder.
    explicit SingleInstance(const std::string& name, const std::string& dir = "");
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another holder has the name; otherwise it is held
    // until this object dies or the process ends (a crash releases it too),
    // and the holder hears later starts. Without a usable lock folder it is
    // true and nothing is held.
    bool Acquire();
    bool IsHeld() const { return m_fd >= 0; }

    // From a start that was refused: tells the holder; false when no holder
    // listens.
    bool CallHolder() const;
    // The holder's side: a descriptor that becomes readable when a later
    // start called (-1 when it cannot hear them), and whether one called
    // since the last look (takes the calls).
    int CallDescriptor() const { return m_calls; }
    bool TakeCalls();

private:
    std::string m_path;
    std::string m_callName;  // the holder's, made with the name
    int m_fd = -1;
    int m_calls = -1;
};

}  // namespace platform
