// TAdvMemoPainter: paints a TAdvCustomMemo through a drawing surface (gutter, lines through a
// one-line image, margin, border) and keeps the view geometry: cell metrics, the text area and
// the scroll-bar state. Every character is one CharWidth x LineHeight cell of a fixed grid.
#pragma once

#include <string>

#include "editor/AdvMemoPaintScrollBars.h"
#include "editor/AdvMemoPaintSettings.h"
#include "editor/HighlightState.h"
#include "editor/TextPos.h"
#include "platform/DrawingSurface.h"

namespace tarnwick::editor {

class TAdvCustomMemo;

struct TCellPoint {
    int Column = 0;
    int Row = 0;
    bool operator==(const TCellPoint&) const = default;
};

class TAdvMemoPainter {
  public:
    static constexpr int kTextIndent = 2;        // pixels between gutter and first cell
    static constexpr int kAreaInset = 2;         // text area inset from the control's edge
    static constexpr int kSingleBorderGrow = 1;  // single border without 3D: area grows by 1
    static constexpr int kNoBorderGrow = 2;
    static constexpr int kMarginPenWidth = 2;
    static constexpr int kGradientBands = 48;
    static constexpr int kWheelLines = 4;

    // Both must outlive the painter; the painter holds no other resources.
    TAdvMemoPainter(TAdvCustomMemo& memo, TAdvMemoPaintSettings& settings);
    TAdvMemoPainter(const TAdvMemoPainter&) = delete;
    TAdvMemoPainter& operator=(const TAdvMemoPainter&) = delete;

    TAdvCustomMemo& Memo() { return fMemo; }
    TAdvMemoPaintSettings& Settings() { return fSettings; }

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
    // The control's size in pixels; the scroll bars are updated and the cell counts pushed to
    // the editor.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return fWidth; }
    int ClientHeight() const { return fHeight; }
    platform::SurfaceRect TextAreaRect() const;
    platform::SurfaceRect GutterRect() const;
    bool GutterShown() const;
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

    // --- Scroll bars (AdvMemoPaintScrollBars.cpp)
    const TAdvMemoScrollBar& VerticalBar() const { return fVertical; }
    const TAdvMemoScrollBar& HorizontalBar() const { return fHorizontal; }
    platform::SurfaceRect VerticalBarRect() const;
    platform::SurfaceRect HorizontalBarRect() const;
    // Recomputes both bars from the lines and the view; FirstVisibleLine and
    // FirstVisibleColumn follow the bars. Pushes the text area's cell counts to the editor.
    void UpdateScrollBars(bool invalidate = false);
    // A scroll-bar action; trackPosition is used by the thumb codes.
    void VerticalScroll(TScrollCode code, int trackPosition = 0);
    void HorizontalScroll(TScrollCode code, int trackPosition = 0);
    // The top line set from the keyboard or the wheel: caches passed over are dropped.
    void SetTopLine(int line);
    // One wheel step of four lines, down or up.
    void MouseWheel(bool down);

    // --- Paint (AdvMemoPainter.cpp, AdvMemoPaintGutter.cpp)
    // Paints the whole control, drawing limited to dirty; nothing while an update bracket is
    // open on the line list.
    void Paint(platform::IDrawingSurface& surface, const platform::SurfaceRect& dirty);
    // The gutter entry of line i: a number text at x (gutter coordinates), or a dash, or
    // nothing when line numbers are off.
    struct GutterEntry {
        bool Number = false;
        bool Dash = false;
        std::string Text;
        int X = 0;
    };
    GutterEntry GutterEntryOf(int line, int gutterCharWidth) const;

  private:
    void PaintGutter(platform::IDrawingSurface& surface);
    // Paints line i at visible row r through the line image; returns the next line's state.
    HighlightState PaintLine(platform::IDrawingSurface& surface, int line, int row,
                             platform::SurfaceColor bk, const HighlightState& state);
    void PaintBorder(platform::IDrawingSurface& surface);
    platform::SurfaceColor Resolve(TColor c) const;
    void ApplyBarState(TAdvMemoScrollBar& bar, bool provided);
    void ScrollVerticalTo(int line);
    void PushTextAreaCells();

    TAdvCustomMemo& fMemo;
    TAdvMemoPaintSettings& fSettings;
    int fCharWidth = 0;
    int fLineHeight = 0;
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
