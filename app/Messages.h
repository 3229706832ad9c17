#pragma once

#include "storage/Databaza.h"
#include "storage/SafeSave.h"

#include <QString>

/// The program's texts for what went wrong with a database file. Slovak without
/// diacritics, like every other text of the program; each names the file.
namespace Messages {

inline const QString kCaption = QStringLiteral("Pozor!");
inline const QString kEndPrompt = QStringLiteral("Nemas Ulozene data! \nChces naozaj skoncit?");
inline const QString kOpenPrompt = QStringLiteral("Nemas ulozene vytvorene polozky!\nPokracovat?");
/// Why a device, a folder or the like is neither opened nor saved to.
inline const QString kNotRegularFile = QStringLiteral("nie je to obycajny subor");

/// The file could not be opened or read; `reason` is the system's.
QString openFailed(const QString &path, const QString &reason);
/// The file opened, but reading it failed; `reason` is the system's.
QString readFailed(const QString &path, const QString &reason);
/// The load stopped: at which record, and why; or the file is not a database at all.
QString loadStopped(const QString &path, const VysledokNacitania &result);
/// Texts that the file would not bring back; asks whether to save anyway.
QString lossWarning(const QString &path, const StrataPriUlozeni &loss);
/// A file other than the collection's own is at `path`; asks whether to replace it.
QString replacePrompt(const QString &path);
/// What the user is told of a save to `path` that ended neither `Saved` nor `Cancelled`.
QString saveProblem(const QString &path, const SaveResult &result);

} // namespace Messages
