// The run painter: colour choice by highlight state, the selection split and the drawing of
// the before, selected and after parts of a run.
#include "editor/view/AdvMemoPaintRun.h"

#include <algorithm>

#include "editor/blockmatch/AdvMemoBlockMatch.h"
#include "editor/highlight/AdvCustomMemoStyler.h"
#include "editor/view/PaintSource.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor {

namespace {

// Characters of text (one per byte when ascii says every character is one byte).
int Chars(std::string_view text, bool oneBytePerChar) {
    return oneBytePerChar ? static_cast<int>(text.size()) : platform::utf8::CharCount(text);
}

// The text of the characters [first, first + count) of text.
std::string_view CharSlice(std::string_view text, int first, int count, bool oneBytePerChar) {
    if (oneBytePerChar) {
        return text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
    }
    const size_t from = std::min(platform::utf8::ByteOffsetOfColumn(text, first), text.size());
    const std::string_view rest = text.substr(from);
    return rest.substr(0, std::min(platform::utf8::ByteOffsetOfColumn(rest, count), rest.size()));
}

// Format characters that take no width of their own: the byte order mark, zero-width space
// and joiners, direction marks and embeddings, invisible operators, line and paragraph
// separators, the soft hyphen, tags. A text layout gives them no cell (and drops a leading
// byte order mark altogether), which would shift everything after them off the grid.
bool IsZeroWidthFormat(char32_t c) {
    return c == 0x00AD || c == 0x061C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
           (c >= 0xFFF9 && c <= 0xFFFB) || c == 0xE0001 || (c >= 0xE0020 && c <= 0xE007F);
}

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr char32_t kControlSymbols = 0x2400;  // SYMBOL FOR NULL, then one per control code
constexpr char32_t kDeleteSymbol = 0x2421;

// Text as the surface takes it: well-formed UTF-8, a stray byte replaced by the UTF-8 of its
// Windows-1252 character, a control character by its symbol and a zero-width format character
// by kZeroWidthMark, so that every character still takes one cell and the invisible ones can
// be seen.
std::string_view SurfaceText(std::string_view text, std::string& buffer) {
    const auto isControl = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < kFirstPrintable || byte == kDelete;
    };
    // Printable ASCII goes as it is; one pass tells.
    if (std::all_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte >= kFirstPrintable && byte < kDelete;
        })) {
        return text;
    }
    buffer.clear();
    for (size_t pos = 0; pos < text.size();) {
        size_t length = 1;
        const char32_t c = platform::utf8::DecodeChar(text, pos, length);
        if (length == 1 && isControl(text[pos])) {
            // A control character (NUL included) shows as its symbol from the Control
            // Pictures block, so it takes its cell visibly instead of drawing nothing.
            char bytes[4];
            const char32_t symbol = c == kDelete ? kDeleteSymbol : kControlSymbols + c;
            buffer.append(bytes, platform::utf8::Encode(symbol, bytes));
        } else if (length == 1 && static_cast<unsigned char>(text[pos]) >= 0x80) {
            char bytes[4];
            buffer.append(bytes, platform::utf8::Encode(c, bytes));
        } else if (length > 1 && IsZeroWidthFormat(c)) {
            buffer.append(kZeroWidthMark);
        } else {
            buffer.append(text.substr(pos, length));
        }
        pos += length;
    }
    return buffer;
}

TColor OrBackground(TColor color, TColor bk) {
    return color == kClNone ? bk : color;
}

// A char style's colours; its background falls back to the editor's unless told otherwise.
void ApplyCharStyle(TRunColors& c, const TCharStyle& style, TColor bk, bool ownBackground) {
    c.Text = style.TextColor;
    c.Style = style.Style;
    c.Background = ownBackground ? style.BkColor : OrBackground(style.BkColor, bk);
}

// The element style of state's StyleIndex, or nullptr when it cannot be reached.
const TElementStyle* ElementStyleOf(const HighlightState& state, const TPaintSource& source) {
    const TAdvCustomMemoStyler* styler = source.SyntaxStyles();
    if (styler == nullptr || state.StyleIndex < 0 ||
        state.StyleIndex >= styler->AllStyles().Count()) {
        return nullptr;
    }
    return &styler->AllStyles().Items(state.StyleIndex);
}

