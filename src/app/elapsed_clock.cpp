#include "elapsed_clock.h"

#include "time_text.h"

ElapsedClock::ElapsedClock(QObject* parent) : QObject(parent) {
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &ElapsedClock::tick);
}

void ElapsedClock::reset() {
    timer_.stop();
    seconds_ = 0;
    emit ticked(text());
}

void ElapsedClock::start() {
    reset();
    timer_.start();
}

void ElapsedClock::pause() {
    timer_.stop();
}

void ElapsedClock::resume() {
    timer_.start();
}

QString ElapsedClock::text() const {
    return secondsToClockTime(seconds_);
}

void ElapsedClock::tick() {
    ++seconds_;
    emit ticked(text());
}
