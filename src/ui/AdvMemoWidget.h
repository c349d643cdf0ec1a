// The Qt host of the editor control: owns the toolkit-free TAdvMemo, forwards repaint requests
// and Qt events to it, and implements its drawing surface.
#pragma once

#include <QWidget>
#include <memory>

#include "editor/AdvMemo.h"

namespace tarnwick {

class TAdvMemoWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit TAdvMemoWidget(QWidget* parent = nullptr);
    ~TAdvMemoWidget() override;

    editor::TAdvMemo& Memo() { return *memo_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::unique_ptr<editor::TAdvMemo> memo_;
};

}  // namespace tarnwick
