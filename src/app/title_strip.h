#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// The teal strip at the top of a borderless window: its caption in white, and dragging it
// moves the window.
class TitleStrip : public QWidget {
    Q_OBJECT
  public:
    explicit TitleStrip(const QString& caption = {}, QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    QString caption() const;
    QLabel* label() const { return label_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QLabel* label_;
    QPoint dragOffset_;
    bool dragging_ = false;
};

// Lays out a borderless window: the title strip on top, and below it the returned layout
// for the window's content, with `margins` around it.
QVBoxLayout* layOutWithTitleStrip(QWidget* window, const QString& caption, const QMargins& margins);
