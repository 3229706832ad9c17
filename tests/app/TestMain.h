#pragma once

#include "app/Application.h"

#include <QTest>

/// A test main that runs the cases inside the program's own application object, with its
/// font and exception handling, answering through `asker`.
#define PLATNOVNIK_TEST_MAIN(TestClass, asker)                                                     \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        Application app(argc, argv, asker);                                                        \
        app.Initialize();                                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
