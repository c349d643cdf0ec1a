// Which keys the editor control claims: a host hands them to the control even where a window
// shortcut would take them, and takes them from the event queue even when the control did
// nothing with them, so they never beep or reach the window. The key table claims every key it
// names (letters, digits, the editing and movement keys) except the modifiers on their own and
// the function keys, which stay the window's.
#pragma once

#include "editor/input/AdvMemoInput.h"

namespace tarnwick::editor {

// The function keys a host delivers: F1 and the 23 after it.
inline constexpr int kFunctionKeyCount = 24;

bool ClaimsKey(TKey key);

}  // namespace tarnwick::editor
