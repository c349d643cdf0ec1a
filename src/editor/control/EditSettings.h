// The editing settings of the editor control with the values this program runs with, and the
// small enumerations the editing operations and their events use.
#pragma once

#include <cstdint>

namespace tarnwick::editor {

enum TClipboardAction { caCopy, caCut, caPaste };

// Formats the editor's Copy places on the clipboard (a set of flags); only text is produced.
enum TClipboardFormat : uint8_t { cfText = 1, cfRTF = 2, cfHTML = 4 };
enum TCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TSelectionMode { smText, smBlock };
// (Word wrap is a painting setting: TAdvMemoPaintSettings::WordWrap.)

struct TEditSettings {
    bool DelErase = true;    // typing, Delete and Backspace remove a selection first
    bool AutoIndent = true;  // Enter indents the new line like the old one
    bool ReadOnly = false;   // keys, cutting, pasting and dropping change nothing
    uint8_t ClipboardFormats = cfText;
    TCharCase CharCase = ecNormal;
    bool UndoLineByLine = false;  // Enter writes a line-break record instead of an insertion
    bool HiddenCaret = false;
    bool SmartTabs = false;
    bool EnhancedHomeKey = false;
    TSelectionMode SelectionMode = smText;
};

}  // namespace tarnwick::editor
