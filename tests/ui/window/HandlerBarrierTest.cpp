// The handler barrier: an exception leaving a window slot, a menu action or the editor widget's
// key and mouse handlers is shown as an error and the window goes on working.
#include <QComboBox>
#include <QMessageBox>
#include <QTest>
#include <functional>
#include <stdexcept>

#include <gtest/gtest.h>

#include "ui/editor/AdvMemoWidget.h"
#include "ui/support/MessageBoxAnswerer.h"
#include "ui/support/TForm1Fixture.h"
#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {
namespace {

using testing::FakeDialogs;
using testing::MessageBoxAnswerer;

const QString kCaption = QStringLiteral("tarnwick_ui_tests");

// Raises what it is told to once, then does nothing.
struct OneFailure {
    std::function<void()> raise;
    void operator()() {
        if (raise) {
            std::function<void()> now = std::move(raise);
            raise = nullptr;
            now();
        }
    }
};

// The fixture's dialogs, except that the folder chooser first runs `failure`.
class FailingFolderDialogs final : public UiDialogs {
  public:
    explicit FailingFolderDialogs(FakeDialogs& inner) : fInner(inner) {}
    std::optional<QString> ChooseFolder(QWidget* parent) override {
        failure();
        return fInner.ChooseFolder(parent);
    }
    std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& caption,
                                          const QString& folder, const QString& suffix) override {
        return fInner.ChooseSaveFile(parent, caption, folder, suffix);
    }
    void ShowError(QWidget* parent, const QString& caption, const QString& text) override {
        fInner.ShowError(parent, caption, text);
    }
    EditsAnswer AskAboutEdits(QWidget* parent, const QString& caption,
                              const QString& text) override {
        return fInner.AskAboutEdits(parent, caption, text);
    }
    OneFailure failure;

  private:
    FakeDialogs& fInner;
};

struct RaisedCase {
    const char* name;
    std::function<void()> raise;
    QString shown;  // the error box's text
};

std::vector<RaisedCase> RaisedCases() {
    return {
        {"std::exception", [] { throw std::runtime_error("disk on fire"); }, "disk on fire."},
        {"logic error", [] { throw std::out_of_range("index 7"); }, "index 7."},
        {"not a std::exception", [] { throw 42; }, "Unknown error."},
    };
}

class HandlerBarrierTest : public testing::TForm1Test {};

TEST_F(HandlerBarrierTest, AnErrorFromASlotIsShownAndTheWindowGoesOn) {
    for (const RaisedCase& c : RaisedCases()) {
        dialogs.errors.clear();
        FailingFolderDialogs failing(dialogs);
        MakeWindow(&failing);
        auto* lookIn = Find<QComboBox>("ComboBox3");
        const int other = lookIn->count() - 1;  // "Other..."
        failing.failure.raise = c.raise;
        dialogs.folders = {QString::fromStdString(tree.path("C"))};
        // Through the signal's connection, as the user's choice arrives.
        emit lookIn->activated(other);
        EXPECT_EQ(dialogs.errors, std::vector<QString>{kCaption + ": " + c.shown}) << c.name;
        EXPECT_EQ(dialogs.folderAsks, 0) << c.name;  // the rest of the handler was skipped
        // The same slot works the next time.
        emit lookIn->activated(lookIn->count() - 1);
        EXPECT_EQ(dialogs.folderAsks, 1) << c.name;
        EXPECT_EQ(lookIn->currentText().toStdString(), tree.path("C")) << c.name;
        EXPECT_EQ(dialogs.errors.size(), 1u) << c.name;
        dialogs.folderAsks = 0;
        window.reset();
    }
}

