// The run painter of the editor: chooses a run's colours from its highlight state, splits it by
// the selection and draws its parts into the line image, redrawing the right margin after every
// fill that starts left of it. Positions come from the cell grid, one cell per character (a
// UTF-8 sequence or a stray byte); text is never measured.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/document/TextPos.h"
#include "editor/highlight/HighlightRunSink.h"
#include "editor/highlight/HighlightState.h"
#include "editor/view/AdvMemoPaintSettings.h"
#include "platform/DrawingSurface.h"

namespace tarnwick::editor {

class TPaintSource;

// What a zero-width format character (such as the byte order mark EF BB BF) shows in its cell:
// a light shade, so that it is visible and the characters after it keep their cells.
inline constexpr std::string_view kZeroWidthMark = "\xE2\x96\x91";  // U+2591

// Colours and font style of one run before the selection is applied.
struct TRunColors {
    TColor Text = kClBlack;
    TColor Background = kClWhite;
    TFontStyles Style = 0;
    bool operator==(const TRunColors&) const = default;
};

// The colours of a run in state (styler colours, the editor's font colour and BkColor). "None"
// backgrounds are already replaced by the editor's BkColor; system colours are not resolved.
TRunColors ChooseRunColors(const HighlightState& state, const TPaintSource& source,
                           const TAdvMemoPaintSettings& settings);

// The selected stretch [First, Last) of a run, as offsets into the run (0 <= First <= Last <= n).
struct TSelectionSplit {
    int First = 0;
    int Last = 0;
    bool operator==(const TSelectionSplit&) const = default;
};

// Splits the run of length n starting at column c0 of line against the normalised selection
// [start, end] (start not after end).
TSelectionSplit SplitRunBySelection(int line, int c0, int n, TTextPos start, TTextPos end);

// Receives the runs of one line and draws them into the current line image.
class TAdvMemoRunPainter final : public IHighlightRunSink {
  public:
    struct Layout {
        int CharWidth = 0;
        int LineHeight = 0;
        int ImageWidth = 0;  // the text area's width
        int MarginX = -1;    // x of the right margin in image coordinates; -1: none
        bool BoldChangesWidth = false;
        bool OneBytePerChar = false;  // every character of the line is one byte
    };

    // selected: whether a selection is painted at all; start/end the normalised selection.
    TAdvMemoRunPainter(platform::IDrawingSurface& surface, const TPaintSource& source,
                       const TAdvMemoPaintSettings& settings, const Layout& layout, int line,
                       bool selected, TTextPos start, TTextPos end);

    void Run(std::string_view text, const HighlightState& state) override;
    // Runs of text left of the view, not drawn: only the position moves on.
    void Skipped(std::string_view text) override;

    // Fills from the current x to the image's right edge and draws the margin if it lies right.
    void FinishLine();
    // Underlines the matched block words of the line while an underline colour is set.
    void DrawBlockUnderlines();
    int64_t X() const { return fX; }
    int Column() const { return fColumn; }

  private:
    // Fills, redraws the margin and writes one part of k characters; advances x.
    void DrawPart(std::string_view part, int k, TColor text, TColor background, TFontStyles style);
    void DrawMarginIfRightOf(int64_t x);
    platform::SurfaceColor Resolve(TColor c) const;

    platform::IDrawingSurface& fSurface;
    const TPaintSource& fSource;
    const TAdvMemoPaintSettings& fSettings;
    Layout fLayout;
    int fLine;
    bool fSelected;
    TTextPos fStart;
    TTextPos fEnd;
    int64_t fX;  // 64 bits: a long line's cells reach beyond the range of int
    int fColumn = 0;
    std::string fTextBuffer;  // a part's text made well-formed for the surface
};

}  // namespace tarnwick::editor
