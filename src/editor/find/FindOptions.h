// The option set of a find or replace request (a 16-bit set, one flag per bit) and the word
// characters of the whole-word rule. The bit values are those the dialog reports.
#pragma once

#include <cstdint>

namespace tarnwick::editor {

using TFindOptions = uint16_t;

enum TFindOption : TFindOptions {
    frDown = 0x0001,              // search from the caret towards the end of the text
    frFindNext = 0x0002,          // the dialog's find-next command
    frHideMatchCase = 0x0004,     // dialog appearance bits (no effect on searching)
    frHideWholeWord = 0x0008,     //
    frHideUpDown = 0x0010,        //
    frMatchCase = 0x0020,         // compare letters exactly
    frDisableMatchCase = 0x0040,  //
    frDisableUpDown = 0x0080,     //
    frDisableWholeWord = 0x0100,  //
    frReplace = 0x0200,           // the dialog's replace command
    frReplaceAll = 0x0400,        // replace every occurrence
    frWholeWord = 0x0800,         // only matches not touching a letter or digit
    frShowHelp = 0x1000,          //
};

// Set only by custom dialogs, which this program does not attach: searching inside the
// selection's lines and regular expressions. The searches here ignore both.
constexpr TFindOptions kFindInSelection = 0x2000;
constexpr TFindOptions kFindRegularExpression = 0x4000;

// The options a search takes from the dialog's state.
constexpr TFindOptions kSearchOptions = frDown | frMatchCase | frWholeWord;

// Word characters: the ASCII digits and letters only (no underscore, nothing above 127).
constexpr bool IsFindWordChar(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// ASCII lowercasing: only A-Z change, every other byte (UTF-8 sequences included) stays.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace tarnwick::editor
