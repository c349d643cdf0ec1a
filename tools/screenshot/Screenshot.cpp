// Renders the main window after a search over a small sample folder, with a file loaded in the
// editor and the searched word marked, into a PNG (docs/screenshot.png by default).
#include <QApplication>

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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshot.png");
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
    std::filesystem::remove_all(root);
    std::printf("wrote %s\n", qPrintable(output));
    return 0;
}
