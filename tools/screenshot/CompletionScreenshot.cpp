// Renders the main window with a small Pascal file open in its editor, once with the completion
// list open (Ctrl+Space on an empty line) and once with the parameter hint of a typed
// "ShowMessage(" shown, into two PNGs (docs/completion-list.png and docs/parameter-hint.png by
// default). The file is found by a real search and opened by clicking its result, and the keys
// go to the editor pane as a user types them. The list and the hint are windows of their own,
// so each is painted onto the window's image at the place it stands on the screen.
#include <QApplication>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "SampleWindow.h"

#include "ui/editor/AdvMemoWidget.h"
#include "ui/editor/CompletionListWindow.h"
#include "ui/editor/ParameterHintWindow.h"

namespace {

constexpr const char* kFileName = "greeting.pas";
// The caret goes to the empty line inside SayHello, column 2: high enough in the editor pane
// for the whole list to stand inside the window.
constexpr int kEmptyLine = 5;

void MakeSample(const std::filesystem::path& root) {
    std::filesystem::create_directories(root);
    std::ofstream(root / kFileName, std::ios::binary)
        << "program Greeting;\r\n"
           "\r\n"
           "procedure SayHello(const Name: string);\r\n"
           "begin\r\n"
           "  ShowMessage('Hello, ' + Name);\r\n"
           "  \r\n"
           "end;\r\n"
           "\r\n"
           "begin\r\n"
           "  SayHello('world');\r\n"
           "end.\r\n";
    std::ofstream(root / "readme.txt", std::ios::binary) << "A greeting in Pascal.\r\n";
}

// The shown top-level window of type T, or nullptr.
template <typename T>
T* Shown() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = dynamic_cast<T*>(w); found != nullptr && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

// Puts the caret at column 2 of the empty line, as the arrow keys would.
void ToEmptyLine(tarnwick::ui::TAdvMemoWidget& pane) {
    QTest::keyClick(&pane, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < kEmptyLine; ++i) {
        QTest::keyClick(&pane, Qt::Key_Down);
    }
    QTest::keyClick(&pane, Qt::Key_End);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString listOutput =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/completion-list.png");
    const QString hintOutput =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("docs/parameter-hint.png");
    const auto root = std::filesystem::temp_directory_path() / "tarnwick-completion-sample";
    std::filesystem::remove_all(root);
    MakeSample(root);

    const auto window = tarnwick::screenshot::OpenMainWindow(root);
    if (!tarnwick::screenshot::SearchAndOpen(*window, "ComboBox1", QStringLiteral("greeting"),
                                             kFileName)) {
        return 1;
    }
    tarnwick::ui::TAdvMemoWidget& pane = window->Memo();

    pane.setFocus();
    ToEmptyLine(pane);
    QTest::keyClick(&pane, Qt::Key_Space, Qt::ControlModifier);
    if (!tarnwick::screenshot::SaveWithPopup(*window, Shown<tarnwick::ui::CompletionListWindow>(),
                                             true, listOutput)) {
        return 1;
    }
    QTest::keyClick(Shown<tarnwick::ui::CompletionListWindow>()->List(), Qt::Key_Escape);

    pane.setFocus();
    ToEmptyLine(pane);
    QTest::keyClicks(&pane, QStringLiteral("ShowMessage("));
    if (!tarnwick::screenshot::SaveWithPopup(*window, Shown<tarnwick::ui::ParameterHintWindow>(),
                                             false, hintOutput)) {
        return 1;
    }
    std::filesystem::remove_all(root);
    return 0;
}
