#pragma once

#include <QString>
#include <stdexcept>

// A database failure. Carries SQLite's own message so that the window that catches it
// can show what went wrong.
class DbError : public std::runtime_error {
  public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
