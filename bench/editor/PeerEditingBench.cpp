// The peer of the editing benchmark: the same operations on QScintilla's document, driven
// through its public API on an offscreen widget, timed the same way (thread CPU seconds).
// Subcommands and output as bench_editor_editing.
#include <QApplication>
#include <QFile>

#include <Qsci/qsciscintilla.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "EditingWorkload.h"

namespace {

using tarnwick::bench::ThreadSeconds;
namespace wl = tarnwick::bench;

std::unique_ptr<QsciScintilla> Load(const char* path) {
    auto editor = std::make_unique<QsciScintilla>();
    editor->resize(1200, 900);
    // The Qt layer's own handling of every change notification costs the peer far more than
    // the edit itself on a large document (about 0.2 s a keystroke here); it is switched off,
    // so the figures compare the editing, not that bookkeeping.
    editor->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0UL);
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
    editor->SendScintilla(QsciScintillaBase::SCI_ALLOCATE,
                          static_cast<unsigned long>(bytes.size()));
    editor->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT,
                          static_cast<unsigned long>(bytes.size()), bytes.constData());
    editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    return editor;
}

long LineCount(QsciScintilla& editor) {
    return editor.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
}

int Type(const char* path) {
    auto editor = Load(path);
    if (!editor) {
        return 1;
    }
    editor->setCursorPosition(wl::kTypeLine, editor->lineLength(wl::kTypeLine) / 2);
    const int before = editor->lineLength(wl::kTypeLine);
    double slowest = 0;
    for (int i = 0; i < wl::kTypes; ++i) {
        const double start = ThreadSeconds();
        editor->SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1UL, "x");
        slowest = std::max(slowest, ThreadSeconds() - start);
    }
    if (editor->lineLength(wl::kTypeLine) != before + wl::kTypes) {
        return 1;
    }
    std::printf("%.6f\n", slowest);
    return 0;
}

int DeleteAll(const char* path) {
    double best = 1e9;
    for (int r = 0; r < wl::kRepeats; ++r) {
        auto editor = Load(path);
        if (!editor) {
            return 1;
        }
        const double start = ThreadSeconds();
        editor->selectAll();
        editor->removeSelectedText();
        best = std::min(best, ThreadSeconds() - start);
        if (editor->length() != 0) {
            return 1;
        }
    }
    std::printf("%.6f\n", best);
    return 0;
}

int Paste(const char* path) {
    const std::string text = wl::PasteText();
    double paste = 1e9;
    double undoRedo = 1e9;
    for (int r = 0; r < wl::kRepeats; ++r) {
        auto editor = Load(path);
        if (!editor) {
            return 1;
        }
        const long count = LineCount(*editor);
        const int line = static_cast<int>(count / 2);
        editor->setCursorPosition(line, editor->lineLength(line) / 2);
        double start = ThreadSeconds();
        editor->SendScintilla(QsciScintillaBase::SCI_ADDTEXT,
                              static_cast<unsigned long>(text.size()), text.data());
        paste = std::min(paste, ThreadSeconds() - start);
        if (LineCount(*editor) != count + wl::kPasteLines - 1) {
            return 1;
        }
        start = ThreadSeconds();
        editor->undo();
        editor->redo();
        undoRedo = std::min(undoRedo, ThreadSeconds() - start);
        if (LineCount(*editor) != count + wl::kPasteLines - 1) {
            return 1;
        }
    }
    std::printf("%.6f %.6f\n", paste, undoRedo);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    const char* path = argc > 2 ? argv[2] : "";
    if (command == "type")
        return Type(path);
    if (command == "delete-all")
        return DeleteAll(path);
    if (command == "paste")
        return Paste(path);
    std::fprintf(stderr, "usage: bench_editor_peer type|delete-all|paste PATH\n");
    return 2;
}
