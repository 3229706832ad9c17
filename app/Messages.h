#pragma once

#include "storage/Databaza.h"

#include <QString>

/// The program's texts for what went wrong with a database file. Slovak without
/// diacritics, like every other text of the program; each names the file.
namespace Messages {

inline const QString kCaption = QStringLiteral("Pozor!");
inline const QString kEndPrompt = QStringLiteral("Nemas Ulozene data! \nChces naozaj skoncit?");
inline const QString kOpenPrompt = QStringLiteral("Nemas ulozene vytvorene polozky!\nPokracovat?");

/// The file could not be opened or read; `reason` is the system's.
QString openFailed(const QString &path, const QString &reason);
/// The file opened, but reading it failed; `reason` is the system's.
QString readFailed(const QString &path, const QString &reason);
/// The load stopped: at which record, and why.
QString loadStopped(const QString &path, const VysledokNacitania &result);
/// Texts that the file would not bring back; asks whether to save anyway.
QString lossWarning(const QString &path, const StrataPriUlozeni &loss);
/// The file could not be written; `reason` is the system's.
QString saveFailed(const QString &path, const QString &reason);

} // namespace Messages
