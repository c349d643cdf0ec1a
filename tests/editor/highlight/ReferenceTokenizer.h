// A deliberately literal tokenizer for the tests: it keeps "the rest" as a real string and
// deletes from it exactly as the line rules are worded, rescanning the rest for every search.
// Slow and simple, it is the yardstick the editor's tokenizer is compared with. It supports
// keywords, symbols, comments and numbers (no bracketed elements).
#pragma once

#include <string>
#include <vector>

#include "editor/document/AnsiCase.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor::test {

struct ReferenceConfig {
    std::string LineComment = "//";
    std::string MultiCommentLeft = "{";
    std::string MultiCommentRight = "}";
    std::vector<std::pair<std::string, std::string>> CommentStyles;  // stComment delimiters
    std::string HexIdentifier = "$";
    std::string NumberChars = "+-.0123456789";
    std::vector<std::string> Keywords;  // style index 0
    std::string Symbols;                // style index 1 when not empty (also the Delimiters)
    bool CaseSensitive = false;
    std::string HighlightText;
};

class ReferenceTokenizer {
  public:
    explicit ReferenceTokenizer(ReferenceConfig c) : fC(std::move(c)) {}

    HighlightState Line(const std::string& line, HighlightState s, std::vector<RecordedRun>& out) {
        fOut = &out;
        fS = s;
        fPending = {"", s};
        fLineComment = false;
        if (fC.HighlightText.empty()) {
            Piece(line);
        } else {
            size_t from = 0;
            for (size_t at = line.find(fC.HighlightText); at != std::string::npos;
                 at = line.find(fC.HighlightText, from)) {
                Piece(line.substr(from, at - from));
                fS.IsHighlight = true;
                Emit(fC.HighlightText);
                from = at + fC.HighlightText.size();
            }
            Piece(line.substr(from));
        }
        Flush();
        if (fLineComment) {
            fS.InComment = false;
        }
        return fS;
    }

  private:
    void Flush() {
        if (!fPending.Text.empty()) {
            fOut->push_back(fPending);
        }
    }
    void Emit(const std::string& t) {
        if (fS == fPending.State) {
            fPending.Text += t;
        } else {
            Flush();
            fPending = {t, fS};
        }
        fS.ClearOneShotFlags();
    }
    bool HasBlockComments() const {
        if (!fC.MultiCommentLeft.empty() && !fC.MultiCommentRight.empty())
            return true;
        for (auto& [l, r] : fC.CommentStyles) {
            if (!l.empty() && !r.empty())
                return true;
        }
        return false;
    }
    // 0-based position and length of the delimiter, npos when none.
    std::pair<size_t, size_t> Find(const std::string& rest, bool left) const {
        const std::string& own = left ? fC.MultiCommentLeft : fC.MultiCommentRight;
        if (!own.empty() && rest.find(own) != std::string::npos)
            return {rest.find(own), own.size()};
        for (auto& [l, r] : fC.CommentStyles) {
            const std::string& d = left ? l : r;
            if (!d.empty() && rest.find(d) != std::string::npos)
                return {rest.find(d), d.size()};
        }
        return {std::string::npos, 0};
    }
    static bool In(const std::string& set, char c) { return set.find(c) != std::string::npos; }

    void Piece(std::string rest) {
        const std::string startSet = AnsiUpperCase(fC.NumberChars + fC.HexIdentifier);
        const std::string bodySet = AnsiUpperCase(fC.NumberChars) + "E";
        const std::string hexPrefix = AnsiUpperCase(fC.HexIdentifier);
        const std::string& delimiters = fC.Symbols;
        size_t p = 0;
        bool wordStart = true;
        bool consumed = false;
        while (!rest.empty() && p < rest.size()) {
            if (!consumed) {
                wordStart =
                    p == 0 || rest[p] == ' ' || delimiters.empty() || In(delimiters, rest[p]);
            }
            consumed = false;
            if (!fS.InBracket && HasBlockComments()) {
                if (fS.InComment) {
                    auto [pos, len] = Find(rest, false);
                    if (pos == std::string::npos) {
                        Emit(rest);
                        return;
                    }
                    Emit(rest.substr(0, pos + len));
                    rest.erase(0, pos + len);
                    fS.InComment = false;
                    if (rest.empty())
                        return;
                    consumed = true;
                } else {
                    auto [pos, len] = Find(rest, true);
                    if (pos == p) {
                        const std::string delimiter = rest.substr(p, len);
                        rest.erase(0, p + len);
                        fS.InComment = true;
                        Emit(delimiter);
                        if (rest.empty())
                            return;
                        consumed = true;
                        p = 0;
                    }
                }
            }
            if (!consumed && !fS.InComment) {
                if (!fS.InBracket && !fC.LineComment.empty() && rest.find(fC.LineComment) == p) {
                    fS.InComment = true;
                    Emit(rest.substr(p));
                    fLineComment = true;
                    return;
                }
            }
            if (rest.empty() || p >= rest.size())
                break;
            if (!consumed && !fC.Symbols.empty() && In(fC.Symbols, rest[p])) {
                fS.IsSymbol = true;
                fS.StyleIndex = 1;
                Emit(rest.substr(p, 1));
                rest.erase(p, 1);
                wordStart = true;
                consumed = true;
            }
            if (consumed)
                continue;
            if (wordStart && In(startSet, AnsiUpperChar(rest[p]))) {
                std::string allowed = bodySet;
                size_t q = p;
                if (!hexPrefix.empty() && AnsiUpperCase(rest).find(hexPrefix) == p) {
                    allowed += "ABCDEF";
                    q = p + hexPrefix.size();
                }
                size_t firstPeriod = std::string::npos;
                size_t end = std::string::npos;
                while (q < rest.size() && In(allowed, AnsiUpperChar(rest[q]))) {
                    if (rest[q] == '.') {
                        if (firstPeriod != std::string::npos) {
                            end = firstPeriod;
                            break;
                        }
                        firstPeriod = q;
                    }
                    ++q;
                }
                if (end == std::string::npos)
                    end = q;
                if (end > p) {
                    fS.IsNumber = true;
                    fS.IsKeyword = fS.IsSymbol = fS.InComment = false;
                    Emit(rest.substr(p, end - p));
                    rest.erase(p, end - p);
                    wordStart = false;
                    consumed = true;
                }
            }
            if (consumed)
                continue;
            size_t e = p + 1;
            while (e < rest.size() && !In(" ;:", rest[e]) && !In(delimiters, rest[e]))
                ++e;
            const std::string word = rest.substr(p, e - p);
            if (wordStart) {
                const std::string key = fC.CaseSensitive ? word : AnsiLowerCase(word);
                for (const std::string& k : fC.Keywords) {
                    if ((fC.CaseSensitive ? k : AnsiLowerCase(k)) == key) {
                        fS.IsKeyword = true;
                        fS.StyleIndex = 0;
                        Emit(word);
                        rest.erase(p, word.size());
                        consumed = true;
                        break;
                    }
                }
            }
            if (consumed)
                continue;
            Emit(rest.substr(p, 1));
            ++p;
        }
    }

    ReferenceConfig fC;
    std::vector<RecordedRun>* fOut = nullptr;
    HighlightState fS;
    RecordedRun fPending;
    bool fLineComment = false;
};

}  // namespace tarnwick::editor::test
