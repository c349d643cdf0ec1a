// The rows of the results list: seven text columns and an icon per row, in the order the walk
// produced them. Rows are appended in bulk so a fast walk costs one model update per batch.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <functional>
#include <vector>

#include "search/ResultRow.h"

namespace tarnwick {

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

    void Append(std::vector<ResultRow> rows);
    void Clear();
    const ResultRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

  private:
    std::function<QIcon(const std::string&)> iconFor_;
    std::vector<ResultRow> rows_;
};

}  // namespace tarnwick
