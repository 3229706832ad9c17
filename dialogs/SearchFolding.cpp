#include "dialogs/SearchFolding.h"

#include "toolkit/CodePage.h"

#include <QString>

namespace {

// The byte for a single character, or `fallback` when the code page has no such character.
unsigned char toByte(QChar c, unsigned char fallback)
{
    const QString text(c);
    if (!CodePage::canEncode(text))
        return fallback;
    const std::string bytes = CodePage::fromQString(text);
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : fallback;
}

FoldTables buildTables()
{
    FoldTables tables = FoldTables::identity();
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString decoded = CodePage::toQString(std::string_view(&byte, 1));
        // Bytes that decode to nothing single (undefined in the code page) stay as they are.
        if (decoded.size() != 1 || toByte(decoded[0], 0) != b)
            continue;
        const unsigned char lower = toByte(decoded[0].toLower(), static_cast<unsigned char>(b));
        tables.caseOnly[b] = lower;
        // A letter with diacritics decomposes into its base letter and combining marks.
        const QString parts =
            QString(decoded[0].toLower()).normalized(QString::NormalizationForm_D);
        tables.plain[b] = parts.isEmpty() ? lower : toByte(parts[0], lower);
    }
    return tables;
}

} // namespace

const FoldTables &codePageFoldTables()
{
    static const FoldTables tables = buildTables();
    return tables;
}
