// The paint of the control: the lines through the one-line image, the background below the
// last line, the indent columns and the border.
#include "editor/view/AdvMemoRenderer.h"

#include <algorithm>

#include "editor/document/AdvMemoStrings.h"
#include "editor/highlight/LineTokenCache.h"
#include "editor/view/AdvMemoPaintRun.h"
#include "editor/view/AdvMemoView.h"
#include "editor/view/PaintSource.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

using platform::IDrawingSurface;
using platform::SurfaceColor;
using platform::SurfaceRect;

TAdvMemoRenderer::TAdvMemoRenderer(TPaintSource& source, const TAdvMemoPaintSettings& settings,
                                   TAdvMemoView& view)
    : fSource(source), fSettings(settings), fView(view) {}

SurfaceColor TAdvMemoRenderer::Resolve(TColor c) const {
    return fSettings.SystemColors.Resolve(c == kClNone ? fSource.BkColor() : c);
}

// --- Paint

void TAdvMemoRenderer::Paint(IDrawingSurface& surface, const SurfaceRect& dirty) {
    if (fSource.Lines().UpdateLockCount() > 0) {
        return;
    }
    if (fView.LineHeight() == 0) {
        fView.ComputeMetrics(surface, false);
    }
    // The gutter's width follows its font (the largest line number must fit): a font that
    // measures otherwise than at the last metrics lays the view out anew before anything is
    // placed.
    surface.SetFont(ToSurfaceFont(fSettings.Gutter.Font, fSettings.Gutter.Font.Style));
    fView.SetGutterCharWidth(surface.TextExtent("W").Width);
    const SurfaceRect control{0, 0, fView.ClientWidth(), fView.ClientHeight()};
    const SurfaceRect clip = dirty.Intersected(control);
    if (clip.IsEmpty()) {
        return;
    }
    surface.SetClip(clip);
    const SurfaceRect area = fView.TextAreaRect();
    const SurfaceColor bk = Resolve(fSource.BkColor());

    if (fView.GutterShown() && fSettings.Gutter.GutterWidth > 1) {
        PaintGutter(surface);
    }
    surface.SetFont(ToSurfaceFont(fSettings.Font, fSettings.Font.Style));
    surface.FillRect({area.Left, area.Top, area.Right, TAdvMemoView::kAreaInset}, bk);

    // Lines are copied inside the text area only, so a partly visible last line never
    // covers the horizontal bar or the border.
    surface.SetClip(clip.Intersected(area));
    // The start-state scan rebuilds the delimiters the tokenizer is then prepared with.
    HighlightState state = fSource.FirstVisibleLineStartState();
    fSource.PrepareHighlighting();
    const int first = fView.FirstVisibleLine();
    const int count = fSource.Lines().Count();
    const int rows = fView.VisibleRows();
    int painted = 0;
    bool ranOut = false;
    for (int i = first; i <= first + rows; ++i) {
        if (i >= count) {
            ranOut = true;
            break;
        }
        // The tokenizer's state flows from line to line within one paint.
        state = PaintLine(surface, i, i - first, bk, state, i == first + rows || i + 1 >= count);
        ++painted;
    }
    surface.SetClip(clip);
    if (ranOut) {
        const int top = fView.CellRect(0, painted).Top;
        if (top < area.Bottom) {
            surface.FillRect({area.Left, top, area.Right, area.Bottom}, bk);
        }
    }
    for (int k = 1; k <= TAdvMemoView::kTextIndent; ++k) {
        surface.Line(area.Left - k, area.Top, area.Left - k, area.Bottom, bk, 1);
    }
    const SurfaceColor barColor = Resolve(kClScrollBar);
    for (const auto& [bar, rect] : {std::pair{&fView.VerticalBar(), fView.VerticalBarRect()},
                                    std::pair{&fView.HorizontalBar(), fView.HorizontalBarRect()}}) {
        if (bar->Visible) {
            surface.FillRect({rect.Left - 1, rect.Top - 1, rect.Right + 1, rect.Bottom + 1},
                             barColor);
        }
    }
    PaintBorder(surface);
    surface.ResetClip();
}

HighlightState TAdvMemoRenderer::PaintLine(IDrawingSurface& surface, int line, int row,
                                           SurfaceColor bk, const HighlightState& state,
                                           bool last) {
    const SurfaceRect area = fView.TextAreaRect();
    const int width = area.Width();
    surface.BeginImage(width, fView.LineHeight());
    surface.SetFont(ToSurfaceFont(fSettings.Font, fSettings.Font.Style));
    surface.FillRect({0, 0, width, fView.LineHeight()}, bk);

    // A hidden selection still shows while a find dialog has the focus: it is the match.
    const bool selected =
        fSource.HasSelection() &&
        !(fSettings.HideSelection && !fSource.Focused() && !fSource.FindDialogOpen());
    const TTextPos start = fSource.SelectionStart();
    const TTextPos end = fSource.SelectionEnd();
    std::string_view text = fSource.Lines().View(line);
    // A selected blank line shows one selected cell.
    if (selected && line >= start.Y && line <= end.Y &&
        std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= ' '; })) {
        text = " ";
    }
    // The line's character count is kept with the lines: when it equals the byte count (as for
    // every ASCII line) the runs are cut by bytes without looking at them again.
    const bool oneBytePerChar =
        text.size() <= 1 || static_cast<size_t>(fSource.Lines().LineCharCount(line)) == text.size();
    TAdvMemoRunPainter::Layout layout{
        fView.CharWidth(),    fView.LineHeight(),       width,
        fView.RightMarginX(), fView.BoldChangesWidth(), oneBytePerChar};
    TAdvMemoRunPainter runs(surface, fSource, fSettings, layout, line, selected, start, end);
    // A long line is tokenized only as far as the view needs (and from a checkpoint left of
    // it): the bytes from two cells past the right edge on show nothing, and after the last
    // painted line no state is needed.
    size_t firstByte = 0;
    size_t stopAt = std::string_view::npos;
    if (text.size() >= TLineTokenCache::kMinLength) {
        const int firstColumn = fView.FirstVisibleColumn();
        const int cw = std::max(fView.CharWidth(), 1);
        const int stopColumn = firstColumn + width / cw + 2;
        if (oneBytePerChar) {
            firstByte = static_cast<size_t>(firstColumn);
            if (last) {
                stopAt = static_cast<size_t>(stopColumn);
            }
        } else {
            firstByte = platform::utf8::ByteOffsetOfColumn(text, firstColumn);
            if (last) {
                stopAt = platform::utf8::ByteOffsetOfColumn(text, stopColumn);
            }
        }
    }
    const HighlightState next =
        fSource.TokenizeLineForPaint(line, text, state, runs, firstByte, stopAt);
    runs.FinishLine();
    runs.DrawBlockUnderlines();
    surface.EndImage(area.Left, fView.CellRect(0, row).Top);
    return next;
}

void TAdvMemoRenderer::PaintBorder(IDrawingSurface& surface) {
    if (fSettings.BorderStyle == bsNone || fView.ClientWidth() <= 0 || fView.ClientHeight() <= 0) {
        return;
    }
    const int w = fView.ClientWidth();
    const int h = fView.ClientHeight();
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
