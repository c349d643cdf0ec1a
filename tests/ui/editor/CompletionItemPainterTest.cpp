// The completion list's measurement and drawing with the real fonts of the offscreen platform:
// the item font, item height and width, the list width, the kind pictures, and the window's
// size rules (AutoWidth, MaxWidth, KeepLastSize, the screen's right edge).
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QListWidget>
#include <QScreen>
#include <QStyle>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/completion/AdvMemoCompletion.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/editor/CompletionItemPainter.h"
#include "ui/editor/CompletionListWindow.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::ui {
namespace {

using editor::TCompletionItem;

// The font the settings describe, built here on its own: the face by name, the pixel size.
QFont PlainFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

int Advance(const QFont& font, const char* text) {
    return QFontMetrics(font).horizontalAdvance(QString::fromUtf8(text));
}

const std::vector<std::string> kEntries = {
    "procedure ShowMessage(const Msg: string);",
    "function MessageDlg(const Msg: string): Integer;",
    "Plain",
};

TEST(CompletionItemPainterTest, ItemFontIsTheNamedFaceAtTheCharacterHeight) {
    testing::UiTestApp();
    editor::TAutoCompletion settings;
    const QFont font = CompletionItemPainter::ItemFont(settings);
    EXPECT_EQ(font.family(), "MS Sans Serif");
    EXPECT_EQ(font.pixelSize(), 11);
    // A positive height is the whole cell: the characters shrink until it fits.
    settings.FontHeight = 20;
    const QFont cell = CompletionItemPainter::ItemFont(settings);
    EXPECT_LE(QFontMetrics(cell).height(), 20);
    EXPECT_LT(cell.pixelSize(), 20);
    EXPECT_GT(cell.pixelSize(), 10);
}

TEST(CompletionItemPainterTest, ItemHeightIsTheSampleHeightPlusOneAndAtLeastSixteen) {
    testing::UiTestApp();
    for (const int pixels : {11, 30, 48}) {
        editor::TAutoCompletion settings;
        settings.FontHeight = -pixels;
        const CompletionItemPainter items(settings, kEntries);
        const int sample = QFontMetrics(PlainFont(pixels)).size(Qt::TextSingleLine, "h_").height();
        EXPECT_EQ(items.ItemHeight(), std::max(16, sample + 1)) << pixels;
    }
    // The small default font gives the minimum; the large ones grow past it.
    editor::TAutoCompletion large;
    large.FontHeight = -30;
    EXPECT_GT(CompletionItemPainter(large, kEntries).ItemHeight(), 16);
}

TEST(CompletionItemPainterTest, WidthsAddTheKindColumnTheBoldNameAndTheRest) {
    testing::UiTestApp();
    editor::TAutoCompletion settings;
    const QFont normal = PlainFont(11);
    const QFont bold = PlainFont(11, true);
    const int column = std::max(Advance(normal, "procedure "), Advance(normal, "function "));
    struct Case {
        std::string Entry;
        int Expected;
    };
    const Case cases[] = {
        {kEntries[0],
         column + Advance(bold, "ShowMessage") + Advance(normal, "(const Msg: string);")},
        {kEntries[1],
         column + Advance(bold, "MessageDlg") + Advance(normal, "(const Msg: string): Integer;")},
        // Entries without a kind word still start after the column.
        {"Plain", column + Advance(bold, "Plain")},
        {"Arr[1] x", column + Advance(bold, "Arr") + Advance(normal, "[1] x")},
    };
    const CompletionItemPainter items(settings, kEntries);
    EXPECT_EQ(items.KindColumnWidth(), column);
    int widest = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(items.ItemWidth(c.Entry), c.Expected) << c.Entry;
        if (c.Entry != "Arr[1] x") {
            widest = std::max(widest, c.Expected);
        }
    }
    EXPECT_EQ(items.ListWidth(17), widest + 8 + 17);
    settings.ShowImages = true;
    EXPECT_EQ(CompletionItemPainter(settings, kEntries).ListWidth(17), widest + 8 + 17 + 20);
    // Without any kind word there is no column.
    EXPECT_EQ(CompletionItemPainter(settings, {"ShowMessage"}).KindColumnWidth(), 0);
}

TEST(CompletionItemPainterTest, KindColoursByNumberAndNoneOutsideTheKinds) {
    const editor::TAutoCompletion settings;
    const QColor expected[] = {QColor(0, 128, 128), QColor(0, 0, 255), QColor(0, 128, 128),
                               QColor(255, 0, 0),   QColor(0, 0, 128), QColor(0, 0, 128),
                               QColor(0, 0, 128)};
    for (int kind = 0; kind < 7; ++kind) {
        EXPECT_EQ(CompletionItemPainter::KindColour(settings, kind), expected[kind]) << kind;
    }
    for (const int kind : {-1, 7, 1000}) {
        EXPECT_FALSE(CompletionItemPainter::KindColour(settings, kind).has_value()) << kind;
    }
}

// The window with the editor's aids, filled by the list event with entries of the test's.
class CompletionListSizeTest : public ::testing::Test {
  protected:
    CompletionListSizeTest() : styler(editor::CreateAdvPascalMemoStyler1()), list(aids(), &pane) {
        pane.Memo().SetSyntaxStyles(styler.get());
        aids().OnListChanged = [this] { list.Follow(); };
        aids().OnHintChanged = nullptr;
        pane.resize(400, 200);
        pane.move(0, 0);
        pane.show();
    }
    ~CompletionListSizeTest() override { pane.Memo().SetSyntaxStyles(nullptr); }
    editor::TAdvMemoCompletion& aids() { return pane.Memo().Completion(); }
    void Offer(std::vector<TCompletionItem> items) {
        aids().OnGetAutoCompletionList =
            [items](const std::string&, std::vector<TCompletionItem>& list) { list = items; };
    }
    int ScrollBar() const {
        return list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list.List());
    }
    int Expected(const std::vector<std::string>& entries) {
        return CompletionItemPainter(aids().AutoCompletion, entries).ListWidth(ScrollBar());
    }

    QApplication& app = testing::UiTestApp();
    std::unique_ptr<editor::TAdvPascalMemoStyler> styler;
    TAdvMemoWidget pane;
    CompletionListWindow list;
};

