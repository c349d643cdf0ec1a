// The editor host widget: a real rendered image (keyword on yellow, gutter, margin line), the
// scroll bars following the painter's state, track clicks, dragging, the wheel and resizing.
#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

#include "editor/highlight/AdvPascalMemoStyler.h"
#include "support/FakeTimer.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::ui {
namespace {

// Collects the regions of the paint events a widget receives.
class PaintRegions final : public QObject {
  public:
    explicit PaintRegions(QWidget* widget) : fWidget(widget) { widget->installEventFilter(this); }
    ~PaintRegions() override { fWidget->removeEventFilter(this); }
    QRegion Painted;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == fWidget && event->type() == QEvent::Paint) {
            Painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

  private:
    QWidget* fWidget;
};

class AdvMemoWidgetTest : public ::testing::Test {
  protected:
    AdvMemoWidgetTest() : styler(editor::CreateAdvPascalMemoStyler1()) {
        testing::UiTestApp();
        Build(nullptr);
    }
    // A new widget in place of the current one, blinking on blinkTimer (a Qt timer when null).
    void Build(std::unique_ptr<platform::ITimer> blinkTimer) {
        if (widget) {
            widget->Memo().SetSyntaxStyles(nullptr);
            widget.reset();
        }
        widget = std::make_unique<TAdvMemoWidget>(nullptr, std::move(blinkTimer));
        widget->Memo().SetSyntaxStyles(styler.get());
        styler->AllStyles().Items(0).SetKeyWords(editor::TStringList{"foo"});
        widget->Memo().Lines().Clear();  // a new editor holds one empty line
        widget->resize(420, 240);
        widget->show();
        QApplication::processEvents();
    }
    ~AdvMemoWidgetTest() override {
        widget->Memo().SetSyntaxStyles(nullptr);
        widget.reset();
    }
    void AddLines(int count) {
        for (int i = 0; i < count; ++i) {
            widget->Memo().Lines().Add("line " + std::to_string(i));
        }
        QApplication::processEvents();
    }
    void Wheel(int delta) {
        const QPointF at(100, 50);
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget.get(), &event);
        QApplication::processEvents();
    }
    static QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

    std::unique_ptr<editor::TAdvPascalMemoStyler> styler;
    std::unique_ptr<TAdvMemoWidget> widget;
};

TEST_F(AdvMemoWidgetTest, KeepsItsNameAndMeasuresTheFixedFont) {
    EXPECT_EQ(widget->objectName(), "AdvMemo1");
    EXPECT_GT(widget->Memo().View().CharWidth(), 0);
    EXPECT_GT(widget->Memo().View().LineHeight(), 1);
    EXPECT_EQ(widget->Memo().VisibleRows(), widget->Memo().View().VisibleRows());
    EXPECT_GT(widget->Memo().VisibleRows(), 0);
}

TEST_F(AdvMemoWidgetTest, RenderedImageShowsKeywordGutterAndMargin) {
    widget->Memo().Settings().RightMargin = 12;
    widget->Memo().Lines().Add("x foo bar");
    widget->Memo().Lines().Add("aaaaaaaaaaaaaaaaaaaa");
    QApplication::processEvents();
    const QImage image = widget->grab().toImage();
    ASSERT_EQ(image.width(), widget->width());
    const auto& view = widget->Memo().View();
    const auto cell = view.CellRect(2, 0);
    // The bottom pixel row of the keyword's cells holds no glyph: the yellow background.
    for (int c = 2; c < 5; ++c) {
        const auto r = view.CellRect(c, 0);
        EXPECT_EQ(image.pixel(r.Left, r.Bottom - 1), Rgb(255, 255, 0)) << c;
    }
    EXPECT_EQ(image.pixel(cell.Left - 1, cell.Bottom - 1), Rgb(255, 255, 255));
    // Gutter: its left end in the button colour, its grey border line at the right.
    const auto gutter = view.GutterRect();
    const QColor button = widget->palette().color(QPalette::Button);
    EXPECT_EQ(image.pixel(gutter.Left, gutter.Bottom - 2), button.rgb());
    EXPECT_EQ(image.pixel(gutter.Right - 1, gutter.Top + 5), Rgb(128, 128, 128));
    // The margin line over the second line's text cells and over the empty area's rows.
    const int marginX = view.TextAreaRect().Left + view.RightMarginX();
    const auto row1 = view.CellRect(0, 1);
    EXPECT_EQ(image.pixel(marginX, row1.Bottom - 1), Rgb(226, 226, 226));
    EXPECT_EQ(image.pixel(marginX + 1, row1.Bottom - 1), Rgb(226, 226, 226));
    // The outer border is grey.
    EXPECT_EQ(image.pixel(0, 0), Rgb(128, 128, 128));
    EXPECT_EQ(image.pixel(widget->width() - 1, widget->height() - 1), Rgb(128, 128, 128));
}

