#include "frm_jx.h"

#include "app_cursor.h"
#include "app_look.h"
#include "dataset.h"
#include "rtf_widgets.h"

#include <QPushButton>
#include <QTextBrowser>

#include <exception>

TFrmJx::TFrmJx(QWidget* parent) : FormWindow(parent) {
    setObjectName(QStringLiteral("FrmJx"));
    setWindowTitle(QStringLiteral("解析"));
    setFixedSize(596, 359);

    DBRichEdit1 = new QTextBrowser(this);
    DBRichEdit1->setObjectName(QStringLiteral("DBRichEdit1"));
    DBRichEdit1->setGeometry(4, 4, 588, 317);
    DBRichEdit1->setFont(serifFont(16));
    DBRichEdit1->setReadOnly(true);
    DBRichEdit1->setOpenLinks(false);

    btnClose = new QPushButton(QStringLiteral("关闭"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(500, 325, 88, 30);
    btnClose->setAutoDefault(false);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

void TFrmJx::BindText(const Dataset& source, const QString& fieldName) {
    QByteArray blob;
    try {
        blob = source.field(fieldName).asBytes();
    } catch (const std::exception&) {
        // No row or no such field: the window opens empty.
    }
    BindBlob(blob);
}

void TFrmJx::BindBlob(const QByteArray& rtf) {
    try {
        showRtf(DBRichEdit1, rtf);
    } catch (const std::exception&) {
        DBRichEdit1->clear();
    }
    DBRichEdit1->setReadOnly(true);
}

void TFrmJx::FormShow() {
    SetNormalCursor();
}
