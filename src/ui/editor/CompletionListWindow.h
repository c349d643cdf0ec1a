// The completion list window: a popup with a one-pixel border holding an owner-drawn list (kind
// word in its kind's colour, name in bold, the rest normal). A popup takes the keyboard and
// the mouse while it shows, under any window manager (a tool window is not activated by all of
// them, and its keys then went into the text under it); a click outside closes it. It mirrors
// the editor's list state, and hands the list's keys, double-clicks, selection changes and its
// closing back to the editor's completion aids. It opens Width x Height at the caret (the
// width fitted to the items while AutoWidth is on); with SizeDropDown the user may size it by
// its corner grip and a refiltered list refits its width; with KeepLastSize closing keeps the
// size for the next opening.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <memory>

#include "editor/completion/AdvMemoCompletion.h"
#include "ui/editor/CompletionItemPainter.h"

namespace tarnwick::ui {

class CompletionListWindow final : public QWidget {
  public:
    // editor: the pane whose control pixels the list position is in; outlives the window.
    CompletionListWindow(editor::TAdvMemoCompletion& aids, QWidget* editor);
    ~CompletionListWindow() override;
    // Shows, refills or hides the window as the list state says.
    void Follow();
    QListWidget* List() const { return fList; }
    // The window width the items need (widest item + 8 + a vertical scroll bar, + the
    // pictures' column when they show); the border is drawn inside it, in the 8 to spare.
    int ItemsWidth() const;
    // The corner grip that sizes the window (shown with SizeDropDown).
    QWidget* SizeGrip() const { return fGrip; }
    static constexpr int kBorder = 1;
    // How the items of the current filling are measured and drawn.
    const CompletionItemPainter& Items() const { return *fItems; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Refills the list from the visible items, with the settings' font and colour.
    void Fill();
    // ItemsWidth limited by MaxWidth when that is set.
    int FittingWidth() const;

    editor::TAdvMemoCompletion& fAids;
    QWidget* fEditor;
    QListWidget* fList;
    QWidget* fGrip;
    std::unique_ptr<CompletionItemPainter> fItems;
    bool fFollowing = false;
    bool fClosedOutside = false;  // set while a click outside closes the popup
};

}  // namespace tarnwick::ui
