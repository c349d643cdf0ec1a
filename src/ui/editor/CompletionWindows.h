// CompletionWindows: the completion list window, the parameter hint window and the two timers
// of an editor pane's typing aids, connected to them for as long as this object lives.
#pragma once

#include <memory>

#include "platform/qt/QtTimer.h"
#include "ui/editor/CompletionListWindow.h"
#include "ui/editor/ParameterHintWindow.h"

namespace tarnwick::ui {

class CompletionWindows {
  public:
    // pane: the editor's widget, whose pixels the aids' positions are in; outlives this.
    CompletionWindows(editor::TAdvMemoCompletion& aids, QWidget* pane);
    ~CompletionWindows();
    CompletionWindows(const CompletionWindows&) = delete;
    CompletionWindows& operator=(const CompletionWindows&) = delete;

    CompletionListWindow& List() { return fList; }
    ParameterHintWindow& Hint() { return fHint; }

  private:
    editor::TAdvMemoCompletion& fAids;
    platform::QtTimer fDelay;
    platform::QtTimer fHide;
    CompletionListWindow fList;
    ParameterHintWindow fHint;
};

}  // namespace tarnwick::ui
