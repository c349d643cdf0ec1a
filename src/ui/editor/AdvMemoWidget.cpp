// Editor host widget: event translation, the scroll bars and the paint call.
#include "ui/editor/AdvMemoWidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QScopedValueRollback>
#include <QStyle>
#include <QWheelEvent>

#include "editor/input/KeyClaims.h"
#include "platform/qt/QtDrawingSurface.h"
#include "platform/qt/QtTimer.h"
#include "ui/editor/AdvMemoMenu.h"
#include "ui/editor/CompletionWindows.h"
#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {

namespace {

// The caret shows and hides once each per flash period; 0 (no flashing) means no blinking.
int BlinkHalfPeriod() {
    const int flash = QApplication::cursorFlashTime();
    return flash > 0 ? flash / 2 : 0;
}

editor::TColor FromQColor(const QColor& c) {
    return static_cast<editor::TColor>(c.red()) | (static_cast<editor::TColor>(c.green()) << 8) |
           (static_cast<editor::TColor>(c.blue()) << 16);
}

editor::TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {}) {
    editor::TShiftState shift = 0;
    shift |= modifiers.testFlag(Qt::ShiftModifier) ? editor::ssShift : 0;
    shift |= modifiers.testFlag(Qt::AltModifier) ? editor::ssAlt : 0;
    shift |= modifiers.testFlag(Qt::ControlModifier) ? editor::ssCtrl : 0;
    shift |= buttons.testFlag(Qt::LeftButton) ? editor::ssLeft : 0;
    shift |= buttons.testFlag(Qt::RightButton) ? editor::ssRight : 0;
    shift |= buttons.testFlag(Qt::MiddleButton) ? editor::ssMiddle : 0;
    return shift;
}

editor::TMouseButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return editor::TMouseButton::mbRight;
        case Qt::MiddleButton:
            return editor::TMouseButton::mbMiddle;
        default:
            return editor::TMouseButton::mbLeft;
    }
}

// The editor's key code of a Qt key; vkNone for keys it has no code for.
editor::TKey KeyOf(int key) {
    using namespace editor;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<TKey>(key);  // Qt's codes are the upper-case ASCII codes here
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<TKey>(vkF1 + (key - Qt::Key_F1));
    }
    static const std::pair<int, TKey> kKeys[] = {
        {Qt::Key_Backspace, vkBack},  {Qt::Key_Tab, vkTab},       {Qt::Key_Backtab, vkTab},
        {Qt::Key_Return, vkReturn},   {Qt::Key_Enter, vkReturn},  {Qt::Key_Shift, vkShift},
        {Qt::Key_Control, vkControl}, {Qt::Key_Alt, vkMenu},      {Qt::Key_Escape, vkEscape},
        {Qt::Key_Space, vkSpace},     {Qt::Key_PageUp, vkPrior},  {Qt::Key_PageDown, vkNext},
        {Qt::Key_End, vkEnd},         {Qt::Key_Home, vkHome},     {Qt::Key_Left, vkLeft},
        {Qt::Key_Up, vkUp},           {Qt::Key_Right, vkRight},   {Qt::Key_Down, vkDown},
        {Qt::Key_Insert, vkInsert},   {Qt::Key_Delete, vkDelete},
    };
    for (const auto& [qt, vk] : kKeys) {
        if (qt == key) {
            return vk;
        }
    }
    return vkNone;
}

// The characters a key press types, as the editor's character input takes them: Ctrl with a
// letter gives its control code (Ctrl+A = 1 ... Ctrl+Z = 26), Ctrl+Space a space, the editing
// keys their control characters; Alt without Ctrl types nothing.
std::string CharsOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    const int key = event.key();
    if (alt && !ctrl) {
        return {};
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ctrl ? "\n" : "\r";
        case Qt::Key_Backspace:
            return ctrl ? "\x7f" : "\b";
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return "\t";
        case Qt::Key_Escape:
            return "\x1b";
        case Qt::Key_Space:
            return " ";
        default:
            break;
    }
    if (ctrl) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return std::string(1, static_cast<char>(key - Qt::Key_A + 1));
        }
        return {};
    }
    const QString text = event.text();
    if (text.isEmpty() || !text.front().isPrint()) {
        return {};
    }
    return text.toStdString();
}

