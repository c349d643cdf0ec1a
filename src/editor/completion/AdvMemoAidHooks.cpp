// Where the keyboard and focus reach the completion aids: the completion list and its delay,
// the parameter hint and word completion, all kept by the editor's TAdvMemoCompletion.
#include "editor/completion/AdvMemoCompletion.h"
#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

bool TAdvCustomMemo::AutoCompletionActive() const {
    return fCompletion && fCompletion->AutoCompletion.Active;
}

bool TAdvCustomMemo::AutoHintParametersOn() const {
    return fCompletion && fCompletion->AutoHintParameters != hpNone;
}

void TAdvCustomMemo::StopCompletionDelay() {
    if (fCompletion) {
        fCompletion->KeyDownSeen();
    }
}

void TAdvCustomMemo::ShowCompletionList() {
    if (fCompletion) {
        fCompletion->OpenByKey();
    }
}

void TAdvCustomMemo::ShowParameterHint() {
    if (fCompletion) {
        fCompletion->RefreshParameterHint();
    }
}

void TAdvCustomMemo::CompleteWord(char32_t) {
    // Key handling calls this only for the word-completing characters, before the character
    // goes in.
    if (fCompletion) {
        fCompletion->WordComplete();
    }
}

void TAdvCustomMemo::CompletionTrigger(char32_t ch) {
    if (fCompletion) {
        fCompletion->CharacterTyped(ch);
    }
}

void TAdvCustomMemo::HintFocusLost() {
    if (fCompletion) {
        fCompletion->HideHint();
    }
}

}  // namespace tarnwick::editor
