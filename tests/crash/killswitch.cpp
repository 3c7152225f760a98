#include "killswitch.h"

#include <atomic>
#include <csignal>
#include <cstdarg>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

std::atomic<bool> armed{false};
std::atomic<long> counted{0};

long killAt()
{
    static const long at = [] {
        const char *text = std::getenv("LUMIVUE_KILL_AT");
        return text ? std::atol(text) : 0L;
    }();
    return at;
}

// True when the call about to run is the one to die at.
bool step()
{
    if (!armed.load())
        return false;
    const long n = ++counted;
    return n == killAt();
}

[[noreturn]] void die()
{
    ::kill(::getpid(), SIGKILL);
    std::abort();
}

template <typename F> F real(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

bool writes(int flags) { return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0; }

mode_t modeOf(int flags, va_list args)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

namespace KillSwitch {
void arm() { armed = true; }
void disarm() { armed = false; }
long steps() { return counted.load(); }
} // namespace KillSwitch

#define KILLSWITCH_OPEN(fn, ...)                                                                   \
    {                                                                                              \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = modeOf(flags, args);                                                   \
        va_end(args);                                                                              \
        if (writes(flags) && step())                                                               \
            die();                                                                                 \
        static const auto next = real<decltype(&fn)>(#fn);                                         \
        return next(__VA_ARGS__, flags, mode);                                                     \
    }

#define KILLSWITCH_STEP(fn, ...)                                                                   \
    {                                                                                              \
        if (step())                                                                                \
            die();                                                                                 \
        static const auto next = real<decltype(&fn)>(#fn);                                         \
        return next(__VA_ARGS__);                                                                  \
    }

extern "C" {

int open(const char *path, int flags, ...) KILLSWITCH_OPEN(open, path) int open64(const char *path,
                                                                                  int flags, ...)
    KILLSWITCH_OPEN(open64, path) int openat(int dir, const char *path, int flags, ...)
        KILLSWITCH_OPEN(openat, dir, path) int openat64(int dir, const char *path, int flags, ...)
            KILLSWITCH_OPEN(openat64, dir, path)

                ssize_t write(int fd, const void *buffer, size_t size)
{
    static const auto next = real<decltype(&write)>("write");
    if (fd > 2 && step()) {
        if (size > 1)
            next(fd, buffer, size / 2);
        die();
    }
    return next(fd, buffer, size);
}

ssize_t copy_file_range(int in, off64_t *inAt, int out, off64_t *outAt, size_t size,
                        unsigned flags) KILLSWITCH_STEP(copy_file_range, in, inAt, out, outAt, size,
                                                        flags) int rename(const char *from,
                                                                          const char *to)
    KILLSWITCH_STEP(rename, from, to) int renameat(int fromDir, const char *from, int toDir,
                                                   const char *to)
        KILLSWITCH_STEP(renameat, fromDir, from, toDir,
                        to) int renameat2(int fromDir, const char *from, int toDir, const char *to,
                                          unsigned flags)
            KILLSWITCH_STEP(renameat2, fromDir, from, toDir, to, flags) int unlink(const char *path)
                KILLSWITCH_STEP(unlink, path) int unlinkat(int dir, const char *path, int flags)
                    KILLSWITCH_STEP(unlinkat, dir, path, flags) int remove(const char *path)
                        KILLSWITCH_STEP(remove, path) int rmdir(const char *path)
                            KILLSWITCH_STEP(rmdir, path) int mkdir(const char *path, mode_t mode)
                                KILLSWITCH_STEP(mkdir, path,
                                                mode) int linkat(int fromDir, const char *from,
                                                                 int toDir, const char *to,
                                                                 int flags)
                                    KILLSWITCH_STEP(linkat, fromDir, from, toDir, to,
                                                    flags) int ftruncate(int fd, off_t size)
                                        KILLSWITCH_STEP(ftruncate, fd,
                                                        size) int ftruncate64(int fd, off64_t size)
                                            KILLSWITCH_STEP(ftruncate64, fd, size)

} // extern "C"
