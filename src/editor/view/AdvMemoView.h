// TAdvMemoView: the editor's view geometry. It measures the cell metrics, knows the control's
// size, the text area, the cells it holds, the first visible line and column, and the state of
// both scroll bars. Every character is one CharWidth x LineHeight cell of a fixed grid; the
// visible cell counts are always those of the current geometry (or those a caller set while
// there are no metrics yet).
#pragma once

#include "editor/document/TextPos.h"
#include "editor/view/AdvMemoPaintScrollBars.h"
#include "editor/view/AdvMemoPaintSettings.h"
#include "editor/view/Font.h"
#include "editor/view/Notification.h"
#include "platform/DrawingSurface.h"

namespace tarnwick::editor {

class TAdvCustomMemo;

struct TCellPoint {
    int Column = 0;
    int Row = 0;
    bool operator==(const TCellPoint&) const = default;
};

class TAdvMemoView {
  public:
    static constexpr int kTextIndent = 2;        // pixels between gutter and first cell
    static constexpr int kAreaInset = 2;         // text area inset from the control's edge
    static constexpr int kSingleBorderGrow = 1;  // single border without 3D: area grows by 1
    static constexpr int kNoBorderGrow = 2;

    // Both must outlive the view.
    TAdvMemoView(TAdvCustomMemo& memo, TAdvMemoPaintSettings& settings);
    TAdvMemoView(const TAdvMemoView&) = delete;
    TAdvMemoView& operator=(const TAdvMemoView&) = delete;

    // --- Top line and first column
    int FirstVisibleLine() const { return fFirstVisibleLine; }
    int FirstVisibleColumn() const { return fFirstVisibleColumn; }
    void SetFirstVisibleLine(int line) { fFirstVisibleLine = line; }
    void SetFirstVisibleColumn(int column) { fFirstVisibleColumn = column; }
    // The text area in whole cells as last computed (or set); the caret rules read these.
    int TextAreaColumns() const { return fAreaColumns; }
    int TextAreaRows() const { return fAreaRows; }
    void SetTextAreaCells(int columns, int rows);

    // --- Metrics
    // Assigns the editor font; at the next metrics computation a font whose "W" and "i"
    // differ in width is replaced by "FixedSys".
    void AssignFont(const TFont& font);
    // Changes the editor font in place: a variable-pitch font that follows a variable-pitch
    // canvas font becomes "FixedSys"; a variable-pitch one after a fixed one is kept.
    void ChangeFont(const TFont& font);
    // Measures CharWidth ("W"), LineHeight ("W_" + 1) and the bold-width flag on surface, then
    // updates the scroll bars and, when asked, invalidates the editor.
    void ComputeMetrics(platform::IDrawingSurface& surface, bool invalidate = true);
    int CharWidth() const { return fCharWidth; }
    int LineHeight() const { return fLineHeight; }
    bool BoldChangesWidth() const { return fBoldChangesWidth; }

    // --- Geometry
    // The control's size in pixels; the scroll bars are updated and the cell counts follow.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return fWidth; }
    int ClientHeight() const { return fHeight; }
    platform::SurfaceRect TextAreaRect() const;
    platform::SurfaceRect GutterRect() const;
    bool GutterShown() const;
    // The gutter's width: the GutterWidth setting, or wider while the largest line number (with
    // its suffix) would not end left of the gutter's border lines.
    int GutterWidth() const;
    // Width of "W" in the gutter font, measured with the metrics; painting the gutter measures
    // it again and a changed width lays the view out anew.
    int GutterCharWidth() const { return fGutterCharWidth; }
    void SetGutterCharWidth(int width);
    // Cell of visible column c and row r.
    platform::SurfaceRect CellRect(int c, int r) const;
    // Visible cell under a point, column rounded to the nearer cell boundary.
    TCellPoint PointToCell(int x, int y) const;
    // Text position under a point (column and line, not rounded).
    TTextPos PointToTextPos(int x, int y) const;
    int VisibleColumns() const;
    int VisibleRows() const;
    // x of the right margin in line-image coordinates, or -1 when none is drawn.
    int RightMarginX() const;

    // --- Scroll bars (AdvMemoViewScrollBars.cpp)
    const TAdvMemoScrollBar& VerticalBar() const { return fVertical; }
    const TAdvMemoScrollBar& HorizontalBar() const { return fHorizontal; }
    platform::SurfaceRect VerticalBarRect() const;
    platform::SurfaceRect HorizontalBarRect() const;
    // Recomputes both bars from the lines and the view; FirstVisibleLine and
    // FirstVisibleColumn follow the bars, and the text area's cell counts are taken.
    void UpdateScrollBars(bool invalidate = false);
    // A scroll-bar action; trackPosition is used by the thumb codes.
    void VerticalScroll(TScrollCode code, int trackPosition = 0);
    void HorizontalScroll(TScrollCode code, int trackPosition = 0);
    // Moves the top line as ScrollTopLine does and keeps the vertical bar in step.
    void ScrollVerticalTo(int line);

    // --- Scrolling
    // Moves the top line, limited to 0..count-1 of the lines; when it changes,
    // OnTopLineChanged is raised with the old and the new top line (the control then drops
    // the start-state caches passed over and repaints; the completion aids hide the hint).
    void ScrollTopLine(int line);
    TNotification<int, int> OnTopLineChanged;  // (old top line, new top line)
    // Raised as a scroll-bar action begins, whether or not it moves anything (the parameter
    // hint hides: it stands under a code line that is about to move).
    TNotification<> OnScrollBarAction;

  private:
    void TakeTextAreaCells();

    TAdvCustomMemo& fMemo;
    TAdvMemoPaintSettings& fSettings;
    int fFirstVisibleLine = 0;
    int fFirstVisibleColumn = 0;
    int fAreaColumns = 0;
    int fAreaRows = 0;
    int fCharWidth = 0;
    int fLineHeight = 0;
    int fGutterCharWidth = 0;
    bool fBoldChangesWidth = false;
    bool fCheckAssignedFont = true;  // the assigned font's pitch is tested at the next metrics
    bool fCheckChangedFont = false;
    bool fCanvasVariablePitch = true;  // a canvas starts with the proportional system font
    int fWidth = 0;
    int fHeight = 0;
    TAdvMemoScrollBar fVertical;
    TAdvMemoScrollBar fHorizontal;
};

}  // namespace tarnwick::editor
