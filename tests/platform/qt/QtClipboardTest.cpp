// The Qt clipboard: plain text goes in and comes out as the same UTF-8 bytes.
#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "platform/qt/QtClipboard.h"
#include "ui/support/UiTestApp.h"

namespace tarnwick::platform {
namespace {

TEST(QtClipboardTest, CarriesUtf8TextBothWays) {
    tarnwick::testing::UiTestApp();
    QtClipboard clipboard;
    const std::string text = "Caf\xC3\xA9 r\xC3\xA9sum\xC3\xA9\r\nna\xC3\xAFve";
    clipboard.SetText(text);
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(text.c_str()));
    QGuiApplication::clipboard()->setText(QStringLiteral("\u00e9t\u00e9"));
    EXPECT_EQ(clipboard.Text(), "\xC3\xA9t\xC3\xA9");
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(clipboard.Text(), "");
}

}  // namespace
}  // namespace tarnwick::platform
