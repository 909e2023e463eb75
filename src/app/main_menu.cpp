#include "main_menu.h"

#include "app_look.h"
#include "exam_plan.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <QVBoxLayout>

#include <limits>

namespace {

const QColor kTeal(0x0f, 0x76, 0x6e);
const QColor kMint(0xcc, 0xfb, 0xf1);
const QColor kMuted(0x64, 0x74, 0x8b);
const QColor kInk(0x1e, 0x29, 0x3b);

}  // namespace

MenuTile::MenuTile(const QString& command, const QString& glyph, const QString& title,
                   const QString& description, QWidget* parent)
    : QPushButton(title, parent), command_(command), glyph_(glyph), description_(description) {
    setObjectName(QStringLiteral("menu_") + command);
    setProperty("tile", true);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(description);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setMinimumWidth(140);
}

void MenuTile::setCompact(bool compact) {
    compact_ = compact;
    setFixedHeight(compact ? 44 : 62);
    updateGeometry();
    update();
}

QSize MenuTile::sizeHint() const {
    return {compact_ ? 170 : 230, compact_ ? 44 : 62};
}

void MenuTile::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The style sheet draws the card (border, hover, focus); the content is ours.
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p, this);

    p.setRenderHint(QPainter::Antialiasing);
    const bool lit = hasFocus() || underMouse();
    const int badge = compact_ ? 26 : 34;
    const QRectF badgeRect(10, (height() - badge) / 2.0, badge, badge);
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? (lit ? kTeal : kMint) : QColor(0xe2, 0xe8, 0xf0));
    p.drawRoundedRect(badgeRect, 8, 8);
    p.setPen(lit ? Qt::white : kTeal);
    p.setFont(sansFont(compact_ ? 14 : 17, true));
    p.drawText(badgeRect, Qt::AlignCenter, glyph_);

    const int left = static_cast<int>(badgeRect.right()) + 10;
    const QRect textRect(left, 4, width() - left - 8, height() - 8);
    const QFont titleFont = sansFont(compact_ ? 13 : 15, true);
    const QFont descFont = sansFont(compact_ ? 11 : 12);
    p.setPen(isEnabled() ? (lit ? kTeal : kInk) : kMuted);
    p.setFont(titleFont);
    const QFontMetrics tm(titleFont);
    const QString title = tm.elidedText(text(), Qt::ElideRight, textRect.width());
    const QFontMetrics dm(descFont);
    const int block = tm.height() + dm.height();
    const int top = textRect.top() + (textRect.height() - block) / 2;
    p.drawText(QRect(textRect.left(), top, textRect.width(), tm.height()),
               Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setPen(kMuted);
    p.setFont(descFont);
    p.drawText(QRect(textRect.left(), top + tm.height(), textRect.width(), dm.height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               dm.elidedText(description_, Qt::ElideRight, textRect.width()));
}

MainMenu::MainMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainMenu"));
    setAttribute(Qt::WA_StyledBackground, true);

    sideBar_ = new QWidget(this);
    sideBar_->setObjectName(QStringLiteral("MenuSideBar"));
    sideBar_->setAttribute(Qt::WA_StyledBackground, true);
    product_ = new QLabel(QStringLiteral("Lorvane"), sideBar_);
    product_->setObjectName(QStringLiteral("MenuProduct"));
    subtitle_ = new QLabel(QStringLiteral("Quessel 资格考试学习系统\n计算机应用基础"), sideBar_);
    subtitle_->setObjectName(QStringLiteral("MenuSubtitle"));
    countdown_ = new QLabel(sideBar_);
    countdown_->setObjectName(QStringLiteral("MenuCountdown"));
    countdown_->setWordWrap(true);
    plan_ = new QLabel(sideBar_);
    plan_->setObjectName(QStringLiteral("MenuPlan"));
    plan_->setStyleSheet(QStringLiteral("color: #ccfbf1;"));
    plan_->setWordWrap(true);
    quit_ = new QPushButton(QStringLiteral("退出程序"), sideBar_);
    quit_->setObjectName(QStringLiteral("menu_quit"));
    quit_->setProperty("tile", QStringLiteral("quit"));
    quit_->setAutoDefault(false);
    quit_->setCursor(Qt::PointingHandCursor);
    connect(quit_, &QPushButton::clicked, this,
            [this]() { emit command(QStringLiteral("quit"), QString()); });

    auto* side = new QVBoxLayout(sideBar_);
    side->setContentsMargins(28, 36, 28, 28);
    side->setSpacing(10);
    side->addWidget(product_);
    side->addWidget(subtitle_);
    side->addSpacing(24);
    side->addWidget(countdown_);
    side->addWidget(plan_);
    side->addStretch();
    side->addWidget(quit_);

    content_ = new QWidget(this);
    content_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* contentLayout = new QVBoxLayout(content_);
    grid_ = new QGridLayout;
    for (int c = 0; c < 3; ++c)
        grid_->setColumnStretch(c, 1);
    contentLayout->addLayout(grid_);
    contentLayout->addStretch();

    auto make = [this](const char* cmd, const char* glyph, const QString& title, const char* desc) {
        return new MenuTile(QString::fromLatin1(cmd), QString::fromUtf8(glyph), title,
                            QString::fromUtf8(desc), content_);
    };
    addGroup(QStringLiteral("练习"),
             {make("lx", "练", QStringLiteral("章节练习"), "按章节练习新题、错题重做、习题重温"),
              make("ksdg", "纲", QStringLiteral("考试大纲"), "按考点浏览，针对考点练习")});
    QVector<MenuTile*> exams;
    const char* examGlyphs[] = {"一", "二", "三", "四", "五"};
    const char* examDesc[] = {
        "系统篇与应用篇 · 单选 多选 配伍", "组成 操作系统 编码 · 单选 判断 多选",
        "网络 数据库 安全 · 单选 判断 多选", "十道案例分析，限时作答", "计算机网络填空题专项"};
    for (int t = 1; t <= 5; ++t) {
        const QString cmd = t == 1 ? QStringLiteral("mnks") : QStringLiteral("mnks%1").arg(t);
        exams << new MenuTile(cmd, QString::fromUtf8(examGlyphs[t - 1]), paperTitle(t),
                              QString::fromUtf8(examDesc[t - 1]), content_);
    }
    exams << make("cj", "绩", QStringLiteral("考试成绩"), "已保存的试卷：回顾、删除、导出");
    addGroup(QStringLiteral("模拟考试"), exams);
    addGroup(QStringLiteral("记录与计划"),
             {make("rz", "志", QStringLiteral("学习日志"), "每天的做题量、正确率与用时"),
              make("tj", "图", QStringLiteral("成绩统计"), "各章节综合成绩图表"),
              make("szjh", "划", QStringLiteral("学习计划"), "每日题量或时间，考试倒计时")});
    addGroup(QStringLiteral("设置"),
             {make("szks", "设", QStringLiteral("考试设置"), "考试时长与保存试卷的最低分"),
              make("music", "乐", QStringLiteral("背景音乐"), "选择乐曲与音量"),
              make("sztime", "时", QStringLiteral("答题时间"), "每种题型的答题时间"),
              make("sj", "升", QStringLiteral("题库升级"), "从升级文件导入新题")});
    addGroup(QStringLiteral("资料与帮助"),
             {make("fg", "规", QStringLiteral("相关规定"), "Quessel 考试相关规定汇编"),
              make("lxfs", "书", QStringLiteral("购书联系"), "发行站及专业书店联系方式"),
              make("lnst", "法", QStringLiteral("学习方法"), "三轮复习法与考前提示"),
              make("help", "助", QStringLiteral("使用帮助"), "本程序的使用说明"),
              make("about", "关", QStringLiteral("关于"), "版本与版权信息")});

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(sideBar_);
    content_->setMaximumWidth(1100);
    // The tiles take the width up to a comfortable maximum; a wider screen centres them.
    outer->addStretch(0);
    outer->addWidget(content_, 1);
    outer->addStretch(0);

    for (MenuTile* t : tiles_) {
        t->installEventFilter(this);
        connect(t, &QPushButton::clicked, this,
                [this, t]() { emit command(t->command(), QString()); });
    }
    quit_->installEventFilter(this);
    setScreenMode(QStringLiteral("1024"));
}

