// The widths of the results list's columns. The form's widths were chosen for a small font whose
// letters average about 6 pixels; each is scaled by the ratio of the list font's average letter
// width to that, and widened further wherever the column's title or the longest text it was
// sized for (a size such as "999.99 bytes", a date and time in the user's format) would still
// be cut. So every column shows its texts whatever fonts the desktop substitutes.
#pragma once

#include <array>

#include "ui/results/ResultsModel.h"

class QFont;
class QTableView;

namespace tarnwick::platform {
class LocaleFormats;
}

namespace tarnwick::ui {

// The form's letter width that the design widths of ResultsModel::ColumnWidth assume.
inline constexpr double kFormAverageLetterWidth = 6.0;

// The average advance of the 52 ASCII letters in `font`, in pixels.
double AverageLetterWidth(const QFont& font);

// The widths for `list` (its font, style, grid and header), in column order.
std::array<int, ResultsModel::kColumnCount> FittedColumnWidths(
    const QTableView& list, const platform::LocaleFormats& locale);

}  // namespace tarnwick::ui
