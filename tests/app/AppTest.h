#pragma once

#include "toolkit/Application.h"
#include "toolkit/Asker.h"
#include "app/MainForm.h"
#include "core/ZoznamCD.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

/// Answers the program's questions from queues and remembers what was asked.
/// With nothing queued, a message box is answered OK and a file dialog cancelled.
struct FakeAsker : Asker {
    struct Shown {
        QString text, caption;
        int flags = 0;
    };
    QList<Shown> boxes;
    QList<int> answers;
    QList<FileQuestion> questions;
    QStringList files;
    std::function<void()> onFileDialog; ///< runs before a file dialog is answered

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
        const QString chosen = files.isEmpty() ? QString() : files.takeFirst();
        return question.canClose && !chosen.isEmpty() && !question.canClose(chosen) ? "" : chosen;
    }
};

/// Runs `drive` on the modal window once it is up (a modal loop blocks the test until then).
inline void whenModal(std::function<void(QWidget *)> drive)
{
    auto *timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && started->elapsed() < 5000)
            return;
        timer->deleteLater();
        timer->stop();
        if (modal)
            drive(modal);
    });
    timer->start(10);
}

inline void addRecord(const std::string &nazov, const std::string &meno = "Jan")
{
    auto *zaznam = new ZaznamCD;
    zaznam->setNazovCD(nazov);
    zaznam->setMeno(meno);
    Zoznam.PripojZaznam(zaznam);
}

/// The names of the records in list order, joined by commas.
inline std::string names()
{
    std::string out;
    const ZaznamCD *zaznam = Zoznam.Prvy;
    for (int i = 0; i < Zoznam.PocetCd; ++i, zaznam = zaznam->Dalsi)
        out.append(i ? "," : "").append(zaznam->NazovCD());
    return out;
}

/// A fresh main window over an empty list, answering through a fake.
struct FormFixture {
    std::unique_ptr<FakeAsker> asker;
    std::unique_ptr<TMainForm> form;

    void setUp()
    {
        Zoznam.VymazVsetky();
        asker = std::make_unique<FakeAsker>();
        form = std::make_unique<TMainForm>(nullptr, asker.get());
    }
    void tearDown()
    {
        form.reset();
        Zoznam.VymazVsetky();
    }
    QAction *action(const char *name) { return form->findChild<QAction *>(name); }
    bool flag() { return action("Save")->isEnabled(); }
    QLabel *countLabel() { return form->findChild<QLabel *>("LabelPocetCd"); }
    QString count() { return countLabel()->text(); }
};

/// Runs the cases inside the program's own application object, which shows escaped
/// exceptions through `asker`.
#define PLATNOVNIK_TEST_MAIN(TestClass, asker)                                                     \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        Application app(argc, argv, asker);                                                        \
        app.Initialize();                                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
