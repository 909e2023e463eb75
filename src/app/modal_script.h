#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Every moment at which the program waits for the user in a modal loop: its own message
// dialog, a standard message box, a file dialog, a modal window, and a document handed to
// the desktop. In normal use nothing is installed and each moment is shown to the user.
// A test installs a script that answers each moment instead, so no test ever waits.
struct ModalMoment {
    enum class Kind { Dialog, MessageBox, OpenFile, SaveFile, Window, Document };
    Kind kind = Kind::Dialog;
    QString caption;
    QString text;               // message, file filter or document path
    QStringList buttons;        // captions of the visible buttons, left to right (dialogs)
    int icon = 0;               // dialog page or message box icon
    QWidget* window = nullptr;  // Kind::Window: the window shown (still open)
};

class ModalScript {
  public:
    // The answer: a dialog's or message box's result, or for a file dialog the index of
    // the path in `ModalScript::paths()`. For a Window moment the script acts on the open
    // window (clicks, keys) and may close it; the window is closed afterwards if it did not.
    using Handler = std::function<int(ModalMoment&)>;

    static void install(Handler handler);
    static void clear();
    static bool active();
    static int answer(ModalMoment& moment);

    // File dialogs under a script return this path.
    static void setNextPath(const QString& path);
    static QString takeNextPath();

    // Every moment answered since install(), for tests to check what was shown.
    static const QList<ModalMoment>& log();

  private:
    ModalScript() = delete;
};

// Installs a script for the lifetime of a scope.
class ScopedModalScript {
  public:
    explicit ScopedModalScript(ModalScript::Handler handler) {
        ModalScript::install(std::move(handler));
    }
    ~ScopedModalScript() { ModalScript::clear(); }
    ScopedModalScript(const ScopedModalScript&) = delete;
    ScopedModalScript& operator=(const ScopedModalScript&) = delete;
};
