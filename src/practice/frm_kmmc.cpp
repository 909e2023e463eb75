#include "frm_kmmc.h"

#include "app_cursor.h"
#include "app_look.h"
#include "data_module.h"
#include "dataset_model.h"
#include "frm_dlg.h"
#include "frm_jx.h"
#include "frm_lxxt.h"
#include "globals.h"
#include "message_box.h"
#include "open_window.h"
#include "time_text.h"
#include "title_strip.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

namespace {

QPushButton* command(const QString& caption, const char* name, QWidget* parent) {
    QPushButton* b = makeCommandButton(caption, name, parent);
    b->setMinimumHeight(30);
    return b;
}

QLCDNumber* readout(const char* name, QWidget* parent) {
    auto* lcd = new QLCDNumber(5, parent);
    lcd->setObjectName(QLatin1String(name));
    lcd->setSegmentStyle(QLCDNumber::Flat);
    lcd->setFrameShape(QFrame::NoFrame);
    lcd->setMinimumHeight(34);
    lcd->setStyleSheet(QStringLiteral("color: #0f766e; background: #f0fdfa; border-radius: 6px;"));
    return lcd;
}

}  // namespace

TFrmkmmc::TFrmkmmc(QWidget* parent) : FormWindow(parent) {
    setObjectName(QStringLiteral("Frmkmmc"));
    setWindowTitle(QStringLiteral("章节练习"));
    makeBorderless(this);
    buildLayout();
}

void TFrmkmmc::buildLayout() {
    auto* listBox = new QGroupBox(QStringLiteral("目录"), this);
    listBox->setObjectName(QStringLiteral("grpList"));
    grid_ = new QTableView(listBox);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setAlternatingRowColors(true);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->horizontalHeader()->setHighlightSections(false);
    using C = DatasetModel::Column;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    model_ = new DatasetModel(
        DM1->Cn1Table_kmmc,
        {C{QStringLiteral("C2"), QStringLiteral("章节名称"), left},
         C{QStringLiteral("C3"), QStringLiteral("习题数目"), left},
         C{QStringLiteral("C4"), QStringLiteral("已做题数"), left},
         C{QStringLiteral("D1"), QStringLiteral("已做道次"), left},
         C{QStringLiteral("D2"), QStringLiteral("做错道次"), left},
         C{QStringLiteral("C6"), QStringLiteral("综合成绩"), Qt::AlignRight | Qt::AlignVCenter}},
        this);
    grid_->setModel(model_);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->setContentsMargins(8, 6, 8, 8);
    listLayout->addWidget(grid_);

    // The grid's row and the chapter table's current row follow each other.
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (syncing_ || !current.isValid() || !DM1->Cn1Table_kmmc.isOpen())
                    return;
                syncing_ = true;
                DM1->Cn1Table_kmmc.moveTo(current.row() + 1);
                syncing_ = false;
            });
    connect(&DM1->Cn1Table_kmmc, &Dataset::currentRowChanged, this, &TFrmkmmc::syncGridToDataset);
    connect(&DM1->Cn1Table_kmmc, &Dataset::contentChanged, this, &TFrmkmmc::syncGridToDataset);
    connect(grid_, &QTableView::doubleClicked, this,
            [this]() { StartPractice(PracticeMode::New, true); });

    auto* statsBox = new QGroupBox(QStringLiteral("评语板"), this);
    statsBox->setObjectName(QStringLiteral("grpStatistics"));
    lcdTotal_ = readout("lcdTotal", statsBox);
    lcdAnswers_ = readout("lcdAnswers", statsBox);
    lcdWrong_ = readout("lcdWrong", statsBox);
    lblScore_ = new QLabel(QStringLiteral("分数"), statsBox);
    lblScore_->setObjectName(QStringLiteral("lblScore"));
    lblScore_->setAlignment(Qt::AlignCenter);
    lblScore_->setStyleSheet(QStringLiteral("font-size: 22px; font-weight: 700; color: #0f766e;"));
    btnGuidance_ = command(QStringLiteral("解析指导"), "btnGuidance", statsBox);
    btnGuidance_->setEnabled(false);
    auto* stats = new QVBoxLayout(statsBox);
    stats->setSpacing(4);
    for (auto [caption, widget] : {std::pair<const char*, QWidget*>{"总习题数", lcdTotal_},
                                   {"已做题道次", lcdAnswers_},
                                   {"做错题道次", lcdWrong_},
                                   {"综合成绩", lblScore_}}) {
        auto* label = new QLabel(QString::fromUtf8(caption), statsBox);
        label->setStyleSheet(QStringLiteral("color: #64748b;"));
        stats->addWidget(label);
        stats->addWidget(widget);
    }
    stats->addStretch();
    stats->addWidget(btnGuidance_);
    statsBox_ = statsBox;

    auto* middle = new QHBoxLayout;
    middle->addWidget(listBox, 1);
    middle->addWidget(statsBox);

    auto* btnNew = command(QStringLiteral("练习新题"), "btnNew", this);
    auto* btnWrong = command(QStringLiteral("错题重做"), "btnWrong", this);
    auto* btnReview = command(QStringLiteral("习题重温"), "btnReview", this);
    auto* btnEntry = command(QStringLiteral("试题录入"), "btnEntry", this);
    auto* btnConfig = command(QStringLiteral("设置"), "btnConfig", this);
    auto* btnClose = command(QStringLiteral("关闭"), "btnClose", this);
    btnNew->setProperty("accent", true);
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {btnNew, btnWrong, btnReview, btnEntry, btnConfig, btnClose})
        commands->addWidget(b);

    QVBoxLayout* body =
        layOutWithTitleStrip(this, QStringLiteral("章节练习 · 目录"), {12, 8, 12, 12});
    body->addLayout(middle, 1);
    body->addLayout(commands);

    connect(btnNew, &QPushButton::clicked, this, [this]() { StartPractice(PracticeMode::New); });
    connect(btnWrong, &QPushButton::clicked, this,
            [this]() { StartPractice(PracticeMode::Wrong); });
    connect(btnReview, &QPushButton::clicked, this,
            [this]() { StartPractice(PracticeMode::Review); });
    connect(btnEntry, &QPushButton::clicked, this, &TFrmkmmc::QuestionEntry);
    connect(btnConfig, &QPushButton::clicked, this, [this]() {
        if (hooks_.settings) {
            ConfigMode = 0;
            hooks_.settings(this);
        }
    });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(btnGuidance_, &QPushButton::clicked, this, &TFrmkmmc::ShowGuidance);
    connect(DM1, &TDM1::chapterGuidanceChanged, btnGuidance_, &QWidget::setEnabled);
}

