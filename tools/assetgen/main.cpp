// Writes beside the program what it loads by path: the encrypted demo bank, the pad
// pictures, the background tunes, the pages and the help page.
//
//   assetgen ASSETS_FOLDER OUTPUT_FOLDER

#include "bank_source.h"
#include "bank_writer.h"
#include "figures.h"
#include "html_to_rtf.h"
#include "midi_writer.h"
#include "pad_pictures.h"
#include "pages.h"
#include "tunes.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

namespace {

void writeTunes(const QString& soundFolder) {
    QDir().mkpath(soundFolder);
    for (const NamedTune& t : backgroundTunes()) {
        QFile f(QDir(soundFolder).filePath(t.fileName + QStringLiteral(".mid")));
        const QByteArray data = writeMidi(t.tune);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
            throw std::runtime_error("cannot write " + f.fileName().toStdString());
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: assetgen ASSETS_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    try {
        const BankSource source = readBankSource(assets.filePath(QStringLiteral("bank")));
        const QStringList problems = validateBankSource(source);
        if (!problems.isEmpty()) {
            for (const QString& p : problems)
                std::fprintf(stderr, "assetgen: %s\n", qPrintable(p));
            return 1;
        }
        const QString bank = out.filePath(QStringLiteral("data/WUPTAVNOR88417.mdb"));
        if (bankHoldsProgress(bank)) {
            std::printf("assetgen: %s holds a learner's progress and is kept\n", qPrintable(bank));
        } else {
            writeBank(source, bank, QDate::currentDate(),
                      [](const QString& html) { return htmlToRtf(html, &drawFigure); });
            std::printf("assetgen: bank with %lld questions\n",
                        static_cast<long long>(source.questions.size()));
        }
        writePadPictures(out.filePath(QStringLiteral("pic")));
        writeTunes(out.filePath(QStringLiteral("sound")));
        writePages(assets.filePath(QStringLiteral("pages")), out.path());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
