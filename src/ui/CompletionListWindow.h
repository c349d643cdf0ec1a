// The completion list window: a stay-on-top tool window without caption text holding a
// borderless owner-drawn list (kind word in its kind's colour, name in bold, the rest normal).
// It mirrors the editor's list state, and hands the list's keys, double-clicks, selection
// changes and its loss of focus back to the editor's completion aids.
#pragma once

#include <QListWidget>
#include <QWidget>

#include "editor/AdvMemoCompletion.h"

namespace tarnwick {

class CompletionListWindow final : public QWidget {
  public:
    // editor: the pane whose control pixels the list position is in; outlives the window.
    CompletionListWindow(editor::TAdvMemoCompletion& aids, QWidget* editor);
    // Shows, refills or hides the window as the list state says.
    void Follow();
    QListWidget* List() const { return fList; }
    // The list width the items need (widest item + 8 + a vertical scroll bar).
    int ItemsWidth() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    editor::TAdvMemoCompletion& fAids;
    QWidget* fEditor;
    QListWidget* fList;
    bool fFollowing = false;
};

}  // namespace tarnwick
