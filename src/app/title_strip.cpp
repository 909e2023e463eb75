#include "title_strip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TitleStrip::TitleStrip(const QString& caption, QWidget* parent)
    : QWidget(parent), label_(new QLabel(caption, this)) {
    setObjectName(QStringLiteral("TitleStrip"));
    setAttribute(Qt::WA_StyledBackground, true);
    label_->setObjectName(QStringLiteral("TitleCaption"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(label_);
    layout->addStretch();
    setFixedHeight(28);
}

void TitleStrip::setCaption(const QString& caption) {
    label_->setText(caption);
}

QString TitleStrip::caption() const {
    return label_->text();
}

void TitleStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
        event->accept();
    }
}

void TitleStrip::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
    }
}

void TitleStrip::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

QVBoxLayout* layOutWithTitleStrip(QWidget* window, const QString& caption,
                                  const QMargins& margins) {
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(new TitleStrip(caption, window));
    auto* body = new QVBoxLayout;
    body->setContentsMargins(margins);
    outer->addLayout(body, 1);
    return body;
}
