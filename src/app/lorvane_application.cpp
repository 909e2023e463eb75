#include "lorvane_application.h"

#include "app_cursor.h"
#include "message_box.h"

#include <exception>

LorvaneApplication::LorvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool LorvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("未知错误"));
    }
    return false;
}

void LorvaneApplication::showError(const QString& message) {
    static bool showing = false;
    if (showing) {
        qWarning("%s", qPrintable(message));
        return;
    }
    showing = true;
    SetNormalCursor();
    try {
        SystemMessageBox(QStringLiteral("错误"), message, QMessageBox::Critical);
    } catch (...) {
        qWarning("%s", qPrintable(message));
    }
    showing = false;
}
