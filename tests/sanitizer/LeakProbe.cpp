// Leaks a block of its own, so a test can see that the sanitized build's
// default options (which pass over system libraries' leaks) still fail a
// program of ours that leaks.
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

char* volatile g_kept = nullptr;

}  // namespace

int main()
{
    g_kept = static_cast<char*>(std::malloc(4096));
    std::memset(g_kept, 1, 4096);
    g_kept = nullptr;  // the only pointer to it is gone
    std::puts("leak probe: 4096 bytes dropped");
    return 0;
}
