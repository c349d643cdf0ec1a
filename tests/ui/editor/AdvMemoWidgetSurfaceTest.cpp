// The QPainter drawing surface on a real image: fills, line pixels as the interface defines
// them, the off-screen image and its copy, clipping, the FixedSys font and the cell grid.
#include <gtest/gtest.h>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "platform/qt/QtDrawingSurface.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::platform {
namespace {

constexpr SurfaceColor kRed = 0x0000FF;
constexpr SurfaceColor kBlue = 0xFF0000;
constexpr SurfaceColor kGreen = 0x00FF00;

class QtSurfaceTest : public ::testing::Test {
  protected:
    QtSurfaceTest() : image(60, 40, QImage::Format_RGB32) {
        testing::UiTestApp();
        image.fill(Qt::black);
    }
    QRgb At(int x, int y) const { return image.pixel(x, y); }
    QImage image;
};

TEST_F(QtSurfaceTest, FillsAndAxisLinesCoverExactlyTheirPixels) {
    {
        QPainter painter(&image);
        QtDrawingSurface surface(&painter);
        surface.FillRect({2, 3, 6, 5}, kRed);
        // Upwards from (10, 20) to (10, 10): rows 11..20, two pixels wide.
        surface.Line(10, 20, 10, 10, kBlue, 2);
        surface.Line(20, 5, 30, 5, kGreen, 1);
    }
    EXPECT_EQ(At(2, 3), qRgb(255, 0, 0));
    EXPECT_EQ(At(5, 4), qRgb(255, 0, 0));
    EXPECT_EQ(At(6, 4), qRgb(0, 0, 0));
    EXPECT_EQ(At(2, 5), qRgb(0, 0, 0));
    EXPECT_EQ(At(10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(At(10, 11), qRgb(0, 0, 255));
    EXPECT_EQ(At(11, 20), qRgb(0, 0, 255));
    EXPECT_EQ(At(12, 15), qRgb(0, 0, 0));
    EXPECT_EQ(At(20, 5), qRgb(0, 255, 0));
    EXPECT_EQ(At(29, 5), qRgb(0, 255, 0));
    EXPECT_EQ(At(30, 5), qRgb(0, 0, 0));
}

TEST_F(QtSurfaceTest, ImageStartsWhiteDrawsInItsOwnCoordinatesAndIsCopiedOnce) {
    {
        QPainter painter(&image);
        QtDrawingSurface surface(&painter);
        surface.BeginImage(10, 4);
        surface.FillRect({0, 0, 3, 4}, kRed);
        surface.FillRect({8, 0, 30, 4}, kGreen);  // cut at the image's edge
        surface.EndImage(20, 30);
        // An image that grows after a smaller one still starts white.
        surface.BeginImage(12, 6);
        surface.EndImage(40, 0);
    }
    EXPECT_EQ(At(20, 30), qRgb(255, 0, 0));
    EXPECT_EQ(At(23, 33), qRgb(255, 255, 255));
    EXPECT_EQ(At(29, 31), qRgb(0, 255, 0));
    EXPECT_EQ(At(30, 31), qRgb(0, 0, 0));
    EXPECT_EQ(At(20, 34), qRgb(0, 0, 0));
    EXPECT_EQ(At(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(At(51, 5), qRgb(255, 255, 255));
    EXPECT_EQ(At(52, 5), qRgb(0, 0, 0));
}

TEST_F(QtSurfaceTest, ClipLimitsWindowDrawingAndEmptyImagesDrawNothing) {
    {
        QPainter painter(&image);
        QtDrawingSurface surface(&painter);
        surface.SetClip({0, 0, 10, 10});
        surface.FillRect({0, 0, 60, 40}, kRed);
        surface.ResetClip();
        surface.BeginImage(0, 5);
        surface.FillRect({0, 0, 60, 40}, kBlue);  // goes nowhere, not onto the window
        surface.EndImage(0, 0);
    }
    EXPECT_EQ(At(9, 9), qRgb(255, 0, 0));
    EXPECT_EQ(At(10, 9), qRgb(0, 0, 0));
    EXPECT_EQ(At(30, 30), qRgb(0, 0, 0));
}

TEST_F(QtSurfaceTest, FixedSysIsTheSystemFixedFontWithEqualCells) {
    const QFont fixed = QtDrawingSurface::ToQFont({SurfaceFont::kFixedSys, 13, kSurfaceBold});
    EXPECT_EQ(fixed.family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    EXPECT_TRUE(fixed.bold());
    // What the editor relies on is that every character takes the same cell width; the font
    // database's fixed-pitch flag differs between font sets, so it is not asked here.
    QtDrawingSurface measure(nullptr);
    measure.SetFont({SurfaceFont::kFixedSys, 13, 0});
    const int cell = measure.TextExtent("W").Width;
    EXPECT_GT(cell, 0);
    for (const char* text : {"i", "m", "l", ".", "0", "_", " "}) {
        EXPECT_EQ(measure.TextExtent(text).Width, cell) << text;
    }
    EXPECT_EQ(measure.TextExtent("WW").Width, 2 * cell);
}

TEST_F(QtSurfaceTest, TextStaysOnTheCallersCellGrid) {
    // Forty characters in cells one pixel wider than the font's own: the last glyph must land
    // in the last cell, not drift left of it.
    QImage wide(400, 30, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QtDrawingSurface measure(nullptr);
    const SurfaceFont font{SurfaceFont::kFixedSys, 13, 0};
    measure.SetFont(font);
    const int cell = measure.TextExtent("W").Width + 1;
    const std::string text = std::string(39, ' ') + "W";
    {
        QPainter painter(&wide);
        QtDrawingSurface surface(&painter);
        surface.SetFont(font);
        surface.TextOut(0, 0, text, 0, cell);
    }
    int leftmostInk = -1;
    for (int x = 0; x < wide.width() && leftmostInk < 0; ++x) {
        for (int y = 0; y < wide.height(); ++y) {
            if (qGray(wide.pixel(x, y)) < 128) {
                leftmostInk = x;
                break;
            }
        }
    }
    ASSERT_GE(leftmostInk, 0);
    EXPECT_GE(leftmostInk, 39 * cell - 1);
    EXPECT_LT(leftmostInk, 40 * cell);
}

TEST_F(QtSurfaceTest, Utf8TextIsDrawnAsItsCharacters) {
    // The surface takes UTF-8: the euro sign and e-acute look as Qt draws them directly.
    const SurfaceFont font{SurfaceFont::kFixedSys, 13, 0};
    QtDrawingSurface measure(nullptr);
    measure.SetFont(font);
    const int cell = measure.TextExtent("W").Width;
    for (auto [byte, unicode] : {std::pair{"\xE2\x82\xAC", u"\u20AC"}, {"\xC3\xA9", u"\u00E9"}}) {
        QImage viaSurface(40, 30, QImage::Format_RGB32);
        QImage direct(40, 30, QImage::Format_RGB32);
        viaSurface.fill(Qt::white);
        direct.fill(Qt::white);
        {
            QPainter painter(&viaSurface);
            QtDrawingSurface surface(&painter);
            surface.SetFont(font);
            surface.TextOut(2, 2, byte, 0, cell);
        }
        {
            QPainter painter(&direct);
            const QFont qfont = QtDrawingSurface::ToQFont(font);
            painter.setFont(qfont);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(2, 2 + QFontMetrics(qfont).ascent()),
                             QString::fromUtf16(unicode));
        }
        int ink = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                ink += qGray(viaSurface.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 0) << byte;
        EXPECT_TRUE(viaSurface == direct) << static_cast<int>(static_cast<unsigned char>(*byte));
    }
}

}  // namespace
}  // namespace tarnwick::platform
