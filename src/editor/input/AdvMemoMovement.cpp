// Caret movement from the keyboard: arrows with and without Shift, words, Home and End, pages,
// and scrolling the view by a line with Ctrl+Up and Ctrl+Down.
#include "editor/control/AdvCustomMemo.h"
#include "editor/editing/EditColumns.h"
#include "editor/highlight/AdvCustomMemoStyler.h"

namespace tarnwick::editor {

namespace {
bool Has(TShiftState shift, TShiftState flag) {
    return (shift & flag) != 0;
}

// The first byte of the character at column (a space past the end of the text).
char CharAt(std::string_view text, int column) {
    if (column < 0 || column >= columns::Length(text)) {
        return ' ';
    }
    return text[columns::Byte(text, column)];
}

std::string_view WithoutTrailingSpaces(std::string_view text) {
    return text.substr(0, text.find_last_not_of(' ') + 1);  // npos + 1 == 0
}
}  // namespace

bool TAdvCustomMemo::IsWordBreak(char c) const {
    if (fSyntaxStyles == nullptr || !fUseStyler) {
        return c == ' ';
    }
    const TElementStyles& styles = fSyntaxStyles->AllStyles();
    for (int i = 0; i < styles.Count(); ++i) {
        const TElementStyle& style = styles.Items(i);
        if (style.StyleType() == stSymbol) {
            return style.Symbols().find(c) != std::string::npos;
        }
    }
    return false;
}

void TAdvCustomMemo::MoveCaret(int dx, int dy, TShiftState shift) {
    const bool extend = Has(shift, ssShift) && TTextPos{fCurX, fCurY} == fFollowPoint;
    if (Has(shift, ssCtrl) && dx != 0) {
        MoveByWord(dx);
    } else {
        SetCaretLine(fCurY + dy);
        SetCaretColumn(fCurX + dx);
    }
    if (extend) {
        ExtendSelection();
    } else {
        CollapseSelection();
    }
}

void TAdvCustomMemo::MoveByWord(int direction) {
    if (fLines->Count() == 0) {
        return;
    }
    const auto quiet = SuspendNotify();
    if (direction < 0) {
        SetCaretColumn(fCurX - 1);
        const std::string_view t = WithoutTrailingSpaces(fLines->View(fCurY));
        const int length = columns::Length(t);
        while (fCurX > 0 && fCurX <= length &&
               !(IsWordBreak(CharAt(t, fCurX - 1)) && CharAt(t, fCurX) != ' ')) {
            SetCaretColumn(fCurX - 1);
        }
        return;
    }
    const std::string_view t = WithoutTrailingSpaces(fLines->View(fCurY));
    const int length = columns::Length(t);
    SetCaretColumn(fCurX + 1);
    while (fCurX < length && (!IsWordBreak(CharAt(t, fCurX - 1)) || CharAt(t, fCurX) == ' ')) {
        SetCaretColumn(fCurX + 1);
    }
    if (fCurX > length && fCurY < fLines->Count() - 1) {
        SetCaretLine(fCurY + 1);
        SetCaretColumn(0);
    }
}

void TAdvCustomMemo::FinishHomeEnd(bool extend, TShiftState shift, TTextPos oldAnchor) {
    if (extend) {
        ExtendSelection();
    } else {
        CollapseSelection();
    }
    if (Has(shift, ssCtrl) && Has(shift, ssShift)) {
        // The selection runs from where it was anchored to the new caret.
        fAnchor = oldAnchor;
        RaiseSelectionChange();
        Invalidate();
    }
}

void TAdvCustomMemo::HomeKey(TShiftState shift) {
    const TTextPos oldAnchor = fAnchor;
    if (Has(shift, ssCtrl)) {
        SetCaretColumn(0);
        SetCaretLine(0);
    }
    const bool extend = Has(shift, ssShift) && TTextPos{fCurX, fCurY} == fFollowPoint;
    SetCaretColumn(0);
    SetFirstVisibleColumn(0);
    Invalidate();
    FinishHomeEnd(extend, shift, oldAnchor);
}

void TAdvCustomMemo::EndKey(TShiftState shift) {
    const TTextPos oldAnchor = fAnchor;
    if (Has(shift, ssCtrl) && fLines->Count() > 0) {
        SetCaretLine(fLines->Count() - 1);
        SetCaretColumn(LineLength(fCurY));
    }
    const bool extend = Has(shift, ssShift) && TTextPos{fCurX, fCurY} == fFollowPoint;
    if (fCurY >= 0 && fCurY < fLines->Count()) {
        const std::string_view line = fLines->View(fCurY);
        SetCaretColumn(columns::Length(fAutoExpand ? line : WithoutTrailingSpaces(line)));
    }
    FinishHomeEnd(extend, shift, oldAnchor);
}

void TAdvCustomMemo::PageMove(int direction, TShiftState shift) {
    const int lineHeight = fView.LineHeight();
    if (lineHeight == 0) {
        return;
    }
    const bool extend = Has(shift, ssShift) && TTextPos{fCurX, fCurY} == fFollowPoint;
    const int rows = fView.TextAreaRect().Height() / lineHeight;
    const int count = fLines->Count();
    const int oldFirst = FirstVisibleLine();
    if (rows < count) {
        // The view moves by a page from where it stood, whatever the caret's move scrolled.
        SetCaretLine(fCurY + rows * direction);
        SetTopLine(oldFirst + rows * direction);
    } else {
        SetCaretLine(direction < 0 ? 0 : count - 1);
    }
    if (Has(shift, ssCtrl)) {
        if (direction < 0) {
            SetCaretColumn(0);
            SetCaretLine(0);
        } else {
            SetCaretLine(fLines->Count() - 1);
            SetCaretColumn(LineLength(fCurY));
        }
    }
    if (extend) {
        ExtendSelection();
    } else {
        CollapseSelection();
    }
    InvalidateStartStateCaches(oldFirst, FirstVisibleLine());
}

void TAdvCustomMemo::ScrollLineUp() {
    SetTopLine(FirstVisibleLine() - 1);
    if (fCurY == FirstVisibleLine() + VisibleRows()) {
        SetCaretLine(fCurY - 1);
    }
}

void TAdvCustomMemo::ScrollLineDown() {
    SetTopLine(FirstVisibleLine() + 1);
    if (fCurY < FirstVisibleLine()) {
        SetCaretLine(FirstVisibleLine());
    }
}

}  // namespace tarnwick::editor
