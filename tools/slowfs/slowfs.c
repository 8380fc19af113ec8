/* A slow file system for tests and the benchmark: loaded with LD_PRELOAD into a Wine client
 * process, it sleeps SLOWFS_DELAY_MS milliseconds (default 2000) in every path-taking file call
 * whose path contains SLOWFS_MARKER (default "velmarin-slow"), then does the real call. So the
 * file system itself is slow, as a network share that takes its time, and Wine's own code runs.
 *
 * Wine 8's ntdll.so asks glibc for stat, lstat, fstatat, open, opendir, access and getxattr;
 * the other names cover older and newer glibc entry points and other callers.
 *
 * Paths holding SLOWFS_FAIL_MARKER (when set) fail at once with the error number
 * SLOWFS_FAIL_ERRNO (default EACCES), as a folder nobody may look into or a share that refuses
 * the caller: tests see the error Wine makes of it.
 *
 * It does nothing inside wineserver: the server is shared by every Wine process of the prefix
 * and runs one request at a time, so a sleep there would stall all of them, not just the
 * client that touched the slow path. Wine starts the server with the client's environment, so
 * it can inherit the preload. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/xattr.h>
#include <dirent.h>
#include <time.h>
#include <unistd.h>

static const char* marker = "velmarin-slow";
static long delay_ms = 2000;
static int active = 1;
static const char* fail_marker = NULL;
static int fail_errno = EACCES;

__attribute__((constructor)) static void slowfs_init(void) {
  const char* m = getenv("SLOWFS_MARKER");
  const char* d = getenv("SLOWFS_DELAY_MS");
  if (m != NULL && *m != '\0') marker = m;
  if (d != NULL && *d != '\0') delay_ms = strtol(d, NULL, 10);
  const char* f = getenv("SLOWFS_FAIL_MARKER");
  const char* e = getenv("SLOWFS_FAIL_ERRNO");
  if (f != NULL && *f != '\0') fail_marker = f;
  if (e != NULL && *e != '\0') fail_errno = (int)strtol(e, NULL, 10);
  if (strstr(program_invocation_short_name, "wineserver") != NULL) active = 0;
}

static void slow_down(const char* path) {
  if (!active || path == NULL || delay_ms <= 0 || strstr(path, marker) == NULL) return;
  const int saved = errno;
  struct timespec left = {delay_ms / 1000, (delay_ms % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
  errno = saved;
}

/* True (errno set) when the call on `path` is to fail instead of being made. */
static int fails(const char* path) {
  if (!active || path == NULL || fail_marker == NULL || strstr(path, fail_marker) == NULL)
    return 0;
  errno = fail_errno;
  return 1;
}

/* The next definition of `name` after this library (libc's), looked up once. A name libc
 * lacks fails the call with ENOSYS rather than crashing it. */
static void* next_definition(void** cache, const char* name) {
  void* found = __atomic_load_n(cache, __ATOMIC_ACQUIRE);
  if (found == NULL) {
    found = dlsym(RTLD_NEXT, name);
    __atomic_store_n(cache, found, __ATOMIC_RELEASE);
  }
  return found;
}

