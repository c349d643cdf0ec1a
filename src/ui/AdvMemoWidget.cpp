// Editor host widget: event translation, the scroll bars and the paint call.
#include "ui/AdvMemoWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QWheelEvent>

#include "platform/qt/QtDrawingSurface.h"

namespace tarnwick {

namespace {

editor::TColor FromQColor(const QColor& c) {
    return static_cast<editor::TColor>(c.red()) | (static_cast<editor::TColor>(c.green()) << 8) |
           (static_cast<editor::TColor>(c.blue()) << 16);
}

}  // namespace

TAdvMemoWidget::TAdvMemoWidget(QWidget* parent)
    : QWidget(parent),
      memo_(std::make_unique<editor::TAdvMemo>()),
      settings_(std::make_unique<editor::TAdvMemoPaintSettings>()),
      painter_(std::make_unique<editor::TAdvMemoPainter>(*memo_, *settings_)),
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

    const QPalette pal = palette();
    settings_->SystemColors.Set(editor::kSysBtnFace, FromQColor(pal.color(QPalette::Button)));
    settings_->SystemColors.Set(editor::kSysScrollBar, FromQColor(pal.color(QPalette::Window)));
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    settings_->SystemScrollBarWidth = extent;
    settings_->SystemScrollBarHeight = extent;

    memo_->OnInvalidate = [this] { EditorInvalidated(); };
    EnsureMetrics();
}

TAdvMemoWidget::~TAdvMemoWidget() {
    memo_->OnInvalidate = nullptr;
}

void TAdvMemoWidget::EnsureMetrics() {
    if (painter_->LineHeight() == 0) {
        platform::QtDrawingSurface measure(nullptr);
        painter_->ComputeMetrics(measure, false);
    }
}

void TAdvMemoWidget::EditorInvalidated() {
    update();
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
    syncing_ = true;
    EnsureMetrics();
    painter_->UpdateScrollBars();
    ApplyBar(vertical_, painter_->VerticalBar(), painter_->VerticalBarRect());
    ApplyBar(horizontal_, painter_->HorizontalBar(), painter_->HorizontalBarRect());
    syncing_ = false;
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
    if (vertical) {
        painter_->VerticalScroll(code, bar->sliderPosition());
        bar->setSliderPosition(painter_->VerticalBar().Position);
    } else {
        painter_->HorizontalScroll(code, bar->sliderPosition());
        bar->setSliderPosition(painter_->HorizontalBar().Position);
    }
}

void TAdvMemoWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    platform::QtDrawingSurface surface(&painter);
    const QRect r = event->rect();
    painter_->Paint(surface, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void TAdvMemoWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    EnsureMetrics();
    syncing_ = true;
    painter_->SetClientSize(width(), height());
    syncing_ = false;
    SyncScrollBars();
}

void TAdvMemoWidget::wheelEvent(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= kWheelStepDelta || wheelRemainder_ <= -kWheelStepDelta) {
        const bool down = wheelRemainder_ < 0;
        wheelRemainder_ += down ? kWheelStepDelta : -kWheelStepDelta;
        painter_->MouseWheel(down);
    }
    event->accept();
}

void TAdvMemoWidget::focusInEvent(QFocusEvent* event) {
    settings_->Focused = true;
    QWidget::focusInEvent(event);
    update();
}

void TAdvMemoWidget::focusOutEvent(QFocusEvent* event) {
    settings_->Focused = false;
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace tarnwick