void TFrmkmmc::syncGridToDataset() {
    Dataset& k = DM1->Cn1Table_kmmc;
    if (syncing_ || !k.isOpen() || k.recNo() < 1)
        return;
    syncing_ = true;
    const QModelIndex index = model_->index(k.recNo() - 1, 0);
    grid_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(index);
    syncing_ = false;
}

void TFrmkmmc::applyScreenMode() {
    // The compact layout keeps every column readable in a 761-wide window.
    const bool compact = ScreenMode == QLatin1String("800");
    statsBox_->setFixedWidth(compact ? 132 : 170);
    grid_->setFont(sansFont(compact ? 12 : 13));
    grid_->horizontalHeader()->setFont(sansFont(compact ? 11 : 13, true));

    if (ScreenMode == QLatin1String("800"))
        setFixedSize(761, 480);
    else
        setFixedSize(935, 611);
    layout()->activate();

    // Column widths follow the screen being exactly 800 wide.
    const QScreen* s = screen();
    const bool narrow = s != nullptr && s->size().width() == 800;
    int others = 0;
    for (int c = 1; c < 6; ++c) {
        // Never narrower than the column's title: nothing may be cut off.
        const int w = std::max(narrow ? 50 : 65, grid_->horizontalHeader()->sectionSizeHint(c));
        grid_->setColumnWidth(c, w);
        others += w;
    }
    // The chapter names take what is left when the window is too small for their width.
    const int room = grid_->parentWidget()->width() - 40 - others;
    grid_->setColumnWidth(0,
                          room > 120 ? std::min(narrow ? 308 : 370, room) : (narrow ? 308 : 370));

    if (s != nullptr)
        move(s->availableGeometry().center() - rect().center());
}

void TFrmkmmc::FormShow() {
    SetHourglassCursor();
    ChapterBrowserShown = true;
    Dataset& k = DM1->Cn1Table_kmmc;
    k.openIfClosed();
    k.first();
    k.setFilter(QStringLiteral("c1<>") + QStringLiteral("'xx'"));
    applyScreenMode();
    showTotals();
    if (!k.locate(QStringLiteral("C1"), LastChapterCode))
        k.first();
    syncGridToDataset();
    btnGuidance_->setEnabled(!k.isEmpty() && TDM1::HasGuidance(k.value(QStringLiteral("jx"))));
    SetNormalCursor();
}

