// What the line list reports to its observer when a line is deleted: the line about to go,
// then (after the list removed it itself, or emptied the only line) that it is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/AdvMemoStrings.h"
#include "editor/document/LinesObserver.h"

namespace tarnwick::editor::test {
namespace {

class RecordingObserver final : public ILinesObserver {
  public:
    TAdvMemoStrings* Lines = nullptr;
    std::vector<std::string> Calls;

    int TabSize() const override { return 4; }
    void LineChanged(int index) override { Note("changed", index); }
    void LinesInserting() override {}
    void LineInserted(int) override {}
    void LinesInserted() override {}
    void LineDeleting(int index) override { Note("deleting", index); }
    void LineDeleted(int index) override { Note("deleted", index); }
    void LinesClearing() override {}
    void BulkCopyStarting() override {}
    void BulkCopyFinished() override {}
    void LoadStarting() override {}
    void LoadEnded(bool) override {}
    void LineStatesChanged() override {}

  private:
    // Each report with the line count it saw.
    void Note(const char* what, int index) {
        Calls.push_back(std::string(what) + " " + std::to_string(index) + " of " +
                        std::to_string(Lines->Count()));
    }
};

TEST(LinesObserverTest, TheListReportsALineAboutToGoAndRemovesItItself) {
    RecordingObserver observer;
    TAdvMemoStrings lines(&observer);
    observer.Lines = &lines;
    for (const char* text : {"a", "b", "c"}) {
        lines.Add(text);
    }
    observer.Calls.clear();

    lines.Delete(1);
    lines.Delete(5);  // out of range: nothing
    EXPECT_EQ(observer.Calls, (std::vector<std::string>{"deleting 1 of 3", "deleted 1 of 2"}));
    EXPECT_EQ(lines.Get(0), "a");
    EXPECT_EQ(lines.Get(1), "c");

    lines.Delete(1);
    observer.Calls.clear();
    lines.Delete(0);  // the only line is emptied, not removed
    EXPECT_EQ(observer.Calls,
              (std::vector<std::string>{"deleting 0 of 1", "changed 0 of 1", "deleted 0 of 1"}));
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Get(0), "");
}

}  // namespace
}  // namespace tarnwick::editor::test
