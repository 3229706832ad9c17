#include "storage/FileIdentity.h"

#include <sys/stat.h>

std::optional<FileIdentity> identityOf(int fd)
{
    struct stat st {};
    if (fstat(fd, &st) != 0)
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}
