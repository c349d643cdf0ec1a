// Replaying undo records: their exact edit steps, taken back or done again, with the events of
// the operations they stand for.
#include <algorithm>

#include "editor/control/AdvCustomMemo.h"
#include "editor/control/ScopedValue.h"

namespace tarnwick::editor {

void TAdvCustomMemo::ReplaySteps(const std::vector<TEditStep>& steps, bool forward) {
    TScopedValue<bool> quiet(fNotify, false);
    if (forward) {
        for (const TEditStep& step : steps) {
            ApplyStep(*fLines, step, true);
        }
    } else {
        // Reverse iterators rather than a reversed view: clang 14 cannot compile libstdc++ 12's
        // ranges, and the fuzz targets build the core with clang.
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            ApplyStep(*fLines, *step, false);
        }
    }
    // Lines above the view may have changed: the remembered top-line state is then stale.
    for (const TEditStep& step : steps) {
        if (step.Line < FirstVisibleLine()) {
            DropRememberedStartState();
        }
    }
    // The caret stays on an existing line.
    fCurY = std::clamp(fCurY, 0, std::max(fLines->Count() - 1, 0));
}

void TAdvCustomMemo::ReplayDeletion(const std::vector<TEditStep>& steps, bool forward,
                                    TTextPos caret) {
    {
        TScopedValue<bool> quiet(fNotify, false);
        ReplaySteps(steps, forward);
        SetCaretLine(caret.Y);
        SetCaretColumn(caret.X);
        CollapseSelection();
        RaiseSelectionChange();
        Invalidate();
    }
    LinesChanged();
    CollapseSelection();
}

}  // namespace tarnwick::editor
