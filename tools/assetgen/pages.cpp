#include "pages.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

void writePages(const QString& pagesFolder, const QString& outFolder) {
    const QDir in(pagesFolder);
    const QDir out(outFolder);
    out.mkpath(QStringLiteral("htm"));
    const QByteArray style =
        "<style>\n" + readAll(in.filePath(QStringLiteral("page.css"))) + "</style>";
    const struct {
        const char* source;
        QString target;
    } pages[] = {
        {"regulations.htm", QStringLiteral("htm/Quessel相关法规汇编.htm")},
        {"bookshops.htm", QStringLiteral("htm/发行站及专业书店联系方式.htm")},
        {"lnst.htm", QStringLiteral("htm/lnst.htm")},
        {"qzhelp.htm", QStringLiteral("qzhelp.htm")},
    };
    for (const auto& page : pages) {
        QByteArray html = readAll(in.filePath(QString::fromLatin1(page.source)));
        html.replace("<!--STYLE-->", style);
        writeAll(out.filePath(page.target), html);
    }
}
