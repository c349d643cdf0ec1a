// The view's metrics and geometry: the font check, cell sizes, the text area and the
// conversions between points and cells.
#include "editor/view/AdvMemoView.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "editor/control/AdvCustomMemo.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

using platform::IDrawingSurface;
using platform::SurfaceRect;

TAdvMemoView::TAdvMemoView(TAdvCustomMemo& memo, TAdvMemoPaintSettings& settings)
    : fMemo(memo), fSettings(settings) {}

void TAdvMemoView::SetTextAreaCells(int columns, int rows) {
    fAreaColumns = std::max(0, columns);
    fAreaRows = std::max(0, rows);
    fMemo.Invalidate();
}

// --- Metrics

void TAdvMemoView::AssignFont(const TFont& font) {
    fSettings.Font = font;
    fCheckAssignedFont = true;
    fCheckChangedFont = false;
    fLineHeight = 0;
}

void TAdvMemoView::ChangeFont(const TFont& font) {
    fSettings.Font = font;
    fCheckChangedFont = true;
    fCheckAssignedFont = false;
    fLineHeight = 0;
}

void TAdvMemoView::ComputeMetrics(IDrawingSurface& surface, bool invalidate) {
    TFont& font = fSettings.Font;
    surface.SetFont(ToSurfaceFont(font, 0));
    if (fCheckAssignedFont) {
        if (surface.TextExtent("W").Width != surface.TextExtent("i").Width) {
            font.Name = platform::SurfaceFont::kFixedSys;
        }
    } else if (fCheckChangedFont) {
        if (!surface.FontIsFixedPitch() && fCanvasVariablePitch) {
            font.Name = platform::SurfaceFont::kFixedSys;
        }
    }
    fCheckAssignedFont = false;
    fCheckChangedFont = false;
    surface.SetFont(ToSurfaceFont(font, 0));
    fCanvasVariablePitch = !surface.FontIsFixedPitch();
    fCharWidth = surface.TextExtent("W").Width;
    fLineHeight = surface.TextExtent("W_").Height + 1;
    surface.SetFont(ToSurfaceFont(font, fsBold));
    fBoldChangesWidth = surface.TextExtent("W").Width != fCharWidth;
    surface.SetFont(ToSurfaceFont(fSettings.Gutter.Font, fSettings.Gutter.Font.Style));
    fGutterCharWidth = surface.TextExtent("W").Width;
    surface.SetFont(ToSurfaceFont(font, font.Style));
    UpdateScrollBars(false);
    if (invalidate) {
        fMemo.Invalidate();
    }
}

// --- Geometry

void TAdvMemoView::SetClientSize(int width, int height) {
    fWidth = std::max(0, width);
    fHeight = std::max(0, height);
    UpdateScrollBars(false);
}

bool TAdvMemoView::GutterShown() const {
    return fSettings.Gutter.Visible;
}

namespace {
constexpr int kIndentedDigits = 3;      // numbers of 1 to 3 digits are moved right
constexpr int kNumberClearance = 3;     // pixels kept free right of a number (border lines)
constexpr long long kDecimalBase = 10;  // for counting digits
}  // namespace

int TAdvMemoView::GutterWidth() const {
    const TAdvGutter& gutter = fSettings.Gutter;
    if (!gutter.ShowLineNumbers || fGutterCharWidth <= 0) {
        return gutter.GutterWidth;
    }
    const long long largest =
        std::max(fMemo.Lines().Count() - 1, 0) + static_cast<long long>(gutter.LineNumberStart());
    int digits = 1;
    for (long long rest = largest; rest >= kDecimalBase; rest /= kDecimalBase) {
        ++digits;
    }
    if (gutter.ShowLeadingZeros) {
        digits = std::max(digits, gutter.DigitCount);
    }
    // The number starts where the gutter entry puts it and takes one "W" per character.
    const int indent = digits <= kIndentedDigits ? kIndentedDigits + 1 - digits : 0;
    const int64_t characters =
        int64_t{indent} + digits + platform::utf8::CharCount(gutter.NumberSuffix);
    const int64_t needed = int64_t{gutter.GutterWidth} - gutter.GutterMargin() +
                           characters * fGutterCharWidth + kNumberClearance;
    return static_cast<int>(
        std::clamp<int64_t>(needed, gutter.GutterWidth, std::numeric_limits<int>::max() / 2));
}

