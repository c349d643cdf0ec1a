// Renders the main window after a search over a small sample folder, with a file loaded in the
// editor and the searched word marked, into a PNG (docs/screenshot.png by default); then the
// same window with the row menu opened by a right click on that file's row, Copy Path under
// the pointer, into a second PNG (docs/row-menu.png by default). The menu is a window of its
// own, so it is painted onto the window's image at the place it stands on the screen.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "SampleWindow.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

void MakeSample(const std::filesystem::path& root) {
    Write(root / "notes" / "todo.txt",
          "Buy milk\r\nCheck the parser for the buffer overrun\r\nCall Anna about the buffer\r\n");
    Write(root / "src" / "ring.c",
          "/* A ring buffer of bytes. */\r\n"
          "/* Auteur : Zoé Lefèvre -- tampon circulaire, déjà testé à Genève. */\r\n"
          "#include <stddef.h>\r\n"
          "\r\n"
          "struct ring {\r\n"
          "    unsigned char *buffer;   /* Größe: size */\r\n"
          "    size_t head, tail, size;\r\n"
          "};\r\n"
          "\r\n"
          "// Puts one byte into the buffer; 0 when it is full (naïve, no résumé).\r\n"
          "int ring_put(struct ring *r, unsigned char byte)\r\n"
          "{\r\n"
          "    size_t next = (r->head + 1) % r->size;\r\n"
          "    if (next == r->tail)\r\n"
          "        return 0;\r\n"
          "    r->buffer[r->head] = byte;\r\n"
          "    r->head = next;\r\n"
          "    return 1;\r\n"
          "}\r\n");
    Write(root / "src" / "main.c", "int main(void) { return 0; }\r\n");
    Write(root / "docs" / "design.html", "<p>The buffer grows by doubling.</p>\r\n");
    Write(root / "README.txt", "Sample project.\r\n");
}

// Right-clicks the row of `fileName` as a user does (through the window, so Qt asks for the
// context menu) and returns the menu that opened, or nullptr.
QMenu* OpenRowMenu(tarnwick::ui::TForm1& window, const std::string& fileName) {
    auto* list = window.findChild<QTableView*>("ListView1");
    for (int row = 0; row < window.Results().rowCount(); ++row) {
        if (window.Results().Row(row).Name != fileName) {
            continue;
        }
        const QRect cell = list->visualRect(window.Results().index(row, 0));
        const QPoint at = list->viewport()->mapTo(&window, cell.center() + QPoint(30, 0));
        QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, at);
        auto* menu = window.findChild<QMenu*>("ListView1Menu");
        if (menu == nullptr || !tarnwick::screenshot::WaitFor([&] { return menu->isVisible(); })) {
            return nullptr;
        }
        return menu;
    }
    return nullptr;
}

// The menu with Copy Path under the pointer, over the window.
bool SaveWithMenu(QWidget& window, QMenu& menu, const QString& output) {
    if (auto* copyPath = menu.findChild<QAction*>("RowCopyPath")) {
        menu.setActiveAction(copyPath);
    }
    return tarnwick::screenshot::SaveWithPopup(window, &menu, true, output);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshot.png");
    const QString menuOutput =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("docs/row-menu.png");
    const auto root = std::filesystem::temp_directory_path() / "tarnwick-sample";
    std::filesystem::remove_all(root);
    MakeSample(root);

    const auto window = tarnwick::screenshot::OpenMainWindow(root);
    if (!tarnwick::screenshot::SearchAndOpen(*window, "ComboBox2", QStringLiteral("buffer"),
                                             "ring.c")) {
        return 1;
    }
    QCoreApplication::processEvents();
    if (!window->grab().save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(output));

    QMenu* menu = OpenRowMenu(*window, "ring.c");
    if (menu == nullptr) {
        std::fprintf(stderr, "the row menu did not open\n");
        return 1;
    }
    if (!SaveWithMenu(*window, *menu, menuOutput)) {
        return 1;
    }
    menu->hide();
    std::filesystem::remove_all(root);
    return 0;
}