void MainMenu::addGroup(const QString& title, const QVector<MenuTile*>& tiles) {
    // One grid for all groups, so the tiles of every group line up in the same columns.
    constexpr int kColumns = 3;
    auto* label = new QLabel(title, content_);
    label->setObjectName(QStringLiteral("MenuGroupTitle"));
    groupTitles_ << label;
    grid_->addWidget(label, nextRow_++, 0, 1, kColumns);
    for (int i = 0; i < tiles.size(); ++i)
        grid_->addWidget(tiles[i], nextRow_ + i / kColumns, i % kColumns);
    nextRow_ += (static_cast<int>(tiles.size()) + kColumns - 1) / kColumns;
    tiles_ += tiles;
}

void MainMenu::setScreenMode(const QString& mode) {
    const bool compact = mode == QLatin1String("800");
    for (MenuTile* t : tiles_)
        t->setCompact(compact);
    sideBar_->setFixedWidth(compact ? 190 : 240);
    product_->setFont(sansFont(compact ? 26 : 34, true));
    subtitle_->setFont(sansFont(compact ? 13 : 15));
    countdown_->setFont(sansFont(compact ? 13 : 14));
    plan_->setFont(sansFont(compact ? 12 : 13));
    content_->setContentsMargins(compact ? 14 : 28, compact ? 10 : 24, compact ? 14 : 28,
                                 compact ? 6 : 16);
    grid_->setVerticalSpacing(compact ? 5 : 9);
    grid_->setHorizontalSpacing(compact ? 8 : 12);
    for (QLabel* l : groupTitles_)
        l->setFont(sansFont(compact ? 14 : 16, true));
}

