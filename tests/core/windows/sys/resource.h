// <sys/resource.h> for the Windows build of core_tests: Windows has no
// file size limit to set (see posix_shim.h).
#pragma once

#include "../posix_shim.h"

#define RLIMIT_FSIZE 1
struct rlimit {
    unsigned long long rlim_cur;
    unsigned long long rlim_max;
};
inline int setrlimit(int, const struct rlimit*) { return posixShimUnsupported(); }
