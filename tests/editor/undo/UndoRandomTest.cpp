// Randomized check of undo and redo: random edit sequences on random documents, then undo
// everything (the original text must come back, line by line, trailing spaces aside) and redo
// everything (the edited text must come back the same way).
#include <gmock/gmock.h>

#include <random>
#include <sstream>

#include "editor/support/EditingTestSupport.h"
#include "support/FakeClipboard.h"

namespace tarnwick::editor::test {
namespace {

constexpr int kSequences = 1500;
constexpr int kMaxSteps = 100;

class UndoRandom : public EditingTest {
  protected:
    UndoRandom() { memo.SetClipboard(&clipboard); }

    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); }

    std::string RandomLine() {
        static const char* const pieces[] = {"a", "b", "x", " ", "  ", "    ", "word", "é", "\t"};
        std::string line;
        const int n = Pick(0, 6);
        for (int i = 0; i < n; ++i) {
            line += pieces[Pick(0, 8)];
        }
        return line;
    }

    std::vector<std::string> RandomDocument() {
        std::vector<std::string> lines;
        const int n = Pick(1, 6);
        for (int i = 0; i < n; ++i) {
            lines.push_back(longFront + RandomLine());
        }
        return lines;
    }

    // A column near the line's end: within the random part behind a long front.
    TTextPos RandomPos() {
        const int y = Pick(0, memo.Lines().Count() - 1);
        const int length = memo.Lines().LineCharCount(y);
        const int front = std::min(static_cast<int>(longFront.size()), length);
        return {Pick(front, length + 3), y};
    }

    // Puts the caret at a random place the way the keys do (a move to the column on the line,
    // or Up/Down to a line keeping the column), sometimes selecting up to another place.
    void RandomCaret(std::ostream& log) {
        const TTextPos p = RandomPos();
        if (Pick(0, 1) == 0) {
            memo.SetCaretLine(p.Y);
            memo.SetCaretColumn(p.X);
        } else {
            memo.SetCaretColumn(p.X);
            memo.SetCaretLine(p.Y);
        }
        memo.CollapseSelection();
        log << " caret(" << memo.CurX() << "," << memo.CurY() << ")";
        if (Pick(0, 2) == 0) {
            const TTextPos q = RandomPos();
            memo.SetCaretLine(q.Y);
            memo.SetCaretColumn(q.X);
            memo.ExtendSelection();
            log << " select-to(" << memo.CurX() << "," << memo.CurY() << ")";
        }
    }

    void RandomStep(std::ostream& log) {
        if (Pick(0, 2) == 0) {
            RandomCaret(log);
        }
        switch (Pick(0, 11)) {
            case 0:
            case 1: {
                static const char* const typed[] = {"a", "b", " ", "x", "\xC3\xA9", "\xE2\x82\xAC"};
                const char* c = typed[Pick(0, 5)];
                log << " type'" << c << "'";
                Type(c);
                break;
            }
            case 2:
                log << " enter";
                Enter();
                break;
            case 3:
                log << " tab";
                memo.TabKey(0);
                break;
            case 4:
                log << " shift-tab";
                memo.TabKey(ssShift);
                break;
            case 5:
                log << " delete";
                Delete();
                break;
            case 6:
                log << " backspace";
                Backspace();
                break;
            case 7:
                log << " ctrl-backspace";
                memo.DeleteWordBackward();
                break;
            case 8:
                log << " insert-key";
                memo.ToggleOverwrite();
                break;
            case 9: {
                static const char* const texts[] = {"xy",   "a\tb",   "p\r\nq",         "\r\n",
                                                    "u\rv", "1\n2\n", "  z  \r\n\r\n w"};
                clipboard.content = texts[Pick(0, 6)];
                log << " paste";
                if (Pick(0, 1) == 0) {
                    memo.PasteClipboard(false);
                } else {
                    memo.InsertAtCaret(*clipboard.content);
                }
                break;
            }
            case 10:
                log << " cut";
                memo.CutSelection(false);
                break;
            default:
                log << " right";
                Move(1, 0);
                break;
        }
    }

    // Runs sequences random edit sequences; see the file's comment.
    void UndoAndRedoEverything(int sequences);

    tarnwick::testing::FakeClipboard clipboard;
    std::mt19937 random;
    std::string longFront;  // put in front of every line of a document
};

TEST_F(UndoRandom, UndoAllRestoresTheOriginalAndRedoAllTheEditedText) {
    UndoAndRedoEverything(kSequences);
}

// Lines long enough for steps that keep only the changed bytes, edited near their ends, where
// typing, deleting and trimming trailing spaces meet.
TEST_F(UndoRandom, UndoAllAndRedoAllAlsoHoldInLongLines) {
    longFront.assign(kCompactStepLine, 'w');
    memo.SetTrimTrailingSpaces(true);
    UndoAndRedoEverything(kSequences / 10);
}

void UndoRandom::UndoAndRedoEverything(int sequences) {
    int steps = 0;
    for (int sequence = 0; sequence < sequences; ++sequence) {
        random.seed(static_cast<unsigned>(sequence));
        SetText(RandomDocument());
        memo.SetOverwrite(false);
        const std::vector<std::string> original = Text();
        std::ostringstream log;
        const int length = Pick(1, kMaxSteps);
        // Two records at most per step; stop before the list would drop its oldest.
        for (int i = 0; i < length && memo.UndoList().Count() <= TAdvUndoList::kMaxCapacity - 2;
             ++i) {
            RandomStep(log);
            ++steps;
        }
        const std::vector<std::string> edited = Text();
        while (memo.CanUndo()) {
            memo.Undo();
        }
        ASSERT_EQ(Trimmed(Text()), Trimmed(original))
            << "sequence " << sequence << ":" << log.str();
        while (memo.CanRedo()) {
            memo.Redo();
        }
        ASSERT_EQ(Trimmed(Text()), Trimmed(edited)) << "sequence " << sequence << ":" << log.str();
    }
    RecordProperty("steps", steps);
    std::cout << sequences << " sequences, " << steps << " steps\n";
}

}  // namespace
}  // namespace tarnwick::editor::test
