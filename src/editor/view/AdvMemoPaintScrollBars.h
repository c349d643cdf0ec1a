// The editor's scroll-bar state as the painter computes it: visibility, position, range and
// page of one bar, in the platform's convention (the last position is Maximum - PageSize + 1).
#pragma once

namespace tarnwick::editor {

// Scroll-bar actions a host forwards.
enum class TScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbTrack,
    ThumbPosition,
    Top,
    Bottom,
};

struct TAdvMemoScrollBar {
    static constexpr int kDefaultThickness = 16;

    bool Visible = false;
    int Position = 0;
    int Maximum = 0;
    int PageSize = 0;
    int Thickness = kDefaultThickness;  // width of the vertical, height of the horizontal bar

    // The highest position the thumb can take.
    int LastPosition() const { return Maximum - PageSize + 1 < 0 ? 0 : Maximum - PageSize + 1; }
    bool operator==(const TAdvMemoScrollBar&) const = default;
};

}  // namespace tarnwick::editor
