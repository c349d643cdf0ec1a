// TCharStyle: the colour triple of comment, number, highlight-text and URL runs.
#pragma once

#include "editor/view/Colors.h"
#include "editor/view/Font.h"

namespace tarnwick::editor {

struct TCharStyle {
    TColor TextColor = kClBlack;
    TColor BkColor = kClNone;  // none: the editor's BkColor (HighlightStyle always uses its own)
    TFontStyles Style = 0;
    bool operator==(const TCharStyle&) const = default;
};

}  // namespace tarnwick::editor
