// The real program on a private X server: it ignores its command line, opens its window
// where it was designed, and closing that window ends it with exit code 0.
#include <QProcess>
#include <QtTest>

class TstExitCode : public QObject {
    Q_OBJECT

  private slots:
    void closingTheWindowEndsWithZero()
    {
        QProcess server;
        server.start("Xvfb",
                     {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!server.waitForStarted(5000))
            QSKIP("Xvfb is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", ':' + server.readLine().trimmed());
        environment.insert("QT_QPA_PLATFORM", "xcb");
        // In a sanitizer build, a leak in a system library would change the exit code.
        environment.insert("LSAN_OPTIONS",
                           "suppressions=" LSAN_SUPPRESSIONS ":print_suppressions=0");
        QProcess program, closer;
        program.setProcessEnvironment(environment);
        closer.setProcessEnvironment(environment);
        // Were these read, the window would go to no screen and the file would be opened.
        program.start(PLATNOVNIK_EXE, {"-platform", "offscreen", "--help", "zbierka.pln"});
        closer.start(CLOSE_WINDOW, {"Platnovnik   V 0.0.0.1", "20"});
        QVERIFY(closer.waitForFinished(30000));
        const QByteArray said = closer.readAllStandardOutput() + closer.readAllStandardError();
        QVERIFY2(closer.exitCode() == 0, said.constData());
        // No window manager here, so no frame either.
        QVERIFY2(said.contains("geometry: 268 307 585 "), said.constData());

        QVERIFY(program.waitForFinished(20000));
        const QByteArray errors = program.readAllStandardError();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == 0 && !errors.contains("zbierka"), errors.constData());
        server.terminate();
        server.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(TstExitCode)
#include "tst_exitcode.moc"