TEST_F(HandlerBarrierTest, AnErrorFromTheEditorsKeyOrMouseHandlersIsShownByTheWindow) {
    ShowActive();
    editor::TAdvMemo& memo = window->Memo().Memo();
    memo.Lines().Clear();
    memo.Lines().Add("alpha beta");
    QApplication::processEvents();
    OneFailure failure;
    const auto onChange = memo.OnChange;
    const auto onSelection = memo.OnSelectionChange;
    memo.OnChange = [&](editor::TAdvCustomMemo& sender) {
        failure();
        onChange(sender);
    };
    memo.OnSelectionChange = [&](editor::TAdvCustomMemo& sender) {
        failure();
        onSelection(sender);
    };
    const QPoint onBeta = [&] {
        const auto cell = memo.View().CellRect(7, 0);
        return QPoint(cell.Left + 1, cell.Top + 1);
    }();
    const struct {
        const char* name;
        std::function<void()> input;
    } inputs[] = {
        {"key press", [&] { QTest::keyClick(&window->Memo(), Qt::Key_X); }},
        {"mouse double click",
         [&] { QTest::mouseDClick(&window->Memo(), Qt::LeftButton, Qt::NoModifier, onBeta); }},
    };
    for (const auto& input : inputs) {
        for (const RaisedCase& c : RaisedCases()) {
            dialogs.errors.clear();
            window->Memo().setFocus();
            failure.raise = c.raise;
            input.input();
            EXPECT_EQ(dialogs.errors, std::vector<QString>{kCaption + ": " + c.shown})
                << input.name << ", " << c.name;
        }
    }
    // The editor and the window keep working.
    dialogs.errors.clear();
    memo.Lines().Clear();
    memo.Lines().Add("");
    memo.SetCaretLine(0);
    memo.SetCaretColumn(0);
    QTest::keyClicks(&window->Memo(), QStringLiteral("ok"));
    EXPECT_EQ(memo.Lines().Get(0), "ok");
    EXPECT_TRUE(window->EditorModified());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST(HandlerBarrierAloneTest, AWidgetOutsideAWindowShowsTheStandardErrorBox) {
    testing::UiTestApp();
    TAdvMemoWidget widget;
    widget.resize(300, 200);
    widget.show();
    widget.setFocus();
    QApplication::processEvents();
    OneFailure failure;
    widget.Memo().OnChange = [&](editor::TAdvCustomMemo&) { failure(); };
    failure.raise = [] { throw std::runtime_error("no window around"); };
    MessageBoxAnswerer box(QMessageBox::Ok);
    QTest::keyClick(&widget, Qt::Key_Q);
    ASSERT_TRUE(box.answered);
    EXPECT_EQ(box.text, "no window around.");
    EXPECT_EQ(box.title, kCaption);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    const std::string before = widget.Memo().Lines().Get(0);
    QTest::keyClick(&widget, Qt::Key_W);
    EXPECT_EQ(widget.Memo().Lines().Get(0), before + "w");
}

TEST(HandlerBarrierAloneTest, RunHandlerSaysWhetherTheHandlerCompleted) {
    testing::UiTestApp();
    struct View final : QWidget, HandlerErrorView {
        void ShowHandlerError(const QString& text) override { shown.push_back(text); }
        std::vector<QString> shown;
    } view;
    QWidget child(&view);
    int steps = 0;
    EXPECT_TRUE(RunHandler(&child, [&] { ++steps; }));
    EXPECT_FALSE(RunHandler(&child, [&] {
        ++steps;
        throw std::runtime_error("second");
    }));
    EXPECT_EQ(steps, 2);
    // An error raised while another one is on screen is not shown on top of it.
    struct Nesting final : QWidget, HandlerErrorView {
        void ShowHandlerError(const QString& text) override {
            shown.push_back(text);
            RunHandler(this, [] { throw std::runtime_error("under the box"); });
        }
        std::vector<QString> shown;
    } nesting;
    EXPECT_FALSE(RunHandler(&nesting, [] { throw std::runtime_error("first"); }));
    EXPECT_EQ(view.shown, std::vector<QString>{"second"});
    EXPECT_EQ(nesting.shown, std::vector<QString>{"first"});
    // And once it is closed, errors show again.
    EXPECT_FALSE(RunHandler(&child, [] { throw std::runtime_error("third"); }));
    EXPECT_EQ(view.shown, (std::vector<QString>{"second", "third"}));
}

}  // namespace
}  // namespace tarnwick::ui
