#include "richtext_tests.h"
#include "rtf_picture.h"
#include "rtf_reader.h"
#include "rtf_samples.h"

#include <QBuffer>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

void verifyTinyBitmap(const QImage& image) {
    QCOMPARE(image.size(), QSize(2, 2));
    const QList<QColor> colors = samples::tinyBitmapColors();
    QCOMPARE(image.pixelColor(0, 0), colors[0]);
    QCOMPARE(image.pixelColor(1, 0), colors[1]);
    QCOMPARE(image.pixelColor(0, 1), colors[2]);
    QCOMPARE(image.pixelColor(1, 1), colors[3]);
}

}  // namespace

class TestRtfPictures : public QObject {
    Q_OBJECT

  private slots:
    void pastedBitmapInsideAnObject() {
        const auto document = rtfToDocument(samples::pastedBitmapObject());
        const QList<QTextImageFormat> images = samples::images(*document);
        QCOMPARE(images.size(), 1);
        QCOMPARE(images[0].width(), 2.0);  // \picwgoal30: 30 twips at 96 dpi
        QCOMPARE(images[0].height(), 2.0);
        verifyTinyBitmap(samples::imageOf(*document, images[0]));
        // The object sits between "a" and "b"; its \objdata leaves no text behind.
        QCOMPARE(document->toPlainText(), u"a\ufffcb"_s);
    }

    void metafileBitmapRecords_data() {
        QTest::addColumn<quint16>("function");
        QTest::addColumn<bool>("placeable");
        QTest::newRow("StretchDIB") << quint16(0x0F43) << false;
        QTest::newRow("DIBStretchBlt") << quint16(0x0B41) << false;
        QTest::newRow("StretchDIB after a placeable header") << quint16(0x0F43) << true;
    }

    void metafileBitmapRecords() {
        QFETCH(quint16, function);
        QFETCH(bool, placeable);
        const QByteArray wmf = samples::metafileDrawing(samples::tinyDib(), function, placeable);
        QCOMPARE(rtfpicture::dibFromMetafile(wmf), samples::tinyDib());
        verifyTinyBitmap(rtfpicture::decode(rtfpicture::Kind::Metafile, wmf));
    }

    void pictureKinds_data() {
        QTest::addColumn<QByteArray>("pict");
        QTest::addColumn<QSizeF>("shown");
        const QByteArray png = samples::png(samples::testImage(4, 3));
        QTest::newRow("png, hex split over lines")
            << "{\\pict\\pngblip\\picw4\\pich3\\picwgoal120\\pichgoal90\r\n" +
                   samples::wrappedHex(png) + "}"
            << QSizeF(8, 6);
        QTest::newRow("png scaled") << "{\\pict\\picscalex50\\picscaley200\\pngblip"
                                       "\\picwgoal120\\pichgoal90 " +
                                           png.toHex() + "}"
                                    << QSizeF(4, 12);
        QTest::newRow("png without a goal size")
            << "{\\pict\\pngblip " + png.toHex() + "}" << QSizeF(4, 3);
        QTest::newRow("png as \\bin data") << "{\\pict\\pngblip\\picwgoal60\\pichgoal45\\bin" +
                                                  QByteArray::number(png.size()) + " " + png + "}"
                                           << QSizeF(4, 3);
        QTest::newRow("jpeg") << "{\\pict\\jpegblip " + [] {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            samples::testImage(4, 3).save(&buffer, "JPEG");
            return bytes.toHex();
        }() + "}" << QSizeF(4, 3);
        QTest::newRow("dib") << "{\\pict\\dibitmap0\\picwgoal30\\pichgoal30 " +
                                    samples::tinyDib().toHex() + "}"
                             << QSizeF(2, 2);
        QTest::newRow("shape picture preferred over its fallback")
            << "{\\*\\shppict{\\pict\\pngblip " + png.toHex() +
                   "}}{\\nonshppict{\\pict\\wmetafile8 0100}}"
            << QSizeF(4, 3);
    }

    void pictureKinds() {
        QFETCH(QByteArray, pict);
        QFETCH(QSizeF, shown);
        const auto document = rtfToDocument(samples::document(pict));
        const QList<QTextImageFormat> images = samples::images(*document);
        QCOMPARE(images.size(), 1);
        QCOMPARE(QSizeF(images[0].width(), images[0].height()), shown);
        QVERIFY(!samples::imageOf(*document, images[0]).isNull());
        QVERIFY(!document->toPlainText().contains(u"[图片]"_s));
    }

    void unreadablePicturesLeaveAPlaceholder_data() {
        QTest::addColumn<QByteArray>("body");
        const QByteArray noBitmap = samples::metafileDrawing(QByteArray(), 0x0F43, false);
        QTest::newRow("enhanced metafile") << QByteArray("{\\pict\\emfblip 010000006c000000}");
        QTest::newRow("metafile without a bitmap")
            << "{\\pict\\wmetafile8 " + noBitmap.toHex() + "}";
        QTest::newRow("device-dependent bitmap") << QByteArray("{\\pict\\wbitmap0 0102}");
        QTest::newRow("damaged png") << QByteArray("{\\pict\\pngblip 89504e470d0a1a0a0000}");
        QTest::newRow("no data") << QByteArray("{\\pict\\pngblip}");
        QTest::newRow("object without a result")
            << QByteArray("{\\object\\objemb{\\*\\objclass Equation.3}{\\*\\objdata 0102}}");
    }

    void unreadablePicturesLeaveAPlaceholder() {
        QFETCH(QByteArray, body);
        const auto document = rtfToDocument(samples::document("a" + body + "b"));
        QCOMPARE(document->toPlainText(), u"a[图片]b"_s);
        QVERIFY(samples::images(*document).isEmpty());
    }

    void bmpFromDibRejectsWhatIsNotABitmap_data() {
        QTest::addColumn<QByteArray>("dib");
        QTest::newRow("too short") << QByteArray("\x28\0\0\0", 4);
        QTest::newRow("unknown header size") << QByteArray(20, '\x07');
        QByteArray hugePalette = samples::tinyDib();
        hugePalette[32] = '\xff';  // biClrUsed far beyond the data
        hugePalette[33] = '\xff';
        QTest::newRow("palette beyond the data") << hugePalette;
    }

    void bmpFromDibRejectsWhatIsNotABitmap() {
        QFETCH(QByteArray, dib);
        QVERIFY(rtfpicture::bmpFromDib(dib).isEmpty());
    }
};

int runPictureTests(int argc, char** argv) {
    TestRtfPictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rtf_pictures.moc"
