#pragma once

#include "app/Asker.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

/// Answers the program's questions from queues and remembers what was asked.
/// With nothing queued, a message box is answered OK and a file dialog cancelled.
class FakeAsker : public Asker {
  public:
    struct Shown {
        QString text;
        QString caption;
        int flags = 0;
    };

    QList<Shown> boxes;
    QList<int> answers;
    QList<FileQuestion> questions;
    QStringList files;
    /// Runs instead of answering a file dialog, when set (to throw, for example).
    std::function<void()> onFileDialog;

    int messageBox(QWidget *, const QString &text, const QString &caption, int flags) override
    {
        boxes.append({text, caption, flags});
        return answers.isEmpty() ? Box::ResultOk : answers.takeFirst();
    }

    QString fileName(QWidget *, const FileQuestion &question) override
    {
        questions.append(question);
        if (onFileDialog)
            onFileDialog();
        if (files.isEmpty())
            return {};
        const QString chosen = files.takeFirst();
        if (question.canClose && !question.canClose(chosen))
            return {};
        return chosen;
    }
};
