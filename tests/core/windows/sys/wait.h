// <sys/wait.h> for the Windows build of core_tests: there are no child
// processes to wait for (fork fails, see posix_shim.h).
#pragma once

#include "../posix_shim.h"

inline pid_t waitpid(pid_t, int*, int) { return posixShimUnsupported(); }
#define WIFEXITED(s) (((s) & 0x7f) == 0)
#define WEXITSTATUS(s) (((s) >> 8) & 0xff)
#define WIFSIGNALED(s) (((s) & 0x7f) != 0)
#define WTERMSIG(s) ((s) & 0x7f)
