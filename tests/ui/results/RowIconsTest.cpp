// Row icons come from the desktop's theme, then from an installed theme that has MIME icons,
// then from the media type's generic icon, and last from our own pictures; the themes here are
// temporary folders, so no installed theme decides the outcome.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include "support/TempTree.h"
#include "ui/results/RowIcons.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::ui {
namespace {

class RowIconsTest : public ::testing::Test {
  protected:
    RowIconsTest()
        : oldPaths(QIcon::themeSearchPaths()),
          oldTheme(QIcon::themeName()),
          icons(QString::fromStdString(tree.path("icons"))) {
        Theme("Desk", {{"16x16/mimetypes/image-x-tarnwickdesk.png", Qt::yellow}});
        Theme("Rich", {{"16x16/mimetypes/text-x-tarnwicktest.png", Qt::red},
                       {"16x16/mimetypes/model-x-generic.png", Qt::green},
                       {"16x16/mimetypes/image-x-tarnwickdesk.png", Qt::magenta},
                       {"16x16/places/folder.png", Qt::blue}});
        Theme("Poor", {{"16x16/apps/tool.png", Qt::cyan}});
        QIcon::setThemeSearchPaths({icons});
        QIcon::setThemeName(QStringLiteral("Desk"));
    }
    ~RowIconsTest() override {
        QIcon::setThemeSearchPaths(oldPaths);
        QIcon::setThemeName(oldTheme);
    }

    // A theme folder with an index and 16 x 16 pictures of one colour each.
    void Theme(const QString& name, std::initializer_list<std::pair<QString, QColor>> files) {
        const QDir root(icons + QLatin1Char('/') + name);
        QDir().mkpath(root.path());
        QStringList folders;
        for (const auto& [file, colour] : files) {
            const QString folder = QFileInfo(file).path();
            folders.append(folder);
            root.mkpath(folder);
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(colour);
            ASSERT_TRUE(image.save(root.filePath(file)));
        }
        folders.removeDuplicates();
        QFile index(root.filePath(QStringLiteral("index.theme")));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        QString text = QStringLiteral("[Icon Theme]\nName=%1\nDirectories=%2\n")
                           .arg(name, folders.join(QLatin1Char(',')));
        for (const QString& folder : folders) {
            text += QStringLiteral("[%1]\nSize=16\nType=Fixed\n").arg(folder);
        }
        index.write(text.toUtf8());
    }
    static QColor Centre(const QIcon& icon) {
        return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
    }

    QApplication& app = testing::UiTestApp();
    testing::TempTree tree;
    QStringList oldPaths;
    QString oldTheme;
    QString icons;
};

TEST_F(RowIconsTest, EachKeyTakesTheFirstSourceThatHasIt) {
    RowIcons rows(QStringList{icons});
    EXPECT_EQ(rows.MimeTheme(), "Rich") << "the theme with MIME icons, not the desktop's";
    const struct {
        const char* key;
        QColor colour;
    } cases[] = {
        {"image-x-tarnwickdesk", Qt::yellow},  // the desktop's theme first
        {"text-x-tarnwicktest", Qt::red},      // missing there: the MIME theme's
        {"model-x-tarnwickother", Qt::green},  // neither has it: the MIME theme's generic
        {"folder", Qt::blue},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Centre(rows.IconFor(c.key)), c.colour) << c.key;
    }
    // Nowhere in any theme: our own picture of the kind of file.
    const QImage audio = rows.IconFor("audio-x-tarnwickother").pixmap(16, 16).toImage();
    EXPECT_FALSE(audio.isNull());
    EXPECT_EQ(audio,
              RowIcons::Bundled(QStringLiteral("audio-x-anything")).pixmap(16, 16).toImage());
}

TEST_F(RowIconsTest, WithoutAnyThemeEveryKindOfFileGetsItsOwnPicture) {
    RowIcons rows(QStringList{});
    EXPECT_EQ(rows.MimeTheme(), "");
    const char* const keys[] = {"folder",           "application-x-tarnwick",  "text-x-tarnwick",
                                "image-x-tarnwick", "audio-x-tarnwick",        "video-x-tarnwick",
                                "application-zip",  "application-x-executable"};
    std::vector<QImage> seen;
    for (const char* key : keys) {
        const QImage image = rows.IconFor(key).pixmap(16, 16).toImage();
        ASSERT_FALSE(image.isNull()) << key;
        for (const QImage& other : seen) {
            EXPECT_NE(image, other) << key << " looks like another kind";
        }
        seen.push_back(image);
    }
    EXPECT_EQ(RowIcons::Bundled(QStringLiteral("text-x-csrc")).pixmap(16, 16).toImage(),
              RowIcons::Bundled(QStringLiteral("text-plain")).pixmap(16, 16).toImage());
    EXPECT_EQ(
        RowIcons::Bundled(QStringLiteral("application-x-compressed-tar")).pixmap(16, 16).toImage(),
        RowIcons::Bundled(QStringLiteral("application-zip")).pixmap(16, 16).toImage());
}

}  // namespace
}  // namespace tarnwick::ui
