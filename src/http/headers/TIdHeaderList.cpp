#include "http/headers/TIdHeaderList.h"

#include "http/core/TIdTextUtil.h"

#include <algorithm>
#include <stdexcept>

namespace tarnwick::http {

namespace {

constexpr char kDefaultNameEnd = ':';
// A fold needs at least this many characters before the break so every pass shortens the rest.
constexpr std::size_t kMinFoldPrefix = 2;

bool IsContinuation(const std::string& line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

bool IsFoldPoint(const std::string& text, std::size_t p) {
    return text[p] == ' ' || text[p] == '\t' || text[p - 1] == ',';
}

}  // namespace

TIdHeaderList::TIdHeaderList(TIdHeaderQuotingType quoting)
    : FoldLength(quoting == TIdHeaderQuotingType::QuoteHTTP ? kNoFoldLength : kDefaultFoldLength),
      QuoteKind(quoting) {}

void TIdHeaderList::Insert(int i, std::string text) {
    if (i < 0 || i > Count()) {
        throw std::out_of_range("header list index out of range");
    }
    fLines.insert(fLines.begin() + i, std::move(text));
}

void TIdHeaderList::Delete(int i) {
    if (i < 0 || i >= Count()) {
        throw std::out_of_range("header list index out of range");
    }
    fLines.erase(fLines.begin() + i);
}

std::string TIdHeaderList::Text() const {
    std::string text;
    for (const auto& line : fLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TIdHeaderList::SetText(std::string_view text) {
    fLines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        fLines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r') {
            ++end;
        }
        if (end < text.size() && text[end] == '\n') {
            ++end;
        }
        start = end;
    }
}

void TIdHeaderList::AddLines(const TIdHeaderList& other) {
    fLines.insert(fLines.end(), other.fLines.begin(), other.fLines.end());
}

std::string TIdHeaderList::NameEnd() const {
    // Reading looks for the separator without its trailing blanks: ": " is found as ":".
    std::string end = Separator;
    while (!end.empty() && (end.back() == ' ' || end.back() == '\t')) {
        end.pop_back();
    }
    return end.empty() ? std::string(1, kDefaultNameEnd) : end;
}

std::size_t TIdHeaderList::FindNameEnd(const std::string& line) const {
    if (Separator == ": ") {
        return line.find(kDefaultNameEnd);  // the usual case, without building the text
    }
    return line.find(NameEnd());
}

std::string TIdHeaderList::NameAt(int i) const {
    const std::string& line = (*this)[i];
    const auto colon = FindNameEnd(line);
    return colon == std::string::npos ? std::string() : line.substr(0, colon);
}

int TIdHeaderList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = fLines[static_cast<std::size_t>(i)];
        const auto colon = FindNameEnd(line);
        if (colon != std::string::npos &&
            EqualsNoCase(std::string_view(line).substr(0, colon), name)) {
            return i;
        }
    }
    return -1;
}

std::string TIdHeaderList::ValueAt(int& i) const {
    if (i < 0 || i >= Count()) {
        return {};
    }
    const std::string& line = fLines[static_cast<std::size_t>(i)];
    const auto colon = FindNameEnd(line);
    std::string value =
        colon == std::string::npos
            ? std::string()
            : std::string(TrimBlankLeft(std::string_view(line).substr(colon + NameEnd().size())));
    ++i;
    if (UnfoldLines) {
        while (i < Count() && IsContinuation(fLines[static_cast<std::size_t>(i)])) {
            value = std::string(TrimBlank(value)) + " " +
                    std::string(TrimBlank(fLines[static_cast<std::size_t>(i)]));
            ++i;
        }
    }
    return std::string(TrimBlank(value));
}

std::string TIdHeaderList::Value(std::string_view name) const {
    int i = IndexOfName(name);
    return ValueAt(i);
}

void TIdHeaderList::SkipAt(int& i) const {
    if (i < 0 || i >= Count()) {
        return;
    }
    ++i;
    while (i < Count() && IsContinuation(fLines[static_cast<std::size_t>(i)])) {
        ++i;
    }
}

void TIdHeaderList::ExtractAll(std::string_view name, std::vector<std::string>& values) const {
    int i = 0;
    while (i < Count()) {
        if (IsContinuation(fLines[static_cast<std::size_t>(i)])) {
            ++i;  // a continuation that belongs to no header of this name
        } else if (EqualsNoCase(NameAt(i), name) &&
                   FindNameEnd(fLines[static_cast<std::size_t>(i)]) != std::string::npos) {
            values.push_back(ValueAt(i));
        } else {
            SkipAt(i);
        }
    }
}

