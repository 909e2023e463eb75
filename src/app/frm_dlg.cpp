#include "frm_dlg.h"

#include "app_cursor.h"
#include "app_look.h"
#include "modal_script.h"
#include "title_strip.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kDesignWidth = 399;
constexpr int kDesignHeight = 110;

// The three icons in the program's palette: information, warning, error.
QPixmap dialogIcon(int page, qreal ratio) {
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(0x0f, 0x76, 0x6e), QColor(0xd9, 0x77, 0x06),
                              QColor(0xdc, 0x26, 0x26)};
    const char* const glyphs[] = {"i", "!", "\u00d7"};
    p.setPen(Qt::NoPen);
    p.setBrush(colours[page]);
    if (page == 1) {
        const QPointF triangle[] = {{16, 2}, {31, 29}, {1, 29}};
        p.drawPolygon(triangle, 3);
    } else {
        p.drawEllipse(QRectF(1, 1, 30, 30));
    }
    p.setPen(Qt::white);
    p.setFont(sansFont(page == 2 ? 24 : 19, true));
    p.drawText(QRectF(0, page == 1 ? 6 : 0, 32, page == 1 ? 24 : 31), Qt::AlignCenter,
               QString::fromUtf8(glyphs[page]));
    return pixmap;
}

QPushButton* makeButton(QWidget* parent, const char* name, int left, int result) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 80, 73, 25);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setProperty("dlgResult", result);
    return b;
}

}  // namespace

TFrmDlg::TFrmDlg(QWidget* parent) : FormWindow(parent), designWidth_(kDesignWidth) {
    setObjectName(QStringLiteral("FrmDlg"));
    makeBorderless(this);
    // The only way out is a button.
    setEscapeCloses(false);
    resize(kDesignWidth, kDesignHeight);

    strip_ = new TitleStrip(QString(), this);
    strip_->setGeometry(0, 0, kDesignWidth, 25);
    strip_->setFixedHeight(25);
    Label1 = strip_->label();
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont italic = Label1->font();
    italic.setItalic(true);
    Label1->setFont(italic);

    epNoteBook1 = new QStackedWidget(this);
    epNoteBook1->setObjectName(QStringLiteral("epNoteBook1"));
    epNoteBook1->setGeometry(8, 32, 32, 32);
    const char* const pageNames[] = {"提示", "警告", "错误"};
    for (int i = 0; i < 3; ++i) {
        auto* page = new QLabel(epNoteBook1);
        page->setObjectName(QString::fromUtf8(pageNames[i]));
        page->setPixmap(dialogIcon(i, devicePixelRatioF()));
        epNoteBook1->addWidget(page);
    }

    fcLabel1 = new QLabel(this);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    fcLabel1->setProperty("class", QStringLiteral("FrmDlgText"));
    fcLabel1->setWordWrap(true);
    fcLabel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fcLabel1->setFont(sansFont(14));

    fcShapeBtn1 = makeButton(this, "fcShapeBtn1", 64, 1);
    fcShapeBtn3 = makeButton(this, "fcShapeBtn3", 160, 3);
    fcShapeBtn2 = makeButton(this, "fcShapeBtn2", 256, 2);
    for (QPushButton* b : {fcShapeBtn1, fcShapeBtn2, fcShapeBtn3})
        connect(b, &QPushButton::clicked, this,
                [this, b]() { finish(b->property("dlgResult").toInt()); });
}

void TFrmDlg::prepare(const QString& caption, const QString& text, int kind, int page,
                      const QString& buttonSet) {
    int width = designWidth_;
    setWindowTitle(caption);
    fcLabel1->setText(text);
    switch (kind) {
        case 0:
            fcShapeBtn1->show();
            fcShapeBtn2->show();
            fcShapeBtn3->hide();
            break;
        case 1:
            fcShapeBtn1->hide();
            fcShapeBtn2->hide();
            fcShapeBtn3->show();
            break;
        case 2:
            fcShapeBtn1->show();
            fcShapeBtn2->show();
            fcShapeBtn3->show();
            break;
        case 3:
            fcShapeBtn1->show();
            fcShapeBtn2->hide();
            fcShapeBtn3->hide();
            width = 200;
            break;
        default:
            break;
    }
    if (page >= 0 && page < epNoteBook1->count())
        epNoteBook1->setCurrentIndex(page);
    Label1->setText(caption);
    if (buttonSet == QLatin1String("Exam")) {
        fcShapeBtn1->setText(QStringLiteral("确定"));
        fcShapeBtn2->setText(QStringLiteral("作废"));
        fcShapeBtn3->setText(QStringLiteral("取消"));
    } else {
        fcShapeBtn1->setText(QStringLiteral("确定"));
        fcShapeBtn2->setText(QStringLiteral("取消"));
        fcShapeBtn3->setText(QStringLiteral("确定"));
    }
    setFixedWidth(width);
    strip_->setFixedWidth(width);
    fitText();
}

void TFrmDlg::fitText() {
    // The message sits right of the icon; a long one grows the dialog downwards rather
    // than being cut off.
    const int textWidth = width() - 56 - 12;
    const int textHeight = std::max(32, fcLabel1->heightForWidth(textWidth));
    fcLabel1->setGeometry(56, 32, textWidth, textHeight);
    const int buttonsTop = std::max(80, 32 + textHeight + 8);
    for (QPushButton* b : {fcShapeBtn1, fcShapeBtn2, fcShapeBtn3})
        b->move(b->x(), buttonsTop);
    setFixedHeight(std::max(kDesignHeight, buttonsTop + 25 + 5));
}

QList<std::pair<QString, int>> TFrmDlg::visibleButtons() const {
    QList<QPushButton*> shown;
    for (QPushButton* b : {fcShapeBtn1, fcShapeBtn2, fcShapeBtn3}) {
        if (!b->isHidden())
            shown << b;
    }
    std::sort(shown.begin(), shown.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QList<std::pair<QString, int>> out;
    for (QPushButton* b : shown)
        out.push_back({b->text(), b->property("dlgResult").toInt()});
    return out;
}

void TFrmDlg::finish(int result) {
    setModalResult(*this, result);
    close();
}

int ShowDialog(const QString& Caption, const QString& Text, int Kind, int Page,
               const QString& ButtonSet) {
    if (FrmDlg == nullptr)
        throw std::logic_error("the message dialog is created at start-up");
    TFrmDlg& dlg = *FrmDlg;
    dlg.prepare(Caption, Text, Kind, Page, ButtonSet);
    if (ModalScript::active()) {
        ModalMoment moment;
        moment.kind = ModalMoment::Kind::Dialog;
        moment.caption = Caption;
        moment.text = Text;
        moment.icon = Page;
        for (const auto& [caption, result] : dlg.visibleButtons())
            moment.buttons << caption;
        return ModalScript::answer(moment);
    }
    if (const QScreen* screen = dlg.screen())
        dlg.move(screen->availableGeometry().center() - dlg.rect().center());
    const CursorPause pause;
    const int result = showModal(dlg);
    if (result != 0)
        return result;
    // Closed without a button (Alt+F4): the cautious answer, "取消" where there is one.
    const auto buttons = dlg.visibleButtons();
    for (const auto& [caption, value] : buttons) {
        if (caption == QStringLiteral("取消"))
            return value;
    }
    return buttons.isEmpty() ? 3 : buttons.last().second;
}
