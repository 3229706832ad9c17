#pragma once

#include "storage/ByteStream.h"
#include "storage/FileIdentity.h"

#include <functional>
#include <optional>
#include <string>

/// How a save of a file ended.
struct SaveResult {
    enum class Outcome {
        Saved,        ///< the new file is in place, and it and its name are on disk
        NotRegular,   ///< the name is a device, a folder or the like: nothing was written
        Failed,       ///< the new file could not be written, synced or put in place
        BackupFailed, ///< the previous version could not be kept, so the old file stayed
        NotDurable,   ///< the new file is in place, but its folder could not be synced
        Cancelled,    ///< the caller refused the file at the name or the bytes: nothing changed
    };
    Outcome outcome = Outcome::Saved;
    int error = 0;      ///< errno of the call that failed
    std::string file;   ///< the file written: the name given, or where its symbolic links end
    std::string backup; ///< where the previous version is kept: `file` + "~"
    /// The file now at `file` where the new one took the name (Saved, NotDurable).
    std::optional<FileIdentity> written;
};

/// Writes the file `path` anew with what `write` gives its sink (false: the sink refused).
/// An old file that a plain write could not change (read-only to the user, or another user's
/// in a folder with the sticky bit) is refused first, with nothing written; then
/// `mayReplaceFile` is asked with the old file's identity, false cancelling the save.
/// The bytes go to a file without a name where the file system allows it and /proc can name
/// it, else to a temporary file beside the old one, which is removed on every failure. Once
/// every byte is written, `mayUseBytes` is asked whether they are to replace the file: false
/// cancels the save, and the temporary file goes. Otherwise that file is synced and given a
/// name of its own, and only then is the old file kept as `file~` (a second name where the
/// file system has hard links, a synced copy where it has not) and replaced; last, the folder
/// is synced. A failure before the backup leaves the old file and its backup as they were; a
/// failed replacement leaves the old file, with the backup holding the same. Nothing is left
/// beside them.
/// A symbolic link at `path` stays a link: the file it points to is written, its backup
/// beside it. The new file and a copied backup take the old one's permissions, group and
/// owner where the user may give them.
SaveResult saveSafely(const std::string &path,
                      const std::function<bool(const FileIdentity &)> &mayReplaceFile,
                      const std::function<bool(ByteSink &)> &write,
                      const std::function<bool()> &mayUseBytes);
