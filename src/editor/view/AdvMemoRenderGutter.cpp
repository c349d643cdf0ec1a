// The gutter: border lines, the 48-band gradient and the line numbers, drawn into an image of
// the gutter's size and copied to the window in one operation.
#include <string>

#include "editor/document/AdvMemoStrings.h"
#include "editor/view/AdvMemoRenderer.h"
#include "editor/view/AdvMemoView.h"
#include "editor/view/PaintSource.h"

namespace tarnwick::editor {

namespace {

constexpr int kDashFromRight = 18;  // the dash runs from right - 18 to right - 16
constexpr int kDashLength = 2;
constexpr int kDashDown = 4;
constexpr int kEntryRightInset = 2;
constexpr int kFillRightInset = 3;  // the gradient stops three pixels before the right edge
constexpr int kWidestIndentedDigits = 3;

}  // namespace

TAdvMemoRenderer::GutterEntry TAdvMemoRenderer::GutterEntryOf(int line, int gutterCharWidth) const {
    const TAdvGutter& gutter = fSettings.Gutter;
    GutterEntry entry;
    if (!gutter.ShowLineNumbers) {
        return entry;
    }
    const long long number = static_cast<long long>(line) + gutter.LineNumberStart();
    std::string digits = std::to_string(number);
    if (gutter.ShowLeadingZeros && static_cast<int>(digits.size()) < gutter.DigitCount) {
        digits.insert(0, static_cast<size_t>(gutter.DigitCount) - digits.size(), '0');
    }
    // Numbers of one to three digits are moved right so that all end in the same column.
    const int length = static_cast<int>(digits.size());
    const int indent = length <= kWidestIndentedDigits ? kWidestIndentedDigits + 1 - length : 0;
    entry.X = gutter.GutterWidth - gutter.GutterMargin() + indent * gutterCharWidth;
    entry.Text = digits + gutter.NumberSuffix;
    if (number % gutter.LineNumberAt() == 0 || line == fSource.CurY()) {
        entry.Number = true;
    } else {
        entry.Dash = true;
    }
    return entry;
}

void TAdvMemoRenderer::PaintGutter(platform::IDrawingSurface& surface) {
    const TAdvGutter& gutter = fSettings.Gutter;
    const platform::SurfaceRect bounds = fView.GutterRect();
    const int w = bounds.Width();
    const int h = bounds.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    surface.BeginImage(w, h);
    surface.Line(w - 1, 0, w - 1, h, Resolve(gutter.BorderColor), 1);
    surface.Line(w - 2, 0, w - 2, h, Resolve(kClWhite), 1);
    const platform::SurfaceRect fill{0, 0, w - kFillRightInset, h};
    if (gutter.GutterColorTo == kClNone) {
        surface.FillRect(fill, Resolve(gutter.GutterColor));
    } else {
        surface.FillGradient(fill, Resolve(gutter.GutterColor), Resolve(gutter.GutterColorTo),
                             kGradientBands);
    }
    surface.SetFont(ToSurfaceFont(gutter.Font, gutter.Font.Style));
    const int gutterCharWidth = surface.TextExtent("W").Width;
    const int count = fSource.Lines().Count();
    const int first = fView.FirstVisibleLine();
    const int right = fView.GutterWidth() - kEntryRightInset;
    // An empty list still shows the number of its first line.
    const int last = count == 0 ? first : count - 1;
    for (int i = first, y = 0; fView.LineHeight() > 0 && y < h && i <= last;
         ++i, y += fView.LineHeight()) {
        const GutterEntry entry = GutterEntryOf(i, gutterCharWidth);
        if (entry.Number) {
            surface.TextOut(entry.X, y, entry.Text, Resolve(gutter.LineNumberTextColor),
                            gutterCharWidth);
        } else if (entry.Dash) {
            surface.Line(right - kDashFromRight, y + kDashDown,
                         right - kDashFromRight + kDashLength, y + kDashDown,
                         Resolve(gutter.Font.Color), 1);
        }
    }
    surface.EndImage(bounds.Left, bounds.Top);
}

}  // namespace tarnwick::editor
