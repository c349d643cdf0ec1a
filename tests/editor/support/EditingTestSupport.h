// Helpers for the editing tests: an editor with a given text, event counters, and the key
// actions (Enter, Delete, Backspace, arrows...) as the keyboard will run them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control/AdvMemo.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor::test {

inline std::vector<std::string> LinesOf(const TAdvCustomMemo& memo) {
    std::vector<std::string> lines;
    for (int i = 0; i < memo.Lines().Count(); ++i) {
        lines.push_back(std::string(memo.Lines().View(i)));
    }
    return lines;
}

// Lines with their trailing spaces removed (padding is not part of the text).
inline std::vector<std::string> Trimmed(std::vector<std::string> lines) {
    for (std::string& line : lines) {
        line.erase(line.find_last_not_of(' ') + 1);
    }
    return lines;
}

class EditingTest : public ::testing::Test {
  public:
    EditingTest() {
        memo.OnChange = [this](TAdvCustomMemo&) { ++changes; };
        memo.OnSelectionChange = [this](TAdvCustomMemo&) { ++selections; };
        memo.SetTextAreaCells(80, 25);
    }

    // Replaces the text by these lines, caret at (0, 0), no undo history, counters at 0.
    void SetText(const std::vector<std::string>& lines) {
        memo.Lines().Clear();
        for (const std::string& line : lines) {
            memo.Lines().Add(line);
        }
        memo.UndoList().Clear();
        ResetCounts();
    }
    void ResetCounts() {
        changes = 0;
        selections = 0;
    }
    void Caret(int x, int y) {
        memo.SetCaretLine(y);
        memo.SetCaretColumn(x);
        memo.CollapseSelection();
    }
    void Select(TTextPos anchor, TTextPos active) {
        Caret(anchor.X, anchor.Y);
        memo.SetCaretLine(active.Y);
        memo.SetCaretColumn(active.X);
        memo.ExtendSelection();
    }
    std::vector<std::string> Text() const { return LinesOf(memo); }
    TTextPos CaretPos() const { return {memo.CurX(), memo.CurY()}; }

    // The keys, as the key table runs them.
    // Each character of the UTF-8 text typed in turn.
    void Type(std::string_view text) {
        for (size_t at = 0; at < text.size();) {
            size_t length = 0;
            const char32_t c = platform::utf8::DecodeChar(text, at, length);
            memo.AcceptTypedCharacter(c);
            at += length;
        }
    }
    void Enter() {
        memo.DeleteSelectedText(true);
        memo.BreakLine();
        memo.MarkCaretLine();
    }
    void Delete() {
        if (memo.HasSelection()) {
            memo.DeleteSelectedText(true);
        } else {
            memo.DeleteForward();
        }
        memo.MarkCaretLine();
    }
    void Backspace() {
        if (memo.HasSelection()) {
            memo.DeleteSelectedText(true);
        } else {
            memo.DeleteBackward();
        }
        memo.MarkCaretLine();
    }
    void Move(int dx, int dy) {
        memo.SetCaretLine(memo.CurY() + dy);
        memo.SetCaretColumn(memo.CurX() + dx);
        memo.CollapseSelection();
    }
    void End() {
        memo.SetCaretColumn(memo.Lines().LineCharCount(memo.CurY()));
        memo.CollapseSelection();
    }

    TAdvMemo memo;
    int changes = 0;
    int selections = 0;
};

// The same editor outside a fixture, for parameterized tests that build one per case.
class EditingHarness : public EditingTest {
  public:
    void TestBody() override {}
};

}  // namespace tarnwick::editor::test
