// The results list's view: a table of rows that can be dragged out as their files and that
// asks for a row menu. It reports what the user did with a row (a menu asked for over a row or
// over empty space, a drag ended) and leaves what follows to the window. Dragging never moves,
// removes or drops rows: they stay as the search found them.
#pragma once

#include <QTableView>

namespace tarnwick::ui {

class ResultsView final : public QTableView {
    Q_OBJECT
  public:
    explicit ResultsView(QWidget* parent = nullptr);

  signals:
    // A right click or the menu key: `row` is the row under the pointer (for the key, the
    // current row), -1 over empty space; `globalPos` is where the menu opens.
    void RowMenuRequested(int row, const QPoint& globalPos);
    // A drag of `row` ended, dropped or not.
    void RowDragEnded(int row);

  protected:
    // The right button belongs to the row menu: it neither selects nor drags (the menu
    // selects its row itself, and over empty space nothing changes).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The selected row's file, copy or move as the target decides (copy when it has no say).
    void startDrag(Qt::DropActions supportedActions) override;
};

}  // namespace tarnwick::ui
