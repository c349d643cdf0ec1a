// Where the keyboard and focus reach the completion aids (the completion list, its delay, the
// parameter hint and word completion). None of them exists yet: the list is never active and
// every hook does nothing.
#include "editor/AdvCustomMemo.h"

namespace tarnwick::editor {

bool TAdvCustomMemo::AutoCompletionActive() const {
    return false;
}

bool TAdvCustomMemo::AutoHintParametersOn() const {
    return false;
}

void TAdvCustomMemo::StopCompletionDelay() {}

void TAdvCustomMemo::ShowCompletionList() {}

void TAdvCustomMemo::ShowParameterHint() {}

void TAdvCustomMemo::CompleteWord(char32_t) {}

void TAdvCustomMemo::CompletionTrigger(char32_t) {}

void TAdvCustomMemo::HintFocusLost() {}

}  // namespace tarnwick::editor