// Whether cell c of row 0 looks the same in both images, and how many dark pixels it holds.
struct CellLook {
    bool same = true;
    int ink = 0;
};

CellLook CompareCell(const QImage& a, const QImage& b, const platform::SurfaceRect& cell) {
    CellLook look;
    for (int y = cell.Top; y < cell.Bottom; ++y) {
        for (int x = cell.Left; x < cell.Right; ++x) {
            look.same = look.same && a.pixel(x, y) == b.pixel(x, y);
            look.ink += qGray(a.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return look;
}

TEST_F(AdvMemoWidgetTest, RenderedUtf8LineShowsEachGlyphInItsOwnCell) {
    // a, e-acute, the euro sign, a stray byte 0xE9 (e-acute of the 8-bit code page), Zhe, z.
    const std::vector<std::string> chars = {"a",    "\xC3\xA9", "\xE2\x82\xAC",
                                            "\xE9", "\xD0\x96", "z"};
    std::string line;
    for (const std::string& c : chars) {
        line += c;
    }
    editor::TAdvMemo& memo = widget->Memo();
    memo.Lines().Add(line);
    QApplication::processEvents();
    const QImage full = widget->grab().toImage();
    const auto& view = memo.View();
    std::vector<QImage> alone;
    for (size_t i = 0; i < chars.size(); ++i) {
        // The same character alone, shifted to the same column by spaces.
        memo.Lines().Put(0, std::string(i, ' ') + chars[i]);
        QApplication::processEvents();
        alone.push_back(widget->grab().toImage());
        const CellLook look =
            CompareCell(full, alone.back(), view.CellRect(static_cast<int>(i), 0));
        EXPECT_TRUE(look.same) << "cell " << i;
        EXPECT_GT(look.ink, 0) << "cell " << i;
    }
    // The stray byte looks exactly like the UTF-8 e-acute in the same cell.
    memo.Lines().Put(0, "   \xC3\xA9");
    QApplication::processEvents();
    EXPECT_TRUE(CompareCell(alone[3], widget->grab().toImage(), view.CellRect(3, 0)).same);
}

TEST_F(AdvMemoWidgetTest, ZeroWidthCharactersKeepTheTextAfterThemInItsCells) {
    // A line starting with a byte order mark, and one with a zero-width space: the characters
    // after them look exactly as the same characters shifted by a space.
    editor::TAdvMemo& memo = widget->Memo();
    const auto& view = memo.View();
    memo.Lines().Add("");
    for (const char* zeroWidth : {"\xEF\xBB\xBF", "\xE2\x80\x8B"}) {
        memo.Lines().Put(0, std::string(zeroWidth) + "WxW");
        QApplication::processEvents();
        const QImage image = widget->grab().toImage();
        memo.Lines().Put(0, " WxW");
        QApplication::processEvents();
        const QImage shifted = widget->grab().toImage();
        for (int c = 1; c <= 3; ++c) {
            const CellLook look = CompareCell(image, shifted, view.CellRect(c, 0));
            EXPECT_TRUE(look.same) << "cell " << c << " after " << zeroWidth;
            EXPECT_GT(look.ink, 0) << "cell " << c << " after " << zeroWidth;
        }
    }
}

TEST_F(AdvMemoWidgetTest, AGlyphWiderThanItsCellIsCutAtTheCellsEdges) {
    editor::TAdvMemo& memo = widget->Memo();
    memo.Lines().Add(" ");
    QApplication::processEvents();
    const QImage blank = widget->grab().toImage();
    // The quadruple integral (drawn wider than a cell by the fonts scripts/setup installs) and
    // a triple integral between two spaces: the neighbours stay blank, the cell shows ink.
    for (const char* wide : {"\xE2\xA8\x8C", "\xE2\x88\xAD"}) {
        memo.Lines().Put(0, std::string(" ") + wide + " ");
        QApplication::processEvents();
        const QImage image = widget->grab().toImage();
        EXPECT_TRUE(CompareCell(image, blank, memo.View().CellRect(0, 0)).same) << wide;
        EXPECT_TRUE(CompareCell(image, blank, memo.View().CellRect(2, 0)).same) << wide;
        EXPECT_GT(CompareCell(image, blank, memo.View().CellRect(1, 0)).ink, 0) << wide;
    }
}

TEST_F(AdvMemoWidgetTest, BarsFollowTheScrollStateAfterLoadingAndWheelSteps) {
    QScrollBar* bar = widget->VerticalScrollBar();
    EXPECT_FALSE(bar->isVisible());
    AddLines(1000);
    ASSERT_TRUE(bar->isVisible());
    const int rows = widget->Memo().View().VisibleRows();
    EXPECT_EQ(bar->maximum(), 999);
    EXPECT_EQ(bar->pageStep(), rows);
    EXPECT_FALSE(widget->HorizontalScrollBar()->isVisible());
    // The bar stands right of the text area.
    EXPECT_EQ(bar->geometry().left(), widget->Memo().View().TextAreaRect().Right);

    Wheel(-240);  // two notches down
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), 8);
    EXPECT_EQ(bar->value(), 8);
    Wheel(-60);  // half a notch: nothing yet
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), 8);
    Wheel(-60);
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), 12);
    Wheel(120);
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), 8);
}

