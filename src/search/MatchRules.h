// The name and extension rules of the folder walk: the enumeration pattern, extensions and
// stems, the comma-list splitter of the extension filter, and the whole-word name rule.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::search {

// The enumeration pattern of a name text, prepared once for a whole walk: a name matches when
// it begins with the name text, letter case ignored, where '*' in the name text stands for any
// run of characters and '?' for any one character. The rest of the name may be anything, so an
// empty name text selects every name.
class NamePattern {
  public:
    explicit NamePattern(std::string_view nameText);
    bool Matches(std::string_view name) const;

  private:
    bool MatchesWithWildcards(std::string_view name) const;

    std::u32string fFolded;    // the name text's characters, letter case folded
    std::string fAsciiPrefix;  // the folded name text when it is plain ASCII without wildcards
    bool fAsciiPlain = false;
};

// One-off form of NamePattern(nameText).Matches(name).
bool MatchesNamePattern(std::string_view nameText, std::string_view name);

// The part of `name` from its last dot on (dot included), provided that dot comes after the
// last path separator and the last colon; otherwise empty.
std::string_view ExtractFileExt(std::string_view name);
// `name` without its extension.
std::string_view StemOf(std::string_view name);

// Lower-cases ASCII letters only.
std::string AsciiLower(std::string_view text);

// Splits a comma list: every piece between commas becomes one item, kept exactly (spaces
// included); an empty text gives one empty item. Quote characters inside a piece follow the
// delimited-text rules (two quotes stand for one; characters up to a space after the closing
// quote of an item are skipped).
std::vector<std::string> SplitList(char delimiter, std::string_view listText);

// True when `ext` (with its dot, lower-cased) equals "." + some item of the list text; the list
// text is lower-cased before it is split.
bool ListHasExtension(std::string_view listText, std::string_view ext);
// Same as ListHasExtension with an already split, lower-cased item list.
bool ItemsHaveExtension(const std::vector<std::string>& items, std::string_view ext);

// The whole-word name rule: the stems of the name text and of the entry name are equal bytes.
// An empty name text compares no stem and passes every name.
bool WholeWordNameMatches(std::string_view nameText, std::string_view name);

}  // namespace tarnwick::search
