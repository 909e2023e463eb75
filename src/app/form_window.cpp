#include "form_window.h"

#include "lorvane_application.h"
#include "modal_script.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>

namespace {
const char* const kResultProperty = "lorvaneModalResult";
}

FormWindow::FormWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

void FormWindow::runShowSteps() {
    closed_ = false;
    FormShow();
}

void FormWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;  // the window manager restoring a minimized window: not a new showing
    if (showStepsByCaller_)
        return;
    runShowSteps();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closed_ = true;
    event->accept();
    // The window closes whatever its closing steps meet; a failure is shown afterwards.
    QString failure;
    try {
        FormClose();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    emit closed();
    if (!failure.isEmpty())
        LorvaneApplication::showError(failure);
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (escapeCloses_)
            close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

int showModal(FormWindow& window) {
    QPointer<FormWindow> guard(&window);
    window.setWindowModality(Qt::ApplicationModal);
    window.closed_ = false;
    setModalResult(window, 0);
    // Windows open centred on the desktop; a window that places itself does so in its
    // show steps.
    if (const QScreen* screen = window.screen()) {
        window.adjustSize();
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
    window.showStepsByCaller_ = true;
    window.show();
    window.showStepsByCaller_ = false;
    window.runShowSteps();

    if (ModalScript::active()) {
        ModalMoment moment;
        moment.kind = ModalMoment::Kind::Window;
        moment.caption = window.windowTitle();
        moment.text = window.objectName();
        moment.window = &window;
        ModalScript::answer(moment);
        if (guard && !guard->isClosed()) {
            guard->close();
            if (!guard->isClosed()) {
                // A script that leaves a window it cannot close would hang the test.
                guard->closed_ = true;
                guard->hide();
            }
        }
        return guard ? modalResult(*guard) : 0;
    }

    if (!window.isClosed()) {
        QEventLoop loop;
        QObject::connect(&window, &FormWindow::closed, &loop, &QEventLoop::quit);
        QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
    }
    if (!guard)
        return 0;
    guard->hide();
    return modalResult(*guard);
}

void setModalResult(FormWindow& window, int result) {
    window.setProperty(kResultProperty, result);
}

int modalResult(const FormWindow& window) {
    return window.property(kResultProperty).toInt();
}
