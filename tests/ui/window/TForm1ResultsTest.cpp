// What the results list shows: columns wide enough for their titles and for the texts they were
// sized for in the user's formats, and the Created column of entries without a birth time.
#include <fcntl.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QTableView>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/DirectoryEnumeration.h"
#include "search/RowTexts.h"
#include "ui/support/TForm1Fixture.h"

namespace tarnwick::ui {
namespace {

using search::FileTimeText;
using search::ResultRow;

class TForm1ResultsTest : public testing::TForm1Test {};

constexpr int kSizeColumn = 2;
constexpr int kCreatedColumn = 4;
constexpr int kModifiedColumn = 5;

TEST_F(TForm1ResultsTest, ColumnsFitTheirTitlesSizesAndTheLocalesDatesAndTimes) {
    const struct {
        const char* what;
        testing::FixedLocale locale;
    } locales[] = {
        {"German", testing::FixedLocale(",", 0, "%d.%m.%Y", "%H:%M:%S")},
        {"US English", testing::FixedLocale(".", 0, "%m/%d/%Y", "%I:%M:%S %p")},
        {"ISO with a zone", testing::FixedLocale(".", 3600, "%Y-%m-%d", "%H:%M:%S %Z")},
        {"month names", testing::FixedLocale(".", 0, "%d %B %Y", "%H:%M:%S")},
    };
    for (const auto& l : locales) {
        MakeWindow(&dialogs, &l.locale);
        window->show();
        std::vector<ResultRow> rows;
        // Times spread over a year and a day, so every month and many hours are seen.
        for (std::int64_t t = 1798761600; t < 1798761600 + 366 * 86400; t += 86400 * 7 + 3607) {
            ResultRow row;
            row.Name = "name.txt";
            row.Path = "/p/name.txt";
            row.Size = "999" + l.locale.DecimalSeparator() + "99 bytes";
            row.Type = "TXT File";
            row.Created = FileTimeText(platform::FileTimeFromUnix(t, 0), l.locale);
            row.Modified = row.Created;
            row.Attributes = "+R+H";
            rows.push_back(row);
        }
        window->Results().Append(std::move(rows));
        auto* list = Find<QTableView>("ListView1");
        for (int c = 0; c < ResultsModel::kColumnCount; ++c) {
            EXPECT_GE(list->columnWidth(c), list->horizontalHeader()->sectionSizeHint(c))
                << l.what << ": title of column " << c;
        }
        for (const int c : {kSizeColumn, kCreatedColumn, kModifiedColumn}) {
            // What the view itself needs for the rows it holds (public in the base class).
            const int needed = static_cast<QAbstractItemView*>(list)->sizeHintForColumn(c);
            EXPECT_GE(list->columnWidth(c), needed) << l.what << ": texts of column " << c;
        }
    }
}

// An entry whose file system reports a birth time of exactly zero, or "" when this machine has
// none among a few common places.
std::pair<std::string, std::string> EntryWithZeroBirthTime() {
    const std::pair<std::string, std::string> candidates[] = {
        {"/", "tmp"}, {"/", "usr"}, {"/usr", "bin"}, {"/", "etc"}, {"/usr/bin", "env"}};
    for (const auto& [folder, name] : candidates) {
        struct statx sx {};
        const std::string path = (folder == "/" ? "" : folder) + "/" + name;
        if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &sx) == 0 &&
            (sx.stx_mask & STATX_BTIME) != 0 && sx.stx_btime.tv_sec == 0 &&
            sx.stx_btime.tv_nsec == 0) {
            return {folder, name};
        }
    }
    return {};
}

TEST_F(TForm1ResultsTest, ZeroBirthTimeShowsTheModificationTimeAsCreated) {
    const auto [folder, name] = EntryWithZeroBirthTime();
    if (name.empty()) {
        GTEST_SKIP() << "no entry with a zero birth time here; the rule itself is tested with "
                        "the directory enumeration";
    }
    LookIn(folder);
    Find<QComboBox>("ComboBox1")->setEditText(QString::fromStdString(name));
    Find<QCheckBox>("CheckBox2")->setChecked(false);
    RunSearch();
    const ResultsModel& rows = window->Results();
    int found = -1;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rows.Row(r).Name == name) {
            found = r;
        }
    }
    ASSERT_GE(found, 0) << folder << " " << name;
    const auto shown = [&](int column) {
        return rows.data(rows.index(found, column), Qt::DisplayRole).toString().toStdString();
    };
    EXPECT_EQ(shown(kCreatedColumn), shown(kModifiedColumn));
    EXPECT_NE(rows.Row(found).Created.rfind("01.01.1970", 0), 0u) << rows.Row(found).Created;
}

}  // namespace
}  // namespace tarnwick::ui
