// The About box: its controls, the version line, the link through the installed shell, closing.
#include "ui/window/TForm2.h"

#include <QEnterEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/AppInfo.h"
#include "platform/Shell.h"
#include "support/RecordingShell.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::ui {
namespace {

using testing::RecordingShell;

class TForm2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::UiTestApp();
        fPrevious = platform::Shell::Installed();
        platform::Shell::Install(&fShell);
    }
    void TearDown() override { platform::Shell::Install(fPrevious); }

    template <typename T>
    T* Child(TForm2& form, const char* name) {
        T* child = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    static void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
        const QPointF inside(widget->width() / 2.0, widget->height() / 2.0);
        const QPointF global = widget->mapToGlobal(inside);
        QMouseEvent press(QEvent::MouseButtonPress, inside, global, button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, inside, global, button, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &release);
    }

    RecordingShell fShell;
    platform::Shell* fPrevious = nullptr;
};

TEST_F(TForm2Test, LaysOutTheControls) {
    TForm2 form;
    EXPECT_EQ(form.objectName(), "Form2");
    EXPECT_EQ(form.windowTitle(), "About");
    EXPECT_EQ(form.size(), QSize(285, 230));
    EXPECT_EQ(form.minimumSize(), QSize(285, 230));
    EXPECT_EQ(form.maximumSize(), QSize(285, 230));
    EXPECT_EQ(form.font().family(), "MS Sans Serif");
    EXPECT_EQ(form.font().pointSize(), 9);

    auto* image = Child<QLabel>(form, "Image1");
    auto* version = Child<QLabel>(form, "Label1");
    auto* link = Child<TLinkLabel>(form, "bsSkinLinkLabel1");
    auto* ok = Child<QPushButton>(form, "Button1");
    ASSERT_TRUE(image && version && link && ok);
    EXPECT_EQ(image->geometry(), QRect(16, 16, 257, 105));
    EXPECT_TRUE(image->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(image->alignment() & Qt::AlignVCenter);
    EXPECT_EQ(version->pos(), QPoint(112, 128));
    EXPECT_EQ(version->text(), "Version 2.0");
    // 80, 152, 145 x 17, widened only as far as the whole address needs.
    EXPECT_EQ(link->y(), 152);
    EXPECT_EQ(link->height(), 17);
    EXPECT_GE(link->width(), 145);
    EXPECT_GE(link->width(), link->sizeHint().width());
    if (link->sizeHint().width() <= 145) {
        EXPECT_EQ(link->geometry(), QRect(80, 152, 145, 17));
    }
    EXPECT_TRUE(QRect(0, 0, 285, 230).contains(link->geometry()));
    EXPECT_EQ(link->text().toStdString(), platform::kHomePageUrl);
    EXPECT_EQ(link->font().family(), "Tahoma");
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(ok->geometry(), QRect(104, 192, 75, 25));
    EXPECT_EQ(ok->text(), "OK");
}

TEST_F(TForm2Test, ShowsTheLogoFromTheResources) {
    TForm2 form;
    const QPixmap logo = Child<QLabel>(form, "Image1")->pixmap();
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(249, 77));
    // The picture has content: not one flat colour.
    const QImage pixels = logo.toImage();
    EXPECT_NE(pixels.pixel(40, 38), pixels.pixel(124, 4));
    // Rounded corners: the outermost corner pixel lets the window show through.
    EXPECT_EQ(qAlpha(pixels.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(pixels.pixel(124, 38)), 255);
}

TEST_F(TForm2Test, VersionLineShowsTheProgramVersionEveryTime) {
    TForm2 form;
    auto* version = Child<QLabel>(form, "Label1");
    ASSERT_NE(version, nullptr);
    for (int showing = 0; showing < 2; ++showing) {
        form.PrepareToShow();
        EXPECT_EQ(version->text(), "Version 2.0.1");
        EXPECT_EQ(version->text().toStdString(), std::string("Version ") + platform::AppVersion);
        EXPECT_GE(version->width(), version->sizeHint().width());  // the whole text is visible
        form.show();
        EXPECT_TRUE(form.isVisible());
        Child<QPushButton>(form, "Button1")->click();
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(TForm2Test, LinkOpensTheHomePageAndTheBoxStaysOpen) {
    TForm2 form;
    form.PrepareToShow();
    form.show();
    auto* link = Child<TLinkLabel>(form, "bsSkinLinkLabel1");
    ASSERT_NE(link, nullptr);

    Click(link, Qt::RightButton);
    EXPECT_TRUE(fShell.opened.empty());

    Click(link);
    EXPECT_EQ(fShell.opened, (std::vector<std::string>{platform::kHomePageUrl}));
    EXPECT_TRUE(fShell.shown.empty());
    EXPECT_TRUE(form.isVisible());

    Click(link);
    EXPECT_EQ(fShell.opened.size(), 2u);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TForm2Test, ReleaseOutsideTheLinkIsNoClick) {
    TForm2 form;
    form.show();
    auto* link = Child<TLinkLabel>(form, "bsSkinLinkLabel1");
    ASSERT_NE(link, nullptr);
    const QPointF inside(5, 5);
    const QPointF outside(link->width() + 20, 5);
    QMouseEvent press(QEvent::MouseButtonPress, inside, link->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(link, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, outside, link->mapToGlobal(outside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(link, &release);
    EXPECT_TRUE(fShell.opened.empty());
}

TEST_F(TForm2Test, LinkTurnsBlueWhileHovered) {
    TForm2 form;
    form.show();
    auto* link = Child<TLinkLabel>(form, "bsSkinLinkLabel1");
    ASSERT_NE(link, nullptr);
    const QColor normal = link->palette().color(QPalette::WindowText);
    EXPECT_NE(normal, QColor(0, 0, 255));

    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), link->mapToGlobal(QPointF(3, 3)));
    QCoreApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->IsHovered());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->IsHovered());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), normal);
}

