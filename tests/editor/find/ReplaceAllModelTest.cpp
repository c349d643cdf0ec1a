// Randomized check of find next and replace all against the literal model: on many small random
// documents, random search texts, replacements and options give the same matches, the same
// number of replacements and the same resulting text as the model.
#include <gmock/gmock.h>

#include <random>
#include <sstream>

#include "editor/control/MemoFindTarget.h"
#include "editor/find/FindReplaceEngine.h"
#include "editor/find/FindReplaceModel.h"
#include "editor/support/EditingTestSupport.h"

namespace tarnwick::editor::test {
namespace {

constexpr int kDocuments = 3000;

class FindReplaceRandom : public EditingTest {
  protected:
    TMemoFindTarget target{memo};
    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); }

    // Letters in both cases, a digit, a space, and letters above 127 in both cases.
    std::string Piece(bool ascii) {
        static const char* const pieces[] = {"a", "A", "b", "1", " ", "ab", "\xC3\xA9", "\xC3\x89"};
        return pieces[Pick(0, ascii ? 5 : 7)];
    }
    std::string RandomText(int minPieces, int maxPieces, bool ascii) {
        std::string text;
        for (int n = Pick(minPieces, maxPieces); n > 0; --n) {
            text += Piece(ascii);
        }
        return text;
    }
    std::vector<std::string> RandomDocument(bool ascii) {
        std::vector<std::string> lines;
        for (int n = Pick(1, 5); n > 0; --n) {
            lines.push_back(RandomText(0, 8, ascii));
        }
        return lines;
    }
    TFindOptions RandomOptions() {
        TFindOptions options = frDown;
        if (Pick(0, 1) == 1) {
            options |= frMatchCase;
        }
        if (Pick(0, 2) == 2) {
            options |= frWholeWord;
        }
        return options;
    }

    std::mt19937 random{20261209};
};

TEST_F(FindReplaceRandom, ReplaceAllGivesTheTextAndCountOfTheLiteralModel) {
    for (int d = 0; d < kDocuments; ++d) {
        const bool ascii = d % 2 == 0;
        FindReplaceModel model{RandomDocument(ascii), {}, {}, {}};
        const std::string text = RandomText(1, 2, ascii);
        std::string replacement = RandomText(0, 2, ascii);
        if (Pick(0, 9) == 0) {
            replacement += "\r\n" + RandomText(0, 1, ascii);
        } else if (Pick(0, 4) == 0) {
            replacement += text;  // the replacement holds the searched text
        }
        const TFindOptions options = RandomOptions();
        std::ostringstream what;
        what << "document " << d << ": replace '" << text << "' by '" << replacement
             << "', options " << options;

        SetText(model.lines);
        Caret(0, 0);
        const int count = ReplaceAllMatches(target, text, replacement, options);
        const int expected = model.ReplaceAll(text, replacement, options);
        ASSERT_EQ(count, expected) << what.str();
        ASSERT_EQ(Text(), model.lines) << what.str();
        ASSERT_EQ(CaretPos(), model.caret) << what.str();
    }
}

TEST_F(FindReplaceRandom, FindNextFromAnySelectionFindsWhatTheLiteralModelFinds) {
    for (int d = 0; d < kDocuments; ++d) {
        const bool ascii = d % 2 == 0;
        FindReplaceModel model{RandomDocument(ascii), {}, {}, {}};
        SetText(model.lines);
        auto randomPos = [&] {
            const int y = Pick(0, static_cast<int>(model.lines.size()) - 1);
            return TTextPos{Pick(0, FindReplaceModel::Length(model.lines[static_cast<size_t>(y)])),
                            y};
        };
        const TTextPos caret = randomPos();
        Caret(caret.X, caret.Y);
        model.caret = model.anchor = model.active = caret;
        if (Pick(0, 1) == 1) {  // a selection from elsewhere to the caret
            model.anchor = randomPos();
            memo.SetSelectionEnds(model.anchor, caret);
        }
        const std::string text = RandomText(1, 2, ascii);
        const TFindOptions options = RandomOptions() & ~(Pick(0, 3) == 0 ? frDown : 0);
        std::ostringstream what;
        what << "document " << d << ": find '" << text << "' from (" << caret.X << ", " << caret.Y
             << "), anchor (" << model.anchor.X << ", " << model.anchor.Y << "), options "
             << options;
        // Three searches in a row: each goes on from where the last one left the selection.
        for (int i = 0; i < 3; ++i) {
            const bool forReplaceAll = Pick(0, 3) == 0;
            const int64_t found = forReplaceAll ? FindForReplaceAll(target, text, options)
                                                : FindNext(target, text, options);
            ASSERT_EQ(found, model.Search(text, options, !forReplaceAll)) << what.str();
            ASSERT_EQ(CaretPos(), model.caret) << what.str();
            ASSERT_EQ(memo.SelectionAnchor(), model.anchor) << what.str();
            ASSERT_EQ(memo.SelectionActiveEnd(), model.active) << what.str();
        }
        ASSERT_EQ(Text(), model.lines) << what.str();
    }
}

}  // namespace
}  // namespace tarnwick::editor::test
