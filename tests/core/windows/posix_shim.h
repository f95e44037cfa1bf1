// The POSIX calls the core tests use, for the Windows build of core_tests
// (force-included there, see CMakeLists.txt). The environment and scratch
// folder calls work as on POSIX. The calls Windows does not have at all
// (fork, pipes as files, resource limits, signals sent to a child) fail
// with ENOSYS, and the tests that rely on them are left out of the run by
// name in scripts/test-windows.
#pragma once

#ifdef _WIN32

#include <direct.h>
#include <errno.h>
#include <io.h>
#include <process.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && getenv(name) != nullptr) return 0;
    return _putenv_s(name, value) == 0 ? 0 : -1;
}

// An empty value removes the variable on Windows.
inline int unsetenv(const char* name) { return _putenv_s(name, "") == 0 ? 0 : -1; }

inline char* mkdtemp(char* pattern) {
    if (_mktemp_s(pattern, strlen(pattern) + 1) != 0) return nullptr;
    return _mkdir(pattern) == 0 ? pattern : nullptr;
}

// The test process's parent, as a process that is still running.
inline pid_t getppid() { return _getpid(); }

// Windows has no superuser that may use every device.
inline unsigned geteuid() { return 1000; }

// Files on Windows are never symbolic links as the C runtime sees them.
inline int lstat(const char* path, struct stat* st) { return stat(path, st); }
#ifndef S_ISLNK
#define S_ISLNK(m) 0
#endif

inline int posixShimUnsupported() {
    errno = ENOSYS;
    return -1;
}
inline int mkfifo(const char*, unsigned) { return posixShimUnsupported(); }
inline int mkfifo(const wchar_t*, unsigned) { return posixShimUnsupported(); }
inline int symlink(const char*, const char*) { return posixShimUnsupported(); }
inline pid_t fork() { return posixShimUnsupported(); }
// Windows files have no owner and group as POSIX sees them.
inline int chown(const char*, unsigned, unsigned) { return posixShimUnsupported(); }
inline int lchown(const char*, unsigned, unsigned) { return posixShimUnsupported(); }
inline int setuid(unsigned) { return posixShimUnsupported(); }
inline int setgid(unsigned) { return posixShimUnsupported(); }
inline int kill(pid_t, int) { return posixShimUnsupported(); }

#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef SIGKILL
#define SIGKILL 9
#endif
#ifndef SIGPIPE
#define SIGPIPE 13
#endif
#ifndef SIGXFSZ
#define SIGXFSZ 25
#endif

#endif  // _WIN32
