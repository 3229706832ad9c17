#pragma once

/// Restarts the program once with glibc's heap backed by transparent huge pages.
/// A million records are a few hundred megabytes of small blocks; mapping them in 2 MB
/// steps instead of 4 KB ones makes the first load of such a file several times faster.
/// glibc reads this setting only when a process starts, hence the restart. Does nothing
/// when the user has set glibc's tunables already, or when the restart is not possible.
void useHugePageHeap(char **argv);
