#include "toolkit/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// Debian's Qt reaches this code page through ICU.
constexpr const char *kCodePage = "windows-1250";
} // namespace

namespace CodePage {

QString toQString(std::string_view bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string fromQString(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

bool canEncode(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);
    // A NUL would end the item in the file.
    return !encoder.hasError() && !bytes.contains('\0');
}

} // namespace CodePage

CodePageValidator::CodePageValidator(QObject *parent, const QString &refused)
    : QValidator(parent), refused_(refused)
{
}

QValidator::State CodePageValidator::validate(QString &input, int &) const
{
    for (QChar c : refused_) {
        if (input.contains(c))
            return Invalid;
    }
    return CodePage::canEncode(input) ? Acceptable : Invalid;
}
