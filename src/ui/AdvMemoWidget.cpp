// Editor host widget: event translation, the scroll bars and the paint call.
#include "ui/AdvMemoWidget.h"

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
#include "ui/AdvMemoMenu.h"
#include "ui/CompletionWindows.h"

namespace tarnwick {

namespace {

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

TAdvMemoWidget::TAdvMemoWidget(QWidget* parent)
    : QWidget(parent),
      memo_(std::make_unique<editor::TAdvMemo>()),
      completion_(std::make_unique<CompletionWindows>(memo_->Completion(), this)),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)) {
    setObjectName(QStringLiteral("AdvMemo1"));
    setFocusPolicy(Qt::StrongFocus);
    // The paint covers every pixel: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    vertical_->setObjectName(QStringLiteral("AdvMemo1VertScrollBar"));
    horizontal_->setObjectName(QStringLiteral("AdvMemo1HorzScrollBar"));
    for (QScrollBar* bar : {vertical_, horizontal_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    connect(vertical_, &QScrollBar::actionTriggered, this,
            [this](int action) { BarAction(vertical_, true, action); });
    connect(horizontal_, &QScrollBar::actionTriggered, this,
            [this](int action) { BarAction(horizontal_, false, action); });

    editor::TAdvMemoPaintSettings& settings = memo_->Settings();
    const QPalette pal = palette();
    settings.SystemColors.Set(editor::kSysBtnFace, FromQColor(pal.color(QPalette::Button)));
    settings.SystemColors.Set(editor::kSysScrollBar, FromQColor(pal.color(QPalette::Window)));
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    settings.SystemScrollBarWidth = extent;
    settings.SystemScrollBarHeight = extent;

    memo_->OnInvalidate = [this] { EditorInvalidated(); };
    // Row invalidations (the block match) repaint their rows only.
    memo_->OnInvalidateRect = [this](const platform::SurfaceRect& r) {
        update(QRect(r.Left, r.Top, r.Width(), r.Height()));
    };
    EnsureMetrics();
    setCursor(Qt::IBeamCursor);
    setMouseTracking(true);
    const int flash = QApplication::cursorFlashTime();
    blink_.setParent(this);
    blink_.setObjectName(QStringLiteral("caretBlink"));
    blink_.setInterval(flash > 0 ? flash / 2 : 0);
    connect(&blink_, &QTimer::timeout, this, &TAdvMemoWidget::Blink);
}

TAdvMemoWidget::~TAdvMemoWidget() {
    memo_->OnInvalidate = nullptr;
    memo_->OnInvalidateRect = nullptr;
    delete menu_;
}

bool TAdvMemoWidget::CaretDrawn() const {
    return memo_->CaretShown() && (blinkOn_ || !memo_->CaretBlinks());
}

void TAdvMemoWidget::RestartBlink() {
    blinkOn_ = true;
    if (hasFocus() && blink_.interval() > 0) {
        blink_.start();
    }
}

void TAdvMemoWidget::Blink() {
    blinkOn_ = !blinkOn_ || !memo_->CaretBlinks();
    // Only the caret's cell changes: the one it was last drawn in, or where it stands now when
    // no paint has placed it yet. A caret that is not shown has nothing to blink.
    if (!caretDrawn_.isNull()) {
        update(caretDrawn_);
    } else if (memo_->CaretShown()) {
        const auto c = memo_->CaretRect();
        update(QRect(c.Left, c.Top, c.Width(), c.Height()));
    }
}

void TAdvMemoWidget::FollowPointerShape() {
    setCursor(memo_->PointerShape() == editor::TCursorShape::crArrow ? Qt::ArrowCursor
                                                                     : Qt::IBeamCursor);
}

void TAdvMemoWidget::EnsureMetrics() {
    if (memo_->View().LineHeight() == 0) {
        platform::QtDrawingSurface measure(nullptr);
        memo_->View().ComputeMetrics(measure, false);
    }
}

void TAdvMemoWidget::EditorInvalidated() {
    update();
    // The caret stays on while it moves and types.
    RestartBlink();
    // Changes of lines or view arrive in the middle of editor operations; the bars follow
    // once the operation is over. Invalidations raised by the sync itself are ignored.
    if (syncing_ || syncQueued_) {
        return;
    }
    syncQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            syncQueued_ = false;
            SyncScrollBars();
        },
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
    if (syncing_) {
        return;
    }
    {
        const QScopedValueRollback syncing(syncing_, true);
        EnsureMetrics();
        editor::TAdvMemoView& view = memo_->View();
        view.UpdateScrollBars();
        ApplyBar(vertical_, view.VerticalBar(), view.VerticalBarRect());
        ApplyBar(horizontal_, view.HorizontalBar(), view.HorizontalBarRect());
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
    editor::TAdvMemoView& view = memo_->View();
    if (vertical) {
        view.VerticalScroll(code, bar->sliderPosition());
        bar->setSliderPosition(view.VerticalBar().Position);
    } else {
        view.HorizontalScroll(code, bar->sliderPosition());
        bar->setSliderPosition(view.HorizontalBar().Position);
    }
}

void TAdvMemoWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    platform::QtDrawingSurface surface(&painter);
    const QRect r = event->rect();
    memo_->Paint(surface, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    painter.setClipRect(r);
    const auto& drag = memo_->DragState();
    if (drag.MarkerShown) {
        const auto cell = memo_->View().CellRect(drag.MarkerColumn, drag.MarkerRow);
        painter.fillRect(QRect(cell.Left, cell.Top, 2, cell.Height()), Qt::black);
    }
    caretDrawn_ = QRect();
    if (CaretDrawn()) {
        const auto c = memo_->CaretRect();
        caretDrawn_ = QRect(c.Left, c.Top, c.Width(), c.Height());
        // Inverted pixels, as a system caret shows: visible on any background.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(caretDrawn_, Qt::white);
    } else if (memo_->CaretShown()) {
        const auto c = memo_->CaretRect();
        caretDrawn_ = QRect(c.Left, c.Top, c.Width(), c.Height());
    }
}

void TAdvMemoWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    EnsureMetrics();
    {
        const QScopedValueRollback syncing(syncing_, true);
        memo_->View().SetClientSize(width(), height());
    }
    SyncScrollBars();
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

void TAdvMemoWidget::keyPressEvent(QKeyEvent* event) {
    const editor::TShiftState shift = ShiftOf(event->modifiers());
    bool used = memo_->KeyDown(KeyOf(event->key()), shift);
    const std::string chars = CharsOf(*event);
    if (!chars.empty()) {
        used = memo_->KeyPress(chars) || used;
    }
    // Keys the editor knows are taken even when they did nothing (no beep, no propagation).
    event->setAccepted(used || EditorKey(*event));
}

void TAdvMemoWidget::keyReleaseEvent(QKeyEvent* event) {
    event->setAccepted(memo_->KeyUp(KeyOf(event->key()), ShiftOf(event->modifiers())));
}

void TAdvMemoWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    event->setAccepted(memo_->MouseDown(
        ButtonOf(event->button()), ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()));
    FollowPointerShape();
}

void TAdvMemoWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    event->setAccepted(
        memo_->MouseMove(ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()));
    FollowPointerShape();
}

void TAdvMemoWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    event->setAccepted(memo_->MouseUp(ButtonOf(event->button()),
                                      ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()));
    FollowPointerShape();
}

void TAdvMemoWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    event->setAccepted(memo_->DoubleClick(
        ShiftOf(event->modifiers(), event->buttons()) | editor::ssDouble, p.x(), p.y()));
}

void TAdvMemoWidget::wheelEvent(QWheelEvent* event) {
    event->setAccepted(memo_->MouseWheel(event->angleDelta().y(), ShiftOf(event->modifiers())));
}

void TAdvMemoWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    memo_->FocusGained();
    RestartBlink();
}

void TAdvMemoWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // The caret goes with the focus; a popup of our own (the context menu) takes it briefly.
    memo_->FocusLost();
    blink_.stop();
}

void TAdvMemoWidget::CloseCompletion() {
    editor::TAdvMemoCompletion& aids = memo_->Completion();
    aids.ListDismissed();
    if (aids.HintVisible()) {
        aids.HideHint();
    }
}

void TAdvMemoWidget::contextMenuEvent(QContextMenuEvent* event) {
    setFocus(Qt::PopupFocusReason);
    QPoint at = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard: at the caret.
        const auto caret = memo_->CaretRect();
        at = QPoint(caret.Left + 1, caret.Bottom);
    }
    if (!memo_->ContextMenuRequested(at.x(), at.y())) {
        event->ignore();
        return;
    }
    delete menu_;  // the previous menu is discarded
    menu_ = BuildMemoMenu(*memo_, this);
    menu_->popup(mapToGlobal(at));
    event->accept();
}

}  // namespace tarnwick
