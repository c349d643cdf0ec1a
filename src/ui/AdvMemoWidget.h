// The Qt host of the editor control: owns the toolkit-free TAdvMemo and the two scroll bars,
// which always show the scroll state the editor's view computed. Each Qt event becomes one
// call into the editor; painting is one call too.
#pragma once

#include <QScrollBar>
#include <QWidget>
#include <memory>

#include "editor/AdvMemo.h"

namespace tarnwick {

class CompletionWindows;

class TAdvMemoWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit TAdvMemoWidget(QWidget* parent = nullptr);
    ~TAdvMemoWidget() override;

    editor::TAdvMemo& Memo() { return *memo_; }
    QScrollBar* VerticalScrollBar() const { return vertical_; }
    QScrollBar* HorizontalScrollBar() const { return horizontal_; }
    // Recomputes the scroll state and applies it to the two bars (done after every change the
    // editor reports, once control returns to the event loop).
    void SyncScrollBars();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void EditorInvalidated();
    void EnsureMetrics();
    void ApplyBar(QScrollBar* bar, const editor::TAdvMemoScrollBar& state,
                  const platform::SurfaceRect& rect);
    void BarAction(QScrollBar* bar, bool vertical, int action);

    std::unique_ptr<editor::TAdvMemo> memo_;
    // The completion list and parameter hint windows; they go before the editor they show.
    std::unique_ptr<CompletionWindows> completion_;
    QScrollBar* vertical_;    // child, owned by this widget
    QScrollBar* horizontal_;  // child, owned by this widget
    bool syncing_ = false;
    bool syncQueued_ = false;
};

}  // namespace tarnwick
