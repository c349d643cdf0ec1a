// The parameter hint window: a borderless stay-on-top window under the code line that shows
// the editor's current hint (the parameters before, current and after; the bold part in bold)
// in a 1-pixel grey frame. It follows the editor's hint state and never takes the focus;
// clicking it gives the focus back to the editor.
#pragma once

#include <QWidget>

#include "editor/completion/AdvMemoCompletion.h"

namespace tarnwick::ui {

class ParameterHintWindow final : public QWidget {
  public:
    // editor: the pane whose control pixels the hint position is in; outlives the window.
    ParameterHintWindow(editor::TAdvMemoCompletion& aids, QWidget* editor);
    // Shows, moves or hides the window as the hint state says.
    void Follow();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QFont BoldFont() const;

    editor::TAdvMemoCompletion& fAids;
    QWidget* fEditor;
};

}  // namespace tarnwick::ui