void TIdHeaderList::ExtractAll(std::string_view name, TIdHeaderList& values) const {
    std::vector<std::string> found;
    ExtractAll(name, found);
    for (auto& value : found) {
        values.AddLine(std::move(value));
    }
}

void TIdHeaderList::DeleteContinuations(int i) {
    while (i + 1 < Count() && IsContinuation(fLines[static_cast<std::size_t>(i + 1)])) {
        Delete(i + 1);
    }
}

std::vector<std::string> TIdHeaderList::FoldLine(const std::string& line,
                                                 std::size_t valueStart) const {
    std::vector<std::string> out;
    // The first line never breaks inside the name or its separator.
    std::size_t minPrefix = std::max(valueStart + 1, kMinFoldPrefix);
    const std::size_t width = FoldLength > 0 ? static_cast<std::size_t>(FoldLength) : 1;
    std::string rest = line;
    while (rest.size() > width) {
        // The last blank (break before it) or comma (break after it) within the width, or
        // failing that the first one past it.
        std::size_t p = std::min(width, rest.size() - 1);
        while (p >= minPrefix && !IsFoldPoint(rest, p)) {
            --p;
        }
        if (p < minPrefix) {
            p = std::max(width + 1, minPrefix);
            while (p < rest.size() && !IsFoldPoint(rest, p)) {
                ++p;
            }
            if (p >= rest.size()) {
                break;
            }
        }
        const std::string_view tail = TrimBlankLeft(std::string_view(rest).substr(p));
        std::string head = rest.substr(0, p);
        while (!head.empty() && (head.back() == ' ' || head.back() == '\t')) {
            head.pop_back();
        }
        if (tail.empty()) {
            rest = head;
            break;
        }
        out.push_back(std::move(head));
        rest = " " + std::string(tail);
        minPrefix = kMinFoldPrefix;
    }
    out.push_back(std::move(rest));
    return out;
}

void TIdHeaderList::SetValue(std::string_view name, std::string_view value) {
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) {
            if (FoldLines) {
                DeleteContinuations(i);
            }
            Delete(i);
        }
        return;
    }
    if (i < 0) {
        AddLine({});
        i = Count() - 1;
    }
    std::string line = std::string(name) + Separator + std::string(value);
    if (!FoldLines) {
        Put(i, std::move(line));
        return;
    }
    DeleteContinuations(i);
    std::vector<std::string> folded = FoldLine(line, name.size() + Separator.size());
    Put(i, std::move(folded.front()));
    for (std::size_t k = 1; k < folded.size(); ++k) {
        Insert(i + static_cast<int>(k), std::move(folded[k]));
    }
}

void TIdHeaderList::AddValue(std::string_view name, std::string_view value) {
    if (!name.empty() && !value.empty()) {
        AddLine(std::string(name) + Separator + std::string(value));
    }
}

void TIdHeaderList::AsNameEqualsValue(std::vector<std::string>& target) const {
    int i = 0;
    while (i < Count()) {
        if (IsContinuation(fLines[static_cast<std::size_t>(i)])) {
            ++i;
            continue;
        }
        std::string name = NameAt(i);
        target.push_back(name + "=" + ValueAt(i));
    }
}

TIdHeaderQuotingType TIdHeaderList::QuotingFor(std::string_view name) const {
    const bool contentHeader =
        EqualsNoCase(name, "Content-Type") || EqualsNoCase(name, "Content-Disposition");
    if (QuoteKind == TIdHeaderQuotingType::QuoteRFC822 && contentHeader) {
        return TIdHeaderQuotingType::QuoteMIME;
    }
    if (QuoteKind == TIdHeaderQuotingType::QuoteMIME && !contentHeader) {
        return TIdHeaderQuotingType::QuoteRFC822;
    }
    return QuoteKind;
}

std::string TIdHeaderList::Param(std::string_view name, std::string_view param) const {
    return ExtractHeaderSubItem(Value(name), param, QuotingFor(name));
}

void TIdHeaderList::SetParam(std::string_view name, std::string_view param,
                             std::string_view value) {
    std::string old;
    SetValue(name, ReplaceHeaderSubItem(Value(name), param, value, QuotingFor(name), old));
}

}  // namespace tarnwick::http
