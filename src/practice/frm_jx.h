#pragma once

#include "form_window.h"

#include <QByteArray>

class Dataset;
class QPushButton;
class QTextBrowser;

// The explanation of a question: its rich text, read-only, in a small framed window.
class TFrmJx : public FormWindow {
    Q_OBJECT
  public:
    explicit TFrmJx(QWidget* parent = nullptr);

    // Shows the rich text of `fieldName` in the current row of `source`. A row or field that
    // cannot be read leaves the view empty: a missing explanation is no error.
    void BindText(const Dataset& source, const QString& fieldName);
    // Shows rich text the caller already holds.
    void BindBlob(const QByteArray& rtf);

    QTextBrowser* DBRichEdit1;
    QPushButton* btnClose;

  protected:
    void FormShow() override;
};

// The explanation window while it is open (the window reference).
inline TFrmJx* FrmJx = nullptr;
