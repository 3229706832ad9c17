#include "dialogs/AutoSizeLabels.h"

#include <QLabel>

void AutoSizeLabels(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>())
        label->resize(label->size().expandedTo(label->sizeHint()));
}
