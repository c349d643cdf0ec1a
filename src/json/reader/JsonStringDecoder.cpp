#include "json/reader/JsonStringDecoder.h"

#include <cstdint>

namespace tarnwick::json {

namespace {

// The most hexadecimal digits a \u escape takes; fewer when the string ends sooner.
constexpr int kUnicodeEscapeDigits = 4;
constexpr unsigned char kFirstNonAscii = 0x80;
constexpr unsigned char kLastContinuation = 0xBF;
constexpr unsigned char kThreeByteLeadBit = 0x20;
constexpr unsigned char kTwoByteLeadBits = 0x1F;
constexpr unsigned char kThreeByteLeadBits = 0x0F;
constexpr unsigned char kContinuationBits = 0x3F;
constexpr int kContinuationShift = 6;

int HexDigitValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The character a one-letter escape stands for, or 0 for a letter that stands for nothing.
char16_t SimpleEscape(unsigned char letter) {
    switch (letter) {
        case '"':
            return u'"';
        case '\'':
            return u'\'';
        case '/':
            return u'/';
        case '\\':
            return u'\\';
        case 'b':
            return 8;
        case 'f':
            return 12;
        case 'n':
            return 10;
        case 'r':
            return 13;
        case 't':
            return 9;
        default:
            return 0;
    }
}

bool IsPlainAscii(unsigned char c) {
    return c < kFirstNonAscii && c != '"' && c != '\\';
}

// The UTF-8 decoding state: a multi-byte form in progress and whether the text is still valid.
// An escape's character is appended as a whole; it cannot continue a form begun by raw bytes,
// so arriving in the middle of one invalidates the text.
struct Utf8State {
    std::u16string& out;
    int pending = 0;  // continuation bytes the current form still needs
    char16_t unit = 0;
    bool valid = true;

    void AppendEscaped(char16_t c) {
        if (pending != 0) {
            valid = false;
            pending = 0;
        }
        out.push_back(c);
    }

    void AppendByte(unsigned char c) {
        if (pending != 0) {
            if (c >= kFirstNonAscii && c <= kLastContinuation) {
                unit =
                    static_cast<char16_t>((unit << kContinuationShift) | (c & kContinuationBits));
                if (--pending == 0) {
                    out.push_back(unit);
                }
            } else {
                valid = false;
                pending = 0;
            }
        } else if (c < kFirstNonAscii) {
            out.push_back(c);
        } else if (c & kThreeByteLeadBit) {
            unit = c & kThreeByteLeadBits;
            pending = 2;
        } else {
            unit = c & kTwoByteLeadBits;
            pending = 1;
        }
    }
};

}  // namespace

JsonStringResult DecodeJsonString(std::string_view text, std::size_t& position,
                                  std::u16string& out) {
    out.clear();
    Utf8State state{out};
    const std::size_t end = text.size();
    std::size_t i = position;
    while (true) {
        // Runs of plain ASCII are copied at once; they need no state unless a form is pending.
        if (state.pending == 0) {
            const std::size_t runStart = i;
            while (i < end && IsPlainAscii(static_cast<unsigned char>(text[i]))) {
                ++i;
            }
            if (i > runStart) {
                const std::size_t oldSize = out.size();
                out.resize(oldSize + (i - runStart));
                for (std::size_t k = runStart; k < i; ++k) {
                    out[oldSize + (k - runStart)] = static_cast<unsigned char>(text[k]);
                }
            }
        }
        if (i >= end) {
            position = end;
            return JsonStringResult::Unterminated;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"') {
            ++i;
            break;
        }
        if (c != '\\') {
            state.AppendByte(c);
            ++i;
            continue;
        }
        // A backslash takes the next character with it, whatever it is.
        if (i + 1 >= end) {
            position = end;
            return JsonStringResult::Unterminated;
        }
        const unsigned char letter = static_cast<unsigned char>(text[i + 1]);
        i += 2;
        if (letter == 'u') {
            unsigned value = 0;
            int digits = 0;
            // The digits stop early at the closing quote: no backslash can lie between.
            while (digits < kUnicodeEscapeDigits) {
                if (i >= end) {
                    position = end;
                    return JsonStringResult::Unterminated;
                }
                const unsigned char d = static_cast<unsigned char>(text[i]);
                if (d == '"') {
                    break;
                }
                const int v = HexDigitValue(d);
                if (v < 0) {
                    position = i;
                    return JsonStringResult::BadEscape;
                }
                value = value * 16 + static_cast<unsigned>(v);
                ++digits;
                ++i;
            }
            if (digits == 0) {
                position = i;
                return JsonStringResult::BadEscape;
            }
            state.AppendEscaped(static_cast<char16_t>(value));
        } else if (const char16_t escaped = SimpleEscape(letter); escaped != 0) {
            state.AppendEscaped(escaped);
        }
        // Any other escape stands for nothing: both characters are dropped.
    }
    if (state.pending != 0 || !state.valid) {
        out.clear();
    }
    position = i;
    return JsonStringResult::Ok;
}

}  // namespace tarnwick::json