// Keys the editor uses even when a window shortcut would take them.
bool EditorKey(const QKeyEvent& event) {
    return editor::ClaimsKey(KeyOf(event.key()));
}

}  // namespace

TAdvMemoWidget::TAdvMemoWidget(QWidget* parent, std::unique_ptr<platform::ITimer> blinkTimer)
    : QWidget(parent),
      fMemo(std::make_unique<editor::TAdvMemo>()),
      fCompletion(std::make_unique<CompletionWindows>(fMemo->Completion(), this)),
      fVertical(new QScrollBar(Qt::Vertical, this)),
      fHorizontal(new QScrollBar(Qt::Horizontal, this)),
      fBlinkTimer(blinkTimer ? std::move(blinkTimer) : std::make_unique<platform::QtTimer>()),
      fBlink(*fBlinkTimer, BlinkHalfPeriod(), [this] { return fMemo->CaretBlinks(); }) {
    setObjectName(QStringLiteral("AdvMemo1"));
    setFocusPolicy(Qt::StrongFocus);
    // The paint covers every pixel: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    fVertical->setObjectName(QStringLiteral("AdvMemo1VertScrollBar"));
    fHorizontal->setObjectName(QStringLiteral("AdvMemo1HorzScrollBar"));
    for (QScrollBar* bar : {fVertical, fHorizontal}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    connect(fVertical, &QScrollBar::actionTriggered, this,
            Guarded<int>(this, [this](int action) { BarAction(fVertical, true, action); }));
    connect(fHorizontal, &QScrollBar::actionTriggered, this,
            Guarded<int>(this, [this](int action) { BarAction(fHorizontal, false, action); }));

    editor::TAdvMemoPaintSettings& settings = fMemo->Settings();
    const QPalette pal = palette();
    settings.SystemColors.Set(editor::kSysBtnFace, FromQColor(pal.color(QPalette::Button)));
    settings.SystemColors.Set(editor::kSysScrollBar, FromQColor(pal.color(QPalette::Window)));
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    settings.SystemScrollBarWidth = extent;
    settings.SystemScrollBarHeight = extent;

    fMemo->OnInvalidate = [this] { EditorInvalidated(); };
    // Row invalidations (the block match) repaint their rows only.
    fMemo->OnInvalidateRect = [this](const platform::SurfaceRect& r) {
        update(QRect(r.Left, r.Top, r.Width(), r.Height()));
    };
    EnsureMetrics();
    setCursor(Qt::IBeamCursor);
    setMouseTracking(true);
    fBlink.OnToggle = Guarded(this, &TAdvMemoWidget::RepaintCaret);
}

TAdvMemoWidget::~TAdvMemoWidget() {
    fMemo->OnInvalidate = nullptr;
    fMemo->OnInvalidateRect = nullptr;
    delete fMenu;
}

bool TAdvMemoWidget::CaretDrawn() const {
    return fMemo->CaretShown() && (fBlink.On() || !fMemo->CaretBlinks());
}

void TAdvMemoWidget::RestartBlink() {
    fBlink.Restart(hasFocus());
}

void TAdvMemoWidget::RepaintCaret() {
    // Only the caret's cell changes: the one it was last drawn in, or where it stands now when
    // no paint has placed it yet. A caret that is not shown has nothing to blink.
    if (!fCaretDrawn.isNull()) {
        update(fCaretDrawn);
    } else if (fMemo->CaretShown()) {
        const auto c = fMemo->CaretRect();
        update(QRect(c.Left, c.Top, c.Width(), c.Height()));
    }
}

void TAdvMemoWidget::FollowPointerShape() {
    setCursor(fMemo->PointerShape() == editor::TCursorShape::crArrow ? Qt::ArrowCursor
                                                                     : Qt::IBeamCursor);
}

void TAdvMemoWidget::EnsureMetrics() {
    if (fMemo->View().LineHeight() == 0) {
        platform::QtDrawingSurface measure(nullptr);
        fMemo->View().ComputeMetrics(measure, false);
    }
}

void TAdvMemoWidget::EditorInvalidated() {
    update();
    // The caret stays on while it moves and types.
    RestartBlink();
    // Changes of lines or view arrive in the middle of editor operations; the bars follow
    // once the operation is over. Invalidations raised by the sync itself are ignored.
    if (fSyncing || fSyncQueued) {
        return;
    }
    fSyncQueued = true;
    QMetaObject::invokeMethod(this,
                              Guarded(this,
                                      [this] {
                                          fSyncQueued = false;
                                          SyncScrollBars();
                                      }),
                              Qt::QueuedConnection);
}

void TAdvMemoWidget::ApplyBar(QScrollBar* bar, const editor::TAdvMemoScrollBar& state,
                              const platform::SurfaceRect& rect) {
    const QSignalBlocker block(bar);
    bar->setRange(0, std::max(state.LastPosition(), state.Position));
    bar->setPageStep(std::max(1, state.PageSize));
    bar->setSingleStep(1);
    bar->setValue(state.Position);
    bar->setGeometry(rect.Left, rect.Top, rect.Width(), rect.Height());
    bar->setVisible(state.Visible);
}

void TAdvMemoWidget::SyncScrollBars() {
    if (fSyncing) {
        return;
    }
    {
        const QScopedValueRollback syncing(fSyncing, true);
        EnsureMetrics();
        editor::TAdvMemoView& view = fMemo->View();
        view.UpdateScrollBars();
        ApplyBar(fVertical, view.VerticalBar(), view.VerticalBarRect());
        ApplyBar(fHorizontal, view.HorizontalBar(), view.HorizontalBarRect());
    }
    update();
}

void TAdvMemoWidget::BarAction(QScrollBar* bar, bool vertical, int action) {
    using editor::TScrollCode;
    // Using a scroll bar gives the editor the focus first.
    setFocus(Qt::OtherFocusReason);
    TScrollCode code;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            code = TScrollCode::LineDown;
            break;
        case QAbstractSlider::SliderSingleStepSub:
            code = TScrollCode::LineUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            code = TScrollCode::PageDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            code = TScrollCode::PageUp;
            break;
        case QAbstractSlider::SliderToMinimum:
            code = TScrollCode::Top;
            break;
        case QAbstractSlider::SliderToMaximum:
            code = TScrollCode::Bottom;
            break;
        case QAbstractSlider::SliderMove:
            code = TScrollCode::ThumbTrack;
            break;
        default:
            return;
    }
    editor::TAdvMemoView& view = fMemo->View();
    if (vertical) {
        view.VerticalScroll(code, bar->sliderPosition());
        bar->setSliderPosition(view.VerticalBar().Position);
    } else {
        view.HorizontalScroll(code, bar->sliderPosition());
        bar->setSliderPosition(view.HorizontalBar().Position);
    }
}

