#include "frm_bj.h"

#include "dataset.h"
#include "globals.h"
#include "jet_text.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TFrmBj::TFrmBj(QWidget* parent) : FormWindow(parent) {
    setObjectName(QStringLiteral("FrmBj"));
    setWindowTitle(QStringLiteral("笔记"));
    setFixedSize(392, 353);

    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setGeometry(7, 6, 377, 305);
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    btnClose = new QPushButton(QStringLiteral("关  闭"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(296, 318, 88, 30);
    btnClose->setAutoDefault(false);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    lblContext = new QLabel(this);
    lblContext->setObjectName(QStringLiteral("lblContext"));
    lblContext->hide();

    connect(DBMemo1, &QPlainTextEdit::textChanged, this, [this]() {
        if (source_)
            storeNote();
    });
}

void TFrmBj::BindNote(Dataset& source, const QString& fieldName) {
    source_ = nullptr;  // showing the stored text is no change
    source.edit();
    DBMemo1->setPlainText(source.field(fieldName).asString());
    fieldName_ = fieldName;
    source_ = &source;
}

void TFrmBj::storeNote() {
    QString text = DBMemo1->toPlainText();
    if (text.isNull())
        text = QStringLiteral("");  // an emptied note is an empty text, not NULL
    source_->setField(fieldName_, text);
}

void TFrmBj::FormClose() {
    if (source_) {
        storeNote();
        source_->post();
    }
    NoteHasText = noteHasText(DBMemo1->toPlainText());
}

bool TFrmBj::noteHasText(const QString& note) {
    return !jetTrim(note).isEmpty();
}
