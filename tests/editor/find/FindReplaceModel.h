// A literal model of find and replace over a plain list of lines, the reference the editor's
// engine is checked against: every search splits the lines into characters, compares lowercased
// copies one position at a time and counts the offset from the first line; replacing splices
// the joined text. Slow on purpose and written for small documents.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/TextPos.h"
#include "editor/find/FindOptions.h"
#include "platform/Utf8Chars.h"

namespace tarnwick::editor::test {

struct FindReplaceModel {
    std::vector<std::string> lines;
    TTextPos caret;
    TTextPos anchor;
    TTextPos active;

    static std::vector<std::string> Chars(std::string_view text) {
        std::vector<std::string> chars;
        for (size_t at = 0; at < text.size();) {
            const size_t n = platform::utf8::CharLength(text, at);
            chars.emplace_back(text.substr(at, n));
            at += n;
        }
        return chars;
    }
    static std::string Lower(std::string s) {
        for (char& c : s) {
            c = AsciiLower(c);
        }
        return s;
    }
    static bool IsWord(const std::string& c) {
        return c.size() == 1 && IsFindWordChar(static_cast<unsigned char>(c[0]));
    }
    static int Length(std::string_view line) { return static_cast<int>(Chars(line).size()); }
    // The characters of line from column `from` up to column `to` (-1: the end).
    static std::vector<std::string> Part(std::string_view line, int from, int to) {
        std::vector<std::string> chars = Chars(line);
        const int end =
            to < 0 ? static_cast<int>(chars.size()) : std::min(to, static_cast<int>(chars.size()));
        if (from >= end) {
            return {};
        }
        return {chars.begin() + from, chars.begin() + end};
    }

    // Line matching: the index in s of the accepted occurrence, or -1.
    static int Match(const std::vector<std::string>& s, const std::vector<std::string>& p,
                     bool down, bool wholeWord) {
        const int n = static_cast<int>(s.size());
        const int m = static_cast<int>(p.size());
        int found = -1;
        for (int i = 0; i + m <= n; ++i) {
            bool same = true;
            for (int k = 0; k < m && same; ++k) {
                same = s[static_cast<size_t>(i + k)] == p[static_cast<size_t>(k)];
            }
            if (same) {
                found = i;
                if (down) {
                    break;
                }
            }
        }
        if (found >= 0 && wholeWord &&
            ((found > 0 && IsWord(s[static_cast<size_t>(found - 1)])) ||
             (found + m < n && IsWord(s[static_cast<size_t>(found + m)])))) {
            return -1;
        }
        return found;
    }

    int64_t Search(const std::string& text, TFindOptions options, bool firstLineRule) {
        if (text.empty()) {
            return -1;
        }
        const bool matchCase = (options & frMatchCase) != 0;
        const bool down = (options & frDown) != 0;
        const std::vector<std::string> p = Chars(matchCase ? text : Lower(text));
        const int count = static_cast<int>(lines.size());
        for (int i = caret.Y; down ? i < count : i >= 0; i += down ? 1 : -1) {
            const std::string line =
                matchCase ? lines[static_cast<size_t>(i)] : Lower(lines[static_cast<size_t>(i)]);
            int offset = 0;
            std::vector<std::string> s;
            if (anchor.Y == i && active.Y == i) {
                if (down) {
                    if (active.X >= Length(line)) {
                        continue;
                    }
                    offset = active.X;
                    s = Part(line, offset, -1);
                } else {
                    s = Part(line, 0, anchor != active ? anchor.X : caret.X);
                }
            } else if (firstLineRule && i == caret.Y && anchor.X > 0) {
                offset = anchor.X;
                s = Part(line, offset, -1);
            } else {
                s = Chars(line);
            }
            const int m = Match(s, p, down, (options & frWholeWord) != 0);
            if (m < 0) {
                continue;
            }
            caret = {offset + m, i};
            anchor = caret;
            active = {caret.X + static_cast<int>(p.size()), i};
            int64_t start = 0;
            for (int k = 0; k < i; ++k) {
                start += Length(lines[static_cast<size_t>(k)]) + 2;
            }
            return start + caret.X;
        }
        anchor = active = {0, 0};
        return -1;
    }

    // Replaces the selection (or inserts at the caret) by text; the caret ends behind it.
    void Insert(const std::string& text) {
        std::string joined;
        size_t at = 0;
        size_t to = 0;
        const TTextPos from = anchor != active ? std::min(anchor, active) : caret;
        const TTextPos end = anchor != active ? std::max(anchor, active) : caret;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                joined += "\r\n";
            }
            auto byteOf = [&](int column) {
                size_t b = 0;
                for (const std::string& c : Part(lines[i], 0, column)) {
                    b += c.size();
                }
                return joined.size() + b;
            };
            if (static_cast<int>(i) == from.Y) {
                at = byteOf(from.X);
            }
            if (static_cast<int>(i) == end.Y) {
                to = byteOf(end.X);
            }
            joined += lines[i];
        }
        joined.replace(at, to - at, text);
        lines.clear();
        const size_t stop = at + text.size();
        size_t lineStart = 0;
        for (size_t b = 0;; ++b) {
            if (b == stop) {
                caret = {Length(std::string_view(joined).substr(lineStart, b - lineStart)),
                         static_cast<int>(lines.size())};
            }
            if (b == joined.size() || joined.compare(b, 2, "\r\n") == 0) {
                lines.push_back(joined.substr(lineStart, b - lineStart));
                if (b == joined.size()) {
                    break;
                }
                lineStart = b + 2;
                ++b;
            }
        }
        anchor = active = caret;
    }

    int ReplaceAll(const std::string& text, const std::string& replacement, TFindOptions options) {
        int count = 0;
        while (Search(text, options, false) >= 0) {
            Insert(replacement);
            ++count;
        }
        return count;
    }
};

}  // namespace tarnwick::editor::test
