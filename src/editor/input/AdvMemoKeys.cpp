// The editor's keyboard: key down with the key table, the command dispatcher, character input
// and key up.
#include "editor/completion/AdvMemoCompletion.h"
#include "editor/control/AdvCustomMemo.h"
#include "editor/editing/EditColumns.h"
#include "editor/input/KeyClaims.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

namespace {
constexpr TShiftState kModifiers = ssShift | ssAlt | ssCtrl;

bool Has(TShiftState shift, TShiftState flag) {
    return (shift & flag) != 0;
}

// Keys that move the caret or are modifiers: they leave the caret as it is before the table.
bool IsMovementOrModifier(TKey key) {
    switch (key) {
        case vkUp:
        case vkDown:
        case vkLeft:
        case vkRight:
        case vkShift:
        case vkControl:
        case vkMenu:
        case vkPrior:
        case vkNext:
        case vkHome:
        case vkEnd:
            return true;
        default:
            return false;
    }
}
}  // namespace

bool ClaimsKey(TKey key) {
    if (key == vkNone || key == vkShift || key == vkControl || key == vkMenu) {
        return false;
    }
    return key < vkF1 || key >= vkF1 + kFunctionKeyCount;
}

int TAdvCustomMemo::LineLength(int line) const {
    if (line < 0 || line >= fLines->Count()) {
        return 0;
    }
    return columns::Length(fLines->View(line));
}

bool TAdvCustomMemo::KeyDown(TKey key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(*this, key, shift);
    }
    StopCompletionDelay();
    if (key != vkControl) {
        fInput.BlinkSaved = true;  // no blinking while the key is held
    }
    fInput.KeyDownSeen = true;
    fInput.LastKeyWithoutCtrl = !Has(shift, ssCtrl);
    if (fCompletion) {
        fCompletion->LastKeyWithoutCtrl = fInput.LastKeyWithoutCtrl;
    }
    if (key != vkNone && !IsMovementOrModifier(key)) {
        // Clamps the caret line into the text.
        SetCaretColumn(fCurX);
        SetCaretLine(fCurY);
    }
    const TShiftState mods = shift & kModifiers;
    bool used = true;
    switch (key) {
        case vkBack:
            if (!Has(shift, ssAlt)) {
                Dispatch(vkBack, shift);
            } else if (Has(shift, ssShift)) {
                Redo();
            } else {
                Undo();
            }
            break;
        case vkTab: {
            // Two or more selected lines are indented as a block; otherwise a Tab is typed.
            const TTextPos end = SelectionEnd();
            const int last = end.X == 0 ? end.Y - 1 : end.Y;
            if (SelectionStart().Y < last) {
                if (!fEditSettings.ReadOnly) {
                    TabKey(shift);
                }
            } else {
                Dispatch(vkTab, shift);
            }
            break;
        }
        case vkEscape:
        case vkEnd:
        case vkHome:
        case vkDelete:
        case vkPrior:
        case vkNext:
        case vkInsert:
            Dispatch(key, shift);
            break;
        case vkSpace:
            if (mods == ssCtrl) {
                if (AutoCompletionActive()) {
                    fInput.KeyDownSeen = false;
                    ShowCompletionList();
                }
            } else if (mods == (ssCtrl | ssShift)) {
                if (AutoHintParametersOn()) {
                    ShowParameterHint();
                }
            } else {
                used = false;  // the space itself arrives as a character
            }
            break;
        case vkLeft:
        case vkRight:
            MoveCaret(key == vkLeft ? -1 : 1, 0, shift);
            break;
        case vkUp:
            if (Has(shift, ssCtrl)) {
                ScrollLineUp();
            } else {
                MoveCaret(0, -1, shift);
            }
            break;
        case vkDown:
            if (Has(shift, ssCtrl)) {
                ScrollLineDown();
            } else {
                MoveCaret(0, 1, shift);
            }
            break;
        case 'F':
        case 'H':
            if (Has(shift, ssCtrl)) {
                TNotifyEvent& event = key == 'F' ? OnFind : OnReplace;
                if (event) {
                    event(*this);
                }
            } else {
                used = false;
            }
            break;
        case 'Y':
            if (Has(shift, ssCtrl) && !fEditSettings.ReadOnly) {
                Redo();
            } else {
                used = Has(shift, ssCtrl);
            }
            break;
        case 'Z':
            if (Has(shift, ssCtrl) && !Has(shift, ssAlt)) {
                Undo();
            } else {
                used = false;
            }
            break;
        default:
            used = false;
            break;
    }
    if (key == vkInsert && OnStatusChange) {
        OnStatusChange(*this);
    }
    return used;
}

