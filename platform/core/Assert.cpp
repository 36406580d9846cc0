#include "platform/core/Assert.h"

#include <cstdio>
#include <cstdlib>

void PravixAssertionFailed(const char* condition, const char* why, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s (%s)\n", file, line, why, condition);
    std::fflush(stderr);
    std::abort();
}
