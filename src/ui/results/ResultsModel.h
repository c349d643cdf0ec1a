// The rows of the results list: seven text columns and an icon per row, in the order the walk
// produced them. Rows are appended in bulk so a fast walk costs one model update per batch.
// A row can be dragged out as its file (FileMimeData.h); rows are never dropped in, moved or
// removed by a drag.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <functional>
#include <vector>

#include "search/ResultRow.h"

namespace tarnwick::ui {

class ResultsModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumnCount = 7;
    // Column titles, and the form's widths (for its small font; FittedColumnWidths adapts
    // them to the list's font).
    static const char* ColumnTitle(int column);
    static int ColumnWidth(int column);

    // `iconFor` turns a row's icon key into its icon (cached by the caller).
    explicit ResultsModel(std::function<QIcon(const std::string&)> iconFor,
                          QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    // The file of the first row among `indexes` (one row is selected at a time), as a drag
    // carries it; nullptr for no row.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // Copy and move: the drop target decides (a file manager moves with Shift).
    Qt::DropActions supportedDragActions() const override;

    void Append(std::vector<search::ResultRow> rows);
    void Clear();
    const search::ResultRow& Row(int row) const { return fRows.at(static_cast<std::size_t>(row)); }

  private:
    std::function<QIcon(const std::string&)> fIconFor;
    std::vector<search::ResultRow> fRows;
};

}  // namespace tarnwick::ui
