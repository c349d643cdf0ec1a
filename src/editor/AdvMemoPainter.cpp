// The painter's metrics, geometry and the paint of the text area: the lines through the
// one-line image, the background below the last line, the indent columns and the border.
#include "editor/AdvMemoPainter.h"

#include <algorithm>

#include "editor/AdvCustomMemo.h"
#include "editor/AdvMemoPaintRun.h"

namespace tarnwick::editor {

using platform::IDrawingSurface;
using platform::SurfaceColor;
using platform::SurfaceRect;

TAdvMemoPainter::TAdvMemoPainter(TAdvCustomMemo& memo, TAdvMemoPaintSettings& settings)
    : fMemo(memo), fSettings(settings) {}

SurfaceColor TAdvMemoPainter::Resolve(TColor c) const {
    return fSettings.SystemColors.Resolve(c == kClNone ? fMemo.BkColor() : c);
}

// --- Metrics

void TAdvMemoPainter::AssignFont(const TFont& font) {
    fSettings.Font = font;
    fCheckAssignedFont = true;
    fCheckChangedFont = false;
    fLineHeight = 0;
}

void TAdvMemoPainter::ChangeFont(const TFont& font) {
    fSettings.Font = font;
    fCheckChangedFont = true;
    fCheckAssignedFont = false;
    fLineHeight = 0;
}

void TAdvMemoPainter::ComputeMetrics(IDrawingSurface& surface, bool invalidate) {
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

void TAdvMemoPainter::SetClientSize(int width, int height) {
    fWidth = std::max(0, width);
    fHeight = std::max(0, height);
    UpdateScrollBars(false);
}

bool TAdvMemoPainter::GutterShown() const {
    return fSettings.Gutter.Visible;
}

SurfaceRect TAdvMemoPainter::TextAreaRect() const {
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

SurfaceRect TAdvMemoPainter::GutterRect() const {
    const SurfaceRect area = TextAreaRect();
    const int gutterWidth = fSettings.Gutter.GutterWidth;
    if (fSettings.BorderStyle == bsNone) {
        return {0, 0, gutterWidth + kAreaInset, area.Height()};
    }
    const int edge = fSettings.Ctl3D ? 2 : 1;
    return {edge, edge, edge + gutterWidth, edge + area.Height()};
}

SurfaceRect TAdvMemoPainter::CellRect(int c, int r) const {
    const SurfaceRect area = TextAreaRect();
    const int left = area.Left + c * fCharWidth;
    const int top = area.Top + 1 + r * fLineHeight;
    return {left, top, left + fCharWidth, top + fLineHeight};
}

TCellPoint TAdvMemoPainter::PointToCell(int x, int y) const {
    if (fLineHeight == 0 || fCharWidth == 0) {
        return {};
    }
    const SurfaceRect area = TextAreaRect();
    return {(x - area.Left + fCharWidth / 2) / fCharWidth, (y - area.Top) / fLineHeight};
}

TTextPos TAdvMemoPainter::PointToTextPos(int x, int y) const {
    if (fLineHeight == 0 || fCharWidth == 0) {
        return {fMemo.FirstVisibleColumn(), fMemo.FirstVisibleLine()};
    }
    const SurfaceRect area = TextAreaRect();
    return {(x - area.Left) / fCharWidth + fMemo.FirstVisibleColumn(),
            (y - area.Top) / fLineHeight + fMemo.FirstVisibleLine()};
}

int TAdvMemoPainter::VisibleColumns() const {
    const SurfaceRect area = TextAreaRect();
    return fCharWidth == 0 ? 0 : std::max(0, PointToCell(area.Right, area.Bottom).Column);
}

int TAdvMemoPainter::VisibleRows() const {
    const SurfaceRect area = TextAreaRect();
    return fLineHeight == 0 ? 0 : std::max(0, PointToCell(area.Right, area.Bottom).Row);
}

int TAdvMemoPainter::RightMarginX() const {
    if (fSettings.RightMargin <= 0 || !fSettings.ShowRightMargin) {
        return -1;
    }
    const int gutter = GutterShown() ? GutterRect().Width() : 0;
    const int x = TextAreaRect().Left +
                  (fSettings.RightMargin - fMemo.FirstVisibleColumn()) * fCharWidth - gutter;
    return x < 0 ? -1 : x;
}

// --- Paint

void TAdvMemoPainter::Paint(IDrawingSurface& surface, const SurfaceRect& dirty) {
    if (fMemo.Lines().UpdateLockCount() > 0) {
        return;
    }
    if (fLineHeight == 0) {
        ComputeMetrics(surface, false);
    }
    const SurfaceRect control{0, 0, fWidth, fHeight};
    const SurfaceRect clip = dirty.Intersected(control);
    if (clip.IsEmpty()) {
        return;
    }
    surface.SetClip(clip);
    const SurfaceRect area = TextAreaRect();
    const SurfaceColor bk = Resolve(fMemo.BkColor());

    if (GutterShown() && fSettings.Gutter.GutterWidth > 1) {
        PaintGutter(surface);
    }
    surface.SetFont(ToSurfaceFont(fSettings.Font, fSettings.Font.Style));
    surface.FillRect({area.Left, area.Top, area.Right, kAreaInset}, bk);

    // Lines are copied inside the text area only, so a partly visible last line never
    // covers the horizontal bar or the border.
    surface.SetClip(clip.Intersected(area));
    // The start-state scan rebuilds the delimiters the tokenizer is then prepared with.
    HighlightState state = fMemo.FirstVisibleLineStartState();
    fMemo.PrepareHighlighting();
    const int first = fMemo.FirstVisibleLine();
    const int count = fMemo.Lines().Count();
    const int rows = VisibleRows();
    int painted = 0;
    bool ranOut = false;
    for (int i = first; i <= first + rows; ++i) {
        if (i >= count) {
            ranOut = true;
            break;
        }
        // The tokenizer's state flows from line to line within one paint.
        state = PaintLine(surface, i, i - first, bk, state);
        ++painted;
    }
    surface.SetClip(clip);
    if (ranOut) {
        const int top = CellRect(0, painted).Top;
        if (top < area.Bottom) {
            surface.FillRect({area.Left, top, area.Right, area.Bottom}, bk);
        }
    }
    for (int k = 1; k <= kTextIndent; ++k) {
        surface.Line(area.Left - k, area.Top, area.Left - k, area.Bottom, bk, 1);
    }
    const SurfaceColor barColor = Resolve(kClScrollBar);
    for (const auto& [bar, rect] :
         {std::pair{&fVertical, VerticalBarRect()}, std::pair{&fHorizontal, HorizontalBarRect()}}) {
        if (bar->Visible) {
            surface.FillRect({rect.Left - 1, rect.Top - 1, rect.Right + 1, rect.Bottom + 1},
                             barColor);
        }
    }
    PaintBorder(surface);
    surface.ResetClip();
}

HighlightState TAdvMemoPainter::PaintLine(IDrawingSurface& surface, int line, int row,
                                          SurfaceColor bk, const HighlightState& state) {
    const SurfaceRect area = TextAreaRect();
    const int width = area.Width();
    surface.BeginImage(width, fLineHeight);
    surface.SetFont(ToSurfaceFont(fSettings.Font, fSettings.Font.Style));
    surface.FillRect({0, 0, width, fLineHeight}, bk);

    const bool selected = fMemo.HasSelection() && !(fSettings.HideSelection && !fSettings.Focused);
    const TTextPos start = fMemo.SelectionStart();
    const TTextPos end = fMemo.SelectionEnd();
    std::string_view text = fMemo.Lines().View(line);
    // A selected blank line shows one selected cell.
    if (selected && line >= start.Y && line <= end.Y &&
        std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= ' '; })) {
        text = " ";
    }
    TAdvMemoRunPainter::Layout layout{fCharWidth, fLineHeight, width, RightMarginX(),
                                      fBoldChangesWidth};
    TAdvMemoRunPainter runs(surface, fMemo, fSettings, layout, line, selected, start, end);
    const HighlightState next = fMemo.TokenizeLine(text, state, runs);
    runs.FinishLine();
    surface.EndImage(area.Left, CellRect(0, row).Top);
    return next;
}

void TAdvMemoPainter::PaintBorder(IDrawingSurface& surface) {
    if (fSettings.BorderStyle == bsNone || fWidth <= 0 || fHeight <= 0) {
        return;
    }
    const int w = fWidth;
    const int h = fHeight;
    if (!fSettings.Ctl3D) {
        const SurfaceColor c = Resolve(fSettings.BorderColor);
        surface.Line(0, h, 0, 0, c, 1);
        surface.Line(0, 0, w - 1, 0, c, 1);
        surface.Line(w - 1, 0, w - 1, h - 1, c, 1);
        surface.Line(w - 1, h - 1, 0, h - 1, c, 1);
        return;
    }
    // Sunken two-tone frame: shadow on the top and left, highlight on the bottom and right.
    const SurfaceColor shadow = Resolve(SystemColor(kSysBtnShadow));
    const SurfaceColor light = Resolve(SystemColor(kSysBtnHighlight));
    const SurfaceColor dark = Resolve(SystemColor(kSysWindowText));
    surface.Line(0, h - 1, 0, 0, shadow, 1);
    surface.Line(0, 0, w, 0, shadow, 1);
    surface.Line(1, h - 2, 1, 1, dark, 1);
    surface.Line(1, 1, w - 1, 1, dark, 1);
    surface.Line(w - 1, 0, w - 1, h, light, 1);
    surface.Line(0, h - 1, w, h - 1, light, 1);
}

}  // namespace tarnwick::editor