TEST_F(CompletionListSizeTest, OpensAtTheItemsWidthAndTheSettingsHeight) {
    Offer({{kEntries[0], editor::ckProcedure}, {kEntries[2], editor::ckIdentifier}});
    aids().OpenByKey();
    ASSERT_TRUE(list.isVisible());
    const QFont normal = PlainFont(11);
    const int widest = Advance(normal, "procedure ") + Advance(PlainFont(11, true), "ShowMessage") +
                       Advance(normal, "(const Msg: string);");
    EXPECT_EQ(list.width(), widest + 8 + ScrollBar());
    EXPECT_EQ(list.height(), 100);
    EXPECT_EQ(list.List()->font().pixelSize(), 11);
    EXPECT_EQ(list.List()->sizeHintForRow(0), list.Items().ItemHeight());
    aids().ListCharacter(editor::TAdvMemoCompletion::kEscape);

    // MaxWidth bounds the fitted width; without AutoWidth the window is Width wide.
    aids().AutoCompletion.MaxWidth = 90;
    aids().OpenByKey();
    EXPECT_EQ(list.width(), 90);
    aids().ListCharacter(editor::TAdvMemoCompletion::kEscape);
    aids().AutoCompletion.AutoWidth = false;
    aids().AutoCompletion.Height = 130;
    aids().OpenByKey();
    EXPECT_EQ(list.size(), QSize(200, 130));
}

TEST_F(CompletionListSizeTest, ClosingKeepsTheSizeOnlyWithKeepLastSize) {
    Offer({{kEntries[0], editor::ckProcedure}});
    for (const bool keep : {false, true}) {
        aids().AutoCompletion = editor::TAutoCompletion{};
        aids().AutoCompletion.KeepLastSize = keep;
        aids().OpenByKey();
        ASSERT_TRUE(list.isVisible());
        const int fitted = list.width();
        list.resize(fitted + 37, 140);  // the user drags the frame
        aids().ListCharacter(editor::TAdvMemoCompletion::kEscape);
        ASSERT_FALSE(list.isVisible());
        EXPECT_EQ(aids().AutoCompletion.AutoWidth, !keep);
        aids().OpenByKey();
        EXPECT_EQ(list.size(), keep ? QSize(fitted + 37, 140) : QSize(fitted, 100)) << keep;
        aids().ListCharacter(editor::TAdvMemoCompletion::kEscape);
    }
}

TEST_F(CompletionListSizeTest, RefilteringRefitsTheWidthOnlyWithASizableFrame) {
    Offer({{kEntries[1], editor::ckFunction}, {"Short", editor::ckIdentifier}});
    for (const bool sizable : {true, false}) {
        aids().AutoCompletion.SizeDropDown = sizable;
        pane.Memo().Lines().Put(0, "");
        pane.Memo().SetCaretColumn(0);
        aids().OpenByKey();
        const int both = list.width();
        aids().ListCharacter(U'S');  // only "Short" is left
        ASSERT_EQ(list.List()->count(), 1);
        EXPECT_EQ(list.width(), sizable ? Expected({"Short"}) : both) << sizable;
        EXPECT_LT(Expected({"Short"}), both);
        aids().ListCharacter(editor::TAdvMemoCompletion::kEscape);
    }
}

TEST_F(CompletionListSizeTest, ListNeverPassesTheScreensRightEdge) {
    Offer({{kEntries[0], editor::ckProcedure}});
    const QRect screen = pane.screen()->geometry();
    pane.move(screen.right() - 120, 0);
    QApplication::processEvents();
    aids().OpenByKey();
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(list.geometry().left() + list.width(), screen.left() + screen.width());
}

// Whether some pixel of rect in image is close to colour.
bool Shows(const QImage& image, const QRect& rect, const QColor& colour) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <
                90) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(CompletionListSizeTest, PicturesAndKindWordsInTheKindsColours) {
    // An event (red), and a kind number no colour exists for: drawn, in the text colour.
    Offer({{"event OnClick", editor::ckEvent}, {"event OnOther", 42}});
    aids().AutoCompletion.ShowImages = true;
    aids().OpenByKey();
    ASSERT_TRUE(list.isVisible());
    list.List()->setCurrentRow(-1);  // no selection colours over the items
    QApplication::processEvents();
    const QImage image = list.List()->viewport()->grab().toImage();
    const QRect first = list.List()->visualItemRect(list.List()->item(0));
    const QRect second = list.List()->visualItemRect(list.List()->item(1));
    const int column = list.Items().KindColumnWidth();
    const QColor red(255, 0, 0);
    // The picture's corner, clear of its letter.
    const int pictureTop = first.top() + (first.height() - 14) / 2;
    EXPECT_EQ(image.pixelColor(3, pictureTop + 1), red);
    // The kind word after the picture column.
    EXPECT_TRUE(Shows(image, QRect(22, first.top(), column - 2, first.height()), red));
    EXPECT_FALSE(Shows(image, QRect(22, second.top(), column - 2, second.height()), red));
    EXPECT_EQ(list.width(), Expected({"event OnClick", "event OnOther"}));
}

}  // namespace
}  // namespace tarnwick::ui
