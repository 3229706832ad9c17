#pragma once

#include <QString>
#include <QValidator>

#include <array>
#include <string>
#include <string_view>

/// The one place where texts cross between the records' bytes (Windows-1250, the code page
/// of the database files) and Qt's strings.
namespace CodePage {

/// The bytes of a record's text as a string for the screen.
QString toQString(std::string_view bytes);

/// A string from the screen as record bytes. Only call it with an encodable string.
std::string fromQString(const QString &text);

/// True when every character of `text` exists in the code page, so nothing changes on saving.
bool canEncode(const QString &text);

/// An image for each byte of the code page.
using ByteMap = std::array<unsigned char, 256>;

/// Each byte to its letter in lower case; a byte that is no letter, or whose lower case the
/// code page lacks, to itself. Worked out from Qt's character data at each call.
ByteMap lowerCaseMap();

/// Each byte to its letter in lower case without diacritics where the code page has that
/// letter, else as `lowerCaseMap` maps it.
ByteMap plainLetterMap();

} // namespace CodePage

/// Refuses any input that the code page cannot hold, and any that holds one of `refused`;
/// for the edit boxes that feed records.
class CodePageValidator : public QValidator {
    Q_OBJECT
  public:
    explicit CodePageValidator(QObject *parent = nullptr, const QString &refused = {});
    State validate(QString &input, int &pos) const override;
    /// Where the first character lies that `validate` refuses in `text`, -1 when there is none.
    /// A character outside the basic plane is one pair of surrogates: its index is the first's.
    qsizetype firstRefused(QStringView text) const;

  private:
    QString refused_;
};
