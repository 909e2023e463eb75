#pragma once

#include <QApplication>

// The application object. An exception escaping any event handler is shown in an error
// dialog and the program goes on, as it always has.
class LorvaneApplication : public QApplication {
    Q_OBJECT
  public:
    LorvaneApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static void showError(const QString& message);
};
