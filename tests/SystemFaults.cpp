#include "tests/SystemFaults.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <utility>

namespace {

SystemFaults::Faults &faults = SystemFaults::current();

// Fails with `error`, or when that is 0 calls the C library's own `name`.
template <class Function, class... Args> auto orNext(const char *name, int error, Args... args)
{
    if (error != 0) {
        errno = error;
        return decltype(std::declval<Function *>()(args...))(-1);
    }
    return reinterpret_cast<Function *>(dlsym(RTLD_NEXT, name))(args...);
}

mode_t typeOf(int fd)
{
    struct stat st {};
    return fstat(fd, &st) == 0 ? st.st_mode & S_IFMT : 0;
}

int syncFault(int fd)
{
    const mode_t type = typeOf(fd);
    if (type == S_IFDIR)
        return faults.folderSync;
    return type == S_IFREG && faults.syncsFirst-- <= 0 ? faults.fileSync : 0;
}

// -1 for a path outside /proc/self/fd; else the errno of reaching a file through it, or 0.
int viaProc(const char *path)
{
    return std::strncmp(path, "/proc/self/fd/", 14) != 0 ? -1 : faults.noProc;
}

} // namespace

SystemFaults::Faults &SystemFaults::current()
{
    static Faults faults;
    return faults;
}

extern "C" {

int fsync(int fd)
{
    return orNext<int(int)>("fsync", syncFault(fd), fd);
}

int fdatasync(int fd)
{
    return orNext<int(int)>("fdatasync", syncFault(fd), fd);
}

int syncfs(int fd)
{
    return orNext<int(int)>("syncfs", faults.folderSync, fd);
}

int linkat(int fromFolder, const char *from, int toFolder, const char *to, int flags)
{
    // A file made without a name has no other name yet: too many links never stop it.
    const int proc = viaProc(from);
    const int error = proc < 0 ? faults.link : proc > 0 ? proc : faults.nameUnnamed;
    return orNext<int(int, const char *, int, const char *, int)>("linkat", error, fromFolder, from,
                                                                  toFolder, to, flags);
}

int openat(int folder, const char *path, int flags, ...)
{
    mode_t mode = 0;
    const bool tmpFile = (flags & O_TMPFILE) == O_TMPFILE;
    if ((flags & O_CREAT) || tmpFile) {
        va_list arguments;
        va_start(arguments, flags);
        mode = mode_t(va_arg(arguments, int));
        va_end(arguments);
    }
    return orNext<int(int, const char *, int, ...)>(
        "openat", tmpFile && faults.noUnnamedFiles ? EOPNOTSUPP : std::max(viaProc(path), 0),
        folder, path, flags, mode);
}

int fchmod(int fd, mode_t mode)
{
    return orNext<int(int, mode_t)>("fchmod", faults.chmod, fd, mode);
}

ssize_t write(int fd, const void *data, size_t size)
{
    // A write to a file fails as on a full disk, or is cut short or interrupted by a signal.
    const bool file = (faults.write || faults.writeAtMost) && typeOf(fd) == S_IFREG;
    static int writes = 0;
    if (file && faults.writeAtMost > 0 && ++writes % 2 == 0)
        return errno = EINTR, -1;
    if (file && faults.writeAtMost > 0)
        size = std::min(size, std::size_t(faults.writeAtMost));
    return orNext<ssize_t(int, const void *, size_t)>(
        "write", file ? std::exchange(faults.write, 0) : 0, fd, data, size);
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    const bool backup = *to != '\0' && to[std::strlen(to) - 1] == '~';
    return orNext<int(int, const char *, int, const char *)>(
        "renameat", backup ? faults.backupRename : faults.rename, fromFolder, from, toFolder, to);
}

} // extern "C"
