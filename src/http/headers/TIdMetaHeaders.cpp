#include "http/headers/TIdMetaHeaders.h"

#include <string>

#include "http/core/TIdTextUtil.h"

namespace tarnwick::http {

namespace {

constexpr std::string_view kCharsetLinePrefix = "Content-Type: text/html; charset=\"";
constexpr std::size_t kReadChunk = 64 * 1024;

enum class State { BeforeHTML, InHTML, AfterTitle, InHead, InBody };

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':' || c == '.';
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

class MetaScanner {
  public:
    MetaScanner(std::string_view text, TIdHeaderList& list) : fS(text), fList(list) {}

    void Run() {
        State state = State::BeforeHTML;
        while (state != State::AfterTitle && state != State::InBody) {
            const auto open = fS.find('<', fPos);
            if (open == std::string_view::npos) {
                return;
            }
            fPos = open + 1;
            if (At('?')) {
                ++fPos;
            } else if (fS.compare(fPos, 3, "!--") == 0) {
                // A comment is not a tag: step over it and look for the next "<".
                const auto close = fS.find("-->", fPos + 3);
                if (close == std::string_view::npos) {
                    return;
                }
                fPos = close + 3;
                continue;
            }
            SkipBlanks();
            const std::string word = ReadWord();
            state = Step(state, word);
        }
    }

  private:
    State Step(State state, const std::string& word) {
        switch (state) {
            case State::BeforeHTML:
                SkipToTagEnd();
                return EqualsNoCase(word, "HTML") ? State::InHTML : state;
            case State::InHTML:
                SkipToTagEnd();
                if (EqualsNoCase(word, "TITLE")) {
                    return State::AfterTitle;
                }
                if (EqualsNoCase(word, "HEAD")) {
                    return State::InHead;
                }
                return EqualsNoCase(word, "BODY") ? State::InBody : state;
            case State::InHead:
                return StepInHead(word);
            default:
                return state;
        }
    }

    State StepInHead(const std::string& word) {
        if (EqualsNoCase(word, "TITLE") || EqualsNoCase(word, "SCRIPT")) {
            // Their content is text: a "<" inside is not a tag.
            SkipToTagEnd();
            SkipPastClosingTag(word);
        } else if (EqualsNoCase(word, "LINK")) {
            SkipToTagEnd();
        } else if (EqualsNoCase(word, "META")) {
            ReadMeta();
        } else if (EqualsNoCase(word, "BODY")) {
            // The head is over; a META in the body declares nothing.
            return State::InBody;
        }
        return State::InHead;
    }

    void ReadMeta() {
        SkipBlanks();
        const std::string attribute = ReadWord();
        SkipBlanks();
        const bool hasValue = At('=');
        if (hasValue && EqualsNoCase(attribute, "HTTP-EQUIV")) {
            ++fPos;
            ReadHttpEquiv();
        } else if (hasValue && EqualsNoCase(attribute, "charset")) {
            ++fPos;
            SkipBlanks();
            const std::string value = ReadValue(false);
            SkipToTagEnd();
            fList.AddLine(std::string(kCharsetLinePrefix) + value + "\"");
        } else {
            SkipToTagEnd();
        }
    }

    void ReadHttpEquiv() {
        SkipBlanks();
        std::string line = ReadValue(false);
        if (line.empty()) {
            SkipToTagEnd();
            return;
        }
        line += ':';
        while (fPos < fS.size()) {
            SkipBlanks();
            if (At('>')) {
                ++fPos;
                break;
            }
            if (At('/')) {
                ++fPos;
                continue;
            }
            const std::string attribute = ReadWord();
            if (attribute.empty()) {
                ++fPos;  // a stray character between attributes
                continue;
            }
            SkipBlanks();
            if (!At('=')) {
                continue;
            }
            ++fPos;
            SkipBlanks();
            const bool isContent = EqualsNoCase(attribute, "CONTENT");
            const std::string value = ReadValue(isContent);
            if (isContent) {
                line += ' ';
                line += value;
            }
        }
        fList.AddLine(std::move(line));
    }

    // A quoted value (to its matching quote) or an unquoted one. For CONTENT an unquoted value
    // runs to a blank or ">", and a quote closed in the middle of text (content="text/html;
    // charset="utf-8"") continues to the next quote of the same kind.
    std::string ReadValue(bool content) {
        if (fPos < fS.size() && IsQuote(fS[fPos])) {
            const char quote = fS[fPos++];
            std::string value = TakeUntil(quote);
            if (content && fPos < fS.size() && !IsBlank(fS[fPos]) && fS[fPos] != '/' &&
                fS[fPos] != '>') {
                value += TakeUntil(quote);
            }
            return value;
        }
        if (!content) {
            return ReadWord();
        }
        const std::size_t start = fPos;
        while (fPos < fS.size() && !IsBlank(fS[fPos]) && fS[fPos] != '>') {
            ++fPos;
        }
        return std::string(fS.substr(start, fPos - start));
    }

    // The text up to `quote`; the position moves past the quote.
    std::string TakeUntil(char quote) {
        const auto close = fS.find(quote, fPos);
        const std::size_t end = close == std::string_view::npos ? fS.size() : close;
        std::string value(fS.substr(fPos, end - fPos));
        fPos = close == std::string_view::npos ? fS.size() : close + 1;
        return value;
    }

    void SkipPastClosingTag(const std::string& word) {
        const std::string closing = "</" + AsciiLowerCopy(word);
        for (auto at = fS.find('<', fPos); at != std::string_view::npos;
             at = fS.find('<', at + 1)) {
            if (EqualsNoCase(fS.substr(at, closing.size()), closing)) {
                fPos = at + closing.size();
                SkipToTagEnd();
                return;
            }
        }
        fPos = fS.size();
    }

    bool At(char c) const { return fPos < fS.size() && fS[fPos] == c; }

    void SkipBlanks() {
        while (fPos < fS.size() && IsBlank(fS[fPos])) {
            ++fPos;
        }
    }

    std::string ReadWord() {
        const std::size_t start = fPos;
        while (fPos < fS.size() && IsWordChar(fS[fPos])) {
            ++fPos;
        }
        return std::string(fS.substr(start, fPos - start));
    }

    void SkipToTagEnd() {
        const auto close = fS.find('>', fPos);
        fPos = close == std::string_view::npos ? fS.size() : close + 1;
    }

    std::string_view fS;
    TIdHeaderList& fList;
    std::size_t fPos = 0;
};

}  // namespace

void ExtractMetaHeaders(std::string_view html, TIdHeaderList& list) {
    MetaScanner(html, list).Run();
}

void ExtractMetaHeaders(TIdStream& body, TIdHeaderList& list) {
    const std::int64_t saved = body.Position();
    body.SetPosition(0);
    std::string text;
    for (;;) {
        const std::size_t had = text.size();
        text.resize(had + kReadChunk);
        const std::size_t got =
            body.Read(reinterpret_cast<std::uint8_t*>(text.data()) + had, kReadChunk);
        text.resize(had + got);
        if (got == 0) {
            break;
        }
    }
    body.SetPosition(saved);
    ExtractMetaHeaders(text, list);
}

}  // namespace tarnwick::http
