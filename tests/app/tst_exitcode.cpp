// The real program on a private X server: it ignores its command line, opens its window
// where it was designed, and closing that window ends it with exit code 0.
#include <QProcess>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstring>
#include <memory>

namespace {

const QByteArray kTitle = "Platnovnik   V 0.0.0.1";

xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::uint16_t(std::strlen(name)), name),
                              nullptr),
        &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QByteArray title(xcb_connection_t *x, xcb_window_t window)
{
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(
            x, xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256), nullptr),
        &free);
    if (!reply)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

// The mapped top-level window with the program's caption, or 0.
xcb_window_t findMainWindow(xcb_connection_t *x)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&free)> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr), &free);
    if (!tree)
        return 0;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&free)> attributes(
            xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, children[i]), nullptr),
            &free);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            title(x, children[i]) == kTitle)
            return children[i];
    }
    return 0;
}

} // namespace

class TstExitCode : public QObject {
    Q_OBJECT

    QProcess server;
    QByteArray display;

  private slots:
    void initTestCase()
    {
        server.start("Xvfb",
                     {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!server.waitForStarted(5000))
            QSKIP("Xvfb is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
        display = ':' + server.readLine().trimmed();
    }

    void cleanupTestCase()
    {
        server.terminate();
        server.waitForFinished(5000);
    }

    void closingTheWindowEndsWithZero()
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", QString::fromLatin1(display));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        // In a sanitizer build, a leak in a system library would change the exit code.
        environment.insert("LSAN_OPTIONS",
                           "suppressions=" PLATNOVNIK_LSAN_SUPPRESSIONS ":print_suppressions=0");
        program.setProcessEnvironment(environment);
        // Were these read, the window would go to no screen and the file would be opened.
        program.start(PLATNOVNIK_EXE, {"-platform", "offscreen", "--help", "zbierka.pln"});
        QVERIFY(program.waitForStarted(5000));

        std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(
            xcb_connect(display.constData(), nullptr), &xcb_disconnect);
        QVERIFY(!xcb_connection_has_error(x.get()));
        xcb_window_t window = 0;
        QTRY_VERIFY_WITH_TIMEOUT((window = findMainWindow(x.get())) != 0, 20000);

        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> geometry(
            xcb_get_geometry_reply(x.get(), xcb_get_geometry(x.get(), window), nullptr), &free);
        QVERIFY(geometry);
        QCOMPARE(geometry->x, 268); // no window manager here, so no frame either
        QCOMPARE(geometry->y, 307);
        QCOMPARE(geometry->width, 585);

        // What a window manager sends when the user clicks the close box.
        xcb_client_message_event_t close{};
        close.response_type = XCB_CLIENT_MESSAGE;
        close.format = 32;
        close.window = window;
        close.type = atom(x.get(), "WM_PROTOCOLS");
        close.data.data32[0] = atom(x.get(), "WM_DELETE_WINDOW");
        close.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(x.get(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&close));
        xcb_flush(x.get());

        QVERIFY(program.waitForFinished(20000));
        const QByteArray errors = program.readAllStandardError();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == 0, errors.constData());
        QVERIFY(errors.indexOf("zbierka") < 0);
    }
};

QTEST_GUILESS_MAIN(TstExitCode)
#include "tst_exitcode.moc"
