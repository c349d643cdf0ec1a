// Renders the editor pane with its completion list open after "Show", and with the parameter
// hint of "MessageDlg('a'," shown, into two PNGs (docs/completion-list.png and
// docs/parameter-hint.png by default). The list and the hint are windows of their own, so each
// is painted onto the pane's image at the place it stands on the screen.
#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <memory>

#include "editor/AdvMemoCompletion.h"
#include "editor/AdvPascalMemoStyler.h"
#include "ui/AdvMemoWidget.h"

namespace {

bool Save(tarnwick::TAdvMemoWidget& pane, QWidget& popup, const QString& output) {
    QCoreApplication::processEvents();
    QPixmap image = pane.grab();
    QPainter painter(&image);
    painter.drawPixmap(pane.mapFromGlobal(popup.pos()), popup.grab());
    painter.end();
    if (!popup.isVisible() || !image.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(output));
    return true;
}

void Type(tarnwick::editor::TAdvMemo& memo, const std::string& text) {
    for (char c : text) {
        memo.TypeCharacter(static_cast<unsigned char>(c));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString list =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/completion-list.png");
    const QString hint =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("docs/parameter-hint.png");
    auto styler = tarnwick::editor::CreateAdvPascalMemoStyler1();
    tarnwick::TAdvMemoWidget pane;
    tarnwick::editor::TAdvMemo& memo = pane.Memo();
    memo.SetSyntaxStyles(styler.get());
    pane.resize(480, 200);
    pane.show();
    memo.Lines().Clear();
    memo.Lines().Add("begin");
    memo.Lines().Add("  ");
    memo.Lines().Add("end;");
    memo.SetCaretLine(1);
    memo.SetCaretColumn(2);
    Type(memo, "Show");
    memo.Completion().OpenByKey();
    QWidget* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &pane && w->isVisible()) {
            shown = w;
        }
    }
    if (shown == nullptr || !Save(pane, *shown, list)) {
        return 1;
    }
    memo.Completion().ListCharacter(tarnwick::editor::TAdvMemoCompletion::kEscape);
    memo.Lines().Put(1, "  ");
    memo.SetCaretColumn(2);
    Type(memo, "MessageDlg('a',");
    shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &pane && w->isVisible()) {
            shown = w;
        }
    }
    if (shown == nullptr || !Save(pane, *shown, hint)) {
        return 1;
    }
    return 0;
}
