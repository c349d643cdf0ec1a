// The settings of the editor's typing aids: the completion list (TAutoCompletion), the
// replacements of auto-correction (TAutoCorrect, OldValue[i] becomes NewValue[i]), when the
// parameter hint appears and where, and the kind numbers attached to completion entries.
#pragma once

#include <string>

#include "editor/document/StringList.h"
#include "editor/view/Colors.h"

namespace tarnwick::editor {

// Kind of a completion entry; its number selects the colour of the entry's kind word.
enum TCompletionKind : int {
    ckIdentifier = 0,
    ckVariable,
    ckProperty,
    ckEvent,
    ckMethod,
    ckFunction,
    ckProcedure,
    kCompletionKindCount
};

// The object attached to a completion entry in the styler's list to give its kind. The objects
// are shared and live as long as the program, so lists never own them.
class TCompletionKindObject final : public TObject {
  public:
    explicit TCompletionKindObject(int kind) : Kind(kind) {}
    const int Kind;
};
TCompletionKindObject* CompletionKindObject(TCompletionKind kind);
// The kind of entry i of a list: its kind object's number, identifier when there is none.
int CompletionKindOf(const TStringList& list, int i);

struct TAutoCompletion {
    bool Active = true;
    bool AutoDisplay = true;
    std::string StartToken = "(.";
    int Delay = 500;  // ms between a start-token character and the automatic display
    int Width = 200;
    int Height = 100;
    bool AutoWidth = true;
    int MaxWidth = 0;  // 0: no bound
    bool SizeDropDown = true;
    bool KeepLastSize = false;
    bool FromFirstChar = true;
    bool ShowImages = false;
    std::string FontName = "MS Sans Serif";
    int FontHeight = -11;
    TColor Color = kClSystemBase | 5;  // the system window colour
    // Colour of the kind word by kind number.
    TColor KindColors[kCompletionKindCount] = {8421376, 16711680, 8421376, 255,
                                               8388608, 8388608,  8388608};
};

struct TAutoCorrect {
    bool Active = true;
    TStringList OldValue;
    TStringList NewValue;
};

enum THintParameterMode { hpNone, hpAuto, hpManual };
enum THintParameterPosition { hpBelowCode, hpAboveCode };

}  // namespace tarnwick::editor
