// The start-state scanner against a literal reading of its rules, on random documents:
// delete the delimiter or one character at a time from the front of each line.
#include <gtest/gtest.h>

#include <random>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"

namespace tarnwick::editor {
namespace {

struct Delimiters {
    std::string Left, Right, Line;
    std::vector<std::pair<std::string, std::string>> Styles;
};

// Position 0 holds the first delimiter kind that occurs at all (the styler's own wins).
size_t AtFront(const std::string& text, const std::string& own,
               const std::vector<std::string>& styles) {
    if (!own.empty() && text.find(own) != std::string::npos) {
        return text.find(own) == 0 ? own.size() : 0;
    }
    for (const std::string& d : styles) {
        if (!d.empty() && text.find(d) != std::string::npos) {
            return text.find(d) == 0 ? d.size() : 0;
        }
    }
    return 0;
}

bool LiteralInComment(const std::vector<std::string>& lines, int n, const Delimiters& d) {
    std::vector<std::string> lefts, rights;
    for (const auto& [l, r] : d.Styles) {
        lefts.push_back(l);
        rights.push_back(r);
    }
    bool inComment = false;
    for (int k = 0; k < n; ++k) {
        std::string text = lines[static_cast<size_t>(k)];
        while (!text.empty()) {
            if (!inComment) {
                if (const size_t len = AtFront(text, d.Left, lefts); len > 0) {
                    inComment = true;
                    text.erase(0, len);
                }
            }
            if (inComment) {
                if (const size_t len = AtFront(text, d.Right, rights); len > 0) {
                    inComment = false;
                    text.erase(0, len);
                }
            }
            if (!inComment && !d.Line.empty() && text.find(d.Line) == 0) {
                break;
            }
            if (!text.empty()) {
                text.erase(0, 1);
            }
        }
    }
    return inComment;
}

void PrintTo(const Delimiters& d, std::ostream* os) {
    *os << "'" << d.Left << "' '" << d.Right << "' '" << d.Line << "' +" << d.Styles.size();
}

class ScannerAgrees : public ::testing::TestWithParam<Delimiters> {};

TEST_P(ScannerAgrees, WithTheLiteralRulesOnRandomDocuments) {
    const Delimiters& d = GetParam();
    TAdvCustomMemoStyler styler;
    styler.MultiCommentLeft = d.Left;
    styler.MultiCommentRight = d.Right;
    styler.LineComment = d.Line;
    for (const auto& [l, r] : d.Styles) {
        TElementStyle& s = styler.AllStyles().Add();
        s.SetStyleType(stComment);
        s.SetCommentLeft(l);
        s.SetCommentRight(r);
    }
    TAdvMemo memo;
    memo.SetSyntaxStyles(&styler);
    const std::string alphabet = "ab {}/(*) x";
    std::mt19937 random(99);
    for (int doc = 0; doc < 60; ++doc) {
        std::vector<std::string> lines;
        memo.Lines().Clear();
        const int count = 1 + static_cast<int>(random() % 70);
        for (int i = 0; i < count; ++i) {
            std::string line;
            const int length = static_cast<int>(random() % 12);
            for (int k = 0; k < length; ++k) {
                line += alphabet[random() % alphabet.size()];
            }
            lines.push_back(line);
            memo.Lines().Add(line);
        }
        // Asked in a scrambled order, so that later answers lean on the caches of earlier ones.
        for (int step = 0; step < count; ++step) {
            const int n = static_cast<int>(random() % static_cast<unsigned>(count));
            ASSERT_EQ(memo.StartStateOfLine(n).InComment, LiteralInComment(lines, n, d))
                << "document " << doc << " line " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scanner, ScannerAgrees,
                         ::testing::Values(Delimiters{"{", "}", "//", {}},
                                           Delimiters{"{", "}", "//", {{"(*", "*)"}}},
                                           Delimiters{"", "", "//", {{"(*", "*)"}, {"{", "}"}}},
                                           Delimiters{"(*", "*)", "", {}},
                                           Delimiters{"{", "}", "", {}}));

}  // namespace
}  // namespace tarnwick::editor
