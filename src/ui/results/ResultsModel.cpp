// Results list model.
#include "ui/results/ResultsModel.h"

#include <QFile>
#include <QMimeData>

#include "ui/results/FileMimeData.h"

namespace tarnwick::ui {

using search::ResultRow;

namespace {

struct ColumnSpec {
    const char* title;
    int width;
};

constexpr ColumnSpec kColumns[ResultsModel::kColumnCount] = {
    {"Name", 160},    {"Path", 140},     {"Size", 65},       {"Type", 100},
    {"Created", 130}, {"Modified", 130}, {"Attributes", 60},
};

// Names and paths are the file system's bytes; the texts of the walk are UTF-8.
QString ColumnText(const ResultRow& row, int column) {
    switch (column) {
        case 0:
            return QFile::decodeName(QByteArray::fromStdString(row.Name));
        case 1:
            return QFile::decodeName(QByteArray::fromStdString(row.Path));
        case 2:
            return QString::fromStdString(row.Size);
        case 3:
            return QString::fromStdString(row.Type);
        case 4:
            return QString::fromStdString(row.Created);
        case 5:
            return QString::fromStdString(row.Modified);
        case 6:
            return QString::fromStdString(row.Attributes);
        default:
            return {};
    }
}

}  // namespace

const char* ResultsModel::ColumnTitle(int column) {
    return kColumns[column].title;
}
int ResultsModel::ColumnWidth(int column) {
    return kColumns[column].width;
}

ResultsModel::ResultsModel(std::function<QIcon(const std::string&)> iconFor, QObject* parent)
    : QAbstractTableModel(parent), fIconFor(std::move(iconFor)) {}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fRows.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(fRows.size())) {
        return {};
    }
    const ResultRow& row = fRows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return ColumnText(row, index.column());
    }
    if (role == Qt::DecorationRole && index.column() == 0 && fIconFor) {
        return fIconFor(row.IconKey);
    }
    return {};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount) {
        return QString::fromLatin1(kColumns[section].title);
    }
    return {};
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid()) {
        result |= Qt::ItemIsDragEnabled;
    }
    return result;
}

QStringList ResultsModel::mimeTypes() const {
    return {QString::fromLatin1(kUriListMime), QStringLiteral("text/plain")};
}

QMimeData* ResultsModel::mimeData(const QModelIndexList& indexes) const {
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && index.model() == this && index.row() < rowCount()) {
            return FileDragData(Row(index.row()).Path).release();
        }
    }
    return nullptr;
}

Qt::DropActions ResultsModel::supportedDragActions() const {
    return Qt::CopyAction | Qt::MoveAction;
}

void ResultsModel::Append(std::vector<ResultRow> rows) {
    if (rows.empty()) {
        return;
    }
    const int first = static_cast<int>(fRows.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    fRows.insert(fRows.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
}

void ResultsModel::Clear() {
    if (fRows.empty()) {
        return;
    }
    beginResetModel();
    fRows.clear();
    endResetModel();
}

}  // namespace tarnwick::ui
