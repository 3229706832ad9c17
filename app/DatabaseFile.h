#pragma once

#include "core/ZoznamCD.h"
#include "storage/Databaza.h"
#include "storage/SafeSave.h"

#include <QString>

#include <functional>
#include <optional>

/// What reading a database file gave: the load's result when the file could be read,
/// otherwise the reason it could not, in the system's words; and which file it read.
struct FileLoad {
    std::optional<VysledokNacitania> result;
    QString error;
    std::optional<FileIdentity> identity;
};

/// Reads a whole database file. Only regular files are read: a device or a pipe could
/// block or never end.
FileLoad loadDatabaseFile(const QString &path);

/// Writes the list to `path` so that the file is either the old one or the new one, never
/// a part, and is on the disk when the save says so; the old file is kept as its backup
/// (see saveSafely). A file at `path` other than `own`, the one the list belongs to, is
/// replaced only when `replaceOther` agrees, asked before anything is written. When a text of
/// the list would not come back from the file as it is, `saveAnyway` is asked with the first
/// such text before anything in the folder is replaced. A refusal cancels the save.
SaveResult saveDatabaseFile(const QString &path, const ZoznamCD &zoznam,
                            const std::optional<FileIdentity> &own,
                            const std::function<bool()> &replaceOther,
                            const std::function<bool(const StrataPriUlozeni &)> &saveAnyway);