void TAdvMemoWidget::HandlePaint(QPaintEvent* event) {
    QPainter painter(this);
    platform::QtDrawingSurface surface(&painter);
    const QRect r = event->rect();
    fMemo->Paint(surface, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    painter.setClipRect(r);
    const auto& drag = fMemo->DragState();
    if (drag.MarkerShown) {
        const auto cell = fMemo->View().CellRect(drag.MarkerColumn, drag.MarkerRow);
        painter.fillRect(QRect(cell.Left, cell.Top, 2, cell.Height()), Qt::black);
    }
    fCaretDrawn = QRect();
    if (CaretDrawn()) {
        const auto c = fMemo->CaretRect();
        fCaretDrawn = QRect(c.Left, c.Top, c.Width(), c.Height());
        // Inverted pixels, as a system caret shows: visible on any background.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(fCaretDrawn, Qt::white);
    } else if (fMemo->CaretShown()) {
        const auto c = fMemo->CaretRect();
        fCaretDrawn = QRect(c.Left, c.Top, c.Width(), c.Height());
    }
}

void TAdvMemoWidget::HandleResize(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    EnsureMetrics();
    {
        const QScopedValueRollback syncing(fSyncing, true);
        fMemo->View().SetClientSize(width(), height());
    }
    SyncScrollBars();
}

// Every Qt event handler runs its Handle... function behind the handler barrier.
void TAdvMemoWidget::paintEvent(QPaintEvent* event) {
    RunHandler(this, [&] { HandlePaint(event); });
}

void TAdvMemoWidget::resizeEvent(QResizeEvent* event) {
    RunHandler(this, [&] { HandleResize(event); });
}

void TAdvMemoWidget::keyPressEvent(QKeyEvent* event) {
    RunHandler(this, [&] { HandleKeyPress(event); });
}

void TAdvMemoWidget::keyReleaseEvent(QKeyEvent* event) {
    RunHandler(this, [&] { HandleKeyRelease(event); });
}

void TAdvMemoWidget::mousePressEvent(QMouseEvent* event) {
    RunHandler(this, [&] { HandleMousePress(event); });
}

void TAdvMemoWidget::mouseMoveEvent(QMouseEvent* event) {
    RunHandler(this, [&] { HandleMouseMove(event); });
}

void TAdvMemoWidget::mouseReleaseEvent(QMouseEvent* event) {
    RunHandler(this, [&] { HandleMouseRelease(event); });
}

void TAdvMemoWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    RunHandler(this, [&] { HandleMouseDoubleClick(event); });
}

