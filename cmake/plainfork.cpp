// SPDX-License-Identifier: GPL-3.0-or-later
//
// Preloaded into the programs the tests run under qemu-user. Qt starts a child process with
// clone(CLONE_PIDFD) where the kernel offers process file descriptors, which it finds out by
// calling waitid(P_PIDFD) on a descriptor that cannot exist. qemu-user passes that question to
// the build machine's kernel, which says yes, but refuses the clone itself, so no QProcess
// could start. Answering as a kernel without process file descriptors makes Qt fork the classic
// way, which qemu-user runs. Everything else goes to the C library unchanged.

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/syscall.h>

namespace {
const long waitidOnPidfd = 3; // P_PIDFD

// The emulator hands the preload to this program only: its children (the build machine's
// lupdate, or another emulated program with its own) go without it.
struct DropPreload
{
    DropPreload() { unsetenv("LD_PRELOAD"); }
} dropPreload;
} // namespace

extern "C" long syscall(long number, ...)
{
    va_list list;
    va_start(list, number);
    long argument[6];
    for (long &a : argument)
        a = va_arg(list, long);
    va_end(list);
    if (number == SYS_waitid && argument[0] == waitidOnPidfd) {
        errno = ENOSYS;
        return -1;
    }
    typedef long (*Syscall)(long, ...);
    static const Syscall next = reinterpret_cast<Syscall>(dlsym(RTLD_NEXT, "syscall"));
    return next(number, argument[0], argument[1], argument[2], argument[3], argument[4],
                argument[5]);
}
