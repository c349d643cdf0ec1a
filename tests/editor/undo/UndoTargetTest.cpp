// Undo records run against the target they are handed, and nothing else: a recording target
// sees the caret moves, steps and events of each record kind in the order the editing
// operations make them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/undo/AdvUndoList.h"

#include <string>
#include <vector>

#include "editor/undo/UndoRecords.h"

namespace tarnwick::editor::test {
namespace {

class RecordingTarget final : public TUndoTarget {
  public:
    int Lines = 3;
    int X = 0;
    int Y = 0;
    std::vector<std::string> Calls;

    int LineCount() const override { return Lines; }
    void ReplaySteps(const std::vector<TEditStep>& steps, bool forward) override {
        Calls.push_back(std::string(forward ? "redo " : "undo ") + std::to_string(steps.size()));
    }
    void ReplayDeletion(const std::vector<TEditStep>&, bool, TTextPos caret) override {
        Calls.push_back("deletion to " + Pos(caret));
    }
    int CurX() const override { return X; }
    int CurY() const override { return Y; }
    void SetCaretColumn(int column) override {
        X = column;
        Calls.push_back("column " + std::to_string(column));
    }
    void SetCaretLine(int line) override {
        Y = line;
        Calls.push_back("line " + std::to_string(line));
    }
    void SetSelectionEnds(TTextPos anchor, TTextPos activeEnd) override {
        Calls.push_back("select " + Pos(anchor) + "-" + Pos(activeEnd));
    }
    void SetFollowPoint(TTextPos point) override { Calls.push_back("follow " + Pos(point)); }
    void CollapseSelection() override { Calls.push_back("collapse"); }
    void KeepCaretVisible() override { Calls.push_back("visible"); }
    void MarkCaretLine() override { Calls.push_back("mark"); }
    void SetOverwrite(bool on) override { Calls.push_back(on ? "overwrite" : "insert"); }
    bool AutoIndent() const override { return Indent; }
    void SetAutoIndent(bool on) override {
        Indent = on;
        Calls.push_back(on ? "indent on" : "indent off");
    }
    bool Indent = true;
    void LinesChanged() override { Calls.push_back("changed"); }
    void RaiseSelectionChange() override { Calls.push_back("selection"); }
    void Invalidate() override { Calls.push_back("paint"); }

  private:
    static std::string Pos(TTextPos p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }
};

TEST(UndoTargetTest, RecordsActOnTheTargetTheyAreHanded) {
    RecordingTarget target;
    TEditStep step;

    TInsertOverwriteUndo mode(false);
    mode.UndoAction(target);
    mode.RedoAction(target);

    TIndentUndo indent(0, 1, 4);
    indent.Steps = {step, step};
    indent.UndoAction(target);

    // Redoing the removal of the last line first moves the caret up a line.
    target.Y = 2;
    TDeleteLineUndo line({0, 2}, {0, 1}, "gone");
    line.Steps = {step};
    line.RedoAction(target);

    TPasteUndo nothing({1, 1}, {1, 1}, "");
    nothing.UndoAction(target);

    EXPECT_EQ(target.Calls,
              (std::vector<std::string>{"insert", "overwrite",                      //
                                        "undo 2", "paint",                          //
                                        "column 0", "line 1", "redo 1", "changed",  //
                                        "collapse", "paint",                        //
                                        "undo 1", "select 1,1-1,1", "follow 1,1", "paint"}));
}

TEST(UndoTargetTest, AReplayTurnsTheTargetsAutoIndentOffAndBackAsItWas) {
    RecordingTarget target;
    TAdvUndoList list(target);
    for (const bool before : {true, false}) {
        target.Indent = before;
        try {
            const TReplayScope replay = list.ReplayScope();
            EXPECT_FALSE(target.Indent);
            EXPECT_TRUE(list.Replaying());
            throw std::runtime_error("the replay failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(target.Indent, before);
        EXPECT_FALSE(list.Replaying());
    }
}

}  // namespace
}  // namespace tarnwick::editor::test
