// The view's scroll-bar upkeep: the update algorithm that shows, hides and sizes both bars
// and makes the view follow them, and the bar actions.
#include <algorithm>

#include "editor/control/AdvCustomMemo.h"
#include "editor/view/AdvMemoView.h"

namespace tarnwick::editor {

namespace {

// Showing one bar can only make the other more likely to show, so the update settles within
// a few passes; the cap keeps an unexpected flip-flop from hanging the UI thread.
constexpr int kMaxUpdatePasses = 4;

}  // namespace

platform::SurfaceRect TAdvMemoView::VerticalBarRect() const {
    const platform::SurfaceRect area = TextAreaRect();
    return {area.Right, area.Top, area.Right + fVertical.Thickness, area.Bottom + 1};
}

platform::SurfaceRect TAdvMemoView::HorizontalBarRect() const {
    const platform::SurfaceRect area = TextAreaRect();
    return {kAreaInset, area.Bottom, area.Right, area.Bottom + fHorizontal.Thickness};
}

void TAdvMemoView::TakeTextAreaCells() {
    SetTextAreaCells(VisibleColumns(), VisibleRows());
}

void TAdvMemoView::UpdateScrollBars(bool invalidate) {
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
            TakeTextAreaCells();
            return;
        }
        const int count = fMemo.Lines().Count();
        if (fSettings.ProvidesVertical()) {
            const int rows = VisibleRows();
            if (rows >= 1 && rows < count) {
                fVertical.Position = fFirstVisibleLine;
                fVertical.Maximum = count - 1 + rows - 1;
                fVertical.PageSize = rows;
                fVertical.Thickness = fSettings.SystemScrollBarWidth;
                fVertical.Visible = true;
            } else {
                fVertical.Visible = false;
                fVertical.Position = 0;
                SetFirstVisibleLine(0);
            }
        }
        if (fSettings.ProvidesHorizontal() && fSettings.WordWrap != wwClientWidth) {
            const int columns = VisibleColumns();
            if (columns > 0 && columns < fMemo.LongestLineLength()) {
                fHorizontal.Maximum = fMemo.LongestLineLength();
                fHorizontal.PageSize = columns + 1;
                fHorizontal.Thickness = fSettings.SystemScrollBarHeight;
                fHorizontal.Position = fFirstVisibleColumn;
                fHorizontal.Visible = true;
            } else {
                SetFirstVisibleColumn(0);
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
        SetFirstVisibleLine(fVertical.Position);
    }
    if (fHorizontal.Visible) {
        if (fHorizontal.Position > fHorizontal.Maximum - fHorizontal.PageSize + 1) {
            fHorizontal.Position = fHorizontal.Maximum - fHorizontal.PageSize + 2;
        }
        SetFirstVisibleColumn(fHorizontal.Position);
    }
    TakeTextAreaCells();
    if (invalidate) {
        fMemo.Invalidate();
    }
}

void TAdvMemoView::ScrollVerticalTo(int line) {
    ScrollTopLine(line);
    fVertical.Position = fFirstVisibleLine;
}

void TAdvMemoView::ScrollTopLine(int line) {
    line = std::clamp(line, 0, std::max(0, fMemo.Lines().Count() - 1));
    if (line == fFirstVisibleLine) {
        return;
    }
    const int old = fFirstVisibleLine;
    fFirstVisibleLine = line;
    OnTopLineChanged.Raise(old, line);
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

void TAdvMemoView::VerticalScroll(TScrollCode code, int trackPosition) {
    OnScrollBarAction.Raise();
    const int old = fFirstVisibleLine;
    // A page click moves by the visible rows plus the bar's own one-line page step.
    const int page = VisibleRows() + 1;
    const int target = ScrollTarget(code, old, page, trackPosition, fVertical.Maximum);
    ScrollVerticalTo(std::clamp(target, 0, std::max(0, fVertical.Maximum)));
}

void TAdvMemoView::HorizontalScroll(TScrollCode code, int trackPosition) {
    OnScrollBarAction.Raise();
    const int old = fFirstVisibleColumn;
    const int page = VisibleColumns();
    int target = ScrollTarget(code, old, page, trackPosition, fHorizontal.Maximum);
    // The same last column the bar update allows.
    const int last = std::max(0, fHorizontal.Maximum - fHorizontal.PageSize + 2);
    target = std::clamp(target, 0, last);
    if (target == old) {
        return;
    }
    SetFirstVisibleColumn(target);
    fHorizontal.Position = target;
    fMemo.Invalidate();
}

}  // namespace tarnwick::editor
