#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The desktop's standard message box. Returns the button pressed.
QMessageBox::StandardButton SystemMessageBox(
    const QString& caption, const QString& text, QMessageBox::Icon icon,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// The standard file dialogs; an empty text when the user cancels.
QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter);
QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& suggested = {});

// Hands a document (a page, the help) to the desktop's default application. The result
// is not reported: the document is a file shipped beside the program.
void OpenShellDocument(const QString& path);
