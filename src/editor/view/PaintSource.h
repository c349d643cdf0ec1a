// TPaintSource: what the renderer, its gutter and its run painter read of the editor they
// paint (the lines, the background, the styler, the block match, the selection and whether it
// shows, the caret line, the first visible column), and the highlighting they drive for one
// paint. The editor owns one and hands it to its renderer; it must outlive the renderer.
#pragma once

#include <cstddef>
#include <string_view>

#include "editor/document/TextPos.h"
#include "editor/highlight/HighlightState.h"
#include "editor/view/Colors.h"
#include "platform/Interface.h"

namespace tarnwick::editor {

class IHighlightRunSink;
class TAdvCustomMemoStyler;
class TAdvMemoBlockMatch;
class TAdvMemoStrings;

class TPaintSource : public platform::Interface {
  public:
    // --- What is painted and in which colours
    virtual const TAdvMemoStrings& Lines() const = 0;
    virtual TColor BkColor() const = 0;
    // The styler in use, or nullptr.
    virtual const TAdvCustomMemoStyler* SyntaxStyles() const = 0;
    virtual const TAdvMemoBlockMatch& BlockMatch() const = 0;
    virtual int FirstVisibleColumn() const = 0;
    virtual int CurY() const = 0;

    // --- The selection; a hidden selection still shows while the editor has the focus or a
    // find dialog searches it.
    virtual bool HasSelection() const = 0;
    virtual TTextPos SelectionStart() const = 0;
    virtual TTextPos SelectionEnd() const = 0;
    virtual bool Focused() const = 0;
    virtual bool FindDialogOpen() const = 0;

    // --- Highlighting within one paint: the top line's start state (which rebuilds the
    // delimiters), then the tokenizer prepared, then each painted line tokenized in order.
    virtual HighlightState FirstVisibleLineStartState() = 0;
    virtual void PrepareHighlighting() = 0;
    virtual HighlightState TokenizeLineForPaint(int index, std::string_view text,
                                                HighlightState state, IHighlightRunSink& sink,
                                                size_t firstByte, size_t stopAt) = 0;
};

}  // namespace tarnwick::editor
