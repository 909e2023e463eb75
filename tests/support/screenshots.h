#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

// When LORVANE_SCREENSHOTS names a folder, tests save pictures of the windows they
// drive there, for a person to look at; otherwise this does nothing.
inline void saveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("LORVANE_SCREENSHOTS");
    if (folder.isEmpty() || widget == nullptr)
        return;
    QDir().mkpath(folder);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