void ApplyElementStyle(TRunColors& c, const HighlightState& state, const TPaintSource& source) {
    if (const TElementStyle* style = ElementStyleOf(state, source)) {
        c.Text = style->Font().Color;
        c.Style = style->Font().Style;
        c.Background = OrBackground(style->BGColor(), source.BkColor());
    }
}

}  // namespace

TRunColors ChooseRunColors(const HighlightState& state, const TPaintSource& source,
                           const TAdvMemoPaintSettings& settings) {
    const TColor bk = source.BkColor();
    TRunColors c{settings.Font.Color, bk, settings.Font.Style};
    const TAdvCustomMemoStyler* styler = source.SyntaxStyles();
    if (state.IsHighlight) {
        if (styler != nullptr) {
            ApplyCharStyle(c, styler->HighlightStyle, bk, true);
        }
    } else if (state.InComment && !state.IsUrl) {
        if (styler != nullptr) {
            ApplyCharStyle(c, styler->CommentStyle, bk, false);
        }
    } else if (!state.InBracket || state.IsUrl) {
        if (state.IsNumber && styler != nullptr) {
            ApplyCharStyle(c, styler->NumberStyle, bk, false);
        }
        if (state.IsSymbol || state.IsKeyword) {
            ApplyElementStyle(c, state, source);
        }
        if (state.IsUrl) {
            ApplyCharStyle(
                c, TCharStyle{settings.UrlTextColor, settings.UrlBkColor, settings.UrlStyle}, bk,
                false);
        }
    } else {
        ApplyElementStyle(c, state, source);
    }
    return c;
}

TSelectionSplit SplitRunBySelection(int line, int c0, int n, TTextPos start, TTextPos end) {
    if (line < start.Y || line > end.Y) {
        return {0, 0};
    }
    int first = 0;
    int last = n;
    if (start.Y == line && end.Y == line) {
        if (start.X == end.X || start.X >= c0 + n) {
            return {0, 0};
        }
        if (c0 >= end.X) {
            return {n, n};
        }
        first = start.X - c0;
        last = end.X - c0;
    } else if (start.Y == line) {
        first = start.X - c0;
    } else if (end.Y == line) {
        last = end.X - c0;
    }
    first = std::clamp(first, 0, n);
    last = std::clamp(last, 0, n);
    return {first, std::max(first, last)};
}

TAdvMemoRunPainter::TAdvMemoRunPainter(platform::IDrawingSurface& surface,
                                       const TPaintSource& source,
                                       const TAdvMemoPaintSettings& settings, const Layout& layout,
                                       int line, bool selected, TTextPos start, TTextPos end)
    : fSurface(surface),
      fSource(source),
      fSettings(settings),
      fLayout(layout),
      fLine(line),
      fSelected(selected),
      fStart(start),
      fEnd(end),
      fX(-static_cast<int64_t>(source.FirstVisibleColumn()) * layout.CharWidth) {}

platform::SurfaceColor TAdvMemoRunPainter::Resolve(TColor c) const {
    return fSettings.SystemColors.Resolve(OrBackground(c, fSource.BkColor()));
}

void TAdvMemoRunPainter::Run(std::string_view text, const HighlightState& state) {
    // Positions count characters: a UTF-8 sequence or a stray byte takes one cell.
    const bool single = fLayout.OneBytePerChar || platform::utf8::IsAscii(text);
    const int n = Chars(text, single);
    if (n == 0) {
        return;
    }
    const TRunColors colors = ChooseRunColors(state, fSource, fSettings);
    TSelectionSplit split{0, 0};
    if (fSelected) {
        split = SplitRunBySelection(fLine, fColumn, n, fStart, fEnd);
    }
    TFontStyles style = colors.Style;
    // A bold face of another width would break the cell grid.
    if (fLayout.BoldChangesWidth) {
        style = static_cast<TFontStyles>(style & ~fsBold);
    }
    // A run starting at a matched block word shows the block colour before the selection; the
    // part after the selection keeps the run's own colours. A run on a line the selection does
    // not reach is wholly "before"; one behind a selection ending on its line wholly "after".
    TColor before = colors.Background;
    const TAdvMemoBlockMatch& blocks = fSource.BlockMatch();
    if (blocks.BlockShow && blocks.MatchAt(fLine, fColumn) != nullptr) {
        before = blocks.BlockColor;
        if (!fSelected || fLine < fStart.Y || fLine > fEnd.Y) {
            split = {n, n};
        } else if (fLine == fEnd.Y && fColumn >= fEnd.X) {
            split = {0, 0};
        }
    }
    DrawPart(CharSlice(text, 0, split.First, single), split.First, colors.Text, before, style);
    DrawPart(CharSlice(text, split.First, split.Last - split.First, single),
             split.Last - split.First, fSettings.SelColor, fSettings.SelBkColor, style);
    DrawPart(CharSlice(text, split.Last, n - split.Last, single), n - split.Last, colors.Text,
             colors.Background, style);
    fColumn += n;
}

