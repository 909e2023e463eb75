#include "html_to_rtf.h"

#include "rtf_writer.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include <stdexcept>

QByteArray htmlToRtf(const QString& html, const FigureSource& figures) {
    QTextDocument doc;
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(12);
    doc.setDefaultFont(font);
    static const QRegularExpression image(QStringLiteral("<img[^>]*src=\"([^\"]*)\""));
    for (auto it = image.globalMatch(html); it.hasNext();) {
        const QString src = it.next().captured(1);
        if (!src.startsWith(QLatin1String("fig:")) || !figures)
            throw std::invalid_argument("picture without a source: " + src.toStdString());
        const QImage picture = figures(src.mid(4));
        if (picture.isNull())
            throw std::invalid_argument("empty picture: " + src.toStdString());
        doc.addResource(QTextDocument::ImageResource, QUrl(src), picture);
    }
    doc.setHtml(html);
    return writeRtf(&doc);
}
