// TAdvMemoRenderer: paints the editor control through a drawing surface: the gutter, each
// visible line through a one-line image (runs, selection, right margin), the background below
// the last line, the indent columns and the border. It keeps no state between paints; all
// positions come from the view's cell grid, text is never measured.
#pragma once

#include <string>

#include "editor/highlight/HighlightState.h"
#include "editor/view/AdvMemoPaintSettings.h"
#include "platform/DrawingSurface.h"

namespace tarnwick::editor {

class TAdvMemoView;
class TPaintSource;

class TAdvMemoRenderer {
  public:
    static constexpr int kMarginPenWidth = 2;
    static constexpr int kGradientBands = 48;

    // All three must outlive the renderer; the editor hands in its paint source.
    TAdvMemoRenderer(TPaintSource& source, const TAdvMemoPaintSettings& settings,
                     TAdvMemoView& view);
    TAdvMemoRenderer(const TAdvMemoRenderer&) = delete;
    TAdvMemoRenderer& operator=(const TAdvMemoRenderer&) = delete;

    // Paints the whole control, drawing limited to dirty; nothing while an update bracket is
    // open on the line list. Metrics are computed first when there are none.
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
    // last: no line is painted after it, so the state after it is not needed.
    HighlightState PaintLine(platform::IDrawingSurface& surface, int line, int row,
                             platform::SurfaceColor bk, const HighlightState& state, bool last);
    void PaintBorder(platform::IDrawingSurface& surface);
    platform::SurfaceColor Resolve(TColor c) const;

    TPaintSource& fSource;
    const TAdvMemoPaintSettings& fSettings;
    TAdvMemoView& fView;
};

}  // namespace tarnwick::editor
