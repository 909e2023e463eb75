#include "richtext_tests.h"
#include "rtf_reader.h"
#include "rtf_samples.h"
#include "rtf_widgets.h"

#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QUrl>

using namespace Qt::StringLiterals;

class TestRtfWidgets : public QObject {
    Q_OBJECT

  private slots:
    void showIsReadOnlyAndShowsPictures() {
        QTextBrowser browser;
        browser.setReadOnly(false);
        showRtf(&browser, samples::pastedBitmapObject());
        QVERIFY(browser.isReadOnly());
        QCOMPARE(browser.toPlainText(), u"a\ufffcb"_s);
        const QList<QTextImageFormat> images = samples::images(*browser.document());
        QCOMPARE(images.size(), 1);
        QCOMPARE(samples::imageOf(*browser.document(), images[0]).size(), QSize(2, 2));
    }

    void showingAgainReplacesTheContent() {
        QTextEdit view;
        showRtf(&view, samples::gbkRichEdit());
        showRtf(&view, QByteArray());
        QCOMPARE(view.toPlainText(), QString());
    }

    void editorLoadsUnmodifiedAndSavesEdits() {
        QTextEdit editor;
        loadRtf(&editor, samples::gbkRichEdit());
        QVERIFY(!editor.isReadOnly());
        QVERIFY(!editor.document()->isModified());
        QVERIFY(!editor.document()->isUndoAvailable());

        editor.moveCursor(QTextCursor::End);
        editor.insertPlainText(u"新增{}"_s);
        QVERIFY(editor.document()->isModified());
        QVERIFY(editor.document()->isUndoAvailable());

        QTextEdit reopened;
        loadRtf(&reopened, saveRtf(&editor));
        QCOMPARE(reopened.toPlainText(), u"第一题\n乗憑倉\ncafé新增{}"_s);
    }
};

int runWidgetTests(int argc, char** argv) {
    TestRtfWidgets test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rtf_widgets.moc"
