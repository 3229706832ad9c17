#include "tests/SystemFaults.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>

namespace {

SystemFaults::Faults faults;

template <class Function> Function *next(const char *name)
{
    return reinterpret_cast<Function *>(dlsym(RTLD_NEXT, name));
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

int fail(int error)
{
    errno = error;
    return -1;
}

int renameFault(const char *to)
{
    const std::size_t length = std::strlen(to);
    return length > 0 && to[length - 1] == '~' ? faults.backupRename : faults.rename;
}

} // namespace

namespace SystemFaults {

Scope::Scope(const Faults &set)
{
    faults = set;
}

Scope::~Scope()
{
    faults = Faults();
}

} // namespace SystemFaults

extern "C" {

int fsync(int fd)
{
    static auto *real = next<int(int)>("fsync");
    const int error = syncFault(fd);
    return error ? fail(error) : real(fd);
}

int fdatasync(int fd)
{
    static auto *real = next<int(int)>("fdatasync");
    const int error = syncFault(fd);
    return error ? fail(error) : real(fd);
}

int linkat(int fromFolder, const char *from, int toFolder, const char *to, int flags)
{
    static auto *real = next<int(int, const char *, int, const char *, int)>("linkat");
    // A file made without a name has no other name yet, so it can always be given one.
    const bool unnamed = std::strncmp(from, "/proc/self/fd/", 14) == 0;
    return faults.link && !unnamed ? fail(faults.link)
                                   : real(fromFolder, from, toFolder, to, flags);
}

int openat(int folder, const char *path, int flags, ...)
{
    static auto *real = next<int(int, const char *, int, ...)>("openat");
    mode_t mode = 0;
    if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = mode_t(va_arg(arguments, int));
        va_end(arguments);
    }
    if (faults.noUnnamedFiles && (flags & O_TMPFILE) == O_TMPFILE)
        return fail(EOPNOTSUPP);
    return real(folder, path, flags, mode);
}

int fchmod(int fd, mode_t mode)
{
    static auto *real = next<int(int, mode_t)>("fchmod");
    return faults.chmod ? fail(faults.chmod) : real(fd, mode);
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    static auto *real = next<int(int, const char *, int, const char *)>("renameat");
    const int error = renameFault(to);
    return error ? fail(error) : real(fromFolder, from, toFolder, to);
}

} // extern "C"
