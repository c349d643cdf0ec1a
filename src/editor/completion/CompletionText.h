// The text rules of the typing aids, free of any editor state: the token and words around a
// column, the matching key of a completion entry, what an entry inserts, where the call being
// typed begins and how a parameter hint splits into normal and bold parts. Columns count
// characters; a column past the end of a line stands for padding.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tarnwick::editor::completion {

// Characters that end the token at the caret, and the word of a started-by-token list.
inline constexpr std::string_view kTokenDelimiters = " \"'()";
inline constexpr std::string_view kWordDelimiters = " \"'(),.:;=[]";
// Where the keyboard form of inserting finds the text it replaces.
inline constexpr std::string_view kKeyboardReplaceDelimiters = " ()[]";

// A stretch [First, Last) of a line in columns.
struct TColumnRange {
    int First = 0;
    int Last = 0;
    bool operator==(const TColumnRange&) const = default;
};

// The maximal run around column holding no delimiter (a character whose predicate is true);
// empty at column when the line is shorter than column.
TColumnRange RunAround(std::string_view line, int column,
                       const std::function<bool(char)>& isDelimiter);
TColumnRange RunAround(std::string_view line, int column, std::string_view delimiters);
std::string TextOf(std::string_view line, TColumnRange range);
int CharCount(std::string_view text);
std::string UpperCase(std::string_view text);

// The entry's key: upper case, without the part up to and including its first space.
std::string EntryKey(std::string_view entry);
// The key without its part up to and including the first "." as well (list filtering).
std::string EntryMatchKey(std::string_view entry);

// How an entry is drawn: kind word (may be empty), name (up to the first "(" or "[") and rest.
struct TEntryParts {
    std::string KindWord;
    std::string Name;
    std::string Rest;
};
TEntryParts SplitEntry(std::string_view entry);

// The text an entry inserts: without its kind word, cut before "(", ";" or a space (and ":" in
// the keyboard form); parentheses says "()" was appended.
struct TInsertText {
    std::string Text;
    bool Parentheses = false;
};
TInsertText InsertTextOf(std::string_view entry, bool keyboard);

// The call whose parameters the caret is in: scanning left from the caret, commas count
// parameters, a ")" or five spaces and periods in a row or the line start end without a
// call. Name is what precedes the "(" back to a space or bracket.
struct THintCall {
    bool Found = false;
    std::string Name;
    int Commas = 0;
};
THintCall FindHintCall(std::string_view line, int column);

// A definition "Name(a; b; c)" split for the parameter index given by commas: the parameters
// up to and including the index's delimiter, the current one with its delimiter, and the rest.
struct THintParts {
    std::string Before;
    std::string Current;
    std::string After;
    // The part shown in bold: Current, or Before when Current is empty.
    bool BoldIsBefore() const { return Current.empty(); }
};
THintParts SplitHint(std::string_view definition, int commas);

}  // namespace tarnwick::editor::completion
