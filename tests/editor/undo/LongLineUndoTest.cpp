// Undo and redo of edits within a long line, whose steps keep only the changed bytes, must do
// exactly what the whole-line steps of a short line do: each scenario runs on a short line and
// on the same line behind a long front, and the texts must agree at every stage.
#include <gmock/gmock.h>

#include <functional>

#include "editor/support/EditingTestSupport.h"

namespace tarnwick::editor::test {
namespace {

class LongLineUndo : public EditingTest {
  protected:
    struct Stages {
        std::vector<std::string> edited, undone, redone;
    };

    // Runs edit on the document (front put before every line, columns moved by its length),
    // then undoes and redoes everything; the stages come back with every front taken out.
    Stages Run(const std::string& front, const std::vector<std::string>& lines,
               const std::function<void(int)>& edit) {
        std::vector<std::string> document;
        for (const std::string& line : lines) {
            document.push_back(front + line);
        }
        SetText(document);
        edit(static_cast<int>(front.size()));
        Stages stages;
        stages.edited = WithoutFront(front);
        while (memo.CanUndo()) {
            memo.Undo();
        }
        stages.undone = WithoutFront(front);
        while (memo.CanRedo()) {
            memo.Redo();
        }
        stages.redone = WithoutFront(front);
        return stages;
    }

    std::vector<std::string> WithoutFront(const std::string& front) {
        std::vector<std::string> lines = Text();
        for (std::string& line : lines) {
            if (line.compare(0, front.size(), front) != 0) {
                line.insert(0, "<front lost>");
            }
            // Joined lines hold the second line's front too.
            for (size_t at = line.find(front); !front.empty() && at != std::string::npos;
                 at = line.find(front, at)) {
                line.erase(at, front.size());
            }
        }
        return lines;
    }
};

TEST_F(LongLineUndo, EditsInALongLineUndoAndRedoLikeTheSameEditsInAShortLine) {
    struct Scenario {
        const char* name;
        std::vector<std::string> lines;
        bool trim;
        std::function<void(LongLineUndo&, int)> edit;
    };
    const std::vector<Scenario> scenarios = {
        {"typing then backspacing",
         {"hello world", "next"},
         false,
         [](LongLineUndo& t, int f) {
             t.Caret(f + 5, 0);
             t.Type(",xyz");
             t.Backspace();
             t.Backspace();
             t.Type("\xC3\xA9!");
         }},
        {"typing beyond the end pads",
         {"short", "x"},
         false,
         [](LongLineUndo& t, int f) {
             t.Caret(f + 9, 0);
             t.Type("ab");
         }},
        {"trailing spaces trimmed on leaving",
         {"code", "more"},
         true,
         [](LongLineUndo& t, int f) {
             t.Caret(f + 4, 0);
             t.Type("x  ");
             t.Caret(0, 1);
             t.Caret(f + 2, 0);
             t.Type("y");
         }},
        {"spaces typed and trimmed between runs",
         {"a b c", "z"},
         true,
         [](LongLineUndo& t, int f) {
             t.Caret(f + 5, 0);
             t.Type("   ");
             t.Caret(0, 1);
             t.Caret(f + 8, 0);
             t.Type("q");
         }},
        {"edits far apart in one line",
         {"0123456789abcdef", ""},
         false,
         [](LongLineUndo& t, int f) {
             t.Caret(f + 12, 0);
             t.Type("X");
             t.Caret(f + 2, 0);
             t.Type("Y");
             t.Delete();
             t.Caret(f + 14, 0);
             t.Backspace();
         }},
        {"overwriting",
         {"abcdef"},
         false,
         [](LongLineUndo& t, int f) {
             t.memo.SetOverwrite(true);
             t.Caret(f + 1, 0);
             t.Type("XY\xE2\x82\xAC");
             t.memo.SetOverwrite(false);
         }},
        {"deleting forward and joining",
         {"abc", "def"},
         false,
         [](LongLineUndo& t, int f) {
             t.Caret(f + 1, 0);
             t.Delete();
             t.Delete();
             t.Delete();
             t.Type("-");
         }},
    };
    const std::string front(kCompactStepLine + 100, 'w');
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        memo.SetTrimTrailingSpaces(s.trim);
        const auto edit = [&](int f) { s.edit(*this, f); };
        const Stages shortLine = Run("", s.lines, edit);
        const Stages longLine = Run(front, s.lines, edit);
        EXPECT_EQ(longLine.edited, shortLine.edited);
        EXPECT_EQ(longLine.undone, shortLine.undone);
        EXPECT_EQ(longLine.redone, shortLine.redone);
        EXPECT_EQ(Trimmed(shortLine.undone), Trimmed(s.lines));
    }
}

}  // namespace
}  // namespace tarnwick::editor::test
