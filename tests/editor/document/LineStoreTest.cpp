// The line store keeps lines, their records and the loaded buffers they point into aligned
// while the table grows, shrinks and hands records out from its pool.
#include "editor/document/LineStore.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick::editor {
namespace {

// A store loaded the way a file is: one adopted buffer, exactly reserved, lines as views.
void LoadLines(TLineStore& store, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "line" + std::to_string(i);
    }
    TTextBuffer buffer(text.size());
    std::memcpy(buffer.Data(), text.data(), text.size());
    const char* p = store.AdoptBuffer(std::move(buffer));
    store.Reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const size_t length = 4 + std::to_string(i).size();
        store.AppendView(p, length);
        p += length;
    }
}

std::vector<std::string_view> Views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

TEST(LineStoreTest, RangeInsertBeyondTheReservedTableKeepsEveryLineAndRecord) {
    // Growth copies the table: loaded views, records (also past a record chunk) and the
    // inserted copies must all come out in order.
    struct Case {
        int loaded;
        int at;
        int inserted;
    };
    for (const Case c : {Case{3, 0, 1}, Case{3, 3, 5}, Case{600, 300, 1000}, Case{1000, 1, 2}}) {
        SCOPED_TRACE(testing::Message() << c.loaded << " lines, " << c.inserted << " at " << c.at);
        TLineStore store;
        LoadLines(store, c.loaded);
        for (int i = 0; i < c.loaded; i += 2) {
            store.EnsureRecord(i).FoldNesting = i + 1;
        }
        std::vector<std::string> texts;
        for (int i = 0; i < c.inserted; ++i) {
            texts.push_back("new" + std::to_string(i));
        }
        store.InsertRange(c.at, Views(texts));

        ASSERT_EQ(store.Count(), c.loaded + c.inserted);
        for (int i = 0; i < store.Count(); ++i) {
            const bool isNew = i >= c.at && i < c.at + c.inserted;
            const int old = i < c.at ? i : i - c.inserted;
            if (isNew) {
                EXPECT_EQ(store.View(i), texts[static_cast<size_t>(i - c.at)]) << i;
                EXPECT_FALSE(store.HasRecord(i)) << i;
            } else {
                EXPECT_EQ(store.View(i), "line" + std::to_string(old)) << i;
                ASSERT_EQ(store.HasRecord(i), old % 2 == 0) << i;
                if (old % 2 == 0) {
                    EXPECT_EQ(store.Record(i)->FoldNesting, old + 1) << i;
                }
            }
        }
    }
}

TEST(LineStoreTest, FreedRecordsComeBackAsDefaults) {
    // More records than one chunk holds, then some lines removed: the records handed out again
    // must not carry the values of the lines that owned them.
    TLineStore store;
    LoadLines(store, 700);
    for (int i = 0; i < 700; ++i) {
        TLineProp& record = store.EnsureRecord(i);
        record.FoldNesting = i;
        record.LineModState = lmsModified;
    }
    store.EraseRange(100, 400);
    store.Erase(0);
    ASSERT_EQ(store.Count(), 299);
    EXPECT_EQ(store.Record(0)->FoldNesting, 1);
    EXPECT_EQ(store.Record(99)->FoldNesting, 500);
    EXPECT_EQ(store.Record(298)->FoldNesting, 699);

    std::vector<std::string> texts(401, "again");
    store.InsertRange(150, Views(texts));
    for (int i = 150; i < 551; ++i) {
        const TLineProp& record = store.EnsureRecord(i);
        ASSERT_EQ(record.FoldNesting, 0) << i;
        ASSERT_EQ(record.LineModState, lmsUnchanged) << i;
    }
    EXPECT_EQ(store.Record(149)->FoldNesting, 550);
    EXPECT_EQ(store.Record(551)->FoldNesting, 551);

    store.FreeAllRecords();
    EXPECT_FALSE(store.HasRecord(149));
    EXPECT_EQ(store.EnsureRecord(149).FoldNesting, 0);
}

// Splicing a line edits its copy in place while it has room and copies it (with room) when it
// has none; every splice must read as the same edit of a plain string, a file line spliced
// back to its bytes is saved as them again, and the records stay with their lines.
TEST(LineStoreTest, SplicesReadAsTheSameEditsOfAPlainString) {
    TLineStore store;
    const std::string file = "0123456789";
    TTextBuffer buffer(file.size());
    std::memcpy(buffer.Data(), file.data(), file.size());
    store.AppendView(store.AdoptBuffer(std::move(buffer)), file.size(), TLineBreak::LF);
    store.Insert(1, "second");
    store.EnsureRecord(0).CallerObject = reinterpret_cast<TObject*>(&store);
    struct Splice {
        size_t at, count;
        std::string inserted;
    };
    const std::vector<Splice> splices = {
        {5, 0, "abc"},                  // first copy, from the file's bytes
        {8, 0, "d"},                    // in place
        {0, 2, ""},                     // removal at the front
        {11, 5, "x"},                   // at the end, count beyond it
        {3, 0, std::string(300, 'y')},  // more than the room: a new copy
        {3, 300, ""},                   // shrinking in place
        {0, 100, ""},                   // everything
        {0, 0, "tail"},                 // into an empty line
    };
    std::string model = file;
    for (const Splice& s : splices) {
        const size_t at = std::min(s.at, model.size());
        model.replace(at, std::min(s.count, model.size() - at), s.inserted);
        store.Splice(0, s.at, s.count, s.inserted);
        ASSERT_EQ(store.View(0), model) << "after inserting '" << s.inserted << "' at " << s.at;
        EXPECT_FALSE(store.OriginOf(0).Untouched);
        EXPECT_EQ(store.View(1), "second");
        EXPECT_EQ(store.Record(0)->CallerObject, reinterpret_cast<TObject*>(&store));
    }
    store.Splice(0, 0, 100, file);
    ASSERT_TRUE(store.IsFileText(0, store.View(0), 1));
    store.MarkUntouched(0);
    const TLineStore::Origin origin = store.OriginOf(0);
    EXPECT_TRUE(origin.Untouched);
    EXPECT_EQ(store.View(0).data(), origin.Raw.data()) << "points at the file's bytes again";
    EXPECT_EQ(origin.Break, TLineBreak::LF);
}

}  // namespace
}  // namespace tarnwick::editor
