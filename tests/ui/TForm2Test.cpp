// The About box: its controls, the version line, the link through the installed shell, closing.
#include "ui/TForm2.h"

#include <QEnterEvent>
#include <QGuiApplication>
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
#include "ui/UiTestApp.h"

namespace tarnwick::ui {
namespace {

class RecordingShell final : public Shell {
  public:
    void Open(const std::string& target) override { opened.push_back(target); }
    void ShowInFolder(const std::string& path) override { shown.push_back(path); }
    std::vector<std::string> opened;
    std::vector<std::string> shown;
};

class TForm2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::UiTestApp();
        previous_ = Shell::Installed();
        Shell::Install(&shell_);
    }
    void TearDown() override { Shell::Install(previous_); }

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

    RecordingShell shell_;
    Shell* previous_ = nullptr;
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
    EXPECT_EQ(link->geometry(), QRect(80, 152, 145, 17));
    EXPECT_EQ(link->text().toStdString(), kHomePageUrl);
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
        EXPECT_EQ(version->text().toStdString(), std::string("Version ") + AppVersion);
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
    EXPECT_TRUE(shell_.opened.empty());

    Click(link);
    EXPECT_EQ(shell_.opened, (std::vector<std::string>{kHomePageUrl}));
    EXPECT_TRUE(shell_.shown.empty());
    EXPECT_TRUE(form.isVisible());

    Click(link);
    EXPECT_EQ(shell_.opened.size(), 2u);
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
    EXPECT_TRUE(shell_.opened.empty());
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

}  // namespace
}  // namespace tarnwick::ui