void TAdvCustomMemo::Dispatch(char32_t code, TShiftState shift) {
    // First part: also for a read-only text.
    switch (code) {
        case chCtrlC:
            CopySelection(true);
            return;
        case vkEscape:
            return;
        case vkPrior:
        case vkNext:
            PageMove(code == vkPrior ? -1 : 1, shift);
            return;
        case vkEnd:
            EndKey(shift);
            return;
        case vkHome:
            HomeKey(shift);
            return;
        case vkInsert:
            if (Has(shift, ssCtrl)) {
                CopySelection(true);
                return;
            }
            break;
        default:
            break;
    }
    if (fEditSettings.ReadOnly) {
        return;
    }
    switch (code) {
        case chCtrlA:
            SelectAllText();
            break;
        case vkBack:
            if (fLines->Count() == 0) {
                break;
            }
            if (Has(shift, ssCtrl)) {
                DeleteWordBackward();
            } else if (!fEditSettings.DelErase || !HasSelection()) {
                DeleteBackward();
            } else {
                DeleteSelectedText(true);
            }
            MarkCaretLine();
            break;
        case vkTab:
            TypeTab(shift);
            MarkCaretLine();
            break;
        case chReturn:
            // Enter replaces a selection whatever DelErase says.
            DeleteSelectedText(true);
            BreakLine();
            MarkCaretLine();
            break;
        case chCtrlV:
            PasteClipboard(true);
            break;
        case chCtrlX:
            CutSelection(false);
            MarkCaretLine();
            break;
        case vkInsert:
            if (Has(shift, ssShift)) {
                PasteClipboard(true);
            } else if (!Has(shift, ssCtrl)) {
                ToggleOverwrite();
            }
            break;
        case vkDelete:
            if (fLines->Count() == 0) {
                break;
            }
            if (Has(shift, ssShift)) {
                CutSelection(false);
            } else if (fEditSettings.DelErase && HasSelection()) {
                DeleteSelectedText(true);
            } else {
                DeleteForward();
            }
            MarkCaretLine();
            fFollowPoint = {fCurX, fCurY};
            break;
        default:
            break;
    }
}

bool TAdvCustomMemo::KeyPress(std::string_view text) {
    bool used = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t length = 1;
        char32_t ch = platform::utf8::DecodeChar(text, pos, length);
        pos += length;
        if (ch == chCtrlC) {
            Dispatch(ch, 0);
        }
        if (fEditSettings.ReadOnly || (AutoCompletionActive() && !fInput.KeyDownSeen)) {
            continue;
        }
        used = true;
        if (OnKeyPress) {
            OnKeyPress(*this, ch);
        }
        switch (ch) {
            case U'\t':
            case U'\r':
            case U' ':
            case U'(':
            case U',':
            case U'.':
            case U'=':
            case U'[':
                CompleteWord(ch);
                break;
            default:
                break;
        }
        // Printable characters are typed; C0 and C1 controls and DEL are commands.
        if (ch >= 32 && ch != chDelete && (ch < 0x80 || ch > 0x9F)) {
            AcceptTypedCharacter(ch);
        } else if (ch != chCtrlC && ch != chBackspace && ch != chTab) {
            Dispatch(ch, 0);
        }
        CompletionTrigger(ch);
    }
    return used || text.find('\x03') != std::string_view::npos;
}

bool TAdvCustomMemo::KeyUp(TKey key, TShiftState shift) {
    fInput.BlinkSaved = false;
    if (!fEditSettings.HiddenCaret) {
        fInput.CaretHiddenByPress = false;
    }
    if (OnKeyUp) {
        OnKeyUp(*this, key, shift);
    }
    Invalidate();
    return true;
}

}  // namespace tarnwick::editor
