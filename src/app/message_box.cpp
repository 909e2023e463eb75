#include "message_box.h"

#include "app_cursor.h"
#include "modal_script.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

QMessageBox::StandardButton SystemMessageBox(const QString& caption, const QString& text,
                                             QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons) {
    if (ModalScript::active()) {
        ModalMoment moment;
        moment.kind = ModalMoment::Kind::MessageBox;
        moment.caption = caption;
        moment.text = text;
        moment.icon = static_cast<int>(icon);
        return static_cast<QMessageBox::StandardButton>(ModalScript::answer(moment));
    }
    // The user must see the arrow over a message, whatever the caller was doing.
    const CursorPause pause;
    QMessageBox box(icon, caption, text, buttons);
    // The program speaks Chinese whatever translations the desktop has installed.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Ok, "确定"},
        {QMessageBox::Cancel, "取消"},
        {QMessageBox::Yes, "是"},
        {QMessageBox::No, "否"}};
    for (const auto& [which, caption] : captions) {
        if (QAbstractButton* b = box.button(which))
            b->setText(QString::fromUtf8(caption));
    }

    return static_cast<QMessageBox::StandardButton>(box.exec());
}

namespace {

// A file dialog answered by a test script: the script's next path.
QString scriptedPath(ModalMoment::Kind kind, const QString& caption, const QString& filter) {
    ModalMoment moment;
    moment.kind = kind;
    moment.caption = caption;
    moment.text = filter;
    ModalScript::answer(moment);
    return ModalScript::takeNextPath();
}

}  // namespace

QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) {
    if (ModalScript::active())
        return scriptedPath(ModalMoment::Kind::OpenFile, caption, filter);
    const CursorPause pause;
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& suggested) {
    if (ModalScript::active())
        return scriptedPath(ModalMoment::Kind::SaveFile, caption, filter);
    const CursorPause pause;
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

void OpenShellDocument(const QString& path) {
    if (ModalScript::active()) {
        ModalMoment moment;
        moment.kind = ModalMoment::Kind::Document;
        moment.text = path;
        ModalScript::answer(moment);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