TEST_F(AdvMemoWidgetTest, TrackClicksAndDraggingMoveTheView) {
    AddLines(1000);
    QScrollBar* bar = widget->VerticalScrollBar();
    const int rows = widget->Memo().View().VisibleRows();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), rows + 1);
    EXPECT_EQ(bar->value(), rows + 1);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), rows);
    // Dragging the thumb: the per-line start states passed over are dropped.
    widget->Memo().StartStateOfLine(300);
    ASSERT_NE(widget->Memo().Lines().LineProp(200), nullptr);
    ASSERT_TRUE(widget->Memo().Lines().LineProp(200)->StartStateValid);
    bar->setSliderDown(true);
    bar->setSliderPosition(500);
    bar->setSliderDown(false);
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), 500);
    EXPECT_FALSE(widget->Memo().Lines().LineProp(200)->StartStateValid);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(widget->Memo().FirstVisibleLine(), 999);
}

TEST_F(AdvMemoWidgetTest, ResizeKeepsTheCellCountsAndLongLinesBringTheHorizontalBar) {
    widget->Memo().Lines().Add(std::string(300, 'w'));
    QApplication::processEvents();
    EXPECT_TRUE(widget->HorizontalScrollBar()->isVisible());
    const int rowsBefore = widget->Memo().VisibleRows();
    widget->resize(620, 400);
    QApplication::processEvents();
    EXPECT_GT(widget->Memo().VisibleRows(), rowsBefore);
    EXPECT_EQ(widget->Memo().VisibleRows(), widget->Memo().View().VisibleRows());
    EXPECT_EQ(widget->Memo().VisibleColumns(), widget->Memo().View().VisibleColumns());
    widget->HorizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(widget->Memo().FirstVisibleColumn(), 1);
    // Emptying the list hides the bar again and returns the view to column 0.
    widget->Memo().Lines().Clear();
    QApplication::processEvents();
    EXPECT_FALSE(widget->HorizontalScrollBar()->isVisible());
    EXPECT_EQ(widget->Memo().FirstVisibleColumn(), 0);
}

TEST_F(AdvMemoWidgetTest, HiddenCaretIsNeverDrawnWithFocusClicksOrKeys) {
    AddLines(3);
    auto& memo = widget->Memo();
    const auto cell = memo.View().CellRect(2, 1);
    const QPoint click((cell.Left + cell.Right) / 2 - 1, (cell.Top + cell.Bottom) / 2);
    for (const bool hidden : {false, true}) {
        memo.EditSettings().HiddenCaret = hidden;
        widget->clearFocus();
        QTest::mouseClick(widget.get(), Qt::LeftButton, {}, click);
        QTest::keyClick(widget.get(), Qt::Key_End);
        QTest::keyClick(widget.get(), Qt::Key_Home);
        ASSERT_TRUE(QTest::qWaitFor([&] { return widget->hasFocus(); }));
        EXPECT_EQ(widget->CaretDrawn(), !hidden) << (hidden ? "hidden" : "shown");
        // The caret inverts the white background at the start of the caret line.
        const auto caret = memo.CaretRect();
        const QImage image = widget->grab().toImage();
        EXPECT_EQ(image.pixel(caret.Left, caret.Bottom - 1),
                  hidden ? Rgb(255, 255, 255) : Rgb(0, 0, 0))
            << (hidden ? "hidden" : "shown");
    }
}

