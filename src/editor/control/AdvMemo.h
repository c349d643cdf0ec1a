// TAdvMemo: the editor control as the windows use it; all behaviour is in TAdvCustomMemo.
#pragma once

#include "editor/control/AdvCustomMemo.h"

namespace tarnwick::editor {

class TAdvMemo : public TAdvCustomMemo {
  public:
    using TAdvCustomMemo::TAdvCustomMemo;
};

}  // namespace tarnwick::editor
