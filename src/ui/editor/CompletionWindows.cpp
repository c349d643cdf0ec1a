#include "ui/editor/CompletionWindows.h"

namespace tarnwick::ui {

CompletionWindows::CompletionWindows(editor::TAdvMemoCompletion& aids, QWidget* pane)
    : fAids(aids), fList(aids, pane), fHint(aids, pane) {
    fAids.SetTimers(&fDelay, &fHide);
    fAids.OnListChanged = [this] { fList.Follow(); };
    fAids.OnHintChanged = [this] { fHint.Follow(); };
}

CompletionWindows::~CompletionWindows() {
    fAids.SetTimers(nullptr, nullptr);
    fAids.OnListChanged = nullptr;
    fAids.OnHintChanged = nullptr;
}

}  // namespace tarnwick::ui
