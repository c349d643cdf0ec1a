// The view's metrics and geometry: the font check, cell sizes, the text area and the
// conversions between points and cells.
#include "editor/AdvMemoView.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "editor/AdvCustomMemo.h"

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

SurfaceRect TAdvMemoView::TextAreaRect() const {
    const int gutterWidth = fSettings.Gutter.GutterWidth;
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
    const int gutterWidth = fSettings.Gutter.GutterWidth;
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
        return {fMemo.FirstVisibleColumn(), fMemo.FirstVisibleLine()};
    }
    const SurfaceRect area = TextAreaRect();
    return {(x - area.Left) / fCharWidth + fMemo.FirstVisibleColumn(),
            (y - area.Top) / fLineHeight + fMemo.FirstVisibleLine()};
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
        (static_cast<int64_t>(fSettings.RightMargin) - fMemo.FirstVisibleColumn()) * fCharWidth -
        gutter;
    return x < 0 || x > std::numeric_limits<int>::max() ? -1 : static_cast<int>(x);
}

}  // namespace tarnwick::editor
