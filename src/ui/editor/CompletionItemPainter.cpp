#include "ui/editor/CompletionItemPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "editor/completion/CompletionText.h"

namespace tarnwick::ui {

namespace {

constexpr const char* kHeightSample = "h_";
constexpr int kTextInset = 2;
// The letter on each kind's picture, by kind number.
constexpr const char* kKindLetters = "IVPEMFP";

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QColor FromTColor(editor::TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace

CompletionItemPainter::CompletionItemPainter(const editor::TAutoCompletion& settings,
                                             const std::vector<std::string>& entries)
    : fSettings(settings), fEntries(entries), fFont(ItemFont(settings)), fBold(fFont) {
    fBold.setBold(true);
    const QFontMetrics metrics(fFont);
    for (const std::string& entry : fEntries) {
        const auto parts = editor::completion::SplitEntry(entry);
        if (!parts.KindWord.empty()) {
            fKindColumn = std::max(fKindColumn, metrics.horizontalAdvance(Q(parts.KindWord + " ")));
        }
    }
}

QFont CompletionItemPainter::ItemFont(const editor::TAutoCompletion& settings) {
    QFont font(Q(settings.FontName));
    font.setStyleHint(QFont::SansSerif);
    const int height = std::max(1, std::abs(settings.FontHeight));
    font.setPixelSize(height);
    if (settings.FontHeight > 0) {
        // A positive height is the whole cell, leading included: shrink the characters until
        // the cell fits.
        while (font.pixelSize() > 1 && QFontMetrics(font).height() > height) {
            font.setPixelSize(font.pixelSize() - 1);
        }
    }
    return font;
}

std::optional<QColor> CompletionItemPainter::KindColour(const editor::TAutoCompletion& settings,
                                                        int kind) {
    if (kind < 0 || kind >= editor::kCompletionKindCount) {
        return std::nullopt;
    }
    return FromTColor(settings.KindColors[kind]);
}

int CompletionItemPainter::ItemHeight() const {
    const int text = QFontMetrics(fFont).size(Qt::TextSingleLine, Q(kHeightSample)).height();
    return std::max(kMinItemHeight, text + 1);
}

int CompletionItemPainter::ItemWidth(const std::string& entry) const {
    const auto parts = editor::completion::SplitEntry(entry);
    return fKindColumn + QFontMetrics(fBold).horizontalAdvance(Q(parts.Name)) +
           QFontMetrics(fFont).horizontalAdvance(Q(parts.Rest));
}

int CompletionItemPainter::ListWidth(int scrollBarWidth) const {
    int widest = 0;
    for (const std::string& entry : fEntries) {
        widest = std::max(widest, ItemWidth(entry));
    }
    return widest + kListPadding + scrollBarWidth + (fSettings.ShowImages ? kPictureColumn : 0);
}

void CompletionItemPainter::Paint(QPainter& painter, const QRect& rect, const std::string& entry,
                                  int kind, bool selected, const QPalette& palette) const {
    painter.save();
    painter.fillRect(rect, selected ? palette.highlight() : palette.base());
    const QColor text = selected ? palette.highlightedText().color() : palette.text().color();
    int x = rect.left() + kTextInset;
    if (fSettings.ShowImages) {
        PaintPicture(painter, QRect(x, rect.top(), kPictureColumn, rect.height()), kind);
        x += kPictureColumn;
    }
    const auto parts = editor::completion::SplitEntry(entry);
    const int baseline = rect.top() + (rect.height() - QFontMetrics(fFont).height()) / 2 +
                         QFontMetrics(fFont).ascent();
    if (!parts.KindWord.empty()) {
        painter.setPen(selected ? text : KindColour(fSettings, kind).value_or(text));
        painter.setFont(fFont);
        painter.drawText(x, baseline, Q(parts.KindWord));
    }
    x += fKindColumn;
    painter.setPen(text);
    painter.setFont(fBold);
    painter.drawText(x, baseline, Q(parts.Name));
    x += QFontMetrics(fBold).horizontalAdvance(Q(parts.Name));
    painter.setFont(fFont);
    painter.drawText(x, baseline, Q(parts.Rest));
    painter.restore();
}

void CompletionItemPainter::PaintPicture(QPainter& painter, const QRect& rect, int kind) const {
    // A square in the kind's colour with the kind's letter on it.
    const QRect square(rect.left(), rect.top() + (rect.height() - kPictureSize) / 2, kPictureSize,
                       kPictureSize);
    const std::optional<QColor> colour = KindColour(fSettings, kind);
    painter.fillRect(square, colour.value_or(QColor(Qt::gray)));
    if (!colour) {
        return;  // no kind this list knows: no letter either
    }
    QFont letter = fBold;
    letter.setPixelSize(kPictureSize - 4);
    painter.setFont(letter);
    painter.setPen(Qt::white);
    painter.drawText(square, Qt::AlignCenter, QString(QChar(kKindLetters[kind])));
}

}  // namespace tarnwick::ui
