#include "app_cursor.h"

#include <QApplication>
#include <QCursor>

void SetHourglassCursor() {
    if (QApplication::overrideCursor() != nullptr)
        QApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void SetNormalCursor() {
    while (QApplication::overrideCursor() != nullptr)
        QApplication::restoreOverrideCursor();
}

bool HourglassShown() {
    const QCursor* c = QApplication::overrideCursor();
    return c != nullptr && c->shape() == Qt::WaitCursor;
}

CursorPause::CursorPause() : hourglass_(HourglassShown()) {
    SetNormalCursor();
}

CursorPause::~CursorPause() {
    if (hourglass_)
        SetHourglassCursor();
}

void ProcessPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
