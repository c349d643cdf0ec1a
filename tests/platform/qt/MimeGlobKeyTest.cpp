// Name-pattern keys: names that share a key must get the same type from the MIME database.
#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/qt/MimeGlobKey.h"
#include "platform/qt/QtTypeNames.h"

namespace tarnwick::platform {
namespace {

struct KeyCase {
    const char* what;
    QStringList patterns;
    std::string first;
    std::string second;
    bool sameKey;
};

TEST(MimeGlobKeyTest, NamesShareAKeyExactlyWhenTheSamePatternsMatchTheSameWay) {
    const std::vector<KeyCase> cases = {
        {"same suffix", {"*.txt"}, "a.txt", "b.txt", true},
        {"suffix case", {"*.C", "*.c"}, "a.C", "b.c", false},
        {"suffix case, same", {"*.C", "*.c"}, "a.C", "bb.C", true},
        {"longer suffix also matches", {"*.gz", "*.tar.gz"}, "a.tar.gz", "a.gz", false},
        {"dot inside the suffix", {"*.tar.gz"}, "x.tar.gz", "y.tar.gz", true},
        {"no pattern matches", {"*.txt"}, "a.bin", "README", true},
        {"literal name vs other", {"makefile"}, "makefile", "makefile2", false},
        {"literal name case", {"makefile"}, "Makefile", "makefile", false},
        {"wildcard in the middle", {"*.so.[0-9]*"}, "libx.so.6", "liby.so.7.1", true},
        {"wildcard set misses", {"*.so.[0-9]*"}, "libx.so.6", "libx.so.x", false},
        {"prefix wildcard", {"readme*"}, "README.md", "readme", false},
        {"prefix wildcard, same case", {"readme*"}, "README.md", "README", true},
        {"question mark", {"[0-9][0-9][0-9].vdr"}, "001.vdr", "123.vdr", true},
        {"tail wildcard", {"*~"}, "notes~", "notes", false},
        {"tail wildcard needs a character", {"*,v"}, ",v", "x,v", false},
        {"tail wildcard, longer names", {"*,v"}, "x,v", "file,v", true},
    };
    for (const KeyCase& c : cases) {
        const MimeGlobKey keys(c.patterns);
        const auto first = keys.KeyOf(c.first);
        const auto second = keys.KeyOf(c.second);
        ASSERT_TRUE(first && second) << c.what;
        EXPECT_EQ(*first == *second, c.sameKey) << c.what;
    }
}

TEST(MimeGlobKeyTest, NonAsciiAndDotNamesGetNoKey) {
    const MimeGlobKey keys(QStringList{"*.txt"});
    EXPECT_FALSE(keys.KeyOf("Ștefan.txt"));
    EXPECT_FALSE(keys.KeyOf("a.\xE2\x84\xAA"));  // Kelvin sign, folds to an ASCII k
    EXPECT_FALSE(keys.KeyOf(".txt"));
    EXPECT_TRUE(keys.KeyOf("plain.txt"));
}

// Names built from the installed database's own patterns, in several letter cases and with
// their wildcards filled in different ways, so that neighbouring patterns overlap.
std::vector<std::string> NamesFromPatterns() {
    std::vector<std::string> names = {
        "README",         "readme.txt", "Makefile", "core",  "x.C",     "x.c",       "libz.so.1",
        "libz.so.1.2.13", "a.tar.gz",   "a.TAR.GZ", "noext", ".hidden", "trailing.", "ünïcode.txt"};
    for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
        for (const QString& qpattern : type.globPatterns()) {
            const std::string pattern = qpattern.toStdString();
            for (const char* fill : {"", "x", "9"}) {
                std::string name;
                for (std::size_t i = 0; i < pattern.size(); ++i) {
                    if (pattern[i] == '*') {
                        name += fill;
                    } else if (pattern[i] == '?') {
                        name += 'q';
                    } else if (pattern[i] == '[') {
                        const auto close = pattern.find(']', i + 1);
                        name += pattern[i + 1];
                        i = close == std::string::npos ? pattern.size() : close;
                    } else {
                        name += pattern[i];
                    }
                }
                std::string upper = name;
                std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char ch) {
                    return static_cast<char>(std::toupper(ch));
                });
                names.push_back("file" + name);
                names.push_back(name);
                names.push_back(upper);
            }
        }
    }
    return names;
}

TEST(QtTypeNamesTest, CachedAnswersAgreeWithTheDatabaseForEveryPattern) {
    std::vector<std::string> names = NamesFromPatterns();
    ASSERT_GT(names.size(), 100u);
    for (int pass = 0; pass < 2; ++pass) {
        const QtTypeNames types;  // a fresh cache, filled in a different order each pass
        for (const std::string& name : names) {
            const std::string path = "/no/such/folder/" + name;
            const TypeDescription cached = types.DescribeFile(path);
            const TypeDescription direct = QtTypeNames::LookUp(path);
            EXPECT_EQ(cached.typeName, direct.typeName) << name;
            EXPECT_EQ(cached.iconKey, direct.iconKey) << name;
        }
        std::reverse(names.begin(), names.end());
    }
}

}  // namespace
}  // namespace tarnwick::platform
