#include "toolkit/FileDialog.h"

#include <QStringList>

FileDialog::FileDialog(FileQuestion::Kind kind, Asker &asker, QWidget *parent)
    : kind_(kind), asker_(asker), parent_(parent)
{
}

bool FileDialog::Execute()
{
    FileQuestion question;
    question.kind = kind_;
    question.filter = toQtFilter(Filter);
    question.defaultSuffix = DefaultExt;
    if (OnCanClose) {
        question.canClose = [this](const QString &) {
            bool canClose = true;
            OnCanClose(canClose);
            return canClose;
        };
    }
    const QString chosen = asker_.fileName(parent_, question);
    if (chosen.isEmpty())
        return false;
    FileName = chosen;
    return true;
}

QString toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        // Qt reads the patterns from the parentheses and separates them by blanks.
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString inParentheses = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters << (description.endsWith(inParentheses)
                        ? description
                        : description + QLatin1Char(' ') + inParentheses);
    }
    return filters.join(QStringLiteral(";;"));
}
