// Editor host widget.
#include "ui/AdvMemoWidget.h"

#include <QPainter>

namespace tarnwick {

TAdvMemoWidget::TAdvMemoWidget(QWidget* parent)
    : QWidget(parent), memo_(std::make_unique<editor::TAdvMemo>()) {
    setObjectName(QStringLiteral("AdvMemo1"));
    setFocusPolicy(Qt::StrongFocus);
    memo_->OnInvalidate = [this] { update(); };
}

TAdvMemoWidget::~TAdvMemoWidget() = default;

void TAdvMemoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

}  // namespace tarnwick
