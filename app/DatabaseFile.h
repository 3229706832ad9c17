#pragma once

#include "core/ZoznamCD.h"
#include "storage/Databaza.h"

#include <QString>

#include <optional>

/// What reading a database file gave: the load's result when the file could be read,
/// otherwise the reason it could not, in the system's words.
struct FileLoad {
    std::optional<VysledokNacitania> result;
    QString error;
};

/// Reads a whole database file. Only regular files are read: a device or a pipe could
/// block or never end.
FileLoad loadDatabaseFile(const QString &path);

/// Writes the list to `path` so that the file is either the old one or the new one, never
/// a part: the bytes go to a temporary file beside it, which then replaces the old file.
/// The old file is kept as `path` + "~". Returns the reason on failure, empty on success.
QString saveDatabaseFile(const QString &path, const ZoznamCD &zoznam);

/// The name of the previous version that a save keeps.
QString backupFileName(const QString &path);
