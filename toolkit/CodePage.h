#pragma once

#include <QString>
#include <QValidator>

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

} // namespace CodePage

/// Refuses any input that the code page cannot hold, and any that holds one of `refused`;
/// for the edit boxes that feed records.
class CodePageValidator : public QValidator {
    Q_OBJECT
  public:
    explicit CodePageValidator(QObject *parent = nullptr, const QString &refused = {});
    State validate(QString &input, int &pos) const override;

  private:
    QString refused_;
};
