#include "app_look.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QWidget>

void applyLook(QApplication& app) {
    // Resources of a static library are registered by hand.
    Q_INIT_RESOURCE(app_resources);
    app.setFont(sansFont(13));
    QFile qss(QStringLiteral(":/lorvane/style.qss"));
    if (qss.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(qss.readAll()));
}

QFont sansFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont serifFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("Noto Serif CJK SC"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleHint(QFont::Serif);
    return f;
}

QColor colorFromBgr(quint32 bgr) {
    return QColor(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                  static_cast<int>((bgr >> 16) & 0xff));
}

QPushButton* makeCommandButton(const QString& caption, const char* objectName, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

void makeBorderless(QWidget* window) {
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_StyledBackground, true);
    window->setProperty("borderless", true);
}