#define CALL_NEXT_OR(failure, name, ...)                                         \
  do {                                                                          \
    static void* cache;                                                         \
    __typeof__(&name) next = (__typeof__(&name))next_definition(&cache, #name); \
    if (next == NULL) {                                                         \
      errno = ENOSYS;                                                           \
      return failure;                                                           \
    }                                                                           \
    return next(__VA_ARGS__);                                                   \
  } while (0)
#define CALL_NEXT(name, ...) CALL_NEXT_OR(-1, name, __VA_ARGS__)

/* open and openat take a mode only when they may create the file. */
static int takes_mode(int flags) {
#ifdef O_TMPFILE
  if ((flags & O_TMPFILE) == O_TMPFILE) return 1;
#endif
  return (flags & O_CREAT) != 0;
}

#define MODE_ARG(flags, mode)        \
  mode_t mode = 0;                   \
  if (takes_mode(flags)) {           \
    va_list args;                    \
    va_start(args, flags);           \
    mode = va_arg(args, mode_t);     \
    va_end(args);                    \
  }

int stat(const char* path, struct stat* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(stat, path, buf);
}
int lstat(const char* path, struct stat* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(lstat, path, buf);
}
int fstatat(int dir, const char* path, struct stat* buf, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(fstatat, dir, path, buf, flags);
}
int stat64(const char* path, struct stat64* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(stat64, path, buf);
}
int lstat64(const char* path, struct stat64* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(lstat64, path, buf);
}
int fstatat64(int dir, const char* path, struct stat64* buf, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(fstatat64, dir, path, buf, flags);
}
int statx(int dir, const char* path, int flags, unsigned int mask, struct statx* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(statx, dir, path, flags, mask, buf);
}

/* Entry points of programs built against glibc before 2.33. */
int __xstat(int ver, const char* path, struct stat* buf);
int __lxstat(int ver, const char* path, struct stat* buf);
int __fxstatat(int ver, int dir, const char* path, struct stat* buf, int flags);
int __xstat64(int ver, const char* path, struct stat64* buf);
int __lxstat64(int ver, const char* path, struct stat64* buf);
int __fxstatat64(int ver, int dir, const char* path, struct stat64* buf, int flags);
int __xstat(int ver, const char* path, struct stat* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__xstat, ver, path, buf);
}
int __lxstat(int ver, const char* path, struct stat* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__lxstat, ver, path, buf);
}
int __fxstatat(int ver, int dir, const char* path, struct stat* buf, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__fxstatat, ver, dir, path, buf, flags);
}
int __xstat64(int ver, const char* path, struct stat64* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__xstat64, ver, path, buf);
}
int __lxstat64(int ver, const char* path, struct stat64* buf) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__lxstat64, ver, path, buf);
}
int __fxstatat64(int ver, int dir, const char* path, struct stat64* buf, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__fxstatat64, ver, dir, path, buf, flags);
}

int open(const char* path, int flags, ...) {
  MODE_ARG(flags, mode)
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(open, path, flags, mode);
}
int open64(const char* path, int flags, ...) {
  MODE_ARG(flags, mode)
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(open64, path, flags, mode);
}
int openat(int dir, const char* path, int flags, ...) {
  MODE_ARG(flags, mode)
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(openat, dir, path, flags, mode);
}
int openat64(int dir, const char* path, int flags, ...) {
  MODE_ARG(flags, mode)
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(openat64, dir, path, flags, mode);
}
/* What open and openat become under _FORTIFY_SOURCE. */
int __open_2(const char* path, int flags);
int __open64_2(const char* path, int flags);
int __openat_2(int dir, const char* path, int flags);
int __openat64_2(int dir, const char* path, int flags);
int __open_2(const char* path, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__open_2, path, flags);
}
int __open64_2(const char* path, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__open64_2, path, flags);
}
int __openat_2(int dir, const char* path, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__openat_2, dir, path, flags);
}
int __openat64_2(int dir, const char* path, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(__openat64_2, dir, path, flags);
}

DIR* opendir(const char* path) {
  if (fails(path)) return NULL;
  slow_down(path);
  CALL_NEXT_OR(NULL, opendir, path);
}
int access(const char* path, int how) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(access, path, how);
}
int faccessat(int dir, const char* path, int how, int flags) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(faccessat, dir, path, how, flags);
}
int euidaccess(const char* path, int how) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(euidaccess, path, how);
}
ssize_t getxattr(const char* path, const char* name, void* value, size_t size) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(getxattr, path, name, value, size);
}
ssize_t lgetxattr(const char* path, const char* name, void* value, size_t size) {
  if (fails(path)) return -1;
  slow_down(path);
  CALL_NEXT(lgetxattr, path, name, value, size);
}
