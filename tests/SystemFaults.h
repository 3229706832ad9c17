#pragma once

#include <cerrno>
#include <cstddef>

/// Calls of the C library made to fail as a misbehaving disk would fail them. The test
/// executable defines these calls itself, so the linker takes them before the library's and
/// the program's file code reaches them unchanged; each forwards to the library's own while
/// no fault is set. Set a fault with a `SystemFaults::Scope`.
namespace SystemFaults {

struct Faults {
    int fileSync = 0;            ///< errno of fsync and fdatasync on a regular file; 0 for none
    int syncsFirst = 0;          ///< how many such syncs succeed before fileSync applies
    int folderSync = 0;          ///< errno of fsync and fdatasync on a folder, and of syncfs
    int rename = 0;              ///< errno of a rename onto a name that does not end in '~'
    int backupRename = 0;        ///< errno of a rename onto a name that ends in '~'
    int link = 0;                ///< errno of linkat to a file that has a name
    bool noUnnamedFiles = false; ///< open with O_TMPFILE fails with EOPNOTSUPP
    int chmod = 0;               ///< errno of fchmod
    int write = 0;               ///< errno of the next write to a regular file; later ones work
    int writeAtMost = 0;         ///< write to a regular file takes at most this many bytes, every
                                 ///< other one interrupted; 0: all
    int noProc = 0;              ///< errno of reaching a file by /proc/self/fd: ENOENT, no /proc
    int nameUnnamed = 0;         ///< errno of linkat that names a file made without a name

    /// A file system like vfat: no hard links, no files without a name, no permissions.
    static Faults vfat() { return {0, 0, 0, 0, 0, EPERM, true, EPERM, 0, 0}; }
};

/// The faults now in force; none unless a Scope sets some.
Faults &current();

/// The faults in force from construction to destruction.
struct Scope {
    explicit Scope(const Faults &faults) { current() = faults; }
    ~Scope() { current() = Faults(); }
};

} // namespace SystemFaults
