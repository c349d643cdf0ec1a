// The painter's scroll-bar upkeep: the update algorithm that shows, hides and sizes both bars
// and makes the view follow them, the bar actions, and the top-line rule of the wheel.
#include <algorithm>

#include "editor/AdvCustomMemo.h"
#include "editor/AdvMemoPainter.h"

namespace tarnwick::editor {

namespace {

// Showing one bar can only make the other more likely to show, so the update settles within
// a few passes; the cap keeps an unexpected flip-flop from hanging the UI thread.
constexpr int kMaxUpdatePasses = 4;

}  // namespace

platform::SurfaceRect TAdvMemoPainter::VerticalBarRect() const {
    const platform::SurfaceRect area = TextAreaRect();
    return {area.Right, area.Top, area.Right + fVertical.Thickness, area.Bottom + 1};
}

platform::SurfaceRect TAdvMemoPainter::HorizontalBarRect() const {
    const platform::SurfaceRect area = TextAreaRect();
    return {kAreaInset, area.Bottom, area.Right, area.Bottom + fHorizontal.Thickness};
}

void TAdvMemoPainter::PushTextAreaCells() {
    fMemo.SetTextAreaCells(VisibleColumns(), VisibleRows());
}

void TAdvMemoPainter::UpdateScrollBars(bool invalidate) {
    for (int pass = 0; pass < kMaxUpdatePasses; ++pass) {
        const bool verticalWas = fVertical.Visible;
        const bool horizontalWas = fHorizontal.Visible;
        if (!fSettings.ProvidesVertical()) {
            fVertical.Visible = false;
        }
        if (!fSettings.ProvidesHorizontal()) {
            fHorizontal.Visible = false;
        }
        if (!fMemo.NotifyEnabled()) {
            PushTextAreaCells();
            return;
        }
        const int count = fMemo.Lines().Count();
        if (fSettings.ProvidesVertical()) {
            const int rows = VisibleRows();
            if (rows >= 1 && rows < count) {
                fVertical.Position = fMemo.FirstVisibleLine();
                fVertical.Maximum = count - 1 + rows - 1;
                fVertical.PageSize = rows;
                fVertical.Thickness = fSettings.SystemScrollBarWidth;
                fVertical.Visible = true;
            } else {
                fVertical.Visible = false;
                fVertical.Position = 0;
                fMemo.SetFirstVisibleLine(0);
            }
        }
        if (fSettings.ProvidesHorizontal() && fSettings.WordWrap != wwClientWidth) {
            const int columns = VisibleColumns();
            if (columns > 0 && columns < fMemo.LongestLineLength()) {
                fHorizontal.Maximum = fMemo.LongestLineLength();
                fHorizontal.PageSize = columns + 1;
                fHorizontal.Thickness = fSettings.SystemScrollBarHeight;
                fHorizontal.Position = fMemo.FirstVisibleColumn();
                fHorizontal.Visible = true;
            } else {
                fMemo.SetFirstVisibleColumn(0);
                fHorizontal.Position = 0;
                if (fMemo.CurX() < columns) {
                    fHorizontal.Visible = false;
                }
            }
        }
        if (verticalWas == fVertical.Visible && horizontalWas == fHorizontal.Visible) {
            break;
        }
    }
    if (fVertical.Visible) {
        fVertical.Position = std::min(fVertical.Position, fVertical.LastPosition());
        fMemo.SetFirstVisibleLine(fVertical.Position);
    }
    if (fHorizontal.Visible) {
        if (fHorizontal.Position > fHorizontal.Maximum - fHorizontal.PageSize + 1) {
            fHorizontal.Position = fHorizontal.Maximum - fHorizontal.PageSize + 2;
        }
        fMemo.SetFirstVisibleColumn(fHorizontal.Position);
    }
    PushTextAreaCells();
    if (invalidate) {
        fMemo.Invalidate();
    }
}

void TAdvMemoPainter::ScrollVerticalTo(int line) {
    fMemo.ScrollFirstVisibleLine(line);
    fVertical.Position = fMemo.FirstVisibleLine();
}

namespace {

// Where a scroll-bar action moves the position `old`: by one, by a page, to the thumb, or
// to either end.
int ScrollTarget(TScrollCode code, int old, int page, int trackPosition, int maximum) {
    switch (code) {
        case TScrollCode::LineUp:
            return old - 1;
        case TScrollCode::LineDown:
            return old + 1;
        case TScrollCode::PageUp:
            return old - page;
        case TScrollCode::PageDown:
            return old + page;
        case TScrollCode::ThumbTrack:
        case TScrollCode::ThumbPosition:
            return trackPosition;
        case TScrollCode::Top:
            return 0;
        case TScrollCode::Bottom:
            return maximum;
    }
    return old;
}

}  // namespace

void TAdvMemoPainter::VerticalScroll(TScrollCode code, int trackPosition) {
    const int old = fMemo.FirstVisibleLine();
    // A page click moves by the visible rows plus the bar's own one-line page step.
    const int page = VisibleRows() + 1;
    const int target = ScrollTarget(code, old, page, trackPosition, fVertical.Maximum);
    ScrollVerticalTo(std::clamp(target, 0, std::max(0, fVertical.Maximum)));
}

void TAdvMemoPainter::HorizontalScroll(TScrollCode code, int trackPosition) {
    const int old = fMemo.FirstVisibleColumn();
    const int page = VisibleColumns();
    int target = ScrollTarget(code, old, page, trackPosition, fHorizontal.Maximum);
    // The same last column the bar update allows.
    const int last = std::max(0, fHorizontal.Maximum - fHorizontal.PageSize + 2);
    target = std::clamp(target, 0, last);
    if (target == old) {
        return;
    }
    fMemo.SetFirstVisibleColumn(target);
    fHorizontal.Position = target;
    fMemo.Invalidate();
}

void TAdvMemoPainter::SetTopLine(int line) {
    if (line == fMemo.FirstVisibleLine()) {
        return;
    }
    const int count = fMemo.Lines().Count();
    if (count < VisibleRows()) {
        // Everything fits: the caret goes home. The column first, so that arriving on line 0
        // never pads it with spaces up to the old column.
        if (count > 0 && (fMemo.CurX() != 0 || fMemo.CurY() != 0)) {
            fMemo.SetCaretColumn(0);
            fMemo.SetCaretLine(0);
            fMemo.Invalidate();
        }
        return;
    }
    if (line < 0) {
        return;
    }
    ScrollVerticalTo(std::min(line, count - 1));
}

void TAdvMemoPainter::MouseWheel(bool down) {
    const int first = fMemo.FirstVisibleLine();
    const int count = fMemo.Lines().Count();
    if (down) {
        if (first < count) {
            SetTopLine(first + kWheelLines);
        }
    } else if (first > kWheelLines) {
        SetTopLine(first - kWheelLines);
    } else if (count > VisibleRows()) {
        SetTopLine(0);
    }
}

}  // namespace tarnwick::editor
