// TStartStateScanner: finds the HighlightState at the start of a line without tokenizing the
// lines above it. It follows only comments and bracketed elements, continues from the nearest
// line with a cached start state, and caches the state of every twentieth line it passes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "editor/highlight/HighlightState.h"
#include "editor/highlight/LineTokenizer.h"

namespace tarnwick::editor {

class TAdvCustomMemoStyler;
class TAdvMemoStrings;

class TStartStateScanner {
  public:
    TStartStateScanner();
    ~TStartStateScanner();
    TStartStateScanner(const TStartStateScanner&) = delete;
    TStartStateScanner& operator=(const TStartStateScanner&) = delete;

    static constexpr int kCacheInterval = 20;

    // The state at the start of line n of lines, with styler (null: none) in use or not.
    // Stores the result in line n's record and caches passed lines on the way.
    HighlightState Scan(TAdvMemoStrings& lines, int n, TAdvCustomMemoStyler* styler, bool useStyler,
                        const std::string& delimiters, bool urlAware = false);

    // Scans one line from state; Scan prepares the delimiters it uses. Addresses are skipped
    // when the editor shows them as links.
    void ScanLine(std::string_view text, HighlightState& state);
    // False when a line comment ended the line.
    bool ScanPiece(std::string_view text, HighlightState& state);

  private:
    class TFrontDelimiter;
    std::unique_ptr<TFrontDelimiter> fStarts;
    std::unique_ptr<TFrontDelimiter> fEnds;
    TLineTokenizer fBrackets;  // prepared per scan; supplies the bracketed-element rule
    TAdvCustomMemoStyler* fStyler = nullptr;
    bool fSkipToDelimiters = false;
    bool fUrlAware = false;  // no bracket styles: jump between delimiter characters
};

}  // namespace tarnwick::editor
