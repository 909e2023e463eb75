#pragma once

#include <QPushButton>
#include <QVector>
#include <QWidget>

class QGridLayout;
class QLabel;
class QVBoxLayout;

// One menu entry: a tile with a glyph, a title and a line of description. Clicking it (or
// Enter/Space while it has the focus) delivers its command string.
class MenuTile : public QPushButton {
    Q_OBJECT
  public:
    MenuTile(const QString& command, const QString& glyph, const QString& title,
             const QString& description, QWidget* parent = nullptr);
    QString command() const { return command_; }
    void setCompact(bool compact);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString command_;
    QString glyph_;
    QString description_;
    bool compact_ = false;
};

// The program's full-screen menu: the product on a teal side bar with the exam
// countdown and the day's plan, and the commands as grouped tiles. Arrow keys move
// between tiles; every tile delivers one command string to the main window's handler.
class MainMenu : public QWidget {
    Q_OBJECT
  public:
    explicit MainMenu(QWidget* parent = nullptr);

    // Lays the menu out for "800" (compact) or "1024".
    void setScreenMode(const QString& mode);
    // The countdown to the exam date and the day's progress against the plan.
    void setCountdown(const QString& text);
    void setPlanProgress(const QString& text);

    MenuTile* tile(const QString& command) const;
    QVector<MenuTile*> tiles() const { return tiles_; }

  signals:
    void command(const QString& command, const QString& arguments);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void addGroup(const QString& title, const QVector<MenuTile*>& tiles);
    void moveFocus(MenuTile* from, int key);

    QWidget* sideBar_;
    QLabel* product_;
    QLabel* subtitle_;
    QLabel* countdown_;
    QLabel* plan_;
    QPushButton* quit_;
    QWidget* content_;
    QGridLayout* grid_;
    int nextRow_ = 0;
    QVector<MenuTile*> tiles_;
    QVector<QLabel*> groupTitles_;
};
