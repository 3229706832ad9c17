#include "app/HugePageHeap.h"

#include <cstdlib>
#include <unistd.h>

void useHugePageHeap(char **argv)
{
#if defined(__linux__) && defined(__GLIBC__)
    // Set by the restart itself too, so the program restarts at most once.
    if (std::getenv("GLIBC_TUNABLES") || !argv || !argv[0])
        return;
    if (setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // Still here: the restart failed, and the program goes on as it is.
    unsetenv("GLIBC_TUNABLES");
#else
    (void)argv;
#endif
}
