#include "app/Messages.h"

#include <QDir>
#include <QFile>

#include <cstring>

namespace {

QString quoted(const QString &path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

QString why(const VysledokNacitania &result)
{
    switch (result.reason) {
    case DovodZastavenia::EndOfInput:
        return QStringLiteral("subor konci skor, ako zaznam skonci");
    case DovodZastavenia::NulByte:
        return QStringLiteral("v texte je nulovy bajt");
    case DovodZastavenia::EndMarker:
        return QStringLiteral("polozka \"0\" znamena koniec suboru");
    case DovodZastavenia::NegativeCount:
        return QStringLiteral("pocet zaznamov je zaporny");
    case DovodZastavenia::CountOutOfRange:
        return QStringLiteral("pocet zaznamov je prilis velky");
    case DovodZastavenia::ReadError:
        return QStringLiteral("chyba pri citani");
    case DovodZastavenia::RecordTooLarge:
        return QStringLiteral("zaznam ma viac textu, ako pojme (4 GiB)");
    case DovodZastavenia::NotADatabase:
        break; // a report of its own
    }
    return {};
}

QString what(StrataPriUlozeni::Kind kind)
{
    switch (kind) {
    case StrataPriUlozeni::Kind::BarInText:
        return QStringLiteral("obsahuje znak \"|\"");
    case StrataPriUlozeni::Kind::TextIsZero:
        return QStringLiteral("je len \"0\"");
    case StrataPriUlozeni::Kind::LeadingDigit:
        return QStringLiteral("zacina cislicou");
    case StrataPriUlozeni::Kind::NulInText:
        return QStringLiteral("obsahuje nulovy znak");
    }
    return {};
}

// The field as the entry dialog labels its box, with the title's number when one is at fault.
QString boxOf(const StrataPriUlozeni &loss)
{
    const std::string_view label = fieldInfo(loss.field).label;
    const QString box = QString::fromLatin1(label.data(), qsizetype(label.size()));
    return loss.title > 0 ? QStringLiteral("%1 %2").arg(box).arg(loss.title) : box;
}

QString saveFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("Subor %1 sa neda ulozit:\n%2\nData zostali neulozene.")
        .arg(quoted(path), reason);
}

} // namespace

namespace Messages {

QString openFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("Subor %1 sa neda otvorit:\n%2").arg(quoted(path), reason);
}

QString readFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("Subor %1 sa neda precitat:\n%2").arg(quoted(path), reason);
}

QString loadStopped(const QString &path, const VysledokNacitania &result)
{
    if (result.reason == DovodZastavenia::NotADatabase)
        return QStringLiteral("Subor %1 nie je databaza Platnovnika: na zaciatku chyba pocet "
                              "zaznamov.\nNic sa nezmenilo.")
            .arg(quoted(path));
    // A stop in the count has no record to name.
    const QString where =
        result.record > 0
            ? QStringLiteral("Zaznam %1 (bajt %2): ").arg(result.record).arg(result.offset)
            : QString();
    return QStringLiteral("Subor %1 sa neda nacitat.\n%2%3.\nNic sa nezmenilo.")
        .arg(quoted(path), where, why(result));
}

QString lossWarning(const QString &path, const StrataPriUlozeni &loss)
{
    return QStringLiteral("Zaznam %1, pole %2 %3.\nZo suboru %4 sa potom neda spravne "
                          "nacitat.\nUlozit aj tak?")
        .arg(loss.record)
        .arg(boxOf(loss), what(loss.kind), quoted(path));
}

QString replacePrompt(const QString &path)
{
    return QStringLiteral("Subor %1 uz existuje.\nNahradit ho?").arg(quoted(path));
}

QString saveProblem(const QString &path, const SaveResult &result)
{
    // The system's words, in the user's language where the system has them.
    const QString reason = QString::fromLocal8Bit(std::strerror(result.error));
    switch (result.outcome) {
    case SaveResult::Outcome::Saved:
    case SaveResult::Outcome::Cancelled:
        break;
    case SaveResult::Outcome::NotRegular:
        return saveFailed(path, kNotRegularFile);
    case SaveResult::Outcome::Failed:
        return saveFailed(path, reason);
    case SaveResult::Outcome::BackupFailed:
        return saveFailed(path, QStringLiteral("zalohu %1 sa nepodarilo ulozit: %2")
                                    .arg(quoted(QFile::decodeName(result.backup.c_str())), reason));
    case SaveResult::Outcome::NotDurable:
        return QStringLiteral("Subor %1 je zapisany, ale system nepotvrdil, ze je bezpecne na "
                              "disku:\n%2\nPo vypadku napajania sa moze stratit. Ulozte ho znova.")
            .arg(quoted(path), reason);
    }
    return {};
}

} // namespace Messages
