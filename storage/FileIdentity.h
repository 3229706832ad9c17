#pragma once

#include <optional>

/// Which file a name leads to, however the name is spelt or linked: its device and inode.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;

    bool operator==(const FileIdentity &other) const
    {
        return device == other.device && inode == other.inode;
    }
    bool operator!=(const FileIdentity &other) const { return !(*this == other); }
};

/// The identity of the open file `fd`; none when the system cannot tell.
std::optional<FileIdentity> identityOf(int fd);