TEST_F(AdvMemoWidgetTest, CaretBlinksRepaintTheCaretCellOnlyAndNothingWhenTheCaretIsHidden) {
    // The blink's timer is driven by the test; it fires as often as the test says.
    auto timer = std::make_unique<testing::FakeTimer>();
    testing::FakeTimer* blink = timer.get();
    Build(std::move(timer));
    AddLines(3);
    auto& memo = widget->Memo();
    const int flash = QApplication::cursorFlashTime();
    ASSERT_GT(flash, 1) << "the platform flashes the caret";
    for (const bool hidden : {false, true}) {
        memo.EditSettings().HiddenCaret = hidden;
        widget->setFocus();
        QTest::keyClick(widget.get(), Qt::Key_End);
        ASSERT_TRUE(QTest::qWaitFor([&] { return widget->hasFocus(); }));
        QApplication::processEvents();
        PaintRegions regions(widget.get());
        for (int tick = 0; tick < 6; ++tick) {
            ASSERT_TRUE(blink->Active()) << hidden << " tick " << tick;
            EXPECT_EQ(blink->Remaining(), flash / 2) << hidden << " tick " << tick;
            blink->Elapse(blink->Remaining());
        }
        QApplication::processEvents();
        const auto c = memo.CaretRect();
        const QRect caret(c.Left, c.Top, c.Width(), c.Height());
        if (hidden) {
            EXPECT_TRUE(regions.Painted.isEmpty()) << "a hidden caret repaints nothing";
        } else {
            EXPECT_FALSE(regions.Painted.isEmpty());
            EXPECT_EQ(regions.Painted.boundingRect(), caret);
        }
    }
}

TEST_F(AdvMemoWidgetTest, BlockMatchChangesRepaintOnlyTheRowsOfTheMatchedWords) {
    editor::TAdvMemo& memo = widget->Memo();
    // Without the focus no caret blinks, so only the editor's own invalidations paint.
    widget->clearFocus();
    for (const char* line : {"begin", "x;", "foo;", "y", "z"}) {
        memo.Lines().Add(line);
    }
    memo.SetCaretLine(1);
    QApplication::processEvents();
    ASSERT_EQ(memo.BlockMatch().Closing().Line, -1);
    const auto rowRect = [&](int row) {
        const auto cell = widget->Memo().View().CellRect(0, row);
        return QRect(cell.Left, cell.Top, cell.Width(), cell.Height());
    };
    struct Step {
        const char* Name;
        const char* Line2;
        int ExpectedClosing;
    };
    // A closing word appearing below, then disappearing again: each time rows 0 and 2 change.
    for (const Step& step : {Step{"found", "end;", 2}, Step{"cleared", "foo;", -1}}) {
        memo.Lines().Put(2, step.Line2);
        QApplication::processEvents();
        PaintRegions regions(widget.get());
        memo.UpdateBlockMatch();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !regions.Painted.isEmpty(); })) << step.Name;
        EXPECT_EQ(memo.BlockMatch().Closing().Line, step.ExpectedClosing) << step.Name;
        EXPECT_TRUE(regions.Painted.contains(rowRect(0))) << step.Name;
        EXPECT_TRUE(regions.Painted.contains(rowRect(2))) << step.Name;
        for (const int row : {1, 3, 4}) {
            EXPECT_FALSE(regions.Painted.intersects(rowRect(row).adjusted(0, 1, 0, -1)))
                << step.Name << " row " << row;
        }
        EXPECT_FALSE(regions.Painted.contains(widget->rect().center())) << step.Name;
    }
    // A change of the whole view still repaints everything.
    PaintRegions regions(widget.get());
    memo.Invalidate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !regions.Painted.isEmpty(); }));
    EXPECT_TRUE(regions.Painted.contains(widget->rect()));
}

}  // namespace
}  // namespace tarnwick::ui
