// The read-ahead of content tests: findings taken in the walk's order, each file tested once,
// errors rethrown at their own entry, and End letting go of a folder at once.
#include "search/ContentReadAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarnwick::search {
namespace {

// The finding a name stands for: "hit..." holds the text as a word, "part..." inside a word.
ContentFinding Expected(const std::string& name) {
    if (name.rfind("hit", 0) == 0) {
        return ContentFinding::OccursAsWord;
    }
    return name.rfind("part", 0) == 0 ? ContentFinding::Occurs : ContentFinding::Absent;
}

// A test that answers from the name alone ("bad..." throws) and counts how often each name was
// tested.
struct NameTest {
    std::mutex mutex;
    std::map<std::string, int> tested;

    ContentReadAhead::TestFn Fn() {
        return [this](ContentScanner&, int, const std::string& name, const std::atomic<bool>&) {
            {
                const std::lock_guard lock(mutex);
                ++tested[name];
            }
            if (name.rfind("bad", 0) == 0) {
                throw std::runtime_error("cannot test " + name);
            }
            return Expected(name);
        };
    }
};

std::vector<std::string> Names(const std::vector<std::string>& pattern, int rounds) {
    std::vector<std::string> names;
    for (int r = 0; r < rounds; ++r) {
        for (const std::string& p : pattern) {
            names.push_back(p + std::to_string(r));
        }
    }
    return names;
}

std::vector<const std::string*> Pointers(const std::vector<std::string>& names) {
    std::vector<const std::string*> out;
    for (const std::string& n : names) {
        out.push_back(&n);
    }
    return out;
}

TEST(ContentReadAheadTest, FindingsComeInTheWalksOrderAndEachFileIsTestedOnce) {
    for (const std::size_t helpers : {0u, 1u, 3u}) {
        NameTest test;
        ContentReadAhead readAhead(helpers, 0, test.Fn());
        ContentScanner own;
        // Several folders in a row, with some entries the walk never takes (filtered meanwhile).
        for (int folder = 0; folder < 20; ++folder) {
            const auto names = Names({"hit", "miss", "part", "skip"}, 25);
            readAhead.Begin(-1, Pointers(names));
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (names[i].rfind("skip", 0) != 0) {
                    ASSERT_EQ(readAhead.Take(i, own), Expected(names[i]))
                        << helpers << " helpers, " << names[i];
                }
            }
            readAhead.End();
        }
        for (const auto& [name, count] : test.tested) {
            EXPECT_LE(count, 20) << helpers << " helpers, " << name;  // once per folder
            if (name.rfind("skip", 0) != 0) {
                EXPECT_EQ(count, 20) << helpers << " helpers, " << name;
            }
        }
    }
}

TEST(ContentReadAheadTest, WithoutHelpersEachFileIsTestedWhenItIsTakenAndNoneAhead) {
    NameTest test;
    ContentReadAhead readAhead(0, 0, test.Fn());
    ContentScanner own;
    const auto names = Names({"hit", "miss"}, 5);
    readAhead.Begin(-1, Pointers(names));
    for (std::size_t i = 0; i < names.size(); ++i) {
        readAhead.Take(i, own);
        EXPECT_EQ(test.tested.size(), i + 1) << "after taking " << names[i];
    }
    readAhead.End();
}

TEST(ContentReadAheadTest, AnErrorSurfacesAtItsOwnEntryNotBefore) {
    for (const std::size_t helpers : {0u, 2u}) {
        NameTest test;
        ContentReadAhead readAhead(helpers, 0, test.Fn());
        ContentScanner own;
        std::vector<std::string> names = Names({"hit", "miss"}, 10);
        names.insert(names.begin() + 7, "bad-file");
        readAhead.Begin(-1, Pointers(names));
        for (std::size_t i = 0; i < 7; ++i) {
            EXPECT_EQ(readAhead.Take(i, own), Expected(names[i])) << helpers << " helpers";
        }
        try {
            readAhead.Take(7, own);
            ADD_FAILURE() << helpers << " helpers: the error was not raised";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "cannot test bad-file");
        }
        readAhead.End();
    }
}

TEST(ContentReadAheadTest, HelpersStayWithinTheWindowAheadOfTheWalk) {
    // The walk takes each entry only once the helpers have started every test the window
    // allows, as a walk slowed by its pause would; no test may start further ahead.
    const std::size_t count = 3 * kReadAheadWindow;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(std::to_string(i));
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t walkAt = 0;
    std::vector<bool> started(count, false);
    std::vector<std::string> tooFar;
    ContentReadAhead readAhead(
        3, 0, [&](ContentScanner&, int, const std::string& name, const std::atomic<bool>&) {
            const std::size_t index = std::stoul(name);
            {
                const std::lock_guard lock(mutex);
                started[index] = true;
                if (index >= walkAt + kReadAheadWindow) {
                    tooFar.push_back(name + " while the walk was at " + std::to_string(walkAt));
                }
            }
            changed.notify_all();
            return ContentFinding::Absent;
        });
    ContentScanner own;
    readAhead.Begin(-1, Pointers(names));
    for (std::size_t i = 0; i < count; ++i) {
        {
            std::unique_lock lock(mutex);
            // The walk is still at the previous entry (at the first before it took any).
            const std::size_t reach = std::min(count, (i == 0 ? 0 : i - 1) + kReadAheadWindow);
            changed.wait(lock, [&] {
                return std::all_of(started.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                   started.begin() + static_cast<std::ptrdiff_t>(reach),
                                   [](bool b) { return b; });
            });
            walkAt = i;
        }
        EXPECT_EQ(readAhead.Take(i, own), ContentFinding::Absent);
    }
    readAhead.End();
    EXPECT_TRUE(tooFar.empty()) << tooFar.front();
}

TEST(ContentReadAheadTest, EndMakesRunningTestsGiveUpAndNoneStartsAfter) {
    // Every test runs until its finding is no longer wanted, as a huge file would.
    std::mutex mutex;
    std::condition_variable changed;
    int started = 0;
    int finished = 0;
    ContentReadAhead readAhead(
        2, 0, [&](ContentScanner&, int, const std::string&, const std::atomic<bool>& wanted) {
            {
                const std::lock_guard lock(mutex);
                ++started;
            }
            changed.notify_all();
            wanted.wait(true);
            const std::lock_guard lock(mutex);
            ++finished;
            return ContentFinding::Absent;
        });
    ASSERT_EQ(readAhead.Helpers(), 2u);
    const auto names = Names({"big"}, 50);
    readAhead.Begin(-1, Pointers(names));
    {
        // Both helpers are inside a test before the walk lets go of the folder.
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return started == 2; });
    }
    readAhead.End();
    const std::lock_guard lock(mutex);
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(started, 2) << "no test starts after End";
}

}  // namespace
}  // namespace tarnwick::search