void TFrmkmmc::showTotals() {
    Dataset& q = DM1->Cn1Query1;
    q.open(QStringLiteral(
        "select sum(C3) as count_c3,sum(D1) as count_d1,sum(D2) as count_d2 from tab_kmmc "
        "where length(c1)=6"));
    const qint64 c3 = q.field(QStringLiteral("count_c3")).asInteger();
    const qint64 d1 = q.field(QStringLiteral("count_d1")).asInteger();
    const qint64 d2 = q.field(QStringLiteral("count_d2")).asInteger();
    lcdTotal_->display(static_cast<int>(std::min<qint64>(c3, 10000)));
    lcdAnswers_->display(static_cast<int>(d1));
    lcdWrong_->display(static_cast<int>(d2));
    if (d1 > 0)
        lblScore_->setText(rateText(d1, d2));
}

void TFrmkmmc::hideEvent(QHideEvent* event) {
    ChapterBrowserShown = false;
    FormWindow::hideEvent(event);
}

void TFrmkmmc::showAgain() {
    if (isHidden())
        show();  // the show steps run again
    else
        runShowSteps();
}

void TFrmkmmc::StartPractice(PracticeMode mode, bool doubleClicked) {
    Dataset& k = DM1->Cn1Table_kmmc;
    if (!k.isOpen() || k.isEmpty())
        return;
    const QString code = k.field(QStringLiteral("C1")).asString();
    LastChapterCode = code;
    if (code.size() == 1 || code.size() == 2) {
        SystemMessageBox(QStringLiteral("提示"), QStringLiteral("请选择具体章节目录！"),
                         QMessageBox::Information);
        return;
    }
    PracticeSql = practiceSql(mode, code, doubleClicked);
    SetHourglassCursor();
    {
        // In every case, also when an error escapes: the normal cursor, the practice
        // window freed, and the browser shown again with fresh totals.
        struct Afterwards {
            TFrmkmmc* browser;
            ~Afterwards() {
                SetNormalCursor();
                try {
                    browser->showAgain();
                } catch (...) {
                    // The error that is already on its way is the one to show.
                }
            }
        } afterwards{this};
        auto window = std::make_unique<TFrmLxxt>();
        FrmLxxt = window.get();
        struct ClearReference {
            ~ClearReference() { FrmLxxt = nullptr; }
        } clearReference;
        window->setHooks(hooks_);
        if (window->LoadQuestionSet()) {
            hide();
            showModal(*window);
        } else {
            SetNormalCursor();
            const bool anyNew = mode == PracticeMode::New || doubleClicked;
            if (anyNew)
                ShowDialog(QStringLiteral("提示"), QStringLiteral("恭喜，习题已做完！"), 1, 0,
                           QStringLiteral("NO"));
            else if (mode == PracticeMode::Wrong)
                ShowDialog(QStringLiteral("提示"), QStringLiteral("本章节下没有错题！"), 1, 1,
                           QStringLiteral("NO"));
            else
                ShowDialog(QStringLiteral("提示"), QStringLiteral("本章节习题还未曾做过！"), 1, 1,
                           QStringLiteral("NO"));
        }
    }
}

void TFrmkmmc::QuestionEntry() {
    Dataset& k = DM1->Cn1Table_kmmc;
    if (!k.isOpen() || k.isEmpty())
        return;
    const QString code = k.field(QStringLiteral("C1")).asString();
    if (code.size() == 1 || code.size() == 2) {
        SystemMessageBox(QStringLiteral("提示"), QStringLiteral("请选择具体章节目录！"),
                         QMessageBox::Information);
        return;
    }
    if (!hooks_.questionEntry)
        return;
    LastChapterCode = code;
    int saved = 0;
    bool failed = false;
    try {
        saved = hooks_.questionEntry(code, k.field(QStringLiteral("C2")).asString());
    } catch (const std::exception&) {
        failed = true;
    }
    k.requery();
    k.locate(QStringLiteral("C1"), code);
    if (failed)
        SystemMessageBox(QStringLiteral("提示"), QStringLiteral("录入试题后出现异常!"),
                         QMessageBox::Warning);
    else
        lcdTotal_->display(lcdTotal_->intValue() + saved);
}

void TFrmkmmc::ShowGuidance() {
    Dataset& k = DM1->Cn1Table_kmmc;
    if (!k.isOpen() || k.isEmpty())
        return;
    SetHourglassCursor();
    openModal(FrmJx, [&k](TFrmJx& w) { w.BindText(k, QStringLiteral("jx")); });
    SetNormalCursor();
}

void TFrmkmmc::FormClose() {
    ChapterBrowserShown = false;
    DM1->Cn1Table_kmmc.close();
    DM1->Cn1Query1.close();
}

void OpenChapterBrowser(const PracticeHooks& hooks) {
    openModal(Frmkmmc, [&hooks](TFrmkmmc& w) { w.setHooks(hooks); });
}
