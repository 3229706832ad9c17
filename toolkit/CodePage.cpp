#include "toolkit/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace {

// Debian's Qt reaches this code page through ICU.
constexpr const char *kCodePage = "windows-1250";

// True when `encoder` turns `text` into bytes without a loss; a NUL would end the item in the
// file.
bool encodes(QStringEncoder &encoder, QStringView text)
{
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError() && !bytes.contains('\0');
}

// The byte for a single character, or `fallback` when the code page has no such character.
unsigned char toByte(QChar c, unsigned char fallback)
{
    const QString text(c);
    if (!CodePage::canEncode(text))
        return fallback;
    const std::string bytes = CodePage::fromQString(text);
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : fallback;
}

// The character that the byte stands for on its own; none for a byte the code page leaves
// undefined.
std::optional<QChar> characterOf(unsigned char byte)
{
    const char b = static_cast<char>(byte);
    const QString decoded = CodePage::toQString(std::string_view(&b, 1));
    if (decoded.size() != 1 || toByte(decoded[0], 0) != byte)
        return std::nullopt;
    return decoded[0];
}

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
    return encodes(encoder, text);
}

ByteMap lowerCaseMap()
{
    ByteMap map;
    for (std::size_t b = 0; b < map.size(); ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const std::optional<QChar> c = characterOf(byte);
        map[b] = c ? toByte(c->toLower(), byte) : byte;
    }
    return map;
}

ByteMap plainLetterMap()
{
    ByteMap map = lowerCaseMap();
    for (std::size_t b = 0; b < map.size(); ++b) {
        const std::optional<QChar> c = characterOf(static_cast<unsigned char>(b));
        if (!c)
            continue;
        // A letter with diacritics decomposes into its base letter and combining marks.
        const QString parts = QString(c->toLower()).normalized(QString::NormalizationForm_D);
        if (!parts.isEmpty())
            map[b] = toByte(parts[0], map[b]);
    }
    return map;
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

qsizetype CodePageValidator::firstRefused(QStringView text) const
{
    // One encoder for the whole text: a paste may hold a hundred thousand characters.
    QStringEncoder encoder(kCodePage);
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QStringView character = text.mid(i, pair ? 2 : 1);
        encoder.resetState();
        if ((!pair && refused_.contains(text[i])) || !encodes(encoder, character))
            return i;
        i += character.size();
    }
    return -1;
}
