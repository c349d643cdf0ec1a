#include "http/headers/TIdHeaderParams.h"

#include "http/core/TIdTextUtil.h"

namespace tarnwick::http {

namespace {

constexpr unsigned char kLastControl = 32;
constexpr unsigned char kDelete = 127;
constexpr char kQuote = '"';
constexpr char kEscape = '\\';

std::string_view SpecialsOf(TIdHeaderQuotingType quoting) {
    switch (quoting) {
        case TIdHeaderQuotingType::QuotePlain:
            return "";
        case TIdHeaderQuotingType::QuoteRFC822:
            return "()<>@,;:\\./\"";
        case TIdHeaderQuotingType::QuoteMIME:
            return "()<>@,;:\\/[]?=\"";
        case TIdHeaderQuotingType::QuoteHTTP:
            return "()<>@,;:\\/[]?={}\" \t";
    }
    return "";
}

bool NeedsQuotes(std::string_view value, TIdHeaderQuotingType quoting) {
    for (unsigned char c : value) {
        if (ForcesQuoting(c, quoting)) {
            return true;
        }
    }
    return false;
}

std::string QuoteValue(std::string_view value, TIdHeaderQuotingType quoting) {
    const bool escapeCR =
        quoting == TIdHeaderQuotingType::QuoteRFC822 || quoting == TIdHeaderQuotingType::QuoteMIME;
    std::string out(1, kQuote);
    for (char c : value) {
        if (c == kQuote || c == kEscape || (escapeCR && c == '\r')) {
            out += kEscape;
        }
        out += c;
    }
    out += kQuote;
    return out;
}

}  // namespace

bool ForcesQuoting(unsigned char c, TIdHeaderQuotingType quoting) {
    if (c <= kLastControl || c == kDelete) {
        return true;
    }
    return SpecialsOf(quoting).find(static_cast<char>(c)) != std::string_view::npos;
}

TIdHeaderParams SplitHeaderParams(std::string_view value, TIdHeaderQuotingType quoting) {
    TIdHeaderParams parts;
    const auto semicolon = value.find(';');
    parts.Item = std::string(value.substr(0, semicolon));
    if (semicolon == std::string_view::npos) {
        return parts;
    }
    std::size_t pos = semicolon + 1;
    const std::size_t end = value.size();
    auto skipBlanks = [&] {
        while (pos < end && (value[pos] == ' ' || value[pos] == '\t')) {
            ++pos;
        }
    };
    while (pos < end) {
        skipBlanks();
        // The name runs to "="; a ";" first means a parameter without a value.
        std::size_t nameEnd = pos;
        while (nameEnd < end && value[nameEnd] != '=' && value[nameEnd] != ';') {
            ++nameEnd;
        }
        std::string name(TrimBlank(value.substr(pos, nameEnd - pos)));
        pos = nameEnd;
        if (pos >= end) {
            break;
        }
        if (value[pos] == ';') {
            ++pos;
            continue;
        }
        ++pos;  // the "="
        skipBlanks();
        std::string paramValue;
        if (pos < end && value[pos] == kQuote) {
            ++pos;
            while (pos < end && value[pos] != kQuote) {
                if (value[pos] == kEscape && pos + 1 < end) {
                    ++pos;
                }
                paramValue += value[pos];
                ++pos;
            }
            // Whatever follows the closing quote up to the next ";" is dropped.
            const auto next = value.find(';', pos);
            pos = next == std::string_view::npos ? end : next + 1;
        } else {
            while (pos < end && value[pos] != ';' &&
                   !ForcesQuoting(static_cast<unsigned char>(value[pos]), quoting)) {
                paramValue += value[pos];
                ++pos;
            }
            if (pos < end && value[pos] == ';') {
                ++pos;
            }
        }
        if (!name.empty() && !paramValue.empty()) {
            parts.Params.push_back({std::move(name), std::move(paramValue)});
        }
    }
    return parts;
}

std::string BuildHeaderValue(const TIdHeaderParams& parts, TIdHeaderQuotingType quoting) {
    std::string result(TrimBlank(parts.Item));
    if (result.empty()) {
        return result;
    }
    for (const auto& param : parts.Params) {
        result += "; ";
        result += param.Name;
        result += '=';
        result +=
            NeedsQuotes(param.Value, quoting) ? QuoteValue(param.Value, quoting) : param.Value;
    }
    return result;
}

std::string ExtractHeaderSubItem(std::string_view value, std::string_view param,
                                 TIdHeaderQuotingType quoting) {
    for (const auto& p : SplitHeaderParams(value, quoting).Params) {
        if (EqualsNoCase(p.Name, param)) {
            return p.Value;
        }
    }
    return {};
}

std::string ReplaceHeaderSubItem(std::string_view value, std::string_view param,
                                 std::string_view newValue, TIdHeaderQuotingType quoting,
                                 std::string& oldValue) {
    TIdHeaderParams parts = SplitHeaderParams(value, quoting);
    const std::string replacement(TrimBlank(newValue));
    oldValue.clear();
    auto it = parts.Params.begin();
    while (it != parts.Params.end() && !EqualsNoCase(it->Name, param)) {
        ++it;
    }
    if (it != parts.Params.end()) {
        oldValue = it->Value;
        if (replacement.empty()) {
            parts.Params.erase(it);
        } else {
            it->Value = replacement;
        }
    } else if (!replacement.empty()) {
        parts.Params.push_back({std::string(param), replacement});
    }
    return BuildHeaderValue(parts, quoting);
}

}  // namespace tarnwick::http
