// Results list view: row menu requests and drags.
#include "ui/results/ResultsView.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>

namespace tarnwick::ui {
namespace {

constexpr int kDragIconSize = 32;

bool RightButtonOnly(const QMouseEvent* event) {
    const Qt::MouseButtons held = event->buttons() | event->button();
    return (held & Qt::RightButton) && !(held & Qt::LeftButton);
}

}  // namespace

ResultsView::ResultsView(QWidget* parent) : QTableView(parent) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setAcceptDrops(false);
}

void ResultsView::mousePressEvent(QMouseEvent* event) {
    if (RightButtonOnly(event)) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void ResultsView::mouseMoveEvent(QMouseEvent* event) {
    if (RightButtonOnly(event)) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void ResultsView::mouseReleaseEvent(QMouseEvent* event) {
    if (RightButtonOnly(event)) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void ResultsView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
        emit RowMenuRequested(index.isValid() ? index.row() : -1, event->globalPos());
        return;
    }
    // The menu key: the current row, the menu opening in the middle of its Name cell.
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        emit RowMenuRequested(-1, viewport()->mapToGlobal(QPoint(0, 0)));
        return;
    }
    scrollTo(current);
    const QRect rect = visualRect(model()->index(current.row(), 0));
    emit RowMenuRequested(current.row(), viewport()->mapToGlobal(rect.center()));
}

void ResultsView::startDrag(Qt::DropActions supportedActions) {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty() || !(supportedActions & Qt::CopyAction)) {
        return;
    }
    const QModelIndex index = rows.constFirst();
    QMimeData* data = model()->mimeData({index});
    if (data == nullptr) {
        return;
    }
    // Qt deletes the drag once it is over; the drag owns the data.
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    if (!icon.isNull()) {
        drag->setPixmap(icon.pixmap(kDragIconSize));
    }
    // Not QAbstractItemView's own drag: after a move it would remove the dragged rows.
    drag->exec(supportedActions, Qt::CopyAction);
    emit RowDragEnded(index.row());
}

}  // namespace tarnwick::ui