TEST_F(TForm2Test, ModalShowingEndsWithOk) {
    TForm2 form;
    form.PrepareToShow();
    bool wasModal = false;
    bool wasVisible = false;
    QTimer::singleShot(0, &form, [&] {
        wasModal = QApplication::activeModalWidget() == &form;
        wasVisible = form.isVisible();
        form.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TForm2Test, IsCentredOnTheScreenAndCannotBeResized) {
    TForm2 form;
    form.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offset = form.frameGeometry().center() - screen.center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
    form.resize(600, 500);
    EXPECT_EQ(form.size(), QSize(285, 230));
    EXPECT_FALSE(form.isSizeGripEnabled());
}

// The artwork the windows use, as the program finds it in its resources.
TEST(ArtworkTest, ToolbarImagesAreFortyEightSquareAndDrawn) {
    const char* names[] = {"0-open-folder", "1-open-file", "2-save-as",      "3-copy",
                           "4-cut",         "5-paste",     "6-find-replace", "7-about"};
    for (const char* name : names) {
        const QImage image(QStringLiteral(":/tarnwick/toolbar/%1.png").arg(name));
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.size(), QSize(48, 48)) << name;
        EXPECT_TRUE(image.hasAlphaChannel()) << name;
        int opaque = 0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 48 * 48 / 8) << name;  // a picture, not a blank square
        EXPECT_LT(opaque, 48 * 48) << name;      // on a transparent ground
    }
}

TEST(ArtworkTest, ProgramIconComesInEverySize) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(QStringLiteral(":/tarnwick/icons/tarnwick-%1.png").arg(size));
        ASSERT_FALSE(icon.isNull()) << size;
        EXPECT_EQ(icon.size(), QSize(size, size));
    }
}

TEST(ArtworkTest, LogoGifMatchesItsSource) {
    const QString source = QStringLiteral(TARNWICK_RESOURCES_DIR "/about-logo.png");
    const QImage original(source);
    ASSERT_FALSE(original.isNull()) << source.toStdString();
    const QImage gif =
        QImage(QString::fromLatin1(TForm2::kLogoResource)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(gif.size(), original.size());
    long long difference = 0;
    int compared = 0;
    int worst = 0;
    for (int y = 0; y < gif.height(); ++y) {
        for (int x = 0; x < gif.width(); ++x) {
            const QRgb want = original.pixel(x, y);
            if (qAlpha(want) != 255) {
                continue;  // the rounded corners' edge, blended for the box's background
            }
            const QRgb got = gif.pixel(x, y);
            ASSERT_EQ(qAlpha(got), 255) << x << "," << y;
            const int d = std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
                          std::abs(qBlue(got) - qBlue(want));
            difference += d;
            worst = std::max(worst, d);
            ++compared;
        }
    }
    ASSERT_GT(compared, 249 * 77 * 9 / 10);
    // 255 colours reproduce the picture closely: the encoder lost no pixel on the way.
    EXPECT_LT(static_cast<double>(difference) / compared, 6.0);
    EXPECT_LT(worst, 96);
}

}  // namespace
}  // namespace tarnwick::ui
