#pragma once

#include <QWidget>

// The base of the program's windows. Shown modally with showModal(), a window's loop
// ends when it closes, not when it hides: windows hide and show themselves while modal
// (a browser during practice, the exam window while it grades). Every way to close it
// (its close command, Escape, the window manager) runs its closing steps exactly once.
class FormWindow : public QWidget {
    Q_OBJECT
  public:
    explicit FormWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Window);

    // Escape closes the window unless its only exit is a command of its own.
    void setEscapeCloses(bool on) { escapeCloses_ = on; }
    bool isClosed() const { return closed_; }

    // Runs the show steps: called by showModal right after the window is on screen, and
    // on every later show (a window shown again after hiding reruns them).
    void runShowSteps();

  signals:
    void closed();

  protected:
    // The show steps (layout by screen mode, data opened, cursor restored).
    virtual void FormShow() {}
    // Whether the window may close now.
    virtual bool FormCloseQuery() { return true; }
    // The closing steps, run once per showing.
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend int showModal(FormWindow& window);
    bool escapeCloses_ = true;
    bool closed_ = false;
    bool showStepsByCaller_ = false;
};

// Shows `window` application-modal and waits until it closes (hiding does not end the
// wait). The show steps run before the wait; an exception from them propagates to the
// caller, which frees the window. Under a test script the script answers the window
// instead of the user. Returns the window's result (see setModalResult).
int showModal(FormWindow& window);

// A window's result, read by its opener after showModal returns.
void setModalResult(FormWindow& window, int result);
int modalResult(const FormWindow& window);
