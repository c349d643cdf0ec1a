// The completion list window: a stay-on-top tool window without caption text holding a
// borderless owner-drawn list (kind word in its kind's colour, name in bold, the rest normal).
// It mirrors the editor's list state, and hands the list's keys, double-clicks, selection
// changes and its loss of focus back to the editor's completion aids. It opens Width x Height
// at the caret (the width fitted to the items while AutoWidth is on); with SizeDropDown the
// user may size it and a refiltered list refits its width; with KeepLastSize closing keeps the
// size for the next opening.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <memory>

#include "editor/AdvMemoCompletion.h"
#include "ui/CompletionItemPainter.h"

namespace tarnwick {

class CompletionListWindow final : public QWidget {
  public:
    // editor: the pane whose control pixels the list position is in; outlives the window.
    CompletionListWindow(editor::TAdvMemoCompletion& aids, QWidget* editor);
    ~CompletionListWindow() override;
    // Shows, refills or hides the window as the list state says.
    void Follow();
    QListWidget* List() const { return fList; }
    // The list width the items need (widest item + 8 + a vertical scroll bar, + the
    // pictures' column when they show).
    int ItemsWidth() const;
    // How the items of the current filling are measured and drawn.
    const CompletionItemPainter& Items() const { return *fItems; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Refills the list from the visible items, with the settings' font and colour.
    void Fill();
    // ItemsWidth limited by MaxWidth when that is set.
    int FittingWidth() const;

    editor::TAdvMemoCompletion& fAids;
    QWidget* fEditor;
    QListWidget* fList;
    std::unique_ptr<CompletionItemPainter> fItems;
    bool fFollowing = false;
};

}  // namespace tarnwick