void MainMenu::setCountdown(const QString& text) {
    countdown_->setText(text);
    countdown_->setVisible(!text.isEmpty());
}

void MainMenu::setPlanProgress(const QString& text) {
    plan_->setText(text);
}

MenuTile* MainMenu::tile(const QString& command) const {
    for (MenuTile* t : tiles_) {
        if (t->command() == command)
            return t;
    }
    return nullptr;
}

void MainMenu::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!tiles_.isEmpty() && (focusWidget() == nullptr || !isAncestorOf(focusWidget())))
        tiles_.first()->setFocus();
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        switch (key->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
                if (auto* t = qobject_cast<MenuTile*>(watched))
                    moveFocus(t, key->key());
                else if (!tiles_.isEmpty())
                    tiles_.last()->setFocus();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (button != nullptr)
                    button->click();
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainMenu::moveFocus(MenuTile* from, int key) {
    // The nearest tile in the direction of the arrow, by the tiles' centres on screen.
    const QPoint c = from->mapTo(this, from->rect().center());
    MenuTile* best = nullptr;
    qint64 bestScore = std::numeric_limits<qint64>::max();
    for (MenuTile* t : tiles_) {
        if (t == from || !t->isEnabled())
            continue;
        const QPoint d = t->mapTo(this, t->rect().center()) - c;
        qint64 along = 0;
        qint64 across = 0;
        switch (key) {
            case Qt::Key_Left:
                along = -d.x();
                across = d.y();
                break;
            case Qt::Key_Right:
                along = d.x();
                across = d.y();
                break;
            case Qt::Key_Up:
                along = -d.y();
                across = d.x();
                break;
            default:
                along = d.y();
                across = d.x();
                break;
        }
        if (along <= 0)
            continue;
        const qint64 score = along * along + 4 * across * across;
        if (score < bestScore) {
            bestScore = score;
            best = t;
        }
    }
    if (best != nullptr)
        best->setFocus();
    else if (key == Qt::Key_Left)
        quit_->setFocus();
}
