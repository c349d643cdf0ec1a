// Column widths of the results list, measured with the list's own font and style.
#include "ui/results/ResultsColumnWidths.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <cmath>
#include <ctime>
#include <string>
#include <vector>

#include "platform/LocaleFormats.h"

namespace tarnwick::ui {
namespace {

constexpr int kSizeColumn = 2;
constexpr int kCreatedColumn = 4;
constexpr int kModifiedColumn = 5;
constexpr int kAttributesColumn = 6;

// A date and time with two-digit day and month and a late hour; `hour` picks the half of a
// 12-hour clock. timegm fills in the weekday, for formats that name it.
std::string SampleDateTime(const platform::LocaleFormats& locale, int month, int day, int hour) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = 58;
    local.tm_sec = 58;
    const std::time_t t = ::timegm(&local);
    ::gmtime_r(&t, &local);
    return locale.FormatShortDate(local) + " " + locale.FormatLongTime(local);
}

// The longest texts each column was sized to show.
std::vector<std::string> Samples(int column, const platform::LocaleFormats& locale) {
    const std::string point = locale.DecimalSeparator();
    switch (column) {
        case kSizeColumn:
            return {"999" + point + "99 bytes", "1023" + point + "99 KB"};
        case kCreatedColumn:
        case kModifiedColumn:
            return {SampleDateTime(locale, 12, 28, 23), SampleDateTime(locale, 9, 30, 10)};
        case kAttributesColumn:
            return {"A+R+H+S"};
        default:
            return {};
    }
}

// The width a cell of `list` needs to show `text` uncut, grid line included.
int CellWidth(const QTableView& list, const QString& text) {
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.font = list.font();
    option.fontMetrics = QFontMetrics(list.font());
    option.text = text;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = list.textElideMode();
    const QSize size =
        list.style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &list);
    return size.width() + (list.showGrid() ? 1 : 0);
}

}  // namespace

double AverageLetterWidth(const QFont& font) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QFontMetricsF(font).horizontalAdvance(kLetters) / kLetters.size();
}

std::array<int, ResultsModel::kColumnCount> FittedColumnWidths(
    const QTableView& list, const platform::LocaleFormats& locale) {
    const double scale = AverageLetterWidth(list.font()) / kFormAverageLetterWidth;
    std::array<int, ResultsModel::kColumnCount> widths{};
    for (int c = 0; c < ResultsModel::kColumnCount; ++c) {
        int width = static_cast<int>(std::lround(ResultsModel::ColumnWidth(c) * scale));
        if (list.model() != nullptr) {
            width = std::max(width, list.horizontalHeader()->sectionSizeHint(c));
        }
        for (const std::string& sample : Samples(c, locale)) {
            width = std::max(width, CellWidth(list, QString::fromStdString(sample)));
        }
        widths[static_cast<std::size_t>(c)] = width;
    }
    return widths;
}

}  // namespace tarnwick::ui
