// The Qt host of the editor control: owns the toolkit-free TAdvMemo, its painting settings and
// painter, and the two scroll bars, which always show the scroll state the painter computed.
// Qt events become single calls into the editor; painting is one call into the painter.
#pragma once

#include <QScrollBar>
#include <QWidget>
#include <memory>

#include "editor/AdvMemo.h"
#include "editor/AdvMemoPainter.h"

namespace tarnwick {

class TAdvMemoWidget final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWheelStepDelta = 120;  // one notch of a wheel

    explicit TAdvMemoWidget(QWidget* parent = nullptr);
    ~TAdvMemoWidget() override;

    editor::TAdvMemo& Memo() { return *memo_; }
    editor::TAdvMemoPainter& Painter() { return *painter_; }
    editor::TAdvMemoPaintSettings& Settings() { return *settings_; }
    QScrollBar* VerticalScrollBar() const { return vertical_; }
    QScrollBar* HorizontalScrollBar() const { return horizontal_; }
    // Recomputes the scroll state and applies it to the two bars (done after every change the
    // editor reports, once control returns to the event loop).
    void SyncScrollBars();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void EditorInvalidated();
    void EnsureMetrics();
    void ApplyBar(QScrollBar* bar, const editor::TAdvMemoScrollBar& state,
                  const platform::SurfaceRect& rect);
    void BarAction(QScrollBar* bar, bool vertical, int action);

    std::unique_ptr<editor::TAdvMemo> memo_;
    std::unique_ptr<editor::TAdvMemoPaintSettings> settings_;
    std::unique_ptr<editor::TAdvMemoPainter> painter_;
    QScrollBar* vertical_;    // child, owned by this widget
    QScrollBar* horizontal_;  // child, owned by this widget
    bool syncing_ = false;
    bool syncQueued_ = false;
    int wheelRemainder_ = 0;
};

}  // namespace tarnwick
