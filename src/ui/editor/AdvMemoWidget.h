// The Qt host of the editor control: owns the toolkit-free TAdvMemo and the two scroll bars,
// which always show the scroll state the editor's view computed. Each Qt event becomes one
// call into the editor; painting is one call too, followed by the caret (2 px wide, blinking
// at the platform's cursor flash time while the editor allows it, on a platform timer) and the
// drop marker of a drag. The context menu is a QMenu built from the editor's menu model. Every
// event handler, timer and scroll bar action runs behind the handler barrier (HandlerBarrier.h), so
// an error in the editor is shown by the window and the widget keeps working.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <memory>

#include "editor/control/AdvMemo.h"
#include "editor/view/CaretBlink.h"
#include "platform/Timer.h"

namespace tarnwick::ui {

class CompletionWindows;

class TAdvMemoWidget final : public QWidget {
    Q_OBJECT
  public:
    // blinkTimer: the timer of the caret blink; without one the widget makes a Qt timer.
    explicit TAdvMemoWidget(QWidget* parent = nullptr,
                            std::unique_ptr<platform::ITimer> blinkTimer = nullptr);
    ~TAdvMemoWidget() override;

    editor::TAdvMemo& Memo() { return *fMemo; }
    QScrollBar* VerticalScrollBar() const { return fVertical; }
    QScrollBar* HorizontalScrollBar() const { return fHorizontal; }
    // Recomputes the scroll state and applies it to the two bars (done after every change the
    // editor reports, once control returns to the event loop).
    void SyncScrollBars();
    // The last context menu shown (null before the first or after it was discarded).
    QMenu* ContextMenu() const { return fMenu; }
    // Whether the caret is drawn at this moment (focus, not hidden, in the blink's on phase).
    bool CaretDrawn() const;
    // Closes the completion list and hides the parameter hint (before the text is replaced).
    void CloseCompletion();

  protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
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
    // The event handlers' work, each run behind the handler barrier by its Qt override.
    void HandlePaint(QPaintEvent* event);
    void HandleResize(QResizeEvent* event);
    void HandleKeyPress(QKeyEvent* event);
    void HandleKeyRelease(QKeyEvent* event);
    void HandleMousePress(QMouseEvent* event);
    void HandleMouseMove(QMouseEvent* event);
    void HandleMouseRelease(QMouseEvent* event);
    void HandleMouseDoubleClick(QMouseEvent* event);
    void HandleWheel(QWheelEvent* event);
    void HandleFocusIn(QFocusEvent* event);
    void HandleFocusOut(QFocusEvent* event);
    void HandleContextMenu(QContextMenuEvent* event);
    void EditorInvalidated();
    void EnsureMetrics();
    void ApplyBar(QScrollBar* bar, const editor::TAdvMemoScrollBar& state,
                  const platform::SurfaceRect& rect);
    void BarAction(QScrollBar* bar, bool vertical, int action);
    void RepaintCaret();
    void RestartBlink();
    void FollowPointerShape();

    std::unique_ptr<editor::TAdvMemo> fMemo;
    // The completion list and parameter hint windows; they go before the editor they show.
    std::unique_ptr<CompletionWindows> fCompletion;
    QScrollBar* fVertical;    // child, owned by this widget
    QScrollBar* fHorizontal;  // child, owned by this widget
    bool fSyncing = false;
    bool fSyncQueued = false;
    std::unique_ptr<platform::ITimer> fBlinkTimer;
    editor::TCaretBlink fBlink;  // stops its timer as it goes, before the timer does
    QRect fCaretDrawn;
    QPointer<QMenu> fMenu;
};

}  // namespace tarnwick::ui
