#include "pad_pictures.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <stdexcept>

namespace {

// The program's palette (see assets/style.qss).
const QColor kTeal(0x0f, 0x76, 0x6e);
const QColor kCard(0xff, 0xff, 0xff);

struct Picture {
    const char* name;
    QSize size;
    QColor fill;
    QColor border;
    qreal borderWidth;
    bool mark;  // a small corner dot for the selected states
};

void draw(const QString& folder, const Picture& p) {
    QImage image(p.size, QImage::Format_RGB32);
    image.fill(kCard);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = p.borderWidth / 2.0 + 0.5;
    QPainterPath path;
    path.addRoundedRect(
        QRectF(inset, inset, p.size.width() - 2 * inset, p.size.height() - 2 * inset), 5, 5);
    QLinearGradient gradient(0, 0, 0, p.size.height());
    gradient.setColorAt(0, p.fill.lighter(106));
    gradient.setColorAt(1, p.fill.darker(104));
    painter.fillPath(path, gradient);
    painter.setPen(QPen(p.border, p.borderWidth));
    painter.drawPath(path);
    if (p.mark) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kTeal);
        painter.drawEllipse(QPointF(p.size.width() - 7.0, 7.0), 2.5, 2.5);
    }
    painter.end();
    const QString file =
        QDir(folder).filePath(QString::fromLatin1(p.name) + QStringLiteral(".bmp"));
    if (!image.save(file, "BMP"))
        throw std::runtime_error("cannot write " + file.toStdString());
}

}  // namespace

void writePadPictures(const QString& picFolder) {
    QDir().mkpath(picFolder);
    const QSize number(36, 26);
    const QSize type(84, 26);
    const QColor grey(0xcb, 0xd5, 0xe1);
    const QColor green(0x16, 0xa3, 0x4a);
    const QColor red(0xdc, 0x26, 0x26);
    const QColor blue(0x25, 0x63, 0xeb);
    const Picture pictures[] = {
        {"vorbup", number, QColor(0xff, 0xff, 0xff), grey, 1.0, false},
        {"vorbdw", number, QColor(0xcc, 0xfb, 0xf1), kTeal, 2.0, true},
        {"vorbyes", number, QColor(0xdc, 0xfc, 0xe7), green, 1.0, false},
        {"vorbno", number, QColor(0xfe, 0xe2, 0xe2), red, 1.0, false},
        {"vorbover", number, QColor(0xdb, 0xea, 0xfe), blue, 1.0, false},
        {"vorbdw_r", number, QColor(0x86, 0xef, 0xac), kTeal, 2.0, true},
        {"vorbdw_w", number, QColor(0xfc, 0xa5, 0xa5), kTeal, 2.0, true},
        {"vorbtxup", type, QColor(0xf8, 0xfa, 0xfc), grey, 1.0, false},
        {"vorbtxdw", type, QColor(0x99, 0xf6, 0xe4), kTeal, 2.0, true},
    };
    for (const Picture& p : pictures)
        draw(picFolder, p);
}