void TAdvMemoRunPainter::Skipped(std::string_view text) {
    const int n = Chars(text, fLayout.OneBytePerChar || platform::utf8::IsAscii(text));
    fX += static_cast<int64_t>(n) * fLayout.CharWidth;
    fColumn += n;
}

void TAdvMemoRunPainter::DrawMarginIfRightOf(int64_t x) {
    if (fLayout.MarginX >= 0 && x < fLayout.MarginX) {
        fSurface.Line(fLayout.MarginX, 0, fLayout.MarginX, fLayout.LineHeight,
                      Resolve(fSettings.RightMarginColor), 2);
    }
}

void TAdvMemoRunPainter::DrawPart(std::string_view part, int k, TColor text, TColor background,
                                  TFontStyles style) {
    if (k == 0) {
        return;
    }
    // Pixel positions of a long line pass the range of int (268,435,456 cells of 8 pixels
    // reach 2^31): they are computed in 64 bits, and only what reaches into the image, a
    // cell at most beyond either edge, goes to the surface.
    const int64_t cw = fLayout.CharWidth;
    const int64_t left = fX;
    const int64_t right = fX + k * cw;
    fX = right;
    if (right <= 0 || left >= fLayout.ImageWidth || cw <= 0) {
        return;  // wholly outside the line image: nothing to see
    }
    const int64_t width = fLayout.ImageWidth;
    fSurface.FillRect({static_cast<int>(std::max(left, -cw)), 0,
                       static_cast<int>(std::min(right, width + cw)), fLayout.LineHeight},
                      Resolve(background));
    DrawMarginIfRightOf(left);
    // Only the characters that reach into the image are written; the grid keeps their places.
    const int64_t skip = left < 0 ? (-left) / cw : 0;
    const int64_t visible = std::min<int64_t>(k - skip, (width - (left + skip * cw) + cw - 1) / cw);
    fSurface.SetFont(ToSurfaceFont(fSettings.Font, style));
    const bool single = static_cast<int>(part.size()) == k;
    const std::string_view shown = CharSlice(
        part, static_cast<int>(skip), static_cast<int>(std::max<int64_t>(0, visible)), single);
    fSurface.TextOut(static_cast<int>(left + skip * cw), 0, SurfaceText(shown, fTextBuffer),
                     Resolve(text), static_cast<int>(cw));
}

void TAdvMemoRunPainter::DrawBlockUnderlines() {
    const TAdvMemoBlockMatch& blocks = fSource.BlockMatch();
    if (blocks.BlockLineColor == kClNone) {
        return;
    }
    const int64_t cw = fLayout.CharWidth;
    const int64_t shift = fSource.FirstVisibleColumn();
    const int64_t width = fLayout.ImageWidth;
    const int y = fLayout.LineHeight - 2;
    for (const TBlockMatch* match : {&blocks.Closing(), &blocks.Opening()}) {
        if (match->Line == fLine && match->Length > 0) {
            const int64_t from = (match->Column - shift) * cw;
            const int64_t to = (match->Column + match->Length - shift) * cw;
            if (to < 0 || from > width) {
                continue;
            }
            fSurface.Line(static_cast<int>(std::max<int64_t>(from, -1)), y,
                          static_cast<int>(std::min(to, width + 1)), y,
                          Resolve(blocks.BlockLineColor), 1);
        }
    }
}

void TAdvMemoRunPainter::FinishLine() {
    const int64_t left = std::max<int64_t>(fX, 0);
    if (left < fLayout.ImageWidth) {
        fSurface.FillRect({static_cast<int>(left), 0, fLayout.ImageWidth, fLayout.LineHeight},
                          Resolve(fSource.BkColor()));
    }
    DrawMarginIfRightOf(fX);
}

}  // namespace tarnwick::editor
