#include "tests/SystemFaults.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

int syncFault(int fd)
{
    struct stat st {};
    if (fstat(fd, &st) != 0)
        return 0;
    if (S_ISDIR(st.st_mode))
        return faults.folderSync;
    return S_ISREG(st.st_mode) && faults.syncsFirst-- <= 0 ? faults.fileSync : 0;
}

// A write to a regular file may take fewer bytes than asked, as one cut short by a signal or a
// network file system does.
std::size_t writeSize(int fd, std::size_t size)
{
    struct stat st {};
    if (faults.writeAtMost == 0 || size <= faults.writeAtMost || fstat(fd, &st) != 0 ||
        !S_ISREG(st.st_mode))
        return size;
    return faults.writeAtMost;
}

int renameFault(const char *to)
{
    const std::size_t length = std::strlen(to);
    return length > 0 && to[length - 1] == '~' ? faults.backupRename : faults.rename;
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

int linkat(int fromFolder, const char *from, int toFolder, const char *to, int flags)
{
    // A file made without a name has no other name yet, so it can always be given one.
    const bool unnamed = std::strncmp(from, "/proc/self/fd/", 14) == 0;
    return orNext<int(int, const char *, int, const char *, int)>(
        "linkat", unnamed ? 0 : faults.link, fromFolder, from, toFolder, to, flags);
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
        "openat", tmpFile && faults.noUnnamedFiles ? EOPNOTSUPP : 0, folder, path, flags, mode);
}

int fchmod(int fd, mode_t mode)
{
    return orNext<int(int, mode_t)>("fchmod", faults.chmod, fd, mode);
}

ssize_t write(int fd, const void *data, size_t size)
{
    return orNext<ssize_t(int, const void *, size_t)>("write", 0, fd, data, writeSize(fd, size));
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    return orNext<int(int, const char *, int, const char *)>("renameat", renameFault(to),
                                                             fromFolder, from, toFolder, to);
}

} // extern "C"
