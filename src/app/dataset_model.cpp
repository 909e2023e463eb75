#include "dataset_model.h"

#include "dataset.h"
#include "field.h"

DatasetModel::DatasetModel(Dataset& dataset, QVector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), dataset_(&dataset), columns_(std::move(columns)) {
    connect(&dataset, &Dataset::contentChanged, this, [this]() {
        beginResetModel();
        endResetModel();
    });
    // Values of rows may change without the view changing (a post, counters refreshed).
    connect(&dataset, &Dataset::currentRowChanged, this, [this]() {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    });
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !dataset_ || !dataset_->isOpen())
        return 0;
    return dataset_->recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !dataset_ || !dataset_->isOpen() ||
        index.row() >= dataset_->recordCount())
        return {};
    const Column& c = columns_.at(index.column());
    if (role == Qt::DisplayRole)
        return Field(dataset_->valueAt(index.row() + 1, c.field)).asString();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(c.alignment);
    return {};
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < columns_.size())
        return columns_.at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}