void TAdvMemoWidget::wheelEvent(QWheelEvent* event) {
    RunHandler(this, [&] { HandleWheel(event); });
}

void TAdvMemoWidget::focusInEvent(QFocusEvent* event) {
    RunHandler(this, [&] { HandleFocusIn(event); });
}

void TAdvMemoWidget::focusOutEvent(QFocusEvent* event) {
    RunHandler(this, [&] { HandleFocusOut(event); });
}

void TAdvMemoWidget::contextMenuEvent(QContextMenuEvent* event) {
    RunHandler(this, [&] { HandleContextMenu(event); });
}

bool TAdvMemoWidget::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (EditorKey(*key)) {
            key->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

bool TAdvMemoWidget::focusNextPrevChild(bool) {
    return false;  // Tab and Shift+Tab belong to the editor
}

void TAdvMemoWidget::HandleKeyPress(QKeyEvent* event) {
    const editor::TShiftState shift = ShiftOf(event->modifiers());
    bool used = fMemo->KeyDown(KeyOf(event->key()), shift);
    const std::string chars = CharsOf(*event);
    if (!chars.empty()) {
        used = fMemo->KeyPress(chars) || used;
    }
    // Keys the editor knows are taken even when they did nothing (no beep, no propagation).
    event->setAccepted(used || EditorKey(*event));
}

void TAdvMemoWidget::HandleKeyRelease(QKeyEvent* event) {
    event->setAccepted(fMemo->KeyUp(KeyOf(event->key()), ShiftOf(event->modifiers())));
}

void TAdvMemoWidget::HandleMousePress(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    event->setAccepted(fMemo->MouseDown(
        ButtonOf(event->button()), ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()));
    FollowPointerShape();
}

void TAdvMemoWidget::HandleMouseMove(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    event->setAccepted(
        fMemo->MouseMove(ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()));
    FollowPointerShape();
}

void TAdvMemoWidget::HandleMouseRelease(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    event->setAccepted(fMemo->MouseUp(ButtonOf(event->button()),
                                      ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()));
    FollowPointerShape();
}

void TAdvMemoWidget::HandleMouseDoubleClick(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    event->setAccepted(fMemo->DoubleClick(
        ShiftOf(event->modifiers(), event->buttons()) | editor::ssDouble, p.x(), p.y()));
}

void TAdvMemoWidget::HandleWheel(QWheelEvent* event) {
    event->setAccepted(fMemo->MouseWheel(event->angleDelta().y(), ShiftOf(event->modifiers())));
}

void TAdvMemoWidget::HandleFocusIn(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    fMemo->FocusGained();
    RestartBlink();
}

void TAdvMemoWidget::HandleFocusOut(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // The caret goes with the focus; a popup of our own (the context menu) takes it briefly.
    fMemo->FocusLost();
    fBlink.Stop();
}

void TAdvMemoWidget::CloseCompletion() {
    editor::TAdvMemoCompletion& aids = fMemo->Completion();
    aids.ListDismissed();
    if (aids.HintVisible()) {
        aids.HideHint();
    }
}

void TAdvMemoWidget::HandleContextMenu(QContextMenuEvent* event) {
    setFocus(Qt::PopupFocusReason);
    QPoint at = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard: at the caret.
        const auto caret = fMemo->CaretRect();
        at = QPoint(caret.Left + 1, caret.Bottom);
    }
    if (!fMemo->ContextMenuRequested(at.x(), at.y())) {
        event->ignore();
        return;
    }
    delete fMenu;  // the previous menu is discarded
    fMenu = BuildMemoMenu(*fMemo, this);
    fMenu->popup(mapToGlobal(at));
    event->accept();
}

}  // namespace tarnwick::ui
