// Name pattern, extension and list rules of the folder walk.
#include "search/MatchRules.h"

#include <gtest/gtest.h>

namespace tarnwick::search {
namespace {

struct PatternCase {
    const char* nameText;
    const char* name;
    bool matches;
};

TEST(NamePatternTest, PrefixWithWildcardsIgnoringCase) {
    const PatternCase cases[] = {
        {"rep", "report.txt", true},
        {"rep", "Reply.doc", true},
        {"rep", "repo", true},
        {"rep", "prep.txt", false},
        {"", "anything", true},
        {"", ".profile", true},
        {"REPORT", "report.txt", true},
        {"r*t", "report.txt", true},
        {"r*x", "report.txt", true},
        {"r*q", "report.txt", false},
        {"r?p", "rep.txt", true},
        {"r?p", "rp.txt", false},
        {"report.txt", "report.txt", true},
        {"report.txt", "report.txt.bak", true},
        {"report.txt.", "report.txt", false},
        {"????", "abc", false},
        {"????", "abcd", true},
        {"ÄPFEL", "äpfel.txt", true},  // letter case of accented letters too
        {"?pfel", "äpfel.txt", true},  // ? is one character, not one byte
        {"привет", "ПРИВЕТ.doc", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesNamePattern(c.nameText, c.name), c.matches)
            << "name text '" << c.nameText << "' against '" << c.name << "'";
    }
}

TEST(NamePatternTest, LetterCaseIsIgnoredInEveryScript) {
    const PatternCase cases[] = {
        {"ș", "Ștefan.txt", true},     // Romanian comma below
        {"ґ", "Ґанок.txt", true},      // Ukrainian
        {"έ", "Έγγραφο.txt", true},    // Greek with tonos
        {"ế", "Ếch.txt", true},        // Vietnamese
        {"ａｂ", "ＡＢ.txt", true},    // fullwidth forms
        {"𐐨", "𐐀.txt", true},          // Deseret, outside the basic plane
        {"σοφία", "ΣΟΦΊΑ.txt", true},  // with a final capital
        {"ς", "Σ.txt", true},          // final sigma folds with sigma
        {"ſ", "S.txt", true},          // long s folds with s
        {"s", "ſ.txt", true},          // ... also from a plain ASCII name text
        {"kel", "\u212Aelvin", true},  // the Kelvin sign is a capital k
        {"à*ç", "ÀbÇ", true},          // wildcards with folded characters
        {"ab", "ａb", false},          // a fullwidth a is not an ASCII a
        {"ș", "ş.txt", false},         // comma below and cedilla stay different letters
        {"é", "e.txt", false},         // accents still count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesNamePattern(c.nameText, c.name), c.matches)
            << "name text '" << c.nameText << "' against '" << c.name << "'";
    }
}

TEST(NamePatternTest, InvalidUtf8StillComparesByteForByte) {
    EXPECT_TRUE(MatchesNamePattern("a\xff",
                                   "a\xff"
                                   "b"));
    EXPECT_FALSE(MatchesNamePattern("a\xff", "a\xfe"));
}

TEST(ExtensionTest, ExtensionAndStem) {
    const struct {
        const char* name;
        const char* ext;
        const char* stem;
    } cases[] = {
        {"report.txt", ".txt", "report"},
        {".profile", ".profile", ""},
        {"README", "", "README"},
        {"archive.tar.gz", ".gz", "archive.tar"},
        {"name.", ".", "name"},
        {"dir.d/file", "", "dir.d/file"},  // the dot must follow the last separator
        {"c:x.y", ".y", "c:x"},
        {"x.y:z", "", "x.y:z"},  // ... and the last colon
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
        EXPECT_EQ(StemOf(c.name), c.stem) << c.name;
    }
}

TEST(SplitListTest, PiecesBetweenCommasKeptExactly) {
    using Items = std::vector<std::string>;
    const struct {
        const char* text;
        Items items;
    } cases[] = {
        {"exe,dll", {"exe", "dll"}},
        {"exe, dll", {"exe", " dll"}},
        {"exe,,dll", {"exe", "", "dll"}},
        {"exe,", {"exe", ""}},
        {"", {""}},
        {"a b", {"a b"}},
        {",", {"", ""}},
        {" exe", {" exe"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitList(',', c.text), c.items) << "'" << c.text << "'";
    }
}

TEST(SplitListTest, QuotesInsideTheTextNeverHang) {
    // No extension holds a quote; such lists only need to split without failing.
    for (const char* text : {"\"", "a\"b", "\"\"", "a,\"b\",c", "\"a\"\"b\"", "x\"\"\"\","}) {
        const auto items = SplitList(',', text);
        EXPECT_FALSE(items.empty()) << text;
    }
}

TEST(ExtensionListTest, MatchesDotPlusItemIgnoringAsciiCase) {
    const struct {
        const char* list;
        const char* ext;
        bool found;
    } cases[] = {
        {"exe,dll,sys,ico,dat,bin", ".exe", true},
        {"exe,dll,sys,ico,dat,bin", ".bin", true},
        {"exe,dll,sys,ico,dat,bin", "", false},
        {"exe,dll,sys,ico,dat,bin", ".txt", false},
        {"EXE,Dll", ".exe", true},
        {"exe, dll", ".dll", false},  // the space stays in front of the item
        {".txt", ".txt", false},      // an item written with its dot never matches
        {"txt,,doc", ".", true},      // an empty item matches a name ending in a dot
        {"txt", ".", false},
        {"", ".", true},
        {"txt", ".TXT", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListHasExtension(c.list, c.ext), c.found) << c.list << " / " << c.ext;
    }
}

TEST(WholeWordNameTest, StemsCompareExactly) {
    const struct {
        const char* nameText;
        const char* name;
        bool matches;
    } cases[] = {
        {"Report", "Report.doc", true},
        {"Report", "Report.txt", true},
        {"Report", "report.doc", false},
        {"Report", "Report2.doc", false},
        {"Report.doc", "Report.docx", true},
        {"Report.doc", "Report.doc.bak", false},
        {"rep*.txt", "report.txt", false},  // wildcards are plain text here
        {"", ".profile", true},
        // An empty name text selects every entry: no stem to compare.
        {"", "report.txt", true},
        {"", "README", true},
        {".txt", "report.txt", false},  // a name text with an empty stem still compares it
        {".txt", ".profile", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WholeWordNameMatches(c.nameText, c.name), c.matches)
            << c.nameText << " / " << c.name;
    }
}

}  // namespace
}  // namespace tarnwick::search
