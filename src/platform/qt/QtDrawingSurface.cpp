// The QPainter drawing surface.
#include "platform/qt/QtDrawingSurface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace tarnwick::platform {

namespace {

// Letter spacing below this many pixels is left alone (rounding noise of the advance).
constexpr qreal kSpacingTolerance = 0.01;

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

QtDrawingSurface::QtDrawingSurface(QPainter* painter) : fWindow(painter) {}

QtDrawingSurface::~QtDrawingSurface() {
    if (fImagePainter && fImagePainter->isActive()) {
        fImagePainter->end();
    }
}

QFont QtDrawingSurface::ToQFont(const SurfaceFont& font) {
    QFont f;
    if (font.Name == SurfaceFont::kFixedSys) {
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    } else {
        f = QFont(QString::fromStdString(font.Name));
        f.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
        if (font.PixelHeight > 0) {
            f.setPixelSize(font.PixelHeight);
        }
    }
    f.setBold((font.Style & kSurfaceBold) != 0);
    f.setItalic((font.Style & kSurfaceItalic) != 0);
    f.setUnderline((font.Style & kSurfaceUnderline) != 0);
    f.setStrikeOut((font.Style & kSurfaceStrikeOut) != 0);
    f.setKerning(false);
    return f;
}

QColor QtDrawingSurface::ToQColor(SurfaceColor color) {
    return QColor(SurfaceRed(color), SurfaceGreen(color), SurfaceBlue(color));
}

QPainter* QtDrawingSurface::Current() const {
    if (fInImage) {
        // An empty image swallows what is drawn into it.
        return fImagePainter && fImagePainter->isActive() ? fImagePainter.get() : nullptr;
    }
    return fWindow;
}

void QtDrawingSurface::SetFont(const SurfaceFont& font) {
    if (fHaveFont && font == fRequested) {
        return;
    }
    fRequested = font;
    fFont = ToQFont(font);
    fHaveFont = true;
}

SurfaceTextExtent QtDrawingSurface::TextExtent(std::string_view text) {
    const QFontMetrics metrics(fFont);
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

bool QtDrawingSurface::FontIsFixedPitch() {
    return QFontInfo(fFont).fixedPitch();
}

void QtDrawingSurface::FillRect(const SurfaceRect& rect, SurfaceColor color) {
    if (QPainter* p = Current(); p != nullptr && !rect.IsEmpty()) {
        p->fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), ToQColor(color));
    }
}

void QtDrawingSurface::TextOut(int x, int y, std::string_view text, SurfaceColor color,
                               int cellWidth) {
    QPainter* p = Current();
    if (p == nullptr || text.empty()) {
        return;
    }
    QFont font = fFont;
    p->setPen(ToQColor(color));
    if (!IsAscii(text) && cellWidth > 0) {
        // Outside ASCII a glyph may be wider than the cell (or come from a fallback font):
        // each character is drawn at its own cell and clipped to it, so the grid holds.
        p->setFont(font);
        const QFontMetrics metrics(font);
        const int baseline = y + metrics.ascent();
        const QList<uint> chars = ToQString(text).toUcs4();
        int cellX = x;
        for (const uint c : chars) {
            const char32_t one = static_cast<char32_t>(c);
            p->save();
            p->setClipRect(QRect(cellX, y - metrics.height(), cellWidth, 3 * metrics.height()),
                           Qt::IntersectClip);
            p->drawText(QPoint(cellX, baseline), QString::fromUcs4(&one, 1));
            p->restore();
            cellX += cellWidth;
        }
        return;
    }
    // Keep every character on the caller's grid: the font's own advance may be fractional.
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('W'));
    if (cellWidth > 0 && std::abs(cellWidth - advance) > kSpacingTolerance) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, cellWidth - advance);
    }
    p->setFont(font);
    p->drawText(QPoint(x, y + QFontMetrics(font).ascent()), ToQString(text));
}

void QtDrawingSurface::Line(int x1, int y1, int x2, int y2, SurfaceColor color, int penWidth) {
    QPainter* p = Current();
    if (p == nullptr) {
        return;
    }
    SurfaceRect pixels;
    if (AxisLinePixels(x1, y1, x2, y2, penWidth, pixels)) {
        FillRect(pixels, color);
        return;
    }
    p->setPen(QPen(ToQColor(color), std::max(1, penWidth)));
    p->drawLine(x1, y1, x2, y2);
}

void QtDrawingSurface::BeginImage(int width, int height) {
    if (fWindow == nullptr) {
        return;
    }
    fInImage = true;
    fImageWidth = std::max(0, width);
    fImageHeight = std::max(0, height);
    if (fImage.width() < fImageWidth || fImage.height() < fImageHeight) {
        fImage = QImage(std::max(fImage.width(), fImageWidth),
                        std::max(fImage.height(), fImageHeight), QImage::Format_RGB32);
    }
    if (fImage.isNull() || fImageWidth == 0 || fImageHeight == 0) {
        return;
    }
    if (!fImagePainter) {
        fImagePainter = std::make_unique<QPainter>();
    }
    fImagePainter->begin(&fImage);
    fImagePainter->setClipRect(QRect(0, 0, fImageWidth, fImageHeight));
    fImagePainter->fillRect(QRect(0, 0, fImageWidth, fImageHeight), Qt::white);
}

void QtDrawingSurface::EndImage(int x, int y) {
    fInImage = false;
    if (!fImagePainter || !fImagePainter->isActive()) {
        return;
    }
    fImagePainter->end();
    fWindow->drawImage(QPoint(x, y), fImage, QRect(0, 0, fImageWidth, fImageHeight));
}

void QtDrawingSurface::SetClip(const SurfaceRect& rect) {
    if (fWindow != nullptr) {
        fWindow->setClipRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
    }
}

void QtDrawingSurface::ResetClip() {
    if (fWindow != nullptr) {
        fWindow->setClipping(false);
    }
}

}  // namespace tarnwick::platform
