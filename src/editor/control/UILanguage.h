// TUILanguage: the texts the editor shows of its own (the context menu's captions and the label
// of the scroll-position hint), with the values this program sets.
#pragma once

#include <string>

namespace tarnwick::editor {

struct TUILanguage {
    std::string Undo = "Undo";
    std::string Redo = "Redo";
    std::string Copy = "Copy";
    std::string Cut = "Cut";
    std::string Paste = "Paste";
    std::string Delete = "Delete";  // no menu item uses it
    std::string SelectAll = "Select All";
    std::string ScrollHint = "Row";
};

}  // namespace tarnwick::editor
