// Timing program of the editor's editing operations on the loaded 100 MiB file. Subcommands
// (each prints CPU seconds of the thread):
//   type PATH        the slowest of kTypes characters typed in the middle of line 700,000
//   delete-all PATH  Select All, then deleting the selection (best of kRepeats)
//   paste PATH       InsertAtCaret of a 10 MB text of 150,000 lines in the middle of the
//                    document, then its undo followed by its redo; prints both (best of each)
#include <cstdio>
#include <string>

#include "EditingWorkload.h"
#include "editor/control/AdvMemo.h"

namespace {

using namespace tarnwick::editor;
using tarnwick::bench::ThreadSeconds;
namespace wl = tarnwick::bench;

constexpr int kScreenColumns = 120;
constexpr int kScreenRows = 60;

void Load(TAdvMemo& memo, const char* path) {
    memo.SetTextAreaCells(kScreenColumns, kScreenRows);
    memo.Lines().LoadFromFile(path);
}

int Type(const char* path) {
    TAdvMemo memo;
    Load(memo, path);
    memo.SetCaretLine(wl::kTypeLine);
    memo.SetCaretColumn(static_cast<int>(memo.Lines().View(wl::kTypeLine).size() / 2));
    const size_t before = memo.Lines().View(wl::kTypeLine).size();
    double slowest = 0;
    for (int i = 0; i < wl::kTypes; ++i) {
        const double start = ThreadSeconds();
        memo.AcceptTypedCharacter(U'x');
        slowest = std::max(slowest, ThreadSeconds() - start);
    }
    if (memo.Lines().View(wl::kTypeLine).size() != before + wl::kTypes) {
        return 1;
    }
    std::printf("%.6f\n", slowest);
    return 0;
}

int DeleteAll(const char* path) {
    double best = 1e9;
    for (int r = 0; r < wl::kRepeats; ++r) {
        TAdvMemo memo;
        Load(memo, path);
        const double start = ThreadSeconds();
        memo.SelectAllText();
        memo.DeleteSelectedText(true);
        best = std::min(best, ThreadSeconds() - start);
        if (memo.Lines().Count() != 1 || !memo.Lines().View(0).empty()) {
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
        TAdvMemo memo;
        Load(memo, path);
        const int count = memo.Lines().Count();
        memo.SetCaretLine(count / 2);
        memo.SetCaretColumn(static_cast<int>(memo.Lines().View(count / 2).size() / 2));
        double start = ThreadSeconds();
        memo.InsertAtCaret(text);
        paste = std::min(paste, ThreadSeconds() - start);
        if (memo.Lines().Count() != count + wl::kPasteLines - 1) {
            return 1;
        }
        start = ThreadSeconds();
        memo.Undo();
        memo.Redo();
        undoRedo = std::min(undoRedo, ThreadSeconds() - start);
        if (memo.Lines().Count() != count + wl::kPasteLines - 1 || memo.CanRedo()) {
            return 1;
        }
    }
    std::printf("%.6f %.6f\n", paste, undoRedo);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const char* path = argc > 2 ? argv[2] : "";
    if (command == "type")
        return Type(path);
    if (command == "delete-all")
        return DeleteAll(path);
    if (command == "paste")
        return Paste(path);
    std::fprintf(stderr, "usage: bench_editor_editing type|delete-all|paste PATH\n");
    return 2;
}
