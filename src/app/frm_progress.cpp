#include "frm_progress.h"

#include "app_cursor.h"
#include "app_look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

TFrmProgress::TFrmProgress(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmProgress"));
    makeBorderless(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(358, 63);
    setCursor(Qt::WaitCursor);
    Label1 = new QLabel(QStringLiteral("请等待..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setProperty("class", QStringLiteral("FrmProgressText"));
    Label1->setFont(sansFont(16, true));
    Label1->setStyleSheet(QStringLiteral("color: #800000;"));
    Label1->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Label1);
}

void TFrmProgress::showMessage(const QString& message) {
    if (!isVisible()) {
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
        show();
        raise();
    }
    Label1->setText(message);
    repaint();
    ProcessPendingMessages();
}
