#include "ui/editor/ParameterHintWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace tarnwick::ui {

namespace {

constexpr QRgb kFrameColor = 0x808080;  // 8421504
constexpr int kTextInset = 2;
constexpr const char* kHeightSample = "h,g_`";

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

ParameterHintWindow::ParameterHintWindow(editor::TAdvMemoCompletion& aids, QWidget* editor)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      fAids(aids),
      fEditor(editor) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

QFont ParameterHintWindow::BoldFont() const {
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

void ParameterHintWindow::Follow() {
    if (!fAids.HintVisible()) {
        hide();
        return;
    }
    const editor::completion::THintParts& hint = fAids.Hint();
    const QFontMetrics normal(font());
    const QFontMetrics bold(BoldFont());
    const bool boldBefore = hint.BoldIsBefore();
    const int width =
        normal.horizontalAdvance(Q(boldBefore ? hint.After : hint.Before + hint.After)) +
        bold.horizontalAdvance(Q(boldBefore ? hint.Before : hint.Current)) + 6;
    const int height = normal.size(0, QString::fromLatin1(kHeightSample)).height() + 5;
    QPoint at = fEditor->mapToGlobal(QPoint(fAids.HintPosition().X, fAids.HintPosition().Y));
    if (const QScreen* screen = fEditor->screen()) {
        const QRect area = screen->geometry();
        at.setX(std::max(area.left(), std::min(at.x(), area.right() - width)));
    }
    setGeometry(at.x(), at.y(), width, height);
    show();
    update();
}

void ParameterHintWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().toolTipBase());
    painter.setPen(QColor(kFrameColor));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().toolTipText().color());
    const editor::completion::THintParts& hint = fAids.Hint();
    const bool boldBefore = hint.BoldIsBefore();
    int x = kTextInset;
    const int baseline = kTextInset + QFontMetrics(font()).ascent();
    for (const auto& [text, bold] :
         {std::pair{&hint.Before, boldBefore}, std::pair{&hint.Current, !boldBefore},
          std::pair{&hint.After, false}}) {
        painter.setFont(bold ? BoldFont() : font());
        painter.drawText(x, baseline, Q(*text));
        x += painter.fontMetrics().horizontalAdvance(Q(*text));
    }
}

void ParameterHintWindow::mousePressEvent(QMouseEvent*) {
    fEditor->activateWindow();
    fEditor->setFocus();
}

}  // namespace tarnwick::ui
