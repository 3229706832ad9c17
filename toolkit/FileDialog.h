#pragma once

#include "toolkit/Asker.h"

#include <QString>

#include <functional>

class QWidget;

/// The open and save dialogs as the main window uses them: set `Filter` and `DefaultExt`,
/// `Execute`, read `FileName`.
class FileDialog {
  public:
    FileDialog(FileQuestion::Kind kind, Asker &asker, QWidget *parent);

    /// Pairs of description and pattern, separated by bars: "Platnovnik (*.pln)|*.pln".
    QString Filter;
    /// Added with a dot to a name typed without an extension; no dot here.
    QString DefaultExt;
    /// The full path of the chosen file after `Execute` gave true.
    QString FileName;
    /// Asked before the dialog closes with a file; setting the flag false keeps it open.
    std::function<void(bool &CanClose)> OnCanClose;

    /// Runs the dialog modally; true when the user chose a file.
    bool Execute();

  private:
    FileQuestion::Kind kind_;
    Asker &asker_;
    QWidget *parent_;
};

/// "Description|pattern|Description|pattern" in Qt's filter syntax.
QString toQtFilter(const QString &filter);
