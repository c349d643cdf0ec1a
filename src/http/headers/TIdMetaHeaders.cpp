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
    MetaScanner(std::string_view text, TIdHeaderList& list) : s_(text), list_(list) {}

    void Run() {
        State state = State::BeforeHTML;
        while (state != State::AfterTitle && state != State::InBody) {
            const auto open = s_.find('<', pos_);
            if (open == std::string_view::npos) {
                return;
            }
            pos_ = open + 1;
            if (At('?')) {
                ++pos_;
            } else if (s_.compare(pos_, 3, "!--") == 0) {
                // A comment is not a tag: step over it and look for the next "<".
                const auto close = s_.find("-->", pos_ + 3);
                if (close == std::string_view::npos) {
                    return;
                }
                pos_ = close + 3;
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
            ++pos_;
            ReadHttpEquiv();
        } else if (hasValue && EqualsNoCase(attribute, "charset")) {
            ++pos_;
            SkipBlanks();
            const std::string value = ReadValue(false);
            SkipToTagEnd();
            list_.AddLine(std::string(kCharsetLinePrefix) + value + "\"");
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
        while (pos_ < s_.size()) {
            SkipBlanks();
            if (At('>')) {
                ++pos_;
                break;
            }
            if (At('/')) {
                ++pos_;
                continue;
            }
            const std::string attribute = ReadWord();
            if (attribute.empty()) {
                ++pos_;  // a stray character between attributes
                continue;
            }
            SkipBlanks();
            if (!At('=')) {
                continue;
            }
            ++pos_;
            SkipBlanks();
            const bool isContent = EqualsNoCase(attribute, "CONTENT");
            const std::string value = ReadValue(isContent);
            if (isContent) {
                line += ' ';
                line += value;
            }
        }
        list_.AddLine(std::move(line));
    }

    // A quoted value (to its matching quote) or an unquoted one. For CONTENT an unquoted value
    // runs to a blank or ">", and a quote closed in the middle of text (content="text/html;
    // charset="utf-8"") continues to the next quote of the same kind.
    std::string ReadValue(bool content) {
        if (pos_ < s_.size() && IsQuote(s_[pos_])) {
            const char quote = s_[pos_++];
            std::string value = TakeUntil(quote);
            if (content && pos_ < s_.size() && !IsBlank(s_[pos_]) && s_[pos_] != '/' &&
                s_[pos_] != '>') {
                value += TakeUntil(quote);
            }
            return value;
        }
        if (!content) {
            return ReadWord();
        }
        const std::size_t start = pos_;
        while (pos_ < s_.size() && !IsBlank(s_[pos_]) && s_[pos_] != '>') {
            ++pos_;
        }
        return std::string(s_.substr(start, pos_ - start));
    }

    // The text up to `quote`; the position moves past the quote.
    std::string TakeUntil(char quote) {
        const auto close = s_.find(quote, pos_);
        const std::size_t end = close == std::string_view::npos ? s_.size() : close;
        std::string value(s_.substr(pos_, end - pos_));
        pos_ = close == std::string_view::npos ? s_.size() : close + 1;
        return value;
    }

    void SkipPastClosingTag(const std::string& word) {
        const std::string closing = "</" + AsciiLowerCopy(word);
        for (auto at = s_.find('<', pos_); at != std::string_view::npos;
             at = s_.find('<', at + 1)) {
            if (EqualsNoCase(s_.substr(at, closing.size()), closing)) {
                pos_ = at + closing.size();
                SkipToTagEnd();
                return;
            }
        }
        pos_ = s_.size();
    }

    bool At(char c) const { return pos_ < s_.size() && s_[pos_] == c; }

    void SkipBlanks() {
        while (pos_ < s_.size() && IsBlank(s_[pos_])) {
            ++pos_;
        }
    }

    std::string ReadWord() {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && IsWordChar(s_[pos_])) {
            ++pos_;
        }
        return std::string(s_.substr(start, pos_ - start));
    }

    void SkipToTagEnd() {
        const auto close = s_.find('>', pos_);
        pos_ = close == std::string_view::npos ? s_.size() : close + 1;
    }

    std::string_view s_;
    TIdHeaderList& list_;
    std::size_t pos_ = 0;
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
