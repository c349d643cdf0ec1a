#include "editor/highlight/StartStateScanner.h"

#include <array>
#include <utility>
#include <vector>

#include "editor/document/AdvMemoStrings.h"
#include "editor/highlight/AdvCustomMemoStyler.h"
#include "editor/highlight/UrlFinder.h"

namespace tarnwick::editor {
namespace {
constexpr size_t kNone = std::string_view::npos;
}  // namespace

// Finds whether a comment delimiter stands at the front of what is left of the line, with the
// styler's rule that its own delimiter wins when it occurs anywhere in that text.
class TStartStateScanner::TFrontDelimiter {
  public:
    TFrontDelimiter(const std::string& own, const TElementStyles& styles, bool left) {
        if (!own.empty()) {
            fDelimiters.push_back(own);
        }
        for (int i = 0; i < styles.Count(); ++i) {
            const TElementStyle& s = styles.Items(i);
            const std::string& d = left ? s.CommentLeft() : s.CommentRight();
            if (s.StyleType() == stComment && !d.empty()) {
                fDelimiters.push_back(d);
            }
        }
        fNext.assign(fDelimiters.size(), Cache{});
        for (const std::string& d : fDelimiters) {
            fFirstChars[static_cast<unsigned char>(d[0])] = true;
        }
    }

    void StartLine(std::string_view text) {
        fText = text;
        for (Cache& c : fNext) {
            c = Cache{};
        }
    }

    // Length of the delimiter at offset pos, 0 when none is there.
    size_t At(size_t pos) {
        for (size_t i = 0; i < fDelimiters.size(); ++i) {
            const size_t next = Next(i, pos);
            if (next != kNone) {
                return next == pos ? fDelimiters[i].size() : 0;
            }
        }
        return 0;
    }

    bool MayStart(char c) const { return fFirstChars[static_cast<unsigned char>(c)]; }
    bool Empty() const { return fDelimiters.empty(); }

  private:
    struct Cache {
        size_t from = kNone;
        size_t at = kNone;
    };
    size_t Next(size_t i, size_t pos) {
        Cache& c = fNext[i];
        if (c.from == kNone || pos < c.from || (c.at != kNone && pos > c.at)) {
            c = {pos, fText.find(fDelimiters[i], pos)};
        }
        return c.at;
    }

    std::vector<std::string> fDelimiters;
    std::vector<Cache> fNext;
    std::array<bool, 256> fFirstChars{};
    std::string_view fText;
};

TStartStateScanner::TStartStateScanner() = default;
TStartStateScanner::~TStartStateScanner() = default;

HighlightState TStartStateScanner::Scan(TAdvMemoStrings& lines, int n, TAdvCustomMemoStyler* styler,
                                        bool useStyler, const std::string& delimiters,
                                        bool urlAware) {
    HighlightState state;
    if (styler == nullptr || !useStyler || lines.Count() == 0) {
        return state;
    }
    fStyler = styler;
    fUrlAware = urlAware;
    TTokenizerSettings settings;
    settings.Styler = styler;
    settings.UseStyler = useStyler;
    settings.Delimiters = delimiters;
    fBrackets.Prepare(settings);
    fStarts =
        std::make_unique<TFrontDelimiter>(styler->MultiCommentLeft, styler->AllStyles(), true);
    fEnds =
        std::make_unique<TFrontDelimiter>(styler->MultiCommentRight, styler->AllStyles(), false);
    fSkipToDelimiters = true;
    for (int i = 0; i < styler->AllStyles().Count(); ++i) {
        if (styler->AllStyles().Items(i).StyleType() == stBracket) {
            fSkipToDelimiters = false;
        }
    }

    const int count = lines.Count();
    int from = 0;
    for (int d = (n < count ? n : count) - 1; d >= 0; --d) {
        const TLineProp* record = std::as_const(lines).LineProp(d);
        if (record != nullptr && record->StartStateValid) {
            state = record->StartStateCache;
            from = d;
            break;
        }
    }
    const bool blockComments = styler->HasBlockComments();
    for (int k = from; k < n && k < count; ++k) {
        const std::string_view text = lines.View(k);
        if (text.empty()) {
            continue;
        }
        const HighlightState atStart = state;
        if (blockComments) {
            ScanLine(text, state);
        }
        if (k % kCacheInterval == 0) {
            const TLineProp* existing = std::as_const(lines).LineProp(k);
            if (existing != nullptr && !existing->StartStateValid) {
                TLineProp* record = lines.LineProp(k);
                record->StartStateCache = atStart;
                record->StartStateValid = true;
            }
        }
    }
    state = state.Persistent();
    if (n >= 0 && n < count) {
        if (TLineProp* record = lines.LineProp(n)) {
            record->StartStateCache = state;
            record->StartStateValid = true;
        }
    }
    return state;
}

void TStartStateScanner::ScanLine(std::string_view text, HighlightState& state) {
    if (!fUrlAware) {
        ScanPiece(text, state);
        return;
    }
    size_t from = 0;
    for (TUrlSpan url = FindUrl(text); url.Start != std::string_view::npos;
         url = FindUrl(text, from)) {
        if (!ScanPiece(text.substr(from, url.Start - from), state)) {
            return;
        }
        from = url.Start + url.Length;
    }
    ScanPiece(text.substr(from), state);
}

bool TStartStateScanner::ScanPiece(std::string_view text, HighlightState& state) {
    TFrontDelimiter& starts = *fStarts;
    TFrontDelimiter& ends = *fEnds;
    starts.StartLine(text);
    ends.StartLine(text);
    const std::string& lineComment = fStyler->LineComment;
    size_t pos = 0;
    char previous = '\0';
    while (pos < text.size()) {
        if (fSkipToDelimiters && !state.InBracket) {
            // Only a delimiter can change the state here: skip to the next one.
            const size_t before = pos;
            if (state.InComment) {
                while (pos < text.size() && !ends.MayStart(text[pos])) {
                    ++pos;
                }
            } else {
                while (pos < text.size() && !starts.MayStart(text[pos]) &&
                       (lineComment.empty() || text[pos] != lineComment[0])) {
                    ++pos;
                }
            }
            if (pos > before) {
                previous = text[pos - 1];
            }
            if (pos >= text.size()) {
                break;
            }
        }
        if (!state.InComment && !state.InBracket) {
            if (const size_t length = starts.At(pos); length > 0) {
                state.InComment = true;
                pos += length;
            }
        }
        if (state.InComment && !state.InBracket) {
            if (const size_t length = ends.At(pos); length > 0) {
                state.InComment = false;
                pos += length;
            }
        }
        const std::string_view left = text.substr(pos);
        if (!state.InComment && !state.InBracket && !lineComment.empty() &&
            left.substr(0, lineComment.size()) == lineComment) {
            return false;  // a line comment ends the line and does not carry over
        }
        size_t take = 1;
        if (!state.InComment) {
            const TLineTokenizer::BracketStep step = fBrackets.StepBracket(left, previous, state);
            state = step.After;
            take = step.Take > 1 ? step.Take : 1;
        }
        if (left.empty()) {
            break;
        }
        previous = left[take - 1];
        pos += take;
    }
    return true;
}

}  // namespace tarnwick::editor
