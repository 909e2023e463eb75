#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Typed reads of one stored value, as the windows read fields: NULL reads as 0, 0.0 or an
// empty text. A text that is not a number raises DbError when read as a number.
class Field {
  public:
    explicit Field(QVariant value = {}) : value_(std::move(value)) {}

    bool isNull() const;
    const QVariant& value() const { return value_; }
    qint64 asInteger() const;
    double asFloat() const;
    QString asString() const;
    QByteArray asBytes() const;

  private:
    QVariant value_;
};
