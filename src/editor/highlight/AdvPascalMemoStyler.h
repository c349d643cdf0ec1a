// TAdvPascalMemoStyler: the styler with the Pascal defaults (comment delimiters, number and
// block words, and five element styles). Its reserved-word list and code-folding regions are
// not carried: this program replaces the element styles and never folds.
#pragma once

#include <memory>

#include "editor/highlight/AdvCustomMemoStyler.h"

namespace tarnwick::editor {

class TAdvPascalMemoStyler : public TAdvCustomMemoStyler {
  public:
    static constexpr const char* kVersion = "3.0";
    static constexpr const char* kSymbolCharacters = " ,;:.(){}[]=+-*/^%<>#\r\n";

    TAdvPascalMemoStyler();
    const char* Version() const { return kVersion; }
};

// The program's configured styler AdvPascalMemoStyler1, as its form data give it: one keyword
// style on yellow with an empty keyword list, comments and numbers painted like plain text.
std::unique_ptr<TAdvPascalMemoStyler> CreateAdvPascalMemoStyler1();

}  // namespace tarnwick::editor