void TAdvMemoView::SetGutterCharWidth(int width) {
    if (width == fGutterCharWidth) {
        return;
    }
    fGutterCharWidth = width;
    UpdateScrollBars(false);
    fMemo.Invalidate();
}

SurfaceRect TAdvMemoView::TextAreaRect() const {
    const int gutterWidth = GutterWidth();
    SurfaceRect r;
    r.Left =
        (GutterShown() && gutterWidth > 2 ? gutterWidth + kAreaInset : kAreaInset) + kTextIndent;
    r.Top = kAreaInset;
    r.Right = fWidth - kAreaInset - (fVertical.Visible ? fVertical.Thickness : 0);
    r.Bottom = fHeight - kAreaInset - (fHorizontal.Visible ? fHorizontal.Thickness : 0);
    int grow = 0;
    if (fSettings.BorderStyle == bsNone) {
        grow = kNoBorderGrow;
    } else if (!fSettings.Ctl3D) {
        grow = kSingleBorderGrow;
    }
    r.Left -= grow;
    r.Top -= grow;
    r.Right += grow;
    r.Bottom += grow;
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

SurfaceRect TAdvMemoView::GutterRect() const {
    const SurfaceRect area = TextAreaRect();
    const int gutterWidth = GutterWidth();
    if (fSettings.BorderStyle == bsNone) {
        return {0, 0, gutterWidth + kAreaInset, area.Height()};
    }
    const int edge = fSettings.Ctl3D ? 2 : 1;
    return {edge, edge, edge + gutterWidth, edge + area.Height()};
}

SurfaceRect TAdvMemoView::CellRect(int c, int r) const {
    const SurfaceRect area = TextAreaRect();
    const int left = area.Left + c * fCharWidth;
    const int top = area.Top + 1 + r * fLineHeight;
    return {left, top, left + fCharWidth, top + fLineHeight};
}

TCellPoint TAdvMemoView::PointToCell(int x, int y) const {
    if (fLineHeight == 0 || fCharWidth == 0) {
        return {};
    }
    const SurfaceRect area = TextAreaRect();
    return {(x - area.Left + fCharWidth / 2) / fCharWidth, (y - area.Top) / fLineHeight};
}

TTextPos TAdvMemoView::PointToTextPos(int x, int y) const {
    if (fLineHeight == 0 || fCharWidth == 0) {
        return {fFirstVisibleColumn, fFirstVisibleLine};
    }
    const SurfaceRect area = TextAreaRect();
    return {(x - area.Left) / fCharWidth + fFirstVisibleColumn,
            (y - area.Top) / fLineHeight + fFirstVisibleLine};
}

int TAdvMemoView::VisibleColumns() const {
    const SurfaceRect area = TextAreaRect();
    return fCharWidth == 0 ? 0 : std::max(0, PointToCell(area.Right, area.Bottom).Column);
}

int TAdvMemoView::VisibleRows() const {
    const SurfaceRect area = TextAreaRect();
    return fLineHeight == 0 ? 0 : std::max(0, PointToCell(area.Right, area.Bottom).Row);
}

int TAdvMemoView::RightMarginX() const {
    if (fSettings.RightMargin <= 0 || !fSettings.ShowRightMargin) {
        return -1;
    }
    const int gutter = GutterShown() ? GutterRect().Width() : 0;
    // In 64 bits: scrolled far right the margin lies more than 2^31 pixels to the left.
    const int64_t x =
        TextAreaRect().Left +
        (static_cast<int64_t>(fSettings.RightMargin) - fFirstVisibleColumn) * fCharWidth - gutter;
    return x < 0 || x > std::numeric_limits<int>::max() ? -1 : static_cast<int>(x);
}

}  // namespace tarnwick::editor
