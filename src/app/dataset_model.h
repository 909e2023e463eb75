#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

class Dataset;

// A read-only grid over a dataset's view: the columns a window lists, with their titles
// and alignment. It follows the dataset (opened, filtered, rows changed).
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Column {
        QString field;
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    DatasetModel(Dataset& dataset, QVector<Column> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QPointer<Dataset> dataset_;
    QVector<Column> columns_;
};
