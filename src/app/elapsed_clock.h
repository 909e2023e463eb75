#pragma once

#include <QObject>
#include <QTimer>

// The elapsed time of a sitting: reset, pause, resume, a tick each second, the time as
// "h:mm:ss" (hours without a leading zero). Tests call tick() instead of waiting.
class ElapsedClock : public QObject {
    Q_OBJECT
  public:
    explicit ElapsedClock(QObject* parent = nullptr);

    void reset();  // zero, stopped
    void start();  // from zero
    void pause();
    void resume();
    bool isRunning() const { return timer_.isActive(); }
    qint64 seconds() const { return seconds_; }
    QString text() const;
    void tick();

  signals:
    void ticked(const QString& text);

  private:
    QTimer timer_;
    qint64 seconds_ = 0;
};
