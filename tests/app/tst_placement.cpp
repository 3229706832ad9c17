// Every window opens where it can be seen: where it was designed when it fits there, else
// moved the least distance into the screen's free area, or to its top-left when too large.
#include "AppTest.h"

#include "toolkit/ScreenPlacement.h"
#include "dialogs/Zadajcd.h"

#include <QScreen>

class TstPlacement : public QObject {
    Q_OBJECT

  private slots:
    void rule()
    {
        const QRect window(200, 300, 600, 400); // ends at 799,699
        const struct {
            const char *name;
            QRect area;
            QPoint place;
        } rows[] = {
            {"fits to the pixel: stays", {200, 300, 600, 400}, {200, 300}},
            {"out at the right and bottom: moved in", {0, 0, 640, 512}, {40, 112}},
            {"out at the left and top: moved in", {250, 320, 800, 600}, {250, 320}},
            {"wider only: at the left edge, moved up", {0, 0, 500, 600}, {0, 200}},
            {"larger: at the top-left corner", {10, 20, 599, 399}, {10, 20}},
        };
        for (const auto &row : rows)
            QVERIFY2(placeOnScreen(window, row.area) == row.place, row.name);
    }

    // The default offscreen screen, 800 x 800, is too narrow for where these were designed.
    void windowsOpenOnTheScreen()
    {
        TMainForm main;
        ZoznamCD zoznam;
        TFormZadajCd zadaj(nullptr, zoznam);
        for (QWidget *window : {static_cast<QWidget *>(&main), static_cast<QWidget *>(&zadaj)}) {
            window->show();
            const QRect area = window->screen()->availableGeometry();
            QVERIFY2(area.contains(window->frameGeometry()), window->metaObject()->className());
        }
    }
};

PLATNOVNIK_TEST_MAIN(TstPlacement, defaultAsker())
#include "tst_placement.moc"
