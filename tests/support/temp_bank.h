#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class Database;
class TDM1;

// A question bank of its own for one test: a temporary program folder holding
// data/WUPTAVNOR88417.mdb with the full schema, the tab_plan row and a small fixture of
// chapters, questions and exam points. The data module is opened on it.
class TempBank {
  public:
    enum class Content { SchemaOnly, Fixture };

    explicit TempBank(Content content = Content::Fixture);
    ~TempBank();

    QString folder() const;  // ends in "/"
    QString bankPath() const;
    TDM1& dm() { return *dm_; }
    Database& db();

    // Copies the pad pictures the build made into this program folder, for the windows
    // that load them by path.
    void installPictures();

    // Writes a bank with the schema (and fixture) to `path` with the bank's key.

    static void writeBank(const QString& path, Content content);

  private:
    QTemporaryDir dir_;
    std::unique_ptr<TDM1> dm_;
};
